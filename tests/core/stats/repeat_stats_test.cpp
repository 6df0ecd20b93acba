#include "core/stats/repeat_stats.h"

#include "family_test_util.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// Six draws in drawn order; draw 12 is missing from the numbering, so draw 13 follows draw 11.
TDrawsArray RepeatDraws() {
    return {MakeDraw(10, {5, 17, 33, 2, 48}), MakeDraw(11, {17, 6, 34, 50, 1}), MakeDraw(13, {1, 17, 6, 20, 49}),
            MakeDraw(14, {17, 6, 2, 1, 45}),  MakeDraw(15, {18, 7, 3, 41, 46}), MakeDraw(16, {17, 7, 41, 50, 1})};
}
constexpr int kLast = 5;  // draw 16: 17, 7, 41, 50, 1

const char* const kValueCodes[] = {"RPV2",  "RPV3",  "PRL2",  "PRV2O1", "PRV2O2",
                                   "PRV2O3", "PRV+1", "PRV-1", "PRV+2", "PRV-2"};
const char* const kCountCodes[] = {"RPC2",   "RPC3",  "PRB2",  "RPO1",  "PRC2O2",
                                   "PRC2O3", "PRC+1", "PRC-1", "PRC+2", "PRC-2"};

// How many combinations of the full set the keeping filter keeps with the window ending at
// lastIndex.
size_t KeptAt(TCustomStat& s, const TStatDrawArray& selected, int lastIndex) {
    const TCombsArray& all = FullCombinationSet();
    TCombsArray out(all.size());
    return FilterCombinationSet(s, all.data(), all.size(), out.data(), selected, TFilterAction::Keep, false, lastIndex);
}

} // namespace

TEST(RepeatStats, ClassesCaptionsAndPlaceInTheList) {
    FamilyFixture f;
    const char* const captions[] = {
        "Повторяющиеся числа в 2-х тиражах подряд",
        "Повторяющиеся числа в 3-х тиражах подряд",
        "Повторяющиеся числа не более чем в 2-х тиражах",
        "Повторяющиеся числа в 2-х тиражах через 1 тираж(а)",
        "Повторяющиеся числа в 2-х тиражах через 2 тираж(а)",
        "Повторяющиеся числа в 2-х тиражах через 3 тираж(а)",
        "Данные предыдущего тиража + 1",
        "Данные предыдущего тиража - 1",
        "Данные предыдущего тиража + 2",
        "Данные предыдущего тиража - 2",
        "Количество повторов в 2-х тиражах подряд",
        "Количество повторов в 3-х тиражах подряд",
        "Количество повторов не более чем в 2-х тиражах",
        "Количество повторов в 2-х тиражах через 1 тираж(а)",
        "Количество повторов в 2-х тиражах через 2 тираж(а)",
        "Количество повторов в 2-х тиражах через 3 тираж(а)",
        "Количество совпадений \"значений + 1\"",
        "Количество совпадений \"значений - 1\"",
        "Количество совпадений \"значений + 2\"",
        "Количество совпадений \"значений - 2\"",
    };
    std::vector<std::string> codes(std::begin(kValueCodes), std::end(kValueCodes));
    codes.insert(codes.end(), std::begin(kCountCodes), std::end(kCountCodes));
    const int first = f.list.IndexOfCode("LENS") + 1;
    for (size_t k = 0; k < codes.size(); ++k) {
        const int i = f.list.IndexOfCode(codes[k]);
        EXPECT_EQ(i, first + int(k)) << codes[k];
        EXPECT_EQ(f.list.Items(i).Caption(), captions[k]);
        EXPECT_FALSE(f.list.HasGraph(i)) << codes[k];
        EXPECT_TRUE(f.list.Items(i).HasValueList()) << codes[k];
    }
    EXPECT_EQ(f.list.IndexOfCode("PRC2O1"), -1);
    EXPECT_EQ(f.list.DisplayCaption(f.list.IndexOfCode("PRC+1"), true),
              "{ rep } Количество совпадений \"значений + 1\" [ D ]");
}

TEST(RepeatStats, ValueTextsAndParsing) {
    ExpectValueTexts(FamilyFixture{}, {
        {"RPV2", KeyRec(7), "7", 7},
        {"PRV-2", KeyRec(49), "49", 49},
        {"RPC2", KeyRec(0), "0", 0},
        {"PRC+1", KeyRec(5), "5", 5},
    });
}

TEST(RepeatStats, DomainsComeFromTheReferenceDraw) {
    FamilyFixture f(RepeatDraws());
    struct Case {
        const char* code;
        V values;
    } cases[] = {
        // The reference draw in stored order, shifted: 50 + 1 is 1, 1 - 2 is 49.
        {"RPV2", {"17x0", "7x0", "41x0", "50x0", "1x0"}},
        {"PRV2O1", {"17x0", "7x0", "41x0", "50x0", "1x0"}},
        {"RPV3", {"17x0", "7x0", "41x0", "50x0", "1x0"}},
        {"PRV+1", {"18x0", "8x0", "42x0", "1x0", "2x0"}},
        {"PRV-1", {"16x0", "6x0", "40x0", "49x0", "50x0"}},
        {"PRV+2", {"19x0", "9x0", "43x0", "2x0", "3x0"}},
        {"PRV-2", {"15x0", "5x0", "39x0", "48x0", "49x0"}},
        {"RPC2", {"1x0", "2x0", "3x0", "4x0", "5x0"}},
        {"PRC-2", {"1x0", "2x0", "3x0", "4x0", "5x0"}},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        TStatDrawArray list;
        s->ListAllValues(kLast, list);
        EXPECT_EQ(Texts(*s, list), c.values) << c.code;
    }
    // Without draws there is no reference draw and no value.
    FamilyFixture empty;
    EXPECT_EQ(DomainTexts(*empty.Stat("RPV2")), V{});
    EXPECT_EQ(DomainTexts(*empty.Stat("RPC2")), (V{"1x0", "2x0", "3x0", "4x0", "5x0"}));
}

// The whole archive as the window (reference draw 16); the sorted switch changes nothing.
TEST(RepeatStats, WindowDistributions) {
    FamilyFixture f(RepeatDraws());
    struct Case {
        const char* code;
        V values;
    } cases[] = {
        {"RPV2", {"17x3", "7x1", "41x1", "50x0", "1x2"}},
        {"RPV3", {"17x2", "7x0", "41x0", "50x0", "1x1"}},
        {"PRL2", {"17x1", "7x1", "41x1", "50x0", "1x1"}},
        // Draw i against draw i - 2, i - 3, i - 4, still restricted to the reference draw.
        {"PRV2O1", {"17x3", "7x0", "41x0", "50x0", "1x2"}},
        {"PRV2O2", {"17x2", "7x0", "41x0", "50x0", "1x1"}},
        {"PRV2O3", {"17x1", "7x0", "41x0", "50x1", "1x1"}},
        // 1 of draw 13 is 50 + 1 of draw 11; 49 of draw 13 is 1 - 1 and 1 - 2 of draw 11.
        {"PRV+1", {"18x1", "8x0", "42x0", "1x1", "2x1"}},
        {"PRV-1", {"16x0", "6x0", "40x0", "49x1", "50x0"}},
        {"PRV+2", {"19x0", "9x0", "43x0", "2x0", "3x1"}},
        {"PRV-2", {"15x0", "5x0", "39x0", "48x0", "49x1"}},
        // A count of 0 joins the list after the domain, with the first draw that has it.
        {"RPC2", {"1x1", "2x1", "3x2", "4x0", "5x0", "0x2"}},
        {"RPC3", {"1x1", "2x0", "3x1", "4x0", "5x0", "0x4"}},
        {"PRB2", {"1x1", "2x2", "3x0", "4x0", "5x0", "0x3"}},
        {"RPO1", {"1x1", "2x1", "3x1", "4x0", "5x0", "0x3"}},
        {"PRC2O2", {"1x0", "2x2", "3x0", "4x0", "5x0", "0x4"}},
        {"PRC2O3", {"1x0", "2x0", "3x1", "4x0", "5x0", "0x5"}},
        {"PRC+1", {"1x2", "2x1", "3x0", "4x1", "5x0", "0x2"}},
        {"PRC-1", {"1x3", "2x0", "3x0", "4x0", "5x0", "0x3"}},
        {"PRC+2", {"1x3", "2x0", "3x0", "4x0", "5x0", "0x3"}},
        {"PRC-2", {"1x3", "2x0", "3x0", "4x0", "5x0", "0x3"}},
    };
    for (const auto& c : cases)
        for (bool sorted : {false, true})
            EXPECT_EQ(WindowTexts(*f.Stat(c.code), kLast, 6, sorted), c.values) << c.code << " sorted " << sorted;
    // Every draw of 11..14 repeats a number of the draw before: no row for 0.
    EXPECT_EQ(WindowTexts(*f.Stat("RPC2"), 3, 3, false), (V{"1x1", "2x0", "3x2", "4x0", "5x0"}));
}

TEST(RepeatStats, RepeatAcrossAGapInTheNumbering) {
    FamilyFixture f(RepeatDraws());
    // Draw 13 is compared with draw 11, the draw before it in the archive.
    EXPECT_EQ(DrawTexts(*f.Stat("RPC2"), 2, kLast, false), V{"3x1"});
    EXPECT_EQ(DrawTexts(*f.Stat("RPV2"), 2, kLast, false), (V{"1x1", "17x1"}));
    // 17 repeated in draws 11, 13 and 14: gaps in draw numbers 2 and 1.
    auto s = f.Stat("RPV2");
    TStatDrawArray list;
    ComputeStatDistribution(*s, kLast, 6, false, list);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].Count, 3);
    EXPECT_EQ(list[0].DrawNo, 14);
    EXPECT_EQ(list[0].Age, 3);
    EXPECT_EQ(list[0].MinGap, 1);
    EXPECT_EQ(list[0].MaxGap, 2);
}

// Before the first draw (or the first d draws) there is no earlier draw: a values statistic adds
// nothing and a count statistic adds 0, whatever the shift. The first draw holds 1, 2, 48 and 49,
// what the zeros of a missing draw would become after a shift, and the reference draw (50, 1, 3,
// 4, 47) shifts onto them.
TEST(RepeatStats, FirstDrawsHaveNoEarlierDraw) {
    FamilyFixture f({MakeDraw(1, {1, 2, 48, 49, 10}), MakeDraw(2, {50, 1, 3, 4, 47})});
    for (const char* code : kValueCodes) EXPECT_EQ(DrawTexts(*f.Stat(code), 0, 1, false), V{}) << code;
    for (const char* code : kCountCodes) EXPECT_EQ(DrawTexts(*f.Stat(code), 0, 1, false), V{"0x1"}) << code;
    // The second draw has the first before it, but nothing two or more draws back.
    struct Case {
        const char* code;
        V values;
    } second[] = {
        {"RPV2", {"1x1"}},  {"PRV2O1", {}},     {"RPV3", {}},       {"PRL2", {"1x1"}},  {"PRV+1", {}},
        {"PRV-1", {"50x1"}}, {"PRV+2", {"3x1"}}, {"PRV-2", {}},      {"RPC2", {"1x1"}},  {"RPO1", {"0x1"}},
        {"PRC2O3", {"0x1"}}, {"RPC3", {"0x1"}},  {"PRB2", {"1x1"}},  {"PRC+1", {"2x1"}}, {"PRC-1", {"3x1"}},
        {"PRC+2", {"4x1"}},  {"PRC-2", {"2x1"}},
    };
    for (const auto& c : second) EXPECT_EQ(DrawTexts(*f.Stat(c.code), 1, 1, false), c.values) << c.code;
}

// A values filter looks for selected numbers in the combination; a count filter counts the
// combination's numbers as the draw after the reference draw: against draw L + 1 - d (shifted),
// or draws L and L - 1 for the three-draw counts.
TEST(RepeatStats, FilterTests) {
    FamilyFixture f(RepeatDraws());
    struct Case {
        const char* code;
        TStatDrawArray selected;
        int lastIndex;
        TCombination comb;
        bool keeps;
    } cases[] = {
        {"RPV2", {KeyRec(17)}, kLast, {1, 2, 3, 4, 17}, true},
        {"RPV2", {KeyRec(17)}, kLast, {2, 3, 4, 5, 6}, false},
        {"RPV2", {KeyRec(17, 1)}, kLast, {1, 2, 3, 4, 17}, false},
        {"RPV2", {}, kLast, {1, 2, 3, 4, 17}, false},
        {"PRV+1", {KeyRec(9), KeyRec(18)}, kLast, {10, 18, 20, 30, 40}, true},
        {"PRV2O3", {KeyRec(50)}, 0, {1, 2, 3, 4, 50}, true},
        // Against the reference draw 17, 7, 41, 50, 1.
        {"RPC2", {KeyRec(1)}, kLast, {1, 2, 3, 4, 5}, true},
        {"RPC2", {KeyRec(5)}, kLast, {1, 7, 17, 41, 50}, true},
        {"RPC2", {KeyRec(0)}, kLast, {2, 3, 4, 5, 6}, true},
        {"RPC2", {KeyRec(1)}, kLast, {2, 3, 4, 5, 6}, false},
        {"RPC2", {KeyRec(5)}, 4, {3, 7, 18, 41, 46}, true},
        // Draw i - 2, i - 3, i - 4 for draw L + 1: draws 15, 14, 13.
        {"RPO1", {KeyRec(3)}, kLast, {3, 7, 18, 20, 30}, true},
        {"RPO1", {KeyRec(2)}, kLast, {3, 7, 18, 20, 30}, false},
        {"PRC2O2", {KeyRec(5)}, kLast, {1, 2, 6, 17, 45}, true},
        {"PRC2O3", {KeyRec(5)}, kLast, {1, 6, 17, 20, 49}, true},
        // The reference draw shifted: +1 gives 18, 8, 42, 1, 2; -2 gives 15, 5, 39, 48, 49.
        {"PRC+1", {KeyRec(5)}, kLast, {1, 2, 8, 18, 42}, true},
        {"PRC+1", {KeyRec(1)}, kLast, {1, 7, 17, 41, 50}, true},
        {"PRC-2", {KeyRec(5)}, kLast, {5, 15, 39, 48, 49}, true},
        {"PRC-2", {KeyRec(0)}, kLast, {1, 7, 17, 41, 50}, true},
        // In draws 16 and 15: 7, 41; in draw 16 and not in 15: 17, 50, 1.
        {"RPC3", {KeyRec(2)}, kLast, {1, 2, 3, 7, 41}, true},
        {"RPC3", {KeyRec(3)}, kLast, {1, 2, 3, 7, 41}, false},
        {"PRB2", {KeyRec(3)}, kLast, {1, 7, 9, 17, 50}, true},
        // At the first draw there is nothing before it.
        {"RPC3", {KeyRec(0)}, 0, {2, 5, 17, 33, 48}, true},
        {"RPO1", {KeyRec(0)}, 0, {2, 5, 17, 33, 48}, true},
        {"RPC2", {KeyRec(5)}, 0, {2, 5, 17, 33, 48}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Keeps(*f.Stat(c.code), c.comb, c.selected, c.lastIndex), c.keeps)
            << c.code << " at " << c.lastIndex << " case " << (&c - cases);
        // The test alone, without the filter's LoadDraw, judges the same way.
        EXPECT_EQ(f.Stat(c.code)->CombinationMatches(c.comb, c.selected, false, false, c.lastIndex), c.keeps)
            << c.code << " at " << c.lastIndex << " case " << (&c - cases);
    }
}

TEST(RepeatStats, CountZeroKeepsTheCombinationsMissingTheReferenceDraw) {
    FamilyFixture f(RepeatDraws());
    const uint64_t none = Choose(45, 5);
    EXPECT_EQ(KeptAt(*f.Stat("RPC2"), {KeyRec(0)}, kLast), none);
    EXPECT_EQ(KeptAt(*f.Stat("RPC2"), {KeyRec(1), KeyRec(2), KeyRec(3), KeyRec(4), KeyRec(5)}, kLast),
              kCombinationTotal - none);
    EXPECT_EQ(KeptAt(*f.Stat("RPC3"), {KeyRec(0)}, 0), size_t(kCombinationTotal));
}
