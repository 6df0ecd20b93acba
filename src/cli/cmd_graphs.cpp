// Commands of the analysis views drawn as curves and tables: graph (the draw graph of a statistic),
// sum-distribution, repeats and weekday.
#include "cli.h"

#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/translate.h"
#include "core/views/draw_graph.h"
#include "core/views/repeats_analysis.h"
#include "core/views/sum_distribution.h"
#include "core/views/weekday_stats.h"

#include <cstdio>
#include <string>
#include <vector>

namespace velmora::cli {
namespace {

// A floating-point value for machine-readable output: "." as the separator, no trailing zeros.
std::string PlainDouble(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

int LengthOption(Args& args, int def) {
    const int length = args.Int("--len", def);
    if (length < 1) throw Error(Tr("Количество тиражей для расчета статистики должно быть не меньше 1"));
    return length;
}

int RunGraph(Args& args) {
    TDrawsArchive archive = LoadArchive();
    ApplyWindowOptions(archive, args);
    const int length = LengthOption(args, 100);
    const std::string code = args.Positional("CODE");
    args.Done();
    TStatList list;
    list.Bind(archive.Draws);
    ApplyProgramSettings(list);
    list.Build();
    const int index = GraphMethodIndex(list, code);
    const TDrawGraph graph = ComputeDrawGraph(list, index, archive, length, CliProgress());
    for (const TDrawGraphPoint& p : graph.Points) Out(IntToText(p.DrawNumber) + "\t" + IntToText(p.Value));
    Out(std::string(NoTr("Среднее значение")) + "\t" + PlainDouble(graph.Mean));
    Out(std::string(NoTr("Наиболее часто встречающееся значение")) + "\t" + IntToText(graph.Mode));
    return 0;
}

int RunSumDistribution(Args& args) {
    args.Done();
    TDrawsArchive archive = LoadArchive();
    const TSumDistribution dist = ComputeSumDistribution(archive, CliProgress());
    for (const TSumRange& r : dist.Ranges) Out(r.Title);
    std::vector<int32_t> draws(MaxSum + 1, 0);
    for (const TStatSimpleRec& r : dist.Actual)
        if (r.Value >= MinSum && r.Value <= MaxSum) draws[size_t(r.Value)] = r.Count;
    for (const TStatSimpleRec& r : dist.Theoretical)
        Out(IntToText(r.Value) + "\t" + IntToText(r.Count) + "\t" + IntToText(draws[size_t(r.Value)]));
    return 0;
}

int RunRepeats(Args& args) {
    const int length = LengthOption(args, 100);
    const int depth = args.Int("--depth", 100);
    args.Done();
    if (depth < 1) throw Error(Tr("Глубина поиска совпадений должна быть не меньше 1"));
    TDrawsArchive archive = LoadArchive();
    const TRepeatsAnalysis analysis = AnalyzeRepeats(archive.Draws, length, depth, CliProgress());
    for (const TRepeatsRow& row : analysis.Rows)
        Out(IntToText(row.Draw) + "\t" + IntToText(row.Shared) + "\t" + IntToText(row.Count) + "\t" +
            analysis.ListText(row));
    return 0;
}

int RunWeekday(Args& args) {
    TDrawsArchive archive = LoadArchive();
    ApplyWindowOptions(archive, args);
    const int length = LengthOption(args, 1000);
    args.Done();
    // Machine-readable output: the Russian short names whatever the interface language.
    static const char* const names[kWeekdayCount] = {NoTr("Пн"), NoTr("Вт"), NoTr("Ср"), NoTr("Чт"),
                                                     NoTr("Пт"), NoTr("Сб"), NoTr("Вс")};
    const TWeekdayTable table = CountWeekdays(archive, length, CliProgress());
    for (int d = 1; d <= kWeekdayCount; ++d) {
        std::string line = names[d - 1];
        for (int n = kMinNumber; n <= kMaxNumber; ++n) line += "\t" + IntToText(table.At(n, d));
        Out(line);
    }
    return 0;
}

CommandRegistrar r1({"graph", "graph CODE [--len N] [--offset K] [--sorted]",
                     "the draw graph of a statistic with a graph: one line per draw of the last N of the "
                     "analysis window, oldest first, draw number<TAB>value, then the mean and the most frequent value",
                     RunGraph});
CommandRegistrar r2({"sum-distribution", "sum-distribution",
                     "the sum distribution: the three range titles, then one line per sum 15..240, "
                     "sum<TAB>combinations<TAB>draws of the whole archive",
                     RunSumDistribution});
CommandRegistrar r3({"repeats", "repeats [--len S] [--depth D]",
                     "the repeats analysis of the latest S draws of the whole archive, each against the D draws "
                     "before it: one line per row, newest first, draw<TAB>shared<TAB>repeats<TAB>draws",
                     RunRepeats});
CommandRegistrar r4({"weekday", "weekday [--len N] [--offset K]",
                     "the weekday statistics of the last N draws of the analysis window: seven lines, Monday first, "
                     "the short weekday name and the counts of the numbers 1..50 (tab-separated)",
                     RunWeekday});

} // namespace
} // namespace velmora::cli
