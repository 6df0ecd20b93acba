// The pages of the main window, in the order of their tabs; a new page is added here. The order is
// also the order in which the pages read their settings, start up and recompute their views.
#include "gui/app/template_main.h"
#include "gui/combs/combs_page.h"
#include "gui/draws/draws_page.h"
#include "gui/stats/draws_stat_page.h"
#include "gui/app/enter_spin_box.h"
#include "gui/filters/form_filter.h"
#include "gui/scripts/script_page.h"
#include "gui/stakes/stakes_page.h"

#include <QItemSelectionModel>
#include <QTableView>

namespace velmora {

void TTemplateMain::CreatePages() {
    AddPage(new TDrawsPage(*this), TPageArea::Lists, tr("Архив тиражей"));
    AddPage(new TCombsPage(*this), TPageArea::Lists, tr("Комбинации"));
    AddPage(new TDrawsStatPage(*this), TPageArea::Main, tr("Статистика"));
    AddPage(new TStakesPage(*this), TPageArea::Main, tr("Ставки"));
    AddPage(new TScriptPage(*this), TPageArea::Main, tr("Сценарий"));
}

// What one page offers another goes through the window, which finds the page by its class.

TFilterDialogSource TTemplateMain::FilterDialogSource() const {
    if (auto* stats = Page<TDrawsStatPage>()) return stats->FilterDialogSource();
    TFilterDialogSource source;
    source.List = &statList_;
    return source;
}

int TTemplateMain::CombsExcludeCount() const {
    auto* combs = Page<TCombsPage>();
    return combs ? combs->edCombsExclude->value() : 0;
}

int TTemplateMain::SelectedCombRow() const {
    auto* combs = Page<TCombsPage>();
    if (!combs) return -1;
    const int current = combs->FocusedCombRow();
    if (current >= 0 && combs->lvCombs->selectionModel()->isRowSelected(current)) return current;
    const std::vector<int> rows = combs->SelectedCombRows();
    return rows.empty() ? -1 : rows.front();
}

bool TTemplateMain::HasCombSelection() const {
    auto* combs = Page<TCombsPage>();
    return combs && !combs_->Empty() && combs->lvCombs->selectionModel()->hasSelection();
}

std::vector<int> TTemplateMain::SelectedCombRows() const {
    auto* combs = Page<TCombsPage>();
    return combs ? combs->SelectedCombRows() : std::vector<int>{};
}

void TTemplateMain::ClearCombSelection() {
    if (auto* combs = Page<TCombsPage>()) combs->lvCombs->clearSelection();
}

} // namespace velmora
