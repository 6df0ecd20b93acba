// The channel statistics (group "grp"): CHAN, CHNV, CHNC, KCM2..4, KCS2..4, CHN1..CHN<channels>.
// A channel is a block of consecutive numbers of the width "ChannelSize": channel c holds
// w*(c-1)+1 .. min(w*c, 50).
#pragma once

#include "core/stats/group_stats.h"

namespace velmora {

class TStatRegistry;

struct TChannelKind {
    static constexpr int kGroup = 3;
    static constexpr bool kChannelText = true;  // "01 [1-5]"
    static constexpr bool kDomains = true;
    static TNumberGroups Groups(const TConfigData& c) { return ChannelGroups(c.ChannelSize); }
};

// Registers the channel classes at 22..24, 78..83 and 104.
void AddChannelStats(TStatRegistry& registry);

} // namespace velmora
