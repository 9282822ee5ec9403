#include "grid/gridmodel.h"

#include "qtbridge/cp1250text.h"

#include <algorithm>

namespace wykazki {

namespace {

// The parts of a cell side by side, as a reader would say them.
QString spokenText(const TTekstOczka& content)
{
    QString text;
    const int parts = std::clamp(content.ile, 1, TTekstOczka::kMostParts);
    for (std::size_t i = 0; i < static_cast<std::size_t>(parts); ++i) {
        const QString part = qstringFromCp1250(content.tekst[i]).trimmed();
        if (part.isEmpty())
            continue;
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += part;
    }
    return text;
}

bool isTextRole(int role)
{
    return role == Qt::DisplayRole || role == Qt::AccessibleTextRole;
}

}  // namespace

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

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::ToolTipRole && toolTip_ && checkIndex(index, CheckIndexOption::IndexIsValid)) {
        const QString tip = toolTip_(index.column() + 1, index.row() + 1);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    if (!content_ || !isTextRole(role) || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return spokenText(content_(index.column() + 1, index.row() + 1));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const int count = orientation == Qt::Horizontal ? columns_ : rows_;
    if (role == Qt::ToolTipRole && toolTip_ && section >= 0 && section < count) {
        const QString tip =
            orientation == Qt::Horizontal ? toolTip_(section + 1, 0) : toolTip_(0, section + 1);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    if (!content_ || !isTextRole(role) || section < 0 || section >= count)
        return {};
    return spokenText(orientation == Qt::Horizontal ? content_(section + 1, 0)
                                                    : content_(0, section + 1));
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

}  // namespace wykazki
