// The grid of the page "Неделя": the counts of the numbers by weekday. Model row r is the weekday
// r + 1 (Monday .. Sunday), model column c the number c + 1; the number texts are the horizontal
// header, the short weekday names of the interface language the vertical one. The body cells are
// shaded from white to red by their share of the largest count.
#pragma once

#include "core/views/weekday_stats.h"

#include <QAbstractTableModel>

namespace velmora {

class TWeekModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetTable(const TWeekdayTable& table);
    const TWeekdayTable& Table() const { return table_; }
    // The count of a model cell (0 for an empty one).
    int32_t Count(int row, int column) const;
    // The short name of a weekday 1..7 in the locale of the interface language.
    static QString WeekdayName(int weekday);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TWeekdayTable table_;
};

} // namespace velmora
