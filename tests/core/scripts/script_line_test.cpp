#include "core/scripts/script_line.h"

#include "core/stats/stat_list.h"
#include "../default_stat_list.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::DefaultStatList;

TEST(ScriptLine, BlankFilterKeepsTheNextFilterInItsPlace) {
    const TScriptFilters filters = {"TSD1#NUMS:10", "", " BSF#even:5 ", "", "", "", ""};
    const std::string line = BuildScriptLine(" Мой комментарий ", "FULL:0#RAND", filters);
    EXPECT_EQ(line, "FULL:0#RAND|TSD1#NUMS:10| |BSF#even:5| | | | |Мой комментарий");
    EXPECT_EQ(GetLineOptions(line), "FULL:0#RAND");
    EXPECT_EQ(GetLineFilter(line, 1), "TSD1#NUMS:10");
    EXPECT_EQ(GetLineFilter(line, 2), "");
    EXPECT_EQ(GetLineFilter(line, 3), "BSF#even:5");
    EXPECT_EQ(GetLineComment(line), "Мой комментарий");
    // Read and written again (as the line editor does) the line is unchanged.
    EXPECT_EQ(BuildScriptLine(GetLineComment(line), GetLineOptions(line), GetLineFilters(line)), line);

    const auto cells = ScriptRowTexts(line, DefaultStatList());
    const std::vector<std::string> expected = {
        "Мой комментарий", "Исходный список; Случайно; Все создаваемые ставки", "TSD1#NUMS:10#LNO:#SF:0", "",
        "BSF1#EVEN:5#LNO:#SF:0", "", "", "", ""};
    EXPECT_EQ(cells, expected);
}

TEST(ScriptLine, FieldsOfUnusualLines) {
    struct Case {
        std::string line;
        std::string options, filter1, filter7, comment;
    } cases[] = {
        // Without a comment the line ends in "|".
        {"EXCL:3#ALL|TSD1#NUMS:10| | | | | | |", "EXCL:3#ALL", "TSD1#NUMS:10", "", ""},
        {"EXCL:3#ALL| | | | | | |TSD1#SUMS:5|x", "EXCL:3#ALL", "", "TSD1#SUMS:5", "x"},
        // A comment holding "|" reads back up to it.
        {"FULL:0#RAND| | | | | | | |a|b", "FULL:0#RAND", "", "", "a"},
        // Missing fields read as empty; empty fields (no placeholder) collapse.
        {"FULL:0#RAND", "FULL:0#RAND", "", "", ""},
        {"FULL:0#RAND||TSD1#NUMS:10", "FULL:0#RAND", "TSD1#NUMS:10", "", ""},
        {"|FULL:0#RAND|\tTSD1#NUMS:10\t| | | | | | |c ", "FULL:0#RAND", "TSD1#NUMS:10", "", "c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(GetLineOptions(c.line), c.options);
        EXPECT_EQ(GetLineFilter(c.line, 1), c.filter1);
        EXPECT_EQ(GetLineFilter(c.line, 7), c.filter7);
        EXPECT_EQ(GetLineComment(c.line), c.comment);
        EXPECT_EQ(GetLineFilters(c.line)[0], c.filter1);
        EXPECT_EQ(GetLineFilters(c.line)[6], c.filter7);
    }
    EXPECT_EQ(GetLineFilter("FULL:0#RAND|a|b|c|d|e|f|g|h", 0), "");
    EXPECT_EQ(GetLineFilter("FULL:0#RAND|a|b|c|d|e|f|g|h", 8), "");
    EXPECT_EQ(BuildScriptLine("", "CURR:0#NONE", {}), "CURR:0#NONE| | | | | | | |");
}

TEST(ScriptLine, SeparatorShowsNineEmptyCells) {
    for (std::string line : {"", "   ", "\t"}) {
        EXPECT_TRUE(IsScriptSeparator(line));
        EXPECT_EQ(ScriptRowTexts(line, DefaultStatList()), std::vector<std::string>(9));
    }
    EXPECT_FALSE(IsScriptSeparator("FULL:0#RAND| | | | | | | |"));
    EXPECT_EQ(kScriptColumnCaptions.size(), 9u);
}

TEST(ScriptLine, UnknownStatisticAndHugeFieldsAreShownWithoutFault) {
    const std::string huge(1 << 20, 'Z');
    const std::string line = "EXCL:2#LAST|TSD1#XXXX:10| |" + huge + "| | | | |" + huge;
    const auto cells = ScriptRowTexts(line, DefaultStatList());
    EXPECT_EQ(cells[0], huge);
    EXPECT_EQ(cells[1], "Исключить 2 тиражей; Последняя; Все создаваемые ставки");
    EXPECT_EQ(cells[2], "TSD1#XXXX:10#LNO:#SF:0");
    EXPECT_FALSE(cells[4].empty());
}

} // namespace
} // namespace velmora
