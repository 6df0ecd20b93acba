#include "core/stakes/stake_record.h"
#include "core/util/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace velmora;

namespace {

std::vector<int> SetNumbers(const TNumberSet& s) { return std::vector<int>(s.Numbers, s.Numbers + std::max(s.Count, 0)); }

TConfigData CostTwoPrizeThree() {
    TConfigData c;
    c.Cost = 20000;                          // 2.00
    c.Profits = {{4, 1000000}, {3, 105000}};  // 100.00 for 4, 10.50 for 3
    return c;
}

} // namespace

TEST(StakeRecord, FixtureRecordFieldByField) {
    const std::string bytes = ReadFileBytes(VELMORA_TEST_DATA "/stakes_three.lsk");
    ASSERT_EQ(bytes.size(), 3 * kStakeRecordSize);
    const auto* raw = reinterpret_cast<const unsigned char*>(bytes.data());
    TStakeRecord r;
    ReadStakeRecord(raw, r);
    EXPECT_EQ(r.Version, 2);
    EXPECT_EQ(r.Kind, skScript);
    EXPECT_EQ(r.DrawNumber, 1234);
    EXPECT_EQ(r.Checked, 1);
    EXPECT_EQ(r.Sample, 2118760);
    EXPECT_EQ(SetNumbers(r.Numbers), (std::vector<int>{1, 3, 5, 7, 9}));
    EXPECT_EQ(std::vector<int>(r.DrawNumbers, r.DrawNumbers + 5), (std::vector<int>{9, 1, 40, 3, 22}));
    EXPECT_EQ(SetNumbers(r.Matched), (std::vector<int>{1, 3, 9}));
    EXPECT_EQ(r.Profit, 85000);
    EXPECT_EQ(r.CommentText(), "Тест; комментарий");

    // Written back byte for byte, for all three records (a checked stake, a separator, a stake
    // of six numbers with a negative profit).
    for (size_t i = 0; i < 3; ++i) {
        TStakeRecord rec;
        ReadStakeRecord(raw + i * kStakeRecordSize, rec);
        unsigned char out[kStakeRecordSize];
        WriteStakeRecord(rec, out);
        EXPECT_EQ(std::memcmp(out, raw + i * kStakeRecordSize, kStakeRecordSize), 0) << "record " << i;
    }
    TStakeRecord sep;
    ReadStakeRecord(raw + kStakeRecordSize, sep);
    EXPECT_EQ(sep, SeparatorRecord());
}

TEST(StakeRecord, DamagedCountsStayWithinTheSet) {
    unsigned char raw[kStakeRecordSize] = {2, 1};
    raw[16] = 0xE8, raw[17] = 0x03;                      // Numbers.Count 1000
    raw[36] = 0xFB, raw[37] = raw[38] = raw[39] = 0xFF;  // Matched.Count -5
    raw[56] = 255;                                       // a comment of 255 bytes
    TStakeRecord r;
    ReadStakeRecord(raw, r);
    EXPECT_EQ(r.Numbers.Count, 8);
    EXPECT_EQ(r.Matched.Count, -1);
    EXPECT_EQ(r.CommentLen, 255);
    EXPECT_EQ(StakeGridCells(r)[scNumbers], "");  // DrawNumber 0: an empty row
}

TEST(StakeRecord, CommentIsCutTo255Bytes) {
    TStakeRecord r;
    r.SetCommentText(std::string(300, 'x'));
    EXPECT_EQ(r.CommentLen, 255);
    r.SetCommentText("Сценарий");  // Cyrillic letters are one byte each on disk
    EXPECT_EQ(r.CommentLen, 8);
    EXPECT_EQ(r.CommentText(), "Сценарий");
}

// Comments come from the stake dialog, "stakes add --comment" and script lines: a control character
// would split the stake list's line and the stake log's line, so it becomes a blank.
TEST(StakeRecord, ControlCharactersOfACommentBecomeBlanks) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"a\rb", "a b"}, {"a\nb", "a b"}, {"a\r\nb\tc", "a  b c"}, {std::string("\x01x\x7Fy\0z", 6), " x y z"},
        {"строка\n", "строка "},
    };
    for (const auto& c : cases) {
        TStakeRecord r;
        r.SetCommentText(c.in);
        EXPECT_EQ(r.CommentText(), c.out);
        const TStakeRecord accepted = AcceptStakeInput(HandStakeRecord(nullptr, 1, 0, TConfigData()), 1, "1,2,3,4,5", c.in, 1);
        EXPECT_EQ(accepted.CommentText(), c.out);
        for (const auto& cell : StakeGridCells(accepted)) EXPECT_EQ(cell.find_first_of("\r\n\t"), std::string::npos);
    }
}

TEST(StakeRecord, Profit) {
    const TConfigData c = CostTwoPrizeThree();
    TConfigData empty;
    empty.Cost = 20000;
    TConfigData twice = empty;
    twice.Profits = {{3, 30000}, {3, 99990000}};
    struct Case {
        const TConfigData& config;
        int n, m;
        int64_t profit;
    } cases[] = {
        {c, 5, 3, 85000},       // 10.50 - 2.00
        {empty, 5, 3, -20000},  // no entry for 3
        {c, 5, 2, -20000},
        {c, 5, -1, -20000},     // unchecked: minus the cost
        {c, 4, 3, 85000},       // up to five numbers are one combination
        {c, 6, 3, -15000},      // six combinations: -12.00 + 10.50
        {c, 7, 4, 1000000 - 21 * 20000},
        {twice, 5, 3, 10000},   // the first entry of an overlap counts
    };
    for (const auto& k : cases) EXPECT_EQ(StakeProfit(k.config, k.n, k.m), k.profit) << k.n << "/" << k.m;

    TConfigData huge;
    huge.Cost = std::numeric_limits<int64_t>::max() / 2;
    EXPECT_EQ(StakeProfit(huge, 8, -1), std::numeric_limits<int64_t>::min());
}

TEST(StakeRecord, HandStake) {
    const TCombination comb{3, 9, 12, 30, 41};
    const TStakeRecord r = HandStakeRecord(&comb, 77, 1500, CostTwoPrizeThree());
    EXPECT_EQ(r.Version, 2);
    EXPECT_EQ(r.Kind, skManual);
    EXPECT_EQ(r.DrawNumber, 77);
    EXPECT_EQ(r.Sample, 1500);
    EXPECT_EQ(SetNumbers(r.Numbers), (std::vector<int>{3, 9, 12, 30, 41}));
    EXPECT_EQ(r.Matched.Count, -1);
    EXPECT_EQ(r.Profit, -20000);
    EXPECT_EQ(r.CommentText(), "Ставка \"вручную\"");
    EXPECT_EQ(HandStakeRecord(nullptr, 1, 0, {}).Numbers.Count, 0);
}

TEST(StakeRecord, DialogNumbers) {
    EXPECT_EQ(SetNumbers(ParseStakeNumbers("5,1,9;3;7")), (std::vector<int>{1, 3, 5, 7, 9}));
    EXPECT_EQ(SetNumbers(ParseStakeNumbers(" 50 ; 1,2 ,3;4")), (std::vector<int>{1, 2, 3, 4, 50}));
    // Blanks separate as the grid shows the numbers.
    EXPECT_EQ(SetNumbers(ParseStakeNumbers("3 7 19 28 44")), (std::vector<int>{3, 7, 19, 28, 44}));
    EXPECT_EQ(SetNumbers(ParseStakeNumbers(" 3  7, 19;28 44 ")), (std::vector<int>{3, 7, 19, 28, 44}));
    for (const char* bad : {"1,2,3,4", "1,2,3,4,51", "1,2,3,4,4", "1,2,3,4,5,6", "0,1,2,3,4", "a,2,3,4,5", "",
                            "1 2 3 4", "1,,2,3,4,5", "1 2 3 4 5,", "1,2,3,4,+5x"}) {
        try {
            ParseStakeNumbers(bad);
            ADD_FAILURE() << "accepted: " << bad;
        } catch (const TStakeInputError& e) {
            EXPECT_EQ(e.Field, TStakeField::Numbers);
            EXPECT_STREQ(e.what(), "Введена некорректная комбинация!\r\rУкажите 5 разных чисел от 1 до 50, разделяя их "
                                   "пробелом, запятой или точкой с запятой, например: 3 7 19 28 44");
        }
    }
    EXPECT_EQ(StakeNumbersSum("5,1,x;3"), 9);
    EXPECT_EQ(StakeNumbersSum("5 1 x 3"), 9);
    EXPECT_EQ(StakeNumbersSum(""), 0);
}

TEST(StakeRecord, DialogOk) {
    TStakeRecord base = HandStakeRecord(nullptr, 5, 10, {});
    const TStakeRecord r = AcceptStakeInput(base, 120, "9,7,5,3,1", "мой", 3);
    EXPECT_EQ(r.DrawNumber, 120);
    EXPECT_EQ(r.CommentText(), "мой");
    EXPECT_EQ(SetNumbers(r.Numbers), (std::vector<int>{1, 3, 5, 7, 9}));
    EXPECT_EQ(r.Sample, 10);  // the other fields are kept

    struct Case {
        int64_t draw;
        const char* numbers;
        std::string comment;
        int64_t draws;
        TStakeField field;
    } cases[] = {
        {120, "1,2,3", "", 1, TStakeField::Numbers},  // the numbers are checked first
        {120, "1,2,3,4,5", "", 1, TStakeField::Comment},
        {120, "1,2,3,4,5", std::string(65, 'a'), 1, TStakeField::Comment},
        {0, "1,2,3,4,5", "a", 1, TStakeField::DrawNumber},
        {120, "1,2,3,4,5", "a", 0, TStakeField::DrawsCount},
        {120, "1,2,3,4,5", "a", 65536, TStakeField::DrawsCount},
        {2147483647, "1,2,3,4,5", "a", 2, TStakeField::DrawsCount},  // the last draw number would wrap
    };
    for (const auto& k : cases) {
        try {
            AcceptStakeInput(base, k.draw, k.numbers, k.comment, k.draws);
            ADD_FAILURE() << "accepted " << k.numbers << " / " << k.draw;
        } catch (const TStakeInputError& e) {
            EXPECT_EQ(e.Field, k.field) << e.what();
        }
    }
    EXPECT_NO_THROW(AcceptStakeInput(base, 2147483647, "1,2,3,4,5", std::string(64, 'a'), 1));
    EXPECT_NO_THROW(AcceptStakeInput(base, 1, "1,2,3,4,5", "ё" + std::string(63, 'a'), 65535));
}

TEST(StakeRecord, GridCells) {
    TStakeRecord r = HandStakeRecord(nullptr, 100, 2118760, CostTwoPrizeThree());
    r.Numbers = ParseStakeNumbers("1,3,5,7,9");
    using Cells = std::array<std::string, kStakeGridColumns>;
    EXPECT_EQ(StakeGridCells(r),
              (Cells{"100", "Вручную", "1;3;5;7;9", "2118760", "", "", "", "-2,00", "Ставка \"вручную\""}));
    r.Checked = 1;
    const uint8_t draw[5] = {9, 1, 40, 3, 22};
    std::memcpy(r.DrawNumbers, draw, 5);
    r.Matched = TNumberSet{3, {1, 3, 9}};
    r.Profit = 85000;
    EXPECT_EQ(StakeGridCells(r),
              (Cells{"100", "Вручную", "1;3;5;7;9", "2118760", "9;1;40;3;22", "3", "1 3 9", "8,50", "Ставка \"вручную\""}));
    EXPECT_EQ(StakeGridCells(SeparatorRecord()), Cells{});
    EXPECT_EQ(kStakeGridCaptions[scComment], std::string("Комментарий"));
    EXPECT_EQ(StakeKindColor(skManual), 0xEAFFEAu);
    EXPECT_EQ(StakeKindColor(skSystem), 0xD9FDFCu);
    EXPECT_EQ(StakeKindColor(skSeparator), std::nullopt);
    EXPECT_EQ(StakeKindColor(9), std::nullopt);
}

