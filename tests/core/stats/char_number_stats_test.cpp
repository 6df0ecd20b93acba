#include "core/stats/char_number_stats.h"

#include "family_test_util.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// Folds: 3 10 20 33 41 ends in the pair 0, 2; 1 2 3 9 26 in 5, 6; 4 8 22 33 50 in 7, 3; the
// drawn order 41 3 33 10 20 of the first draw's numbers in 1, 6.
TDrawsArray SelvarDraws() {
    return {MakeDraw(1, {41, 3, 33, 10, 20}), MakeDraw(2, {1, 2, 3, 9, 26}), MakeDraw(3, {4, 8, 22, 33, 50})};
}

} // namespace

TEST(CharNumberStats, ClassesCaptionsAndPlaceInTheList) {
    FamilyFixture f;
    struct Case {
        const char* code;
        const char* caption;
        const char* display;
    } cases[] = {
        {"HCS1", "Число Сельвара 1 (только разность)", "{ slv } Число Сельвара 1 (только разность) [ SNG ]"},
        {"HCS2", "Число Сельвара 2 (разность + сложение, если {0,1})",
         "{ slv } Число Сельвара 2 (разность + сложение, если {0,1}) [ SNG ]"},
        {"HCS3", "Числа Сельвара 3 (динамический, только фильтр)",
         "{ slv } Числа Сельвара 3 (динамический, только фильтр) [ SD ]"},
    };
    for (const auto& c : cases) {
        const int i = f.list.IndexOfCode(c.code);
        ASSERT_GE(i, 0) << c.code;
        EXPECT_EQ(f.list.Items(i).Caption(), c.caption);
        EXPECT_EQ(f.list.DisplayCaption(i, true), c.display);
    }
    EXPECT_EQ(f.list.IndexOfCode("HCS2"), f.list.IndexOfCode("HCS1") + 1);
    EXPECT_EQ(f.list.IndexOfCode("HCS3"), f.list.IndexOfCode("HCS1") + 2);
    EXPECT_EQ(f.Class("HCS1").GetBaseCode(), "HCS1");
    EXPECT_FALSE(f.Class("HCS3").HasValueList());
}

TEST(CharNumberStats, FoldedValuesOfCombinationsAndDraws) {
    FamilyFixture f(SelvarDraws());
    struct Case {
        const char* code;
        TCombination comb;
        int value;
    } cases[] = {
        {"HCS1", {3, 10, 20, 33, 41}, 2},  // 7 10 13 8 -> 3 3 5 -> 0 2 -> 2
        {"HCS2", {3, 10, 20, 33, 41}, 2},  // not below 2
        {"HCS1", {1, 2, 3, 9, 26}, 1},
        {"HCS2", {1, 2, 3, 9, 26}, 11},  // a last fold of 1 from 5, 6 becomes their sum
        {"HCS1", {1, 2, 3, 8, 13}, 0},
        {"HCS2", {1, 2, 3, 8, 13}, 8},  // and a last fold of 0 from 4, 4
        {"HCS1", {1, 2, 3, 4, 5}, 0},
        {"HCS2", {1, 2, 3, 4, 5}, 0},  // 0, 0: the sum is 0 too
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        EXPECT_EQ(CombinationTexts(*s, c.comb), V({std::to_string(c.value) + "x1"})) << c.code << " " << CombToText(c.comb);
        EXPECT_EQ(CombGraphNumber(*s, c.comb, 0, 0, false), c.value) << c.code;
        EXPECT_EQ(Keeps(*s, c.comb, {KeyRec(uint16_t(c.value))}, 0), true) << c.code;
        EXPECT_EQ(Keeps(*s, c.comb, {KeyRec(uint16_t(c.value + 1))}, 0), false) << c.code;
    }
    // A draw is folded in loaded order: drawn, 41 3 33 10 20 gives 5; sorted, 2.
    auto s = f.Stat("HCS1");
    EXPECT_EQ(DrawTexts(*s, 0, 0, false), V({"5x1"}));
    EXPECT_EQ(DrawTexts(*s, 0, 0, true), V({"2x1"}));
    EXPECT_EQ(GraphNumber(*s, 0, 0, false), 5);
    EXPECT_EQ(GraphNumber(*s, 0, 0, true), 2);
}

// The fold without a list agrees with IteratedDifference for any five bytes.
TEST(CharNumberStats, FoldAgreesWithIteratedDifference) {
    const TCombsArray& all = FullCombinationSet();
    std::vector<TCombination> combs;
    for (size_t i = 0; i < all.size(); i += 101) combs.push_back(all[i]);
    for (int k = 0; k < 2000; ++k)
        combs.push_back({uint8_t(k * 37), uint8_t(255 - k), uint8_t(k * 11 + 3), uint8_t(k % 7), uint8_t(k * 53)});
    TIntArray r;
    for (const auto& c : combs)
        for (int mode : {0, 1}) {
            IteratedDifference(c.data(), 5, mode, r);
            ASSERT_EQ(r.size(), 1u);
            ASSERT_EQ(CharacteristicNumber(c.data(), mode), r[0]) << CombToText(c) << " mode " << mode;
        }
}

TEST(CharNumberStats, DynamicNumbersOfTheReferenceDraw) {
    FamilyFixture f(SelvarDraws());
    struct Case {
        int last;
        bool sorted;
        V values;
    } cases[] = {
        // 41 3 33 10 20 sorted folds to 2: 2 and the multiples 8, 6, 4; 2 came out in the next draw.
        {0, true, {"2x1", "8x0", "6x0", "4x0"}},
        // Drawn order folds to 5 (from 1, 6): 5 and the multiples 50, 45, ..., 10.
        {0, false, {"5x0", "50x0", "45x0", "40x0", "35x0", "30x0", "25x0", "20x0", "15x0", "10x0"}},
        // 5, 6 give the paired value 11 (1) and 44, 33, 22; 22 and 33 came out next.
        {1, false, {"11 (1)x0", "44x0", "33x1", "22x1"}},
        // The window ends at the last draw: nothing came out after it.
        {2, false, {"4x0", "48x0", "44x0", "40x0", "36x0", "32x0", "28x0", "24x0", "20x0", "16x0", "12x0", "8x0"}},
    };
    for (const auto& c : cases) {
        auto s = f.Stat("HCS3");
        // Earlier draws of the window add nothing.
        EXPECT_EQ(WindowTexts(*s, c.last, 3, c.sorted), c.values) << c.last << " sorted " << c.sorted;
    }
    TStatDrawArray list;
    ComputeStatDistribution(*f.Stat("HCS3"), 1, 1, false, list);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].Key.K[1], 1);
    EXPECT_EQ(list[0].Key.K[3], 2);
    EXPECT_EQ(list[0].MinGap, 0);  // no gap tracking
    // The filter keeps the combinations holding a selected number, whatever the paired form.
    auto s = f.Stat("HCS3");
    EXPECT_TRUE(Keeps(*s, {11, 20, 30, 40, 50}, {KeyRec(11, 1, 0, 2)}, 1));
    EXPECT_TRUE(Keeps(*s, {1, 20, 30, 40, 44}, {KeyRec(44)}, 1));
    EXPECT_FALSE(Keeps(*s, {1, 20, 30, 40, 45}, {KeyRec(44), KeyRec(11, 1, 0, 2)}, 1));
}
