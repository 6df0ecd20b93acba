#include "core/app/window_settings.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

TWindowPlacement Placement(int showCmd, int ppi, std::array<int, 4> norm) {
    TWindowPlacement p;
    p.ShowCmd = showCmd;
    p.PixelsPerInch = ppi;
    for (int i = 0; i < 4; ++i) p.NormPos[i] = norm[size_t(i)];
    return p;
}

} // namespace

TEST(WindowSettings, PlacementRules) {
    struct Case {
        const char* name;
        int readW, readH, readPpi;
        bool hasRect;
        std::array<int, 4> rect;
    };
    // Saved at 1920x1080 (rectangle A) and then at 1280x1024 (rectangle B), both at 96 dpi.
    const Case cases[] = {
        {"same screen as the first save", 1920, 1080, 96, true, {10, 20, 810, 620}},
        {"same screen as the last save", 1280, 1024, 96, true, {5, 6, 705, 506}},
        {"unknown screen: the last save", 800, 600, 96, true, {5, 6, 705, 506}},
        {"another resolution: no rectangle", 1920, 1080, 120, false, {0, 0, 0, 0}},
    };
    TWindowSettings s;
    s.WritePlacement("TFormMain", Placement(1, 96, {10, 20, 810, 620}), 1920, 1080);
    s.WritePlacement("TFormMain", Placement(3, 96, {5, 6, 705, 506}), 1280, 1024);
    for (const auto& c : cases) {
        auto p = s.ReadPlacement("tformmain", c.readW, c.readH, c.readPpi);
        ASSERT_TRUE(p) << c.name;
        EXPECT_EQ(p->ShowCmd, 3) << c.name;
        EXPECT_EQ(p->HasNormPos, c.hasRect) << c.name;
        if (c.hasRect) {
            EXPECT_EQ((std::array<int, 4>{p->NormPos[0], p->NormPos[1], p->NormPos[2], p->NormPos[3]}), c.rect) << c.name;
        }
    }
    EXPECT_FALSE(s.ReadPlacement("TFormOther", 1920, 1080, 96));
}

TEST(WindowSettings, ValuesAndDefaults) {
    TWindowSettings s;
    s.WriteBool("TFormMain", "SortedDraws", true);
    s.WriteString("TFormMain", "LeftPanelWidth", "abc");
    s.WriteColumnWidths("TFormMain", "lvDraws", {40, 30});
    EXPECT_TRUE(s.ReadBool("TFORMMAIN", "sorteddraws", false));
    EXPECT_TRUE(s.ReadBool("TFormMain", "ColorDraws", true));  // missing: the default
    EXPECT_EQ(s.ReadInteger("TFormMain", "LeftPanelWidth", 420), 420);  // not an integer: the default
    EXPECT_EQ(s.ReadColumnWidths("TFormMain", "lvDraws", 3), (std::vector<int>{40, 30, -1}));
    EXPECT_EQ(s.ReadString("TFormMain", "lvDraws.Column1", ""), "30");
}

TEST(WindowSettings, FileRoundTrip) {
    const std::string file = ::testing::TempDir() + "/velmora_window_settings.frm";
    std::remove(file.c_str());
    {
        TWindowSettings s(file);
        s.Load();  // a missing file is an empty one
        s.WriteBool("TFormMain", "ColorDraws", false);
        s.WritePlacement("TFormMain", Placement(3, 96, {1, 2, 301, 202}), 800, 600);
        s.WriteColumnWidths("TFormMain", "lvDraws", {41, 42});
        s.Save();
    }
    TWindowSettings s(file);
    s.Load();
    EXPECT_FALSE(s.ReadBool("TFormMain", "ColorDraws", true));
    auto p = s.ReadPlacement("TFormMain", 800, 600, 96);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->ShowCmd, 3);
    EXPECT_EQ(p->NormPos[2], 301);
    EXPECT_EQ(s.ReadColumnWidths("TFormMain", "lvDraws", 2), (std::vector<int>{41, 42}));
    EXPECT_EQ(s.ReadString("TFormMain", "NormPos_800x600", ""), "1,2,301,202");
    std::remove(file.c_str());
}

TEST(WindowSettings, SortTypes) {
    TWindowSettings s;
    s.WriteSortType("TFormMain", "lvDrawsStat", {3, 1});
    EXPECT_EQ(s.ReadString("TFormMain", "lvDrawsStat.SortType", ""), "3,1");
    EXPECT_EQ(s.ReadSortType("tformmain", "lvDrawsStat"), (TSortType{3, 1}));
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {{"0,0", true}, {" 2 , 1 ", true}, {"2", false}, {"a,1", false}, {"1,2,3", false}, {"", false}};
    for (const auto& c : cases) {
        s.WriteString("TFormMain", "lvRatings.SortType", c.text);
        EXPECT_EQ(s.ReadSortType("TFormMain", "lvRatings").has_value(), c.valid) << c.text;
    }
    EXPECT_FALSE(s.ReadSortType("TFormMain", "lvCombs"));
}
