#include "gui/views/layout_model.h"

#include "gui/app/qt_text.h"

#include <algorithm>

namespace velmora {

void TLayoutModel::SetScheme(TLayoutScheme scheme) {
    beginResetModel();
    scheme_ = std::move(scheme);
    endResetModel();
}

void TLayoutModel::SetGradient(bool on) {
    gradient_ = on;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

int TLayoutModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : scheme_.RowCount() - 1; }

int TLayoutModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : scheme_.ColumnCount() - 1;
}

QVariant TLayoutModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1, column = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return Q(scheme_.CellText(row, column));
    case Qt::BackgroundRole:
        return BgrColor(LayoutCellColour(scheme_.CellText(row, column), row, column, scheme_.RowCount(),
                                         scheme_.ColumnCount(), gradient_));
    case Qt::TextAlignmentRole: return int(Qt::AlignHCenter | Qt::AlignTop);
    default: return {};
    }
}

QVariant TLayoutModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    return Q(orientation == Qt::Horizontal ? scheme_.CellText(0, section + 1) : scheme_.CellText(section + 1, 0));
}

void TLayoutCompareModel::SetList(TLayoutCompareList list) {
    beginResetModel();
    list_ = std::move(list);
    Sort();
    endResetModel();
}

void TLayoutCompareModel::ClickColumn(int column) {
    if (column < 0 || column > 1) return;
    descending_ = column == sortColumn_ ? !descending_ : false;
    sortColumn_ = column;
    beginResetModel();
    Sort();
    endResetModel();
}

void TLayoutCompareModel::Sort() {
    if (sortColumn_ < 0) return;
    auto less = [this](const TLayoutCompareRow& a, const TLayoutCompareRow& b) {
        if (sortColumn_ == 0) return a.Count < b.Count;
        return Q(a.Numbers).localeAwareCompare(Q(b.Numbers)) < 0;
    };
    std::stable_sort(list_.Rows.begin(), list_.Rows.end(),
                     [&](const TLayoutCompareRow& a, const TLayoutCompareRow& b) { return descending_ ? less(b, a) : less(a, b); });
}

int TLayoutCompareModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(list_.Rows.size()); }

int TLayoutCompareModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant TLayoutCompareModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(list_.Rows.size())) return {};
    const TLayoutCompareRow& r = list_.Rows[size_t(index.row())];
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && index.column() == 1))
        return index.column() == 0 ? QString::number(r.Count) : Q(r.Numbers);
    return {};
}

QVariant TLayoutCompareModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    return section == 0 ? tr("Кол-во") : Q(list_.Title);
}

} // namespace velmora
