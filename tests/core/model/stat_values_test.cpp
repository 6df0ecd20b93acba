#include "core/model/stat_values.h"

#include <gtest/gtest.h>

#include <vector>

using namespace velmora;

namespace {
TStatValueRec Rec(uint16_t key, int drawNo, int age, int count = 1) {
    TStatValueRec r;
    r.Key.K[0] = key;
    r.DrawNo = r.LastDrawNo = drawNo;
    r.Age = age;
    r.Count = count;
    return r;
}
} // namespace

TEST(StatValues, AddStatValueKeepsMostRecentAndGaps) {
    TStatDrawArray list;
    AddStatValue(list, Rec(7, 100, 5), true);
    AddStatValue(list, Rec(7, 103, 3), true);
    AddStatValue(list, Rec(7, 104, 7), true);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Count, 3);
    EXPECT_EQ(list[0].Age, 3);
    EXPECT_EQ(list[0].DrawNo, 103);
    EXPECT_EQ(list[0].MinGap, 1);
    EXPECT_EQ(list[0].MaxGap, 3);
    EXPECT_EQ(list[0].LastDrawNo, 104);
}

TEST(StatValues, GapsIgnoreRepeatsWithinOneDraw) {
    struct Case {
        std::vector<int> draws;  // draw numbers of the merges, in order
        int minGap;
        int maxGap;
    } cases[] = {
        {{100, 100, 101, 101, 101, 103, 103}, 1, 2},
        {{100, 100, 100}, 0, 0},
        {{100, 102, 102}, 2, 2},
        {{1, 70001}, 65535, 65535},  // beyond 16 bits
    };
    for (const auto& c : cases) {
        TStatDrawArray list;
        for (int no : c.draws) AddStatValue(list, Rec(7, no, 1), true);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].Count, int(c.draws.size()));
        EXPECT_EQ(list[0].MinGap, c.minGap) << c.draws.size();
        EXPECT_EQ(list[0].MaxGap, c.maxGap) << c.draws.size();
        EXPECT_EQ(list[0].LastDrawNo, c.draws.back());
    }
}

TEST(StatValues, AddStatValueMatchesAllKeyPartsAndKeepsInsertionOrder) {
    TStatDrawArray list;
    TStatValueRec a = Rec(1, 10, 1), b = Rec(1, 11, 2);
    b.Key.K[3] = 1;
    a.Expected = 99;
    AddStatValue(list, a, false);
    AddStatValue(list, b, false);
    AddStatValue(list, Rec(0, 12, 0, 0), false);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Expected, 0);
    // A never-seen entry (age 0) takes the first real occurrence; gaps untouched without tracking.
    AddStatValue(list, Rec(0, 20, 4), false);
    EXPECT_EQ(list[2].Age, 4);
    EXPECT_EQ(list[2].MinGap, 0);
    SortStatValues(list);
    EXPECT_EQ(list[0].Key.K[0], 0);
    EXPECT_EQ(list[2].Key.K[3], 1);
}

TEST(StatValues, CompareKeysIsUnsignedByComponent) {
    TStatKey a, b;
    a.K[0] = 1;
    b.K[0] = 0xFFFF;
    EXPECT_LT(CompareStatKeys(a, b), 0);
    a.K[0] = b.K[0];
    a.K[1] = 2;
    EXPECT_GT(CompareStatKeys(a, b), 0);
    EXPECT_EQ(CompareStatKeys(b, b), 0);
}

TEST(StatValues, Totals) {
    TStatDrawArray list = {Rec(1, 1, 0, 0), Rec(2, 1, 9, 4), Rec(3, 1, 2, 7)};
    int32_t mn, mx, age;
    int64_t total;
    StatTotals(list, mn, mx, age, total);
    EXPECT_EQ(mn, 0);
    EXPECT_EQ(mx, 7);
    EXPECT_EQ(age, 9);
    EXPECT_EQ(total, 11);
}

TEST(StatValues, LastValuesSimpleValuesAndProfits) {
    TLastValueArray last;
    EXPECT_EQ(UpdateLastValue(Rec(5, 10, 0), last), -1);
    EXPECT_EQ(UpdateLastValue(Rec(5, 14, 0), last), 4);
    EXPECT_EQ(last[0].DrawNo, 14);

    TStatSimpleArray simple;
    AddSimpleValue(simple, 3, 0);
    AddSimpleValue(simple, 3, -2);
    AddSimpleValue(simple, 1, 5);
    AddSimpleValue(simple, 3, 2);
    SortSimpleValues(simple);
    ASSERT_EQ(simple.size(), 2u);
    EXPECT_EQ(simple[0].Value, 1);
    EXPECT_EQ(simple[1].Count, 2);

    TProfitDrawArray profits;
    AddDrawProfit(profits, 7, -20000);
    AddDrawProfit(profits, 7, 50000);
    EXPECT_EQ(profits.size(), 1u);
    EXPECT_EQ(profits[0].Profit, 30000);

    TPrefetchRec p;
    TStatValueRec r = Rec(9, 3, 2, 17), back = Rec(1, 1, 1);
    StatValueToPrefetch(r, p);
    PrefetchToStatValue(p, back);
    EXPECT_EQ(back.Key.K[0], 9);
    EXPECT_EQ(back.Count, 17);
    EXPECT_EQ(back.DrawNo, 0);
}
