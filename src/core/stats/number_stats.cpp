#include "core/stats/number_stats.h"

#include "core/stats/stat_framework.h"
#include "core/stats/stat_index.h"
#include "core/stats/stat_registry.h"

#include <cstring>
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

// Copies the combinations whose match (from a per-value table) differs from include.
template <class ValueOf>
size_t FilterByTable(const TCombination* src, size_t count, TCombination* dst, const std::array<bool, 256>& match,
                     bool include, ValueOf valueOf) {
    size_t k = 0;
    for (size_t i = 0; i < count; ++i)
        if (match[valueOf(src[i])] != include) dst[k++] = src[i];
    return k;
}

// The decimal digits of every byte value, as NumberToText writes them.
struct TDigits {
    uint8_t Count = 0;
    uint8_t Digit[3] = {};
};

const std::array<TDigits, 256>& DigitTable() {
    static const std::array<TDigits, 256> table = [] {
        std::array<TDigits, 256> t{};
        for (int n = 0; n < 256; ++n) {
            std::string text = NumberToText(n);
            for (char c : text) t[size_t(n)].Digit[t[size_t(n)].Count++] = uint8_t(TextToInt(std::string(1, c)));
        }
        return t;
    }();
    return table;
}

// ---- NUMS ------------------------------------------------------------------------------------

class TstValues final : public TCustomValuesStat {
public:
    using TCustomValuesStat::TCustomValuesStat;
    static constexpr const char* ClassName() { return "TstValues"; }
    static constexpr const char* GetCode() { return "NUMS"; }
    static constexpr const char* GetCaption() { return "Числа тиража"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    void ListAllValues(int, TStatDrawArray& list) override {
        ClearValue();
        for (int n = kMinNumber; n <= kMaxNumber; ++n) {
            Value.Key.K[0] = uint16_t(n);
            AddValue(list, false);
        }
    }
    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        for (uint8_t n : comb) {
            Value.Key.K[0] = n;
            AddValue(list, false);
        }
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        for (uint8_t n : Draw.Numbers) {
            Value.Key.K[0] = n;
            AddValue(list, true);
        }
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        for (uint8_t n : comb)
            if (HasValue(selected, n, 0, 0, 0)) return true;
        return false;
    }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        TKeyCounter counter(256);
        for (size_t i = 0; i < count; ++i)
            for (uint8_t n : combs[i]) counter.Add(n);
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              bool include, bool, int) override {
        std::array<bool, 256> sel{};
        for (int n = 0; n < 256; ++n) sel[size_t(n)] = HasValue(selected, uint16_t(n), 0, 0, 0);
        size_t k = 0;
        for (size_t i = 0; i < count; ++i) {
            const TCombination& c = src[i];
            bool m = sel[c[0]] | sel[c[1]] | sel[c[2]] | sel[c[3]] | sel[c[4]];
            if (m != include) dst[k++] = c;
        }
        return k;
    }
};

// ---- DIGS ------------------------------------------------------------------------------------

class TstDigits final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr const char* ClassName() { return "TstDigits"; }
    static constexpr const char* GetCode() { return "DIGS"; }
    static constexpr const char* GetCaption() { return "Цифры тиража"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        for (uint8_t n : comb) AddDigits(n, list, false);
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        for (uint8_t n : Draw.Numbers) AddDigits(n, list, true);
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        const auto& digits = DigitTable();
        for (uint8_t n : comb)
            for (int j = 0; j < digits[n].Count; ++j)
                if (HasValue(selected, digits[n].Digit[j], 0, 0, 0)) return true;
        return false;
    }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        const auto& digits = DigitTable();
        TKeyCounter counter(10);
        for (size_t i = 0; i < count; ++i)
            for (uint8_t n : combs[i])
                for (int j = 0; j < digits[n].Count; ++j) counter.Add(digits[n].Digit[j]);
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              bool include, bool, int) override {
        // A number matches when one of its digits is selected.
        const auto& digits = DigitTable();
        std::array<bool, 10> digitSel{};
        for (int d = 0; d < 10; ++d) digitSel[size_t(d)] = HasValue(selected, uint16_t(d), 0, 0, 0);
        std::array<bool, 256> sel{};
        for (int n = 0; n < 256; ++n)
            for (int j = 0; j < digits[size_t(n)].Count; ++j) sel[size_t(n)] |= digitSel[digits[size_t(n)].Digit[j]];
        size_t k = 0;
        for (size_t i = 0; i < count; ++i) {
            const TCombination& c = src[i];
            bool m = sel[c[0]] | sel[c[1]] | sel[c[2]] | sel[c[3]] | sel[c[4]];
            if (m != include) dst[k++] = c;
        }
        return k;
    }

private:
    void AddDigits(uint8_t n, TStatDrawArray& list, bool trackGaps) {
        const TDigits& d = DigitTable()[n];
        for (int j = 0; j < d.Count; ++j) {
            Value.Key.K[0] = d.Digit[j];
            AddValue(list, trackGaps);
        }
    }
};

// ---- EVEN, SMAL, PRIM: how many of the five numbers have the property --------------------------

template <TProp P>
class TPropCountStat : public TCustomRatioStat {
public:
    using TCustomRatioStat::TCustomRatioStat;
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    // 0 is a possible value but not part of the domain list: it enters a list when it occurs.
    void ListAllValues(int, TStatDrawArray& list) override {
        ClearValue();
        for (int k = 1; k <= kNumberCount; ++k) {
            Value.Key.K[0] = uint16_t(k);
            AddValue(list, false);
        }
    }
    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        Value.Key.K[0] = PropCount<P>(comb.data());
        AddValue(list, false);
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        Value.Key.K[0] = PropCount<P>(Draw.Numbers);
        AddValue(list, true);
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        return HasKeyWord(selected, 1, PropCount<P>(comb.data()));
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return PropCount<P>(comb.data()); }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        TKeyCounter counter(kNumberCount + 1);
        for (size_t i = 0; i < count; ++i) counter.Add(PropCount<P>(combs[i].data()));
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              bool include, bool, int) override {
        std::array<bool, 256> match{};
        for (int k = 0; k <= kNumberCount; ++k) match[size_t(k)] = HasKeyWord(selected, 1, uint16_t(k));
        return FilterByTable(src, count, dst, match, include, [](const TCombination& c) { return PropCount<P>(c.data()); });
    }
};

class TstEvenCount final : public TPropCountStat<TProp::Even> {
public:
    using TPropCountStat::TPropCountStat;
    static constexpr const char* ClassName() { return "TstEvenCount"; }
    static constexpr const char* GetCode() { return "EVEN"; }
    static constexpr const char* GetCaption() { return "Количество четных чисел в тираже (Ч:Н)"; }
};

class TstSmallCount final : public TPropCountStat<TProp::Small> {
public:
    using TPropCountStat::TPropCountStat;
    static constexpr const char* ClassName() { return "TstSmallCount"; }
    static constexpr const char* GetCode() { return "SMAL"; }
    static constexpr const char* GetCaption() { return "Количество чисел из первой половины диапазона (1П:2П)"; }
};

class TstPrimeCount final : public TPropCountStat<TProp::Prime> {
public:
    using TPropCountStat::TPropCountStat;
    static constexpr const char* ClassName() { return "TstPrimeCount"; }
    static constexpr const char* GetCode() { return "PRIM"; }
    static constexpr const char* GetCaption() { return "Количество простых чисел (П:С)"; }
};

// ---- EVNV, SMLV, PRMV: the property by position as a 5-bit mask --------------------------------

template <TProp P>
class TPropMaskStat : public TCustomMaskStat {
public:
    using TCustomMaskStat::TCustomMaskStat;
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }

    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        Value.Key.SetDword(0, PropMask<P>(comb.data()));
        AddValue(list, false);
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        Value.Key.SetDword(0, PropMask<P>(Draw.Numbers));
        AddValue(list, true);
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        return HasKeyDword(selected, 1, PropMask<P>(comb.data()));
    }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        TKeyCounter counter(32);
        for (size_t i = 0; i < count; ++i) counter.Add(PropMask<P>(combs[i].data()));
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              bool include, bool, int) override {
        std::array<bool, 256> match{};
        for (uint32_t m = 0; m < 32; ++m) match[m] = HasKeyDword(selected, 1, m);
        return FilterByTable(src, count, dst, match, include, [](const TCombination& c) { return PropMask<P>(c.data()); });
    }
};

class TstEvenValues final : public TPropMaskStat<TProp::Odd> {
public:
    using TPropMaskStat::TPropMaskStat;
    static constexpr const char* ClassName() { return "TstEvenValues"; }
    static constexpr const char* GetCode() { return "EVNV"; }
    static constexpr const char* GetCaption() { return "Четные и нечетные числа в тираже (Чн..нЧ)"; }
    std::string GetClearLetter() const override { return "Ч"; }
    std::string GetSetLetter() const override { return "н"; }
};

// SMLV's domain is the six masks a combination can have: the numbers of a combination ascend,
// so once one lies in the second half all later ones do (11111, 11112, 11122, 11222, 12222,
// 22222). The table then shows those that never occurred with count 0, as its sisters do, and
// offers no rows that no combination could match; other masks of draws in drawn order still
// enter the list when they occur.
class TstSmallValues final : public TPropMaskStat<TProp::Large> {
public:
    using TPropMaskStat::TPropMaskStat;
    static constexpr const char* ClassName() { return "TstSmallValues"; }
    static constexpr const char* GetCode() { return "SMLV"; }
    static constexpr const char* GetCaption() { return "Числа из первой половины диапазона (12..12)"; }
    std::string GetClearLetter() const override { return "1"; }
    std::string GetSetLetter() const override { return "2"; }
    void ListAllValues(int, TStatDrawArray& list) override {
        ClearValue();
        for (uint32_t m : {0u, 1u, 3u, 7u, 15u, 31u}) {
            Value.Key = TStatKey{};
            Value.Key.SetDword(0, m);
            AddValue(list, false);
        }
    }
};

class TstPrimeValues final : public TPropMaskStat<TProp::Prime> {
public:
    using TPropMaskStat::TPropMaskStat;
    static constexpr const char* ClassName() { return "TstPrimeValues"; }
    static constexpr const char* GetCode() { return "PRMV"; }
    static constexpr const char* GetCaption() { return "Простые и составные числа (ПС..СП)"; }
    std::string GetClearLetter() const override { return "С"; }
    std::string GetSetLetter() const override { return "П"; }
};

// ---- POS1..POS5: the number at one position ----------------------------------------------------

class TstPosVal final : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr const char* ClassName() { return "TstPosVal"; }
    static constexpr const char* GetCode() { return "POS%d"; }
    static constexpr const char* GetCaption() { return "Число в %0:d позиции тиража"; }
    static constexpr const char* GetBaseCode() { return "POSx"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList&) { return {1, kNumberCount}; }

    std::string ValueToText(const TStatValueRec& rec) const override { return NumberToText(rec.Key.K[0]); }
    void ListAllValues(int, TStatDrawArray& list) override {
        ClearValue();
        for (int n = kMinNumber; n <= kMaxNumber; ++n) {
            Value.Key.K[0] = uint16_t(n);
            AddValue(list, false);
        }
    }
    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        Value.Key.K[0] = At(comb.data());
        AddValue(list, false);
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        Value.Key.K[0] = At(Draw.Numbers);
        AddValue(list, true);
    }
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool, int) override {
        return HasKeyWord(selected, 1, At(comb.data()));
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return At(comb.data()); }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        if (!ValidPos()) return TCustomStat::AddCombinationValues(combs, count, list);
        const size_t p = size_t(Param - 1);
        TKeyCounter counter(256);
        for (size_t i = 0; i < count; ++i) counter.Add(combs[i][p]);
        counter.MergeInto(list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              bool include, bool sorted, int lastIndex) override {
        if (!ValidPos()) return TCustomStat::FilterCombinations(src, count, dst, selected, include, sorted, lastIndex);
        std::array<bool, 256> match{};
        for (int n = 0; n < 256; ++n) match[size_t(n)] = HasKeyWord(selected, 1, uint16_t(n));
        const size_t p = size_t(Param - 1);
        return FilterByTable(src, count, dst, match, include, [p](const TCombination& c) { return c[p]; });
    }

private:
    bool ValidPos() const { return Param >= 1 && Param <= kNumberCount; }
    // The number at position Param; 0 for a parameter outside 1..5.
    uint16_t At(const uint8_t* nums) const { return ValidPos() ? nums[Param - 1] : 0; }
};

// ---- POE1, POE2: the extra numbers of a draw ---------------------------------------------------

class TstPosExt final : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr const char* ClassName() { return "TstPosExt"; }
    static constexpr const char* GetCode() { return "POE%d"; }
    static constexpr const char* GetCaption() { return "Extra (Bonus, Star...) - число (!без фильтра!)"; }
    static constexpr const char* GetBaseCode() { return "POSx"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return 0; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList&) { return {1, kExtraCount}; }

    std::string ValueToText(const TStatValueRec& rec) const override { return ExtraToText(rec.Key.K[0]); }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        Value.Key.K[0] = Extra();
        AddValue(list, true);
    }
    // A combination carries no extra numbers: the filter keeps (or deletes) nothing.
    bool CombinationMatches(const TCombination&, const TStatDrawArray&, bool, bool, int) override { return false; }
    int32_t CombinationNumber(const TCombination&, int index, int refIndex, bool sorted) override {
        LoadDraw(index, refIndex, sorted);
        return Extra();
    }

    // No value for a combination: the list stays as it is.
    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        if (count > 0) AddCombinationValue(combs[count - 1], list);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray&,
                              bool include, bool, int) override {
        if (!include) return 0;
        if (dst != src) std::memmove(dst, src, count * sizeof(TCombination));
        return count;
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
