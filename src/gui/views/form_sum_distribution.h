// The sum distribution in the graph window: the sums of the archive's draws beside the sums of all
// combinations scaled to the same height, and the three level lines with their ranges of common
// sums in their titles.
#pragma once

#include "core/views/sum_distribution.h"

namespace velmora {

class TFormGraph;
class TTemplateMain;

// Adds the series to the graph window in legend order: the actual sums (points and marks), the
// theoretical sums and the three levels (lines only).
void FillSumDistributionGraph(TFormGraph& form, const TSumDistribution& dist);

// The command TotalSumCombs: computes the distribution under the progress window with "Стоп" and
// shows it in a modal graph window; a stopped computation shows nothing.
void ShowSumDistribution(TTemplateMain& window);

} // namespace velmora
