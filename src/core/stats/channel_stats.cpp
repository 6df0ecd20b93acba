#include "core/stats/channel_stats.h"

#include "core/stats/stat_registry.h"
#include "core/util/translate.h"

namespace velmora {

namespace {

class TstChannels final : public TGroupsStat<TstChannels, TChannelKind> {
public:
    using TGroupsStat::TGroupsStat;
    static constexpr const char* ClassName() { return "TstChannels"; }
    static constexpr const char* GetCode() { return "CHAN"; }
    static constexpr const char* GetCaption() { return TrNoop("Каналы"); }
};

class TstChanValues final : public TGroupValuesStat<TstChanValues, TChannelKind> {
public:
    using TGroupValuesStat::TGroupValuesStat;
    static constexpr const char* ClassName() { return "TstChanValues"; }
    static constexpr const char* GetCode() { return "CHNV"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество чисел в канале"); }
};

class TstChanCount final : public TGroupCountStat<TstChanCount, TChannelKind> {
public:
    using TGroupCountStat::TGroupCountStat;
    static constexpr const char* ClassName() { return "TstChanCount"; }
    static constexpr const char* GetCode() { return "CHNC"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество каналов в тираже"); }
};

#define VELMORA_CHANNEL_TUPLE(Name, K, Mix, Code, Caption)                          \
    class Name final : public TGroupTupleStat<Name, TChannelKind, K, Mix> {          \
    public:                                                                         \
        using TGroupTupleStat::TGroupTupleStat;                                     \
        static constexpr const char* ClassName() { return #Name; }                  \
        static constexpr const char* GetCode() { return Code; }                     \
        static constexpr const char* GetCaption() { return Caption; }               \
    };

VELMORA_CHANNEL_TUPLE(TstCombChnMix2, 2, true, "KCM2", TrNoop("Сочетания из 2 каналов по всем числам тиража"))
VELMORA_CHANNEL_TUPLE(TstCombChnMix3, 3, true, "KCM3", TrNoop("Сочетания из 3 каналов по всем числам тиража"))
VELMORA_CHANNEL_TUPLE(TstCombChnMix4, 4, true, "KCM4", TrNoop("Сочетания из 4 каналов по всем числам тиража"))
VELMORA_CHANNEL_TUPLE(TstCombChnSeq2, 2, false, "KCS2", TrNoop("Сочетания из 2 каналов по соседним числам"))
VELMORA_CHANNEL_TUPLE(TstCombChnSeq3, 3, false, "KCS3", TrNoop("Сочетания из 3 каналов по соседним числам"))
VELMORA_CHANNEL_TUPLE(TstCombChnSeq4, 4, false, "KCS4", TrNoop("Сочетания из 4 каналов по соседним числам"))
#undef VELMORA_CHANNEL_TUPLE

class TstChnValCnt final : public TGroupValCntStat<TstChnValCnt, TChannelKind> {
public:
    using TGroupValCntStat::TGroupValCntStat;
    static constexpr const char* ClassName() { return "TstChnValCnt"; }
    static constexpr const char* GetCode() { return "CHN%d"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество чисел в %0:d канале"); }
    static constexpr const char* GetBaseCode() { return "CHNx"; }
    // Channels 1..CeilDiv(50, w); empty when the width is not positive.
    static TParamRange GetParamRange(const TStatList& list) {
        const int count = list.ChannelCount();
        return count > 0 ? TParamRange{1, count} : TParamRange{0, -1};
    }
};

} // namespace

void AddChannelStats(TStatRegistry& r) {
    r.Add(22, StatClassOf<TstChannels>());
    r.Add(23, StatClassOf<TstChanValues>());
    r.Add(24, StatClassOf<TstChanCount>());
    r.Add(78, StatClassOf<TstCombChnMix2>());
    r.Add(79, StatClassOf<TstCombChnMix3>());
    r.Add(80, StatClassOf<TstCombChnMix4>());
    r.Add(81, StatClassOf<TstCombChnSeq2>());
    r.Add(82, StatClassOf<TstCombChnSeq3>());
    r.Add(83, StatClassOf<TstCombChnSeq4>());
    r.Add(104, StatClassOf<TstChnValCnt>());
}

} // namespace velmora
