#include "core/model/game.h"

#include "core/model/draw_record.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace velmora {

std::string& HelpFile() {
    static std::string path;
    return path;
}

std::string NumberToText(int n) { return std::to_string(n); }
std::string ExtraToText(int n) { return std::to_string(n); }
std::string IntToText(int64_t n) { return std::to_string(n); }
int32_t TextToInt(const std::string& s) {
    auto v = TryStrToInt(Trim(s));
    return v ? *v : 0;
}
int32_t TextToNumber(const std::string& s) { return TextToInt(s); }
int32_t TextToExtra(const std::string& s) { return TextToInt(s); }

uint32_t ChannelColor(int c) {
    static const uint32_t table[20] = {0,        0xAAFFAA, 0xAAFFFF, 0xFFFFAA, 0xAAAAFF, 0xFFAAAA, 0xAAD5FF,
                                       0xFFAAD5, 0xD4D4D4, 0xFFD5AA, 0xD5AAFF, 0xD5FFD5, 0xD5FFFF, 0xFFFFD5,
                                       0xD5D5FF, 0xFFD5D5, 0xD5EAFF, 0xFFD5EA, 0xE9E9E9, 0xFFEAD5};
    if (c > 19) c -= 19;
    if (c < 1 || c > 19) return 0x0000FF;
    return table[c];
}

uint32_t NumberColor(int n, int channelSize) {
    if (n < kMinNumber || n > kMaxNumber || channelSize <= 0) return 0x0000FF;
    return ChannelColor(CeilDiv(n, channelSize));
}

std::string StakeKindName(int kind) {
    switch (kind) {
    case 1: return Tr("Вручную");
    case 2: return Tr("Регуляр");
    case 3: return Tr("Сценарий");
    case 4: return Tr("Система");
    default: return std::string();
    }
}

long double Factorial(uint8_t n) { return n == 0 ? 1.0L : n * Factorial(uint8_t(n - 1)); }

long double RisingProduct(int a, int k) {
    long double r = 1;
    for (int i = 0; i < k; ++i) r *= (a + i);
    return r;
}

long double FallingProduct(int a, int k) {
    long double r = 1;
    for (int i = 0; i < k; ++i) r *= (a - i);
    return r;
}

uint64_t Binomial(int n, int k) {
    if (k < 0 || n < k) return 0;
    k = std::min(k, n - k);
    __extension__ using TWide = unsigned __int128;
    TWide r = 1;
    for (int i = 1; i <= k; ++i) {
        r = r * TWide(n - k + i) / TWide(i);  // exact: r is C(n - k + i, i) after each step
        if (r > TWide(UINT64_MAX)) return UINT64_MAX;
    }
    return uint64_t(r);
}

uint32_t CombinationCount(uint8_t n, uint8_t k) {
    if (k >= n) return 1;
    return uint32_t(Binomial(n, k));
}

uint32_t MatchWays(uint8_t n, uint8_t k, uint8_t m) {
    if (m >= n) return 1;
    long double v = FallingProduct(k, m) / Factorial(m) * FallingProduct(n - k, k - m) / Factorial(uint8_t(k - m));
    return uint32_t(std::llround(v));
}

int CeilDiv(int a, int b) { return a / b + (a % b != 0 ? 1 : 0); }

int GroupCount(int first, int last, int size) {
    return first != 0 ? CeilDiv(last - first + 1, size) : CeilDiv(last, size);
}

int MatrixColumn(int n, int cols) { return (n - 1) % cols + 1; }
int MatrixRow(int n, int cols) { return (n - 1) / cols + 1; }

int ShiftNumber(int n, int d) {
    if (d == 0) return n;
    int r = n + d;
    if (d > 0 && r > kMaxNumber) r -= kMaxNumber;
    if (d < 0 && r <= 0) r += kMaxNumber;
    return r;
}

void ShiftCombination(const TCombination& comb, int d, TCombination& out) {
    for (int i = 0; i < kNumberCount; ++i) out[i] = uint8_t(ShiftNumber(comb[i], d));
}

bool DrawHasNumber(int n, const TDrawRecord& draw) {
    for (uint8_t x : draw.Numbers)
        if (x == n) return true;
    return false;
}

bool DrawHasChannel(int c, const TDrawRecord& draw, int size) {
    for (uint8_t x : draw.Numbers)
        if (CeilDiv(x, size) == c) return true;
    return false;
}

bool DrawHasMapped(int v, const TDrawRecord& draw, const uint8_t* map50) {
    for (uint8_t x : draw.Numbers)
        if (x >= 1 && x <= 50 && map50[x - 1] == v) return true;
    return false;
}

bool ByteArrayHas(uint8_t b, const TByteArray& arr) {
    for (uint8_t x : arr)
        if (x == b) return true;
    return false;
}

void ByteArrayAddUnique(uint8_t b, TByteArray& arr) {
    if (!ByteArrayHas(b, arr)) arr.push_back(b);
}

void ByteArrayAdd(uint8_t b, TByteArray& arr) { arr.push_back(b); }

void DrawToComb(const TDrawRecord& draw, TCombination& comb) {
    for (int i = 0; i < kNumberCount; ++i) comb[i] = draw.Numbers[i];
}

void CombToNumberSet(const TCombination& comb, TNumberSet& set) {
    set = TNumberSet{};
    set.Count = kNumberCount;
    for (int i = 0; i < kNumberCount; ++i) set.Numbers[i] = comb[i];
}

int CommonCount(const TDrawRecord& draw, const TCombination& comb) {
    int n = 0;
    for (uint8_t a : draw.Numbers)
        for (uint8_t b : comb)
            if (a == b) ++n;
    return n;
}

int DrawCommonCount(const TDrawRecord& a, const TDrawRecord& b) {
    int n = 0;
    for (uint8_t x : a.Numbers)
        for (uint8_t y : b.Numbers)
            if (x == y) ++n;
    return n;
}

void MatchedNumbers(const TDrawRecord& draw, const TNumberSet& set, TNumberSet& res) {
    res = TNumberSet{};
    int cnt = std::min(set.Count, 8);
    for (uint8_t x : draw.Numbers)
        for (int j = 0; j < cnt; ++j)
            if (set.Numbers[j] == x) {
                if (res.Count < 8) res.Numbers[res.Count++] = x;
                break;
            }
    SortNumberSet(res);
}

bool SameNumberSet(const TNumberSet& a, const TNumberSet& b) {
    if (a.Count != b.Count) return false;
    int cnt = std::min(a.Count, 8);
    for (int i = 0; i < cnt; ++i) {
        bool found = false;
        for (int j = 0; j < cnt; ++j)
            if (b.Numbers[j] == a.Numbers[i]) found = true;
        if (!found) return false;
    }
    return true;
}

int DistinctNumberCount(const TCombination* combs, int n) {
    if (n <= 0) return 0;
    bool seen[256] = {};
    int count = 0;
    for (int i = 0; i < n; ++i)
        for (uint8_t x : combs[i])
            if (!seen[x]) {
                seen[x] = true;
                if (++count == kMaxNumber) return kMaxNumber;
            }
    return count;
}

void DistinctNumbers(const TCombination* combs, int n, TByteArray& out) {
    out.clear();
    bool seen[256] = {};
    for (int i = 0; i < n; ++i)
        for (uint8_t x : combs[i])
            if (!seen[x]) {
                seen[x] = true;
                out.push_back(x);
                if (int(out.size()) == kMaxNumber) return;
            }
}

std::string DrawToText(const TDrawRecord& draw) {
    std::string values;
    for (int i = 0; i < kNumberCount; ++i) {
        if (i) values += ';';
        values += NumberToText(draw.Numbers[i]);
    }
    values += " e:" + ExtraToText(draw.Extras[0]) + ";" + ExtraToText(draw.Extras[1]);
    return Format(Tr("Тираж № %d от %s, значения: %s"), {draw.Number, draw.DateText(), values});
}

std::string CombToText(const TCombination& comb) {
    std::string s;
    for (int i = 0; i < kNumberCount; ++i) {
        if (i) s += ';';
        s += NumberToText(comb[i]);
    }
    return s;
}

std::string CombToSpacedText(const TCombination& comb) {
    std::string s;
    for (int i = 0; i < kNumberCount; ++i) {
        if (i) s += ' ';
        std::string t = NumberToText(comb[i]);
        if (NumbersAreNumeric && t.size() < 2) t.insert(0, 2 - t.size(), '0');
        s += t;
    }
    return s;
}

void TextToComb(const std::string& text, TCombination& comb) {
    std::vector<std::string> words;
    for (auto& w : SplitAny(text, "\t ,-.:;|"))
        if (!w.empty()) words.push_back(w);
    if (words.size() != size_t(kNumberCount)) throw Error(Format(Tr("Некорректная комбинация: \"%s\"!"), {text}));
    TCombination out;
    for (int i = 0; i < kNumberCount; ++i) {
        int32_t v = TextToNumber(Trim(words[i]));
        // A byte cannot hold it: taking the low byte would turn 300 into 44.
        if (v < 0 || v > 255) throw Error(Format(Tr("Некорректная комбинация: \"%s\"!"), {text}));
        out[i] = uint8_t(v);
    }
    comb = out;
}

std::vector<std::string> SplitNumberWords(const std::string& text) {
    std::vector<std::string> words;
    for (const auto& part : SplitAny(text, ",;")) {
        const std::string trimmed = Trim(part);
        if (trimmed.empty()) {
            words.push_back(trimmed);
            continue;
        }
        for (const auto& w : SplitAny(trimmed, " \t"))
            if (!w.empty()) words.push_back(w);
    }
    return words;
}

std::string NumberSetToText(const TNumberSet& set, const std::string& sep) {
    std::string s;
    int cnt = std::min(set.Count, 8);
    for (int i = 0; i < cnt; ++i) {
        if (i) s += sep;
        s += NumberToText(set.Numbers[i]);
    }
    return s;
}

std::string DeltaText(const std::string& text, int base) {
    auto v = TryStrToInt(text);
    if (!v || *v < 0 || text.empty() || text[0] == '+' || text[0] == '-') return "-";
    int d = *v - base;
    return d > 0 ? "+" + std::to_string(d) : std::to_string(d);
}

namespace {
template <class T>
void InsertionSortAsc(T* a, int n) {
    for (int i = 1; i < n; ++i) {
        T x = a[i];
        int j = i - 1;
        while (j >= 0 && a[j] > x) {
            a[j + 1] = a[j];
            --j;
        }
        a[j + 1] = x;
    }
}
} // namespace

void SortComb(TCombination& comb) { InsertionSortAsc(comb.data(), kNumberCount); }
void SortDrawNumbers(TDrawRecord& draw) { InsertionSortAsc(draw.Numbers, kNumberCount); }
void SortNumberSet(TNumberSet& set) { InsertionSortAsc(set.Numbers, std::min(std::max(set.Count, 0), 8)); }

void SortIntsDesc(TIntArray& arr) {
    for (size_t i = 1; i < arr.size(); ++i) {
        int32_t x = arr[i];
        size_t j = i;
        while (j > 0 && arr[j - 1] < x) {
            arr[j] = arr[j - 1];
            --j;
        }
        arr[j] = x;
    }
}

void ParseIntList(const std::string& text, TIntArray& arr) {
    arr.clear();
    if (text.empty()) return;
    // List form: words separated by "," or ";".
    bool ok = true;
    for (auto& w : SplitAny(text, ",;")) {
        auto v = TryStrToInt(Trim(w));
        if (!v) {
            ok = false;
            break;
        }
        arr.push_back(*v);
    }
    if (ok) return;
    arr.clear();
    // Range form: A-B;S (the "-" is the first one after the first character).
    size_t dash = text.find('-', 1);
    if (dash == std::string::npos) return;
    size_t sep = text.find_first_of(",;", dash + 1);
    if (sep == std::string::npos) return;
    auto a = TryStrToInt(Trim(text.substr(0, dash)));
    auto b = TryStrToInt(Trim(text.substr(dash + 1, sep - dash - 1)));
    auto s = TryStrToInt(Trim(text.substr(sep + 1)));
    if (!a || !b || !s || *s == 0) return;
    if (*b < *a) return;
    int64_t count = (int64_t(*b) - *a) / *s + 1;
    if (count <= 0) return;
    if (count > 1000000) count = 1000000;  // a bound against absurd ranges such as 1-2000000000;1
    for (int64_t i = 0; i < count; ++i) arr.push_back(int32_t(*a + i * int64_t(*s)));
}

std::string IntListToText(const TIntArray& arr, const std::string& sep) {
    std::string s;
    for (size_t i = 0; i < arr.size(); ++i) {
        if (i) s += sep;
        s += std::to_string(arr[i]);
    }
    return s;
}

void DigitsToBytes(const std::string& text, uint8_t map50[50]) {
    for (int i = 0; i < 50; ++i) {
        char c = i < int(text.size()) ? text[size_t(i)] : ' ';
        map50[i] = (c >= '0' && c <= '9') ? uint8_t(c - '0') : 1;
    }
}

std::string BytesToDigits(const uint8_t map50[50]) {
    std::string s;
    for (int i = 0; i < 50; ++i) s += std::to_string(map50[i]);
    return s;
}

void IteratedDifference(const uint8_t* nums, int k, int mode, TIntArray& arr) {
    int buf[16];
    for (int i = 0; i < k && i < 16; ++i) buf[i] = nums[i];
    while (k >= 3) {
        for (int i = 0; i + 1 < k; ++i) buf[i] = std::abs(buf[i + 1] - buf[i]);
        --k;
    }
    arr.clear();
    if (k < 2) return;
    int a = buf[0], b = buf[1];
    int d = std::abs(b - a);
    if (mode == 1) {
        if (d < 2) d = a + b;
        arr.push_back(d);
    } else if (mode == 2) {
        if (d == 0) d = a + b;
        arr.push_back(d);
        if (d == 1) arr.push_back(a + b);
    } else {
        arr.push_back(d);
    }
}

} // namespace velmora
