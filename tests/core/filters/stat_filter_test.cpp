// The filter pass on the combination set: keep and delete, the reference draw of the analysis
// window, the sorted switch, undo, empty selections and errors raised by a statistic.
#include "core/filters/stat_filter.h"

#include "../stats/fake_stats.h"
#include "core/combs/comb_set.h"
#include "core/combs/draw_stats.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

// The reference draw's first number as it was loaded (flags S and D): a combination matches
// when it holds that number and the selection holds the key 1.
class TstFakeRefFirst final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr const char* ClassName() { return "TstFakeRefFirst"; }
    static constexpr const char* GetCode() { return "FREF"; }
    static constexpr const char* GetCaption() { return "Первое число опорного тиража"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagS | kFlagD; }
    bool CombinationMatches(const TCombination& c, const TStatDrawArray& sel, bool, bool, int) override {
        return std::find(c.begin(), c.end(), RefDraw.Numbers[0]) != c.end() && HasValue(sel, 1, 0, 0, 0);
    }
};

// Raises an error at the combination 3 4 5 6 7; everything before it matches.
class TstFakeFailing final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr const char* ClassName() { return "TstFakeFailing"; }
    static constexpr const char* GetCode() { return "FFAIL"; }
    static constexpr const char* GetCaption() { return "Ошибка посреди прохода"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }
    bool CombinationMatches(const TCombination& c, const TStatDrawArray&, bool, bool, int) override {
        if (c == TCombination{3, 4, 5, 6, 7}) throw Error("Сбой статистики");
        return true;
    }
};

int SumOfComb(const TCombination& c) { return std::accumulate(c.begin(), c.end(), 0); }

std::vector<TCombination> Snapshot(const TCombSet& s) { return {s.Data(), s.Data() + s.Count()}; }

// The log as comparable texts: kind, caption, values, count.
std::vector<std::string> LogTexts(const TCombSet& s) {
    std::vector<std::string> v;
    for (const auto& l : s.Log())
        v.push_back(std::to_string(int(l.Kind)) + "|" + l.Caption + "|" + l.Values + "|" + std::to_string(l.Count));
    return v;
}

TStatValueRec Key0(int k0) {
    TStatValueRec r;
    r.Key.K[0] = uint16_t(k0);
    return r;
}

TStatValueRec Dword0(int32_t v) {
    TStatValueRec r;
    r.Key.SetDword(0, uint32_t(v));
    return r;
}

// A small set: the 792 combinations of the numbers 1..12, ascending, over the six fixture draws
// (101..106; sums 104, 15, 117, 111, 153, 125; the newest, 106, is stored as 47 3 12 25 38).
struct FilterFixture {
    TDrawsArchive archive;
    TStatList list;
    TCombSet set{4000};
    FilterFixture() {
        archive.Draws = FixtureDraws();
        list.Bind(archive.Draws);
        list.Build();
        set.Generate(false, {kGenerateOnlyMine, "1;2;3;4;5;6;7;8;9;10;11;12"});
    }
    std::unique_ptr<TCustomStat> Stat(const std::string& code) const {
        int i = list.IndexOfCode(code);
        EXPECT_GE(i, 0) << code;
        return list.CreateStat(i);
    }
    template <class T>
    std::unique_ptr<TCustomStat> Fake() const {
        return StatClassOf<T>().Create(&list, 0);
    }
    // The caller's part of a step: the undo copy, then the pass.
    bool Step(TCustomStat& stat, const TStatDrawArray& sel, bool remove, int threads = 1) {
        set.SaveUndo(false);
        return ApplyStatFilter(set, stat, sel, FilterActionOf(remove), archive, stat.Class().GetCode(), "values", threads);
    }
};

template <class Pred>
std::vector<TCombination> Expected(const std::vector<TCombination>& before, Pred keep) {
    std::vector<TCombination> v;
    for (const auto& c : before)
        if (keep(c)) v.push_back(c);
    return v;
}

} // namespace

TEST(StatFilter, KeepAndDeleteTheSameValuesLeaveNothing) {
    struct Case {
        const char* code;
        TStatDrawArray selected;
        bool removeFirst;
    };
    const Case cases[] = {
        {"NUMS", {Key0(1), Key0(12)}, false},
        {"NUMS", {Key0(1), Key0(12)}, true},
        {"EVEN", {Key0(2)}, false},
        {"EVEN", {Key0(2)}, true},
        {"SUMS", {Key0(30), Key0(31), Key0(40)}, false},
        {"SUMS", {Key0(30), Key0(31), Key0(40)}, true},
    };
    for (const auto& c : cases) {
        FilterFixture f;
        const int total = f.set.Count();
        auto stat = f.Stat(c.code);
        ASSERT_TRUE(f.Step(*stat, c.selected, c.removeFirst));
        const int afterFirst = f.set.Count();
        EXPECT_GT(afterFirst, 0) << c.code;
        EXPECT_LT(afterFirst, total) << c.code;
        ASSERT_TRUE(f.Step(*stat, c.selected, !c.removeFirst));
        EXPECT_EQ(f.set.Count(), 0) << c.code << " remove first " << c.removeFirst;
        ASSERT_EQ(f.set.Log().size(), 2u);
        EXPECT_EQ(f.set.Log()[0].Kind, c.removeFirst ? TLogKind::Remove : TLogKind::Keep);
        EXPECT_EQ(f.set.Log()[0].Count, afterFirst);
        EXPECT_EQ(f.set.Log()[1].Kind, c.removeFirst ? TLogKind::Keep : TLogKind::Remove);
        EXPECT_EQ(f.set.Log()[1].Count, 0);
    }
}

TEST(StatFilter, KeepAndDeleteKeepTheOrderOfTheSet) {
    FilterFixture f;
    const auto before = Snapshot(f.set);
    auto nums = f.Stat("NUMS");
    ASSERT_TRUE(f.Step(*nums, {Key0(7), Key0(2)}, false));
    auto hasTwoOrSeven = [](const TCombination& c) {
        return std::find(c.begin(), c.end(), 2) != c.end() || std::find(c.begin(), c.end(), 7) != c.end();
    };
    EXPECT_EQ(Snapshot(f.set), Expected(before, hasTwoOrSeven));
    const auto kept = Snapshot(f.set);
    ASSERT_TRUE(f.Step(*nums, {Key0(12)}, true));
    EXPECT_EQ(Snapshot(f.set), Expected(kept, [](const TCombination& c) { return c[4] != 12; }));
    EXPECT_EQ(LogTexts(f.set), (std::vector<std::string>{"0|NUMS|values|" + std::to_string(kept.size()),
                                                         "1|NUMS|values|" + std::to_string(f.set.Count())}));
}

// SUMV is the change of the sum from the reference draw to the combination: the selected change
// picks the combinations whose sum is the reference sum plus it.
TEST(StatFilter, ReferenceDrawIsTheNewestDrawOfTheWindow) {
    struct Case {
        int offset;
        int refSum;  // the sum of the draw the window ends at
    };
    const Case cases[] = {
        {0, 125},  // 106, the newest
        {3, 117},  // 103, the fourth newest
        {5, 104},  // 101, the oldest
        {9, 104},  // an offset past the archive stops at the oldest draw
    };
    for (const auto& c : cases) {
        FilterFixture f;
        f.archive.SetDrawsOffset(c.offset);
        const auto before = Snapshot(f.set);
        auto sumv = f.Stat("SUMV");
        ASSERT_TRUE(f.Step(*sumv, {Dword0(27 - c.refSum), Dword0(40 - c.refSum)}, false));
        auto expected = Expected(before, [](const TCombination& comb) {
            int s = SumOfComb(comb);
            return s == 27 || s == 40;
        });
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(Snapshot(f.set), expected) << "offset " << c.offset;
    }
}

TEST(StatFilter, SortedSwitchAppliesToTheReferenceDraw) {
    struct Case {
        bool sorted;
        int first;  // the first number of draw 106 as loaded
    };
    for (const Case c : {Case{false, 47}, Case{true, 3}}) {
        FilterFixture f;
        f.set.Generate(false, {kGenerateOnlyMine, "3;4;5;6;7;47;48"});
        f.archive.Sorted = c.sorted;
        const auto before = Snapshot(f.set);
        auto stat = f.Fake<TstFakeRefFirst>();
        ASSERT_TRUE(f.Step(*stat, {Key0(1)}, false));
        auto expected = Expected(before, [&](const TCombination& comb) {
            return std::find(comb.begin(), comb.end(), c.first) != comb.end();
        });
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(Snapshot(f.set), expected) << "sorted " << c.sorted;
    }
}

// The table with the sorted switch gives POS1 of the sorted draws; the rows it shows select
// the combinations that have that number first.
TEST(StatFilter, PositionRowsOfTheSortedTableSelectTheFirstNumbers) {
    struct Case {
        bool sorted;
        std::vector<int> firsts;  // the first numbers of draws 105 and 106 as the table saw them
    };
    const Case cases[] = {{false, {10, 47}}, {true, {3, 10}}};
    for (const auto& c : cases) {
        FilterFixture f;
        f.set.Generate(false, {kGenerateOnlyMine, "3;10;11;12;13;14;47;48;49;50"});
        f.archive.Sorted = c.sorted;
        TDrawStatsOptions options;
        options.Length = 2;
        const int pos1 = f.list.IndexOfCode("POS1");
        TDrawStatsTable table = ComputeDrawStats(f.list, pos1, f.archive, options, NullProgress());
        TStatDrawArray selected;
        for (const auto& row : table.Rows)
            if (row.Value.Count > 0) selected.push_back(row.Value);
        ASSERT_EQ(selected.size(), 2u);
        const auto before = Snapshot(f.set);
        auto stat = f.list.CreateStat(pos1);
        ASSERT_TRUE(f.Step(*stat, selected, false));
        auto expected = Expected(before, [&](const TCombination& comb) {
            return comb[0] == c.firsts[0] || comb[0] == c.firsts[1];
        });
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(Snapshot(f.set), expected) << "sorted " << c.sorted;
    }
}

TEST(StatFilter, UndoRestoresTheSetAndTheLogExactly) {
    for (bool remove : {false, true}) {
        FilterFixture f;
        auto nums = f.Stat("NUMS");
        ASSERT_TRUE(f.Step(*nums, {Key0(5)}, true));  // an earlier step in the log
        const auto set = Snapshot(f.set);
        const auto log = LogTexts(f.set);
        auto even = f.Stat("EVEN");
        ASSERT_TRUE(f.Step(*even, {Key0(1), Key0(3)}, remove));
        ASSERT_NE(Snapshot(f.set), set);
        f.set.RestoreUndo(false);
        f.set.RemoveLastLogLine();
        EXPECT_EQ(Snapshot(f.set), set) << "remove " << remove;
        EXPECT_EQ(LogTexts(f.set), log) << "remove " << remove;
    }
}

TEST(StatFilter, EmptySelectionChangesNothing) {
    for (bool remove : {false, true}) {
        FilterFixture f;
        auto nums = f.Stat("NUMS");
        ASSERT_TRUE(f.Step(*nums, {Key0(5)}, true));
        const auto set = Snapshot(f.set);
        const auto log = LogTexts(f.set);
        const int undo = f.set.UndoCount();
        // The undo copy still holds the set before the earlier step: an empty selection must not
        // take the set from it.
        EXPECT_FALSE(ApplyStatFilter(f.set, *nums, {}, FilterActionOf(remove), f.archive, "NUMS", "", 1));
        EXPECT_EQ(Snapshot(f.set), set);
        EXPECT_EQ(LogTexts(f.set), log);
        EXPECT_EQ(f.set.UndoCount(), undo);
    }
}

TEST(StatFilter, EmptyUndoCopyGivesAnEmptySetWithoutALogLine) {
    FilterFixture f;
    f.set.Generate(false, {kGenerateOnlyMine, "1;2;3"});  // fewer than five numbers: nothing
    ASSERT_EQ(f.set.Count(), 0);
    auto nums = f.Stat("NUMS");
    EXPECT_TRUE(f.Step(*nums, {Key0(1)}, false));
    EXPECT_EQ(f.set.Count(), 0);
    EXPECT_TRUE(f.set.Log().empty());
}

TEST(StatFilter, NumberFilterKeepsOrDeletesTheCombinationsHoldingTheNumbers) {
    struct Case {
        std::vector<int> numbers;
        bool remove;
    };
    const Case cases[] = {{{4}, false}, {{4}, true}, {{12, 1, 12}, false}, {{12, 1}, true}, {{60}, false}};
    for (const auto& c : cases) {
        FilterFixture f;
        const auto before = Snapshot(f.set);
        f.set.SaveUndo(false);
        ApplyNumberFilter(f.set, f.list, c.numbers, FilterActionOf(c.remove), f.archive, "Карта", "04", 1);
        auto expected = Expected(before, [&](const TCombination& comb) {
            bool has = false;
            for (int n : c.numbers) has = has || std::find(comb.begin(), comb.end(), n) != comb.end();
            return has != c.remove;
        });
        EXPECT_EQ(Snapshot(f.set), expected);
        EXPECT_EQ(LogTexts(f.set), (std::vector<std::string>{std::to_string(c.remove ? 1 : 0) + "|Карта|04|" +
                                                             std::to_string(expected.size())}));
    }
}

TEST(StatFilter, EmptyNumberListFailsBeforeTheSetIsTouched) {
    FilterFixture f;
    auto nums = f.Stat("NUMS");
    ASSERT_TRUE(f.Step(*nums, {Key0(5)}, true));
    const auto set = Snapshot(f.set);
    const auto log = LogTexts(f.set);
    const std::vector<TCombination> undo(f.set.UndoData(), f.set.UndoData() + f.set.UndoCount());
    f.set.SaveUndo(false);  // the command saves the undo copy first
    try {
        ApplyNumberFilter(f.set, f.list, {}, TFilterAction::Keep, f.archive, "Карта", "", 1);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "В выделенном диапазоне нет значений для фильтра!");
    }
    EXPECT_EQ(Snapshot(f.set), set);
    EXPECT_EQ(std::vector<TCombination>(f.set.UndoData(), f.set.UndoData() + f.set.UndoCount()), set);
    EXPECT_EQ(LogTexts(f.set), log);
}

TEST(StatFilter, ErrorDuringThePassLeavesTheSetAndTheUndoCopy) {
    for (int threads : {1, 2}) {
        for (bool remove : {false, true}) {
            FilterFixture f;
            const auto before = Snapshot(f.set);
            auto stat = f.Fake<TstFakeFailing>();
            try {
                f.Step(*stat, {Key0(1)}, remove, threads);
                FAIL() << "no error";
            } catch (const Error& e) {
                EXPECT_STREQ(e.what(), "Сбой статистики");
            }
            EXPECT_EQ(std::vector<TCombination>(f.set.UndoData(), f.set.UndoData() + f.set.UndoCount()), before);
            EXPECT_EQ(Snapshot(f.set), before) << "threads " << threads << " remove " << remove;
            EXPECT_TRUE(f.set.Log().empty());
            f.set.RestoreUndo(false);
            EXPECT_EQ(Snapshot(f.set), before);
        }
    }
}

TEST(StatFilter, ReferenceIndexOfTheWindow) {
    struct Case {
        int draws;
        int offset;
        int expected;
    };
    for (const Case c : {Case{6, 0, 5}, Case{6, 3, 2}, Case{6, 5, 0}, Case{1, 0, 0}, Case{0, 0, 0}}) {
        TDrawsArchive a;
        a.Draws = FixtureDraws();
        a.Draws.resize(size_t(c.draws));
        a.SetDrawsOffset(c.offset);
        EXPECT_EQ(FilterReferenceIndex(a), c.expected) << c.draws << " draws, offset " << c.offset;
    }
}
