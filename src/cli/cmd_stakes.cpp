// Commands on the stake file: stakes list | add | check | delete | clear.
#include "cli.h"

#include "core/app/config.h"
#include "core/util/translate.h"
#include "core/stakes/rating_file.h"
#include "core/stakes/stake_check.h"
#include "core/stakes/stake_tally.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

#include <array>

namespace velmora::cli {
namespace {

TConfigData ProgramConfig() {
    TConfigFile file;
    try {
        file.Load();
    } catch (const std::exception& e) {
        PrintMessage(Format(Tr("Ошибка чтения файла конфигурации!\r\r%s"), {e.what()}));
    }
    return ReadConfig(file.Ini());
}

// The stake file of a command that changes it: the data-folder lock first, then the file with the
// start-up rule for an outdated file (its warning goes to stderr).
void OpenForWriting(TStakeFile& file) {
    LockDataFolder();
    const std::string warning = file.Load();
    if (!warning.empty()) PrintMessage(warning);
}

// Checks the stakes against the archive, as the desktop program does after every change; the
// stakes checked go into the ratings, which are saved.
int Check(TStakeFile& file, bool log) {
    const TDrawsArchive archive = LoadArchive();
    TStakeCheckOptions options;
    options.Config = ProgramConfig();
    options.LogEnabled = log;
    TRatingsStore ratings;
    LoadRatings(ratings);
    try {
        return CheckStakesRated(file, archive, options, ratings, CliProgress());
    } catch (const Error& e) {
        if (!ratings.Damaged()) throw;
        throw Error(Format(Tr("%s\r\rПересчитать рейтинг по ставкам: velmora-cli ratings refresh"), {e.what()}));
    }
}

int RunList(Args& args) {
    args.Done();
    TStakeFile file;
    file.OpenReadOnly();
    if (!file.IsOpen()) return 0;  // no stake file yet
    if (!file.OutdatedWarning().empty())
        throw Error(Format(Tr("Обнаружен файл ставок устаревшей версии: \"%s\""), {file.FileName()}));
    // The separators between blocks are no stakes: a listing has one line per stake.
    file.ForEachStake([](int, const TStakeRecord& rec) {
        if (!IsStake(rec)) return;
        const auto cells = StakeGridCells(rec);
        Out(Join(std::vector<std::string>(cells.begin(), cells.end()), "\t"));
    });
    return 0;
}

int RunAdd(Args& args) {
    const auto draw = args.Int("--draw");
    const auto numbers = args.Value("--numbers");
    const std::string comment = args.Value("--comment").value_or(kHandStakeComment);
    const int draws = args.Int("--draws", 1);
    const bool log = args.Flag("--log");
    args.Done();
    if (!draw) throw Error(Tr("Не указан номер тиража --draw"));
    if (!numbers) throw Error(Tr("Не указана ставка --numbers"));
    const TConfigData config = ProgramConfig();
    const TStakeRecord rec = AcceptStakeInput(HandStakeRecord(nullptr, *draw, 0, config), *draw, *numbers, comment, draws);
    TStakeFile file;
    OpenForWriting(file);
    file.AppendStakes(rec, draws);
    Check(file, log);
    Out(Format(NoTr("Ставок: %d"), {CountStakes(file)}));
    return 0;
}

int RunCheck(Args& args) {
    const bool log = args.Flag("--log");
    args.Done();
    TStakeFile file;
    OpenForWriting(file);
    Out(IntToStr(Check(file, log)));
    return 0;
}

int RunDelete(Args& args) {
    const auto words = args.Values("--matches");
    const bool log = args.Flag("--log");
    if (words.empty()) throw Error(Tr("Не указано условие --matches OP N"));
    const std::string op = words.front();
    const std::string value = args.Positional("N");
    args.Done();
    static const std::array<const char*, kStakeConditionCount> ops = {"eq", "gt", "ge", "lt", "le"};
    int condition = -1;
    for (int i = 0; i < kStakeConditionCount; ++i)
        if (op == ops[size_t(i)]) condition = i;
    if (condition < 0) throw Error(Format(Tr("Неизвестное условие --matches %s (eq, gt, ge, lt, le)"), {op}));
    const auto n = TryStrToInt(value);
    if (!n || *n < 0 || *n > kNumberCount) throw Error(Format(Tr("Количество совпадений должно быть от 0 до 5: %s"), {value}));
    TStakeFile file;
    OpenForWriting(file);
    const int removed = file.DeleteStakesByCondition(PackStakeCondition(condition, *n));
    Out(IntToStr(removed));
    if (removed > 0) Check(file, log);
    return 0;
}

int RunClear(Args& args) {
    args.Done();
    TStakeFile file;
    OpenForWriting(file);
    file.StakeClear();
    Out(NoTr("Ставок: 0"));
    return 0;
}

int RunStakes(Args& args) {
    const std::string sub = args.Positional("list | add | check | delete | clear");
    if (sub == "list") return RunList(args);
    if (sub == "add") return RunAdd(args);
    if (sub == "check") return RunCheck(args);
    if (sub == "delete") return RunDelete(args);
    if (sub == "clear") return RunClear(args);
    throw Error(Format(Tr("Неизвестная команда stakes %s (list, add, check, delete, clear)"), {sub}));
}

CommandRegistrar r1({"stakes",
                     "stakes list | add --draw N --numbers 5,1,9,3,7 [--comment TEXT] [--draws K] [--log] | "
                     "check [--log] | delete --matches eq|gt|ge|lt|le N [--log] | clear",
                     "the stake file: lists the records as the stake grid shows them (tab-separated), makes a stake "
                     "by hand, checks the stakes against the archive (prints how many), deletes stakes by their match "
                     "count or all of them",
                     RunStakes});

} // namespace
} // namespace velmora::cli
