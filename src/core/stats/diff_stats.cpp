#include "core/stats/diff_stats.h"

#include "core/stats/stat_framework.h"
#include "core/stats/stat_index.h"
#include "core/stats/stat_registry.h"
#include "core/util/format.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace velmora {

namespace {

// A difference of two bytes is below this.
constexpr int kDiffLimit = 256;

inline bool Consecutive(int a, int b, bool absolute) { return b - a == 1 || (absolute && a - b == 1); }

// Which of the four differences equal each other.
struct TPairEquals {
    bool e01, e02, e03, e12, e13, e23;
    explicit TPairEquals(const TNeighbourDiffs& d)
        : e01(d[0] == d[1]), e02(d[0] == d[2]), e03(d[0] == d[3]), e12(d[1] == d[2]), e13(d[1] == d[3]),
          e23(d[2] == d[3]) {}
    // How many of the four equal each one (itself included).
    std::array<int32_t, 4> Occurrences() const {
        return {1 + e01 + e02 + e03, 1 + e01 + e12 + e13, 1 + e02 + e12 + e23, 1 + e03 + e13 + e23};
    }
};

// Calls emit(length) for each run in position order, singletons included.
template <class Emit>
void ForEachRun(const uint8_t* a, Emit emit) {
    int32_t run = 1;
    for (int i = 0; i < 4; ++i) {
        if (Consecutive(a[i], a[i + 1], false)) {
            ++run;
        } else {
            emit(run);
            run = 1;
        }
    }
    emit(run);
}

// Copies the combinations whose match, looked up by value, differs from include.
template <size_t N, class ValueOf>
size_t FilterByValue(const TCombination* src, size_t count, TCombination* dst, const std::array<bool, N>& match,
                     bool include, ValueOf valueOf) {
    size_t k = 0;
    for (size_t i = 0; i < count; ++i)
        if (match[size_t(valueOf(src[i]))] != include) dst[k++] = src[i];
    return k;
}

// The answer of HasKeyWord(1, v) for every v below N.
template <size_t N>
std::array<bool, N> WordMatches(const TCustomStat& stat, const TStatDrawArray& selected) {
    std::array<bool, N> match{};
    for (size_t v = 0; v < N; ++v) match[v] = stat.HasKeyWord(selected, 1, uint16_t(v));
    return match;
}

// Counts of (Key[0], Key[1]) pairs with Key[0] below kDiffLimit and Key[1] below 5, in the order
// first seen; MergeInto gives the list that merging each counted value with count 1 would give.
class TPairCounter {
public:
    TPairCounter() : counts_(kDiffLimit * 5, 0) { order_.reserve(64); }
    void Add(int32_t k0, int32_t k1) {
        const size_t code = size_t(k0 * 5 + k1);
        if (counts_[code]++ == 0) order_.push_back(uint16_t(code));
    }
    void MergeInto(TStatDrawArray& list) const {
        TStatKeyIndex index(list);
        TStatValueRec rec;
        for (uint16_t code : order_) {
            rec.Key = TStatKey{};
            rec.Key.K[0] = uint16_t(code / 5);
            rec.Key.K[1] = uint16_t(code % 5);
            rec.Count = counts_[code];
            index.Merge(rec, false);
        }
    }

private:
    std::vector<int32_t> counts_;
    std::vector<uint16_t> order_;
};

// The largest difference; the span from the smallest to the largest number.
inline int32_t MaxDiff(const uint8_t* a) {
    const TNeighbourDiffs d = NeighbourDiffs(a);
    return std::max(std::max(d[0], d[1]), std::max(d[2], d[3]));
}

inline int32_t Span(const uint8_t* a) {
    int32_t smallest = kMaxNumber, largest = kMinNumber;
    for (int i = 0; i < 5; ++i) {
        smallest = std::min<int32_t>(smallest, a[i]);
        largest = std::max<int32_t>(largest, a[i]);
    }
    return largest - smallest;
}

inline int32_t MaxOccurrences(const uint8_t* a) {
    const std::array<int32_t, 4> n = TPairEquals(NeighbourDiffs(a)).Occurrences();
    return std::max(std::max(n[0], n[1]), std::max(n[2], n[3]));
}

// ---- DIFA: every neighbour difference ------------------------------------------------------------

class TstDiffTotal final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr const char* ClassName() { return "TstDiffTotal"; }
    static constexpr const char* GetCode() { return "DIFA"; }
    static constexpr const char* GetCaption() { return "Все разности между соседними позициями"; }
    static constexpr int GetGroup() { return 2; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }

    void ListAllValues(int, TStatDrawArray& list) override {
        ClearValue();
        for (uint16_t d = 1; d <= 49; ++d) {
            Value.Key.K[0] = d;
            AddValue(list, false);
        }
    }
    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        for (int32_t d : NeighbourDiffs(comb.data())) {
            Value.Key.K[0] = uint16_t(d);
            AddValue(list, false);
        }
    }
    // Only the first difference of a draw measures the gaps of its value.
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        const TNeighbourDiffs d = NeighbourDiffs(Draw.Numbers);
        for (size_t i = 0; i < d.size(); ++i) {
            Value.Key.K[0] = uint16_t(d[i]);
            AddValue(list, i == 0);
        }
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        for (int32_t d : NeighbourDiffs(comb.data()))
            if (HasKeyWord(selected, 1, uint16_t(d))) return true;
        return false;
    }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        TKeyCounter counter(kDiffLimit);
        for (size_t i = 0; i < count; ++i)
            for (int32_t d : NeighbourDiffs(combs[i].data())) counter.Add(uint16_t(d));
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        const bool include = IsDelete(action);
        const auto match = WordMatches<kDiffLimit>(*this, selected);
        size_t k = 0;
        for (size_t i = 0; i < count; ++i) {
            const TNeighbourDiffs d = NeighbourDiffs(src[i].data());
            const bool m = match[size_t(d[0])] | match[size_t(d[1])] | match[size_t(d[2])] | match[size_t(d[3])];
            if (m != include) dst[k++] = src[i];
        }
        return k;
    }
};

// ---- DIFM, DIFD, DIFK, SEQS, LENS: one number per combination ------------------------------------

// A statistic with one value per combination or draw, its domain from First to Last, the value
// of the filter and the table from Rule(nums, false) and its graph number from Rule(nums, true).
template <int32_t (*Rule)(const uint8_t*, bool), int First, int Last, int Group, uint8_t Flags>
class TOneValueStat : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr int GetGroup() { return Group; }
    static constexpr uint8_t ClassFlags() { return Flags; }

    void ListAllValues(int, TStatDrawArray& list) override {
        ClearValue();
        for (int v = First; v <= Last; ++v) {
            Value.Key.K[0] = uint16_t(v);
            AddValue(list, false);
        }
    }
    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        Value.Key.K[0] = uint16_t(Rule(comb.data(), false));
        AddValue(list, false);
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        Value.Key.K[0] = uint16_t(Rule(Draw.Numbers, false));
        AddValue(list, true);
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        return HasKeyWord(selected, 1, uint16_t(Rule(comb.data(), false)));
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return Rule(comb.data(), true); }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        TKeyCounter counter(kDiffLimit);
        for (size_t i = 0; i < count; ++i) counter.Add(uint16_t(Rule(combs[i].data(), false)));
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        const bool include = IsDelete(action);
        const auto match = WordMatches<kDiffLimit>(*this, selected);
        return FilterByValue(src, count, dst, match, include,
                             [](const TCombination& c) { return Rule(c.data(), false); });
    }
};

int32_t MaxDiffRule(const uint8_t* a, bool) { return MaxDiff(a); }
int32_t SpanRule(const uint8_t* a, bool) { return Span(a); }
int32_t MaxOccurrencesRule(const uint8_t* a, bool) { return MaxOccurrences(a); }

class TstDiffMax final : public TOneValueStat<MaxDiffRule, 1, 49, 2, kFlagS | kFlagN> {
public:
    using TOneValueStat::TOneValueStat;
    static constexpr const char* ClassName() { return "TstDiffMax"; }
    static constexpr const char* GetCode() { return "DIFM"; }
    static constexpr const char* GetCaption() { return "Максимальная разность между соседними позициями"; }
};

// The span does not depend on the order of the numbers.
class TstMinMaxDiffs final : public TOneValueStat<SpanRule, 1, 49, 2, kFlagN> {
public:
    using TOneValueStat::TOneValueStat;
    static constexpr const char* ClassName() { return "TstMinMaxDiffs"; }
    static constexpr const char* GetCode() { return "DIFD"; }
    static constexpr const char* GetCaption() { return "Разность между минимальным и максимальным числом"; }
};

class TstDiffSameCnt final : public TOneValueStat<MaxOccurrencesRule, 1, 4, 2, kFlagS | kFlagN> {
public:
    using TOneValueStat::TOneValueStat;
    static constexpr const char* ClassName() { return "TstDiffSameCnt"; }
    static constexpr const char* GetCode() { return "DIFK"; }
    static constexpr const char* GetCaption() { return "Количество одинаковых разностей между соседними позициями"; }
};

class TstSequenceCnt final : public TOneValueStat<SequenceCount, 0, 2, 6, kFlagS | kFlagN> {
public:
    using TOneValueStat::TOneValueStat;
    static constexpr const char* ClassName() { return "TstSequenceCnt"; }
    static constexpr const char* GetCode() { return "SEQS"; }
    static constexpr const char* GetCaption() { return "Количество последовательностей в тираже"; }
};

class TstSequenceLenMax final : public TOneValueStat<LongestSequence, 1, 5, 6, kFlagS | kFlagN> {
public:
    using TOneValueStat::TOneValueStat;
    static constexpr const char* ClassName() { return "TstSequenceLenMax"; }
    static constexpr const char* GetCode() { return "LENS"; }
    static constexpr const char* GetCaption() { return "Макс. длина последовательности в тираже"; }
};

// ---- DIFO: equal differences -----------------------------------------------------------------------

class TstDiffSame final : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    static constexpr const char* ClassName() { return "TstDiffSame"; }
    static constexpr const char* GetCode() { return "DIFO"; }
    static constexpr const char* GetCaption() { return "Одинаковые разности между соседними позициями"; }
    static constexpr int GetGroup() { return 2; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }
    static constexpr bool HasValueList() { return false; }

    // "3 x 3": the difference 3 occurs three times.
    std::string ValueToText(const TStatValueRec& rec) const override {
        return Format("%0:d x %1:d", {int(rec.Key.K[0]), int(rec.Key.K[1])});
    }
    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        AddGroups(comb.data(), list, false);
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        AddGroups(Draw.Numbers, list, true);
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        const TDiffGroups g = GroupDiffs(NeighbourDiffs(comb.data()));
        for (int i = 0; i < g.Count; ++i)
            if (HasValue(selected, uint16_t(g.Diff[size_t(i)]), uint16_t(g.Occurrences[size_t(i)]), 0, 0)) return true;
        return false;
    }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        TPairCounter counter;
        for (size_t i = 0; i < count; ++i) {
            const TDiffGroups g = GroupDiffs(NeighbourDiffs(combs[i].data()));
            for (int j = 0; j < g.Count; ++j) counter.Add(g.Diff[size_t(j)], g.Occurrences[size_t(j)]);
        }
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        const bool include = IsDelete(action);
        TStatBatchScope scope(*this, nullptr, &selected);
        std::array<bool, kDiffLimit * 5> match{};
        for (int d = 0; d < kDiffLimit; ++d)
            for (int n = 1; n <= 4; ++n) match[size_t(d * 5 + n)] = HasValue(selected, uint16_t(d), uint16_t(n), 0, 0);
        // A repeated difference has the key of its first appearance, so every position may be
        // looked up.
        size_t k = 0;
        for (size_t i = 0; i < count; ++i) {
            const TNeighbourDiffs d = NeighbourDiffs(src[i].data());
            const std::array<int32_t, 4> n = TPairEquals(d).Occurrences();
            const bool m = match[size_t(d[0] * 5 + n[0])] | match[size_t(d[1] * 5 + n[1])] |
                           match[size_t(d[2] * 5 + n[2])] | match[size_t(d[3] * 5 + n[3])];
            if (m != include) dst[k++] = src[i];
        }
        return k;
    }

private:
    void AddGroups(const uint8_t* nums, TStatDrawArray& list, bool trackGaps) {
        const TDiffGroups g = GroupDiffs(NeighbourDiffs(nums));
        for (int i = 0; i < g.Count; ++i) {
            Value.Key.K[0] = uint16_t(g.Diff[size_t(i)]);
            Value.Key.K[1] = uint16_t(g.Occurrences[size_t(i)]);
            AddValue(list, trackGaps);
        }
    }
};

// ---- KDS2..KDS4: windows of K neighbouring differences --------------------------------------------

template <int K>
class TCombDiffSeq : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    static constexpr int GetGroup() { return 2; }
    static constexpr uint8_t ClassFlags() { return kFlagS; }
    static constexpr bool HasValueList() { return false; }

    // "3:12", "1:1:13".
    std::string ValueToText(const TStatValueRec& rec) const override {
        std::string text;
        for (int j = 0; j < K; ++j) text += (j ? ":" : "") + IntToText(rec.Key.K[j]);
        return text;
    }
    // The first window of a draw measures the gaps of its value.
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        const TNeighbourDiffs d = NeighbourDiffs(Draw.Numbers);
        for (int w = 0; w < kWindows; ++w) {
            Value.Key = WindowKey(d, w);
            AddValue(list, w == 0);
        }
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        const TNeighbourDiffs d = NeighbourDiffs(comb.data());
        for (int w = 0; w < kWindows; ++w) {
            const TStatKey key = WindowKey(d, w);
            if (HasValue(selected, key.K[0], key.K[1], key.K[2], key.K[3])) return true;
        }
        return false;
    }

    // A combination's windows are not collected.
    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        if (count > 0) AddCombinationValue(combs[count - 1], list);
    }
    // The selected windows of small differences (every one of a combination of 1..50) as a bit
    // table; a window with a larger difference is looked up in the selected list.
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        const bool include = IsDelete(action);
        TStatBatchScope scope(*this, nullptr, &selected);
        std::vector<uint64_t> table((size_t(1) << (kBits * K)) / 64 + 1, 0);
        for (const auto& e : selected) {
            bool fits = true;
            size_t code = 0;
            for (int j = 0; j < 4; ++j) {
                const uint16_t v = e.Key.K[j];
                fits = fits && (j < K ? v < kSmall : v == 0);
                if (j < K) code |= size_t(v & (kSmall - 1)) << (kBits * j);
            }
            if (fits) table[code >> 6] |= uint64_t(1) << (code & 63);
        }
        size_t k = 0;
        for (size_t i = 0; i < count; ++i) {
            const TNeighbourDiffs d = NeighbourDiffs(src[i].data());
            bool m = false;
            for (int w = 0; w < kWindows && !m; ++w) {
                bool small = true;
                size_t code = 0;
                for (int j = 0; j < K; ++j) {
                    small = small && d[size_t(w + j)] < kSmall;
                    code |= size_t(d[size_t(w + j)] & (kSmall - 1)) << (kBits * j);
                }
                if (small) {
                    m = (table[code >> 6] >> (code & 63)) & 1;
                } else {
                    const TStatKey key = WindowKey(d, w);
                    m = HasValue(selected, key.K[0], key.K[1], key.K[2], key.K[3]);
                }
            }
            if (m != include) dst[k++] = src[i];
        }
        return k;
    }

private:
    static constexpr int kWindows = 5 - K;
    static constexpr int kBits = 6;
    static constexpr int32_t kSmall = 1 << kBits;

    static TStatKey WindowKey(const TNeighbourDiffs& d, int w) {
        TStatKey key;
        for (int j = 0; j < K; ++j) key.K[j] = uint16_t(d[size_t(w + j)]);
        return key;
    }
};

class TstCombDiffSeq2 final : public TCombDiffSeq<2> {
public:
    using TCombDiffSeq::TCombDiffSeq;
    static constexpr const char* ClassName() { return "TstCombDiffSeq2"; }
    static constexpr const char* GetCode() { return "KDS2"; }
    static constexpr const char* GetCaption() { return "Сочетания из 2 разностей между числами"; }
};

class TstCombDiffSeq3 final : public TCombDiffSeq<3> {
public:
    using TCombDiffSeq::TCombDiffSeq;
    static constexpr const char* ClassName() { return "TstCombDiffSeq3"; }
    static constexpr const char* GetCode() { return "KDS3"; }
    static constexpr const char* GetCaption() { return "Сочетания из 3 разностей между числами"; }
};

class TstCombDiffSeq4 final : public TCombDiffSeq<4> {
public:
    using TCombDiffSeq::TCombDiffSeq;
    static constexpr const char* ClassName() { return "TstCombDiffSeq4"; }
    static constexpr const char* GetCode() { return "KDS4"; }
    static constexpr const char* GetCaption() { return "Сочетания из 4 разностей между числами"; }
};

// ---- SEQL: the length of every run -------------------------------------------------------------------

class TstSequenceLen final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr const char* ClassName() { return "TstSequenceLen"; }
    static constexpr const char* GetCode() { return "SEQL"; }
    static constexpr const char* GetCaption() { return "Длина последовательности в тираже"; }
    static constexpr int GetGroup() { return 6; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }

    void ListAllValues(int, TStatDrawArray& list) override {
        ClearValue();
        for (uint16_t n = 1; n <= 5; ++n) {
            Value.Key.K[0] = n;
            AddValue(list, false);
        }
    }
    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        ForEachRun(comb.data(), [&](int32_t run) {
            Value.Key.K[0] = uint16_t(run);
            AddValue(list, false);
        });
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        ForEachRun(Draw.Numbers, [&](int32_t run) {
            Value.Key.K[0] = uint16_t(run);
            AddValue(list, true);
        });
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        bool m = false;
        ForEachRun(comb.data(), [&](int32_t run) { m = m || HasKeyWord(selected, 1, uint16_t(run)); });
        return m;
    }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        TKeyCounter counter(6);
        for (size_t i = 0; i < count; ++i) ForEachRun(combs[i].data(), [&](int32_t run) { counter.Add(uint16_t(run)); });
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        const bool include = IsDelete(action);
        const auto match = WordMatches<6>(*this, selected);
        size_t k = 0;
        for (size_t i = 0; i < count; ++i) {
            bool m = false;
            ForEachRun(src[i].data(), [&](int32_t run) { m |= match[size_t(run)]; });
            if (m != include) dst[k++] = src[i];
        }
        return k;
    }
};

} // namespace

TNeighbourDiffs NeighbourDiffs(const uint8_t* a) {
    TNeighbourDiffs d;
    for (size_t i = 0; i < 4; ++i) d[i] = std::abs(int32_t(a[i + 1]) - int32_t(a[i]));
    return d;
}

TDiffGroups GroupDiffs(const TNeighbourDiffs& d) {
    const TPairEquals e(d);
    const std::array<int32_t, 4> occurrences = e.Occurrences();
    // A difference opens an entry when no earlier one equals it.
    const bool opens[4] = {true, !e.e01, !e.e02 && !e.e12, !e.e03 && !e.e13 && !e.e23};
    TDiffGroups g;
    for (size_t i = 0; i < 4; ++i)
        if (opens[i]) {
            g.Diff[size_t(g.Count)] = d[i];
            g.Occurrences[size_t(g.Count)] = occurrences[i];
            ++g.Count;
        }
    return g;
}

int32_t SequenceCount(const uint8_t* a, bool absolute) {
    int32_t value = 0, steps = 0;
    for (int i = 0; i < 4; ++i) {
        if (Consecutive(a[i], a[i + 1], absolute)) {
            ++steps;
            if (i == 3) ++value;
        } else {
            if (steps > 0) ++value;
            steps = 0;
        }
    }
    return value;
}

int32_t LongestSequence(const uint8_t* a, bool absolute) {
    int32_t run = 1, longest = 1;
    for (int i = 0; i < 4; ++i) {
        if (Consecutive(a[i], a[i + 1], absolute)) {
            ++run;
            longest = std::max(longest, run);
        } else {
            run = 1;
        }
    }
    return longest;
}

void AddDiffStats(TStatRegistry& r) {
    r.Add(17, StatClassOf<TstDiffTotal>());
    r.Add(18, StatClassOf<TstDiffMax>());
    r.Add(19, StatClassOf<TstMinMaxDiffs>());
    r.Add(20, StatClassOf<TstDiffSame>());
    r.Add(21, StatClassOf<TstDiffSameCnt>());
    r.Add(40, StatClassOf<TstSequenceLen>());
    r.Add(41, StatClassOf<TstSequenceCnt>());
    r.Add(42, StatClassOf<TstSequenceLenMax>());
    r.Add(75, StatClassOf<TstCombDiffSeq2>());
    r.Add(76, StatClassOf<TstCombDiffSeq3>());
    r.Add(77, StatClassOf<TstCombDiffSeq4>());
}

} // namespace velmora
