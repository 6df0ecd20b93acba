// Commands on the draw statistics table: stats (the table of one statistic) and prefetch (the
// full-set distribution files).
#include "cli.h"

#include "core/combs/draw_stats.h"
#include "core/util/translate.h"
#include "core/combs/prefetch.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

#include <cstdio>

namespace velmora::cli {
namespace {

void PrintErrors(const std::vector<std::string>& messages) {
    for (const auto& m : messages) PrintMessage(m);
}

int RunStats(Args& args) {
    TDrawsArchive archive = LoadArchive();
    ApplyWindowOptions(archive, args);
    TDrawStatsOptions options;
    options.Length = args.Int("--len", 1000);
    options.Compare = args.Flag("--compare");
    const auto sortColumn = args.Int("--sort");
    const bool descending = args.Flag("--desc");
    const std::string code = args.Positional("CODE");
    args.Done();
    // The comparison writes the distribution file when it is missing.
    if (options.Compare) LockDataFolder();
    if (options.Length < 1) throw Error(Tr("Количество тиражей для расчета статистики должно быть не меньше 1"));
    if (sortColumn && (*sortColumn < 0 || *sortColumn >= kDrawStatsColumnCount))
        throw Error(Format(Tr("Номер столбца должен быть от 0 до %d"), {kDrawStatsColumnCount - 1}));

    TStatList list;
    list.Bind(archive.Draws);
    ApplyProgramSettings(list);
    list.Build();
    const int i = TableStatIndex(list, code);

    TDrawStatsTable table = ComputeDrawStats(list, i, archive, options, CliProgress());
    PrintErrors(table.Messages);
    if (sortColumn) SortDrawStatsRows(table.Rows, *sortColumn, descending);
    Out(Join(std::vector<std::string>(kDrawStatsCaptions.begin(), kDrawStatsCaptions.end()), ";"));
    for (const auto& row : table.Rows) Out(Join(std::vector<std::string>(row.Cells.begin(), row.Cells.end()), ";"));
    return 0;
}

int RunPrefetch(Args& args) {
    const bool force = args.Flag("--force");
    args.Done();
    LockDataFolder();
    TDrawsArchive archive = LoadArchive();
    TStatList list;
    list.Bind(archive.Draws);
    ApplyProgramSettings(list);
    list.Build();
    const TPrefetchBuildResult r =
        CreatePrefetchFiles(list, true, true, force ? kAllPrefetchGroups : kNoPrefetchGroups, CliProgress());
    Out(std::to_string(r.Built));
    PrintErrors(r.Errors);
    return r.Errors.empty() ? 0 : 1;
}

CommandRegistrar r1({"stats", "stats CODE [--len N] [--offset K] [--sorted] [--compare] [--sort COL] [--desc]",
                     "the draw statistics table of a statistic: captions, then one line per value", RunStats});
CommandRegistrar r2({"prefetch", "prefetch [--force]",
                     "builds the full-set distribution files (only the missing ones without --force); prints how "
                     "many it built",
                     RunPrefetch});

} // namespace
} // namespace velmora::cli
