// The page "Регуляры" (tsTables): the list lvTables of the regular stakes, its tool panel and
// pop-up menu, and the commands of regular stakes: adding (TFormTable), deleting, a stake by hand
// from the selected regular (the stake dialog), the regular test over the last K draws, and the
// view switch TabTables that shows or hides the page.
//
// The list lives in memory only while the page is shown: hiding it empties the list (the file
// stays), showing it reads the file again. Every change of the list rewrites the file at once. A
// file with damaged records is reported once when read and is rewritten only by a change of the list.
#pragma once

#include "core/stakes/regular_stake.h"
#include "gui/app/main_page.h"

#include <functional>
#include <vector>

class QMenu;
class QTableView;

namespace velmora {

class TFormStake;
class TFormTable;
class TRegularsModel;

class TRegularsPage : public TMainPage {
    Q_OBJECT
public:
    explicit TRegularsPage(TTemplateMain& window);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    // Shows the page when "TabTables" is on and reads the list (not in the batch modes).
    void InitializePage() override;

    // What the stake page lends (the window joins them, pages.cpp): whether stakes can be written,
    // a stake by hand (appended, checked, shown), a stake appended in a loop, the check after a
    // loop, and the grid scrolled to the last row.
    std::function<bool()> StakesWritable;
    std::function<bool(const TStakeRecord&, int)> AddStake;
    std::function<bool(const TStakeRecord&, int, bool)> AddStakeBulk;
    std::function<void()> CheckStakes;
    std::function<void()> RefreshStakeGrid;
    // Tests reach the open dialogs through these hooks before they run.
    std::function<void(TFormTable&)> BeforeTableDialog;
    std::function<void(TFormStake&)> BeforeStakeDialog;

    bool TabShown() const { return shown_; }
    TRegularsModel& Model() { return *model_; }
    // The selected rows, ascending.
    std::vector<int> SelectedRows() const;
    void SelectRows(const std::vector<int>& rows);

    // Reads the file into the list (when the page is shown); a read error or damaged records are
    // shown. Writes the list (when the page is shown); false after a failure (shown).
    void LoadRegularStakes();
    bool SaveRegularStakes();

    QTableView* lvTables;
    QMenu* pmTables;

    bool TablesAddUpdate() const;
    void TablesAddExecute();
    bool TablesDelUpdate() const;
    void TablesDelExecute();
    bool TablesStakeAddUpdate() const;
    void TablesStakeAddExecute();
    bool TablesStakeTestUpdate() const;
    void TablesStakeTestExecute();
    bool TabTablesUpdate() const;
    bool TabTablesChecked() const;
    void TabTablesExecute();

private:
    void ShowTab(bool shown);
    void FitColumns();

    TRegularsModel* model_;
    bool shown_ = true;
};

} // namespace velmora
