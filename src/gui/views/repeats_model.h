// The list of the repeats window: one row per analysed draw and number of shared numbers, with
// the count of the earlier draws sharing them and their numbers.
#pragma once

#include "core/views/repeats_analysis.h"

#include <QAbstractTableModel>

namespace velmora {

class TRepeatsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetAnalysis(TRepeatsAnalysis analysis);
    const TRepeatsAnalysis& Analysis() const { return analysis_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TRepeatsAnalysis analysis_;
};

} // namespace velmora
