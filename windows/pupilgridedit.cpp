// The pupil grid's editing callbacks: typed characters, Ctrl+digit texts
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

const TFra& valueAt(const Document& document, int x, int y)
{
    return document.value(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
}

}  // namespace

void PupilGrid::CellEdi1AkcjaEdit(int x, int y, unsigned char& key, int button)
{
    if (pupils() == 0 || phrases() == 0) {
        key = 0;  // nothing to type into
        return;
    }
    if (!isDataCell(x, y))
        return;
    switch (kindOf(y)) {
    case kRodzajTekst:
        typeIntoText(x, y, key);
        break;
    case kRodzajOcena:
        typeIntoGrade(x, y, key, button);
        break;
    case kRodzajObrazek:
        typeIntoPicture(x, y, key);
        break;
    default:
        break;
    }
}

void PupilGrid::typeIntoText(int x, int y, unsigned char& key)
{
    std::string text = valueAt(document_, x, y).text;
    const bool clearing = key == static_cast<unsigned char>(kKeyDelete);
    const bool click = key == 0;
    char ch = static_cast<char>(key);
    editText(text, ch, kTextLimit, true);
    key = static_cast<unsigned char>(ch);
    // Also a click, which changes nothing: the current cell's text then
    // goes into the whole selection.
    if (click || clearing)
        editor_.fillBlock(click ? kFillingSelection : kClearingText, selectedBlock(), kRodzajTekst,
                          text);
    else
        editor_.typeIntoBlock(kTypingText, selectedBlock(), kRodzajTekst, text);
    if (hooks_.longTextUpdate)
        hooks_.longTextUpdate();
}

void PupilGrid::typeIntoGrade(int x, int y, unsigned char& key, int button)
{
    const std::int8_t current = valueAt(document_, x, y).grade;
    const KomorkaId cell{kGridId, x, y};
    const std::int8_t grade = applyGradeKey(current, static_cast<char>(key), button, cell, miniEdi_);
    editor_.fillBlock(kTypingGrade, selectedBlock(), kRodzajOcena, grade);
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
                      kRodzajObrazek, *picture);
}

void PupilGrid::CellEdi1Akcja(int x, int y, std::uint32_t& key, int, TShiftState shift)
{
    if (pupils() == 0 || phrases() == 0) {
        key = 0;
        return;
    }
    // Ctrl+0 .. Ctrl+9 of the main keyboard (not the keypad) put the
    // wordings 11 .. 20 into the selected text cells.
    const bool ctrlDigit = (shift & ssCtrl) && key >= '0' && key <= '9';
    if (!ctrlDigit || !isDataCell(x, y) || kindOf(y) != kRodzajTekst)
        return;
    const std::string& text =
        document_.opcje().brzmienia[static_cast<std::size_t>(kPierwszyTekstCtrl) + (key - '0')];
    editor_.fillBlock(kInsertingWording, selectedBlock(), kRodzajTekst, text);
    key = 0;
}

void PupilGrid::CellEdi1ClipboardToOczko(int x, int y, std::string& txt)
{
    if (!isDataCell(x, y))
        return;
    CellEdit edit{static_cast<std::size_t>(x), static_cast<std::size_t>(y), ValueField::Text, {}};
    switch (kindOf(y)) {
    case kRodzajTekst:
        edit.value = txt;
        break;
    case kRodzajOcena:
        edit.field = ValueField::Grade;
        edit.value = static_cast<std::int8_t>(matchWording(document_.opcje(), txt));
        break;
    default:
        return;  // pictures are not pasted
    }
    // The grid hands a paste over cell by cell; the cells of one paste are
    // one step, stored when the grid says the paste is over.
    if (paste_)
        paste_->push_back(std::move(edit));
    else
        editor_.setCells(QStringLiteral("wklejenie"), {std::move(edit)});
}
