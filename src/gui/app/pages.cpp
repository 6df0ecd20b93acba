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
#include "gui/systems/systems_page.h"
#include "gui/ratings/ratings_page.h"
#include "gui/regulars/regulars_page.h"
#include "gui/views/card_page.h"
#include "gui/views/graph_page.h"
#include "gui/views/layout_page.h"
#include "gui/views/weekday_page.h"

#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>

namespace velmora {

void TTemplateMain::CreatePages() {
    AddPage(new TDrawsPage(*this), TPageArea::Lists, tr("Архив тиражей"));
    AddPage(new TCombsPage(*this), TPageArea::Lists, tr("Комбинации"));
    AddPage(new TDrawsStatPage(*this), TPageArea::Main, tr("Статистика"));
    AddPage(new TGraphPage(*this), TPageArea::Main, tr("Графики"));
    AddPage(new TCardPage(*this), TPageArea::Main, tr("Карта"));
    AddPage(new TLayoutPage(*this), TPageArea::Main, tr("Схема"));
    AddPage(new TWeekdayPage(*this), TPageArea::Main, tr("Неделя"));
    AddPage(new TStakesPage(*this), TPageArea::Main, tr("Ставки"));
    AddPage(new TRatingsPage(*this), TPageArea::Main, tr("Рейтинг"));
    AddPage(new TRegularsPage(*this), TPageArea::Main, tr("Регуляры"));
    AddPage(new TSystemsPage(*this), TPageArea::Main, tr("Системы"));
    AddPage(new TScriptPage(*this), TPageArea::Main, tr("Сценарий"));
    JoinRatings();
    // System play makes its stakes through the stake page.
    auto* systems = Page<TSystemsPage>();
    if (auto* stakes = Page<TStakesPage>(); systems && stakes) {
        systems->StakesWritable = [stakes] { return stakes->File().IsOpen() && !stakes->File().ReadOnly(); };
        systems->AddStakeBulk = [stakes](const TStakeRecord& r, int n, bool bulk) { return stakes->AddStakeBulk(r, n, bulk); };
        systems->AppendSeparator = [stakes] { stakes->File().AppendSeparatorIfNeeded(); };
        systems->CheckStakes = [stakes] { stakes->CheckStakes(); };
        systems->RefreshStakeGrid = [stakes] { stakes->RefreshStakeGrid(true, true); };
    }
    // The script run makes, checks and shows its stakes through the stake page.
    auto* script = Page<TScriptPage>();
    if (auto* stakes = Page<TStakesPage>(); script && stakes) {
        script->StakeFile = [stakes] { return &stakes->File(); };
        script->CheckStakes = [stakes] { stakes->CheckStakes(); };
        script->RefreshStakeGrid = [stakes](bool scroll) { stakes->RefreshStakeGrid(true, scroll); };
        script->StakesScrollEnabled = [stakes] { return stakes->ScrollEnabled(); };
        script->Random = [stakes]() -> std::mt19937& { return stakes->Random(); };
    }
    // Regular stakes are made, checked and shown through the stake page; the stake grid's menu
    // offers the stake by hand of the selected regular.
    auto* regulars = Page<TRegularsPage>();
    if (auto* stakes = Page<TStakesPage>(); regulars && stakes) {
        regulars->StakesWritable = [stakes] { return stakes->File().IsOpen() && !stakes->File().ReadOnly(); };
        regulars->AddStake = [stakes](const TStakeRecord& r, int n) { return stakes->AddStake(r, n); };
        regulars->AddStakeBulk = [stakes](const TStakeRecord& r, int n, bool bulk) { return stakes->AddStakeBulk(r, n, bulk); };
        regulars->CheckStakes = [stakes] { stakes->CheckStakes(); };
        regulars->RefreshStakeGrid = [stakes] { stakes->RefreshStakeGrid(true, true); };
        stakes->pmStakes->addSeparator();
        stakes->pmStakes->addAction(Command("TablesStakeAdd"));
    }
}

// Every stake check merges the stakes it checked into the ratings and saves them with the checked
// stakes as one change (a damaged ratings file is kept and offered for recomputing); the ratings
// are recomputed when all stakes are deleted, give the stake graphs their comments and add their
// rows to the script.
void TTemplateMain::JoinRatings() {
    auto* ratings = Page<TRatingsPage>();
    auto* stakes = Page<TStakesPage>();
    if (!ratings || !stakes) return;
    stakes->Ratings = [ratings] {
        ratings->EnsureLoaded();
        return &ratings->Store();
    };
    stakes->RatingsDamaged = [ratings](const QString& report) { ratings->OfferRefresh(report); };
    stakes->SelectedRatingCaptions = [ratings] { return ratings->SelectedCaptions(); };
    connect(stakes, &TStakesPage::StakesChecked, ratings, [ratings] { ratings->StakesChecked(); });
    connect(stakes, &TStakesPage::StakesCleared, ratings, [ratings] { ratings->RatingsRefreshExecute(); });
    ratings->StakeFile = [stakes] { return &stakes->File(); };
    ratings->AddScriptLine = [this](const std::string& line) {
        auto* script = Page<TScriptPage>();
        if (!script) return tr("Сценарий недоступен").toStdString();
        std::string error;
        try {
            script->Script().AddScriptLine(line);
        } catch (const std::exception& e) {
            error = e.what();
        }
        script->RefreshScriptView();
        return error;
    };
    ratings->ShowScriptPage = [this] {
        if (auto* script = Page<TScriptPage>()) pcMain->setCurrentWidget(script);
    };
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
