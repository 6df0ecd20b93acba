#include "core/stats/diff_stats.h"

#include "family_test_util.h"

#include <gtest/gtest.h>

#include <map>

using namespace velmora;
using namespace velmora::test;

namespace {

// Draws 301..303 in drawn order: ascending they are 7 8 20 21 40, 2 3 4 10 45 and 1 5 6 7 20.
TDrawsArray OrderDraws() {
    return {MakeDraw(301, {8, 7, 20, 21, 40}), MakeDraw(302, {45, 2, 3, 4, 10}), MakeDraw(303, {20, 7, 6, 5, 1})};
}

} // namespace

TEST(DiffStats, ClassesCaptionsAndPlaceInTheList) {
    FamilyFixture f;
    struct Case {
        const char* code;
        const char* display;  // with the group and the flags
        bool valueList;
    } cases[] = {
        {"DIFA", "{ dif } Все разности между соседними позициями [ SN ]", true},
        {"DIFM", "{ dif } Максимальная разность между соседними позициями [ SNG ]", true},
        {"DIFD", "{ dif } Разность между минимальным и максимальным числом [ NG ]", true},
        {"DIFO", "{ dif } Одинаковые разности между соседними позициями [ SN ]", false},
        {"DIFK", "{ dif } Количество одинаковых разностей между соседними позициями [ SNG ]", true},
        {"SEQL", "{ seq } Длина последовательности в тираже [ SN ]", true},
        {"SEQS", "{ seq } Количество последовательностей в тираже [ SNG ]", true},
        {"LENS", "{ seq } Макс. длина последовательности в тираже [ SNG ]", true},
        {"KDS2", "{ dif } Сочетания из 2 разностей между числами [ S ]", false},
        {"KDS3", "{ dif } Сочетания из 3 разностей между числами [ S ]", false},
        {"KDS4", "{ dif } Сочетания из 4 разностей между числами [ S ]", false},
    };
    for (const auto& c : cases) {
        const int i = f.list.IndexOfCode(c.code);
        ASSERT_GE(i, 0) << c.code;
        EXPECT_EQ(f.list.DisplayCaption(i, true), c.display);
        EXPECT_EQ(f.list.Items(i).HasValueList(), c.valueList) << c.code;
        EXPECT_FALSE(f.list.Items(i).StatClass->HasParam()) << c.code;
    }
    // DIFA..DIFK follow the sum statistics; SEQL, SEQS, LENS and KDS2..KDS4 keep their order
    // and come before the position statistics.
    const int difa = f.list.IndexOfCode("DIFA");
    EXPECT_EQ(difa, f.list.IndexOfCode("S2T3") + 1);
    EXPECT_EQ(f.list.IndexOfCode("DIFK"), difa + 4);
    const int seql = f.list.IndexOfCode("SEQL"), kds2 = f.list.IndexOfCode("KDS2");
    EXPECT_GT(seql, f.list.IndexOfCode("DIFK"));
    EXPECT_EQ(f.list.IndexOfCode("LENS"), seql + 2);
    EXPECT_GT(kds2, f.list.IndexOfCode("LENS"));
    EXPECT_EQ(f.list.IndexOfCode("KDS4"), kds2 + 2);
    EXPECT_LT(f.list.IndexOfCode("KDS4"), f.list.IndexOfCode("POS1"));
}

TEST(DiffStats, CombinationValues) {
    FamilyFixture f;
    struct Case {
        const char* code;
        TCombination comb;
        V values;
    } cases[] = {
        // Equal differences add up.
        {"DIFA", {3, 6, 9, 12, 30}, {"3x3", "18x1"}},
        {"DIFA", {1, 2, 3, 4, 5}, {"1x4"}},
        {"DIFA", {1, 5, 6, 7, 20}, {"4x1", "1x2", "13x1"}},
        {"DIFM", {3, 6, 9, 12, 30}, {"18x1"}},
        {"DIFM", {1, 2, 3, 4, 50}, {"46x1"}},
        {"DIFD", {1, 2, 3, 4, 5}, {"4x1"}},
        {"DIFD", {1, 20, 30, 40, 50}, {"49x1"}},
        {"DIFO", {3, 6, 9, 12, 30}, {"3 x 3x1", "18 x 1x1"}},
        {"DIFO", {1, 2, 3, 4, 5}, {"1 x 4x1"}},
        {"DIFO", {1, 5, 6, 7, 20}, {"4 x 1x1", "1 x 2x1", "13 x 1x1"}},
        {"DIFK", {3, 6, 9, 12, 30}, {"3x1"}},
        {"DIFK", {1, 2, 3, 4, 5}, {"4x1"}},
        {"DIFK", {1, 3, 7, 15, 31}, {"1x1"}},
        // Runs, singletons included.
        {"SEQL", {1, 2, 3, 10, 11}, {"3x1", "2x1"}},
        {"SEQL", {1, 5, 6, 7, 20}, {"1x2", "3x1"}},
        {"SEQL", {5, 9, 13, 20, 44}, {"1x5"}},
        {"SEQL", {1, 2, 3, 4, 5}, {"5x1"}},
        {"SEQS", {1, 2, 3, 10, 11}, {"2x1"}},
        {"SEQS", {7, 8, 9, 10, 11}, {"1x1"}},
        {"SEQS", {5, 9, 13, 20, 44}, {"0x1"}},
        {"SEQS", {1, 2, 4, 5, 7}, {"2x1"}},
        {"SEQS", {1, 3, 4, 6, 7}, {"2x1"}},
        {"LENS", {1, 5, 6, 7, 20}, {"3x1"}},
        {"LENS", {5, 9, 13, 20, 44}, {"1x1"}},
        {"LENS", {1, 2, 3, 4, 5}, {"5x1"}},
        {"LENS", {1, 2, 4, 5, 6}, {"3x1"}},
        // A combination's windows are tested but not collected.
        {"KDS2", {1, 5, 6, 7, 20}, {}},
        {"KDS4", {1, 5, 6, 7, 20}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(CombinationTexts(*f.Stat(c.code), c.comb), c.values) << c.code;
}

TEST(DiffStats, ValueTextsAndParsing) {
    ExpectValueTexts(FamilyFixture{}, {
        {"DIFA", KeyRec(18), "18", 18},  {"DIFM", KeyRec(46), "46", 46},
        {"DIFD", KeyRec(49), "49", 49},  {"DIFK", KeyRec(4), "4", 4},
        {"SEQL", KeyRec(3), "3", 3},     {"SEQS", KeyRec(0), "0", 0},
        {"LENS", KeyRec(5), "5", 5},     {"DIFO", KeyRec(3, 3), "3 x 3", 0},
        {"DIFO", KeyRec(18, 1), "18 x 1", 0},
        {"KDS2", KeyRec(3, 12), "3:12", 0},
        {"KDS3", KeyRec(1, 1, 13), "1:1:13", 0},
        {"KDS4", KeyRec(4, 1, 1, 13), "4:1:1:13", 0},
    });
}

TEST(DiffStats, DomainLists) {
    FamilyFixture f;
    auto range = [](int from, int to) {
        V v;
        for (int i = from; i <= to; ++i) v.push_back(std::to_string(i) + "x0");
        return v;
    };
    struct Case {
        const char* code;
        V values;
    } cases[] = {
        {"DIFA", range(1, 49)}, {"DIFM", range(1, 49)}, {"DIFD", range(1, 49)}, {"DIFK", range(1, 4)},
        {"SEQL", range(1, 5)},  {"SEQS", range(0, 2)},  {"LENS", range(1, 5)},  {"DIFO", {}},
        {"KDS2", {}},           {"KDS3", {}},           {"KDS4", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(DomainTexts(*f.Stat(c.code)), c.values) << c.code;
}

// A draw's positions are its drawn order unless the numbers are sorted; the differences are
// absolute either way.
TEST(DiffStats, DrawValuesInDrawnOrderAndSorted) {
    FamilyFixture f(OrderDraws());
    struct Case {
        const char* code;
        int index;
        V drawn;
        V sorted;
    } cases[] = {
        // 8 7 20 21 40 / 7 8 20 21 40
        {"DIFA", 0, {"1x2", "13x1", "19x1"}, {"1x2", "12x1", "19x1"}},
        {"SEQL", 0, {"1x3", "2x1"}, {"2x2", "1x1"}},  // 8, 7 is not a run
        {"SEQS", 0, {"1x1"}, {"2x1"}},
        {"DIFD", 0, {"33x1"}, {"33x1"}},
        // 45 2 3 4 10 / 2 3 4 10 45
        {"DIFM", 1, {"43x1"}, {"35x1"}},
        {"SEQL", 1, {"1x2", "3x1"}, {"3x1", "1x2"}},
        {"DIFK", 1, {"2x1"}, {"2x1"}},
        {"DIFD", 1, {"43x1"}, {"43x1"}},
        // 20 7 6 5 1 / 1 5 6 7 20
        {"DIFO", 2, {"13 x 1x1", "1 x 2x1", "4 x 1x1"}, {"4 x 1x1", "1 x 2x1", "13 x 1x1"}},
        {"KDS2", 2, {"13:1x1", "1:1x1", "1:4x1"}, {"4:1x1", "1:1x1", "1:13x1"}},
        {"KDS3", 2, {"13:1:1x1", "1:1:4x1"}, {"4:1:1x1", "1:1:13x1"}},
        {"KDS4", 2, {"13:1:1:4x1"}, {"4:1:1:13x1"}},
        {"LENS", 2, {"1x1"}, {"3x1"}},  // descending neighbours are no run
        {"SEQS", 2, {"0x1"}, {"1x1"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DrawTexts(*f.Stat(c.code), c.index, 2, false), c.drawn) << c.code << " " << c.index;
        EXPECT_EQ(DrawTexts(*f.Stat(c.code), c.index, 2, true), c.sorted) << c.code << " " << c.index << " sorted";
    }
}

// The graph numbers of SEQS and LENS count neighbours that differ by 1 either way.
TEST(DiffStats, GraphNumbers) {
    FamilyFixture f(OrderDraws());
    struct Case {
        const char* code;
        int index;
        int32_t drawn;
        int32_t sorted;
    } cases[] = {
        {"SEQS", 0, 2, 2}, {"LENS", 0, 2, 2}, {"SEQS", 2, 1, 1}, {"LENS", 2, 3, 3}, {"LENS", 1, 3, 3},
        {"DIFM", 1, 43, 35}, {"DIFD", 1, 43, 43}, {"DIFK", 2, 2, 2}, {"DIFM", 0, 19, 19},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GraphNumber(*f.Stat(c.code), c.index, 2, false), c.drawn) << c.code << " " << c.index;
        EXPECT_EQ(GraphNumber(*f.Stat(c.code), c.index, 2, true), c.sorted) << c.code << " " << c.index;
    }
    EXPECT_EQ(CombGraphNumber(*f.Stat("LENS"), {5, 9, 13, 20, 44}, 0, 2, false), 1);
    EXPECT_EQ(CombGraphNumber(*f.Stat("SEQS"), {1, 2, 3, 4, 5}, 0, 2, false), 1);
}

TEST(DiffStats, FilterTests) {
    FamilyFixture f(OrderDraws());
    const TCombination a = {3, 6, 9, 12, 30}, b = {1, 5, 6, 7, 20};
    struct Case {
        const char* code;
        TStatDrawArray selected;
        TCombination comb;
        bool keeps;
    } cases[] = {
        {"DIFA", {KeyRec(18)}, a, true},
        {"DIFA", {KeyRec(4), KeyRec(5)}, a, false},
        {"DIFA", {KeyRec(3, 1)}, a, true},  // only Key[0] counts
        {"DIFM", {KeyRec(18)}, a, true},
        {"DIFM", {KeyRec(3)}, a, false},
        {"DIFD", {KeyRec(27)}, a, true},
        {"DIFD", {KeyRec(18)}, a, false},
        {"DIFO", {KeyRec(3, 3)}, a, true},
        {"DIFO", {KeyRec(18, 1)}, a, true},
        {"DIFO", {KeyRec(3, 1)}, a, false},
        {"DIFO", {KeyRec(3)}, a, false},
        {"DIFK", {KeyRec(3)}, a, true},
        {"DIFK", {KeyRec(1)}, a, false},
        // Every component of a window must match, the ones beyond it zero.
        {"KDS2", {KeyRec(3, 18)}, a, true},
        {"KDS2", {KeyRec(18, 3)}, a, false},
        {"KDS2", {KeyRec(3, 3, 3)}, a, false},
        {"KDS3", {KeyRec(1, 1, 13)}, b, true},
        {"KDS3", {KeyRec(4, 1, 1)}, b, true},
        {"KDS3", {KeyRec(1, 13)}, b, false},
        {"KDS4", {KeyRec(4, 1, 1, 13)}, b, true},
        {"KDS4", {KeyRec(4, 1, 1, 12)}, b, false},
        {"KDS4", {}, b, false},
        {"SEQL", {KeyRec(3)}, b, true},
        {"SEQL", {KeyRec(1)}, b, true},
        {"SEQL", {KeyRec(2)}, b, false},
        {"SEQS", {KeyRec(2)}, {1, 2, 3, 10, 11}, true},
        {"SEQS", {KeyRec(1)}, {1, 2, 3, 10, 11}, false},
        {"LENS", {KeyRec(1)}, {5, 9, 13, 20, 44}, true},
        {"LENS", {KeyRec(5)}, {1, 2, 3, 4, 5}, true},
        {"LENS", {KeyRec(4)}, {1, 2, 3, 4, 5}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Keeps(*f.Stat(c.code), c.comb, c.selected, 2), c.keeps) << c.code;
        EXPECT_EQ(f.Stat(c.code)->CombinationMatches(c.comb, c.selected, false, false, 2), c.keeps) << c.code;
    }
}

// Which merges of a draw measure gaps: DIFA only its first difference, KDS only its first
// window, DIFO and SEQL every value (a repeat within the draw is no gap).
TEST(DiffStats, WindowGaps) {
    // Differences 18 3 18 3, then 2 4 6 8, then 3 3 3 18.
    FamilyFixture diffs({MakeDraw(301, {1, 19, 22, 40, 43}), MakeDraw(302, {2, 4, 8, 14, 22}),
                         MakeDraw(303, {3, 6, 9, 12, 30})});
    // Runs 1 1 1 1 1, then 2 1 1 1, then 3 1 1 (draw 403 is missing).
    FamilyFixture runs({MakeDraw(401, {1, 5, 9, 20, 30}), MakeDraw(402, {1, 2, 10, 20, 30}),
                        MakeDraw(404, {3, 4, 5, 20, 30})});
    struct Case {
        const FamilyFixture& f;
        const char* code;
        const char* value;
        int count;
        int drawNo;
        int minGap;
        int maxGap;
    } cases[] = {
        {diffs, "DIFA", "3", 5, 303, 2, 2},     // first in 303: 301 -> 303
        {diffs, "DIFA", "18", 3, 303, 0, 0},    // never first after 301
        {diffs, "KDS2", "3:18", 2, 303, 0, 0},  // second window in 301, third in 303
        {diffs, "KDS2", "18:3", 2, 301, 0, 0},
        {diffs, "KDS2", "3:3", 2, 303, 0, 0},
        {diffs, "DIFO", "3 x 2", 1, 301, 0, 0},
        {runs, "SEQL", "1", 10, 404, 1, 2},
        {runs, "SEQL", "3", 1, 404, 0, 0},
        {runs, "LENS", "1", 1, 401, 0, 0},
        {runs, "SEQS", "1", 2, 404, 2, 2},
    };
    for (const auto& c : cases) {
        auto s = c.f.Stat(c.code);
        TStatDrawArray list;
        ComputeStatDistribution(*s, 2, 3, false, list);
        const TStatValueRec* found = nullptr;
        for (const auto& e : list)
            if (s->ValueToText(e) == c.value) found = &e;
        ASSERT_NE(found, nullptr) << c.code << " " << c.value;
        EXPECT_EQ(found->Count, c.count) << c.code << " " << c.value;
        EXPECT_EQ(found->DrawNo, c.drawNo) << c.code << " " << c.value;
        EXPECT_EQ(found->MinGap, c.minGap) << c.code << " " << c.value;
        EXPECT_EQ(found->MaxGap, c.maxGap) << c.code << " " << c.value;
    }
}

TEST(DiffStats, FullSetFigures) {
    FamilyFixture f;
    std::map<std::string, std::map<std::string, int64_t>> figures;
    std::map<std::string, int64_t> weighted;  // sum of value x count
    for (const char* code : {"DIFA", "DIFM", "DIFD", "DIFO", "DIFK", "SEQL", "SEQS", "LENS"}) {
        auto s = f.Stat(code);
        TStatDrawArray list;
        ComputeFullSetDistribution(*s, list);
        for (const auto& e : list) {
            figures[code][s->ValueToText(e)] = e.Count;
            weighted[code] += int64_t(e.Count) * (std::string(code) == "DIFO" ? e.Key.K[1] : e.Key.K[0]);
        }
    }
    const int64_t total = kCombinationTotal;
    // DIFA: four differences per combination; DIFO: the occurrences add up to four.
    int64_t difa = 0;
    for (const auto& [text, count] : figures["DIFA"]) difa += count;
    EXPECT_EQ(difa, 4 * total);
    EXPECT_EQ(weighted["DIFO"], 4 * total);
    // SEQL: the run lengths of a combination add up to 5.
    EXPECT_EQ(weighted["SEQL"], 5 * total);
    // DIFD v: the smallest number, v - 1 places between it and the largest for three numbers.
    EXPECT_EQ(figures["DIFD"].size(), 46u);
    for (int v = 4; v <= 49; ++v)
        EXPECT_EQ(uint64_t(figures["DIFD"].at(std::to_string(v))), uint64_t(50 - v) * Choose(v - 1, 3)) << v;
    // No two consecutive numbers: C(46, 5).
    EXPECT_EQ(uint64_t(figures["LENS"].at("1")), Choose(46, 5));
    EXPECT_EQ(uint64_t(figures["SEQS"].at("0")), Choose(46, 5));
    EXPECT_EQ(figures["LENS"].at("5"), 46);
    EXPECT_EQ(figures["DIFM"].at("1"), 46);
    // Four equal differences d: 50 - 4d progressions.
    int64_t progressions = 0;
    for (int d = 1; d <= 12; ++d) progressions += 50 - 4 * d;
    EXPECT_EQ(figures["DIFK"].at("4"), progressions);
    EXPECT_EQ(figures["SEQS"].size(), 3u);
}

// On ranks, the combinations that have one of a few selected windows of differences are
// enumerated: the survivors are the records pass's. Windows a combination of 1..50 cannot have
// (a difference of 0 or 50, a span over 49) mark nothing.
TEST(DiffStats, WindowsPassOnRanksEqualsThePassOnRecords) {
    FamilyFixture f;
    const std::pair<const char*, TStatDrawArray> cases[] = {
        {"KDS2", {KeyRec(3, 12), KeyRec(1, 1), KeyRec(0, 4), KeyRec(30, 20)}},
        {"KDS3", {KeyRec(1, 1, 13), KeyRec(46, 1, 1), KeyRec(2, 50, 1)}},
        {"KDS4", {KeyRec(4, 1, 1, 13), KeyRec(1, 1, 1, 1)}},
    };
    for (const auto& [code, selected] : cases) ExpectRanksPassAsRecords(f, code, selected);
}
