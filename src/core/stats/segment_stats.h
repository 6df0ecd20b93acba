// The segment statistics (group "sgm"): a user map puts every number 1..50 into a segment 1..9
// ("MatrixSegments"). SGMS, SGMV, SGMC, KGM2..4, KGS2..4, SGM<id> for the ids of the map.
#pragma once

#include "core/stats/group_stats.h"

namespace velmora {

class TStatRegistry;

// Segments list no domain values: their tables show the values that occurred.
struct TSegmentKind {
    static constexpr int kGroup = 5;
    static constexpr bool kChannelText = false;
    static constexpr bool kDomains = false;
    static TNumberGroups Groups(const TConfigData& c) { return SegmentGroups(c.MatrixSegments); }
};

// Registers the segment classes at 37..39, 96..101 and 107.
void AddSegmentStats(TStatRegistry& registry);

} // namespace velmora
