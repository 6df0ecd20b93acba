#include "core/stats/diff_stats.h"

#include "core/stats/stat_framework.h"
#include "core/stats/stat_kernel.h"
#include "core/stats/stat_registry.h"
#include "core/util/format.h"
#include "core/util/translate.h"

#include <algorithm>
#include <array>
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

class TstDiffTotal final : public TKeyStat<TstDiffTotal, TCustomNumbersStat> {
public:
    using TKeyStat::TKeyStat;
    static constexpr const char* ClassName() { return "TstDiffTotal"; }
    static constexpr const char* GetCode() { return "DIFA"; }
    static constexpr const char* GetCaption() { return TrNoop("Все разности между соседними позициями"); }
    static constexpr int GetGroup() { return 2; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }

    static constexpr uint32_t kCodes = kDiffLimit;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    // Only the first difference of a draw measures the gaps of its value.
    static constexpr bool kGapsOnFirstKey = true;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        for (int32_t d : NeighbourDiffs(n)) out(d);
    }
    template <class Out>
    void Domain(Out&& out) const {
        for (int d = 1; d <= 49; ++d) out(d);
    }
};

// ---- DIFM, DIFD, DIFK, SEQS, LENS: one number per combination ------------------------------------

// One value per combination or draw, its domain from First to Last: the value of the filter and
// the table is Rule(nums, false), the graph number Rule(nums, true).
template <class Self, int32_t (*Rule)(const uint8_t*, bool), int First, int Last, int Group, uint8_t Flags>
class TOneValueStat : public TKeyStat<Self, TCustomGraphStat> {
public:
    using TKeyStat<Self, TCustomGraphStat>::TKeyStat;
    static constexpr int GetGroup() { return Group; }
    static constexpr uint8_t ClassFlags() { return Flags; }

    static constexpr uint32_t kCodes = kDiffLimit;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    uint32_t Key(const uint8_t* n) const { return uint32_t(Rule(n, false)); }
    template <class Out>
    void Domain(Out&& out) const {
        for (int v = First; v <= Last; ++v) out(v);
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return Rule(comb.data(), true); }
};

int32_t MaxDiffRule(const uint8_t* a, bool) { return MaxDiff(a); }
int32_t SpanRule(const uint8_t* a, bool) { return Span(a); }
int32_t MaxOccurrencesRule(const uint8_t* a, bool) { return MaxOccurrences(a); }

class TstDiffMax final : public TOneValueStat<TstDiffMax, MaxDiffRule, 1, 49, 2, kFlagS | kFlagN> {
public:
    using TOneValueStat::TOneValueStat;
    static constexpr const char* ClassName() { return "TstDiffMax"; }
    static constexpr const char* GetCode() { return "DIFM"; }
    static constexpr const char* GetCaption() { return TrNoop("Максимальная разность между соседними позициями"); }
};

// The span does not depend on the order of the numbers.
class TstMinMaxDiffs final : public TOneValueStat<TstMinMaxDiffs, SpanRule, 1, 49, 2, kFlagN> {
public:
    using TOneValueStat::TOneValueStat;
    static constexpr const char* ClassName() { return "TstMinMaxDiffs"; }
    static constexpr const char* GetCode() { return "DIFD"; }
    static constexpr const char* GetCaption() { return TrNoop("Разность между минимальным и максимальным числом"); }
};

class TstDiffSameCnt final : public TOneValueStat<TstDiffSameCnt, MaxOccurrencesRule, 1, 4, 2, kFlagS | kFlagN> {
public:
    using TOneValueStat::TOneValueStat;
    static constexpr const char* ClassName() { return "TstDiffSameCnt"; }
    static constexpr const char* GetCode() { return "DIFK"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество одинаковых разностей между соседними позициями"); }
};

class TstSequenceCnt final : public TOneValueStat<TstSequenceCnt, SequenceCount, 0, 2, 6, kFlagS | kFlagN> {
public:
    using TOneValueStat::TOneValueStat;
    static constexpr const char* ClassName() { return "TstSequenceCnt"; }
    static constexpr const char* GetCode() { return "SEQS"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество последовательностей в тираже"); }
};

class TstSequenceLenMax final : public TOneValueStat<TstSequenceLenMax, LongestSequence, 1, 5, 6, kFlagS | kFlagN> {
public:
    using TOneValueStat::TOneValueStat;
    static constexpr const char* ClassName() { return "TstSequenceLenMax"; }
    static constexpr const char* GetCode() { return "LENS"; }
    static constexpr const char* GetCaption() { return TrNoop("Макс. длина последовательности в тираже"); }
};

// ---- DIFO: equal differences -----------------------------------------------------------------------

class TstDiffSame final : public TKeyStat<TstDiffSame, TCustomStat> {
public:
    using TKeyStat::TKeyStat;
    static constexpr const char* ClassName() { return "TstDiffSame"; }
    static constexpr const char* GetCode() { return "DIFO"; }
    static constexpr const char* GetCaption() { return TrNoop("Одинаковые разности между соседними позициями"); }
    static constexpr int GetGroup() { return 2; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }
    static constexpr bool HasValueList() { return false; }

    // "3 x 3": the difference 3 occurs three times.
    std::string ValueToText(const TStatValueRec& rec) const override {
        return Format("%0:d x %1:d", {int(rec.Key.K[0]), int(rec.Key.K[1])});
    }
    // A key is (difference, occurrences), coded difference * 5 + occurrences.
    static constexpr uint32_t kCodes = kDiffLimit * 5;
    TStatKey KeyOf(uint64_t code) const { return WordKey(uint16_t(code / 5), uint16_t(code % 5)); }
    // The distinct differences in order of first appearance.
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        const TDiffGroups g = GroupDiffs(NeighbourDiffs(n));
        for (int i = 0; i < g.Count; ++i) out(g.Diff[size_t(i)] * 5 + g.Occurrences[size_t(i)]);
    }
    // The same set without grouping: a repeated difference has the key of its first appearance.
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        const TNeighbourDiffs d = NeighbourDiffs(n);
        const std::array<int32_t, 4> k = TPairEquals(d).Occurrences();
        for (size_t i = 0; i < 4; ++i) out(d[i] * 5 + k[i]);
    }
};

// ---- KDS2..KDS4: windows of K neighbouring differences --------------------------------------------

template <class Self, int K>
class TCombDiffSeq : public TKeyStat<Self, TCustomStat> {
public:
    using TKeyStat<Self, TCustomStat>::TKeyStat;
    static constexpr int GetGroup() { return 2; }
    static constexpr uint8_t ClassFlags() { return kFlagS; }
    static constexpr bool HasValueList() { return false; }

    // "3:12", "1:1:13".
    std::string ValueToText(const TStatValueRec& rec) const override {
        std::string text;
        for (int j = 0; j < K; ++j) text += (j ? ":" : "") + IntToText(rec.Key.K[j]);
        return text;
    }
    // A combination's windows are not collected, though the filter tests them. Keys are the
    // windows themselves (packed).
    static constexpr bool kCombinationValues = false;
    static constexpr bool kGapsOnFirstKey = true;
    template <class Out>
    void DrawKeys(int, Out&& out) const {
        FilterCodes(this->Draw.Numbers, out);
    }
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        const TNeighbourDiffs d = NeighbourDiffs(n);
        for (int w = 0; w < kWindows; ++w) out(WindowKey(d, w).Packed());
    }

    // The selected windows of small differences (every one of a combination of 1..50) as a bit
    // table; a window with a larger difference is looked up in the selected list.
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        TStatBatchScope scope(*this, nullptr, &selected);
        const bool include = IsDelete(action);
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
                if (small)
                    m = (table[code >> 6] >> (code & 63)) & 1;
                else
                    m = this->CodeMatches(WindowKey(d, w).Packed(), selected);
            }
            if (m != include) dst[k++] = src[i];
        }
        return k;
    }

    // On ranks, when the selected windows are few against the set: the combinations that have a
    // selected window are enumerated and marked (the differences of a combination of the set are
    // 1..49).
    bool FilterRanks(uint64_t* words, const TStatDrawArray& selected, TFilterAction action, bool, int,
                     size_t) override {
        std::vector<std::array<uint8_t, K>> windows;
        for (const auto& e : selected) {
            std::array<uint8_t, K> d{};
            int span = 0;
            bool fits = true;
            for (int j = 0; j < 4; ++j) {
                const uint16_t v = e.Key.K[j];
                if (j >= K) {
                    fits = fits && v == 0;
                    continue;
                }
                fits = fits && v >= 1 && v < kMaxNumber;
                d[size_t(j)] = uint8_t(v);
                span += v;
            }
            if (fits && span < kMaxNumber) windows.push_back(d);
        }
        std::sort(windows.begin(), windows.end());
        windows.erase(std::unique(windows.begin(), windows.end()), windows.end());
        // A window at one place and from one first number holds at most C(49 - K, 4 - K)
        // combinations; testing one costs more than marking one.
        size_t perStart = 1;
        for (int j = 1; j <= 4 - K; ++j) perStart = perStart * size_t(kMaxNumber - 1 - K - (4 - K) + j) / size_t(j);
        if (windows.size() * kWindows * kMaxNumber * perStart > CountRanks(words)) return false;
        std::vector<uint64_t> match(kRankWords, 0);
        for (const auto& d : windows)
            for (uint8_t first = kMinNumber;; ++first) {
                uint8_t t[K + 1] = {first};
                for (int j = 0; j < K; ++j) t[j + 1] = uint8_t(t[j] + d[size_t(j)]);
                if (t[K] > kMaxNumber) break;
                // The window at place w: w numbers under it, the rest over it.
                for (int w = 0; w < kWindows; ++w) MarkCombinationsHolding(t, K + 1, w, match.data());
            }
        FilterRanksByMatch(words, match.data(), IsDelete(action));
        return true;
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

class TstCombDiffSeq2 final : public TCombDiffSeq<TstCombDiffSeq2, 2> {
public:
    using TCombDiffSeq::TCombDiffSeq;
    static constexpr const char* ClassName() { return "TstCombDiffSeq2"; }
    static constexpr const char* GetCode() { return "KDS2"; }
    static constexpr const char* GetCaption() { return TrNoop("Сочетания из 2 разностей между числами"); }
};

class TstCombDiffSeq3 final : public TCombDiffSeq<TstCombDiffSeq3, 3> {
public:
    using TCombDiffSeq::TCombDiffSeq;
    static constexpr const char* ClassName() { return "TstCombDiffSeq3"; }
    static constexpr const char* GetCode() { return "KDS3"; }
    static constexpr const char* GetCaption() { return TrNoop("Сочетания из 3 разностей между числами"); }
};

class TstCombDiffSeq4 final : public TCombDiffSeq<TstCombDiffSeq4, 4> {
public:
    using TCombDiffSeq::TCombDiffSeq;
    static constexpr const char* ClassName() { return "TstCombDiffSeq4"; }
    static constexpr const char* GetCode() { return "KDS4"; }
    static constexpr const char* GetCaption() { return TrNoop("Сочетания из 4 разностей между числами"); }
};

// ---- SEQL: the length of every run -------------------------------------------------------------------

class TstSequenceLen final : public TKeyStat<TstSequenceLen, TCustomNumbersStat> {
public:
    using TKeyStat::TKeyStat;
    static constexpr const char* ClassName() { return "TstSequenceLen"; }
    static constexpr const char* GetCode() { return "SEQL"; }
    static constexpr const char* GetCaption() { return TrNoop("Длина последовательности в тираже"); }
    static constexpr int GetGroup() { return 6; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }

    static constexpr uint32_t kCodes = 6;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        ForEachRun(n, out);
    }
    template <class Out>
    void Domain(Out&& out) const {
        for (int n = 1; n <= 5; ++n) out(n);
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
