// Commands on the draw archive: draws, status, import-csv, export-csv, sample-archive.
#include "cli.h"

#include "core/model/draws_csv.h"
#include "core/util/translate.h"
#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

namespace velmora::cli {
namespace {

int RunDraws(Args& args) {
    TDrawsArchive a = LoadArchive();
    ApplyWindowOptions(a, args);
    const auto limit = args.Int("--limit");
    args.Done();
    if (limit && *limit < 0) throw Error(Format(Tr("Количество тиражей --limit не может быть отрицательным: %d"), {*limit}));
    Out(NoTr("Тираж;1;2;3;4;5;E1;E2;S;Дата тиража"));
    int n = a.Count();
    if (limit && *limit < n) n = *limit;
    for (int k = 0; k < n; ++k) Out(Join(a.DrawListRow(k), ";"));
    return 0;
}

int RunStatus(Args& args) {
    TDrawsArchive a = LoadArchive();
    ApplyWindowOptions(a, args);
    args.Done();
    for (const auto& s : a.StatusTexts()) Out(s);
    return 0;
}

int RunImport(Args& args) {
    std::string file = args.Positional("FILE");
    args.Done();
    LockDataFolder();
    TDrawsArchive a = LoadArchive();
    int invalid = 0;
    Out(std::to_string(ImportDrawsCsv(a, file, &invalid)));
    if (invalid > 0)
        PrintMessage(Format(Tr("Строк с некорректными полями: %d (такие поля записаны как 0)"), {invalid}));
    return 0;
}

int RunExport(Args& args) {
    std::string file = args.Positional("FILE");
    args.Done();
    TDrawsArchive a = LoadArchive();
    ExportDrawsCsv(a, file);
    return 0;
}

int RunSample(Args& args) {
    int n = args.Int("--draws", kSampleArchiveDraws);
    int seed = args.Int("--seed", kSampleArchiveSeed);
    args.Done();
    if (n < 1 || n > 100000) throw Error(Tr("Количество тиражей должно быть от 1 до 100000"));
    LockDataFolder();
    TDrawsArchive a;
    a.FileName = ProductFile(".ldr");
    if (FileExists(a.FileName)) {
        Out(Format(Tr("Архив тиражей уже есть: %s"), {a.FileName}));
        return 0;
    }
    a.Draws = MakeSampleDraws(n, uint32_t(seed));
    a.SaveDraws();
    Out(Format(Tr("Создан архив из %d случайных тиражей: %s"), {n, a.FileName}));
    return 0;
}

CommandRegistrar r1({"draws", "draws [--offset K] [--sorted] [--limit N]",
                     "lists the draws newest first with the draw list's texts", RunDraws});
CommandRegistrar r2({"status", "status [--offset K]", "prints the three status-panel texts", RunStatus});
CommandRegistrar r3({"import-csv", "import-csv FILE", "imports draws from a CSV file; prints the number added",
                     RunImport});
CommandRegistrar r4({"export-csv", "export-csv FILE", "writes the archive to a CSV file", RunExport});
CommandRegistrar r5({"sample-archive", "sample-archive [--draws N] [--seed S]",
                     "creates an archive of N random sample draws when the data folder has none", RunSample});

} // namespace
} // namespace velmora::cli
