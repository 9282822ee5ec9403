#include "grid/tableprint.h"

#include "grid/celledi.h"
#include "grid/cellpainter.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace wykazki {

namespace {

// Screen sizes become device sizes by the layout's factor, truncated toward
// zero, always added to a running position first.
long long advance(int screenSize, double factor, long long position)
{
    return static_cast<long long>(std::trunc(screenSize * factor + static_cast<double>(position)));
}

// One direction of the layout, in device pixels: where the cells of the
// first page and of every later page start (after the header when it is
// printed there) and how far they may reach.
struct Extent {
    long long firstStart = 0;
    long long laterStart = 0;
    long long firstLimit = 0;
    long long laterLimit = 0;
};

// The breaks of one direction: the first index of every page, then `end`.
// Every later page starts at the cell that no longer fitted, but never
// leaves a page empty when one cell alone is bigger than the page.
std::optional<std::vector<int>> breaksOf(int first, int end, const std::function<int(int)>& size,
                                         double factor, const Extent& extent, int maxPages)
{
    std::vector<int> breaks{first};
    long long position = extent.firstStart;
    long long limit = extent.firstLimit;
    for (int i = first; i < end; ++i) {
        position = advance(size(i), factor, position);
        if (position > limit && i > breaks.back()) {
            if (static_cast<int>(breaks.size()) >= maxPages)
                return std::nullopt;
            breaks.push_back(i);
            position = advance(size(i), factor, extent.laterStart);
            limit = extent.laterLimit;
        }
    }
    breaks.push_back(end);
    return breaks;
}

// A device position for QRect: sizes from a damaged class file may run far
// beyond any sheet, and must not wrap around.
int toPixel(long long position)
{
    constexpr long long kLimit = 1LL << 30;
    return static_cast<int>(std::clamp(position, -kLimit, kLimit));
}

int textHeight(const QFont& font, const QPaintDevice& device)
{
    return QFontMetrics(font, &device).height();
}

// The indexes one page prints in one direction: the header first when it
// is printed there, then the page's own cells.
std::vector<int> pageIndexes(const std::vector<int>& breaks, int page, bool header)
{
    std::vector<int> indexes;
    if (header)
        indexes.push_back(0);
    for (int i = breaks[std::size_t(page)]; i < breaks[std::size_t(page) + 1]; ++i)
        indexes.push_back(i);
    return indexes;
}

}  // namespace

QFont scaledTableFont(const TCellEdi& grid, double scale)
{
    QFont font = grid.font();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 8.0;
    font.setPointSize(std::max(1, static_cast<int>(std::trunc(std::trunc(points) * scale))));
    return font;
}

int PrzygotujWydruk(TCellEdi& grid, const QPagedPaintDevice& device, int y,
                    const TablePrintOptions& options, int screenDpi)
{
    GridPrintState& state = grid.printState();
    state.scale = options.scale;
    state.leftHeaders = options.leftHeaders;
    state.topHeaders = options.topHeaders;
    state.headersOnEveryPage = options.headersOnEveryPage;
    state.colouring = options.colouring;
    state.factor = double(device.logicalDpiY()) * options.scale / double(std::max(1, screenDpi));

    GridRect range{1, 1, grid.gridColumnCount() - 1, grid.gridRowCount() - 1};
    if (options.selectionOnly)
        range = grid.selectedRange();

    const auto width = [&grid](int column) { return grid.columnWidthAt(column); };
    const auto height = [&grid](int row) { return grid.rowHeightAt(row); };
    // The frame's last line is a pixel of its own: the table's columns
    // start at 1 and may reach width - 2, its rows below the title block
    // may reach height - 1.
    const long long pageWidth = device.width() - 2LL;
    const long long pageHeight = device.height() - 1LL;
    const long long titleBlock = 4LL * textHeight(scaledTableFont(grid, options.scale), device);

    const long long headerWidth = options.leftHeaders ? advance(width(0), state.factor, 0) : 0;
    const long long headerHeight = options.topHeaders ? advance(height(0), state.factor, 0) : 0;
    const long long laterHeaderWidth = options.headersOnEveryPage ? headerWidth : 0;
    const long long laterHeaderHeight = options.headersOnEveryPage ? headerHeight : 0;

    auto columns =
        breaksOf(range.left, range.right + 1, width, state.factor,
                 Extent{headerWidth, laterHeaderWidth, pageWidth, pageWidth}, kMaxPageColumns);
    // Below a table already on the sheet; when not even the first row fits
    // there, the table starts on a fresh sheet and may use all of it.
    long long usable = pageHeight - titleBlock - y;
    if (y > 0 && usable < advance(height(range.top), state.factor, headerHeight))
        usable = pageHeight - titleBlock;
    auto rows = breaksOf(range.top, range.bottom + 1, height, state.factor,
                         Extent{headerHeight, laterHeaderHeight, usable, pageHeight - titleBlock},
                         kMaxPageRows);
    if (!columns || !rows) {
        state.pageColumns = 0;
        state.pageRows = 0;
        state.columnBreaks.clear();
        state.rowBreaks.clear();
        return 0;
    }
    state.columnBreaks = std::move(*columns);
    state.rowBreaks = std::move(*rows);
    state.pageColumns = static_cast<int>(state.columnBreaks.size()) - 1;
    state.pageRows = static_cast<int>(state.rowBreaks.size()) - 1;
    return state.pageColumns * state.pageRows;
}

QString pageTitle(const GridPrintState& state, int page, const QString& title)
{
    if (state.pageColumns <= 1 && state.pageRows <= 1)
        return title;
    const int rows = std::max(1, state.pageRows);
    return QStringLiteral("%1 [x=%2 : y=%3]").arg(title).arg(page / rows + 1).arg(page % rows + 1);
}

void DrukujStrone(TCellEdi& grid, QPainter& painter, QPagedPaintDevice& device, int page,
                  const QString& title, int& y)
{
    const GridPrintState& state = grid.printState();
    if (page < 0 || page >= state.pageColumns * state.pageRows)
        return;
    const int pageColumn = page / state.pageRows;
    const int pageRow = page % state.pageRows;
    const std::vector<int> columns =
        pageIndexes(state.columnBreaks, pageColumn,
                    state.leftHeaders && (state.headersOnEveryPage || pageColumn == 0));
    const std::vector<int> rows = pageIndexes(
        state.rowBreaks, pageRow, state.topHeaders && (state.headersOnEveryPage || pageRow == 0));

    const QFont font = scaledTableFont(grid, state.scale);
    painter.setFont(font);
    const int h = textHeight(font, device);

    // A table that does not fit below the one already on the sheet goes
    // to a new sheet rather than over the sheet's bottom edge.
    long long tableHeight = 0;
    for (int row : rows)
        tableHeight = advance(grid.rowHeightAt(row), state.factor, tableHeight);
    if (y > 0 && (device.height() < y + 4LL * h || device.height() <= y + 4LL * h + tableHeight)) {
        device.newPage();
        y = 0;
    }

    painter.setPen(QPen(Qt::black, 0));
    y += 2 * h;
    painter.drawText(QRect(1, y, device.width(), h), Qt::AlignLeft | Qt::AlignTop,
                     pageTitle(state, page, title));
    y += 2 * h;

    // Every cell is framed; the frames of neighbouring cells share their
    // edges, so the frame is drawn once for the whole page as the lines
    // between the columns and rows, after the cells' backgrounds.
    std::vector<int> columnEdges{1};
    for (int column : columns)
        columnEdges.push_back(
            toPixel(advance(grid.columnWidthAt(column), state.factor, columnEdges.back())));
    std::vector<int> rowEdges{y};
    for (int row : rows)
        rowEdges.push_back(toPixel(advance(grid.rowHeightAt(row), state.factor, rowEdges.back())));

    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const QRect cell(QPoint(columnEdges[c], rowEdges[r]),
                             QPoint(columnEdges[c + 1] - 1, rowEdges[r + 1] - 1));
            paintCell(grid, painter, columns[c], rows[r], cell, CellState{}, state.colouring,
                      PaintTarget::Printer);
        }
    }
    painter.setPen(QPen(Qt::black, 0));
    std::vector<QLine> frame;
    frame.reserve(columnEdges.size() + rowEdges.size());
    for (int x : columnEdges)
        frame.emplace_back(x, rowEdges.front(), x, rowEdges.back());
    for (int rowEdge : rowEdges)
        frame.emplace_back(columnEdges.front(), rowEdge, columnEdges.back(), rowEdge);
    painter.drawLines(frame.data(), static_cast<int>(frame.size()));
    y = std::max(y, rowEdges.back());
}

bool printTablePages(TCellEdi& grid, QPainter& painter, QPagedPaintDevice& device, int from, int to,
                     const QString& title, int& y, const std::function<bool(int page)>& beforePage)
{
    for (int page = from; page <= to; ++page) {
        if (beforePage && !beforePage(page))
            return false;
        if (page > from) {
            device.newPage();
            y = 0;
        }
        DrukujStrone(grid, painter, device, page, title, y);
    }
    return true;
}

}  // namespace wykazki
