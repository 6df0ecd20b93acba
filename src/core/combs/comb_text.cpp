#include "core/combs/comb_text.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

namespace velmora {

const char* const kCombsFileFilter = TrNoop("Файлы комбинаций (*.lcv)|*.lcv");
const char* const kCombsFileExt = "lcv";

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// An upper bound of the line count: every line but the last ends with a CR or an LF.
int64_t LineBreaks(std::string_view text) {
    int64_t n = 1;
    for (char c : text) n += (c == '\r') | (c == '\n');
    return n;
}

// Calls f(line) for every line of the text; CR LF, LF and a lone CR end a line, and a line
// end at the very end of the text does not start another line.
template <class F>
void ForEachLine(std::string_view text, F&& f) {
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            f(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) f(text.substr(start));
}

} // namespace

bool ParseCombsFileLine(std::string_view line, TCombination& comb) {
    const char* p = line.data();
    const char* const end = p + line.size();
    TCombination out;
    int words = 0;
    for (;;) {
        const char* w = p;
        while (p < end && *p != ',' && *p != ';') ++p;
        if (words == kNumberCount) return false;  // a sixth word
        std::string_view word = TrimView(std::string_view(w, size_t(p - w)));
        int32_t v = 0;
        if (!word.empty() && word.size() <= 3 && IsDigit(word[0]) && (word.size() < 2 || IsDigit(word[1])) &&
            (word.size() < 3 || IsDigit(word[2]))) {
            for (char ch : word) v = v * 10 + (ch - '0');  // the usual word, read in place
        } else if (auto n = TryStrToInt(word)) {
            v = *n;
        }  // not an integer: 0, as TextToNumber reads it
        if (v < 0 || v > 255) return false;  // a byte cannot hold it
        out[size_t(words++)] = uint8_t(v);
        if (p == end) break;
        ++p;
    }
    // An empty line is one empty word, so it is skipped here as well.
    if (words != kNumberCount) return false;
    comb = out;
    return true;
}

int ParseCombsFileText(std::string_view text, TCombination* out, int capacity) {
    int count = 0;
    TCombination c;
    ForEachLine(text, [&](std::string_view line) {
        if (!ParseCombsFileLine(line, c)) return;
        if (out && count < capacity) out[count] = c;
        ++count;
    });
    return count;
}

int ReadCombsFileText(std::string_view text, TCombination* out, int capacity) {
    // When even every line could not overfill the store, one pass reads straight into it;
    // otherwise a counting pass decides first.
    if (LineBreaks(text) > capacity) {
        int count = ParseCombsFileText(text, nullptr, 0);
        if (count > capacity) throw Error(TooManyCombsMessage(count, capacity));
    }
    return ParseCombsFileText(text, out, capacity);
}

std::string CombsFileText(const TCombination* combs, int n) {
    // The texts of all 256 byte values once, then plain appends: the same lines as CombToText.
    std::string texts[256];
    for (int v = 0; v < 256; ++v) texts[v] = NumberToText(v);
    std::string s;
    s.reserve(size_t(n > 0 ? n : 0) * 16);
    for (int i = 0; i < n; ++i) {
        const TCombination& c = combs[i];
        for (int k = 0; k < kNumberCount; ++k) {
            if (k) s += ';';
            s += texts[c[size_t(k)]];
        }
        s += "\r\n";
    }
    return s;
}

std::string CombsClipboardText(const std::vector<TCombination>& combs) {
    std::string s;
    s.reserve(combs.size() * 16);
    for (size_t i = 0; i < combs.size(); ++i) {
        if (i) s += "\r\n";
        s += CombToSpacedText(combs[i]);
    }
    return s;
}

std::vector<TCombination> ParseClipboardCombs(std::string_view text, int capacity) {
    int64_t lines = 0;
    ForEachLine(text, [&](std::string_view) { ++lines; });
    if (lines > capacity) throw Error(TooManyCombsMessage(lines, capacity));
    std::vector<TCombination> combs;
    combs.reserve(size_t(lines));
    ForEachLine(text, [&](std::string_view line) {
        TCombination c;
        TextToComb(std::string(line), c);
        combs.push_back(c);
    });
    return combs;
}

std::string TooManyCombsMessage(int64_t count, int capacity) {
    return Format(Tr("Слишком много комбинаций: %d! В списке может быть не более %d комбинаций."), {count, capacity});
}

} // namespace velmora
