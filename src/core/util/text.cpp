#include "core/util/text.h"

#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/translate.h"
#include "core/util/utf8.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <unordered_map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

// Unicode code points of the cp1251 bytes 0x80..0xFF.
constexpr uint16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};


// Decodes one UTF-8 character at s[i]; advances i. Invalid bytes decode as themselves (Latin-1).
uint32_t NextCodePoint(std::string_view s, size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    auto cont = [&](size_t k) { return k < s.size() && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80; };
    if (c < 0x80) {
        ++i;
        return c;
    }
    if ((c & 0xE0) == 0xC0 && cont(i + 1)) {
        uint32_t cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
        i += 2;
        return cp;
    }
    if ((c & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
        uint32_t cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
                      (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
        i += 3;
        return cp;
    }
    if ((c & 0xF8) == 0xF0 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
        uint32_t cp = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 12) |
                      ((static_cast<unsigned char>(s[i + 2]) & 0x3Fu) << 6) |
                      (static_cast<unsigned char>(s[i + 3]) & 0x3Fu);
        i += 4;
        return cp;
    }
    ++i;
    return c;
}

const std::unordered_map<uint32_t, char>& ReverseTable() {
    static const std::unordered_map<uint32_t, char> map = [] {
        std::unordered_map<uint32_t, char> m;
        for (int b = 0; b < 128; ++b)
            if (kCp1251High[b] != 0xFFFD) m[kCp1251High[b]] = char(0x80 + b);
        return m;
    }();
    return map;
}

uint32_t UpperCp(uint32_t cp) {
    if (cp >= 'a' && cp <= 'z') return cp - 32;
    if (cp >= 0x430 && cp <= 0x44F) return cp - 0x20;
    if (cp >= 0x450 && cp <= 0x45F) return cp - 0x50;
    return cp;
}

uint32_t LowerCp(uint32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 32;
    if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;
    if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;
    return cp;
}

template <class F>
std::string MapCase(std::string_view s, F f) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) AppendUtf8(out, f(NextCodePoint(s, i)));
    return out;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else
            AppendUtf8(out, kCp1251High[c - 0x80]);
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto& rev = ReverseTable();
    size_t i = 0;
    while (i < utf8.size()) {
        uint32_t cp = NextCodePoint(utf8, i);
        if (cp < 0x80) {
            out += char(cp);
        } else {
            auto it = rev.find(cp);
            out += it != rev.end() ? it->second : '?';
        }
    }
    return out;
}

std::string ReadFileBytes(const std::string& path) {
    // Opened without waiting (a FIFO would block until a writer came) and checked before the
    // first read: only a regular file is read; a folder, FIFO or device is no data file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw Error(Format(Tr("Не удается открыть файл \"%s\": %s"), {path, std::strerror(errno)}));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : 0;
        ::close(fd);
        throw Error(Format(Tr("Не удается открыть файл \"%s\": %s"),
                           {path, err ? std::string(std::strerror(err)) : std::string(Tr("это не обычный файл"))}));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::string data;
    data.reserve(size_t(std::max<off_t>(st.st_size, 0)) + 1);
    char buf[65536];
    for (;;) {
        const ssize_t r = ::read(fd, buf, sizeof buf);
        if (r == 0) break;
        if (r < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            throw Error(Format(Tr("Ошибка чтения файла \"%s\": %s"), {path, std::strerror(err)}));
        }
        data.append(buf, size_t(r));
    }
    ::close(fd);
    return data;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    // A UTF-8 byte-order mark says the text is UTF-8 already; it is no part of the first line.
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (std::string_view(bytes).substr(0, kBom.size()) == kBom) return SplitLines(std::string_view(bytes).substr(kBom.size()));
    return SplitLines(Cp1251ToUtf8(bytes));
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string data;
    for (const auto& l : lines) {
        data += Utf8ToCp1251(l);
        data += "\r\n";
    }
    WriteFileAtomic(path, data);
}

std::string TrimLeft(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string UpperCase(std::string_view s) { return MapCase(s, UpperCp); }
std::string LowerCase(std::string_view s) { return MapCase(s, LowerCp); }

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size() && (a.size() < b.size() / 2 || b.size() < a.size() / 2)) return false;
    return UpperCase(a) == UpperCase(b);
}

size_t FindNoCase(std::string_view text, std::string_view what, size_t from) {
    if (what.empty()) return from <= text.size() ? from : std::string::npos;
    // Fast path for pure ASCII markers: compare byte by byte ignoring ASCII case.
    auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : char(c); };
    bool ascii = true;
    for (char c : what)
        if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
    if (ascii) {
        for (size_t i = from; i + what.size() <= text.size(); ++i) {
            size_t k = 0;
            while (k < what.size() && lower(static_cast<unsigned char>(text[i + k])) ==
                                          lower(static_cast<unsigned char>(what[k])))
                ++k;
            if (k == what.size()) return i;
        }
        return std::string::npos;
    }
    std::string ut = UpperCase(text), uw = UpperCase(what);
    // Upper-casing keeps byte lengths for Latin and Cyrillic letters, so positions agree.
    return ut.find(uw, from);
}

std::optional<int32_t> TryStrToInt(std::string_view s) {
    if (s.empty()) return std::nullopt;
    size_t i = 0;
    bool neg = false;
    if (s[0] == '+' || s[0] == '-') {
        neg = s[0] == '-';
        i = 1;
    }
    if (i >= s.size()) return std::nullopt;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        v = v * 10 + (s[i] - '0');
        if (v > int64_t(std::numeric_limits<int32_t>::max()) + 1) return std::nullopt;
    }
    if (neg) v = -v;
    if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min()) return std::nullopt;
    return int32_t(v);
}

int32_t StrToIntDef(std::string_view s, int32_t def) {
    auto v = TryStrToInt(Trim(s));
    return v ? *v : def;
}

std::string IntToStr(int64_t v) { return std::to_string(v); }

std::vector<std::string> SplitAny(std::string_view s, std::string_view separators) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || separators.find(s[i]) != std::string_view::npos) {
            out.emplace_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

std::string Join(const std::vector<std::string>& parts, std::string_view sep) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) out += sep;
        out += parts[i];
    }
    return out;
}

int64_t RoundHalfEven(long double v) { return static_cast<int64_t>(std::nearbyintl(v)); }

std::string TextExcerpt(std::string_view text, size_t limit) {
    if (text.size() <= limit) return std::string(text);
    size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return std::string(text.substr(0, n)) + "...";
}

} // namespace velmora
