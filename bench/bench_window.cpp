// Figures for the distribution of a statistic over the analysis window (what the draw statistics
// table computes), for every method the registry builds:
//   Window/<CODE>/draws:N   ComputeStatDistribution over the last N of 1000 sample draws; the
//                           counter "values" is the length of the value list
#include "core/model/draws_archive.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"
#include "bench_env.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace velmora;

namespace {

using bench::TheEnv;

void Window(benchmark::State& state, int method, int length) {
    auto s = TheEnv().list.CreateStat(method);
    const int last = int(TheEnv().draws.size()) - 1;
    TStatDrawArray list;
    for (auto _ : state) {
        ComputeStatDistribution(*s, last, length, false, list);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * length);
    state.counters["values"] = double(list.size());
}

} // namespace

int main(int argc, char** argv) {
    const TStatList& list = TheEnv().list;
    for (int i = 0; i < list.Count(); ++i)
        for (int length : {100, 1000})
            benchmark::RegisterBenchmark(("Window/" + list.Items(i).Code() + "/draws:" + std::to_string(length)).c_str(),
                                         Window, i, length)
                ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
