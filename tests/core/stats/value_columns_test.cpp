// Value columns: the rank of a combination, the column path and the pass on a set held as ranks
// of every method against the plain per-combination test (default and changed settings,
// combinations without a rank among them), the data kept per reference draw of the statistics that
// read earlier draws, and the cache's least-recently-used bound.
#include "fake_stats.h"
#include "core/combs/rank_set.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_registry.h"
#include "core/stats/stat_runs.h"
#include "core/stats/value_columns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr int kLast = 4;

// Columns are built for passes of any size and kept whatever the timings while a test runs (the
// first pass of a method runs plain and from the column); the cache is left empty.
struct ColumnsScope {
    size_t minimum = SetValueColumnBuildMinimum(0);
    bool forced = SetValueColumnForced(true);
    ~ColumnsScope() {
        SetValueColumnForced(forced);
        SetValueColumnBuildMinimum(minimum);
        SetValueColumnCacheBytes(kValueColumnCacheBytes);
        ClearValueColumns();
    }
};

// The first 640 combinations (whole words of a set held as ranks) and a spread of the rest of the
// full set, then combinations without a rank: descending, repeated numbers, numbers outside 1..50.
TCombsArray Sample() {
    const TCombsArray& all = FullCombinationSet();
    TCombsArray s(all.begin(), all.begin() + 640);
    for (size_t i = 640 + 7919; i < all.size(); i += 7919) s.push_back(all[i]);
    s.push_back(all.back());
    const TCombsArray odd = {{50, 40, 30, 20, 10}, {3, 1, 2, 5, 4}, {7, 7, 8, 9, 10},
                             {0, 1, 2, 3, 4},      {46, 47, 48, 49, 51}, {1, 2, 3, 50, 49},
                             {200, 3, 4, 5, 6},    {12, 11, 13, 14, 15}};
    s.insert(s.end(), odd.begin(), odd.end());
    return s;
}

// The sample and a list over the fixture draws (under config), with columns as ColumnsScope has
// them.
struct ColumnsFixture : ColumnsScope {
    TCombsArray sample = Sample();
    TDrawsArray draws = FixtureDraws();
    TStatList list;
    explicit ColumnsFixture(const TConfigData& config = {}) {
        list.Config = config;
        list.Bind(draws);
        list.Build();
    }
};

// How many combinations of the sample come before those without a rank.
size_t RankedPart(const TCombsArray& sample) {
    const TRankTables& t = RankTables();
    size_t n = 0;
    uint32_t r;
    while (n < sample.size() && CombinationRank(sample[n].data(), t, r)) ++n;
    return n;
}

// The values of the sample's combinations and of the window up to last.
TStatDrawArray SeenValues(TStatList& list, int i, const TCombsArray& sample, int last = kLast) {
    TStatDrawArray seen;
    auto s = list.CreateStat(i);
    for (const auto& c : sample) s->AddCombinationValue(c, seen);
    TStatDrawArray window;
    ComputeStatDistribution(*s, last, 6, false, window);
    seen.insert(seen.end(), window.begin(), window.end());
    return seen;
}

// Every third value seen and all of them, kept and deleted, against the plain test: the pass over
// the records, and (ranks) the pass over the ranked combinations held as ranks where the class has
// one; draw last is the reference draw.
void CheckMethod(TStatList& list, int i, const TCombsArray& sample, bool ranks = true, int last = kLast) {
    const std::string code = list.Items(i).Code();
    TStatDrawArray seen = SeenValues(list, i, sample, last);
    TStatDrawArray third;
    for (size_t k = 0; k < seen.size(); k += 3) third.push_back(seen[k]);
    for (const TStatDrawArray* sel : {&third, &seen})
        for (TFilterAction action : {TFilterAction::Keep, TFilterAction::Delete}) {
            const TCombsArray plain = PlainFilter(list, i, sample, *sel, action, false, last);
            TCombsArray out(sample.size());
            const size_t n = FilterCombinationSet(*list.CreateStat(i), sample.data(), sample.size(), out.data(), *sel,
                                                  action, false, last);
            out.resize(n);
            EXPECT_EQ(out, plain) << code << " selection of " << sel->size() << " delete " << IsDelete(action);

            if (!ranks) continue;
            const TCombsArray ranked(sample.begin(), sample.begin() + long(RankedPart(sample)));
            TRankSet set;
            ASSERT_TRUE(set.Assign(ranked.data(), ranked.size()));
            auto stat = list.CreateStat(i);
            stat->LoadDraw(-1, last, false);
            // Two parts: a class that tests the combinations one by one splits its pass.
            if (!stat->FilterRanks(set.Words(), *sel, action, false, last, 2)) continue;
            set.Recount();
            TCombsArray onRanks(set.Count());
            set.Decode(onRanks.data());
            EXPECT_EQ(onRanks, PlainFilter(list, i, ranked, *sel, action, false, last))
                << code << " on ranks, selection of " << sel->size() << " delete " << IsDelete(action);
        }
}

} // namespace

TEST(ValueColumns, RankIsTheGenerationOrder) {
    const TCombsArray& all = FullCombinationSet();
    const TRankTables& t = RankTables();
    for (size_t i = 0; i < all.size(); ++i) {
        uint32_t r = 0;
        ASSERT_TRUE(CombinationRank(all[i].data(), t, r)) << i;
        ASSERT_EQ(r, uint32_t(i));
    }
    struct Case {
        TCombination comb;
        bool ranked;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5}, true},     {{46, 47, 48, 49, 50}, true}, {{0, 2, 3, 4, 5}, false},
        {{1, 2, 3, 4, 51}, false},   {{2, 1, 3, 4, 5}, false},     {{1, 2, 2, 4, 5}, false},
        {{5, 4, 3, 2, 1}, false},    {{255, 2, 3, 4, 5}, false},
    };
    for (const Case& c : cases) {
        uint32_t r = 0;
        EXPECT_EQ(CombinationRank(c.comb.data(), t, r), c.ranked) << int(c.comb[0]) << " " << int(c.comb[4]);
    }
}

// Every registered method under config (two tests, default and changed settings, so that they
// can run side by side).
static void CheckEveryMethod(const TConfigData& config) {
    ColumnsFixture f(config);
    TStatList& list = f.list;
    const TCombsArray& sample = f.sample;
    for (int i = 0; i < list.Count(); ++i) {
        CheckMethod(list, i, sample);
        ClearValueColumns();
    }
}

TEST(ValueColumns, EveryMethodEqualsPlain) { CheckEveryMethod(TConfigData{}); }

TEST(ValueColumns, EveryMethodEqualsPlainUnderChangedSettings) {
    TConfigData changed;
    changed.ChannelSize = 7;
    changed.MatrixCols = 9;
    for (int n = 1; n <= 50; ++n) changed.MatrixSegments[size_t(n - 1)] = uint8_t(n % 4 + 1);
    CheckEveryMethod(changed);
}

// A method with a parameter gets one column per parameter, and settings changed after a column
// was built give a column of their own.
TEST(ValueColumns, ParameterAndSettingsGetTheirOwnColumn) {
    ColumnsFixture f;
    TStatList& list = f.list;
    const TCombsArray& sample = f.sample;
    const int chnv = list.IndexOfCode("CHNV");
    ASSERT_GE(chnv, 0);
    CheckMethod(list, chnv, sample);
    const size_t before = ValueColumnCount();
    EXPECT_GE(before, 1u);
    list.Config.ChannelSize = 4;
    CheckMethod(list, chnv, sample);
    EXPECT_GT(ValueColumnCount(), before);
    for (int i = 0; i < list.Count(); ++i)
        if (list.Items(i).StatClass->HasParam() && list.Items(i).StatClass->GetGroup() == list.Items(chnv).StatClass->GetGroup())
            CheckMethod(list, i, sample);
}

TEST(ValueColumns, CacheKeepsTheMostRecentWithinItsBound) {
    ColumnsFixture f;
    TStatList& list = f.list;
    const TCombsArray& sample = f.sample;
    const char* codes[] = {"HCS1", "HCS2", "CHNV", "SUMS"};
    for (const char* code : codes) ASSERT_GE(list.IndexOfCode(code), 0) << code;
    // Room for two 2-byte columns (HCS1 has few values; a 1-byte column is smaller).
    SetValueColumnCacheBytes(2 * 2 * size_t(kCombinationTotal) + 4096);
    for (const char* code : codes) {
        CheckMethod(list, list.IndexOfCode(code), sample, false);
        EXPECT_LE(ValueColumnCacheBytes(), 2 * 2 * size_t(kCombinationTotal) + 4096) << code;
    }
    EXPECT_GE(ValueColumnCount(), 1u);
    EXPECT_LT(ValueColumnCount(), 4u);
    // Evicted columns are built again and give the same survivors.
    for (const char* code : codes) CheckMethod(list, list.IndexOfCode(code), sample, false);
    SetValueColumnCacheBytes(0);
    EXPECT_EQ(ValueColumnCount(), 0u);
    EXPECT_EQ(ValueColumnCacheBytes(), 0u);
    CheckMethod(list, list.IndexOfCode("HCS2"), sample, false);
}

// A statistic that reads earlier draws keeps what its passes on ranks read per archive and
// reference draw: another reference draw, an edited archive or another formula gets data of its
// own.
TEST(ValueColumns, ReferenceDrawDataFollowsTheDraws) {
    ColumnsFixture f;
    TStatList& list = f.list;
    const TCombsArray& sample = f.sample;
    struct Step {
        int last;
        int edited;  // the draw given the numbers below first; -1 none
        std::array<uint8_t, 5> numbers;
    };
    const Step steps[] = {
        {kLast, -1, {}},
        {kLast - 1, -1, {}},
        {kLast, kLast, {1, 2, 3, 4, 5}},
        {kLast, kLast - 1, {46, 47, 48, 49, 50}},
        {kLast, kLast, {10, 20, 33, 41, 49}},
    };
    // A shredding formula over the draw before the reference draw and the one before that.
    list.Formulas[0] = "(n1+n2+p1)/(n4+n5+t2)";
    for (const char* code : {"RPC2", "PRV+1", "PRDV", "SDN1", "SHR1"}) {
        const int i = list.IndexOfCode(code);
        ASSERT_GE(i, 0) << code;
        TDrawsArray& draws = f.draws;
        const TDrawsArray original = draws;
        for (const Step& step : steps) {
            if (step.edited >= 0) std::copy(step.numbers.begin(), step.numbers.end(), draws[size_t(step.edited)].Numbers);
            CheckMethod(list, i, sample, true, step.last);
        }
        draws = original;
    }
    // Another formula gets data of its own.
    list.Formulas[0] = kDefaultFormulas[1];
    CheckMethod(list, list.IndexOfCode("SHR1"), sample);
}

// Unless forced, the data of a reference draw is built on the pass after passes that tested three
// full sets one by one, and that pass gives what the one-by-one passes gave.
TEST(ValueColumns, ReferenceDrawDataIsBuiltWhenPassesRepeat) {
    ColumnsFixture f;
    SetValueColumnForced(false);
    TStatList& list = f.list;
    const int i = list.IndexOfCode("RPC2");
    ASSERT_GE(i, 0);
    const TStatDrawArray seen = SeenValues(list, i, f.sample);
    TStatDrawArray third;
    for (size_t k = 0; k < seen.size(); k += 3) third.push_back(seen[k]);
    const TCombsArray& all = FullCombinationSet();
    TRankSet full;
    ASSERT_TRUE(full.Assign(all.data(), all.size()));
    auto pass = [&](int last) {
        TRankSet set = full;
        auto stat = list.CreateStat(i);
        stat->LoadDraw(-1, last, false);
        EXPECT_TRUE(stat->FilterRanks(set.Words(), third, TFilterAction::Keep, false, last, 2));
        set.Recount();
        return set;
    };
    const TRankSet byOne = pass(kLast);
    EXPECT_GT(byOne.Count(), 0u);
    EXPECT_LT(byOne.Count(), full.Count());
    for (int k = 0; k < 2; ++k) EXPECT_TRUE(pass(kLast) == byOne);
    EXPECT_EQ(ValueColumnCount(), 0u);
    const TRankSet built = pass(kLast);
    EXPECT_EQ(ValueColumnCount(), 1u);
    EXPECT_TRUE(built == byOne);
    // Another reference draw starts over.
    pass(kLast - 1);
    EXPECT_EQ(ValueColumnCount(), 1u);
}
