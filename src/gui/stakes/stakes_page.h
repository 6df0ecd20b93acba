// The page "Ставки" (tsStakes): the stake grid sgStakes over the stake file, its tool panel and
// pop-up menu, and the fifteen stake commands. The page holds the stake file open (writers
// refused) from start-up to the end; every change is checked against the archive at once.
//
// What the rest of the program uses: AddStake (a stake by hand), AddStakeBulk (stakes made in
// loops by scripts, regular stakes and system play), CheckStakes, RefreshStakeGrid, File() (a
// change made through File() is shown after RefreshStakeGrid); the
// ratings join through Ratings, RatingsDamaged, SelectedRatingCaptions, StakesChecked and
// StakesCleared.
#pragma once

#include "core/stakes/rating_file.h"
#include "core/stakes/stake_check.h"
#include "gui/app/main_page.h"

#include <QElapsedTimer>
#include <functional>
#include <random>
#include <string>
#include <vector>

class QMenu;
class QTableView;
class QToolButton;

namespace velmora {

class TColumnFit;
class TStakesModel;

class TStakesPage : public TMainPage {
    Q_OBJECT
public:
    explicit TStakesPage(TTemplateMain& window);
    ~TStakesPage() override;

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    // Opens the stake file (LoadStakeFile) and checks the stakes against the loaded archive.
    void InitializePage() override;
    // Shutdown: the stake file is closed ("Сохранение файла ставок...") with the window, so that the
    // next copy of the program can open it.
    void ClosePage() override;

    TStakeFile& File() { return file_; }
    // Opens the stake file with the outdated-file rule; the warning or error is shown. A copy of
    // the program that does not own the data folder opens it for reading only.
    bool LoadStakeFile();
    // A stake by hand: appended, checked, the grid scrolled to the last row. False on a failure
    // (shown).
    bool AddStake(const TStakeRecord& rec, int drawsCount);
    // A stake made in a loop: appended and the grid refreshed without repainting, scrolled to the
    // last row when not bulk or when "StakesScrollEnabled" is on. False on a failure (shown).
    bool AddStakeBulk(const TStakeRecord& rec, int drawsCount, bool bulk);
    // Checks the stakes in the busy state with the status bar's progress; a failure is shown. With
    // the ratings joined, the check is the journaled one (CheckStakesRated): the checked stakes and
    // the ratings file are committed as one change, and a damaged ratings file is left as it is and
    // reported through RatingsDamaged (not a failure of the check: the stakes were checked).
    // Returns how many stakes were checked.
    // onChecked sees every stake just checked; failed tells whether the check raised an error (shown).
    int CheckStakes(const std::function<void(const TStakeRecord&)>& onChecked = {}, bool* failed = nullptr);
    // The grid follows the file: its row count (refresh) or only its cells, optionally scrolled to
    // the last row; the status panel "Ставок: %d" follows the count.
    void RefreshStakeGrid(bool refresh, bool scrollToLast);

    // The generator of StakeAddRandom (tests seed it).
    std::mt19937& Random() { return random_; }
    // The ratings every check merges its stakes into (loaded first), the report of a check that
    // found their file damaged, and the captions of the selected rating rows for the matches and
    // profit graphs; all are empty until the ratings page sets them (the stakes alone are checked
    // then, and a damage report is shown as an error).
    std::function<TRatingsStore*()> Ratings;
    std::function<void(const QString&)> RatingsDamaged;
    std::function<std::vector<std::string>()> SelectedRatingCaptions;

    bool LogEnabled() const { return logEnabled_; }
    bool ScrollEnabled() const { return scrollEnabled_; }
    bool CheckOnLine() const { return checkOnLine_; }

    QTableView* sgStakes;
    QMenu* pmStakes;
    QToolButton* btnStakeAdd;
    QToolButton* btnStakeDel;
    QToolButton* btnStakeFilter;
    QToolButton* btnStakesCheck;
    QToolButton* btnStakesGraph;

signals:
    // Every stake was deleted: the ratings are recomputed from the (empty) file.
    void StakesCleared();
    // A stake check ended (also a failed one; `count` stakes were checked): the ratings show what
    // the check merged.
    void StakesChecked(int count);

public:
    bool StakeAddUpdate() const;
    void StakeAddExecute();
    bool StakeAddRandomUpdate() const;
    void StakeAddRandomExecute();
    bool StakeAddSelectedUpdate() const;
    void StakeAddSelectedExecute();
    bool StakeAddAllUpdate() const;
    void StakeAddAllExecute();
    bool StakeDelUpdate() const;
    void StakeDelExecute();
    bool StakeFilterUpdate() const;
    void StakeFilterExecute();
    bool StakeClearUpdate() const;
    void StakeClearExecute();
    bool StakesCheckManualUpdate() const;
    void StakesCheckManualExecute();
    bool LogStakesUpdate() const;
    bool LogStakesChecked() const;
    void LogStakesExecute();
    bool LogStakesDeleteUpdate() const;
    void LogStakesDeleteExecute();
    bool StakesScrollUpdate() const;
    bool StakesScrollChecked() const;
    void StakesScrollExecute();
    bool StakesGraphDrawsUpdate() const;
    void StakesGraphDrawsExecute();
    bool StakesGraphOverlapUpdate() const;
    void StakesGraphOverlapExecute();
    bool StakesGraphProfitsUpdate() const;
    void StakesGraphProfitsExecute();
    bool StakesXlsExportUpdate() const;
    void StakesXlsExportExecute();

private:
    bool Writable() const;
    // The first and last selected grid rows as record indexes; false when nothing is selected.
    bool SelectedRange(int& first, int& last) const;
    // A hand-made stake on the combination of a row of the combination list (-1: no numbers).
    TStakeRecord HandStake(int combRow) const;
    // The multi-stake dialog and the stakes for the rows (all rows when `all`).
    void AddMultiStakes(bool all);
    // Deletion through the temporary copy, then the check and the grid; failures shown.
    void DeleteStakes(const std::function<int()>& remove);
    void ShowCommentGraph(bool profit, const QString& caption);
    TStakeCheckOptions CheckOptions() const;

    TStakeFile file_;
    TStakesModel* model_;
    TColumnFit* columns_;
    QElapsedTimer bulkRefresh_;
    std::mt19937 random_{std::random_device{}()};
    bool logEnabled_ = false;
    bool scrollEnabled_ = true;
    bool checkOnLine_ = true;
};

} // namespace velmora
