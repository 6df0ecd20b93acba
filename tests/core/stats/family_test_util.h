// Helpers for the tests of the statistic families: a statistic list over a small archive, the
// texts of a value list, key records and the standard runs by code.
#pragma once

#include "core/combs/rank_set.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"
#include "../../test_draws.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace velmora::test {

struct FamilyFixture {
    TDrawsArray draws;
    TStatList list;
    explicit FamilyFixture(TDrawsArray d = {}) : draws(std::move(d)) {
        list.Bind(draws);
        list.Build();
    }
    std::unique_ptr<TCustomStat> Stat(const std::string& code) const {
        int i = list.IndexOfCode(code);
        EXPECT_GE(i, 0) << code;
        if (i < 0) return nullptr;
        return list.CreateStat(i);
    }
    const TStatClass& Class(const std::string& code) const { return *list.Items(list.IndexOfCode(code)).StatClass; }
};

// "text×count" per entry, in list order.
inline std::vector<std::string> Texts(const TCustomStat& s, const TStatDrawArray& list) {
    std::vector<std::string> v;
    for (const auto& e : list) v.push_back(s.ValueToText(e) + "x" + std::to_string(e.Count));
    return v;
}

// A record with the four key components.
inline TStatValueRec KeyRec(uint16_t k0, uint16_t k1 = 0, uint16_t k2 = 0, uint16_t k3 = 0) {
    TStatValueRec r;
    r.Key.K[0] = k0;
    r.Key.K[1] = k1;
    r.Key.K[2] = k2;
    r.Key.K[3] = k3;
    return r;
}

// A record with the two 32-bit halves (signed values as two's complement).
inline TStatValueRec DwordRec(int32_t lo, int32_t hi = 0) {
    TStatValueRec r;
    r.Key.SetDword(0, uint32_t(lo));
    r.Key.SetDword(1, uint32_t(hi));
    return r;
}

inline std::vector<std::string> CombinationTexts(TCustomStat& s, const TCombination& comb) {
    TStatDrawArray list;
    s.AddCombinationValue(comb, list);
    return Texts(s, list);
}

inline std::vector<std::string> DrawTexts(TCustomStat& s, int index, int lastIndex, bool sorted) {
    TStatDrawArray list;
    TLastValueArray lastValues;
    TSeriesArea series{};
    s.AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
    return Texts(s, list);
}

inline std::vector<std::string> DomainTexts(TCustomStat& s) {
    TStatDrawArray list;
    s.ListAllValues(0, list);
    return Texts(s, list);
}

inline std::vector<std::string> WindowTexts(TCustomStat& s, int lastIndex, int length, bool sorted) {
    TStatDrawArray list;
    ComputeStatDistribution(s, lastIndex, length, sorted, list);
    return Texts(s, list);
}

inline int32_t GraphNumber(TCustomStat& s, int index, int refIndex, bool sorted) {
    auto* g = dynamic_cast<TCustomGraphStat*>(&s);
    EXPECT_NE(g, nullptr) << s.Class().GetCode();
    return g ? g->DrawNumber(index, refIndex, sorted) : 0;
}

inline int32_t CombGraphNumber(TCustomStat& s, const TCombination& comb, int index, int refIndex, bool sorted) {
    auto* g = dynamic_cast<TCustomGraphStat*>(&s);
    EXPECT_NE(g, nullptr) << s.Class().GetCode();
    return g ? g->CombinationNumber(comb, index, refIndex, sorted) : 0;
}

// Whether the keeping filter with the window ending at lastIndex keeps comb.
inline bool Keeps(TCustomStat& s, const TCombination& comb, const TStatDrawArray& selected, int lastIndex,
                  bool sorted = false) {
    TCombination out[1];
    return FilterCombinationSet(s, &comb, 1, out, selected, TFilterAction::Keep, sorted, lastIndex) == 1;
}

// How many combinations of the full set the keeping filter with these selected values keeps.
inline size_t KeptOfFullSet(TCustomStat& s, const TStatDrawArray& selected) {
    const TCombsArray& all = FullCombinationSet();
    TCombsArray out(all.size());
    return FilterCombinationSet(s, all.data(), all.size(), out.data(), selected, TFilterAction::Keep, false, 0);
}

// The pass on ranks of the method against its records pass, kept and deleted, on the full set and
// on every third combination of it; the method must have a pass on ranks for these selected values.
inline void ExpectRanksPassAsRecords(const FamilyFixture& f, const std::string& code, const TStatDrawArray& selected) {
    const TCombsArray& all = FullCombinationSet();
    TCombsArray part;
    for (size_t i = 0; i < all.size(); i += 3) part.push_back(all[i]);
    const TCombsArray* sets[] = {&all, &part};
    for (const TCombsArray* set : sets)
        for (TFilterAction action : {TFilterAction::Keep, TFilterAction::Delete}) {
            TRankSet ranks;
            ASSERT_TRUE(ranks.Assign(set->data(), set->size()));
            ASSERT_TRUE(f.Stat(code)->FilterRanks(ranks.Words(), selected, action, false, 2, 1)) << code;
            ranks.Recount();
            TCombsArray got(ranks.Count());
            ranks.Decode(got.data());
            TCombsArray expected(set->size());
            expected.resize(FilterCombinationSet(*f.Stat(code), set->data(), set->size(), expected.data(), selected,
                                                 action, false, 2));
            EXPECT_EQ(got, expected) << code << " of " << set->size() << " delete " << IsDelete(action);
        }
}

using V = std::vector<std::string>;

// One value of a statistic: its record, its text, and what TextToValueChecked reads from the text.
struct TValueTextCase {
    const char* code;
    TStatValueRec rec;
    const char* text;
    int32_t parsed;
};

inline void ExpectValueTexts(const FamilyFixture& f, const std::vector<TValueTextCase>& cases) {
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        EXPECT_EQ(s->ValueToText(c.rec), c.text) << c.code;
        EXPECT_EQ(s->TextToValueChecked(c.text), c.parsed) << c.code << " " << c.text;
    }
}

// The binomial coefficient C(n, k).
inline uint64_t Choose(int n, int k) {
    if (k < 0 || k > n) return 0;
    uint64_t r = 1;
    for (int i = 1; i <= k; ++i) r = r * uint64_t(n - k + i) / uint64_t(i);
    return r;
}

} // namespace velmora::test
