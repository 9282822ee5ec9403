#pragma once
// Paints every data cell of a TCellEdi through the grid's cell painting and
// runs the in-place editor's events (OnStartEdycji, OnMaskaEdycji, OnEdycja)
// through the grid's owner.

#include <QStyledItemDelegate>

namespace wykazki {

class TCellEdi;

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(TCellEdi& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    TCellEdi& grid_;
};

}  // namespace wykazki
