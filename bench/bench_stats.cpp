// Figures for the statistics' hot paths over the full set of 2 118 760 combinations, for every
// method the registry builds (families added later are measured without new code):
//   FullSet/<CODE>/threads:N   the full-set distribution (batch entry point, split over N cores)
//   Filter/<CODE>              one filter pass keeping about half of the values into a second store
//   FullSetPlain/<CODE>, FilterPlain/<CODE>
//                              the plain per-combination calls, for comparison (number, sum,
//                              difference and sequence statistics)
#include "core/model/draws_archive.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"
#include "bench_env.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace velmora;

namespace {

using bench::TheEnv;

int LastIndex() { return int(TheEnv().draws.size()) - 1; }

// Every other value of the full-set distribution, or of the window when the full set has none.
TStatDrawArray HalfOfTheValues(int method) {
    auto s = TheEnv().list.CreateStat(method);
    TStatDrawArray values;
    ComputeFullSetDistribution(*s, values);
    if (values.empty()) ComputeStatDistribution(*s, LastIndex(), 1000, false, values);
    TStatDrawArray half;
    for (size_t i = 0; i < values.size(); i += 2) half.push_back(values[i]);
    return half;
}

void FullSet(benchmark::State& state, int method, int threads) {
    auto s = TheEnv().list.CreateStat(method);
    TStatDrawArray list;
    FullCombinationSet();
    for (auto _ : state) {
        ComputeFullSetDistribution(*s, list, threads);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCombinationTotal);
    state.counters["values"] = double(list.size());
}

void Filter(benchmark::State& state, int method) {
    auto s = TheEnv().list.CreateStat(method);
    const TStatDrawArray selected = HalfOfTheValues(method);
    const TCombsArray& all = FullCombinationSet();
    TCombsArray out(all.size());
    size_t kept = 0;
    for (auto _ : state) {
        kept = FilterCombinationSet(*s, all.data(), all.size(), out.data(), selected, TFilterAction::Keep, false, LastIndex());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCombinationTotal);
    state.counters["kept"] = double(kept);
}

void FullSetPlain(benchmark::State& state, int method) {
    auto s = TheEnv().list.CreateStat(method);
    const TCombsArray& all = FullCombinationSet();
    TStatDrawArray list;
    for (auto _ : state) {
        list.clear();
        for (const auto& c : all) s->AddCombinationValue(c, list);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCombinationTotal);
}

void FilterPlain(benchmark::State& state, int method) {
    auto s = TheEnv().list.CreateStat(method);
    const TStatDrawArray selected = HalfOfTheValues(method);
    const TCombsArray& all = FullCombinationSet();
    TCombsArray out(all.size());
    for (auto _ : state) {
        s->LoadDraw(-1, LastIndex(), false);
        size_t k = 0;
        for (const auto& c : all)
            if (s->CombinationMatches(c, selected, false, false, LastIndex())) out[k++] = c;
        benchmark::DoNotOptimize(k);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCombinationTotal);
}

} // namespace

int main(int argc, char** argv) {
    const TStatList& list = TheEnv().list;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string code = list.Items(i).Code();
        if (list.TestFlagBit1(i))
            for (int threads : {1, 2})
                benchmark::RegisterBenchmark(("FullSet/" + code + "/threads:" + std::to_string(threads)).c_str(),
                                             FullSet, i, threads)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
        benchmark::RegisterBenchmark(("Filter/" + code).c_str(), Filter, i)->Unit(benchmark::kMillisecond);
        const int group = list.Items(i).StatClass->GetGroup();
        const bool compared = group == 0 || group == 1 || group == 2 || group == 6;
        if (compared && list.Items(i).Param <= 1) {
            if (list.TestFlagBit1(i))
                benchmark::RegisterBenchmark(("FullSetPlain/" + code).c_str(), FullSetPlain, i)
                    ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("FilterPlain/" + code).c_str(), FilterPlain, i)->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
