// Figures for the archive lookups and the value-list merge on realistic sizes.
#include "core/model/draws_archive.h"
#include "core/model/stat_values.h"

#include <benchmark/benchmark.h>
#include <random>

using namespace velmora;

static void BM_IndexOfDrawNumber(benchmark::State& state) {
    TDrawsArchive a;
    a.Draws = MakeSampleDraws(int(state.range(0)), 1);
    std::mt19937 rng(5);
    std::vector<int> queries(1024);
    for (auto& q : queries) q = int(rng() % uint32_t(a.Count())) + 1;
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(a.IndexOfDrawNumber(queries[i++ & 1023]));
}
BENCHMARK(BM_IndexOfDrawNumber)->Arg(1000)->Arg(5000);

// The draw list of a 5 000-draw archive with a few gaps in the numbering (deleted draws).
static void BM_IndexOfDrawNumberWithGaps(benchmark::State& state) {
    TDrawsArchive a;
    a.Draws = MakeSampleDraws(5000, 1);
    for (int i = 0; i < 5000; i += 97) a.Draws.erase(a.Draws.begin() + i);
    std::mt19937 rng(5);
    size_t i = 0;
    std::vector<int> queries(1024);
    for (auto& q : queries) q = a.Draws[rng() % a.Draws.size()].Number;
    for (auto _ : state) benchmark::DoNotOptimize(a.IndexOfDrawNumber(queries[i++ & 1023]));
}
BENCHMARK(BM_IndexOfDrawNumberWithGaps);

// One window of a statistic: every draw's value merged into a list of `range` distinct values.
static void BM_AddStatValue(benchmark::State& state) {
    const int distinct = int(state.range(0));
    std::mt19937 rng(3);
    std::vector<TStatValueRec> recs(1000 * 5);
    for (size_t i = 0; i < recs.size(); ++i) {
        recs[i].Key.K[0] = uint16_t(rng() % uint32_t(distinct));
        recs[i].DrawNo = recs[i].LastDrawNo = int(i / 5) + 1;
        recs[i].Age = 1000 - int(i / 5);
        recs[i].Count = 1;
    }
    for (auto _ : state) {
        TStatDrawArray list;
        for (const auto& r : recs) AddStatValue(list, r, true);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(recs.size()));
}
BENCHMARK(BM_AddStatValue)->Arg(50)->Arg(226)->Arg(2000);

BENCHMARK_MAIN();
