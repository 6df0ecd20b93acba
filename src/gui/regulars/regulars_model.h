// The list lvTables: one row per regular stake with its five columns (comment, start combination,
// step, current combination, stakes made), in list order (no sorting).
#pragma once

#include "core/stakes/regular_stake.h"

#include <QAbstractTableModel>

namespace velmora {

class TRegularsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TRegularsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The list the rows show; Refresh after it changed.
    TRegularStakes& Stakes() { return stakes_; }
    const TRegularStakes& Stakes() const { return stakes_; }
    void Refresh();

private:
    TRegularStakes stakes_;
};

} // namespace velmora
