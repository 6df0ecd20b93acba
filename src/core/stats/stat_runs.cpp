#include "core/stats/stat_runs.h"

#include "core/stats/stat_index.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

namespace velmora {

void ComputeStatDistribution(TCustomStat& stat, int lastIndex, int length, bool sorted, TStatDrawArray& list) {
    list.clear();
    if (length <= 0 || lastIndex < 0) return;
    const int first = std::max(0, lastIndex - length + 1);
    TLastValueArray lastValues;
    TSeriesArea series{};
    TStatBatchScope scope(stat, &list, nullptr);
    stat.ListAllValues(lastIndex, list);
    for (int i = first; i <= lastIndex; ++i) stat.AddDrawValue(i, lastIndex, lastValues, series, list, sorted);
}

size_t FilterCombinationSet(TCustomStat& stat, const TCombination* src, size_t count, TCombination* dst,
                            const TStatDrawArray& selected, TFilterAction action, bool sorted, int lastIndex) {
    stat.LoadDraw(-1, lastIndex, sorted);
    return stat.FilterCombinations(src, count, dst, selected, action, sorted, lastIndex);
}

namespace {

// Merges the list of a later part into the list of the parts before it, so that the result is
// the list one run over both parts would give: new keys go to the end in their order, a known
// key adds its count and takes the later part's recency as merging its values one by one would.
void MergePart(TStatDrawArray& into, TStatKeyIndex& index, const TStatDrawArray& part) {
    for (const auto& e : part) {
        int32_t pos = index.Find(e.Key.Packed());
        if (pos < 0) {
            into.push_back(e);
            continue;
        }
        TStatValueRec& d = into[size_t(pos)];
        MergeStatValue(d, e, false);
        d.LastDrawNo = e.LastDrawNo;
    }
}

} // namespace

int MachineThreadCount() { return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u)); }

void RunInParts(TCustomStat& stat, size_t count, size_t parts,
                const std::function<void(TCustomStat& s, size_t part, size_t from, size_t to)>& body) {
    std::vector<std::unique_ptr<TCustomStat>> stats(parts);
    for (size_t p = 1; p < parts; ++p) {
        stats[p] = stat.Class().Create(stat.Owner(), stat.Param);
        stats[p]->Draws = stat.Draws;
    }
    std::vector<std::exception_ptr> errors(parts);
    auto run = [&](size_t p) {
        try {
            body(p == 0 ? stat : *stats[p], p, count * p / parts, count * (p + 1) / parts);
        } catch (...) {
            errors[p] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> workers;
        workers.reserve(parts > 0 ? parts - 1 : 0);
        for (size_t p = 1; p < parts; ++p) workers.emplace_back(run, p);
        if (parts > 0) run(0);
    }
    for (auto& e : errors)
        if (e) std::rethrow_exception(e);
}

void ComputeCombinationsDistribution(TCustomStat& stat, const TCombination* combs, size_t count,
                                     TStatDrawArray& list, int threads) {
    list.clear();
    if (threads <= 0) threads = MachineThreadCount();
    const uint8_t flags = stat.Class().ClassFlags();
    const bool split = threads > 1 && (flags & kFlagN) && !(flags & kFlagD) && count >= 4096;
    if (!split) {
        stat.AddCombinationValues(combs, count, list);
        return;
    }
    const size_t parts = size_t(threads);
    std::vector<TStatDrawArray> lists(parts);
    RunInParts(stat, count, parts, [&](TCustomStat& s, size_t p, size_t from, size_t to) {
        s.AddCombinationValues(combs + from, to - from, lists[p]);
    });
    list = std::move(lists[0]);
    TStatKeyIndex index(list);
    for (size_t p = 1; p < parts; ++p) MergePart(list, index, lists[p]);
}

void ComputeFullSetDistribution(TCustomStat& stat, TStatDrawArray& list, int threads) {
    const TCombsArray& all = FullCombinationSet();
    ComputeCombinationsDistribution(stat, all.data(), all.size(), list, threads);
}

const TCombsArray& FullCombinationSet() {
    static const TCombsArray all = [] {
        TCombsArray v;
        v.reserve(kCombinationTotal);
        TCombination c;
        for (int a = 1; a <= 46; ++a)
            for (int b = a + 1; b <= 47; ++b)
                for (int d = b + 1; d <= 48; ++d)
                    for (int e = d + 1; e <= 49; ++e)
                        for (int f = e + 1; f <= 50; ++f) {
                            c = {uint8_t(a), uint8_t(b), uint8_t(d), uint8_t(e), uint8_t(f)};
                            v.push_back(c);
                        }
        return v;
    }();
    return all;
}

} // namespace velmora
