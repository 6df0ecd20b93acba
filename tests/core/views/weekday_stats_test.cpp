// The weekday statistics: counts by the ISO weekday of the draw dates, the cell texts, the shading
// of the grid and the filter by the selected columns.
#include "core/views/weekday_stats.h"

#include "core/combs/comb_set.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "../../test_draws.h"

#include <gtest/gtest.h>

#include <string>

using namespace velmora;
using namespace velmora::test;

namespace {

// 2021-03-01 is a Monday, 2021-03-07 a Sunday.
TDrawsArchive WeekArchive(int offset = 0) {
    TDrawsArchive a;
    a.Draws = {MakeDraw(1, {1, 2, 3, 4, 5}, 1, 2, "2021-03-01"),   MakeDraw(2, {1, 6, 7, 8, 9}, 1, 2, "2021-03-07"),
               MakeDraw(3, {1, 2, 3, 4, 5}, 1, 2, "2021-02-30"),   MakeDraw(4, {1, 2, 3, 4, 5}, 1, 2, ""),
               MakeDraw(5, {1, 2, 10, 11, 50}, 1, 2, "2021-03-08"), MakeDraw(6, {20, 21, 22, 23, 24}, 1, 2, "2021-03-03")};
    a.SetDrawsOffset(offset);
    return a;
}

} // namespace

TEST(WeekdayStats, IsoWeekdaysRunFromMondayToSunday) {
    struct Case {
        const char* Date;
        int Weekday;
    } cases[] = {{"2021-03-01", 1}, {"2021-03-03", 3}, {"2021-03-06", 6}, {"2021-03-07", 7}, {"2024-02-29", 4}, {"2000-01-01", 6}};
    for (const Case& c : cases) EXPECT_EQ(IsoWeekday(TextToDate(c.Date)), c.Weekday) << c.Date;
}

TEST(WeekdayStats, CountsByWeekdaySkippingUnreadableDates) {
    struct Case {
        int Offset, Length;
        int N, Weekday, Count;
        int32_t Max;
    } cases[] = {
        {0, 100, 1, 1, 2, 2},  // Mondays 1 and 5; draw 3 (no such date) and draw 4 (no date) are left out
        {0, 100, 1, 7, 1, 2},  // the Sunday of draw 2 is row 7
        {0, 100, 50, 1, 1, 2}, {0, 100, 22, 3, 1, 2}, {0, 100, 1, 6, 0, 2},
        {0, 2, 1, 1, 1, 1},    // the last two draws: 5 (Monday) and 6 (Wednesday)
        {1, 2, 1, 1, 1, 1},    // offset 1: draws 4 (no date) and 5
        {1, 2, 22, 3, 0, 1},
        {4, 100, 1, 1, 1, 1},  // offset 4: draws 1 and 2
        {4, 100, 1, 7, 1, 1},
    };
    for (const Case& c : cases) {
        const TWeekdayTable t = CountWeekdays(WeekArchive(c.Offset), c.Length);
        EXPECT_EQ(t.At(c.N, c.Weekday), c.Count) << c.Offset << " " << c.Length << " " << c.N << " " << c.Weekday;
        EXPECT_EQ(t.Max, c.Max) << c.Offset << " " << c.Length;
    }
    EXPECT_EQ(CountWeekdays(TDrawsArchive{}, 100).Max, 0);
}

TEST(WeekdayStats, CellTexts) {
    const TWeekdayTable t = CountWeekdays(WeekArchive(), 100);
    struct Case {
        int Row, Column;
        const char* Text;
    } cases[] = {{0, 1, "1"}, {0, 50, "50"}, {1, 1, "2"}, {7, 1, "1"}, {6, 1, ""}, {7, 6, "1"},
                 {1, 6, ""},  {0, 0, ""},    {3, 0, ""},  {3, 51, ""}};
    for (const Case& c : cases) EXPECT_EQ(t.CellText(c.Row, c.Column), c.Text) << c.Row << " " << c.Column;
}

TEST(WeekdayStats, CellShadingRunsFromWhiteToRedRoundingHalvesToEven) {
    struct Case {
        int32_t Count, Max;
        int64_t Colour;  // -1: the grid's own colour
    } cases[] = {
        {0, 5, -1},          {3, 0, -1},         {2, 2, 0x0000FF},   {7, 7, 0x0000FF},
        {1, 2, 0x8080FF},    // 127.5 goes to 128
        {3, 6, 0x8080FF},    {3, 10, 0xB2B2FF},  // 178.5 goes to 178
        {1, 10, 0xE6E6FF},   // 229.5 goes to 230
        {1, 4, 0xBFBFFF},    {3, 4, 0x4040FF},
    };
    for (const Case& c : cases) {
        const auto colour = WeekCellColour(c.Count, c.Max);
        EXPECT_EQ(colour ? int64_t(*colour) : -1, c.Colour) << c.Count << "/" << c.Max;
    }
}

TEST(WeekdayStats, SelectedColumnsGiveTheirNumbers) {
    struct Case {
        TGridRect Rect;
        const char* Text;
    } cases[] = {
        {{7, 2, 9, 5}, "7; 8; 9"}, {{7, 0, 9, 7}, "7; 8; 9"}, {{0, 1, 2, 1}, "1; 2"},
        {{49, 0, 55, 7}, "49; 50"}, {{0, 1, 0, 7}, ""},        {{5, 1, 4, 1}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WeekSelectedNumbers(c.Rect).Text, c.Text) << c.Rect.Left << ".." << c.Rect.Right;
}

TEST(WeekdayStats, FilterKeepsOrDeletesCombinationsWithTheSelectedNumbers) {
    const TDrawsArchive archive = WeekArchive();
    TStatList list;
    list.Bind(archive.Draws);
    list.Build();
    for (bool remove : {false, true}) {
        TCombSet set(100);
        set.Generate(false, {kGenerateOnlyMine, "1;2;3;4;5;6;7;8"});  // 56 combinations
        ASSERT_EQ(set.Count(), 56);
        set.SaveUndo(false);
        ApplyWeekdayFilter(set, list, {7, 3, 9, 5}, FilterActionOf(remove), archive);
        // 7 or 8: all but the C(6,5) = 6 combinations of 1..6.
        EXPECT_EQ(set.Count(), remove ? 6 : 50);
        for (int i = 0; i < set.Count(); ++i) {
            const TCombination& c = set.Data()[i];
            EXPECT_EQ(CombHasNumber(7, c) || CombHasNumber(8, c), !remove);
        }
        ASSERT_EQ(set.Log().size(), 1u);
        EXPECT_EQ(set.Log()[0].Caption, "Неделя");
        EXPECT_EQ(set.Log()[0].Values, "7; 8; 9");
    }
    TCombSet set(100);
    set.Generate(false, {kGenerateOnlyMine, "1;2;3;4;5;6;7;8"});
    set.SaveUndo(false);
    EXPECT_THROW(ApplyWeekdayFilter(set, list, {0, 1, 0, 7}, TFilterAction::Keep, archive), Error);
    EXPECT_EQ(set.Count(), 56);
    EXPECT_TRUE(set.Log().empty());
}
