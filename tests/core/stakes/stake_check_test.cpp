#include "core/stakes/stake_check.h"
#include "core/util/error.h"
#include "core/util/text.h"
#include "../temp_dir.h"
#include "../../test_draws.h"
#include "stake_test_util.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace velmora;
using namespace velmora::test;
namespace fs = std::filesystem;

namespace {

class StakeCheckTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        archive.Draws = TenDraws();  // draw k: k+30, k, k+40, k+10, k+20
        options.Config.Cost = 20000;
        options.Config.Profits = {{3, 105000}};
        options.Now = [] { return std::string("2026.01.02 03:04:05"); };
        options.AddRating = [this](const TStakeRecord& r) { rated.push_back(r.DrawNumber); };
        file = std::make_unique<TStakeFile>(Path("Velmora_5x50.lsk"));
        file->Open();
    }
    int Check(TProgressSink& sink = NullProgress()) { return CheckStakes(*file, archive, options, sink); }

    TDrawsArchive archive;
    TStakeCheckOptions options;
    std::unique_ptr<TStakeFile> file;
    std::vector<int> rated;
};

class RecordingSink : public TProgressSink {
public:
    void Status(const std::string& text) override { statuses.push_back(text); }
    bool StopRequested() override { return ++polls >= stopAfter; }
    std::vector<std::string> statuses;
    int polls = 0, stopAfter = 1 << 30;
};

} // namespace

TEST_F(StakeCheckTest, ChecksOnceTheDrawArrives) {
    // Draw 3 is 33, 3, 43, 13, 23: the stake matches 3, 13 and 43.
    file->AppendStakes(Stake(3, {1, 2, 3, 13, 43}), 1);
    file->AppendStakes(Stake(11, {1, 2, 11, 31, 41}), 1);  // not in the archive yet
    EXPECT_EQ(Check(), 1);
    TStakeRecord r = file->ReadStake(TStakeOrigin::Begin, 0);
    EXPECT_EQ(r.Checked, 1);
    EXPECT_EQ(std::vector<int>(r.DrawNumbers, r.DrawNumbers + 5), (std::vector<int>{33, 3, 43, 13, 23}));
    EXPECT_EQ(r.Matched.Count, 3);
    EXPECT_EQ(std::vector<int>(r.Matched.Numbers, r.Matched.Numbers + 3), (std::vector<int>{3, 13, 43}));
    EXPECT_EQ(r.Profit, 85000);
    EXPECT_EQ(StakeGridCells(r)[scProfit], "8,50");
    EXPECT_EQ(file->ReadStake(TStakeOrigin::Begin, 1).Checked, 0);
    EXPECT_EQ(Check(), 0);  // nothing new

    archive.Draws.push_back(MakeDraw(11, {11, 31, 41, 21, 50}));
    EXPECT_EQ(Check(), 1);
    r = file->ReadStake(TStakeOrigin::Begin, 1);
    EXPECT_EQ(r.Matched.Count, 3);
    EXPECT_EQ(r.Profit, 85000);
    EXPECT_EQ(rated, (std::vector<int>{3, 11}));

    // Reopened, the checks are on disk.
    file->Close();
    file->OpenReadOnly();
    EXPECT_EQ(file->ReadStake(TStakeOrigin::Begin, 1).Checked, 1);
}

TEST_F(StakeCheckTest, OnlyEligibleRecords) {
    TStakeRecord four = Stake(2);
    four.Numbers.Count = 4;
    file->AppendStakes(four, 1);
    file->AppendSeparatorIfNeeded();
    file->AppendStakes(Stake(0), 1);       // no draw number
    file->AppendStakes(Stake(5, {5, 15, 25, 35, 45}), 1);  // all five match
    EXPECT_EQ(Check(), 1);
    EXPECT_EQ(file->ReadStake(TStakeOrigin::End, -1).Matched.Count, 5);
    EXPECT_EQ(file->ReadStake(TStakeOrigin::End, -1).Profit, -20000);  // no prize for 5 in the table
    EXPECT_EQ(file->ReadStake(TStakeOrigin::Begin, 0).Checked, 0);
    EXPECT_EQ(file->ReadStake(TStakeOrigin::Begin, 1), SeparatorRecord());
}

TEST_F(StakeCheckTest, SixNumbersCostSixStakes) {
    TStakeRecord r = Stake(1, {1, 11, 21, 2, 3});
    r.Numbers.Count = 6;
    r.Numbers.Numbers[5] = 31;
    file->AppendStakes(r, 1);
    EXPECT_EQ(Check(), 1);
    const TStakeRecord c = file->ReadStake(TStakeOrigin::Begin, 0);
    EXPECT_EQ(c.Matched.Count, 4);  // 1, 11, 21, 31
    EXPECT_EQ(c.Profit, -120000);   // no prize for 4
}

TEST_F(StakeCheckTest, NotOpen) {
    file->Close();
    try {
        Check();
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Ошибка проверки ставок!\r\rФайл ставок не открыт!");
    }
}

TEST_F(StakeCheckTest, ProgressAndStop) {
    for (int d = 1; d <= 10; ++d) file->AppendStakes(Stake(d), 1);
    RecordingSink sink;
    EXPECT_EQ(Check(sink), 10);
    ASSERT_GE(sink.statuses.size(), 3u);
    EXPECT_EQ(sink.statuses.front(), "Проверка результатов ставок...");
    EXPECT_EQ(sink.statuses[sink.statuses.size() - 2], "Проверка результатов ставок ( завершено 100 % )...");
    EXPECT_EQ(sink.statuses.back(), "");

    for (int d = 1; d <= 10; ++d) file->AppendStakes(Stake(d), 1);
    RecordingSink stopper;
    stopper.stopAfter = 3;
    EXPECT_EQ(Check(stopper), 3);
    EXPECT_EQ(Check(), 7);
}

TEST_F(StakeCheckTest, Logs) {
    options.LogEnabled = true;
    file->AppendStakes(Stake(3, {1, 2, 3, 13, 43}), 1);
    file->AppendStakes(Stake(4, {1, 2, 3, 5, 6}), 1);
    EXPECT_EQ(Check(), 2);
    const std::string log3 = Path("Velmora_5x50-3.log");
    EXPECT_EQ(Cp1251ToUtf8(ReadFileBytes(log3)),
              "2026.01.02 03:04:05: Тираж № 3. Ставка: \"c3\" [1;2;3;13;43] {0}. Результаты тиража: [33;3;43;13;23]. "
              "Совпадений: 3. Профит: 8,50.\r\n");
    EXPECT_TRUE(fs::exists(Path("Velmora_5x50-0.log")));
    EXPECT_EQ(FindStakeLogs(file->FileName()).size(), 2u);

    // A log over 256 MiB is started afresh.
    fs::resize_file(log3, kStakeLogLimit + 1);
    file->AppendStakes(Stake(3, {1, 2, 3, 13, 43}), 1);
    EXPECT_EQ(Check(), 1);
    EXPECT_EQ(Cp1251ToUtf8(ReadFileBytes(log3)).rfind("2026.01.02 03:04:05: Тираж № 3.", 0), 0u);
    EXPECT_LT(fs::file_size(log3), 200u);

    EXPECT_EQ(DeleteStakeLogs(file->FileName()), 2);
    EXPECT_EQ(DeleteStakeLogs(file->FileName()), 0);
    EXPECT_TRUE(fs::exists(file->FileName()));
}

TEST_F(StakeCheckTest, LogThatCannotBeWritten) {
    options.LogEnabled = true;
    fs::create_directory(Path("Velmora_5x50-3.log"));
    file->AppendStakes(Stake(3, {1, 2, 3, 13, 43}), 1);
    try {
        Check();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ошибка проверки ставок!\r\rОшибка записи в файл \"" + Path("Velmora_5x50-3.log"), 0), 0u);
    }
    EXPECT_EQ(file->ReadStake(TStakeOrigin::Begin, 0).Checked, 1);  // the stake itself was checked
}

TEST_F(StakeCheckTest, DrawGraph) {
    EXPECT_THROW(MakeStakeDrawGraph(StakeDrawProfits(*file)), Error);
    TStakeRecord a = CheckedStake(5, 3);
    a.Profit = 85000;
    file->WriteStakeAt(TStakeOrigin::End, 0, a);
    file->AppendStakes(Stake(6), 1);  // -2.00
    file->AppendSeparatorIfNeeded();
    file->AppendStakes(Stake(5), 1);  // -2.00 more for draw 5
    const auto profits = StakeDrawProfits(*file);
    ASSERT_EQ(profits.size(), 2u);
    EXPECT_EQ(profits[0].DrawNo, 5);
    EXPECT_EQ(profits[0].Profit, 65000);
    EXPECT_EQ(profits[1].DrawNo, 6);
    EXPECT_EQ(profits[1].Profit, -20000);
    const auto g = MakeStakeDrawGraph(profits);
    EXPECT_EQ(g.Draws, (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(g.Totals, (std::vector<double>{6.5, -2.0}));
    EXPECT_EQ(g.Cumulative, (std::vector<double>{6.5, 4.5}));
    EXPECT_DOUBLE_EQ(g.Average, 2.25);
}

TEST_F(StakeCheckTest, CommentPoints) {
    EXPECT_THROW(StakeCommentPoints(*file, {"c1"}, false), Error);
    for (int d = 1; d <= 3; ++d) {
        TStakeRecord r = CheckedStake(d, d);
        r.Profit = d * 10000;
        file->WriteStakeAt(TStakeOrigin::End, 0, r);
    }
    EXPECT_THROW(StakeCommentPoints(*file, {}, false), Error);
    const auto points = StakeCommentPoints(*file, {"C2", "c3"}, true);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].DrawNumber, 2);
    EXPECT_EQ(points[0].Comment, "c2");
    EXPECT_EQ(points[0].Value, 2.0);
    // Only the last two draws: draw 1 is left out.
    EXPECT_EQ(StakeCommentPoints(*file, {"c1", "c2", "c3"}, false, 2).size(), 2u);
    try {
        StakeCommentPoints(*file, {"c1"}, false, 1);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), kStakeGraphTooFewDraws);
    }
}
