// The combination set: the working list of candidate combinations (Current) that the user
// narrows down step by step, the copy taken before the last change (Undo), the tagged starting
// list that script lines share (Cache), and the log of the applied steps.
//
// The three stores are allocated once for the whole capacity (all 2 118 760 combinations) and
// never reallocated, so that generation, undo and every filter pass are plain copies of 5-byte
// records. A list that does not fit (a file or a pasted text) is refused and the set stays as
// it was.
#pragma once

#include "core/model/draws_archive.h"
#include "core/model/filter_action.h"
#include "core/model/game.h"
#include "core/util/progress.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

// Generation modes ("CombsGenerateMode").
enum TGenerateMode : uint8_t {
    kGenerateFull = 0,      // every combination
    kGenerateAnyMine = 1,   // at least one of my numbers
    kGenerateOnlyMine = 2,  // only my numbers
    kGenerateNoMine = 3,    // none of my numbers
    kGenerateFromFile = 4,  // a prepared combination file
};
constexpr int kGenerateModeCount = 5;
constexpr size_t kGenerateParamMaxLength = 255;

// The captions of the modes in the generation dialog, by mode.
extern const std::array<const char*, kGenerateModeCount> kGenerateModeCaptions;

// The generation parameters as the settings keep them ("CombsGenerateMode",
// "CombsGenerateParameters"); the defaults are the settings' defaults.
struct TGenerateParams {
    uint8_t Mode = kGenerateFull;
    std::string Param;  // my numbers ("1;7;23") or the file name for mode 4
};

// My numbers: the words of the text separated by "," or ";", each trimmed and read as an
// integer; the values 0..255 form the set (others are ignored), in the order given, each once.
TByteArray ParseMyNumbers(const std::string& param);

// How many combinations Generate builds for modes 0 to 3 (-1 for another mode).
int GeneratedCount(const TGenerateParams& params);

// The generation dialog's check on OK: raises the message for modes 1 and 3 without any of my
// numbers in 1..50, mode 2 with fewer than five of them (no combination at all), mode 4 without a
// name or with a file that does not exist. Generate itself takes such parameters as they are.
void CheckGenerateParams(const TGenerateParams& params);

// One line of the applied-filters log.
enum class TLogKind : uint8_t { Keep, Remove, Undo };
struct TFilterLogLine {
    std::string Caption;  // "Последние тиражи", a statistic's selector text ...
    std::string Values;   // the values text of the step
    int Count = 0;        // the size of the set after the step
    TLogKind Kind = TLogKind::Keep;
};

// The latest n draws of the analysis window, the ones ExcludeLastDraws deletes.
struct TDrawRange {
    const TDrawRecord* Draws = nullptr;
    int Count = 0;
};
TDrawRange LatestDraws(const TDrawsArchive& archive, int n);

class TCombSet {
public:
    // Allocates the three stores; the capacity is all combinations unless a test wants less.
    explicit TCombSet(int capacity = kCombinationTotal);

    int Capacity() const { return capacity_; }

    // --- Current: the set shown in the list and filtered ---
    int Count() const { return current_.Count; }
    bool Empty() const { return current_.Count == 0; }
    const TCombination* Data() const { return current_.Data.get(); }
    const TCombination& At(int row) const { return current_.Data[size_t(row)]; }
    // For filters that rebuild Current themselves: the store (room for Capacity() records) and
    // its new count (0..Capacity()).
    TCombination* MutableData() { return current_.Data.get(); }
    void SetCount(int count);
    // Keeps, in order, the combinations for which keep(comb) is true; returns the new count.
    template <class Pred>
    int KeepIf(Pred keep) {
        TCombination* d = current_.Data.get();
        int k = 0;
        for (int i = 0; i < current_.Count; ++i)
            if (keep(d[i])) d[k++] = d[i];
        current_.Count = k;
        return k;
    }

    // The columns of the combination list and the cell texts of one row: row number (from 1),
    // the five numbers, their sum.
    static std::vector<std::string> ColumnCaptions();
    std::vector<std::string> RowTexts(int row) const;
    // "Комбинаций: %d", the status panel text.
    std::string StatusText() const;

    // Rebuilds Current from the parameters. Visible: shows the status, clears the log and drops
    // the undo copy (a new set cannot be undone). Modes 0 to 3 enumerate a < b < c < d < e of
    // 1..50 in lexicographic order; mode 4 loads the file named by Param. On an error Current
    // is left empty and Error("Ошибка генерации файла комбинаций!\r\r%s") is raised.
    void Generate(bool visible, const TGenerateParams& params, TProgressSink& sink = NullProgress());

    // --- Undo: one step back ---
    void SaveUndo(bool visible, TProgressSink& sink = NullProgress());
    // Current := the undo copy, then there is nothing to undo. The log is left to the caller
    // (RemoveLastLogLine when the user undoes, AddUndoLogLine when a script does).
    void RestoreUndo(bool visible, TProgressSink& sink = NullProgress());
    void DropUndo() { undo_.Count = 0; }
    int UndoCount() const { return undo_.Count; }
    bool CanUndo() const { return undo_.Count > 0; }
    const TCombination* UndoData() const { return undo_.Data.get(); }

    // --- Cache: a copy of Current tagged (draws offset, excluded draws) ---
    // Takes the copy when (a, b) differs from the tags.
    void SaveCache(int a, int b, TProgressSink& sink = NullProgress());
    // Current := the copy when the tags are (a, b) and the copy is not empty; false otherwise.
    bool LoadCache(int a, int b, TProgressSink& sink = NullProgress());
    // Tags -1, -1 and nothing cached; FreeCache also gives the memory back (a later SaveCache
    // allocates it again).
    void ResetCache();
    void FreeCache();
    int CacheCount() const { return cache_.Count; }
    int CacheTagA() const { return cacheA_; }
    int CacheTagB() const { return cacheB_; }

    // Current holds a combination with the same five bytes in the same order.
    bool ContainsComb(const TCombination& comb) const;

    // Removes from Current every combination with 5 common numbers (in any order) with one of
    // the latest n draws of the analysis window: array indices max(0, Last-n+1) .. Last, where
    // Last = LastIndex() of the archive. Order is kept. Shows the progress in 1 % steps, logs
    // "Последние тиражи" with n and returns the number removed. The caller saves the undo copy
    // first (SaveUndo).
    int ExcludeLastDraws(int n, const TDrawsArchive& archive, TProgressSink& sink = NullProgress());
    // The same with the plain comparison of every combination with every draw; gives the same
    // set, only slower.
    int ExcludeLastDrawsPlain(int n, const TDrawsArchive& archive, TProgressSink& sink = NullProgress());

    // Removes the combinations at the given rows of Current (in any order; rows outside the
    // set and repeated rows count once or not at all), logs "Выделенные комбинации" with the
    // number removed and returns it. Nothing happens for an empty selection. The caller saves
    // the undo copy first.
    int DeleteSelected(const std::vector<int>& rows, TProgressSink& sink = NullProgress());

    // The combinations at the given rows in row order, each once (for the clipboard, stakes ...).
    std::vector<TCombination> SelectedCombs(const std::vector<int>& rows) const;
    // The clipboard form of the given rows.
    std::string ClipboardText(const std::vector<int>& rows, TProgressSink& sink = NullProgress()) const;

    // --- Files and the clipboard ---
    // Current := the combinations of the file. Errors ("Ошибка чтения файла \"%s\"!\r\r%s": an
    // unreadable file or more combinations than the capacity) leave Current unchanged.
    void LoadCombsFile(const std::string& name);
    // Writes Current as a combination file; error "Ошибка записи в файл \"%s\"!\r\r%s". A data file
    // of the data folder is never the target (IsDataFolderFile).
    void SaveCombsFile(const std::string& name, TProgressSink& sink = NullProgress()) const;
    // The open command: Current := the file, a new set (log cleared, nothing to undo). On an
    // error the set, its undo copy and its log stay as they were and the error is raised.
    void OpenCombsFile(const std::string& name, TProgressSink& sink = NullProgress());
    // The paste command: Current := the lines of the text, a new set (log cleared, nothing to
    // undo). False when the text has no lines. A line that is not a combination, or more lines
    // than the capacity, raise the message and leave the set as it was.
    bool PasteCombsText(const std::string& text, TProgressSink& sink = NullProgress());

    // --- The applied-filters log ---
    const std::vector<TFilterLogLine>& Log() const { return log_; }
    // A step that kept or deleted combinations, with the current count (or the count of the list
    // the step left elsewhere, e.g. in a TRankSet).
    void AddLogLine(TFilterAction action, const std::string& caption, const std::string& values);
    void AddLogLine(TFilterAction action, const std::string& caption, const std::string& values, int count);
    // The line of ExcludeLastDraws: the latest n draws deleted, count left.
    void AddExcludeLogLine(int n, int count);
    // "Отмена последней операции" with the current count (or the given one).
    void AddUndoLogLine();
    void AddUndoLogLine(int count);
    void RemoveLastLogLine();
    void ClearLog() { log_.clear(); }
    // Puts back a log taken earlier with Log() (a script test that ends early restores its list).
    void SetLog(std::vector<TFilterLogLine> log) { log_ = std::move(log); }

    // The number of different numbers in Current.
    int DistinctNumbers() const { return DistinctNumberCount(Data(), Count()); }

private:
    struct TStore {
        std::unique_ptr<TCombination[]> Data;
        int Count = 0;
    };
    static void Allocate(TStore& store, int capacity);
    static void CopyStore(const TStore& from, TStore& to);
    void GenerateCombinations(const TGenerateParams& params);
    template <class Kernel>
    int ExcludeWith(int n, const TDrawsArchive& archive, TProgressSink& sink, Kernel&& keep);

    int capacity_;
    TStore current_;
    TStore undo_;
    TStore cache_;
    int cacheA_ = -1;
    int cacheB_ = -1;
    std::vector<TFilterLogLine> log_;
};

// The draws that share all five numbers with the combination, as DrawToText lines, newest
// first, at most 26 of them (the whole archive is searched, not only the analysis window).
constexpr int kFindInDrawsLimit = 26;
std::vector<std::string> FindCombInDraws(const TDrawsArchive& archive, const TCombination& comb,
                                         TProgressSink& sink = NullProgress());
// The information message of the search.
std::string FindInDrawsMessage(const std::vector<std::string>& hits);
// The information message of the distinct-numbers command.
std::string DistinctNumbersMessage(int count);

} // namespace velmora
