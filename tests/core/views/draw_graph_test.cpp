// The draw graph: its points over the analysis window, the mean and the most frequent value.
#include "core/views/draw_graph.h"

#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "../../test_draws.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

std::string Text(const TDrawGraph& g) {
    std::string s;
    for (const auto& p : g.Points) s += (s.empty() ? "" : " ") + std::to_string(p.DrawNumber) + ":" + std::to_string(p.Value);
    return s;
}

} // namespace

TEST(DrawGraph, ModeIsTheMostFrequentValueTiesGoingToTheFirstMet) {
    struct Case {
        std::vector<int32_t> Values;
        int32_t Mode;
    } cases[] = {
        {{}, 0}, {{5}, 5}, {{3, 7, 7, 3}, 3}, {{3, 7, 7}, 7}, {{2, 9, 9, 2, 2}, 2}, {{-4, 6, -4}, -4}, {{1, 2, 3}, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(GraphMode(c.Values), c.Mode) << ::testing::PrintToString(c.Values);
}

TEST(DrawGraph, PlotsTheLastDrawsOfTheWindowOldestFirst) {
    // Draw k of TenDraws sums to 5k + 100.
    struct Case {
        int Offset, Length;
        const char* Points;
        double Mean;
        int32_t Mode;
    } cases[] = {
        {0, 3, "8:140 9:145 10:150", 145, 140},  // three values once each: the oldest is the mode
        {0, 1, "10:150", 150, 150},
        {2, 3, "6:130 7:135 8:140", 135, 130},   // offset 2 ends the graph two draws before the latest
        {7, 100, "1:105 2:110 3:115", 110, 105}, // a length beyond the window plots all of it
        {0, 0, "", 0, 0},
    };
    for (const Case& c : cases) {
        TDrawsArchive a;
        a.Draws = TenDraws();
        a.SetDrawsOffset(c.Offset);
        TStatList list;
        list.Bind(a.Draws);
        list.Build();
        const TDrawGraph g = ComputeDrawGraph(list, GraphMethodIndex(list, "SUMS"), a, c.Length);
        EXPECT_EQ(Text(g), c.Points) << c.Offset << " " << c.Length;
        EXPECT_DOUBLE_EQ(g.Mean, c.Mean) << c.Offset << " " << c.Length;
        EXPECT_EQ(g.Mode, c.Mode) << c.Offset << " " << c.Length;
    }
}

TEST(DrawGraph, ModeAndMeanOfRepeatedValues) {
    TDrawsArchive a;
    // Sums 15, 20, 20, 15, 15: the mode is 15 (three times); the mean 17.
    a.Draws = {MakeDraw(1, {1, 2, 3, 4, 5}), MakeDraw(2, {1, 2, 3, 4, 10}), MakeDraw(3, {10, 1, 2, 3, 4}),
               MakeDraw(4, {5, 4, 3, 2, 1}), MakeDraw(5, {1, 2, 3, 4, 5})};
    TStatList list;
    list.Bind(a.Draws);
    list.Build();
    const int sums = GraphMethodIndex(list, "SUMS");
    TDrawGraph g = ComputeDrawGraph(list, sums, a, 100);
    EXPECT_EQ(Text(g), "1:15 2:20 3:20 4:15 5:15");
    EXPECT_DOUBLE_EQ(g.Mean, 17);
    EXPECT_EQ(g.Mode, 15);
    // The last four: 20 twice, then 15 twice; 20 came first.
    g = ComputeDrawGraph(list, sums, a, 4);
    EXPECT_EQ(g.Mode, 20);
    EXPECT_DOUBLE_EQ(g.Mean, 17.5);
}

TEST(DrawGraph, EachDrawIsSeenAsTheSortedSwitchShowsIt) {
    // POS1, the number in the first position: the drawn order, or the least number when sorted.
    for (bool sorted : {false, true}) {
        TDrawsArchive a;
        a.Draws = {MakeDraw(1, {30, 1, 2, 3, 4}), MakeDraw(2, {5, 40, 6, 7, 8}), MakeDraw(3, {45, 9, 10, 11, 12})};
        a.Sorted = sorted;
        TStatList list;
        list.Bind(a.Draws);
        list.Build();
        const TDrawGraph g = ComputeDrawGraph(list, GraphMethodIndex(list, "POS1"), a, 3);
        EXPECT_EQ(Text(g), sorted ? "1:1 2:5 3:9" : "1:30 2:5 3:45");
        EXPECT_DOUBLE_EQ(g.Mean, sorted ? 5 : 80.0 / 3);
    }
}

TEST(DrawGraph, EmptyArchiveHasNoPoints) {
    TDrawsArchive a;
    TStatList list;
    list.Bind(a.Draws);
    list.Build();
    const TDrawGraph g = ComputeDrawGraph(list, GraphMethodIndex(list, "SUMS"), a, 100);
    EXPECT_TRUE(g.Points.empty());
    EXPECT_EQ(g.Mean, 0);
    EXPECT_EQ(g.Mode, 0);
}

TEST(DrawGraph, OnlyMethodsWithAGraphAreOffered) {
    TStatList list;
    list.Build();
    EXPECT_THROW(GraphMethodIndex(list, "NO-SUCH-CODE"), Error);
    int withGraph = 0, without = 0;
    for (int i = 0; i < list.Count(); ++i) {
        if (IsGraphMethod(list, i)) {
            ++withGraph;
            EXPECT_EQ(GraphMethodIndex(list, list.Items(i).Code()), i);
        } else if (list.IsAvailable(i) && list.CanShowInTable(i)) {
            ++without;
            EXPECT_THROW(GraphMethodIndex(list, list.Items(i).Code()), Error) << list.Items(i).Code();
        }
    }
    EXPECT_GT(withGraph, 0);
    EXPECT_GT(without, 0);
}
