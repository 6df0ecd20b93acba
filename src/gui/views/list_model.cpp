#include "gui/views/list_model.h"

namespace velmora {

void TListModel::TakeRowCount() {
    rows_ = DataRowCount();
    DropCache();
}

void TListModel::Reset() {
    ResetWith([] {});
}

void TListModel::Repaint() {
    DropCache();
    if (Rows() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(Rows() - 1, columnCount() - 1));
}

int TListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

} // namespace velmora
