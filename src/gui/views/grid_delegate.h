// The painting of a cell of the coloured grids of the views (the draws card, the layout scheme):
// the cell filled with its colour (the model's BackgroundRole, else the view's base colour; the
// highlight when selected or focused) and its text centred horizontally, two pixels below the
// top.
#pragma once

#include <QStyledItemDelegate>

namespace velmora {

class TGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace velmora
