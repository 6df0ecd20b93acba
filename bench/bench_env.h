// The statistic list the benchmarks of the statistics share: 1000 sample draws and the registry
// with default settings, built once per program.
#pragma once

#include "core/model/draws_archive.h"
#include "core/stats/stat_list.h"

namespace velmora::bench {

struct TStatsEnv {
    TDrawsArray draws = MakeSampleDraws(1000, 7);
    TStatList list;
    TStatsEnv() {
        list.Bind(draws);
        list.Build();
    }
};

inline TStatsEnv& TheEnv() {
    static TStatsEnv env;
    return env;
}

} // namespace velmora::bench
