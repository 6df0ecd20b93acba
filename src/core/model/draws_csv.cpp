#include "core/model/draws_csv.h"

#include "core/model/data_folder.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <unordered_set>

namespace velmora {

namespace {
// Outside quotes every byte up to the blank, NUL included, ends a field.
bool IsSpace(char c) { return static_cast<unsigned char>(c) <= ' '; }
} // namespace

std::vector<std::string> SplitDelimitedText(const std::string& line, char delim, char quote) {
    std::vector<std::string> out;
    const size_t n = line.size();
    size_t p = 0;
    while (p < n && IsSpace(line[p])) ++p;
    while (p < n) {
        const size_t begin = p;
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
            while (p < n && !IsSpace(line[p]) && line[p] != delim) ++p;
            field = line.substr(begin, p - begin);
        }
        out.push_back(field);
        while (p < n && IsSpace(line[p])) ++p;
        if (p < n && line[p] == delim) {
            if (p + 1 == n) out.emplace_back();
            do ++p;
            while (p < n && IsSpace(line[p]));
        }
        // Every pass consumes at least one byte, so no byte can stop the reader.
        if (p == begin) ++p;
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

namespace {

// A number field of a draw: the byte it stands for, or 0 (and `invalid` set) when the text is not
// an integer of 0..255. Taking the low byte of a larger value would turn 300 into 44.
uint8_t CsvByteField(const std::string& text, bool& invalid) {
    const auto v = TryStrToInt(Trim(text));  // as TextToInt reads it
    if (!v || *v < 0 || *v > 255) {
        invalid = true;
        return 0;
    }
    return uint8_t(*v);
}

} // namespace

int AppendCsvLines(TDrawsArchive& archive, const std::vector<std::string>& lines, int* invalidLines) {
    int added = 0, invalid = 0;
    // The numbers present, so that the duplicate check of each line costs O(1), not a scan.
    std::unordered_set<int32_t> numbers;
    numbers.reserve(archive.Draws.size() + lines.size());
    for (const auto& d : archive.Draws) numbers.insert(d.Number);
    for (const auto& line : lines) {
        if (Trim(line).empty()) continue;
        auto f = SplitDelimitedText(line);
        if (f.size() != 8 && f.size() != 9) continue;
        size_t b = f.size() == 9 ? 1 : 0;  // a 9-field line starts with the draw number
        TDrawRecord d;
        d.Number = b ? TextToInt(f[0]) : archive.Count() + 1;
        if (d.Number <= 0 || numbers.count(d.Number)) continue;
        // The date is kept as written, cut to 10 characters.
        std::string date = f[b];
        std::string bytes = Utf8ToCp1251(date);
        if (bytes.size() > 10) date = Cp1251ToUtf8(bytes.substr(0, 10));
        d.SetDateText(date);
        bool bad = false;
        for (int i = 0; i < 5; ++i) d.Numbers[i] = CsvByteField(f[b + 1 + size_t(i)], bad);
        d.Extras[0] = CsvByteField(f[b + 6], bad);
        d.Extras[1] = CsvByteField(f[b + 7], bad);
        archive.Draws.push_back(d);
        numbers.insert(d.Number);
        ++added;
        if (bad) ++invalid;
    }
    if (invalidLines) *invalidLines = invalid;
    return added;
}

int ImportDrawsCsv(TDrawsArchive& archive, const std::string& path, int* invalidLines) {
    auto lines = ReadTextLines(path);
    int added = AppendCsvLines(archive, lines, invalidLines);
    if (added > 0) archive.SaveDraws();
    return added;
}

void ExportDrawsCsv(const TDrawsArchive& archive, const std::string& path) {
    if (IsDataFolderFile(path))
        throw Error(Format(Tr("Нельзя экспортировать тиражи в файл данных программы \"%s\"!"), {path}));
    WriteTextLines(path, DrawsToCsvLines(archive.Draws));
}

} // namespace velmora
