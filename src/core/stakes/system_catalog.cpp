#include "core/stakes/system_catalog.h"

#include "core/net/catalog_text.h"
#include "core/stakes/system_store.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>

namespace velmora {

namespace {

void AddClientFields(TFormFields& f, const TCatalogClient& c, const std::string& name, const std::string& mail) {
    f.emplace_back("appid", c.AppId);
    f.emplace_back("appver", c.AppVer);
    f.emplace_back("hwdid", c.HwdId);
    f.emplace_back("cl_name", EscapeText(name));
    f.emplace_back("cl_mail", EscapeText(mail));
    f.emplace_back("cl_lcid", IntToStr(c.Lcid));
}

// An integer element of a row within [lo, hi]; anything else fails the request.
int32_t IntElement(const std::string& row, const char* name, int32_t lo, int32_t hi) {
    const std::string open = std::string("<") + name + ">", close = std::string("</") + name + ">";
    const std::string text = TagValue(row, open, close);
    const std::optional<int32_t> v = TryStrToInt(text);
    if (!v || *v < lo || *v > hi)
        throw Error(Format(Tr("Некорректное значение элемента %s: \"%s\""), {open, text}));
    return *v;
}

std::string Base64Element(const std::string& row, const char* name) {
    try {
        return Base64Decode(TextElement(row, name));
    } catch (const Error& e) {
        throw Error(Format(Tr("Некорректное значение элемента <%s>: %s"), {name, e.what()}));
    }
}

TDateTime TimeElement(const std::string& row, const char* name) {
    try {
        return UtcTextToLocal(TextElement(row, name));
    } catch (const Error& e) {
        throw Error(Format(Tr("Некорректное значение элемента <%s>: %s"), {name, e.what()}));
    }
}

// The rows of the "<result>" content; a row with a non-empty "<error>" fails the whole request.
std::vector<std::string> ReplyRows(const std::string& reply, bool& available) {
    // A reply without "<result>" is not the catalog's; an empty "<result>" is an empty catalog.
    available = HasTag(reply, "<result>");
    return CatalogReplyRows(reply);
}

std::string Post(const TSystemCatalog& catalog, const char* path, const TFormFields& fields) {
    return WebPostForm(nullptr, catalog.Site + path, fields, true, catalog.Options);
}

} // namespace

TFormFields SystemListFields(const TCatalogClient& client) {
    TFormFields f;
    f.emplace_back("comblen", IntToStr(kSystemCombLength));
    f.emplace_back("maxnums", IntToStr(kMaxSystemNums));
    AddClientFields(f, client, client.Name, client.Mail);
    return f;
}

TFormFields SystemDataFields(int32_t id) { return {{"sys_id", IntToStr(id)}}; }

TFormFields PutSystemFields(const tSystemData& data, bool deleteMode, const TCatalogClient& client) {
    TFormFields f;
    f.emplace_back("del_mode", deleteMode ? "1" : "0");
    f.emplace_back("sys_id", IntToStr(data.Id));
    f.emplace_back("nums", IntToStr(data.Nums));
    f.emplace_back("clen", IntToStr(kSystemCombLength));
    f.emplace_back("olap", IntToStr(data.Olap));
    f.emplace_back("title", EscapeText(data.Title));
    f.emplace_back("descr", EscapeText(data.Descr));
    f.emplace_back("csize", IntToStr(data.CSize));
    f.emplace_back("clist", deleteMode ? std::string() : Base64Encode(EscapeText(data.CList)));
    f.emplace_back("url", data.URL);
    AddClientFields(f, client, data.Author, data.OwnerMail);
    return f;
}

tSystemInfo SystemListPlaceholder(bool empty) {
    tSystemInfo p;
    p.Id = kSystemPlaceholderId;
    p.Title = empty ? kSystemListEmpty : kSystemListUnavailable;
    return p;
}

std::vector<tSystemInfo> ReadSystemListReply(const std::string& reply, bool& available) {
    std::vector<tSystemInfo> list;
    for (const std::string& row : ReplyRows(reply, available)) {
        tSystemInfo i;
        i.Id = IntElement(row, "id", 1, INT32_MAX);
        i.Nums = uint8_t(IntElement(row, "nums", 0, 255));
        i.Olap = uint8_t(IntElement(row, "olap", 0, 255));
        i.CSize = IntElement(row, "csize", 0, INT32_MAX);
        i.Title = Base64Element(row, "title");
        i.Descr = Base64Element(row, "descr");
        i.Author = TextElement(row, "author");
        i.OwnerMail = TextElement(row, "cl_mail");
        i.URL = TextElement(row, "url");
        i.Created = TimeElement(row, "created");
        i.Downloads = std::max(0, StrToIntDef(TextElement(row, "downloads"), 0));
        i.LastDownload = TimeElement(row, "last_download");
        list.push_back(std::move(i));
    }
    return list;
}

std::string ReadSystemDataReply(const std::string& reply) {
    bool available = false;
    for (const std::string& row : ReplyRows(reply, available)) {
        std::string clist = Base64Element(row, "clist");
        if (!clist.empty()) return clist;
    }
    return std::string();
}

int32_t ReadPutSystemReply(const std::string& reply) {
    bool available = false;
    for (const std::string& row : ReplyRows(reply, available)) {
        const int32_t id = StrToIntDef(TextElement(row, "id_systems"), -1);
        if (id >= 0) return id;
    }
    return -1;
}

std::vector<tSystemInfo> FetchSystemList(const TSystemCatalog& catalog, bool& available) {
    return ReadSystemListReply(Post(catalog, kSystemListPath, SystemListFields(catalog.Client)), available);
}

std::string FetchSystemCombinations(const TSystemCatalog& catalog, const tSystemInfo& info) {
    return ReadSystemDataReply(Post(catalog, kSystemDataPath, SystemDataFields(info.Id)));
}

int32_t PutSystem(const TSystemCatalog& catalog, const tSystemData& data, bool deleteMode) {
    return ReadPutSystemReply(Post(catalog, kSystemPutPath, PutSystemFields(data, deleteMode, catalog.Client)));
}

std::string DownloadSystem(const TSystemCatalog& catalog, const std::string& dir, const tSystemInfo& info) {
    return WriteSystemFile(dir, info, SplitLines(FetchSystemCombinations(catalog, info)));
}

std::vector<std::string> DownloadSystemKeepingOne(const TSystemCatalog& catalog, const std::string& dir,
                                                  const tSystemInfo& info) {
    DownloadSystem(catalog, dir, info);
    return DeleteOtherSystems(dir, info);
}

std::vector<TSystemRow> LoadSystemList(const TSystemCatalog& catalog, const std::string& dir,
                                       std::vector<std::string>& errors) {
    bool available = false;
    const std::vector<tSystemInfo> list = FetchSystemList(catalog, available);
    std::vector<TSystemRow> rows;
    if (!available || list.empty()) {
        rows.push_back({SystemListPlaceholder(available), false});
        return rows;
    }
    for (const tSystemInfo& info : list) {
        TSystemRow row{info, SystemDownloaded(dir, info)};
        if (row.Downloaded && SystemFileOutdated(SystemFilePath(dir, info), info.Created)) {
            try {
                DownloadSystem(catalog, dir, info);
            } catch (const std::exception& e) {
                errors.push_back(Format(Tr(kSystemLoadError), {info.Id, e.what()}));
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

const std::vector<std::string>& SystemColumnCaptions() {
    static const std::vector<std::string> captions = {NoTr("Название"), NoTr("Автор"),     NoTr("Числа"),     NoTr("Блок"),
                                                      NoTr("Комбинаций"), NoTr("Дата создания"), NoTr("Статус"), NoTr("Загрузок"),
                                                      NoTr("Последняя"), NoTr("Комментарии"), NoTr("Ссылка")};
    return captions;
}

std::vector<std::string> SystemRowCells(const TSystemRow& row) {
    const tSystemInfo& i = row.Info;
    const bool placeholder = i.Id == kSystemPlaceholderId;
    auto num = [&](const std::string& s) { return placeholder ? std::string() : s; };
    return {i.Title,
            i.Author,
            num(Format("%.2d", {int(i.Nums)})),
            num(IntToStr(i.Olap)),
            num(IntToStr(i.CSize)),
            SystemTimeText(i.Created),
            row.Downloaded ? Tr("Загружена") : "",
            num(IntToStr(i.Downloads)),
            SystemTimeText(i.LastDownload),
            i.Descr,
            i.URL};
}

TDateTime UtcTextToLocal(const std::string& text) {
    const TDateTime utc = ParseSystemTime(text);
    if (utc == 0) return 0;
    // The fields as UTC, then the local calendar time of that moment.
    const int64_t secs = int64_t(std::llround((utc - 25569.0) * 86400.0));  // 25569: 1970-01-01
    return UnixToLocalDateTime(secs);
}

std::string LocalToUtcText(TDateTime local) {
    if (local == 0) return std::string();
    const std::time_t t = std::time_t(LocalDateTimeToUnix(local));
    std::tm u{};
    gmtime_r(&t, &u);
    return Format("%.4d-%.2d-%.2d %.2d:%.2d:%.2d",
                  {u.tm_year + 1900, u.tm_mon + 1, u.tm_mday, u.tm_hour, u.tm_min, u.tm_sec});
}

} // namespace velmora
