#include "core/net/web_settings.h"

#include "core/util/atomic_file.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

namespace velmora {

namespace {

std::string ReadAddress(const TIniFile& ini, const char* key, const char* def) {
    std::string v = Trim(ini.ReadString(kSectionWeb, key, ""));
    while (!v.empty() && v.back() == '/') v.pop_back();
    return v.empty() ? std::string(def) : v;
}

} // namespace

namespace {

void NormalizeAddress(std::string& v, const char* def) {
    v = Trim(v);
    while (!v.empty() && v.back() == '/') v.pop_back();
    if (v.empty()) v = def;
}

bool IsWebAddress(const std::string& v) { return v.rfind("http://", 0) == 0 || v.rfind("https://", 0) == 0; }

} // namespace

void NormalizeWebSettings(TWebSettings& s) {
    NormalizeAddress(s.DrawsSite, kDefaultDrawsSite);
    s.ProxyListUrl = Trim(s.ProxyListUrl);
    if (s.ProxyListUrl.empty()) s.ProxyListUrl = kDefaultProxyListUrl;
    NormalizeAddress(s.CatalogSite, kDefaultCatalogSite);
    NormalizeAddress(s.UpdateSite, kDefaultUpdateSite);
    s.CAFile = Trim(s.CAFile);
    if (s.TotalTimeoutSec < kMinTotalTimeoutSec || s.TotalTimeoutSec > kMaxTotalTimeoutSec)
        s.TotalTimeoutSec = kDefaultTotalTimeoutSec;
}

void CheckWebSettings(const TWebSettings& s) {
    const std::pair<TWebField, const std::string*> addresses[] = {
        {TWebField::DrawsSite, &s.DrawsSite}, {TWebField::CatalogSite, &s.CatalogSite}, {TWebField::UpdateSite, &s.UpdateSite}};
    for (const auto& [field, value] : addresses)
        if (!IsWebAddress(*value))
            throw TWebInputError(field, Format(Tr("Адрес должен начинаться с http:// или https://: \"%s\"!"), {TextExcerpt(*value)}));
    if (!s.CAFile.empty() && !FileExists(s.CAFile))
        throw TWebInputError(TWebField::CAFile, Format(Tr("Файл сертификатов не найден: \"%s\"!"), {s.CAFile}));
}

bool DrawsSiteIsPlaceholder(const TWebSettings& s) { return s.DrawsSite == kDefaultDrawsSite; }

TWebSettings LoadWebSettings(const TIniFile& ini) {
    TWebSettings s;
    s.DrawsSite = ReadAddress(ini, "DrawsSite", kDefaultDrawsSite);
    // The proxy list is a full address (a query follows it), so only blanks are taken off.
    s.ProxyListUrl = Trim(ini.ReadString(kSectionWeb, "ProxyListUrl", ""));
    if (s.ProxyListUrl.empty()) s.ProxyListUrl = kDefaultProxyListUrl;
    s.CatalogSite = ReadAddress(ini, "CatalogSite", kDefaultCatalogSite);
    s.UpdateSite = ReadAddress(ini, "UpdateSite", kDefaultUpdateSite);
    s.CAFile = Trim(ini.ReadString(kSectionWeb, "CAFile", ""));
    const int total = ini.ReadInteger(kSectionWeb, "TotalTimeout", kDefaultTotalTimeoutSec);
    s.TotalTimeoutSec = total >= kMinTotalTimeoutSec && total <= kMaxTotalTimeoutSec ? total : kDefaultTotalTimeoutSec;
    return s;
}

void SaveWebSettings(TIniFile& ini, const TWebSettings& s) {
    ini.WriteString(kSectionWeb, "DrawsSite", s.DrawsSite);
    ini.WriteString(kSectionWeb, "ProxyListUrl", s.ProxyListUrl);
    ini.WriteString(kSectionWeb, "CatalogSite", s.CatalogSite);
    ini.WriteString(kSectionWeb, "UpdateSite", s.UpdateSite);
    ini.WriteString(kSectionWeb, "CAFile", s.CAFile);
    ini.WriteInteger(kSectionWeb, "TotalTimeout", s.TotalTimeoutSec);
}

std::string DrawsYearUrl(const TWebSettings& settings, int year) {
    return settings.DrawsSite + Format("/velmora/arhiv-rezultatov/%d", {year});
}

} // namespace velmora
