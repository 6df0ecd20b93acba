// A set of combinations held as one bit per rank in the generation order of the full set (265 KB
// for any set): what the script engine filters step by step, since a copy for undo, a count and a
// pass of a statistic with a value column then work 64 combinations a word. Only a list of
// different, ascending combinations of 1..50 in generation order can be held so; Assign says
// whether the list was one.
#pragma once

#include "core/combs/comb_set.h"
#include "core/model/game.h"
#include "core/stats/value_columns.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

class TRankSet {
public:
    TRankSet() : words_(kRankWords, 0) {}

    // The set of list[0..count); false (the set then empty) when the list is not a strictly
    // ascending sequence of ranked combinations, i.e. Decode would not give it back as it is.
    bool Assign(const TCombination* list, size_t count);
    // Writes the combinations in generation order to out (room for Count()); returns Count().
    size_t Decode(TCombination* out) const;

    size_t Count() const { return count_; }
    // The rank of the i-th combination in generation order (i < Count()).
    uint32_t RankAt(size_t i) const;
    bool Empty() const { return count_ == 0; }
    bool Contains(uint32_t rank) const { return rank < kCombinationTotal && (words_[rank / 64] >> (rank % 64) & 1); }
    // Removes one combination (nothing when it is not in the set, or has no rank).
    void Remove(const uint8_t* numbers);

    // ExcludeLastDraws on the set: removes the combinations equal to one of the latest n draws.
    // False, with the set unchanged, when a draw of the range is not five different numbers of
    // 1..50 (such a draw is compared number by number, which only the list of records does).
    bool RemoveLatestDraws(int n, const TDrawsArchive& archive);

    uint64_t* Words() { return words_.data(); }
    const uint64_t* Words() const { return words_.data(); }
    // After Words() were changed: counts the set again.
    void Recount();

    bool operator==(const TRankSet& other) const { return words_ == other.words_; }

private:
    std::vector<uint64_t> words_;
    size_t count_ = 0;
};

} // namespace velmora
