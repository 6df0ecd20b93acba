#include "core/stats/repeat_stats.h"

#include "core/model/game.h"
#include "core/stats/stat_framework.h"
#include "core/stats/stat_kernel.h"
#include "core/stats/stat_registry.h"
#include "core/util/translate.h"

#include <bit>

namespace velmora {

namespace {

inline bool InMask(uint64_t mask, uint8_t n) { return n < 64 && ((mask >> n) & 1); }

// The numbers of draw index shifted; empty for an index outside the archive.
inline uint64_t DrawMask(const TCustomStat& s, int index, int shift) {
    TDrawRecord d;
    s.GetDraw(index, false, d);
    return ShiftedNumberMask(d, shift);
}

// Which earlier draws a number of draw i must have come out in to count as a repeat: the set
// Earlier(i). The filter judges a combination as draw L + 1, L being the reference draw.

// Draw i against draw i - Distance, whose numbers are shifted by Shift.
template <int Shift, int Distance>
struct TTwoDraws {
    static_assert(Distance >= 1 && Shift >= -2 && Shift <= 2);
    static constexpr int kShift = Shift;
    static uint64_t Earlier(const TCustomStat& s, int i) { return DrawMask(s, i - Distance, Shift); }
};

// Draw i against draws i - 1 and i - 2: in both (Both) or in i - 1 but not in i - 2.
template <bool Both>
struct TThreeDraws {
    static constexpr int kShift = 0;
    static uint64_t Earlier(const TCustomStat& s, int i) {
        const uint64_t prev = DrawMask(s, i - 1, 0), before = DrawMask(s, i - 2, 0);
        return Both ? prev & before : prev & ~before;
    }
};

// ---- values: the repeated numbers of a draw that the (shifted) reference draw holds ------------

template <class Self, class Kind>
class TRepValuesStat : public TKeyStat<Self, TCustomValuesStat> {
public:
    using TKeyStat<Self, TCustomValuesStat>::TKeyStat;
    static constexpr int GetGroup() { return 7; }
    static constexpr uint8_t ClassFlags() { return kFlagD; }

    static constexpr bool kCombinationValues = false;
    static constexpr uint32_t kCodes = 256;

    // The numbers of the reference draw in stored order, shifted, with count 0.
    void ListAllValues(int lastIndex, TStatDrawArray& list) override {
        this->ClearValue();
        TDrawRecord ref;
        this->GetDraw(lastIndex, false, ref);
        for (uint8_t n : ref.Numbers)
            if (n >= kMinNumber && n <= kMaxNumber) {
                this->Value.Key = WordKey(uint16_t(ShiftNumber(n, Kind::kShift)));
                this->AddValue(list, false);
            }
    }
    // Every value a draw can have is listed by the domain, so the order in which a draw adds its
    // values never shows; they are taken in the order of the draw's own numbers.
    template <class Out>
    void DrawKeys(int index, Out&& out) const {
        const uint64_t keep = Kind::Earlier(*this, index) & ShiftedNumberMask(this->RefDraw, Kind::kShift);
        for (uint8_t n : this->Draw.Numbers)
            if (InMask(keep, n)) out(uint32_t(n));
    }
    // A combination passes when one of its numbers is selected; earlier draws play no part.
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        for (int i = 0; i < 5; ++i) out(uint32_t(n[i]));
    }
};

// ---- counts: how many numbers of a draw repeated -----------------------------------------------

// The count of five bytes in a set of numbers (the loop-side rule of the count filter).
struct TInMask {
    uint64_t Mask = 0;
    uint32_t Count(const uint8_t* n) const {
        return uint32_t(InMask(Mask, n[0])) + InMask(Mask, n[1]) + InMask(Mask, n[2]) + InMask(Mask, n[3]) +
               InMask(Mask, n[4]);
    }
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        out(Count(n));
    }
};

template <class Self, class Kind>
class TRepCountStat : public TKeyStat<Self, TCustomNumbersStat> {
public:
    using TKeyStat<Self, TCustomNumbersStat>::TKeyStat;
    static constexpr int GetGroup() { return 7; }
    static constexpr uint8_t ClassFlags() { return kFlagD; }

    static constexpr bool kCombinationValues = false;
    static constexpr uint32_t kCodes = 6;  // 0..5
    // 1..5; 0 enters the list with the first draw that has it.
    template <class Out>
    void Domain(Out&& out) const {
        for (int v = 1; v <= 5; ++v) out(v);
    }
    template <class Out>
    void DrawKeys(int index, Out&& out) const {
        out(uint32_t(std::popcount(Kind::Earlier(*this, index) & ShiftedNumberMask(this->Draw, 0))));
    }
    // The combination stands for the draw after the reference draw.
    void PrepareFilter(bool, int lastIndex) { rule_.Mask = Kind::Earlier(*this, lastIndex + 1); }
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        rule_.FilterCodes(n, out);
    }
    TInMask PassRule() const { return rule_; }

private:
    TInMask rule_;
};

#define VELMORA_REPEAT_STAT(Name, Rule, Code, Caption, ...)                 \
    class Name final : public Rule<Name, __VA_ARGS__> {                     \
    public:                                                                 \
        using Rule::Rule;                                                   \
        static constexpr const char* ClassName() { return #Name; }          \
        static constexpr const char* GetCode() { return Code; }             \
        static constexpr const char* GetCaption() { return Caption; }       \
    };

// The codes and captions made from a template with a fixed argument ("PRV2O%d" with 1, "PRV%s"
// with "+1", "... через %d тираж(а)" with the number of draws in between) are written filled.
VELMORA_REPEAT_STAT(TstRepValues2, TRepValuesStat, "RPV2", TrNoop("Повторяющиеся числа в 2-х тиражах подряд"), TTwoDraws<0, 1>)
VELMORA_REPEAT_STAT(TstRepValues3, TRepValuesStat, "RPV3", TrNoop("Повторяющиеся числа в 3-х тиражах подряд"), TThreeDraws<true>)
VELMORA_REPEAT_STAT(TstRepValues2B3, TRepValuesStat, "PRL2", TrNoop("Повторяющиеся числа не более чем в 2-х тиражах"), TThreeDraws<false>)
VELMORA_REPEAT_STAT(TstRepValues2over1, TRepValuesStat, "PRV2O1", TrNoop("Повторяющиеся числа в 2-х тиражах через 1 тираж(а)"), TTwoDraws<0, 2>)
VELMORA_REPEAT_STAT(TstRepValues2over2, TRepValuesStat, "PRV2O2", TrNoop("Повторяющиеся числа в 2-х тиражах через 2 тираж(а)"), TTwoDraws<0, 3>)
VELMORA_REPEAT_STAT(TstRepValues2over3, TRepValuesStat, "PRV2O3", TrNoop("Повторяющиеся числа в 2-х тиражах через 3 тираж(а)"), TTwoDraws<0, 4>)
VELMORA_REPEAT_STAT(TstRepValues2P1, TRepValuesStat, "PRV+1", TrNoop("Данные предыдущего тиража + 1"), TTwoDraws<1, 1>)
VELMORA_REPEAT_STAT(TstRepValues2N1, TRepValuesStat, "PRV-1", TrNoop("Данные предыдущего тиража - 1"), TTwoDraws<-1, 1>)
VELMORA_REPEAT_STAT(TstRepValues2P2, TRepValuesStat, "PRV+2", TrNoop("Данные предыдущего тиража + 2"), TTwoDraws<2, 1>)
VELMORA_REPEAT_STAT(TstRepValues2N2, TRepValuesStat, "PRV-2", TrNoop("Данные предыдущего тиража - 2"), TTwoDraws<-2, 1>)
VELMORA_REPEAT_STAT(TstRepCount2, TRepCountStat, "RPC2", TrNoop("Количество повторов в 2-х тиражах подряд"), TTwoDraws<0, 1>)
VELMORA_REPEAT_STAT(TstRepCount3, TRepCountStat, "RPC3", TrNoop("Количество повторов в 3-х тиражах подряд"), TThreeDraws<true>)
VELMORA_REPEAT_STAT(TstRepCount2B3, TRepCountStat, "PRB2", TrNoop("Количество повторов не более чем в 2-х тиражах"), TThreeDraws<false>)
// The first of the three through draws in between has a code of its own; there is no PRC2O1.
VELMORA_REPEAT_STAT(TstRepCount2over1, TRepCountStat, "RPO1", TrNoop("Количество повторов в 2-х тиражах через 1 тираж(а)"), TTwoDraws<0, 2>)
VELMORA_REPEAT_STAT(TstRepCount2over2, TRepCountStat, "PRC2O2", TrNoop("Количество повторов в 2-х тиражах через 2 тираж(а)"), TTwoDraws<0, 3>)
VELMORA_REPEAT_STAT(TstRepCount2over3, TRepCountStat, "PRC2O3", TrNoop("Количество повторов в 2-х тиражах через 3 тираж(а)"), TTwoDraws<0, 4>)
VELMORA_REPEAT_STAT(TstRepCount2P1, TRepCountStat, "PRC+1", TrNoop("Количество совпадений \"значений + 1\""), TTwoDraws<1, 1>)
VELMORA_REPEAT_STAT(TstRepCount2N1, TRepCountStat, "PRC-1", TrNoop("Количество совпадений \"значений - 1\""), TTwoDraws<-1, 1>)
VELMORA_REPEAT_STAT(TstRepCount2P2, TRepCountStat, "PRC+2", TrNoop("Количество совпадений \"значений + 2\""), TTwoDraws<2, 1>)
VELMORA_REPEAT_STAT(TstRepCount2N2, TRepCountStat, "PRC-2", TrNoop("Количество совпадений \"значений - 2\""), TTwoDraws<-2, 1>)
#undef VELMORA_REPEAT_STAT

} // namespace

uint64_t ShiftedNumberMask(const TDrawRecord& draw, int shift) {
    uint64_t mask = 0;
    for (uint8_t n : draw.Numbers)
        if (n >= kMinNumber && n <= kMaxNumber) mask |= uint64_t(1) << ShiftNumber(n, shift);
    return mask;
}

void AddRepeatStats(TStatRegistry& r) {
    r.Add(43, StatClassOf<TstRepValues2>());
    r.Add(44, StatClassOf<TstRepValues3>());
    r.Add(45, StatClassOf<TstRepValues2B3>());
    r.Add(46, StatClassOf<TstRepValues2over1>());
    r.Add(47, StatClassOf<TstRepValues2over2>());
    r.Add(48, StatClassOf<TstRepValues2over3>());
    r.Add(49, StatClassOf<TstRepValues2P1>());
    r.Add(50, StatClassOf<TstRepValues2N1>());
    r.Add(51, StatClassOf<TstRepValues2P2>());
    r.Add(52, StatClassOf<TstRepValues2N2>());
    r.Add(53, StatClassOf<TstRepCount2>());
    r.Add(54, StatClassOf<TstRepCount3>());
    r.Add(55, StatClassOf<TstRepCount2B3>());
    r.Add(56, StatClassOf<TstRepCount2over1>());
    r.Add(57, StatClassOf<TstRepCount2over2>());
    r.Add(58, StatClassOf<TstRepCount2over3>());
    r.Add(59, StatClassOf<TstRepCount2P1>());
    r.Add(60, StatClassOf<TstRepCount2N1>());
    r.Add(61, StatClassOf<TstRepCount2P2>());
    r.Add(62, StatClassOf<TstRepCount2N2>());
}

} // namespace velmora
