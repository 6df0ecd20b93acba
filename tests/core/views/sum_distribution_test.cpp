// The sum distribution: the theoretical list of all combinations, the actual list of the archive,
// the levels and the ranges of the common sums.
#include "core/views/sum_distribution.h"

#include "../../test_draws.h"

#include <gtest/gtest.h>

#include <string>

using namespace velmora;
using namespace velmora::test;

namespace {

std::string Text(const TStatSimpleArray& list) {
    std::string s;
    for (const auto& r : list) s += (s.empty() ? "" : " ") + std::to_string(r.Value) + ":" + std::to_string(r.Count);
    return s;
}

class StopAtOnce : public TProgressSink {
public:
    bool StopRequested() override { return true; }
};

} // namespace

TEST(SumDistribution, TheoreticalListLevelsAndRangesDoNotDependOnTheArchive) {
    const TDrawsArray archives[] = {TenDraws(), {MakeDraw(1, {46, 47, 48, 49, 50})}, {}};
    for (const TDrawsArray& draws : archives) {
        TDrawsArchive archive;
        archive.Draws = draws;
        const TSumDistribution d = ComputeSumDistribution(archive);
        ASSERT_FALSE(d.Stopped);
        ASSERT_EQ(d.Theoretical.size(), 226u);
        int64_t total = 0;
        for (size_t i = 0; i < d.Theoretical.size(); ++i) {
            EXPECT_EQ(d.Theoretical[i].Value, 15 + int(i));
            // Replacing each number n by 51 - n maps the sum s to 255 - s.
            EXPECT_EQ(d.Theoretical[i].Count, d.Theoretical[d.Theoretical.size() - 1 - i].Count);
            total += d.Theoretical[i].Count;
        }
        EXPECT_EQ(total, kCombinationTotal);
        EXPECT_EQ(d.Theoretical.front().Count, 1);
        EXPECT_EQ(d.Theoretical[20 - 15].Count, 7);  // sum 20: 15 plus the seven partitions of 5
        EXPECT_EQ(d.Theoretical[127 - 15].Count, 26476);
        EXPECT_EQ(d.Theoretical[128 - 15].Count, 26476);
        EXPECT_EQ(d.MinT, 1);
        EXPECT_EQ(d.MaxT, 26476);
        struct Range {
            int32_t Level, Low, High;
            const char* Title;
        } ranges[] = {{8826, 80, 175, "Диапазон 1 (от 1/3 и выше по оси Y) - суммы 80-175"},
                      {13239, 90, 165, "Диапазон 2 (от 1/2 и выше по оси Y) - суммы 90-165"},
                      {17651, 99, 156, "Диапазон 3 (от 2/3 и выше по оси Y) - суммы 99-156"}};
        for (int k = 0; k < kSumRangeCount; ++k) {
            EXPECT_EQ(d.Ranges[size_t(k)].Level, ranges[k].Level);
            EXPECT_EQ(d.Ranges[size_t(k)].Low, ranges[k].Low);
            EXPECT_EQ(d.Ranges[size_t(k)].High, ranges[k].High);
            EXPECT_EQ(d.Ranges[size_t(k)].Title, ranges[k].Title);
        }
    }
}

TEST(SumDistribution, ActualListCountsTheWholeArchive) {
    struct Case {
        TDrawsArray Draws;
        int Offset;
        const char* Actual;
        int32_t MaxA;
    } cases[] = {
        {{}, 0, "", 0},
        {TenDraws(), 0, "105:1 110:1 115:1 120:1 125:1 130:1 135:1 140:1 145:1 150:1", 1},
        {TenDraws(), 6, "105:1 110:1 115:1 120:1 125:1 130:1 135:1 140:1 145:1 150:1", 1},  // the offset does not apply
        {{MakeDraw(1, {1, 2, 3, 4, 5}), MakeDraw(2, {50, 49, 48, 47, 46}), MakeDraw(3, {5, 4, 3, 2, 1}),
          MakeDraw(4, {1, 2, 3, 4, 6})},
         3, "15:2 16:1 240:1", 2},
    };
    for (const Case& c : cases) {
        TDrawsArchive a;
        a.Draws = c.Draws;
        a.SetDrawsOffset(c.Offset);
        const TSumDistribution d = ComputeSumDistribution(a);
        EXPECT_EQ(Text(d.Actual), c.Actual);
        EXPECT_EQ(d.MaxA, c.MaxA);
        // The theoretical curve and the levels are scaled to the actual height.
        EXPECT_DOUBLE_EQ(d.ScaledHeight(d.MaxT), double(c.MaxA));
        EXPECT_DOUBLE_EQ(d.ScaledHeight(13238), c.MaxA * 0.5);
    }
}

TEST(SumDistribution, RangesScanEachHalfAndLeaveUnreachedBoundsAtZero) {
    struct Case {
        TStatSimpleArray Theoretical;
        int32_t L1, L2, L3;
        const char* Bounds;  // Low-High of the three ranges
    } cases[] = {
        // R = 5: the levels trunc(1 + 5/3) = 2, trunc(3.5) = 3, trunc(4.33) = 4; the upper half never
        // reaches 2.
        {{{1, 5}, {2, 1}, {3, 1}}, 2, 3, 4, "1-0 1-0 1-0"},
        // A symmetric hill: the scans meet at index size/2 = 2.
        {{{10, 1}, {11, 4}, {12, 9}, {13, 4}, {14, 1}}, 4, 5, 7, "11-13 12-12 12-12"},
        // The middle entry is scanned from both sides.
        {{{10, 1}, {11, 1}, {12, 9}, {13, 1}}, 4, 5, 7, "12-12 12-12 12-12"},
        {{{7, 3}}, 3, 3, 3, "7-7 7-7 7-7"},
        {{}, 0, 0, 0, "0-0 0-0 0-0"},
    };
    for (const Case& c : cases) {
        TSumDistribution d;
        d.Theoretical = c.Theoretical;
        ComputeSumRanges(d);
        EXPECT_EQ(d.Ranges[0].Level, c.L1) << Text(c.Theoretical);
        EXPECT_EQ(d.Ranges[1].Level, c.L2) << Text(c.Theoretical);
        EXPECT_EQ(d.Ranges[2].Level, c.L3) << Text(c.Theoretical);
        std::string bounds;
        for (const TSumRange& r : d.Ranges)
            bounds += (bounds.empty() ? "" : " ") + std::to_string(r.Low) + "-" + std::to_string(r.High);
        EXPECT_EQ(bounds, c.Bounds) << Text(c.Theoretical);
    }
}

TEST(SumDistribution, StopsWhenAsked) {
    StopAtOnce stop;
    TDrawsArchive a;
    a.Draws = TenDraws();
    const TSumDistribution d = ComputeSumDistribution(a, stop);
    EXPECT_TRUE(d.Stopped);
    EXPECT_TRUE(d.Theoretical.empty());
}
