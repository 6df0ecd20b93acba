// Commands of system play: systems user | list | download | put | delete | play.
#include "cli.h"

#include "core/app/config.h"
#include "core/util/translate.h"
#include "core/combs/comb_set.h"
#include "core/net/catalog_client.h"
#include "core/net/web.h"
#include "core/stakes/rating_file.h"
#include "core/stakes/stake_check.h"
#include "core/stakes/system_catalog.h"
#include "core/stakes/system_play.h"
#include "core/stakes/system_store.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

namespace velmora::cli {
namespace {

// The interface language the command line reports to the catalog (Russian).
constexpr int32_t kCliLcid = 1049;

TIniFile ProgramSettings() {
    TIniFile ini(ConfigFile());
    return ini;
}

TCatalogUser User(const TIniFile& ini) {
    const TCatalogUser user = ReadCatalogUser(ini);
    if (!CatalogUserComplete(user))
        throw Error(Tr("Не указаны имя и адрес электронной почты пользователя: задайте их командой "
                       "velmora-cli systems user --name ИМЯ --mail АДРЕС"));
    return user;
}

TSystemCatalog Catalog(const TIniFile& ini) {
    const TWebSettings web = LoadWebSettings(ini);
    TSystemCatalog c;
    c.Site = web.CatalogSite;
    c.Options = WebOptionsFor(web);
    c.Options.Progress = &CliProgress();
    c.Client = MakeCatalogClient(User(ini), kCliLcid);
    return c;
}

// The list of the server; the failures of downloading changed systems again go to stderr.
std::vector<TSystemRow> List(const TSystemCatalog& catalog) {
    std::vector<std::string> errors;
    std::vector<TSystemRow> rows;
    try {
        rows = LoadSystemList(catalog, SystemsDir(), errors);
    } catch (const std::exception& e) {
        throw Error(Format(Tr(kSystemListError), {e.what()}));
    }
    for (const std::string& e : errors) PrintMessage(e);
    return rows;
}

const TSystemRow& FindRow(const std::vector<TSystemRow>& rows, int32_t id) {
    for (const TSystemRow& r : rows)
        if (r.Info.Id == id && id > 0) return r;
    throw Error(Format(Tr("Система #%d не найдена в списке систем сервера"), {id}));
}

int32_t IdArg(const std::string& word) {
    const auto id = TryStrToInt(word);
    if (!id || *id <= 0) throw Error(Format(Tr("Некорректный номер системы: %s"), {word}));
    return *id;
}

int RunUser(Args& args) {
    const auto name = args.Value("--name");
    const auto mail = args.Value("--mail");
    args.Done();
    LockDataFolder();
    TIniFile ini = ProgramSettings();
    TCatalogUser user = ReadCatalogUser(ini);
    if (name) user.Name = *name;
    if (mail) user.Mail = *mail;
    if (name || mail) {
        CheckCatalogUser(user);
        WriteCatalogUser(ini, user);
        try {
            ini.Save();
        } catch (const std::exception& e) {
            throw Error(Format(Tr("Ошибка записи в файл конфигурации!\r\r%s"), {e.what()}));
        }
    }
    Out(user.Name + "\t" + user.Mail);
    return 0;
}

int RunList(Args& args) {
    args.Done();
    LockDataFolder();
    const std::vector<TSystemRow> rows = List(Catalog(ProgramSettings()));
    Out("Id\t" + Join(SystemColumnCaptions(), "\t"));
    for (const TSystemRow& r : rows) Out(IntToStr(r.Info.Id) + "\t" + Join(SystemRowCells(r), "\t"));
    return 0;
}

int RunDownload(Args& args) {
    std::vector<std::string> words;
    for (;;) {
        try {
            words.push_back(args.Positional("ID"));
        } catch (const Error&) {
            break;
        }
    }
    args.Done();
    if (words.empty()) throw Error(Tr("Не указан номер системы ID"));
    std::vector<int32_t> ids;
    for (const std::string& w : words) ids.push_back(IdArg(w));
    LockDataFolder();
    const TSystemCatalog catalog = Catalog(ProgramSettings());
    const std::vector<TSystemRow> rows = List(catalog);
    int failed = 0;
    for (int32_t id : ids) {
        try {
            const tSystemInfo& info = FindRow(rows, id).Info;
            for (const std::string& gone : DownloadSystemKeepingOne(catalog, SystemsDir(), info))
                PrintMessage(Format(Tr("Удалена система для того же количества чисел: %s"), {gone}));
            Out(SystemFilePath(SystemsDir(), info));
        } catch (const std::exception& e) {
            PrintMessage(Format(Tr(kSystemLoadError), {id, e.what()}));
            ++failed;
        }
    }
    return failed ? 1 : 0;
}

int RunPut(Args& args) {
    const auto title = args.Value("--title");
    const auto descr = args.Value("--descr");
    const auto olap = args.Int("--olap");
    const auto url = args.Value("--url");
    const auto id = args.Int("--id");
    const std::string file = args.Positional("FILE");
    args.Done();
    const TIniFile ini = ProgramSettings();
    const TSystemCatalog catalog = Catalog(ini);
    tSystemData data;
    data.Id = id.value_or(0);
    if (data.Id < 0) throw Error(Tr("Некорректный номер системы --id"));
    data.Title = Trim(title.value_or(""));
    data.Descr = Trim(descr.value_or(""));
    const int block = olap.value_or(0);
    data.Olap = uint8_t(block >= kMinSystemOlap && block <= kMaxSystemOlap ? block : 255);
    data.URL = Trim(url.value_or(""));
    data.Author = catalog.Client.Name;
    data.OwnerMail = catalog.Client.Mail;
    data.Created = Now();
    ApplySystemText(data, Join(ReadTextLines(file), "\r\n"));
    int32_t result = -1;
    try {
        result = PutSystem(catalog, data, false);
    } catch (const std::exception& e) {
        throw Error(Format(Tr(kSystemSaveError), {data.Id, e.what()}));
    }
    if (result < 0)
        throw Error(Format(Tr(kSystemSaveError), {data.Id, Tr("сервер не вернул номер системы")}));
    Out(IntToStr(result));
    return 0;
}

int RunDelete(Args& args) {
    const int32_t id = IdArg(args.Positional("ID"));
    args.Done();
    LockDataFolder();
    const TSystemCatalog catalog = Catalog(ProgramSettings());
    const std::vector<TSystemRow> rows = List(catalog);
    const TSystemRow& row = FindRow(rows, id);
    if (!IsOwnMail(row.Info.OwnerMail, catalog.Client.Mail)) throw Error(Tr("Вы можете удалять только свои системы!"));
    tSystemData data;
    static_cast<tSystemInfo&>(data) = row.Info;
    int32_t result = -1;
    try {
        result = PutSystem(catalog, data, true);
    } catch (const std::exception& e) {
        throw Error(Format(Tr(kSystemSaveError), {id, e.what()}));
    }
    if (result != 0) throw Error(Format(Tr(kSystemDeleteError), {Tr("сервер не подтвердил удаление")}));
    DeleteSystemFile(SystemsDir(), row.Info);
    Out("0");
    return 0;
}

int RunPlay(Args& args) {
    const bool filter = args.Flag("--filter");
    const auto in = args.Value("--in");
    const auto draw = args.Int("--draw");
    const auto comment = args.Value("--comment");
    const int draws = args.Int("--draws", 1);
    const bool log = args.Flag("--log");
    TDrawsArchive archive = LoadArchive();
    ApplyWindowOptions(archive, args);
    args.Done();

    TCombSet set;
    TGenerateParams params;
    params.Mode = in ? kGenerateFromFile : kGenerateFull;
    params.Param = in.value_or("");
    set.Generate(true, params, CliProgress());
    if (set.Empty()) throw Error(Tr("Список комбинаций пуст"));
    TByteArray numbers;
    DistinctNumbers(set.Data(), set.Count(), numbers);
    TCombsArray system;
    std::string text, box;
    if (!LoadSystemForNumbers(SystemsDir(), numbers, system, text, &box)) throw Error(box);

    const int32_t drawNumber = draw.value_or(archive.NextDrawNumber(archive.Offset()));
    const std::string note = comment.value_or(SystemPlayComment(int(numbers.size()), text, filter));
    CheckStakeComment(note);
    CheckStakeDraws(drawNumber, draws);
    const TIniFile ini = ProgramSettings();
    const TConfigData config = ReadConfig(ini);
    const std::vector<TStakeRecord> records =
        SystemStakeRecords(system, set.Data(), set.Count(), filter, drawNumber, note, config);

    LockDataFolder();
    TStakeFile file;
    const std::string warning = file.Load();
    if (!warning.empty()) PrintMessage(warning);
    const int made = AppendSystemStakes(file, records, draws);
    if (made > 0) {
        TStakeCheckOptions options;
        options.Config = config;
        options.LogEnabled = log;
        TRatingsStore ratings;
        LoadRatings(ratings);
        CheckStakesRated(file, archive, options, ratings, CliProgress());
    }
    Out(IntToStr(made));
    return 0;
}

int RunSystems(Args& args) {
    const std::string sub = args.Positional("user | list | download | put | delete | play");
    if (sub == "user") return RunUser(args);
    if (sub == "list") return RunList(args);
    if (sub == "download") return RunDownload(args);
    if (sub == "put") return RunPut(args);
    if (sub == "delete") return RunDelete(args);
    if (sub == "play") return RunPlay(args);
    throw Error(Format(Tr("Неизвестная команда systems %s (user, list, download, put, delete, play)"), {sub}));
}

CommandRegistrar r1({"systems",
                     "systems user [--name NAME] [--mail MAIL] | list | download ID... | put FILE --title T "
                     "--descr D [--olap B] [--url U] [--id ID] | delete ID | play [--filter] [--in FILE] "
                     "[--draw N] [--comment TEXT] [--draws K] [--offset K] [--log]",
                     "system play: the user's name and e-mail for the catalog (section USER), the catalog's "
                     "systems (Id and the list's columns, tab-separated), downloads into Systems (one per number "
                     "count), publishes or changes a system from a file of index lines (prints its id), deletes "
                     "one's own system, and makes the stakes of the system for the numbers of the combination "
                     "file or the full set (prints how many)",
                     RunSystems});

} // namespace
} // namespace velmora::cli
