// The repeats analysis: the rows of shared numbers per analysed draw, their order, the depth and
// length bounds, the chart series and the number masks it compares.
#include "core/views/repeats_analysis.h"

#include "core/model/game.h"
#include "../../test_draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

// 2 shares 1 and 2 with 1; 3 shares nothing with any; 4 is 1 in another order and shares 1, 2
// with 2; 5 shares one number with each of 1..4; 6 shares none with 5 and one with each of 1..4.
TDrawsArray RepeatDraws() {
    return {MakeDraw(1, {1, 2, 3, 4, 5}),      MakeDraw(2, {1, 2, 6, 7, 8}),      MakeDraw(3, {10, 11, 12, 13, 14}),
            MakeDraw(4, {5, 4, 3, 2, 1}),      MakeDraw(5, {1, 10, 20, 30, 40}), MakeDraw(6, {2, 11, 21, 31, 41})};
}

// Rows as "draw|shared|count|draws" joined by " / ".
std::string Text(const TRepeatsAnalysis& a) {
    std::string s;
    for (const TRepeatsRow& r : a.Rows)
        s += (s.empty() ? "" : " / ") + std::to_string(r.Draw) + "|" + std::to_string(r.Shared) + "|" +
             std::to_string(r.Count) + "|" + a.ListText(r);
    return s;
}

std::string Text(const std::vector<TRepeatsSeries>& series) {
    std::string s;
    for (const TRepeatsSeries& x : series) {
        s += (s.empty() ? "" : " / ") + x.Title + ":";
        for (const TRepeatsPoint& p : x.Points) s += " " + std::to_string(p.Draw) + "=" + std::to_string(p.Count);
    }
    return s;
}

class StopAtOnce : public TProgressSink {
public:
    bool StopRequested() override { return true; }
};

} // namespace

TEST(RepeatsAnalysis, RowsPerAnalysedDrawAndSharedCount) {
    struct Case {
        int Length, Depth;
        const char* Rows;
        int32_t Max;
    } cases[] = {
        // Newest first; draw 4 meets 2 numbers (draw 2) before 5 (draw 1); draws 3 and 1 give no row.
        {100, 100, "6|1|4|4 3 2 1 / 5|1|4|4 3 2 1 / 4|2|1|2 / 4|5|1|1 / 2|2|1|1", 5},
        {1, 100, "6|1|4|4 3 2 1", 1},  // the latest draw alone
        {3, 100, "6|1|4|4 3 2 1 / 5|1|4|4 3 2 1 / 4|2|1|2 / 4|5|1|1", 5},
        {100, 1, "5|1|1|4 / 2|2|1|1", 2},  // each draw against the one before it
        {100, 2, "6|1|1|4 / 5|1|2|4 3 / 4|2|1|2 / 2|2|1|1", 2},
        {2, 3, "6|1|2|4 3 / 5|1|3|4 3 2", 1},
        {0, 100, "", 0},
        {100, 0, "", 0},
    };
    for (const Case& c : cases) {
        const TRepeatsAnalysis a = AnalyzeRepeats(RepeatDraws(), c.Length, c.Depth);
        EXPECT_EQ(Text(a), c.Rows) << c.Length << " " << c.Depth;
        EXPECT_EQ(a.Max, c.Max) << c.Length << " " << c.Depth;
        EXPECT_FALSE(a.Stopped);
    }
    EXPECT_EQ(Text(AnalyzeRepeats({}, 100, 100)), "");
    EXPECT_EQ(Text(AnalyzeRepeats({MakeDraw(7, {1, 2, 3, 4, 5})}, 100, 100)), "");
}

TEST(RepeatsAnalysis, ChartHasASeriesPerSharedCountUpToMax) {
    EXPECT_EQ(Text(RepeatsChartSeries(AnalyzeRepeats(RepeatDraws(), 100, 100))),
              "Совпадений: 1: 5=4 6=4 / Совпадений: 2: 2=1 4=1 / Совпадений: 3: / Совпадений: 4: / "
              "Совпадений: 5: 4=1");
    EXPECT_EQ(Text(RepeatsChartSeries(AnalyzeRepeats(RepeatDraws(), 100, 1))),
              "Совпадений: 1: 5=1 / Совпадений: 2: 2=1");
    // Draws sharing no number give no row, no point and no series.
    EXPECT_EQ(Text(RepeatsChartSeries(AnalyzeRepeats({MakeDraw(1, {1, 2, 3, 4, 5}), MakeDraw(2, {6, 7, 8, 9, 10})}, 10, 10))),
              "");
}

TEST(RepeatsAnalysis, MasksCountTheSameSharedNumbersAsThePairwiseComparison) {
    const TDrawsArray draws = MakeSampleDraws(300, 11);
    for (size_t i = 0; i < draws.size(); ++i)
        for (size_t j = 0; j < draws.size(); ++j)
            ASSERT_EQ(std::popcount(DrawNumberMask(draws[i]) & DrawNumberMask(draws[j])), DrawCommonCount(draws[i], draws[j]))
                << i << " " << j;
    // Stored numbers outside 1..50 are no numbers.
    EXPECT_EQ(DrawNumberMask(MakeDraw(1, {0, 0, 0, 51, 64})), 0u);
    EXPECT_EQ(DrawNumberMask(MakeDraw(1, {1, 50, 0, 0, 0})), (uint64_t(1) << 1) | (uint64_t(1) << 50));
}

TEST(RepeatsAnalysis, RowsCountEveryComparedPair) {
    // Over a sample archive, the draws of each row share exactly its count with the row's draw and
    // every predecessor within the depth that shares any number is listed once.
    const TDrawsArray draws = MakeSampleDraws(400, 5);
    const int length = 150, depth = 40;
    const TRepeatsAnalysis a = AnalyzeRepeats(draws, length, depth);
    int64_t listed = 0, sharing = 0;
    for (int p = int(draws.size()) - length; p < int(draws.size()); ++p)
        for (int q = std::max(0, p - depth); q < p; ++q) sharing += DrawCommonCount(draws[size_t(p)], draws[size_t(q)]) > 0;
    for (const TRepeatsRow& r : a.Rows) {
        const TDrawRecord& d = draws[size_t(r.Draw - draws.front().Number)];
        for (int k = 0; k < r.Count; ++k) {
            const int32_t other = a.Draws[r.First + uint32_t(k)];
            EXPECT_LT(other, r.Draw);
            EXPECT_GE(other, r.Draw - depth);
            if (k) {
                EXPECT_LT(other, a.Draws[r.First + uint32_t(k) - 1]);
            }
            EXPECT_EQ(DrawCommonCount(d, draws[size_t(other - draws.front().Number)]), r.Shared);
        }
        listed += r.Count;
    }
    EXPECT_EQ(listed, sharing);
}

// The rows as the list of the window builds them: for each analysed draw, newest first, each
// predecessor either starts the row of its shared count or joins it.
std::string PlainRows(const TDrawsArray& draws, int length, int depth) {
    struct Row {
        int32_t Draw, Shared, Count;
        std::string List;
    };
    std::vector<Row> rows;
    const int last = int(draws.size()) - 1;
    for (int p = last; p >= std::max(0, last - length + 1); --p) {
        const size_t start = rows.size();
        for (int q = p - 1; q >= std::max(0, p - depth); --q) {
            const int m = DrawCommonCount(draws[size_t(p)], draws[size_t(q)]);
            if (m == 0) continue;
            size_t r = start;
            while (r < rows.size() && rows[r].Shared != m) ++r;
            if (r == rows.size())
                rows.push_back({draws[size_t(p)].Number, m, 1, std::to_string(draws[size_t(q)].Number)});
            else {
                ++rows[r].Count;
                rows[r].List += " " + std::to_string(draws[size_t(q)].Number);
            }
        }
    }
    std::string s;
    for (const Row& r : rows)
        s += (s.empty() ? "" : " / ") + std::to_string(r.Draw) + "|" + std::to_string(r.Shared) + "|" +
             std::to_string(r.Count) + "|" + r.List;
    return s;
}

TEST(RepeatsAnalysis, GivesTheRowsOfThePlainRowByRowBuild) {
    const TDrawsArray draws = MakeSampleDraws(700, 21);
    struct Case {
        int Length, Depth;
    } cases[] = {{1, 100}, {100, 100}, {700, 30}, {2000, 1}, {50, 5000}, {699, 700}};
    for (const Case& c : cases)
        EXPECT_EQ(Text(AnalyzeRepeats(draws, c.Length, c.Depth)), PlainRows(draws, c.Length, c.Depth))
            << c.Length << " " << c.Depth;
}

TEST(RepeatsAnalysis, StopsWhenAsked) {
    StopAtOnce stop;
    const TRepeatsAnalysis a = AnalyzeRepeats(RepeatDraws(), 100, 100, stop);
    EXPECT_TRUE(a.Stopped);
    EXPECT_TRUE(a.Rows.empty());
}
