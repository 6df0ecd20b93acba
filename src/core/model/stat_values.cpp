#include "core/model/stat_values.h"

#include <algorithm>
#include <climits>

namespace velmora {

void MergeStatValue(TStatValueRec& e, const TStatValueRec& rec, bool trackGaps) {
    e.Count += rec.Count;
    // Keep the most recent occurrence: the smallest positive age.
    if (e.Age == 0 || (rec.Age > 0 && rec.Age <= e.Age)) {
        e.DrawNo = rec.DrawNo;
        e.Age = rec.Age;
    }
    // A value that occurs again in the same draw (a multi-valued statistic) leaves the gaps: a
    // gap of 0 would read as "fewer than two occurrences". Gaps beyond 16 bits stay at the top.
    if (trackGaps && rec.DrawNo > 0 && e.LastDrawNo > 0 && rec.DrawNo != e.LastDrawNo) {
        int64_t gap = int64_t(e.LastDrawNo) - rec.DrawNo;
        if (gap < 0) gap = -gap;
        uint16_t g = uint16_t(std::min<int64_t>(gap, UINT16_MAX));
        if (g < e.MinGap || e.MinGap == 0) e.MinGap = g;
        if (g > e.MaxGap || e.MaxGap == 0) e.MaxGap = g;
    }
    e.LastDrawNo = rec.DrawNo;
}

void AddStatValue(TStatDrawArray& list, const TStatValueRec& rec, bool trackGaps) {
    const uint64_t key = rec.Key.Packed();
    for (auto& e : list)
        if (e.Key.Packed() == key) {
            MergeStatValue(e, rec, trackGaps);
            return;
        }
    TStatValueRec n = rec;
    n.Expected = 0;
    list.push_back(n);
}

int CompareStatKeys(const TStatKey& a, const TStatKey& b) {
    for (int i = 0; i < 4; ++i)
        if (a.K[i] != b.K[i]) return a.K[i] < b.K[i] ? -1 : 1;
    return 0;
}

void SortStatValues(TStatDrawArray& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const TStatValueRec& a, const TStatValueRec& b) { return CompareStatKeys(a.Key, b.Key) < 0; });
}

void StatTotals(const TStatDrawArray& list, int32_t& minCount, int32_t& maxCount, int32_t& maxAge, int64_t& total) {
    minCount = INT32_MAX;
    maxCount = 0;
    maxAge = 0;
    total = 0;
    for (const auto& e : list) {
        minCount = std::min(minCount, e.Count);
        maxCount = std::max(maxCount, e.Count);
        total += e.Count;
        if (e.Age > maxAge) maxAge = e.Age;
    }
}

int32_t UpdateLastValue(const TStatValueRec& rec, TLastValueArray& list) {
    for (auto& e : list)
        if (e.Key == rec.Key) {
            int32_t r = rec.DrawNo - e.DrawNo;
            e.DrawNo = rec.DrawNo;
            return r;
        }
    TLastValueRec n;
    n.DrawNo = rec.DrawNo;
    n.Key = rec.Key;
    list.push_back(n);
    return -1;
}

void AddSimpleValue(TStatSimpleArray& list, int32_t value, int32_t count) {
    for (auto& e : list)
        if (e.Value == value) {
            if (count > 0) e.Count += count;
            return;
        }
    list.push_back({value, count});
}

void SortSimpleValues(TStatSimpleArray& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const TStatSimpleRec& a, const TStatSimpleRec& b) { return a.Value < b.Value; });
}

void StatValueToPrefetch(const TStatValueRec& rec, TPrefetchRec& p) {
    p.Key = rec.Key;
    p.Count = rec.Count;
}

void PrefetchToStatValue(const TPrefetchRec& p, TStatValueRec& rec) {
    rec = TStatValueRec{};
    rec.Key = p.Key;
    rec.Count = p.Count;
}

void AddDrawProfit(TProfitDrawArray& list, int32_t drawNo, int64_t amount) {
    for (auto& e : list)
        if (e.DrawNo == drawNo) {
            e.Profit += amount;
            return;
        }
    list.push_back({drawNo, amount});
}

} // namespace velmora
