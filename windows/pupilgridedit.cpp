// The pupil grid's editing events: typed characters, Ctrl+digit texts
// and pastes, written into every selected cell of the fitting kind, each key
// press or paste one step of the edit layer.

#include "pupilgrid.h"

#include "editing/documenteditor.h"
#include "qtbridge/cp1250text.h"

#include "document/formatting.h"
#include "document/grades.h"

#include <algorithm>

namespace wykazki {

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
    if (refusesTyping(y)) {
        key = 0;
        return;
    }
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
        if (!editText(text, ch, kTextLimit, true)) {
            // A key that would have typed tells why it did not.
            const bool typing =
                key == static_cast<unsigned char>(kKeyEnter) || (key >= 32 && key != 255);
            if (typing && text.size() + 2 > kTextLimit && hooks_.status)
                hooks_.status(QStringLiteral("Tekst komórki może mieć najwyżej %1 znaków: "
                                             "dalszych znaków nie wpisano")
                                  .arg(kTextLimit));
            return;
        }
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
    if (refusesTyping(y)) {
        key = 0;
        return;
    }
    const std::string& text =
        document_.options()
            .wordings[static_cast<std::size_t>(kFirstCtrlDigitWording) + (key - '0')];
    // A wording is a text of one phrase, like typing.
    editor_.fillBlock(kInsertingWording, selectedRowBlock(y), PhraseKind::Text, text);
    key = 0;
}

void PupilGrid::pasteIntoCell(TCellEdi&, int x, int y, std::string& text)
{
    if (!pasteStart_)
        pasteStart_.emplace(x, y);
    pasteOneColumn_ = pasteOneColumn_ && x == pasteStart_->first;
    pasteRows_ = std::max(pasteRows_, y - pasteStart_->second + 1);
    if (!isDataCell(x, y))
        return;
    CellEdit edit{static_cast<std::size_t>(x), static_cast<std::size_t>(y), ValueField::Text, {}};
    switch (kindOf(y)) {
    case PhraseKind::Text:
        if (isComputedRow(y)) {
            ++computedCells_;  // the program's own value is not pasted over
            return;
        }
        edit.value = text;
        break;
    case PhraseKind::Grade:
        if (const std::optional<std::int8_t> grade = pastedGrade(document_.options(), text)) {
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

void PupilGrid::charactersLost(TCellEdi&, int x, int y, const QString& characters)
{
    if (isDataCell(x, y) && hooks_.lostCharacters)
        hooks_.lostCharacters(x, y, characters);
}

void PupilGrid::pasteCut(TCellEdi&, int x, int y, std::size_t count)
{
    if (!hooks_.status)
        return;
    // Where the kept part ended: pupil and phrase when it is a data cell.
    QString where;
    if (isDataCell(x, y))
        where = QStringLiteral(" (wklejanie zakończono w komórce: uczeń %1, fraza „%2”)")
                    .arg(x + 1)
                    .arg(qstringFromCp1250(document_.phrases()[static_cast<std::size_t>(y)].name));
    hooks_.status(QStringLiteral("Wklejony tekst był za długi: pominięto jego ostatnie znaki: %1%2")
                      .arg(count)
                      .arg(where));
}

void PupilGrid::pasteStarted(TCellEdi&)
{
    paste_.emplace();
    unreadGrades_ = 0;
    computedCells_ = 0;
    pasteStart_.reset();
    pasteOneColumn_ = true;
    pasteRows_ = 0;
}

void PupilGrid::pasteFinished(TCellEdi&)
{
    if (paste_)
        editor_.setCells(kPasting, std::move(*paste_));
    paste_.reset();
    // A column of names copied from a sheet and pasted as it is runs down
    // one pupil's phrases; turned, it fills the row of names.
    const std::optional<std::size_t> names = namePhrase(document_.phrases());
    const bool columnOnNames = grid_.pasteLayout() == PasteLayout::AsCopied && pasteStart_
                               && pasteOneColumn_ && pasteRows_ > 1 && names
                               && pasteStart_->second == static_cast<int>(*names);
    if (columnOnNames && hooks_.status)
        hooks_.status(
            QStringLiteral("Wklejono kolumnę w dół, do frazy jednego ucznia. Aby "
                           "rozłożyć ją na uczniów wzdłuż wiersza, cofnij (Alt+Backspace) "
                           "i wklej z zamianą wierszy i kolumn (Ctrl+Shift+V)."));
    else if (unreadGrades_ > 0 && hooks_.status)
        hooks_.status(QStringLiteral("Nie rozpoznano ocen we wklejonych komórkach: %1 "
                                     "(te komórki pozostały bez zmian)")
                          .arg(unreadGrades_));
    else if (computedCells_ > 0 && hooks_.status)
        hooks_.status(QStringLiteral("Pominięto komórki wyliczanej średniej: %1 "
                                     "(ich wartość wylicza program)")
                          .arg(computedCells_));
}

void PupilGrid::textFileRange(TCellEdi&, std::string& file, int& x1, int& y1, int& x2, int& y2)
{
    const GridRect range = grid_.selectedRange();
    if (!range.isSingleCell()) {
        x1 = range.left - 1;
        y1 = range.top - 1;
        x2 = range.right;
        y2 = range.bottom;
    }
    const QString name = hooks_.textFileName ? hooks_.textFileName() : QString();
    if (name.isEmpty())
        return;
    // The grid names its files in the program's code page.
    if (!cp1250CanHold(name)) {
        if (hooks_.status)
            hooks_.status(QStringLiteral("Nazwa pliku ma znaki spoza kodowania Windows-1250: "
                                         "nie zapisano %1")
                              .arg(name));
        return;
    }
    file = cp1250FromQString(name, Unmappable::Drop);
}

void PupilGrid::textFileWritten(TCellEdi&, const std::string& file, bool written)
{
    if (hooks_.status)
        hooks_.status((written ? QStringLiteral("Zapisano tabelę do pliku: %1")
                               : QStringLiteral("Nie zapisano tabeli do pliku: %1"))
                          .arg(qstringFromCp1250(file)));
}

}  // namespace wykazki
