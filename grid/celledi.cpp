#include "grid/celledi.h"

#include "grid/celldelegate.h"
#include "grid/celltextcache.h"
#include "grid/columnlabel.h"
#include "grid/gridheader.h"
#include "grid/gridmodel.h"

#include <QAbstractButton>
#include <QItemSelectionModel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <climits>
#include <string>

namespace wykazki {

namespace {

constexpr int kStartColumns = 10;
constexpr int kStartRows = 5;

}  // namespace

TCellEdi::TCellEdi(QWidget* parent)
    : QTableView(parent), textCache_(std::make_unique<CellTextCache>())
{
    model_ = new GridModel(kStartColumns, kStartRows, this);
    model_->setContentSource([this](int column, int row) { return cellContent(column, row); });
    model_->setToolTipSource([this](int column, int row) {
        return owner_ ? owner_->toolTip(*this, column, row) : QString();
    });
    const auto headerPressed = [this](Qt::Orientation orientation) {
        return [this, orientation](int section, QMouseEvent* event, bool doubleClick) {
            headerPress(orientation, section, event, doubleClick);
        };
    };
    const auto headerDragged = [this](Qt::Orientation orientation) {
        return [this, orientation](int section) { extendHeaderSelection(orientation, section); };
    };
    topHeader_ = new GridHeader(Qt::Horizontal, *this, headerPressed(Qt::Horizontal),
                                headerDragged(Qt::Horizontal));
    leftHeader_ = new GridHeader(Qt::Vertical, *this, headerPressed(Qt::Vertical),
                                 headerDragged(Qt::Vertical));
    setHorizontalHeader(topHeader_);
    setVerticalHeader(leftHeader_);
    setSzerInfo(szerInfo_);
    setWysInfo(wysInfo_);
    setModel(model_);
    delegate_ = new CellDelegate(*this);
    setItemDelegate(delegate_);

    // Header clicks are the grid's own (they select, or go to the owner).
    topHeader_->setSectionsClickable(false);
    leftHeader_->setSectionsClickable(false);

    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    // The grid lines are painted by paintGridLines(), the background only
    // beyond the cells (paintEvent).
    setShowGrid(false);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(true);

    setDefaultSzerIo(defaultSzerIo_);
    setDefaultWysIo(defaultWysIo_);

    // The corner is Qt's corner button; it is painted and clicked as the
    // grid's corner cell.
    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);

    setCurrentCell(0, 0);
}

TCellEdi::~TCellEdi() = default;

// ---- Sizes ------------------------------------------------------------------

int TCellEdi::Ilx() const
{
    return model_->columnCount();
}

int TCellEdi::Ily() const
{
    return model_->rowCount();
}

void TCellEdi::setIlx(int n)
{
    setCount(Qt::Horizontal, std::clamp(n, 1, kMaxData), true);
}

void TCellEdi::setIly(int n)
{
    setCount(Qt::Vertical, std::clamp(n, 1, kMaxData), true);
}

void TCellEdi::setCount(Qt::Orientation orientation, int n, bool propagateSize)
{
    const bool columns = orientation == Qt::Horizontal;
    GridHeader* header = columns ? topHeader_ : leftHeader_;
    const int old = columns ? Ilx() : Ily();
    if (n == old)
        return;
    const int lastSize = old > 0 ? header->sectionSize(old - 1) : header->defaultSectionSize();
    const int keepX = PozX();
    const int keepY = PozY();
    if (columns)
        model_->setColumns(n);
    else
        model_->setRows(n);
    if (n > old && propagateSize)
        for (int i = old; i < n; ++i)
            header->resizeSection(i, lastSize);
    // Shrinking may have taken the current cell away.
    if (!currentIndex().isValid() || keepX >= Ilx() || keepY >= Ily())
        setCurrentCell(std::min(keepX, Ilx() - 1), std::min(keepY, Ily() - 1));
}

int TCellEdi::SzerInfo() const
{
    return szerInfo_;
}

void TCellEdi::setSzerInfo(int width)
{
    szerInfo_ = width;
    leftHeader_->setFixedWidth(std::max(width, 0));
    leftHeader_->setVisible(width > 0);
    // The cells move at once, not at the next resize of the grid.
    updateGeometries();
}

int TCellEdi::WysInfo() const
{
    return wysInfo_;
}

void TCellEdi::setWysInfo(int height)
{
    wysInfo_ = height;
    topHeader_->setFixedHeight(std::max(height, 0));
    topHeader_->setVisible(height > 0);
    updateGeometries();
}

void TCellEdi::setDefaultSzerIo(int width)
{
    defaultSzerIo_ = width;
    // Qt resizes every existing section to a new default size.
    topHeader_->setDefaultSectionSize(std::max(width, 0));
}

void TCellEdi::setDefaultWysIo(int height)
{
    defaultWysIo_ = height;
    leftHeader_->setDefaultSectionSize(std::max(height, 0));
}

void TCellEdi::setDefaultJust(TJustTyp just)
{
    defaultJust_ = just;
    Odswiez();
}

void TCellEdi::setZaznaczKolor(TKolor kolor)
{
    zaznaczKolor_ = kolor;
    viewport()->update();
}

void TCellEdi::setKursorKolor(TKolor kolor)
{
    kursorKolor_ = kolor;
    viewport()->update();
}

void TCellEdi::setKursorFontKolor(TKolor kolor)
{
    kursorFontKolor_ = kolor;
    viewport()->update();
}

void TCellEdi::setFontColor(TKolor kolor)
{
    fontColor_ = kolor;
    Odswiez();
}

int TCellEdi::SzerIo(int i) const
{
    return i >= 0 && i < Ilx() ? topHeader_->sectionSize(i) : 0;
}

void TCellEdi::setSzerIo(int i, int width)
{
    if (i >= 0 && i < Ilx())
        topHeader_->resizeSection(i, std::max(width, 0));
}

int TCellEdi::WysIo(int i) const
{
    return i >= 0 && i < Ily() ? leftHeader_->sectionSize(i) : 0;
}

void TCellEdi::setWysIo(int i, int height)
{
    if (i >= 0 && i < Ily())
        leftHeader_->resizeSection(i, std::max(height, 0));
}

int TCellEdi::columnWidthAt(int column) const
{
    return column == 0 ? szerInfo_ : SzerIo(column - 1);
}

int TCellEdi::rowHeightAt(int row) const
{
    return row == 0 ? wysInfo_ : WysIo(row - 1);
}

// ---- Current cell and selection -------------------------------------------

int TCellEdi::PozX() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : 0;
}

int TCellEdi::PozY() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : 0;
}

void TCellEdi::setPozX(int x)
{
    setCurrentCell(std::clamp(x, 0, Ilx() - 1), PozY());
}

void TCellEdi::setPozY(int y)
{
    setCurrentCell(PozX(), std::clamp(y, 0, Ily() - 1));
}

void TCellEdi::setCurrentCell(int x, int y)
{
    const QModelIndex index = model_->index(y, x);
    // Through the view, so that keyboard range selection starts here too.
    QAbstractItemView::setCurrentIndex(index);
    const GridRect single{x + 1, y + 1, x + 1, y + 1};
    if (computeSelectedRange() != single || selectionModel()->selection().size() != 1)
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
}

GridRect TCellEdi::computeSelectedRange() const
{
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        const int c = currentColumn();
        const int r = currentRow();
        return {c, r, c, r};
    }
    GridRect range{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const QItemSelectionRange& part : selection) {
        range.left = std::min(range.left, part.left() + 1);
        range.top = std::min(range.top, part.top() + 1);
        range.right = std::max(range.right, part.right() + 1);
        range.bottom = std::max(range.bottom, part.bottom() + 1);
    }
    return range;
}

GridRect TCellEdi::selectedRange() const
{
    return painting_ ? paintSelection_ : computeSelectedRange();
}

void TCellEdi::selectRange(const GridRect& wanted)
{
    GridRect range;
    range.left = std::clamp(std::min(wanted.left, wanted.right), 1, Ilx());
    range.right = std::clamp(std::max(wanted.left, wanted.right), 1, Ilx());
    range.top = std::clamp(std::min(wanted.top, wanted.bottom), 1, Ily());
    range.bottom = std::clamp(std::max(wanted.top, wanted.bottom), 1, Ily());
    if (!range.contains(currentColumn(), currentRow()))
        setCurrentCell(range.left - 1, range.top - 1);
    const QItemSelection selection(model_->index(range.top - 1, range.left - 1),
                                   model_->index(range.bottom - 1, range.right - 1));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

int TCellEdi::firstVisibleColumn() const
{
    const int x = columnAt(0);
    return x < 0 ? 1 : x + 1;
}

int TCellEdi::firstVisibleRow() const
{
    const int y = rowAt(0);
    return y < 0 ? 1 : y + 1;
}

int TCellEdi::visibleColumnCount() const
{
    const int first = firstVisibleColumn() - 1;
    int last = columnAt(viewport()->width() - 1);
    if (last < 0)
        last = Ilx() - 1;
    return std::max(0, last - first + 1);
}

int TCellEdi::visibleRowCount() const
{
    const int first = firstVisibleRow() - 1;
    int last = rowAt(viewport()->height() - 1);
    if (last < 0)
        last = Ily() - 1;
    return std::max(0, last - first + 1);
}

QRect TCellEdi::cellRect(int column, int row) const
{
    return visualRect(model_->index(row - 1, column - 1));
}

// ---- Repaints ---------------------------------------------------------------

void TCellEdi::OdswiezOczko(int x, int y)
{
    const QRect rect = visualRect(model_->index(y, x));
    if (rect.isValid())
        viewport()->update(rect);
}

void TCellEdi::OdswiezWiersz(int y)
{
    if (y < 0 || y >= Ily())
        return;
    leftHeader_->repaintSection(y);
    viewport()->update(QRect(0, rowViewportPosition(y), viewport()->width(), rowHeight(y)));
}

void TCellEdi::OdswiezKolumne(int x)
{
    if (x < 0 || x >= Ilx())
        return;
    topHeader_->repaintSection(x);
    viewport()->update(QRect(columnViewportPosition(x), 0, columnWidth(x), viewport()->height()));
}

void TCellEdi::Odswiez()
{
    viewport()->update();
    topHeader_->viewport()->update();
    leftHeader_->viewport()->update();
    if (corner_)
        corner_->update();
}

void TCellEdi::paintEvent(QPaintEvent* event)
{
    // The cells cover the viewport up to the last column and row; only
    // what lies beyond them needs the background (the viewport is opaque,
    // so nothing under it is painted first).
    const int right = columnViewportPosition(Ilx() - 1) + columnWidth(Ilx() - 1);
    const int bottom = rowViewportPosition(Ily() - 1) + rowHeight(Ily() - 1);
    const QRegion beyond = event->region().subtracted(QRect(0, 0, right, bottom));
    if (!beyond.isEmpty()) {
        QPainter painter(viewport());
        for (const QRect& rect : beyond)
            painter.fillRect(rect, viewport()->palette().brush(viewport()->backgroundRole()));
    }
    paintSelection_ = computeSelectedRange();
    painting_ = true;
    QTableView::paintEvent(event);
    painting_ = false;
    paintGridLines(event->rect());
}

void TCellEdi::paintGridLines(const QRect& area)
{
    // Each cell leaves its last pixel column and row to the grid lines.
    // Drawn here as one strip per visible column and row: Qt's own grid
    // strokes two lines per cell, which costs more than the cells.
    const int firstColumn = std::max(columnAt(area.left()), 0);
    int lastColumn = columnAt(area.right());
    if (lastColumn < 0)
        lastColumn = Ilx() - 1;
    const int firstRow = std::max(rowAt(area.top()), 0);
    int lastRow = rowAt(area.bottom());
    if (lastRow < 0)
        lastRow = Ily() - 1;
    const int right = columnViewportPosition(Ilx() - 1) + columnWidth(Ilx() - 1);
    const int bottom = rowViewportPosition(Ily() - 1) + rowHeight(Ily() - 1);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor colour = QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    QPainter painter(viewport());
    for (int x = firstColumn; x <= lastColumn; ++x) {
        const int width = columnWidth(x);
        if (width > 0)
            painter.fillRect(QRect(columnViewportPosition(x) + width - 1, area.top(), 1,
                                   std::min(area.bottom() + 1, bottom) - area.top()),
                             colour);
    }
    for (int y = firstRow; y <= lastRow; ++y) {
        const int height = rowHeight(y);
        if (height > 0)
            painter.fillRect(QRect(area.left(), rowViewportPosition(y) + height - 1,
                                   std::min(area.right() + 1, right) - area.left(), 1),
                             colour);
    }
}

// ---- The cell-change report ---------------------------------------------------

void TCellEdi::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    scheduleCellChangeReport();
}

void TCellEdi::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTableView::selectionChanged(selected, deselected);
    scheduleCellChangeReport();
}

void TCellEdi::scheduleCellChangeReport()
{
    // Qt changes the current cell and the selection in several steps (a
    // press selects one cell before a drag makes a range); the report looks
    // at where they came to rest, as a paint after the event would.
    if (reportPending_)
        return;
    reportPending_ = true;
    QMetaObject::invokeMethod(this, &TCellEdi::reportCellChange, Qt::QueuedConnection);
}

void TCellEdi::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    watchWindowUpdates();
}

void TCellEdi::watchWindowUpdates()
{
    // The window is known for sure only once the grid is shown: a window
    // builds its grid inside a widget it places afterwards.
    QWidget* top = window();
    if (top == watchedWindow_)
        return;
    if (watchedWindow_)
        watchedWindow_->removeEventFilter(this);
    watchedWindow_ = top;
    top->installEventFilter(this);
}

void TCellEdi::reportCellChange()
{
    reportPending_ = false;
    const GridRect selection = computeSelectedRange();
    if (!selection.isSingleCell())
        return;  // a range of several cells reports nothing
    const int x = selection.left - 1;
    const int y = selection.top - 1;
    if (x == lastX_ && y == lastY_)
        return;
    const int oldx = lastX_;
    const int oldy = lastY_;
    // Stored first, so that a handler that moves the cell again is
    // reported afresh rather than over this one.
    lastX_ = x;
    lastY_ = y;
    if (binds(CellEdiEvent::OnZmianaKomorki))
        owner_->cellChanged(*this, oldx, oldy);
}

// ---- What painting reads -------------------------------------------------------

TTekstOczka TCellEdi::cellContent(int column, int row)
{
    const bool dataCell = column != 0 && row != 0;
    TTekstOczka ato(dataCell ? oczkoKolor_ : infoKolor_, defaultJust_);
    if (column == 0 && row == 0)
        return ato;
    if (column == 0) {
        if (binds(CellEdiEvent::OnLeftInfo)) {
            owner_->rowHeader(*this, row - 1, ato);
        } else {
            ato.tekst[0] = std::to_string(row);
            ato.just[0] = TJustTyp::Centralnie;
        }
    } else if (row == 0) {
        if (binds(CellEdiEvent::OnTopInfo)) {
            owner_->columnHeader(*this, column - 1, ato);
        } else {
            ato.tekst[0] = columnLabel(column - 1);
            ato.just[0] = TJustTyp::Centralnie;
        }
    } else if (binds(CellEdiEvent::OnOczko)) {
        owner_->cellText(*this, column - 1, row - 1, ato);
    }
    return ato;
}

GridColours TCellEdi::colours() const
{
    return {fontColor_, kursorFontKolor_, kursorKolor_, zaznaczKolor_, oczkoKolor_, infoKolor_};
}

bool TCellEdi::isCurrentCell(int column, int row) const
{
    return column == currentColumn() && row == currentRow();
}

void TCellEdi::ownerGraphics(QPainter& painter, int column, int row, QPoint topLeft)
{
    if (binds(CellEdiEvent::OnGrafOczko))
        owner_->cellGraphics(*this, painter, column - 1, row - 1, topLeft.x(), topLeft.y());
}

bool TCellEdi::hasCornerButtons() const
{
    return binds(CellEdiEvent::OnLeftTopAkcja);
}

// ---- Selection walk ---------------------------------------------------------

void TCellEdi::StartZaznaczenia(int tryb)
{
    const GridRect range = selectedRange();
    walkMode_ = tryb;
    walkX_ = range.left - 1;
    walkY_ = range.top - 1;
}

bool TCellEdi::NastepneZaznaczone(int& x, int& y)
{
    const GridRect range = selectedRange();
    const int left = range.left - 1;
    const int top = range.top - 1;
    const int right = range.right - 1;
    const int bottom = range.bottom - 1;
    switch (walkMode_) {
    case 0:
        if (walkX_ > right || walkY_ > bottom)
            return false;
        x = walkX_;
        y = walkY_;
        if (++walkY_ > bottom) {
            walkY_ = top;
            ++walkX_;
        }
        return true;
    case 1:
        if (walkX_ > right)
            return false;
        x = walkX_++;
        y = top;
        return true;
    case 2:
        if (walkY_ > bottom)
            return false;
        x = left;
        y = walkY_++;
        return true;
    default: return false;
    }
}

}  // namespace wykazki
