#include "gui/combs/filters_model.h"

#include "gui/app/qt_text.h"
#include "core/model/game.h"

#include <QPainter>
#include <QPixmap>

namespace velmora {

namespace {

constexpr int kCountColumn = 2;

// A round badge: a green plus for a step that kept combinations, a red minus for one that
// removed them, a blue arrow back for an undone step.
QPixmap Badge(TLogKind kind) {
    const int size = 16;
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill = kind == TLogKind::Keep ? QColor(0x2E, 0x9E, 0x3E)
                        : kind == TLogKind::Remove ? QColor(0xD0, 0x3A, 0x2F)
                                                   : QColor(0x2F, 0x6F, 0xC8);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    QPen pen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const qreal c = size / 2.0;
    if (kind == TLogKind::Undo) {
        p.drawArc(QRectF(c - 3.5, c - 3.5, 7.5, 7.5), 90 * 16, -200 * 16);
        p.drawLine(QPointF(c, c - 3.5), QPointF(c - 2.5, c - 5.5));
        p.drawLine(QPointF(c, c - 3.5), QPointF(c - 2.5, c - 1.5));
    } else {
        p.drawLine(QPointF(c - 4, c), QPointF(c + 4, c));
        if (kind == TLogKind::Keep) p.drawLine(QPointF(c, c - 4), QPointF(c, c + 4));
    }
    return pm;
}

} // namespace

TFiltersModel::TFiltersModel(const TCombSet& combs, QObject* parent)
    : TListModel(parent), combs_(combs), captions_{tr("Примененные фильтры"), tr("Значения"), tr("Комбинаций")} {
    Reset();
}

QIcon TFiltersModel::KindIcon(TLogKind kind) {
    static const QIcon icons[3] = {QIcon(Badge(TLogKind::Keep)), QIcon(Badge(TLogKind::Remove)),
                                   QIcon(Badge(TLogKind::Undo))};
    return icons[int(kind)];
}

int TFiltersModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(captions_.size()); }

QVariant TFiltersModel::data(const QModelIndex& index, int role) const {
    const auto& log = combs_.Log();
    if (!index.isValid() || index.row() >= int(log.size())) return {};
    const TFilterLogLine& line = log[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case 0: return Q(line.Caption);
        case 1: return Q(line.Values);
        case kCountColumn: return role == Qt::DisplayRole ? QVariant(Q(IntToText(line.Count))) : QVariant();
        default: return {};
        }
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(KindIcon(line.Kind)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == kCountColumn ? int(Qt::AlignRight | Qt::AlignVCenter)
                                              : int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TFiltersModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= captions_.size()) return {};
    if (role == Qt::DisplayRole) return captions_[section];
    return {};
}

} // namespace velmora
