#include "core/stakes/stake_record.h"

#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace velmora {

namespace {

// Offsets of the fields in the 312-byte record.
constexpr size_t kOffVersion = 0, kOffKind = 1, kOffDrawNumber = 4, kOffChecked = 8, kOffSample = 12,
                 kOffNumbers = 16, kOffDrawNumbers = 28, kOffMatched = 36, kOffProfit = 48, kOffComment = 56;
constexpr size_t kNumberSetSize = 12, kCommentSize = 256;
static_assert(kOffNumbers + kNumberSetSize == kOffDrawNumbers);
static_assert(kOffDrawNumbers + 5 + 3 == kOffMatched);
static_assert(kOffMatched + kNumberSetSize == kOffProfit);
static_assert(kOffProfit + 8 == kOffComment);
static_assert(kOffComment + kCommentSize == kStakeRecordSize, "the stake record is 312 bytes on disk");

void PutU32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
void PutU64(unsigned char* p, uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = uint8_t(v >> (8 * i));
}
uint32_t GetU32(const unsigned char* p) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(p[i]) << (8 * i);
    return v;
}
uint64_t GetU64(const unsigned char* p) {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= uint64_t(p[i]) << (8 * i);
    return v;
}

void PutSet(unsigned char* p, const TNumberSet& s) {
    PutU32(p, uint32_t(s.Count));
    std::memcpy(p + 4, s.Numbers, 8);
}
void GetSet(const unsigned char* p, TNumberSet& s, int32_t minCount) {
    s.Count = std::clamp(int32_t(GetU32(p)), minCount, int32_t(8));
    std::memcpy(s.Numbers, p + 4, 8);
}

// Characters of a UTF-8 text (bytes that do not continue a sequence).
size_t Utf8Length(const std::string& s) {
    return size_t(std::count_if(s.begin(), s.end(), [](char c) { return (uint8_t(c) & 0xC0) != 0x80; }));
}

} // namespace

std::string TStakeRecord::CommentText() const { return Cp1251ToUtf8(std::string_view(Comment, CommentLen)); }

void StoreCommentField(const std::string& utf8, char* field, size_t size, uint8_t& length) {
    std::string bytes = Utf8ToCp1251(utf8);
    if (bytes.size() > size) bytes.resize(size);
    // A comment is one line of the grid, the stake list and the stake log: control characters
    // (line ends, tabs) become blanks.
    for (char& c : bytes)
        if (uint8_t(c) < 0x20 || uint8_t(c) == 0x7F) c = ' ';
    std::memset(field, 0, size);
    std::memcpy(field, bytes.data(), bytes.size());
    length = uint8_t(bytes.size());
}

void TStakeRecord::SetCommentText(const std::string& utf8) { StoreCommentField(utf8, Comment, sizeof(Comment), CommentLen); }

bool TStakeRecord::operator==(const TStakeRecord& o) const {
    unsigned char a[kStakeRecordSize], b[kStakeRecordSize];
    WriteStakeRecord(*this, a);
    WriteStakeRecord(o, b);
    return std::memcmp(a, b, kStakeRecordSize) == 0;
}

void WriteStakeRecord(const TStakeRecord& rec, unsigned char out[kStakeRecordSize]) {
    std::memset(out, 0, kStakeRecordSize);
    out[kOffVersion] = rec.Version;
    out[kOffKind] = rec.Kind;
    PutU32(out + kOffDrawNumber, uint32_t(rec.DrawNumber));
    out[kOffChecked] = rec.Checked;
    PutU32(out + kOffSample, uint32_t(rec.Sample));
    PutSet(out + kOffNumbers, rec.Numbers);
    std::memcpy(out + kOffDrawNumbers, rec.DrawNumbers, 5);
    PutSet(out + kOffMatched, rec.Matched);
    PutU64(out + kOffProfit, uint64_t(rec.Profit));
    out[kOffComment] = rec.CommentLen;
    // Only the comment's own bytes: the tail of the field stays zero whatever the memory holds.
    std::memcpy(out + kOffComment + 1, rec.Comment, rec.CommentLen);
}

void ReadStakeRecord(const unsigned char in[kStakeRecordSize], TStakeRecord& rec) {
    rec.Version = in[kOffVersion];
    rec.Kind = in[kOffKind];
    rec.DrawNumber = int32_t(GetU32(in + kOffDrawNumber));
    rec.Checked = in[kOffChecked];
    rec.Sample = int32_t(GetU32(in + kOffSample));
    GetSet(in + kOffNumbers, rec.Numbers, 0);
    std::memcpy(rec.DrawNumbers, in + kOffDrawNumbers, 5);
    GetSet(in + kOffMatched, rec.Matched, -1);
    rec.Profit = int64_t(GetU64(in + kOffProfit));
    rec.CommentLen = in[kOffComment];
    std::memset(rec.Comment, 0, sizeof(rec.Comment));
    std::memcpy(rec.Comment, in + kOffComment + 1, rec.CommentLen);
}

TStakeRecord SeparatorRecord() {
    TStakeRecord r;
    r.Kind = skSeparator;
    r.DrawNumber = -1;
    r.Matched.Count = -1;
    return r;
}

int64_t StakeProfit(const TConfigData& config, int n, int m) {
    __extension__ using TWide = __int128;
    const uint8_t count = uint8_t(std::clamp(n, 0, 255));
    TWide result = -TWide(CombinationCount(count, kNumberCount)) * TWide(config.Cost);
    if (m >= 0)
        for (const auto& e : config.Profits)
            if (e.Overlap == m) {
                result += e.Profit;
                break;
            }
    // Amounts are whole ten-thousandths already, so the rounding of the sum changes nothing.
    constexpr TWide lo = std::numeric_limits<int64_t>::min(), hi = std::numeric_limits<int64_t>::max();
    return int64_t(std::clamp(result, lo, hi));
}

TStakeRecord HandStakeRecord(const TCombination* comb, int32_t drawNumber, int32_t sample,
                             const TConfigData& config) {
    TStakeRecord r;
    r.Version = kStakeVersion;
    r.Kind = skManual;
    r.DrawNumber = drawNumber;
    r.Checked = 0;
    r.Sample = sample;
    if (comb) CombToNumberSet(*comb, r.Numbers);
    r.Matched.Count = -1;
    r.Profit = StakeProfit(config, kNumberCount, -1);
    r.SetCommentText(kHandStakeComment);
    return r;
}

TNumberSet ParseStakeNumbers(const std::string& text) {
    const auto words = SplitNumberWords(text);
    TNumberSet set;
    bool ok = words.size() == size_t(kNumberCount);
    for (size_t i = 0; ok && i < words.size(); ++i) {
        const auto v = TryStrToInt(Trim(words[i]));
        ok = v && *v >= kMinNumber && *v <= kMaxNumber;
        for (int j = 0; ok && j < set.Count; ++j) ok = set.Numbers[j] != *v;
        if (ok) set.Numbers[set.Count++] = uint8_t(*v);
    }
    if (!ok) throw TStakeInputError(TStakeField::Numbers, Tr(kStakeNumbersError));
    SortNumberSet(set);
    return set;
}

int64_t StakeNumbersSum(const std::string& text) {
    int64_t sum = 0;
    for (const auto& w : SplitNumberWords(text)) sum += TryStrToInt(w).value_or(0);
    return sum;
}

void CheckStakeDraws(int64_t drawNumber, int64_t drawsCount) {
    constexpr int64_t maxDraw = std::numeric_limits<int32_t>::max();
    if (drawNumber < 1 || drawNumber > maxDraw)
        throw TStakeInputError(TStakeField::DrawNumber, Format(Tr("Номер тиража должен быть от 1 до %d!"), {maxDraw}));
    if (drawsCount < 1 || drawsCount > kMaxStakeDrawsCount)
        throw TStakeInputError(TStakeField::DrawsCount,
                               Format(Tr("Количество тиражей должно быть от 1 до %d!"), {kMaxStakeDrawsCount}));
    // The stake for the last draw must still have a valid number (no wrap to negative numbers).
    if (drawNumber + drawsCount - 1 > maxDraw)
        throw TStakeInputError(TStakeField::DrawsCount,
                               Format(Tr("Номер последнего тиража (%d + %d - 1) превышает %d!"),
                                      {drawNumber, drawsCount, maxDraw}));
}

void CheckStakeComment(const std::string& comment) {
    if (comment.empty()) throw TStakeInputError(TStakeField::Comment, Tr("Необходимо ввести комментарий!"));
    if (Utf8Length(comment) > size_t(kMaxStakeCommentLength))
        throw TStakeInputError(TStakeField::Comment,
                               Format(Tr("Комментарий к ставке длиннее %d символов!"), {kMaxStakeCommentLength}));
}

TStakeRecord AcceptStakeInput(const TStakeRecord& rec, int64_t drawNumber, const std::string& numbersText,
                              const std::string& comment, int64_t drawsCount) {
    const TNumberSet numbers = ParseStakeNumbers(numbersText);
    CheckStakeComment(comment);
    CheckStakeDraws(drawNumber, drawsCount);
    TStakeRecord r = rec;
    r.DrawNumber = int32_t(drawNumber);
    r.SetCommentText(comment);
    r.Numbers = numbers;
    return r;
}

const std::array<const char*, kStakeGridColumns> kStakeGridCaptions = {
    TrNoop("№ тиража"), TrNoop("Вид ставки"), TrNoop("Моя ставка"), TrNoop("Выборка"), TrNoop("Результаты тиража"),
    TrNoop("Совпадений"), TrNoop("Совпадения"), TrNoop("Профит"), TrNoop("Комментарий")};

std::array<std::string, kStakeGridColumns> StakeGridCells(const TStakeRecord& rec) {
    std::array<std::string, kStakeGridColumns> c;
    if (rec.DrawNumber <= 0) return c;
    c[scDrawNumber] = IntToText(rec.DrawNumber);
    c[scKind] = StakeKindName(rec.Kind);
    c[scNumbers] = NumberSetToText(rec.Numbers, ";");
    c[scSample] = IntToText(rec.Sample);
    if (rec.Checked) {
        std::string draw;
        for (int i = 0; i < 5; ++i) draw += (i ? ";" : "") + NumberToText(rec.DrawNumbers[i]);
        c[scDrawNumbers] = draw;
        c[scMatchCount] = IntToText(rec.Matched.Count);
        c[scMatched] = NumberSetToText(rec.Matched, " ");
    }
    c[scProfit] = Format("%.2f", {MoneyUnits(rec.Profit)});
    c[scComment] = rec.CommentText();
    return c;
}

std::optional<uint32_t> StakeKindColor(int kind) {
    switch (kind) {
    case skManual: return 0xEAFFEA;
    case skRegular: return 0xEAEAFF;
    case skScript: return 0xFFFFEA;
    case skSystem: return 0xD9FDFC;
    default: return std::nullopt;
    }
}

} // namespace velmora
