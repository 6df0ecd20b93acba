// Commands of the online script catalog: scripts-catalog list | download | publish | replace |
// delete | rate | hide | rates. They talk to "CatalogSite" as the user of section USER (see
// `systems user`), with the current script of the data folder.
#include "cli.h"

#include "core/app/config.h"
#include "core/net/catalog_client.h"
#include "core/net/script_catalog.h"
#include "core/net/web.h"
#include "core/scripts/script_list.h"
#include "core/stakes/system_store.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

namespace velmora::cli {
namespace {

// The interface language the command line reports to the catalog (Russian).
constexpr int32_t kCliLcid = 1049;

TScriptCatalog Catalog() {
    const TIniFile ini(ConfigFile());
    const TCatalogUser user = ReadCatalogUser(ini);
    if (!CatalogUserComplete(user))
        throw Error(Tr("Не указаны имя и адрес электронной почты пользователя: задайте их командой "
                       "velmora-cli systems user --name ИМЯ --mail АДРЕС"));
    const TWebSettings web = LoadWebSettings(ini);
    TScriptCatalog c;
    c.Site = web.CatalogSite;
    c.Options = WebOptionsFor(web);
    c.Options.Progress = &CliProgress();
    c.Client = MakeCatalogClient(user, kCliLcid);
    return c;
}

int32_t IdArg(Args& args) {
    const std::string word = args.Positional("ID");
    const auto id = TryStrToInt(word);
    if (!id || *id <= 0) throw Error(Format(Tr("Некорректный номер сценария: %s"), {word}));
    return *id;
}

// The request of `fn`; a failure is raised as the command's message `tmpl`.
template <class F>
auto Request(const char* tmpl, F fn) {
    try {
        return fn();
    } catch (const std::exception& e) {
        throw Error(Format(Tr(tmpl), {e.what()}));
    }
}

std::vector<tScriptInfo> List(const TScriptCatalog& catalog, int fltid) {
    return Request(kScriptListError, [&] { return FetchScriptList(catalog, fltid); });
}

// The row of a script in the user's full list (hidden ones included).
tScriptInfo FindScript(const TScriptCatalog& catalog, int32_t id) {
    for (const tScriptInfo& i : List(catalog, 0))
        if (i.Id == id) return i;
    throw Error(Format(Tr("Сценарий #%d не найден в каталоге"), {id}));
}

tScriptInfo FindEditable(const TScriptCatalog& catalog, int32_t id) {
    tScriptInfo info = FindScript(catalog, id);
    if (!info.Editable)
        throw Error(Format(Tr("Сценарий #%d можно изменять и удалять только автору и только в программе, в которой он "
                              "создан"),
                           {id}));
    return info;
}

std::vector<std::string> CurrentScriptLines() {
    TScriptList script;
    script.FileName = TScriptList::CurrentScriptFileName();
    script.LoadCurrentScript();
    if (script.ScriptLineCount() == 0) throw Error(Tr("Текущий сценарий пуст"));
    return script.Lines();
}

// The options of publish and replace over `data`; then the checks of the properties dialog in
// their order: title, its uniqueness on the server, author.
tScriptData ApplyOptions(Args& args, tScriptData data, const TScriptCatalog& catalog) {
    if (const auto title = args.Value("--title")) data.Title = *title;
    if (const auto descr = args.Value("--descr")) data.Descr = *descr;
    if (const auto author = args.Value("--author")) data.AuthorName = *author;
    if (args.Flag("--universal")) data.Universal = true;
    if (args.Flag("--private")) data.Public = false;
    if (args.Flag("--public")) data.Public = true;
    args.Done();
    if (Trim(data.Title).empty()) throw Error(Tr(kScriptTitleEmpty));
    data.Title = Trim(data.Title);
    if (!Request(kScriptTitleError, [&] { return ScriptTitleFree(catalog, data.Id, data.Title); }))
        throw Error(Tr(kScriptTitleTaken));
    return CheckScriptData(data);
}

int Publish(const TScriptCatalog& catalog, const tScriptData& data) {
    const std::vector<std::string> lines = CurrentScriptLines();
    const int32_t id = Request(kScriptPublishError, [&] { return PutScript(catalog, data, lines, false); });
    Out(IntToStr(id));
    return 0;
}

int RunList(Args& args) {
    const int fltid = args.Int("--filter", kScriptFilterDefault);
    args.Done();
    if (fltid < kScriptFilterMin || fltid > kScriptFilterMax)
        throw Error(Format(Tr("Фильтр списка должен быть числом от %d до %d"), {kScriptFilterMin, kScriptFilterMax}));
    for (const tScriptInfo& i : List(Catalog(), fltid)) Out(IntToStr(i.Id) + "\t" + Join(ScriptRowCells(i), "\t"));
    return 0;
}

int RunDownload(Args& args) {
    const int32_t id = IdArg(args);
    args.Done();
    LockDataFolder();
    const TScriptCatalog catalog = Catalog();
    const tScriptInfo info = FindScript(catalog, id);
    if (!info.Compatible)
        throw Error(Format(Tr(kScriptLoadError), {Tr("Сценарий создан в другой программе и не является универсальным")}));
    TScriptList script;
    script.FileName = TScriptList::CurrentScriptFileName();
    script.LoadCurrentScript();
    Request(kScriptLoadError, [&] {
        DownloadScriptInto(catalog, id, script);
        return 0;
    });
    Out(IntToStr(script.ScriptLineCount()));
    return 0;
}

int RunPublish(Args& args) {
    const TScriptCatalog catalog = Catalog();
    return Publish(catalog, ApplyOptions(args, NewScriptData(catalog.Client), catalog));
}

int RunReplace(Args& args) {
    const int32_t id = IdArg(args);
    const TScriptCatalog catalog = Catalog();
    return Publish(catalog, ApplyOptions(args, ScriptDataOf(FindEditable(catalog, id)), catalog));
}

int RunDelete(Args& args) {
    const int32_t id = IdArg(args);
    args.Done();
    const TScriptCatalog catalog = Catalog();
    const tScriptData data = ScriptDataOf(FindEditable(catalog, id));
    const int32_t result = Request(kScriptDeleteError, [&] { return PutScript(catalog, data, {}, true); });
    if (result != 0) throw Error(Format(Tr(kScriptDeleteError), {Format(Tr("Код возврата: %d"), {result})}));
    Out("0");
    return 0;
}

int Rate(const TScriptCatalog& catalog, int32_t id, int32_t value, const std::string& notes) {
    Request(kScriptRateError, [&] {
        SetScriptRating(catalog, id, value, notes);
        return 0;
    });
    Out(IntToStr(value));
    return 0;
}

int RunRate(Args& args) {
    const int32_t id = IdArg(args);
    const std::string word = args.Positional("VALUE");
    const std::string notes = args.Value("--notes").value_or("");
    args.Done();
    const auto value = TryStrToInt(word);
    if (!value || *value < 0 || *value > 5) throw Error(Format(Tr("Оценка должна быть числом от 0 до 5: %s"), {word}));
    return Rate(Catalog(), id, *value, notes);
}

int RunHide(Args& args) {
    const int32_t id = IdArg(args);
    args.Done();
    return Rate(Catalog(), id, -1, "");
}

int RunRates(Args& args) {
    const int32_t id = IdArg(args);
    args.Done();
    const TScriptCatalog catalog = Catalog();
    for (const tScriptRate& r : Request(kScriptRatesError, [&] { return FetchScriptRates(catalog, id); }))
        Out(Join(std::vector<std::string>{r.Name, IntToStr(r.Rate), SystemTimeText(r.Created), r.AppName, r.AppVer, r.Notes}, "\t"));
    return 0;
}

int RunScriptsCatalog(Args& args) {
    const std::string sub = args.Positional("list | download | publish | replace | delete | rate | hide | rates");
    if (sub == "list") return RunList(args);
    if (sub == "download") return RunDownload(args);
    if (sub == "publish") return RunPublish(args);
    if (sub == "replace") return RunReplace(args);
    if (sub == "delete") return RunDelete(args);
    if (sub == "rate") return RunRate(args);
    if (sub == "hide") return RunHide(args);
    if (sub == "rates") return RunRates(args);
    throw Error(Format(Tr("Неизвестная команда scripts-catalog %s (list, download, publish, replace, delete, rate, hide, "
                          "rates)"),
                       {sub}));
}

CommandRegistrar r1({"scripts-catalog",
                     "scripts-catalog list [--filter F] | download ID | publish --title T [--descr D] [--author A] "
                     "[--universal] [--private] | replace ID [--title T] [--descr D] [--author A] [--universal] "
                     "[--private | --public] | delete ID | rate ID VALUE [--notes TEXT] | hide ID | rates ID",
                     "the online script catalog: the scripts under filter F (-1..6, default 1; the Id and the "
                     "thirteen columns, tab-separated), downloads a script into the current script, publishes or "
                     "replaces one's own script with the current script (prints its id), deletes it, rates a script "
                     "0..5 (0 removes the rating), hides it, prints its ratings",
                     RunScriptsCatalog});

} // namespace
} // namespace velmora::cli
