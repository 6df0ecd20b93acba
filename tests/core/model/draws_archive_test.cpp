#include "core/model/draws_archive.h"
#include "core/model/draws_csv.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/text.h"
#include "../temp_dir.h"
#include "../../test_draws.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

TDrawsArchive TenDrawsArchive() {
    TDrawsArchive a;
    a.Draws = test::TenDraws();
    return a;
}

class ArchiveFiles : public test::TempDirTest {
protected:
    std::string File(const std::string& name) const { return Path(name); }
};

} // namespace

TEST(DrawsArchive, EmptyArchive) {
    TDrawsArchive a;
    EXPECT_EQ(a.StatusTexts(), (std::vector<std::string>{"Архив тиражей: 0", "Следующий тираж: 1", ""}));
    EXPECT_EQ(a.NextDrawNumber(0), 1);
    EXPECT_EQ(a.IndexOfDrawNumber(1), -1);
    EXPECT_EQ(a.DateIntAt(0, 1), 20120101);
    EXPECT_FALSE(a.SetDrawsOffset(3));
    EXPECT_EQ(a.LastIndex(), -1);
}

TEST(DrawsArchive, NextNumberAfterTheLargestNumber) {
    TDrawsArchive a;
    a.Draws.push_back(test::MakeDraw(INT32_MAX, {1, 2, 3, 4, 5}, 1, 2, "2020-01-01"));
    EXPECT_EQ(a.NextDrawNumber(0), INT32_MAX);
}

TEST(DrawsArchive, PositionsAndStatus) {
    TDrawsArchive a = TenDrawsArchive();
    EXPECT_EQ(a.StatusTexts()[2], "");
    ASSERT_TRUE(a.SetDrawsOffset(3));
    EXPECT_EQ(a.LastIndex(), 6);
    // The third panel shows the draw at list position 2, i.e. draw 8.
    EXPECT_EQ(a.StatusTexts(), (std::vector<std::string>{"Архив тиражей: 10", "Следующий тираж: 8", "38;8;48;18;28"}));
    EXPECT_EQ(a.FollowingNumbersSet(3).Count, 5);
    EXPECT_EQ(a.FollowingNumbersSet(0).Count, 0);
    EXPECT_EQ(a.NextDrawNumber(10), -1);
    EXPECT_EQ(a.NextDrawNumber(-1), -1);
    TCombination c;
    a.DrawCombAt(11, c);
    EXPECT_EQ(c, (TCombination{0, 0, 0, 0, 0}));
    EXPECT_EQ(a.DateIntAt(0, 1), 20200111);
    EXPECT_EQ(a.DateIntAt(12, 1), 20120101);
    a.SetDrawsOffset(99);  // bounded by the archive
    EXPECT_EQ(a.Offset(), 9);
}

TEST(DrawsArchive, SortedSwitchChangesTheViewOnly) {
    TDrawsArchive a = TenDrawsArchive();
    EXPECT_EQ(a.DrawListRow(0), (std::vector<std::string>{"10", "40", "10", "50", "20", "30", "1", "2", "150", "2020-01-10"}));
    a.Sorted = true;
    EXPECT_EQ(a.DrawListRow(0), (std::vector<std::string>{"10", "10", "20", "30", "40", "50", "1", "2", "150", "2020-01-10"}));
    EXPECT_EQ(a.Draws.back().Numbers[0], 40);
}

TEST(DrawsArchive, IndexOfDrawNumber) {
    TDrawsArchive a;
    for (int n : {3, 4, 9, 10, 11, 30, 31, 100}) a.Draws.push_back(test::MakeDraw(n, {1, 2, 3, 4, 5}, 1, 2, ""));
    struct Case {
        int number, index;
    };
    for (auto c : std::vector<Case>{{3, 0}, {100, 7}, {9, 2}, {11, 4}, {31, 6}, {5, -1}, {0, -1}, {1000, -1}, {-7, -1}})
        EXPECT_EQ(a.IndexOfDrawNumber(c.number), c.index) << c.number;
    // Numbers that do not grow along the array are still found.
    TDrawsArchive b;
    for (int n : {50, 10, 40, 20, 30}) b.Draws.push_back(test::MakeDraw(n, {1, 2, 3, 4, 5}, 1, 2, ""));
    for (auto c : std::vector<Case>{{10, 1}, {40, 2}, {20, 3}, {99, -1}})
        EXPECT_EQ(b.IndexOfDrawNumber(c.number), c.index) << c.number;
}

TEST(DrawsArchive, DeleteNonConsecutiveDraws) {
    TDrawsArchive a = TenDrawsArchive();
    for (int number : {9, 5, 2}) a.DeleteDrawAt(a.IndexOfDrawNumber(number));
    std::vector<int> left;
    for (auto& d : a.Draws) left.push_back(d.Number);
    EXPECT_EQ(left, (std::vector<int>{1, 3, 4, 6, 7, 8, 10}));
    try {
        a.DeleteDrawAt(7);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Запись со индексом 7 в файле данных не найдена!");
    }
    EXPECT_THROW(a.DeleteDrawAt(-1), Error);
}

TEST(DrawsArchive, DrawDialogText) {
    struct Case {
        std::string text;
        bool ok;
    };
    const std::vector<Case> cases = {
        {"1;2;3;4;5;1;2", true},   {"1,2;3,4;5,1;2", true},   {" 50 ; 49;1;2;3; 10;10", true},
        {"1;2;3;4;4;1;2", false},  {"1;2;3;4;51;1;2", false}, {"1;2;3;4;5;1;11", false},
        {"1;2;3;4;5;1", false},    {"1;2;3;4;5;1;2;3", false}, {"0;2;3;4;5;1;2", false},
        {"1;2;3;4;5;0;2", false},  {"1;2;x;4;5;1;2", false},  {"", false},
        // Blanks separate as well, as the draw list shows the numbers; an empty value does not.
        {"3 7 19 28 44 2 9", true}, {" 3  7,19 ;28 44 2\t9 ", true}, {"1;;2;3;4;5;1;2", false},
        {"3 7 19 28 44", false},    {"1 2 3 4 5 1 2 ,", false},
    };
    for (const auto& c : cases) {
        TDrawRecord r;
        EXPECT_EQ(ParseDrawData(c.text, r), c.ok) << c.text;
    }
    TDrawRecord r;
    ASSERT_TRUE(ParseDrawData("7;3;9;1;5;4;2", r));
    EXPECT_EQ(DrawDataText(r), "7;3;9;1;5;4;2");
}

TEST_F(ArchiveFiles, SavedBytesAreTheRecordLayout) {
    TDrawsArchive a;
    a.FileName = File("Velmora_5x50.ldr");
    a.Draws.push_back(test::MakeDraw(0x01020304, {5, 17, 33, 41, 48}, 2, 9, "2019-03-22"));
    a.Draws.back().Pad[0] = 0xAB;  // padding is written as found
    a.SaveDraws();
    std::string bytes = ReadFileBytes(a.FileName);
    const std::string expected("\x04\x03\x02\x01"
                               "\x05\x11\x21\x29\x30"
                               "\x02\x09"
                               "\x0A"
                               "2019-03-22"
                               "\xAB\x00",
                               24);
    EXPECT_EQ(bytes, expected);
    TDrawsArchive b;
    b.FileName = a.FileName;
    b.LoadDraws();
    ASSERT_EQ(b.Count(), 1);
    EXPECT_EQ(b.Draws[0].Number, 0x01020304);
    EXPECT_EQ(b.Draws[0].DateText(), "2019-03-22");
    b.Sorted = true;  // the view switch never reaches the file
    b.SaveDraws();
    EXPECT_EQ(ReadFileBytes(b.FileName), expected);
}

TEST_F(ArchiveFiles, MissingFileIsEmptyArchive) {
    TDrawsArchive a = TenDrawsArchive();
    a.FileName = File("none.ldr");
    a.LoadDraws();
    EXPECT_EQ(a.Count(), 0);
}

TEST_F(ArchiveFiles, TruncatedFileKeepsWholeRecordsAndIsNotRewritten) {
    TDrawsArchive a = TenDrawsArchive();
    a.FileName = File("t.ldr");
    a.SaveDraws();
    std::string bytes = ReadFileBytes(a.FileName).substr(0, 24 * 3 + 7);
    WriteFileAtomic(a.FileName, bytes);
    TDrawsArchive b;
    b.FileName = a.FileName;
    try {
        b.LoadDraws();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ошибка чтения файла тиражей!\r\r", 0), 0u) << e.what();
    }
    EXPECT_EQ(b.Count(), 3);
    EXPECT_EQ(b.Draws[2].Number, 3);
    EXPECT_EQ(ReadFileBytes(a.FileName), bytes);
}

TEST_F(ArchiveFiles, UnwritableArchiveKeepsChangeInMemory) {
    TDrawsArchive a = TenDrawsArchive();
    a.FileName = File("missing-folder/a.ldr");
    try {
        a.SaveDraws();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ошибка записи в файл тиражей!\r\r", 0), 0u);
    }
    EXPECT_EQ(a.Count(), 10);
}

TEST(DrawsCsv, DelimitedTextSplitting) {
    struct Case {
        std::string line;
        std::vector<std::string> fields;
    };
    const std::vector<Case> cases = {
        {"1;\"2019-03-22\";5", {"1", "2019-03-22", "5"}},
        {"a;;b;", {"a", "", "b", ""}},
        {" \"x\"\"y\" ; z", {"x\"y", "z"}},
        {"2019-03-22 10:00;1", {"2019-03-22", "10:00", "1"}},
        {"\"2019-03-22 10:00\";1", {"2019-03-22 10:00", "1"}},
        {";a", {"", "a"}},
        {"\"open", {"open"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitDelimitedText(c.line), c.fields) << c.line;
}

TEST(DrawsCsv, ExportLineAndImportRules) {
    TDrawsArchive a;
    a.Draws.push_back(test::MakeDraw(412, {5, 17, 33, 41, 48}, 2, 9, "2019-03-22"));
    EXPECT_EQ(DrawsToCsvLines(a.Draws), (std::vector<std::string>{"412;\"2019-03-22\";5;17;33;41;48;2;9"}));

    const std::vector<std::string> lines = {
        "412;\"2019-03-22\";1;2;3;4;5;6;7",        // existing number: skipped
        "413;\"2019-03-26\";1;2;3;4;5;6;7",        // added
        "\"2019-03-29\";8;9;10;11;12;1;2",         // 8 fields: numbered length + 1 = 3
        "",                                         // blank
        "1;2;3;4;5;6;7",                            // 7 fields
        "1;2;3;4;5;6;7;8;9;10",                     // 10 fields
        "0;\"2019-04-01\";1;2;3;4;5;6;7",          // number 0
        "x;\"2019-04-02\";1;2;3;4;5;6;7",          // unreadable number is 0
        "500;\"2019-04-05T10:00:00\";a;2;3;4;5;b;7",  // bad fields become 0, date cut to 10
    };
    EXPECT_EQ(AppendCsvLines(a, lines), 3);
    ASSERT_EQ(a.Count(), 4);
    EXPECT_EQ(a.Draws[1].Number, 413);
    EXPECT_EQ(a.Draws[2].Number, 3);
    EXPECT_EQ(a.Draws[2].DateText(), "2019-03-29");
    EXPECT_EQ(a.Draws[2].Numbers[4], 12);
    EXPECT_EQ(a.Draws[3].Number, 500);
    EXPECT_EQ(a.Draws[3].DateText(), "2019-04-05");
    EXPECT_EQ(a.Draws[3].Numbers[0], 0);
    EXPECT_EQ(a.Draws[3].Extras[0], 0);
}

TEST_F(ArchiveFiles, CsvExportThenImportRestoresTheArchive) {
    TDrawsArchive a = TenDrawsArchive();
    a.Draws[3].SetDateText("");
    ExportDrawsCsv(a, File("draws.csv"));
    TDrawsArchive b;
    b.FileName = File("b.ldr");
    EXPECT_EQ(ImportDrawsCsv(b, File("draws.csv")), 10);
    ASSERT_EQ(b.Count(), 10);
    for (int i = 0; i < 10; ++i) {
        unsigned char x[24], y[24];
        WriteDrawRecord(a.Draws[size_t(i)], x);
        WriteDrawRecord(b.Draws[size_t(i)], y);
        EXPECT_EQ(std::string((char*)x, 24), std::string((char*)y, 24)) << i;
    }
    // Saved once after the import.
    TDrawsArchive c;
    c.FileName = b.FileName;
    c.LoadDraws();
    EXPECT_EQ(c.Count(), 10);
    // Importing again adds nothing: the numbers exist.
    EXPECT_EQ(ImportDrawsCsv(b, File("draws.csv")), 0);
}

TEST_F(ArchiveFiles, UnreadableCsvImportsNothing) {
    TDrawsArchive a = TenDrawsArchive();
    EXPECT_THROW(ImportDrawsCsv(a, File("absent.csv")), std::exception);
    EXPECT_EQ(a.Count(), 10);
}

TEST(SampleDraws, PlausibleAndRepeatable) {
    auto d = MakeSampleDraws(50, 7);
    ASSERT_EQ(d.size(), 50u);
    EXPECT_EQ(d[0].DateText(), "2012-01-03");
    EXPECT_EQ(d[1].DateText(), "2012-01-06");
    EXPECT_EQ(d[2].DateText(), "2012-01-10");
    for (auto& r : d) {
        std::string text = DrawDataText(r);
        TDrawRecord back;
        EXPECT_TRUE(ParseDrawData(text, back)) << text;
    }
    auto again = MakeSampleDraws(50, 7);
    EXPECT_EQ(DrawDataText(again[17]), DrawDataText(d[17]));
}
