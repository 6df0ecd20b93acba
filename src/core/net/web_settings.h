// The addresses of the outside endpoints and the extra trusted CA: section "WEB" of the settings
// file. Every key has a default, so that a missing section gives the product's own servers; users
// and tests point the program elsewhere by writing the keys.
//   "DrawsSite"     base address of the operator's results site; a year page is this plus
//                   "/velmora/arhiv-rezultatov/<year>"
//   "ProxyListUrl"  the public proxy-list service of the automatic proxy mode
//   "CatalogSite"   base address of the catalog server (scripts and systems)
//   "UpdateSite"    base address of the update server
//   "CAFile"        a PEM file of CA certificates trusted besides the system's (empty: none)
//   "TotalTimeout"  the longest time one request may take in all, in seconds (default 120;
//                   10..3600, other values take the default)
#pragma once

#include "core/util/error.h"
#include "core/util/ini.h"
#include "core/util/translate.h"

#include <string>

namespace velmora {

constexpr const char* kSectionWeb = "WEB";
constexpr const char* kDefaultDrawsSite = "https://www.velmora-lotto.ru";
constexpr const char* kDefaultProxyListUrl = "https://proxylist.numora-soft.ru/api/proxy-list";
constexpr const char* kDefaultCatalogSite = "https://catalog.numora-soft.ru";
constexpr const char* kDefaultUpdateSite = "https://update.numora-soft.ru";
constexpr int kDefaultTotalTimeoutSec = 120;
constexpr int kMinTotalTimeoutSec = 10, kMaxTotalTimeoutSec = 3600;

struct TWebSettings {
    std::string DrawsSite = kDefaultDrawsSite;
    std::string ProxyListUrl = kDefaultProxyListUrl;
    std::string CatalogSite = kDefaultCatalogSite;
    std::string UpdateSite = kDefaultUpdateSite;
    std::string CAFile;
    int TotalTimeoutSec = kDefaultTotalTimeoutSec;
    bool operator==(const TWebSettings&) const = default;
};

// Missing or blank keys take their defaults; a trailing "/" of a base address is dropped.
TWebSettings LoadWebSettings(const TIniFile& ini);
// The same rules for values typed by the user: blanks around a value and a trailing "/" of a base
// address go, an empty value takes the default, a time limit out of range the default.
void NormalizeWebSettings(TWebSettings& settings);

// The fields of the settings dialog's page "Сеть", for the error of a value.
enum class TWebField { DrawsSite, CatalogSite, UpdateSite, CAFile };
class TWebInputError : public Error {
public:
    TWebInputError(TWebField field, const std::string& message) : Error(message), Field(field) {}
    TWebField Field;
};
// The check of the page on OK: every address must start with "http://" or "https://", a CA file
// that is given must exist. Raises TWebInputError.
void CheckWebSettings(const TWebSettings& settings);

// The results site is still the product's placeholder address: there is nothing to download from
// until the user sets it, so no download is offered at start and the download commands say how to
// set it (kDrawsSiteNotSetText).
bool DrawsSiteIsPlaceholder(const TWebSettings& settings);
constexpr const char* kDrawsSiteNotSetText =
    TrNoop("Адрес сайта с результатами тиражей еще не задан (в настройках стоит адрес-заполнитель \"%s\"), поэтому "
    "загрузка тиражей невозможна.");
void SaveWebSettings(TIniFile& ini, const TWebSettings& settings);

// The address of the results page of one year.
std::string DrawsYearUrl(const TWebSettings& settings, int year);

} // namespace velmora
