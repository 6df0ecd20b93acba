#include "core/scripts/script_list.h"

#include "core/util/error.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace velmora {
namespace {

using namespace std::string_literals;

using Lines = std::vector<std::string>;

class ScriptList : public test::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        script.FileName = Path("Velmora_5x50.lss");
    }
    void WriteBytes(const std::string& name, const std::string& bytes) {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    // The current script file as the next start reads it.
    Lines Reread() {
        TScriptList next;
        next.FileName = script.FileName;
        next.LoadCurrentScript();
        return next.Lines();
    }
    std::string ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const Error& e) {
            return e.what();
        }
        return "(no error)";
    }

    TScriptList script;
};

TEST_F(ScriptList, AppendAndOpenRules) {
    struct Case {
        const char* name;
        Lines before;
        std::string file;
        bool append;
        Lines after;
    } cases[] = {
        {"append to an empty list just loads", {}, "a\r\nb\r\n", true, {"a", "b"}},
        {"append after a step line adds a separator", {"x"}, "a\r\nb\r\n", true, {"x", "", "a", "b"}},
        {"a list ending with a separator gets no second one", {"x", ""}, "a\r\n", true, {"x", "", "a"}},
        {"a blank last line is a separator too", {"x", "  "}, "a\r\n", true, {"x", "  ", "a"}},
        {"an empty file changes nothing", {"x"}, "", true, {"x"}},
        {"open replaces the list", {"x", "y"}, "a\r\nb", false, {"a", "b"}},
        {"open of an empty file empties the list", {"x"}, "", false, {}},
        {"trailing empty lines become separators", {}, "a\r\n\r\n\r\n", false, {"a", "", ""}},
        {"any line ends", {}, "a\nb\rc\r\n\n", false, {"a", "b", "c", ""}},
        {"cp1251 text", {}, "\xD2\xE8\xF0\xE0\xE6\r\n", false, {"Тираж"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        script.SetScriptLines(c.before);
        WriteBytes("in.lsc", c.file);
        script.LoadScriptFile(Path("in.lsc"), c.append);
        EXPECT_EQ(script.Lines(), c.after);
        EXPECT_EQ(Reread(), c.after);
    }
}

TEST_F(ScriptList, UnreadableFileLeavesListAndCurrentFileAsTheyWere) {
    script.SetScriptLines({"x", "y"});
    const std::string before = ReadFileBytes(script.FileName);
    for (bool append : {false, true}) {
        const std::string error = ErrorOf([&] { script.LoadScriptFile(Path("absent.lsc"), append); });
        EXPECT_EQ(error.rfind("Ошибка чтения файла \"" + Path("absent.lsc") + "\"!\r\r", 0), 0u) << error;
        EXPECT_EQ(script.Lines(), (Lines{"x", "y"}));
    }
    EXPECT_NE(ErrorOf([&] { script.LoadScriptFile(dir.string(), false); }), "(no error)");
    EXPECT_EQ(ReadFileBytes(script.FileName), before);
}

TEST_F(ScriptList, OddBytesAndHugeLinesAreReadWithoutFault) {
    const std::string huge(3 << 20, 'A');
    WriteBytes("odd.lsc", "FULL:0#RAND|\x98\x00\xFF| | | | | | |\x01\r\n"s + huge + "\r\n");
    script.LoadScriptFile(Path("odd.lsc"), false);
    ASSERT_EQ(script.ScriptLineCount(), 2);
    EXPECT_EQ(script.GetScriptLine(1).size(), huge.size());
    EXPECT_EQ(Reread().size(), 2u);
    // A UTF-8 mark followed by bytes that are no UTF-8.
    WriteBytes("bom.lsc", "\xEF\xBB\xBF\xC3\x28|\xFF\r\n");
    script.LoadScriptFile(Path("bom.lsc"), true);
    EXPECT_EQ(script.ScriptLineCount(), 4);
    EXPECT_EQ(Reread().size(), 4u);
}

TEST_F(ScriptList, DeletingRowsTwoAndFiveOfSix) {
    script.SetScriptLines({"1", "2", "3", "4", "5", "6"});
    script.DeleteScriptLines({4, 1});
    EXPECT_EQ(script.Lines(), (Lines{"1", "3", "4", "6"}));
    EXPECT_EQ(Reread(), (Lines{"1", "3", "4", "6"}));
    // An index outside the list deletes nothing.
    EXPECT_EQ(ErrorOf([&] { script.DeleteScriptLines({0, 4}); }), "Запись со индексом 4 в файле данных не найдена!");
    EXPECT_EQ(script.ScriptLineCount(), 4);
    script.DeleteScriptLines({3, 3, 0});
    EXPECT_EQ(script.Lines(), (Lines{"3", "4"}));
    script.ClearScript();
    EXPECT_EQ(script.ScriptLineCount(), 0);
    EXPECT_EQ(ReadFileBytes(script.FileName), "");
}

TEST_F(ScriptList, EachChangeWritesTheCurrentFile) {
    EXPECT_EQ(script.AddScriptLine("FULL:0#RAND| | | | | | | |Первая"), 0);
    EXPECT_EQ(script.AddScriptLine(""), 1);
    EXPECT_EQ(script.AddScriptLine("CURR:0#NONE| | | | | | | |"), 2);
    EXPECT_EQ(ReadFileBytes(script.FileName),
              "FULL:0#RAND| | | | | | | |\xCF\xE5\xF0\xE2\xE0\xFF\r\n\r\nCURR:0#NONE| | | | | | | |\r\n");
    script.PutScriptLine(1, "EXCL:1#ALL| | | | | | | |");
    EXPECT_EQ(Reread()[1], "EXCL:1#ALL| | | | | | | |");
    EXPECT_EQ(script.MoveScriptLineUp(2), 1);
    EXPECT_EQ(Reread(), (Lines{"FULL:0#RAND| | | | | | | |Первая", "CURR:0#NONE| | | | | | | |", "EXCL:1#ALL| | | | | | | |"}));
    EXPECT_EQ(script.MoveScriptLineDown(0), 1);
    EXPECT_EQ(Reread()[1], "FULL:0#RAND| | | | | | | |Первая");
    // A line break would split the line in the file.
    script.PutScriptLine(0, "a\r\nb\nc");
    EXPECT_EQ(script.GetScriptLine(0), "a  b c");
    EXPECT_EQ(Reread().size(), 3u);
}

TEST_F(ScriptList, IndexErrors) {
    script.SetScriptLines({"a", "b"});
    const std::string e2 = "Запись со индексом 2 в файле данных не найдена!";
    const std::string eMinus = "Запись со индексом -1 в файле данных не найдена!";
    EXPECT_EQ(ErrorOf([&] { script.GetScriptLine(2); }), e2);
    EXPECT_EQ(ErrorOf([&] { script.GetScriptLine(-1); }), eMinus);
    EXPECT_EQ(ErrorOf([&] { script.PutScriptLine(2, "x"); }), e2);
    EXPECT_EQ(ErrorOf([&] { script.MoveScriptLineUp(0); }), eMinus);
    EXPECT_EQ(ErrorOf([&] { script.MoveScriptLineDown(1); }), e2);
    EXPECT_EQ(script.Lines(), (Lines{"a", "b"}));
}

TEST_F(ScriptList, SaveWritesCp1251WithCrLfAndReportsFailure) {
    script.SetScriptLines({"Тест", "", "x"});
    script.SaveScriptFile(Path("out.lsc"));
    EXPECT_EQ(ReadFileBytes(Path("out.lsc")), "\xD2\xE5\xF1\xF2\r\n\r\nx\r\n");

    const std::string bad = Path("missing/out.lsc");
    EXPECT_EQ(ErrorOf([&] { script.SaveScriptFile(bad); }).rfind("Ошибка записи в файл \"" + bad + "\"!\r\r", 0), 0u);
    // A change whose current-file write fails stays in the list; the old file stays on disk.
    script.FileName = bad;
    EXPECT_NE(ErrorOf([&] { script.AddScriptLine("y"); }), "(no error)");
    EXPECT_EQ(script.ScriptLineCount(), 4);
    EXPECT_EQ(ReadFileBytes(Path("Velmora_5x50.lss")), "\xD2\xE5\xF1\xF2\r\n\r\nx\r\n");
}

TEST_F(ScriptList, CurrentScriptIsReadAtStartWhenItExists) {
    script.LoadCurrentScript();
    EXPECT_EQ(script.ScriptLineCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(script.FileName));
    TScriptList memoryOnly;
    memoryOnly.LoadScriptFile(VELMORA_TEST_DATA "/script_sample.lsc", false);
    ASSERT_EQ(memoryOnly.ScriptLineCount(), 4);
    EXPECT_EQ(memoryOnly.GetScriptLine(3), "CURR:0#NONE| | | | | | | |Только комментарий");
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

} // namespace
} // namespace velmora
