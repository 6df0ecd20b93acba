#include "core/util/ini.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace velmora;

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using IniFiles = test::TempDirTest;

} // namespace

TEST(IniFile, ReadsSectionsAndKeysIgnoringCase) {
    TIniFile ini;
    ini.SetLines({"; settings", "[Global]", " MatrixCols = 7 ", "Name=a=b", "", "[global]", "Extra=1", "MatrixCols=9",
                  "[CDL]", "Count=0,5", "Level=1.25", "Flag=yes", "Hex=$1F", "Neg=-3"});
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"GLOBAL", "matrixcols", "7"},  // trimmed, first occurrence wins
        {"global", "NAME", "a=b"},      // the value runs from the first "="
        {"GLOBAL", "Extra", "1"},       // a repeated section continues the first
        {"cdl", "COUNT", "0,5"},
        {"CDL", "Absent", "def"},
        {"Absent", "Count", "def"},
    };
    for (const auto& c : cases) EXPECT_EQ(ini.ReadString(c.section, c.key, "def"), c.expected) << c.section << "/" << c.key;

    EXPECT_EQ(ini.ReadInteger("GLOBAL", "MatrixCols", 0), 7);
    EXPECT_EQ(ini.ReadInteger("CDL", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("CDL", "Neg", 0), -3);
    EXPECT_EQ(ini.ReadInteger("CDL", "Flag", 42), 42);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("CDL", "Count", 9), 0.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("CDL", "Level", 9), 1.25);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("CDL", "Flag", 9), 9);
    EXPECT_TRUE(ini.ReadBool("CDL", "Neg", false));
    EXPECT_FALSE(ini.ReadBool("CDL", "Absent", false));
    EXPECT_TRUE(ini.ReadBool("CDL", "Flag", true));  // not an integer: the default
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Global", "CDL"}));
    EXPECT_EQ(ini.ReadSection("GLOBAL"), (std::vector<std::string>{"MatrixCols", "Name", "Extra"}));
}

TEST(IniFile, WritesInPlaceAndKeepsComments) {
    TIniFile ini;
    ini.SetLines({"top=1", "[A]", "; note", "x=1", "[B]", "y=2"});
    ini.WriteString("a", "X", "10");
    ini.WriteInteger("A", "z", 3);
    ini.WriteBool("C", "On", true);
    ini.WriteFloat("C", "F", 1.5);
    ini.DeleteKey("B", "y");
    EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"top=1", "", "[A]", "; note", "x=10", "z=3", "", "[B]", "", "[C]",
                                                     "On=1", "F=1,5"}));
    ini.EraseSection("b");
    EXPECT_FALSE(ini.SectionExists("B"));
    EXPECT_TRUE(ini.ValueExists("c", "on"));
}

TEST(IniFile, FloatTextUsesTheLocaleSeparator) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {{1.5, "1,5"}, {-1, "-1"}, {0, "0"}, {-0.0, "0"}, {0.001, "0,001"}, {1234567.25, "1234567,25"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FloatToIniText(c.value), c.text);
        double back = 0;
        ASSERT_TRUE(TryIniTextToFloat(c.text, back));
        EXPECT_DOUBLE_EQ(back, c.value);
    }
    double v;
    for (const char* bad : {"", "1,5x", "abc", "1 000", "inf", "nan"}) EXPECT_FALSE(TryIniTextToFloat(bad, v)) << bad;
}

TEST_F(IniFiles, FileRoundTripInCp1251WithCrLf) {
    std::string path = dir.string() + "/round.ini";
    std::filesystem::remove(path);
    TIniFile ini(path);  // missing file: empty
    EXPECT_TRUE(ini.ReadSections().empty());
    ini.WriteString("STRINGS_RUS", "NUMS", "Мои числа");
    ini.WriteBool("FILTERS", "Ordered", true);
    ini.Save();
    std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes, "[STRINGS_RUS]\r\nNUMS=" + Utf8ToCp1251("Мои числа") + "\r\n\r\n[FILTERS]\r\nOrdered=1\r\n");
    TIniFile back(path);
    EXPECT_EQ(back.ReadString("strings_rus", "nums", ""), "Мои числа");
    EXPECT_TRUE(back.ReadBool("Filters", "Ordered", false));
}

TEST_F(IniFiles, UnreadableFileAndFailedWriteRaise) {
    const std::string folder = dir.string();
    EXPECT_THROW(TIniFile{folder}, std::runtime_error);  // a folder is not an ini file
    TIniFile ini;
    ini.SetFileName(folder + "/absent/sub/x.ini");
    ini.WriteString("A", "b", "c");
    EXPECT_THROW(ini.Save(), std::runtime_error);
}

// Sections and keys are found by hash while reading: 100 000 sections (and a section of 100 000
// keys) read in one pass; comparing every header with every earlier one would make 5 * 10^9
// case-folding comparisons.
TEST(IniFile, ManySectionsAndKeysReadInOnePass) {
    std::vector<std::string> lines;
    lines.reserve(300004);
    for (int i = 0; i < 100000; ++i) {
        lines.push_back("[S" + std::to_string(i) + "]");
        lines.push_back("K=" + std::to_string(i));
    }
    lines.push_back("[s7]");  // a repeated header continues the first section
    lines.push_back("More=1");
    lines.push_back("[Big]");
    for (int i = 0; i < 100000; ++i) lines.push_back("Key" + std::to_string(i % 50000) + "=" + std::to_string(i));
    TIniFile ini;
    ini.SetLines(lines);
    EXPECT_EQ(ini.ReadSections().size(), 100001u);
    EXPECT_EQ(ini.ReadInteger("s99999", "k", -1), 99999);
    EXPECT_EQ(ini.ReadInteger("S7", "More", -1), 1);
    EXPECT_EQ(ini.ReadSection("Big").size(), 50000u);
    EXPECT_EQ(ini.ReadInteger("BIG", "key49999", -1), 49999);  // the first occurrence wins
    ini.WriteInteger("New", "X", 5);
    ini.EraseSection("S0");
    EXPECT_EQ(ini.ReadInteger("new", "x", -1), 5);
    EXPECT_EQ(ini.ReadInteger("S1", "K", -1), 1);
    EXPECT_FALSE(ini.SectionExists("s0"));
}

// A proxy user, a catalog name or a comment with a line break would give the next read new
// sections and keys: every write with a control character is refused and changes nothing.
TEST_F(IniFiles, ControlCharactersAreRefusedInEveryWrite) {
    const std::string path = Path("Velmora_5x50.ini");
    const struct {
        std::string section, key, value;
    } cases[] = {
        {"PROXY", "ProxyUsername", "user\r\n[PROXY]\r\nProxyServer=evil"},
        {"USER", "Name", "name\nMail=x@y"},
        {"PROXY", "ProxyPassword", "a\tb"},
        {"PROXY", "Proxy\nServer", "x"},
        {"PRO\rXY", "ProxyServer", "x"},
        {"PROXY", "ProxyServer", std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        TIniFile ini(path);
        ini.WriteString("PROXY", "ProxyServer", "proxy.example");
        ini.Save();
        const std::vector<std::string> before = ini.Lines();
        EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), Error) << c.value;
        EXPECT_EQ(ini.Lines(), before);
        ini.Save();
        TIniFile again(path);
        EXPECT_EQ(again.ReadSections(), (std::vector<std::string>{"PROXY"}));
        EXPECT_EQ(again.ReadSection("PROXY"), (std::vector<std::string>{"ProxyServer"}));
        EXPECT_EQ(again.ReadString("PROXY", "ProxyServer", ""), "proxy.example");
    }
}
