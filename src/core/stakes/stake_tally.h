// Counting the stakes of a stake file. The separators between the blocks of stakes are records of
// the file too, but no stakes: what the user is told ("Ставок: %d") counts the stakes only.
#pragma once

#include "core/stakes/stake_file.h"
#include "core/stakes/stake_record.h"

namespace velmora {

// A record is a stake (not a separator) when it belongs to a draw.
inline bool IsStake(const TStakeRecord& rec) { return rec.DrawNumber > 0; }

// The stakes of a file, counted as the file grows: the records appended since the last count are
// read and the rest is remembered, so that a grid refreshed during a long loop of appends does not
// read the whole file every time. A file with fewer records than were counted (a deletion, a
// clear) is read whole again; Reset forces that.
class TStakeTally {
public:
    int Count(TStakeFile& file);
    void Reset() { records_ = stakes_ = 0; }

private:
    int records_ = 0;
    int stakes_ = 0;
};

// The stakes of the whole file.
int CountStakes(TStakeFile& file);

// A checked stake that won a prize (its profit is more than the loss of its cost alone).
bool StakeWon(const TStakeRecord& rec, const TConfigData& config);

// What the file holds after a check: the stakes, and those still unchecked (their draw is not in
// the archive yet).
struct TStakeSummary {
    int Stakes = 0;
    int Unchecked = 0;
};
TStakeSummary SummarizeStakes(TStakeFile& file);

} // namespace velmora
