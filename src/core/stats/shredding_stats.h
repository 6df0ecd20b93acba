// The shredding methods (group "shr"): SHR1..SHR3, one statistic per shredding formula of the
// settings. The value of a draw is the formula over its numbers (n1..n5) and those of the two
// draws before it (p1..p5, t1..t5), cut to the formula's digits (EvalShredding).
//
// With five digits a value reaches 99 999, more than 16 bits hold: the value is kept whole in the
// 32-bit half Key[0..1] (Key[0] alone for values below 65 536), and the filter compares that half.
#pragma once

#include "core/formula/shredding.h"
#include "core/stats/stat_framework.h"

namespace velmora {

class TStatRegistry;

class TstShreddingStat final : public TCustomGraphStat {
public:
    explicit TstShreddingStat(const TStatInit& init);
    static constexpr const char* ClassName() { return "TstShreddingStat"; }
    static constexpr const char* GetCode() { return "SHR%d"; }
    static constexpr const char* GetBaseCode() { return "SHRx"; }
    static constexpr const char* GetCaption() { return TrNoop("Метод шинковки %0:d: %%s"); }
    static constexpr int GetGroup() { return 12; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagN; }
    static constexpr bool HasParam() { return true; }
    static TParamRange GetParamRange(const TStatList&) { return {1, 3}; }

    // The formula and digit count the statistic was created with.
    const std::string& Formula() const { return formula_.Formula(); }
    int Digits() const { return formula_.Digits(); }

    std::string ValueToText(const TStatValueRec& rec) const override;
    // Combinations alone: the earlier draws read as zeros.
    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override;
    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override;
    // The combination stands for the draw after draw lastIndex.
    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool include, bool sorted,
                            int lastIndex) override;
    // The value of the numbers as draw index: the earlier draws are index - 1 and index - 2.
    int32_t CombinationNumber(const TCombination& comb, int index, int refIndex, bool sorted) override;

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override;
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst,
                              const TStatDrawArray& selected, TFilterAction action, bool sorted,
                              int lastIndex) override;
    // From the column (or bitmaps) of the formula's values for the reference draw, once the passes
    // on that draw repeat.
    bool FilterRanks(uint64_t* words, const TStatDrawArray& selected, TFilterAction action, bool sorted, int lastIndex,
                     size_t parts) override;

private:
    int32_t ValueAfter(const uint8_t* nums, int index, bool sorted) const;
    TShreddingFormula formula_;
};

// Registers TstShreddingStat at position 143.
void AddShreddingStats(TStatRegistry& registry);

} // namespace velmora
