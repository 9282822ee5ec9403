#include "grid/gridheader.h"

#include "grid/celledi.h"

#include <QMouseEvent>

#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace wykazki {

GridHeader::GridHeader(Qt::Orientation orientation, TCellEdi& grid, PressHandler pressed,
                       DragHandler dragged)
    : QHeaderView(orientation, &grid), grid_(grid), pressed_(std::move(pressed)),
      dragged_(std::move(dragged))
{
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Interactive);
    setHighlightSections(false);
    setMouseTracking(true);
}

QSize GridHeader::sizeHint() const
{
    const int across = std::max(ownSize(), 0);
    return orientation() == Qt::Horizontal ? QSize(defaultSectionSize(), across)
                                           : QSize(across, defaultSectionSize());
}

int GridHeader::acrossOf(const QMouseEvent* event) const
{
    const QPoint p = event->position().toPoint();
    return orientation() == Qt::Horizontal ? p.y() : p.x();
}

int GridHeader::ownSize() const
{
    return orientation() == Qt::Horizontal ? grid_.WysInfo() : grid_.SzerInfo();
}

void GridHeader::setOwnSize(int size)
{
    // Never dragged out of sight: a header of 0 could not be grabbed again.
    constexpr int kSmallest = 8;
    constexpr int kLargest = 1000;
    size = std::clamp(size, kSmallest, kLargest);
    if (orientation() == Qt::Horizontal)
        grid_.setWysInfo(size);
    else
        grid_.setSzerInfo(size);
}

bool GridHeader::onOuterEdge(const QMouseEvent* event) const
{
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    return acrossOf(event) >= ownSize() - std::max(grip, 3);
}

int GridHeader::positionOf(const QMouseEvent* event) const
{
    const QPoint p = event->position().toPoint();
    return orientation() == Qt::Horizontal ? p.x() : p.y();
}

int GridHeader::borderAt(int pos) const
{
    const int visual = visualIndexAt(pos);
    if (visual == -1)
        return -1;
    const int logical = logicalIndex(visual);
    const int start = sectionViewportPosition(logical);
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    if (pos < start + grip) {
        // The border before this section belongs to the previous one.
        for (int v = visual - 1; v >= 0; --v) {
            const int previous = logicalIndex(v);
            if (!isSectionHidden(previous))
                return previous;
        }
        return -1;
    }
    if (pos > start + sectionSize(logical) - grip)
        return logical;
    return -1;
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    const bool horizontal = orientation() == Qt::Horizontal;
    const int column = horizontal ? logicalIndex + 1 : 0;
    const int row = horizontal ? 0 : logicalIndex + 1;
    // The last pixel column and row carry the fixed grid lines.
    const QRect cell = rect.adjusted(0, 0, -1, -1);
    painter->setFont(grid_.font());
    painter->setPen(Qt::black);
    CellState state;
    state.fixed = true;
    paintCell(grid_, *painter, column, row, cell, state, ColouringMode::AsOnScreen,
              PaintTarget::Screen);
    painter->fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), Qt::black);
    painter->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), Qt::black);
}

void GridHeader::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && onOuterEdge(event)) {
        dragStart_ = acrossOf(event);
        dragStartSize_ = ownSize();
        event->accept();
        return;
    }
    const int pos = positionOf(event);
    if (borderAt(pos) != -1) {
        QHeaderView::mousePressEvent(event);  // the user resizes
        return;
    }
    const int logical = logicalIndexAt(pos);
    if (logical >= 0) {
        pressed_(logical, event, false);
        if (event->button() == Qt::LeftButton)
            draggedTo_ = logical;
    }
    event->accept();
}

void GridHeader::mouseMoveEvent(QMouseEvent* event)
{
    if (dragStart_ >= 0) {
        setOwnSize(dragStartSize_ + acrossOf(event) - dragStart_);
        event->accept();
        return;
    }
    if (draggedTo_ >= 0 && (event->buttons() & Qt::LeftButton) != 0) {
        // Dragging across the sections widens the selection; beyond the
        // last one it stays at the last.
        const int logical = logicalIndexAt(positionOf(event));
        if (logical >= 0 && logical != draggedTo_) {
            draggedTo_ = logical;
            dragged_(logical);
        }
        event->accept();
        return;
    }
    if (onOuterEdge(event))
        setCursor(orientation() == Qt::Horizontal ? Qt::SplitVCursor : Qt::SplitHCursor);
    else
        unsetCursor();
    QHeaderView::mouseMoveEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event)
{
    draggedTo_ = -1;
    if (dragStart_ >= 0) {
        dragStart_ = -1;
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

void GridHeader::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt would fit a section to its contents on a border double click; the
    // grid has no contents of its own to measure.
    const int pos = positionOf(event);
    if (borderAt(pos) != -1) {
        event->accept();
        return;
    }
    const int logical = logicalIndexAt(pos);
    if (logical >= 0)
        pressed_(logical, event, true);
    event->accept();
}

}  // namespace wykazki
