#include "core/stats/comb_value_stats.h"

#include "core/model/game.h"
#include "core/stats/group_stats.h"
#include "core/stats/stat_framework.h"
#include "core/stats/stat_kernel.h"
#include "core/stats/stat_registry.h"
#include "core/stats/stat_runs.h"
#include "core/stats/value_columns.h"
#include "core/util/translate.h"

#include <algorithm>
#include <array>
#include <vector>

namespace velmora {

namespace {

// A group of k numbers packed as the value key: number j in 16-bit component j.
template <int K>
inline uint64_t PackGroup(const uint8_t* n, const uint8_t* positions) {
    uint64_t code = 0;
    for (int j = 0; j < K; ++j) code |= uint64_t(n[positions[j]]) << (16 * j);
    return code;
}

// The shapes: which groups of positions of five numbers a statistic takes, in merge order.
// Each calls out(positions) with K 0-based positions per group.

// Splits(f) calls f(below) for every way the shape places a group within an ascending
// combination (see MarkCombinationsHolding).

template <int K>
struct TMixShape {
    template <class F>
    void Splits(F&& f) const {
        f(kAnywhere);
    }
    template <class Out>
    void Groups(const uint8_t*, Out&& out) const {
        for (int s = 0; s < TTuplePositions<K, true>::kCount; ++s) out(TTuplePositions<K, true>::kSets[size_t(s)].data());
    }
};

template <int K>
struct TSeqShape {
    template <class F>
    void Splits(F&& f) const {
        f(kOutside);
    }
    template <class Out>
    void Groups(const uint8_t*, Out&& out) const {
        for (int s = 0; s < TTuplePositions<K, false>::kCount; ++s)
            out(TTuplePositions<K, false>::kSets[size_t(s)].data());
    }
};

// The one run from Start (0-based); none for a start that leaves no room for K numbers.
template <int K>
struct TPosShape {
    int Start = -1;
    template <class F>
    void Splits(F&& f) const {
        if (Start >= 0 && Start + K <= 5) f(Start);
    }
    template <class Out>
    void Groups(const uint8_t*, Out&& out) const {
        if (Start >= 0 && Start + K <= 5) out(TTuplePositions<K, false>::kSets[size_t(Start)].data());
    }
};

// Every statistic of the family: group 0, no value list, tuples as text; Shape is a member
// (the Pos shape carries the start position of the parameter). The draw's groups and the
// combination's groups are the same rule over other numbers.
template <class Self, int K, class Shape, uint8_t Flags = kFlagS>
class TCombValuesStat : public TKeyStat<Self, TCustomStat> {
public:
    using TKeyStat<Self, TCustomStat>::TKeyStat;
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return Flags; }
    static constexpr bool HasValueList() { return false; }

    std::string ValueToText(const TStatValueRec& rec) const override { return TupleText(rec, K); }

    // Wide keys (kCodes = 0): the packed groups.
    static constexpr bool kCombinationValues = false;
    template <class Out>
    void DrawKeys(int, Out&& out) const {
        self().Codes(this->Draw.Numbers, out);
    }
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        self().Codes(n, out);
    }
    template <class Out>
    void Codes(const uint8_t* n, Out&& out) const {
        shape_.Groups(n, [&](const uint8_t* positions) { out(PackGroup<K>(n, positions)); });
    }

    // The selected groups of numbers 1..50 as a bit table (50^K bits), built once per pass; a
    // combination with a byte outside 1..50 is looked up in the selected list.
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        TStatBatchScope scope(*this, nullptr, &selected);
        const bool include = IsDelete(action);
        size_t size = 1;
        for (int j = 0; j < K; ++j) size *= kBase;
        std::vector<uint64_t> table(size / 64 + 1, 0);
        for (const auto& e : selected) {
            bool fits = true;
            size_t code = 0, mul = 1;
            for (int j = 0; j < 4; ++j) {
                const uint16_t v = e.Key.K[j];
                if (j < K) {
                    fits = fits && v >= kMinNumber && v <= kMaxNumber;
                    code += size_t(v - kMinNumber) * mul;
                    mul *= kBase;
                } else {
                    fits = fits && v == 0;
                }
            }
            if (fits) table[code >> 6] |= uint64_t(1) << (code & 63);
        }
        const Self& s = self();
        size_t k = 0;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* n = src[i].data();
            bool m = false;
            if (InRange(n[0]) && InRange(n[1]) && InRange(n[2]) && InRange(n[3]) && InRange(n[4])) {
                uint8_t d[5];
                for (int j = 0; j < 5; ++j) d[j] = uint8_t(n[j] - kMinNumber);
                s.Groups(n, d, [&](size_t code) { m = m || ((table[code >> 6] >> (code & 63)) & 1); });
            } else {
                m = this->Matches(n, selected);
            }
            if (m != include) dst[k++] = src[i];
        }
        return k;
    }

    // On ranks, when the selected groups are few against the set: the combinations that hold a
    // selected group where the shape takes it are enumerated and marked (a combination of the
    // set holds its numbers ascending, so a group that is not never matches).
    bool FilterRanks(uint64_t* words, const TStatDrawArray& selected, TFilterAction action, bool, int,
                     size_t) override {
        std::vector<std::array<uint8_t, K>> groups;
        for (const auto& e : selected) {
            std::array<uint8_t, K> t{};
            bool fits = true;
            for (int j = 0; j < 4 && fits; ++j) {
                const uint16_t v = e.Key.K[j];
                if (j >= K) {
                    fits = v == 0;
                    continue;
                }
                const int low = j == 0 ? int(kMinNumber) : t[size_t(j - 1)] + 1;
                fits = v >= low && v <= kMaxNumber;
                t[size_t(j)] = uint8_t(v);
            }
            if (fits) groups.push_back(t);
        }
        std::sort(groups.begin(), groups.end());
        groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
        // Each group holds at most C(50 - K, 5 - K) combinations; testing one costs more than
        // marking one.
        size_t perGroup = 1;
        for (int j = 1; j <= 5 - K; ++j) perGroup = perGroup * size_t(kMaxNumber - K - (5 - K) + j) / size_t(j);
        if (groups.size() * perGroup > CountRanks(words)) return false;
        std::vector<uint64_t> match(kRankWords, 0);
        for (const auto& t : groups) shape_.Splits([&](int below) { MarkCombinationsHolding(t.data(), K, below, match.data()); });
        FilterRanksByMatch(words, match.data(), IsDelete(action));
        return true;
    }

    // The dense codes of the groups of n (d = n - 1): sum of d[j] * 50^j. A shape that rearranges
    // the numbers (Sort) hides this together with Codes.
    template <class Out>
    void Groups(const uint8_t* n, const uint8_t* d, Out&& out) const {
        shape_.Groups(n, [&](const uint8_t* positions) { out(DenseCode(d, positions)); });
    }

protected:
    using TKeyStat<Self, TCustomStat>::self;
    static constexpr size_t kBase = kMaxNumber - kMinNumber + 1;
    static bool InRange(uint8_t n) { return n >= kMinNumber && n <= kMaxNumber; }
    static size_t DenseCode(const uint8_t* d, const uint8_t* positions) {
        size_t code = 0, mul = 1;
        for (int j = 0; j < K; ++j) {
            code += size_t(d[positions[j]]) * mul;
            mul *= kBase;
        }
        return code;
    }

    Shape shape_ = Self::MakeShape(this->Param);
};

template <class Self, int K>
class TCombValMix : public TCombValuesStat<Self, K, TMixShape<K>> {
public:
    using TCombValuesStat<Self, K, TMixShape<K>>::TCombValuesStat;
    static TMixShape<K> MakeShape(int32_t) { return {}; }
};

template <class Self, int K>
class TCombValSeq : public TCombValuesStat<Self, K, TSeqShape<K>> {
public:
    using TCombValuesStat<Self, K, TSeqShape<K>>::TCombValuesStat;
    static TSeqShape<K> MakeShape(int32_t) { return {}; }
};

// The start position is the parameter, 1 .. 6 - K.
template <class Self, int K>
class TCombValPos : public TCombValuesStat<Self, K, TPosShape<K>> {
public:
    using TCombValuesStat<Self, K, TPosShape<K>>::TCombValuesStat;
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList&) { return {1, 6 - K}; }
    static TPosShape<K> MakeShape(int32_t param) { return {param >= 1 && param <= 6 - K ? int(param - 1) : -1}; }
};

// The runs of the numbers sorted ascending, whatever the sorted switch; not available.
template <class Self, int K>
class TCombValSort : public TCombValuesStat<Self, K, TSeqShape<K>, 0> {
    using Base = TCombValuesStat<Self, K, TSeqShape<K>, 0>;

public:
    using Base::Base;
    static constexpr bool IsAvailable() { return false; }
    static TSeqShape<K> MakeShape(int32_t) { return {}; }

    template <class Out>
    void Codes(const uint8_t* n, Out&& out) const {
        uint8_t sorted[5] = {n[0], n[1], n[2], n[3], n[4]};
        std::sort(sorted, sorted + 5);
        Base::Codes(sorted, out);
    }
    template <class Out>
    void Groups(const uint8_t* n, const uint8_t*, Out&& out) const {
        uint8_t sorted[5] = {n[0], n[1], n[2], n[3], n[4]};
        std::sort(sorted, sorted + 5);
        uint8_t d[5];
        for (int j = 0; j < 5; ++j) d[j] = uint8_t(sorted[j] - kMinNumber);
        Base::Groups(sorted, d, out);
    }
};

#define VELMORA_COMB_VALUES(Name, Kind, K, Code, Caption, BaseCode)           \
    class Name final : public Kind<Name, K> {                                 \
    public:                                                                   \
        using Kind::Kind;                                                     \
        static constexpr const char* ClassName() { return #Name; }            \
        static constexpr const char* GetCode() { return Code; }               \
        static constexpr const char* GetCaption() { return Caption; }         \
        static constexpr const char* GetBaseCode() { return BaseCode; }       \
    };

// The codes and captions of Mix, Seq and Sort are their templates ("KNM%d", "Сочетания из %0:d
// чисел ...") filled with k; those of Pos keep "%d" / "%0:d" for the start position.
VELMORA_COMB_VALUES(TstCombValMix2, TCombValMix, 2, "KNM2", TrNoop("Сочетания из 2 чисел по всем числам тиража"), nullptr)
VELMORA_COMB_VALUES(TstCombValMix3, TCombValMix, 3, "KNM3", TrNoop("Сочетания из 3 чисел по всем числам тиража"), nullptr)
VELMORA_COMB_VALUES(TstCombValMix4, TCombValMix, 4, "KNM4", TrNoop("Сочетания из 4 чисел по всем числам тиража"), nullptr)
VELMORA_COMB_VALUES(TstCombValSeq2, TCombValSeq, 2, "KNS2", TrNoop("Сочетания из 2 соседних чисел тиража"), nullptr)
VELMORA_COMB_VALUES(TstCombValSeq3, TCombValSeq, 3, "KNS3", TrNoop("Сочетания из 3 соседних чисел тиража"), nullptr)
VELMORA_COMB_VALUES(TstCombValSeq4, TCombValSeq, 4, "KNS4", TrNoop("Сочетания из 4 соседних чисел тиража"), nullptr)
VELMORA_COMB_VALUES(TstCombValPos2, TCombValPos, 2, "KNP2%d", TrNoop("Сочетания из 2-х чисел тиража начиная с %0:d позиции"), "KNP2")
VELMORA_COMB_VALUES(TstCombValPos3, TCombValPos, 3, "KNP3%d", TrNoop("Сочетания из 3-х чисел тиража начиная с %0:d позиции"), "KNP3")
VELMORA_COMB_VALUES(TstCombValPos4, TCombValPos, 4, "KNP4%d", TrNoop("Сочетания из 4-х чисел тиража начиная с %0:d позиции"), "KNP4")
VELMORA_COMB_VALUES(TstCombValSort2, TCombValSort, 2, "KNO2", TrNoop("Сочетания из 2 чисел тиража по возрастанию"), nullptr)
VELMORA_COMB_VALUES(TstCombValSort3, TCombValSort, 3, "KNO3", TrNoop("Сочетания из 3 чисел тиража по возрастанию"), nullptr)
VELMORA_COMB_VALUES(TstCombValSort4, TCombValSort, 4, "KNO4", TrNoop("Сочетания из 4 чисел тиража по возрастанию"), nullptr)
#undef VELMORA_COMB_VALUES

} // namespace

void AddCombValueStats(TStatRegistry& r) {
    r.Add(63, StatClassOf<TstCombValMix2>());
    r.Add(64, StatClassOf<TstCombValMix3>());
    r.Add(65, StatClassOf<TstCombValMix4>());
    r.Add(66, StatClassOf<TstCombValSeq2>());
    r.Add(67, StatClassOf<TstCombValSeq3>());
    r.Add(68, StatClassOf<TstCombValSeq4>());
    r.Add(69, StatClassOf<TstCombValPos2>());
    r.Add(70, StatClassOf<TstCombValPos3>());
    r.Add(71, StatClassOf<TstCombValPos4>());
    r.Add(72, StatClassOf<TstCombValSort2>());
    r.Add(73, StatClassOf<TstCombValSort3>());
    r.Add(74, StatClassOf<TstCombValSort4>());
}

} // namespace velmora
