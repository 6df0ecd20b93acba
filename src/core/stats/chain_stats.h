// The chain statistics (group "mov"): what followed, in the history, a situation that looks like
// the present one. For every draw of the window the statistic compares the draw before it (and
// for three-draw chains the one before that) with the reference draw and its predecessor; when
// they match as the statistic defines, the transition from the earlier value to the value of the
// draw is recorded. Values are numbers, channels or segments; the count statistics follow how many
// numbers fall in one channel or segment, and the inside statistics which numbers of a repeated
// number's channel followed it. The filter looks only at the end of a selected transition.
#pragma once

namespace velmora {

class TStatRegistry;

// Registers the chain classes at 117..139.
void AddChainStats(TStatRegistry& registry);

} // namespace velmora
