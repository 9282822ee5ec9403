#pragma once
// Painting one cell of a TCellEdi: the one routine shared by the screen and
// table printing. It reads the grid through PaintedGrid alone: the cell's
// content as the owner fills it, the colours, and on screen the owner's
// graphics, the corner's buttons and the laid-out text cache. Painting
// raises no notice of its own: the cell-change report is the grid's,
// from the event loop.

#include "grid/gridprintstate.h"
#include "grid/tekstoczka.h"

#include <QPoint>

class QPainter;
class QRect;

namespace wykazki {

class CellTextCache;
class TCellEdi;

struct CellState {
    bool selected = false;  // inside the selection (the current cell included)
    bool focused = false;   // the current cell of a focused grid
    bool fixed = false;     // a header cell or the corner
};

enum class PaintTarget {
    Screen,   // owner graphics and the corner's buttons are drawn
    Printer,  // only texts, colours and edge lines
};

// The grid's colours that painting uses (the properties of the same names).
struct GridColours {
    TKolor font = 0x000000;        // the grid's font colour
    TKolor cursorFont = 0xFFFFFF;  // KursorFontKolor: text of selected cells
    TKolor cursor = 0x000000;      // KursorKolor: the current cell while selected
    TKolor selection = 0x808080;   // ZaznaczKolor: other selected cells
    TKolor cell = 0x00FFFF;        // OczkoKolor
    TKolor header = 0xC0C0C0;      // InfoKolor
};

// What painting reads of a grid, and nothing more. Coordinates are grid
// coordinates, 0 being the header column/row.
class PaintedGrid {
public:
    // The texts and colour of a cell: the preset (InfoKolor or OczkoKolor,
    // DefaultJust) as the owner filled it, or the default header labels.
    virtual TTekstOczka cellContent(int column, int row) = 0;
    virtual GridColours colours() const = 0;
    virtual bool isCurrentCell(int column, int row) const = 0;
    // Screen only: the owner's graphics over a painted cell, the corner's
    // three buttons, and the cache of laid-out texts.
    virtual void ownerGraphics(QPainter& painter, int column, int row, QPoint topLeft) = 0;
    virtual bool hasCornerButtons() const = 0;
    virtual CellTextCache& textCache() = 0;

protected:
    ~PaintedGrid() = default;
};

// Paints grid cell (column, row) into rect on painter. The caller sets the
// painter's font (the grid's font on screen, the scaled one on a printer)
// and its pen (used for the lines between parts).
void paintCell(PaintedGrid& grid, QPainter& painter, int column, int row, const QRect& rect,
               CellState state, ColouringMode colouring, PaintTarget target);
void paintCell(TCellEdi& grid, QPainter& painter, int column, int row, const QRect& rect,
               CellState state, ColouringMode colouring, PaintTarget target);

}  // namespace wykazki
