#include "core/util/atomic_file.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Only regular files are read: a FIFO would block the reader until a writer came, a device would
// never end. Each must be refused at once.
TEST_F(TempDir, OnlyRegularFilesAreRead) {
    const std::string fifo = (dir / "Velmora_5x50.ldr").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directories(dir / "folder");
    for (const std::string& path : {fifo, std::string("/dev/zero"), std::string("/dev/null"), (dir / "folder").string()}) {
        EXPECT_THROW(ReadFileBytes(path), std::runtime_error) << path;
        EXPECT_THROW(ReadTextLines(path), std::runtime_error) << path;
    }
}

namespace {

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

} // namespace

// A data file reached through a symbolic link: the link stays a link and its final target gets
// the data (renaming over the link would leave the real file with the old data).
TEST_F(TempDir, AtomicWriteThroughSymlinkReplacesTheTarget) {
    fs::create_directories(dir / "real");
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links;  // link -> what it points to
        std::string target;                                      // the file that gets the data
    };
    const std::vector<Case> cases = {
        {"relative", {{"a.ldr", "real/a.ldr"}}, "real/a.ldr"},
        {"absolute", {{"b.ldr", (dir / "real" / "b.ldr").string()}}, "real/b.ldr"},
        {"chain", {{"c.ldr", "c2.ldr"}, {"c2.ldr", "real/c.ldr"}}, "real/c.ldr"},
        {"relative to the link's folder", {{"real/d.ldr", "../d-data"}}, "d-data"},
        {"dangling", {{"e.ldr", "real/e-new.ldr"}}, "real/e-new.ldr"},
    };
    for (const auto& c : cases) {
        for (const auto& [link, to] : c.links) fs::create_symlink(to, dir / link);
        if (std::string(c.name) != "dangling") WriteFileAtomic((dir / c.target).string(), "old");
        const std::string first = (dir / c.links.front().first).string();
        WriteFileAtomic(first, "new");
        for (const auto& l : c.links) EXPECT_TRUE(fs::is_symlink(dir / l.first)) << c.name;
        EXPECT_EQ(ReadFileBytes((dir / c.target).string()), "new") << c.name;
        EXPECT_EQ(ReadFileBytes(first), "new") << c.name;
    }
    for (const auto& name : Names(dir / "real")) EXPECT_EQ(name.find(".ldr."), std::string::npos) << name;
}

// Temporary files of interrupted writes go at the next write of their file, and at start-up for
// the whole data folder; a temporary file that its writer still holds stays.
TEST_F(TempDir, StaleTemporaryFilesAreRemoved) {
    auto make = [&](const std::string& name) { std::ofstream(dir / name) << "partial"; };
    for (const char* n : {"Velmora_5x50.ldr.AbC123", "Velmora_5x50.ldr.000000", "Velmora_5x50.ldr.Held01",
                          "Velmora_5x50.ldr.txt", "Velmora_5x50.ldr.123456.bak", "Velmora_5x50.ldr.12345",
                          "Velmora_5x50.ini.zz9Yx1", "notes.txt.AbC123", "Velmora_5x50.ldr.backup", "Velmora_5x50.Ab1234"})
        make(n);
    const int held = ::open((dir / "Velmora_5x50.ldr.Held01").c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);  // a write in progress

    WriteFileAtomic((dir / "Velmora_5x50.ldr").string(), "data");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"Velmora_5x50.ldr", "Velmora_5x50.ldr.Held01", "Velmora_5x50.ldr.txt",
                                                 "Velmora_5x50.ldr.123456.bak", "Velmora_5x50.ldr.12345",
                                                 "Velmora_5x50.ini.zz9Yx1", "notes.txt.AbC123", "Velmora_5x50.ldr.backup", "Velmora_5x50.Ab1234"}));
    EXPECT_FALSE(IsStaleTempFile((dir / "Velmora_5x50.ldr.Held01").string()));
    ::close(held);
    EXPECT_TRUE(IsStaleTempFile((dir / "Velmora_5x50.ldr.Held01").string()));
    EXPECT_EQ(RemoveStaleTempFiles(dir.string(), "Velmora_5x50"), 2);
    EXPECT_EQ(Names(dir), (std::set<std::string>{"Velmora_5x50.ldr", "Velmora_5x50.ldr.txt",
                                                 "Velmora_5x50.ldr.123456.bak", "Velmora_5x50.ldr.12345",
                                                 "notes.txt.AbC123", "Velmora_5x50.ldr.backup", "Velmora_5x50.Ab1234"}));
}
