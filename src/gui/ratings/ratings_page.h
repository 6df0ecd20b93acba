// The page "Рейтинг" (tsRatings): the list lvRatings of the results of checked stakes per stake
// comment, its tool panel, pop-up menu and the menu "Рейтинг", and the ratings commands. The page
// holds the ratings (TRatingsStore): loaded at start-up, merged and saved by every stake check
// (with the checked stakes, as one change), sorted by column clicks, and saved after every change.
// A damaged ratings file is kept as it is until the user has the ratings recomputed from the stakes.
//
// What the page takes from the others is given by the window (pages.cpp, JoinRatings): the stake
// file (refresh, the stake graphs' enabling), the script's new lines and the script tab.
#pragma once

#include "core/stakes/rating_file.h"
#include "gui/app/main_page.h"

#include <functional>
#include <string>
#include <vector>

class QMenu;
class QTableView;
class QToolButton;

namespace velmora {

class TColumnFit;
class TRatingsModel;

class TRatingsPage : public TMainPage {
    Q_OBJECT
public:
    explicit TRatingsPage(TTemplateMain& window);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    // Loads the ratings (when a stake check at start-up has not already done it).
    void InitializePage() override;

    TRatingsStore& Store() { return store_; }
    // Reads the ratings file once (LoadRatings); a failure is shown, a damaged file with the offer
    // to recompute (OfferRefresh). Stake checks call it before their first merge, so that nothing
    // merged is replaced by the file read later.
    void EnsureLoaded();
    // After a stake check (which merged and saved the ratings): the list shown anew.
    void StakesChecked();
    // The report of a damaged ratings file: when the ratings can be refreshed from the stakes, a
    // question with "Пересчитать" (the refresh of RatingsRefresh, without its own question) and
    // "Отмена" (the file stays as it is); otherwise the error alone.
    void OfferRefresh(const QString& report);
    // Sorts by a list column (SortRatings) in the busy state, saves, and shows the list anew.
    void SortRatings(int column, bool descending);
    // The list follows the entries; "Рейтинг: %d" in the status bar.
    void RefreshRatingsView();
    // The comments of the selected rows in list order.
    std::vector<std::string> SelectedCaptions() const;
    int EffMode() const;

    // Joined by the window.
    std::function<TStakeFile*()> StakeFile;
    // Adds a line to the script; the failure's text, empty on success.
    std::function<std::string(const std::string&)> AddScriptLine;
    std::function<void()> ShowScriptPage;

    QTableView* lvRatings;
    QMenu* pmRatings;
    QMenu* mnRatingsEff;
    QToolButton* btnRatingsRefresh;
    QToolButton* btnRatingsToScript;
    QToolButton* btnRatingsGraph;

    bool RatingsRefreshUpdate() const;
    void RatingsRefreshExecute();
    bool RatingsExportUpdate() const;
    void RatingsExportExecute();
    bool RatingsXlsExportUpdate() const;
    void RatingsXlsExportExecute();
    bool RatingsToScriptUpdate() const;
    void RatingsToScriptExecute();
    bool RatingsGraphOverlapUpdate() const;
    void RatingsGraphOverlapExecute();
    bool RatingsEffModeUpdate() const;
    bool RatingsEffMode0Checked() const;
    bool RatingsEffMode1Checked() const;
    bool RatingsEffMode2Checked() const;
    void RatingsEffMode0Execute();
    void RatingsEffMode1Execute();
    void RatingsEffMode2Execute();

private:
    std::vector<int> SelectedRows() const;
    void SetEffMode(int mode);
    // Runs a change of the ratings in the busy state; the list follows, a failure is shown.
    void ChangeRatings(const QString& status, const std::function<void()>& change);
    // The entries anew from the checked stakes (sorted and saved).
    void RefreshFromStakes(TStakeFile& file);

    TRatingsStore store_;
    TRatingsModel* model_;
    TColumnFit* columns_;
    std::string section_;  // the window's settings section
    bool loaded_ = false;
};

} // namespace velmora
