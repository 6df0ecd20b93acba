// Figures for the draws card and the layout scheme on big archives: building the card, judging the
// colour of every cell (what painting the whole card asks), reading a selection of all numbers,
// and the scheme with its comparison lists.
#include "core/model/draws_archive.h"
#include "core/views/draws_card.h"
#include "core/views/layout_scheme.h"

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

const TDrawsArchive& Archive(int draws) {
    static TDrawsArchive a;
    if (a.Count() != draws) a.Draws = MakeSampleDraws(draws, 3);
    return a;
}

} // namespace

static void BM_BuildDrawsCard(benchmark::State& state) {
    const TDrawsArchive& a = Archive(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(BuildDrawsCard(a));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildDrawsCard)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The colour and the text of every number cell of the card, as a repaint of all rows would ask.
static void BM_CardCellsOfAllRows(benchmark::State& state) {
    const TDrawsCard card = BuildDrawsCard(Archive(int(state.range(0))));
    for (auto _ : state) {
        uint32_t sum = 0;
        for (int r = 1; r < card.RowCount(); ++r)
            for (int c = 1; c <= 50; ++c) sum += CardCellColour(card, r, c, true, true, 5).Color + card.Filled(r, c);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 50);
}
BENCHMARK(BM_CardCellsOfAllRows)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_CardSelectionOfTheWholeCard(benchmark::State& state) {
    const TDrawsCard card = BuildDrawsCard(Archive(int(state.range(0))));
    const TGridRect all{1, 1, 50, card.RowCount() - 1};
    for (auto _ : state) benchmark::DoNotOptimize(CardSelectedNumbers(card, all));
}
BENCHMARK(BM_CardSelectionOfTheWholeCard)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_LayoutSchemeAndLists(benchmark::State& state) {
    const TDrawsArchive& a = Archive(100000);
    const int length = int(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildLayoutScheme(a, length));
        for (int l : {50, 100, 200, 300, 400}) benchmark::DoNotOptimize(BuildLayoutCompareList(a, l));
    }
}
BENCHMARK(BM_LayoutSchemeAndLists)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
