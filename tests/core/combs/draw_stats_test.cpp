#include "core/combs/draw_stats.h"

#include "table_fixture.h"
#include "core/stats/stat_list.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/text.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace velmora;
using namespace velmora::test;

namespace {

std::vector<std::string> Lines(const TDrawStatsTable& t) {
    std::vector<std::string> v;
    for (const auto& r : t.Rows) v.push_back(Join(std::vector<std::string>(r.Cells.begin(), r.Cells.end()), ";"));
    return v;
}

// A distribution file for EVEN with the keys 1..4 and the counts 10, 40, 40, 40.
std::string CraftedEvenFile() {
    TStatDrawArray v(4);
    const int32_t counts[4] = {10, 40, 40, 40};
    for (int k = 0; k < 4; ++k) {
        v[size_t(k)].Key.K[0] = uint16_t(k + 1);
        v[size_t(k)].Count = counts[k];
    }
    return EncodePrefetch(v);
}

using V = std::vector<std::string>;

} // namespace

struct WindowCase {
    const char* name;
    int offset;
    int length;
    int first, last, count;
    V rows;
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

class DrawStatsWindow : public TableTest, public ::testing::WithParamInterface<WindowCase> {};

// Every cell of EVEN over three windows of the fixture archive (even counts of the draws 11..20:
// 0 1 2 1 3 2 1 4 2 1). Values seen once fill the forecasts by count but not the period columns;
// values never seen show "-" from the depth on; halves round to even (22,5 -> 22, 28,5 -> 28,
// 25,5 -> 26); the fact and the deltas exist only with an offset.
TEST_P(DrawStatsWindow, EvenCells) {
    const auto& c = GetParam();
    archive.SetDrawsOffset(c.offset);
    TDrawStatsOptions o;
    o.Length = c.length;
    TDrawStatsTable t = ComputeDrawStats(list, Method("EVEN"), archive, o, NullProgress());
    EXPECT_EQ(t.First, c.first);
    EXPECT_EQ(t.Last, c.last);
    EXPECT_EQ(t.Length, c.count);
    EXPECT_FALSE(t.Compared);
    EXPECT_TRUE(t.Messages.empty());
    EXPECT_EQ(Lines(t), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, DrawStatsWindow,
    ::testing::Values(
        WindowCase{"LatestFiveDraws", 0, 5, 5, 9, 5,
                   {"1:4;2;40,00000;-;-;-;1;33,33;1,00;20;3;2,5000;3;22;30;28;-;-;-;-",
                    "2:3;2;40,00000;-;-;-;2;66,67;2,00;19;3;2,5000;3;22;28;27;-;-;-;-",
                    "3:2;0;0,00000;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-",
                    "4:1;1;20,00000;-;-;-;3;100,00;3,00;18;-;-;-;-;36;28;-;-;-;-",
                    "5:0;0;0,00000;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-"}},
        WindowCase{"OffsetThreeWithFacts", 3, 4, 3, 6, 4,
                   {"1:4;2;50,00000;-;-;-;1;33,33;1,00;17;3;2,0000;3;19;26;24;20;-1;+6;+4",
                    "2:3;1;25,00000;-;-;-;2;66,67;2,00;16;-;-;-;-;32;26;19;-;+13;+7",
                    "3:2;1;25,00000;-;-;-;3;100,00;3,00;15;-;-;-;-;30;24;-;-;-;-",
                    "4:1;0;0,00000;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-",
                    "5:0;0;0,00000;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-"}},
        // The sample is longer than the archive: the window starts at the first draw. The value
        // 0 is not in the domain list and comes last.
        WindowCase{"SampleBeyondTheArchive", 3, 100, 0, 6, 7,
                   {"1:4;3;42,85714;-;-;-;1;14,29;1,00;17;2;2,3333;3;19;23;22;20;-1;+3;+2",
                    "2:3;2;28,57143;-;-;-;2;28,57;2,00;16;3;3,5000;3;20;24;23;19;+1;+5;+4",
                    "3:2;1;14,28571;-;-;-;3;42,86;3,00;15;-;-;-;-;30;24;-;-;-;-",
                    "4:1;0;0,00000;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-",
                    "5:0;0;0,00000;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-;-",
                    "0:5;1;14,28571;-;-;-;7;100,00;7,00;11;-;-;-;-;22;18;-;-;-;-"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableTest, EmptyArchiveOrNoMethodGivesAnEmptyTable) {
    TDrawStatsOptions o;
    EXPECT_TRUE(ComputeDrawStats(list, -1, archive, o, NullProgress()).Rows.empty());
    TDrawsArchive empty;
    TStatList emptyList;
    emptyList.Bind(empty.Draws);
    emptyList.Build();
    TDrawStatsTable t = ComputeDrawStats(emptyList, emptyList.IndexOfCode("EVEN"), empty, o, NullProgress());
    EXPECT_TRUE(t.Rows.empty());
    EXPECT_TRUE(t.Actual.empty());
}

TEST_F(TableTest, SortedSwitchReachesTheStatistic) {
    // Draw 20 is stored as 9 3 5 7 2: its first number is 9, or 2 when sorted.
    TDrawStatsOptions o;
    o.Length = 5;
    auto countOf2 = [&] {
        for (const auto& r : ComputeDrawStats(list, Method("POS1"), archive, o, NullProgress()).Rows)
            if (r.Cells[kColValue] == "2") return r.Cells[kColCount];
        return std::string("absent");
    };
    EXPECT_EQ(countOf2(), "4");
    archive.Sorted = true;
    EXPECT_EQ(countOf2(), "5");
}

TEST_F(TableTest, ChartWithoutComparisonFollowsTheKeys) {
    archive.SetDrawsOffset(3);
    TDrawStatsOptions o;
    o.Length = 100;
    TDrawStatsTable t = ComputeDrawStats(list, Method("EVEN"), archive, o, NullProgress());
    V labels;
    std::vector<double> xs, ys;
    for (const auto& p : t.Actual) {
        labels.push_back(p.Label);
        xs.push_back(p.X);
        ys.push_back(p.Y);
    }
    EXPECT_EQ(labels, (V{"0:5", "1:4", "2:3", "3:2", "4:1", "5:0"}));
    EXPECT_EQ(xs, (std::vector<double>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(ys, (std::vector<double>{1, 3, 2, 1, 0, 0}));
    EXPECT_TRUE(t.FullSet.empty());
}

// A valid file is used as it is: factor = window max / file max = 2 / 40, so the norms are
// Round(0,5) = 0, 2, 2, 2; value 5 is not in the file (norm 0). A norm of 0 gives 100 % for a
// count above 0 and 0 % for a count of 0.
TEST_F(TableTest, ComparisonWithAFileOfTheFullSet) {
    std::filesystem::create_directories(PrefetchDir());
    const std::string file = PrefetchFileName(list.Items(Method("EVEN")));
    WritePrefetchFile(file, CraftedEvenFile());  // with its checksum on record
    TDrawStatsOptions o;
    o.Length = 5;
    o.Compare = true;
    TDrawStatsTable t = ComputeDrawStats(list, Method("EVEN"), archive, o, NullProgress());
    EXPECT_TRUE(t.Compared);
    EXPECT_EQ(Lines(t), (V{"1:4;2;40,00000;0;2;100,00000;1;33,33;-1,00;20;3;2,5000;3;22;30;28;-;-;-;-",
                           "2:3;2;40,00000;2;0;0,00000;2;66,67;2,00;19;3;2,5000;3;22;28;27;-;-;-;-",
                           "3:2;0;0,00000;2;-2;-100,00000;-;-;-;-;-;-;-;-;-;-;-;-;-;-",
                           "4:1;1;20,00000;2;-1;-50,00000;3;100,00;4,00;18;-;-;-;-;36;28;-;-;-;-",
                           "5:0;0;0,00000;0;0;0,00000;-;-;-;-;-;-;-;-;-;-;-;-;-;-"}));
    EXPECT_EQ(ReadFileBytes(file), CraftedEvenFile());
    EXPECT_EQ(t.Rows[3].Value.Expected, 2);

    // The chart runs over the file's records: the full-set series scaled by the factor, the
    // actual counts at the same places.
    ASSERT_EQ(t.FullSet.size(), 4u);
    ASSERT_EQ(t.Actual.size(), 4u);
    const double full[4] = {0.5, 2, 2, 2}, actual[4] = {2, 2, 0, 1};
    const char* labels[4] = {"1:4", "2:3", "3:2", "4:1"};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(t.FullSet[k].X, double(k + 1));
        EXPECT_DOUBLE_EQ(t.FullSet[k].Y, full[k]);
        EXPECT_EQ(t.FullSet[k].Label, labels[k]);
        EXPECT_EQ(t.Actual[k].X, double(k + 1));
        EXPECT_EQ(t.Actual[k].Y, actual[k]);
    }
    o.ShowTotalLine = false;
    t = ComputeDrawStats(list, Method("EVEN"), archive, o, NullProgress());
    EXPECT_TRUE(t.FullSet.empty());
    EXPECT_EQ(t.Actual.size(), 4u);

    // With the comparison off the file is not read and columns 3 to 5 stay empty.
    o.Compare = false;
    t = ComputeDrawStats(list, Method("EVEN"), archive, o, NullProgress());
    EXPECT_FALSE(t.Compared);
    EXPECT_EQ(t.Rows[0].Cells[kColNorm], "-");
}

struct WeightCase {
    long double count, deviation, level;
    bool percents, abs;
    const char* weight;
};

// The "Вес" of the row 4:1 of the comparison above: count 1, depth 3, norm 2 (deviation -1),
// total 5, largest depth 3.
TEST_F(TableTest, WeightedScore) {
    std::filesystem::create_directories(PrefetchDir());
    WritePrefetchFile(PrefetchFileName(list.Items(Method("EVEN"))), CraftedEvenFile());
    const WeightCase cases[] = {
        {0, -1, 1, false, false, "4,00"},    // depth minus deviation
        {1, 1, 0, false, false, "0,00"},     // 1 + (-1)
        {1, 1, 0, false, true, "2,00"},      // 1 + |-1|
        {1, 1, 1, true, false, "70,00"},     // 20 % - 50 % + 100 %
        {1, 1, 1, true, true, "170,00"},     // 20 % + 50 % + 100 %
        {0.5, 0, 0, false, false, "0,50"},
    };
    TDrawStatsOptions o;
    o.Length = 5;
    o.Compare = true;
    for (const auto& c : cases) {
        list.RatingWeights() = TRatingWeights{c.count, c.deviation, c.level, c.percents, c.abs};
        TDrawStatsTable t = ComputeDrawStats(list, Method("EVEN"), archive, o, NullProgress());
        EXPECT_EQ(t.Rows[3].Cells[kColWeight], c.weight) << c.weight;
    }
    // Without the comparison the deviation counts as 0, also in percents.
    list.RatingWeights() = TRatingWeights{0, 1, 1, true, false};
    o.Compare = false;
    EXPECT_EQ(ComputeDrawStats(list, Method("EVEN"), archive, o, NullProgress()).Rows[3].Cells[kColWeight], "100,00");
}

// Every number lies in the same number of combinations (211 876), so the norm of every value is
// Round(FullCount * (window min + window max) / 2 / FullMax) = Round((0 + 5) / 2) = 2.
TEST_F(TableTest, UniformDistributionTakesTheMiddleOfTheWindow) {
    TDrawStatsOptions o;
    o.Length = 5;
    o.Compare = true;
    RecordingProgress progress;
    TDrawStatsTable t = ComputeDrawStats(list, Method("NUMS"), archive, o, progress);
    ASSERT_TRUE(t.Compared);
    ASSERT_EQ(t.Rows.size(), 50u);
    for (const auto& r : t.Rows) EXPECT_EQ(r.Cells[kColNorm], "2") << r.Cells[kColValue];
    EXPECT_EQ(Join(V(t.Rows[5].Cells.begin(), t.Rows[5].Cells.begin() + 6), ";"), "6;1;4,00000;2;-1;-50,00000");
    EXPECT_EQ(Join(V(t.Rows[1].Cells.begin(), t.Rows[1].Cells.begin() + 6), ";"), "2;5;20,00000;2;3;150,00000");
    // The missing file was built on the way, and the status said so.
    EXPECT_TRUE(FileExists(PrefetchFileName(list.Items(Method("NUMS")))));
    EXPECT_NE(std::find(progress.texts.begin(), progress.texts.end(), "Анализ тиражей и расчет статистики..."),
              progress.texts.end());
    EXPECT_EQ(progress.texts.back(), "");
}

// A folder that cannot be made: the creation message, and the table without comparison.
TEST_F(TableTest, UncreatableFileGivesTheMessageAndNoComparison) {
    WriteFileAtomic(PrefetchDir(), "not a folder");
    TDrawStatsOptions o;
    o.Length = 5;
    o.Compare = true;
    TDrawStatsTable t = ComputeDrawStats(list, Method("EVEN"), archive, o, NullProgress());
    EXPECT_FALSE(t.Compared);
    ASSERT_EQ(t.Messages.size(), 1u);
    const std::string head = "Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: " +
                             PrefetchFileName(list.Items(Method("EVEN"))) + "\r\r";
    EXPECT_EQ(t.Messages[0].substr(0, head.size()), head);
    EXPECT_GT(t.Messages[0].size(), head.size());
    EXPECT_EQ(Lines(t)[0], "1:4;2;40,00000;-;-;-;1;33,33;1,00;20;3;2,5000;3;22;30;28;-;-;-;-");
}

struct CellCase {
    const char* a;
    const char* b;
    int sign;
};

TEST(DrawStatsSort, CellOrder) {
    const CellCase cases[] = {
        {"9,50000", "10,25000", -1},  // numbers, not texts
        {"10", "9", 1},
        {"9.5", "9,5", 0},
        {"-2", "+1", -1},
        {"0,00000", "-0,5", 1},
        {" 7", "7", 0},
        {"-", "5", -1},        // not a number: case-insensitive text
        {"1:4", "0:5", 1},
        {"abc", "ABD", -1},
        {"Чн", "чН", 0},
        {"1e3", "999", 1},
        {"inf", "5", 1},       // text: 'i' after '5'
        {"", "0", -1},
    };
    for (const auto& c : cases) {
        const int r = CompareDrawStatsCells(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
        const int back = CompareDrawStatsCells(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

TEST(DrawStatsSort, RowsByColumnThenByValue) {
    auto row = [](const char* value, const char* pct) {
        TDrawStatsRow r;
        r.Cells.fill("-");
        r.Cells[kColValue] = value;
        r.Cells[kColCountPct] = pct;
        return r;
    };
    std::vector<TDrawStatsRow> rows = {row("12", "10,25000"), row("3", "9,50000"), row("7", "10,25000"),
                                       row("20", "-")};
    auto values = [&] {
        V v;
        for (const auto& r : rows) v.push_back(r.Cells[kColValue]);
        return v;
    };
    SortDrawStatsRows(rows, kColCountPct, false);
    EXPECT_EQ(values(), (V{"20", "3", "7", "12"}));
    SortDrawStatsRows(rows, kColCountPct, true);
    EXPECT_EQ(values(), (V{"12", "7", "3", "20"}));
    SortDrawStatsRows(rows, kColValue, false);
    EXPECT_EQ(values(), (V{"3", "7", "12", "20"}));
    SortDrawStatsRows(rows, kDrawStatsColumnCount, true);  // no such column: unchanged
    EXPECT_EQ(values(), (V{"3", "7", "12", "20"}));
}

TEST(DrawStatsRow, StatValuesTakeTheirColumns) {
    TDrawStatsRow r;
    for (int c = 0; c < kDrawStatsColumnCount; ++c) r.Cells[size_t(c)] = "c" + std::to_string(c);
    TStatValues v = RowToStatValues(&r);
    EXPECT_EQ((V{v.Value, v.Count, v.CountPct, v.Deviation, v.DeviationPct, v.Depth, v.DepthPct, v.Weight,
                 v.PeriodMin, v.Period, v.PeriodMax}),
              (V{"c0", "c1", "c2", "c4", "c5", "c6", "c7", "c8", "c10", "c11", "c12"}));
    EXPECT_EQ(v.ValueKey, 0);
    EXPECT_EQ(RowToStatValues(nullptr), TStatValues{});
}

// What a filter step takes from the table: the records and the values text of the log line.
TEST(DrawStatsRow, SelectionByPositionAndByText) {
    TDrawStatsTable table;
    table.Length = 30;
    for (int k : {3, 7, 12}) {
        TDrawStatsRow r;
        r.Cells[kColValue] = std::to_string(k);
        r.Value.Key.K[0] = uint16_t(k);
        table.Rows.push_back(r);
    }
    auto keys = [](const TTableSelection& s) {
        std::vector<int> k;
        for (const auto& v : s.Values) k.push_back(v.Key.K[0]);
        return k;
    };
    const TTableSelection byRows = SelectTableRows(table.Rows, {2, -1, 0, 3});
    EXPECT_EQ(keys(byRows), (std::vector<int>{12, 3}));  // the order given, positions outside skipped
    EXPECT_EQ(byRows.Text, "12; 3");
    const TTableSelection byText = SelectTableValues(table, "NUMS", {"12", "3"});
    EXPECT_EQ(keys(byText), (std::vector<int>{3, 12}));  // the table's order
    EXPECT_EQ(byText.Text, "3; 12");
    try {
        SelectTableValues(table, "NUMS", {"7", "8", "x y"});
        ADD_FAILURE() << "missing values accepted";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "В таблице статистики NUMS (30 тиражей) нет значений: \"8\", \"x y\"");
    }
}

TEST(DrawStatsRow, TableStatisticByCode) {
    TStatList list;
    list.Build();
    EXPECT_EQ(TableStatIndex(list, "sums"), list.IndexOfCode("SUMS"));
    for (const auto& [code, error] : std::vector<std::pair<std::string, std::string>>{
             {"NOPE", "Неизвестный код статистики: NOPE"}, {"", "Неизвестный код статистики: "}}) {
        try {
            TableStatIndex(list, code);
            ADD_FAILURE() << code;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), error);
        }
    }
}

TEST(DrawStatsCache, SkipsOnlyUnforcedRepeats) {
    TDrawStatsCache cache;
    const TDrawStatsInputs in{10, 0, 1000, 3};
    EXPECT_TRUE(cache.NeedsCompute(in, false));
    EXPECT_FALSE(cache.NeedsCompute(in, false));
    EXPECT_TRUE(cache.NeedsCompute(in, true));
    const TDrawStatsInputs changed[] = {{11, 0, 1000, 3}, {11, 1, 1000, 3}, {11, 1, 999, 3}, {11, 1, 999, 4}};
    for (const auto& c : changed) {
        EXPECT_TRUE(cache.NeedsCompute(c, false));
        EXPECT_FALSE(cache.NeedsCompute(c, false));
    }
    cache.Reset();
    EXPECT_TRUE(cache.NeedsCompute(changed[3], false));
}
