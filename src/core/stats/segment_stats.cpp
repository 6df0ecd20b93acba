#include "core/stats/segment_stats.h"

#include "core/stats/stat_registry.h"
#include "core/util/translate.h"

namespace velmora {

namespace {

// SGMS lists the segments of the map, in order of first appearance.
class TstSegments final : public TGroupsStat<TstSegments, TSegmentKind> {
public:
    using TGroupsStat::TGroupsStat;
    static constexpr const char* ClassName() { return "TstSegments"; }
    static constexpr const char* GetCode() { return "SGMS"; }
    static constexpr const char* GetCaption() { return TrNoop("Сегменты матрицы"); }
};

class TstSegmValues final : public TGroupValuesStat<TstSegmValues, TSegmentKind> {
public:
    using TGroupValuesStat::TGroupValuesStat;
    static constexpr const char* ClassName() { return "TstSegmValues"; }
    static constexpr const char* GetCode() { return "SGMV"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество чисел в сегменте матрицы"); }
};

class TstSegmCount final : public TGroupCountStat<TstSegmCount, TSegmentKind> {
public:
    using TGroupCountStat::TGroupCountStat;
    static constexpr const char* ClassName() { return "TstSegmCount"; }
    static constexpr const char* GetCode() { return "SGMC"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество не пустых сегментов в матрице"); }
};

#define VELMORA_SEGMENT_TUPLE(Name, K, Mix, Code, Caption)                          \
    class Name final : public TGroupTupleStat<Name, TSegmentKind, K, Mix> {          \
    public:                                                                         \
        using TGroupTupleStat::TGroupTupleStat;                                     \
        static constexpr const char* ClassName() { return #Name; }                  \
        static constexpr const char* GetCode() { return Code; }                     \
        static constexpr const char* GetCaption() { return Caption; }               \
    };

VELMORA_SEGMENT_TUPLE(TstCombSegmMix2, 2, true, "KGM2", TrNoop("Сочетания из 2 сегментов по всем числам тиража"))
VELMORA_SEGMENT_TUPLE(TstCombSegmMix3, 3, true, "KGM3", TrNoop("Сочетания из 3 сегментов по всем числам тиража"))
VELMORA_SEGMENT_TUPLE(TstCombSegmMix4, 4, true, "KGM4", TrNoop("Сочетания из 4 сегментов по всем числам тиража"))
VELMORA_SEGMENT_TUPLE(TstCombSegmSeq2, 2, false, "KGS2", TrNoop("Сочетания из 2 сегментов по соседним числам"))
VELMORA_SEGMENT_TUPLE(TstCombSegmSeq3, 3, false, "KGS3", TrNoop("Сочетания из 3 сегментов по соседним числам"))
VELMORA_SEGMENT_TUPLE(TstCombSegmSeq4, 4, false, "KGS4", TrNoop("Сочетания из 4 сегментов по соседним числам"))
#undef VELMORA_SEGMENT_TUPLE

// Every id from the smallest to the largest of the map gets an instance, used or not.
class TstSgmValCnt final : public TGroupValCntStat<TstSgmValCnt, TSegmentKind> {
public:
    using TGroupValCntStat::TGroupValCntStat;
    static constexpr const char* ClassName() { return "TstSgmValCnt"; }
    static constexpr const char* GetCode() { return "SGM%d"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество чисел в %0:d сегменте матрицы"); }
    static constexpr const char* GetBaseCode() { return "SGMx"; }
    static TParamRange GetParamRange(const TStatList& list) { return list.SegmentIdRange(); }
};

} // namespace

void AddSegmentStats(TStatRegistry& r) {
    r.Add(37, StatClassOf<TstSegments>());
    r.Add(38, StatClassOf<TstSegmValues>());
    r.Add(39, StatClassOf<TstSegmCount>());
    r.Add(96, StatClassOf<TstCombSegmMix2>());
    r.Add(97, StatClassOf<TstCombSegmMix3>());
    r.Add(98, StatClassOf<TstCombSegmMix4>());
    r.Add(99, StatClassOf<TstCombSegmSeq2>());
    r.Add(100, StatClassOf<TstCombSegmSeq3>());
    r.Add(101, StatClassOf<TstCombSegmSeq4>());
    r.Add(107, StatClassOf<TstSgmValCnt>());
}

} // namespace velmora
