#include "pupilgrid.h"

#include "document/pupilgridtext.h"

#include "document/document.h"

namespace {

void fill(TTekstOczka& ato, PupilGridText&& cell)
{
    ato.tekst[0] = std::move(cell.text);
    if (cell.color)
        ato.kolor = *cell.color;
}

}  // namespace

PupilGrid::PupilGrid(TCellEdi& grid, Document& document, Hooks hooks)
    : grid_(grid), document_(document), hooks_(std::move(hooks))
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
}

int PupilGrid::pupils() const
{
    return static_cast<int>(document_.dokumenty.count());
}

int PupilGrid::phrases() const
{
    return static_cast<int>(document_.frazy.count());
}

bool PupilGrid::isDataCell(int x, int y) const
{
    return x >= 0 && y >= 0 && x < pupils() && y < phrases();
}

int PupilGrid::kindOf(int y) const
{
    return document_.frazy[static_cast<std::size_t>(y)].kind;
}

void PupilGrid::forEachSelected(int kind,
                                const std::function<void(std::size_t, std::size_t)>& write)
{
    grid_.StartZaznaczenia(0);
    int x = 0;
    int y = 0;
    while (grid_.NastepneZaznaczone(x, y)) {
        if (isDataCell(x, y) && kindOf(y) == kind)
            write(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
    }
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
    document_.addPupil(count > 0 ? static_cast<std::size_t>(x) + 1 : 0);
    if (pupils() > 1) {
        grid_.setIlx(grid_.Ilx() + 1);
        grid_.setPozX(x + 1);
    }
    if (hooks_.gridSizeRule)
        hooks_.gridSizeRule();
    document_.ogolne.setModified();
    grid_.setFocus();
}

void PupilGrid::removePupil()
{
    const int x = grid_.PozX();
    const int count = pupils();
    if (count > 0 && x >= count)
        return;  // the averages column
    if (x >= 0 && document_.removePupil(static_cast<std::size_t>(x))) {
        if (pupils() > 0)
            grid_.setIlx(grid_.Ilx() - 1);
        if (hooks_.gridSizeRule)
            hooks_.gridSizeRule();
        document_.ogolne.setModified();
    }
    grid_.setFocus();
}

// ---- The corner and the current cell ---------------------------------------

void PupilGrid::CellEdi1LeftTopAkcja(int, TShiftState)
{
    if (hooks_.gridOptions)
        hooks_.gridOptions();
}

void PupilGrid::CellEdi1ZmianaKomorki(int, int)
{
    if (hooks_.longTextUpdate)
        hooks_.longTextUpdate();
}
