#include "gui/regulars/regulars_model.h"

#include "core/util/translate.h"
#include "gui/app/qt_text.h"

namespace velmora {

TRegularsModel::TRegularsModel(QObject* parent) : QAbstractTableModel(parent) {}

int TRegularsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(stakes_.size());
}

int TRegularsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRegularListColumns;
}

QVariant TRegularsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole) return Q(RegularListCells(stakes_[size_t(index.row())])[size_t(index.column())]);
    // The comment reads from the left; the numbers are centred.
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    return {};
}

QVariant TRegularsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kRegularListColumns) return {};
    if (role == Qt::DisplayRole) return Q(TrText(kRegularListCaptions[size_t(section)]));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(section == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    return {};
}

void TRegularsModel::Refresh() {
    beginResetModel();
    endResetModel();
}

} // namespace velmora
