// Commands on scripts: script show (the script list's cells of a script file), script options
// (the three texts of a line's options), script run (the forecast) and script test (the test over
// the last draws).
#include "cli.h"

#include "core/model/data_folder.h"
#include "core/util/translate.h"
#include "core/scripts/line_options.h"
#include "core/scripts/script_line.h"
#include "core/scripts/script_list.h"
#include "core/scripts/script_run.h"
#include "core/stakes/rating_file.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

#include <cstdio>
#include <optional>

namespace velmora::cli {
namespace {

// One line per script line: its number from 1, then the nine cells of the list, tab-separated
// (filter texts hold ";").
int RunShow(Args& args) {
    std::optional<std::string> file;
    try {
        file = args.Positional("FILE");  // raises only when there is none
    } catch (const Error&) {
    }
    args.Done();
    TScriptList script;  // no current-script file: nothing is written
    if (file)
        script.LoadScriptFile(*file, false);
    else {
        script.FileName = TScriptList::CurrentScriptFileName();
        script.LoadCurrentScript();
    }
    TStatList list;
    ApplyProgramSettings(list);
    list.Build();
    for (int r = 0; r < script.ScriptLineCount(); ++r)
        Out(IntToStr(r + 1) + "\t" + Join(ScriptRowTexts(script.GetScriptLine(r), list), "\t"));
    return 0;
}

int RunOptions(Args& args) {
    const std::string text = args.Positional("TEXT");
    args.Done();
    const TLineOptions options = ParseLineOptions(text);
    Out(FormatLineOptions(options));
    Out(FormatLineOptionsShort(options));
    Out(FormatLineOptionsCaption(options));
    return 0;
}

// The window's parts for a run without a window: every stake made is printed, every message goes
// to stderr and makes the command fail.
class TCliScriptHost : public TScriptHost {
public:
    int Messages = 0;
    void ShowError(const std::string& message) override { Report(message); }
    void ShowAttention(const std::string& message) override { Report(message); }
    void StakeAdded(const TStakeRecord& rec) override {
        Out(IntToStr(rec.DrawNumber) + "\t" + NumberSetToText(rec.Numbers, ";") + "\t" + rec.CommentText());
    }
    TProgressSink& Progress() override { return CliProgress(); }
    // Nothing shows the list between steps.
    bool FollowsCombs() const override { return false; }

private:
    void Report(const std::string& message) {
        ++Messages;
        PrintMessage(message);
    }
};

std::vector<std::string> ScriptLines(const std::optional<std::string>& file) {
    TScriptList script;  // no current-script file: nothing is written
    if (file)
        script.LoadScriptFile(*file, false);
    else {
        script.FileName = TScriptList::CurrentScriptFileName();
        script.LoadCurrentScript();
    }
    return script.Lines();
}

// script run / script test: the script on the data folder, its stakes appended to the stake file
// and checked (the ratings follow) as the desktop program does.
int RunScriptOn(Args& args, bool test) {
    std::optional<std::string> file;
    const bool log = args.Flag("--log");
    const bool compare = args.Flag("--compare");
    const bool checkOnLine = args.Flag("--check-each");
    const bool plain = args.Flag("--plain");
    const bool time = args.Flag("--time");
    const auto seed = args.Int("--seed");
    const auto count = test ? args.Int("--count") : std::nullopt;
    const auto offset = test ? std::nullopt : args.Int("--offset");
    try {
        file = args.Positional("FILE");
    } catch (const Error&) {
    }
    args.Done();
    if (test && !count) throw Error(Tr("Не указано количество тестов (--count K)"));

    LockDataFolder();
    const std::vector<std::string> lines = ScriptLines(file);
    TDrawsArchive archive = LoadArchive();
    if (archive.Count() == 0) throw Error(Tr("Архив тиражей пуст"));
    if (test && (*count < 1 || *count > archive.Count() - 1))
        throw Error(Format(Tr("Количество тестов должно быть от 1 до %d"), {archive.Count() - 1}));
    if (offset) {
        if (*offset < 0 || *offset >= archive.Count())
            throw Error(Format(Tr("Смещение должно быть от 0 до %d"), {archive.Count() - 1}));
        archive.SetDrawsOffset(*offset);
    }
    TStatList list;
    list.Bind(archive.Draws);
    ApplyProgramSettings(list);
    list.Build();
    TCombSet combs;
    TStakeFile stakes;
    const std::string warning = stakes.Load();
    if (!warning.empty()) PrintMessage(warning);
    TRatingsStore ratings;
    LoadRatings(ratings);

    TCliScriptHost host;
    TScriptRunner runner(archive, list, combs, stakes, host);
    runner.Settings.Generate = TGenerateParams{list.GenerateMode, list.GenerateParams};
    runner.Settings.Compare = compare;
    runner.Settings.CheckOnLine = checkOnLine;
    runner.Settings.LogEnabled = log;
    runner.Settings.LogFolder = DataDir();
    runner.Settings.Fast = !plain;
    runner.Settings.Check.Config = list.Config;
    runner.Settings.CheckStakes = [&](TStakeFile& f, const TDrawsArchive& a, const TStakeCheckOptions& o,
                                      TProgressSink& p) { CheckStakesRated(f, a, o, ratings, p); };
    if (seed) runner.Random.seed(uint32_t(*seed));
    const bool completed = test ? runner.Test(lines, *count) : runner.Run(lines);
    Out(Format(NoTr("Ставок: %d"), {runner.StakeCount()}));
    if (time) {
        const auto& t = runner.Timings();
        std::fprintf(stderr, "total %.3f s; start lists %.3f s; tables %.3f s; filters %.3f s; variants %lld\n", t.Total,
                     t.StartLists, t.Tables, t.Filters, static_cast<long long>(t.Variants));
    }
    stakes.Close();
    return completed && host.Messages == 0 ? 0 : 1;
}

int RunScript(Args& args) {
    const std::string what = args.Positional("show | options | run | test");
    if (what == "show") return RunShow(args);
    if (what == "options") return RunOptions(args);
    if (what == "run") return RunScriptOn(args, false);
    if (what == "test") return RunScriptOn(args, true);
    throw Error(Format(Tr("Неизвестная команда сценария: %s (show, options, run, test)"), {what}));
}

CommandRegistrar r1({"script",
                     "script show [FILE] | script options TEXT | script run [FILE] [--offset K] [--log] [--seed S] | "
                     "script test [FILE] --count K [--log] [--seed S]",
                     NoTr("show: prints a script file (the current script Velmora_5x50.lss when FILE is omitted) as the "
                     "script list shows it: the row number, the comment, the options and filters 1..7, "
                     "tab-separated; options: prints the stored, short and caption forms of an options text; "
                     "run: the forecast of the script (FILE or the current script) at the draw offset K; test: the "
                     "forecasts of the last K draws; both append their stakes to the stake file, check them, print "
                     "one line per stake made (draw, numbers, comment; tab-separated) and \"Ставок: N\"; --log writes "
                     "the execution log, --seed repeats the random choices, --compare compares the tables with the "
                     "full set, --check-each checks after every variant, --plain runs the plain engine, --time prints "
                     "where the time went; a message of the run ends the command with exit code 1"),
                     RunScript});

} // namespace
} // namespace velmora::cli
