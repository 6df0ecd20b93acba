#include "core/stats/graph_numbers.h"

#include "core/stats/stat_list.h"

namespace velmora {

namespace {

template <class F>
std::vector<TStatNumberRow> GraphRows(const TStatList& list, F number) {
    std::vector<TStatNumberRow> rows;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.HasGraph(i) || !list.CanShowInTable(i)) continue;
        auto stat = list.CreateStat(i);
        auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
        if (!graph) continue;
        rows.push_back({list.Items(i).Code(), list.Items(i).FullCaption(), number(*graph)});
    }
    return rows;
}

} // namespace

std::vector<TStatNumberRow> DrawGraphNumbers(const TStatList& list, int index, int refIndex, bool sorted) {
    return GraphRows(list, [&](TCustomGraphStat& s) { return s.DrawNumber(index, refIndex, sorted); });
}

std::vector<TStatNumberRow> CombinationGraphNumbers(const TStatList& list, const TCombination& comb, int index,
                                                    int refIndex, bool sorted) {
    return GraphRows(list, [&](TCustomGraphStat& s) { return s.CombinationNumber(comb, index, refIndex, sorted); });
}

} // namespace velmora
