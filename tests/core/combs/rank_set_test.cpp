#include "core/combs/rank_set.h"

#include "core/combs/comb_set.h"
#include "core/model/draws_archive.h"
#include "core/stats/stat_runs.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

TEST(RankSet, HoldsOnlyListsThatComeBackAsTheyAre) {
    const TCombsArray& all = FullCombinationSet();
    struct Case {
        const char* name;
        TCombsArray list;
        bool held;
    };
    const Case cases[] = {
        {"empty", {}, true},
        {"first, neighbours, last", {all[0], all[1], all[64], all[65], all[kCombinationTotal - 1]}, true},
        {"a whole word and more", TCombsArray(all.begin() + 60, all.begin() + 200), true},
        {"out of generation order", {all[5], all[3]}, false},
        {"a repeat", {all[7], all[7]}, false},
        {"numbers not ascending", {TCombination{2, 1, 3, 4, 5}}, false},
        {"a number out of 1..50", {TCombination{1, 2, 3, 4, 51}}, false},
        {"a zero", {TCombination{0, 1, 2, 3, 4}}, false},
        {"a repeated number", {TCombination{1, 2, 2, 3, 4}}, false},
    };
    for (const Case& c : cases) {
        TRankSet s;
        ASSERT_EQ(s.Assign(c.list.data(), c.list.size()), c.held) << c.name;
        if (!c.held) {
            EXPECT_TRUE(s.Empty()) << c.name;
            continue;
        }
        ASSERT_EQ(s.Count(), c.list.size()) << c.name;
        TCombsArray back(s.Count());
        EXPECT_EQ(s.Decode(back.data()), c.list.size()) << c.name;
        EXPECT_EQ(back, c.list) << c.name;
        for (size_t i = 0; i < c.list.size(); ++i) EXPECT_EQ(all[s.RankAt(i)], c.list[i]) << c.name << " " << i;
    }
}

TEST(RankSet, FullSetDecodesToTheGeneratedList) {
    const TCombsArray& all = FullCombinationSet();
    TRankSet s;
    ASSERT_TRUE(s.Assign(all.data(), all.size()));
    s.Recount();
    EXPECT_EQ(s.Count(), all.size());
    TCombsArray back(all.size());
    s.Decode(back.data());
    EXPECT_EQ(back, all);
}

TEST(RankSet, LatestDrawsAreRemovedAsExcludeLastDrawsRemovesThem) {
    auto draw = [](std::array<uint8_t, 5> n) {
        TDrawRecord d;
        std::copy(n.begin(), n.end(), d.Numbers);
        return d;
    };
    const TCombsArray& all = FullCombinationSet();
    TCombsArray list(all.begin(), all.begin() + 3000);
    struct Case {
        const char* name;
        std::vector<TDrawRecord> draws;
        int n;
        bool done;
    };
    const Case cases[] = {
        // The last draw is outside the latest two; the others are found in any order.
        {"regular", {draw({1, 2, 3, 4, 9}), draw({5, 4, 3, 2, 1}), draw({1, 2, 3, 4, 6})}, 2, true},
        {"none", {draw({1, 2, 3, 4, 9})}, 0, true},
        {"a draw with a repeated number", {draw({1, 2, 3, 4, 9}), draw({1, 1, 2, 3, 4})}, 2, false},
        {"a draw with a zero", {draw({0, 1, 2, 3, 4})}, 1, false},
    };
    for (const Case& c : cases) {
        TDrawsArchive archive;
        archive.Draws = c.draws;
        TRankSet s;
        ASSERT_TRUE(s.Assign(list.data(), list.size()));
        const TRankSet before = s;
        ASSERT_EQ(s.RemoveLatestDraws(c.n, archive), c.done) << c.name;
        if (!c.done) {
            EXPECT_TRUE(s == before) << c.name;
            continue;
        }
        TCombSet set(int(list.size()));
        std::copy(list.begin(), list.end(), set.MutableData());
        set.SetCount(int(list.size()));
        set.ExcludeLastDraws(c.n, archive);
        TCombsArray back(s.Count());
        s.Decode(back.data());
        EXPECT_EQ(back, TCombsArray(set.Data(), set.Data() + set.Count())) << c.name;
    }
}

} // namespace
