// The layout scheme: the sample count, the grid of counts by last draw with the numbers of the
// following draw in brackets, the comparison lists, the colour rule of the cells, the numbers a
// selection gives the filter and the filter step of the card and the scheme.
#include "core/views/layout_scheme.h"

#include "core/combs/comb_set.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/views/draws_card.h"
#include "../../test_draws.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

// Ten draws 101..110, oldest first. 7 comes out in 104..110 (7 times, last in the latest draw),
// 16 in 104..107, 17 in 103, 109 and 110, 12 in 103 and 109; 1..4 in 101 and 102.
TDrawsArchive SchemeArchive(int offset = 0) {
    TDrawsArchive a;
    a.Draws = {MakeDraw(101, {1, 2, 3, 4, 5}),     MakeDraw(102, {1, 2, 3, 4, 6}),    MakeDraw(103, {11, 12, 13, 14, 17}),
               MakeDraw(104, {7, 21, 31, 41, 16}), MakeDraw(105, {7, 22, 32, 42, 16}), MakeDraw(106, {7, 23, 33, 43, 16}),
               MakeDraw(107, {7, 24, 34, 44, 16}), MakeDraw(108, {7, 25, 35, 45, 19}), MakeDraw(109, {7, 26, 36, 12, 17}),
               MakeDraw(110, {7, 27, 37, 17, 18})};
    a.SetDrawsOffset(offset);
    return a;
}

// The scheme as lines: the captions row, then one line per count, cells joined by "|".
std::vector<std::string> Lines(const TLayoutScheme& s) {
    std::vector<std::string> out;
    for (int r = 0; r < s.RowCount(); ++r) {
        std::string line;
        for (int c = 0; c < s.ColumnCount(); ++c) line += (c ? "|" : "") + s.CellText(r, c);
        out.push_back(line);
    }
    return out;
}

std::string Text(const TShemaArray& a) {
    std::string s;
    for (const auto& r : a)
        s += (s.empty() ? "" : " ") + std::to_string(r.Number) + ":" + std::to_string(r.Count) + "@" +
             std::to_string(r.LastDraw);
    return s;
}

} // namespace

TEST(LayoutScheme, SampleCountListsNumbersByTheirLatestOccurrence) {
    EXPECT_EQ(Text(CountLayoutSample(SchemeArchive(), 2)), "7:2@110 27:1@110 37:1@110 17:2@110 18:1@110 26:1@109 "
                                                           "36:1@109 12:1@109");
    // The window ends at the offset; a length beyond it counts every draw of the window.
    EXPECT_EQ(Text(CountLayoutSample(SchemeArchive(8), 50)), "1:2@102 2:2@102 3:2@102 4:2@102 6:1@102 5:1@101");
    EXPECT_EQ(Text(CountLayoutSample(TDrawsArchive{}, 10)), "");
    // A stored number outside 1..50 is no number of the scheme.
    TDrawsArchive bad;
    bad.Draws = {MakeDraw(1, {0, 3, 60, 4, 5})};
    EXPECT_EQ(Text(CountLayoutSample(bad, 1)), "3:1@1 4:1@1 5:1@1");
}

TEST(LayoutScheme, GridOfCountsByLastDraw) {
    const struct {
        const char* what;
        int offset, length;
        std::vector<std::string> lines;
    } cases[] = {
        {"one draw: one row, one column, the numbers in stored order", 0, 1, {"|110", "1|7, 27, 37, 17, 18"}},
        // 7 of the latest draw came out 7 times: first column, row "7". Numbers that did not come
        // out (8, 50 ...) are nowhere.
        {"whole archive",
         0,
         10,
         {"|110|109|108|107|106|105|104|103|102|101", "7|7|||||||||", "4||||16||||||", "3|17|||||||||",
          "2||12|||||||1, 2, 3, 4|", "1|27, 37, 18|26, 36|25, 35, 45, 19|24, 34, 44|23, 33, 43|22, 32, 42|21, 31, 41|"
                                     "11, 13, 14|6|5"}},
        // Offset 1: the draw after the window (110: 7 27 37 17 18) is bracketed where it occurs.
        {"offset brackets the following draw",
         1,
         3,
         {"|109|108|107", "3|[7]||", "1|26, 36, 12, [17]|25, 35, 45, 19|24, 34, 44, 16"}},
        {"empty archive", 0, 0, {"|", "|"}},
    };
    for (const auto& c : cases) {
        const TDrawsArchive a = c.length ? SchemeArchive(c.offset) : TDrawsArchive{};
        EXPECT_EQ(Lines(BuildLayoutScheme(a, c.length ? c.length : 10)), c.lines) << c.what;
    }
}

TEST(LayoutScheme, CellColourRules) {
    const struct {
        const char* what;
        std::string text;
        int row, column, rows, columns;
        bool gradient;
        uint32_t color;
    } cases[] = {
        {"checker (3, 4)", "5", 4, 3, 20, 20, false, 0xEAFFEA},
        {"checker (3, 12)", "", 12, 3, 20, 20, false, 0xEAFFEA},
        {"checker (3, 7)", "5", 7, 3, 20, 20, false, 0xEAEAFF},
        {"checker (7, 3)", "5", 3, 7, 20, 20, false, 0xEAEAFF},
        {"checker (7, 8)", "5", 8, 7, 20, 20, false, 0xEAFFEA},
        {"checker beyond 95", "5", 100, 96, 120, 120, false, 0xEAFFEA},
        {"checker 96 against 3", "5", 3, 96, 120, 120, false, 0xEAEAFF},
        {"following draw", "12, [17]", 4, 3, 20, 20, false, 0x00FF00},
        {"following draw, gradient", "[17]", 4, 3, 20, 20, true, 0x00FF00},
        // 255 - 155*3/10 = 208.5 and 100 + 46.5 = 146.5 go down to the even 208 and 146.
        {"gradient, halves to even down", "", 3, 3, 10, 10, true, 0x92D0D0},
        // 255 - 155/2 = 177.5 and 100 + 77.5 go up to 178; 255 - 155/10 = 239.5 to 240.
        {"gradient, halves to even up", "", 2, 1, 4, 10, true, 0xB2F0B2},
        {"gradient, whole grid corner", "", 1, 1, 2, 2, true, 0xB2B2B2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayoutCellColour(c.text, c.row, c.column, c.rows, c.columns, c.gradient), c.color) << c.what;
}

TEST(LayoutScheme, SelectionReadsNumbersWithoutBrackets) {
    const TLayoutScheme s = BuildLayoutScheme(SchemeArchive(1), 10);
    // Offset 1, whole window: row "2" is 12 and 17 in column 109, 1..4 in column 102.
    ASSERT_EQ(s.CellText(0, 1), "109");
    ASSERT_EQ(s.CellText(3, 0), "2");
    ASSERT_EQ(s.CellText(3, 1), "12, [17]");
    const struct {
        const char* what;
        TGridRect rect;  // left, top, right, bottom
        std::vector<int> numbers;
        std::string text;
    } cases[] = {
        {"12 and [17]", {1, 3, 1, 3}, {12, 17}, "12; 17"},
        {"one column top down", {1, 1, 1, 3}, {7, 12, 17}, "7; 12; 17"},
        {"column by column", {1, 3, 2, 4}, {12, 17, 26, 36, 25, 35, 45, 19}, "12; 17; 26; 36; 25; 35; 45; 19"},
        {"empty cells", {1, 2, 2, 2}, {}, ""},
        {"captions give nothing", {0, 0, 0, 3}, {}, ""},
    };
    for (const auto& c : cases) {
        const TSelectedNumbers got = LayoutSelectedNumbers(s, c.rect);
        EXPECT_EQ(got.Numbers, c.numbers) << c.what;
        EXPECT_EQ(got.Text, c.text) << c.what;
    }
}

TEST(LayoutScheme, ComparisonListsTitleTheirRangeAndGroupByCount) {
    const struct {
        int offset, length;
        std::string title;
        std::vector<std::string> rows;
    } cases[] = {
        {0, 3, "108 - 110", {"3: 7", "1: 27, 37, 18, 26, 36, 12, 25, 35, 45, 19", "2: 17"}},
        {0, 5, "106 - 110", {}},
        {0, 50, "101 - 110", {}},
        {1, 3, "107 - 109", {}},
        {8, 400, "101 - 102", {"2: 1, 2, 3, 4", "1: 6, 5"}},
    };
    for (const auto& c : cases) {
        const TLayoutCompareList list = BuildLayoutCompareList(SchemeArchive(c.offset), c.length);
        EXPECT_EQ(list.Title, c.title);
        if (c.rows.empty()) continue;
        std::vector<std::string> rows;
        for (const auto& r : list.Rows) rows.push_back(std::to_string(r.Count) + ": " + r.Numbers);
        EXPECT_EQ(rows, c.rows) << c.title;
    }
    const TLayoutCompareList empty = BuildLayoutCompareList(TDrawsArchive{}, 50);
    EXPECT_EQ(empty.Title, "");
    EXPECT_TRUE(empty.Rows.empty());
}

// The filter step of a page: the combinations holding a selected number are kept or deleted, the
// log line carries the page caption and the values text; nothing selected fails before the set
// is touched.
TEST(LayoutScheme, SelectedNumbersFilterTheSet) {
    TDrawsArchive archive = SchemeArchive(1);
    TStatList list;
    list.Bind(archive.Draws);
    list.Build();
    const TLayoutScheme scheme = BuildLayoutScheme(archive, 10);
    const TSelectedNumbers selected = LayoutSelectedNumbers(scheme, {1, 3, 1, 3});
    for (bool remove : {false, true}) {
        TCombSet set(100);
        set.Generate(false, {kGenerateOnlyMine, "10;11;12;13;14;15;16;17"});  // 56 combinations
        set.SaveUndo(false);
        ApplySelectedNumbers(set, list, selected, FilterActionOf(remove), archive, kLayoutCaption);
        // 12 or 17: all but the C(6,5) = 6 combinations without both.
        EXPECT_EQ(set.Count(), remove ? 6 : 50);
        for (int i = 0; i < set.Count(); ++i) {
            const TCombination& c = set.Data()[i];
            const bool has = CombHasNumber(12, c) || CombHasNumber(17, c);
            EXPECT_EQ(has, !remove);
        }
        ASSERT_EQ(set.Log().size(), 1u);
        EXPECT_EQ(set.Log()[0].Caption, "Схема");
        EXPECT_EQ(set.Log()[0].Values, "12; 17");
        set.RestoreUndo(false);
        EXPECT_EQ(set.Count(), 56);
    }
    TCombSet set(100);
    set.Generate(false, {kGenerateOnlyMine, "10;11;12;13;14;15;16;17"});
    set.SaveUndo(false);
    const TDrawsCard card = BuildDrawsCard(archive);
    EXPECT_THROW(ApplySelectedNumbers(set, list, CardSelectedNumbers(card, {1, 1, 1, 1}), TFilterAction::Keep, archive,
                                      kCardCaption),
                 Error);
    EXPECT_EQ(set.Count(), 56);
    EXPECT_TRUE(set.Log().empty());
}

TEST(LayoutScheme, SpreadsheetTableHoldsTheGrid) {
    const TLayoutScheme s = BuildLayoutScheme(SchemeArchive(1), 3);
    const TXlsTable t = LayoutXlsTable(s, "Схема");
    ASSERT_EQ(t.Columns.size(), size_t(4));
    EXPECT_EQ(t.Columns[0].Caption, "Кол-во");
    EXPECT_EQ(t.Columns[1].Caption, "109");
    EXPECT_EQ(t.Columns[3].Caption, "107");
    ASSERT_EQ(t.RowCount, 2);
    std::vector<TXlsCell> cells(t.Columns.size());
    t.Row(0, cells);
    EXPECT_EQ(cells[0].Number, 3);
    EXPECT_EQ(cells[1].Text, "[7]");
    EXPECT_EQ(cells[2].Type, TXlsCell::TType::Empty);
    t.Row(1, cells);
    EXPECT_EQ(cells[1].Text, "26, 36, 12, [17]");
}
