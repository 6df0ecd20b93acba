// The statistic filters of the page "Статистика": keeping or deleting the combinations that have
// the values of the rows selected in the statistics table, and what the filter dialog takes from
// the page.
#include "core/filters/stat_filter.h"
#include "gui/app/enter_spin_box.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/filters/form_filter.h"
#include "gui/stats/draw_stats_model.h"
#include "gui/stats/draws_stat_page.h"

#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

namespace velmora {

void TDrawsStatPage::AddStatFilterCommands() {
    AddCommand("StatFilter_Include", tr("Оставить выделенные"), QKeySequence(Qt::Key_F7), tr("Оставить выделенные"),
               &TDrawsStatPage::StatFilter_IncludeUpdate, &TDrawsStatPage::StatFilter_IncludeExecute);
    AddCommand("StatFilter_Exclude", tr("Удалить выделенные"), QKeySequence(Qt::CTRL | Qt::Key_F7),
               tr("Удалить выделенные"), &TDrawsStatPage::StatFilter_ExcludeUpdate,
               &TDrawsStatPage::StatFilter_ExcludeExecute);
}

std::vector<int> TDrawsStatPage::SelectedStatRows() const {
    std::vector<int> rows;
    for (const QModelIndex& i : lvDrawsStat->selectionModel()->selectedRows()) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TDrawsStatPage::ApplyStatFilter(TCustomStat* stat, TFilterAction action) {
    TBusy busy(&Window());
    try {
        const TTableSelection selection = drawsStatModel_->SelectedValues(SelectedStatRows());
        if (!selection.Values.empty()) {
            std::unique_ptr<TCustomStat> own;
            if (!stat) {
                own = Window().StatList().CreateSelectedStat(SelectedStatMethod(), S(cbDrawsStatType->objectName()));
                stat = own.get();
            }
            // The pass shows its status text through the window's progress sink.
            velmora::ApplyStatFilter(Window().Combs(), *stat, selection.Values, action, Window().Draws(),
                                     S(cbDrawsStatType->currentText()), selection.Text, 0, Window().Progress());
        }
    } catch (...) {
        Window().NotifyCombsChanged();
        Window().SetStatusText(QString());
        throw;
    }
    Window().NotifyCombsChanged();
    Window().SetStatusText(QString());
}

TFilterDialogSource TDrawsStatPage::FilterDialogSource() const {
    TFilterDialogSource source;
    source.List = &Window().StatList();
    for (int k = 0; k < cbDrawsStatType->count(); ++k)
        source.Items.push_back({cbDrawsStatType->itemText(k), cbDrawsStatType->itemData(k).toInt()});
    source.CurrentItem = cbDrawsStatType->currentIndex();
    source.SampleLength = edDrawsStatLen->value();
    return source;
}

// ---- commands ---------------------------------------------------------------------------------

bool TDrawsStatPage::StatFilter_IncludeUpdate() const {
    return !Window().Combs().Empty() && lvDrawsStat->selectionModel()->hasSelection();
}

void TDrawsStatPage::StatFilter_IncludeExecute() {
    TBusy busy(&Window());
    Window().Combs().SaveUndo(true, Window().Progress());
    ApplyStatFilter(nullptr, TFilterAction::Keep);
}

bool TDrawsStatPage::StatFilter_ExcludeUpdate() const { return StatFilter_IncludeUpdate(); }

void TDrawsStatPage::StatFilter_ExcludeExecute() {
    TBusy busy(&Window());
    Window().Combs().SaveUndo(true, Window().Progress());
    ApplyStatFilter(nullptr, TFilterAction::Delete);
}

} // namespace velmora
