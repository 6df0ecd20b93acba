// The difference statistics (group "dif": DIFA, DIFM, DIFD, DIFO, DIFK, KDS2..KDS4) and the
// sequence statistics (group "seq": SEQL, SEQS, LENS). They look at the four differences of
// neighbouring positions and at runs of consecutive numbers of one combination or draw; for a
// draw the positions follow the sorted switch (drawn order or ascending).
#pragma once

#include <array>
#include <cstdint>

namespace velmora {

class TStatRegistry;

// |a2 - a1|, |a3 - a2|, |a4 - a3|, |a5 - a4|.
using TNeighbourDiffs = std::array<int32_t, 4>;
TNeighbourDiffs NeighbourDiffs(const uint8_t* nums);

// The distinct differences in order of first appearance with how often each occurs.
struct TDiffGroups {
    int32_t Count = 0;
    std::array<int32_t, 4> Diff{};
    std::array<int32_t, 4> Occurrences{};
};
TDiffGroups GroupDiffs(const TNeighbourDiffs& d);

// Runs of consecutive numbers. With `absolute` a pair is consecutive when its numbers differ by
// 1 either way (the graph numbers), otherwise only when the later one is 1 more.
// The number of runs of length 2 or more.
int32_t SequenceCount(const uint8_t* nums, bool absolute);
// The length of the longest run (1 when no pair is consecutive).
int32_t LongestSequence(const uint8_t* nums, bool absolute);

// Registers TstDiffTotal .. TstDiffSameCnt (17..21), TstSequenceLen .. TstSequenceLenMax
// (40..42) and TstCombDiffSeq2 .. TstCombDiffSeq4 (75..77).
void AddDiffStats(TStatRegistry& registry);

} // namespace velmora
