#include "pupilgrid.h"

#include "editing/documenteditor.h"

#include "document/pupilgridtext.h"
#include "qtbridge/cp1250text.h"

#include <algorithm>

namespace {

void fill(TTekstOczka& ato, PupilGridText&& cell)
{
    ato.tekst[0] = std::move(cell.text);
    if (cell.color)
        ato.kolor = *cell.color;
}

}  // namespace

PupilGrid::PupilGrid(TCellEdi& grid, DocumentEditor& editor, Hooks hooks)
    : grid_(grid), editor_(editor), document_(editor.document()), hooks_(std::move(hooks))
{
    grid_.OnTopInfo = [this](TCellEdi&, int poz, TTekstOczka& ato) { CellEdi1TopInfo(poz, ato); };
    grid_.OnLeftInfo = [this](TCellEdi&, int poz, TTekstOczka& ato) { CellEdi1LeftInfo(poz, ato); };
    grid_.OnOczko = [this](TCellEdi&, int x, int y, TTekstOczka& ato) { CellEdi1Oczko(x, y, ato); };
    grid_.OnAkcjaEdit = [this](TCellEdi&, int x, int y, unsigned char& key, int button) {
        CellEdi1AkcjaEdit(x, y, key, button);
    };
    grid_.OnAkcja = [this](TCellEdi&, int x, int y, std::uint32_t& key, int button,
                           TShiftState shift) { CellEdi1Akcja(x, y, key, button, shift); };
    grid_.OnZmianaKomorki = [this](TCellEdi&, int oldx, int oldy) {
        CellEdi1ZmianaKomorki(oldx, oldy);
    };
    grid_.OnOczkoToClipboard = [this](TCellEdi&, int x, int y, std::string& txt) {
        CellEdi1OczkoToClipboard(x, y, txt);
    };
    grid_.OnClipboardToOczko = [this](TCellEdi&, int x, int y, std::string& txt) {
        CellEdi1ClipboardToOczko(x, y, txt);
    };
    grid_.OnLeftTopAkcja = [this](TCellEdi&, int button, TShiftState shift) {
        CellEdi1LeftTopAkcja(button, shift);
    };
    grid_.OnPasteStarted = [this](TCellEdi&) { pasteStarted(); };
    grid_.OnPasteFinished = [this](TCellEdi&) { pasteFinished(); };
    QObject::connect(&editor_, &DocumentEditor::changed, &grid_,
                     [this](const DocumentChange& change) { documentChanged(change); });
}

PupilGrid::~PupilGrid()
{
    // The grid may outlive this object by a few events while its window
    // is torn down.
    grid_.OnTopInfo = nullptr;
    grid_.OnLeftInfo = nullptr;
    grid_.OnOczko = nullptr;
    grid_.OnAkcjaEdit = nullptr;
    grid_.OnAkcja = nullptr;
    grid_.OnZmianaKomorki = nullptr;
    grid_.OnOczkoToClipboard = nullptr;
    grid_.OnClipboardToOczko = nullptr;
    grid_.OnLeftTopAkcja = nullptr;
    grid_.OnPasteStarted = nullptr;
    grid_.OnPasteFinished = nullptr;
    QObject::disconnect(&editor_, &DocumentEditor::changed, &grid_, nullptr);
}

int PupilGrid::pupils() const
{
    return static_cast<int>(document_.dokumenty().count());
}

int PupilGrid::phrases() const
{
    return static_cast<int>(document_.frazy().count());
}

bool PupilGrid::isDataCell(int x, int y) const
{
    return x >= 0 && y >= 0 && x < pupils() && y < phrases();
}

int PupilGrid::kindOf(int y) const
{
    return document_.frazy()[static_cast<std::size_t>(y)].kind;
}

CellBlock PupilGrid::selectedBlock() const
{
    const GridRect range = grid_.selectedRange();
    auto data = [](int gridIndex) { return static_cast<std::size_t>(std::max(gridIndex - 1, 0)); };
    return {data(range.left), data(range.top), data(range.right), data(range.bottom)};
}

CellBlock PupilGrid::selectedRowBlock(int y) const
{
    CellBlock block = selectedBlock();
    block.firstPhrase = static_cast<std::size_t>(y);
    block.lastPhrase = static_cast<std::size_t>(y);
    return block;
}

void PupilGrid::documentChanged(const DocumentChange& change)
{
    if (change.touches(DocumentChange::Whole & ~DocumentChange::Values))
        miniEdi_.forget();  // the cell being typed into may be another now
    grid_.Odswiez();        // the averages follow every change
}

// ---- What the grid shows ---------------------------------------------------

void PupilGrid::CellEdi1TopInfo(int poz, TTekstOczka& ato) const
{
    fill(ato, pupilGridColumnHeader(document_, poz));
}

void PupilGrid::CellEdi1LeftInfo(int poz, TTekstOczka& ato) const
{
    const int page = hooks_.chosenPage ? hooks_.chosenPage() : 0;
    fill(ato, pupilGridRowHeader(document_, poz, page));
}

void PupilGrid::CellEdi1Oczko(int x, int y, TTekstOczka& ato) const
{
    fill(ato, pupilGridCell(document_, x, y));
}

void PupilGrid::CellEdi1OczkoToClipboard(int x, int y, std::string& txt) const
{
    // A data cell copies what it shows, so a grade copies its wording;
    // headers and averages give nothing.
    if (isDataCell(x, y))
        txt = pupilGridCell(document_, x, y).text;
}

// ---- Pupils ----------------------------------------------------------------

void PupilGrid::addPupil()
{
    const int x = grid_.PozX();
    const int count = pupils();
    if (count > 0 && x >= count)
        return;  // the averages column
    // The main window's grid-size rule follows the change notice.
    editor_.addPupil(count > 0 ? static_cast<std::size_t>(x) + 1 : 0);
    if (pupils() > 1)
        grid_.setPozX(x + 1);
    grid_.setFocus();
}

void PupilGrid::removePupil()
{
    const int x = grid_.PozX();
    const int count = pupils();
    if (count > 0 && x >= count)
        return;  // the averages column
    if (x >= 0 && x < count) {
        const QString removed = pupilLabel(static_cast<std::size_t>(x));
        editor_.removePupil(static_cast<std::size_t>(x));
        // No question before: one key takes it back.
        if (hooks_.status)
            hooks_.status(QStringLiteral("Usunięto ucznia: %1, Alt+Backspace cofa").arg(removed));
    }
    grid_.setFocus();
}

QString PupilGrid::pupilLabel(std::size_t x) const
{
    // The number and the first text the pupil has (the name, as a rule).
    QString label = QString::number(x + 1);
    for (std::size_t j = 0; j < document_.frazy().count(); ++j) {
        const std::string& text = document_.value(x, j).text;
        if (document_.frazy()[j].kind == kRodzajTekst && !text.empty()) {
            QString first = qstringFromCp1250(text.substr(0, text.find_first_of("\r\n")));
            return label + QStringLiteral(". ") + first.left(60);
        }
    }
    return label;
}

// ---- The corner and the current cell ---------------------------------------

void PupilGrid::CellEdi1LeftTopAkcja(int, TShiftState)
{
    if (hooks_.gridOptions)
        hooks_.gridOptions();
}

void PupilGrid::CellEdi1ZmianaKomorki(int, int)
{
    editor_.endTyping();  // typing into another cell is a step of its own
    if (hooks_.longTextUpdate)
        hooks_.longTextUpdate();
}
