// The matrix statistics: columns and rows of the numbers in a matrix of "MatrixCols" columns,
// their counts, masks, touching numbers and tuples; domains, texts, filters, full-set counts and
// the registry's column and row ranges.
#include "core/stats/matrix_stats.h"

#include "family_test_util.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace velmora;
using namespace velmora::test;

namespace {

struct Fixture : FamilyFixture {
    explicit Fixture(int cols = 5, std::array<int, 5> draw = {3, 8, 13, 40, 45})
        : FamilyFixture(TDrawsArray{MakeDraw(7, draw)}) {
        list.Config.MatrixCols = cols;
        list.Build();
    }
};

} // namespace

TEST(MatrixStats, CombinationAndDrawValues) {
    struct Case {
        int cols;
        std::array<int, 5> comb;
        const char* code;
        V values;
    } cases[] = {
        // Columns 3, 3, 3, 5, 5 and rows 1, 2, 3, 8, 9.
        {5, {3, 8, 13, 40, 45}, "COLS", {"3x3", "5x2"}},
        {5, {3, 8, 13, 40, 45}, "ROWS", {"1x1", "2x1", "3x1", "8x1", "9x1"}},
        {5, {3, 8, 13, 40, 45}, "COLN", {"2x1"}},
        {5, {3, 8, 13, 40, 45}, "ROWN", {"5x1"}},
        {5, {3, 8, 13, 40, 45}, "COLM", {"00101 (005)x1"}},
        {5, {3, 8, 13, 40, 45}, "ROWM", {"1110000110 (902)x1"}},
        {5, {3, 8, 13, 40, 45}, "COLA", {"3 x 3x1", "5 x 2x1"}},
        {5, {3, 8, 13, 40, 45}, "COLC", {"2x1"}},
        {5, {3, 8, 13, 40, 45}, "ROWA", {}},
        {5, {3, 8, 13, 40, 45}, "ROWC", {"0x1"}},
        {5, {3, 8, 13, 40, 45}, "COL3", {"3x1"}},
        {5, {3, 8, 13, 40, 45}, "ROW10", {"0x1"}},
        {5, {3, 8, 13, 40, 45}, "COLV", {"1 x 0x1", "2 x 0x1", "3 x 3x1", "4 x 0x1", "5 x 2x1"}},
        // 21-22 and 22-23 touch; 30 and 31 are in different rows.
        {5, {21, 22, 23, 30, 31}, "ROWA", {"5 x 3x1"}},
        {5, {21, 22, 23, 30, 31}, "ROWC", {"1x1"}},
        {5, {21, 22, 23, 30, 31}, "COLA", {}},
        // Two separate touching pairs in one column count two pairs.
        {5, {1, 6, 31, 36, 50}, "COLA", {"1 x 3x1"}},
        // Seven columns: eight rows, the last holding only 50.
        {7, {1, 8, 15, 49, 50}, "ROWS", {"1x1", "2x1", "3x1", "7x1", "8x1"}},
        {7, {1, 8, 15, 49, 50}, "COLA", {"1 x 3x1"}},
        {7, {1, 8, 15, 49, 50}, "ROW8", {"1x1"}},
        {7, {1, 8, 15, 49, 50}, "COLM", {"1000001 (065)x1"}},
        // One column: every combination is 1 x 5.
        {1, {1, 8, 15, 49, 50}, "COLV", {"1 x 5x1"}},
        {1, {1, 8, 15, 49, 50}, "COLM", {"1 (001)x1"}},
        {1, {1, 8, 15, 49, 50}, "COLA", {"1 x 2x1"}},
    };
    for (const auto& c : cases) {
        Fixture f(c.cols, c.comb);
        auto s = f.Stat(c.code);
        TCombination comb;
        for (size_t i = 0; i < 5; ++i) comb[i] = uint8_t(c.comb[i]);
        EXPECT_EQ(CombinationTexts(*s, comb), c.values) << c.code << " W=" << c.cols;
        EXPECT_EQ(DrawTexts(*s, 0, 0, false), c.values) << c.code << " W=" << c.cols;
    }
}

TEST(MatrixStats, TuplesOfColumnsAndRows) {
    struct Case {
        const char* code;
        V values;
    } cases[] = {
        {"KFS2", {"3:3x2", "3:5x1", "5:5x1"}},
        {"KFS3", {"3:3:3x1", "3:3:5x1", "3:5:5x1"}},
        {"KFM4", {"3:3:3:5x2", "3:3:5:5x3"}},
        {"KRS2", {"1:2x1", "2:3x1", "3:8x1", "8:9x1"}},
        {"KRM2", {"1:2x1", "1:3x1", "1:8x1", "1:9x1", "2:3x1", "2:8x1", "2:9x1", "3:8x1", "3:9x1", "8:9x1"}},
    };
    for (const auto& c : cases) {
        Fixture f;
        auto s = f.Stat(c.code);
        EXPECT_EQ(DrawTexts(*s, 0, 0, false), c.values) << c.code;
    }
}

TEST(MatrixStats, DomainsFollowTheWidth) {
    struct Case {
        int cols;
        const char* code;
        V domain;
    } cases[] = {
        {5, "COLS", {"1x0", "2x0", "3x0", "4x0", "5x0"}},
        {7, "ROWN", {"1x0", "2x0", "3x0", "4x0", "5x0"}},
        {7, "COLN", {"1x0", "2x0", "3x0", "4x0", "5x0"}},
        {25, "ROWN", {"1x0", "2x0"}},
        {1, "COLS", {"1x0"}},
        {1, "COLN", {"1x0"}},
        {5, "COL2", {"1x0", "2x0", "3x0", "4x0", "5x0", "6x0", "7x0", "8x0", "9x0", "10x0"}},
        {7, "ROW1", {"1x0", "2x0", "3x0", "4x0", "5x0", "6x0", "7x0"}},
        {5, "COLM", {}},
        {5, "COLA", {}},
        {5, "COLC", {}},
        {5, "KRM3", {}},
    };
    for (const auto& c : cases) {
        Fixture f(c.cols);
        auto s = f.Stat(c.code);
        EXPECT_EQ(DomainTexts(*s), c.domain) << c.code << " W=" << c.cols;
    }
    // Rows of seven columns: eight rows with counts 0..5 each.
    Fixture f7(7);
    const V rowv = DomainTexts(*f7.Stat("ROWV"));
    ASSERT_EQ(rowv.size(), 8u * 6u);
    EXPECT_EQ(rowv.front(), "1 x 0x0");
    EXPECT_EQ(rowv.back(), "8 x 5x0");
    // Columns of a 25-wide matrix hold two numbers: counts 0..2.
    Fixture f25(25);
    const V colv = DomainTexts(*f25.Stat("COLV"));
    ASSERT_EQ(colv.size(), 25u * 3u);
    EXPECT_EQ(colv[2], "1 x 2x0");
}

TEST(MatrixStats, TextsAndParsing) {
    Fixture f;
    ExpectValueTexts(f, {
                            {"COLS", KeyRec(3), "3", 3},
                            {"COLV", KeyRec(3, 2), "3 x 2", 0},
                            {"COLM", DwordRec(5), "00101 (005)", 5},
                            {"ROWM", DwordRec(902), "1110000110 (902)", 902},
                            {"ROWM", DwordRec(1023), "1111111111 (1023)", 1023},
                            {"COLA", KeyRec(3, 3), "3 x 3", 0},
                            {"KRS3", KeyRec(3, 3, 5), "3:3:5", 0},
                        });
    EXPECT_EQ(f.Class("COL2").FormatCaption(2), "Количество чисел в 2 столбце матрицы");
    EXPECT_EQ(f.Class("ROW2").GetBaseCode(), "ROWx");
    for (const char* code : {"COLN", "ROWN", "COLC", "ROWC", "COL1", "ROW1"}) EXPECT_TRUE(f.Class(code).HasGraph()) << code;
    for (const char* code : {"COLS", "COLV", "COLM", "COLA", "KFM2"}) EXPECT_FALSE(f.Class(code).HasGraph()) << code;
    auto rowc = f.Stat("ROWC");
    EXPECT_EQ(CombGraphNumber(*rowc, {21, 22, 23, 30, 31}, 0, 0, false), 1);
    EXPECT_EQ(GraphNumber(*f.Stat("COLC"), 0, 0, false), 2);
    EXPECT_EQ(GraphNumber(*f.Stat("COL3"), 0, 0, false), 3);
}

TEST(MatrixStats, MasksOfMoreThan32RowsKeepEveryRow) {
    // One column: 50 rows, row n holds n; the mask keeps rows 1 and 50 apart.
    Fixture f(1);
    auto s = f.Stat("ROWM");
    const V a = CombinationTexts(*s, {1, 2, 3, 4, 5});
    const V b = CombinationTexts(*s, {46, 47, 48, 49, 50});
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_NE(a, b);
    EXPECT_EQ(a[0].substr(0, 50), "11111" + std::string(45, '0'));
    EXPECT_EQ(b[0].substr(0, 50), std::string(45, '0') + "11111");
    TStatDrawArray sel;
    s->AddCombinationValue({46, 47, 48, 49, 50}, sel);
    EXPECT_TRUE(Keeps(*s, {46, 47, 48, 49, 50}, sel, 0));
    EXPECT_FALSE(Keeps(*s, {1, 2, 3, 4, 5}, sel, 0));
}

TEST(MatrixStats, FiltersAndFullSetCounts) {
    Fixture f;
    struct Case {
        const char* code;
        TStatDrawArray selected;
        uint64_t kept;
    } cases[] = {
        {"COLV", {KeyRec(1, 0)}, Choose(40, 5)},
        {"COLM", {DwordRec(0b10000)}, Choose(10, 5)},
        {"ROWN", {KeyRec(1)}, 10 * Choose(5, 5)},
        {"COL1", {KeyRec(5)}, Choose(10, 5)},
        {"ROWS", {KeyRec(10)}, Choose(50, 5) - Choose(45, 5)},
        // Rows 1 and 10 as a pair of positions.
        {"KRM2", {KeyRec(1, 10)}, Choose(50, 5) - 2 * Choose(45, 5) + Choose(40, 5)},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        EXPECT_EQ(KeptOfFullSet(*s, c.selected), c.kept) << c.code;
    }
    // COLN: combinations using exactly k of five columns of ten numbers.
    auto coln = f.Stat("COLN");
    TStatDrawArray list;
    ComputeFullSetDistribution(*coln, list);
    int64_t total = 0;
    for (const auto& e : list) {
        const int k = e.Key.K[0];
        int64_t onto = 0;
        for (int j = 0; j <= k; ++j) onto += (j % 2 ? -1 : 1) * int64_t(Choose(k, j) * Choose(10 * (k - j), 5));
        EXPECT_EQ(e.Count, int64_t(Choose(5, k)) * onto) << "k=" << k;
        total += e.Count;
    }
    EXPECT_EQ(total, int64_t(Choose(50, 5)));
}

TEST(MatrixStats, WidthSettingChangesTheRegistryAndNewStatistics) {
    Fixture f(5);
    auto before = f.Stat("ROWS");
    f.list.Config.MatrixCols = 7;
    f.list.Build();
    std::vector<std::string> cols, rows;
    for (const auto& m : f.list.Methods) {
        const std::string code = m.Code();
        if (code.rfind("COL", 0) == 0 && code.size() <= 5 && std::isdigit(static_cast<unsigned char>(code[3]))) cols.push_back(code);
        if (code.rfind("ROW", 0) == 0 && code.size() <= 5 && std::isdigit(static_cast<unsigned char>(code[3]))) rows.push_back(code);
    }
    EXPECT_EQ(cols, (std::vector<std::string>{"COL1", "COL2", "COL3", "COL4", "COL5", "COL6", "COL7"}));
    EXPECT_EQ(rows, (std::vector<std::string>{"ROW1", "ROW2", "ROW3", "ROW4", "ROW5", "ROW6", "ROW7", "ROW8"}));
    EXPECT_EQ(CombinationTexts(*before, {1, 8, 15, 49, 50}), (V{"1x1", "2x1", "3x1", "10x2"}));
    EXPECT_EQ(CombinationTexts(*f.Stat("ROWS"), {1, 8, 15, 49, 50}), (V{"1x1", "2x1", "3x1", "7x1", "8x1"}));
}
