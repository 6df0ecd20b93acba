#include "core/scripts/line_options.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(LineOptions, TextReadsIntoFieldsAndFormatsThreeWays) {
    struct Case {
        std::string text;
        TLineOptions options;
        std::string stored, shortForm, caption;
    } cases[] = {
        {"FULL:0#RAND", {0, kStartFull, kResultRandom, false, false}, "FULL:0#RAND", "FULL#RAND",
         "Исходный список; Случайно; Все создаваемые ставки"},
        {"EXCL:3#ALL#CLR#NEX", {3, kStartExclude, kResultAll, true, true}, "EXCL:3#ALL#CLR#NEX", "EXCL:3#ALL#NEX",
         "Исключить 3 тиражей; Все; Удалить ставки; Только новые ставки"},
        // Keywords in any case; the start list is matched as a prefix.
        {"full:2#all#nex", {2, kStartFull, kResultAll, false, true}, "FULL:2#ALL#NEX", "FULL#ALL#NEX",
         "Исходный список; Все; Только новые ставки"},
        {"FULLER", {0, kStartFull, kResultRandom, false, false}, "FULL:0#RAND", "FULL#RAND",
         "Исходный список; Случайно; Все создаваемые ставки"},
        {"Currently:7#sysc#clr", {7, kStartCurrent, kResultSystemCombs, true, false}, "CURR:7#SYSC#CLR", "CURR#SYSC",
         "Текущий список; Система [комб]; Удалить ставки; Все создаваемые ставки"},
        // No mode: "RAND"; no number or not a number: 0.
        {"EXCL:5", {5, kStartExclude, kResultRandom, false, false}, "EXCL:5#RAND", "EXCL:5#RAND",
         "Исключить 5 тиражей; Случайно; Все создаваемые ставки"},
        {"EXCL#STOP", {0, kStartExclude, kResultStop, false, false}, "EXCL:0#STOP", "EXCL:0#STOP",
         "Исключить 0 тиражей; Остановить; Все создаваемые ставки"},
        {"EXCL:x3#SKIP", {0, kStartExclude, kResultSkip, false, false}, "EXCL:0#SKIP", "EXCL:0#SKIP",
         "Исключить 0 тиражей; Пропустить; Все создаваемые ставки"},
        {"", {0, kStartFull, kResultRandom, false, false}, "FULL:0#RAND", "FULL#RAND",
         "Исходный список; Случайно; Все создаваемые ставки"},
        // Unknown words fall back silently; N is read whatever the start word.
        {"XYZ:7#FOO#clr#bar#nex", {7, kStartFull, kResultRandom, true, true}, "FULL:7#RAND#CLR#NEX", "FULL#RAND#NEX",
         "Исходный список; Случайно; Удалить ставки; Только новые ставки"},
        {"CURR:0#FIRSTX", {0, kStartCurrent, kResultRandom, false, false}, "CURR:0#RAND", "CURR#RAND",
         "Текущий список; Случайно; Все создаваемые ставки"},
        // A flag in the mode's place is no flag.
        {"FULL:1#CLR", {1, kStartFull, kResultRandom, false, false}, "FULL:1#RAND", "FULL#RAND",
         "Исходный список; Случайно; Все создаваемые ставки"},
        // Blanks around words and numbers; repeated "#" count as one.
        {" curr : 4 # none #  nex # clr ", {4, kStartCurrent, kResultNone, true, true}, "CURR:4#NONE#CLR#NEX",
         "CURR#NONE#NEX", "Текущий список; Не делать ставок; Удалить ставки; Только новые ставки"},
        {"EXCL:12##LAST###NEX", {12, kStartExclude, kResultLast, false, true}, "EXCL:12#LAST#NEX", "EXCL:12#LAST#NEX",
         "Исключить 12 тиражей; Последняя; Только новые ставки"},
        {"EXCL:-2#first", {-2, kStartExclude, kResultFirst, false, false}, "EXCL:-2#FIRST", "EXCL:-2#FIRST",
         "Исключить -2 тиражей; Первая; Все создаваемые ставки"},
        {"FULL:2147483648#SYSA", {0, kStartFull, kResultSystemAll, false, false}, "FULL:0#SYSA", "FULL#SYSA",
         "Исходный список; Система [все]; Все создаваемые ставки"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TLineOptions o = ParseLineOptions(c.text);
        EXPECT_EQ(o, c.options);
        EXPECT_EQ(FormatLineOptions(o), c.stored);
        EXPECT_EQ(FormatLineOptionsShort(o), c.shortForm);
        EXPECT_EQ(FormatLineOptionsCaption(o), c.caption);
        EXPECT_EQ(ParseLineOptions(FormatLineOptions(o)), o);
    }
}

TEST(LineOptions, EveryModeKeywordReadsBackAsItsIndex) {
    const char* captions[] = {"Случайно", "Первая", "Последняя", "Все", "Система [все]",
                              "Система [комб]", "Остановить", "Пропустить", "Не делать ставок"};
    for (int m = 0; m < kResultCombsModeCount; ++m) {
        SCOPED_TRACE(m);
        const TLineOptions o = ParseLineOptions("CURR:0#" + ResultCombsModeKeyword(m));
        EXPECT_EQ(o.ResultCombsMode, m);
        EXPECT_EQ(ResultCombsModeCaption(m), captions[m]);
    }
}

TEST(LineOptions, IndexOutsideTheTablesFormatsAsError) {
    const TLineOptions o{1, 3, 9, false, false};
    EXPECT_EQ(FormatLineOptions(o), "# ERROR #:1## ERROR #");
    EXPECT_EQ(FormatLineOptionsShort(o), "# ERROR ### ERROR #");
    EXPECT_EQ(FormatLineOptionsCaption(o), "# ERROR #; # ERROR #; Все создаваемые ставки");
    EXPECT_EQ(StartCombsEditorText(-1), "# ERROR #");
    EXPECT_EQ(ResultCombsModeEditorText(kResultCombsModeCount), "# ERROR #");
    EXPECT_EQ(StartCombsEditorText(kStartExclude), "Удалить N последних тиражей (для прогнозов)");
}

} // namespace
} // namespace velmora
