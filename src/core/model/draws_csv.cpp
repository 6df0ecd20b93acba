#include "core/model/draws_csv.h"

#include "core/util/text.h"

namespace velmora {

namespace {
bool IsSpace(char c) { return c != 0 && static_cast<unsigned char>(c) <= ' '; }
} // namespace

std::vector<std::string> SplitDelimitedText(const std::string& line, char delim, char quote) {
    std::vector<std::string> out;
    const size_t n = line.size();
    size_t p = 0;
    while (p < n && IsSpace(line[p])) ++p;
    while (p < n) {
        std::string field;
        if (line[p] == quote) {
            ++p;
            while (p < n) {
                if (line[p] == quote) {
                    if (p + 1 < n && line[p + 1] == quote) {
                        field += quote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field += line[p++];
            }
        } else {
            size_t start = p;
            while (p < n && static_cast<unsigned char>(line[p]) > ' ' && line[p] != delim) ++p;
            field = line.substr(start, p - start);
        }
        out.push_back(field);
        while (p < n && IsSpace(line[p])) ++p;
        if (p < n && line[p] == delim) {
            if (p + 1 == n) out.emplace_back();
            do ++p;
            while (p < n && IsSpace(line[p]));
        }
    }
    return out;
}

std::string QuoteCsvField(const std::string& text) {
    std::string s = "\"";
    for (char c : text) {
        if (c == '"') s += '"';
        s += c;
    }
    return s + "\"";
}

std::vector<std::string> DrawsToCsvLines(const TDrawsArray& draws) {
    std::vector<std::string> lines;
    lines.reserve(draws.size());
    for (const auto& d : draws) {
        std::string s = IntToText(d.Number) + ";" + QuoteCsvField(d.DateText());
        for (uint8_t x : d.Numbers) s += ";" + NumberToText(x);
        s += ";" + ExtraToText(d.Extras[0]) + ";" + ExtraToText(d.Extras[1]);
        lines.push_back(std::move(s));
    }
    return lines;
}

int AppendCsvLines(TDrawsArchive& archive, const std::vector<std::string>& lines) {
    int added = 0;
    for (const auto& line : lines) {
        if (Trim(line).empty()) continue;
        auto f = SplitDelimitedText(line);
        if (f.size() != 8 && f.size() != 9) continue;
        size_t b = f.size() == 9 ? 1 : 0;  // a 9-field line starts with the draw number
        TDrawRecord d;
        d.Number = b ? TextToInt(f[0]) : archive.Count() + 1;
        // The date is kept as written, cut to 10 characters.
        std::string date = f[b];
        std::string bytes = Utf8ToCp1251(date);
        if (bytes.size() > 10) date = Cp1251ToUtf8(bytes.substr(0, 10));
        d.SetDateText(date);
        for (int i = 0; i < 5; ++i) d.Numbers[i] = uint8_t(TextToNumber(f[b + 1 + size_t(i)]));
        d.Extras[0] = uint8_t(TextToExtra(f[b + 6]));
        d.Extras[1] = uint8_t(TextToExtra(f[b + 7]));
        if (d.Number > 0 && archive.IndexOfDrawNumber(d.Number) < 0) {
            archive.Draws.push_back(d);
            ++added;
        }
    }
    return added;
}

int ImportDrawsCsv(TDrawsArchive& archive, const std::string& path) {
    auto lines = ReadTextLines(path);
    int added = AppendCsvLines(archive, lines);
    if (added > 0) archive.SaveDraws();
    return added;
}

void ExportDrawsCsv(const TDrawsArchive& archive, const std::string& path) {
    WriteTextLines(path, DrawsToCsvLines(archive.Draws));
}

} // namespace velmora
