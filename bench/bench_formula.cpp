// Figures for the shredding formulas over the full set of 2 118 760 combinations:
//   FormulaText/<formula>      EvalShredding per combination (the text replaced and read each time)
//   FormulaCompiled/<formula>  the formula compiled once (TShreddingFormula), as the statistics run it
// The full-set distribution and the filter pass of SHR1..SHR3 are measured by bench_stats.
#include "core/formula/shredding.h"
#include "core/stats/stat_runs.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace velmora;

namespace {

const uint8_t kZeros[5] = {0, 0, 0, 0, 0};

void FormulaText(benchmark::State& state, std::string formula) {
    const TCombsArray& all = FullCombinationSet();
    int64_t sum = 0;
    for (auto _ : state)
        for (const auto& c : all) sum += EvalShredding(c.data(), kZeros, kZeros, 2, formula);
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(all.size()));
}

void FormulaCompiled(benchmark::State& state, std::string formula) {
    const TCombsArray& all = FullCombinationSet();
    const TShreddingFormula f(formula, 2);
    int64_t sum = 0;
    for (auto _ : state)
        for (const auto& c : all) sum += f.Value(c.data(), kZeros, kZeros);
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(all.size()));
}

const bool registered = [] {
    for (const char* f : {"(n1+n2+n3)/(n4+n5)", "SIN(n1)*EXP(n2/50)/SQRT(n3+n4+n5)"}) {
        benchmark::RegisterBenchmark((std::string("FormulaText/") + f).c_str(), FormulaText, std::string(f))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
        benchmark::RegisterBenchmark((std::string("FormulaCompiled/") + f).c_str(), FormulaCompiled, std::string(f))
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
