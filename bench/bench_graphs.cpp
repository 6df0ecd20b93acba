// Figures for the analysis views over big archives: the sum distribution (all 2 118 760
// combinations and the archive's sums), the repeats analysis (S x D draw pairs by number masks),
// the weekday counts and the draw graph of a statistic.
#include "core/model/draws_archive.h"
#include "core/stats/stat_list.h"
#include "core/views/draw_graph.h"
#include "core/views/repeats_analysis.h"
#include "core/views/sum_distribution.h"
#include "core/views/weekday_stats.h"

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

const TDrawsArchive& Archive(int draws) {
    static TDrawsArchive a;
    if (a.Count() != draws) a.Draws = MakeSampleDraws(draws, 3);
    return a;
}

} // namespace

static void BM_SumDistribution(benchmark::State& state) {
    const TDrawsArchive& a = Archive(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ComputeSumDistribution(a));
    state.SetItemsProcessed(state.iterations() * kCombinationTotal);
}
BENCHMARK(BM_SumDistribution)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// S latest draws, each against D earlier ones.
static void BM_RepeatsAnalysis(benchmark::State& state) {
    const TDrawsArchive& a = Archive(100000);
    const int length = int(state.range(0)), depth = int(state.range(1));
    for (auto _ : state) benchmark::DoNotOptimize(AnalyzeRepeats(a.Draws, length, depth));
    state.SetItemsProcessed(state.iterations() * int64_t(length) * depth);
}
BENCHMARK(BM_RepeatsAnalysis)->Args({100, 100})->Args({100000, 100})->Unit(benchmark::kMillisecond);

static void BM_RepeatsChartSeries(benchmark::State& state) {
    const TRepeatsAnalysis analysis = AnalyzeRepeats(Archive(100000).Draws, 100000, 100);
    for (auto _ : state) benchmark::DoNotOptimize(RepeatsChartSeries(analysis));
    state.SetItemsProcessed(state.iterations() * int64_t(analysis.Rows.size()));
}
BENCHMARK(BM_RepeatsChartSeries)->Unit(benchmark::kMillisecond);

static void BM_CountWeekdays(benchmark::State& state) {
    const TDrawsArchive& a = Archive(100000);
    for (auto _ : state) benchmark::DoNotOptimize(CountWeekdays(a, int(state.range(0))));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CountWeekdays)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_DrawGraphSums(benchmark::State& state) {
    const TDrawsArchive& a = Archive(100000);
    TStatList list;
    list.Bind(a.Draws);
    list.Build();
    const int index = GraphMethodIndex(list, "SUMS");
    for (auto _ : state) benchmark::DoNotOptimize(ComputeDrawGraph(list, index, a, int(state.range(0))));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawGraphSums)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
