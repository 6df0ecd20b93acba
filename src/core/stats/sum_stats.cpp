#include "core/stats/sum_stats.h"

#include "core/stats/number_stats.h"
#include "core/stats/stat_framework.h"
#include "core/stats/stat_kernel.h"
#include "core/stats/stat_registry.h"
#include "core/util/format.h"
#include "core/util/translate.h"

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

// ---- SUMS, SUME, SUMP: the sum as a value --------------------------------------------------------

template <class Self, TSumKind K>
class TSumValueStat : public TKeyStat<Self, TCustomGraphStat> {
public:
    using TKeyStat<Self, TCustomGraphStat>::TKeyStat;
    static constexpr int GetGroup() { return 1; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    std::string ValueToText(const TStatValueRec& rec) const override { return IntToText(rec.Key.K[0]); }
    static constexpr uint32_t kCodes = kSumLimit;
    uint32_t Key(const uint8_t* n) const { return uint32_t(SumOf<K>(n)); }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return SumOf<K>(comb.data()); }
};

class TstSumValues final : public TSumValueStat<TstSumValues, TSumKind::All> {
public:
    using TSumValueStat::TSumValueStat;
    static constexpr const char* ClassName() { return "TstSumValues"; }
    static constexpr const char* GetCode() { return "SUMS"; }
    static constexpr const char* GetCaption() { return TrNoop("Сумма тиража: все значения"); }
    template <class Out>
    void Domain(Out&& out) const {
        for (int s = MinSum; s <= MaxSum; ++s) out(s);
    }
};

class TstSumEvenValues final : public TSumValueStat<TstSumEvenValues, TSumKind::Even> {
public:
    using TSumValueStat::TSumValueStat;
    static constexpr const char* ClassName() { return "TstSumEvenValues"; }
    static constexpr const char* GetCode() { return "SUME"; }
    static constexpr const char* GetCaption() { return TrNoop("Сумма тиража: только четные"); }
};

class TstSumPrimeValues final : public TSumValueStat<TstSumPrimeValues, TSumKind::Prime> {
public:
    using TSumValueStat::TSumValueStat;
    static constexpr const char* ClassName() { return "TstSumPrimeValues"; }
    static constexpr const char* GetCode() { return "SUMP"; }
    static constexpr const char* GetCaption() { return TrNoop("Сумма тиража: только простые"); }
};

// ---- SUM1..SUM3: the sum in a fixed range ---------------------------------------------------------

class TstSumRanges final : public TKeyStat<TstSumRanges, TCustomGraphStat> {
public:
    using TKeyStat::TKeyStat;
    static constexpr const char* ClassName() { return "TstSumRanges"; }
    static constexpr const char* GetCode() { return "SUM%d"; }
    static constexpr const char* GetCaption() { return TrNoop("Сумма тиража: диапазон %d (%d/%d)"); }
    static constexpr int GetGroup() { return 1; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }
    static constexpr bool HasValueList() { return false; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList&) { return {1, 3}; }
    // The caption takes the range number and the pair of the range.
    static std::string FormatCaption(int32_t param) {
        const TSumRange r = SumRange(param);
        return Format(TrText(GetCaption()), {param, r.A, r.B});
    }

    std::string ValueToText(const TStatValueRec& rec) const override {
        if (rec.Key.K[0] == 0) return NoTr("Остальные");
        const TSumRange r = SumRange(Param);
        return Format("%d-%d", {r.Lo, r.Hi});
    }
    // 1 when the sum lies in the range, else 0; the filter looks sums up.
    struct TRange {
        int32_t Lo, Hi;
        uint32_t Key(const uint8_t* n) const {
            const int32_t s = SumOf(n);
            return s >= Lo && s <= Hi ? 1 : 0;
        }
        template <class Out>
        void Keys(const uint8_t* n, Out&& out) const {
            out(Key(n));
        }
        template <class Out>
        void FilterCodes(const uint8_t* n, Out&& out) const {
            out(SumOf(n));
        }
    };
    static constexpr uint32_t kCodes = kSumLimit;
    uint32_t Key(const uint8_t* n) const { return range_.Key(n); }
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        range_.FilterCodes(n, out);
    }
    TRange PassRule() const { return range_; }
    template <class Out>
    void Domain(Out&& out) const {
        out(0);
        out(1);
    }
    // Only the value 1 counts: selected, the sums in the range pass; not selected (nothing or
    // only 0 selected), the sums outside it.
    bool CodeMatches(uint64_t sum, const TStatDrawArray& selected) const {
        const bool inside = int64_t(sum) >= range_.Lo && int64_t(sum) <= range_.Hi;
        return inside == HasValue(selected, 1, 0, 0, 0);
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return int32_t(Key(comb.data())); }

private:
    TRange range_{SumRange(Param).Lo, SumRange(Param).Hi};
};

// ---- SUMC, SUMV, SUMT: how the sum changed after draws like the reference draw --------------------

// A change statistic has no value for a combination alone; its draw keys look at the draw's sum
// (cur), its predecessor's (prev, 0 before the first draw, in drawn order) and the reference
// draw's (ref); its filter judges a combination by its sum.
template <class Self, class Base = TCustomGraphStat>
class TSumChangeStat : public TKeyStat<Self, Base> {
public:
    using TKeyStat<Self, Base>::TKeyStat;
    static constexpr int GetGroup() { return 1; }
    static constexpr uint8_t ClassFlags() { return kFlagD; }
    static constexpr bool HasValueList() { return false; }

    static constexpr bool kCombinationValues = false;
    static constexpr uint32_t kCodes = kSumLimit;
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        out(SumOf(n));
    }
    template <class Out>
    void DrawKeys(int index, Out&& out) const {
        self().ChangeKeys(SumOf(this->Draw.Numbers), PrevSum(index), SumOf(this->RefDraw.Numbers), out);
    }

protected:
    using TKeyStat<Self, Base>::self;
    // The sum of the draw before draw index, in drawn order (0 before the first draw).
    int32_t PrevSum(int index) const {
        TDrawRecord prev;
        this->GetDraw(index - 1, false, prev);
        return SumOf(prev.Numbers);
    }
    int32_t RefSum() const { return SumOf(this->RefDraw.Numbers); }
};

class TstSumChange final : public TSumChangeStat<TstSumChange> {
public:
    using TSumChangeStat::TSumChangeStat;
    static constexpr const char* ClassName() { return "TstSumChange"; }
    static constexpr const char* GetCode() { return "SUMC"; }
    static constexpr const char* GetCaption() { return TrNoop("Сумма тиража: изменения (точно)"); }

    // "+11 : 120 + 11 = 131", "- 05 : 120 - 5 = 115".
    std::string ValueToText(const TStatValueRec& rec) const override {
        const int64_t prev = rec.Key.Dword(0), cur = rec.Key.Dword(1);
        if (cur < prev) return Format("- %0:.2d : %1:d - %0:d = %2:d", {prev - cur, prev, cur});
        return Format("+%0:.2d : %1:d + %0:d = %2:d", {cur - prev, prev, cur});
    }
    // (predecessor sum, own sum) of the draws whose predecessor had the reference sum.
    template <class Out>
    void ChangeKeys(int32_t cur, int32_t prev, int32_t ref, Out&& out) const {
        if (prev == ref) out(DwordKey(prev, cur));
    }
    // The selected values already carry the reference sum: a combination passes when its sum is
    // the sum that followed in one of them.
    static constexpr TKeyMatch kMatch = TKeyMatch::Dword2;
    TStatKey KeyOf(uint64_t sum) const { return DwordKey(0, int64_t(sum)); }
    int32_t CombinationNumber(const TCombination& comb, int index, int, bool) override {
        return SumOf(comb) - PrevSum(index);
    }
};

class TstSumChangeSome final : public TSumChangeStat<TstSumChangeSome, TCustomStat> {
public:
    using TSumChangeStat::TSumChangeStat;
    static constexpr const char* ClassName() { return "TstSumChangeSome"; }
    static constexpr const char* GetCode() { return "SUMV"; }
    static constexpr const char* GetCaption() { return TrNoop("Сумма тиража: изменения (диапазон)"); }

    // "+12", "+00", "- 07".
    std::string ValueToText(const TStatValueRec& rec) const override {
        const int64_t d = int32_t(rec.Key.Dword(0));
        if (d < 0) return Format("- %0:.2d", {-d});
        return Format("+%0:.2d", {d});
    }
    // The change of the sum after the draws whose predecessor's sum lies within SumStep of the
    // reference sum.
    template <class Out>
    void ChangeKeys(int32_t cur, int32_t prev, int32_t ref, Out&& out) const {
        if (std::abs(prev - ref) <= SumStep) out(DwordKey(cur - prev));
    }
    // The change from the reference draw to the combination.
    void PrepareFilter(bool sorted, int lastIndex) { LoadDraw(lastIndex, lastIndex, sorted); }
    static constexpr TKeyMatch kMatch = TKeyMatch::Dword1;
    TStatKey KeyOf(uint64_t sum) const { return DwordKey(int32_t(sum) - RefSum()); }
};

class TstSumTrend final : public TSumChangeStat<TstSumTrend> {
public:
    using TSumChangeStat::TSumChangeStat;
    static constexpr const char* ClassName() { return "TstSumTrend"; }
    static constexpr const char* GetCode() { return "SUMT"; }
    static constexpr const char* GetCaption() { return TrNoop("Сумма тиража: направление изменения"); }

    std::string ValueToText(const TStatValueRec& rec) const override {
        const int32_t d = int32_t(rec.Key.Dword(0));
        return d == 0 ? "=" : d > 0 ? "+" : "-";
    }
    template <class Out>
    void Domain(Out&& out) const {
        for (int32_t d : {0, 1, -1}) out(DwordKey(d));
    }
    // The direction of the change after the draws whose predecessor had the reference sum.
    template <class Out>
    void ChangeKeys(int32_t cur, int32_t prev, int32_t ref, Out&& out) const {
        if (prev == ref) out(DwordKey(Sign(cur - prev)));
    }
    // The direction from the reference draw to the combination.
    void PrepareFilter(bool sorted, int lastIndex) { LoadDraw(lastIndex, lastIndex, sorted); }
    static constexpr TKeyMatch kMatch = TKeyMatch::Dword1;
    TStatKey KeyOf(uint64_t sum) const { return DwordKey(Sign(int32_t(sum) - RefSum())); }
    int32_t CombinationNumber(const TCombination& comb, int index, int, bool) override {
        return Sign(SumOf(comb) - PrevSum(index));
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

class TstSum2To3 final : public TKeyStat<TstSum2To3, TCustomGraphStat> {
public:
    using TKeyStat::TKeyStat;
    static constexpr const char* ClassName() { return "TstSum2To3"; }
    static constexpr const char* GetCode() { return "S2T3"; }
    static constexpr const char* GetCaption() { return TrNoop("Сумма двух чисел тиража равна третьему числу"); }
    static constexpr int GetGroup() { return 1; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    // Five positions, six pairs of the other four each (reached only by five zeros).
    static constexpr uint32_t kCodes = 31;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    uint32_t Key(const uint8_t* n) const { return uint32_t(FastRelationCount(n)); }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override {
        return SumRelationCount(comb.data());
    }
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
