// The script catalog on the catalog server: the list of published scripts under a filter, the
// text of one script, publishing, replacing and deleting one's own scripts, rating and hiding
// scripts, the check of a title and the ratings of one script. Each request is a form post of the
// client identity (core/net/catalog_client.h) and its own fields to a fixed path; the reply is
// tagged text (core/net/catalog_text.h).
//
// Everything in a reply is untrusted: a cut reply, a row with "<error>", a number or a time that is
// not one, Base64 that is not, a text that is not UTF-8 and a script with a control character fail
// the whole request with Error; the caller's data stay as they were.
#pragma once

#include "core/model/dates.h"
#include "core/net/catalog_client.h"
#include "core/net/web.h"
#include "core/util/translate.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

class TScriptList;

constexpr const char* kScriptListPath = "/scripts/scr_getlist.php";
constexpr const char* kScriptDataPath = "/scripts/scr_getdata.php";
constexpr const char* kScriptSetRatePath = "/scripts/scr_setrate.php";
constexpr const char* kScriptCheckTitlePath = "/scripts/scr_chktitle.php";
constexpr const char* kScriptPutPath = "/scripts/scr_putscript.php";
constexpr const char* kScriptRatesPath = "/scripts/scr_getrates.php";

// The list filters ("fltid"): the index of the filter list minus one.
constexpr int kScriptFilterMin = -1, kScriptFilterMax = 6;
constexpr int kScriptFilterDefault = 1;  // all but the hidden ones
// The captions of the filters, from fltid -1 up.
const std::vector<const char*>& ScriptFilterCaptions();

// The most a script text may take once decoded, and a reply of the catalog.
constexpr size_t kMaxCatalogScriptBytes = 4u << 20;
constexpr int64_t kMaxScriptReplyBytes = 16ll << 20;
// The longest title and author name (characters).
constexpr int kMaxScriptTitleChars = 64;

// The messages of the commands; the reason follows "\r\r".
constexpr const char* kScriptListError = TrNoop("Ошибка загрузки каталога online-сценариев!\r\r%s");
constexpr const char* kScriptLoadError = TrNoop("Ошибка загрузки online-сценария!\r\r%s");
constexpr const char* kScriptTitleError = TrNoop("Ошибка проверки уникальности online-сценария!\r\r%s");
constexpr const char* kScriptPublishError = TrNoop("Ошибка публикации online-сценария!\r\r%s");
constexpr const char* kScriptDeleteError = TrNoop("Ошибка удаления online-сценария из базы данных!\r\r%s");
constexpr const char* kScriptRateError = TrNoop("Ошибка сохранения оценки online-сценария!\r\r%s");
constexpr const char* kScriptRatesError = TrNoop("Ошибка просмотра оценок online-сценария!\r\r%s");
// The checks of the properties dialog, in the order they are made.
constexpr const char* kScriptTitleEmpty = TrNoop("Название сценария должно быть указано обязательно!");
constexpr const char* kScriptTitleTaken = TrNoop("Сценарий с таким названием уже существует!\rВыберите другое название.");
constexpr const char* kScriptAuthorEmpty = TrNoop("Имя автора должно быть указано обязательно!");

// One row of the catalog list.
struct tScriptInfo {
    int32_t Id = 0;
    std::string AuthorName;
    std::string AuthorMail;
    int32_t Lcid = 0;           // the script's language
    std::string AppName;        // the application it was made with
    std::string AppVer;
    bool Universal = false;     // usable in any application of the family
    bool Public = false;        // visible to all users
    TDateTime Created = 0;      // local time
    double RatingAvg = 0;
    int32_t RatingCount = 0;
    int32_t MyRating = 0;       // 0 none, 1..5 the user's rating, -1 hidden by the user
    int32_t Downloads = 0;
    TDateTime LastDownload = 0; // local time, 0 when none
    std::string Title;
    std::string Descr;
    bool Mine = false;          // published with the user's e-mail
    bool Editable = false;      // Mine and Compatible
    bool Compatible = false;    // Universal, or made with this application

    bool operator==(const tScriptInfo&) const = default;
};

// What the properties dialog edits and publishing sends.
struct tScriptData {
    int32_t Id = -1;  // -1 for a new script
    std::string AuthorName;
    int32_t Lcid = 0;
    bool Universal = false;
    bool Public = true;
    std::string Title;
    std::string Descr;

    bool operator==(const tScriptData&) const = default;
};

// One rating of the ratings window.
struct tScriptRate {
    std::string Name;
    int32_t Rate = 0;
    TDateTime Created = 0;  // local time
    std::string AppName, AppVer, Notes;
};

// Where and as whom the requests go.
struct TScriptCatalog {
    std::string Site;     // base address of the catalog server ("CatalogSite")
    TWebOptions Options;  // time-outs, the extra CA, the stop request
    TCatalogClient Client;
};

// The form fields of the six requests, in the order the server reads them.
TFormFields ScriptListFields(int fltid, const TCatalogClient& client);
TFormFields ScriptDataFields(int32_t id);
TFormFields ScriptSetRateFields(int32_t id, int32_t value, const std::string& notes, const TCatalogClient& client);
TFormFields ScriptCheckTitleFields(int32_t id, const std::string& title);
// `script` is the text of the lines joined by CR LF (not sent when deleting).
TFormFields ScriptPutFields(const tScriptData& data, const std::string& script, bool deleteMode,
                            const TCatalogClient& client);
TFormFields ScriptRatesFields(int32_t id);

// Reply readers.
std::vector<tScriptInfo> ReadScriptListReply(const std::string& reply, const TCatalogClient& client);
// The lines of the first row with a non-empty script; none when no row has one.
std::vector<std::string> ReadScriptDataReply(const std::string& reply);
// "<res_code>": a negative code fails with "Код возврата: %d".
int32_t ReadScriptSetRateReply(const std::string& reply);
// True when the title is free ("<ret_code>" 0).
bool ReadScriptCheckTitleReply(const std::string& reply);
// "<id_scripts>": the id of the saved script, 0 after a deletion.
int32_t ReadScriptPutReply(const std::string& reply);
std::vector<tScriptRate> ReadScriptRatesReply(const std::string& reply);

// The requests.
std::vector<tScriptInfo> FetchScriptList(const TScriptCatalog& catalog, int fltid);
std::vector<std::string> FetchScriptLines(const TScriptCatalog& catalog, int32_t id);
void SetScriptRating(const TScriptCatalog& catalog, int32_t id, int32_t value, const std::string& notes);
bool ScriptTitleFree(const TScriptCatalog& catalog, int32_t id, const std::string& title);
int32_t PutScript(const TScriptCatalog& catalog, const tScriptData& data, const std::vector<std::string>& lines,
                  bool deleteMode);
std::vector<tScriptRate> FetchScriptRates(const TScriptCatalog& catalog, int32_t id);

// The download: the script's lines replace the whole list (separators included) and the current
// script file is written. A script without lines fails; the list is then unchanged.
void DownloadScriptInto(const TScriptCatalog& catalog, int32_t id, TScriptList& list);

// The checks of the properties dialog before the server's: the trimmed title and author must
// not be empty. Raises Error with kScriptTitleEmpty / kScriptAuthorEmpty; returns the data with
// both trimmed.
tScriptData CheckScriptData(const tScriptData& data);

// The data of a new script: the user's name, the interface language, public, not universal.
tScriptData NewScriptData(const TCatalogClient& client);
// The data of a published row, for the properties dialog.
tScriptData ScriptDataOf(const tScriptInfo& info);
// The row of a script just published or replaced by this client (mine, editable, compatible,
// this application and version, created now); ratings and downloads are kept from `previous`
// when given.
tScriptInfo PublishedScriptInfo(const tScriptData& data, int32_t id, const TCatalogClient& client,
                                const tScriptInfo* previous = nullptr);

// The thirteen cells of a list row in column order ("Тип" .. "Комментарии").
std::vector<std::string> ScriptRowCells(const tScriptInfo& info);
// The captions of the thirteen columns (kept, shown through TrText).
const std::vector<const char*>& ScriptColumnCaptions();

} // namespace velmora
