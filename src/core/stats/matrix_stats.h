// The matrix statistics (group "mtx"): the numbers 1..50 laid out row by row in "MatrixCols"
// columns. COLS .. ROWC, KFM/KFS/KRM/KRS 2..4, COL1..COL<columns>, ROW1..ROW<rows>.
#pragma once

#include "core/stats/group_stats.h"

namespace velmora {

class TStatRegistry;

struct TColumnKind {
    static constexpr int kGroup = 4;
    static constexpr bool kChannelText = false;
    static constexpr bool kDomains = true;
    static TNumberGroups Groups(const TConfigData& c) { return ColumnGroups(c.MatrixCols); }
};

struct TRowKind {
    static constexpr int kGroup = 4;
    static constexpr bool kChannelText = false;
    static constexpr bool kDomains = true;
    static TNumberGroups Groups(const TConfigData& c) { return RowGroups(c.MatrixCols); }
};

// Registers the matrix classes at 25..36, 84..95, 105 and 106.
void AddMatrixStats(TStatRegistry& registry);

} // namespace velmora
