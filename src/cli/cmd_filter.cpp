// Commands on statistic filters: filter (one keep or delete step on the combination set) and
// filter-text (a filter step's text as the script list shows it).
#include "cli.h"

#include "core/combs/comb_set.h"
#include "core/util/translate.h"
#include "core/combs/draw_stats.h"
#include "core/filters/filter_item.h"
#include "core/filters/stat_filter.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

#include <algorithm>
#include <vector>

namespace velmora::cli {
namespace {

int RunFilter(Args& args) {
    const auto code = args.Value("--stat");
    const bool keep = args.Flag("--keep");
    const bool remove = args.Flag("--delete");
    const std::vector<std::string> values = args.Values("--value");
    TDrawStatsOptions options;
    options.Length = args.Int("--len", options.Length);
    const auto in = args.Value("--in");
    const auto out = args.Value("--out");
    TDrawsArchive archive = LoadArchive();
    ApplyWindowOptions(archive, args);
    args.Done();
    if (!code) throw Error(Tr("Не указана статистика фильтра (--stat CODE)"));
    if (keep == remove) throw Error(Tr("Укажите одно из двух: --keep (оставить выделенные) или --delete (удалить выделенные)"));
    if (values.empty()) throw Error(Tr("Не указано ни одного значения фильтра (--value TEXT)"));
    if (options.Length < 1) throw Error(Tr("Количество тиражей для расчета статистики должно быть не меньше 1"));

    TStatList list;
    list.Bind(archive.Draws);
    ApplyProgramSettings(list);
    list.Build();
    const int i = TableStatIndex(list, *code);

    // The rows of the table whose value text is one of the given texts, in row order.
    const TDrawStatsTable table = ComputeDrawStats(list, i, archive, options, CliProgress());
    const TTableSelection selection = SelectTableValues(table, list.Items(i).Code(), values);

    TCombSet set;
    if (in)
        set.OpenCombsFile(*in, CliProgress());
    else
        set.Generate(true, TGenerateParams{}, CliProgress());
    set.SaveUndo(true, CliProgress());
    auto stat = list.CreateStat(i);
    ApplyStatFilter(set, *stat, selection.Values, FilterActionOf(remove), archive, list.DisplayCaption(i, false),
                    selection.Text, 0, CliProgress());
    Out(std::to_string(set.Count()));
    if (out) set.SaveCombsFile(*out, CliProgress());
    return 0;
}

int RunFilterText(Args& args) {
    const bool check = args.Flag("--check");
    const std::string text = args.Positional("TEXT");
    args.Done();
    TStatList list;
    ApplyProgramSettings(list);
    list.Build();
    const TFilterItem item = ParseFilterItem(text, list);
    if (check && item.Active) ValidateFilterItem(item);
    Out(FormatFilterItem(item));
    return 0;
}

CommandRegistrar r1({"filter",
                     "filter --stat CODE (--keep | --delete) --value TEXT [--value TEXT ...] [--len N] [--offset K] "
                     "[--sorted] [--in FILE] [--out FILE]",
                     NoTr("keeps or deletes the combinations having the values of the statistics table of CODE (sample "
                     "length N, default 1000) whose \"Значение\" text is one of the given texts; the set is the "
                     "combination file FILE or the full set; prints the count left and writes the set to --out"),
                     RunFilter});
CommandRegistrar r2({"filter-text", "filter-text [--check] TEXT",
                     "prints a filter step's text as the script list shows it: read, then written back; with --check "
                     "an active step must also pass the checks of the filter dialog's OK (the error names the fault)",
                     RunFilterText});

} // namespace
} // namespace velmora::cli
