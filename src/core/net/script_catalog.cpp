#include "core/net/script_catalog.h"

#include "core/app/languages.h"
#include "core/net/catalog_text.h"
#include "core/scripts/script_list.h"
#include "core/stakes/system_catalog.h"
#include "core/stakes/system_store.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmora {

namespace {

void AddClientFields(TFormFields& f, const TCatalogClient& c, const std::string& name, int32_t lcid) {
    f.emplace_back("appid", c.AppId);
    f.emplace_back("appver", c.AppVer);
    f.emplace_back("hwdid", c.HwdId);
    f.emplace_back("cl_name", EscapeText(name));
    f.emplace_back("cl_mail", EscapeText(c.Mail));
    f.emplace_back("cl_lcid", IntToStr(lcid));
}

std::string Open(const char* name) { return std::string("<") + name + ">"; }

[[noreturn]] void BadElement(const char* name, const std::string& text) {
    throw Error(Format(Tr("Некорректное значение элемента %s: \"%s\""), {Open(name), TextExcerpt(text, 60)}));
}

// An integer element within [lo, hi]; an absent (empty) one is `absent`.
int32_t IntElement(const std::string& row, const char* name, int32_t lo, int32_t hi, int32_t absent) {
    const std::string text = TextElement(row, name);
    if (text.empty()) return absent;
    const std::optional<int32_t> v = TryStrToInt(text);
    if (!v || *v < lo || *v > hi) BadElement(name, text);
    return *v;
}

// A decimal number "123", "4.5" or "4,5" within [lo, hi]; an absent one is 0.
double RealElement(const std::string& row, const char* name, double lo, double hi) {
    std::string text = TextElement(row, name);
    if (text.empty()) return 0;
    bool digits = false, point = false;
    for (char& c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
            c = '.';
        } else {
            BadElement(name, text);
        }
    }
    if (!digits) BadElement(name, text);
    const double v = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(v) || v < lo || v > hi) BadElement(name, text);
    return v;
}

TDateTime TimeElement(const std::string& row, const char* name) {
    try {
        return UtcTextToLocal(TextElement(row, name));
    } catch (const Error& e) {
        throw Error(Format(Tr("Некорректное значение элемента <%s>: %s"), {name, e.what()}));
    }
}

// Well-formed UTF-8 only: no overlong forms, no surrogates, nothing above U+10FFFF.
bool ValidUtf8(std::string_view s) {
    size_t i = 0;
    auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    while (i < s.size()) {
        const unsigned char c = at(i);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int n = 0;
        unsigned char lo = 0x80, hi = 0xBF;
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

// A plain text element: UTF-8, no control characters.
std::string PlainElement(const std::string& row, const char* name) {
    std::string text = TextElement(row, name);
    if (!ValidUtf8(text)) throw Error(Format(Tr("Некорректная кодировка текста элемента <%s>"), {name}));
    for (char& c : text)
        if (static_cast<unsigned char>(c) < ' ') c = ' ';
    return text;
}

// Base64 of UTF-8 text, at most `limit` bytes once decoded.
std::string Base64Element(const std::string& row, const char* name, size_t limit) {
    const std::string encoded = TextElement(row, name);
    if (encoded.size() / 4 * 3 > limit + 3) throw Error(Format(Tr("Слишком длинное значение элемента <%s>"), {name}));
    std::string text;
    try {
        text = Base64Decode(encoded);
    } catch (const Error& e) {
        throw Error(Format(Tr("Некорректное значение элемента <%s>: %s"), {name, e.what()}));
    }
    if (text.size() > limit) throw Error(Format(Tr("Слишком длинное значение элемента <%s>"), {name}));
    if (!ValidUtf8(text)) throw Error(Format(Tr("Некорректная кодировка текста элемента <%s>"), {name}));
    return text;
}

// A single-line text of a title or description: control characters other than line ends and tabs
// are refused.
std::string Base64TextElement(const std::string& row, const char* name, size_t limit) {
    const std::string text = Base64Element(row, name, limit);
    for (char c : text)
        if (static_cast<unsigned char>(c) < ' ' && c != '\r' && c != '\n' && c != '\t')
            throw Error(Format(Tr("Некорректное значение элемента <%s>: %s"), {name, Tr("недопустимый символ")}));
    return text;
}

std::string Post(const TScriptCatalog& catalog, const char* path, const TFormFields& fields) {
    TWebOptions options = catalog.Options;
    options.MaxBytes = std::min(options.MaxBytes, kMaxScriptReplyBytes);
    return WebPostForm(nullptr, catalog.Site + path, fields, true, options);
}

[[noreturn]] void NoAnswer(const char* element) {
    throw Error(Format(Tr("Сервер каталога не вернул элемент <%s>"), {element}));
}

} // namespace

const std::vector<const char*>& ScriptFilterCaptions() {
    static const std::vector<const char*> captions = {
        TrNoop("Скрытые"),
        TrNoop("Все, включая скрытые"),
        TrNoop("Все, кроме скрытых (по умолчанию)"),
        TrNoop("Только мои"),
        TrNoop("Только публичные"),
        TrNoop("С моими оценками"),
        TrNoop("Без моих оценок"),
        TrNoop("Новые (24 часа с момента публикации)")};
    return captions;
}

TFormFields ScriptListFields(int fltid, const TCatalogClient& client) {
    TFormFields f;
    f.emplace_back("fltid", IntToStr(fltid));
    AddClientFields(f, client, client.Name, client.Lcid);
    return f;
}

TFormFields ScriptDataFields(int32_t id) { return {{"scr_id", IntToStr(id)}}; }

TFormFields ScriptSetRateFields(int32_t id, int32_t value, const std::string& notes, const TCatalogClient& client) {
    TFormFields f;
    f.emplace_back("scr_id", IntToStr(id));
    f.emplace_back("rate_value", IntToStr(value));
    f.emplace_back("rate_notes", EscapeText(notes));
    AddClientFields(f, client, client.Name, client.Lcid);
    return f;
}

TFormFields ScriptCheckTitleFields(int32_t id, const std::string& title) {
    return {{"scr_id", IntToStr(id)}, {"scr_title", EscapeText(title)}};
}

TFormFields ScriptPutFields(const tScriptData& data, const std::string& script, bool deleteMode,
                            const TCatalogClient& client) {
    TFormFields f;
    f.emplace_back("del_mode", deleteMode ? "1" : "0");
    f.emplace_back("scr_id", IntToStr(data.Id));
    f.emplace_back("scr_uniapps", data.Universal ? "1" : "0");
    f.emplace_back("scr_publics", data.Public ? "1" : "0");
    f.emplace_back("scr_title", EscapeText(data.Title));
    f.emplace_back("scr_descr", EscapeText(data.Descr));
    if (!deleteMode) f.emplace_back("scr_script", EscapeText(script));
    AddClientFields(f, client, data.AuthorName, data.Lcid);
    return f;
}

TFormFields ScriptRatesFields(int32_t id) { return {{"scr_id", IntToStr(id)}}; }

std::vector<tScriptInfo> ReadScriptListReply(const std::string& reply, const TCatalogClient& client) {
    std::vector<tScriptInfo> list;
    for (const std::string& row : CatalogReplyRows(reply)) {
        tScriptInfo i;
        i.Id = IntElement(row, "id", 1, INT32_MAX, 0);
        if (i.Id == 0) BadElement("id", "");
        i.AuthorName = PlainElement(row, "key_cl_name");
        i.AuthorMail = PlainElement(row, "key_cl_mail");
        i.Lcid = IntElement(row, "key_cl_lcid", 0, 0xFFFF, client.Lcid);
        i.AppName = PlainElement(row, "app_name");
        i.AppVer = PlainElement(row, "app_ver");
        const std::string guid = PlainElement(row, "app_guid");
        i.Universal = IntElement(row, "uniapps", INT32_MIN, INT32_MAX, 0) > 0;
        i.Public = IntElement(row, "publics", INT32_MIN, INT32_MAX, 0) > 0;
        i.Created = TimeElement(row, "created");
        i.RatingAvg = RealElement(row, "rating_avg", 0, 5);
        i.RatingCount = IntElement(row, "rating_cnt", 0, INT32_MAX, 0);
        i.MyRating = IntElement(row, "rating_you", -1, 5, 0);
        i.Downloads = IntElement(row, "downloads", 0, INT32_MAX, 0);
        i.LastDownload = TimeElement(row, "last_download");
        i.Title = Base64TextElement(row, "title", 4096);
        i.Descr = Base64TextElement(row, "descr", 65536);
        i.Mine = IsOwnMail(i.AuthorMail, client.Mail);
        i.Compatible = i.Universal || SameText(guid, client.AppId);
        i.Editable = i.Mine && i.Compatible;
        list.push_back(std::move(i));
    }
    return list;
}

std::vector<std::string> ReadScriptDataReply(const std::string& reply) {
    for (const std::string& row : CatalogReplyRows(reply)) {
        if (FindNoCase(Trim(row), "<script>") != 0) continue;
        const std::string text = Base64Element(row, "script", kMaxCatalogScriptBytes);
        std::vector<std::string> lines = SplitLines(text);
        for (size_t n = 0; n < lines.size(); ++n)
            for (char c : lines[n])
                if (static_cast<unsigned char>(c) < ' ' && c != '\t')
                    throw Error(Format(Tr("Недопустимый символ в строке %d сценария"), {int(n + 1)}));
        bool any = false;
        for (const std::string& l : lines) any = any || !Trim(l).empty();
        if (any) return lines;
    }
    return {};
}

int32_t ReadScriptSetRateReply(const std::string& reply) {
    for (const std::string& row : CatalogReplyRows(reply)) {
        if (!HasTag(row, "<res_code>")) continue;
        const int32_t code = IntElement(row, "res_code", INT32_MIN, INT32_MAX, 0);
        if (code < 0) throw Error(Format(Tr("Код возврата: %d"), {code}));
        return code;
    }
    NoAnswer("res_code");
}

bool ReadScriptCheckTitleReply(const std::string& reply) {
    for (const std::string& row : CatalogReplyRows(reply)) {
        if (!HasTag(row, "<ret_code>")) continue;
        return IntElement(row, "ret_code", INT32_MIN, INT32_MAX, -1) == 0;
    }
    NoAnswer("ret_code");
}

int32_t ReadScriptPutReply(const std::string& reply) {
    for (const std::string& row : CatalogReplyRows(reply)) {
        if (!HasTag(row, "<id_scripts>")) continue;
        const std::string text = TextElement(row, "id_scripts");
        const std::optional<int32_t> id = TryStrToInt(text);
        if (!id || *id < 0) BadElement("id_scripts", text);
        return *id;
    }
    NoAnswer("id_scripts");
}

std::vector<tScriptRate> ReadScriptRatesReply(const std::string& reply) {
    std::vector<tScriptRate> rates;
    for (const std::string& row : CatalogReplyRows(reply)) {
        tScriptRate r;
        r.Name = PlainElement(row, "key_cl_name");
        r.Rate = IntElement(row, "rate", -1, 5, 0);
        r.Created = TimeElement(row, "created");
        r.AppName = PlainElement(row, "app_name");
        r.AppVer = PlainElement(row, "app_ver");
        r.Notes = PlainElement(row, "notes");
        rates.push_back(std::move(r));
    }
    return rates;
}

std::vector<tScriptInfo> FetchScriptList(const TScriptCatalog& catalog, int fltid) {
    return ReadScriptListReply(Post(catalog, kScriptListPath, ScriptListFields(fltid, catalog.Client)),
                               catalog.Client);
}

std::vector<std::string> FetchScriptLines(const TScriptCatalog& catalog, int32_t id) {
    return ReadScriptDataReply(Post(catalog, kScriptDataPath, ScriptDataFields(id)));
}

void SetScriptRating(const TScriptCatalog& catalog, int32_t id, int32_t value, const std::string& notes) {
    ReadScriptSetRateReply(Post(catalog, kScriptSetRatePath, ScriptSetRateFields(id, value, notes, catalog.Client)));
}

bool ScriptTitleFree(const TScriptCatalog& catalog, int32_t id, const std::string& title) {
    return ReadScriptCheckTitleReply(Post(catalog, kScriptCheckTitlePath, ScriptCheckTitleFields(id, title)));
}

int32_t PutScript(const TScriptCatalog& catalog, const tScriptData& data, const std::vector<std::string>& lines,
                  bool deleteMode) {
    return ReadScriptPutReply(
        Post(catalog, kScriptPutPath, ScriptPutFields(data, Join(lines, "\r\n"), deleteMode, catalog.Client)));
}

std::vector<tScriptRate> FetchScriptRates(const TScriptCatalog& catalog, int32_t id) {
    return ReadScriptRatesReply(Post(catalog, kScriptRatesPath, ScriptRatesFields(id)));
}

void DownloadScriptInto(const TScriptCatalog& catalog, int32_t id, TScriptList& list) {
    std::vector<std::string> lines = FetchScriptLines(catalog, id);
    if (lines.empty()) throw Error(Format(Tr("Сценарий #%d не содержит ни одной строки"), {id}));
    list.SetScriptLines(std::move(lines));
}

tScriptData CheckScriptData(const tScriptData& data) {
    tScriptData out = data;
    out.Title = Trim(data.Title);
    out.AuthorName = Trim(data.AuthorName);
    if (out.Title.empty()) throw Error(Tr(kScriptTitleEmpty));
    if (out.AuthorName.empty()) throw Error(Tr(kScriptAuthorEmpty));
    return out;
}

tScriptData NewScriptData(const TCatalogClient& client) {
    tScriptData d;
    d.Id = -1;
    d.AuthorName = client.Name;
    d.Lcid = client.Lcid;
    d.Universal = false;
    d.Public = true;
    return d;
}

tScriptData ScriptDataOf(const tScriptInfo& info) {
    tScriptData d;
    d.Id = info.Id;
    d.AuthorName = info.AuthorName;
    d.Lcid = info.Lcid;
    d.Universal = info.Universal;
    d.Public = info.Public;
    d.Title = info.Title;
    d.Descr = info.Descr;
    return d;
}

tScriptInfo PublishedScriptInfo(const tScriptData& data, int32_t id, const TCatalogClient& client,
                                const tScriptInfo* previous) {
    tScriptInfo i = previous ? *previous : tScriptInfo();
    i.Id = id;
    i.AuthorName = data.AuthorName;
    i.AuthorMail = client.Mail;
    i.Lcid = data.Lcid;
    i.AppName = client.AppId;
    i.AppVer = client.AppVer;
    i.Universal = data.Universal;
    i.Public = data.Public;
    i.Created = Now();
    i.Title = data.Title;
    i.Descr = data.Descr;
    i.Mine = i.Editable = i.Compatible = true;
    return i;
}

const std::vector<const char*>& ScriptColumnCaptions() {
    static const std::vector<const char*> captions = {
        TrNoop("Тип"),         TrNoop("Название"), TrNoop("Автор"),       TrNoop("Программа"), TrNoop("Версия"),
        TrNoop("Язык"),        TrNoop("Создан"),   TrNoop("Рейтинг"),     TrNoop("Оценок"),    TrNoop("Ваша оценка"),
        TrNoop("Загрузок"),    TrNoop("Последняя"), TrNoop("Комментарии")};
    return captions;
}

std::vector<std::string> ScriptRowCells(const tScriptInfo& i) {
    std::string mine;
    if (i.MyRating < 0) mine = Tr("Скрытый");
    else if (i.MyRating > 0) mine = IntToStr(i.MyRating);
    // The description is one cell: its line breaks become blanks.
    std::string descr = i.Descr;
    for (char& c : descr)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return {i.Mine ? Tr("Мой") : Tr("Общий"),
            i.Title,
            i.AuthorName,
            i.Universal ? Tr("Универсальный") : i.AppName,
            i.AppVer,
            LanguageAbbreviation(i.Lcid),
            SystemTimeText(i.Created),
            Format("%.3n", {i.RatingAvg}),
            IntToStr(i.RatingCount),
            mine,
            IntToStr(i.Downloads),
            SystemTimeText(i.LastDownload),
            descr};
}

} // namespace velmora
