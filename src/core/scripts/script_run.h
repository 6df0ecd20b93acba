// The script run: "Прогноз" runs every line of the script once against the archive as visible at
// the current draw offset and stakes the next draw; "Тест" repeats that for the last K offsets, so
// that each of the last K draws is forecast from the history before it, and checks the stakes.
//
// TScriptRunner is the engine without a window. It drives the core's own pieces the way a user
// would by hand: the combination set (generation, undo, the start-list cache), the draw statistics
// table (computed directly with the same columns, sort, row order and weights as the visible one),
// the statistic filter and the stake file. What only a window has (status panels, handling events
// between steps, the selected line, message boxes, the interface lock) goes through TScriptHost;
// the desktop program and velmora-cli each give their own.
//
// Everything runs on the caller's thread. The stop flag is polled between steps (IsStopRequested
// lets the host handle its pending events first), so a host that calls RequestStop from an event
// handler stops the run at the next step.
#pragma once

#include "core/combs/comb_set.h"
#include "core/combs/draw_stats.h"
#include "core/combs/rank_set.h"
#include "core/filters/filter_item.h"
#include "core/model/draws_archive.h"
#include "core/scripts/line_options.h"
#include "core/scripts/script_log.h"
#include "core/stakes/stake_check.h"
#include "core/stakes/stake_file.h"
#include "core/stats/stat_list.h"
#include "core/util/progress.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace velmora {

// The panels of the script status bar a run fills.
enum class TScriptPanel { Cycle, Line, Stakes, Filter, Last };

// The log lines that open and close a run.
extern const char* const kScriptLogStart;    // "### ЗАПУСК СЦЕНАРИЯ ###..."
extern const char* const kScriptLogEnd;      // "### ЗАВЕРШЕНИЕ СЦЕНАРИЯ ###..."
extern const char* const kScriptLogStopped;  // "### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО ###..."

// A time left as the cycle panel of a test shows it: "45 с", "12 мин", "2 ч 05 мин" (seconds are
// rounded up to whole minutes from one minute on).
std::string ScriptTimeLeftText(double seconds);

// What the engine asks of the program around it. Every member has a harmless default.
class TScriptHost {
public:
    virtual ~TScriptHost() = default;
    // Handles pending user-interface events (repaints, the "Стоп" command).
    virtual void Pump() {}
    // The text of a script status panel.
    virtual void ShowPanel(TScriptPanel panel, const std::string& text) { (void)panel, (void)text; }
    // The script line being run is selected alone; -1 clears the selection.
    virtual void SelectLine(int index) { (void)index; }
    // The error box ("Ошибка") and the attention box ("Внимание!").
    virtual void ShowError(const std::string& message) { (void)message; }
    virtual void ShowAttention(const std::string& message) { (void)message; }
    // Disables (true) or enables the pages and the list the run owns; commands re-evaluate.
    virtual void LockInterface(bool locked) { (void)locked; }
    // Moves the analysis window (and whatever the program computes from it).
    virtual void SetDrawsOffset(TDrawsArchive& archive, int offset) { archive.SetDrawsOffset(offset); }
    // The combination list changed (after a start list or a filter step).
    virtual void CombsChanged() {}
    // Whether the host reads the list at CombsChanged. The fast engine holds a variant's list as
    // ranks while it filters it; a host that does not read it (a command line) spares it writing
    // the list out after every step.
    virtual bool FollowsCombs() const { return true; }
    // The stake file changed: the grid follows, scrolled to its last row when asked.
    virtual void StakesChanged(bool scrollToLast) { (void)scrollToLast; }
    // Every stake was deleted ("CLR").
    virtual void StakesCleared() {}
    // A stake was appended by the run.
    virtual void StakeAdded(const TStakeRecord& rec) { (void)rec; }
    // The finished log is opened in the system's viewer.
    virtual void OpenLog(const std::string& path) { (void)path; }
    // The sink of long steps inside the run (generation, filter passes, checks).
    virtual TProgressSink& Progress() { return NullProgress(); }
};

// The system for a set of numbers: true with its combinations (indices already replaced by the
// numbers) and the system file's path; false with the reason (the host has been shown the box).
using TLoadSystemFn = std::function<bool(const TByteArray& numbers, TCombsArray& combs, std::string& file,
                                         std::string& reason, std::string& boxMessage)>;

struct TScriptSettings {
    TGenerateParams Generate;       // the saved generation settings of the start lists
    bool Compare = false;           // the table compares with the full set ("PrefetchsEnabled")
    bool CheckOnLine = false;       // "StakesCheckOnLine": check stakes after every variant
    bool LogEnabled = false;        // "ScriptLogEnabled"
    std::string LogFolder;          // where logs go (the data folder)
    bool ScrollStakes = true;       // "StakesScrollEnabled": bulk stakes scroll the grid
    TStakeCheckOptions Check;       // cost, prizes, stake logs and the ratings hook
    TLoadSystemFn LoadSystem;       // none: LoadSystemForNumbers on the data folder's store
    // The check of the stakes made (after a pass, or after every variant); none: CheckStakes.
    // The programs pass theirs, which also merge the stakes checked into the ratings.
    std::function<void(TStakeFile&, const TDrawsArchive&, const TStakeCheckOptions&, TProgressSink&)> CheckStakes;
    // The fast engine copies each start list from the cache and computes each table once per pass;
    // the plain one regenerates every start list and recomputes every table, as a user would.
    // Both give the same stakes and the same lists.
    bool Fast = true;
    // The fast engine holds a list in generation order as ranks while it filters it (TRankSet);
    // off, it filters the records as the plain engine does. Both give the same stakes and lists.
    bool Ranks = true;
    int Threads = 0;                // of the filter passes (0: the machine decides)
};

class TScriptRunner {
public:
    TScriptRunner(TDrawsArchive& draws, TStatList& list, TCombSet& combs, TStakeFile& stakes, TScriptHost& host);

    TScriptSettings Settings;
    // The generator of the "RAND" stakes (seed it to repeat a run).
    std::mt19937 Random{std::random_device{}()};
    // The log of the current run (its Clock can be fixed).
    TScriptLog Log;

    // "Прогноз": every line once at the current offset. True when the run completed (no stop, no
    // error).
    bool Run(const std::vector<std::string>& lines);
    // "Тест": passes at offsets count, count-1 .. 1. However the test ends (completed, stopped or
    // failed) the offset returns to what it was; a test that did not complete also puts back the
    // combination list (and its log) that its last completed pass left, or the list it started
    // from, so that no unfinished pass's list remains, and says after how many passes it ended.
    // count < 1 does nothing.
    bool Test(const std::vector<std::string>& lines, int count);
    // "Стоп" (after the user confirmed): logs the interruption and raises the stop flag.
    void RequestStop();

    // Where the time of the last run went, in seconds: the start lists (generation, copies,
    // exclusion), the tables and the filter passes (undo copy and pass). The rest is the engine's
    // own overhead.
    struct TTimings {
        double Total = 0;
        double StartLists = 0;
        double Tables = 0;
        double Filters = 0;
        int64_t Variants = 0;
    };
    const TTimings& Timings() const { return timings_; }

    bool Running() const { return running_; }
    bool Stopped() const { return stopped_; }
    int Cycle() const { return cycle_; }
    // The passes of the test under way (0 for a forecast) and how many of them completed.
    int CycleCount() const { return cycleCount_; }
    int CyclesDone() const { return cyclesDone_; }
    int StakeCount() const { return stakeCount_; }

    // ---- the steps, public for tests and tools ----
    // Handles the host's events, then tells whether a stop was requested.
    bool IsStopRequested();
    void RunScriptPass(const std::vector<std::string>& lines);
    void RunScriptLine(int index, const std::string& line);
    void PrepareStartList(const TLineOptions& options);
    void ApplyFilterPart(const TFilterPart& part);
    void MakeLineStakes(const TLineOptions& options, int lineNo, const std::string& comment, int variant,
                        const std::string& text);
    // Appends one stake of the combination (unless new-only finds it); true when added.
    bool AddScriptStake(const TCombination& comb, bool bulk);
    void AddSystemStakes(bool all);
    // Writes a log line; a failure is shown and the run goes on.
    void WriteScriptLog(const std::string& text);

private:
    struct TStakeContext {
        int LineNo = 0;
        int Variant = 0;
        std::string Comment;
        std::string Text;
        bool NewOnly = false;
        int Sample = 0;
    };
    void BeginRun();
    void EndRun();
    void WriteOffsetHeader();
    void CheckStakesNow();
    // The cycle panel of a test: the pass, the share done (passes done plus the share of the
    // current pass's lines) and, once two passes completed and while the test goes on, the time left.
    void ShowCycle(double linesShare, bool timeLeft = true);
    void SetPanel(TScriptPanel panel, const std::string& text) { host_.ShowPanel(panel, text); }
    // The list as ranks (fast engine): the variant's start list from the run's full list as
    // ranks, when it is held so; after the start list of the records, whether it can be held so.
    bool StartRanked(int offset, int exclude);
    void HoldRanked();
    // The count of the variant's list, however it is held.
    int ListCount() const { return ranked_ ? int(ranks_.Count()) : combs_.Count(); }
    // Writes the list held as ranks out to combs_ (when it is not there yet).
    void SyncCombs();
    // The list is in the set again, as records (at the end of a pass).
    void EndRanked();
    // The i-th combination of the variant's list, however it is held.
    TCombination ListAt(int i) const;
    // Tells the host the list changed (written out first when the host reads it).
    void NotifyCombs();
    std::string StakeComment() const;
    // The table of method i at sample length L with the weights in force, sorted by column.
    const std::vector<TDrawStatsRow>& Table(int i, int length, int column);
    int MethodIndex(const TFilterPart& part) const;

    TDrawsArchive& draws_;
    TStatList& list_;
    TCombSet& combs_;
    TStakeFile& stakes_;
    TScriptHost& host_;

    bool running_ = false;
    bool stopped_ = false;
    int cycle_ = 0;
    int cycleCount_ = 0;
    int cyclesDone_ = 0;
    bool failed_ = false;  // an error ended the run
    std::chrono::steady_clock::time_point testStart_{};
    int stakeCount_ = 0;
    TStakeContext stake_;
    std::chrono::steady_clock::time_point lastStakePanel_{};
    TTimings timings_;
    std::chrono::steady_clock::time_point runStart_{};
    bool stakeFailed_ = false;  // the last AddScriptStake failed on the stake file
    // The generated full list of the run (fast engine): copied instead of generated again.
    std::vector<TCombination> fullList_;
    // The variant's list as ranks (fast engine, a list in generation order): ranked_ while it is
    // held so, combsHeld_ while combs_ holds the same list.
    bool ranked_ = false;
    bool combsHeld_ = true;
    TRankSet ranks_, rankUndo_;
    // fullList_ as ranks (fullRanked_: it is in generation order), and the start lists without the
    // latest draws by (offset, count); excludeKey_ is the one the set's start-list cache would hold.
    bool fullRanked_ = false;
    TRankSet fullRanks_;
    std::map<std::pair<int, int>, TRankSet> excludedRanks_;
    std::pair<int, int> excludeKey_{-1, -1};

    // Tables of the current pass (fast engine): key (method, length, weights) -> rows in the
    // statistic's order.
    using TTableKey = std::tuple<int, int, long double, long double, long double, bool, bool>;
    std::map<TTableKey, std::vector<TDrawStatsRow>> tables_;
    std::vector<TDrawStatsRow> sorted_;
};

} // namespace velmora
