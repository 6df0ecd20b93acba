// velmora-cli bench: times the hot paths on the full set over an archive built in memory (fixed
// seed, 1000 draws) and prints one line per case, "name;median milliseconds;signature". The
// signature is a count of survivors or of values, so that a change of speed can never hide a
// change of results; runs of one case that disagree on it are an error.
//
// A case is one row of BenchCases(): an untimed preparation before every run and the timed run,
// which returns the signature. Add a row for a new hot path.
#include "cli.h"

#include "core/combs/comb_set.h"
#include "core/util/translate.h"
#include "core/filters/stat_filter.h"
#include "core/scripts/script_run.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"
#include "core/stats/value_columns.h"
#include "core/util/error.h"
#include "core/util/format.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace velmora::cli {
namespace {

constexpr int kBenchDraws = 1000;
constexpr uint32_t kBenchSeed = 7;
constexpr int kDefaultRepeat = 9;

struct TBenchEnv {
    TDrawsArchive archive;
    TStatList list;
    TCombSet set;
    bool ranks = true;  // scripts hold their lists as ranks
    TBenchEnv() {
        archive.Draws = MakeSampleDraws(kBenchDraws, kBenchSeed);
        list.Bind(archive.Draws);
        list.Build();
    }
    // Current and the undo copy hold the full set, the log is empty.
    void FullSet() {
        const TCombsArray& all = FullCombinationSet();
        std::copy(all.begin(), all.end(), set.MutableData());
        set.SetCount(int(all.size()));
        set.SaveUndo(false);
        set.ClearLog();
    }
    int Method(const char* code) const {
        const int i = list.IndexOfCode(code);
        if (i < 0) throw Error(Format(Tr("Неизвестный код статистики: %s"), {code}));
        return i;
    }
};

struct TBenchCase {
    const char* Name;
    std::function<void(TBenchEnv&)> Prepare;  // before every run, not timed
    std::function<int64_t(TBenchEnv&)> Run;   // timed; returns the signature
};

TStatValueRec KeyRec(uint16_t k0) {
    TStatValueRec r;
    r.Key.K[0] = k0;
    return r;
}

int64_t FullSetValues(TBenchEnv& env, int method) {
    TStatDrawArray values;
    auto stat = env.list.CreateStat(method);
    ComputeFullSetDistribution(*stat, values);
    return int64_t(values.size());
}

// The reference script of "script-test": list filters of several kinds over the three start lists.
const std::vector<std::string> kBenchScript = {
    "EXCL:10#RAND|TMF1#NUMS:10;20#LMV:3#SF:0|BSD0#EVEN:50#CLV:5#ST:2| | | | | |r1",
    "FULL:0#FIRST|TMD1#SUMS:30#LVA:100-140;1#SF:0|TMF2#NUMS:8#CDV:1;2#SF:0| | | | | |r2",
    "CURR:0#LAST|TSF1#EVEN:20;40#LNO:#SC:20| | | | | | |r3",
};
constexpr int kBenchScriptTests = 20;

// "script-test-heavy": the same script with methods whose keys cost more to compute (channel and
// row values, the characteristic number, pairs of numbers) and a repeat count that follows the
// reference draw.
const std::vector<std::string> kBenchHeavyScript = {
    "EXCL:10#RAND|TMF1#CHNV:10;20#LMV:3#SF:0|BSD0#ROWV:50#CLV:5#ST:2| | | | | |r1",
    "FULL:0#FIRST|TMD1#HCS1:30#LVA:0-10;1#SF:0|TMF2#KNM2:8#CDV:1;2#SF:0| | | | | |r2",
    "CURR:0#LAST|TSF1#RPC2:20;40#LNO:#SC:20| | | | | | |r3",
};

// A test of the reference script over the last 20 draws into a fresh stake file; the signature is
// the number of stakes made times 1 000 003 plus a checksum of their draws and numbers.
int64_t ScriptSignature(TBenchEnv& env, const std::vector<std::string>& script) {
    const std::string path = (std::filesystem::temp_directory_path() / "velmora_bench_script.lsk").string();
    std::filesystem::remove(path);
    TStakeFile stakes(path);
    stakes.Open();
    // As the command line's host: nothing reads the list between steps.
    struct THost : TScriptHost {
        bool FollowsCombs() const override { return false; }
    } host;
    TScriptRunner runner(env.archive, env.list, env.set, stakes, host);
    runner.Random.seed(kBenchSeed);
    runner.Settings.Ranks = env.ranks;
    if (!runner.Test(script, kBenchScriptTests)) throw Error(Tr("Тест сценария не завершен"));
    int64_t sum = 0;
    stakes.ForEachStake([&](int, const TStakeRecord& r) {
        if (r.DrawNumber <= 0) return;
        sum = (sum * 31 + r.DrawNumber) % 1000003;
        for (int i = 0; i < r.Numbers.Count; ++i) sum = (sum * 53 + r.Numbers.Numbers[i]) % 1000003;
    });
    const int64_t made = runner.StakeCount();
    stakes.Close();
    std::filesystem::remove(path);
    return made * 1000003 + sum;
}

const std::vector<TBenchCase>& BenchCases() {
    static const std::vector<TBenchCase> cases = {
        {"generate", nullptr,
         [](TBenchEnv& env) {
             env.set.Generate(false, TGenerateParams{});
             return int64_t(env.set.Count());
         }},
        {"undo-copy", [](TBenchEnv& env) { env.FullSet(); },
         [](TBenchEnv& env) {
             env.set.SaveUndo(false);
             return int64_t(env.set.UndoCount());
         }},
        {"exclude-100", [](TBenchEnv& env) { env.FullSet(); },
         [](TBenchEnv& env) {
             env.set.ExcludeLastDraws(100, env.archive);
             return int64_t(env.set.Count());
         }},
        {"filter-nums-keep", [](TBenchEnv& env) { env.FullSet(); },
         [](TBenchEnv& env) {
             ApplyNumberFilter(env.set, env.list, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, TFilterAction::Keep, env.archive, "NUMS",
                               "1..10");
             return int64_t(env.set.Count());
         }},
        {"filter-even-delete", [](TBenchEnv& env) { env.FullSet(); },
         [](TBenchEnv& env) {
             auto stat = env.list.CreateStat(env.Method("EVEN"));
             ApplyStatFilter(env.set, *stat, {KeyRec(2)}, TFilterAction::Delete, env.archive, "EVEN", "2:3");
             return int64_t(env.set.Count());
         }},
        {"fullset-nums", nullptr, [](TBenchEnv& env) { return FullSetValues(env, env.Method("NUMS")); }},
        {"fullset-all", nullptr,
         [](TBenchEnv& env) {
             int64_t values = 0;
             for (int i = 0; i < env.list.Count(); ++i)
                 if (env.list.TestFlagBit1(i)) values += FullSetValues(env, i);
             return values;
         }},
        {"script-test", nullptr, [](TBenchEnv& env) { return ScriptSignature(env, kBenchScript); }},
        {"script-test-heavy", nullptr, [](TBenchEnv& env) { return ScriptSignature(env, kBenchHeavyScript); }},
    };
    return cases;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int RunBench(Args& args) {
    const int repeat = args.Int("--repeat", kDefaultRepeat);
    const std::vector<std::string> only = args.Values("--case");
    const bool plain = args.Flag("--plain");
    args.Done();
    if (repeat < 1 || repeat > 1000) throw Error(Tr("Количество прогонов должно быть от 1 до 1000"));
    for (const auto& name : only)
        if (std::none_of(BenchCases().begin(), BenchCases().end(),
                         [&](const TBenchCase& c) { return name == c.Name; }))
            throw Error(Format(Tr("Неизвестный случай замера: %s"), {name}));

    TBenchEnv env;
    FullCombinationSet();  // built once, outside the timings
    // Without value columns every pass computes the keys of every combination.
    if (plain) SetValueColumnBuildMinimum(SIZE_MAX);
    env.ranks = !plain;
    for (const TBenchCase& c : BenchCases()) {
        if (!only.empty() && std::find(only.begin(), only.end(), c.Name) == only.end()) continue;
        std::vector<double> times;
        int64_t signature = 0;
        for (int r = 0; r < repeat; ++r) {
            if (c.Prepare) c.Prepare(env);
            const auto start = std::chrono::steady_clock::now();
            const int64_t s = c.Run(env);
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            if (r > 0 && s != signature)
                throw Error(Format(Tr("Прогоны случая %s дали разные результаты: %d и %d"), {c.Name, signature, s}));
            signature = s;
        }
        char ms[32];
        std::snprintf(ms, sizeof ms, "%.3f", Median(times));
        Out(std::string(c.Name) + ";" + ms + ";" + std::to_string(signature));
    }
    return 0;
}

CommandRegistrar r1({"bench", "bench [--repeat N] [--case NAME ...] [--plain]",
                     "times the hot paths on the full set over 1000 sample draws held in memory (seed 7): one line "
                     "per case, name;median ms of N runs (default 9);signature (the count of survivors or values); "
                     "--case runs only the named cases; --plain runs the filter passes without value columns and the "
                     "scripts on lists of records",
                     RunBench});

} // namespace
} // namespace velmora::cli
