#include "core/stats/series_stats.h"

#include "core/stats/number_values.h"
#include "core/stats/stat_kernel.h"
#include "core/stats/stat_registry.h"
#include "core/util/translate.h"

#include <algorithm>

namespace velmora {

namespace {

// Run kind: groups follow the draws holding a value, pauses the draws without it.
enum class TRunKind : uint8_t { Pauses = 0, Groups = 1 };

template <class Self, TValueKind Kind, TRunKind Run>
class TSerialStat : public TKeyStat<Self, TCustomStat> {
public:
    using TKeyStat<Self, TCustomStat>::TKeyStat;
    static constexpr int GetGroup() { return 8; }
    static constexpr uint8_t ClassFlags() { return kFlagD; }
    static constexpr bool HasValueList() { return false; }

    // "7 x 3": the value id and the run length.
    std::string ValueToText(const TStatValueRec& rec) const override {
        return ValueIdText(Kind, rec.Key.K[0]) + " x " + IntToText(rec.Key.K[1]);
    }

    // A combination has no runs; the filter keeps (or deletes) the combinations holding a
    // selected value id, whatever the run length.
    static constexpr bool kCombinationValues = false;
    static constexpr uint32_t kCodes = 256;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        const auto& of = values_.Of;
        for (int i = 0; i < 5; ++i) out(of[n[i]]);
    }

    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        const bool groups = Run == TRunKind::Groups;
        // Value ids without a state of the work area (a segment id 0) have no runs.
        const int first = std::max(values_.First, 1), last = std::min(values_.Last, int(series.size()));
        for (int v = first; v <= last; ++v) {
            TSeriesState& s = series[size_t(v - 1)];
            const bool present = values_.DrawHas(this->Draw, v);
            if (present == groups) {
                ++s.RunLength;
                s.DrawNo = this->Draw.Number;
                s.Age = lastIndex - index + 1;
                // The run still open at the reference draw.
                if (index == lastIndex && values_.DrawHas(this->RefDraw, v)) Add(v, s, list);
            } else {
                if (s.RunLength > 0 && values_.DrawHas(this->RefDraw, v)) Add(v, s, list);
                s = TSeriesState{};
            }
        }
    }

private:
    void Add(int v, const TSeriesState& s, TStatDrawArray& list) {
        this->Value.Key = WordKey(uint16_t(v), uint16_t(s.RunLength));
        this->Value.DrawNo = this->Value.LastDrawNo = s.DrawNo;
        this->Value.Age = s.Age;
        this->AddValue(list, true);
    }

    TNumberValues values_ = NumberValues(Kind, this->Config());
};

#define VELMORA_SERIES(Name, Kind, Run, Code, Caption)                         \
    class Name final : public TSerialStat<Name, TValueKind::Kind, TRunKind::Run> { \
    public:                                                                     \
        using TSerialStat::TSerialStat;                                         \
        static constexpr const char* ClassName() { return #Name; }              \
        static constexpr const char* GetCode() { return Code; }                 \
        static constexpr const char* GetCaption() { return Caption; }           \
    };

VELMORA_SERIES(TstNumGroups, Numbers, Groups, "GRPV", TrNoop("Повторы чисел в нескольких тиражах подряд"))
VELMORA_SERIES(TstNumPauses, Numbers, Pauses, "GRPP", TrNoop("Интервалы между повторениями чисел"))
VELMORA_SERIES(TstChnGroups, Channels, Groups, "GRCV", TrNoop("Повторы каналов в нескольких тиражах подряд"))
VELMORA_SERIES(TstChnPauses, Channels, Pauses, "GRCP", TrNoop("Интервалы между повторениями каналов"))
VELMORA_SERIES(TstSgmGroups, Segments, Groups, "GRSV", TrNoop("Повторы сегментов в нескольких тиражах подряд"))
VELMORA_SERIES(TstSgmPauses, Segments, Pauses, "GRSP", TrNoop("Интервалы между повторениями сегментов"))
#undef VELMORA_SERIES

} // namespace

void AddSeriesStats(TStatRegistry& r) {
    r.Add(108, StatClassOf<TstNumGroups>());
    r.Add(109, StatClassOf<TstNumPauses>());
    r.Add(110, StatClassOf<TstChnGroups>());
    r.Add(111, StatClassOf<TstChnPauses>());
    r.Add(112, StatClassOf<TstSgmGroups>());
    r.Add(113, StatClassOf<TstSgmPauses>());
}

} // namespace velmora
