#include "core/stakes/regular_stake.h"

#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace velmora {

namespace {

// Offsets of the fields in the 276-byte record.
constexpr size_t kOffComment = 0, kOffUseLastDraw = 256, kOffStartComb = 257, kOffCurrentComb = 262,
                 kOffReserved = 267, kOffStep = 268, kOffStakesMade = 272;
static_assert(kOffComment + 256 == kOffUseLastDraw);
static_assert(kOffUseLastDraw + 1 == kOffStartComb);
static_assert(kOffStartComb + 5 == kOffCurrentComb);
static_assert(kOffCurrentComb + 5 == kOffReserved);
static_assert(kOffReserved + 1 == kOffStep);
static_assert(kOffStep + 4 == kOffStakesMade);
static_assert(kOffStakesMade + 4 == kRegularStakeSize, "the regular stake record is 276 bytes on disk");

void PutI32(unsigned char* p, int32_t v) {
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(u >> (8 * i));
}
int32_t GetI32(const unsigned char* p) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(p[i]) << (8 * i);
    return int32_t(v);
}

bool EmptyComb(const TCombination& c) {
    return std::all_of(c.begin(), c.end(), [](uint8_t b) { return b == 0; });
}

// Five different numbers of 1..50.
bool ValidComb(const TCombination& c) {
    for (size_t i = 0; i < c.size(); ++i) {
        if (c[i] < kMinNumber || c[i] > kMaxNumber) return false;
        for (size_t j = 0; j < i; ++j)
            if (c[j] == c[i]) return false;
    }
    return true;
}

std::string CombCell(const TCombination& c) {
    if (EmptyComb(c)) return std::string();
    std::vector<std::string> parts;
    for (uint8_t b : c) parts.push_back(IntToStr(b));
    return Join(parts, ";");
}

size_t Utf8Length(const std::string& s) {
    return size_t(std::count_if(s.begin(), s.end(), [](char c) { return (uint8_t(c) & 0xC0) != 0x80; }));
}

std::string PositionComment(const std::string& comment, int position) {
    return comment + Format(" (%d)", {position});
}

} // namespace

std::string TRegularStake::CommentText() const { return Cp1251ToUtf8(std::string_view(Comment, CommentLen)); }

// The comment becomes the comment of one-line stakes, kept the same way.
void TRegularStake::SetCommentText(const std::string& utf8) { StoreCommentField(utf8, Comment, sizeof(Comment), CommentLen); }

bool TRegularStake::operator==(const TRegularStake& o) const {
    unsigned char a[kRegularStakeSize], b[kRegularStakeSize];
    WriteRegularStake(*this, a);
    WriteRegularStake(o, b);
    return std::memcmp(a, b, kRegularStakeSize) == 0;
}

void WriteRegularStake(const TRegularStake& rec, unsigned char out[kRegularStakeSize]) {
    std::memset(out, 0, kRegularStakeSize);
    out[kOffComment] = rec.CommentLen;
    std::memcpy(out + kOffComment + 1, rec.Comment, rec.CommentLen);
    out[kOffUseLastDraw] = rec.UseLastDraw ? 1 : 0;
    std::memcpy(out + kOffStartComb, rec.StartComb.data(), 5);
    std::memcpy(out + kOffCurrentComb, rec.CurrentComb.data(), 5);
    PutI32(out + kOffStep, rec.Step);
    PutI32(out + kOffStakesMade, rec.StakesMade);
}

bool ReadRegularStake(const unsigned char in[kRegularStakeSize], TRegularStake& rec) {
    rec = TRegularStake();
    rec.CommentLen = in[kOffComment];
    std::memcpy(rec.Comment, in + kOffComment + 1, rec.CommentLen);
    rec.UseLastDraw = in[kOffUseLastDraw];
    std::memcpy(rec.StartComb.data(), in + kOffStartComb, 5);
    std::memcpy(rec.CurrentComb.data(), in + kOffCurrentComb, 5);
    rec.Step = GetI32(in + kOffStep);
    rec.StakesMade = GetI32(in + kOffStakesMade);
    if (rec.UseLastDraw > 1) return false;
    if (rec.Step < kMinRegularStep || rec.Step > kMaxRegularStep) return false;
    // A constant start needs both combinations; a regular of the previous draw has none before its
    // first stake.
    for (const TCombination* c : {&rec.StartComb, &rec.CurrentComb})
        if (!ValidComb(*c) && !(rec.UseLastDraw && EmptyComb(*c))) return false;
    return true;
}

std::string RegularStakeFileName() { return ProductFile(".ltb"); }

TRegularLoad LoadRegularStakes(const std::string& fileName) {
    TRegularLoad result;
    if (!FileExists(fileName)) return result;
    std::string bytes;
    {
        std::ifstream in(fileName, std::ios::binary);
        if (!in) throw Error(Format(Tr("Ошибка чтения файла регулярных ставок!\r\r%s"), {std::strerror(errno)}));
        std::ostringstream all;
        all << in.rdbuf();
        if (in.bad()) throw Error(Format(Tr("Ошибка чтения файла регулярных ставок!\r\r%s"), {std::strerror(errno)}));
        bytes = all.str();
    }
    const size_t whole = bytes.size() / kRegularStakeSize;
    for (size_t i = 0; i < whole; ++i) {
        TRegularStake rec;
        if (ReadRegularStake(reinterpret_cast<const unsigned char*>(bytes.data()) + i * kRegularStakeSize, rec))
            result.Stakes.push_back(rec);
        else
            result.DamagedRows.push_back(int(i + 1));
    }
    if (bytes.size() % kRegularStakeSize != 0) result.DamagedRows.push_back(int(whole + 1));
    return result;
}

std::string RegularDamageMessage(const std::string& fileName, const std::vector<int>& rows) {
    if (rows.empty()) return std::string();
    std::vector<std::string> parts;
    for (int r : rows) parts.push_back(IntToStr(r));
    return Format(Tr("Файл регулярных ставок \"%s\" повреждён: записи %s не прочитаны, по ним не будут делаться "
                     "ставки.\rФайл останется как есть до первого изменения списка регулярных ставок."),
                  {fileName, Join(parts, ", ")});
}

void SaveRegularStakes(const std::string& fileName, const TRegularStakes& stakes) {
    std::string bytes(stakes.size() * kRegularStakeSize, '\0');
    for (size_t i = 0; i < stakes.size(); ++i)
        WriteRegularStake(stakes[i], reinterpret_cast<unsigned char*>(bytes.data()) + i * kRegularStakeSize);
    try {
        WriteFileAtomic(fileName, bytes);
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка записи в файл регулярных ставок!\r\r%s"), {e.what()}));
    }
}

void DeleteRegularStake(TRegularStakes& stakes, int index) {
    if (index < 0 || size_t(index) >= stakes.size())
        throw Error(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
    stakes.erase(stakes.begin() + index);
}

TCombination NextRegularCombination(TRegularStake& regular, const TDrawsArchive& archive, int offset) {
    TCombination base = regular.CurrentComb;
    if (regular.UseLastDraw) {
        if (archive.IndexOfPosition(offset) < 0)
            throw Error(Format(Tr("Нет тиража, числа которого берёт регулярная ставка \"%s\" (архив тиражей пуст)."),
                               {regular.CommentText()}));
        archive.DrawCombAt(offset, base);
    }
    TCombination next;
    ShiftCombination(base, regular.Step, next);
    SortComb(next);
    regular.CurrentComb = next;
    if (regular.StakesMade < INT32_MAX) ++regular.StakesMade;
    return next;
}

TStakeRecord RegularStakeRecord(const TRegularStake& regular, const TDrawsArchive& archive, int offset,
                                int32_t sample, const TConfigData& config) {
    TStakeRecord r;
    r.Version = kStakeVersion;
    r.Kind = skRegular;
    r.DrawNumber = archive.NextDrawNumber(offset);
    r.SetCommentText(regular.CommentText());
    r.Checked = 0;
    r.Sample = sample;
    CombToNumberSet(regular.CurrentComb, r.Numbers);
    r.Matched.Count = -1;
    r.Profit = StakeProfit(config, kNumberCount, -1);
    return r;
}

const std::array<const char*, kRegularListColumns> kRegularListCaptions = {
    TrNoop("Комментарий"), TrNoop("Стартовая комбинация"), TrNoop("Шаг"), TrNoop("Текущая комбинация"),
    TrNoop("Ставок")};

std::array<std::string, kRegularListColumns> RegularListCells(const TRegularStake& regular) {
    return {regular.CommentText(), CombCell(regular.StartComb), IntToStr(regular.Step),
            CombCell(regular.CurrentComb), IntToStr(regular.StakesMade)};
}

TRegularStake AcceptRegularInput(const TRegularInput& input, const TRegularStakes& existing,
                                 const std::vector<int>& selectedPositions) {
    const bool one = selectedPositions.size() == 1;
    TNumberSet start;
    if (!input.UseLastDraw && one) {
        try {
            start = ParseStakeNumbers(input.StartText);
        } catch (const std::exception& e) {
            throw TRegularInputError(TRegularField::Start, TrText(e.what()));
        }
    }
    const std::string comment = Trim(input.Comment);
    if (comment.empty()) throw TRegularInputError(TRegularField::Comment, Tr("Необходимо ввести комментарий!"));
    if (Utf8Length(comment) > size_t(kMaxRegularCommentLength))
        throw TRegularInputError(TRegularField::Comment,
                                 Format(Tr("Комментарий к ставке длиннее %d символов!"), {kMaxRegularCommentLength}));
    // The comments this add makes: the one comment, or "X (p)" for each selected combination.
    std::vector<std::string> made;
    if (input.UseLastDraw || selectedPositions.size() <= 1)
        made.push_back(comment);
    else
        for (int p : selectedPositions) made.push_back(PositionComment(comment, p));
    for (const TRegularStake& r : existing)
        for (const std::string& m : made)
            if (SameText(r.CommentText(), m))
                throw TRegularInputError(TRegularField::Comment,
                                         Tr("Запись с таким комментарией уже присутствует в списке!\rВыберите "
                                            "другой комментарий."));
    if (input.Step < kMinRegularStep || input.Step > kMaxRegularStep)
        throw TRegularInputError(TRegularField::Step,
                                 Format(Tr("Шаг должен быть от %d до %d!"), {kMinRegularStep, kMaxRegularStep}));
    TRegularStake r;
    r.SetCommentText(comment);
    r.UseLastDraw = input.UseLastDraw ? 1 : 0;
    r.Step = input.Step;
    if (one && !input.UseLastDraw)
        for (int i = 0; i < kNumberCount; ++i) r.StartComb[size_t(i)] = start.Numbers[i];
    r.CurrentComb = r.StartComb;
    r.StakesMade = 0;
    return r;
}

// With the previous draw as base, or a single selected combination, one regular stake is made;
// otherwise one per selected combination.
static bool MakesOneRegularStake(const TRegularStake& accepted, size_t selectedCount) {
    return accepted.UseLastDraw || selectedCount == 1;
}

size_t RegularStakesToMake(const TRegularStake& accepted, size_t selectedCount) {
    return MakesOneRegularStake(accepted, selectedCount) ? 1 : selectedCount;
}

TRegularStakes NewRegularStakes(const TRegularStake& accepted, const std::vector<TSelectedComb>& selected) {
    TRegularStakes out;
    if (MakesOneRegularStake(accepted, selected.size())) {
        TRegularStake r = accepted;
        // With the previous draw as base, a single selected combination is still its start.
        if (accepted.UseLastDraw && selected.size() == 1) {
            r.StartComb = selected.front().Comb;
            SortComb(r.StartComb);
        }
        r.CurrentComb = r.StartComb;
        r.StakesMade = 0;
        out.push_back(r);
        return out;
    }
    const std::string comment = accepted.CommentText();
    for (const TSelectedComb& s : selected) {
        TRegularStake r = accepted;
        r.SetCommentText(PositionComment(comment, s.Position));
        r.StartComb = s.Comb;
        SortComb(r.StartComb);
        r.CurrentComb = r.StartComb;
        r.StakesMade = 0;
        out.push_back(r);
    }
    return out;
}

TRegularTestResult RunRegularTest(TRegularStakes& stakes, const std::vector<int>& rows, int count,
                                  TDrawsArchive& archive, int32_t sample, const TConfigData& config,
                                  const TRegularAppend& append, TProgressSink& progress) {
    if (count < 1 || count > archive.Count() - 1)
        throw Error(Format(Tr("Количество тестов должно быть от 1 до %d"), {std::max(archive.Count() - 1, 0)}));
    for (int row : rows)
        if (row < 0 || size_t(row) >= stakes.size())
            throw Error(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {row}));
    // The offset goes back to where it was whatever happens.
    struct TOffsetKeeper {
        TDrawsArchive& archive;
        int offset;
        ~TOffsetKeeper() { archive.SetDrawsOffset(offset); }
    } keeper{archive, archive.Offset()};

    TStatusScope status(progress, Tr("Создание ставок по регулярным табличным ставкам..."));
    TRegularTestResult result;
    for (int offset = count; offset >= 1 && !result.Failed; --offset) {
        if (progress.StopRequested()) {
            result.Stopped = true;
            break;
        }
        archive.SetDrawsOffset(offset);
        for (int row : rows) {
            TRegularStake next = stakes[size_t(row)];
            NextRegularCombination(next, archive, offset);
            if (!append(RegularStakeRecord(next, archive, offset, sample, config))) {
                result.Failed = true;
                break;
            }
            stakes[size_t(row)] = next;
            ++result.Made;
        }
        if (result.Failed) break;
        ++result.OffsetsDone;
        progress.Percent(100.0 * result.OffsetsDone / count);
    }
    return result;
}

} // namespace velmora
