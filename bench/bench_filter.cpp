// Figures for the filter pass on the combination set (ApplyStatFilter), over the full set of
// 2 118 760 combinations, for every method the registry builds:
//   Keep/<CODE>/threads:N, Delete/<CODE>/threads:N
//                  one pass from the undo copy into the set, keeping or deleting the three most
//                  frequent values of the method's full-set distribution (of its window over
//                  1000 draws when the full set has none), on N threads, after one untimed pass
//                  (which builds the method's value column where it has one)
//   Ranks/Keep/<CODE>, Ranks/Delete/<CODE>
//                  the same step on the full set held as ranks, as a script run filters
//                  (ApplyStatFilterToRanks, one thread): the set is put back to the full set,
//                  then copied for undo and filtered; a method without a pass on ranks filters
//                  the records written out of the set, and the survivors are taken back; after
//                  four untimed passes
//   Copy           one copy of the full set (SaveUndo), the yardstick of a pass
//   CopyRanks      one copy of the full set held as ranks
#include "core/combs/comb_set.h"
#include "core/combs/rank_set.h"
#include "core/filters/stat_filter.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>

using namespace velmora;

namespace {

struct Env {
    TDrawsArchive archive;
    TStatList list;
    TCombSet set;
    std::map<int, TStatDrawArray> selected;
    Env() {
        archive.Draws = MakeSampleDraws(1000, 7);
        list.Bind(archive.Draws);
        list.Build();
    }
    // The undo copy and the set hold the full set.
    void FullSet() {
        const TCombsArray& all = FullCombinationSet();
        std::copy(all.begin(), all.end(), set.MutableData());
        set.SetCount(int(all.size()));
        set.SaveUndo(false);
        set.ClearLog();
    }
    const TStatDrawArray& Selected(int method) {
        auto it = selected.find(method);
        if (it != selected.end()) return it->second;
        auto s = list.CreateStat(method);
        TStatDrawArray values;
        ComputeFullSetDistribution(*s, values);
        if (values.empty()) ComputeStatDistribution(*s, archive.LastIndex(), 1000, false, values);
        std::stable_sort(values.begin(), values.end(),
                         [](const TStatValueRec& a, const TStatValueRec& b) { return a.Count > b.Count; });
        if (values.size() > 3) values.resize(3);
        if (values.empty()) {  // nothing to pick: small sums either side of zero
            for (int32_t v : {-5, 0, 5}) {
                TStatValueRec r;
                r.Key.SetDword(0, uint32_t(v));
                values.push_back(r);
            }
        }
        return selected.emplace(method, values).first->second;
    }
};

Env& TheEnv() {
    static Env env;
    return env;
}

void Pass(benchmark::State& state, int method, bool remove, int threads) {
    Env& env = TheEnv();
    const TStatDrawArray& selected = env.Selected(method);
    env.FullSet();
    auto stat = env.list.CreateStat(method);
    const std::string code = env.list.Items(method).Code();
    // One pass before the timing: a script run prepares a method once (its value column) and then
    // repeats passes.
    ApplyStatFilter(env.set, *stat, selected, FilterActionOf(remove), env.archive, code, "", threads);
    env.set.RemoveLastLogLine();
    for (auto _ : state) {
        ApplyStatFilter(env.set, *stat, selected, FilterActionOf(remove), env.archive, code, "", threads);
        env.set.RemoveLastLogLine();
        benchmark::DoNotOptimize(env.set.Data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCombinationTotal);
    state.counters["kept"] = double(env.set.Count());
}

void RankPass(benchmark::State& state, int method, bool remove) {
    Env& env = TheEnv();
    const TStatDrawArray& selected = env.Selected(method);
    const TCombsArray& all = FullCombinationSet();
    TRankSet full, set, undo;
    full.Assign(all.data(), all.size());
    auto stat = env.list.CreateStat(method);
    const std::string code = env.list.Items(method).Code();
    auto step = [&] {
        set = full;
        ApplyStatFilterToRanks(set, undo, env.set, false, *stat, selected, FilterActionOf(remove), env.archive, code, "", 1);
        env.set.RemoveLastLogLine();
    };
    // Builds what the method's pass on ranks reads: at once where its codes follow from the five
    // numbers, on the fourth pass over the full set where they follow the reference draw too (the
    // preparation a script run makes once per draw).
    for (int i = 0; i < 4; ++i) step();
    for (auto _ : state) {
        step();
        benchmark::DoNotOptimize(set.Words());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCombinationTotal);
    state.counters["kept"] = double(set.Count());
}

void CopyRanks(benchmark::State& state) {
    const TCombsArray& all = FullCombinationSet();
    TRankSet full, copy;
    full.Assign(all.data(), all.size());
    for (auto _ : state) {
        copy = full;
        benchmark::DoNotOptimize(copy.Words());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCombinationTotal);
    state.counters["kept"] = double(copy.Count());
}

void Copy(benchmark::State& state) {
    Env& env = TheEnv();
    env.FullSet();
    for (auto _ : state) {
        env.set.SaveUndo(false);
        benchmark::DoNotOptimize(env.set.UndoData());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCombinationTotal);
    state.counters["kept"] = double(env.set.UndoCount());
}

} // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("Copy", Copy)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("CopyRanks", CopyRanks)->Unit(benchmark::kMillisecond)->UseRealTime();
    const TStatList& list = TheEnv().list;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string code = list.Items(i).Code();
        for (bool remove : {false, true})
            for (int threads : {1, 2})
                benchmark::RegisterBenchmark(
                    (std::string(remove ? "Delete/" : "Keep/") + code + "/threads:" + std::to_string(threads)).c_str(),
                    Pass, i, remove, threads)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
        for (bool remove : {false, true})
            benchmark::RegisterBenchmark((std::string(remove ? "Ranks/Delete/" : "Ranks/Keep/") + code).c_str(), RankPass, i,
                                         remove)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
