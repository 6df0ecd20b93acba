// The page "Системы" (tsSystems): the catalog list lvSystems of the systems the catalog server
// offers, its tool panel and pop-up menu, the menu "Системы" and the eight system commands:
// showing the page (SystemsOn), refreshing the list, downloading, publishing, changing and
// deleting systems, and system play (stakes from the combination list through the downloaded
// system for as many numbers as the list holds).
//
// The catalog requests carry the user's name and e-mail (settings "Name" and "Mail" of section
// "USER"); a command that needs them asks for them when they are missing. The list is loaded at
// start-up only when they are set.
#pragma once

#include "core/stakes/stake_record.h"
#include "core/stakes/system_catalog.h"
#include "gui/app/main_page.h"

#include <functional>
#include <string>
#include <vector>

class QMenu;
class QTableView;
class QToolButton;

namespace velmora {

class TSystemsModel;
class TFormSystem;

class TSystemsPage : public TMainPage {
    Q_OBJECT
public:
    explicit TSystemsPage(TTemplateMain& window);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    // Shows the tab when "SystemsEnabled" is on and loads the list (not in the batch modes).
    void InitializePage() override;

    // What the stake page lends system play (the window joins them, pages.cpp): whether stakes can
    // be written, a stake appended in a loop, the separator before a block, the check after it.
    std::function<bool()> StakesWritable;
    std::function<bool(const TStakeRecord&, int, bool)> AddStakeBulk;
    std::function<void()> AppendSeparator;
    std::function<void()> CheckStakes;
    std::function<void()> RefreshStakeGrid;

    // Where the requests go and as whom; false when the user gave no name and e-mail (asked for
    // first when `ask`).
    bool MakeCatalog(TSystemCatalog& catalog, bool ask);
    // The dialog of a system (tests reach the open dialog through this hook before it runs).
    std::function<void(TFormSystem&)> BeforeSystemDialog;

    bool TabShown() const { return shown_; }
    TSystemsModel& Model() { return *model_; }
    // The list from the server (RefreshSystems).
    void RefreshSystems();
    // The selected rows (model order) and the current one.
    std::vector<int> SelectedRows() const;
    int SelectedRow() const;
    void SelectRow(int row);

    QTableView* lvSystems;
    QMenu* pmSystems;
    QMenu* mnSystems;

    bool SystemsOnUpdate() const;
    bool SystemsOnChecked() const;
    void SystemsOnExecute();
    bool SystemsRefreshUpdate() const;
    void SystemsRefreshExecute();
    bool SystemsDownloadUpdate() const;
    void SystemsDownloadExecute();
    bool SystemsAddUpdate() const;
    void SystemsAddExecute();
    bool SystemsPropUpdate() const;
    void SystemsPropExecute();
    bool SystemsDelUpdate() const;
    void SystemsDelExecute();
    bool SystemStakeAllUpdate() const;
    void SystemStakeAllExecute();
    bool SystemStakeFilterUpdate() const;
    void SystemStakeFilterExecute();

private:
    void ShowTab(bool shown);
    // PutSystem with its status text; -1 after a failure (shown).
    int32_t PutSystemShown(const TSystemCatalog& catalog, const tSystemData& data, bool deleteMode);
    // The combinations of a system with the status text; "" after a failure (shown).
    std::string FetchCombinationsShown(const TSystemCatalog& catalog, const tSystemInfo& info);
    bool RunSystemDialog(tSystemData& data, bool editable);
    void PlaySystem(bool filter);
    // Asks for the user's name and e-mail and stores them; false when cancelled.
    bool AskUser();

    TSystemsModel* model_;
    bool shown_ = true;
    int32_t lcid_ = 1033;
};

} // namespace velmora
