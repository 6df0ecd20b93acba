// The combination list lvCombs as a virtual table over the combination set: row i is the i-th
// combination of the current set; cells come from the set on demand.
#pragma once

#include "core/combs/comb_set.h"

#include "gui/views/list_model.h"

namespace velmora {

class TCombsModel : public TListModel {
    Q_OBJECT
public:
    explicit TCombsModel(const TCombSet& combs, QObject* parent = nullptr);

    // Channel colours of the number cells ("ColorCombs"); the other cells are then white.
    void SetColorCombs(bool on);
    bool ColorCombs() const { return colorCombs_; }
    void SetChannelSize(int size);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int DataRowCount() const override { return combs_.Count(); }

    const TCombSet& combs_;
    bool colorCombs_ = true;
    int channelSize_ = 5;
};

} // namespace velmora
