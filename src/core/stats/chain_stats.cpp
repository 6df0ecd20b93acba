#include "core/stats/chain_stats.h"

#include "core/stats/number_values.h"
#include "core/stats/stat_kernel.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_registry.h"
#include "core/util/translate.h"

#include <string>

namespace velmora {

namespace {

// "a -> b" or "a-b -> c": the components as value ids of the kind ("%.2d" for channels).
std::string TransitionText(TValueKind kind, const TStatValueRec& rec, int draws) {
    const TStatKey& k = rec.Key;
    if (draws == 3) return ValueIdText(kind, k.K[0]) + "-" + ValueIdText(kind, k.K[1]) + " -> " + ValueIdText(kind, k.K[2]);
    return ValueIdText(kind, k.K[0]) + " -> " + ValueIdText(kind, k.K[1]);
}

// The common part: the values of the kind, draws that exist, and the filter on the last component
// of a transition (Key[1] of two-draw values, Key[2] of three-draw ones) against the value ids of
// the combination's numbers. A transition is added with gap tracking, once per time it is found.
template <class Self, TValueKind Kind, int Draws>
class TChainStat : public TKeyStat<Self, TCustomStat> {
public:
    using TKeyStat<Self, TCustomStat>::TKeyStat;
    static constexpr int GetGroup() { return 10; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagD; }
    static constexpr bool HasValueList() { return false; }

    std::string ValueToText(const TStatValueRec& rec) const override { return TransitionText(Kind, rec, Draws); }

    static constexpr bool kCombinationValues = false;
    static constexpr uint32_t kCodes = 256;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        const auto& of = values_.Of;
        for (int i = 0; i < 5; ++i) out(of[n[i]]);
    }
    bool CodeMatches(uint64_t code, const TStatDrawArray& selected) const {
        return this->HasKeyWord(selected, Draws, uint16_t(code));
    }

    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        this->self().Transitions(index, lastIndex, sorted, [&](const TStatKey& key) {
            this->Value.Key = key;
            this->AddValue(list, true);
        });
    }

protected:
    static bool Exists(const TDrawRecord& d) { return d.Number > 0; }
    uint16_t V(uint8_t n) const { return values_.Of[n]; }

    TNumberValues values_ = NumberValues(Kind, this->Config());
};

// All: a value of the draw before that the reference draw also has leads to each value of the draw.
template <class Self, TValueKind Kind>
class TChainAllStat : public TChainStat<Self, Kind, 2> {
public:
    using TChainStat<Self, Kind, 2>::TChainStat;
    static constexpr uint8_t ClassFlags() { return kFlagD; }

    template <class Emit>
    void Transitions(int index, int, bool sorted, Emit&& emit) {
        TDrawRecord p1;
        this->GetDraw(index - 1, sorted, p1);
        if (!this->Exists(p1)) return;
        for (uint8_t a : p1.Numbers) {
            const uint16_t va = this->V(a);
            if (!this->values_.DrawHas(this->RefDraw, va)) continue;
            for (uint8_t c : this->Draw.Numbers) emit(WordKey(va, this->V(c)));
        }
    }
};

// Positions: at a position where the draw before (and the one before that) hold the values of the
// reference draw (and of its predecessor), the value at that position follows. OnePosition limits
// it to the position of the parameter.
template <class Self, TValueKind Kind, int Draws, bool OnePosition>
class TChainPosStat : public TChainStat<Self, Kind, Draws> {
public:
    using TChainStat<Self, Kind, Draws>::TChainStat;
    static constexpr bool HasParam() { return OnePosition; }
    static TParamRange GetParamRange(const TStatList&) { return OnePosition ? TParamRange{1, 5} : TParamRange{0, 0}; }

    template <class Emit>
    void Transitions(int index, int lastIndex, bool sorted, Emit&& emit) {
        int from = 0, to = 4;
        if constexpr (OnePosition) {
            if (this->Param < 1 || this->Param > 5) return;
            from = to = this->Param - 1;
        }
        TDrawRecord p1, p2, r2;
        this->GetDraw(index - 1, sorted, p1);
        if (!this->Exists(p1)) return;
        if constexpr (Draws == 3) {
            this->GetDraw(index - 2, sorted, p2);
            if (!this->Exists(p2)) return;
            this->GetDraw(lastIndex - 1, sorted, r2);
        }
        const TDrawRecord& r = this->RefDraw;
        for (int j = from; j <= to; ++j) {
            const uint16_t v1 = this->V(p1.Numbers[j]);
            if (v1 != this->V(r.Numbers[j])) continue;
            if constexpr (Draws == 2) {
                emit(WordKey(v1, this->V(this->Draw.Numbers[j])));
            } else {
                const uint16_t v2 = this->V(p2.Numbers[j]);
                if (v2 == this->V(r2.Numbers[j])) emit(WordKey(v2, v1, this->V(this->Draw.Numbers[j])));
            }
        }
    }
};

// Counts: how many numbers of a draw lie in the channel or segment of the parameter. When the
// draw before (and the one before that) had as many as the reference draw (and its predecessor),
// the count of the draw follows. The value list starts with the targets the domain allows.
template <class Self, TValueKind Kind, int Draws>
class TChainCountStat : public TChainStat<Self, Kind, Draws> {
    using Chain = TChainStat<Self, Kind, Draws>;

public:
    using Chain::Chain;
    static constexpr uint8_t ClassFlags() { return kFlagD; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList& list) {
        if constexpr (Kind == TValueKind::Channels) {
            const int count = list.ChannelCount();
            return count > 0 ? TParamRange{1, count} : TParamRange{0, -1};
        } else {
            return SegmentValueRange(list.Config.MatrixSegments);
        }
    }

    std::string ValueToText(const TStatValueRec& rec) const override {
        return TransitionText(TValueKind::Numbers, rec, Draws);
    }

    static constexpr uint32_t kCodes = 6;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        out(uint32_t(Count(n)));
    }

    template <class Emit>
    void Transitions(int index, int lastIndex, bool, Emit&& emit) {
        TDrawRecord p1, p2, r2;
        this->GetDraw(index - 1, false, p1);
        if (!this->Exists(p1)) return;
        const uint16_t n1 = Count(p1.Numbers), nr = Count(this->RefDraw.Numbers), nc = Count(this->Draw.Numbers);
        if constexpr (Draws == 2) {
            if (n1 == nr) emit(WordKey(n1, nc));
        } else {
            this->GetDraw(index - 2, false, p2);
            if (!this->Exists(p2)) return;
            this->GetDraw(lastIndex - 1, false, r2);
            if (n1 == nr && Count(p2.Numbers) == Count(r2.Numbers)) emit(WordKey(Count(p2.Numbers), n1, nc));
        }
    }

    // The channel counts list every target from 0 to the channel width, the segment counts only 0.
    void ListAllValues(int lastIndex, TStatDrawArray& list) override {
        this->ClearValue();
        TDrawRecord r, r2;
        this->GetDraw(lastIndex, false, r);
        this->GetDraw(lastIndex - 1, false, r2);
        const int top = Kind == TValueKind::Channels ? this->values_.Width : 0;
        for (int m = 0; m <= top; ++m) {
            this->Value.Key = Draws == 2 ? WordKey(Count(r.Numbers), uint16_t(m))
                                         : WordKey(Count(r2.Numbers), Count(r.Numbers), uint16_t(m));
            this->AddValue(list, false);
        }
    }

private:
    uint16_t Count(const uint8_t* n) const { return uint16_t(this->values_.CountOf(n, this->Param)); }
};

// Inside the channels: for every number p of the draw before that the reference draw also has, the
// numbers of the draw in p's channel. Kind 0 lists each of them and p -> 0 when there is none,
// kind 1 only the former, kind 2 only p -> 0, kind 3 p -> how many there are.
template <class Self, int InsideKind>
class TChainInsideStat : public TChainStat<Self, TValueKind::Channels, 2> {
    using Chain = TChainStat<Self, TValueKind::Channels, 2>;

public:
    using Chain::Chain;
    static constexpr uint8_t ClassFlags() { return kFlagD; }

    // Numbers "07 -> 09", "07 -> 00"; the counts as integers "7 -> 2".
    std::string ValueToText(const TStatValueRec& rec) const override {
        return TransitionText(InsideKind == 3 ? TValueKind::Numbers : TValueKind::Channels, rec, 2);
    }

    template <class Emit>
    void Transitions(int index, int, bool, Emit&& emit) {
        TDrawRecord p1;
        this->GetDraw(index - 1, false, p1);
        if (!this->Exists(p1)) return;
        for (uint8_t p : p1.Numbers) {
            if (!DrawHasNumber(p, this->RefDraw)) continue;
            uint16_t target = 0;
            for (uint8_t c : this->Draw.Numbers) {
                if (this->V(c) != this->V(p)) continue;
                if (InsideKind == 3) {
                    ++target;
                } else {
                    target = c;
                    if (InsideKind != 2) emit(WordKey(p, c));
                }
            }
            if (InsideKind == 3 || (target == 0 && InsideKind != 1)) emit(WordKey(p, target));
        }
    }

    // The filter codes are the numbers themselves. A selected (a, b) with a in the reference draw
    // passes a number c when b = c, or for a transition to 0 and for every count when c lies in
    // a's channel.
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        for (int i = 0; i < 5; ++i) out(n[i]);
    }
    void PrepareFilter(bool, int lastIndex) { this->GetDraw(lastIndex, false, ref_); }
    bool CodeMatches(uint64_t code, const TStatDrawArray& selected) const {
        const uint8_t c = uint8_t(code);
        for (uint8_t r : ref_.Numbers)
            for (const auto& e : selected) {
                const uint16_t a = e.Key.K[0], b = e.Key.K[1];
                if (a != r) continue;
                if (InsideKind == 3 || (a != 0 && b == 0)) {
                    if (this->V(c) == this->V(r)) return true;
                } else if (b == c) {
                    return true;
                }
            }
        return false;
    }

private:
    TDrawRecord ref_;
};

#define VELMORA_CHAIN(Name, Base, Code, BaseCode, Caption)                 \
    class Name final : public Base {                                       \
        using TChainBase = Base;                                           \
                                                                           \
    public:                                                                \
        using TChainBase::TChainBase;                                      \
        static constexpr const char* ClassName() { return #Name; }         \
        static constexpr const char* GetCode() { return Code; }            \
        static constexpr const char* GetBaseCode() { return BaseCode; }    \
        static constexpr const char* GetCaption() { return Caption; }      \
    };

#define VELMORA_ALL(Name, Kind) TChainAllStat<Name, TValueKind::Kind>
#define VELMORA_POS(Name, Kind, Draws, One) TChainPosStat<Name, TValueKind::Kind, Draws, One>
#define VELMORA_COUNT(Name, Kind, Draws) TChainCountStat<Name, TValueKind::Kind, Draws>
#define VELMORA_INSIDE(Name, K) TChainInsideStat<Name, K>

// clang-format off
VELMORA_CHAIN(TstChain2DrawsAll, VELMORA_ALL(TstChain2DrawsAll, Numbers), "SDV2", nullptr,
              TrNoop("Переходы чисел между 2 тиражами без учета позиции"))
VELMORA_CHAIN(TstChain2DrawsPos, VELMORA_POS(TstChain2DrawsPos, Numbers, 2, false), "SDP2", nullptr,
              TrNoop("Переходы чисел между 2 тиражами с учетом позиции"))
VELMORA_CHAIN(TstChain2Pos, VELMORA_POS(TstChain2Pos, Numbers, 2, true), "SDN%d", "SDNx",
              TrNoop("Переходы чисел между 2 тиражами в %d позиции"))
VELMORA_CHAIN(TstChain3DrawsPos, VELMORA_POS(TstChain3DrawsPos, Numbers, 3, false), "SDP3", nullptr,
              TrNoop("Переходы чисел между 3 тиражами с учетом позиции"))
VELMORA_CHAIN(TstChain3Pos, VELMORA_POS(TstChain3Pos, Numbers, 3, true), "SDM%d", "SDMx",
              TrNoop("Переходы чисел между 3 тиражами в %d позиции"))
VELMORA_CHAIN(TstChain2ChannelsAll, VELMORA_ALL(TstChain2ChannelsAll, Channels), "SCV2", nullptr,
              TrNoop("Переходы каналов между 2 тиражами без учета позиции"))
VELMORA_CHAIN(TstChain2ChannelsPos, VELMORA_POS(TstChain2ChannelsPos, Channels, 2, false), "SCP2", nullptr,
              TrNoop("Переходы каналов между 2 тиражами с учетом позиции"))
VELMORA_CHAIN(TstChain2Channel, VELMORA_POS(TstChain2Channel, Channels, 2, true), "SCN%d", "SCNx",
              TrNoop("Переходы каналов между 2 тиражами в %d позиции"))
VELMORA_CHAIN(TstChain3ChannelsPos, VELMORA_POS(TstChain3ChannelsPos, Channels, 3, false), "SCP3", nullptr,
              TrNoop("Переходы каналов между 3 тиражами с учетом позиции"))
VELMORA_CHAIN(TstChain3Channel, VELMORA_POS(TstChain3Channel, Channels, 3, true), "SCM%d", "SCMx",
              TrNoop("Переходы каналов между 3 тиражами в %d позиции"))
VELMORA_CHAIN(TstChain2CnlCnt, VELMORA_COUNT(TstChain2CnlCnt, Channels, 2), "SC2C%d", "SC2Cx",
              TrNoop("Переходы кол-ва чисел в %d канале между 2 тиражами"))
VELMORA_CHAIN(TstChain3CnlCnt, VELMORA_COUNT(TstChain3CnlCnt, Channels, 3), "SC3C%d", "SC3Cx",
              TrNoop("Переходы кол-ва чисел в %d канале между 3 тиражами"))
VELMORA_CHAIN(TstChainChannels2InsideAll, VELMORA_INSIDE(TstChainChannels2InsideAll, 0), "SDA2", nullptr,
              TrNoop("Переходы чисел в пределах каналов (все)"))
VELMORA_CHAIN(TstChainChannels2InsideSuc, VELMORA_INSIDE(TstChainChannels2InsideSuc, 1), "SDG2", nullptr,
              TrNoop("Переходы чисел в пределах каналов (N-M, удачные)"))
VELMORA_CHAIN(TstChainChannels2InsideBad, VELMORA_INSIDE(TstChainChannels2InsideBad, 2), "SDZ2", nullptr,
              TrNoop("Переходы чисел в пределах каналов (N-0, не удачные)"))
VELMORA_CHAIN(TstChainChannels2InsideCnt, VELMORA_INSIDE(TstChainChannels2InsideCnt, 3), "SDC2", nullptr,
              TrNoop("Переходы чисел в пределах каналов (количество)"))
VELMORA_CHAIN(TstChain2SegmentsAll, VELMORA_ALL(TstChain2SegmentsAll, Segments), "SSV2", nullptr,
              TrNoop("Переходы сегментов между 2 тиражами без учета позиции"))
VELMORA_CHAIN(TstChain2SegmentsPos, VELMORA_POS(TstChain2SegmentsPos, Segments, 2, false), "SSP2", nullptr,
              TrNoop("Переходы сегментов между 2 тиражами с учетом позиции"))
VELMORA_CHAIN(TstChain2Segment, VELMORA_POS(TstChain2Segment, Segments, 2, true), "SSN%d", "SSNx",
              TrNoop("Переходы сегментов между 2 тиражами в %d позиции"))
VELMORA_CHAIN(TstChain3SegmentsPos, VELMORA_POS(TstChain3SegmentsPos, Segments, 3, false), "SSP3", nullptr,
              TrNoop("Переходы сегментов между 3 тиражами с учетом позиции"))
VELMORA_CHAIN(TstChain3Segment, VELMORA_POS(TstChain3Segment, Segments, 3, true), "SSM%d", "SSMx",
              TrNoop("Переходы сегментов между 3 тиражами в %d позиции"))
VELMORA_CHAIN(TstChain2SgmCnt, VELMORA_COUNT(TstChain2SgmCnt, Segments, 2), "SS2C%d", "SS2Cx",
              TrNoop("Переходы кол-ва чисел в %d сегменте между 2 тиражами"))
VELMORA_CHAIN(TstChain3SgmCnt, VELMORA_COUNT(TstChain3SgmCnt, Segments, 3), "SS3C%d", "SS3Cx",
              TrNoop("Переходы кол-ва чисел в %d сегменте между 3 тиражами"))
// clang-format on

#undef VELMORA_CHAIN
#undef VELMORA_ALL
#undef VELMORA_POS
#undef VELMORA_COUNT
#undef VELMORA_INSIDE

} // namespace

void AddChainStats(TStatRegistry& r) {
    r.Add(117, StatClassOf<TstChain2DrawsAll>());
    r.Add(118, StatClassOf<TstChain2DrawsPos>());
    r.Add(119, StatClassOf<TstChain2Pos>());
    r.Add(120, StatClassOf<TstChain3DrawsPos>());
    r.Add(121, StatClassOf<TstChain3Pos>());
    r.Add(122, StatClassOf<TstChain2ChannelsAll>());
    r.Add(123, StatClassOf<TstChain2ChannelsPos>());
    r.Add(124, StatClassOf<TstChain2Channel>());
    r.Add(125, StatClassOf<TstChain3ChannelsPos>());
    r.Add(126, StatClassOf<TstChain3Channel>());
    r.Add(127, StatClassOf<TstChain2CnlCnt>());
    r.Add(128, StatClassOf<TstChain3CnlCnt>());
    r.Add(129, StatClassOf<TstChainChannels2InsideAll>());
    r.Add(130, StatClassOf<TstChainChannels2InsideSuc>());
    r.Add(131, StatClassOf<TstChainChannels2InsideBad>());
    r.Add(132, StatClassOf<TstChainChannels2InsideCnt>());
    r.Add(133, StatClassOf<TstChain2SegmentsAll>());
    r.Add(134, StatClassOf<TstChain2SegmentsPos>());
    r.Add(135, StatClassOf<TstChain2Segment>());
    r.Add(136, StatClassOf<TstChain3SegmentsPos>());
    r.Add(137, StatClassOf<TstChain3Segment>());
    r.Add(138, StatClassOf<TstChain2SgmCnt>());
    r.Add(139, StatClassOf<TstChain3SgmCnt>());
}

} // namespace velmora
