// TStatValues: the texts of one row of the draw statistics table, as the filter steps and the
// script runs read them (RowToStatValues in draw_stats.h fills it).
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

struct TStatValues {
    std::string Value;         // "Значение"
    int32_t ValueKey = 0;      // not a column: the statistic's TextToValue of Value, set by the caller
    std::string Count;         // "Количество"
    std::string CountPct;      // "Кол-во в %"
    std::string Deviation;     // "Отклонение"
    std::string DeviationPct;  // "Откл-ие в %"
    std::string Depth;         // "Глубина"
    std::string DepthPct;      // "Глубина в %"
    std::string Weight;        // "Вес"
    std::string PeriodMin;     // "Период min"
    std::string Period;        // "Период"
    std::string PeriodMax;     // "Период max"
    bool operator==(const TStatValues&) const = default;
};

} // namespace velmora
