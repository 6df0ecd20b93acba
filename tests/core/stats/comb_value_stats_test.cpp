#include "core/stats/comb_value_stats.h"

#include "core/stats/stat_registry.h"
#include "core/stats/stat_runs.h"
#include "core/stats/value_columns.h"
#include "family_test_util.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// Drawn orders; draw 3 is missing from the numbering.
TDrawsArray CombValueDraws() {
    return {MakeDraw(1, {17, 5, 33, 2, 48}), MakeDraw(2, {5, 17, 40, 2, 9}), MakeDraw(4, {30, 31, 32, 33, 34})};
}

// The statistic of registry position 72..74 (KNO2..KNO4), which the list never builds.
std::unique_ptr<TCustomStat> SortStat(const FamilyFixture& f, int k) {
    for (const auto& e : RegisteredStatEntries())
        if (e.Position == 70 + k) return e.Class->Create(&f.list, 0);
    ADD_FAILURE() << "no class at " << 70 + k;
    return nullptr;
}

} // namespace

TEST(CombValueStats, ClassesCaptionsAndPlaceInTheList) {
    FamilyFixture f;
    struct Case {
        const char* code;
        const char* caption;
    } cases[] = {
        {"KNM2", "Сочетания из 2 чисел по всем числам тиража"},
        {"KNM3", "Сочетания из 3 чисел по всем числам тиража"},
        {"KNM4", "Сочетания из 4 чисел по всем числам тиража"},
        {"KNS2", "Сочетания из 2 соседних чисел тиража"},
        {"KNS3", "Сочетания из 3 соседних чисел тиража"},
        {"KNS4", "Сочетания из 4 соседних чисел тиража"},
        {"KNP21", "Сочетания из 2-х чисел тиража начиная с 1 позиции"},
        {"KNP22", "Сочетания из 2-х чисел тиража начиная с 2 позиции"},
        {"KNP23", "Сочетания из 2-х чисел тиража начиная с 3 позиции"},
        {"KNP24", "Сочетания из 2-х чисел тиража начиная с 4 позиции"},
        {"KNP31", "Сочетания из 3-х чисел тиража начиная с 1 позиции"},
        {"KNP32", "Сочетания из 3-х чисел тиража начиная с 2 позиции"},
        {"KNP33", "Сочетания из 3-х чисел тиража начиная с 3 позиции"},
        {"KNP41", "Сочетания из 4-х чисел тиража начиная с 1 позиции"},
        {"KNP42", "Сочетания из 4-х чисел тиража начиная с 2 позиции"},
    };
    const int first = f.list.IndexOfCode("PRC-2") + 1;
    for (size_t k = 0; k < std::size(cases); ++k) {
        const Case& c = cases[k];
        const int i = f.list.IndexOfCode(c.code);
        EXPECT_EQ(i, first + int(k)) << c.code;
        EXPECT_EQ(f.list.Items(i).Caption(), c.caption);
        EXPECT_FALSE(f.list.Items(i).HasValueList()) << c.code;
        EXPECT_FALSE(f.list.HasGraph(i)) << c.code;
    }
    EXPECT_EQ(f.list.IndexOfCode("KNP25"), -1);
    EXPECT_EQ(f.list.IndexOfCode("KNP34"), -1);
    EXPECT_EQ(f.list.IndexOfCode("KNP43"), -1);
    for (const char* code : {"KNO2", "KNO3", "KNO4"}) EXPECT_EQ(f.list.IndexOfCode(code), -1) << code;
    EXPECT_EQ(f.Class("KNP33").GetBaseCode(), "KNP3");
    EXPECT_EQ(f.Class("KNM3").GetBaseCode(), "KNM3");
    EXPECT_EQ(f.list.DisplayCaption(f.list.IndexOfCode("KNP21"), true),
              "{ num } Сочетания из 2-х чисел тиража начиная с 1 позиции [ S ]");
    // The sorted groups: not available, no flag S.
    const TStatClass& sort3 = SortStat(f, 3)->Class();
    EXPECT_EQ(sort3.GetCode(), "KNO3");
    EXPECT_EQ(sort3.GetCaption(), "Сочетания из 3 чисел тиража по возрастанию");
    EXPECT_FALSE(sort3.IsAvailable());
    EXPECT_EQ(sort3.ClassFlags(), 0);
}

TEST(CombValueStats, ValueTextsAndNoParsing) {
    ExpectValueTexts(FamilyFixture{}, {
        {"KNM2", KeyRec(7, 23), "7:23", 0},
        {"KNS3", KeyRec(7, 23, 41), "7:23:41", 0},
        {"KNP41", KeyRec(7, 23, 41, 48), "7:23:41:48", 0},
        {"KNP21", KeyRec(17, 5), "17:5", 0},
    });
}

// The groups of draw 1, drawn as 17, 5, 33, 2, 48 (ascending: 2, 5, 17, 33, 48).
TEST(CombValueStats, GroupsOfADrawFollowTheSortedSwitch) {
    FamilyFixture f(CombValueDraws());
    struct Case {
        const char* code;
        bool sorted;
        V values;
    } cases[] = {
        {"KNS2", false, {"17:5x1", "5:33x1", "33:2x1", "2:48x1"}},
        {"KNS2", true, {"2:5x1", "5:17x1", "17:33x1", "33:48x1"}},
        {"KNS3", false, {"17:5:33x1", "5:33:2x1", "33:2:48x1"}},
        {"KNS4", false, {"17:5:33:2x1", "5:33:2:48x1"}},
        {"KNS4", true, {"2:5:17:33x1", "5:17:33:48x1"}},
        {"KNM2", false, {"17:5x1", "17:33x1", "17:2x1", "17:48x1", "5:33x1", "5:2x1", "5:48x1", "33:2x1", "33:48x1", "2:48x1"}},
        {"KNM3", false, {"17:5:33x1", "17:5:2x1", "17:5:48x1", "17:33:2x1", "17:33:48x1", "17:2:48x1", "5:33:2x1",
                         "5:33:48x1", "5:2:48x1", "33:2:48x1"}},
        {"KNM4", false, {"17:5:33:2x1", "17:5:33:48x1", "17:5:2:48x1", "17:33:2:48x1", "5:33:2:48x1"}},
        {"KNM4", true, {"2:5:17:33x1", "2:5:17:48x1", "2:5:33:48x1", "2:17:33:48x1", "5:17:33:48x1"}},
        {"KNP21", false, {"17:5x1"}},
        {"KNP24", false, {"2:48x1"}},
        {"KNP24", true, {"33:48x1"}},
        {"KNP31", false, {"17:5:33x1"}},
        {"KNP33", false, {"33:2:48x1"}},
        {"KNP41", false, {"17:5:33:2x1"}},
        {"KNP42", false, {"5:33:2:48x1"}},
        {"KNP42", true, {"5:17:33:48x1"}},
    };
    for (const auto& c : cases) EXPECT_EQ(DrawTexts(*f.Stat(c.code), 0, 2, c.sorted), c.values) << c.code << " " << c.sorted;
    // The sorted groups sort whatever the switch.
    for (bool sorted : {false, true}) {
        EXPECT_EQ(DrawTexts(*SortStat(f, 2), 0, 2, sorted), (V{"2:5x1", "5:17x1", "17:33x1", "33:48x1"}));
        EXPECT_EQ(DrawTexts(*SortStat(f, 4), 0, 2, sorted), (V{"2:5:17:33x1", "5:17:33:48x1"}));
    }
    // A combination alone has no value; there is no domain.
    EXPECT_EQ(CombinationTexts(*f.Stat("KNM2"), {1, 2, 3, 4, 5}), V{});
    EXPECT_EQ(DomainTexts(*f.Stat("KNP21")), V{});
}

// Draws 1 and 2 share the numbers 2, 5, 17: in drawn order only 17:2 and 5:2 come out the same.
TEST(CombValueStats, WindowListsOnlyTheGroupsThatOccurred) {
    FamilyFixture f(CombValueDraws());
    struct Case {
        const char* code;
        bool sorted;
        V values;
    } cases[] = {
        {"KNM2", false, {"17:5x1", "17:33x1", "17:2x2", "17:48x1", "5:33x1", "5:2x2", "5:48x1", "33:2x1", "33:48x1",
                         "2:48x1", "5:17x1", "5:40x1", "5:9x1", "17:40x1", "17:9x1", "40:2x1", "40:9x1", "2:9x1"}},
        {"KNM2", true, {"2:5x2", "2:17x2", "2:33x1", "2:48x1", "5:17x2", "5:33x1", "5:48x1", "17:33x1", "17:48x1",
                        "33:48x1", "2:9x1", "2:40x1", "5:9x1", "5:40x1", "9:17x1", "9:40x1", "17:40x1"}},
        {"KNS2", false, {"17:5x1", "5:33x1", "33:2x1", "2:48x1", "5:17x1", "17:40x1", "40:2x1", "2:9x1"}},
        {"KNS2", true, {"2:5x2", "5:17x1", "17:33x1", "33:48x1", "5:9x1", "9:17x1", "17:40x1"}},
        {"KNP21", true, {"2:5x2"}},
    };
    for (const auto& c : cases) EXPECT_EQ(WindowTexts(*f.Stat(c.code), 1, 2, c.sorted), c.values) << c.code << " " << c.sorted;

    // 2:5 in draws 1 and 2, seen from draw 4.
    auto s = f.Stat("KNP21");
    TStatDrawArray list;
    ComputeStatDistribution(*s, 2, 3, true, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Count, 2);
    EXPECT_EQ(list[0].DrawNo, 2);
    EXPECT_EQ(list[0].Age, 2);
    EXPECT_EQ(list[0].MinGap, 1);
    EXPECT_EQ(list[0].MaxGap, 1);
    EXPECT_EQ(Texts(*s, {list[1]}), V{"30:31x1"});
}

// How many combinations of the full set keep a selection: groups are compared component by
// component with the ascending numbers of a combination.
TEST(CombValueStats, FilterCountsOverTheFullSet) {
    FamilyFixture f(CombValueDraws());
    struct Case {
        const char* code;
        TStatDrawArray selected;
        uint64_t kept;
    } cases[] = {
        // Every combination with 5 and 17; never one with 17 before 5.
        {"KNM2", {KeyRec(5, 17)}, Choose(48, 3)},
        {"KNM2", {KeyRec(17, 5)}, 0},
        {"KNM2", {KeyRec(5, 17, 1)}, 0},
        // 5 and 17 next to each other: nothing of 6..16 in between.
        {"KNS2", {KeyRec(5, 17)}, Choose(37, 3)},
        {"KNP21", {KeyRec(5, 17)}, Choose(33, 3)},
        {"KNP24", {KeyRec(5, 17)}, Choose(4, 3)},
        // Quadruples at the bounds.
        {"KNM4", {KeyRec(47, 48, 49, 50)}, 46},
        {"KNS4", {KeyRec(1, 2, 3, 4)}, 46},
        {"KNP41", {KeyRec(1, 2, 3, 4)}, 46},
        {"KNP42", {KeyRec(47, 48, 49, 50)}, 46},
        {"KNP42", {KeyRec(1, 2, 3, 4)}, 0},
        {"KNS3", {KeyRec(48, 49, 50)}, Choose(47, 2)},
        {"KNM3", {KeyRec(1, 2, 50)}, Choose(47, 2)},
        // Numbers outside 1..50 are never in a combination.
        {"KNM4", {KeyRec(0, 1, 2, 3), KeyRec(48, 49, 50, 51), KeyRec(47, 48, 49, 50)}, 46},
    };
    for (const auto& c : cases) EXPECT_EQ(KeptOfFullSet(*f.Stat(c.code), c.selected), c.kept) << c.code << " case " << (&c - cases);
}

// The batch pass keeps what the plain test keeps, for the sorted groups too (not in the list, so
// not in the registry-wide check). Besides a sample of the full set: bytes outside 1..50 (not a
// combination of the game, but the filter must not trip over them) and numbers out of order.
TEST(CombValueStats, FilterPassEqualsThePlainTest) {
    FamilyFixture f(CombValueDraws());
    TCombsArray combs = {{0, 5, 17, 60, 200}, {5, 17, 51, 52, 53}, {5, 17, 0, 0, 0}, {60, 200, 5, 6, 7}, {48, 33, 17, 5, 2}};
    const TCombsArray& all = FullCombinationSet();
    for (size_t i = 0; i < all.size(); i += 997) combs.push_back(all[i]);
    // Groups of the sample at every start position, and values no combination of the game has.
    const TCombination& a = all[500 * 997];
    const TCombination& b = all[700 * 997];
    const TStatDrawArray selected = {KeyRec(5, 17),     KeyRec(60, 200),        KeyRec(0, 5, 17),       KeyRec(51, 52, 53, 0),
                                     KeyRec(a[0], a[1]), KeyRec(b[2], b[3]),     KeyRec(b[2], b[3], b[4]), KeyRec(a[0], a[2], a[4]),
                                     KeyRec(b[1], b[2], b[3], b[4]), KeyRec(a[0], a[1], a[3], a[4])};
    std::vector<std::pair<std::string, std::unique_ptr<TCustomStat>>> stats;
    for (const char* code : {"KNM2", "KNM3", "KNM4", "KNS2", "KNS3", "KNS4", "KNP21", "KNP23", "KNP33", "KNP42"})
        stats.emplace_back(code, f.Stat(code));
    for (int k = 2; k <= 4; ++k) stats.emplace_back("KNO" + std::to_string(k), SortStat(f, k));
    for (auto& [code, s] : stats)
        for (TFilterAction action : {TFilterAction::Keep, TFilterAction::Delete}) {
            TCombsArray expected;
            for (const auto& c : combs)
                if (s->CombinationMatches(c, selected, IsDelete(action), false, 2) != IsDelete(action)) expected.push_back(c);
            TCombsArray out(combs.size());
            out.resize(FilterCombinationSet(*s, combs.data(), combs.size(), out.data(), selected, action, false, 2));
            EXPECT_EQ(out, expected) << code << " delete " << IsDelete(action);
            EXPECT_GT(expected.size(), 0u) << code;
            EXPECT_LT(expected.size(), combs.size()) << code;
        }
    // The plain test itself: 5:17 is the first pair of the first combination under KNM2.
    EXPECT_TRUE(f.Stat("KNM2")->CombinationMatches(combs[0], {KeyRec(5, 17)}, false, false, 2));
    EXPECT_TRUE(f.Stat("KNS3")->CombinationMatches(combs[1], {KeyRec(51, 52, 53)}, false, false, 2));
}

// The sorted groups test a sorted copy of the combination, which is already ascending.
TEST(CombValueStats, SortedGroupsFilterAsNeighbours) {
    FamilyFixture f(CombValueDraws());
    auto s = SortStat(f, 2);
    EXPECT_EQ(KeptOfFullSet(*s, {KeyRec(5, 17)}), Choose(37, 3));
    EXPECT_TRUE(s->CombinationMatches({2, 5, 17, 33, 48}, {KeyRec(33, 48)}, false, false, 0));
    EXPECT_FALSE(s->CombinationMatches({2, 5, 17, 33, 48}, {KeyRec(48, 33)}, false, false, 0));
}

// On ranks, the combinations that hold few selected groups are enumerated: the survivors are the
// records pass's, on the full set and on a part of it, kept and deleted. Against a small set the
// pass is left to the records.
TEST(CombValueStats, PassOnRanksEqualsThePassOnRecords) {
    FamilyFixture f(CombValueDraws());
    struct Case {
        const char* code;
        TStatDrawArray selected;
    } cases[] = {
        // A group out of order or outside 1..50 holds no combination of the set.
        {"KNM2", {KeyRec(5, 17), KeyRec(17, 5), KeyRec(1, 50), KeyRec(5, 17)}},
        {"KNS2", {KeyRec(5, 17), KeyRec(49, 50)}},
        {"KNP21", {KeyRec(5, 17)}},
        {"KNP24", {KeyRec(5, 17), KeyRec(20, 30)}},
        {"KNM3", {KeyRec(1, 2, 50), KeyRec(5, 17, 0)}},
        {"KNS3", {KeyRec(48, 49, 50), KeyRec(10, 20, 30)}},
        {"KNP33", {KeyRec(10, 20, 30)}},
        {"KNM4", {KeyRec(0, 1, 2, 3), KeyRec(47, 48, 49, 50), KeyRec(3, 9, 27, 40), KeyRec(48, 49, 50, 51)}},
        {"KNS4", {KeyRec(1, 2, 3, 4)}},
        {"KNP42", {KeyRec(47, 48, 49, 50), KeyRec(1, 2, 3, 4)}},
    };
    for (const auto& c : cases) ExpectRanksPassAsRecords(f, c.code, c.selected);
    const TCombsArray& all = FullCombinationSet();
    TRankSet small;
    ASSERT_TRUE(small.Assign(all.data(), 1000));
    EXPECT_FALSE(f.Stat("KNM2")->FilterRanks(small.Words(), {KeyRec(5, 17)}, TFilterAction::Keep, false, 2, 1));
    EXPECT_EQ(CountRanks(small.Words()), 1000u);
}
