// Commands on statistic filters: filter (one keep or delete step on the combination set) and
// filter-text (a filter step's text as the script list shows it).
#include "cli.h"

#include "combs/comb_set.h"
#include "combs/draw_stats.h"
#include "filters/filter_item.h"
#include "filters/stat_filter.h"
#include "stats/stat_list.h"
#include "util/error.h"
#include "util/format.h"
#include "util/text.h"

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
    if (!code) throw Error("Не указана статистика фильтра (--stat CODE)");
    if (keep == remove) throw Error("Укажите одно из двух: --keep (оставить выделенные) или --delete (удалить выделенные)");
    if (values.empty()) throw Error("Не указано ни одного значения фильтра (--value TEXT)");
    if (options.Length < 1) throw Error("Количество тиражей для расчета статистики должно быть не меньше 1");

    TStatList list;
    list.Bind(archive.Draws);
    ApplyProgramSettings(list);
    list.Build();
    const int i = list.IndexOfCode(*code);
    if (i < 0) throw Error(Format("Неизвестный код статистики: %s", {*code}));
    if (!list.IsAvailable(i) || !list.CanShowInTable(i))
        throw Error(Format("Статистика %s не показывается в таблице", {*code}));

    // The rows of the table whose value text is one of the given texts, in row order.
    const TDrawStatsTable table = ComputeDrawStats(list, i, archive, options, CliProgress());
    TStatDrawArray selected;
    std::vector<std::string> texts;
    std::vector<bool> found(values.size(), false);
    for (const auto& row : table.Rows) {
        const std::string& text = row.Cells[kColValue];
        bool pick = false;
        for (size_t v = 0; v < values.size(); ++v)
            if (values[v] == text) pick = found[v] = true;
        if (!pick) continue;
        selected.push_back(row.Value);
        texts.push_back(text);
    }
    std::vector<std::string> missing;
    for (size_t v = 0; v < values.size(); ++v)
        if (!found[v]) missing.push_back("\"" + values[v] + "\"");
    if (!missing.empty())
        throw Error(Format("В таблице статистики %s (%d тиражей) нет значений: %s",
                           {list.Items(i).Code(), table.Length, Join(missing, ", ")}));

    TCombSet set;
    if (in)
        set.OpenCombsFile(*in, CliProgress());
    else
        set.Generate(true, TGenerateParams{}, CliProgress());
    set.SaveUndo(true, CliProgress());
    auto stat = list.CreateStat(i);
    ApplyStatFilter(set, *stat, selected, remove, archive, list.DisplayCaption(i, false), Join(texts, "; "), 0,
                    CliProgress());
    Out(std::to_string(set.Count()));
    if (out) set.SaveCombsFile(*out, CliProgress());
    return 0;
}

int RunFilterText(Args& args) {
    const std::string text = args.Positional("TEXT");
    args.Done();
    TStatList list;
    ApplyProgramSettings(list);
    list.Build();
    Out(FormatFilterItem(ParseFilterItem(text, list)));
    return 0;
}

CommandRegistrar r1({"filter",
                     "filter --stat CODE (--keep | --delete) --value TEXT [--value TEXT ...] [--len N] [--offset K] "
                     "[--sorted] [--in FILE] [--out FILE]",
                     "keeps or deletes the combinations having the values of the statistics table of CODE (sample "
                     "length N, default 1000) whose \"Значение\" text is one of the given texts; the set is the "
                     "combination file FILE or the full set; prints the count left and writes the set to --out",
                     RunFilter});
CommandRegistrar r2({"filter-text", "filter-text TEXT",
                     "prints a filter step's text as the script list shows it: read, then written back", RunFilterText});

} // namespace
} // namespace velmora::cli
