// The filter pass split over several threads keeps exactly the combinations, in the same order,
// that the plain loop of CombinationMatches calls keeps. Every method the registry builds is
// checked, so families added later are covered without new tests.
#include "core/filters/stat_filter.h"

#include "core/combs/comb_set.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

using namespace velmora;

namespace {

// Every 61st combination of the full set (34 735 of them), ascending.
const TCombsArray& StridedSet() {
    static const TCombsArray set = [] {
        const TCombsArray& all = FullCombinationSet();
        TCombsArray s;
        for (size_t i = 0; i < all.size(); i += 61) s.push_back(all[i]);
        return s;
    }();
    return set;
}

// A handful of values a user could select: every third value of the window distribution and of
// the distribution over the first combinations of the set, at most four of each. A statistic
// that has neither (one that pairs draws with the reference draw) gets small signed integers
// in either 32-bit half of the key.
TStatDrawArray SomeValues(TCustomStat& stat, int last) {
    TStatDrawArray window, combs, picked;
    ComputeStatDistribution(stat, last, 300, false, window);
    const TCombsArray& set = StridedSet();
    stat.AddCombinationValues(set.data(), 2000, combs);
    for (const TStatDrawArray* list : {&window, &combs})
        for (size_t k = 1, taken = 0; k < list->size() && taken < 4; k += 3, ++taken) picked.push_back((*list)[k]);
    if (picked.empty())
        for (int32_t v : {-3, 0, 1, 5, 120, 130}) {
            TStatValueRec r;
            r.Key.SetDword(0, uint32_t(v));
            picked.push_back(r);
            r.Key.SetDword(0, uint32_t(v & 7));
            r.Key.SetDword(1, uint32_t(v));
            picked.push_back(r);
        }
    return picked;
}

std::vector<TCombination> PlainLoop(TCustomStat& stat, const TStatDrawArray& selected, bool remove, bool sorted,
                                    int last) {
    stat.LoadDraw(-1, last, sorted);
    std::vector<TCombination> out;
    for (const auto& c : StridedSet())
        if (stat.CombinationMatches(c, selected, remove, sorted, last) != remove) out.push_back(c);
    return out;
}

} // namespace

TEST(StatFilterSplit, EveryMethodKeepsWhatThePlainLoopKeeps) {
    TDrawsArchive archive;
    archive.Draws = MakeSampleDraws(400, 11);
    archive.SetDrawsOffset(2);
    TStatList list;
    list.Bind(archive.Draws);
    list.Build();
    const TCombsArray& combs = StridedSet();
    TCombSet set(int(combs.size()));
    const int last = FilterReferenceIndex(archive);
    for (int i = 0; i < list.Count(); ++i) {
        const std::string code = list.Items(i).Code();
        const TStatDrawArray selected = SomeValues(*list.CreateStat(i), last);
        for (bool sorted : {false, true}) {
            archive.Sorted = sorted;
            for (bool remove : {false, true}) {
                const auto plain = PlainLoop(*list.CreateStat(i), selected, remove, sorted, last);
                for (int threads : {2, 3}) {
                    std::copy(combs.begin(), combs.end(), set.MutableData());
                    set.SetCount(int(combs.size()));
                    set.SaveUndo(false);
                    auto stat = list.CreateStat(i);
                    ApplyStatFilter(set, *stat, selected, FilterActionOf(remove), archive, code, "", threads);
                    EXPECT_EQ(std::vector<TCombination>(set.Data(), set.Data() + set.Count()), plain)
                        << code << " remove " << remove << " sorted " << sorted << " threads " << threads;
                }
            }
        }
    }
}
