#include "family_test_util.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// 7 comes out in draws 1..3, misses draw 4 and closes the window in draws 5 and 6 (the reference
// draw 6 also holds 23..26, which no earlier draw has).
TDrawsArray SevenDraws() {
    return {MakeDraw(1, {7, 1, 2, 3, 4}),     MakeDraw(2, {7, 5, 6, 8, 9}),     MakeDraw(3, {7, 10, 11, 12, 13}),
            MakeDraw(4, {14, 15, 16, 17, 18}), MakeDraw(5, {7, 19, 20, 21, 22}), MakeDraw(6, {7, 23, 24, 25, 26})};
}

// Draw 1 holds channel 1 (and 50), draw 2 channels 2..5 (and 50) with width 5.
TDrawsArray ChannelDraws() { return {MakeDraw(1, {1, 2, 3, 4, 50}), MakeDraw(2, {6, 11, 16, 21, 50})}; }

} // namespace

TEST(SeriesStats, ClassesCaptionsAndPlaceInTheList) {
    FamilyFixture f;
    const char* cases[][2] = {
        {"GRPV", "Повторы чисел в нескольких тиражах подряд"},
        {"GRPP", "Интервалы между повторениями чисел"},
        {"GRCV", "Повторы каналов в нескольких тиражах подряд"},
        {"GRCP", "Интервалы между повторениями каналов"},
        {"GRSV", "Повторы сегментов в нескольких тиражах подряд"},
        {"GRSP", "Интервалы между повторениями сегментов"},
    };
    const int first = f.list.IndexOfCode("SGM1") + 1;
    for (size_t k = 0; k < std::size(cases); ++k) {
        const int i = f.list.IndexOfCode(cases[k][0]);
        EXPECT_EQ(i, first + int(k)) << cases[k][0];
        EXPECT_EQ(f.list.Items(i).Caption(), cases[k][1]);
        EXPECT_FALSE(f.list.Items(i).HasValueList());
        EXPECT_FALSE(f.list.HasGraph(i));
    }
    EXPECT_EQ(f.list.DisplayCaption(f.list.IndexOfCode("GRPP"), true),
              "{ ser } Интервалы между повторениями чисел [ D ]");
}

TEST(SeriesStats, RunsOfTheValuesOfTheReferenceDraw) {
    FamilyFixture f(SevenDraws());
    struct Case {
        const char* code;
        int last, length;
        V values;
    } cases[] = {
        // The run of 3 closed by draw 4, and the run of 2 still open at the reference draw.
        {"GRPV", 5, 6, {"7 x 3x1", "7 x 2x1", "23 x 1x1", "24 x 1x1", "25 x 1x1", "26 x 1x1"}},
        // Runs that began before the window count from its first draw.
        {"GRPV", 5, 3, {"7 x 2x1", "23 x 1x1", "24 x 1x1", "25 x 1x1", "26 x 1x1"}},
        // 1..6 and the others missing from the reference draw are never listed.
        {"GRPV", 2, 3, {"7 x 3x1", "10 x 1x1", "11 x 1x1", "12 x 1x1", "13 x 1x1"}},
        // A pause is listed when the value comes back; the pause of 1..6 still open is not.
        {"GRPP", 5, 6, {"7 x 1x1", "23 x 5x1", "24 x 5x1", "25 x 5x1", "26 x 5x1"}},
        {"GRPP", 3, 4, {"14 x 3x1", "15 x 3x1", "16 x 3x1", "17 x 3x1", "18 x 3x1"}},
        {"GRPP", 1, 2, {"5 x 1x1", "6 x 1x1", "8 x 1x1", "9 x 1x1"}},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        EXPECT_EQ(WindowTexts(*s, c.last, c.length, false), c.values) << c.code << " " << c.last << " " << c.length;
    }
    // A run's entry takes the draw number and age of its last draw.
    auto s = f.Stat("GRPV");
    TStatDrawArray list;
    ComputeStatDistribution(*s, 5, 6, false, list);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0].DrawNo, 3);
    EXPECT_EQ(list[0].Age, 4);
    EXPECT_EQ(list[1].DrawNo, 6);
    EXPECT_EQ(list[1].Age, 1);
}

TEST(SeriesStats, ChannelsFollowTheChannelWidth) {
    struct Case {
        int width;
        const char* code;
        V values;
    } cases[] = {
        {5, "GRCV", {"02 x 1x1", "03 x 1x1", "04 x 1x1", "05 x 1x1", "10 x 2x1"}},
        {7, "GRCV", {"01 x 2x1", "02 x 1x1", "03 x 1x1", "08 x 2x1"}},
        {5, "GRCP", {"02 x 1x1", "03 x 1x1", "04 x 1x1", "05 x 1x1"}},
        {50, "GRCV", {"01 x 2x1"}},
        {0, "GRCV", {"01 x 2x1"}},  // a width below 1 counts as 1: every number its own channel
    };
    for (const auto& c : cases) {
        FamilyFixture f(ChannelDraws());
        f.list.Config.ChannelSize = c.width;
        auto s = f.Stat(c.code);
        auto values = WindowTexts(*s, 1, 2, false);
        if (c.width == 0) {
            EXPECT_EQ(values.back(), "50 x 2x1") << "width 0";
            EXPECT_EQ(values.size(), 5u);
        } else {
            EXPECT_EQ(values, c.values) << c.code << " width " << c.width;
        }
    }
}

TEST(SeriesStats, SegmentsFollowTheMapAndSkipIdsWithoutAState) {
    // Numbers 1..25 in segment 2, 26..50 in segment 0 (not a segment any run can track).
    FamilyFixture f(SevenDraws());
    for (int n = 1; n <= 50; ++n) f.list.Config.MatrixSegments[size_t(n - 1)] = uint8_t(n <= 25 ? 2 : 0);
    EXPECT_EQ(WindowTexts(*f.Stat("GRSV"), 5, 6, false), V({"2 x 6x1"}));
    EXPECT_EQ(WindowTexts(*f.Stat("GRSP"), 5, 6, false), V());
    // Segment ids 3 and 9 with the default draws: 7 is in segment 3 in every draw but the fourth.
    for (int n = 1; n <= 50; ++n) f.list.Config.MatrixSegments[size_t(n - 1)] = uint8_t(n == 7 ? 3 : 9);
    EXPECT_EQ(WindowTexts(*f.Stat("GRSV"), 5, 6, false), V({"3 x 3x1", "3 x 2x1", "9 x 6x1"}));
    EXPECT_EQ(WindowTexts(*f.Stat("GRSP"), 5, 6, false), V({"3 x 1x1"}));
}

TEST(SeriesStats, FilterLooksAtTheValueIdOnly) {
    FamilyFixture f(ChannelDraws());
    struct Case {
        const char* code;
        TStatValueRec selected;
        TCombination comb;
        bool kept;
    } cases[] = {
        {"GRPV", KeyRec(7, 3), {1, 7, 20, 30, 40}, true},
        {"GRPV", KeyRec(7, 9), {1, 7, 20, 30, 40}, true},  // the run length is not consulted
        {"GRPV", KeyRec(7, 3), {1, 8, 20, 30, 40}, false},
        {"GRCV", KeyRec(3, 5), {11, 20, 30, 40, 50}, true},
        {"GRCV", KeyRec(3, 5), {15, 20, 30, 40, 50}, true},
        {"GRCV", KeyRec(3, 5), {1, 2, 3, 4, 16}, false},
        {"GRSP", KeyRec(1, 2), {1, 2, 3, 4, 5}, true},  // every number is in segment 1
        {"GRSP", KeyRec(2, 2), {1, 2, 3, 4, 5}, false},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        EXPECT_EQ(Keeps(*s, c.comb, {c.selected}, 1), c.kept) << c.code << " " << CombToText(c.comb);
    }
}
