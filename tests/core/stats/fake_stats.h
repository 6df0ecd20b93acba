// Small statistic classes for the framework tests: they exercise the class operations, the
// settings-dependent parameter ranges and the default (index-backed) batch paths with keys of
// every shape, independent of any family.
#pragma once

#include "core/model/filter_action.h"
#include "core/stats/stat_framework.h"
#include "core/stats/stat_list.h"

namespace velmora::test {

// Flag N, multi-valued with large keys in all four parts: (a*b, c, d+e, a^e) and the pair
// (sum, 0, 0, 1). No fast path: the default batch entry points run. The filter test uses every
// key look-up helper.
class TstFakeKeys final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr const char* ClassName() { return "TstFakeKeys"; }
    static constexpr const char* GetCode() { return "FKEY"; }
    static constexpr const char* GetCaption() { return "Fake keys"; }
    static constexpr int GetGroup() { return 1; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    void AddCombinationValue(const TCombination& c, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(c, list);
        Set(c.data());
        AddValue(list, false);
        Value.Key = TStatKey{};
        Value.Key.K[0] = uint16_t(c[0] + c[1] + c[2] + c[3] + c[4]);
        Value.Key.K[3] = 1;
        AddValue(list, false);
        // A repeat within one combination adds up.
        AddValue(list, false);
    }
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lv, TSeriesArea& series, TStatDrawArray& list,
                      bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lv, series, list, sorted);
        Set(Draw.Numbers);
        AddValue(list, true);
    }
    bool CombinationMatches(const TCombination& c, const TStatDrawArray& sel, bool, bool, int) override {
        Set(c.data());
        const TStatKey& k = Value.Key;
        return HasValue(sel, k.K[0], k.K[1], k.K[2], k.K[3]) || HasKeyWord(sel, 2, c[2]) ||
               HasKeyDword(sel, 2, uint32_t(c[3] + c[4]) << 16 | 7u) || HasKeyByte(sel, 8, uint8_t(c[0] ^ c[4])) ||
               HasValuePair(sel, uint16_t(c[0]), uint32_t(c[1]) * 65536u + c[2]);
    }

private:
    void Set(const uint8_t* n) {
        Value.Key = TStatKey{};
        Value.Key.K[0] = uint16_t(n[0] * n[1]);
        Value.Key.K[1] = n[2];
        Value.Key.K[2] = uint16_t(n[3] + n[4]);
        Value.Key.K[3] = uint16_t(n[0] ^ n[4]);
    }
};

// Flag D with a graph; its parameter runs over the channels of the settings.
class TstFakeChannel final : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr const char* ClassName() { return "TstFakeChannel"; }
    static constexpr const char* GetCode() { return "FCH%d"; }
    static constexpr const char* GetCaption() { return "Канал %d"; }
    static constexpr int GetGroup() { return 3; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagD; }
    static constexpr bool HasParam() { return true; }
    static constexpr bool HasValueList() { return false; }
    static TParamRange GetParamRange(const TStatList& l) { return {1, l.ChannelCount()}; }
    bool CombinationMatches(const TCombination&, const TStatDrawArray&, bool, bool, int) override { return false; }
    int32_t CombinationNumber(const TCombination& c, int, int, bool) override { return c[0]; }
};

// Parameterised by the matrix rows of the settings, code without a base code of its own.
class TstFakeRows final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr const char* ClassName() { return "TstFakeRows"; }
    static constexpr const char* GetCode() { return "FRW%d"; }
    static constexpr const char* GetCaption() { return "Строка %0:d"; }
    static constexpr int GetGroup() { return 4; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList& l) { return {1, l.MatrixRows()}; }
    bool CombinationMatches(const TCombination&, const TStatDrawArray&, bool, bool, int) override { return false; }
};

class TstFakeHidden final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr const char* ClassName() { return "TstFakeHidden"; }
    static constexpr const char* GetCode() { return "FHID"; }
    static constexpr const char* GetCaption() { return "Hidden"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return 0; }
    static constexpr bool IsAvailable() { return false; }
    bool CombinationMatches(const TCombination&, const TStatDrawArray&, bool, bool, int) override { return false; }
};

// Group 12: the caption leaves "%s" for the formula.
class TstFakeFormula final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr const char* ClassName() { return "TstFakeFormula"; }
    static constexpr const char* GetCode() { return "FSH%d"; }
    static constexpr const char* GetCaption() { return "Формула %d: %%s"; }
    static constexpr int GetGroup() { return 12; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList&) { return {1, 3}; }
    bool CombinationMatches(const TCombination&, const TStatDrawArray&, bool, bool, int) override { return false; }
};

// A class whose range is empty (Max < Min).
class TstFakeEmpty final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr const char* ClassName() { return "TstFakeEmpty"; }
    static constexpr const char* GetCode() { return "FEM%d"; }
    static constexpr const char* GetCaption() { return "Empty"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return 0; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList&) { return {3, 2}; }
    bool CombinationMatches(const TCombination&, const TStatDrawArray&, bool, bool, int) override { return false; }
};

// A small archive: draw numbers 101..106, numbers in drawn order.
inline TDrawsArray FixtureDraws() {
    auto d = [](int no, std::array<int, 5> n, int e1, int e2) {
        TDrawRecord r;
        r.Number = no;
        for (int i = 0; i < 5; ++i) r.Numbers[i] = uint8_t(n[size_t(i)]);
        r.Extras[0] = uint8_t(e1);
        r.Extras[1] = uint8_t(e2);
        r.SetDateText("2020-01-0" + std::to_string(no - 100));
        return r;
    };
    return {d(101, {30, 4, 44, 9, 17}, 3, 7),  d(102, {1, 2, 3, 4, 5}, 1, 10),     d(103, {21, 22, 23, 25, 26}, 2, 2),
            d(104, {2, 11, 25, 26, 47}, 5, 6), d(105, {10, 20, 33, 41, 49}, 9, 4), d(106, {47, 3, 12, 25, 38}, 3, 8)};
}

// The reference filter pass: the method's own per-combination test, one combination at a time,
// with the analysis window ending at draw `last`.
inline TCombsArray PlainFilter(TStatList& list, int method, const TCombsArray& combs, const TStatDrawArray& sel,
                               TFilterAction action, bool sorted, int last) {
    auto s = list.CreateStat(method);
    const bool include = IsDelete(action);
    s->LoadDraw(-1, last, sorted);
    TCombsArray out;
    for (const auto& c : combs)
        if (s->CombinationMatches(c, sel, include, sorted, last) != include) out.push_back(c);
    return out;
}

} // namespace velmora::test
