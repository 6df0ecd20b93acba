#include "gui/views/column_fit.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace velmora {

void WidenColumnsToContents(QTableView* view) {
    auto* base = static_cast<QAbstractItemView*>(view);
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        if (view->isColumnHidden(c)) continue;
        const int need = std::max(base->sizeHintForColumn(c), view->horizontalHeader()->sectionSizeHint(c));
        if (need > view->columnWidth(c)) view->setColumnWidth(c, need);
    }
}

} // namespace velmora
