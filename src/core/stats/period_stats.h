// The period statistics (group "per", flag P): for every number, channel or segment, the gap in
// draw numbers between one occurrence and the next (PRDV, PRDC, PRDG). Their filter test is the
// only one that reads the filter's action: a selected gap p asks whether the value was in the draw
// p - 1 draws before the reference draw; keeping wants it there, deleting wants it missing.
#pragma once

namespace velmora {

class TStatRegistry;

// Registers the period classes at 114..116.
void AddPeriodStats(TStatRegistry& registry);

} // namespace velmora
