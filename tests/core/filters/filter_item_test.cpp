#include "core/filters/filter_item.h"

#include "core/stats/stat_list.h"
#include "core/util/text.h"
#include "../default_stat_list.h"
#include "../stats/fake_stats.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::DefaultStatList;

// Ten channel statistics FCH1..FCH10: a code that is the start of another one.
const TStatList& ChannelList() {
    static const TStatList list = [] {
        TStatList l;
        l.Build({&StatClassOf<test::TstFakeChannel>()});
        return l;
    }();
    return list;
}

std::string Code(const TFilterItem& item) { return item.Stat ? item.Stat->Code() : "-"; }

TEST(FilterItem, TextReadsIntoFieldsAndFormatsNormalised) {
    struct Case {
        std::string text;
        bool fromBottom, markAll, keep;
        int sortColumn;
        std::string code, lengths;
        int criterion;
        std::string criterionText;
        int stop, stopValue;
        std::string normalised;
    } cases[] = {
        {"TMD6#SUMS:100;200#LMV:10#ST:2", false, true, false, 6, "SUMS", "100;200", 1, "10", 3, 2,
         "TMD6#SUMS:100;200#LMV:10#ST:2"},
        {"BSF#nums:50#CDV:1,2#SV", true, false, true, 1, "NUMS", "50", 17, "1,2", 4, 1, "BSF1#NUMS:50#CDV:1,2#SV:1"},
        // Lower-case letters are no flags.
        {"bmf2#NUMS:10", false, false, false, 2, "NUMS", "10", 0, "", 0, 0, "TSD2#NUMS:10#LNO:#SF:0"},
        {"TSD12#EVEN:30", false, false, false, 12, "EVEN", "30", 0, "", 0, 0, "TSD12#EVEN:30#LNO:#SF:0"},
        // Flags anywhere in the first word; the column is what follows its third character.
        {"FBM7#EVEN:30", true, true, true, 7, "EVEN", "30", 0, "", 0, 0, "BMF7#EVEN:30#LNO:#SF:0"},
        {"TSDx#EVEN:30", false, false, false, 1, "EVEN", "30", 0, "", 0, 0, "TSD1#EVEN:30#LNO:#SF:0"},
        // A column outside the table reads as the default one.
        {"TSD20#EVEN:30", false, false, false, 1, "EVEN", "30", 0, "", 0, 0, "TSD1#EVEN:30#LNO:#SF:0"},
        {"TSD-1#EVEN:30", false, false, false, 1, "EVEN", "30", 0, "", 0, 0, "TSD1#EVEN:30#LNO:#SF:0"},
        // An unknown code keeps its word; an unknown keyword leaves kind 0.
        {"TSD1#XXXX:10#CMV:3#SC:5", false, false, false, 1, "-", "", 13, "3", 1, 5, "TSD1#XXXX:10#CMV:3#SC:5"},
        {"TSD1#EVEN:10#QQQ:3#ZZ:4", false, false, false, 1, "EVEN", "10", 0, "", 0, 0, "TSD1#EVEN:10#LNO:#SF:0"},
        // Keywords ignore case and may be followed by more letters; values are trimmed.
        {"TSD1#even: 1-10;2 :x#lva: 5;6 #sp: 40 ", false, false, false, 1, "EVEN", "1-10;2", 31, "5;6", 5, 40,
         "TSD1#EVEN:1-10;2#LVA:5;6#SP:40"},
        {"TSD1#EVEN:10#CMVX:3#STOP:x", false, false, false, 1, "EVEN", "10", 13, "3", 3, 1,
         "TSD1#EVEN:10#CMV:3#ST:1"},
        // Repeated "#" count as one; words beyond the fifth are ignored.
        {"##TSF3###SUMS:5##LNO:#SF:0#0:0:0:0:0#junk", false, false, true, 3, "SUMS", "5", 0, "", 0, 0,
         "TSF3#SUMS:5#LNO:#SF:0#0:0:0:0:0"},
        // No statistic word at all: an empty word keeps its place.
        {"bmf2", false, false, false, 2, "-", "", 0, "", 0, 0, "TSD2#:#LNO:#SF:0"},
        {"TMF4#:#CMV:2#ST:3", false, true, true, 4, "-", "", 13, "2", 3, 3, "TMF4#:#CMV:2#ST:3"},
        // A code without lengths.
        {"TSD1#SUMS", false, false, false, 1, "SUMS", "", 0, "", 0, 0, "TSD1#SUMS:#LNO:#SF:0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TFilterItem item = ParseFilterItem(c.text, DefaultStatList());
        EXPECT_TRUE(item.Active);
        EXPECT_EQ(item.FromBottom, c.fromBottom);
        EXPECT_EQ(item.MarkAll, c.markAll);
        EXPECT_EQ(item.KeepSelected, c.keep);
        EXPECT_EQ(item.SortColumn, c.sortColumn);
        EXPECT_EQ(Code(item), c.code);
        EXPECT_EQ(item.LengthsText, c.lengths);
        EXPECT_EQ(item.CriterionKind, c.criterion);
        EXPECT_EQ(item.CriterionText, c.criterionText);
        EXPECT_EQ(item.StopKind, c.stop);
        EXPECT_EQ(item.StopValue, c.stopValue);
        EXPECT_EQ(FormatFilterItem(item), c.normalised);
        // The normalised text is a fixed point.
        EXPECT_EQ(FormatFilterItem(ParseFilterItem(c.normalised, DefaultStatList())), c.normalised);
    }
}

TEST(FilterItem, EmptyTextIsInactiveAndFormatsEmpty) {
    const TFilterItem item = ParseFilterItem("", DefaultStatList());
    EXPECT_FALSE(item.Active);
    EXPECT_EQ(item.Stat, nullptr);
    EXPECT_FALSE(item.OwnWeights);
    EXPECT_EQ(FormatFilterItem(item), "");
}

TEST(FilterItem, CodeIsMatchedWhole) {
    const TFilterItem item = ParseFilterItem("TSD1#CH10:5", DefaultStatList());
    EXPECT_EQ(item.Stat, nullptr);
    for (const char* code : {"FCH10", "fch10", "FCH1"}) {
        const TFilterItem ch = ParseFilterItem(std::string("TSD1#") + code + ":5", ChannelList());
        EXPECT_TRUE(SameText(Code(ch), code)) << code;
        EXPECT_EQ(ch.LengthsText, "5");
    }
}

TEST(FilterItem, WeightsWord) {
    struct Case {
        std::string word;
        long double count, deviation, level;
        bool percents, abs;
        std::string normalised;
    } cases[] = {
        {"0:-1:1.5:1:0", 0, -1, 1.5L, true, false, "0:-1:1.5:1:0"},
        {"0,25:-0.5:2:0:1", 0.25L, -0.5L, 2, false, true, "0.25:-0.5:2:0:1"},
        // Missing parts read as 0, flags only from "1".
        {"2:3", 2, 3, 0, false, false, "2:3:0:0:0"},
        {"x:1.2.3:--4:yes:11", 0, 0, 0, false, false, "0:0:0:0:0"},
        // Other characters are dropped before reading.
        {"1 000:abc7:1e3:1:1", 1000, 7, 13, true, true, "1000:7:13:1:1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        const TFilterItem item = ParseFilterItem("TMF2#SUMS:10#WMV:3#SF:0#" + c.word, DefaultStatList());
        EXPECT_TRUE(item.OwnWeights);
        EXPECT_DOUBLE_EQ(double(item.Weights.Count), double(c.count));
        EXPECT_DOUBLE_EQ(double(item.Weights.Deviation), double(c.deviation));
        EXPECT_DOUBLE_EQ(double(item.Weights.Level), double(c.level));
        EXPECT_EQ(item.Weights.UsePercents, c.percents);
        EXPECT_EQ(item.Weights.UseAbsValues, c.abs);
        EXPECT_EQ(FormatFilterItem(item), "TMF2#SUMS:10#WMV:3#SF:0#" + c.normalised);
    }
}

TEST(FilterItem, DialogStepFormatsWithCodeAndLengths) {
    TFilterItem item;
    item.Active = true;
    item.Stat = &DefaultStatList().Items(DefaultStatList().IndexOfCode("SUMS"));
    item.LengthsText = "100;200";
    item.SortColumn = 6;
    item.MarkAll = true;
    item.CriterionKind = 1;
    item.CriterionText = "10";
    item.StopKind = 3;
    item.StopValue = 2;
    item.OwnWeights = true;
    item.Weights = {0, -1, 1.5L, true, false};
    EXPECT_EQ(FormatFilterItem(item), "TMD6#SUMS:100;200#LMV:10#ST:2#0:-1:1.5:1:0");
}

TEST(FilterItem, PartsAndRecords) {
    TFilterPart a;
    a.Active = true;
    a.Stat = &DefaultStatList().Items(DefaultStatList().IndexOfCode("EVEN"));
    a.SampleLength = 150;
    a.SortColumn = 9;
    a.FromBottom = true;
    a.KeepSelected = true;
    a.CriterionKind = 17;
    a.CriterionValue = "1";
    a.CriterionDisplay = "1,2";
    a.StopKind = 4;
    a.StopValue = 7;
    TFilterPart b = a;
    b.KeepSelected = false;
    b.MarkAll = true;
    b.OwnWeights = true;
    b.Weights = {1, 0, 0, false, true};

    EXPECT_EQ(FormatFilterPart(a), "BSF#EVEN:150#CDV:1,2#SV:7");
    EXPECT_EQ(FormatFilterPart(b), "BMD#EVEN:150#CDV:1,2#SV:7#1:0:0:0:1");
    EXPECT_EQ(FormatFilterPart(TFilterPart{}), "");

    TFilterRec rec{};
    EXPECT_EQ(FormatFilterRec(rec), "");
    rec[0] = a;
    EXPECT_EQ(FormatFilterRec(rec), "BSF#EVEN:150#CDV:1,2#SV:7");
    rec[3] = b;  // inactive parts between are skipped
    EXPECT_EQ(FormatFilterRec(rec), "BSF#EVEN:150#CDV:1,2#SV:7 + BMD#EVEN:150#CDV:1,2#SV:7#1:0:0:0:1");
}

// The checks of a step on OK, in their order: the first fault wins and names its field.
TEST(FilterItem, ValidationRefusesTheFirstFault) {
    const TStatMethod* sums = &DefaultStatList().Items(DefaultStatList().IndexOfCode("SUMS"));
    const TStatMethod* range = &DefaultStatList().Items(DefaultStatList().IndexOfCode("SUM1"));  // no value list
    const std::string badRange = "Введен некорректный диапазон значений!";
    struct Case {
        const TStatMethod* stat;
        std::string lengths;
        uint8_t criterion;
        std::string criterionText;
        bool markAll;
        uint8_t stop;
        std::string error;  // empty: accepted
        TFilterItemField field;
    };
    const Case cases[] = {
        {sums, "100", 0, "", false, 0, "", {}},
        {sums, "10-30;50", 31, "5", true, 0, "", {}},
        {nullptr, "", 0, "", true, 1, "Не выбран метод расчета статистики (cb: cbDrawsStatType)!", TFilterItemField::Stat},
        {sums, "", 0, "", false, 0, badRange, TFilterItemField::Lengths},
        {sums, "0", 0, "", false, 0, badRange, TFilterItemField::Lengths},
        {sums, "0;0", 0, "", false, 0, "", {}},  // two values are a range even when both are 0
        {range, "100", 31, "", false, 0, "Для данного вида статистики не доступен режим выделения по списку значений!",
         TFilterItemField::Criterion},
        {range, "100", 2, "3", false, 0, "", {}},  // other criteria are open to it
        {sums, "100", 2, "", false, 0, badRange, TFilterItemField::CriterionText},
        {sums, "100", 0, "", true, 1,
         "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может быть "
         "выполнена!\rВыберите другой способ останова.",
         TFilterItemField::Stop},
        {sums, "100", 0, "", false, 1, "", {}},
    };
    for (const auto& c : cases) {
        TFilterItem item;
        item.Active = true;
        item.Stat = c.stat;
        item.LengthsText = c.lengths;
        item.CriterionKind = c.criterion;
        item.CriterionText = c.criterionText;
        item.MarkAll = c.markAll;
        item.StopKind = c.stop;
        std::string error;
        TFilterItemField field{};
        try {
            ValidateFilterItem(item);
        } catch (const TFilterItemError& e) {
            error = e.what();
            field = e.Field;
        }
        EXPECT_EQ(error, c.error) << c.lengths << " " << int(c.criterion);
        if (!c.error.empty()) {
            EXPECT_EQ(field, c.field) << c.error;
        }
    }
}

TEST(FilterItem, Captions) {
    struct Case {
        int kind;
        std::string criterion, stop;
    } cases[] = {
        {0, "Весь список (без условий)", "Обработать все записи"},
        {1, "\"Глубина\": не менее заданного значения", "Количеству оставшихся комбинаций"},
        {5, "\"Глубина\": из заданного списка значений", "Процентному соотношению в списке статистики"},
        {6, "\"Глубина\": из заданного списка процентов", "# ERROR #"},
        {31, "\"Значения\": из заданного списка значений", "# ERROR #"},
        {32, "# ERROR #", "# ERROR #"},
        {-1, "# ERROR #", "# ERROR #"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CriterionCaption(c.kind), c.criterion) << c.kind;
        EXPECT_EQ(StopCaption(c.kind), c.stop) << c.kind;
    }
}

TEST(FilterItem, FloatText) {
    struct Case {
        long double x;
        std::string text;
    } cases[] = {
        {0, "0"},         {-1, "-1"},           {1.5L, "1.5"},        {0.1L, "0.1"},
        {1.0L / 3, "0.333333333333333"},        {2.0L / 3, "0.666666666666667"},
        {123456789012345.0L, "123456789012345"}, {1e15L, "1E15"},      {1.5e20L, "1.5E20"},
        {0.0001L, "0.0001"},  {0.00001L, "0.00001"}, {0.000001L, "1E-6"}, {-2.5e-7L, "-2.5E-7"},
        {100, "100"},         {-0.75L, "-0.75"},
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToDotText(c.x), c.text);
}

TEST(FilterItem, DotTextReading) {
    struct Case {
        std::string text;
        long double value;
    } cases[] = {
        {"1.25", 1.25L}, {"1,25", 1.25L}, {" -3 ", -3}, {"12abc", 12}, {".5", 0.5L},
        {"", 7},         {"abc", 7},       {"-", 7},     {"1.2.3", 7}, {"5-", 7},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(double(DotTextToFloat(c.text, 7)), double(c.value)) << c.text;
}

} // namespace
} // namespace velmora
