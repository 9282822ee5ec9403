#pragma once
// TCellEdi's header column (vertical) and header row (horizontal). Every
// section is painted by the grid's cell painting; a press on a section
// border resizes as Qt does, any other press is the grid's header click.
// The header's own outer edge (the right edge of the header column, the
// bottom edge of the header row) is dragged to resize the header itself.

#include <QHeaderView>

#include <functional>

namespace wykazki {

class TCellEdi;

class GridHeader : public QHeaderView {
public:
    // A press on a section (not on a border) or the second press of a
    // double click on one.
    using PressHandler = std::function<void(int section, QMouseEvent* event, bool doubleClick)>;
    // The left button, pressed on a section, has been dragged onto another.
    using DragHandler = std::function<void(int section)>;

    GridHeader(Qt::Orientation orientation, TCellEdi& grid, PressHandler pressed,
               DragHandler dragged);

    // Qt keeps this protected; the grid's row and column repaints need it.
    void repaintSection(int logicalIndex) { updateSection(logicalIndex); }

    // The section whose trailing border lies under pos (a viewport
    // coordinate along the header), or -1 - the same grip Qt resizes with.
    int borderAt(int pos) const;

    // The grid sets the header's thickness (the info column's width, the
    // info row's height). Qt's hint measures the text of up to 200
    // sections, and the table asks for it at every relayout.
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int positionOf(const QMouseEvent* event) const;
    // Across the header: x in the header column, y in the header row.
    int acrossOf(const QMouseEvent* event) const;
    bool onOuterEdge(const QMouseEvent* event) const;
    int ownSize() const;
    void setOwnSize(int size);

    TCellEdi& grid_;
    PressHandler pressed_;
    DragHandler dragged_;
    // While the left button drags across sections: the last one reported.
    int draggedTo_ = -1;
    // While the outer edge is dragged: where the drag started and the size then.
    int dragStart_ = -1;
    int dragStartSize_ = 0;
};

}  // namespace wykazki
