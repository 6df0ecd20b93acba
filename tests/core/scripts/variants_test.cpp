#include "core/scripts/variants.h"

#include "core/stats/stat_list.h"
#include "core/util/error.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

class Variants : public ::testing::Test {
protected:
    void SetUp() override { list.Build(); }
    std::vector<TFilterItem> Items(const std::vector<std::string>& texts) {
        std::vector<TFilterItem> items;
        for (const auto& t : texts) items.push_back(ParseFilterItem(t, list));
        return items;
    }
    std::string ErrorOf(const std::vector<std::string>& texts) {
        try {
            TFilterVariants v(Items(texts), texts);
        } catch (const Error& e) {
            return e.what();
        }
        return "(no error)";
    }
    TStatList list;
};

TEST_F(Variants, LastFilterVariesFastestLengthBeforeValue) {
    const std::vector<std::string> texts = {"TSF1#NUMS:10;20#LMV:3;5#SF:0", "TSF1#SUMS:30#LNO:#SF:0"};
    const auto all = BuildVariants(Items(texts), texts);
    ASSERT_EQ(all.size(), 4u);
    const std::pair<int, const char*> expected[] = {{10, "3"}, {10, "5"}, {20, "3"}, {20, "5"}};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(all[k][0].SampleLength, expected[k].first) << k;
        EXPECT_EQ(all[k][0].CriterionValue, expected[k].second) << k;
        EXPECT_EQ(all[k][1].SampleLength, 30) << k;
        EXPECT_TRUE(all[k][1].Active);
        EXPECT_FALSE(all[k][2].Active);
    }
}

TEST_F(Variants, ListKindsTestTheWholeListOncePerLength) {
    const std::vector<std::string> texts = {"TSF1#NUMS:10;20#LDV:3;5#SF:0"};
    const auto all = BuildVariants(Items(texts), texts);
    ASSERT_EQ(all.size(), 2u);
    for (const auto& v : all) {
        EXPECT_EQ(v[0].CriterionValue, "3,5");
        EXPECT_EQ(v[0].CriterionDisplay, "3;5");
    }
    EXPECT_EQ(all[1][0].SampleLength, 20);
}

TEST_F(Variants, KindsThatMakeOneVariantPerValue) {
    for (int kind = 0; kind < kCriterionKindCount; ++kind) {
        const bool perValue = (kind >= 1 && kind <= 4) || (kind >= 7 && kind <= 10) || (kind >= 13 && kind <= 16) ||
                              (kind >= 19 && kind <= 30);
        EXPECT_EQ(IsPerValueCriterion(kind), perValue) << kind;
    }
}

TEST_F(Variants, NoFiltersNoVariants) {
    TFilterVariants v({}, {});
    EXPECT_EQ(v.Count(), 0);
    TFilterRec rec;
    EXPECT_FALSE(v.Next(rec));
}

TEST_F(Variants, InvalidFilterTexts) {
    EXPECT_EQ(ErrorOf({"TSF1#NUMS:#LMV:3#SF:0"}), "Некорректное описание фильтра: TSF1#NUMS:#LMV:3#SF:0!");
    EXPECT_EQ(ErrorOf({"TSF1#NUMS:10#LMV:#SF:0"}), "Некорректное описание фильтра: TSF1#NUMS:10#LMV:#SF:0!");
    EXPECT_EQ(ErrorOf({"TSF1#NUMS:10#LNO:#SF:0"}), "(no error)");
}

TEST_F(Variants, HugeProductsAreWalkedWithoutStoringThem) {
    // 20^7 variants: counted, and the first ones come at once.
    std::vector<std::string> texts(7, "TSF1#NUMS:10#LMV:1-20;1#SF:0");
    TFilterVariants v(Items(texts), texts);
    EXPECT_EQ(v.Count(), 1280000000);
    TFilterRec rec;
    ASSERT_TRUE(v.Next(rec));
    ASSERT_TRUE(v.Next(rec));
    EXPECT_EQ(rec[6].CriterionValue, "2");
    EXPECT_EQ(rec[5].CriterionValue, "1");
    // 7 list filters of 100 values each are beyond what could ever run.
    std::vector<std::string> huge(7, "TSF1#NUMS:10#LMV:1-100;1#SF:0");
    EXPECT_NE(ErrorOf(huge).find("Вы задали слишком много вариантов фильтров"), std::string::npos);
}

TEST_F(Variants, OdometerCarriesIntoEarlierFilters) {
    const std::vector<std::string> texts = {"TSF1#NUMS:1;2#LNO:#SF:0", "TSF1#NUMS:10#LMV:7;8;9#SF:0"};
    const auto all = BuildVariants(Items(texts), texts);
    ASSERT_EQ(all.size(), 6u);
    std::vector<std::string> seen;
    for (const auto& v : all) seen.push_back(std::to_string(v[0].SampleLength) + "/" + v[1].CriterionValue);
    EXPECT_EQ(seen, (std::vector<std::string>{"1/7", "1/8", "1/9", "2/7", "2/8", "2/9"}));
}

} // namespace
} // namespace velmora
