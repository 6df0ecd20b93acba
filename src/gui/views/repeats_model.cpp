#include "gui/views/repeats_model.h"

#include "gui/app/qt_text.h"

namespace velmora {

void TRepeatsModel::SetAnalysis(TRepeatsAnalysis analysis) {
    beginResetModel();
    analysis_ = std::move(analysis);
    endResetModel();
}

int TRepeatsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(analysis_.Rows.size());
}

int TRepeatsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 4; }

QVariant TRepeatsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TRepeatsRow& row = analysis_.Rows[size_t(index.row())];
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == 1 || index.column() == 2 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    switch (index.column()) {
    case 0: return QString::number(row.Draw);
    case 1: return QString::number(row.Shared);
    case 2: return QString::number(row.Count);
    case 3: return Q(analysis_.ListText(row));
    default: return {};
    }
}

QVariant TRepeatsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case 0: return tr("Тираж");
    case 1: return tr("Совпадений");
    case 2: return tr("Кол-во повторов");
    case 3: return tr("Список тиражей");
    default: return {};
    }
}

} // namespace velmora
