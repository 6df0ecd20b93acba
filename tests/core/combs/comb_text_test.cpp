#include "core/combs/comb_set.h"
#include "core/combs/comb_text.h"

#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

const std::string kMixed = VELMORA_TEST_DATA "/combs_mixed.lcv";

std::vector<TCombination> Snapshot(const TCombSet& s) { return {s.Data(), s.Data() + s.Count()}; }

using CombFiles = test::TempDirTest;

TEST(CombText, FileLines) {
    struct Case {
        const char* line;
        bool ok;
        TCombination comb;
    };
    const Case cases[] = {
        {"3;17;25;41;48", true, {3, 17, 25, 41, 48}},
        {" 7 , 8 ;9,10; 11 ", true, {7, 8, 9, 10, 11}},  // both separators, blanks trimmed
        {"1;2;3;4;99", true, {1, 2, 3, 4, 99}},           // taken as written: no range check
        {"5;4;3;2;2", true, {5, 4, 3, 2, 2}},             // nor order or uniqueness
        {"x;2;3;4;5", true, {0, 2, 3, 4, 5}},             // a word that is not a number reads as 0
        {"1;2;3;4;255", true, {1, 2, 3, 4, 255}},
        {"", false, {}},
        {"   ", false, {}},
        {"1,2,3,4", false, {}},
        {"1;2;3;4;5;6", false, {}},
        {"1;2;3;4;5;", false, {}},                        // a trailing separator makes a sixth word
        {"1 2 3 4 5", false, {}},                         // blanks do not separate in a file
        {"1;2;3;4;300", false, {}},                       // a byte cannot hold it
        {"1;2;3;4;-1", false, {}},
    };
    for (const auto& c : cases) {
        TCombination comb{};
        EXPECT_EQ(ParseCombsFileLine(c.line, comb), c.ok) << c.line;
        if (c.ok) {
            EXPECT_EQ(comb, c.comb) << c.line;
        }
    }
}

TEST_F(CombFiles, LoadSkipsMalformedLinesAndSaveWritesCrLf) {
    TCombSet s(100);
    s.LoadCombsFile(kMixed);
    const std::vector<TCombination> expected = {
        {1, 2, 3, 4, 5}, {1, 2, 3, 4, 99}, {7, 8, 9, 10, 11}, {0, 2, 3, 4, 5}, {5, 4, 3, 2, 1}};
    EXPECT_EQ(Snapshot(s), expected);

    const std::string out = Path("out.lcv");
    s.SaveCombsFile(out);
    EXPECT_EQ(ReadFileBytes(out), "1;2;3;4;5\r\n1;2;3;4;99\r\n7;8;9;10;11\r\n0;2;3;4;5\r\n5;4;3;2;1\r\n");
    TCombSet back(100);
    back.LoadCombsFile(out);
    EXPECT_EQ(Snapshot(back), expected);
}

TEST_F(CombFiles, ErrorsLeaveTheSetAsItWas) {
    const std::string tooMany = Path("six.lcv");
    WriteFileAtomic(tooMany, "1;2;3;4;5\r\n1;2;3;4;6\r\nbad\r\n1;2;3;4;7\r\n1;2;3;4;8\r\n1;2;3;4;9\r\n1;2;3;4;10\r\n");
    struct Case {
        std::string file;
        std::string message;
    };
    const std::vector<Case> cases = {
        {Path("absent.lcv"), "Ошибка чтения файла \"" + Path("absent.lcv") + "\"!\r\r"},
        {dir.string(), "Ошибка чтения файла \"" + dir.string() + "\"!\r\r"},
        // Six combinations do not fit a set of five.
        {tooMany, "Ошибка чтения файла \"" + tooMany +
                      "\"!\r\rСлишком много комбинаций: 6! В списке может быть не более 5 комбинаций."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TCombSet s(5);
        s.PasteCombsText("1 2 3 4 5\r\n6 7 8 9 10");
        s.SaveUndo(true);
        s.DeleteSelected({0});
        for (bool open : {false, true}) {
            try {
                open ? s.OpenCombsFile(c.file) : s.LoadCombsFile(c.file);
                FAIL();
            } catch (const Error& e) {
                EXPECT_EQ(std::string(e.what()).substr(0, c.message.size()), c.message);
            }
            EXPECT_EQ(Snapshot(s), (std::vector<TCombination>{{6, 7, 8, 9, 10}}));
            EXPECT_TRUE(s.CanUndo());
            EXPECT_EQ(s.Log().size(), 1u);
        }
    }
    // Lines that are skipped do not count against the capacity.
    TCombSet five(5);
    five.OpenCombsFile(kMixed);
    EXPECT_EQ(five.Count(), 5);
}

TEST_F(CombFiles, SaveErrorNamesTheFile) {
    TCombSet s(10);
    s.PasteCombsText("1 2 3 4 5");
    const std::string bad = Path("no/such/folder/x.lcv");
    try {
        s.SaveCombsFile(bad);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ошибка записи в файл \"" + bad + "\"!\r\r", 0), 0u) << e.what();
    }
}

TEST(CombText, ClipboardFormOfSelectedRows) {
    TCombSet s(10);
    s.PasteCombsText("5 12 33 40 48\r\n1 2 3 4 5\r\n10 20 30 40 50");
    // Rows in selection order come out in list order, each once.
    EXPECT_EQ(s.ClipboardText({2, 0, 2}), "05 12 33 40 48\r\n10 20 30 40 50");
    EXPECT_EQ(s.ClipboardText({1}), "01 02 03 04 05");
    EXPECT_EQ(s.ClipboardText({}), "");
}

TEST(CombText, Paste) {
    struct Case {
        const char* text;
        std::string error;  // empty: the paste succeeds
        std::vector<TCombination> combs;
    };
    const std::vector<Case> cases = {
        {"05 12 33 40 48\r\n1,2,3,4,5\n7;8;9;10;11\r\n", "", {{5, 12, 33, 40, 48}, {1, 2, 3, 4, 5}, {7, 8, 9, 10, 11}}},
        {"01 02 03 04 05", "", {{1, 2, 3, 4, 5}}},
        {"1 2 3 4 5\r\n1 2 3 4\r\n", "Некорректная комбинация: \"1 2 3 4\"!", {}},
        {"1 2 3 4 5\r\n\r\n6 7 8 9 10", "Некорректная комбинация: \"\"!", {}},
        {"1 2 3 4 5 6", "Некорректная комбинация: \"1 2 3 4 5 6\"!", {}},
        {"1 2 3 4 500", "Некорректная комбинация: \"1 2 3 4 500\"!", {}},
        {"1 2 3 4 5\n1 2 3 4 6\n1 2 3 4 7\n1 2 3 4 8\n",
         "Слишком много комбинаций: 4! В списке может быть не более 3 комбинаций.", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TCombSet s(3);
        s.PasteCombsText("9 9 9 9 9\r\n8 8 8 8 8");
        s.SaveUndo(true);
        s.DeleteSelected({1});
        if (c.error.empty()) {
            EXPECT_TRUE(s.PasteCombsText(c.text));
            EXPECT_EQ(Snapshot(s), c.combs);
            EXPECT_FALSE(s.CanUndo()) << "a paste cannot be undone";
            EXPECT_TRUE(s.Log().empty());
            continue;
        }
        try {
            s.PasteCombsText(c.text);
            FAIL();
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), c.error);
        }
        EXPECT_EQ(Snapshot(s), (std::vector<TCombination>{{9, 9, 9, 9, 9}}));
        EXPECT_TRUE(s.CanUndo());
        EXPECT_EQ(s.Log().size(), 1u);
    }
    TCombSet s(3);
    s.PasteCombsText("1 2 3 4 5");
    EXPECT_FALSE(s.PasteCombsText("")) << "no lines, nothing to paste";
    EXPECT_EQ(s.Count(), 1);
}

// What one copy of the program saves or copies, another opens or pastes, on a set of some
// thousands of combinations.
TEST_F(CombFiles, LargerSetRoundTrips) {
    TCombSet s(20000);
    s.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;50"});
    ASSERT_EQ(s.Count(), 15504);
    const std::string file = Path("large.lcv");
    s.SaveCombsFile(file);
    TCombSet back(20000);
    back.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5"});
    back.OpenCombsFile(file);
    EXPECT_EQ(Snapshot(back), Snapshot(s));

    std::vector<int> rows(size_t(s.Count()));
    for (int i = 0; i < s.Count(); ++i) rows[size_t(i)] = s.Count() - 1 - i;
    TCombSet pasted(20000);
    pasted.PasteCombsText(s.ClipboardText(rows));
    EXPECT_EQ(Snapshot(pasted), Snapshot(s));
}

} // namespace
