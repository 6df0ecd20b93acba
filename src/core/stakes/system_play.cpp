#include "core/stakes/system_play.h"

#include "core/stakes/stake_file.h"
#include "core/stakes/system_store.h"
#include "core/util/atomic_file.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace velmora {

std::string SystemPlayComment(int nums, const std::string& systemPath, bool filter) {
    const std::string name = ChangeFileExt(ExtractFileName(systemPath), "");
    return Format(filter ? NoTr("Системная игра для %d чисел [комбинации]: %s") : NoTr("Системная игра для %d чисел [вся система]: %s"),
                  {nums, name});
}

namespace {

uint64_t CombKey(const TCombination& c) {
    uint64_t k = 0;
    for (uint8_t b : c) k = k << 8 | b;
    return k;
}

} // namespace

std::vector<TStakeRecord> SystemStakeRecords(const TCombsArray& system, const TCombination* list, int listCount,
                                             bool filter, int32_t drawNumber, const std::string& comment,
                                             const TConfigData& config) {
    std::vector<TCombination> sorted = system;
    for (TCombination& c : sorted) SortComb(c);
    // Filtered: one pass over the list marks the system's combinations that it holds, in any order
    // of their numbers.
    std::vector<char> present(sorted.size(), filter ? 0 : 1);
    if (filter) {
        std::unordered_multimap<uint64_t, size_t> index;
        index.reserve(sorted.size());
        for (size_t i = 0; i < sorted.size(); ++i) index.emplace(CombKey(sorted[i]), i);
        for (int i = 0; i < listCount; ++i) {
            TCombination c = list[i];
            SortComb(c);
            auto [a, b] = index.equal_range(CombKey(c));
            for (; a != b; ++a) present[a->second] = 1;
        }
    }
    TStakeRecord rec;
    rec.Version = kStakeVersion;
    rec.Kind = skSystem;
    rec.DrawNumber = drawNumber;
    rec.Checked = 0;
    rec.Sample = filter ? listCount : int32_t(system.size());
    rec.Matched.Count = -1;
    rec.Profit = StakeProfit(config, kNumberCount, -1);
    rec.SetCommentText(comment);
    std::vector<TStakeRecord> out;
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (!present[i]) continue;
        CombToNumberSet(sorted[i], rec.Numbers);
        out.push_back(rec);
    }
    return out;
}

int AppendSystemStakes(TStakeFile& file, const std::vector<TStakeRecord>& records, int drawsCount) {
    if (records.empty()) return 0;
    file.AppendSeparatorIfNeeded();
    int n = 0;
    for (const TStakeRecord& r : records) {
        file.AppendStakes(r, drawsCount);
        ++n;
    }
    return n;
}

TSystemText NormaliseSystemText(const std::string& text) {
    TSystemText out;
    int lo = INT_MAX, hi = INT_MIN;
    for (const std::string& line : SplitLines(text)) {
        const std::vector<std::string> words = SplitSystemWords(line);
        if (words.size() != size_t(kSystemCombLength)) continue;
        std::vector<std::string> parts;
        for (const std::string& w : words) {
            const std::optional<int32_t> v = TryStrToInt(w);
            if (!v) throw Error(Format(Tr("\"%s\" не является целым числом"), {w}));
            lo = std::min(lo, int(*v));
            hi = std::max(hi, int(*v));
            parts.push_back(Format("%.2d", {*v}));
        }
        out.Lines.push_back(Join(parts, " "));
    }
    out.CSize = int(out.Lines.size());
    out.Nums = out.Lines.empty() ? 0 : int(std::min<int64_t>(int64_t(hi) - lo + 1, INT_MAX));
    return out;
}

void CheckSystemInput(const std::string& title, int nums, int olap, const std::string& author,
                      const std::string& descr, const std::string& combs) {
    if (Trim(title).empty())
        throw TSystemInputError(TSystemField::Title, Tr("Название системы должно быть указано обязательно!"));
    if (nums < kMinSystemNums || nums > kMaxSystemNums)
        throw TSystemInputError(TSystemField::Nums, Tr("Указано недопустимое количество используемых чисел!"));
    if (olap < kMinSystemOlap || olap > kMaxSystemOlap)
        throw TSystemInputError(TSystemField::Olap, Tr("Указан недопустимый размер блока!"));
    if (Trim(author).empty())
        throw TSystemInputError(TSystemField::Author, Tr("Имя автора должно быть указано обязательно!"));
    if (Trim(descr).empty())
        throw TSystemInputError(TSystemField::Descr, Tr("Описание системы должно быть указано обязательно!"));
    if (Trim(combs).empty())
        throw TSystemInputError(TSystemField::Combs, Tr("Содержимое системы должно быть указано обязательно!"));
}

void CheckSystemLines(const std::string& clist, int nums) {
    const std::vector<std::string> lines = SplitLines(clist);
    for (size_t i = 0; i < lines.size(); ++i) {
        try {
            ParseSystemLine(lines[i], int(i + 1), nums);
        } catch (const Error& e) {
            throw TSystemInputError(TSystemField::Combs, e.what());
        }
    }
}

void ApplySystemText(tSystemData& data, const std::string& text) {
    const TSystemText norm = NormaliseSystemText(text);
    const std::string clist = Join(norm.Lines, "\r\n");
    CheckSystemInput(data.Title, norm.Nums, data.Olap, data.Author, data.Descr, clist);
    CheckSystemLines(clist, norm.Nums);
    data.Nums = uint8_t(norm.Nums);
    data.CSize = norm.CSize;
    data.CList = clist;
}

} // namespace velmora
