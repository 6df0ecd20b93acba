// Applying a statistic filter to the combination set: the survivors of the undo copy become the
// current set, in order, and the step is logged. The caller saves the undo copy first
// (TCombSet::SaveUndo), so undoing restores the set as it was before the step.
#pragma once

#include "core/combs/comb_set.h"
#include "core/model/draws_archive.h"
#include "core/model/filter_action.h"
#include "core/model/stat_values.h"
#include "core/util/progress.h"

#include <string>
#include <vector>

namespace velmora {

class TCustomStat;
class TRankSet;
class TStatList;

// The newest draw of the analysis window: LastIndex() of the archive, 0 when the offset reaches
// past the first draw. Statistics of flag D compare with it.
int FilterReferenceIndex(const TDrawsArchive& archive);

// Filters by the selected value records (rows of the statistics table, in row order): Delete
// deletes the combinations having one of the values, Keep keeps them. An empty
// selection changes nothing and returns false. Otherwise Current := the survivors of the undo
// copy (the statistic's draws loaded once, the archive's sorted switch applied), and, when the
// undo copy was not empty, AddLogLine(action, caption, valuesText). threads = 0 takes the
// machine's cores where splitting pays; the result is the same for any thread count. The sink
// shows "Фильтрация комбинаций..." while the pass runs.
// An error raised by the statistic ends the pass: Current is the set before the step again (a
// copy of the undo copy, which stays as it was), nothing is logged, and the error goes on.
bool ApplyStatFilter(TCombSet& set, TCustomStat& stat, const TStatDrawArray& selected, TFilterAction action,
                     const TDrawsArchive& archive, const std::string& caption, const std::string& valuesText,
                     int threads = 0, TProgressSink& sink = NullProgress());

// The same step on a set held as ranks, as the script engine holds its lists: undo := set, then
// set := its survivors and AddLogLine(action, caption, valuesText, the count) on combs' log (an empty
// selection changes nothing). A statistic with a pass on ranks runs it; any other filters the
// combinations written out into combs (its list is set's already when combsHoldSet), in place.
// Returns whether combs' list is now the set's. An error raised by the statistic leaves set as it
// was (combs' list is then not the set's) and goes on.
bool ApplyStatFilterToRanks(TRankSet& set, TRankSet& undo, TCombSet& combs, bool combsHoldSet, TCustomStat& stat,
                            const TStatDrawArray& selected, TFilterAction action, const TDrawsArchive& archive,
                            const std::string& caption, const std::string& valuesText, int threads = 0,
                            TProgressSink& sink = NullProgress());

// The same with a list of numbers (card, layout and weekday pages): a combination matches when it
// holds one of them (the NUMS statistic of list). An empty list raises
// "В выделенном диапазоне нет значений для фильтра!" before the set is touched.
void ApplyNumberFilter(TCombSet& set, const TStatList& list, const std::vector<int>& numbers, TFilterAction action,
                       const TDrawsArchive& archive, const std::string& caption, const std::string& valuesText,
                       int threads = 0, TProgressSink& sink = NullProgress());

} // namespace velmora
