// Spreadsheet export of the lists and tables: export-xlsx.
#include "cli.h"

#include "core/combs/comb_set.h"
#include "core/util/translate.h"
#include "core/combs/draw_stats.h"
#include "core/export/list_tables.h"
#include "core/export/xlsx_export.h"
#include "core/stakes/stake_export.h"
#include "core/stakes/stake_file.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"

namespace velmora::cli {
namespace {

// Writes the table and prints the number of rows and sheets written.
int Export(const std::string& file, const TXlsTable& table) {
    ExportXlsx(file, table, CliProgress());
    Out(Format("%d;%d", {table.RowCount, XlsSheetCount(table.RowCount)}));
    return 0;
}

int RunExportXlsx(Args& args) {
    const std::string what = args.Positional("draws | combs | stats | stakes");
    if (what == "draws") {
        TDrawsArchive archive = LoadArchive();
        ApplyWindowOptions(archive, args);
        const std::string file = args.Positional("FILE");
        args.Done();
        return Export(file, DrawsXlsTable(archive, Tr(kDrawsXlsTitle)));
    }
    if (what == "combs") {
        const auto in = args.Value("--in");
        const std::string file = args.Positional("FILE");
        args.Done();
        TCombSet set;
        if (in) {
            set.OpenCombsFile(*in, CliProgress());
        } else {
            set.Generate(true, TGenerateParams{}, CliProgress());
        }
        return Export(file, CombsXlsTable(set, Tr(kCombsXlsTitle)));
    }
    if (what == "stats") {
        TDrawsArchive archive = LoadArchive();
        ApplyWindowOptions(archive, args);
        TDrawStatsOptions options;
        options.Length = args.Int("--len", 1000);
        const std::string code = args.Positional("CODE");
        const std::string file = args.Positional("FILE");
        args.Done();
        if (options.Length < 1) throw Error(Tr("Количество тиражей для расчета статистики должно быть не меньше 1"));
        TStatList list;
        list.Bind(archive.Draws);
        ApplyProgramSettings(list);
        list.Build();
        const int i = TableStatIndex(list, code);
        const TDrawStatsTable table = ComputeDrawStats(list, i, archive, options, CliProgress());
        return Export(file, DrawStatsXlsTable(table.Rows, false,
                                              DrawStatsXlsTitle(Tr(kDrawStatsXlsTitle), list.Items(i).FullCaption())));
    }
    if (what == "stakes") {
        const std::string file = args.Positional("FILE");
        args.Done();
        // Read-only and without the lock: the desktop program may hold the file meanwhile.
        TStakeFile stakes;
        stakes.OpenReadOnly();
        const std::string warning = stakes.OutdatedWarning();
        if (!warning.empty()) throw Error(warning);
        return Export(file, StakesXlsTable(stakes, NoTr("Ставки")));
    }
    throw Error(Format(Tr("Неизвестный список для экспорта: %s (draws, combs, stats или stakes)"), {what}));
}

CommandRegistrar r1({"export-xlsx",
                     "export-xlsx (draws [--offset K] [--sorted] | combs [--in FILE] | stats CODE [--len N] "
                     "[--offset K] [--sorted] | stakes) FILE",
                     "writes the draw list, the combination set (all combinations, or those of a combination "
                     "file), a statistic's draw table or the stakes as an .xlsx workbook; prints the rows and sheets "
                     "written",
                     RunExportXlsx});

} // namespace
} // namespace velmora::cli
