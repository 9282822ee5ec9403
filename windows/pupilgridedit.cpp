// The pupil grid's editing callbacks: typed characters, Ctrl+digit texts
// and pastes, written into every selected cell of the fitting kind.

#include "pupilgrid.h"

#include "document/document.h"
#include "document/formatting.h"
#include "document/grades.h"

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
    std::string text =
        document_.dokumenty.value(static_cast<std::size_t>(x), static_cast<std::size_t>(y)).text;
    char ch = static_cast<char>(key);
    editText(text, ch, kTextLimit, true);
    key = static_cast<unsigned char>(ch);
    // Also a click, which changes nothing: the current cell's text then
    // goes into the whole selection.
    forEachSelected(kRodzajTekst, [&](std::size_t i, std::size_t j) {
        document_.dokumenty.value(i, j).text = text;
    });
    document_.ogolne.setModified();
    if (hooks_.longTextUpdate)
        hooks_.longTextUpdate();
    grid_.Odswiez();
}

void PupilGrid::typeIntoGrade(int x, int y, unsigned char& key, int button)
{
    const std::int8_t current =
        document_.dokumenty.value(static_cast<std::size_t>(x), static_cast<std::size_t>(y)).grade;
    const KomorkaId cell{kGridId, x, y};
    const std::int8_t grade =
        applyGradeKey(current, static_cast<char>(key), button, cell, document_.miniEdi);
    forEachSelected(kRodzajOcena, [&](std::size_t i, std::size_t j) {
        document_.dokumenty.value(i, j).grade = grade;
    });
    document_.ogolne.setModified();
    grid_.Odswiez();
}

void PupilGrid::typeIntoPicture(int x, int y, unsigned char key)
{
    std::optional<std::string> picture;
    if (key == static_cast<unsigned char>(kKeyDelete)) {
        picture = std::string();
    } else if (chooser_) {
        picture = chooser_(document_.dokumenty
                               .value(static_cast<std::size_t>(x), static_cast<std::size_t>(y))
                               .picture);
    }
    if (!picture)
        return;  // no chooser yet, or the user cancelled
    forEachSelected(kRodzajObrazek, [&](std::size_t i, std::size_t j) {
        document_.dokumenty.value(i, j).picture = *picture;
        grid_.OdswiezOczko(static_cast<int>(i), static_cast<int>(j));
    });
    document_.ogolne.setModified();
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
        document_.opcje.brzmienia[static_cast<std::size_t>(kPierwszyTekstCtrl) + (key - '0')];
    forEachSelected(kRodzajTekst, [&](std::size_t i, std::size_t j) {
        document_.dokumenty.value(i, j).text = text;
    });
    document_.ogolne.setModified();
    grid_.Odswiez();
    key = 0;
}

void PupilGrid::CellEdi1ClipboardToOczko(int x, int y, std::string& txt)
{
    if (!isDataCell(x, y))
        return;
    TFra& value = document_.dokumenty.value(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
    switch (kindOf(y)) {
    case kRodzajTekst:
        value.text = txt;
        break;
    case kRodzajOcena:
        value.grade = static_cast<std::int8_t>(matchWording(document_.opcje, txt));
        break;
    default:
        break;  // pictures are not pasted
    }
    document_.ogolne.setModified();
    grid_.Odswiez();  // the averages follow
}
