#include "core/stats/sum_stats.h"

#include "core/stats/number_stats.h"
#include "core/stats/stat_framework.h"
#include "core/stats/stat_index.h"
#include "core/stats/stat_registry.h"
#include "core/util/format.h"

#include <array>
#include <cstdlib>
#include <string>

namespace velmora {

namespace {

// ---- sums ------------------------------------------------------------------------------------

enum class TSumKind { All, Even, Prime };

// The part of a number that a sum of the kind adds: the number itself or 0.
constexpr std::array<uint8_t, 256> MakeSumTable(TSumKind kind) {
    std::array<uint8_t, 256> t{};
    for (int n = 0; n < 256; ++n) {
        bool counts = kind == TSumKind::All || (kind == TSumKind::Even && IsEvenNumber(n)) ||
                      (kind == TSumKind::Prime && IsPrimeNumber(n));
        t[size_t(n)] = counts ? uint8_t(n) : 0;
    }
    return t;
}

template <TSumKind K>
inline constexpr std::array<uint8_t, 256> kSumTable = MakeSumTable(K);

template <TSumKind K = TSumKind::All>
inline int32_t SumOf(const uint8_t* n) {
    const auto& t = kSumTable<K>;
    return int32_t(t[n[0]]) + t[n[1]] + t[n[2]] + t[n[3]] + t[n[4]];
}

inline int32_t SumOf(const TCombination& c) { return SumOf(c.data()); }

// Every sum of five bytes is below this.
constexpr int kSumLimit = 5 * 255 + 1;

inline int32_t Sign(int32_t v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// The state a statistic has after AddCombinationValue of a statistic that lists nothing for a
// combination; running it once stands for running it over the whole range.
template <class Stat>
void NoCombinationValues(Stat& stat, const TCombination* combs, size_t count, TStatDrawArray& list) {
    if (count > 0) stat.AddCombinationValue(combs[count - 1], list);
}

// The filter answer per sum.
using TSumMatch = std::array<bool, kSumLimit>;

// Copies the combinations whose match, looked up by their sum, differs from include.
size_t FilterBySum(const TCombination* src, size_t count, TCombination* dst, const TSumMatch& match, bool include) {
    size_t k = 0;
    for (size_t i = 0; i < count; ++i)
        if (match[size_t(SumOf(src[i]))] != include) dst[k++] = src[i];
    return k;
}

// ---- SUMS, SUME, SUMP: the sum as a value --------------------------------------------------------

template <TSumKind K>
class TSumValueStat : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr int GetGroup() { return 1; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    std::string ValueToText(const TStatValueRec& rec) const override { return IntToText(rec.Key.K[0]); }
    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        Value.Key.SetDword(0, uint32_t(SumOf<K>(comb.data())));
        AddValue(list, false);
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        Value.Key.SetDword(0, uint32_t(SumOf<K>(Draw.Numbers)));
        AddValue(list, true);
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        return HasValuePair(selected, uint16_t(SumOf<K>(comb.data())), 0);
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return SumOf<K>(comb.data()); }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        TKeyCounter counter(kSumLimit);
        for (size_t i = 0; i < count; ++i) counter.Add(uint16_t(SumOf<K>(combs[i].data())));
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        const bool include = IsDelete(action);
        TStatBatchScope scope(*this, nullptr, &selected);
        std::array<bool, kSumLimit> match{};
        for (int s = 0; s < kSumLimit; ++s) match[size_t(s)] = HasValuePair(selected, uint16_t(s), 0);
        size_t k = 0;
        for (size_t i = 0; i < count; ++i)
            if (match[size_t(SumOf<K>(src[i].data()))] != include) dst[k++] = src[i];
        return k;
    }
};

class TstSumValues final : public TSumValueStat<TSumKind::All> {
public:
    using TSumValueStat::TSumValueStat;
    static constexpr const char* ClassName() { return "TstSumValues"; }
    static constexpr const char* GetCode() { return "SUMS"; }
    static constexpr const char* GetCaption() { return "Сумма тиража: все значения"; }

    void ListAllValues(int, TStatDrawArray& list) override {
        ClearValue();
        for (int s = MinSum; s <= MaxSum; ++s) {
            Value.Key.SetDword(0, uint32_t(s));
            AddValue(list, false);
        }
    }
};

class TstSumEvenValues final : public TSumValueStat<TSumKind::Even> {
public:
    using TSumValueStat::TSumValueStat;
    static constexpr const char* ClassName() { return "TstSumEvenValues"; }
    static constexpr const char* GetCode() { return "SUME"; }
    static constexpr const char* GetCaption() { return "Сумма тиража: только четные"; }
};

class TstSumPrimeValues final : public TSumValueStat<TSumKind::Prime> {
public:
    using TSumValueStat::TSumValueStat;
    static constexpr const char* ClassName() { return "TstSumPrimeValues"; }
    static constexpr const char* GetCode() { return "SUMP"; }
    static constexpr const char* GetCaption() { return "Сумма тиража: только простые"; }
};

// ---- SUM1..SUM3: the sum in a fixed range ---------------------------------------------------------

class TstSumRanges final : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr const char* ClassName() { return "TstSumRanges"; }
    static constexpr const char* GetCode() { return "SUM%d"; }
    static constexpr const char* GetCaption() { return "Сумма тиража: диапазон %d (%d/%d)"; }
    static constexpr int GetGroup() { return 1; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }
    static constexpr bool HasValueList() { return false; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList&) { return {1, 3}; }
    // The caption takes the range number and the pair of the range.
    static std::string FormatCaption(int32_t param) {
        const TSumRange r = SumRange(param);
        return Format(GetCaption(), {param, r.A, r.B});
    }

    std::string ValueToText(const TStatValueRec& rec) const override {
        if (rec.Key.K[0] == 0) return "Остальные";
        const TSumRange r = SumRange(Param);
        return Format("%d-%d", {r.Lo, r.Hi});
    }
    void ListAllValues(int, TStatDrawArray& list) override {
        ClearValue();
        for (uint16_t v : {0, 1}) {
            Value.Key.K[0] = v;
            AddValue(list, false);
        }
    }
    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        Value.Key.K[0] = InRange(SumOf(comb));
        AddValue(list, false);
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        Value.Key.K[0] = InRange(SumOf(Draw.Numbers));
        AddValue(list, true);
    }
    // Only the value 1 counts: selected, the sums in the range pass; not selected (nothing or
    // only 0 selected), the sums outside it.
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        const bool inside = HasValue(selected, 1, 0, 0, 0);
        return (InRange(SumOf(comb)) != 0) == inside;
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return InRange(SumOf(comb)); }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        const TSumRange r = SumRange(Param);
        TKeyCounter counter(2);
        for (size_t i = 0; i < count; ++i) {
            const int32_t s = SumOf(combs[i]);
            counter.Add(s >= r.Lo && s <= r.Hi ? 1 : 0);
        }
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        const bool include = IsDelete(action);
        const bool inside = HasValue(selected, 1, 0, 0, 0);
        TSumMatch match{};
        for (int s = 0; s < kSumLimit; ++s) match[size_t(s)] = (InRange(s) != 0) == inside;
        return FilterBySum(src, count, dst, match, include);
    }

private:
    uint16_t InRange(int32_t sum) const {
        const TSumRange r = SumRange(Param);
        return sum >= r.Lo && sum <= r.Hi ? 1 : 0;
    }
};

// ---- SUMC, SUMV, SUMT: how the sum changed after draws like the reference draw --------------------

// The sums a change statistic looks at for draw index: its own, its predecessor's (0 before the
// first draw) and the reference draw's. Call after the base AddDrawValue has loaded the draws.
struct TSumChange {
    int32_t Cur = 0;
    int32_t Prev = 0;
    int32_t Ref = 0;
};

class TSumChangeBase : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr int GetGroup() { return 1; }
    static constexpr uint8_t ClassFlags() { return kFlagD; }
    static constexpr bool HasValueList() { return false; }

    // A combination alone has no value for these statistics.
    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        NoCombinationValues(*this, combs, count, list);
    }

protected:
    TSumChange Sums(int index) const {
        TDrawRecord prev;
        GetDraw(index - 1, false, prev);
        return {SumOf(Draw.Numbers), SumOf(prev.Numbers), SumOf(RefDraw.Numbers)};
    }
    // The sum of the draw before draw index, in drawn order (0 before the first draw).
    int32_t PrevSum(int index) const {
        TDrawRecord prev;
        GetDraw(index - 1, false, prev);
        return SumOf(prev.Numbers);
    }
};

class TstSumChange final : public TSumChangeBase {
public:
    using TSumChangeBase::TSumChangeBase;
    static constexpr const char* ClassName() { return "TstSumChange"; }
    static constexpr const char* GetCode() { return "SUMC"; }
    static constexpr const char* GetCaption() { return "Сумма тиража: изменения (точно)"; }

    // "+11 : 120 + 11 = 131", "- 05 : 120 - 5 = 115".
    std::string ValueToText(const TStatValueRec& rec) const override {
        const int64_t prev = rec.Key.Dword(0), cur = rec.Key.Dword(1);
        if (cur < prev) return Format("- %0:.2d : %1:d - %0:d = %2:d", {prev - cur, prev, cur});
        return Format("+%0:.2d : %1:d + %0:d = %2:d", {cur - prev, prev, cur});
    }
    // Collects (predecessor sum, own sum) of the draws whose predecessor had the reference sum.
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        const TSumChange s = Sums(index);
        if (s.Prev != s.Ref) return;
        Value.Key.SetDword(0, uint32_t(s.Prev));
        Value.Key.SetDword(1, uint32_t(s.Cur));
        AddValue(list, true);
    }
    // The selected values already carry the reference sum: a combination passes when its sum is
    // the sum that followed in one of them.
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        return HasKeyDword(selected, 2, uint32_t(SumOf(comb)));
    }
    int32_t CombinationNumber(const TCombination& comb, int index, int, bool) override {
        return SumOf(comb) - PrevSum(index);
    }

    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        const bool include = IsDelete(action);
        TStatBatchScope scope(*this, nullptr, &selected);
        TSumMatch match{};
        for (int s = 0; s < kSumLimit; ++s) match[size_t(s)] = HasKeyDword(selected, 2, uint32_t(s));
        return FilterBySum(src, count, dst, match, include);
    }
};

class TstSumChangeSome final : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    static constexpr const char* ClassName() { return "TstSumChangeSome"; }
    static constexpr const char* GetCode() { return "SUMV"; }
    static constexpr const char* GetCaption() { return "Сумма тиража: изменения (диапазон)"; }
    static constexpr int GetGroup() { return 1; }
    static constexpr uint8_t ClassFlags() { return kFlagD; }
    static constexpr bool HasValueList() { return false; }

    // "+12", "+00", "- 07".
    std::string ValueToText(const TStatValueRec& rec) const override {
        const int64_t d = int32_t(rec.Key.Dword(0));
        if (d < 0) return Format("- %0:.2d", {-d});
        return Format("+%0:.2d", {d});
    }
    // Collects the change of the sum after the draws whose predecessor's sum lies within
    // SumStep of the reference sum.
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        TDrawRecord prevDraw;
        GetDraw(index - 1, false, prevDraw);
        const int32_t cur = SumOf(Draw.Numbers), prev = SumOf(prevDraw.Numbers), ref = SumOf(RefDraw.Numbers);
        if (std::abs(prev - ref) > SumStep) return;
        Value.Key.SetDword(0, uint32_t(cur - prev));
        AddValue(list, true);
    }
    // The change from the reference draw to the combination.
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool sorted,
                            int lastIndex) override {
        LoadDraw(lastIndex, lastIndex, sorted);
        return HasKeyDword(selected, 1, uint32_t(SumOf(comb) - SumOf(RefDraw.Numbers)));
    }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        NoCombinationValues(*this, combs, count, list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool sorted, int lastIndex) override {
        const bool include = IsDelete(action);
        TStatBatchScope scope(*this, nullptr, &selected);
        LoadDraw(lastIndex, lastIndex, sorted);
        const int32_t ref = SumOf(RefDraw.Numbers);
        TSumMatch match{};
        for (int s = 0; s < kSumLimit; ++s) match[size_t(s)] = HasKeyDword(selected, 1, uint32_t(s - ref));
        return FilterBySum(src, count, dst, match, include);
    }
};

class TstSumTrend final : public TSumChangeBase {
public:
    using TSumChangeBase::TSumChangeBase;
    static constexpr const char* ClassName() { return "TstSumTrend"; }
    static constexpr const char* GetCode() { return "SUMT"; }
    static constexpr const char* GetCaption() { return "Сумма тиража: направление изменения"; }

    std::string ValueToText(const TStatValueRec& rec) const override {
        const int32_t d = int32_t(rec.Key.Dword(0));
        return d == 0 ? "=" : d > 0 ? "+" : "-";
    }
    void ListAllValues(int, TStatDrawArray& list) override {
        ClearValue();
        for (int32_t d : {0, 1, -1}) {
            Value.Key.SetDword(0, uint32_t(d));
            AddValue(list, false);
        }
    }
    // Collects the direction of the change after the draws whose predecessor had the reference sum.
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        const TSumChange s = Sums(index);
        if (s.Prev != s.Ref) return;
        Value.Key.SetDword(0, uint32_t(Sign(s.Cur - s.Prev)));
        AddValue(list, true);
    }
    // The direction from the reference draw to the combination.
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool sorted,
                            int lastIndex) override {
        LoadDraw(lastIndex, lastIndex, sorted);
        return HasKeyDword(selected, 1, uint32_t(Sign(SumOf(comb) - SumOf(RefDraw.Numbers))));
    }
    int32_t CombinationNumber(const TCombination& comb, int index, int, bool) override {
        return Sign(SumOf(comb) - PrevSum(index));
    }

    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool sorted, int lastIndex) override {
        const bool include = IsDelete(action);
        LoadDraw(lastIndex, lastIndex, sorted);
        const int32_t ref = SumOf(RefDraw.Numbers);
        const bool down = HasKeyDword(selected, 1, uint32_t(-1)), same = HasKeyDword(selected, 1, 0),
                   up = HasKeyDword(selected, 1, 1);
        TSumMatch match{};
        for (int s = 0; s < kSumLimit; ++s) match[size_t(s)] = s < ref ? down : s > ref ? up : same;
        return FilterBySum(src, count, dst, match, include);
    }
};

// SumRelationCount of ascending numbers 1 <= a1 < ... < a5 <= 63 (every combination): the sum
// of two numbers exceeds both, so it can equal at most one number, and only a later one.
inline bool AscendingBelow64(const uint8_t* a) {
    return a[0] >= 1 && a[0] < a[1] && a[1] < a[2] && a[2] < a[3] && a[3] < a[4] && a[4] < 64;
}

inline int32_t AscendingRelationCount(const uint8_t* a) {
    const uint64_t bits = uint64_t(1) << a[0] | uint64_t(1) << a[1] | uint64_t(1) << a[2] | uint64_t(1) << a[3] |
                          uint64_t(1) << a[4];
    auto has = [bits](int s) { return int32_t(s < 64 && ((bits >> (s & 63)) & 1)); };
    return has(a[0] + a[1]) + has(a[0] + a[2]) + has(a[0] + a[3]) + has(a[1] + a[2]) + has(a[1] + a[3]) +
           has(a[2] + a[3]);
}

inline int32_t FastRelationCount(const uint8_t* a) {
    return AscendingBelow64(a) ? AscendingRelationCount(a) : SumRelationCount(a);
}

// ---- S2T3: a number that is the sum of two others -------------------------------------------------

class TstSum2To3 final : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr const char* ClassName() { return "TstSum2To3"; }
    static constexpr const char* GetCode() { return "S2T3"; }
    static constexpr const char* GetCaption() { return "Сумма двух чисел тиража равна третьему числу"; }
    static constexpr int GetGroup() { return 1; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        Value.Key.K[0] = uint16_t(SumRelationCount(comb.data()));
        AddValue(list, false);
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        Value.Key.K[0] = uint16_t(SumRelationCount(Draw.Numbers));
        AddValue(list, true);
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        return HasKeyWord(selected, 1, uint16_t(SumRelationCount(comb.data())));
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override {
        return SumRelationCount(comb.data());
    }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        TKeyCounter counter(kMaxRelations + 1);
        for (size_t i = 0; i < count; ++i) counter.Add(uint16_t(FastRelationCount(combs[i].data())));
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        const bool include = IsDelete(action);
        std::array<bool, kMaxRelations + 1> match{};
        for (int v = 0; v <= kMaxRelations; ++v) match[size_t(v)] = HasKeyWord(selected, 1, uint16_t(v));
        size_t k = 0;
        for (size_t i = 0; i < count; ++i)
            if (match[size_t(FastRelationCount(src[i].data()))] != include) dst[k++] = src[i];
        return k;
    }

private:
    // Five positions, six pairs of the other four each (reached only by five zeros).
    static constexpr int kMaxRelations = 30;
};

} // namespace

TSumRange SumRange(int32_t param) {
    static constexpr TSumRange ranges[3] = {{80, 175, 1, 3}, {90, 165, 1, 2}, {99, 156, 2, 3}};
    if (param < 1 || param > 3) return {};
    return ranges[param - 1];
}

int32_t SumRelationCount(const uint8_t* a) {
    // Each unordered pair of positions and the three positions outside it.
    static constexpr uint8_t pairs[10][5] = {{0, 1, 2, 3, 4}, {0, 2, 1, 3, 4}, {0, 3, 1, 2, 4}, {0, 4, 1, 2, 3},
                                             {1, 2, 0, 3, 4}, {1, 3, 0, 2, 4}, {1, 4, 0, 2, 3}, {2, 3, 0, 1, 4},
                                             {2, 4, 0, 1, 3}, {3, 4, 0, 1, 2}};
    int32_t count = 0;
    for (const auto& p : pairs) {
        const int s = a[p[0]] + a[p[1]];
        count += (a[p[2]] == s) + (a[p[3]] == s) + (a[p[4]] == s);
    }
    return count;
}

void AddSumStats(TStatRegistry& r) {
    r.Add(9, StatClassOf<TstSumValues>());
    r.Add(10, StatClassOf<TstSumRanges>());
    r.Add(11, StatClassOf<TstSumChange>());
    r.Add(12, StatClassOf<TstSumChangeSome>());
    r.Add(13, StatClassOf<TstSumTrend>());
    r.Add(14, StatClassOf<TstSumEvenValues>());
    r.Add(15, StatClassOf<TstSumPrimeValues>());
    r.Add(16, StatClassOf<TstSum2To3>());
}

} // namespace velmora
