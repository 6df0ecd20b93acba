#include "core/net/catalog_text.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <cstdint>

namespace velmora {

std::string EscapeText(std::string_view text) {
    static const char kControl[] = {'0', '1', '2', '3', '4', '5', '6', 'a', 'b', 't', 'n', 'v', 'f', 'r'};
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c <= 13) {
            out += '\\';
            out += kControl[c];
        } else if (c == 27) {
            out += "\\e";
        } else if (c == '"' || c == '\'' || c == '?' || c == '\\') {
            out += '\\';
            out += ch;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string UnescapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        switch (c) {
            case '0': case '1': case '2': case '3': case '4': case '5': case '6': out += char(c - '0'); break;
            case 'a': out += '\a'; break;
            case 'b': out += '\b'; break;
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'v': out += '\v'; break;
            case 'f': out += '\f'; break;
            case 'r': out += '\r'; break;
            case 'e': out += '\x1b'; break;
            default: out += c; break;
        }
    }
    return out;
}

namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Base64Digit(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

} // namespace

std::string Base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const uint32_t v = uint32_t(uint8_t(bytes[i])) << 16 | uint32_t(uint8_t(bytes[i + 1])) << 8 | uint8_t(bytes[i + 2]);
        out += kBase64[v >> 18];
        out += kBase64[(v >> 12) & 63];
        out += kBase64[(v >> 6) & 63];
        out += kBase64[v & 63];
    }
    if (i < bytes.size()) {
        uint32_t v = uint32_t(uint8_t(bytes[i])) << 16;
        if (i + 1 < bytes.size()) v |= uint32_t(uint8_t(bytes[i + 1])) << 8;
        out += kBase64[v >> 18];
        out += kBase64[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kBase64[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string Base64Decode(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 4 * 3);
    uint32_t acc = 0;
    int bits = 0, digits = 0, padding = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        if (c == '=') {
            ++padding;
            ++digits;
            continue;
        }
        const int d = Base64Digit(c);
        if (d < 0 || padding > 0) throw Error(Tr("Некорректные данные в кодировке Base64"));
        acc = (acc << 6) | uint32_t(d);
        bits += 6;
        ++digits;
        if (bits >= 8) {
            bits -= 8;
            out += char((acc >> bits) & 0xFF);
        }
    }
    if (digits % 4 != 0 || padding > 2) throw Error(Tr("Некорректные данные в кодировке Base64"));
    return out;
}

namespace {

// The element's raw content and the end of its closing tag; npos when the opening tag is missing.
size_t FindTag(std::string_view text, std::string_view openTag, std::string_view closeTag, std::string& content,
               size_t start = 0) {
    const size_t open = FindNoCase(text, openTag, start);
    if (open == std::string_view::npos) return std::string_view::npos;
    const size_t from = open + openTag.size();
    const size_t close = FindNoCase(text, closeTag, from);
    if (close == std::string_view::npos)
        throw Error(Format(Tr("Не удалось найти пару идентификаторов \"%1:s\" - \"%2:s\" в тексте\r\r[%0:s]!"),
                           {TextExcerpt(text, 300), std::string(openTag), std::string(closeTag)}));
    content.assign(text.substr(from, close - from));
    return close + closeTag.size();
}

std::string Unquote(const std::string& raw) {
    std::string v = Trim(raw);
    if (v.size() < 2 || v.front() != '"' || v.back() != '"') return v;
    std::string out;
    const std::string_view inner = std::string_view(v).substr(1, v.size() - 2);
    for (size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] != '"') {
            out += inner[i];
        } else if (i + 1 < inner.size() && inner[i + 1] == '"') {
            out += '"';
            ++i;
        }
    }
    return out;
}

} // namespace

std::string TagValue(std::string_view text, std::string_view openTag, std::string_view closeTag) {
    std::string content;
    if (FindTag(text, openTag, closeTag, content) == std::string_view::npos) return std::string();
    return Unquote(content);
}

std::string TakeTag(std::string& text, std::string_view openTag, std::string_view closeTag) {
    std::string content;
    const size_t end = FindTag(text, openTag, closeTag, content);
    if (end == std::string_view::npos) return std::string();
    text.erase(0, end);
    return Unquote(content);
}

std::vector<std::string> TagValues(std::string_view text, std::string_view openTag, std::string_view closeTag) {
    std::vector<std::string> values;
    std::string content;
    for (size_t pos = 0; (pos = FindTag(text, openTag, closeTag, content, pos)) != std::string_view::npos;)
        values.push_back(Unquote(content));
    return values;
}

bool HasTag(std::string_view text, std::string_view openTag) {
    return FindNoCase(text, openTag) != std::string_view::npos;
}

std::string TextElement(const std::string& row, const char* name) {
    return TagValue(row, std::string("<") + name + ">", std::string("</") + name + ">");
}

std::vector<std::string> CatalogReplyRows(const std::string& reply) {
    const std::string result = TagValue(reply, "<result>", "</result>");
    std::vector<std::string> rows = TagValues(result, "<row>", "</row>");
    for (const std::string& row : rows) {
        const std::string error = TextElement(row, "error");
        if (!error.empty()) throw Error(Format(Tr("Сервер каталога отклонил запрос: %s"), {TextExcerpt(error)}));
    }
    return rows;
}

} // namespace velmora
