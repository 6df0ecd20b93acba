#include "core/combs/comb_set.h"

#include "core/combs/comb_text.h"
#include "core/combs/draw_matcher.h"
#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>

namespace velmora {

const std::array<const char*, kGenerateModeCount> kGenerateModeCaptions = {
    TrNoop("Полный список (все возможные для данного лото варианты)"),
    TrNoop("Мои числа - должно присутствовать любое из указанных"),
    TrNoop("Мои числа - комбинации только из списка указанных"),
    TrNoop("Мои числа - исключить комбинации с любым из указанных"),
    TrNoop("Загрузить список из заранее подготовленного CSV-файла"),
};

namespace {

uint64_t MyNumbersMask(const std::string& param) {
    uint64_t m = 0;
    for (uint8_t n : ParseMyNumbers(param))
        if (n >= kMinNumber && n <= kMaxNumber) m |= NumberBit(n);  // others are in no combination
    return m;
}

int MaskBits(uint64_t m) {
    int n = 0;
    for (; m; m &= m - 1) ++n;
    return n;
}

// Enumerates every 5-subset of nums[0..k) (ascending numbers) in lexicographic order and appends
// those whose mask passes to out; returns how many were written.
template <class Pred>
int Enumerate(const uint8_t* nums, int k, Pred pass, TCombination* out) {
    int count = 0;
    for (int a = 0; a < k; ++a) {
        uint64_t ma = NumberBit(nums[a]);
        for (int b = a + 1; b < k; ++b) {
            uint64_t mb = ma | NumberBit(nums[b]);
            for (int c = b + 1; c < k; ++c) {
                uint64_t mc = mb | NumberBit(nums[c]);
                for (int d = c + 1; d < k; ++d) {
                    uint64_t md = mc | NumberBit(nums[d]);
                    TCombination comb{nums[a], nums[b], nums[c], nums[d], 0};
                    for (int e = d + 1; e < k; ++e) {
                        if (!pass(md | NumberBit(nums[e]))) continue;
                        comb[4] = nums[e];
                        out[count++] = comb;
                    }
                }
            }
        }
    }
    return count;
}

} // namespace

TByteArray ParseMyNumbers(const std::string& param) {
    TByteArray out;
    if (param.empty()) return out;
    for (const auto& w : SplitAny(param, ",;")) {
        auto v = TryStrToInt(Trim(w));
        if (v && *v >= 0 && *v <= 255) ByteArrayAddUnique(uint8_t(*v), out);
    }
    return out;
}

int GeneratedCount(const TGenerateParams& params) {
    int mine = params.Mode >= kGenerateAnyMine && params.Mode <= kGenerateNoMine
                   ? MaskBits(MyNumbersMask(params.Param))
                   : 0;
    switch (params.Mode) {
    case kGenerateFull: return kCombinationTotal;
    case kGenerateAnyMine: return kCombinationTotal - int(Binomial(kMaxNumber - mine, kNumberCount));
    case kGenerateOnlyMine: return int(Binomial(mine, kNumberCount));
    case kGenerateNoMine: return int(Binomial(kMaxNumber - mine, kNumberCount));
    default: return -1;
    }
}

void CheckGenerateParams(const TGenerateParams& params) {
    switch (params.Mode) {
    case kGenerateFull:
        return;
    case kGenerateAnyMine:
    case kGenerateNoMine:
        if (MyNumbersMask(params.Param) == 0) throw Error(Tr("Не указано ни одного из \"моих чисел\" (от 1 до 50)!"));
        return;
    case kGenerateOnlyMine:
        if (MaskBits(MyNumbersMask(params.Param)) < kNumberCount)
            throw Error(Format(Tr("Для комбинаций только из \"моих чисел\" нужно указать не менее %d разных чисел от 1 до 50!"),
                               {kNumberCount}));
        return;
    case kGenerateFromFile:
        if (Trim(params.Param).empty()) throw Error(Tr("Не указано имя файла для загрузки!"));
        if (!FileExists(params.Param)) throw Error(Format(Tr("Файл \"%s\" не найден!"), {params.Param}));
        return;
    default:
        throw Error(Format(Tr("Некорректный режим генерации списка комбинаций: %d"), {int(params.Mode)}));
    }
}

// --- stores ---

TCombSet::TCombSet(int capacity) : capacity_(std::max(capacity, 0)) {
    Allocate(current_, capacity_);
    Allocate(undo_, capacity_);
    Allocate(cache_, capacity_);
}

void TCombSet::Allocate(TStore& store, int capacity) {
    // The records are written before they are read; no need to clear 10 MB.
    store.Data = std::make_unique_for_overwrite<TCombination[]>(size_t(std::max(capacity, 1)));
    store.Count = 0;
}

void TCombSet::CopyStore(const TStore& from, TStore& to) {
    std::copy_n(from.Data.get(), from.Count, to.Data.get());
    to.Count = from.Count;
}

void TCombSet::SetCount(int count) {
    if (count < 0 || count > capacity_) throw Error(TooManyCombsMessage(count, capacity_));
    current_.Count = count;
}

std::vector<std::string> TCombSet::ColumnCaptions() {
    return {Tr("№ п.п."), "1", "2", "3", "4", "5", "S"};
}

std::vector<std::string> TCombSet::RowTexts(int row) const {
    const TCombination& c = At(row);
    std::vector<std::string> cells;
    cells.reserve(7);
    cells.push_back(IntToText(row + 1));
    int sum = 0;
    for (uint8_t n : c) {
        cells.push_back(NumberToText(n));
        sum += n;
    }
    cells.push_back(IntToText(sum));
    return cells;
}

std::string TCombSet::StatusText() const { return Format(Tr("Комбинаций: %d"), {Count()}); }

// --- generation ---

void TCombSet::GenerateCombinations(const TGenerateParams& params) {
    if (params.Mode == kGenerateFromFile) {
        LoadCombsFile(params.Param);
        return;
    }
    if (params.Mode > kGenerateNoMine)
        throw Error(Format(Tr("Некорректный режим генерации списка комбинаций: %d"), {int(params.Mode)}));
    int expected = GeneratedCount(params);
    if (expected > capacity_) throw Error(TooManyCombsMessage(expected, capacity_));

    uint64_t mine = MyNumbersMask(params.Param);
    uint8_t nums[kMaxNumber];
    int k = 0;
    for (int n = kMinNumber; n <= kMaxNumber; ++n) {
        bool in = (mine & NumberBit(uint8_t(n))) != 0;
        if (params.Mode == kGenerateOnlyMine && !in) continue;
        if (params.Mode == kGenerateNoMine && in) continue;
        nums[k++] = uint8_t(n);
    }
    TCombination* out = current_.Data.get();
    if (params.Mode == kGenerateAnyMine)
        current_.Count = Enumerate(nums, k, [mine](uint64_t m) { return (m & mine) != 0; }, out);
    else
        current_.Count = Enumerate(nums, k, [](uint64_t) { return true; }, out);
}

void TCombSet::Generate(bool visible, const TGenerateParams& params, TProgressSink& sink) {
    std::unique_ptr<TStatusScope> status;
    if (visible) status = std::make_unique<TStatusScope>(sink, Tr("Генерация возможных комбинаций..."));
    current_.Count = 0;
    try {
        GenerateCombinations(params);
    } catch (const std::exception& e) {
        current_.Count = 0;
        throw Error(Format(Tr("Ошибка генерации файла комбинаций!\r\r%s"), {e.what()}));
    }
    if (visible) {
        ClearLog();
        // A new set cannot be undone. The cache keeps its tagged list: a script generates the
        // same starting set for every line and takes the excluded-draws list from the cache.
        DropUndo();
    }
}

// --- undo and cache ---

void TCombSet::SaveUndo(bool visible, TProgressSink& sink) {
    std::unique_ptr<TStatusScope> status;
    if (visible) status = std::make_unique<TStatusScope>(sink, Tr("Создание файла отката..."));
    CopyStore(current_, undo_);
}

void TCombSet::RestoreUndo(bool visible, TProgressSink& sink) {
    std::unique_ptr<TStatusScope> status;
    if (visible) status = std::make_unique<TStatusScope>(sink, Tr("Отмена изменений..."));
    CopyStore(undo_, current_);
    undo_.Count = 0;
}

void TCombSet::SaveCache(int a, int b, TProgressSink& sink) {
    if (a == cacheA_ && b == cacheB_) return;
    TStatusScope status(sink, Tr("Создание буфера комбинаций..."));
    try {
        if (!cache_.Data) Allocate(cache_, capacity_);
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка создания буфера комбинаций!\r\r%s"), {e.what()}));
    }
    CopyStore(current_, cache_);
    cacheA_ = a;
    cacheB_ = b;
}

bool TCombSet::LoadCache(int a, int b, TProgressSink& sink) {
    if (a != cacheA_ || b != cacheB_ || cache_.Count == 0 || !cache_.Data) return false;
    TStatusScope status(sink, Tr("Загрузка буфера комбинаций..."));
    CopyStore(cache_, current_);
    return true;
}

void TCombSet::ResetCache() {
    cacheA_ = cacheB_ = -1;
    cache_.Count = 0;
}

void TCombSet::FreeCache() {
    ResetCache();
    cache_.Data.reset();
}

bool TCombSet::ContainsComb(const TCombination& comb) const {
    const TCombination* d = Data();
    return std::find(d, d + Count(), comb) != d + Count();
}

// --- exclusion and deletion ---

TDrawRange LatestDraws(const TDrawsArchive& archive, int n) {
    const int last = archive.LastIndex();
    int first = last + 1;  // an empty range
    if (n > 0 && last >= 0) first = std::max(0, last - n + 1);
    return {archive.Draws.data() + (first <= last ? first : 0), first <= last ? last - first + 1 : 0};
}

template <class Kernel>
int TCombSet::ExcludeWith(int n, const TDrawsArchive& archive, TProgressSink& sink, Kernel&& keep) {
    TStatusScope status(sink, Format(Tr("Удаление из списка комбинаций %d последних тиражей..."), {n}));
    const TDrawRange range = LatestDraws(archive, n);
    const TDrawRecord* draws = range.Draws;
    const int drawCount = range.Count;

    // The source is taken in hundredths (one combination at a time when it has fewer than
    // 100), the progress shown after each; the kept ones are compacted in place.
    const int total = Count();
    const int parts = std::min(total, 100);
    TCombination* d = current_.Data.get();
    int kept = 0;
    int done = 0;
    for (int j = 1; j <= parts; ++j) {
        int end = int(int64_t(total) * j / parts);
        kept += keep(d + done, end - done, d + kept, draws, drawCount);
        done = end;
        double percent = 100.0 * j / parts;
        sink.Percent(percent);
        sink.Status(Format(Tr("Удаление из списка комбинаций %d последних тиражей ( завершено %.0f %% )..."),
                           {n, percent}));
    }
    current_.Count = kept;
    AddExcludeLogLine(n, kept);
    return total - kept;
}

int TCombSet::ExcludeLastDraws(int n, const TDrawsArchive& archive, TProgressSink& sink) {
    std::unique_ptr<TDrawMatcher> matcher;
    return ExcludeWith(n, archive, sink,
                       [&](const TCombination* src, int len, TCombination* dst, const TDrawRecord* draws, int count) {
                           if (!matcher) matcher = std::make_unique<TDrawMatcher>(draws, count);
                           return matcher->KeepUnmatched(src, len, dst);
                       });
}

int TCombSet::ExcludeLastDrawsPlain(int n, const TDrawsArchive& archive, TProgressSink& sink) {
    return ExcludeWith(n, archive, sink,
                       [](const TCombination* src, int len, TCombination* dst, const TDrawRecord* draws, int count) {
                           return KeepUnmatchedPlain(src, len, draws, count, dst);
                       });
}

int TCombSet::DeleteSelected(const std::vector<int>& rows, TProgressSink& sink) {
    TStatusScope status(sink, Tr("Удаление выделенных комбинаций..."));
    std::vector<uint8_t> selected(size_t(Count()), 0);
    int removed = 0;
    for (int r : rows)
        if (r >= 0 && r < Count() && !selected[size_t(r)]) {
            selected[size_t(r)] = 1;
            ++removed;
        }
    if (removed == 0) return 0;
    TCombination* d = current_.Data.get();
    int k = 0;
    for (int i = 0; i < Count(); ++i)
        if (!selected[size_t(i)]) d[k++] = d[i];
    current_.Count = k;
    AddLogLine(TFilterAction::Delete, Tr("Выделенные комбинации"), IntToText(removed));
    return removed;
}

std::vector<TCombination> TCombSet::SelectedCombs(const std::vector<int>& rows) const {
    std::vector<int> sorted;
    sorted.reserve(rows.size());
    for (int r : rows)
        if (r >= 0 && r < Count()) sorted.push_back(r);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::vector<TCombination> out;
    out.reserve(sorted.size());
    for (int r : sorted) out.push_back(At(r));
    return out;
}

std::string TCombSet::ClipboardText(const std::vector<int>& rows, TProgressSink& sink) const {
    TStatusScope status(sink, Tr("Подождите пожалуйста..."));
    return CombsClipboardText(SelectedCombs(rows));
}

// --- files and the clipboard ---

void TCombSet::LoadCombsFile(const std::string& name) {
    try {
        std::string text = ReadFileBytes(name);
        current_.Count = ReadCombsFileText(text, current_.Data.get(), capacity_);
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка чтения файла \"%s\"!\r\r%s"), {name, e.what()}));
    }
}

void TCombSet::SaveCombsFile(const std::string& name, TProgressSink& sink) const {
    if (IsDataFolderFile(name))
        throw Error(Format(Tr("Нельзя сохранить комбинации в файл данных программы \"%s\"!"), {name}));
    TStatusScope status(sink, Format(Tr("Сохранение файла \"%s\"..."), {name}));
    try {
        WriteFileAtomic(name, CombsFileText(Data(), Count()));
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка записи в файл \"%s\"!\r\r%s"), {name, e.what()}));
    }
}

void TCombSet::OpenCombsFile(const std::string& name, TProgressSink& sink) {
    TStatusScope status(sink, Format(Tr("Загрузка файла \"%s\"..."), {name}));
    LoadCombsFile(name);
    DropUndo();
    ClearLog();
}

bool TCombSet::PasteCombsText(const std::string& text, TProgressSink& sink) {
    TStatusScope status(sink, Tr("Подождите пожалуйста..."));
    std::vector<TCombination> combs = ParseClipboardCombs(text, capacity_);
    if (combs.empty()) return false;
    std::copy(combs.begin(), combs.end(), current_.Data.get());
    current_.Count = int(combs.size());
    DropUndo();
    ClearLog();
    return true;
}

// --- log ---

void TCombSet::AddLogLine(TFilterAction action, const std::string& caption, const std::string& values) {
    AddLogLine(action, caption, values, Count());
}

void TCombSet::AddLogLine(TFilterAction action, const std::string& caption, const std::string& values, int count) {
    log_.push_back({caption, values, count, IsDelete(action) ? TLogKind::Remove : TLogKind::Keep});
}

void TCombSet::AddExcludeLogLine(int n, int count) {
    AddLogLine(TFilterAction::Delete, Tr("Последние тиражи"), IntToText(n), count);
}

void TCombSet::AddUndoLogLine() { AddUndoLogLine(Count()); }

void TCombSet::AddUndoLogLine(int count) { log_.push_back({Tr("Отмена последней операции"), "", count, TLogKind::Undo}); }

void TCombSet::RemoveLastLogLine() {
    if (!log_.empty()) log_.pop_back();
}

// --- the archive ---

std::vector<std::string> FindCombInDraws(const TDrawsArchive& archive, const TCombination& comb,
                                         TProgressSink& sink) {
    TStatusScope status(sink, Tr("Поиск по архиву тиражей..."));
    std::vector<std::string> hits;
    for (int i = archive.Count() - 1; i >= 0 && int(hits.size()) < kFindInDrawsLimit; --i)
        if (CommonCount(archive.Draws[size_t(i)], comb) == kNumberCount) hits.push_back(DrawToText(archive.ViewDraw(i)));
    return hits;
}

std::string FindInDrawsMessage(const std::vector<std::string>& hits) {
    if (hits.empty()) return Tr("Выделенная комбинация не найдена архиве тиражей!");
    return Tr("Выделенная комбинация найдена в следующих тиражах:\r\r") + Join(hits, "\r");
}

std::string DistinctNumbersMessage(int count) {
    return Format(Tr("В текущем списке комбинаций содержится %d уникальных номеров"), {count});
}

} // namespace velmora
