#include "core/stats/period_stats.h"

#include "core/stats/number_values.h"
#include "core/stats/stat_kernel.h"
#include "core/stats/stat_registry.h"
#include "core/util/translate.h"

namespace velmora {

namespace {

template <class Self, TValueKind Kind>
class TPeriodsStat : public TKeyStat<Self, TCustomStat> {
    using Kernel = TKeyStat<Self, TCustomStat>;

public:
    using Kernel::Kernel;
    static constexpr int GetGroup() { return 9; }
    static constexpr uint8_t ClassFlags() { return kFlagP; }
    static constexpr bool HasValueList() { return false; }

    // "9 x 2": the value id and the gap.
    std::string ValueToText(const TStatValueRec& rec) const override {
        return ValueIdText(Kind, rec.Key.K[0]) + " x " + IntToText(rec.Key.K[1]);
    }

    // Every number of the draw, in loaded order: the gap since its value was last seen in the
    // run (LastValues). The first occurrence gives nothing, and a second number of the draw with
    // the same value gives the gap 0 and nothing.
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        for (uint8_t n : this->Draw.Numbers) {
            const uint16_t v = values_.Of[n];
            this->Value.Key = WordKey(v);
            const int32_t gap = UpdateLastValue(this->Value, lastValues);
            if (gap > 0) {
                this->Value.Key = WordKey(v, uint16_t(gap));
                this->AddValue(list, true);
            }
        }
    }

    // The filter: the codes of a combination are the value ids of its numbers; whether a code
    // passes depends on the selected gaps, the draws before the reference draw and the action.
    static constexpr bool kCombinationValues = false;
    static constexpr uint32_t kCodes = 256;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        const auto& of = values_.Of;
        for (int i = 0; i < 5; ++i) out(of[n[i]]);
    }
    void PrepareFilter(bool, int lastIndex) { lastIndex_ = lastIndex; }
    // Some selected (code, p) whose draw lastIndex - p + 1 holds the value (keep) or lacks it
    // (delete). A draw before the first (or after the last) holds nothing.
    bool CodeMatches(uint64_t code, const TStatDrawArray& selected) const {
        TDrawRecord d;
        for (const auto& e : selected) {
            if (e.Key.K[0] != code) continue;
            this->GetDraw(lastIndex_ - int(e.Key.K[1]) + 1, false, d);
            if (values_.DrawHas(d, int(code)) != delete_) return true;
        }
        return false;
    }

    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool include, bool sorted,
                            int lastIndex) override {
        delete_ = include;
        return Kernel::CombinationMatches(comb, selected, include, sorted, lastIndex);
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool sorted, int lastIndex) override {
        delete_ = IsDelete(action);
        return Kernel::FilterCombinations(src, count, dst, selected, action, sorted, lastIndex);
    }
    bool FilterRanks(uint64_t* words, const TStatDrawArray& selected, TFilterAction action, bool sorted, int lastIndex,
                     size_t parts) override {
        delete_ = IsDelete(action);
        return Kernel::FilterRanks(words, selected, action, sorted, lastIndex, parts);
    }

private:
    TNumberValues values_ = NumberValues(Kind, this->Config());
    int lastIndex_ = 0;
    bool delete_ = false;  // the filter deletes the matching combinations (Include)
};

class TstNumPeriods final : public TPeriodsStat<TstNumPeriods, TValueKind::Numbers> {
public:
    using TPeriodsStat::TPeriodsStat;
    static constexpr const char* ClassName() { return "TstNumPeriods"; }
    static constexpr const char* GetCode() { return "PRDV"; }
    static constexpr const char* GetCaption() { return TrNoop("Периоды повторения чисел"); }
};

class TstChnPeriods final : public TPeriodsStat<TstChnPeriods, TValueKind::Channels> {
public:
    using TPeriodsStat::TPeriodsStat;
    static constexpr const char* ClassName() { return "TstChnPeriods"; }
    static constexpr const char* GetCode() { return "PRDC"; }
    static constexpr const char* GetCaption() { return TrNoop("Периоды повторения каналов"); }
};

class TstSgmPeriods final : public TPeriodsStat<TstSgmPeriods, TValueKind::Segments> {
public:
    using TPeriodsStat::TPeriodsStat;
    static constexpr const char* ClassName() { return "TstSgmPeriods"; }
    static constexpr const char* GetCode() { return "PRDG"; }
    static constexpr const char* GetCaption() { return TrNoop("Периоды повторения сегментов"); }
};

} // namespace

void AddPeriodStats(TStatRegistry& r) {
    r.Add(114, StatClassOf<TstNumPeriods>());
    r.Add(115, StatClassOf<TstChnPeriods>());
    r.Add(116, StatClassOf<TstSgmPeriods>());
}

} // namespace velmora
