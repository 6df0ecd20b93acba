// Commands on the statistic list: methods, fullset.
#include "cli.h"

#include "core/combs/favourites.h"
#include "core/stats/stat_list.h"
#include "core/util/translate.h"
#include "core/stats/stat_runs.h"
#include "core/util/error.h"
#include "core/util/format.h"

#include <chrono>
#include <cstdio>

namespace velmora::cli {
namespace {

int RunMethods(Args& args) {
    const bool all = args.Flag("--all");
    const bool topics = args.Flag("--help-topics");
    args.Done();
    TStatList list;
    // The selectors offer the favourites only (all methods when there is no restriction).
    LoadStatListWithFavourites(list);
    Out(topics ? NoTr("#;Код;Группа;Флаги;Название;Раздел справки") : NoTr("#;Код;Группа;Флаги;Название"));
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsAvailable(i)) continue;
        if (!all && !(list.CanShowInTable(i) && list.IsVisible(i))) continue;
        const TStatMethod& m = list.Items(i);
        std::string row = Format("%d;%s;%d;%s;%s", {i + 1, m.Code(), m.StatClass->GetGroup(),
                                                    FlagLetters(m.StatClass->GetFilterFlags()), m.FullCaption()});
        if (topics) row = Format("%s;%s", {row, StatHelpTopic(m)});
        Out(row);
    }
    return 0;
}

int RunFullSet(Args& args) {
    int threads = args.Int("--threads", 0);
    bool timed = args.Flag("--time");
    std::string code = args.Positional("CODE");
    args.Done();
    if (threads < 0 || threads > 64) throw Error(Tr("Количество потоков должно быть от 0 до 64"));
    TStatList list;
    ApplyProgramSettings(list);
    list.Build();
    int i = list.IndexOfCode(code);
    if (i < 0) throw Error(Format(Tr("Неизвестный код статистики: %s"), {code}));
    auto stat = list.CreateStat(i);
    TStatDrawArray values;
    auto start = std::chrono::steady_clock::now();
    ComputeFullSetDistribution(*stat, values, threads);
    SortStatValues(values);
    auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    Out(NoTr("Значение;Количество"));
    for (const auto& v : values) Out(stat->ValueToText(v) + ";" + std::to_string(v.Count));
    if (timed) std::fprintf(stderr, "%s: %.1f ms\n", list.Items(i).Code().c_str(), ms);
    return 0;
}

CommandRegistrar r1({"methods", "methods [--all] [--help-topics]",
                     "lists the statistic methods the selectors offer (the favourites when they are restricted; "
                     "--all: every available method): registry position, code, group, flags, caption, and with "
                     "--help-topics the method's help topic file",
                     RunMethods});
CommandRegistrar r2({"fullset", "fullset CODE [--threads N] [--time]",
                     "the distribution of a statistic over all 2 118 760 combinations, by value", RunFullSet});

} // namespace
} // namespace velmora::cli
