#pragma once
// The model behind TCellEdi's view: a size and nothing else. The grid asks
// its owner for every text while painting, so no cell data lives here.

#include <QAbstractTableModel>

class GridModel : public QAbstractTableModel {
public:
    GridModel(int columns, int rows, QObject* parent);

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
};
