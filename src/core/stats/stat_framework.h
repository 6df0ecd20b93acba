// The statistic framework: TCustomStat and its bases, the class descriptors (TStatClass) that
// answer the class operations without an instance, groups and flags.
//
// How a family adds its classes
// -----------------------------
// 1. A class states its rule once on the kernel (stat_kernel.h): derive it from
//    TKeyStat<Self, Base>, Base being the base whose texts fit (TCustomStat, TCustomGraphStat,
//    TCustomValuesStat, TCustomNumbersStat, TCustomRatioStat, TCustomMaskStat), and inherit the
//    constructor (`using TKeyStat::TKeyStat;`). The rule is a key function of five numbers
//    (`uint32_t Key(const uint8_t*) const` for one value, `Keys(nums, out)` for several), the
//    bound of its keys `kCodes`, the filter's look-up `kMatch`, and where needed the domain
//    (`Domain(out)`), the keys of a draw (`DrawKeys(index, out)`, reading the predecessor or
//    RefDraw for flag D), the filter's codes and their answer (`FilterCodes`, `CodeMatches`) and
//    `PrepareFilter` (e.g. loading the reference draw). The kernel derives ListAllValues,
//    AddCombinationValue, AddDrawValue, CombinationMatches and the batch entry points from it;
//    a simple class is its texts, a key function and a domain:
//
//      class TstEvenCount final : public TKeyStat<TstEvenCount, TCustomRatioStat> {
//      public:
//          using TKeyStat::TKeyStat;
//          static constexpr const char* ClassName() { return "TstEvenCount"; }
//          ... GetCode, GetCaption, GetGroup, ClassFlags ...
//          static constexpr uint32_t kCodes = 6;                    // keys 0..5
//          static constexpr TKeyMatch kMatch = TKeyMatch::Word1;    // HasKeyWord(1, key)
//          uint32_t Key(const uint8_t* n) const { return EvenCount(n); }
//          template <class Out> void Domain(Out&& out) const { for (int k = 1; k <= 5; ++k) out(k); }
//      };
//
//    Members of the rule that several classes share go to a small template between the kernel
//    and the classes (TPropCountStat, TSumChangeStat, TOneValueStat ...).
// 2. Class operations are static members; the descriptor reads them through the concrete class,
//    so a static member of a class hides the one of its base like an override:
//      required  static constexpr const char* ClassName(), GetCode(), GetCaption();
//                static constexpr int GetGroup();  static constexpr uint8_t ClassFlags();
//      optional  GetBaseCode() (nullptr = the code), IsAvailable(), CanShowInTable(), HasGraph(),
//                HasValueList(), HasParam() (all static constexpr), static TParamRange
//                GetParamRange(const TStatList&), static std::string FormatCode(int) and
//                FormatCaption(int) (defaults: Format of the code or caption with the parameter).
//    Settings-dependent ranges read the list's settings (TStatList::ChannelCount() and so on).
// 3. The texts (ValueToText, TextToValue) come from the base or are overridden once; graph
//    classes add CombinationNumber. A class whose rule does not fit the kernel overrides the
//    instance operations itself (ListAllValues, AddCombinationValue, AddDrawValue,
//    CombinationMatches, ...), merging the Value record with AddValue(list, trackGaps), not with
//    AddStatValue directly: the batch runs give AddValue a hashed index of the list. The
//    HasValue/HasKeyWord/... helpers likewise look keys up in O(1) during a filter pass. While a
//    run fills a list, a family appends to it or merges into it; it does not reorder it.
// 4. Register the classes at their places in the registry order: write a function
//    `void Add<Family>Stats(TStatRegistry& r)` that calls r.Add(position, StatClassOf<Tst...>())
//    with the 1-based position of each class in the registry table, declare it in the family's
//    header and call it from RegisteredStatClasses() in stat_registry.cpp.
// 5. Fast paths: the kernel's batch entry points AddCombinationValues (full-set distribution
//    over a range: direct-index counting of the keys, TKeyCounter) and FilterCombinations (a
//    filter pass over a range: a match table per code built once per pass) are the fast paths;
//    a class whose keys are not small (kCodes = 0) gets hashed look-ups instead. A class with a
//    trick of its own (a bit table of windows, ...) overrides a batch entry point; outside the
//    kernel the defaults call AddCombinationValue / CombinationMatches per combination. A fast
//    path must give exactly the list (order, keys, figures) and the survivors the plain calls
//    give; the registry-wide tests in tests/core/stats/stat_fast_paths_test.cpp check every
//    registered method automatically.
#pragma once

#include "core/model/draws_archive.h"
#include "core/model/filter_action.h"
#include "core/model/game.h"
#include "core/model/stat_values.h"
#include "core/util/translate.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace velmora {

class TStatList;
class TStatClass;
class TCustomStat;
class TStatKeyIndex;
class TSelectedKeys;
struct TConfigData;

// ---- flags and groups --------------------------------------------------------------------

enum TStatFlag : uint8_t {
    kFlagS = 1,   // depends on the order or position of the numbers
    kFlagN = 2,   // computed from the five numbers alone (has a full-set distribution file)
    kFlagD = 4,   // depends on earlier draws; LoadDraw also fills RefDraw
    kFlagP = 8,   // period statistic
    kFlagG = 16,  // has a graph (added by GetFilterFlags)
};

// The letters of the set bits, bit 0 first: "S", "N", "D", "P", "G".
std::string FlagLetters(uint8_t flags);

constexpr int kStatGroupCount = 13;  // groups 0..12
// "num", "sum", ...; empty outside 0..12.
std::string GroupShortName(int group);
// "Числа тиража", ...; empty outside 0..12.
std::string GroupName(int group);
// "{ num } Числа тиража"; empty outside 0..12.
std::string GroupCaption(int group);

// ---- class descriptors ---------------------------------------------------------------------

struct TParamRange {
    int32_t Min = 0;
    int32_t Max = 0;
};

// Everything a statistic is created with.
struct TStatInit {
    const TStatClass* Class = nullptr;
    const TStatList* Owner = nullptr;
    int32_t Param = 0;
};

// The class reference of a statistic class: the class operations, answered without an instance.
// One descriptor per class, made by StatClassOf<T>().
class TStatClass {
public:
    const char* ClassName() const { return name_; }
    std::string GetCode() const { return code_; }
    // In the interface language.
    std::string GetCaption() const { return TrText(caption_); }
    std::string GetBaseCode() const { return baseCode_ ? baseCode_ : code_; }
    int GetGroup() const { return group_; }
    uint8_t ClassFlags() const { return flags_; }
    // ClassFlags plus G when the class has a graph.
    uint8_t GetFilterFlags() const { return uint8_t(flags_ | (graph_ ? kFlagG : 0)); }
    std::string FormatCode(int32_t param) const { return formatCode_(param); }
    std::string FormatCaption(int32_t param) const { return formatCaption_(param); }
    // The topic's file name, Filters_1049_<base code>.htm (all POS methods share Filters_1049_POSx.htm).
    std::string GetHelpTopic(int32_t param) const;
    // The topic's file beside the guide HelpFile() (core/model/game.h); "" when either is missing.
    std::string GetHelpUrl(int32_t param) const;
    bool IsAvailable() const { return available_; }
    bool CanShowInTable() const { return showInTable_; }
    bool HasGraph() const { return graph_; }
    bool TestFlagBit1() const { return (flags_ & kFlagN) != 0; }
    bool HasValueList() const { return valueList_; }
    bool HasParam() const { return param_; }
    TParamRange GetParamRange(const TStatList& list) const { return paramRange_(list); }
    // A new statistic of this class owned by the caller.
    std::unique_ptr<TCustomStat> Create(const TStatList* owner, int32_t param) const;

private:
    template <class T>
    friend const TStatClass& StatClassOf();
    TStatClass() = default;

    const char* name_ = "";
    const char* code_ = "";
    const char* caption_ = "";
    const char* baseCode_ = nullptr;
    int group_ = 0;
    uint8_t flags_ = 0;
    bool available_ = true, showInTable_ = true, graph_ = false, valueList_ = true, param_ = false;
    TParamRange (*paramRange_)(const TStatList&) = nullptr;
    std::string (*formatCode_)(int32_t) = nullptr;
    std::string (*formatCaption_)(int32_t) = nullptr;
    std::unique_ptr<TCustomStat> (*create_)(const TStatInit&) = nullptr;
};

// Format(template, [param]); the default FormatCode and FormatCaption.
std::string FormatStatTemplate(const char* tmpl, int32_t param);

// The 50 series states passed to AddDrawValue (scratch state of one run).
using TSeriesArea = std::array<TSeriesState, 50>;

// ---- TCustomStat ---------------------------------------------------------------------------

class TCustomStat {
public:
    explicit TCustomStat(const TStatInit& init);
    virtual ~TCustomStat();
    TCustomStat(const TCustomStat&) = delete;
    TCustomStat& operator=(const TCustomStat&) = delete;

    // Class-operation defaults (see the top of this file).
    static constexpr const char* GetBaseCode() { return nullptr; }
    static constexpr bool IsAvailable() { return true; }
    static constexpr bool CanShowInTable() { return true; }
    static constexpr bool HasGraph() { return false; }
    static constexpr bool HasValueList() { return true; }
    static constexpr bool HasParam() { return false; }
    static TParamRange GetParamRange(const TStatList&) { return {0, 0}; }

    const TStatClass& Class() const { return *class_; }
    const TStatList* Owner() const { return owner_; }
    // The owner's settings block, or the defaults when the statistic has no owner.
    const TConfigData& Config() const;
    // FormatCaption of the own parameter.
    std::string GetInstanceCaption() const;

    int32_t Param = 0;
    const TDrawsArray* Draws = nullptr;  // the archive of the owner (may be null: no draws)
    TDrawRecord Draw;                    // the current draw (LoadDraw)
    TDrawRecord RefDraw;                 // the reference draw (LoadDraw, flag D only)
    TStatValueRec Value;                 // the record being built and merged

    // ---- instance operations -----------------------------------------------------------
    virtual std::string ValueToText(const TStatValueRec& rec) const = 0;
    // The text as an integer; 0 when it is not one.
    virtual int32_t TextToValue(const std::string& text) const;
    // TextToValue when the class has a value list, else 0.
    virtual int32_t TextToValueChecked(const std::string& text) const;
    // Lists the value domain with count 0 (default: clears Value only).
    virtual void ListAllValues(int lastIndex, TStatDrawArray& list);
    // Draw := draw index (sorted when asked); RefDraw := draw refIndex for flag D. Index -1
    // gives an empty draw.
    virtual void LoadDraw(int index, int refIndex, bool sorted);
    // Merges the combination's values with count 1 (default: clears Value, Count := 1).
    virtual void AddCombinationValue(const TCombination& comb, TStatDrawArray& list);
    // Merges draw index's values with gap tracking. The default loads the draw and prepares
    // Value (draw number, age lastIndex-index+1, count 1); families then set Key and merge.
    virtual void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                              TStatDrawArray& list, bool sorted);
    // The draw number of the first draw from fromIndex on that has rec's key; -1 when none.
    virtual int32_t FindDrawWithValue(const TStatValueRec& rec, int fromIndex, int lastIndex, bool sorted);
    // The filter test. include is true when the calling filter deletes the matching combinations.
    virtual bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool include,
                                    bool sorted, int lastIndex) = 0;

    // ---- batch entry points (hot paths) -------------------------------------------------
    // AddCombinationValue for combs[0..count) in order, into list.
    virtual void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list);
    // Copies to dst, in order, the combinations of src[0..count) that survive the action: those
    // for which CombinationMatches is true when keeping, false when deleting (CombinationMatches
    // gets include = true for Delete); returns how many were copied. dst may equal src. LoadDraw
    // is the caller's (FilterCombinationSet).
    virtual size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst,
                                      const TStatDrawArray& selected, TFilterAction action, bool sorted,
                                      int lastIndex);
    // The same pass on a set held as one bit per rank (bit r of words: the combination of rank r
    // in the generation order of the full set): clears the bits of the combinations that do not
    // survive and returns true, or returns false with words untouched when the class has no such
    // pass (the caller then runs FilterCombinations on the combinations). A pass that tests the
    // combinations one by one may run in that many parts on fresh instances; an error may leave
    // some bits cleared, so the caller keeps a copy. LoadDraw is the caller's.
    virtual bool FilterRanks(uint64_t* words, const TStatDrawArray& selected, TFilterAction action, bool sorted,
                             int lastIndex, size_t parts) {
        (void)words, (void)selected, (void)action, (void)sorted, (void)lastIndex, (void)parts;
        return false;
    }

    // ---- helpers for the families --------------------------------------------------------
    // Draw index of the archive, numbers ascending when sorted; zeros when there is no such draw.
    void GetDraw(int index, bool sorted, TDrawRecord& rec) const;
    bool HasValue(const TStatDrawArray& selected, uint16_t k0, uint16_t k1, uint16_t k2, uint16_t k3) const;
    // An entry whose 32-bit halves equal a (zero-extended) and b.
    bool HasValuePair(const TStatDrawArray& selected, uint16_t a, uint32_t b) const;
    // An entry whose key byte p (1..8) equals v.
    bool HasKeyByte(const TStatDrawArray& selected, int p, uint8_t v) const;
    // An entry with Key[p-1] = v (p 1..4).
    bool HasKeyWord(const TStatDrawArray& selected, int p, uint16_t v) const;
    // An entry whose 32-bit half p (1..2) equals v.
    bool HasKeyDword(const TStatDrawArray& selected, int p, uint32_t v) const;

protected:
    void ClearValue() { Value = TStatValueRec{}; }
    // Merges Value into list (AddStatValue semantics; O(1) inside the batch runs).
    void AddValue(TStatDrawArray& list, bool trackGaps);

private:
    friend class TStatBatchScope;
    const TStatClass* class_;
    const TStatList* owner_;
    TStatKeyIndex* listIndex_ = nullptr;        // hashed index of the list being filled, if any
    mutable TSelectedKeys* selected_ = nullptr;  // O(1) look-up of the selected list, if any
};

// ---- bases -------------------------------------------------------------------------------

// A statistic with a graph: one number per combination or draw.
class TCustomGraphStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    static constexpr bool HasGraph() { return true; }
    // Integer text of Key[0].
    std::string ValueToText(const TStatValueRec& rec) const override;
    virtual int32_t CombinationNumber(const TCombination& comb, int index, int refIndex, bool sorted) = 0;
    // CombinationNumber of the five numbers of draw index.
    virtual int32_t DrawNumber(int index, int refIndex, bool sorted);
};

// Values that are main numbers: NumberToText of Key[0].
class TCustomValuesStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    std::string ValueToText(const TStatValueRec& rec) const override;
};

// Values that are plain integers: IntToText of Key[0].
class TCustomNumbersStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    std::string ValueToText(const TStatValueRec& rec) const override;
};

// A count k of the five numbers, shown "k:(5-k)".
class TCustomRatioStat : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    std::string ValueToText(const TStatValueRec& rec) const override;
    // The integer before the first ":"; 0 when there is no ":" or no integer before it.
    int32_t TextToValue(const std::string& text) const override;
};

// A 5-bit mask in the 32-bit half Key[0..1], position 1 = bit 4. Text: five letters for bits
// 4..0 and the mask, "ЧннЧн (013)".
class TCustomMaskStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    std::string ValueToText(const TStatValueRec& rec) const override;
    // The first five characters: GetSetLetter (exactly, case-sensitive) is a set bit, anything
    // else a clear one; the first character is bit 4.
    int32_t TextToValue(const std::string& text) const override;
    // The masks 0..31, each with count 0.
    void ListAllValues(int lastIndex, TStatDrawArray& list) override;
    virtual std::string GetClearLetter() const = 0;
    virtual std::string GetSetLetter() const = 0;
};

// ---- descriptor construction -------------------------------------------------------------

template <class T>
const TStatClass& StatClassOf() {
    static const TStatClass cls = [] {
        TStatClass c;
        c.name_ = T::ClassName();
        c.code_ = T::GetCode();
        c.caption_ = T::GetCaption();
        c.baseCode_ = T::GetBaseCode();
        c.group_ = T::GetGroup();
        c.flags_ = T::ClassFlags();
        c.available_ = T::IsAvailable();
        c.showInTable_ = T::CanShowInTable();
        c.graph_ = T::HasGraph();
        c.valueList_ = T::HasValueList();
        c.param_ = T::HasParam();
        c.paramRange_ = [](const TStatList& l) { return T::GetParamRange(l); };
        if constexpr (requires { T::FormatCode(int32_t(0)); })
            c.formatCode_ = [](int32_t p) { return std::string(T::FormatCode(p)); };
        else
            c.formatCode_ = [](int32_t p) { return FormatStatTemplate(T::GetCode(), p); };
        if constexpr (requires { T::FormatCaption(int32_t(0)); })
            c.formatCaption_ = [](int32_t p) { return std::string(T::FormatCaption(p)); };
        else
            c.formatCaption_ = [](int32_t p) { return FormatStatTemplate(TrText(T::GetCaption()).c_str(), p); };
        c.create_ = [](const TStatInit& init) -> std::unique_ptr<TCustomStat> { return std::make_unique<T>(init); };
        return c;
    }();
    return cls;
}

} // namespace velmora
