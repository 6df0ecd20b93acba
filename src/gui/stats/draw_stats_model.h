// The draw statistics table lvDrawsStat as a virtual table over the rows of the last computation;
// each row keeps its value record. A click on a column header sorts by that column ascending, a
// second click on the same column turns the direction; the sort stays for the next rows.
#pragma once

#include "core/combs/draw_stats.h"

#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace velmora {

class TDrawStatsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDrawStatsModel(QObject* parent = nullptr);

    // New rows in the statistic's list order; the current sort is applied to them.
    void SetRows(std::vector<TDrawStatsRow> rows);
    void Clear() { SetRows({}); }
    const TDrawStatsRow* Row(int row) const;
    // The value records of the given rows in the given order (rows outside the table skipped)
    // and their "Значение" texts joined by "; ": what a filter step selects and logs.
    TTableSelection SelectedValues(const std::vector<int>& rows) const { return SelectTableRows(rows_, rows); }

    // The header click: the same column turns the direction, another one sorts ascending.
    void ClickColumn(int column);
    // The sort column (-1: the list's order) and direction.
    void SetSort(int column, bool descending);
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return descending_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<TDrawStatsRow> rows_;
    int sortColumn_ = -1;
    bool descending_ = false;
};

} // namespace velmora
