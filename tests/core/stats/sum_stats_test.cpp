#include "core/stats/sum_stats.h"

#include "family_test_util.h"

#include <gtest/gtest.h>

#include <map>

#include "core/util/format.h"

using namespace velmora;
using namespace velmora::test;

namespace {

// Draws 201..208 in drawn order with the sums 100, 120, 131, 120, 115, 120, 120, 140.
TDrawsArray SumDraws() {
    return {MakeDraw(201, {30, 10, 20, 15, 25}), MakeDraw(202, {40, 5, 30, 20, 25}),  MakeDraw(203, {41, 3, 37, 22, 28}),
            MakeDraw(204, {2, 48, 11, 26, 33}),  MakeDraw(205, {50, 1, 9, 19, 36}),   MakeDraw(206, {12, 24, 6, 31, 47}),
            MakeDraw(207, {44, 7, 14, 21, 34}),  MakeDraw(208, {45, 8, 16, 29, 42})};
}

// Combinations with the sums the cases need.
const TCombination kSum89 = {1, 2, 3, 33, 50}, kSum90 = {1, 2, 3, 34, 50}, kSum115 = {10, 20, 24, 30, 31},
                   kSum120 = {10, 20, 29, 30, 31}, kSum130 = {10, 20, 30, 31, 39}, kSum131 = {10, 20, 30, 31, 40},
                   kSum140 = {10, 20, 30, 35, 45}, kSum150 = {10, 20, 30, 40, 50}, kSum151 = {10, 20, 30, 41, 50},
                   kSum165 = {29, 30, 31, 35, 40}, kSum166 = {29, 30, 31, 35, 41};

int32_t SumOfComb(const TCombination& c) { return c[0] + c[1] + c[2] + c[3] + c[4]; }

} // namespace

TEST(SumStats, ClassesCaptionsAndPlaceInTheList) {
    FamilyFixture f;
    struct Case {
        const char* code;
        const char* caption;
        bool graph;
        bool valueList;
    } cases[] = {
        {"SUMS", "Сумма тиража: все значения", true, true},
        {"SUM1", "Сумма тиража: диапазон 1 (1/3)", true, false},
        {"SUM2", "Сумма тиража: диапазон 2 (1/2)", true, false},
        {"SUM3", "Сумма тиража: диапазон 3 (2/3)", true, false},
        {"SUMC", "Сумма тиража: изменения (точно)", true, false},
        {"SUMV", "Сумма тиража: изменения (диапазон)", false, false},
        {"SUMT", "Сумма тиража: направление изменения", true, false},
        {"SUME", "Сумма тиража: только четные", true, true},
        {"SUMP", "Сумма тиража: только простые", true, true},
        {"S2T3", "Сумма двух чисел тиража равна третьему числу", true, true},
    };
    const int first = f.list.IndexOfCode("PRMV") + 1;
    for (size_t k = 0; k < std::size(cases); ++k) {
        const Case& c = cases[k];
        const int i = f.list.IndexOfCode(c.code);
        EXPECT_EQ(i, first + int(k)) << c.code;
        EXPECT_EQ(f.list.Items(i).Caption(), c.caption);
        EXPECT_EQ(f.list.HasGraph(i), c.graph) << c.code;
        EXPECT_EQ(f.list.Items(i).HasValueList(), c.valueList) << c.code;
        EXPECT_EQ(f.Stat(c.code)->GetInstanceCaption(), c.caption);
    }
    EXPECT_EQ(f.list.DisplayCaption(f.list.IndexOfCode("SUMC"), true),
              "{ sum } Сумма тиража: изменения (точно) [ DG ]");
}

TEST(SumStats, CombinationValues) {
    FamilyFixture f;
    struct Case {
        const char* code;
        TCombination comb;
        V values;
    } cases[] = {
        {"SUMS", {1, 2, 3, 4, 5}, {"15x1"}},
        {"SUMS", {46, 47, 48, 49, 50}, {"240x1"}},
        {"SUM1", {1, 2, 3, 23, 50}, {"Остальныеx1"}},  // 79
        {"SUM1", {1, 2, 3, 24, 50}, {"80-175x1"}},
        {"SUM1", {31, 32, 33, 39, 40}, {"80-175x1"}},  // 175
        {"SUM1", {31, 32, 33, 39, 41}, {"Остальныеx1"}},
        {"SUM2", kSum89, {"Остальныеx1"}},
        {"SUM2", kSum90, {"90-165x1"}},
        {"SUM2", kSum165, {"90-165x1"}},
        {"SUM2", kSum166, {"Остальныеx1"}},
        {"SUM3", {1, 2, 3, 42, 50}, {"Остальныеx1"}},  // 98
        {"SUM3", {1, 2, 3, 43, 50}, {"99-156x1"}},
        {"SUME", {1, 3, 5, 7, 9}, {"0x1"}},
        {"SUME", {2, 11, 25, 26, 47}, {"28x1"}},
        {"SUMP", {1, 4, 6, 8, 9}, {"1x1"}},  // 1 counts as prime
        {"SUMP", {2, 11, 25, 26, 47}, {"60x1"}},
        {"SUMP", {4, 6, 8, 9, 10}, {"0x1"}},
        {"S2T3", {1, 2, 3, 4, 5}, {"4x1"}},
        {"S2T3", {2, 4, 6, 8, 10}, {"4x1"}},
        {"S2T3", {1, 2, 3, 5, 8}, {"3x1"}},
        {"S2T3", {1, 2, 4, 8, 16}, {"0x1"}},
        // A combination alone has no change value.
        {"SUMC", {1, 2, 3, 4, 5}, {}},
        {"SUMV", {1, 2, 3, 4, 5}, {}},
        {"SUMT", {1, 2, 3, 4, 5}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(CombinationTexts(*f.Stat(c.code), c.comb), c.values) << c.code;
}

TEST(SumStats, ValueTextsAndParsing) {
    ExpectValueTexts(FamilyFixture{}, {
        {"SUMS", DwordRec(131), "131", 131},
        {"SUME", DwordRec(0), "0", 0},
        {"SUMP", DwordRec(60), "60", 60},
        {"S2T3", KeyRec(3), "3", 3},
        {"SUM1", KeyRec(1), "80-175", 0},
        {"SUM2", KeyRec(1), "90-165", 0},
        {"SUM3", KeyRec(1), "99-156", 0},
        {"SUM2", KeyRec(0), "Остальные", 0},
        {"SUMC", DwordRec(120, 131), "+11 : 120 + 11 = 131", 0},
        {"SUMC", DwordRec(120, 115), "- 05 : 120 - 5 = 115", 0},
        {"SUMC", DwordRec(120, 120), "+00 : 120 + 0 = 120", 0},
        {"SUMC", DwordRec(30, 200), "+170 : 30 + 170 = 200", 0},
        {"SUMV", DwordRec(-7), "- 07", 0},
        {"SUMV", DwordRec(12), "+12", 0},
        {"SUMV", DwordRec(0), "+00", 0},
        {"SUMV", DwordRec(-125), "- 125", 0},
        {"SUMT", DwordRec(-1), "-", 0},
        {"SUMT", DwordRec(0), "=", 0},
        {"SUMT", DwordRec(1), "+", 0},
    });
}

TEST(SumStats, DomainLists) {
    FamilyFixture f;
    V sums;
    for (int s = 15; s <= 240; ++s) sums.push_back(std::to_string(s) + "x0");
    struct Case {
        const char* code;
        V values;
    } cases[] = {
        {"SUMS", sums},
        {"SUM2", {"Остальныеx0", "90-165x0"}},
        {"SUMT", {"=x0", "+x0", "-x0"}},
        {"SUME", {}},
        {"SUMP", {}},
        {"S2T3", {}},
        {"SUMC", {}},
        {"SUMV", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(DomainTexts(*f.Stat(c.code)), c.values) << c.code;
    EXPECT_EQ(sums.size(), 226u);
}

TEST(SumStats, DrawValuesIgnoreTheOrderOfTheNumbers) {
    FamilyFixture f(SumDraws());
    // Draw 201 was drawn as 30, 10, 20, 15, 25.
    struct Case {
        const char* code;
        V values;
    } cases[] = {
        {"SUMS", {"100x1"}}, {"SUM2", {"90-165x1"}}, {"SUM1", {"80-175x1"}},
        {"SUME", {"60x1"}},  {"SUMP", {"0x1"}},      {"S2T3", {"2x1"}},  // 10+15=25, 10+20=30
    };
    for (const auto& c : cases)
        for (bool sorted : {false, true}) {
            auto s = f.Stat(c.code);
            TStatDrawArray list;
            TLastValueArray lastValues;
            TSeriesArea series{};
            s->AddDrawValue(0, 3, lastValues, series, list, sorted);
            EXPECT_EQ(Texts(*s, list), c.values) << c.code << " sorted " << sorted;
            ASSERT_EQ(list.size(), 1u);
            EXPECT_EQ(list[0].DrawNo, 201);
            EXPECT_EQ(list[0].Age, 4);
        }
}

// The change statistics over windows of the archive ending at draw 207 (sum 120) and at the
// last draw 208 (sum 140).
TEST(SumStats, ChangeStatisticsCollectAfterDrawsLikeTheReference) {
    FamilyFixture f(SumDraws());
    struct Case {
        const char* code;
        int lastIndex;
        int length;
        V values;
    } cases[] = {
        // Predecessor sum 120 in draws 203, 205 and the reference draw 207 itself.
        {"SUMC", 6, 7, {"+11 : 120 + 11 = 131x1", "- 05 : 120 - 5 = 115x1", "+00 : 120 + 0 = 120x1"}},
        {"SUMC", 6, 1, {"+00 : 120 + 0 = 120x1"}},
        {"SUMC", 6, 4, {"- 05 : 120 - 5 = 115x1", "+00 : 120 + 0 = 120x1"}},
        // No draw follows a sum of 140.
        {"SUMC", 7, 8, {}},
        {"SUMT", 6, 7, {"=x1", "+x1", "-x1"}},
        {"SUMT", 7, 8, {"=x0", "+x0", "-x0"}},
        // Predecessor sums 98..142: draws 202..207 (100, 120, 131, 120, 115, 120); not 201 (0).
        {"SUMV", 6, 7, {"+20x1", "+11x1", "- 11x1", "- 05x1", "+05x1", "+00x1"}},
        // Predecessor sums 118..162: draws 203, 204, 205, 207, 208; not 206 (after 115).
        {"SUMV", 7, 8, {"+11x1", "- 11x1", "- 05x1", "+00x1", "+20x1"}},
    };
    for (const auto& c : cases)
        for (bool sorted : {false, true})
            EXPECT_EQ(WindowTexts(*f.Stat(c.code), c.lastIndex, c.length, sorted), c.values)
                << c.code << " at " << c.lastIndex << " sorted " << sorted;

    // Recency of a collected value: draw 203, five draws back from 207.
    auto s = f.Stat("SUMC");
    TStatDrawArray list;
    ComputeStatDistribution(*s, 6, 7, false, list);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].DrawNo, 203);
    EXPECT_EQ(list[0].Age, 5);
}

TEST(SumStats, FirstDrawHasAPredecessorSumOfZero) {
    // Sums 20 and 22, then 20 and 23.
    FamilyFixture at22({MakeDraw(1, {1, 2, 3, 4, 10}), MakeDraw(2, {1, 2, 3, 4, 12})});
    FamilyFixture at23({MakeDraw(1, {1, 2, 3, 4, 10}), MakeDraw(2, {1, 2, 3, 4, 13})});
    struct Case {
        const FamilyFixture& f;
        const char* code;
        int lastIndex;
        V values;
    } cases[] = {
        {at22, "SUMV", 1, {"+20x1", "+02x1"}},  // |0 - 22| is within 22
        {at23, "SUMV", 1, {"+03x1"}},
        {at22, "SUMC", 0, {}},
        {at22, "SUMT", 0, {"=x0", "+x0", "-x0"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowTexts(*c.f.Stat(c.code), c.lastIndex, 10, false), c.values) << c.code << " at " << c.lastIndex;
}

TEST(SumStats, FilterTestsAgainstTheReferenceDraw) {
    FamilyFixture f(SumDraws());
    struct Case {
        const char* code;
        TStatDrawArray selected;
        int lastIndex;
        TCombination comb;
        bool keeps;
    } cases[] = {
        // The change from the reference sum: 120 at draw 207, 140 at draw 208.
        {"SUMV", {DwordRec(11)}, 6, kSum131, true},
        {"SUMV", {DwordRec(11)}, 6, kSum130, false},
        {"SUMV", {DwordRec(11)}, 7, kSum151, true},
        {"SUMV", {DwordRec(11)}, 7, kSum131, false},
        {"SUMV", {DwordRec(-5)}, 6, kSum115, true},
        {"SUMV", {DwordRec(0), DwordRec(20)}, 6, kSum140, true},
        {"SUMV", {}, 6, kSum120, false},
        {"SUMT", {DwordRec(1)}, 6, kSum131, true},
        {"SUMT", {DwordRec(1)}, 6, kSum120, false},
        {"SUMT", {DwordRec(0)}, 6, kSum120, true},
        {"SUMT", {DwordRec(-1)}, 6, kSum115, true},
        {"SUMT", {DwordRec(1)}, 7, kSum131, false},
        {"SUMT", {DwordRec(1)}, 7, kSum150, true},
        {"SUMT", {DwordRec(0)}, 7, kSum140, true},
        // SUMC reads the sum that followed from the selected value, whatever the reference.
        {"SUMC", {DwordRec(120, 131)}, 6, kSum131, true},
        {"SUMC", {DwordRec(120, 131)}, 7, kSum131, true},
        {"SUMC", {DwordRec(120, 131)}, 6, kSum130, false},
        {"SUMC", {DwordRec(131, 120)}, 6, kSum131, false},
        {"SUMS", {DwordRec(131)}, 6, kSum131, true},
        {"SUMS", {DwordRec(131, 1)}, 6, kSum131, false},
        {"SUMS", {DwordRec(130), DwordRec(132)}, 6, kSum131, false},
        // SUM2 looks only at whether the range (1) is selected.
        {"SUM2", {KeyRec(0)}, 6, kSum89, true},
        {"SUM2", {KeyRec(0)}, 6, kSum166, true},
        {"SUM2", {KeyRec(0)}, 6, kSum90, false},
        {"SUM2", {KeyRec(0)}, 6, kSum165, false},
        {"SUM2", {KeyRec(1)}, 6, kSum90, true},
        {"SUM2", {KeyRec(1)}, 6, kSum89, false},
        {"SUM2", {KeyRec(0), KeyRec(1)}, 6, kSum90, true},
        {"SUM2", {KeyRec(0), KeyRec(1)}, 6, kSum89, false},
        {"SUM2", {}, 6, kSum89, true},
        {"SUM2", {}, 6, kSum90, false},
        {"SUME", {DwordRec(28)}, 6, {2, 11, 25, 26, 47}, true},
        {"SUMP", {DwordRec(1)}, 6, {1, 4, 6, 8, 9}, true},
        {"SUMP", {DwordRec(1)}, 6, {1, 4, 6, 8, 11}, false},
        {"S2T3", {KeyRec(4)}, 6, {1, 2, 3, 4, 5}, true},
        {"S2T3", {KeyRec(4)}, 6, {1, 2, 4, 8, 16}, false},
        {"S2T3", {KeyRec(0)}, 6, {1, 2, 4, 8, 16}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Keeps(*f.Stat(c.code), c.comb, c.selected, c.lastIndex), c.keeps)
            << c.code << " at " << c.lastIndex << " sum " << SumOfComb(c.comb);
        // The test alone, without the filter's LoadDraw, judges the same way.
        EXPECT_EQ(f.Stat(c.code)->CombinationMatches(c.comb, c.selected, false, false, c.lastIndex), c.keeps)
            << c.code << " at " << c.lastIndex << " sum " << SumOfComb(c.comb);
    }
}

TEST(SumStats, RangeFilterWithOnlyTheOthersSelected) {
    FamilyFixture f(SumDraws());
    const TCombsArray& all = FullCombinationSet();
    TCombsArray sample;
    for (size_t i = 0; i < all.size(); i += 97) sample.push_back(all[i]);
    TCombsArray out(sample.size());
    auto s = f.Stat("SUM2");
    const size_t n = FilterCombinationSet(*s, sample.data(), sample.size(), out.data(), {KeyRec(0)}, TFilterAction::Keep, false, 7);
    TCombsArray expected;
    for (const auto& c : sample)
        if (SumOfComb(c) < 90 || SumOfComb(c) > 165) expected.push_back(c);
    out.resize(n);
    EXPECT_EQ(out, expected);
}

TEST(SumStats, GraphNumbers) {
    FamilyFixture f(SumDraws());
    struct Case {
        const char* code;
        int index;
        int32_t value;
    } cases[] = {
        {"SUMS", 0, 100}, {"SUM2", 0, 1},  {"SUM3", 0, 1},  {"SUM3", 4, 1},  {"SUM1", 7, 1},
        {"SUME", 0, 60},  {"SUMP", 0, 0},  {"SUMP", 2, 81}, {"S2T3", 0, 2},
        // The change from the previous draw; the first draw follows a sum of 0.
        {"SUMC", 0, 100}, {"SUMC", 2, 11}, {"SUMC", 4, -5}, {"SUMC", 6, 0},  {"SUMC", 7, 20},
        {"SUMT", 0, 1},   {"SUMT", 2, 1},  {"SUMT", 4, -1}, {"SUMT", 6, 0},
    };
    for (const auto& c : cases)
        for (bool sorted : {false, true})
            EXPECT_EQ(GraphNumber(*f.Stat(c.code), c.index, 7, sorted), c.value) << c.code << " " << c.index;
    // A combination is judged as the draw at the index: against the draw before it.
    EXPECT_EQ(CombGraphNumber(*f.Stat("SUMC"), kSum131, 7, 7, false), 11);
    EXPECT_EQ(CombGraphNumber(*f.Stat("SUMT"), kSum115, 7, 7, false), -1);
    EXPECT_EQ(CombGraphNumber(*f.Stat("SUM2"), kSum166, 7, 7, false), 0);
}

TEST(SumStats, WindowGapsOfASum) {
    FamilyFixture f(SumDraws());
    auto s = f.Stat("SUMS");
    TStatDrawArray list;
    ComputeStatDistribution(*s, 6, 7, false, list);
    ASSERT_EQ(list.size(), 226u);
    // 120 in draws 202, 204, 206, 207.
    const TStatValueRec& e = list[size_t(120 - 15)];
    EXPECT_EQ(e.Count, 4);
    EXPECT_EQ(e.DrawNo, 207);
    EXPECT_EQ(e.Age, 1);
    EXPECT_EQ(e.MinGap, 1);
    EXPECT_EQ(e.MaxGap, 2);
}

TEST(SumStats, FullSetFigures) {
    FamilyFixture f;
    std::map<std::string, std::map<std::string, int64_t>> figures;
    for (const char* code : {"SUMS", "SUM1", "SUM2", "SUM3", "SUME", "SUMP", "S2T3"}) {
        auto s = f.Stat(code);
        TStatDrawArray list;
        ComputeFullSetDistribution(*s, list);
        int64_t total = 0;
        for (const auto& e : list) {
            figures[code][s->ValueToText(e)] = e.Count;
            total += e.Count;
        }
        EXPECT_EQ(total, kCombinationTotal) << code;
    }
    const auto& sums = figures["SUMS"];
    EXPECT_EQ(sums.size(), 226u);
    EXPECT_EQ(sums.at("15"), 1);
    EXPECT_EQ(sums.at("240"), 1);
    EXPECT_EQ(sums.at("16"), 1);
    EXPECT_EQ(sums.at("17"), 2);
    // s and 255 - s mirror each other (n -> 51 - n).
    for (int s = 15; s <= 240; ++s) EXPECT_EQ(sums.at(std::to_string(s)), sums.at(std::to_string(255 - s))) << s;
    // The ranges hold what the sums in them hold.
    for (int r = 1; r <= 3; ++r) {
        const TSumRange range = SumRange(r);
        int64_t inside = 0;
        for (int s = range.Lo; s <= range.Hi; ++s) inside += sums.at(std::to_string(s));
        const auto& fig = figures["SUM" + std::to_string(r)];
        EXPECT_EQ(fig.at(Format("%d-%d", {range.Lo, range.Hi})), inside) << r;
        EXPECT_EQ(fig.at("Остальные"), kCombinationTotal - inside) << r;
    }
    EXPECT_EQ(figures["SUME"].at("0"), 53130);    // five odd numbers: C(25, 5)
    EXPECT_EQ(figures["SUMP"].at("0"), 278256);   // no number of the prime set: C(34, 5)
    // Counted one combination at a time by brute force; 4 only for a, 2a, 3a, 4a, 5a.
    const std::map<std::string, int64_t> relations = {
        {"0", 1526908}, {"1", 536698}, {"2", 53570}, {"3", 1574}, {"4", 10}};
    EXPECT_EQ(figures["S2T3"], relations);
}
