// The statistic filters of the main window: keeping or deleting the combinations that have the
// values of the rows selected in the statistics table, and what the filter dialog takes from the
// statistics page.
#include "core/filters/stat_filter.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/combs/enter_spin_box.h"
#include "gui/filters/form_filter.h"
#include "gui/model/draw_stats_model.h"

#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

namespace velmora {

void TTemplateMain::AddStatFilterCommands() {
    AddCommand("StatFilter_Include", tr("Оставить выделенные"), QKeySequence(Qt::Key_F7),
               tr("Оставить выделенные"), &TTemplateMain::StatFilter_IncludeUpdate,
               &TTemplateMain::StatFilter_IncludeExecute);
    AddCommand("StatFilter_Exclude", tr("Удалить выделенные"), QKeySequence(Qt::CTRL | Qt::Key_F7),
               tr("Удалить выделенные"), &TTemplateMain::StatFilter_ExcludeUpdate,
               &TTemplateMain::StatFilter_ExcludeExecute);
}

std::vector<int> TTemplateMain::SelectedStatRows() const {
    std::vector<int> rows;
    for (const QModelIndex& i : lvDrawsStat->selectionModel()->selectedRows()) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TTemplateMain::ApplyStatFilter(TCustomStat* stat, TFilterAction action) {
    TBusy busy(this);
    try {
        const TTableSelection selection = drawsStatModel_->SelectedValues(SelectedStatRows());
        if (!selection.Values.empty()) {
            std::unique_ptr<TCustomStat> own;
            if (!stat) {
                own = statList_.CreateSelectedStat(SelectedStatMethod(), S(cbDrawsStatType->objectName()));
                stat = own.get();
            }
            // The pass shows its status text through the window's progress sink.
            velmora::ApplyStatFilter(*combs_, *stat, selection.Values, action, draws_,
                                     S(cbDrawsStatType->currentText()), selection.Text, 0, Progress());
        }
    } catch (...) {
        UpdateCombList();
        SetStatusText(QString());
        throw;
    }
    UpdateCombList();
    SetStatusText(QString());
}

TFilterDialogSource TTemplateMain::FilterDialogSource() const {
    TFilterDialogSource source;
    source.List = &statList_;
    for (int k = 0; k < cbDrawsStatType->count(); ++k)
        source.Items.push_back({cbDrawsStatType->itemText(k), cbDrawsStatType->itemData(k).toInt()});
    source.CurrentItem = cbDrawsStatType->currentIndex();
    source.SampleLength = edDrawsStatLen->value();
    return source;
}

// ---- commands ---------------------------------------------------------------------------------

bool TTemplateMain::StatFilter_IncludeUpdate() const {
    return !combs_->Empty() && lvDrawsStat->selectionModel()->hasSelection();
}

void TTemplateMain::StatFilter_IncludeExecute() {
    TBusy busy(this);
    combs_->SaveUndo(true, Progress());
    ApplyStatFilter(nullptr, TFilterAction::Keep);
}

bool TTemplateMain::StatFilter_ExcludeUpdate() const { return StatFilter_IncludeUpdate(); }

void TTemplateMain::StatFilter_ExcludeExecute() {
    TBusy busy(this);
    combs_->SaveUndo(true, Progress());
    ApplyStatFilter(nullptr, TFilterAction::Delete);
}

} // namespace velmora
