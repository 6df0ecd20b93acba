// The repeat statistics (group "rep"): how numbers of one draw come back in a later draw.
//
// Values statistics (RPV2, RPV3, PRL2, PRV2O1..3, PRV+1, PRV-1, PRV+2, PRV-2) give a draw the
// numbers that repeated, restricted to the numbers of the reference draw (the last draw of the
// window), and keep or drop combinations containing a selected number. Count statistics (RPC2,
// RPC3, PRB2, RPO1, PRC2O2, PRC2O3, PRC+1, PRC-1, PRC+2, PRC-2) give a draw how many of its
// numbers repeated, and judge a combination as the draw that follows the reference draw.
// All of them have flag D: a combination alone has no value.
#pragma once

#include "core/model/draw_record.h"

#include <cstdint>

namespace velmora {

class TStatRegistry;

// The numbers of a draw, each shifted by `shift` on the circle 1..50 (ShiftNumber), as bits
// 1..50 of a mask. Bytes outside 1..50 (an empty draw's zeros) are no numbers and stay out.
uint64_t ShiftedNumberMask(const TDrawRecord& draw, int shift);

// Registers TstRepValues2 .. TstRepCount2N2 at positions 43..62.
void AddRepeatStats(TStatRegistry& registry);

} // namespace velmora
