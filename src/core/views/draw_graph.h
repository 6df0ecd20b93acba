// The draw graph: the number a statistic with a graph gives each of the last N draws of the
// analysis window, with the mean of those numbers and their most frequent value.
#pragma once

#include "core/model/draws_archive.h"
#include "core/util/progress.h"
#include "core/util/translate.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

class TStatList;

// The status text while the graph is computed and the titles of its two reference lines.
constexpr const char* kDrawGraphStatus = TrNoop("Анализ тиражей и построение графиков...");
constexpr const char* kDrawGraphMeanTitle = TrNoop("Среднее значение");
constexpr const char* kDrawGraphModeTitle = TrNoop("Наиболее часто встречающееся значение");

struct TDrawGraphPoint {
    int32_t DrawNumber = 0;
    int32_t Value = 0;
};

struct TDrawGraph {
    std::vector<TDrawGraphPoint> Points;  // oldest draw first
    double Mean = 0;                      // 0 without points
    int32_t Mode = 0;                     // 0 without points
};

// A method the graph selector offers: available, shown in the table and with a graph.
bool IsGraphMethod(const TStatList& list, int index);
// The position of the graph method with that code; raises "Неизвестный код статистики: %s" or
// "Статистика %s не имеет графика".
int GraphMethodIndex(const TStatList& list, const std::string& code);

// The most frequent value, ties going to the value met first.
int32_t GraphMode(const std::vector<int32_t>& values);

// The graph of method `index` of the list (bound to the archive's draws) over the draws
// max(0, Last - length + 1) .. Last, Last being the analysis window's last draw; the numbers of
// each draw as the sorted-numbers switch of the archive shows them. An empty archive or a length
// below 1 gives no points.
TDrawGraph ComputeDrawGraph(const TStatList& list, int index, const TDrawsArchive& archive, int length,
                            TProgressSink& sink = NullProgress());

} // namespace velmora
