#include "core/stats/number_stats.h"

#include "fake_stats.h"
#include "family_test_util.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"

#include <gtest/gtest.h>

#include <functional>

using namespace velmora;
using namespace velmora::test;

namespace {

struct Fixture : FamilyFixture {
    Fixture() : FamilyFixture(FixtureDraws()) {}
};


TStatDrawArray Selected(std::initializer_list<uint32_t> keys) {
    TStatDrawArray sel;
    for (uint32_t k : keys) {
        TStatValueRec r;
        r.Key.SetDword(0, k);
        sel.push_back(r);
    }
    return sel;
}

} // namespace

TEST(NumberProperties, PrimeSetCountsOne) {
    int primes = 0;
    for (int n = 1; n <= 50; ++n) primes += IsPrimeNumber(n);
    EXPECT_EQ(primes, 16);
    EXPECT_TRUE(IsPrimeNumber(1));
    EXPECT_TRUE(IsPrimeNumber(251));
    EXPECT_FALSE(IsPrimeNumber(49));
    EXPECT_TRUE(IsSmallNumber(25));
    EXPECT_FALSE(IsSmallNumber(26));
}

TEST(NumberStats, CombinationValues) {
    Fixture f;
    struct Case {
        const char* code;
        TCombination comb;
        V values;
    } cases[] = {
        {"NUMS", {2, 11, 25, 26, 47}, {"2x1", "11x1", "25x1", "26x1", "47x1"}},
        // Digits in order of appearance; repeats add up.
        {"DIGS", {2, 11, 25, 26, 47}, {"2x3", "1x2", "5x1", "6x1", "4x1", "7x1"}},
        {"DIGS", {10, 20, 30, 40, 50}, {"1x1", "0x5", "2x1", "3x1", "4x1", "5x1"}},
        {"DIGS", {1, 2, 3, 4, 5}, {"1x1", "2x1", "3x1", "4x1", "5x1"}},
        {"EVEN", {1, 3, 5, 7, 9}, {"0:5x1"}},
        {"EVEN", {2, 11, 25, 26, 47}, {"2:3x1"}},
        {"EVNV", {2, 11, 25, 26, 47}, {"ЧннЧн (013)x1"}},
        {"SMAL", {21, 22, 23, 25, 26}, {"4:1x1"}},
        {"SMLV", {21, 22, 23, 25, 26}, {"11112 (001)x1"}},
        {"SMLV", {2, 11, 25, 26, 47}, {"11122 (003)x1"}},
        {"PRIM", {1, 2, 3, 4, 5}, {"4:1x1"}},
        {"PRMV", {1, 2, 3, 4, 5}, {"ПППСП (029)x1"}},
        {"PRMV", {2, 11, 25, 26, 47}, {"ППССП (025)x1"}},
        {"PRIM", {4, 6, 8, 9, 49}, {"0:5x1"}},
        {"POS1", {4, 9, 17, 30, 44}, {"4x1"}},
        {"POS3", {4, 9, 17, 30, 44}, {"17x1"}},
        {"POS5", {4, 9, 17, 30, 44}, {"44x1"}},
        {"POE1", {4, 9, 17, 30, 44}, {}},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        TStatDrawArray list;
        s->AddCombinationValue(c.comb, list);
        EXPECT_EQ(Texts(*s, list), c.values) << c.code;
        for (const auto& e : list) EXPECT_EQ(e.DrawNo, 0) << c.code;
    }
}

TEST(NumberStats, DrawValuesFollowTheSortedSwitch) {
    Fixture f;
    // Draw 101 was drawn as 30, 4, 44, 9, 17 with extras 3 and 7.
    struct Case {
        const char* code;
        bool sorted;
        V values;
    } cases[] = {
        {"POS3", true, {"17x1"}},
        {"POS3", false, {"44x1"}},
        {"POS1", false, {"30x1"}},
        {"EVNV", true, {"ЧннЧЧ (012)x1"}},   // 4 9 17 30 44
        {"EVNV", false, {"ЧЧЧнн (003)x1"}},  // 30 4 44 9 17
        {"POE1", false, {"3x1"}},
        {"POE2", true, {"7x1"}},
        {"DIGS", false, {"3x1", "0x1", "4x3", "9x1", "1x1", "7x1"}},
        {"EVEN", false, {"3:2x1"}},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        TStatDrawArray list;
        TLastValueArray lv;
        TSeriesArea series{};
        s->AddDrawValue(0, 2, lv, series, list, c.sorted);
        EXPECT_EQ(Texts(*s, list), c.values) << c.code << " sorted " << c.sorted;
        for (const auto& e : list) {
            EXPECT_EQ(e.DrawNo, 101) << c.code;
            EXPECT_EQ(e.Age, 3) << c.code;
        }
    }
}

TEST(NumberStats, DomainLists) {
    Fixture f;
    V numbers;
    for (int n = 1; n <= 50; ++n) numbers.push_back(std::to_string(n) + "x0");
    V masksEvnv, masksPrmv;
    for (uint32_t m = 0; m < 32; ++m) {
        TStatValueRec r;
        r.Key.SetDword(0, m);
        masksEvnv.push_back(f.Stat("EVNV")->ValueToText(r) + "x0");
        masksPrmv.push_back(f.Stat("PRMV")->ValueToText(r) + "x0");
    }
    struct Case {
        const char* code;
        V values;
    } cases[] = {
        {"NUMS", numbers},
        {"DIGS", {}},
        {"EVEN", {"1:4x0", "2:3x0", "3:2x0", "4:1x0", "5:0x0"}},  // 0 only when it occurs
        {"SMAL", {"1:4x0", "2:3x0", "3:2x0", "4:1x0", "5:0x0"}},
        {"PRIM", {"1:4x0", "2:3x0", "3:2x0", "4:1x0", "5:0x0"}},
        {"EVNV", masksEvnv},
        {"PRMV", masksPrmv},
        {"SMLV", {}},  // only the masks seen appear
        {"POS2", numbers},
        {"POE1", {}},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        TStatDrawArray list;
        s->ListAllValues(5, list);
        EXPECT_EQ(Texts(*s, list), c.values) << c.code;
    }
}

TEST(NumberStats, FilterTests) {
    Fixture f;
    struct Case {
        const char* code;
        TCombination comb;
        TStatDrawArray selected;
        bool matches;
    } cases[] = {
        {"NUMS", {4, 9, 17, 30, 44}, Selected({17}), true},
        {"NUMS", {1, 2, 3, 4, 5}, Selected({17, 6}), false},
        {"NUMS", {1, 2, 3, 4, 5}, Selected({}), false},
        {"DIGS", {10, 20, 33, 41, 49}, Selected({0}), true},
        {"DIGS", {11, 22, 33, 44, 45}, Selected({0, 6}), false},
        {"DIGS", {11, 22, 33, 44, 46}, Selected({6}), true},
        {"EVEN", {1, 3, 5, 7, 9}, Selected({0}), true},
        {"EVEN", {1, 3, 5, 7, 10}, Selected({0}), false},
        {"SMAL", {21, 22, 23, 25, 26}, Selected({4}), true},
        {"PRIM", {1, 2, 3, 4, 5}, Selected({4}), true},
        {"EVNV", {2, 11, 25, 26, 47}, Selected({13}), true},
        {"EVNV", {2, 11, 25, 26, 47}, Selected({12, 14}), false},
        {"SMLV", {21, 22, 23, 25, 26}, Selected({1}), true},
        {"PRMV", {1, 2, 3, 4, 5}, Selected({29}), true},
        {"POS3", {4, 9, 17, 30, 44}, Selected({17}), true},
        {"POS3", {4, 9, 18, 30, 44}, Selected({17}), false},
        {"POE1", {3, 9, 17, 30, 44}, Selected({3, 7, 9}), false},
        {"POE2", {1, 2, 3, 4, 7}, Selected({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), false},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        s->LoadDraw(-1, 5, false);
        for (bool include : {false, true})
            EXPECT_EQ(s->CombinationMatches(c.comb, c.selected, include, false, 5), c.matches) << c.code;
    }
    // A key with other parts set is a different value for NUMS but the same Key[0] for POS.
    TStatDrawArray wide(1);
    wide[0].Key.K[0] = 17;
    wide[0].Key.K[1] = 1;
    EXPECT_FALSE(f.Stat("NUMS")->CombinationMatches({4, 9, 17, 30, 44}, wide, false, false, 5));
    EXPECT_TRUE(f.Stat("POS3")->CombinationMatches({4, 9, 17, 30, 44}, wide, false, false, 5));
    // Masks compare the whole low half: Key[1] set is another mask.
    TStatDrawArray highMask = Selected({13 + 65536});
    EXPECT_FALSE(f.Stat("EVNV")->CombinationMatches({2, 11, 25, 26, 47}, highMask, false, false, 5));
}

TEST(NumberStats, GraphNumbers) {
    Fixture f;
    auto number = [&](const char* code, int index, bool sorted) {
        auto s = f.Stat(code);
        return dynamic_cast<TCustomGraphStat&>(*s).DrawNumber(index, 5, sorted);
    };
    struct Case {
        const char* code;
        int index;
        bool sorted;
        int32_t value;
    } cases[] = {
        {"POS3", 0, true, 17}, {"POS3", 0, false, 44}, {"EVEN", 0, false, 3}, {"SMAL", 2, true, 4},
        {"PRIM", 1, true, 4},  {"POE1", 0, true, 3},   {"POE2", 1, false, 10}, {"POE2", 9, false, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(number(c.code, c.index, c.sorted), c.value) << c.code << " " << c.index;
    auto even = f.Stat("EVEN");
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*even).CombinationNumber({1, 3, 5, 7, 9}, 0, 5, true), 0);
}

TEST(NumberStats, FullSetFiguresMatchCombinatorics) {
    Fixture f;
    struct Case {
        const char* code;
        std::function<uint64_t(const TStatKey&)> expected;
        size_t values;
    } cases[] = {
        {"NUMS", [](const TStatKey&) { return Choose(49, 4); }, 50},
        {"EVEN", [](const TStatKey& k) { return Choose(25, k.K[0]) * Choose(25, 5 - k.K[0]); }, 6},
        {"SMAL", [](const TStatKey& k) { return Choose(25, k.K[0]) * Choose(25, 5 - k.K[0]); }, 6},
        {"PRIM", [](const TStatKey& k) { return Choose(16, k.K[0]) * Choose(34, 5 - k.K[0]); }, 6},
        {"POS1", [](const TStatKey& k) { return Choose(50 - k.K[0], 4); }, 46},
        {"POS5", [](const TStatKey& k) { return Choose(k.K[0] - 1, 4); }, 46},
        {"POS3", [](const TStatKey& k) { return Choose(k.K[0] - 1, 2) * Choose(50 - k.K[0], 2); }, 46},
        // Each number is in C(49,4) combinations; a digit counts once per occurrence in 1..50.
        {"DIGS",
         [](const TStatKey& k) {
             uint64_t occurrences = 0;
             for (int n = 1; n <= 50; ++n)
                 for (char c : std::to_string(n)) occurrences += (c - '0') == k.K[0];
             return occurrences * Choose(49, 4);
         },
         10},
        // j numbers in the second half: they are the last j positions.
        {"SMLV",
         [](const TStatKey& k) {
             int j = __builtin_popcount(k.Dword(0));
             return Choose(25, j) * Choose(25, 5 - j);
         },
         6},
        {"POE1", [](const TStatKey&) { return uint64_t(0); }, 0},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        TStatDrawArray list;
        ComputeFullSetDistribution(*s, list);
        EXPECT_EQ(list.size(), c.values) << c.code;
        for (const auto& e : list)
            EXPECT_EQ(uint64_t(e.Count), c.expected(e.Key)) << c.code << " " << s->ValueToText(e);
    }
}
