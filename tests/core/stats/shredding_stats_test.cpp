#include "family_test_util.h"

#include "core/combs/prefetch.h"
#include "core/stats/shredding_stats.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace velmora;
using namespace velmora::test;

namespace {

// Draw 1 is 5 12 33 40 48 in drawn order; draw 2 is unsorted.
TDrawsArray ShreddingDraws() {
    return {MakeDraw(1, {5, 12, 33, 40, 48}), MakeDraw(2, {10, 3, 20, 7, 1}), MakeDraw(3, {2, 4, 6, 8, 10})};
}

struct Fixture : FamilyFixture {
    Fixture() : FamilyFixture(ShreddingDraws()) {}
    // SHR<param> with this formula and digit count, the list rebuilt as the dialog rebuilds it.
    std::unique_ptr<TCustomStat> With(int param, const std::string& formula, int digits) {
        list.Formulas[size_t(param - 1)] = formula;
        list.FormulaDigits[size_t(param - 1)] = digits;
        list.Build();
        return Stat("SHR" + std::to_string(param));
    }
};

TCombination Comb(std::array<int, 5> n) {
    TCombination c;
    for (size_t i = 0; i < 5; ++i) c[i] = uint8_t(n[i]);
    return c;
}

// The five numbers as one decimal fraction: 6 5 5 3 6 gives 65536 with five digits.
const char* const kDigitsFormula = "(n1*10000+n2*1000+n3*100+n4*10+n5)/100000+0.000001";

} // namespace

TEST(ShreddingStats, ThreeMethodsCaptionedWithTheirFormulas) {
    Fixture f;
    const int i = f.list.IndexOfCode("SHR1");
    ASSERT_GE(i, 0);
    EXPECT_EQ(f.list.IndexOfCode("SHR3"), i + 2);
    EXPECT_EQ(f.list.Count(), i + 3);  // the last methods of the registry
    EXPECT_EQ(f.list.Items(i).FullCaption(), "Метод шинковки 1: (n1+n2+n3)/(n4+n5)");
    EXPECT_EQ(f.list.Items(i + 2).FullCaption(), "Метод шинковки 3: (n1+n2)/(n3+n4+n5)");
    EXPECT_EQ(f.list.DisplayCaption(i + 1, true), "{ shr } Метод шинковки 2: (n4+n5)/(n1+n2+n3) [ SNG ]");
    EXPECT_EQ(f.Class("SHR2").GetBaseCode(), "SHRx");
    EXPECT_EQ(DomainTexts(*f.Stat("SHR1")), V{});
}

TEST(ShreddingStats, DrawValuesReadTheTwoDrawsBefore) {
    Fixture f;
    struct Row {
        const char* formula;
        int digits;
        int index;
        bool sorted;
        V texts;
    } rows[] = {
        {"(n1+n2+n3)/(n4+n5)", 2, 0, false, {"56x1"}},  // 50 / 88 = 0.5681...
        {"n1-n2", 2, 0, false, {"0x1"}},                // -7 has no fraction
        {"n1/(n2-n2)", 2, 1, false, {"0x1"}},           // a division by zero
        {"(p1+t1)/64", 5, 0, false, {"0x1"}},           // the first draw: p and t are 0
        {"(p1+t1)/64", 5, 1, false, {"7812x1"}},        // 5 / 64
        {"(p1+t1)/64", 5, 2, false, {"23437x1"}},       // (10 + 5) / 64
        {"(p1+t1)/64", 5, 2, true, {"9375x1"}},         // sorted: (1 + 5) / 64
        {"n1/8", 3, 1, false, {"250x1"}},
        {"n1/8", 3, 1, true, {"125x1"}},
    };
    for (const Row& r : rows) {
        auto s = f.With(1, r.formula, r.digits);
        EXPECT_EQ(DrawTexts(*s, r.index, 2, r.sorted), r.texts) << r.formula << " draw " << r.index;
    }
    // The window gathers the values with their gaps.
    auto s = f.With(2, "n5/2", 2);
    EXPECT_EQ(WindowTexts(*s, 2, 3, false), (V{"0x2", "50x1"}));
}

TEST(ShreddingStats, CombinationsFiltersAndGraphs) {
    Fixture f;
    // A combination alone: p and t are always 0.
    auto s = f.With(3, "(p1+t1+1)/64", 5);
    EXPECT_EQ(CombinationTexts(*s, Comb({1, 2, 3, 4, 5})), V{"1562x1"});
    // The filter: the combination follows the reference draw 3 (p = draw 3, t = draw 2).
    s = f.With(3, "(n1+p1+t1)/64", 5);
    const TCombination c = Comb({1, 2, 3, 4, 5});
    EXPECT_TRUE(Keeps(*s, c, {DwordRec(20312)}, 2));   // (1 + 2 + 10) / 64
    EXPECT_FALSE(Keeps(*s, c, {DwordRec(20313)}, 2));
    EXPECT_TRUE(Keeps(*s, c, {DwordRec(25000)}, 1));          // (1 + 10 + 5) / 64 after draw 2
    EXPECT_TRUE(Keeps(*s, c, {DwordRec(10937)}, 1, true));    // sorted: (1 + 1 + 5) / 64
    // The graph: the numbers of a draw with the two draws before it.
    EXPECT_EQ(GraphNumber(*s, 2, 2, false), 26562);             // (2 + 10 + 5) / 64
    EXPECT_EQ(GraphNumber(*s, 0, 2, false), 7812);              // (5 + 0 + 0) / 64
    EXPECT_EQ(CombGraphNumber(*s, c, 2, 2, false), 25000);      // (1 + 10 + 5) / 64
}

TEST(ShreddingStats, ValuesBeyondSixteenBitsStayWhole) {
    Fixture f;
    auto s = f.With(1, kDigitsFormula, 5);
    const TCombsArray combs = {Comb({6, 5, 5, 3, 6}), Comb({0, 0, 0, 0, 0}), Comb({7, 5, 0, 0, 0}),
                               Comb({0, 9, 4, 6, 4}), Comb({6, 5, 5, 3, 6})};
    const V texts = {"65536x2", "0x1", "75000x1", "9464x1"};
    TStatDrawArray plain, batch;
    for (const auto& c : combs) s->AddCombinationValue(c, plain);
    EXPECT_EQ(Texts(*s, plain), texts);
    f.Stat("SHR1")->AddCombinationValues(combs.data(), combs.size(), batch);
    EXPECT_EQ(Texts(*s, batch), texts);
    EXPECT_EQ(s->TextToValueChecked("75000"), 75000);
    // The filter tells 65536 from 0 and 75000 from 9464.
    TCombsArray out(combs.size());
    EXPECT_EQ(FilterCombinationSet(*s, combs.data(), combs.size(), out.data(), {DwordRec(65536)},
                                   TFilterAction::Keep, false, 2),
              2u);
    EXPECT_EQ(out[0], combs[0]);
    EXPECT_EQ(FilterCombinationSet(*s, combs.data(), combs.size(), out.data(), {DwordRec(9464)},
                                   TFilterAction::Delete, false, 2),
              4u);
    EXPECT_FALSE(Keeps(*s, combs[1], {DwordRec(65536)}, 2));
    // The distribution file keeps the four values apart.
    TPrefetchData data;
    ASSERT_TRUE(DecodePrefetch(EncodePrefetch(batch), data));
    ASSERT_EQ(data.Body.size(), 4u);
    std::vector<uint32_t> keys;
    for (const auto& r : data.Body) keys.push_back(r.Key.Dword(0));
    EXPECT_EQ(keys, (std::vector<uint32_t>{0, 65536, 9464, 75000}));  // ascending Key[0], then Key[1]
}

TEST(ShreddingStats, ChangedFormulaReachesCaptionAndValuesAfterTheRebuild) {
    Fixture f;
    auto before = f.Stat("SHR1");
    EXPECT_EQ(DrawTexts(*before, 0, 0, false), V{"56x1"});
    auto after = f.With(1, "n1/8", 3);
    EXPECT_EQ(f.list.Items(f.list.IndexOfCode("SHR1")).FullCaption(), "Метод шинковки 1: n1/8");
    EXPECT_EQ(DrawTexts(*after, 0, 0, false), V{"625x1"});
    // A statistic made before the change keeps its formula.
    EXPECT_EQ(DrawTexts(*before, 0, 0, false), V{"56x1"});
    EXPECT_EQ(dynamic_cast<TstShreddingStat&>(*after).Formula(), "n1/8");
}

TEST(ShreddingStats, AFormulaThatCannotBeEvaluatedGivesZeroEverywhere) {
    Fixture f;
    auto s = f.With(2, "n1/(n2-n2)", 2);
    TStatDrawArray list;
    ComputeFullSetDistribution(*s, list, 1);
    EXPECT_EQ(Texts(*s, list), V{"0x2118760"});
    EXPECT_EQ(KeptOfFullSet(*s, {DwordRec(0)}), 2118760u);
    s = f.With(2, "SQR 4", 2);
    EXPECT_EQ(KeptOfFullSet(*s, {DwordRec(0)}), 2118760u);
}

// The batch entry points against the plain calls, for formulas that run compiled, formulas that
// are evaluated as text and five digits.
TEST(ShreddingStats, BatchEqualsPlain) {
    Fixture f;
    const TCombsArray& all = FullCombinationSet();
    TCombsArray sample;
    for (size_t i = 0; i < all.size(); i += 997) sample.push_back(all[i]);
    const std::pair<const char*, int> formulas[] = {
        {"(n1+n2+n3)/(n4+n5)", 2}, {"(n1*n2+p3)/(t4+1)", 5}, {"2n1/7", 4}, {"n1/(n2-30)", 3}, {kDigitsFormula, 5}};
    for (const auto& [formula, digits] : formulas) {
        f.With(3, formula, digits);
        const int i = f.list.IndexOfCode("SHR3");
        TStatDrawArray plain, batch;
        auto s = f.list.CreateStat(i);
        for (const auto& c : sample) s->AddCombinationValue(c, plain);
        f.list.CreateStat(i)->AddCombinationValues(sample.data(), sample.size(), batch);
        ASSERT_EQ(plain.size(), batch.size()) << formula;
        EXPECT_EQ(std::memcmp(plain.data(), batch.data(), plain.size() * sizeof(TStatValueRec)), 0) << formula;
        // Keep and delete the values of every third entry, after the last draw, sorted or not.
        TStatDrawArray selected;
        for (size_t k = 0; k < plain.size(); k += 3) selected.push_back(plain[k]);
        for (bool sorted : {false, true})
            for (TFilterAction action : {TFilterAction::Keep, TFilterAction::Delete}) {
                TCombsArray expected;
                auto p = f.list.CreateStat(i);
                for (const auto& c : sample)
                    if (p->CombinationMatches(c, selected, IsDelete(action), sorted, 2) != IsDelete(action))
                        expected.push_back(c);
                TCombsArray out(sample.size());
                const size_t n = f.list.CreateStat(i)->FilterCombinations(sample.data(), sample.size(), out.data(),
                                                                          selected, action, sorted, 2);
                out.resize(n);
                EXPECT_EQ(out, expected) << formula << " sorted " << sorted;
            }
    }
}
