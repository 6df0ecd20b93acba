#include "core/stats/number_stats.h"

#include "core/stats/stat_framework.h"
#include "core/stats/stat_kernel.h"
#include "core/stats/stat_registry.h"
#include "core/util/translate.h"

#include <string>
#include <vector>

namespace velmora {
namespace {

// A property of a number as a 0/1 table over every byte value.
enum class TProp { Even, Odd, Small, Large, Prime };

using TPropTable = std::array<uint8_t, 256>;

constexpr TPropTable MakePropTable(TProp p) {
    TPropTable t{};
    for (int n = 0; n < 256; ++n) {
        bool v = false;
        switch (p) {
            case TProp::Even: v = IsEvenNumber(n); break;
            case TProp::Odd: v = !IsEvenNumber(n); break;
            case TProp::Small: v = IsSmallNumber(n); break;
            case TProp::Large: v = !IsSmallNumber(n); break;
            case TProp::Prime: v = IsPrimeNumber(n); break;
        }
        t[size_t(n)] = v ? 1 : 0;
    }
    return t;
}

template <TProp P>
inline constexpr TPropTable kPropTable = MakePropTable(P);

template <TProp P>
inline uint16_t PropCount(const uint8_t* nums) {
    const auto& t = kPropTable<P>;
    return uint16_t(t[nums[0]] + t[nums[1]] + t[nums[2]] + t[nums[3]] + t[nums[4]]);
}

// Positions 1..5 give the bits 16, 8, 4, 2, 1.
template <TProp P>
inline uint16_t PropMask(const uint8_t* nums) {
    const auto& t = kPropTable<P>;
    return uint16_t(t[nums[0]] << 4 | t[nums[1]] << 3 | t[nums[2]] << 2 | t[nums[3]] << 1 | t[nums[4]]);
}

// The decimal digits of every byte value, as NumberToText writes them.
struct TDigits {
    uint8_t Count = 0;
    uint8_t Digit[3] = {};
};

constexpr std::array<TDigits, 256> MakeDigitTable() {
    std::array<TDigits, 256> t{};
    for (int n = 0; n < 256; ++n) {
        TDigits& d = t[size_t(n)];
        if (n >= 100) d.Digit[d.Count++] = uint8_t(n / 100);
        if (n >= 10) d.Digit[d.Count++] = uint8_t(n / 10 % 10);
        d.Digit[d.Count++] = uint8_t(n % 10);
    }
    return t;
}

inline constexpr std::array<TDigits, 256> kDigitTable = MakeDigitTable();

// ---- NUMS ------------------------------------------------------------------------------------

class TstValues final : public TKeyStat<TstValues, TCustomValuesStat> {
public:
    using TKeyStat::TKeyStat;
    static constexpr const char* ClassName() { return "TstValues"; }
    static constexpr const char* GetCode() { return "NUMS"; }
    static constexpr const char* GetCaption() { return TrNoop("Числа тиража"); }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    static constexpr uint32_t kCodes = 256;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        for (int i = 0; i < 5; ++i) out(n[i]);
    }
    template <class Out>
    void Domain(Out&& out) const {
        for (int n = kMinNumber; n <= kMaxNumber; ++n) out(n);
    }
};

// ---- DIGS ------------------------------------------------------------------------------------

class TstDigits final : public TKeyStat<TstDigits, TCustomNumbersStat> {
public:
    using TKeyStat::TKeyStat;
    static constexpr const char* ClassName() { return "TstDigits"; }
    static constexpr const char* GetCode() { return "DIGS"; }
    static constexpr const char* GetCaption() { return TrNoop("Цифры тиража"); }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    static constexpr uint32_t kCodes = 256;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        const auto& digits = kDigitTable;
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < digits[n[i]].Count; ++j) out(digits[n[i]].Digit[j]);
    }
    // The filter looks the numbers up: a number passes when one of its digits is selected.
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        for (int i = 0; i < 5; ++i) out(n[i]);
    }
    bool CodeMatches(uint64_t number, const TStatDrawArray& selected) const {
        const TDigits& d = kDigitTable[number];
        for (int j = 0; j < d.Count; ++j)
            if (HasValue(selected, d.Digit[j], 0, 0, 0)) return true;
        return false;
    }
};

// ---- EVEN, SMAL, PRIM: how many of the five numbers have the property --------------------------

template <class Self, TProp P>
class TPropCountStat : public TKeyStat<Self, TCustomRatioStat> {
public:
    using TKeyStat<Self, TCustomRatioStat>::TKeyStat;
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    static constexpr uint32_t kCodes = kNumberCount + 1;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    uint32_t Key(const uint8_t* n) const { return PropCount<P>(n); }
    // 0 is a possible value but not part of the domain list: it enters a list when it occurs.
    template <class Out>
    void Domain(Out&& out) const {
        for (int k = 1; k <= kNumberCount; ++k) out(k);
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return Key(comb.data()); }
};

class TstEvenCount final : public TPropCountStat<TstEvenCount, TProp::Even> {
public:
    using TPropCountStat::TPropCountStat;
    static constexpr const char* ClassName() { return "TstEvenCount"; }
    static constexpr const char* GetCode() { return "EVEN"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество четных чисел в тираже (Ч:Н)"); }
};

class TstSmallCount final : public TPropCountStat<TstSmallCount, TProp::Small> {
public:
    using TPropCountStat::TPropCountStat;
    static constexpr const char* ClassName() { return "TstSmallCount"; }
    static constexpr const char* GetCode() { return "SMAL"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество чисел из первой половины диапазона (1П:2П)"); }
};

class TstPrimeCount final : public TPropCountStat<TstPrimeCount, TProp::Prime> {
public:
    using TPropCountStat::TPropCountStat;
    static constexpr const char* ClassName() { return "TstPrimeCount"; }
    static constexpr const char* GetCode() { return "PRIM"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество простых чисел (П:С)"); }
};

// ---- EVNV, SMLV, PRMV: the property by position as a 5-bit mask --------------------------------

template <class Self, TProp P>
class TPropMaskStat : public TKeyStat<Self, TCustomMaskStat> {
public:
    using TKeyStat<Self, TCustomMaskStat>::TKeyStat;
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }

    static constexpr uint32_t kCodes = 32;
    static constexpr TKeyMatch kMatch = TKeyMatch::Dword1;
    uint32_t Key(const uint8_t* n) const { return PropMask<P>(n); }
};

class TstEvenValues final : public TPropMaskStat<TstEvenValues, TProp::Odd> {
public:
    using TPropMaskStat::TPropMaskStat;
    static constexpr const char* ClassName() { return "TstEvenValues"; }
    static constexpr const char* GetCode() { return "EVNV"; }
    static constexpr const char* GetCaption() { return TrNoop("Четные и нечетные числа в тираже (Чн..нЧ)"); }
    std::string GetClearLetter() const override { return NoTr("Ч"); }
    std::string GetSetLetter() const override { return NoTr("н"); }
};

// SMLV lists no domain values, unlike its sisters: only the masks seen appear.
class TstSmallValues final : public TPropMaskStat<TstSmallValues, TProp::Large> {
public:
    using TPropMaskStat::TPropMaskStat;
    static constexpr const char* ClassName() { return "TstSmallValues"; }
    static constexpr const char* GetCode() { return "SMLV"; }
    static constexpr const char* GetCaption() { return TrNoop("Числа из первой половины диапазона (12..12)"); }
    std::string GetClearLetter() const override { return "1"; }
    std::string GetSetLetter() const override { return "2"; }
    template <class Out>
    void Domain(Out&&) const {}
};

class TstPrimeValues final : public TPropMaskStat<TstPrimeValues, TProp::Prime> {
public:
    using TPropMaskStat::TPropMaskStat;
    static constexpr const char* ClassName() { return "TstPrimeValues"; }
    static constexpr const char* GetCode() { return "PRMV"; }
    static constexpr const char* GetCaption() { return TrNoop("Простые и составные числа (ПС..СП)"); }
    std::string GetClearLetter() const override { return NoTr("С"); }
    std::string GetSetLetter() const override { return NoTr("П"); }
};

// ---- POS1..POS5: the number at one position ----------------------------------------------------

class TstPosVal final : public TKeyStat<TstPosVal, TCustomGraphStat> {
public:
    using TKeyStat::TKeyStat;
    static constexpr const char* ClassName() { return "TstPosVal"; }
    static constexpr const char* GetCode() { return "POS%d"; }
    static constexpr const char* GetCaption() { return TrNoop("Число в %0:d позиции тиража"); }
    static constexpr const char* GetBaseCode() { return "POSx"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList&) { return {1, kNumberCount}; }

    std::string ValueToText(const TStatValueRec& rec) const override { return NumberToText(rec.Key.K[0]); }
    static constexpr uint32_t kCodes = 256;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    // The number at position Param; every key is 0 for a parameter outside 1..5.
    struct TAt : TOneKeyRule<TAt> {
        size_t At = 0;
        uint32_t Key(const uint8_t* n) const { return n[At]; }
    };
    uint32_t Key(const uint8_t* n) const { return at_.Key(n); }
    TAt PassRule() const { return at_; }
    TStatKey KeyOf(uint64_t code) const { return DwordKey(valid_ ? int64_t(code) : 0); }
    template <class Out>
    void Domain(Out&& out) const {
        for (int n = kMinNumber; n <= kMaxNumber; ++n) out(n);
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override {
        return valid_ ? int32_t(Key(comb.data())) : 0;
    }

private:
    bool valid_ = Param >= 1 && Param <= kNumberCount;
    TAt at_{{}, valid_ ? size_t(Param - 1) : 0};
};

// ---- POE1, POE2: the extra numbers of a draw ---------------------------------------------------

class TstPosExt final : public TKeyStat<TstPosExt, TCustomGraphStat> {
public:
    using TKeyStat::TKeyStat;
    static constexpr const char* ClassName() { return "TstPosExt"; }
    static constexpr const char* GetCode() { return "POE%d"; }
    static constexpr const char* GetCaption() { return TrNoop("Extra (Bonus, Star...) - число (!без фильтра!)"); }
    static constexpr const char* GetBaseCode() { return "POSx"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return 0; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList&) { return {1, kExtraCount}; }

    std::string ValueToText(const TStatValueRec& rec) const override { return ExtraToText(rec.Key.K[0]); }
    // A combination carries no extra numbers: no value, and the filter keeps (or deletes) nothing.
    static constexpr bool kCombinationValues = false;
    static constexpr uint32_t kCodes = 1;
    template <class Out>
    void DrawKeys(int, Out&& out) const {
        out(Extra());
    }
    template <class Out>
    void FilterCodes(const uint8_t*, Out&&) const {}
    int32_t CombinationNumber(const TCombination&, int index, int refIndex, bool sorted) override {
        LoadDraw(index, refIndex, sorted);
        return Extra();
    }

private:
    uint16_t Extra() const { return Param >= 1 && Param <= kExtraCount ? Draw.Extras[Param - 1] : 0; }
};

} // namespace

void AddNumberStats(TStatRegistry& r) {
    r.Add(1, StatClassOf<TstValues>());
    r.Add(2, StatClassOf<TstDigits>());
    r.Add(3, StatClassOf<TstEvenCount>());
    r.Add(4, StatClassOf<TstEvenValues>());
    r.Add(5, StatClassOf<TstSmallCount>());
    r.Add(6, StatClassOf<TstSmallValues>());
    r.Add(7, StatClassOf<TstPrimeCount>());
    r.Add(8, StatClassOf<TstPrimeValues>());
    r.Add(102, StatClassOf<TstPosVal>());
    r.Add(103, StatClassOf<TstPosExt>());
}

} // namespace velmora
