#include "core/app/config.h"
#include "core/stakes/stake_record.h"

#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <unistd.h>

using namespace velmora;

namespace {

using ConfigFileTest = test::TempDirTest;

std::string Repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

TIniFile IniOf(const std::vector<std::string>& lines) {
    TIniFile ini;
    ini.SetLines(lines);
    return ini;
}

// A block where every field differs from the default.
TConfigData SampleConfig() {
    TConfigData c;
    c.MatrixCols = 7;
    c.ChannelSize = 9;
    c.Cost = 15000;
    c.MaxStake = 8;
    c.Profits = {{3, 12345}, {5, 10000000000}, {4, 5}};
    c.Weights = {0.5L, -2.25L, 0.125L, true, true};
    for (int i = 0; i < 50; ++i) c.MatrixSegments[size_t(i)] = uint8_t(i % 9 + 1);
    return c;
}

} // namespace

TEST(Config, DefaultsOfAnEmptyFile) {
    const TIniFile ini;
    const TConfigData c = ReadConfig(ini);
    EXPECT_EQ(c, TConfigData{});
    EXPECT_EQ(c.MatrixCols, 5);
    EXPECT_EQ(c.ChannelSize, 5);
    EXPECT_EQ(c.Cost, 0);
    EXPECT_EQ(c.MaxStake, 5);
    EXPECT_TRUE(c.Profits.empty());
    EXPECT_EQ(double(c.Weights.Count), 0);
    EXPECT_EQ(double(c.Weights.Deviation), -1);
    EXPECT_EQ(double(c.Weights.Level), 1);
    EXPECT_FALSE(c.Weights.UsePercents);
    EXPECT_FALSE(c.Weights.UseAbsValues);
    EXPECT_EQ(SegmentsToText(c.MatrixSegments), std::string(50, '1'));

    const TGenerateParams g = ReadGenerateParams(ini);
    EXPECT_EQ(g.Mode, 0);
    EXPECT_EQ(g.Param, "");

    const TShreddingData s = ReadShredding(ini);
    EXPECT_EQ(s.Formulas, (std::array<std::string, 3>{"(n1+n2+n3)/(n4+n5)", "(n4+n5)/(n1+n2+n3)", "(n1+n2)/(n3+n4+n5)"}));
    EXPECT_EQ(s.Digits, (std::array<int32_t, 3>{2, 2, 2}));

    const TProxy p = LoadProxySettings(ini);
    EXPECT_EQ(p.Mode, 0);
    EXPECT_EQ(p.Server, "");
    EXPECT_EQ(p.Port, 80);
    EXPECT_TRUE(p.Saved);
}

TEST_F(ConfigFileTest, EveryKeySurvivesARoundTripThroughTheFile) {
    const TConfigData config = SampleConfig();
    const TGenerateParams gen{3, "1;7;23"};
    TShreddingData shred;
    shred.Formulas = {"n1-n2", "p1*2", "(t1+n5)/3"};
    shred.Digits = {1, 5, 3};
    TProxy proxy;
    proxy.Mode = 2;
    proxy.Server = "proxy.local";
    proxy.Port = 3128;
    proxy.Username = "пользователь";
    proxy.Password = "secret";
    {
        TConfigFile file(Path("Velmora_5x50.ini"));
        file.Load();
        file.WriteConfig(config);
        file.WriteGenerateParams(gen);
        file.WriteShredding(shred);
        file.SaveProxySettings(proxy);
        EXPECT_TRUE(proxy.Saved);
    }
    TConfigFile back(Path("Velmora_5x50.ini"));
    back.Load();
    EXPECT_EQ(ReadConfig(back.Ini()), config);
    const TGenerateParams g = ReadGenerateParams(back.Ini());
    EXPECT_EQ(g.Mode, gen.Mode);
    EXPECT_EQ(g.Param, gen.Param);
    EXPECT_EQ(ReadShredding(back.Ini()), shred);
    EXPECT_EQ(LoadProxySettings(back.Ini()), proxy);

    // The text of the file: locale decimal separator, flags as 1 or 0, the entries after their count.
    struct Case {
        const char* section;
        const char* key;
        const char* text;
    } cases[] = {
        {"GLOBAL", "MatrixSegments", "12345678912345678912345678912345678912345678912345"},
        {"STAKES", "Cost", "1,5"},
        {"STAKES", "Profits", "3"},
        {"STAKES", "Profit_1_Overlap", "5"},
        {"STAKES", "Profit_1_Profit", "1000000"},
        {"STAKES", "Profit_2_Profit", "0,0005"},
        {"CDL", "Deviation", "-2,25"},
        {"CDL", "UsePercents", "1"},
        {"GLOBAL", "CombsGenerateMode", "3"},
        {"SHREDDING", "Formula2Digits", "5"},
        {"PROXY", "ProxyPort", "3128"},
    };
    for (const auto& c : cases) EXPECT_EQ(back.Ini().ReadString(c.section, c.key, "?"), c.text) << c.key;
}

TEST(Config, CostIsHeldInTenThousandths) {
    struct Case {
        const char* text;
        int64_t money;
        const char* written;
    } cases[] = {
        {"1,5", 15000, "1,5"},
        {"1.5", 15000, "1,5"},
        {"2,34567", 23457, "2,3457"},
        {"-0,25", -2500, "-0,25"},
        {"0", 0, "0"},
    };
    for (const auto& c : cases) {
        TIniFile ini = IniOf({"[STAKES]", std::string("Cost=") + c.text});
        TConfigData config = ReadConfig(ini);
        EXPECT_EQ(config.Cost, c.money) << c.text;
        TIniFile out;
        WriteConfig(out, config);
        EXPECT_EQ(out.ReadString("STAKES", "Cost", ""), c.written) << c.text;
    }
}

TEST(Config, SegmentText) {
    struct Case {
        const char* name;
        std::string text;
        std::string ids;  // what SegmentsToText gives back
    } cases[] = {
        {"30 characters: the rest are 1", "123456789123456789123456789123",
         "123456789123456789123456789123" + std::string(20, '1')},
        {"not a digit gives 1", "9x8 7" + std::string(45, '2'), "91817" + std::string(45, '2')},
        {"a letter of two bytes is one character", "2Я3", "213" + std::string(47, '1')},
        {"longer than 50: the rest is ignored", std::string(50, '4') + "99", std::string(50, '4')},
        {"empty", "", std::string(50, '1')},
    };
    for (const auto& c : cases) EXPECT_EQ(SegmentsToText(TextToSegments(c.text)), c.ids) << c.name;
}

TEST(Config, PrizeRowsFollowTheOverlap) {
    struct Case {
        const char* name;
        std::vector<TProfitEntry> profits;
        std::array<int64_t, kProfitRows> rows;
    } cases[] = {
        {"two entries for 3 and 5 matches", {{3, 1000000}, {5, 500000000}}, {0, 0, 0, 1000000, 0, 500000000}},
        {"the first of two entries for one overlap", {{2, 7}, {2, 9}}, {0, 0, 7, 0, 0, 0}},
        {"overlaps beyond 5 have no row", {{6, 1}, {255, 2}, {0, 3}}, {3, 0, 0, 0, 0, 0}},
        {"no table", {}, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProfitRows(c.profits), c.rows) << c.name;
        // Stored back, every row keeps the prize of its number of matches.
        std::vector<TProfitEntry> stored = ProfitsFromRows(ProfitRows(c.profits));
        ASSERT_EQ(stored.size(), size_t(kProfitRows)) << c.name;
        for (int k = 0; k < kProfitRows; ++k) {
            EXPECT_EQ(stored[size_t(k)].Overlap, k) << c.name;
            EXPECT_EQ(stored[size_t(k)].Profit, c.rows[size_t(k)]) << c.name;
        }
    }
    // The prize a stake wins does not move when the table goes through the dialog.
    TStatList before, after;
    before.Config.Profits = {{3, 1000000}, {5, 500000000}};
    after.Config.Profits = ProfitsFromRows(ProfitRows(before.Config.Profits));
    for (int k = 0; k <= 5; ++k) EXPECT_EQ(StakeProfit(before.Config, 5, k), StakeProfit(after.Config, 5, k)) << k;
}

TEST(Config, MalformedValuesTakeTheDefault) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::function<bool(const TIniFile&)> check;
    };
    const Case cases[] = {
        {"matrix columns not a number", {"[GLOBAL]", "MatrixCols=abc"},
         [](const TIniFile& i) { return ReadConfig(i).MatrixCols == 5; }},
        {"matrix columns 0", {"[GLOBAL]", "MatrixCols=0"}, [](const TIniFile& i) { return ReadConfig(i).MatrixCols == 5; }},
        {"matrix columns 51", {"[GLOBAL]", "MatrixCols=51"},
         [](const TIniFile& i) { return ReadConfig(i).MatrixCols == 5; }},
        {"matrix columns 50", {"[GLOBAL]", "MatrixCols=50"},
         [](const TIniFile& i) { return ReadConfig(i).MatrixCols == 50; }},
        {"channel size 2", {"[GLOBAL]", "ChannelSize=2"}, [](const TIniFile& i) { return ReadConfig(i).ChannelSize == 5; }},
        {"channel size -7", {"[GLOBAL]", "ChannelSize=-7"},
         [](const TIniFile& i) { return ReadConfig(i).ChannelSize == 5; }},
        {"cost beyond any amount", {"[STAKES]", "Cost=1e300"}, [](const TIniFile& i) { return ReadConfig(i).Cost == 0; }},
        {"cost not a number", {"[STAKES]", "Cost=1,5 руб"}, [](const TIniFile& i) { return ReadConfig(i).Cost == 0; }},
        {"negative entry count", {"[STAKES]", "Profits=-1"},
         [](const TIniFile& i) { return ReadConfig(i).Profits.empty(); }},
        {"huge entry count", {"[STAKES]", "Profits=2000000000"},
         [](const TIniFile& i) { return ReadConfig(i).Profits.size() == size_t(kMaxProfitEntries); }},
        {"missing entries are zero", {"[STAKES]", "Profits=2", "Profit_1_Overlap=4", "Profit_1_Profit=2,5"},
         [](const TIniFile& i) {
             auto p = ReadConfig(i).Profits;
             return p == std::vector<TProfitEntry>{{0, 0}, {4, 25000}};
         }},
        {"overlap beyond a byte", {"[STAKES]", "Profits=1", "Profit_0_Overlap=300", "Profit_0_Profit=1"},
         [](const TIniFile& i) { return ReadConfig(i).Profits == std::vector<TProfitEntry>{{0, 10000}}; }},
        {"weights not numbers", {"[CDL]", "Count=x", "Deviation=", "Level=1;2", "UsePercents=7", "UseAbsValues=-1"},
         [](const TIniFile& i) {
             auto w = ReadConfig(i).Weights;
             return w.Count == 0 && w.Deviation == -1 && w.Level == 1 && w.UsePercents && !w.UseAbsValues;
         }},
        {"generation mode 7", {"[GLOBAL]", "CombsGenerateMode=7", "CombsGenerateParameters=1;2"},
         [](const TIniFile& i) { return ReadGenerateParams(i).Mode == 0 && ReadGenerateParams(i).Param == "1;2"; }},
        {"generation parameter of 300 characters", {"[GLOBAL]", "CombsGenerateParameters=" + Repeat("ж", 300)},
         [](const TIniFile& i) { return ReadGenerateParams(i).Param == Repeat("ж", 255); }},
        {"formula digits 9 and 0", {"[SHREDDING]", "Formula1Digits=9", "Formula2Digits=0", "Formula3Digits=5"},
         [](const TIniFile& i) { return ReadShredding(i).Digits == std::array<int32_t, 3>{2, 2, 5}; }},
        {"proxy without a mode but with a server", {"[PROXY]", "ProxyServer=10.0.0.1"},
         [](const TIniFile& i) { return LoadProxySettings(i).Mode == 2; }},
        {"proxy mode given", {"[PROXY]", "ProxyServer=10.0.0.1", "ProxyMode=1"},
         [](const TIniFile& i) { return LoadProxySettings(i).Mode == 1; }},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.check(IniOf(c.lines))) << c.name;
}

TEST(Config, ShorterPrizeTableDropsTheOldEntries) {
    TIniFile ini;
    TConfigData c;
    c.Profits = {{1, 1}, {2, 2}, {3, 3}};
    WriteConfig(ini, c);
    c.Profits = {{4, 40000}};
    WriteConfig(ini, c);
    EXPECT_EQ(ini.ReadString("STAKES", "Profits", ""), "1");
    EXPECT_EQ(ini.ReadString("STAKES", "Profit_0_Overlap", ""), "4");
    EXPECT_FALSE(ini.ValueExists("STAKES", "Profit_1_Overlap"));
    EXPECT_FALSE(ini.ValueExists("STAKES", "Profit_2_Profit"));
}

TEST_F(ConfigFileTest, WritersKeepTheOtherKeysOfTheFile) {
    const std::string path = Path("Velmora_5x50.ini");
    WriteTextLines(path, {"[PROXY]", "ProxyServer=host", "[EXTRA]", "Mine=yes", "[GLOBAL]", "CombsGenerateMode=2"});
    TConfigFile file(path);
    file.Load();
    file.WriteConfig(SampleConfig());
    TIniFile back(path);
    EXPECT_EQ(back.ReadString("PROXY", "ProxyServer", ""), "host");
    EXPECT_EQ(back.ReadString("EXTRA", "Mine", ""), "yes");
    EXPECT_EQ(back.ReadString("GLOBAL", "CombsGenerateMode", ""), "2");
    EXPECT_EQ(back.ReadString("GLOBAL", "MatrixCols", ""), "7");
}

TEST_F(ConfigFileTest, UnreadableFileGivesTheDefaultsAndTheMessage) {
    const std::string path = Path("Velmora_5x50.ini");
    std::filesystem::create_directories(path);  // a folder where the file should be
    TConfigFile file(path);
    EXPECT_THROW(file.Load(), Error);
    EXPECT_EQ(ReadConfig(file.Ini()), TConfigData{});
}

TEST_F(ConfigFileTest, FailedWriteRaisesAndKeepsTheNewValues) {
    TConfigFile file(Path("absent/Velmora_5x50.ini"));
    file.Load();
    EXPECT_THROW(file.WriteConfig(SampleConfig()), Error);
    EXPECT_EQ(ReadConfig(file.Ini()), SampleConfig());
    TProxy proxy;
    proxy.Server = "x";
    EXPECT_THROW(file.SaveProxySettings(proxy), Error);
    EXPECT_FALSE(proxy.Saved);
}

TEST(Config, StatListTakesTheFile) {
    TIniFile ini = IniOf({"[GLOBAL]", "ChannelSize=10", "MatrixCols=7", "CombsGenerateMode=1",
                          "CombsGenerateParameters=5;6", "[CDL]", "Count=2", "[SHREDDING]", "Formula3=n1",
                          "Formula3Digits=4"});
    TStatList list;
    ApplyConfigFile(ini, list);
    EXPECT_EQ(list.Config.ChannelSize, 10);
    EXPECT_EQ(list.ChannelCount(), 5);
    EXPECT_EQ(list.MatrixRows(), 8);  // 7 columns give 8 rows
    EXPECT_EQ(list.GenerateMode, 1);
    EXPECT_EQ(list.GenerateParams, "5;6");
    EXPECT_EQ(double(list.RatingWeights().Count), 2);
    EXPECT_EQ(double(list.SavedRatingWeights.Count), 2);
    EXPECT_EQ(list.Formulas[2], "n1");
    EXPECT_EQ(list.FormulaDigits[2], 4);
    EXPECT_EQ(ShreddingOf(list).Formulas[2], "n1");
}

TEST(Config, ChangedSettingsNameTheirStatisticGroups) {
    struct Case {
        const char* name;
        std::function<void(TConfigData&)> change;
        uint16_t mask;
    };
    const Case cases[] = {
        {"nothing", [](TConfigData&) {}, 0},
        {"channel size alone: channels", [](TConfigData& c) { c.ChannelSize = 7; }, 1u << 3},
        {"matrix columns: matrix", [](TConfigData& c) { c.MatrixCols = 7; }, 1u << 4},
        {"one segment id: segments", [](TConfigData& c) { c.MatrixSegments[49] = 2; }, 1u << 5},
        {"cost, prizes and weights: none",
         [](TConfigData& c) {
             c.Cost = 1;
             c.Profits = {{3, 1}};
             c.Weights.Count = 5;
         },
         0},
        {"all three", [](TConfigData& c) {
             c.ChannelSize = 9;
             c.MatrixCols = 3;
             c.MatrixSegments[0] = 5;
         },
         (1u << 3) | (1u << 4) | (1u << 5)},
    };
    for (const auto& c : cases) {
        TConfigData after;
        c.change(after);
        EXPECT_EQ(ConfigChangeGroups(TConfigData{}, after), c.mask) << c.name;
    }
}
