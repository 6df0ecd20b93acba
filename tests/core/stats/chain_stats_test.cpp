#include "family_test_util.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// The reference draw 3 holds the numbers of draw 1 in reverse drawn order.
TDrawsArray TwoDrawChains() {
    return {MakeDraw(1, {1, 2, 3, 4, 5}), MakeDraw(2, {6, 7, 8, 9, 10}), MakeDraw(3, {5, 4, 3, 2, 1})};
}

// Draws 4 and 5 repeat draws 1 and 2, so draw 3 followed the same two draws.
TDrawsArray ThreeDrawChains() {
    return {MakeDraw(1, {1, 2, 3, 4, 5}), MakeDraw(2, {6, 7, 8, 9, 10}), MakeDraw(3, {11, 12, 13, 14, 15}),
            MakeDraw(4, {1, 2, 3, 4, 5}), MakeDraw(5, {6, 7, 8, 9, 10})};
}

// Draw 1 holds 3 and 4 (channel 1 of width 5), the reference draw 3 holds 1 (channel 1).
TDrawsArray ChannelChains() {
    return {MakeDraw(1, {3, 4, 20, 30, 40}), MakeDraw(2, {6, 11, 16, 21, 26}), MakeDraw(3, {1, 45, 46, 47, 48})};
}

// Draw 1 holds 7 (channel 2), 13 (channel 3) and 20 (channel 4), all three in the reference draw 3;
// draw 2 has 9 and 6 in channel 2, 14 in channel 3 and nothing in channel 4.
TDrawsArray InsideChains() {
    return {MakeDraw(1, {7, 1, 13, 20, 33}), MakeDraw(2, {9, 6, 14, 40, 50}), MakeDraw(3, {7, 13, 20, 30, 45})};
}

std::vector<std::string> Codes(const TStatList& list, int group) {
    std::vector<std::string> v;
    for (const auto& m : list.Methods)
        if (m.StatClass->GetGroup() == group) v.push_back(m.Code());
    return v;
}

} // namespace

TEST(ChainStats, MethodsCaptionsAndFlagsInRegistryOrder) {
    FamilyFixture f;
    std::vector<std::string> expected = {"SDV2", "SDP2"};
    auto add = [&](const char* prefix, int from, int to) {
        for (int k = from; k <= to; ++k) expected.push_back(prefix + std::to_string(k));
    };
    add("SDN", 1, 5);
    expected.push_back("SDP3");
    add("SDM", 1, 5);
    expected.insert(expected.end(), {"SCV2", "SCP2"});
    add("SCN", 1, 5);
    expected.push_back("SCP3");
    add("SCM", 1, 5);
    add("SC2C", 1, 10);
    add("SC3C", 1, 10);
    expected.insert(expected.end(), {"SDA2", "SDG2", "SDZ2", "SDC2", "SSV2", "SSP2"});
    add("SSN", 1, 5);
    expected.push_back("SSP3");
    add("SSM", 1, 5);
    expected.insert(expected.end(), {"SS2C1", "SS3C1"});
    EXPECT_EQ(Codes(f.list, 10), expected);
    EXPECT_EQ(f.list.IndexOfCode("SDV2"), f.list.IndexOfCode("PRDG") + 1);
    EXPECT_EQ(f.list.IndexOfCode("HCS1"), f.list.IndexOfCode("SS3C1") + 1);

    struct Case {
        const char* code;
        const char* caption;
        const char* baseCode;
        const char* flags;
    } cases[] = {
        {"SDV2", "Переходы чисел между 2 тиражами без учета позиции", "SDV2", "D"},
        {"SDP2", "Переходы чисел между 2 тиражами с учетом позиции", "SDP2", "SD"},
        {"SDN3", "Переходы чисел между 2 тиражами в 3 позиции", "SDNx", "SD"},
        {"SDP3", "Переходы чисел между 3 тиражами с учетом позиции", "SDP3", "SD"},
        {"SDM5", "Переходы чисел между 3 тиражами в 5 позиции", "SDMx", "SD"},
        {"SCV2", "Переходы каналов между 2 тиражами без учета позиции", "SCV2", "D"},
        {"SCN1", "Переходы каналов между 2 тиражами в 1 позиции", "SCNx", "SD"},
        {"SCM2", "Переходы каналов между 3 тиражами в 2 позиции", "SCMx", "SD"},
        {"SC2C4", "Переходы кол-ва чисел в 4 канале между 2 тиражами", "SC2Cx", "D"},
        {"SC3C10", "Переходы кол-ва чисел в 10 канале между 3 тиражами", "SC3Cx", "D"},
        {"SDA2", "Переходы чисел в пределах каналов (все)", "SDA2", "D"},
        {"SDG2", "Переходы чисел в пределах каналов (N-M, удачные)", "SDG2", "D"},
        {"SDZ2", "Переходы чисел в пределах каналов (N-0, не удачные)", "SDZ2", "D"},
        {"SDC2", "Переходы чисел в пределах каналов (количество)", "SDC2", "D"},
        {"SSP2", "Переходы сегментов между 2 тиражами с учетом позиции", "SSP2", "SD"},
        {"SSN2", "Переходы сегментов между 2 тиражами в 2 позиции", "SSNx", "SD"},
        {"SSP3", "Переходы сегментов между 3 тиражами с учетом позиции", "SSP3", "SD"},
        {"SSM4", "Переходы сегментов между 3 тиражами в 4 позиции", "SSMx", "SD"},
        {"SS2C1", "Переходы кол-ва чисел в 1 сегменте между 2 тиражами", "SS2Cx", "D"},
        {"SS3C1", "Переходы кол-ва чисел в 1 сегменте между 3 тиражами", "SS3Cx", "D"},
    };
    for (const auto& c : cases) {
        const int i = f.list.IndexOfCode(c.code);
        ASSERT_GE(i, 0) << c.code;
        EXPECT_EQ(f.list.Items(i).Caption(), c.caption);
        EXPECT_EQ(f.list.Items(i).StatClass->GetBaseCode(), c.baseCode);
        EXPECT_EQ(f.list.DisplayCaption(i, true), std::string("{ mov } ") + c.caption + " [ " + c.flags + " ]");
        EXPECT_FALSE(f.list.Items(i).HasValueList()) << c.code;
    }
}

TEST(ChainStats, CountMethodsFollowTheSettings) {
    struct Case {
        int width;
        std::array<uint8_t, 50> map;
        std::vector<std::string> present, absent;
    };
    std::array<uint8_t, 50> ids345{}, zeros{}, defaults = TConfigData::DefaultSegments();
    for (int n = 1; n <= 50; ++n) ids345[size_t(n - 1)] = uint8_t(n % 3 + 3);
    const Case cases[] = {
        {7, defaults, {"SC2C1", "SC2C8", "SC3C8", "SS2C1"}, {"SC2C9", "SC3C9", "SS2C2"}},
        {0, defaults, {"SDA2", "SS2C1"}, {"SC2C1", "SC3C1"}},  // no channels, no channel counts
        {5, ids345, {"SS2C3", "SS2C5", "SS3C4"}, {"SS2C1", "SS2C2", "SS2C6"}},
        {5, zeros, {"SS2C0", "SS2C1", "SS3C0", "SS3C1"}, {"SS2C2"}},  // narrowed from 9 and 1
    };
    for (const auto& c : cases) {
        FamilyFixture f;
        f.list.Config.ChannelSize = c.width;
        f.list.Config.MatrixSegments = c.map;
        f.list.Build();
        for (const auto& code : c.present) EXPECT_GE(f.list.IndexOfCode(code), 0) << code << " width " << c.width;
        for (const auto& code : c.absent) EXPECT_EQ(f.list.IndexOfCode(code), -1) << code << " width " << c.width;
    }
}

TEST(ChainStats, NumberTransitions) {
    struct Case {
        const char* code;
        bool sorted;
        V values;
    } cases[] = {
        // In drawn order only position 3 of draw 1 matches the reference draw.
        {"SDP2", false, {"3 -> 8x1"}},
        {"SDP2", true, {"1 -> 6x1", "2 -> 7x1", "3 -> 8x1", "4 -> 9x1", "5 -> 10x1"}},
        {"SDN3", false, {"3 -> 8x1"}},
        {"SDN1", false, {}},
        {"SDN1", true, {"1 -> 6x1"}},
    };
    FamilyFixture f(TwoDrawChains());
    for (const auto& c : cases)
        EXPECT_EQ(WindowTexts(*f.Stat(c.code), 2, 3, c.sorted), c.values) << c.code << " sorted " << c.sorted;
    // Draw 1, before draw 2, holds every number of the reference draw: the 25 transitions
    // 1 -> 6 .. 5 -> 10, each once.
    V all;
    for (int a = 1; a <= 5; ++a)
        for (int c = 6; c <= 10; ++c) all.push_back(std::to_string(a) + " -> " + std::to_string(c) + "x1");
    EXPECT_EQ(WindowTexts(*f.Stat("SDV2"), 2, 3, false), all);
}

TEST(ChainStats, ThreeDrawTransitions) {
    FamilyFixture f(ThreeDrawChains());
    EXPECT_EQ(WindowTexts(*f.Stat("SDP3"), 4, 5, false),
              V({"1-6 -> 11x1", "2-7 -> 12x1", "3-8 -> 13x1", "4-9 -> 14x1", "5-10 -> 15x1"}));
    EXPECT_EQ(WindowTexts(*f.Stat("SDM2"), 4, 5, false), V({"2-7 -> 12x1"}));
    // Channels 01, 02 at every position of draws 1, 2 and 4, 5: five times 01-02 -> 03.
    EXPECT_EQ(WindowTexts(*f.Stat("SCP3"), 4, 5, false), V({"01-02 -> 03x5"}));
    EXPECT_EQ(WindowTexts(*f.Stat("SSM1"), 4, 5, false), V({"1-1 -> 1x3"}));
    // The draws before a draw come from the archive, also before the window's first draw.
    EXPECT_EQ(WindowTexts(*f.Stat("SDP3"), 4, 3, false), WindowTexts(*f.Stat("SDP3"), 4, 5, false));
}

// At the start of the archive: no draw before (draw 1) gives nothing for any chain, one draw
// before (draw 2) nothing for the three-draw chains.
TEST(ChainStats, NothingAtTheStartOfTheArchive) {
    FamilyFixture f(ThreeDrawChains());
    for (int i = 0; i < f.list.Count(); ++i) {
        const TStatMethod& m = f.list.Items(i);
        if (m.StatClass->GetGroup() != 10) continue;
        const std::string code = m.Code();
        bool threeDraws = false;
        for (const char* prefix : {"SDP3", "SDM", "SCP3", "SCM", "SC3C", "SSP3", "SSM", "SS3C"})
            threeDraws = threeDraws || code.rfind(prefix, 0) == 0;
        auto s = f.list.CreateStat(i);
        EXPECT_EQ(DrawTexts(*s, 0, 1, false), V()) << code;
        if (threeDraws) {
            EXPECT_EQ(DrawTexts(*s, 1, 4, false), V()) << code;
        }
        if (code == "SDP3" || code == "SC3C1" || code == "SS3C1") {
            EXPECT_FALSE(DrawTexts(*s, 2, 4, false).empty()) << code;
        }
    }
}

TEST(ChainStats, ChannelAndSegmentTransitionsUnderTheSettings) {
    struct Case {
        const char* code;
        int width;
        bool halves;  // segments: 1..25 in segment 1, 26..50 in segment 2
        V values;
    } cases[] = {
        // 3 and 4 of draw 1 are both in channel 1, which the reference draw has: each transition twice.
        {"SCV2", 5, false, {"01 -> 02x2", "01 -> 03x2", "01 -> 04x2", "01 -> 05x2", "01 -> 06x2"}},
        // Width 10: draw 2 also continues (6 in channel 1), into the reference draw's channels.
        {"SCV2", 10, false, {"01 -> 01x3", "01 -> 02x4", "01 -> 03x4", "01 -> 05x4"}},
        // Positions in drawn order: draw 1 (channels 01 01 02 03 04) and draw 2 (01 02 02 03 03)
        // agree with the reference draw (01 05 05 05 05) at position 1 only.
        {"SCP2", 10, false, {"01 -> 01x2"}},
        {"SSV2", 5, true, {"1 -> 1x16", "1 -> 2x19", "2 -> 1x9", "2 -> 2x6"}},
        {"SSV2", 5, false, {"1 -> 1x50"}},
    };
    for (const auto& c : cases) {
        FamilyFixture f(ChannelChains());
        f.list.Config.ChannelSize = c.width;
        if (c.halves)
            for (int n = 1; n <= 50; ++n) f.list.Config.MatrixSegments[size_t(n - 1)] = uint8_t(n <= 25 ? 1 : 2);
        EXPECT_EQ(WindowTexts(*f.Stat(c.code), 2, 3, false), c.values) << c.code << " width " << c.width;
    }
}

TEST(ChainStats, CountTransitionsAndTheirDomain) {
    FamilyFixture f(ChannelChains());
    auto domain = [&](const char* code, int last) {
        TStatDrawArray list;
        auto s = f.Stat(code);
        s->ListAllValues(last, list);
        return Texts(*s, list);
    };
    // Channel 2 (6..10): draw 2 holds one number of it. The channel counts list every target up
    // to the width, the segment counts only 0.
    EXPECT_EQ(domain("SC2C2", 1), V({"1 -> 0x0", "1 -> 1x0", "1 -> 2x0", "1 -> 3x0", "1 -> 4x0", "1 -> 5x0"}));
    EXPECT_EQ(domain("SC3C2", 2), V({"1-0 -> 0x0", "1-0 -> 1x0", "1-0 -> 2x0", "1-0 -> 3x0", "1-0 -> 4x0", "1-0 -> 5x0"}));
    EXPECT_EQ(domain("SS2C1", 1), V({"5 -> 0x0"}));
    EXPECT_EQ(domain("SS3C1", 2), V({"5-5 -> 0x0"}));
    // Draw 1 has no number of channel 2, like the reference draw: draw 2's one number follows.
    EXPECT_EQ(WindowTexts(*f.Stat("SC2C2"), 2, 3, false),
              V({"0 -> 0x0", "0 -> 1x1", "0 -> 2x0", "0 -> 3x0", "0 -> 4x0", "0 -> 5x0"}));
    EXPECT_EQ(WindowTexts(*f.Stat("SS2C1"), 2, 3, false), V({"5 -> 0x0", "5 -> 5x2"}));
    EXPECT_EQ(WindowTexts(*f.Stat("SS3C1"), 2, 3, false), V({"5-5 -> 0x0", "5-5 -> 5x1"}));
}

TEST(ChainStats, InsideTheChannels) {
    FamilyFixture f(InsideChains());
    struct Case {
        const char* code;
        V values;
    } cases[] = {
        {"SDA2", {"07 -> 09x1", "07 -> 06x1", "13 -> 14x1", "20 -> 00x1"}},
        {"SDG2", {"07 -> 09x1", "07 -> 06x1", "13 -> 14x1"}},
        {"SDZ2", {"20 -> 00x1"}},
        {"SDC2", {"7 -> 2x1", "13 -> 1x1", "20 -> 0x1"}},
    };
    // The numbers of draw 2 in drawn order (9 before 6).
    for (const auto& c : cases) EXPECT_EQ(WindowTexts(*f.Stat(c.code), 2, 3, false), c.values) << c.code;
}

TEST(ChainStats, FilterLooksAtTheEndOfTheTransition) {
    FamilyFixture f(InsideChains());
    struct Case {
        const char* code;
        TStatValueRec selected;
        int last;
        TCombination comb;
        bool kept;
    } cases[] = {
        {"SDV2", KeyRec(3, 8), 2, {8, 20, 30, 40, 50}, true},
        {"SDV2", KeyRec(3, 8), 2, {3, 20, 30, 40, 50}, false},  // the source is not tested again
        {"SDN2", KeyRec(3, 8), 2, {1, 2, 3, 4, 8}, true},
        {"SDP3", KeyRec(1, 6, 11), 2, {11, 20, 30, 40, 50}, true},
        {"SDP3", KeyRec(1, 6, 11), 2, {1, 6, 30, 40, 50}, false},
        {"SCV2", KeyRec(1, 3), 2, {15, 20, 30, 40, 50}, true},
        {"SCV2", KeyRec(1, 3), 2, {16, 20, 30, 40, 50}, false},
        {"SSP2", KeyRec(1, 1), 2, {16, 20, 30, 40, 50}, true},
        {"SC2C2", KeyRec(0, 1), 2, {6, 20, 30, 40, 50}, true},   // one number of channel 2
        {"SC2C2", KeyRec(0, 1), 2, {6, 7, 30, 40, 50}, false},   // two
        {"SC3C2", KeyRec(0, 0, 2), 2, {6, 7, 30, 40, 50}, true},
        {"SS2C1", KeyRec(5, 5), 2, {1, 2, 3, 4, 5}, true},
        // Inside: an exact transition needs its number; a transition to 0 and a count need a
        // number of the source's channel; the source must be in the reference draw.
        {"SDA2", KeyRec(7, 9), 2, {9, 20, 30, 40, 50}, true},
        {"SDA2", KeyRec(7, 9), 2, {8, 20, 30, 40, 50}, false},
        {"SDA2", KeyRec(7, 0), 2, {8, 20, 30, 40, 50}, true},
        {"SDZ2", KeyRec(7, 0), 2, {6, 20, 30, 40, 50}, true},
        {"SDZ2", KeyRec(7, 0), 2, {1, 20, 30, 40, 50}, false},
        {"SDZ2", KeyRec(7, 0), 1, {6, 20, 30, 40, 50}, false},  // draw 2 has no 7
        {"SDC2", KeyRec(7, 2), 2, {10, 20, 30, 40, 50}, true},
        {"SDC2", KeyRec(7, 2), 2, {11, 21, 31, 41, 50}, false},
        {"SDG2", KeyRec(13, 14), 2, {14, 20, 30, 40, 50}, true},
        {"SDG2", KeyRec(13, 14), 2, {15, 20, 30, 40, 50}, false},
    };
    for (const auto& c : cases) {
        auto s = f.Stat(c.code);
        EXPECT_EQ(Keeps(*s, c.comb, {c.selected}, c.last), c.kept) << c.code << " " << CombToText(c.comb);
    }
}
