#include "core/util/format.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace velmora {

NumberFormat& CurrentNumberFormat() {
    static NumberFormat fmt;
    return fmt;
}

namespace {

std::string FixedText(double v, int prec) {
    if (prec < 0) prec = 2;
    if (prec > 18) prec = 18;
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", prec, v);
    std::string s = buf;
    if (s.size() >= 2 && s[0] == '-') {
        // "-0.00" is written as "0.00"
        bool allZero = true;
        for (char c : s.substr(1))
            if (c >= '1' && c <= '9') allZero = false;
        if (allZero) s.erase(0, 1);
    }
    auto dot = s.find('.');
    if (dot != std::string::npos) s[dot] = CurrentNumberFormat().DecimalSeparator;
    return s;
}

std::string GroupThousands(const std::string& fixed) {
    // fixed is [-]digits[sep decimals]
    size_t start = (!fixed.empty() && fixed[0] == '-') ? 1 : 0;
    size_t end = fixed.find(CurrentNumberFormat().DecimalSeparator);
    if (end == std::string::npos) end = fixed.size();
    std::string intPart = fixed.substr(start, end - start);
    std::string grouped;
    int n = int(intPart.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) grouped += CurrentNumberFormat().ThousandSeparator;
        grouped += intPart[size_t(i)];
    }
    return fixed.substr(0, start) + grouped + fixed.substr(end);
}

std::string GeneralText(double v, int prec) {
    if (prec <= 0 || prec > 15) prec = 15;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", prec, v);
    std::string s = buf;
    auto dot = s.find('.');
    if (dot != std::string::npos) s[dot] = CurrentNumberFormat().DecimalSeparator;
    return s;
}

std::string ExpText(double v, int prec) {
    if (prec <= 0 || prec > 18) prec = 15;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", prec - 1, v);
    std::string s = buf;
    auto dot = s.find('.');
    if (dot != std::string::npos) s[dot] = CurrentNumberFormat().DecimalSeparator;
    return s;
}

[[noreturn]] void Fail(const std::string& tmpl) {
    throw FormatError("Format '" + tmpl + "' invalid or incompatible with argument");
}

} // namespace

std::string Format(const std::string& tmpl, std::initializer_list<FmtArg> args) {
    return Format(tmpl, std::vector<FmtArg>(args));
}

std::string Format(const std::string& tmpl, const std::vector<FmtArg>& args) {
    std::string out;
    out.reserve(tmpl.size() + 16);
    size_t next = 0;
    size_t i = 0;
    const size_t n = tmpl.size();
    while (i < n) {
        char c = tmpl[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        ++i;
        if (i >= n) Fail(tmpl);
        if (tmpl[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // [index:]
        size_t save = i;
        int index = -1;
        {
            size_t j = i;
            int v = 0;
            bool digits = false;
            while (j < n && std::isdigit(static_cast<unsigned char>(tmpl[j]))) {
                v = v * 10 + (tmpl[j] - '0');
                ++j;
                digits = true;
            }
            if (digits && j < n && tmpl[j] == ':') {
                index = v;
                i = j + 1;
            } else {
                i = save;
            }
        }
        bool left = false;
        if (i < n && tmpl[i] == '-') {
            left = true;
            ++i;
        }
        int width = -1;
        if (i < n && std::isdigit(static_cast<unsigned char>(tmpl[i]))) {
            width = 0;
            while (i < n && std::isdigit(static_cast<unsigned char>(tmpl[i]))) width = width * 10 + (tmpl[i++] - '0');
        }
        int prec = -1;
        if (i < n && tmpl[i] == '.') {
            ++i;
            prec = 0;
            while (i < n && std::isdigit(static_cast<unsigned char>(tmpl[i]))) prec = prec * 10 + (tmpl[i++] - '0');
        }
        if (i >= n) Fail(tmpl);
        char type = char(std::tolower(static_cast<unsigned char>(tmpl[i])));
        ++i;
        size_t argIndex = index >= 0 ? size_t(index) : next;
        if (argIndex >= args.size()) Fail(tmpl);
        next = argIndex + 1;
        const auto& v = args[argIndex].value();
        std::string text;
        switch (type) {
        case 'd':
        case 'u': {
            if (!std::holds_alternative<int64_t>(v)) Fail(tmpl);
            int64_t x = std::get<int64_t>(v);
            if (type == 'u' && x < 0) x = int64_t(uint32_t(x));
            uint64_t mag = x < 0 ? uint64_t(-(x + 1)) + 1 : uint64_t(x);
            std::string digits = std::to_string(mag);
            if (prec > int(digits.size())) digits.insert(0, size_t(prec) - digits.size(), '0');
            text = (x < 0 ? "-" : "") + digits;
            break;
        }
        case 'x': {
            if (!std::holds_alternative<int64_t>(v)) Fail(tmpl);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(std::get<int64_t>(v)));
            text = buf;
            if (prec > int(text.size())) text.insert(0, size_t(prec) - text.size(), '0');
            break;
        }
        case 's':
            if (!std::holds_alternative<std::string>(v)) Fail(tmpl);
            text = std::get<std::string>(v);
            if (prec >= 0 && int(text.size()) > prec) text.resize(size_t(prec));
            break;
        case 'f':
        case 'n':
        case 'e':
        case 'g': {
            double x;
            if (std::holds_alternative<double>(v))
                x = std::get<double>(v);
            else
                Fail(tmpl);
            if (type == 'f')
                text = FixedText(x, prec);
            else if (type == 'n')
                text = GroupThousands(FixedText(x, prec));
            else if (type == 'e')
                text = ExpText(x, prec);
            else
                text = GeneralText(x, prec);
            break;
        }
        default:
            Fail(tmpl);
        }
        if (width > 0) {
            // width counts characters, and UTF-8 texts hold multi-byte characters
            int len = 0;
            for (unsigned char ch : text)
                if ((ch & 0xC0) != 0x80) ++len;
            if (len < width) {
                std::string pad(size_t(width - len), ' ');
                text = left ? text + pad : pad + text;
            }
        }
        out += text;
    }
    return out;
}

std::string FloatToStrF(double value, int decimals) { return FixedText(value, decimals); }

} // namespace velmora
