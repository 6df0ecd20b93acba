// The batch entry points and the split full-set run must give exactly what the plain
// per-combination calls give. Every method the registry builds is checked, so families added
// later are covered without new tests; TstFakeKeys covers the default batch paths with keys of
// every shape.
#include "fake_stats.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_registry.h"
#include "core/stats/stat_runs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr int kLast = 4;  // the window ends at draw 105 of the fixture

// The first and last `edge` combinations of the full set and every `step`-th in between.
TCombsArray Sample(size_t edge, size_t step) {
    const TCombsArray& all = FullCombinationSet();
    TCombsArray s(all.begin(), all.begin() + long(edge));
    for (size_t i = edge; i + edge < all.size(); i += step) s.push_back(all[i]);
    s.insert(s.end(), all.end() - long(edge), all.end());
    return s;
}

struct Methods {
    TDrawsArray draws = FixtureDraws();
    TStatList list;
    explicit Methods(const TConfigData& config = {}) {
        list.Config = config;
        list.Bind(draws);
        auto classes = RegisteredStatClasses();
        classes.push_back(&StatClassOf<TstFakeKeys>());
        list.Build(classes);
    }
};

::testing::AssertionResult SameList(const TStatDrawArray& a, const TStatDrawArray& b) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "sizes " << a.size() << " and " << b.size();
    for (size_t i = 0; i < a.size(); ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(TStatValueRec)) != 0)
            return ::testing::AssertionFailure() << "entry " << i << " differs (counts " << a[i].Count << " and "
                                                 << b[i].Count << ")";
    return ::testing::AssertionSuccess();
}

TStatDrawArray PlainValues(TStatList& list, int method, const TCombsArray& combs, TStatDrawArray start) {
    auto s = list.CreateStat(method);
    for (const auto& c : combs) s->AddCombinationValue(c, start);
    return start;
}

void CheckValuesBatch(Methods& m, int i, const TCombsArray& sample) {
    {
        const std::string code = m.list.Items(i).Code();
        // From an empty list and from a window distribution (values already present).
        TStatDrawArray window;
        ComputeStatDistribution(*m.list.CreateStat(i), kLast, 3, false, window);
        for (const TStatDrawArray& start : {TStatDrawArray{}, window}) {
            TStatDrawArray plain = PlainValues(m.list, i, sample, start);
            TStatDrawArray batch = start;
            m.list.CreateStat(i)->AddCombinationValues(sample.data(), sample.size(), batch);
            EXPECT_TRUE(SameList(plain, batch)) << code << " from " << start.size() << " entries";
        }
    }
}

} // namespace

TEST(StatFastPaths, CombinationValuesBatchEqualsPlain) {
    Methods m;
    const TCombsArray sample = Sample(600, 331);
    for (int i = 0; i < m.list.Count(); ++i) CheckValuesBatch(m, i, sample);
}

TEST(StatFastPaths, SplitDistributionEqualsPlain) {
    Methods m;
    const TCombsArray sample = Sample(600, 331);
    for (int i = 0; i < m.list.Count(); ++i) {
        TStatDrawArray plain = PlainValues(m.list, i, sample, {});
        for (int threads : {1, 2, 3}) {
            TStatDrawArray split;
            ComputeCombinationsDistribution(*m.list.CreateStat(i), sample.data(), sample.size(), split, threads);
            EXPECT_TRUE(SameList(plain, split)) << m.list.Items(i).Code() << " in " << threads << " parts";
        }
    }
}

TEST(StatFastPaths, FullSetSplitEqualsOneRun) {
    Methods m;
    for (const char* code : {"NUMS", "PRMV", "FKEY"}) {
        int i = m.list.IndexOfCode(code);
        ASSERT_GE(i, 0) << code;
        TStatDrawArray one, two;
        ComputeFullSetDistribution(*m.list.CreateStat(i), one, 1);
        ComputeFullSetDistribution(*m.list.CreateStat(i), two, 2);
        EXPECT_TRUE(SameList(one, two)) << code;
        int64_t total = 0;
        for (const auto& e : one) total += e.Count;
        EXPECT_GT(total, 0) << code;
    }
}

namespace {

void CheckFilterBatch(Methods& m, int i, const TCombsArray& sample) {
    {
        const std::string code = m.list.Items(i).Code();
        // Selections: none, every third value seen, all values, and values whose other key
        // parts differ (the same Key[0] but another Key[1], another 32-bit half, ...).
        TStatDrawArray seen = PlainValues(m.list, i, sample, {});
        TStatDrawArray window;
        ComputeStatDistribution(*m.list.CreateStat(i), kLast, 6, false, window);
        seen.insert(seen.end(), window.begin(), window.end());
        TStatDrawArray third, wide;
        for (size_t k = 0; k < seen.size(); k += 3) third.push_back(seen[k]);
        for (size_t k = 0; k < seen.size(); k += 2) {
            TStatValueRec r = seen[k];
            r.Key.K[1 + k % 3] ^= uint16_t(1 + k % 5);
            wide.push_back(r);
        }
        // Statistics that have no values for a combination (those that compare it with the
        // reference draw) get values from a synthetic range: small signed integers in either
        // 32-bit half, the other half holding a small number.
        TStatDrawArray synthetic;
        std::vector<int32_t> numbers = {-1, 0, 1};
        for (int32_t v = -60; v <= 260; v += 3) numbers.push_back(v);
        for (int32_t v : numbers) {
            TStatValueRec r;
            r.Key.SetDword(0, uint32_t(v));
            synthetic.push_back(r);
            r.Key.SetDword(0, uint32_t(v & 7));
            r.Key.SetDword(1, uint32_t(v));
            synthetic.push_back(r);
        }
        const TStatDrawArray selections[] = {{}, third, seen, wide, synthetic};
        for (size_t sIdx = 0; sIdx < std::size(selections); ++sIdx)
            for (TFilterAction action : {TFilterAction::Keep, TFilterAction::Delete})
                for (bool sorted : {false, true}) {
                    const TStatDrawArray& sel = selections[sIdx];
                    TCombsArray plain = PlainFilter(m.list, i, sample, sel, action, sorted, kLast);
                    TCombsArray out(sample.size());
                    size_t n = FilterCombinationSet(*m.list.CreateStat(i), sample.data(), sample.size(), out.data(),
                                                    sel, action, sorted, kLast);
                    out.resize(n);
                    EXPECT_EQ(out, plain) << code << " selection " << sIdx << " delete " << IsDelete(action);
                    TCombsArray inPlace = sample;
                    n = FilterCombinationSet(*m.list.CreateStat(i), inPlace.data(), inPlace.size(), inPlace.data(),
                                             sel, action, sorted, kLast);
                    inPlace.resize(n);
                    EXPECT_EQ(inPlace, plain) << code << " in place, selection " << sIdx;
                }
    }
}

} // namespace

TEST(StatFastPaths, FilterBatchEqualsPlain) {
    Methods m;
    const TCombsArray sample = Sample(150, 1499);
    for (int i = 0; i < m.list.Count(); ++i) CheckFilterBatch(m, i, sample);
}

// The channel, matrix and segment statistics (and the series, periods and chains of channels and
// segments) take their groups from the settings: their fast paths must agree with the plain calls
// for narrow and wide channels, one column (50 rows), seven and 40 columns, and a map of several
// segments.
TEST(StatFastPaths, SettingsDependentGroupsBatchEqualsPlain) {
    std::vector<TConfigData> configs(4);
    configs[0].ChannelSize = 3;
    configs[0].MatrixCols = 1;
    configs[1].ChannelSize = 50;
    configs[1].MatrixCols = 7;
    configs[2].MatrixCols = 40;
    for (int n = 1; n <= 50; ++n) configs[3].MatrixSegments[size_t(n - 1)] = uint8_t(n % 9 + 1);
    configs[3].MatrixCols = 17;
    const TCombsArray values = Sample(60, 19999);
    const TCombsArray filter = Sample(40, 29999);
    for (const auto& config : configs) {
        Methods m(config);
        for (int i = 0; i < m.list.Count(); ++i) {
            const int group = m.list.Items(i).StatClass->GetGroup();
            if ((group < 3 || group > 5) && (group < 8 || group > 10)) continue;
            CheckValuesBatch(m, i, values);
            CheckFilterBatch(m, i, filter);
        }
    }
}
