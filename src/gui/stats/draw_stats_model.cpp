#include "gui/stats/draw_stats_model.h"

#include "gui/app/qt_text.h"
#include "core/util/translate.h"
#include "core/util/text.h"

#include <QCoreApplication>
#include <algorithm>
#include <numeric>

namespace velmora {

TDrawStatsModel::TDrawStatsModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDrawStatsModel::SetRows(std::vector<TDrawStatsRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    SortDrawStatsRows(rows_, sortColumn_, descending_);
    endResetModel();
}

const TDrawStatsRow* TDrawStatsModel::Row(int row) const {
    return row >= 0 && row < int(rows_.size()) ? &rows_[size_t(row)] : nullptr;
}

void TDrawStatsModel::ClickColumn(int column) {
    if (column == sortColumn_)
        SetSort(column, !descending_);
    else
        SetSort(column, false);
}

void TDrawStatsModel::SetSort(int column, bool descending) {
    if (column < 0 || column >= kDrawStatsColumnCount) column = -1;
    sortColumn_ = column;
    descending_ = column >= 0 && descending;
    if (column < 0) return;
    // The rows move; the selection and the focus move with them.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return CompareDrawStatsRows(rows_[a], rows_[b], sortColumn_, descending_) < 0;
    });
    std::vector<TDrawStatsRow> sorted;
    sorted.reserve(rows_.size());
    std::vector<int> newPlace(rows_.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(std::move(rows_[order[i]]));
        newPlace[order[i]] = int(i);
    }
    rows_ = std::move(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex& i : from) to << index(newPlace[size_t(i.row())], i.column());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int TDrawStatsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int TDrawStatsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kDrawStatsColumnCount; }

QVariant TDrawStatsModel::data(const QModelIndex& index, int role) const {
    const TDrawStatsRow* row = index.isValid() ? Row(index.row()) : nullptr;
    if (!row || index.column() >= kDrawStatsColumnCount) return {};
    switch (role) {
    case Qt::DisplayRole:
        return Q(row->Cells[size_t(index.column())]);
    case Qt::TextAlignmentRole:
        return int(index.column() == kColValue ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TDrawStatsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kDrawStatsColumnCount) return {};
    if (role == Qt::DisplayRole) return Q(TrText(kDrawStatsCaptions[size_t(section)]));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

} // namespace velmora
