#include "core/stats/char_number_stats.h"

#include "core/model/game.h"
#include "core/stats/stat_kernel.h"
#include "core/stats/stat_registry.h"
#include "core/util/translate.h"

#include <cstdlib>

namespace velmora {

int CharacteristicNumber(const uint8_t* n, int mode) {
    int b[5] = {n[0], n[1], n[2], n[3], n[4]};
    for (int k = 5; k >= 3; --k)
        for (int i = 0; i + 1 < k; ++i) b[i] = std::abs(b[i + 1] - b[i]);
    const int d = std::abs(b[1] - b[0]);
    return mode == 1 && d < 2 ? b[0] + b[1] : d;
}

namespace {

// HCS1 (mode 0) and HCS2 (mode 1): the characteristic number of the five numbers in the order
// given (a draw's in loaded order, so with unsorted draws a draw's value may differ from the value
// of the same numbers as a combination).
template <class Self, int Mode>
class TSelvarGraphStat : public TKeyStat<Self, TCustomGraphStat> {
public:
    using TKeyStat<Self, TCustomGraphStat>::TKeyStat;
    static constexpr int GetGroup() { return 11; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }

    // Differences of any five bytes stay below 256, and a sum of two below 512.
    static constexpr uint32_t kCodes = 512;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    uint32_t Key(const uint8_t* n) const { return uint32_t(CharacteristicNumber(n, Mode)); }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return int32_t(Key(comb.data())); }
};

class TstSelvar1 final : public TSelvarGraphStat<TstSelvar1, 0> {
public:
    using TSelvarGraphStat::TSelvarGraphStat;
    static constexpr const char* ClassName() { return "TstSelvar1"; }
    static constexpr const char* GetCode() { return "HCS1"; }
    static constexpr const char* GetCaption() { return TrNoop("Число Сельвара 1 (только разность)"); }
};

class TstSelvar2 final : public TSelvarGraphStat<TstSelvar2, 1> {
public:
    using TSelvarGraphStat::TSelvarGraphStat;
    static constexpr const char* ClassName() { return "TstSelvar2"; }
    static constexpr const char* GetCode() { return "HCS2"; }
    static constexpr const char* GetCaption() { return TrNoop("Число Сельвара 2 (разность + сложение, если {0,1})"); }
};

// HCS3: only the reference draw contributes. Its characteristic number f (mode 2; a last fold of 1
// from a pair a, b gives the paired value a + b, shown "13 (1)") and the multiples of f from f*f
// (or f*f*f when f*f is below 50) down to 2f that are numbers, each counted 1 when it is a number
// of the draw after the window and 0 otherwise. The filter keeps (or deletes) the combinations
// holding a selected number.
class TstSelvar3 final : public TKeyStat<TstSelvar3, TCustomStat> {
public:
    using TKeyStat::TKeyStat;
    static constexpr const char* ClassName() { return "TstSelvar3"; }
    static constexpr const char* GetCode() { return "HCS3"; }
    static constexpr const char* GetCaption() { return TrNoop("Числа Сельвара 3 (динамический, только фильтр)"); }
    static constexpr int GetGroup() { return 11; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagD; }
    static constexpr bool HasValueList() { return false; }

    std::string ValueToText(const TStatValueRec& rec) const override {
        std::string text = IntToText(rec.Key.K[0]);
        if (rec.Key.K[3] == 2) text += " (" + IntToText(rec.Key.K[1]) + ")";
        return text;
    }

    static constexpr bool kCombinationValues = false;
    static constexpr uint32_t kCodes = 256;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        for (int i = 0; i < 5; ++i) out(n[i]);
    }

    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        if (Draw.Number != RefDraw.Number) return;
        TIntArray r;
        IteratedDifference(Draw.Numbers, kNumberCount, 2, r);
        if (r.empty()) return;
        TDrawRecord next;
        GetDraw(lastIndex + 1, false, next);
        int64_t f;
        if (r.size() == 2 && r[0] == 1) {
            f = r[1];
            Value.Key = WordKey(uint16_t(f), 1, 0, 2);
        } else {
            f = r[0];
            Value.Key = WordKey(uint16_t(f));
        }
        Value.Count = DrawHasNumber(Value.Key.K[0], next) ? 1 : 0;
        AddValue(list, false);
        if (f <= 1) return;
        const int64_t g0 = f * f >= kMaxNumber ? f * f : f * f * f;
        for (int64_t g = g0; g > f; g -= f) {
            if (g < kMinNumber || g > kMaxNumber) continue;
            Value.Key = WordKey(uint16_t(g));
            Value.Count = DrawHasNumber(int(g), next) ? 1 : 0;
            AddValue(list, false);
        }
    }
};

} // namespace

void AddCharNumberStats(TStatRegistry& r) {
    r.Add(140, StatClassOf<TstSelvar1>());
    r.Add(141, StatClassOf<TstSelvar2>());
    r.Add(142, StatClassOf<TstSelvar3>());
}

} // namespace velmora
