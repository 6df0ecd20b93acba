// Commands on the ratings: ratings [list] | refresh | export | to-script.
#include "cli.h"

#include "core/scripts/script_list.h"
#include "core/util/translate.h"
#include "core/stakes/rating_file.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

namespace velmora::cli {
namespace {

// A column by its caption (ignoring case) or its number from 0.
int ColumnOf(const std::string& word) {
    for (int c = 0; c < kRatingColumnCount; ++c)
        if (SameText(word, kRatingCaptions[size_t(c)])) return c;
    const auto n = TryStrToInt(word);
    if (n && *n >= 0 && *n < kRatingColumnCount) return *n;
    throw Error(Format(Tr("Неизвестный столбец рейтинга: %s"), {word}));
}

// The ratings of the data folder as the desktop program reads them (a read error is raised).
void LoadForReading(TRatingsArray& ratings) { LoadRatingsFile(RatingsFileName(), ratings); }

int RunList(Args& args) {
    const auto sort = args.Value("--sort");
    const bool desc = args.Flag("--desc");
    const int mode = args.Int("--mode", kDefaultRatingEffMode);
    args.Done();
    if (mode < remExpected || mode > remRelative) throw Error(Tr("Режим эффективности должен быть 0, 1 или 2"));
    TRatingsArray ratings;
    LoadForReading(ratings);
    // The listing sorts for itself; the file keeps the desktop program's order.
    if (sort) SortRatingsArray(ratings, ColumnOf(*sort), desc);
    std::vector<std::string> header(kRatingCaptions.begin(), kRatingCaptions.end());
    Out(Join(header, "\t"));
    TMatchTailCache tails;
    for (const auto& r : ratings) {
        const auto cells = RatingCells(r, mode, &tails);
        Out(Join(std::vector<std::string>(cells.begin(), cells.end()), "\t"));
    }
    return 0;
}

int RunRefresh(Args& args) {
    args.Done();
    LockDataFolder();
    TStakeFile file;
    const std::string warning = file.Load();
    if (!warning.empty()) PrintMessage(warning);
    TRatingsStore store;
    try {
        store.Load(CliProgress());
    } catch (const std::exception& e) {
        PrintMessage(e.what());  // the entries are computed anew anyway
    }
    store.Refresh(file, CliProgress());
    Out(Format(NoTr("Рейтинг: %d"), {int64_t(store.Ratings.size())}));
    return 0;
}

int RunExport(Args& args) {
    const std::string path = args.Positional("FILE");
    args.Done();
    TRatingsArray ratings;
    LoadForReading(ratings);
    ExportRatingsCsv(path, ratings);
    return 0;
}

int RunToScript(Args& args) {
    std::vector<int> rows;
    for (;;) {
        std::string word;
        try {
            word = args.Positional("ROW");
        } catch (const Error&) {
            break;
        }
        const auto n = TryStrToInt(word);
        if (!n || *n < 1) throw Error(Format(Tr("Номер строки рейтинга должен быть целым числом от 1: %s"), {word}));
        rows.push_back(*n);
    }
    args.Done();
    if (rows.empty()) throw Error(Tr("Не указаны строки рейтинга ROW..."));
    LockDataFolder();
    TRatingsArray ratings;
    LoadForReading(ratings);
    TStatList list;
    ApplyProgramSettings(list);
    list.Build();
    TScriptList script;
    script.FileName = TScriptList::CurrentScriptFileName();
    script.LoadCurrentScript();
    int added = 0, refused = 0;
    for (int row : rows) {
        if (size_t(row) > ratings.size())
            throw Error(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {row - 1}));
        const std::string& caption = ratings[size_t(row - 1)].Comment;
        const auto line = RatingScriptLine(caption, list);
        if (!line) {
            PrintMessage(RatingRefusedMessage(caption));
            ++refused;
            continue;
        }
        script.AddScriptLine(*line);
        Out(*line);
        ++added;
    }
    return refused > 0 ? 1 : 0;
}

int RunRatings(Args& args) {
    std::string sub = "list";
    // The listing is the default: "ratings --sort E2" lists too.
    Args probe = args;
    try {
        const std::string first = probe.Positional("");
        if (first == "list" || first == "refresh" || first == "export" || first == "to-script") sub = args.Positional("");
    } catch (const Error&) {
    }
    if (sub == "list") return RunList(args);
    if (sub == "refresh") return RunRefresh(args);
    if (sub == "export") return RunExport(args);
    return RunToScript(args);
}

CommandRegistrar r1({"ratings",
                     "ratings [list] [--sort COL] [--desc] [--mode 0|1|2] | refresh | export FILE | to-script ROW...",
                     "the ratings of checked stakes per comment: lists the rows as the list shows them (a header of "
                     "captions, cells separated by tabs; COL is a caption or a number from 0; the file is not "
                     "changed), recomputes them from the stake file, exports them as CSV, or adds rows (numbered "
                     "from 1 in the file's order) to the current script",
                     RunRatings});

} // namespace
} // namespace velmora::cli
