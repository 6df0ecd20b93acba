#include "core/model/dates.h"
#include "core/model/draw_record.h"
#include "core/model/game.h"
#include "core/util/error.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(Game, Counting) {
    EXPECT_EQ(CombinationCount(50, 5), 2118760u);
    EXPECT_EQ(CombinationCount(5, 5), 1u);
    EXPECT_EQ(CombinationCount(6, 5), 6u);
    EXPECT_EQ(CombinationCount(8, 5), 56u);
    EXPECT_EQ(CombinationCount(3, 5), 1u);  // a stake of fewer than five numbers is one combination
    EXPECT_EQ(MatchWays(50, 5, 2), 10u * 14190u);  // C(5,2) * C(45,3)
    EXPECT_EQ(MatchWays(5, 5, 5), 1u);
    EXPECT_EQ(CeilDiv(50, 5), 10);
    EXPECT_EQ(CeilDiv(51, 5), 11);
    EXPECT_EQ(GroupCount(1, 50, 7), 8);
    EXPECT_EQ(GroupCount(0, 50, 7), 8);
    EXPECT_EQ(MatrixColumn(12, 5), 2);
    EXPECT_EQ(MatrixRow(12, 5), 3);
}

TEST(Game, Binomial) {
    struct Case {
        int n, k;
        uint64_t out;
    };
    for (auto c : std::vector<Case>{{50, 5, 2118760},
                                   {4, 5, 0},
                                   {5, -1, 0},
                                   {0, 0, 1},
                                   {45, 5, 1221759},
                                   {67, 33, 14226520737620288370ull},  // near the top of 64 bits, exact
                                   {200, 100, UINT64_MAX}})
        EXPECT_EQ(Binomial(c.n, c.k), c.out) << c.n << " " << c.k;
}

TEST(Game, ShiftNumber) {
    struct Case {
        int n, d, out;
    };
    for (auto c : std::vector<Case>{{50, 1, 1}, {1, -1, 50}, {7, 0, 7}, {49, 1, 50}, {10, -10, 50}, {48, 5, 3}})
        EXPECT_EQ(ShiftNumber(c.n, c.d), c.out) << c.n << " " << c.d;
}

TEST(Game, ChannelColours) {
    EXPECT_EQ(ChannelColor(1), 0xAAFFAAu);
    EXPECT_EQ(ChannelColor(19), 0xFFEAD5u);
    EXPECT_EQ(ChannelColor(20), ChannelColor(1));
    EXPECT_EQ(NumberColor(50, 5), ChannelColor(10));
    EXPECT_EQ(NumberColor(0, 5), 0x0000FFu);
    EXPECT_EQ(NumberColor(51, 5), 0x0000FFu);
}

TEST(Game, TextToComb) {
    TCombination c;
    TextToComb("1,2,x,4,5", c);
    EXPECT_EQ(c, (TCombination{1, 2, 0, 4, 5}));
    TextToComb(" 05 12\t33|40:48 ", c);
    EXPECT_EQ(c, (TCombination{5, 12, 33, 40, 48}));
    try {
        TextToComb("1 2 3 4", c);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Некорректная комбинация: \"1 2 3 4\"!");
    }
    // A number a byte cannot hold is refused rather than cut to its low byte (300 would be 44).
    c = {9, 9, 9, 9, 9};
    EXPECT_THROW(TextToComb("1 2 3 4 300", c), Error);
    EXPECT_EQ(c, (TCombination{9, 9, 9, 9, 9}));
    TextToComb("1 2 3 4 255", c);
    EXPECT_EQ(c, (TCombination{1, 2, 3, 4, 255}));
}

TEST(Game, Texts) {
    TDrawRecord d;
    d.Number = 412;
    const uint8_t nums[5] = {5, 12, 33, 40, 48};
    std::copy(nums, nums + 5, d.Numbers);
    d.Extras[0] = 3;
    d.Extras[1] = 7;
    d.SetDateText("2019-03-22");
    EXPECT_EQ(DrawToText(d), "Тираж № 412 от 2019-03-22, значения: 5;12;33;40;48 e:3;7");
    EXPECT_EQ(CombToSpacedText({5, 12, 33, 40, 48}), "05 12 33 40 48");
    EXPECT_EQ(CombToText({5, 12, 33, 40, 48}), "5;12;33;40;48");
    EXPECT_EQ(StakeKindName(3), "Сценарий");
    EXPECT_EQ(StakeKindName(9), "");
}

TEST(Game, DeltaText) {
    struct Case {
        std::string text;
        std::string out;
    };
    for (auto c : std::vector<Case>{{"", "-"}, {"5", "+2"}, {"3", "0"}, {"1", "-2"}, {"x", "-"}, {"-1", "-"}})
        EXPECT_EQ(DeltaText(c.text, 3), c.out) << c.text;
}

TEST(Game, ParseIntList) {
    struct Case {
        std::string text;
        TIntArray out;
    };
    const std::vector<Case> cases = {
        {"3;1;2", {3, 1, 2}},  {"1-10;3", {1, 4, 7, 10}}, {"10-1;1", {}},       {"a", {}},
        {"", {}},              {"-5-5,5", {-5, 0, 5}},     {" 4 , 5 ", {4, 5}}, {"1-10;0", {}},
        {"1-3;x", {}},         {"2-2;7", {2}},
    };
    for (const auto& c : cases) {
        TIntArray a;
        ParseIntList(c.text, a);
        EXPECT_EQ(a, c.out) << c.text;
    }
    EXPECT_EQ(IntListToText({1, -2, 3}, ";"), "1;-2;3");
}

TEST(Game, Sorting) {
    TIntArray a{3, 9, 1, 9};
    SortIntsDesc(a);
    EXPECT_EQ(a, (TIntArray{9, 9, 3, 1}));
    TNumberSet s;
    s.Count = 3;
    s.Numbers[0] = 9;
    s.Numbers[1] = 2;
    s.Numbers[2] = 5;
    s.Numbers[3] = 1;  // beyond Count: untouched
    SortNumberSet(s);
    EXPECT_EQ(NumberSetToText(s, " "), "2 5 9");
    EXPECT_EQ(s.Numbers[3], 1);
}

TEST(Game, NumberSetsAndMatches) {
    TDrawRecord d;
    const uint8_t nums[5] = {40, 5, 12, 33, 48};
    std::copy(nums, nums + 5, d.Numbers);
    TNumberSet stake;
    stake.Count = 6;
    const uint8_t st[6] = {1, 48, 5, 7, 33, 2};
    std::copy(st, st + 6, stake.Numbers);
    TNumberSet m;
    MatchedNumbers(d, stake, m);
    EXPECT_EQ(NumberSetToText(m, ";"), "5;33;48");
    EXPECT_EQ(CommonCount(d, {5, 6, 7, 33, 40}), 3);
    TNumberSet a, b;
    CombToNumberSet({1, 2, 3, 4, 5}, a);
    CombToNumberSet({5, 4, 3, 2, 1}, b);
    EXPECT_TRUE(SameNumberSet(a, b));
    b.Count = 4;
    EXPECT_FALSE(SameNumberSet(a, b));
}

TEST(Game, DistinctNumbersStopAtFifty) {
    TCombsArray combs;
    for (int i = 0; i < 10; ++i)
        combs.push_back({uint8_t(5 * i + 1), uint8_t(5 * i + 2), uint8_t(5 * i + 3), uint8_t(5 * i + 4), uint8_t(5 * i + 5)});
    // Past the tenth combination only garbage: it must never be read once 50 numbers are seen.
    combs.push_back({200, 201, 202, 203, 204});
    EXPECT_EQ(DistinctNumberCount(combs.data(), int(combs.size())), 50);
    EXPECT_EQ(DistinctNumberCount(combs.data(), 0), 0);
    EXPECT_EQ(DistinctNumberCount(combs.data(), 1), 5);
    TByteArray arr;
    DistinctNumbers(combs.data(), int(combs.size()), arr);
    EXPECT_EQ(arr.size(), 50u);
    EXPECT_EQ(arr.back(), 50);
}

TEST(Game, IteratedDifference) {
    // 1 3 6 10 15 -> 2 3 4 5 -> 1 1 1 -> 0 0 -> [0]
    const uint8_t a[5] = {1, 3, 6, 10, 15};
    TIntArray r;
    IteratedDifference(a, 5, 0, r);
    EXPECT_EQ(r, (TIntArray{0}));
    IteratedDifference(a, 5, 1, r);
    EXPECT_EQ(r, (TIntArray{0}));  // a + b of the last pair 0, 0
    // 1 2 4 7 11 -> 1 2 3 4 -> 1 1 1 -> 0 0
    const uint8_t b[5] = {10, 12, 15, 19, 30};  // -> 2 3 4 11 -> 1 1 7 -> 0 6 -> [6]
    IteratedDifference(b, 5, 2, r);
    EXPECT_EQ(r, (TIntArray{6}));
    const uint8_t c[5] = {1, 2, 4, 8, 15};  // -> 1 2 4 7 -> 1 2 3 -> 1 1 -> [0]; mode 2: 0 -> 2
    IteratedDifference(c, 5, 2, r);
    EXPECT_EQ(r, (TIntArray{2}));
    const uint8_t d[5] = {1, 2, 4, 7, 12};  // -> 1 2 3 5 -> 1 1 2 -> 0 1 -> [1]; mode 2: [1, 1]
    IteratedDifference(d, 5, 2, r);
    EXPECT_EQ(r, (TIntArray{1, 1}));
    IteratedDifference(d, 5, 1, r);
    EXPECT_EQ(r, (TIntArray{1}));
}

TEST(Game, DigitsToBytes) {
    uint8_t map[50];
    DigitsToBytes("123x", map);
    EXPECT_EQ(map[0], 1);
    EXPECT_EQ(map[2], 3);
    EXPECT_EQ(map[3], 1);
    EXPECT_EQ(map[49], 1);
    EXPECT_EQ(BytesToDigits(map).substr(0, 5), "12311");
}

TEST(Dates, TextAndIntegers) {
    EXPECT_EQ(TextToDate("  "), 0);
    EXPECT_EQ(DateToText(0), "");
    EXPECT_EQ(DateToText(TextToDate("2023-12-29") + 1), "2023-12-30");
    EXPECT_EQ(TextToDateInt("2024-02-28") + 0, 20240228);
    EXPECT_EQ(DateToInt(TextToDate("2024-02-28") + 2), 20240301);
    EXPECT_EQ(DateToInt(TextToDate("2023-12-31") + 1), 20240101);
    for (const char* bad : {"2023-02-30", "garbage", "2023-1-5"}) {
        try {
            TextToDate(bad);
            ADD_FAILURE() << bad;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' - неверная дата");
        }
    }
    EXPECT_EQ(DayOfWeek(TextToDate("2012-01-03")), 3);  // a Tuesday
}
