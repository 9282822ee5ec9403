#include "grid/gridmodel.h"

GridModel::GridModel(int columns, int rows, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns), rows_(rows)
{
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant GridModel::data(const QModelIndex&, int) const
{
    return {};
}

QVariant GridModel::headerData(int, Qt::Orientation, int) const
{
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Whether the in-place editor may open is asked of the owner each time.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void GridModel::setColumns(int n)
{
    if (n > columns_) {
        beginInsertColumns({}, columns_, n - 1);
        columns_ = n;
        endInsertColumns();
    } else if (n < columns_) {
        beginRemoveColumns({}, n, columns_ - 1);
        columns_ = n;
        endRemoveColumns();
    }
}

void GridModel::setRows(int n)
{
    if (n > rows_) {
        beginInsertRows({}, rows_, n - 1);
        rows_ = n;
        endInsertRows();
    } else if (n < rows_) {
        beginRemoveRows({}, n, rows_ - 1);
        rows_ = n;
        endRemoveRows();
    }
}
