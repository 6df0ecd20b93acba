// Figures for the stake file: checking and searching 100 000 stakes, appending, and what the
// stake page needs to show a file of 1 000 000 stakes (open it and read one screen of rows).
#include "core/stakes/stake_check.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

std::string BenchDir() {
    const auto dir = fs::temp_directory_path() / ("velmora_bench_stakes_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir.string();
}

// `count` unchecked stakes by script for 1 000 draws (blocks of count / 1000 per draw), written at
// once; a separator after every block.
std::string MakeStakeFile(const std::string& name, int count) {
    const std::string path = BenchDir() + "/" + name;
    std::mt19937 rng(7);
    std::string bytes;
    bytes.reserve(size_t(count) * kStakeRecordSize);
    unsigned char raw[kStakeRecordSize];
    const int perDraw = std::max(1, count / 1000);
    for (int i = 0; i < count; ++i) {
        TStakeRecord r;
        if (i % perDraw == perDraw - 1) {
            r = SeparatorRecord();
        } else {
            r.Kind = skScript;
            r.DrawNumber = i / perDraw + 1;
            r.Sample = 1000;
            TCombination c;
            for (int k = 0; k < 5; ++k) c[size_t(k)] = uint8_t(rng() % 50 + 1);
            CombToNumberSet(c, r.Numbers);
            r.Matched.Count = -1;
            r.Profit = -20000;
            r.SetCommentText("01.001: @ FULL#RAND");
        }
        WriteStakeRecord(r, raw);
        bytes.append(reinterpret_cast<const char*>(raw), kStakeRecordSize);
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

TDrawsArchive ThousandDraws() {
    TDrawsArchive a;
    a.Draws = MakeSampleDraws(1000, 3);
    return a;
}

} // namespace

// Checking 100 000 fresh stakes (every draw is in the archive); the file is restored between runs.
static void BM_CheckStakes(benchmark::State& state) {
    const std::string tmpl = MakeStakeFile("template.lsk", 100000);
    const std::string path = BenchDir() + "/Velmora_5x50.lsk";
    const TDrawsArchive archive = ThousandDraws();
    TStakeCheckOptions options;
    options.Config.Cost = 20000;
    options.Config.Profits = {{3, 105000}, {4, 1000000}, {5, 100000000}};
    int checked = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(tmpl, path, fs::copy_options::overwrite_existing);
        TStakeFile file(path);
        file.Open();
        state.ResumeTiming();
        checked = CheckStakes(file, archive, options, NullProgress());
    }
    state.counters["checked"] = checked;
    state.SetItemsProcessed(int64_t(state.iterations()) * 100000);
}
BENCHMARK(BM_CheckStakes)->Unit(benchmark::kMillisecond);

// The check at start-up when every stake was checked before: one scan of the file.
static void BM_CheckStakesNothingNew(benchmark::State& state) {
    const std::string path = MakeStakeFile("checked.lsk", 100000);
    const TDrawsArchive archive = ThousandDraws();
    TStakeFile file(path);
    file.Open();
    CheckStakes(file, archive, {}, NullProgress());
    for (auto _ : state) benchmark::DoNotOptimize(CheckStakes(file, archive, {}, NullProgress()));
    state.SetItemsProcessed(int64_t(state.iterations()) * 100000);
}
BENCHMARK(BM_CheckStakesNothingNew)->Unit(benchmark::kMillisecond);

// FindStake over 100 000 stakes for a stake that is not there (the whole file is read).
static void BM_FindStake(benchmark::State& state) {
    const std::string path = MakeStakeFile("find.lsk", 100000);
    TStakeFile file(path);
    file.Open();
    const TNumberSet absent{5, {1, 2, 3, 4, 5}};
    for (auto _ : state) benchmark::DoNotOptimize(file.FindStake(999999, absent));
    state.SetItemsProcessed(int64_t(state.iterations()) * 100000);
}
BENCHMARK(BM_FindStake)->Unit(benchmark::kMillisecond);

// Appending one stake (three writes: the size, the bytes, the version byte).
static void BM_AppendStake(benchmark::State& state) {
    const std::string path = BenchDir() + "/append.lsk";
    fs::remove(path);
    TStakeFile file(path);
    file.Open();
    TStakeRecord r;
    r.Kind = skScript;
    r.DrawNumber = 10;
    r.Matched.Count = -1;
    for (auto _ : state) file.AppendStakes(r, 1);
    state.SetItemsProcessed(int64_t(state.iterations()));
}
BENCHMARK(BM_AppendStake);

// What the stake page does to show a file of 1 000 000 stakes: open it, count the rows and read one
// screen (40 rows) at the end, where the grid scrolls to.
static void BM_OpenMillionAndShowLastScreen(benchmark::State& state) {
    const std::string path = MakeStakeFile("million.lsk", 1000000);
    for (auto _ : state) {
        TStakeFile file(path);
        file.Open();
        const int n = file.StakeCount();
        for (int i = std::max(0, n - 40); i < n; ++i) benchmark::DoNotOptimize(file.ReadStake(TStakeOrigin::Begin, i));
    }
}
BENCHMARK(BM_OpenMillionAndShowLastScreen)->Unit(benchmark::kMicrosecond);

// Scrolling: one screen of 40 rows read at a random place of the million-stake file.
static void BM_ScrollMillion(benchmark::State& state) {
    const std::string path = MakeStakeFile("million2.lsk", 1000000);
    TStakeFile file(path);
    file.Open();
    std::mt19937 rng(1);
    for (auto _ : state) {
        const int top = int(rng() % 999960u);
        for (int i = top; i < top + 40; ++i) benchmark::DoNotOptimize(file.ReadStake(TStakeOrigin::Begin, i));
    }
}
BENCHMARK(BM_ScrollMillion)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(BenchDir());
    return 0;
}
