#pragma once
// Painting one cell of a TCellEdi: the one routine shared by the screen and
// table printing. It asks the grid's owner for the cell's texts and colour
// through the grid's events, exactly as the screen shows them.

#include "grid/gridprintstate.h"

class QPainter;
class QRect;
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

// Paints grid cell (column, row) - grid coordinates, 0 being the header
// column/row - into rect on painter. The caller sets the painter's font
// (the grid's font on screen, the scaled one on a printer) and its pen
// (used for the lines between parts). Painting a selected single data cell
// is what reports a cell change (OnZmianaKomorki).
void paintCell(TCellEdi& grid, QPainter& painter, int column, int row, const QRect& rect,
               CellState state, ColouringMode colouring, PaintTarget target);
