// Which combinations equal one of a range of draws (5 common numbers, in any order): the test
// behind the exclusion of the latest draws from the combination set.
//
// A combination of five different numbers of 1..50 is a 50-bit mask, and it has 5 common
// numbers with a draw of five different numbers exactly when the masks are equal; the masks of
// the draws sit in a small bit filter and a sorted list, so one test costs a few instructions
// whatever the number of draws. Combinations and draws that are not five different numbers of
// 1..50 (a list loaded from a file is taken as written, and so is an archive) are compared the
// plain way, number by number, so the answer is always that of CommonCount.
#pragma once

#include "core/model/draw_record.h"
#include "core/model/game.h"

#include <array>
#include <cstdint>
#include <vector>

namespace velmora {

class TDrawMatcher {
public:
    // The draws to match, e.g. the latest n draws of the analysis window.
    TDrawMatcher(const TDrawRecord* draws, int count);

    // CommonCount(draw, comb) = 5 for a draw of the range.
    bool Matches(const TCombination& comb) const;

    // Copies the combinations of src[0..n) that match no draw to dst in order and returns how
    // many were copied. dst may be src itself (the list is then compacted in place).
    int KeepUnmatched(const TCombination* src, int n, TCombination* dst) const;

private:
    bool Listed(uint64_t mask) const;
    bool MatchesPlain(const TCombination& comb, const std::vector<TDrawRecord>& draws) const;

    int shift_;                        // 64 - log2 of the filter's bit count
    std::vector<uint64_t> filter_;     // a bit per hash of a draw mask
    std::vector<uint64_t> masks_;      // the masks of the regular draws, sorted
    std::vector<TDrawRecord> all_;     // every draw of the range
    std::vector<TDrawRecord> odd_;     // the draws that are not five different numbers of 1..50
};

// The plain way: every combination compared with every draw by CommonCount. The reference the
// matcher is checked against.
int KeepUnmatchedPlain(const TCombination* src, int n, const TDrawRecord* draws, int drawCount, TCombination* dst);

// Combination masks: bit n for each number n of 1..50. Any other byte sets bit 63, which no
// number uses, so that a mask tells whether its combination is regular.
constexpr uint64_t kOddNumberBit = uint64_t(1) << 63;
namespace detail {
constexpr std::array<uint64_t, 256> MakeNumberBits() {
    std::array<uint64_t, 256> t{};
    for (int n = 0; n < 256; ++n) t[size_t(n)] = n >= kMinNumber && n <= kMaxNumber ? uint64_t(1) << n : kOddNumberBit;
    return t;
}
inline constexpr std::array<uint64_t, 256> kNumberBits = MakeNumberBits();
} // namespace detail

inline uint64_t NumberBit(uint8_t n) { return detail::kNumberBits[n]; }

// The mask of five numbers, and whether they are five different numbers of 1..50: the single
// bits then add up without a carry to the same value as their union.
inline bool RegularMask(const uint8_t* nums, uint64_t& mask) {
    uint64_t b0 = NumberBit(nums[0]), b1 = NumberBit(nums[1]), b2 = NumberBit(nums[2]), b3 = NumberBit(nums[3]),
             b4 = NumberBit(nums[4]);
    mask = b0 | b1 | b2 | b3 | b4;
    return (b0 + b1 + b2 + b3 + b4) == mask && !(mask & kOddNumberBit);
}
inline uint64_t CombMask(const TCombination& comb) {
    uint64_t m;
    RegularMask(comb.data(), m);
    return m & ~kOddNumberBit;
}

} // namespace velmora
