#pragma once
// The model behind TCellEdi's view: a size, and the texts the grid's owner
// gives, asked afresh each time. The grid paints from its owner directly;
// the texts here are for screen readers and model checks, so no cell data
// lives here.

#include "grid/tekstoczka.h"

#include <QAbstractTableModel>

#include <functional>

namespace wykazki {

class GridModel : public QAbstractTableModel {
public:
    // What the grid shows at (column, row), counted from 1; 0 is the
    // header row or column.
    using ContentSource = std::function<TTekstOczka(int column, int row)>;
    // The tooltip at (column, row), counted the same way; empty for none.
    using ToolTipSource = std::function<QString(int column, int row)>;

    GridModel(int columns, int rows, QObject* parent);

    void setContentSource(ContentSource source) { content_ = std::move(source); }
    void setToolTipSource(ToolTipSource source) { toolTip_ = std::move(source); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Grow or shrink at the end; the view keeps the other sections' sizes.
    void setColumns(int n);
    void setRows(int n);

private:
    int columns_;
    int rows_;
    ContentSource content_;
    ToolTipSource toolTip_;
};

}  // namespace wykazki
