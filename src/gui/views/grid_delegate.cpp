#include "gui/views/grid_delegate.h"

#include <QPainter>

namespace velmora {

void TGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool highlighted = option.state & (QStyle::State_Selected | QStyle::State_HasFocus);
    QColor fill = option.palette.color(QPalette::Base);
    QColor ink = option.palette.color(QPalette::Text);
    if (highlighted) {
        fill = option.palette.color(QPalette::Highlight);
        ink = option.palette.color(QPalette::HighlightedText);
    } else if (const QVariant v = index.data(Qt::BackgroundRole); v.canConvert<QColor>()) {
        fill = v.value<QColor>();
    }
    painter->fillRect(option.rect, fill);
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) return;
    painter->save();
    painter->setPen(ink);
    painter->setFont(option.font);
    const QRect r = option.rect.adjusted(1, 2, -1, 0);
    const QString shown = option.fontMetrics.elidedText(text, Qt::ElideRight, r.width());
    painter->drawText(r, Qt::AlignHCenter | Qt::AlignTop, shown);
    painter->restore();
}

} // namespace velmora
