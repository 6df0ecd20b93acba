// The standard runs of a statistic that the table, the filters, the scripts and the views call:
// the distribution over the analysis window, the filter pass over a combination set, and the
// distribution over the full set of 2 118 760 combinations.
#pragma once

#include "core/stats/stat_framework.h"

#include <cstddef>
#include <functional>

namespace velmora {

// The distribution over the window of `length` draws ending at array index lastIndex: the value
// domain with count 0 (ListAllValues), then AddDrawValue for every draw of the window, oldest
// first, with fresh last-value and series scratch state. An empty window gives an empty list.
void ComputeStatDistribution(TCustomStat& stat, int lastIndex, int length, bool sorted, TStatDrawArray& list);

// The filter pass: LoadDraw(-1, lastIndex) once, then the survivors of src[0..count) copied to
// dst in order (dst may equal src). A combination survives when CombinationMatches is true for
// Keep and false for Delete.
size_t FilterCombinationSet(TCustomStat& stat, const TCombination* src, size_t count, TCombination* dst,
                            const TStatDrawArray& selected, TFilterAction action, bool sorted, int lastIndex);

// The threads to use when the caller leaves the choice to the machine: its cores, 1 to 8.
int MachineThreadCount();

// Runs body(s, part, from, to) for `parts` contiguous parts [from, to) of [0, count) at once, part 0
// on this thread with stat, every other part on a thread of its own with a fresh instance of the
// same class, owner, parameter and archive (a statistic is not thread-safe). Once all parts have
// ended, the first error of a part is raised.
void RunInParts(TCustomStat& stat, size_t count, size_t parts,
                const std::function<void(TCustomStat& s, size_t part, size_t from, size_t to)>& body);

// The list that AddCombinationValue over combs[0..count), in order, into an empty list gives.
// With threads > 1 a statistic of flag N (without D) is run in that many parts on fresh
// instances and the parts are merged in order; threads = 0 takes the machine's cores.
void ComputeCombinationsDistribution(TCustomStat& stat, const TCombination* combs, size_t count,
                                     TStatDrawArray& list, int threads = 0);

// ComputeCombinationsDistribution over the full set in ascending order.
void ComputeFullSetDistribution(TCustomStat& stat, TStatDrawArray& list, int threads = 0);

// Every combination of 5 numbers of 1..50, ascending (numbers and order); built once.
const TCombsArray& FullCombinationSet();

} // namespace velmora
