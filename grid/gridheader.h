#pragma once
// TCellEdi's header column (vertical) and header row (horizontal). Every
// section is painted by the grid's cell painting; a press on a section
// border resizes as Qt does, any other press is the grid's header click.

#include <QHeaderView>

class TCellEdi;

class GridHeader : public QHeaderView {
public:
    GridHeader(Qt::Orientation orientation, TCellEdi& grid);

    // Qt keeps this protected; the grid's row and column repaints need it.
    void repaintSection(int logicalIndex) { updateSection(logicalIndex); }

    // The section whose trailing border lies under pos (a viewport
    // coordinate along the header), or -1 - the same grip Qt resizes with.
    int borderAt(int pos) const;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int positionOf(const QMouseEvent* event) const;

    TCellEdi& grid_;
};
