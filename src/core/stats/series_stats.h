// The series statistics (group "ser"): for every number, channel or segment of the reference
// draw, the lengths of the runs of consecutive draws that held it (groups: GRPV, GRCV, GRSV) or
// lacked it (pauses: GRPP, GRCP, GRSP). The runs live in the caller's series work area of 50
// states, one per value id, which a run over the window starts empty.
#pragma once

namespace velmora {

class TStatRegistry;

// Registers the series classes at 108..113.
void AddSeriesStats(TStatRegistry& registry);

} // namespace velmora
