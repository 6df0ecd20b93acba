// The channel statistics: values of combinations and draws with the channel width as the
// settings give it, domains, texts, filters, full-set counts and the registry's channel range.
#include "core/stats/channel_stats.h"

#include "family_test_util.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// A list with one draw of these numbers (in drawn order) and the channel width w.
struct Fixture : FamilyFixture {
    explicit Fixture(int w = 5, std::array<int, 5> draw = {1, 2, 13, 44, 50})
        : FamilyFixture(TDrawsArray{MakeDraw(7, draw)}) {
        list.Config.ChannelSize = w;
        list.Build();
    }
};

// Combinations of 1..50 that use exactly k of `groups` groups of `size` numbers each.
uint64_t ExactlyKGroups(int groups, int size, int k) {
    int64_t onto = 0;
    for (int j = 0; j <= k; ++j) onto += (j % 2 ? -1 : 1) * int64_t(Choose(k, j) * Choose(size * (k - j), 5));
    return Choose(groups, k) * uint64_t(onto);
}

} // namespace

TEST(ChannelStats, CombinationAndDrawValues) {
    struct Case {
        int w;
        const char* code;
        V values;
    } cases[] = {
        {5, "CHAN", {"01 [1-5]x2", "03 [11-15]x1", "09 [41-45]x1", "10 [46-50]x1"}},
        {5, "CHNC", {"4x1"}},
        {5, "CHN1", {"2x1"}},
        {5, "CHN2", {"0x1"}},
        {5, "CHN10", {"1x1"}},
        {5, "CHNV",
         {"01 [1-5] x 2x1", "02 [6-10] x 0x1", "03 [11-15] x 1x1", "04 [16-20] x 0x1", "05 [21-25] x 0x1",
          "06 [26-30] x 0x1", "07 [31-35] x 0x1", "08 [36-40] x 0x1", "09 [41-45] x 1x1", "10 [46-50] x 1x1"}},
        // The last channel of width 7 ends at 56 in its text and holds only 50.
        {7, "CHAN", {"01 [1-7]x2", "02 [8-14]x1", "07 [43-49]x1", "08 [50-56]x1"}},
        {7, "CHN8", {"1x1"}},
        {20, "CHNC", {"2x1"}},
    };
    for (const auto& c : cases) {
        Fixture f(c.w);
        auto s = f.Stat(c.code);
        EXPECT_EQ(CombinationTexts(*s, {1, 2, 13, 44, 50}), c.values) << c.code << " w=" << c.w;
        EXPECT_EQ(DrawTexts(*s, 0, 0, false), c.values) << c.code << " w=" << c.w;
    }
}

TEST(ChannelStats, TuplesOfADrawInPositionOrder) {
    struct Case {
        const char* code;
        std::array<int, 5> draw;
        V values;
    } cases[] = {
        // Ten tuples 1:1, 1:3, 1:9, 1:10, 1:3, 1:9, 1:10, 3:9, 3:10, 9:10 merged in that order.
        {"KCM2", {1, 2, 13, 44, 50}, {"1:1x1", "1:3x2", "1:9x2", "1:10x2", "3:9x1", "3:10x1", "9:10x1"}},
        {"KCS2", {1, 2, 13, 44, 50}, {"1:1x1", "1:3x1", "3:9x1", "9:10x1"}},
        {"KCS3", {1, 2, 13, 44, 50}, {"1:1:3x1", "1:3:9x1", "3:9:10x1"}},
        {"KCS4", {1, 2, 13, 44, 50}, {"1:1:3:9x1", "1:3:9:10x1"}},
        {"KCM4", {1, 2, 13, 44, 50}, {"1:1:3:9x1", "1:1:3:10x1", "1:1:9:10x1", "1:3:9:10x2"}},
        // A draw keeps its drawn order.
        {"KCS2", {50, 1, 13, 2, 44}, {"10:1x1", "1:3x1", "3:1x1", "1:9x1"}},
    };
    for (const auto& c : cases) {
        Fixture f(5, c.draw);
        auto s = f.Stat(c.code);
        EXPECT_EQ(DrawTexts(*s, 0, 0, false), c.values) << c.code;
        // A combination's tuples are not collected.
        EXPECT_EQ(CombinationTexts(*s, {1, 2, 13, 44, 50}), V{}) << c.code;
        EXPECT_FALSE(s->Class().HasValueList());
    }
    Fixture f;
    auto kcm3 = f.Stat("KCM3");
    EXPECT_EQ(DrawTexts(*kcm3, 0, 0, false).size(), 7u);  // 10 tuples, 1:1:3 1:1:9 1:1:10 ... merged
}

TEST(ChannelStats, DomainsFollowTheWidth) {
    struct Case {
        int w;
        const char* code;
        V domain;
    } cases[] = {
        {5, "CHNC", {"1x0", "2x0", "3x0", "4x0", "5x0"}},
        {3, "CHNC", {"1x0", "2x0", "3x0", "4x0", "5x0"}},
        {20, "CHNC", {"1x0", "2x0", "3x0"}},
        {20, "CHAN", {"01 [1-20]x0", "02 [21-40]x0", "03 [41-60]x0"}},
        {5, "CHN4", {"1x0", "2x0", "3x0", "4x0", "5x0"}},
        {3, "CHN1", {"1x0", "2x0", "3x0"}},
        {20, "CHNV",
         {"01 [1-20] x 0x0", "01 [1-20] x 1x0", "01 [1-20] x 2x0", "01 [1-20] x 3x0", "01 [1-20] x 4x0",
          "01 [1-20] x 5x0", "02 [21-40] x 0x0", "02 [21-40] x 1x0", "02 [21-40] x 2x0", "02 [21-40] x 3x0",
          "02 [21-40] x 4x0", "02 [21-40] x 5x0", "03 [41-60] x 0x0", "03 [41-60] x 1x0", "03 [41-60] x 2x0",
          "03 [41-60] x 3x0", "03 [41-60] x 4x0", "03 [41-60] x 5x0"}},
        {5, "KCM2", {}},
    };
    for (const auto& c : cases) {
        Fixture f(c.w);
        auto s = f.Stat(c.code);
        EXPECT_EQ(DomainTexts(*s), c.domain) << c.code << " w=" << c.w;
    }
    Fixture f(3);
    EXPECT_EQ(DomainTexts(*f.Stat("CHAN")).size(), 17u);
}

TEST(ChannelStats, TextsAndParsing) {
    Fixture f;
    ExpectValueTexts(f, {
                            {"CHAN", KeyRec(10), "10 [46-50]", 10},
                            {"CHAN", KeyRec(1), "01 [1-5]", 1},
                            {"CHNV", KeyRec(3, 2), "03 [11-15] x 2", 0},
                            {"CHNC", KeyRec(4), "4", 4},
                            {"CHN3", KeyRec(2), "2", 2},
                            {"KCM3", KeyRec(1, 1, 4), "1:1:4", 0},
                            {"KCS4", KeyRec(2, 3, 3, 9), "2:3:3:9", 0},
                        });
    EXPECT_EQ(f.Class("CHN3").FormatCaption(3), "Количество чисел в 3 канале");
    EXPECT_EQ(f.Class("CHN3").GetBaseCode(), "CHNx");
    EXPECT_EQ(f.Class("KCM2").GetCaption(), "Сочетания из 2 каналов по всем числам тиража");
    EXPECT_EQ(f.Class("KCS4").GetCaption(), "Сочетания из 4 каналов по соседним числам");
    EXPECT_TRUE(f.Class("CHNC").HasGraph());
    EXPECT_TRUE(f.Class("CHN1").HasGraph());
    EXPECT_FALSE(f.Class("CHAN").HasGraph());
    EXPECT_FALSE(f.Class("CHNV").HasValueList());
    auto chnc = f.Stat("CHNC");
    EXPECT_EQ(CombGraphNumber(*chnc, {1, 2, 13, 44, 50}, 0, 0, false), 4);
    EXPECT_EQ(GraphNumber(*chnc, 0, 0, false), 4);
    EXPECT_EQ(GraphNumber(*f.Stat("CHN1"), 0, 0, false), 2);
}

TEST(ChannelStats, FiltersOverTheFullSet) {
    Fixture f;
    struct Case {
        const char* code;
        TStatDrawArray selected;
        uint64_t kept;
    } cases[] = {
        // No number in 6..10.
        {"CHNV", {KeyRec(2, 0)}, Choose(45, 5)},
        // Some number in 46..50 (CHAN looks the channel up as a byte).
        {"CHAN", {KeyRec(10)}, Choose(50, 5) - Choose(45, 5)},
        // Exactly two numbers in 1..5.
        {"CHN1", {KeyRec(2)}, Choose(5, 2) * Choose(45, 3)},
        // A number of 1..5 and a later one of 46..50.
        {"KCM2", {KeyRec(1, 10)}, Choose(50, 5) - 2 * Choose(45, 5) + Choose(40, 5)},
        // Four numbers of 41..45 (then neighbours in a sorted combination).
        {"KCS4", {KeyRec(9, 9, 9, 9)}, 5 * 45 + 1},
        {"KCS2", {KeyRec(10, 1)}, 0},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        EXPECT_EQ(KeptOfFullSet(*s, c.selected), c.kept) << c.code;
    }
    // The plain filter test agrees on a single combination.
    auto chnv = f.Stat("CHNV");
    EXPECT_TRUE(Keeps(*chnv, {1, 2, 13, 44, 50}, {KeyRec(2, 0)}, 0));
    EXPECT_FALSE(Keeps(*chnv, {1, 7, 13, 44, 50}, {KeyRec(2, 0)}, 0));
}

TEST(ChannelStats, FullSetCountsOfChannelsUsed) {
    for (int w : {5, 10}) {
        Fixture f(w);
        auto s = f.Stat("CHNC");
        TStatDrawArray list;
        ComputeFullSetDistribution(*s, list);
        ASSERT_FALSE(list.empty());
        int64_t total = 0;
        for (const auto& e : list) {
            EXPECT_EQ(uint64_t(e.Count), ExactlyKGroups(50 / w, w, e.Key.K[0])) << "w=" << w << " k=" << e.Key.K[0];
            total += e.Count;
        }
        EXPECT_EQ(total, int64_t(Choose(50, 5)));
    }
}

TEST(ChannelStats, WidthSettingChangesTheRegistryAndNewStatistics) {
    Fixture f(5);
    auto before = f.Stat("CHAN");
    EXPECT_EQ(f.list.IndexOfCode("CHN10") - f.list.IndexOfCode("CHN1"), 9);
    EXPECT_EQ(f.list.IndexOfCode("CHN11"), -1);
    f.list.Config.ChannelSize = 7;
    f.list.Build();
    EXPECT_EQ(f.list.IndexOfCode("CHN8") - f.list.IndexOfCode("CHN1"), 7);
    EXPECT_EQ(f.list.IndexOfCode("CHN9"), -1);
    // A statistic keeps the width it was created with.
    EXPECT_EQ(CombinationTexts(*before, {1, 6, 13, 44, 50}), (V{"01 [1-5]x1", "02 [6-10]x1", "03 [11-15]x1", "09 [41-45]x1", "10 [46-50]x1"}));
    auto after = f.Stat("CHAN");
    EXPECT_EQ(CombinationTexts(*after, {1, 6, 13, 44, 50}), (V{"01 [1-7]x2", "02 [8-14]x1", "07 [43-49]x1", "08 [50-56]x1"}));
    // A width that is not positive leaves no channel methods and statistics that do not divide by it.
    f.list.Config.ChannelSize = 0;
    f.list.Build();
    EXPECT_EQ(f.list.IndexOfCode("CHN1"), -1);
    EXPECT_EQ(CombinationTexts(*f.Stat("CHNC"), {1, 6, 13, 44, 50}), V{"5x1"});
}
