#include "core/model/draws_archive.h"

#include "core/model/dates.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <sys/stat.h>

namespace velmora {

const std::vector<std::string> kDrawListCaptions = {TrNoop("Тираж"), "1", "2", "3", "4", "5", "E1", "E2", "S", TrNoop("Дата тиража")};

void TDrawsArchive::LoadDraws() {
    struct stat st {};
    if (::stat(FileName.c_str(), &st) != 0) {
        Draws.clear();
        return;
    }
    std::string bytes;
    try {
        bytes = ReadFileBytes(FileName);
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка чтения файла тиражей!\r\r%s"), {e.what()}));
    }
    const size_t n = bytes.size() / kDrawRecordSize;
    Draws.assign(n, TDrawRecord{});
    for (size_t i = 0; i < n; ++i)
        ReadDrawRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + i * kDrawRecordSize, Draws[i]);
    if (bytes.size() % kDrawRecordSize != 0)
        throw Error(Format(Tr("Ошибка чтения файла тиражей!\r\r%s"),
                           {Format(Tr("Размер файла \"%s\" (%d байт) не кратен размеру записи (%d байта)"),
                                   {FileName, int64_t(bytes.size()), int(kDrawRecordSize)})}));
    if (offset_ > 0 && offset_ > Count() - 1) offset_ = std::max(0, Count() - 1);
}

void TDrawsArchive::SaveDraws() const {
    std::string data(Draws.size() * kDrawRecordSize, '\0');
    for (size_t i = 0; i < Draws.size(); ++i)
        WriteDrawRecord(Draws[i], reinterpret_cast<unsigned char*>(data.data()) + i * kDrawRecordSize);
    try {
        WriteFileAtomic(FileName, data);
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка записи в файл тиражей!\r\r%s"), {e.what()}));
    }
}

void TDrawsArchive::DeleteDrawAt(int index) {
    if (index < 0 || index > Count() - 1)
        throw Error(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
    Draws.erase(Draws.begin() + index);
    if (offset_ > 0 && offset_ > Count() - 1) offset_ = std::max(0, Count() - 1);
}

int TDrawsArchive::IndexOfDrawNumber(int number) const {
    const int n = Count();
    if (n == 0) return -1;
    const int first = Draws[0].Number, last = Draws[size_t(n - 1)].Number;
    if (number == first) return 0;
    if (number == last) return n - 1;
    double span = double(last) - double(first) + 1.0;
    double g = span != 0 ? double(n) * (double(number) - double(first)) / span : 0.0;
    int i;
    if (g != g || g > double(n - 1))
        i = n - 1;
    else if (g < double(INT32_MIN))
        i = -1;
    else
        i = int(g);  // truncation towards zero
    // Walk from the guess towards the number while inside the array.
    if (i >= 0 && i < n) {
        bool up = Draws[size_t(i)].Number < number;
        while (i >= 0 && i < n) {
            int v = Draws[size_t(i)].Number;
            if (v == number) return i;
            i += up ? 1 : -1;
        }
    }
    for (int j = n - 1; j >= 0; --j)
        if (Draws[size_t(j)].Number == number) return j;
    return -1;
}

int TDrawsArchive::NextDrawNumber(int k) const {
    if (Draws.empty()) return 1;
    int i = IndexOfPosition(k);
    if (i < 0) return -1;
    // A draw may carry the largest number the dialog accepts; the next one stays at that bound.
    const int32_t number = Draws[size_t(i)].Number;
    return number < INT32_MAX ? number + 1 : INT32_MAX;
}

void TDrawsArchive::DrawCombAt(int k, TCombination& comb) const {
    comb = {};
    int i = IndexOfPosition(k);
    if (i >= 0) DrawToComb(Draws[size_t(i)], comb);
}

std::string TDrawsArchive::FollowingNumbersText(int k) const {
    if (k <= 0 || k >= Count()) return std::string();
    TCombination c;
    DrawCombAt(k - 1, c);
    return CombToText(c);
}

TNumberSet TDrawsArchive::FollowingNumbersSet(int k) const {
    TNumberSet s;
    if (k <= 0 || k >= Count()) return s;
    TCombination c;
    DrawCombAt(k - 1, c);
    CombToNumberSet(c, s);
    return s;
}

int TDrawsArchive::DateIntAt(int k, int days) const {
    int i = IndexOfPosition(k);
    if (i < 0) return 20120101;
    TDateTime d = TextToDate(Draws[size_t(i)].DateText());
    return DateToInt(d + days);
}

bool TDrawsArchive::SetDrawsOffset(int k) {
    k = std::max(0, std::min(k, Count() - 1));
    if (k == offset_) return false;
    offset_ = k;
    return true;
}

TDrawRecord TDrawsArchive::ViewDraw(int index) const {
    TDrawRecord r;
    if (index < 0 || index >= Count()) return r;
    r = Draws[size_t(index)];
    if (Sorted) SortDrawNumbers(r);
    return r;
}

std::vector<std::string> TDrawsArchive::DrawListRow(int k) const {
    TDrawRecord d = ViewDraw(IndexOfPosition(k));
    std::vector<std::string> row;
    row.reserve(10);
    row.push_back(IntToText(d.Number));
    for (uint8_t n : d.Numbers) row.push_back(NumberToText(n));
    row.push_back(ExtraToText(d.Extras[0]));
    row.push_back(ExtraToText(d.Extras[1]));
    row.push_back(IntToText(d.Sum()));
    row.push_back(d.DateText());
    return row;
}

std::vector<std::string> TDrawsArchive::StatusTexts() const {
    return {Format(Tr("Архив тиражей: %d"), {Count()}), Format(Tr("Следующий тираж: %d"), {NextDrawNumber(offset_)}),
            FollowingNumbersText(offset_)};
}

std::string DrawDataText(const TDrawRecord& rec) {
    std::string s;
    for (uint8_t n : rec.Numbers) s += NumberToText(n) + ";";
    s += ExtraToText(rec.Extras[0]) + ";" + ExtraToText(rec.Extras[1]);
    return s;
}

bool ParseDrawData(const std::string& text, TDrawRecord& rec) {
    auto words = SplitNumberWords(text);
    if (words.size() != 7) return false;
    int v[7];
    for (int i = 0; i < 7; ++i) {
        auto x = TryStrToInt(Trim(words[size_t(i)]));
        if (!x) return false;
        v[i] = *x;
    }
    for (int i = 0; i < 5; ++i) {
        if (v[i] < kMinNumber || v[i] > kMaxNumber) return false;
        for (int j = 0; j < i; ++j)
            if (v[j] == v[i]) return false;
    }
    for (int i = 5; i < 7; ++i)
        if (v[i] < kMinExtra || v[i] > kMaxExtra) return false;
    for (int i = 0; i < 5; ++i) rec.Numbers[i] = uint8_t(v[i]);
    rec.Extras[0] = uint8_t(v[5]);
    rec.Extras[1] = uint8_t(v[6]);
    return true;
}

TDrawsArray MakeSampleDraws(int count, uint32_t seed) {
    std::mt19937 rng(seed);
    TDrawsArray draws;
    draws.reserve(size_t(std::max(count, 0)));
    TDateTime date = EncodeDate(2012, 1, 3);  // a Tuesday
    for (int i = 0; i < count; ++i) {
        TDrawRecord d;
        d.Number = i + 1;
        int k = 0;
        while (k < 5) {
            int n = int(rng() % 50) + 1;
            bool dup = false;
            for (int j = 0; j < k; ++j)
                if (d.Numbers[j] == n) dup = true;
            if (!dup) d.Numbers[k++] = uint8_t(n);
        }
        d.Extras[0] = uint8_t(rng() % 10 + 1);
        do d.Extras[1] = uint8_t(rng() % 10 + 1);
        while (d.Extras[1] == d.Extras[0]);
        d.SetDateText(DateToText(date));
        draws.push_back(d);
        date += DayOfWeek(date) == 3 ? 3 : 4;  // Tuesday -> Friday -> Tuesday
    }
    return draws;
}

} // namespace velmora
