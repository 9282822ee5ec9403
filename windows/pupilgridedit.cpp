// The pupil grid's editing events: typed characters, Ctrl+digit texts
// and pastes, written into every selected cell of the fitting kind, each key
// press or paste one step of the edit layer.

#include "pupilgrid.h"

#include "editing/documenteditor.h"

#include "document/formatting.h"
#include "document/grades.h"

namespace {

const QString kTypingText = QStringLiteral("wpisanie tekstu");
const QString kClearingText = QStringLiteral("usunięcie tekstu");
const QString kFillingSelection = QStringLiteral("wypełnienie zaznaczenia");
const QString kTypingGrade = QStringLiteral("wpisanie oceny");
const QString kChoosingPicture = QStringLiteral("wybór obrazka");
const QString kClearingPicture = QStringLiteral("usunięcie obrazka");
const QString kInsertingWording = QStringLiteral("wstawienie tekstu");
const QString kPasting = QStringLiteral("wklejenie");

const TFra& valueAt(const Document& document, int x, int y)
{
    return document.value(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
}

}  // namespace

void PupilGrid::cellEdit(TCellEdi&, int x, int y, unsigned char& key, int button)
{
    if (pupils() == 0 || phrases() == 0) {
        key = 0;  // nothing to type into
        return;
    }
    if (!isDataCell(x, y))
        return;
    switch (kindOf(y)) {
    case PhraseKind::Text: typeIntoText(x, y, key, button); break;
    case PhraseKind::Grade: typeIntoGrade(x, y, key, button); break;
    case PhraseKind::Picture: typeIntoPicture(x, y, key); break;
    default: break;
    }
}

void PupilGrid::typeIntoText(int x, int y, unsigned char& key, int button)
{
    if (key == static_cast<unsigned char>(kKeyDelete)) {
        // Clearing empties every selected text cell.
        editor_.fillBlock(kClearingText, selectedBlock(), PhraseKind::Text, std::string());
        key = 0;
    } else if (key == 0 && button != kButtonKeyboard) {
        // The deliberate click on the current cell copies its text along
        // the selection's part of its row.
        editor_.fillBlock(kFillingSelection, selectedRowBlock(y), PhraseKind::Text,
                          valueAt(document_, x, y).text);
    } else {
        // A typed text is one phrase's value: it goes into the selected
        // cells of the current cell's row only, and only when it changed.
        std::string text = valueAt(document_, x, y).text;
        char ch = static_cast<char>(key);
        if (!editText(text, ch, kTextLimit, true))
            return;
        key = static_cast<unsigned char>(ch);
        editor_.typeIntoBlock(kTypingText, selectedRowBlock(y), PhraseKind::Text, text);
    }
    if (hooks_.longTextUpdate)
        hooks_.longTextUpdate();
}

void PupilGrid::typeIntoGrade(int x, int y, unsigned char& key, int button)
{
    const std::int8_t current = valueAt(document_, x, y).grade;
    const CellId cell{kGridId, x, y};
    // A key the grade rule refuses writes nothing anywhere.
    const std::optional<std::int8_t> grade =
        takeGradeKey(current, static_cast<char>(key), button, cell, miniEdi_);
    if (grade)
        editor_.fillBlock(kTypingGrade, selectedBlock(), PhraseKind::Grade, *grade);
}

void PupilGrid::typeIntoPicture(int x, int y, unsigned char key)
{
    std::optional<std::string> picture;
    const bool clearing = key == static_cast<unsigned char>(kKeyDelete);
    if (clearing)
        picture = std::string();
    else if (chooser_)
        picture = chooser_(valueAt(document_, x, y).picture);
    if (!picture)
        return;  // no chooser yet, or the user cancelled
    editor_.fillBlock(clearing ? kClearingPicture : kChoosingPicture, selectedBlock(),
                      PhraseKind::Picture, *picture);
}

void PupilGrid::cellAction(TCellEdi&, int x, int y, std::uint32_t& key, int, TShiftState shift)
{
    if (pupils() == 0 || phrases() == 0) {
        key = 0;
        return;
    }
    // Ctrl+0 .. Ctrl+9 of the main keyboard (not the keypad) put the
    // wordings 11 .. 20 into the selected text cells.
    const bool ctrlDigit = (shift & ssCtrl) && key >= '0' && key <= '9';
    if (!ctrlDigit || !isDataCell(x, y) || kindOf(y) != PhraseKind::Text)
        return;
    const std::string& text =
        document_.opcje().brzmienia[static_cast<std::size_t>(kPierwszyTekstCtrl) + (key - '0')];
    // A wording is a text of one phrase, like typing.
    editor_.fillBlock(kInsertingWording, selectedRowBlock(y), PhraseKind::Text, text);
    key = 0;
}

void PupilGrid::pasteIntoCell(TCellEdi&, int x, int y, std::string& text)
{
    if (!isDataCell(x, y))
        return;
    CellEdit edit{static_cast<std::size_t>(x), static_cast<std::size_t>(y), ValueField::Text, {}};
    switch (kindOf(y)) {
    case PhraseKind::Text: edit.value = text; break;
    case PhraseKind::Grade:
        if (const std::optional<std::int8_t> grade = pastedGrade(document_.opcje(), text)) {
            edit.field = ValueField::Grade;
            edit.value = *grade;
            break;
        }
        ++unreadGrades_;  // a text that is no grade leaves the cell as it was
        return;
    default: return;  // pictures are not pasted
    }
    // The grid hands a paste over cell by cell; the cells of one paste are
    // one step, stored when the grid says the paste is over.
    if (paste_)
        paste_->push_back(std::move(edit));
    else
        editor_.setCells(kPasting, {std::move(edit)});
}

void PupilGrid::pasteStarted(TCellEdi&)
{
    paste_.emplace();
    unreadGrades_ = 0;
}

void PupilGrid::pasteFinished(TCellEdi&)
{
    if (paste_)
        editor_.setCells(kPasting, std::move(*paste_));
    paste_.reset();
    if (unreadGrades_ > 0 && hooks_.status)
        hooks_.status(QStringLiteral("Nie rozpoznano ocen we wklejonych komórkach: %1 "
                                     "(te komórki pozostały bez zmian)")
                          .arg(unreadGrades_));
}
