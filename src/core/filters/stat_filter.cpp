#include "core/filters/stat_filter.h"

#include "core/combs/rank_set.h"
#include "core/stats/stat_framework.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_registry.h"
#include "core/stats/stat_runs.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace velmora {

namespace {

constexpr const char* kNumbersCode = "NUMS";

// A fresh instance of the number statistic bound to the list's archive.
std::unique_ptr<TCustomStat> CreateNumbersStat(const TStatList& list) {
    for (const TStatClass* cls : RegisteredStatClasses())
        if (cls->GetCode() == kNumbersCode) return cls->Create(&list, 0);
    throw Error(Format(Tr("Не выбран метод расчета статистики (cb: %s)!"), {kNumbersCode}));
}

// Below this many combinations a pass stays on one thread when the caller leaves the choice to
// the machine: starting a thread costs more than the part it would take over.
constexpr size_t kSplitMinimum = 1 << 18;

int PartCount(int threads, size_t count) {
    size_t parts;
    if (threads > 0) {
        parts = size_t(threads);
    } else {
        if (count < kSplitMinimum) return 1;
        parts = size_t(MachineThreadCount());
    }
    return int(std::clamp<size_t>(std::min(parts, count), 1, 64));
}

// The pass over src[0..count) into dst (a store of its own, room for count records) in `parts`
// contiguous parts, each with the draws loaded as for the first. Each part writes its survivors to
// the start of its own region of dst; the regions are then moved together in part order, so the
// result is the one-thread result.
size_t SplitPass(TCustomStat& stat, const TCombination* src, size_t count, TCombination* dst,
                 const TStatDrawArray& selected, TFilterAction action, bool sorted, int last, int parts) {
    if (parts <= 1) return FilterCombinationSet(stat, src, count, dst, selected, action, sorted, last);
    const size_t n = size_t(parts);
    std::vector<size_t> kept(n, 0);
    auto from = [&](size_t p) { return count * p / n; };
    RunInParts(stat, count, n, [&](TCustomStat& s, size_t p, size_t a, size_t b) {
        kept[p] = FilterCombinationSet(s, src + a, b - a, dst + a, selected, action, sorted, last);
    });
    size_t k = kept[0];
    for (size_t p = 1; p < n; ++p) {
        if (k != from(p) && kept[p] > 0) std::memmove(dst + k, dst + from(p), kept[p] * sizeof(TCombination));
        k += kept[p];
    }
    return k;
}

} // namespace

int FilterReferenceIndex(const TDrawsArchive& archive) { return std::max(0, archive.LastIndex()); }

bool ApplyStatFilter(TCombSet& set, TCustomStat& stat, const TStatDrawArray& selected, TFilterAction action,
                     const TDrawsArchive& archive, const std::string& caption, const std::string& valuesText,
                     int threads, TProgressSink& sink) {
    if (selected.empty()) return false;
    TStatusScope status(sink, Tr("Фильтрация комбинаций..."));
    const int undoCount = set.UndoCount();
    TCombination* current = set.MutableData();
    if (undoCount == 0) {
        set.SetCount(0);
        return true;
    }
    const int last = FilterReferenceIndex(archive);
    size_t kept = 0;
    try {
        kept = SplitPass(stat, set.UndoData(), size_t(undoCount), current, selected, action, archive.Sorted, last,
                         PartCount(threads, size_t(undoCount)));
    } catch (...) {
        // The pass wrote part of the survivors over the set: bring back the set as it was
        // before the step, so that the list never shows a half-filtered set without its log line.
        std::copy_n(set.UndoData(), undoCount, current);
        set.SetCount(undoCount);
        throw;
    }
    set.SetCount(int(kept));
    set.AddLogLine(action, caption, valuesText);
    return true;
}

bool ApplyStatFilterToRanks(TRankSet& set, TRankSet& undo, TCombSet& combs, bool combsHoldSet, TCustomStat& stat,
                            const TStatDrawArray& selected, TFilterAction action, const TDrawsArchive& archive,
                            const std::string& caption, const std::string& valuesText, int threads,
                            TProgressSink& sink) {
    if (selected.empty()) return combsHoldSet;
    TStatusScope status(sink, Tr("Фильтрация комбинаций..."));
    undo = set;
    if (set.Empty()) return combsHoldSet;
    const int last = FilterReferenceIndex(archive);
    stat.LoadDraw(-1, last, archive.Sorted);
    bool held = false;
    bool ranked = false;
    try {
        ranked = stat.FilterRanks(set.Words(), selected, action, archive.Sorted, last,
                                  size_t(PartCount(threads, set.Count())));
    } catch (...) {
        // A pass in parts may have cleared the bits of some parts: the set as it was.
        set = undo;
        throw;
    }
    if (ranked) {
        set.Recount();
    } else {
        TCombination* d = combs.MutableData();
        const size_t n = combsHoldSet ? size_t(combs.Count()) : set.Decode(d);
        combs.SetCount(0);  // until the pass is through
        const size_t kept = SplitPass(stat, d, n, d, selected, action, archive.Sorted, last, PartCount(threads, n));
        combs.SetCount(int(kept));
        // The survivors of a list in generation order are in generation order.
        set.Assign(d, kept);
        held = true;
    }
    combs.AddLogLine(action, caption, valuesText, int(set.Count()));
    return held;
}

void ApplyNumberFilter(TCombSet& set, const TStatList& list, const std::vector<int>& numbers, TFilterAction action,
                       const TDrawsArchive& archive, const std::string& caption, const std::string& valuesText,
                       int threads, TProgressSink& sink) {
    if (numbers.empty()) throw Error(Tr("В выделенном диапазоне нет значений для фильтра!"));
    TStatDrawArray selected;
    selected.reserve(numbers.size());
    for (int n : numbers) {
        TStatValueRec rec;
        rec.Key.K[0] = uint16_t(n);
        selected.push_back(rec);
    }
    auto stat = CreateNumbersStat(list);
    ApplyStatFilter(set, *stat, selected, action, archive, caption, valuesText, threads, sink);
}

} // namespace velmora
