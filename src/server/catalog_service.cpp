#include "server/catalog_service.h"

#include "core/net/catalog_client.h"
#include "core/net/catalog_text.h"
#include "core/stakes/system_info.h"
#include "core/stakes/system_play.h"
#include "core/util/text.h"

#include <cstdio>

namespace velmora::server {

namespace {

const std::string* Field(const TFields& f, const char* name) {
    auto it = f.find(name);
    return it == f.end() ? nullptr : &it->second;
}

int64_t IntField(const TFields& f, const char* name, int64_t lo, int64_t hi) {
    const std::string* v = Field(f, name);
    const std::optional<int32_t> n = v ? TryStrToInt(Trim(*v)) : std::nullopt;
    if (!n || *n < lo || *n > hi)
        throw TRefused(std::string("Некорректное значение поля ") + name);
    return *n;
}

// Well-formed UTF-8 only: no overlong forms (C0 BC for "<"), no surrogates (ED A0..BF), nothing
// above U+10FFFF (F4 90.., F5..FF), no stray continuation bytes.
bool ValidUtf8(const std::string& s) {
    size_t i = 0;
    auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    while (i < s.size()) {
        const unsigned char c = at(i);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int n = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // the range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (i + size_t(n) >= s.size()) return false;
        if (at(i + 1) < lo || at(i + 1) > hi) return false;
        for (int k = 2; k <= n; ++k)
            if ((at(i + size_t(k)) & 0xC0) != 0x80) return false;
        i += size_t(n) + 1;
    }
    return true;
}

// A text field: unescaped when the client escapes it, valid UTF-8, at most `limit` bytes; `plain`
// texts travel in the reply as they are, so they may not hold markup or control characters.
std::string TextField(const TFields& f, const char* name, size_t limit, bool escaped, bool plain, bool required) {
    const std::string* v = Field(f, name);
    std::string text = Trim(v ? (escaped ? UnescapeText(*v) : *v) : std::string());
    if (required && text.empty()) throw TRefused(std::string("Не указано поле ") + name);
    if (text.size() > limit) throw TRefused(std::string("Слишком длинное поле ") + name);
    if (!ValidUtf8(text)) throw TRefused(std::string("Некорректная кодировка поля ") + name);
    if (plain)
        for (char c : text)
            if (c == '<' || c == '>' || c == '"' || static_cast<unsigned char>(c) < ' ')
                throw TRefused(std::string("Недопустимые символы в поле ") + name);
    return text;
}

TRequester Requester(const TFields& f) {
    TRequester who;
    who.Mail = TextField(f, "cl_mail", 128, true, true, true);
    if (!CatalogUserComplete({"-", who.Mail})) throw TRefused("Некорректный адрес электронной почты");
    who.MachineId = TextField(f, "hwdid", 128, false, true, true);
    who.AppId = TextField(f, "appid", 64, false, true, false);
    who.AppVer = TextField(f, "appver", 64, false, true, false);
    return who;
}

std::string Element(const char* name, const std::string& value) {
    return std::string("<") + name + ">" + value + "</" + name + ">";
}

std::string Reply(const std::string& rows) { return "<result>" + rows + "</result>\n"; }

} // namespace

std::string ErrorReply(const std::string& message) {
    // The message is ours, but keep the markup out of it all the same.
    std::string text;
    for (char c : message) text += (c == '<' || c == '>') ? ' ' : c;
    return Reply("<row>" + Element("error", text) + "</row>");
}

std::string HandleSystemList(TCatalogDb& db, const TFields& fields) {
    if (IntField(fields, "comblen", 1, 255) != kSystemCombLength) return Reply("");
    const int maxNums = int(IntField(fields, "maxnums", 1, 255));
    std::string rows;
    for (const TStoredSystem& s : db.ListSystems(maxNums)) {
        rows += "<row>";
        rows += Element("id", std::to_string(s.Id));
        rows += Element("nums", std::to_string(s.Nums));
        rows += Element("olap", std::to_string(s.Olap));
        rows += Element("csize", std::to_string(s.CSize));
        rows += Element("title", Base64Encode(s.Title));
        rows += Element("descr", Base64Encode(s.Descr));
        rows += Element("author", s.Author);
        rows += Element("cl_mail", s.OwnerMail);
        rows += Element("url", s.Url);
        rows += Element("created", s.Created);
        rows += Element("downloads", std::to_string(s.Downloads));
        rows += Element("last_download", s.LastDownload);
        rows += "</row>";
    }
    return Reply(rows);
}

std::string HandleSystemData(TCatalogDb& db, const TFields& fields) {
    const int64_t id = IntField(fields, "sys_id", 1, INT32_MAX);
    return Reply("<row>" + Element("clist", Base64Encode(db.DownloadSystem(id))) + "</row>");
}

std::string HandleSystemPut(TCatalogDb& db, const TFields& fields) {
    const bool del = IntField(fields, "del_mode", 0, 1) == 1;
    const int64_t id = IntField(fields, "sys_id", 0, INT32_MAX);
    const TRequester who = Requester(fields);
    if (del) {
        if (id == 0) throw TRefused("Не указана система");
        db.DeleteSystem(id, who);
        return Reply("<row>" + Element("id_systems", "0") + "</row>");
    }
    if (IntField(fields, "clen", 1, 255) != kSystemCombLength) throw TRefused("Некорректная длина комбинации");
    TStoredSystem sys;
    sys.Id = id;
    sys.Nums = int(IntField(fields, "nums", kMinSystemNums, kMaxSystemNums));
    sys.Olap = int(IntField(fields, "olap", kMinSystemOlap, kMaxSystemOlap));
    sys.CSize = int(IntField(fields, "csize", 1, kMaxSystemCombinations));
    sys.Title = TextField(fields, "title", 256, true, false, true);
    sys.Descr = TextField(fields, "descr", 8192, true, false, true);
    sys.Author = TextField(fields, "cl_name", 128, true, true, true);
    sys.Url = TextField(fields, "url", 512, false, true, false);
    if (!sys.Url.empty() && FindNoCase(sys.Url, "http://") != 0 && FindNoCase(sys.Url, "https://") != 0)
        throw TRefused("Ссылка должна начинаться с http:// или https://");

    const std::string* encoded = Field(fields, "clist");
    std::string clist;
    try {
        clist = UnescapeText(Base64Decode(encoded ? *encoded : std::string()));
    } catch (const std::exception&) {
        throw TRefused("Некорректный список комбинаций");
    }
    const std::vector<std::string> lines = SplitLines(clist);
    if (int64_t(lines.size()) != sys.CSize)
        throw TRefused("Количество комбинаций не совпадает с указанным размером системы");
    try {
        CheckSystemLines(clist, sys.Nums);
    } catch (const std::exception& e) {
        throw TRefused(e.what());
    }
    clist = Join(lines, "\r\n");
    if (id == 0) return Reply("<row>" + Element("id_systems", std::to_string(db.AddSystem(sys, clist, who))) + "</row>");
    db.ChangeSystem(sys, clist, who);
    return Reply("<row>" + Element("id_systems", std::to_string(id)) + "</row>");
}

// ---- scripts ------------------------------------------------------------------------------------

namespace {

constexpr size_t kMaxScriptTitle = 256;     // bytes: 64 characters of any script
constexpr size_t kMaxScriptName = 256;
constexpr size_t kMaxScriptDescr = 16384;
constexpr size_t kMaxScriptNotes = 4096;
constexpr size_t kMaxScriptText = 2u << 20;

// The script text: lines of well-formed UTF-8 without control characters (tabs aside), joined
// by CR LF whatever line ends came.
std::string ScriptTextField(const TFields& f) {
    const std::string* v = Field(f, "scr_script");
    const std::string text = v ? UnescapeText(*v) : std::string();
    if (text.size() > kMaxScriptText) throw TRefused("Слишком длинный сценарий");
    if (!ValidUtf8(text)) throw TRefused("Некорректная кодировка сценария");
    for (char c : text)
        if (static_cast<unsigned char>(c) < ' ' && c != '\r' && c != '\n' && c != '\t')
            throw TRefused("Недопустимые символы в сценарии");
    const std::vector<std::string> lines = SplitLines(text);
    bool any = false;
    for (const std::string& l : lines) any = any || !Trim(l).empty();
    if (!any) throw TRefused("Пустой сценарий");
    return Join(lines, "\r\n");
}

std::string Number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

} // namespace

std::string HandleScriptList(TCatalogDb& db, const TFields& fields) {
    const auto filter = TScriptFilter(IntField(fields, "fltid", -1, 6));
    const TRequester who = Requester(fields);
    std::string rows;
    for (const TStoredScript& s : db.ListScripts(filter, who)) {
        rows += "<row>";
        rows += Element("id", std::to_string(s.Id));
        rows += Element("key_cl_name", s.Author);
        rows += Element("key_cl_mail", s.OwnerMail);
        rows += Element("key_cl_lcid", std::to_string(s.Lcid));
        rows += Element("app_name", s.AppId);
        rows += Element("app_ver", s.AppVer);
        rows += Element("app_guid", s.AppId);
        rows += Element("uniapps", s.Universal ? "1" : "0");
        rows += Element("publics", s.Public ? "1" : "0");
        rows += Element("created", s.Created);
        rows += Element("rating_avg", Number(s.RatingAvg));
        rows += Element("rating_cnt", std::to_string(s.RatingCount));
        rows += Element("rating_you", std::to_string(s.MyRating));
        rows += Element("downloads", std::to_string(s.Downloads));
        rows += Element("last_download", s.LastDownload);
        rows += Element("title", Base64Encode(s.Title));
        rows += Element("descr", Base64Encode(s.Descr));
        rows += "</row>";
    }
    return Reply(rows);
}

std::string HandleScriptData(TCatalogDb& db, const TFields& fields) {
    const int64_t id = IntField(fields, "scr_id", 1, INT32_MAX);
    return Reply("<row>" + Element("script", Base64Encode(db.DownloadScript(id))) + "</row>");
}

std::string HandleScriptSetRate(TCatalogDb& db, const TFields& fields) {
    const int64_t id = IntField(fields, "scr_id", 1, INT32_MAX);
    const int rate = int(IntField(fields, "rate_value", -1, 5));
    // A note travels in the ratings reply as it is: quotes are fine there, markup is not.
    const std::string notes = TextField(fields, "rate_notes", kMaxScriptNotes, true, false, false);
    for (char c : notes)
        if (c == '<' || c == '>' || static_cast<unsigned char>(c) < ' ')
            throw TRefused("Недопустимые символы в поле rate_notes");
    const TRequester who = Requester(fields);
    const std::string name = TextField(fields, "cl_name", kMaxScriptName, true, true, true);
    db.SetScriptRating(id, rate, notes, name, who);
    return Reply("<row>" + Element("res_code", "0") + "</row>");
}

std::string HandleScriptCheckTitle(TCatalogDb& db, const TFields& fields) {
    const int64_t id = IntField(fields, "scr_id", -1, INT32_MAX);
    const std::string title = TextField(fields, "scr_title", kMaxScriptTitle, true, false, true);
    return Reply("<row>" + Element("ret_code", db.ScriptTitleFree(id, title) ? "0" : "1") + "</row>");
}

std::string HandleScriptPut(TCatalogDb& db, const TFields& fields) {
    const bool del = IntField(fields, "del_mode", 0, 1) == 1;
    const int64_t id = IntField(fields, "scr_id", -1, INT32_MAX);
    TStoredScript script;
    script.Id = id;
    script.Universal = IntField(fields, "scr_uniapps", 0, 1) == 1;
    script.Public = IntField(fields, "scr_publics", 0, 1) == 1;
    const TRequester who = Requester(fields);
    if (del) {
        if (id <= 0) throw TRefused("Не указан сценарий");
        db.DeleteScript(id, who);
        return Reply("<row>" + Element("id_scripts", "0") + "</row>");
    }
    script.Title = TextField(fields, "scr_title", kMaxScriptTitle, true, false, true);
    script.Descr = TextField(fields, "scr_descr", kMaxScriptDescr, true, false, false);
    script.Author = TextField(fields, "cl_name", kMaxScriptName, true, true, true);
    script.Lcid = int32_t(IntField(fields, "cl_lcid", 0, 0xFFFF));
    const std::string text = ScriptTextField(fields);
    return Reply("<row>" + Element("id_scripts", std::to_string(db.PutScript(script, text, who))) + "</row>");
}

std::string HandleScriptRates(TCatalogDb& db, const TFields& fields) {
    const int64_t id = IntField(fields, "scr_id", 1, INT32_MAX);
    std::string rows;
    for (const TStoredRate& r : db.ListScriptRatings(id)) {
        rows += "<row>";
        rows += Element("key_cl_name", r.Name);
        rows += Element("rate", std::to_string(r.Rate));
        rows += Element("created", r.Created);
        rows += Element("app_name", r.AppId);
        rows += Element("app_ver", r.AppVer);
        rows += Element("notes", r.Notes);
        rows += "</row>";
    }
    return Reply(rows);
}

} // namespace velmora::server
