// The sum statistics (group "sum"): SUMS, SUM1..SUM3, SUMC, SUMV, SUMT, SUME, SUMP, S2T3.
//
// SUMC, SUMV and SUMT are the change statistics: they compare each draw's predecessor with the
// reference draw (the last draw of the window) and collect what followed; their filter tests
// judge a combination as the draw after the reference draw.
#pragma once

#include <cstdint>

namespace velmora {

class TStatRegistry;

// The fixed sum ranges of SUM1..SUM3, inclusive, and the pair shown in their captions.
struct TSumRange {
    int32_t Lo = 0;
    int32_t Hi = -1;  // an empty range for a parameter outside 1..3
    int32_t A = 0;
    int32_t B = 0;
};
TSumRange SumRange(int32_t param);

// How many times a number of the five equals the sum of two others (each number with each
// unordered pair of the other four positions counts once).
int32_t SumRelationCount(const uint8_t* nums);

// Registers TstSumValues .. TstSum2To3 at positions 9..16.
void AddSumStats(TStatRegistry& registry);

} // namespace velmora
