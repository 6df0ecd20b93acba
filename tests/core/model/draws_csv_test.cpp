// CSV import against hostile input: control bytes, out-of-range numbers, a byte-order mark, and
// imports large enough that a per-line scan of the archive would never finish.
#include "core/model/draws_csv.h"
#include "core/util/atomic_file.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

class CsvFiles : public test::TempDirTest {};

// The bytes of a literal, NULs included.
template <size_t N>
std::string Bytes(const char (&s)[N]) {
    return std::string(s, N - 1);
}

} // namespace

// Any byte either ends or continues a field: a NUL outside quotes ends it like a blank (it used
// to stop the reader in place, which then pushed empty fields until memory ran out).
TEST(DrawsCsv, ControlBytesEndOrContinueFields) {
    struct Case {
        const char* name;
        std::string line;
        std::vector<std::string> fields;
    };
    const std::vector<Case> cases = {
        {"NUL as a field", Bytes("9001;\"2024-01-01\";1;\0;3;4;5;1;2"),
         {"9001", "2024-01-01", "1", "", "3", "4", "5", "1", "2"}},
        {"NUL inside a field", Bytes("a\0b;c"), {"a", "b", "c"}},
        {"NUL alone", Bytes("\0"), {}},
        {"NULs around a field", Bytes("\0\0x\0\0"), {"x"}},
        {"NUL inside quotes", Bytes("\"x\0y\";z"), {Bytes("x\0y"), "z"}},
        {"NUL after an open quote", Bytes("\"\0"), {Bytes("\0")}},
        {"other control bytes", "a\x01\x1f;b\x7f", {"a", "b\x7f"}},
        {"high bytes continue", "\xff\xfe;\x80", {"\xff\xfe", "\x80"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitDelimitedText(c.line), c.fields) << c.name;
}

TEST(DrawsCsv, NumbersOutsideAByteAreInvalidFields) {
    struct Case {
        const char* line;
        uint8_t first;    // the first main number stored
        uint8_t extra2;   // the second extra stored
        bool invalid;     // the line is counted as carrying invalid fields
    };
    const std::vector<Case> cases = {
        {"1;\"2024-01-01\";300;2;3;4;5;1;2", 0, 2, true},
        {"1;\"2024-01-01\";-1;2;3;4;5;1;2", 0, 2, true},
        {"1;\"2024-01-01\";256;2;3;4;5;1;2", 0, 2, true},
        {"1;\"2024-01-01\";255;2;3;4;5;1;2", 255, 2, false},
        {"1;\"2024-01-01\";0;2;3;4;5;1;2", 0, 2, false},
        {"1;\"2024-01-01\";7;2;3;4;5;1;99999999999", 7, 0, true},
        {"1;\"2024-01-01\";x;2;3;4;5;1;2", 0, 2, true},
        {"1;\"2024-01-01\";;2;3;4;5;1;2", 0, 2, true},
        {"\"2024-01-01\";7;2;3;4;5;1;-300", 7, 0, true},
    };
    for (const auto& c : cases) {
        TDrawsArchive a;
        int invalid = -1;
        ASSERT_EQ(AppendCsvLines(a, {c.line}, &invalid), 1) << c.line;
        EXPECT_EQ(a.Draws[0].Numbers[0], c.first) << c.line;
        EXPECT_EQ(a.Draws[0].Extras[1], c.extra2) << c.line;
        EXPECT_EQ(invalid, c.invalid ? 1 : 0) << c.line;
    }
    // Lines not added (an existing number) are not counted.
    TDrawsArchive a;
    int invalid = -1;
    EXPECT_EQ(AppendCsvLines(a, {"5;\"d\";1;2;3;4;5;1;2", "5;\"d\";300;2;3;4;5;1;2", "6;\"d\";1;2;3;4;5;-1;2"}, &invalid),
              2);
    EXPECT_EQ(invalid, 1);
}

TEST_F(CsvFiles, ByteOrderMarkAtTheStartIsSkipped) {
    const std::string path = Path("bom.csv");
    WriteFileAtomic(path, "\xEF\xBB\xBF" "7;\"2024-01-02\";1;2;3;4;5;6;7\r\n8;\"2024-01-05\";8;9;10;11;12;1;2\r\n");
    TDrawsArchive a;
    a.FileName = Path("a.ldr");
    int invalid = -1;
    EXPECT_EQ(ImportDrawsCsv(a, path, &invalid), 2);
    EXPECT_EQ(invalid, 0);
    ASSERT_EQ(a.Count(), 2);
    EXPECT_EQ(a.Draws[0].Number, 7);
    EXPECT_EQ(a.Draws[0].DateText(), "2024-01-02");
}

// The duplicate check looks numbers up instead of scanning the archive for every line: 200 000
// new draws on top of 100 000 (a scan per line would compare some 4 * 10^10 numbers).
TEST(DrawsCsv, LargeImportChecksDuplicatesByLookUp) {
    TDrawsArchive a;
    a.Draws.resize(100000);
    for (int i = 0; i < 100000; ++i) a.Draws[size_t(i)].Number = i + 1;
    std::vector<std::string> lines;
    lines.reserve(200002);
    for (int i = 0; i < 200000; ++i) lines.push_back(std::to_string(100001 + i) + ";\"2024-01-01\";1;2;3;4;5;1;2");
    lines.push_back("50000;\"2024-01-01\";1;2;3;4;5;1;2");   // in the archive
    lines.push_back("100001;\"2024-01-01\";1;2;3;4;5;1;2");  // added by this import
    EXPECT_EQ(AppendCsvLines(a, lines), 200000);
    EXPECT_EQ(a.Count(), 300000);
    EXPECT_EQ(a.Draws.back().Number, 300000);
}
