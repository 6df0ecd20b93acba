#include "core/scripts/script_run.h"

#include "core/filters/stat_filter.h"
#include "core/scripts/criterion.h"
#include "core/scripts/script_line.h"
#include "core/scripts/variants.h"
#include "core/stats/stat_runs.h"
#include "core/stakes/system_store.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cmath>

namespace velmora {

const char* const kScriptLogStart =
    NoTr("### ЗАПУСК СЦЕНАРИЯ ##########################################################################");
const char* const kScriptLogEnd =
    NoTr("### ЗАВЕРШЕНИЕ СЦЕНАРИЯ ######################################################################");
const char* const kScriptLogStopped =
    NoTr("### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО #############################################################");

namespace {

constexpr const char* kStatNotFound =
    TrNoop("Метод расчета статистики \"%s\" не найден!\r%s\r\rВозможно, Вы отключили данный метод расчета либо "
    "использовали сценарий от другой модификации программы.");
constexpr const char* kRunningText = TrNoop("Выполнение сценария...");
constexpr const char* kDoneText = TrNoop("Сценарий завершен!");
constexpr const char* kRunStoppedText = TrNoop("Сценарий остановлен!");
constexpr const char* kRunFailedText = TrNoop("Сценарий прерван из-за ошибки!");
constexpr const char* kTestStoppedText = TrNoop("Тест остановлен, завершено циклов: %d из %d");
constexpr const char* kTestFailedText = TrNoop("Тест прерван из-за ошибки, завершено циклов: %d из %d");
// The time left is shown once this many passes completed (the first pass also builds the lists
// the later ones copy, so one pass alone says little).
constexpr int kCyclesBeforeTimeLeft = 2;
constexpr const char* kCountText = TrNoop("Количество комбинаций в списке: %d");
// Tables kept per pass by the fast engine; a script with long lists of sample lengths starts
// over rather than holding every table of the pass.
constexpr size_t kTableCacheLimit = 64;
// Bulk stakes update the "Ставок" panel at most this often.
constexpr auto kStakePanelInterval = std::chrono::milliseconds(101);

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Adds the time of its life to a counter.
class TTimer {
public:
    explicit TTimer(double& sum) : sum_(sum), start_(std::chrono::steady_clock::now()) {}
    ~TTimer() { sum_ += SecondsSince(start_); }
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

private:
    double& sum_;
    std::chrono::steady_clock::time_point start_;
};

std::string RowText(const TStatValues& v) {
    return Format(NoTr("< [%s] кол-во: %s (%s %%), отклонение: %s (%s %%), глубина: %s (%s %%), вес: %s >"),
                  {v.Value, v.Count, v.CountPct, v.Deviation, v.DeviationPct, v.Depth, v.DepthPct, v.Weight});
}

std::string StatCodeWord(const std::string& statText) { return Trim(statText.substr(0, statText.find(':'))); }

TNumberSet CombSet(const TCombination& comb) {
    TNumberSet set;
    CombToNumberSet(comb, set);
    return set;
}

} // namespace

std::string ScriptTimeLeftText(double seconds) {
    const int64_t s = seconds > 0 ? int64_t(std::ceil(seconds)) : 0;
    if (s < 60) return Format(Tr("%d с"), {s});
    const int64_t minutes = (s + 59) / 60;
    if (minutes < 60) return Format(Tr("%d мин"), {minutes});
    return Format(Tr("%d ч %.2d мин"), {minutes / 60, minutes % 60});
}

TScriptRunner::TScriptRunner(TDrawsArchive& draws, TStatList& list, TCombSet& combs, TStakeFile& stakes,
                             TScriptHost& host)
    : draws_(draws), list_(list), combs_(combs), stakes_(stakes), host_(host) {}

// ---- run, test, stop ---------------------------------------------------------------------------

void TScriptRunner::BeginRun() {
    if (Settings.LogEnabled) {
        Log.Start(Settings.LogFolder.empty() ? std::string(".") : Settings.LogFolder);
        WriteScriptLog(kScriptLogStart);
    } else {
        Log.Stop();
    }
    running_ = true;
    stopped_ = false;
    failed_ = false;
    cyclesDone_ = 0;
    stakeCount_ = 0;
    timings_ = TTimings{};
    runStart_ = std::chrono::steady_clock::now();
    fullList_.clear();
    fullRanked_ = false;
    excludedRanks_.clear();
    ranked_ = false;
    combsHeld_ = true;
    SetPanel(TScriptPanel::Cycle, Format(Tr("Цикл: %d"), {cycle_}));
    SetPanel(TScriptPanel::Line, Format(Tr("Строка: %d"), {0}));
    SetPanel(TScriptPanel::Stakes, Format(Tr("Ставок: %d"), {stakeCount_}));
    SetPanel(TScriptPanel::Last, TrText(kRunningText));
    host_.LockInterface(true);
}

void TScriptRunner::EndRun() {
    timings_.Total = SecondsSince(runStart_);
    cycle_ = 0;
    cycleCount_ = 0;
    running_ = false;
    stopped_ = false;
    fullList_.clear();
    fullList_.shrink_to_fit();
    fullRanked_ = false;
    excludedRanks_.clear();
    tables_.clear();
    host_.LockInterface(false);
    if (Log.Enabled()) {
        WriteScriptLog(kScriptLogEnd);
        const std::string path = Log.Path();
        Log.Stop();
        if (FileExists(path)) host_.OpenLog(path);
    }
}

void TScriptRunner::WriteOffsetHeader() {
    WriteScriptLog(kScriptLogDoubleLine);
    WriteScriptLog(Format(NoTr("=== Выполнение сценария для смещения %.6d =================================================="),
                          {draws_.Offset()}));
    WriteScriptLog(kScriptLogDoubleLine);
}

bool TScriptRunner::Run(const std::vector<std::string>& lines) {
    cycle_ = 1;
    cycleCount_ = 0;
    BeginRun();
    try {
        WriteOffsetHeader();
        RunScriptPass(lines);
    } catch (const std::exception& e) {
        stopped_ = true;
        failed_ = true;
        host_.ShowError(e.what());
    }
    const bool completed = !stopped_;
    SetPanel(TScriptPanel::Last, TrText(completed ? kDoneText : failed_ ? kRunFailedText : kRunStoppedText));
    EndRun();
    return completed;
}

void TScriptRunner::ShowCycle(double linesShare, bool timeLeft) {
    if (cycleCount_ <= 0) return;
    const double done = std::clamp(cyclesDone_ + linesShare, 0.0, double(cycleCount_));
    const int percent = int(done * 100 / cycleCount_);
    std::string text = Format(Tr("Цикл: %d из %d (%d %%)"), {cycle_, cycleCount_, percent});
    if (timeLeft && cyclesDone_ >= kCyclesBeforeTimeLeft && done > 0 && done < cycleCount_) {
        const double elapsed = SecondsSince(testStart_);
        text += Tr(", осталось ") + ScriptTimeLeftText(elapsed * (cycleCount_ - done) / done);
    }
    SetPanel(TScriptPanel::Cycle, text);
}

bool TScriptRunner::Test(const std::vector<std::string>& lines, int count) {
    if (count < 1) return false;
    cycle_ = 0;
    cycleCount_ = count;
    BeginRun();
    testStart_ = std::chrono::steady_clock::now();
    const int saved = draws_.Offset();
    // The list a completed pass left (at first the user's own): what an unfinished test leaves.
    std::vector<TCombination> kept(combs_.Data(), combs_.Data() + combs_.Count());
    std::vector<TFilterLogLine> keptLog = combs_.Log();
    try {
        for (int offset = count; offset >= 1; --offset) {
            ++cycle_;
            ShowCycle(0);
            SetPanel(TScriptPanel::Last, TrText(kRunningText));
            if (IsStopRequested()) break;
            host_.SetDrawsOffset(draws_, offset);
            if (IsStopRequested()) break;
            WriteOffsetHeader();
            if (IsStopRequested()) break;
            RunScriptPass(lines);
            if (stopped_) break;
            ++cyclesDone_;
            ShowCycle(0);
            if (offset > 1) {
                kept.assign(combs_.Data(), combs_.Data() + combs_.Count());
                keptLog = combs_.Log();
            }
        }
    } catch (const std::exception& e) {
        stopped_ = true;
        failed_ = true;
        host_.ShowError(e.what());
    }
    const bool completed = !stopped_;
    // The analysis window goes back however the test ended: the pages never go on analysing a
    // shifted window.
    try {
        host_.SetDrawsOffset(draws_, saved);
    } catch (const std::exception& e) {
        host_.ShowError(e.what());
    }
    if (!completed) {
        ShowCycle(0, false);  // no time left to tell any more
        std::copy(kept.begin(), kept.end(), combs_.MutableData());
        combs_.SetCount(int(kept.size()));
        combs_.SetLog(std::move(keptLog));
        combs_.DropUndo();
        combs_.ResetCache();
        host_.CombsChanged();
    }
    SetPanel(TScriptPanel::Last, completed ? TrText(kDoneText)
                                           : Format(TrText(failed_ ? kTestFailedText : kTestStoppedText), {cyclesDone_, count}));
    EndRun();
    return completed;
}

void TScriptRunner::RequestStop() {
    WriteScriptLog(kScriptLogStopped);
    stopped_ = true;
}

bool TScriptRunner::IsStopRequested() {
    host_.Pump();
    return stopped_;
}

void TScriptRunner::WriteScriptLog(const std::string& text) {
    if (!Log.Enabled()) return;
    try {
        Log.Write(text);
    } catch (const std::exception& e) {
        // Reported once: the rest of the run goes on without the log rather than with a box per line.
        Log.Stop();
        host_.ShowError(e.what());
    }
}

// ---- pass and line -----------------------------------------------------------------------------

void TScriptRunner::CheckStakesNow() {
    try {
        if (Settings.CheckStakes)
            Settings.CheckStakes(stakes_, draws_, Settings.Check, host_.Progress());
        else
            CheckStakes(stakes_, draws_, Settings.Check, host_.Progress());
    } catch (const std::exception& e) {
        host_.ShowError(e.what());
    }
    host_.StakesChanged(false);
}

void TScriptRunner::RunScriptPass(const std::vector<std::string>& lines) {
    try {
        stakes_.AppendSeparatorIfNeeded();
    } catch (const std::exception& e) {
        host_.ShowError(e.what());
    }
    combs_.ResetCache();
    excludeKey_ = {-1, -1};
    tables_.clear();
    list_.SaveRatingWeights();
    try {
        for (size_t i = 0; i < lines.size(); ++i) {
            if (IsStopRequested()) break;
            const std::string& line = lines[i];
            if (line.empty()) continue;
            ShowCycle(double(i) / double(lines.size()));
            host_.SelectLine(int(i));
            WriteScriptLog(kScriptLogDashedLine);
            WriteScriptLog(Format(NoTr("Выполнение строки %.3d: \"%s\""), {int(i) + 1, line}));
            WriteScriptLog(kScriptLogDashedLine);
            RunScriptLine(int(i), line);
            host_.SelectLine(-1);
            if (IsStopRequested()) break;
        }
        EndRanked();
        if (!Settings.CheckOnLine) CheckStakesNow();
    } catch (...) {
        EndRanked();
        list_.RestoreRatingWeights();
        combs_.ResetCache();
        tables_.clear();
        throw;
    }
    list_.RestoreRatingWeights();
    combs_.ResetCache();
    tables_.clear();
}

void TScriptRunner::RunScriptLine(int index, const std::string& line) {
    combs_.DropUndo();
    const TLineOptions options = ParseLineOptions(GetLineOptions(line));
    const std::string comment = GetLineComment(line);
    const std::string shortOptions = FormatLineOptionsShort(options);
    try {
        std::vector<TFilterItem> items;
        std::vector<std::string> texts;
        for (int f = 1; f <= kScriptFilterCount; ++f) {
            const std::string text = GetLineFilter(line, f);
            if (Trim(text).empty()) continue;
            TFilterItem item = ParseFilterItem(text, list_);
            if (!item.Stat) {
                const std::string code = StatCodeWord(item.StatText);
                throw Error(Format(TrText(kStatNotFound), {code.empty() ? TextExcerpt(Trim(text)) : TextExcerpt(code), Tr("Неизвестный код статистики")}));
            }
            items.push_back(std::move(item));
            texts.push_back(text);
        }
        WriteScriptLog(NoTr("Создание всех вариантов фильтров..."));
        SetPanel(TScriptPanel::Line, Format(Tr("Строка: %d"), {index + 1}));
        SetPanel(TScriptPanel::Last, Tr("Создание всех вариантов фильтров..."));
        TFilterVariants variants(items, texts);
        const int count = variants.Count();
        WriteScriptLog(Format(NoTr("Создано %d вариантов фильтров."), {count}));
        if (count > 0) {
            TFilterRec rec;
            for (int k = 1; k <= count && variants.Next(rec); ++k) {
                if (IsStopRequested()) break;
                const std::string text = FormatFilterRec(rec);
                WriteScriptLog(kScriptLogDashedLine);
                WriteScriptLog(Format(NoTr("Применение набора фильтров %.3d: \"%s\""), {k, text}));
                WriteScriptLog(kScriptLogDashedLine);
                SetPanel(TScriptPanel::Line, Format(Tr("Строка: %d"), {index + 1}));
                SetPanel(TScriptPanel::Filter, Format(Tr("Фильтр %d из %d: %s"), {k, count, text}));
                WriteScriptLog(NoTr("Создание начального списка комбинаций..."));
                ++timings_.Variants;
                PrepareStartList(options);
                WriteScriptLog(Format(kCountText, {ListCount()}));
                NotifyCombs();
                if (IsStopRequested()) break;
                for (const TFilterPart& part : rec) {
                    if (stopped_) break;
                    if (part.Active && ListCount() > 1) ApplyFilterPart(part);
                }
                if (IsStopRequested()) break;
                MakeLineStakes(options, index + 1, comment, k, shortOptions + " + " + text);
                if (IsStopRequested()) break;
                WriteScriptLog(kScriptLogDashedLine);
                if (Settings.CheckOnLine) CheckStakesNow();
            }
        } else {
            WriteScriptLog(NoTr("{ERROR} Фильтры не применялись!"));
            WriteScriptLog("");
            SetPanel(TScriptPanel::Last, shortOptions);
            ++timings_.Variants;
            PrepareStartList(options);
            WriteScriptLog(Format(kCountText, {ListCount()}));
            NotifyCombs();
            MakeLineStakes(options, index + 1, comment, 0, shortOptions);
            if (Settings.CheckOnLine) CheckStakesNow();
        }
    } catch (const std::exception& e) {
        stopped_ = true;
        failed_ = true;
        SyncCombs();
        host_.CombsChanged();
        host_.ShowError(e.what());
    }
    combs_.DropUndo();
}

// ---- the list as ranks -------------------------------------------------------------------------

// The lists without the latest draws kept per run (265 KB each).
constexpr size_t kExcludedRanksLimit = 64;

bool TScriptRunner::StartRanked(int offset, int exclude) {
    if (!fullRanked_) return false;
    bool logged = false;  // the list is new to the start-list cache: ExcludeLastDraws logs
    if (exclude > 0) {
        const std::pair<int, int> key{offset, exclude};
        auto it = excludedRanks_.find(key);
        if (it == excludedRanks_.end()) {
            TRankSet set = fullRanks_;
            if (!set.RemoveLatestDraws(exclude, draws_)) return false;
            if (excludedRanks_.size() >= kExcludedRanksLimit) excludedRanks_.clear();
            it = excludedRanks_.emplace(key, std::move(set)).first;
        }
        if (excludeKey_ != key) {
            // What the set's cache holds is no longer the latest exclusion's list.
            combs_.ResetCache();
            excludeKey_ = key;
            logged = true;
        }
        ranks_ = it->second;
    } else {
        ranks_ = fullRanks_;
    }
    combs_.ClearLog();
    combs_.DropUndo();
    if (logged) combs_.AddExcludeLogLine(exclude, int(ranks_.Count()));
    ranked_ = true;
    combsHeld_ = false;
    return true;
}

void TScriptRunner::HoldRanked() {
    ranked_ = Settings.Ranks && ranks_.Assign(combs_.Data(), size_t(combs_.Count()));
    combsHeld_ = true;
}

void TScriptRunner::SyncCombs() {
    if (!ranked_ || combsHeld_) return;
    combs_.SetCount(int(ranks_.Decode(combs_.MutableData())));
    combsHeld_ = true;
}

void TScriptRunner::EndRanked() {
    SyncCombs();
    ranked_ = false;
}

TCombination TScriptRunner::ListAt(int i) const {
    if (ranked_ && !combsHeld_) return FullCombinationSet()[ranks_.RankAt(size_t(i))];
    return combs_.At(i);
}

void TScriptRunner::NotifyCombs() {
    if (host_.FollowsCombs()) SyncCombs();
    host_.CombsChanged();
}

// ---- start list --------------------------------------------------------------------------------

void TScriptRunner::PrepareStartList(const TLineOptions& options) {
    TProgressSink& sink = host_.Progress();
    TTimer timer(timings_.StartLists);
    if (options.StartCombsType == kStartFull || options.StartCombsType == kStartExclude) {
        ranked_ = false;  // the list is made anew
        const int exclude = options.StartCombsType == kStartExclude ? options.DrawsExclude : 0;
        const int offset = draws_.Offset();
        if (!Settings.Fast) {
            combs_.Generate(true, Settings.Generate, sink);
            if (IsStopRequested()) return;
            if (exclude > 0 && !combs_.LoadCache(offset, exclude, sink)) {
                combs_.SaveUndo(true, sink);
                combs_.ExcludeLastDraws(exclude, draws_, sink);
                combs_.SaveCache(offset, exclude, sink);
            }
        } else if (StartRanked(offset, exclude)) {
            // Held as ranks: nothing copied.
        } else if (exclude > 0 && combs_.LoadCache(offset, exclude, sink)) {
            // What the generation would have left besides the list: no log, nothing to undo.
            combs_.ClearLog();
            combs_.DropUndo();
            if (fullRanked_) HoldRanked();
        } else {
            // The full list is the same for the whole run: generated once, then copied.
            if (fullList_.empty()) {
                combs_.Generate(true, Settings.Generate, sink);
                fullList_.assign(combs_.Data(), combs_.Data() + combs_.Count());
                fullRanked_ = Settings.Ranks && fullRanks_.Assign(fullList_.data(), fullList_.size());
            } else {
                std::copy(fullList_.begin(), fullList_.end(), combs_.MutableData());
                combs_.SetCount(int(fullList_.size()));
                combs_.ClearLog();
                combs_.DropUndo();
            }
            if (IsStopRequested()) return;
            if (exclude > 0) {
                // No undo copy: nothing reads it before the line's first filter step takes its own.
                combs_.ExcludeLastDraws(exclude, draws_, sink);
                combs_.SaveCache(offset, exclude, sink);
                excludeKey_ = {offset, exclude};
            }
            // A list taken from a full list in generation order is in generation order.
            if (fullRanked_) HoldRanked();
        }
    } else if (Settings.Fast && !ranked_) {
        // The current list: held as ranks when it is in generation order.
        HoldRanked();
    }
    if (IsStopRequested()) return;
    if (options.ClearStakes) {
        try {
            stakes_.StakeClear();
            stakes_.Reopen();
        } catch (const std::exception& e) {
            host_.ShowError(e.what());
        }
        host_.StakesCleared();
        host_.StakesChanged(false);
    }
}

// ---- filter part -------------------------------------------------------------------------------

int TScriptRunner::MethodIndex(const TFilterPart& part) const {
    const TStatMethod* first = list_.Methods.data();
    const ptrdiff_t i = part.Stat ? part.Stat - first : -1;
    if (i < 0 || i >= list_.Count())
        throw Error(Format(TrText(kStatNotFound), {part.Stat ? part.Stat->Code() : std::string(), Tr("Неизвестный код статистики")}));
    const int k = int(i);
    if (!list_.IsAvailable(k) || !list_.CanShowInTable(k) || !list_.IsVisible(k))
        throw Error(Format(TrText(kStatNotFound), {part.Stat->Code(), part.Stat->FullCaption()}));
    return k;
}

const std::vector<TDrawStatsRow>& TScriptRunner::Table(int i, int length, int column) {
    TTimer timer(timings_.Tables);
    TDrawStatsOptions options;
    options.Length = length;
    options.Compare = Settings.Compare;
    if (Settings.Fast) {
        const TRatingWeights& w = list_.RatingWeights();
        const TTableKey key{i, length, w.Count, w.Deviation, w.Level, w.UsePercents, w.UseAbsValues};
        auto it = tables_.find(key);
        if (it == tables_.end()) {
            if (tables_.size() >= kTableCacheLimit) tables_.clear();
            it = tables_.emplace(key, ComputeDrawStats(list_, i, draws_, options, host_.Progress()).Rows).first;
        }
        sorted_ = it->second;
    } else {
        sorted_ = ComputeDrawStats(list_, i, draws_, options, host_.Progress()).Rows;
    }
    SortDrawStatsRows(sorted_, column, true);
    return sorted_;
}

void TScriptRunner::ApplyFilterPart(const TFilterPart& part) {
    const int i = MethodIndex(part);
    const std::string caption = list_.DisplayCaption(i, true);
    WriteScriptLog(Format(NoTr("Анализ тиражей и расчет статистики \"%s\" для выборки в %d тиражей..."),
                          {caption, part.SampleLength}));
    list_.ApplyRatingWeights(part.OwnWeights, part.Weights);
    const std::vector<TDrawStatsRow> rows = Table(i, part.SampleLength, part.SortColumn);
    if (IsStopRequested()) return;
    if (Log.Enabled())
        for (const auto& row : rows) WriteScriptLog(RowText(RowToStatValues(&row)));
    if (IsStopRequested()) return;

    auto stat = list_.CreateStat(i);
    const int count = int(rows.size());
    const TFilterAction action = part.KeepSelected ? TFilterAction::Keep : TFilterAction::Delete;
    const char* actionText = part.KeepSelected ? NoTr("Оставляем выделенные значения...") : NoTr("Удаляем выделенные значения...");
    auto rowValues = [&](int r) {
        TStatValues v = RowToStatValues(&rows[size_t(r)]);
        v.ValueKey = stat->TextToValue(v.Value);
        return v;
    };
    // Filters the list by some rows; true when it emptied the list and was undone.
    auto filterBy = [&](std::vector<int> positions) {
        WriteScriptLog(actionText);
        std::sort(positions.begin(), positions.end());
        const TTableSelection sel = SelectTableRows(rows, positions);
        {
            TTimer timer(timings_.Filters);
            if (ranked_) {
                const bool held = combsHeld_;
                combsHeld_ = false;  // until the step is through
                combsHeld_ = ApplyStatFilterToRanks(ranks_, rankUndo_, combs_, held, *stat, sel.Values, action, draws_,
                                                    caption, sel.Text, Settings.Threads, host_.Progress());
            } else {
                combs_.SaveUndo(true, host_.Progress());
                ApplyStatFilter(combs_, *stat, sel.Values, action, draws_, caption, sel.Text, Settings.Threads,
                                host_.Progress());
            }
        }
        WriteScriptLog(Format(kCountText, {ListCount()}));
        bool undone = false;
        if (ListCount() == 0) {
            WriteScriptLog(NoTr("{UNDO} Откат изменений..."));
            if (ranked_) {
                ranks_ = rankUndo_;
                combsHeld_ = false;
                combs_.AddUndoLogLine(ListCount());
            } else {
                combs_.RestoreUndo(true, host_.Progress());
                combs_.AddUndoLogLine();
            }
            undone = true;
        }
        NotifyCombs();
        return undone;
    };

    TStopState state;
    const int first = part.FromBottom ? count - 1 : 0;
    const int step = part.FromBottom ? -1 : 1;
    if (part.MarkAll) {
        std::vector<int> selected;
        for (int r = first; r >= 0 && r < count; r += step) {
            if (IsStopRequested()) return;
            const TStatValues v = rowValues(r);
            state.CombCount = ListCount();
            if (StopWalkBefore(part, v, state)) break;
            if (MatchesCriterion(part, v)) {
                selected.push_back(r);
                WriteScriptLog(Format(NoTr("Шаг %.3d. Выделение строки: "), {state.Steps + 1}) + RowText(v));
            }
            ++state.Steps;
        }
        if (stopped_) return;
        filterBy(selected);
        return;
    }
    for (int r = first; r >= 0 && r < count; r += step) {
        if (IsStopRequested()) return;
        const TStatValues v = rowValues(r);
        state.CombCount = ListCount();
        if (StopWalkBefore(part, v, state)) break;
        if (IsStopRequested()) return;
        if (!MatchesCriterion(part, v)) continue;
        WriteScriptLog(Format(NoTr("Шаг %.3d. Выделение строки: "), {state.Steps + 1}) + RowText(v));
        if (filterBy({r})) {
            if (part.StopKind == 2) break;  // "SZ": the step that emptied the list ends the walk
        } else {
            ++state.Steps;
        }
    }
}

// ---- stakes ------------------------------------------------------------------------------------

std::string TScriptRunner::StakeComment() const {
    std::string s = Format("%.2d.%.3d:", {stake_.LineNo, stake_.Variant}) + " ";
    if (!stake_.Comment.empty()) s += stake_.Comment + " ";
    s += "@ " + stake_.Text;
    // The record keeps 255 characters.
    TStakeRecord cut;
    cut.SetCommentText(s);
    return cut.CommentText();
}

void TScriptRunner::MakeLineStakes(const TLineOptions& options, int lineNo, const std::string& comment, int variant,
                                   const std::string& text) {
    const int mode = options.ResultCombsMode;
    WriteScriptLog(Format(NoTr("{*} Добавление ставки, режим: \"%s\""), {ResultCombsModeEditorText(mode)}));
    const int count = ListCount();
    // Every combination, or the numbers of all: the list is read whole.
    if (mode == kResultAll || mode == kResultSystemAll || mode == kResultSystemCombs) SyncCombs();
    stake_ = TStakeContext{lineNo, variant, comment, text, options.NewOnly, count};
    if (count == 0 || mode == kResultNone) return;
    if (count > 1 && mode == kResultStop) {
        stopped_ = true;
        WriteScriptLog(NoTr("{!} Сценарий остановлен!"));
        host_.ShowAttention(Format(Tr("Выполнение сценария прервано, т.к. после применения всех фильтров в списке "
                                   "комбинаций их осталось более одной: %d!\r\rФильтры: %s"),
                                   {count, StakeComment()}));
        return;
    }
    if (count > 1 && mode == kResultSkip) {
        WriteScriptLog(NoTr("{-} Ставка игнорирована!"));
        return;
    }
    if (IsStopRequested()) return;
    if (count == 1) {
        AddScriptStake(ListAt(0), false);
    } else {
        switch (mode) {
        case kResultRandom: {
            std::uniform_int_distribution<int> pick(0, count - 1);
            AddScriptStake(ListAt(pick(Random)), false);
            break;
        }
        case kResultFirst: AddScriptStake(ListAt(0), false); break;
        case kResultLast: AddScriptStake(ListAt(count - 1), false); break;
        case kResultAll:
            for (int r = 0; r < count; ++r) {
                if (IsStopRequested()) break;
                if (!AddScriptStake(combs_.At(r), true) && stakeFailed_) break;
            }
            break;
        case kResultSystemAll: AddSystemStakes(true); break;
        case kResultSystemCombs: AddSystemStakes(false); break;
        default: break;
        }
    }
    SetPanel(TScriptPanel::Stakes, Format(Tr("Ставок: %d"), {stakeCount_}));
    host_.StakesChanged(true);
}

bool TScriptRunner::AddScriptStake(const TCombination& comb, bool bulk) {
    stakeFailed_ = false;
    TStakeRecord rec;
    rec.Version = kStakeVersion;
    rec.Kind = skScript;
    rec.DrawNumber = draws_.NextDrawNumber(draws_.Offset());
    rec.Checked = 0;
    rec.Sample = stake_.Sample;
    rec.Numbers = CombSet(comb);
    rec.Matched.Count = -1;
    rec.Profit = StakeProfit(list_.Config, kNumberCount, -1);
    rec.SetCommentText(StakeComment());
    const std::string numbers = NumberSetToText(rec.Numbers, ";");
    bool added = false;
    try {
        if (stake_.NewOnly && stakes_.FindStake(rec.DrawNumber, rec.Numbers)) {
            WriteScriptLog(Format(NoTr("{-} Ставка на тираж %d не добавлена, так как уже имеется в списке ставок: [%s]"),
                                  {rec.DrawNumber, numbers}));
        } else {
            stakes_.AppendStakes(rec, 1);
            added = true;
        }
    } catch (const std::exception& e) {
        stakeFailed_ = true;
        host_.ShowError(e.what());
    }
    if (added) {
        ++stakeCount_;
        host_.StakeAdded(rec);
        WriteScriptLog(Format(NoTr("{+} Ставка на тираж %d добавлена в список ставок: [%s]"), {rec.DrawNumber, numbers}));
    }
    const auto now = std::chrono::steady_clock::now();
    if (!bulk || now - lastStakePanel_ >= kStakePanelInterval) {
        lastStakePanel_ = now;
        SetPanel(TScriptPanel::Stakes, Format(Tr("Ставок: %d"), {stakeCount_}));
        if (added) host_.StakesChanged(!bulk || Settings.ScrollStakes);
        host_.Pump();
    }
    return added;
}

void TScriptRunner::AddSystemStakes(bool all) {
    TByteArray numbers;
    DistinctNumbers(combs_.Data(), combs_.Count(), numbers);
    if (numbers.size() > size_t(kMaxNumber)) numbers.resize(size_t(kMaxNumber));
    const int n = int(numbers.size());
    TCombsArray system;
    std::string file, reason, box;
    bool ok = false;
    if (Settings.LoadSystem)
        ok = Settings.LoadSystem(numbers, system, file, reason, box);
    else
    {
        std::string text;  // the file's path, or the reason of the failure
        ok = LoadSystemForNumbers(SystemsDir(), numbers, system, text, &box);
        (ok ? file : reason) = text;
    }
    if (!ok) {
        host_.ShowError(box.empty() ? reason : box);
        WriteScriptLog(Format(NoTr("{#} Системная игра для %d чисел [ОШИБКА]: \"%s\""), {n, reason}));
        return;
    }
    const std::string name = ChangeFileExt(ExtractFileName(file), "");
    WriteScriptLog(Format(all ? NoTr("{#} Системная игра для %d чисел [все система]: загружен файл \"%s\"")
                              : NoTr("{#} Системная игра для %d чисел [система * комбинации]: загружен файл \"%s\""),
                          {n, name}));
    for (TCombination comb : system) {
        if (IsStopRequested()) break;
        SortComb(comb);
        if (!all && !combs_.ContainsComb(comb)) continue;
        if (!AddScriptStake(comb, true) && stakeFailed_) break;
    }
}

} // namespace velmora
