#include "server/catalog_service.h"

#include "core/net/catalog_client.h"
#include "core/net/catalog_text.h"
#include "core/stakes/system_info.h"
#include "core/stakes/system_play.h"
#include "core/util/text.h"

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

} // namespace velmora::server
