// Figures for the draw statistics table and its full-set distribution files, for every method
// the registry builds:
//   CreatePrefetchFiles/all    every distribution file built anew (what "prefetch --force" and
//                              the first switch-on of the comparison wait for)
//   CreatePrefetch/<CODE>      one file (full-set distribution, sort, atomic write)
//   DrawStats/<CODE>           the table over 1000 draws of a 1000-draw archive, offset 0
// The files go to a temporary data folder that is removed at the end.
#include "core/combs/draw_stats.h"
#include "core/combs/prefetch.h"
#include "core/model/data_folder.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace velmora;

namespace {

struct Env {
    TDrawsArchive archive;
    TStatList list;
    Env() {
        archive.Draws = MakeSampleDraws(1000, 7);
        list.Bind(archive.Draws);
        list.Build();
    }
};

Env& TheEnv() {
    static Env env;
    return env;
}

void AllFiles(benchmark::State& state) {
    FullCombinationSet();
    TPrefetchBuildResult r;
    for (auto _ : state) r = CreatePrefetchFiles(TheEnv().list, true, true, kAllPrefetchGroups, NullProgress());
    state.counters["files"] = double(r.Built);
    state.counters["errors"] = double(r.Errors.size());
}

void OneFile(benchmark::State& state, int method) {
    FullCombinationSet();
    for (auto _ : state) benchmark::DoNotOptimize(CreatePrefetch(TheEnv().list, method, NullProgress()));
}

void DrawStats(benchmark::State& state, int method) {
    TDrawStatsOptions o;
    o.Length = 1000;
    size_t rows = 0;
    for (auto _ : state) rows = ComputeDrawStats(TheEnv().list, method, TheEnv().archive, o, NullProgress()).Rows.size();
    state.counters["rows"] = double(rows);
}

} // namespace

int main(int argc, char** argv) {
    char tmpl[] = "/tmp/velmora_bench_table_XXXXXX";
    if (!mkdtemp(tmpl)) return 1;
    DataDir() = tmpl;
    const TStatList& list = TheEnv().list;
    benchmark::RegisterBenchmark("CreatePrefetchFiles/all", AllFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
    for (int i = 0; i < list.Count(); ++i) {
        const std::string code = list.Items(i).Code();
        if (list.TestFlagBit1(i))
            benchmark::RegisterBenchmark(("CreatePrefetch/" + code).c_str(), OneFile, i)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        if (list.IsAvailable(i) && list.CanShowInTable(i))
            benchmark::RegisterBenchmark(("DrawStats/" + code).c_str(), DrawStats, i)->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(tmpl);
    return 0;
}
