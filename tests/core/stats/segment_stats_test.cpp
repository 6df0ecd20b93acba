// The segment statistics: values by the segment map of the settings, the segment ids of the
// registry, filters and the map a statistic keeps from its creation.
#include "core/stats/segment_stats.h"

#include "family_test_util.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace velmora;
using namespace velmora::test;

namespace {

// 1..5 in segment 1, 6..10 in 2, ... 41..45 in 9, and 46..50 in 1 again.
std::array<uint8_t, 50> BlockMap() {
    std::array<uint8_t, 50> m{};
    for (int n = 1; n <= 50; ++n) m[size_t(n - 1)] = uint8_t(n <= 45 ? (n - 1) / 5 + 1 : 1);
    return m;
}

// Only segments 2 (numbers 1..25) and 5 (26..50).
std::array<uint8_t, 50> TwoSegmentMap() {
    std::array<uint8_t, 50> m{};
    for (int n = 1; n <= 50; ++n) m[size_t(n - 1)] = uint8_t(n <= 25 ? 2 : 5);
    return m;
}

struct Fixture : FamilyFixture {
    explicit Fixture(const std::array<uint8_t, 50>& map = TConfigData::DefaultSegments(),
                     std::array<int, 5> draw = {1, 7, 12, 46, 50})
        : FamilyFixture(TDrawsArray{MakeDraw(7, draw)}) {
        list.Config.MatrixSegments = map;
        list.Build();
    }
};

std::vector<std::string> SegmentCodes(const TStatList& l) {
    std::vector<std::string> v;
    for (const auto& m : l.Methods)
        if (m.Code().rfind("SGM", 0) == 0 && std::isdigit(static_cast<unsigned char>(m.Code()[3]))) v.push_back(m.Code());
    return v;
}

} // namespace

TEST(SegmentStats, ValuesByTheMap) {
    struct Case {
        bool blocks;
        const char* code;
        V values;
    } cases[] = {
        // Every number in segment 1 without a map.
        {false, "SGMS", {"1x5"}},
        {false, "SGMV", {"1 x 5x1"}},
        {false, "SGMC", {"1x1"}},
        {false, "SGM1", {"5x1"}},
        {true, "SGMS", {"1x3", "2x1", "3x1"}},
        {true, "SGMC", {"3x1"}},
        {true, "SGMV",
         {"1 x 3x1", "2 x 1x1", "3 x 1x1", "4 x 0x1", "5 x 0x1", "6 x 0x1", "7 x 0x1", "8 x 0x1", "9 x 0x1"}},
        {true, "SGM1", {"3x1"}},
        {true, "SGM4", {"0x1"}},
    };
    for (const auto& c : cases) {
        Fixture f(c.blocks ? BlockMap() : TConfigData::DefaultSegments());
        auto s = f.Stat(c.code);
        EXPECT_EQ(CombinationTexts(*s, {1, 7, 12, 46, 50}), c.values) << c.code;
        EXPECT_EQ(DrawTexts(*s, 0, 0, false), c.values) << c.code;
    }
}

TEST(SegmentStats, TuplesAndDomains) {
    Fixture plain;
    EXPECT_EQ(DrawTexts(*plain.Stat("KGM2"), 0, 0, false), V{"1:1x10"});
    // Segments 1, 1, 2, 2, 2.
    Fixture blocks(BlockMap(), {1, 2, 6, 7, 8});
    EXPECT_EQ(DrawTexts(*blocks.Stat("KGS2"), 0, 0, false), (V{"1:1x1", "1:2x1", "2:2x2"}));
    EXPECT_EQ(DrawTexts(*blocks.Stat("KGS4"), 0, 0, false), (V{"1:1:2:2x1", "1:2:2:2x1"}));
    EXPECT_EQ(DrawTexts(*blocks.Stat("KGM3"), 0, 0, false), (V{"1:1:2x3", "1:2:2x6", "2:2:2x1"}));
    // SGMS lists the segments of the map in order of first appearance; the others list none.
    Fixture two(TwoSegmentMap());
    EXPECT_EQ(DomainTexts(*two.Stat("SGMS")), (V{"2x0", "5x0"}));
    EXPECT_EQ(DomainTexts(*blocks.Stat("SGMS")).size(), 9u);
    for (const char* code : {"SGMV", "SGMC", "SGM2", "KGM2", "KGS4"}) EXPECT_EQ(DomainTexts(*two.Stat(code)), V{}) << code;
}

TEST(SegmentStats, TextsAndGraphs) {
    Fixture f(BlockMap());
    ExpectValueTexts(f, {
                            {"SGMS", KeyRec(4), "4", 4},
                            {"SGMV", KeyRec(4, 0), "4 x 0", 0},
                            {"SGMC", KeyRec(3), "3", 3},
                            {"KGM3", KeyRec(1, 1, 3), "1:1:3", 0},
                        });
    EXPECT_EQ(f.Class("SGM3").FormatCaption(3), "Количество чисел в 3 сегменте матрицы");
    EXPECT_EQ(f.Class("SGM3").GetBaseCode(), "SGMx");
    EXPECT_EQ(GraphNumber(*f.Stat("SGMC"), 0, 0, false), 3);
    EXPECT_EQ(GraphNumber(*f.Stat("SGM1"), 0, 0, false), 3);
}

TEST(SegmentStats, FiltersOverTheFullSet) {
    Fixture f(BlockMap());
    const TCombsArray& all = FullCombinationSet();
    TCombsArray out(all.size());
    struct Case {
        const char* code;
        TStatDrawArray selected;
        uint64_t kept;
    } cases[] = {
        // No number in 16..20.
        {"SGMV", {KeyRec(4, 0)}, Choose(45, 5)},
        // Three numbers of segment 1 (ten numbers).
        {"SGM1", {KeyRec(3)}, Choose(10, 3) * Choose(40, 2)},
        {"SGMS", {KeyRec(9)}, Choose(50, 5) - Choose(45, 5)},
        {"KGM2", {KeyRec(9, 9)}, Choose(50, 5) - Choose(45, 5) - 5 * Choose(45, 4)},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        EXPECT_EQ(FilterCombinationSet(*s, all.data(), all.size(), out.data(), c.selected, TFilterAction::Keep, false, 0),
                  c.kept)
            << c.code;
    }
}

TEST(SegmentStats, MapSettingChangesTheRegistryAndNewStatistics) {
    Fixture f;
    EXPECT_EQ(SegmentCodes(f.list), V{"SGM1"});
    auto before = f.Stat("SGMC");
    f.list.Config.MatrixSegments = TwoSegmentMap();
    f.list.Build();
    // Every id between the smallest and the largest gets a method, used or not.
    EXPECT_EQ(SegmentCodes(f.list), (V{"SGM2", "SGM3", "SGM4", "SGM5"}));
    EXPECT_EQ(CombinationTexts(*f.Stat("SGM3"), {1, 7, 12, 46, 50}), V{"0x1"});
    EXPECT_EQ(CombinationTexts(*f.Stat("SGM2"), {1, 7, 12, 46, 50}), V{"3x1"});
    // A statistic keeps the map it was created with.
    EXPECT_EQ(CombinationTexts(*before, {1, 7, 12, 46, 50}), V{"1x1"});
    EXPECT_EQ(CombinationTexts(*f.Stat("SGMC"), {1, 7, 12, 46, 50}), V{"2x1"});
}
