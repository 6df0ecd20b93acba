#include "core/stats/stat_framework.h"

#include "fake_stats.h"
#include "family_test_util.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

struct Fixture : FamilyFixture {
    Fixture() : FamilyFixture(FixtureDraws()) {}
};

TStatValueRec MaskRec(uint32_t mask) {
    TStatValueRec r;
    r.Key.SetDword(0, mask);
    return r;
}

} // namespace

TEST(MaskStat, TextAndParsing) {
    Fixture f;
    struct Case {
        const char* code;
        uint32_t mask;
        const char* text;
    } cases[] = {
        {"EVNV", 1, "ЧЧЧЧн (001)"},  {"EVNV", 13, "ЧннЧн (013)"}, {"EVNV", 0, "ЧЧЧЧЧ (000)"},
        {"EVNV", 31, "ннннн (031)"}, {"SMLV", 3, "11122 (003)"},  {"SMLV", 1, "11112 (001)"},
        {"PRMV", 25, "ППССП (025)"}, {"PRMV", 29, "ПППСП (029)"},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        EXPECT_EQ(s->ValueToText(MaskRec(c.mask)), c.text) << c.code;
        EXPECT_EQ(s->TextToValue(c.text), int32_t(c.mask)) << c.code;
    }
    struct Parse {
        const char* code;
        const char* text;
        int32_t mask;
    } parses[] = {
        {"EVNV", "чННЧн", 1},           // only an exact set letter counts
        {"EVNV", "нн", 24},             // a short text: the missing letters are clear
        {"EVNV", "", 0},
        {"EVNV", "ЧЧЧЧЧн (001)", 0},    // the first five letters only
        {"SMLV", "22222", 31},
        {"PRMV", "ПпПпП", 21},
        {"PRMV", "PPPPP", 0},           // Latin letters are not the Cyrillic set letter
    };
    for (const auto& p : parses) EXPECT_EQ(f.Stat(p.code)->TextToValue(p.text), p.mask) << p.code << " " << p.text;
}

TEST(RatioStat, TextAndParsing) {
    Fixture f;
    auto s = f.Stat("EVEN");
    struct Case {
        uint16_t k;
        const char* text;
    } cases[] = {{0, "0:5"}, {2, "2:3"}, {5, "5:0"}};
    for (const auto& c : cases) {
        TStatValueRec r;
        r.Key.K[0] = c.k;
        EXPECT_EQ(s->ValueToText(r), c.text);
        EXPECT_EQ(s->TextToValue(c.text), c.k);
    }
    struct Parse {
        const char* text;
        int32_t value;
    } parses[] = {{"4", 0}, {"x:1", 0}, {"", 0}, {" 3 :2", 3}, {"3:2:1", 3}};
    for (const auto& p : parses) EXPECT_EQ(s->TextToValue(p.text), p.value) << p.text;
}

TEST(CustomStat, GetDrawAndLoadDraw) {
    Fixture f;
    auto s = f.Stat("NUMS");
    TDrawRecord r;
    s->GetDraw(0, true, r);
    EXPECT_EQ(r.Number, 101);
    EXPECT_EQ(std::vector<int>(r.Numbers, r.Numbers + 5), (std::vector<int>{4, 9, 17, 30, 44}));
    EXPECT_EQ(r.Extras[0], 3);
    EXPECT_EQ(r.Extras[1], 7);
    s->GetDraw(0, false, r);
    EXPECT_EQ(r.Numbers[0], 30);
    for (int bad : {-1, 6, 1000}) {
        s->GetDraw(bad, false, r);
        EXPECT_EQ(r.Number, 0) << bad;
        EXPECT_EQ(r.Numbers[0], 0) << bad;
    }
    // Without an archive every draw is empty.
    auto lone = StatClassOf<TstFakeKeys>().Create(nullptr, 0);
    lone->GetDraw(0, false, r);
    EXPECT_EQ(r.Number, 0);

    // Flag D also loads the reference draw; other statistics leave it empty.
    s->LoadDraw(1, 3, false);
    EXPECT_EQ(s->Draw.Number, 102);
    EXPECT_EQ(s->RefDraw.Number, 0);
    auto d = StatClassOf<TstFakeChannel>().Create(&f.list, 1);
    d->LoadDraw(-1, 3, true);
    EXPECT_EQ(d->Draw.Number, 0);
    EXPECT_EQ(d->RefDraw.Number, 104);
    EXPECT_EQ(d->RefDraw.Numbers[0], 2);
}

TEST(StandardRuns, WindowDistribution) {
    Fixture f;
    auto s = f.Stat("NUMS");
    TStatDrawArray list;
    // The window of 3 draws ending at index 4: draws 103, 104, 105.
    ComputeStatDistribution(*s, 4, 3, false, list);
    ASSERT_EQ(list.size(), 50u);  // the domain, then only known keys
    auto at = [&](int n) { return list[size_t(n - 1)]; };
    struct Case {
        int number;
        int count;
        int drawNo;
        int age;
        int minGap;
        int maxGap;
    } cases[] = {
        {25, 2, 104, 2, 1, 1},  // in 103 and 104
        {26, 2, 104, 2, 1, 1},
        {49, 1, 105, 1, 0, 0},
        {1, 0, 0, 0, 0, 0},    // in 102: outside the window
        {30, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(at(c.number).Count, c.count) << c.number;
        EXPECT_EQ(at(c.number).DrawNo, c.drawNo) << c.number;
        EXPECT_EQ(at(c.number).Age, c.age) << c.number;
        EXPECT_EQ(at(c.number).MinGap, c.minGap) << c.number;
        EXPECT_EQ(at(c.number).MaxGap, c.maxGap) << c.number;
    }
    // A window longer than the archive starts at the oldest draw; an empty one gives nothing.
    ComputeStatDistribution(*s, 5, 100, false, list);
    EXPECT_EQ(list[size_t(25 - 1)].Count, 3);
    EXPECT_EQ(list[size_t(25 - 1)].Age, 1);
    EXPECT_EQ(list[size_t(25 - 1)].MaxGap, 2);
    ComputeStatDistribution(*s, -1, 10, false, list);
    EXPECT_TRUE(list.empty());
    ComputeStatDistribution(*s, 3, 0, false, list);
    EXPECT_TRUE(list.empty());
}

TEST(StandardRuns, FindDrawWithValue) {
    Fixture f;
    auto nums = f.Stat("NUMS");
    auto pos1 = f.Stat("POS1");
    auto key = [](uint16_t k) {
        TStatValueRec r;
        r.Key.K[0] = k;
        return r;
    };
    struct Case {
        TCustomStat* stat;
        uint16_t value;
        int from;
        bool sorted;
        int32_t drawNo;
    } cases[] = {
        {nums.get(), 4, 0, false, 101},  {nums.get(), 4, 1, false, 102}, {nums.get(), 4, 2, false, -1},
        {nums.get(), 47, -5, false, 104}, {nums.get(), 25, 6, false, -1}, {nums.get(), 0, 0, false, -1},
        {pos1.get(), 30, 0, false, 101},  {pos1.get(), 30, 0, true, -1},  {pos1.get(), 3, 0, true, 106},
        {pos1.get(), 47, 0, false, 106},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.stat->FindDrawWithValue(key(c.value), c.from, 5, c.sorted), c.drawNo)
            << c.stat->Class().GetCode() << " " << c.value << " from " << c.from;
}

TEST(StandardRuns, FilterPassKeepsOrDeletesAndWorksInPlace) {
    Fixture f;
    auto s = f.Stat("POS1");
    TCombsArray combs = {{1, 2, 3, 4, 5}, {2, 3, 4, 5, 6}, {1, 7, 8, 9, 10}, {3, 4, 5, 6, 7}};
    TStatDrawArray sel(1);
    sel[0].Key.K[0] = 1;
    TCombsArray out(combs.size());
    ASSERT_EQ(FilterCombinationSet(*s, combs.data(), combs.size(), out.data(), sel, TFilterAction::Keep, false, 5), 2u);
    EXPECT_EQ(out[1], (TCombination{1, 7, 8, 9, 10}));
    size_t kept = FilterCombinationSet(*s, combs.data(), combs.size(), combs.data(), sel, TFilterAction::Delete, false, 5);
    ASSERT_EQ(kept, 2u);
    EXPECT_EQ(combs[0], (TCombination{2, 3, 4, 5, 6}));
    EXPECT_EQ(combs[1], (TCombination{3, 4, 5, 6, 7}));
}
