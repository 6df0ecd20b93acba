#include "core/stats/shredding_stats.h"

#include "core/stats/stat_index.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_registry.h"
#include "core/stats/value_columns.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

namespace {

const uint8_t kNoNumbers[5] = {0, 0, 0, 0, 0};

std::string FormulaOf(const TStatInit& init) {
    if (!init.Owner || init.Param < 1 || init.Param > 3) return std::string();
    return init.Owner->Formulas[size_t(init.Param - 1)];
}

int DigitsOf(const TStatInit& init) {
    if (!init.Owner || init.Param < 1 || init.Param > 3) return kDefaultFormulaDigits;
    return init.Owner->FormulaDigits[size_t(init.Param - 1)];
}

// The values are counted directly up to this many; more digits go through the hashed list.
constexpr uint32_t kDirectLimit = 1u << 20;

} // namespace

TstShreddingStat::TstShreddingStat(const TStatInit& init)
    : TCustomGraphStat(init), formula_(FormulaOf(init), DigitsOf(init)) {}

std::string TstShreddingStat::ValueToText(const TStatValueRec& rec) const { return std::to_string(rec.Key.Dword(0)); }

int32_t TstShreddingStat::ValueAfter(const uint8_t* nums, int index, bool sorted) const {
    TDrawRecord prev, third;
    GetDraw(index, sorted, prev);
    GetDraw(index - 1, sorted, third);
    return formula_.Value(nums, prev.Numbers, third.Numbers);
}

void TstShreddingStat::AddCombinationValue(const TCombination& comb, TStatDrawArray& list) {
    TCustomStat::AddCombinationValue(comb, list);
    Value.Key.SetDword(0, uint32_t(formula_.Value(comb.data(), kNoNumbers, kNoNumbers)));
    AddValue(list, false);
}

void TstShreddingStat::AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                                    TStatDrawArray& list, bool sorted) {
    TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
    Value.Key.SetDword(0, uint32_t(ValueAfter(Draw.Numbers, index - 1, sorted)));
    AddValue(list, true);
}

bool TstShreddingStat::CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool sorted,
                                          int lastIndex) {
    return HasKeyDword(selected, 1, uint32_t(ValueAfter(comb.data(), lastIndex, sorted)));
}

int32_t TstShreddingStat::CombinationNumber(const TCombination& comb, int index, int, bool sorted) {
    return ValueAfter(comb.data(), index - 1, sorted);
}

void TstShreddingStat::AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) {
    if (count == 0) return;
    const uint32_t limit = formula_.MaxValue() + 1;
    if (limit > kDirectLimit) {
        TStatBatchScope scope(*this, &list, nullptr);
        for (size_t i = 0; i < count; ++i) AddCombinationValue(combs[i], list);
        return;
    }
    // Counts per value in first-seen order; one merge per value with its count leaves the list
    // as the merges with count 1 would.
    std::vector<int32_t> counts(limit, 0);
    std::vector<uint32_t> order;
    for (size_t i = 0; i < count; ++i) {
        const auto v = uint32_t(formula_.Value(combs[i].data(), kNoNumbers, kNoNumbers));
        if (counts[v]++ == 0) order.push_back(v);
    }
    TStatKeyIndex index(list);
    TStatValueRec rec;
    for (uint32_t v : order) {
        rec.Key.SetDword(0, v);
        rec.Count = counts[v];
        index.Merge(rec, false);
    }
    // The statistic ends as the plain calls leave it: Value holds the last combination's record.
    TCustomStat::AddCombinationValue(combs[count - 1], list);
    Value.Key.SetDword(0, uint32_t(formula_.Value(combs[count - 1].data(), kNoNumbers, kNoNumbers)));
}

namespace {

// The selected values as a table over every value below limit; false when none is there.
bool ChosenValues(const TStatDrawArray& selected, uint32_t limit, std::vector<uint8_t>& chosen) {
    chosen.assign(limit, 0);
    bool any = false;
    for (const auto& s : selected)
        if (const uint32_t v = s.Key.Dword(0); v < limit) chosen[v] = 1, any = true;
    return any;
}

} // namespace

size_t TstShreddingStat::FilterCombinations(const TCombination* src, size_t count, TCombination* dst,
                                            const TStatDrawArray& selected, TFilterAction action, bool sorted,
                                            int lastIndex) {
    const uint32_t limit = formula_.MaxValue() + 1;
    if (limit > kDirectLimit) return TCustomGraphStat::FilterCombinations(src, count, dst, selected, action, sorted, lastIndex);
    std::vector<uint8_t> chosen;
    const bool del = IsDelete(action);
    if (!ChosenValues(selected, limit, chosen)) {
        if (!del) return 0;
        if (dst != src && count > 0) std::memmove(dst, src, count * sizeof(TCombination));
        return count;
    }
    TDrawRecord prev, third;
    GetDraw(lastIndex, sorted, prev);
    GetDraw(lastIndex - 1, sorted, third);
    const uint8_t delFlag = del ? 1 : 0;
    size_t k = 0;
    for (size_t i = 0; i < count; ++i) {
        const auto v = uint32_t(formula_.Value(src[i].data(), prev.Numbers, third.Numbers));
        if (chosen[v] != delFlag) dst[k++] = src[i];
    }
    return k;
}

bool TstShreddingStat::FilterRanks(uint64_t* words, const TStatDrawArray& selected, TFilterAction action, bool sorted,
                                   int lastIndex, size_t) {
    const uint32_t limit = formula_.MaxValue() + 1;
    if (limit > 65536) return false;
    std::vector<uint8_t> chosen;
    const bool del = IsDelete(action);
    if (!ChosenValues(selected, limit, chosen)) {
        if (!del) std::fill_n(words, kRankWords, uint64_t(0));
        return true;
    }
    TDrawRecord prev, third;
    GetDraw(lastIndex, sorted, prev);
    GetDraw(lastIndex - 1, sorted, third);
    const TCodesOf codesOf = [&](const uint8_t* n, TCodeSink& sink) {
        sink.Add(uint64_t(uint32_t(formula_.Value(n, prev.Numbers, third.Numbers))));
    };
    const uint64_t salt = std::hash<std::string>()(formula_.Formula()) ^ uint64_t(formula_.Digits());
    const TRankPassData data = DrawRankPassDataFor(*this, limit, codesOf, lastIndex, sorted, words, salt);
    const uint8_t delFlag = del ? 1 : 0;
    // Until passes on this draw repeat, the records pass.
    return data.FilterRanks(words, chosen.data(), delFlag);
}

void AddShreddingStats(TStatRegistry& r) { r.Add(143, StatClassOf<TstShreddingStat>()); }

} // namespace velmora
