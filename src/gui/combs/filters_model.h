// The applied-filters list lvFilters over the log of the combination set: caption, values text
// and the size of the set after the step, with an icon for the kind of step (keep, remove, undo).
#pragma once

#include "core/combs/comb_set.h"

#include "gui/views/list_model.h"
#include <QIcon>
#include <QStringList>

namespace velmora {

class TFiltersModel : public TListModel {
    Q_OBJECT
public:
    explicit TFiltersModel(const TCombSet& combs, QObject* parent = nullptr);

    // The icon of a kind of step.
    static QIcon KindIcon(TLogKind kind);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int DataRowCount() const override { return int(combs_.Log().size()); }

    const TCombSet& combs_;
    QStringList captions_;
};

} // namespace velmora
