// Commands of regular stakes: regulars list | add | delete | stake | test.
#include "cli.h"

#include "core/app/config.h"
#include "core/combs/comb_set.h"
#include "core/stakes/rating_file.h"
#include "core/stakes/regular_stake.h"
#include "core/stakes/stake_check.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <memory>

namespace velmora::cli {
namespace {

// The list of the data folder; the damaged records are reported on stderr and left out.
TRegularStakes LoadList() {
    const std::string file = RegularStakeFileName();
    TRegularLoad load = LoadRegularStakes(file);
    if (!load.DamagedRows.empty()) PrintMessage(RegularDamageMessage(file, load.DamagedRows));
    return std::move(load.Stakes);
}

void PrintRegular(const TRegularStake& r) {
    const auto cells = RegularListCells(r);
    Out(Join(std::vector<std::string>(cells.begin(), cells.end()), "\t"));
}

void PrintStake(const TStakeRecord& rec) {
    Out(IntToStr(rec.DrawNumber) + "\t" + NumberSetToText(rec.Numbers, ";") + "\t" + rec.CommentText());
}

// A list row (1-based) as a list index.
int RowArg(const std::string& word, const TRegularStakes& list) {
    const auto row = TryStrToInt(Trim(word));
    if (!row || *row < 1 || size_t(*row) > list.size())
        throw Error(Format(Tr("Некорректный номер строки регулярной ставки: %s (строк: %d)"), {word, int(list.size())}));
    return *row - 1;
}

std::vector<std::string> PositionalWords(Args& args, const char* what) {
    std::vector<std::string> words;
    for (;;) {
        try {
            words.push_back(args.Positional(what));
        } catch (const Error&) {
            break;
        }
    }
    return words;
}

// The current combination list: the one the program settings generate (as the script run does).
struct TCurrentCombs {
    TStatList List;
    TCombSet Set;
};
std::unique_ptr<TCurrentCombs> CurrentCombs(const TDrawsArchive& archive) {
    auto c = std::make_unique<TCurrentCombs>();
    c->List.Bind(archive.Draws);
    ApplyProgramSettings(c->List);
    c->Set.Generate(true, TGenerateParams{c->List.GenerateMode, c->List.GenerateParams}, CliProgress());
    return c;
}

TConfigData ProgramConfig() {
    TConfigFile file;
    try {
        file.Load();
    } catch (const std::exception& e) {
        PrintMessage(Format(Tr("Ошибка чтения файла конфигурации!\r\r%s"), {e.what()}));
    }
    return ReadConfig(file.Ini());
}

// The stakes just made are checked against the archive (the ratings follow), as the desktop does.
void CheckMadeStakes(TStakeFile& file, const TDrawsArchive& archive, const TConfigData& config, bool log) {
    TStakeCheckOptions options;
    options.Config = config;
    options.LogEnabled = log;
    TRatingsStore ratings;
    LoadRatings(ratings);
    CheckStakesRated(file, archive, options, ratings, CliProgress());
}

void OpenStakes(TStakeFile& file) {
    const std::string warning = file.Load();
    if (!warning.empty()) PrintMessage(warning);
}

int RunList(Args& args) {
    args.Done();
    for (const TRegularStake& r : LoadList()) PrintRegular(r);
    return 0;
}

int RunAdd(Args& args) {
    const auto comment = args.Value("--comment");
    const auto start = args.Value("--start");
    const bool lastDraw = args.Flag("--last-draw");
    const auto step = args.Int("--step");
    const auto rows = args.Value("--combs-rows");
    args.Done();
    if (!comment) throw Error(Tr("Не указан комментарий --comment"));
    if (int(bool(start)) + int(lastDraw) + int(bool(rows)) != 1)
        throw Error(Tr("Укажите одно из: --start \"a;b;c;d;e\", --last-draw или --combs-rows R1,R2,..."));
    LockDataFolder();
    TRegularStakes list = LoadList();
    TRegularInput input;
    input.Comment = *comment;
    input.UseLastDraw = lastDraw;
    input.StartText = start.value_or("");
    input.Step = step.value_or(1);
    std::vector<TSelectedComb> selected;
    std::unique_ptr<TCurrentCombs> combs;
    TDrawsArchive archive;
    if (rows) {
        archive = LoadArchive();
        combs = CurrentCombs(archive);
        for (const std::string& w : SplitAny(*rows, ",")) {
            const auto r = TryStrToInt(Trim(w));
            if (!r || *r < 1 || *r > combs->Set.Count())
                throw Error(Format(Tr("Некорректный номер строки списка комбинаций: %s (строк: %d)"),
                                   {w, combs->Set.Count()}));
            selected.push_back({*r, combs->Set.Data()[*r - 1]});
        }
    } else if (start) {
        selected.push_back({1, {}});  // the one combination of the start text
    }
    std::vector<int> positions;
    for (const TSelectedComb& s : selected) positions.push_back(s.Position);
    const TRegularStake accepted = AcceptRegularInput(input, list, positions);
    if (start) selected.front().Comb = accepted.StartComb;
    const TRegularStakes made = NewRegularStakes(accepted, selected);
    list.insert(list.end(), made.begin(), made.end());
    SaveRegularStakes(RegularStakeFileName(), list);
    for (const TRegularStake& r : made) PrintRegular(r);
    return 0;
}

int RunDelete(Args& args) {
    const std::vector<std::string> words = PositionalWords(args, "ROW");
    args.Done();
    if (words.empty()) throw Error(Tr("Не указан номер строки ROW"));
    LockDataFolder();
    TRegularStakes list = LoadList();
    std::vector<int> rows;
    for (const std::string& w : words) rows.push_back(RowArg(w, list));
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) DeleteRegularStake(list, *it);
    SaveRegularStakes(RegularStakeFileName(), list);
    Out(IntToStr(int(list.size())));
    return 0;
}

int RunStake(Args& args) {
    const int draws = args.Int("--draws", 1);
    const bool log = args.Flag("--log");
    TDrawsArchive archive = LoadArchive();
    ApplyWindowOptions(archive, args);
    const std::string word = args.Positional("ROW");
    args.Done();
    LockDataFolder();
    TRegularStakes list = LoadList();
    const int row = RowArg(word, list);
    const TConfigData config = ProgramConfig();
    const int32_t sample = CurrentCombs(archive)->Set.Count();
    // The regular moves on only once its stake is in the stake file.
    TRegularStake next = list[size_t(row)];
    NextRegularCombination(next, archive, archive.Offset());
    const TStakeRecord rec = RegularStakeRecord(next, archive, archive.Offset(), sample, config);
    CheckStakeDraws(rec.DrawNumber, draws);
    TStakeFile file;
    OpenStakes(file);
    file.AppendStakes(rec, draws);
    list[size_t(row)] = next;
    SaveRegularStakes(RegularStakeFileName(), list);
    for (int j = 0; j < draws; ++j) {
        TStakeRecord copy = rec;
        copy.DrawNumber = rec.DrawNumber + j;
        PrintStake(copy);
    }
    CheckMadeStakes(file, archive, config, log);
    return 0;
}

int RunTest(Args& args) {
    const auto count = args.Int("--count");
    const bool log = args.Flag("--log");
    const std::vector<std::string> words = PositionalWords(args, "ROW");
    args.Done();
    if (!count) throw Error(Tr("Не указано количество тестов (--count K)"));
    if (words.empty()) throw Error(Tr("Не указан номер строки ROW"));
    LockDataFolder();
    TDrawsArchive archive = LoadArchive();
    TRegularStakes list = LoadList();
    std::vector<int> rows;
    for (const std::string& w : words) rows.push_back(RowArg(w, list));
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const TConfigData config = ProgramConfig();
    const int32_t sample = CurrentCombs(archive)->Set.Count();
    TStakeFile file;
    OpenStakes(file);
    std::string failure;
    const TRegularTestResult result = RunRegularTest(
        list, rows, *count, archive, sample, config,
        [&](const TStakeRecord& rec) {
            try {
                file.AppendStakes(rec, 1);
            } catch (const std::exception& e) {
                failure = e.what();
                return false;
            }
            PrintStake(rec);
            return true;
        },
        CliProgress());
    // The regulars keep what they reached, also after a failed append.
    SaveRegularStakes(RegularStakeFileName(), list);
    if (!failure.empty()) PrintMessage(failure);
    if (result.Made > 0 && !result.Failed) CheckMadeStakes(file, archive, config, log);
    Out(Format(NoTr("Ставок: %d"), {result.Made}));
    return result.Failed ? 1 : 0;
}

int RunRegulars(Args& args) {
    const std::string sub = args.Positional("list | add | delete | stake | test");
    if (sub == "list") return RunList(args);
    if (sub == "add") return RunAdd(args);
    if (sub == "delete") return RunDelete(args);
    if (sub == "stake") return RunStake(args);
    if (sub == "test") return RunTest(args);
    throw Error(Format(Tr("Неизвестная команда regulars %s (list, add, delete, stake, test)"), {sub}));
}

CommandRegistrar r1({"regulars",
                     "regulars list | add --comment TEXT (--start \"a;b;c;d;e\" | --last-draw | --combs-rows "
                     "R1,R2,...) [--step S] | delete ROW... | stake ROW [--offset K] [--draws N] [--log] | "
                     "test ROW... --count K [--log]",
                     "regular stakes (Velmora_5x50.ltb): lists them (comment, start combination, step, current "
                     "combination, stakes made; tab-separated), adds one with a constant start or on the previous "
                     "draw, or one per row of the combination list the program settings generate (\"TEXT (p)\"), "
                     "deletes rows, makes the next stake of a regular, or tests regulars over the last K draws; the "
                     "stakes made are printed (draw, numbers, comment) and checked",
                     RunRegulars});

} // namespace
} // namespace velmora::cli
