#pragma once
// Printing a grid as a table: the cells are scaled from screen to device
// pixels, split into pages across and down, and every page gets a title
// line. The same code serves the printer, PDF files and the tests, on any
// QPagedPaintDevice.
//
// Pages run down first, then across: page p covers page column
// p / pageRows and page row p % pageRows. With headersOnEveryPage the left
// headers open every page column and the top headers every page row, and
// every page leaves room for them; without it they are printed only on the
// first page column (left headers) and the first page row (top headers).
// The table stays within the device's page: on a printer, its printable
// area (see useForTables).

#include "grid/gridprintstate.h"

#include <QString>

#include <functional>

class QFont;
class QPagedPaintDevice;
class QPainter;

namespace wykazki {

class TCellEdi;

// More page columns or page rows than this and the layout is refused.
inline constexpr int kMaxPageColumns = 100;
inline constexpr int kMaxPageRows = 100;

struct TablePrintOptions {
    double scale = 1.0;          // size in percent / 100
    bool selectionOnly = false;  // only the selected range, else every data cell
    bool leftHeaders = true;
    bool topHeaders = true;
    // Off by default so that wkz table keeps its output; the dialog's
    // "Nagłówki na każdej stronie" starts ticked.
    bool headersOnEveryPage = false;
    ColouringMode colouring = ColouringMode::BlackAndWhite;
};

// The grid's font at its size x scale, truncated (1 point at least).
QFont scaledTableFont(const TCellEdi& grid, double scale);

// Lays the table out for device, stores the layout in the grid's print
// state and returns the number of pages; 0 when it would need more than
// 100 page columns or rows (the layout is refused). y is the height already
// used on the current sheet, in device pixels. screenDpi is the resolution
// the grid's sizes are measured in (the grid's logicalDpiY() on screen).
int PrzygotujWydruk(TCellEdi& grid, const QPagedPaintDevice& device, int y,
                    const TablePrintOptions& options, int screenDpi);

// Prints page `page` (from 0) of the last layout at y with painter, which
// is active on device, and moves y below the table. A page outside the
// layout prints nothing. Starts a new sheet first (y = 0) when the title
// would not fit below y or the layout asked for a fresh sheet.
void DrukujStrone(TCellEdi& grid, QPainter& painter, QPagedPaintDevice& device, int page,
                  const QString& title, int& y);

// Prints pages from .. to (inclusive, from 0) of the last layout, every
// page after the first on a new sheet at its top; beforePage(p) runs before
// each page is printed; when it answers false, printing stops there and
// false is returned.
bool printTablePages(TCellEdi& grid, QPainter& painter, QPagedPaintDevice& device, int from, int to,
                     const QString& title, int& y,
                     const std::function<bool(int page)>& beforePage = {});

// The title a page carries: the bare title on a one-page layout, else
// followed by " [x=column : y=row]" counted from 1.
QString pageTitle(const GridPrintState& state, int page, const QString& title);

}  // namespace wykazki
