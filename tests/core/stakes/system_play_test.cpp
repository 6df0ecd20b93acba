#include "core/stakes/stake_file.h"
#include "core/stakes/system_play.h"
#include "core/stakes/system_store.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace velmora;
using namespace velmora::test;

namespace {

TCombsArray List(std::initializer_list<TCombination> combs) { return TCombsArray(combs); }

class SystemPlayTest : public TempDirTest {};

// Twelve numbers through 5-12-2_0045.dat into stakes: each stake holds the mapped numbers sorted.
TEST_F(SystemPlayTest, TwelveNumbersThroughTheSystemFile) {
    std::filesystem::create_directories(Path("Systems"));
    std::ofstream(Path("Systems/5-12-2_0045.dat"), std::ios::binary) << "01 02 03 04 05\r\n08 09 10 11 12\r\n";
    const TCombsArray list = List({{40, 3, 17, 9, 50}, {1, 22, 31, 8, 44}, {12, 27, 40, 3, 1}});
    TByteArray numbers;
    DistinctNumbers(list.data(), int(list.size()), numbers);
    ASSERT_EQ(numbers.size(), 12u);
    TCombsArray system;
    std::string path;
    ASSERT_TRUE(LoadSystemForNumbers(Path("Systems"), numbers, system, path));
    const std::string comment = SystemPlayComment(12, path, false);
    EXPECT_EQ(comment, "Системная игра для 12 чисел [вся система]: 5-12-2_0045");
    EXPECT_EQ(SystemPlayComment(12, path, true), "Системная игра для 12 чисел [комбинации]: 5-12-2_0045");

    const TConfigData config;
    const auto recs = SystemStakeRecords(system, list.data(), int(list.size()), false, 812, comment, config);
    ASSERT_EQ(recs.size(), 2u);
    EXPECT_EQ(NumberSetToText(recs[0].Numbers, " "), "3 9 17 40 50");
    EXPECT_EQ(NumberSetToText(recs[1].Numbers, " "), "8 12 27 31 44");
    for (const TStakeRecord& r : recs) {
        EXPECT_EQ(r.Kind, skSystem);
        EXPECT_EQ(r.Version, 2);
        EXPECT_EQ(r.DrawNumber, 812);
        EXPECT_EQ(r.Checked, 0);
        EXPECT_EQ(r.Sample, 2);  // the system's size without the filter
        EXPECT_EQ(r.Matched.Count, -1);
        EXPECT_EQ(r.Profit, StakeProfit(config, 5, -1));
        EXPECT_EQ(r.CommentText(), comment);
    }

    TStakeFile file(Path("Velmora_5x50.lsk"));
    file.Open();
    file.AppendStakes(HandStakeRecord(&list[0], 811, 3, config), 1);
    EXPECT_EQ(AppendSystemStakes(file, recs, 1), 2);
    ASSERT_EQ(file.StakeCount(), 4);  // the hand stake, a separator, two system stakes
    EXPECT_EQ(file.ReadStake(TStakeOrigin::Begin, 1).Kind, skSeparator);
    EXPECT_EQ(file.ReadStake(TStakeOrigin::Begin, 3).Numbers.Numbers[0], 8);
}

TEST_F(SystemPlayTest, FilterKeepsOnlyCombinationsOfTheList) {
    const TCombsArray system = List({{1, 2, 3, 4, 5}, {6, 5, 4, 3, 2}, {1, 2, 3, 4, 6}});
    const TCombsArray list = List({{2, 3, 4, 5, 6}, {7, 8, 9, 10, 11}});
    const auto recs = SystemStakeRecords(system, list.data(), 2, true, 5, "c", TConfigData{});
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_EQ(NumberSetToText(recs[0].Numbers, " "), "2 3 4 5 6");
    EXPECT_EQ(recs[0].Sample, 2);  // the list's size with the filter

    // No system combination in the list: no stake, and the file gets not even a separator.
    const TCombsArray other = List({{10, 11, 12, 13, 14}});
    EXPECT_TRUE(SystemStakeRecords(system, other.data(), 1, true, 5, "c", TConfigData{}).empty());
    TStakeFile file(Path("Velmora_5x50.lsk"));
    file.Open();
    file.AppendStakes(HandStakeRecord(&list[0], 4, 2, TConfigData{}), 1);
    EXPECT_EQ(AppendSystemStakes(file, {}, 1), 0);
    EXPECT_EQ(file.StakeCount(), 1);
}

TEST(SystemDialog, NormalisationTable) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
        int nums;
    } cases[] = {
        {"1,2,3,4,5\r\n1 2 3 4", {"01 02 03 04 05"}, 5},
        {"01 02 03 04 05\r\n02 03 04 05 06", {"01 02 03 04 05", "02 03 04 05 06"}, 6},
        {"  3*4+5/6:7  \n\n7;8=9\\10_11\n1|2~3-4.5", {"03 04 05 06 07", "07 08 09 10 11", "01 02 03 04 05"}, 11},
        {"", {}, 0},
        {"a b\r\n1 2 3 4 5 6", {}, 0},  // lines not of five words go, whatever their words
    };
    for (const Case& c : cases) {
        const TSystemText t = NormaliseSystemText(c.text);
        EXPECT_EQ(t.Lines, c.lines) << c.text;
        EXPECT_EQ(t.Nums, c.nums) << c.text;
        EXPECT_EQ(t.CSize, int(c.lines.size())) << c.text;
    }
    EXPECT_THROW(NormaliseSystemText("1 2 x 4 5"), Error);
}

TEST(SystemDialog, ChecksInOrder) {
    struct Case {
        const char* title;
        int nums, olap;
        const char* author;
        const char* descr;
        const char* combs;
        TSystemField field;
        const char* message;
    } cases[] = {
        {" ", 4, 9, "", "", "", TSystemField::Title, "Название системы должно быть указано обязательно!"},
        {"T", 5, 9, "", "", "", TSystemField::Nums, "Указано недопустимое количество используемых чисел!"},
        {"T", 51, 0, "A", "D", "x", TSystemField::Nums, "Указано недопустимое количество используемых чисел!"},
        {"T", 6, 5, "", "", "", TSystemField::Olap, "Указан недопустимый размер блока!"},
        {"T", 50, 4, " ", "", "", TSystemField::Author, "Имя автора должно быть указано обязательно!"},
        {"T", 6, 0, "A", "\r\n", "", TSystemField::Descr, "Описание системы должно быть указано обязательно!"},
        {"T", 6, 0, "A", "D", " ", TSystemField::Combs, "Содержимое системы должно быть указано обязательно!"},
    };
    for (const Case& c : cases) {
        try {
            CheckSystemInput(c.title, c.nums, c.olap, c.author, c.descr, c.combs);
            ADD_FAILURE() << c.message;
        } catch (const TSystemInputError& e) {
            EXPECT_EQ(e.Field, c.field);
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    EXPECT_NO_THROW(CheckSystemInput("T", 6, 0, "A", "D", "01 02 03 04 05"));
}

TEST(SystemDialog, TextFromAFileIsNormalisedAndChecked) {
    tSystemData d;
    d.Title = "T";
    d.Author = "A";
    d.Descr = "D";
    ApplySystemText(d, "1 2 3 4 5\r\n2,3,4,5,6\r\n");
    EXPECT_EQ(d.Nums, 6);
    EXPECT_EQ(d.CSize, 2);
    EXPECT_EQ(d.CList, "01 02 03 04 05\r\n02 03 04 05 06");
    // Indices 3..10 make Nums 8 by the span rule, but index 10 cannot be played over 8 numbers.
    for (const char* bad : {"3 4 5 6 7\r\n6 7 8 9 10", "1 1 2 3 4\r\n2 3 4 5 6", "1 2 3 4"}) {
        tSystemData e = d;
        EXPECT_THROW(ApplySystemText(e, bad), TSystemInputError) << bad;
        EXPECT_EQ(e, d);
    }
}

} // namespace
