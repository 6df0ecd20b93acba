// Commands on scripts: script show (the script list's cells of a script file) and script options
// (the three texts of a line's options).
#include "cli.h"

#include "core/scripts/line_options.h"
#include "core/scripts/script_line.h"
#include "core/scripts/script_list.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/text.h"

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

int RunScript(Args& args) {
    const std::string what = args.Positional("show | options");
    if (what == "show") return RunShow(args);
    if (what == "options") return RunOptions(args);
    throw Error("Неизвестная команда сценария: " + what + " (show, options)");
}

CommandRegistrar r1({"script", "script show [FILE] | script options TEXT",
                     "show: prints a script file (the current script Velmora_5x50.lss when FILE is omitted) as the "
                     "script list shows it: the row number, the comment, the options and filters 1..7, "
                     "tab-separated; options: prints the stored, short and caption forms of an options text",
                     RunScript});

} // namespace
} // namespace velmora::cli
