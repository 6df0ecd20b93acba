#include "core/views/draw_graph.h"

#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"

#include <algorithm>
#include <unordered_map>

namespace velmora {

bool IsGraphMethod(const TStatList& list, int index) {
    return index >= 0 && index < list.Count() && list.IsAvailable(index) && list.CanShowInTable(index) &&
           list.HasGraph(index);
}

int GraphMethodIndex(const TStatList& list, const std::string& code) {
    const int i = list.IndexOfCode(code);
    if (i < 0) throw Error(Format(Tr("Неизвестный код статистики: %s"), {code}));
    if (!IsGraphMethod(list, i)) throw Error(Format(Tr("Статистика %s не имеет графика"), {code}));
    return i;
}

int32_t GraphMode(const std::vector<int32_t>& values) {
    // Counts in order of first occurrence; the first entry whose count beats every earlier one.
    std::unordered_map<int32_t, size_t> at;
    std::vector<std::pair<int32_t, int64_t>> counts;
    for (int32_t v : values) {
        auto [it, added] = at.try_emplace(v, counts.size());
        if (added) counts.push_back({v, 0});
        ++counts[it->second].second;
    }
    int32_t mode = 0;
    int64_t best = 0;
    for (const auto& [v, c] : counts)
        if (c > best) {
            best = c;
            mode = v;
        }
    return mode;
}

TDrawGraph ComputeDrawGraph(const TStatList& list, int index, const TDrawsArchive& archive, int length,
                            TProgressSink& sink) {
    TDrawGraph graph;
    if (archive.Count() == 0 || length < 1) return graph;
    auto stat = list.CreateStat(index);
    auto* graphStat = dynamic_cast<TCustomGraphStat*>(stat.get());
    if (!graphStat) throw Error(Format(Tr("Статистика %s не имеет графика"), {list.Items(index).Code()}));

    TStatusScope status(sink, Tr(kDrawGraphStatus));
    const int last = archive.LastIndex();
    const int first = std::max(0, last - length + 1);
    std::vector<int32_t> values;
    values.reserve(size_t(last - first + 1));
    int64_t total = 0;
    for (int i = first; i <= last; ++i) {
        const int32_t v = graphStat->DrawNumber(i, last, archive.Sorted);
        graph.Points.push_back({archive.Draws[size_t(i)].Number, v});
        values.push_back(v);
        total += v;
    }
    if (!values.empty()) {
        graph.Mean = double(total) / double(values.size());
        graph.Mode = GraphMode(values);
    }
    return graph;
}

} // namespace velmora
