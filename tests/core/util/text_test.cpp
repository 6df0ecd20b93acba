#include "core/util/atomic_file.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace velmora;
namespace fs = std::filesystem;

TEST(Cp1251, RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98) all += char(b);
    std::string utf8 = Cp1251ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1251(utf8), all);
    EXPECT_EQ(Cp1251ToUtf8("\xC0\xF0\xF5\xE8\xE2 \xA8\xB8 \xB9"), "Архив Ёё №");
    EXPECT_EQ(Utf8ToCp1251("漢"), "?");
}

TEST(Text, CaseAndTrim) {
    EXPECT_EQ(UpperCase("Тираж nums ё"), "ТИРАЖ NUMS Ё");
    EXPECT_TRUE(SameText("Тираж", "тИРАЖ"));
    EXPECT_FALSE(SameText("abc", "abd"));
    EXPECT_EQ(Trim(" \t x y \r"), "x y");
    EXPECT_EQ(FindNoCase("<DIV Class=\"row \">", "class=\"ROW"), 5u);
}

TEST(Text, StrToInt) {
    struct Case {
        std::string in;
        std::optional<int32_t> out;
    };
    const std::vector<Case> cases = {{"12", 12},   {"-3", -3},         {"+4", 4},         {"", std::nullopt},
                                     {" 1", std::nullopt}, {"1a", std::nullopt}, {"2147483647", 2147483647},
                                     {"2147483648", std::nullopt}, {"-2147483648", INT32_MIN}, {"-", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(TryStrToInt(c.in), c.out) << c.in;
}

TEST(Text, RoundHalfEven) {
    EXPECT_EQ(RoundHalfEven(2.5L), 2);
    EXPECT_EQ(RoundHalfEven(3.5L), 4);
    EXPECT_EQ(RoundHalfEven(-2.5L), -2);
    EXPECT_EQ(RoundHalfEven(2.6L), 3);
}

using TempDir = test::TempDirTest;

TEST_F(TempDir, TextLinesAreCp1251WithCrLf) {
    std::string path = (dir / "t.txt").string();
    WriteTextLines(path, {"Тираж", "", "x"});
    EXPECT_EQ(ReadFileBytes(path), "\xD2\xE8\xF0\xE0\xE6\r\n\r\nx\r\n");
    EXPECT_EQ(ReadTextLines(path), (std::vector<std::string>{"Тираж", "", "x"}));
    EXPECT_EQ(SplitLines("a\nb\rc\r\n"), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(TempDir, FailedAtomicWriteLeavesTargetAndNoTemporaryFile) {
    // The rename over a folder fails after the data was written: nothing may be left behind.
    fs::create_directories(dir / "a.bin" / "inside");
    EXPECT_THROW(WriteFileAtomic((dir / "a.bin").string(), "new data"), std::runtime_error);
    EXPECT_TRUE(fs::is_directory(dir / "a.bin" / "inside"));
    int entries = 0;
    for (auto& e : fs::directory_iterator(dir)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(TempDir, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
    std::string path = (dir / "a.bin").string();
    WriteFileAtomic(path, "old");
    WriteFileAtomic(path, std::string("n\0w", 3));
    EXPECT_EQ(ReadFileBytes(path), std::string("n\0w", 3));
    int files = 0;
    for (auto& e : fs::directory_iterator(dir)) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(TempDir, AtomicWriteIntoMissingFolderFails) {
    EXPECT_THROW(WriteFileAtomic((dir / "no" / "x").string(), "x"), std::runtime_error);
}
