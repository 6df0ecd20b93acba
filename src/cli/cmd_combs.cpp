// Commands on the combination set: generate.
#include "cli.h"

#include "core/combs/comb_set.h"
#include "core/util/translate.h"
#include "core/util/error.h"
#include "core/util/format.h"

#include <chrono>
#include <cstdio>

namespace velmora::cli {
namespace {

// Prints "<what>: <ms> ms" to stderr when --time was given.
class Stopwatch {
public:
    explicit Stopwatch(bool on) : on_(on), start_(std::chrono::steady_clock::now()) {}
    void Lap(const char* what) {
        auto now = std::chrono::steady_clock::now();
        if (on_)
            std::fprintf(stderr, "%s: %.3f ms\n", what,
                         std::chrono::duration<double, std::milli>(now - start_).count());
        start_ = now;
    }

private:
    bool on_;
    std::chrono::steady_clock::time_point start_;
};

int RunGenerate(Args& args) {
    TGenerateParams params;  // the defaults of the settings: the full set
    int mode = args.Int("--mode", params.Mode);
    if (mode < 0 || mode >= kGenerateModeCount)
        throw Error(Format(Tr("Режим генерации должен быть от 0 до %d"), {kGenerateModeCount - 1}));
    params.Mode = uint8_t(mode);
    params.Param = args.Value("--param").value_or(params.Param);
    if (params.Param.size() > kGenerateParamMaxLength)
        throw Error(Format(Tr("Параметр генерации длиннее %d символов"), {int(kGenerateParamMaxLength)}));
    int exclude = args.Int("--exclude", 0);
    if (exclude < 0) throw Error(Tr("Количество исключаемых тиражей не может быть отрицательным"));
    auto out = args.Value("--out");
    bool time = args.Flag("--time");
    TDrawsArchive archive = LoadArchive();
    ApplyWindowOptions(archive, args);
    args.Done();

    Stopwatch watch(time);
    TCombSet set;
    watch.Lap("allocate");
    set.Generate(true, params, CliProgress());
    watch.Lap("generate");
    if (exclude > 0) {
        set.SaveUndo(true, CliProgress());
        watch.Lap("save undo");
        set.ExcludeLastDraws(exclude, archive, CliProgress());
        watch.Lap("exclude");
    }
    Out(std::to_string(set.Count()));
    if (out) {
        set.SaveCombsFile(*out, CliProgress());
        watch.Lap("save");
    }
    return 0;
}

CommandRegistrar r1({"generate",
                     "generate [--mode M] [--param P] [--exclude N] [--offset K] [--out FILE] [--time]",
                     "builds the combination set (mode 0 full, 1 any of my numbers P, 2 only my numbers, 3 none of "
                     "them, 4 the combination file P), removes the combinations of the last N draws of the "
                     "analysis window, prints the count and writes the set to FILE; --time prints the steps' times",
                     RunGenerate});

} // namespace
} // namespace velmora::cli
