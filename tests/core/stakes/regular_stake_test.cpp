#include "core/stakes/regular_stake.h"
#include "core/util/error.h"
#include "core/util/text.h"
#include "../temp_dir.h"
#include "../../test_draws.h"
#include "stake_test_util.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace velmora;
using namespace velmora::test;
namespace fs = std::filesystem;

namespace {

TRegularStake Regular(const std::string& comment, TCombination start, int step, bool lastDraw = false) {
    TRegularStake r;
    r.SetCommentText(comment);
    r.UseLastDraw = lastDraw ? 1 : 0;
    r.StartComb = start;
    r.CurrentComb = start;
    r.Step = step;
    return r;
}

std::string Bytes(const TRegularStake& r) {
    std::string b(kRegularStakeSize, '\0');
    WriteRegularStake(r, reinterpret_cast<unsigned char*>(b.data()));
    return b;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class RegularStakeTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        archive.Draws = TenDraws();  // draw k: k+30, k, k+40, k+10, k+20
        config.Cost = 20000;
        file = Path("Velmora_5x50.ltb");
    }
    TDrawsArchive archive;
    TConfigData config;
    std::string file;
};

class StopAfter : public TProgressSink {
public:
    explicit StopAfter(int polls) : left_(polls) {}
    bool StopRequested() override { return left_-- <= 0; }

private:
    int left_;
};

} // namespace

// ---- the next combination ----------------------------------------------------------------------

struct NextCase {
    const char* name;
    TCombination start;
    int step;
    bool lastDraw;
    int offset;
    std::vector<std::string> expected;  // successive CurrentComb texts
};

class RegularNextTest : public RegularStakeTest, public ::testing::WithParamInterface<NextCase> {};

TEST_P(RegularNextTest, ShiftsWrapsAndSorts) {
    const NextCase& c = GetParam();
    TRegularStake r = Regular("R", c.start, c.step, c.lastDraw);
    for (size_t i = 0; i < c.expected.size(); ++i) {
        const TCombination got = NextRegularCombination(r, archive, c.offset);
        EXPECT_EQ(CombToText(got), c.expected[i]) << c.name << " stake " << i + 1;
        EXPECT_EQ(r.CurrentComb, got);
        EXPECT_EQ(r.StakesMade, int(i + 1));
        EXPECT_EQ(r.StartComb, c.start) << "the start combination never moves";
    }
}


INSTANTIATE_TEST_SUITE_P(
    Cases, RegularNextTest,
    ::testing::Values(
        NextCase{"step1", {1, 2, 3, 4, 5}, 1, false, 0, {CombToText({2, 3, 4, 5, 6}), CombToText({3, 4, 5, 6, 7})}},
        NextCase{"stepMinus1", {1, 2, 3, 4, 5}, -1, false, 0, {CombToText({1, 2, 3, 4, 50}), CombToText({1, 2, 3, 49, 50})}},
        NextCase{"step0", {7, 8, 9, 10, 11}, 0, false, 0, {CombToText({7, 8, 9, 10, 11}), CombToText({7, 8, 9, 10, 11})}},
        NextCase{"step50", {1, 20, 30, 49, 50}, 50, false, 0, {CombToText({1, 20, 30, 49, 50})}},
        NextCase{"stepMinus50", {1, 20, 30, 49, 50}, -50, false, 0, {CombToText({1, 20, 30, 49, 50})}},
        NextCase{"step49", {1, 2, 3, 4, 50}, 49, false, 0, {CombToText({1, 2, 3, 49, 50})}},
        // Draw 10 (offset 0) is 40 10 50 20 30; draw 8 (offset 2) is 38 8 48 18 28.
        NextCase{"lastDrawStep0", {}, 0, true, 0, {CombToText({10, 20, 30, 40, 50}), CombToText({10, 20, 30, 40, 50})}},
        NextCase{"lastDrawStep1", {}, 1, true, 2, {CombToText({9, 19, 29, 39, 49})}},
        NextCase{"lastDrawWraps", {}, 1, true, 0, {CombToText({1, 11, 21, 31, 41})}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegularStakeTest, LastDrawWithStepZeroStakesThePreviousDrawForTheNextDrawNumber) {
    TRegularStake r = Regular("Прошлый тираж", {}, 0, true);
    NextRegularCombination(r, archive, 3);  // draw 7: 37 7 47 17 27
    const TStakeRecord s = RegularStakeRecord(r, archive, 3, 123, config);
    EXPECT_EQ(s.DrawNumber, 8);
    EXPECT_EQ(NumberSetToText(s.Numbers, ";"), "7;17;27;37;47");
    EXPECT_EQ(s.Kind, skRegular);
    EXPECT_EQ(s.Version, 2);
    EXPECT_EQ(s.Checked, 0);
    EXPECT_EQ(s.Sample, 123);
    EXPECT_EQ(s.Matched.Count, -1);
    EXPECT_EQ(s.Profit, -20000);
    EXPECT_EQ(s.CommentText(), "Прошлый тираж");
}

TEST_F(RegularStakeTest, LastDrawWithoutADrawIsRefusedAndNothingMoves) {
    TDrawsArchive empty;
    TRegularStake r = Regular("R", {}, 1, true);
    EXPECT_THROW(NextRegularCombination(r, empty, 0), Error);
    EXPECT_EQ(r.StakesMade, 0);
    EXPECT_EQ(r.CurrentComb, (TCombination{}));
}

// ---- the file ----------------------------------------------------------------------------------

TEST_F(RegularStakeTest, RecordBytesFieldByField) {
    TRegularStake r = Regular("AB", {1, 2, 3, 49, 50}, -7, true);
    r.CurrentComb = {5, 6, 7, 8, 9};
    r.StakesMade = 0x01020304;
    const std::string b = Bytes(r);
    ASSERT_EQ(b.size(), 276u);
    std::string expected(276, '\0');
    expected[0] = 2;
    expected[1] = 'A';
    expected[2] = 'B';
    expected[256] = 1;
    const char start[] = {1, 2, 3, 49, 50}, current[] = {5, 6, 7, 8, 9};
    std::memcpy(&expected[257], start, 5);
    std::memcpy(&expected[262], current, 5);
    const unsigned char step[] = {0xF9, 0xFF, 0xFF, 0xFF}, made[] = {4, 3, 2, 1};
    std::memcpy(&expected[268], step, 4);
    std::memcpy(&expected[272], made, 4);
    EXPECT_EQ(b, expected);
    TRegularStake back;
    ASSERT_TRUE(ReadRegularStake(reinterpret_cast<const unsigned char*>(b.data()), back));
    EXPECT_EQ(back, r);
}

TEST_F(RegularStakeTest, SaveAndLoadKeepTheListAndItsOrder) {
    TRegularStakes list = {Regular("Первая", {1, 2, 3, 4, 5}, 1), Regular("Вторая", {}, -50, true),
                           Regular("Третья", {10, 20, 30, 40, 50}, 0)};
    SaveRegularStakes(file, list);
    EXPECT_EQ(fs::file_size(file), 3 * 276u);
    const TRegularLoad load = LoadRegularStakes(file);
    EXPECT_TRUE(load.DamagedRows.empty());
    ASSERT_EQ(load.Stakes.size(), 3u);
    EXPECT_EQ(load.Stakes, list);
    EXPECT_EQ(load.Stakes[0].CommentText(), "Первая");
}

TEST_F(RegularStakeTest, MissingFileIsAnEmptyList) {
    const TRegularLoad load = LoadRegularStakes(file);
    EXPECT_TRUE(load.Stakes.empty());
    EXPECT_TRUE(load.DamagedRows.empty());
}

TEST_F(RegularStakeTest, SaveFailureNamesTheFileError) {
    try {
        SaveRegularStakes(Path("no/such/folder/Velmora_5x50.ltb"), {Regular("R", {1, 2, 3, 4, 5}, 1)});
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ошибка записи в файл регулярных ставок!\r\r", 0), 0u) << e.what();
    }
}

struct DamageCase {
    const char* name;
    size_t offset;  // byte of the second record to change (-1: a tail of ten bytes instead)
    std::string bytes;
};

class RegularDamageTest : public RegularStakeTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(RegularDamageTest, WholeRecordsKeptDamagedOnesReportedFileUntouched) {
    const DamageCase& c = GetParam();
    std::string data = Bytes(Regular("A", {1, 2, 3, 4, 5}, 1)) + Bytes(Regular("B", {6, 7, 8, 9, 10}, 2)) +
                       Bytes(Regular("C", {11, 12, 13, 14, 15}, 3));
    std::vector<int> expectedRows = {2};
    std::vector<std::string> kept = {"A", "C"};
    if (c.offset == size_t(-1)) {
        data += std::string(10, '\x01');
        expectedRows = {4};
        kept = {"A", "B", "C"};
    } else {
        data.replace(276 + c.offset, c.bytes.size(), c.bytes);
    }
    WriteBytes(file, data);
    const TRegularLoad load = LoadRegularStakes(file);
    EXPECT_EQ(load.DamagedRows, expectedRows) << c.name;
    std::vector<std::string> comments;
    for (const TRegularStake& r : load.Stakes) comments.push_back(r.CommentText());
    EXPECT_EQ(comments, kept) << c.name;
    EXPECT_EQ(FileBytes(file), data) << "loading never rewrites the file";
    const std::string message = RegularDamageMessage(file, load.DamagedRows);
    EXPECT_NE(message.find(IntToStr(expectedRows.front())), std::string::npos) << message;
    EXPECT_NE(message.find(file), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegularDamageTest,
    ::testing::Values(DamageCase{"tail", size_t(-1), ""},
                      DamageCase{"number51", 257 + 2, std::string(1, char(51))},
                      DamageCase{"number0", 262, std::string(1, '\0')},
                      DamageCase{"repeated", 262 + 1, std::string(1, char(6))},
                      DamageCase{"step51", 268, std::string("\x33\0\0\0", 4)},
                      DamageCase{"stepMinus51", 268, std::string("\xCD\xFF\xFF\xFF", 4)},
                      DamageCase{"useLastDraw2", 256, std::string(1, char(2))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegularStakeTest, StepsAtTheEdgesAndZeroAreLegal) {
    for (int step : {-50, 0, 50}) {
        const std::string b = Bytes(Regular("R", {1, 2, 3, 4, 5}, step));
        TRegularStake r;
        EXPECT_TRUE(ReadRegularStake(reinterpret_cast<const unsigned char*>(b.data()), r)) << step;
        EXPECT_EQ(r.Step, step);
    }
    // A regular of the previous draw has no combination before its first stake.
    const std::string b = Bytes(Regular("R", {}, 1, true));
    TRegularStake r;
    EXPECT_TRUE(ReadRegularStake(reinterpret_cast<const unsigned char*>(b.data()), r));
    EXPECT_EQ(RegularListCells(r)[1], "");
}

TEST_F(RegularStakeTest, DeleteOutOfRangeNamesTheIndex) {
    TRegularStakes list = {Regular("A", {1, 2, 3, 4, 5}, 1), Regular("B", {1, 2, 3, 4, 5}, 1)};
    try {
        DeleteRegularStake(list, 2);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Запись со индексом 2 в файле данных не найдена!");
    }
    EXPECT_THROW(DeleteRegularStake(list, -1), Error);
    DeleteRegularStake(list, 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].CommentText(), "B");
}

TEST_F(RegularStakeTest, ListCells) {
    TRegularStake r = Regular("Моя", {1, 2, 3, 4, 5}, -3);
    r.CurrentComb = {4, 5, 6, 49, 50};
    r.StakesMade = 12;
    const auto cells = RegularListCells(r);
    EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.end()),
              (std::vector<std::string>{"Моя", "1;2;3;4;5", "-3", "4;5;6;49;50", "12"}));
}

// ---- the add dialog ----------------------------------------------------------------------------

struct InputCase {
    const char* name;
    TRegularInput input;
    std::vector<int> positions;
    TRegularField field;
};

class RegularInputTest : public RegularStakeTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(RegularInputTest, RefusedOnTheFieldAtFault) {
    const InputCase& c = GetParam();
    const TRegularStakes existing = {Regular("Есть", {1, 2, 3, 4, 5}, 1), Regular("Тройка (2)", {1, 2, 3, 4, 5}, 1)};
    try {
        AcceptRegularInput(c.input, existing, c.positions);
        FAIL() << c.name;
    } catch (const TRegularInputError& e) {
        EXPECT_EQ(int(e.Field), int(c.field)) << c.name << ": " << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegularInputTest,
    ::testing::Values(
        InputCase{"fourNumbers", {"X", false, "1;2;3;4", 1}, {1}, TRegularField::Start},
        InputCase{"number51", {"X", false, "1;2;3;4;51", 1}, {1}, TRegularField::Start},
        InputCase{"repeated", {"X", false, "1;2;3;4;4", 1}, {1}, TRegularField::Start},
        InputCase{"badStartBeforeEmptyComment", {"", false, "x", 1}, {1}, TRegularField::Start},
        InputCase{"emptyComment", {"  ", false, "1;2;3;4;5", 1}, {1}, TRegularField::Comment},
        InputCase{"sameCommentOtherCase", {"ЕСТЬ", true, "", 1}, {}, TRegularField::Comment},
        InputCase{"madeCommentExists", {"Тройка", false, "", 1}, {1, 2, 3}, TRegularField::Comment},
        InputCase{"tooLong", {std::string(65, 'x'), true, "", 1}, {}, TRegularField::Comment},
        InputCase{"step51", {"X", true, "", 51}, {}, TRegularField::Step}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegularStakeTest, StartTextIsNotReadWithoutOneSelectedCombination) {
    // The field shows "{...Выделенные комбинации...}" then; with the previous draw it is disabled.
    EXPECT_NO_THROW(AcceptRegularInput({"X", false, "{...Выделенные комбинации...}", 1}, {}, {1, 2}));
    EXPECT_NO_THROW(AcceptRegularInput({"X", true, "garbage", 1}, {}, {1}));
}

TEST_F(RegularStakeTest, AcceptedStartIsSortedAndBecomesTheCurrentCombination) {
    const TRegularStake r = AcceptRegularInput({" Моя ", false, "5,1,9;3;7", -2}, {}, {4});
    EXPECT_EQ(r.CommentText(), "Моя");
    EXPECT_EQ(r.StartComb, (TCombination{1, 3, 5, 7, 9}));
    EXPECT_EQ(r.CurrentComb, r.StartComb);
    EXPECT_EQ(r.Step, -2);
    EXPECT_EQ(r.StakesMade, 0);
    const TRegularStakes made = NewRegularStakes(r, {{4, {9, 7, 5, 3, 1}}});
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].StartComb, (TCombination{1, 3, 5, 7, 9}));
}

TEST_F(RegularStakeTest, ThreeSelectedCombinationsMakeThreeRegularsNamedByPosition) {
    const TRegularStake r = AcceptRegularInput({"X", false, "{...Выделенные комбинации...}", 1}, {}, {3, 17, 40});
    const TRegularStakes made =
        NewRegularStakes(r, {{3, {5, 4, 3, 2, 1}}, {17, {10, 11, 12, 13, 14}}, {40, {46, 47, 48, 49, 50}}});
    ASSERT_EQ(made.size(), 3u);
    EXPECT_EQ(made[0].CommentText(), "X (3)");
    EXPECT_EQ(made[1].CommentText(), "X (17)");
    EXPECT_EQ(made[2].CommentText(), "X (40)");
    EXPECT_EQ(made[0].StartComb, (TCombination{1, 2, 3, 4, 5}));
    EXPECT_EQ(made[1].CurrentComb, (TCombination{10, 11, 12, 13, 14}));
    EXPECT_EQ(made[2].StakesMade, 0);
}

TEST_F(RegularStakeTest, AddWithoutSelectionMakesOneLastDrawRegularOrNothing) {
    const TRegularStake last = AcceptRegularInput({"L", true, "", 0}, {}, {});
    const TRegularStakes one = NewRegularStakes(last, {});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].UseLastDraw, 1);
    EXPECT_EQ(one[0].CommentText(), "L");
    const TRegularStake constant = AcceptRegularInput({"C", false, "{...Выделенные комбинации...}", 1}, {}, {});
    EXPECT_TRUE(NewRegularStakes(constant, {}).empty());
}

// ---- the regular test --------------------------------------------------------------------------

TEST_F(RegularStakeTest, TestMakesAStakePerOffsetAndRegularAndRestoresTheOffset) {
    archive.SetDrawsOffset(1);
    TRegularStakes list = {Regular("A", {1, 2, 3, 4, 5}, 1), Regular("B", {}, 0, true), Regular("C", {1, 2, 3, 4, 5}, 5)};
    std::vector<TStakeRecord> made;
    const TRegularTestResult result = RunRegularTest(
        list, {0, 1}, 3, archive, 77, config, [&](const TStakeRecord& r) { made.push_back(r); return true; },
        NullProgress());
    EXPECT_EQ(result.Made, 6);
    EXPECT_EQ(result.OffsetsDone, 3);
    EXPECT_FALSE(result.Failed);
    EXPECT_EQ(archive.Offset(), 1);
    ASSERT_EQ(made.size(), 6u);
    // Offsets 3, 2, 1 are draws 7, 8, 9: the stakes are for draws 8, 9, 10.
    const std::vector<std::pair<int, std::string>> expected = {
        {8, "2;3;4;5;6"}, {8, "7;17;27;37;47"}, {9, "3;4;5;6;7"}, {9, "8;18;28;38;48"}, {10, "4;5;6;7;8"},
        {10, "9;19;29;39;49"}};
    for (size_t i = 0; i < made.size(); ++i) {
        EXPECT_EQ(made[i].DrawNumber, expected[i].first) << i;
        EXPECT_EQ(NumberSetToText(made[i].Numbers, ";"), expected[i].second) << i;
        EXPECT_EQ(made[i].Kind, skRegular);
        EXPECT_EQ(made[i].Sample, 77);
    }
    EXPECT_EQ(list[0].StakesMade, 3);
    EXPECT_EQ(list[0].CurrentComb, (TCombination{4, 5, 6, 7, 8}));
    EXPECT_EQ(list[1].StakesMade, 3);
    EXPECT_EQ(list[2].StakesMade, 0) << "a regular not selected stays";
}

TEST_F(RegularStakeTest, FailedAppendEndsBothLoopsKeepingTheRegularsAdvancedSoFar) {
    archive.SetDrawsOffset(0);
    TRegularStakes list = {Regular("A", {1, 2, 3, 4, 5}, 1), Regular("B", {10, 11, 12, 13, 14}, 1)};
    int calls = 0;
    // The fourth append (offset 2, regular B) fails.
    const TRegularTestResult result = RunRegularTest(
        list, {0, 1}, 3, archive, 0, config, [&](const TStakeRecord&) { return ++calls < 4; }, NullProgress());
    EXPECT_TRUE(result.Failed);
    EXPECT_EQ(result.Made, 3);
    EXPECT_EQ(calls, 4) << "nothing is appended after the failure";
    EXPECT_EQ(archive.Offset(), 0);
    EXPECT_EQ(list[0].StakesMade, 2);
    EXPECT_EQ(list[0].CurrentComb, (TCombination{3, 4, 5, 6, 7}));
    // B's second stake was not made: B stays at its first.
    EXPECT_EQ(list[1].StakesMade, 1);
    EXPECT_EQ(list[1].CurrentComb, (TCombination{11, 12, 13, 14, 15}));
}

TEST_F(RegularStakeTest, StopBetweenOffsetsAndErrorsStillRestoreTheOffset) {
    archive.SetDrawsOffset(4);
    TRegularStakes list = {Regular("A", {1, 2, 3, 4, 5}, 1)};
    int appended = 0;
    StopAfter stop(2);
    const TRegularTestResult result = RunRegularTest(
        list, {0}, 5, archive, 0, config, [&](const TStakeRecord&) { return ++appended > 0; }, stop);
    EXPECT_TRUE(result.Stopped);
    EXPECT_EQ(result.OffsetsDone, 2);
    EXPECT_EQ(appended, 2);
    EXPECT_EQ(archive.Offset(), 4);
    EXPECT_THROW(RunRegularTest(list, {0}, 2, archive, 0, config,
                                [](const TStakeRecord&) -> bool { throw Error("disk full"); }, NullProgress()),
                 Error);
    EXPECT_EQ(archive.Offset(), 4);
    EXPECT_THROW(RunRegularTest(list, {0}, 10, archive, 0, config, [](const TStakeRecord&) { return true; },
                                NullProgress()),
                 Error) << "K is at most draws - 1";
    EXPECT_THROW(RunRegularTest(list, {1}, 1, archive, 0, config, [](const TStakeRecord&) { return true; },
                                NullProgress()),
                 Error);
}

TEST_F(RegularStakeTest, TestStakesGoIntoTheStakeFileForTheDrawsThatFollow) {
    TStakeFile stakes(Path("Velmora_5x50.lsk"));
    stakes.Open();
    TRegularStakes list = {Regular("A", {1, 2, 3, 4, 5}, 1)};
    RunRegularTest(
        list, {0}, 2, archive, 0, config,
        [&](const TStakeRecord& r) {
            stakes.AppendStakes(r, 1);
            return true;
        },
        NullProgress());
    EXPECT_EQ(DrawNumbersOf(stakes), (std::vector<int>{9, 10}));
}
