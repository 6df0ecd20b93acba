#include "filters/stat_filter.h"

#include "stats/stat_framework.h"
#include "stats/stat_list.h"
#include "stats/stat_registry.h"
#include "stats/stat_runs.h"
#include "util/error.h"
#include "util/format.h"

#include <algorithm>
#include <memory>

namespace velmora {

namespace {

constexpr const char* kNumbersCode = "NUMS";

// A fresh instance of the number statistic bound to the list's archive.
std::unique_ptr<TCustomStat> CreateNumbersStat(const TStatList& list) {
    for (const TStatClass* cls : RegisteredStatClasses())
        if (cls->GetCode() == kNumbersCode) return cls->Create(&list, 0);
    throw Error(Format("Не выбран метод расчета статистики (cb: %s)!", {kNumbersCode}));
}

} // namespace

int FilterReferenceIndex(const TDrawsArchive& archive) { return std::max(0, archive.LastIndex()); }

bool ApplyStatFilter(TCombSet& set, TCustomStat& stat, const TStatDrawArray& selected, bool remove,
                     const TDrawsArchive& archive, const std::string& caption, const std::string& valuesText,
                     int threads, TProgressSink& sink) {
    (void)threads;
    if (selected.empty()) return false;
    TStatusScope status(sink, "Фильтрация комбинаций...");
    const int undoCount = set.UndoCount();
    TCombination* current = set.MutableData();
    if (undoCount == 0) {
        set.SetCount(0);
        return true;
    }
    const int last = FilterReferenceIndex(archive);
    size_t kept = 0;
    try {
        kept = FilterCombinationSet(stat, set.UndoData(), size_t(undoCount), current, selected, remove,
                                    archive.Sorted, last);
    } catch (...) {
        // The pass wrote part of the survivors over the set: bring back the set as it was
        // before the step, so that the list never shows a half-filtered set without its log line.
        std::copy_n(set.UndoData(), undoCount, current);
        set.SetCount(undoCount);
        throw;
    }
    set.SetCount(int(kept));
    set.AddLogLine(remove, caption, valuesText);
    return true;
}

void ApplyNumberFilter(TCombSet& set, const TStatList& list, const std::vector<int>& numbers, bool remove,
                       const TDrawsArchive& archive, const std::string& caption, const std::string& valuesText,
                       int threads, TProgressSink& sink) {
    if (numbers.empty()) throw Error("В выделенном диапазоне нет значений для фильтра!");
    TStatDrawArray selected;
    selected.reserve(numbers.size());
    for (int n : numbers) {
        TStatValueRec rec;
        rec.Key.K[0] = uint16_t(n);
        selected.push_back(rec);
    }
    auto stat = CreateNumbersStat(list);
    ApplyStatFilter(set, *stat, selected, remove, archive, caption, valuesText, threads, sink);
}

} // namespace velmora
