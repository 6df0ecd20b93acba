#include "family_test_util.h"

#include "core/combs/comb_set.h"
#include "core/filters/stat_filter.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// Whether the filter with this action keeps comb, the window ending at lastIndex.
bool Survives(TCustomStat& s, const TCombination& comb, const TStatDrawArray& selected, TFilterAction action,
              int lastIndex) {
    TCombination out[1];
    return FilterCombinationSet(s, &comb, 1, out, selected, action, false, lastIndex) == 1;
}

// Draw 1 holds channel 3 (11), draw 2 does not, draw 3 neither (width 5).
TDrawsArray ChannelThreeDraws() {
    return {MakeDraw(1, {11, 1, 2, 3, 4}), MakeDraw(2, {5, 6, 7, 8, 9}), MakeDraw(3, {40, 41, 42, 43, 44})};
}

} // namespace

TEST(PeriodStats, ClassesCaptionsAndPlaceInTheList) {
    FamilyFixture f;
    const char* cases[][2] = {
        {"PRDV", "Периоды повторения чисел"},
        {"PRDC", "Периоды повторения каналов"},
        {"PRDG", "Периоды повторения сегментов"},
    };
    const int first = f.list.IndexOfCode("GRSP") + 1;
    for (size_t k = 0; k < std::size(cases); ++k) {
        const int i = f.list.IndexOfCode(cases[k][0]);
        EXPECT_EQ(i, first + int(k)) << cases[k][0];
        EXPECT_EQ(f.list.Items(i).Caption(), cases[k][1]);
        EXPECT_FALSE(f.list.Items(i).HasValueList());
    }
    EXPECT_EQ(f.list.DisplayCaption(f.list.IndexOfCode("PRDC"), true), "{ per } Периоды повторения каналов [ P ]");
}

TEST(PeriodStats, GapsBetweenOccurrences) {
    struct Case {
        const char* code;
        TDrawsArray draws;
        V values;
    } cases[] = {
        // Gaps are differences of draw numbers: draw 102 is missing from the archive.
        {"PRDV",
         {MakeDraw(100, {9, 1, 2, 3, 4}), MakeDraw(101, {9, 5, 6, 8, 10}), MakeDraw(103, {9, 11, 12, 13, 14})},
         {"9 x 1x1", "9 x 2x1"}},
        // Two numbers of one channel in a draw give the gap 0 and no entry; channel 9 is new.
        {"PRDC",
         {MakeDraw(100, {1, 2, 11, 21, 31}), MakeDraw(101, {3, 12, 22, 32, 41})},
         {"01 x 1x1", "03 x 1x1", "05 x 1x1", "07 x 1x1"}},
        {"PRDG",
         {MakeDraw(100, {1, 2, 11, 21, 31}), MakeDraw(104, {3, 12, 22, 32, 41})},
         {"1 x 4x1"}},
        // A value seen once in the window gives nothing.
        {"PRDV", {MakeDraw(100, {9, 1, 2, 3, 4}), MakeDraw(101, {15, 5, 6, 8, 10})}, {}},
    };
    for (const auto& c : cases) {
        FamilyFixture f(c.draws);
        auto s = f.Stat(c.code);
        EXPECT_EQ(WindowTexts(*s, int(c.draws.size()) - 1, 10, false), c.values) << c.code;
    }
    // The entry of 9 x 2 comes from draw 103, the newest of the window.
    FamilyFixture f(cases[0].draws);
    TStatDrawArray list;
    ComputeStatDistribution(*f.Stat("PRDV"), 2, 3, false, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].DrawNo, 103);
    EXPECT_EQ(list[1].Age, 1);
}

// The filter is the one test that reads the action: a selected gap p looks at the draw p - 1
// draws before the reference draw. Keeping wants the value there, deleting wants it missing.
TEST(PeriodStats, FilterReadsTheActionAndTheDrawOfTheGap) {
    FamilyFixture f(ChannelThreeDraws());
    const TCombination channel3 = {11, 20, 30, 40, 50}, other = {1, 2, 3, 4, 5};
    struct Case {
        int last;
        TStatValueRec selected;
        TFilterAction action;
        bool channel3Survives, otherSurvives;
    } cases[] = {
        // 03 x 2 with the reference draw 2: the draw before it (1) had channel 3.
        {1, KeyRec(3, 2), TFilterAction::Keep, true, false},
        {1, KeyRec(3, 2), TFilterAction::Delete, true, true},
        // With the reference draw 3 the draw before it (2) had no channel 3.
        {2, KeyRec(3, 2), TFilterAction::Keep, false, false},
        {2, KeyRec(3, 2), TFilterAction::Delete, false, true},
        // 03 x 1 looks at the reference draw itself.
        {0, KeyRec(3, 1), TFilterAction::Keep, true, false},
        {0, KeyRec(3, 1), TFilterAction::Delete, true, true},
        // A gap reaching before the first draw finds an empty draw.
        {1, KeyRec(3, 9), TFilterAction::Keep, false, false},
        {1, KeyRec(3, 9), TFilterAction::Delete, false, true},
    };
    for (const auto& c : cases) {
        auto s = f.Stat("PRDC");
        EXPECT_EQ(Survives(*s, channel3, {c.selected}, c.action, c.last), c.channel3Survives)
            << "last " << c.last << " gap " << c.selected.Key.K[1] << " delete " << IsDelete(c.action);
        EXPECT_EQ(Survives(*s, other, {c.selected}, c.action, c.last), c.otherSurvives)
            << "last " << c.last << " gap " << c.selected.Key.K[1] << " delete " << IsDelete(c.action);
    }
    // Several selected gaps of one value: one that qualifies is enough.
    auto s = f.Stat("PRDC");
    EXPECT_TRUE(Survives(*s, channel3, {KeyRec(3, 1), KeyRec(3, 2)}, TFilterAction::Keep, 1));
    EXPECT_FALSE(Survives(*s, channel3, {KeyRec(3, 1), KeyRec(3, 2)}, TFilterAction::Delete, 1));
}

// The deleting command of the combination set passes its action down to the statistic. The set
// holds the combinations of 1..12 (channels 1, 2 and 11, 12 in channel 3); the reference draw is
// the newest, and the draw before it has channel 2 but not channel 3.
TEST(PeriodStats, KeepingAndDeletingCommandsOnTheCombinationSet) {
    TDrawsArchive archive;
    archive.Draws = ChannelThreeDraws();
    TStatList list;
    list.Bind(archive.Draws);
    list.Build();
    struct Case {
        TStatValueRec selected;
        TFilterAction action;
        int count;
    } cases[] = {
        {KeyRec(3, 2), TFilterAction::Delete, 252},  // every combination with 11 or 12 goes: C(10, 5)
        {KeyRec(3, 2), TFilterAction::Keep, 0},
        {KeyRec(2, 2), TFilterAction::Keep, 771},    // all but the C(7, 5) without 6..10
        {KeyRec(2, 2), TFilterAction::Delete, 792},  // channel 2 was there: nothing to delete
    };
    for (const auto& c : cases) {
        auto stat = list.CreateStat(list.IndexOfCode("PRDC"));
        TCombSet set{4000};
        set.Generate(false, {kGenerateOnlyMine, "1;2;3;4;5;6;7;8;9;10;11;12"});
        ASSERT_EQ(set.Count(), 792);
        set.SaveUndo(false);
        ApplyStatFilter(set, *stat, {c.selected}, c.action, archive, "PRDC", "", 1);
        EXPECT_EQ(set.Count(), c.count) << "channel " << c.selected.Key.K[0] << " delete " << IsDelete(c.action);
    }
}
