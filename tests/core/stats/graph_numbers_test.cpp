#include "core/stats/graph_numbers.h"

#include "core/stats/stat_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace velmora;

TEST(GraphNumbers, DrawRowsFollowTheListAndTheSortedSwitch) {
    TDrawsArray draws(2);
    const uint8_t first[5] = {3, 6, 9, 12, 15}, second[5] = {38, 8, 48, 18, 29};
    std::copy(first, first + 5, draws[0].Numbers);
    std::copy(second, second + 5, draws[1].Numbers);
    draws[1].Extras[0] = 4;
    draws[1].Extras[1] = 7;
    TStatList list;
    list.Bind(draws);
    list.Build();

    struct Case {
        const char* code;
        int unsorted, sorted;
    } cases[] = {
        {"EVEN", 4, 4},   // 38, 8, 48, 18
        {"SMAL", 2, 2},   // 8, 18
        {"PRIM", 1, 1},   // 29
        {"POS1", 38, 8},
        {"POS5", 29, 48},
        {"POE2", 7, 7},
    };
    for (bool sorted : {false, true}) {
        auto rows = DrawGraphNumbers(list, 1, 1, sorted);
        std::map<std::string, int> byCode;
        for (const auto& r : rows) byCode[r.Code] = r.Number;
        for (const auto& c : cases) {
            ASSERT_TRUE(byCode.count(c.code)) << c.code;
            EXPECT_EQ(byCode[c.code], sorted ? c.sorted : c.unsorted) << c.code << " sorted=" << sorted;
        }
        EXPECT_FALSE(byCode.count("NUMS"));  // no graph
        // Rows keep the list order, one per graph method shown in the table.
        std::vector<std::string> expected;
        for (int i = 0; i < list.Count(); ++i)
            if (list.HasGraph(i) && list.CanShowInTable(i)) expected.push_back(list.Items(i).Code());
        std::vector<std::string> got;
        for (const auto& r : rows) got.push_back(r.Code);
        EXPECT_EQ(got, expected);
    }
    // A combination is judged with the same statistics.
    TCombination comb{1, 2, 3, 4, 5};
    auto rows = CombinationGraphNumbers(list, comb, 1, 1, false);
    auto even = std::find_if(rows.begin(), rows.end(), [](const TStatNumberRow& r) { return r.Code == "EVEN"; });
    ASSERT_NE(even, rows.end());
    EXPECT_EQ(even->Number, 2);
}
