// The graph numbers of one draw or combination over the statistic list: the rows of the
// information window ("Подробная информация").
#pragma once

#include "core/model/game.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

class TStatList;

struct TStatNumberRow {
    std::string Code;
    std::string Caption;
    int32_t Number = 0;
};

// One row per method of the list that has a graph and shows in the table, in list order: its
// caption and the graph number (DrawNumber) of the draw at array index `index`; refIndex is the
// reference draw of statistics that depend on earlier draws.
std::vector<TStatNumberRow> DrawGraphNumbers(const TStatList& list, int index, int refIndex, bool sorted);
// The same for a combination judged as the draw at array index `index` (CombinationNumber).
std::vector<TStatNumberRow> CombinationGraphNumbers(const TStatList& list, const TCombination& comb, int index,
                                                    int refIndex, bool sorted);

} // namespace velmora
