// Figures for the combination set's inner loop of a script test: generation, the copies to and
// from the undo store, and the exclusion of the latest draws over the full set.
#include "core/combs/comb_set.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

using namespace velmora;

namespace {

TCombSet& Set() {
    static TCombSet set;
    return set;
}

const TDrawsArchive& Archive() {
    static TDrawsArchive a = [] {
        TDrawsArchive x;
        x.Draws = MakeSampleDraws(2000, 1);
        return x;
    }();
    return a;
}

} // namespace

static void BM_Generate(benchmark::State& state) {
    static const char* params[] = {"", "1", "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20", "1"};
    TGenerateParams p{uint8_t(state.range(0)), params[state.range(0)]};
    for (auto _ : state) {
        Set().Generate(true, p);
        benchmark::DoNotOptimize(Set().Data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * Set().Count());
}
BENCHMARK(BM_Generate)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

static void BM_SaveUndo(benchmark::State& state) {
    Set().Generate(true, {});
    for (auto _ : state) {
        Set().SaveUndo(true);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * Set().Count() * 5);
}
BENCHMARK(BM_SaveUndo)->Unit(benchmark::kMillisecond);

static void BM_RestoreUndo(benchmark::State& state) {
    Set().Generate(true, {});
    for (auto _ : state) {
        state.PauseTiming();
        Set().SaveUndo(false);  // RestoreUndo empties the undo store; refill it untimed
        state.ResumeTiming();
        Set().RestoreUndo(true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RestoreUndo)->Unit(benchmark::kMillisecond);

// Exclusion of the latest n draws of a 2 000-draw archive from the full set; the full set is
// put back untimed before each pass.
template <bool Plain>
static void BM_ExcludeLastDraws(benchmark::State& state) {
    const int n = int(state.range(0));
    Set().Generate(true, {});
    Set().SaveCache(0, 0);
    int removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Set().LoadCache(0, 0);
        Set().ClearLog();
        state.ResumeTiming();
        removed = Plain ? Set().ExcludeLastDrawsPlain(n, Archive()) : Set().ExcludeLastDraws(n, Archive());
    }
    Set().ResetCache();
    state.counters["removed"] = removed;
    state.SetItemsProcessed(int64_t(state.iterations()) * kCombinationTotal);
}
BENCHMARK(BM_ExcludeLastDraws<false>)->Arg(1)->Arg(10)->Arg(100)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExcludeLastDraws<true>)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// Mode 4: the full set read from a combination file.
static void BM_LoadCombsFile(benchmark::State& state) {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("velmora_bench_" + std::to_string(::getpid()) + ".lcv")).string();
    Set().Generate(true, {});
    Set().SaveCombsFile(file);
    for (auto _ : state) Set().LoadCombsFile(file);
    std::remove(file.c_str());
    state.SetItemsProcessed(int64_t(state.iterations()) * Set().Count());
}
BENCHMARK(BM_LoadCombsFile)->Unit(benchmark::kMillisecond);

static void BM_SaveCombsFile(benchmark::State& state) {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("velmora_bench_save_" + std::to_string(::getpid()) + ".lcv")).string();
    Set().Generate(true, {});
    for (auto _ : state) Set().SaveCombsFile(file);
    std::remove(file.c_str());
}
BENCHMARK(BM_SaveCombsFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
