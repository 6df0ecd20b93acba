// How a script step judges one row of the draw statistics table: the row-selection criteria
// (kinds 0 "LNO" .. 31 "LVA") and the stop rules (0 "SF" .. 5 "SP") of a resolved filter part.
#pragma once

#include "core/filters/filter_item.h"
#include "core/combs/stat_row.h"

#include <string>

namespace velmora {

// True when the row meets the part's criterion. Threshold kinds read the cell with a default
// for a cell that is not a number (0 for "не менее", 65535 for the integer "не более" kinds, 0
// for the "не более" kinds of weight and period) and compare with the part's value read as an
// integer; list kinds compare the cell, read strictly, with every item of the value list split by
// "," and ";". A value that is not an integer, or a cell that a list test cannot read, raises
// Error with the offending text. A kind outside 0..31 matches nothing.
bool MatchesCriterion(const TFilterPart& part, const TStatValues& row);

// The state of a walk over the table rows that the stop rules look at.
struct TStopState {
    int Steps = 0;         // rows visited (mode M) or steps applied (mode S)
    int CombCount = 0;     // combinations in the list now
};

// True when the walk leaves before judging this row (the stop rule of the part): "SC" (mode S)
// at most N combinations left, "ST" steps >= N, "SV"/"SP" the row's count / count % reaching N
// from the walk's side (>= N walking up from the bottom, <= N walking down from the top). "SF"
// never leaves; "SZ" is handled where a step empties the list.
bool StopWalkBefore(const TFilterPart& part, const TStatValues& row, const TStopState& state);

// The integer and real readings of a table cell: the default when the cell is not such a
// number ("-", empty); the decimal separator may be "," or ".".
int64_t CellInt(const std::string& cell, int64_t def);
long double CellNum(const std::string& cell, long double def);

} // namespace velmora
