#include "grid/celldelegate.h"

#include "grid/celledi.h"
#include "qtbridge/cp1250text.h"

#include <QLineEdit>
#include <QPainter>

namespace wykazki {

CellDelegate::CellDelegate(TCellEdi& grid) : QStyledItemDelegate(&grid), grid_(grid)
{
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    const int column = index.column() + 1;
    const int row = index.row() + 1;
    CellState state;
    state.selected = grid_.selectedRange().contains(column, row);  // read once per paint
    state.focused = (option.state & QStyle::State_HasFocus) != 0;
    painter->setPen(Qt::black);
    // The last pixel column and row belong to the grid lines.
    paintCell(grid_, *painter, column, row, option.rect.adjusted(0, 0, -1, -1), state,
              ColouringMode::AsOnScreen, PaintTarget::Screen);
}

QSize CellDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const
{
    return {grid_.SzerIo(index.column()), grid_.WysIo(index.row())};
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);  // owned by the view's viewport
    editor->setFrame(false);
    return editor;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* line = static_cast<QLineEdit*>(editor);
    std::string text;
    if (grid_.binds(CellEdiEvent::OnStartEdycji))
        grid_.owner()->editorText(grid_, index.column(), index.row(), text);
    std::string mask;
    if (grid_.binds(CellEdiEvent::OnMaskaEdycji))
        grid_.owner()->editorMask(grid_, index.column(), index.row(), mask);
    line->setInputMask(qstringFromCp1250(mask));
    line->setText(qstringFromCp1250(text));
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                const QModelIndex& index) const
{
    // Characters the code page cannot hold are refused like unusable keys.
    std::string text = cp1250FromQString(static_cast<QLineEdit*>(editor)->text(), Unmappable::Drop);
    if (grid_.binds(CellEdiEvent::OnEdycja))
        grid_.owner()->editorCommitted(grid_, index.column(), index.row(), text);
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

}  // namespace wykazki
