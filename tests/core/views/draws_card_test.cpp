// The draws card: its rows and texts, the colour rule of its cells, and the numbers a selection
// gives its filter.
#include "core/views/draws_card.h"

#include "core/model/game.h"
#include "../../test_draws.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

// Oldest first: the card shows draw 3 in row 1, draw 2 in row 2, draw 1 in row 3.
//   draw 1: 5 17 30 44 1     draw 2: 5 17 18 33 50     draw 3: 9 24 25 40 49 (extras 7 and 10)
TDrawsArchive CardArchive() {
    TDrawsArchive a;
    a.Draws = {MakeDraw(1, {5, 17, 30, 44, 1}), MakeDraw(2, {5, 17, 18, 33, 50}), MakeDraw(3, {9, 24, 25, 40, 49}, 7, 10)};
    return a;
}

std::string RowText(const TDrawsCard& card, int row) {
    std::string s;
    for (int c = 0; c < kCardColumnCount; ++c) s += (c ? "|" : "") + card.CellText(row, c);
    return s;
}

} // namespace

TEST(DrawsCard, RowsShowTheNewestDrawFirstWithNumbersInTheirColumns) {
    TDrawsArchive a = CardArchive();
    a.SetDrawsOffset(2);  // the card always shows the whole archive
    const TDrawsCard card = BuildDrawsCard(a);
    ASSERT_EQ(card.RowCount(), 4);
    EXPECT_EQ(card.CellText(0, 0), "");
    EXPECT_EQ(card.CellText(0, 1), "1");
    EXPECT_EQ(card.CellText(0, 50), "50");
    EXPECT_EQ(card.CellText(0, 51), "E1");
    EXPECT_EQ(card.CellText(0, 52), "E2");
    std::vector<std::string> expected(kCardColumnCount);
    expected[0] = "3";
    for (int n : {9, 24, 25, 40, 49}) expected[size_t(n)] = std::to_string(n);
    expected[51] = "7";
    expected[52] = "10";
    std::string joined;
    for (int c = 0; c < kCardColumnCount; ++c) joined += (c ? "|" : "") + expected[size_t(c)];
    EXPECT_EQ(RowText(card, 1), joined);
    EXPECT_EQ(card.CellText(3, 0), "1");
    EXPECT_TRUE(card.Filled(3, 1));
    EXPECT_FALSE(card.Filled(3, 2));
}

TEST(DrawsCard, EmptyArchiveHasOneEmptyRowAndBadNumbersAreLeftOut) {
    const TDrawsCard empty = BuildDrawsCard(TDrawsArchive{});
    EXPECT_EQ(empty.RowCount(), 2);
    EXPECT_EQ(RowText(empty, 1), std::string(kCardColumnCount - 1, '|'));

    TDrawsArchive a;
    a.Draws = {MakeDraw(7, {0, 51, 3, 4, 5})};
    const TDrawsCard card = BuildDrawsCard(a);
    int filled = 0;
    for (int c = 1; c <= 50; ++c) filled += card.Filled(1, c);
    EXPECT_EQ(filled, 3);
}

TEST(DrawsCard, CellColourRules) {
    const TDrawsCard card = BuildDrawsCard(CardArchive());
    constexpr int ch = 5;
    struct Case {
        const char* what;
        int row, column;
        bool colorCard, sequences;
        TCardColourRule rule;
        uint32_t color;
    } cases[] = {
        // 5 in draws 1 and 2 (rows 3 and 2): a repeat in both rows, no neighbour 4 or 6.
        {"repeat, lower row", 3, 5, true, true, TCardColourRule::Repeat, 0x00FF00},
        {"repeat, upper row", 2, 5, true, true, TCardColourRule::Repeat, 0x00FF00},
        // 17 repeats and draw 2 also holds 18.
        {"repeat with a neighbour", 2, 17, true, true, TCardColourRule::RepeatSequence, 0x00FFFF},
        // 17 of draw 1 repeats only (draw 1 has neither 16 nor 18).
        {"repeat without a neighbour", 3, 17, true, true, TCardColourRule::Repeat, 0x00FF00},
        // 24 and 25 of draw 3: neighbours, no repeat; 18 of draw 2 the same.
        {"sequence", 1, 24, true, true, TCardColourRule::Sequence, 0xFFFF00},
        {"sequence, right one", 1, 25, false, true, TCardColourRule::Sequence, 0xFFFF00},
        {"sequence beside a repeat", 2, 18, true, true, TCardColourRule::Sequence, 0xFFFF00},
        // 50 and 1 of a draw are no neighbours: draw 2 has 50, draw 1 has 1 and 50 is not in it.
        {"50 is no neighbour of 1", 2, 50, true, true, TCardColourRule::Channel, NumberColor(50, ch)},
        {"1 is no neighbour of 50", 3, 1, true, true, TCardColourRule::Channel, NumberColor(1, ch)},
        {"neither, channel off", 2, 50, false, true, TCardColourRule::Grid, 0},
        // With the marking off the channel colour rules, also for a repeat.
        {"marking off", 2, 5, true, false, TCardColourRule::Channel, NumberColor(5, ch)},
        {"both off", 2, 17, false, false, TCardColourRule::Grid, 0},
        // Empty cells are tinted by the channel of their column.
        {"empty cell tinted", 1, 2, true, true, TCardColourRule::Channel, NumberColor(2, ch)},
        {"empty cell, channel off", 1, 2, false, true, TCardColourRule::Grid, 0},
        // Column 0, the extras and the caption row keep the grid's colour.
        {"draw number", 1, 0, true, true, TCardColourRule::Grid, 0},
        {"extra", 1, 51, true, true, TCardColourRule::Grid, 0},
        {"caption", 0, 5, true, true, TCardColourRule::Grid, 0},
    };
    for (const auto& c : cases) {
        const TCardColour got = CardCellColour(card, c.row, c.column, c.colorCard, c.sequences, ch);
        EXPECT_EQ(got.Rule, c.rule) << c.what;
        if (c.rule != TCardColourRule::Grid) EXPECT_EQ(got.Color, c.color) << c.what;
    }
    // The channel colour follows the channel size.
    EXPECT_EQ(CardCellColour(card, 1, 2, true, true, 10).Color, NumberColor(2, 10));
    EXPECT_NE(NumberColor(9, 5), NumberColor(9, 10));
    EXPECT_EQ(CardCellColour(card, 1, 9, true, true, 10).Color, NumberColor(9, 10));
}

TEST(DrawsCard, ColourLettersOfTheCommandLine) {
    EXPECT_EQ(CardColourLetter(TCardColourRule::RepeatSequence), 'Y');
    EXPECT_EQ(CardColourLetter(TCardColourRule::Repeat), 'G');
    EXPECT_EQ(CardColourLetter(TCardColourRule::Sequence), 'C');
    EXPECT_EQ(CardColourLetter(TCardColourRule::Channel), 'K');
    EXPECT_EQ(CardColourLetter(TCardColourRule::Grid), '-');
}

TEST(DrawsCard, SelectionGivesEachNumberOnceColumnByColumn) {
    const TDrawsCard card = BuildDrawsCard(CardArchive());
    const struct {
        const char* what;
        TGridRect rect;  // left, top, right, bottom
        std::vector<int> numbers;
        std::string text;
    } cases[] = {
        {"the same number in two rows", {5, 2, 5, 3}, {5}, "5"},
        {"columns from the left, each top down", {17, 1, 18, 3}, {17, 18}, "17; 18"},
        {"a block", {17, 1, 25, 3}, {17, 18, 24, 25}, "17; 18; 24; 25"},
        {"the whole card", {1, 1, 50, 3}, {1, 5, 9, 17, 18, 24, 25, 30, 33, 40, 44, 49, 50},
         "1; 5; 9; 17; 18; 24; 25; 30; 33; 40; 44; 49; 50"},
        {"empty cells only", {2, 1, 4, 3}, {}, ""},
        {"the draw number and the extras give nothing", {51, 1, 52, 3}, {}, ""},
        {"nothing selected", {}, {}, ""},
    };
    for (const auto& c : cases) {
        const TSelectedNumbers got = CardSelectedNumbers(card, c.rect);
        EXPECT_EQ(got.Numbers, c.numbers) << c.what;
        EXPECT_EQ(got.Text, c.text) << c.what;
    }
}

TEST(DrawsCard, FilterTakesOnlySelectionsWithinTheNumberColumns) {
    const struct {
        TGridRect rect;
        bool ok;
    } cases[] = {
        {{1, 1, 50, 4}, true},
        {{3, 2, 3, 2}, true},
        {{0, 1, 1, 1}, false},
        {{50, 1, 51, 1}, false},
        {{52, 2, 52, 2}, false},
        {{}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(SelectionWithinNumberColumns(c.rect), c.ok);
}

TEST(DrawsCard, SpreadsheetTableHoldsTheGrid) {
    const TDrawsCard card = BuildDrawsCard(CardArchive());
    const TXlsTable t = CardXlsTable(card, "Карта");
    EXPECT_EQ(t.Title, "Карта");
    ASSERT_EQ(t.Columns.size(), size_t(kCardColumnCount));
    EXPECT_EQ(t.Columns[1].Caption, "1");
    EXPECT_EQ(t.Columns[50].Caption, "50");
    EXPECT_EQ(t.Columns[52].Caption, "E2");
    ASSERT_EQ(t.RowCount, 3);
    std::vector<TXlsCell> cells(t.Columns.size());
    t.Row(0, cells);  // draw 3: 9 24 25 40 49, extras 7 and 10
    EXPECT_EQ(cells[0].Number, 3);
    EXPECT_EQ(cells[9].Type, TXlsCell::TType::Number);
    EXPECT_EQ(cells[9].Number, 9);
    EXPECT_EQ(cells[10].Type, TXlsCell::TType::Empty);
    EXPECT_EQ(cells[51].Number, 7);
    EXPECT_EQ(cells[52].Number, 10);
    // A reused row is set whole: draw 1 has no 9.
    t.Row(2, cells);
    EXPECT_EQ(cells[9].Type, TXlsCell::TType::Empty);
    EXPECT_EQ(cells[1].Number, 1);
}
