// The system catalog on the catalog server: the list of systems, the combinations of one system,
// and publishing, changing or deleting a system. Each request is a form post to a fixed path of
// the server; the reply is tagged text (see core/net/catalog_text.h).
//
// The requests raise Error with the reason; the callers put it after their own message
// (kSystemListError and the others below) as the commands show it.
#pragma once

#include "core/net/catalog_client.h"
#include "core/net/web.h"
#include "core/stakes/system_info.h"
#include "core/util/translate.h"

#include <string>
#include <vector>

namespace velmora {

constexpr const char* kSystemListPath = "/scripts/sys_getlist.php";
constexpr const char* kSystemDataPath = "/scripts/sys_getdata.php";
constexpr const char* kSystemPutPath = "/scripts/sys_putdata.php";

// The messages of the commands; the reason follows "\r\r".
constexpr const char* kSystemListError = TrNoop("Ошибка загрузки списка систем!\r\r%s");
constexpr const char* kSystemLoadError = TrNoop("Ошибка загрузки системы #%d!\r\r%s");        // Id, reason
constexpr const char* kSystemSaveError = TrNoop("Ошибка сохранения системы #%d!\r\r%s");      // Id, reason
constexpr const char* kSystemAddError = TrNoop("Ошибка добавления системы!\r\r%s");
constexpr const char* kSystemChangeError = TrNoop("Ошибка изменения системы!\r\r%s");
constexpr const char* kSystemDeleteError = TrNoop("Ошибка удаления системы!\r\r%s");
constexpr const char* kSystemListUnavailable = TrNoop("Список систем не доступен!");
constexpr const char* kSystemListEmpty = TrNoop("В каталоге пока нет ни одной системы");

// Where and as whom the requests go.
struct TSystemCatalog {
    std::string Site;        // base address of the catalog server ("CatalogSite")
    TWebOptions Options;     // time-outs, the extra CA, the stop request
    TCatalogClient Client;
};

// The form fields of the three requests, in the order the server reads them.
TFormFields SystemListFields(const TCatalogClient& client);
TFormFields SystemDataFields(int32_t id);
TFormFields PutSystemFields(const tSystemData& data, bool deleteMode, const TCatalogClient& client);

// Reply readers. Each raises Error for a cut reply (an element without its closing tag), for a
// row whose "<error>" is not empty, and (list) for an id, number count, block or size that is not
// an integer of its range or a time that is not one.
// The rows of the list; `available` is false when the reply has no "<result>" element (an empty
// one is an empty catalog).
std::vector<tSystemInfo> ReadSystemListReply(const std::string& reply, bool& available);
// The decoded "<clist>" of the first row that has one ("" when none has).
std::string ReadSystemDataReply(const std::string& reply);
// The first "<id_systems>" of 0 or more, else -1.
int32_t ReadPutSystemReply(const std::string& reply);

// The placeholder row of a list that is unavailable, or (empty) of a catalog without systems.
tSystemInfo SystemListPlaceholder(bool empty = false);

// The requests.
std::vector<tSystemInfo> FetchSystemList(const TSystemCatalog& catalog, bool& available);
std::string FetchSystemCombinations(const TSystemCatalog& catalog, const tSystemInfo& info);
int32_t PutSystem(const TSystemCatalog& catalog, const tSystemData& data, bool deleteMode);

// Downloads a system into the store `dir` (see WriteSystemFile: the line count must equal CSize)
// and returns the file's path.
std::string DownloadSystem(const TSystemCatalog& catalog, const std::string& dir, const tSystemInfo& info);

// The download of the command: DownloadSystem, then the files of every other system for the same
// number count are deleted (at most one is kept per count); returns the deleted paths.
std::vector<std::string> DownloadSystemKeepingOne(const TSystemCatalog& catalog, const std::string& dir,
                                                  const tSystemInfo& info);

// One row of the catalog list as the page and the command line show it.
struct TSystemRow {
    tSystemInfo Info;
    bool Downloaded = false;
};
// The list with the local state: the placeholder row when the list is unavailable or empty (its
// title tells which); a downloaded
// system whose file time differs from Created is downloaded again at once, and each failure of
// that is added to `errors` as the command's message (kSystemLoadError). The list request's own
// failure is raised.
std::vector<TSystemRow> LoadSystemList(const TSystemCatalog& catalog, const std::string& dir,
                                       std::vector<std::string>& errors);

// The eleven cells of a list row in column order ("Название" .. "Ссылка"); the placeholder row
// leaves the numbers and counts empty.
std::vector<std::string> SystemRowCells(const TSystemRow& row);
// The captions of the eleven columns.
const std::vector<std::string>& SystemColumnCaptions();

// UTC "yyyy-mm-dd hh:nn:ss" of the replies as local time; 0 for an empty text.
TDateTime UtcTextToLocal(const std::string& text);
// And back, for the server and its tests.
std::string LocalToUtcText(TDateTime local);

} // namespace velmora
