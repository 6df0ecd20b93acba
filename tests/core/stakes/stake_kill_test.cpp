// A process killed while it appends, checks or deletes stakes leaves a file of whole records.
#include "core/stakes/rating_file.h"
#include "core/stakes/stake_check.h"
#include "core/util/text.h"
#include "../temp_dir.h"
#include "../../test_draws.h"
#include "stake_test_util.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// The child: appends stakes for one or three draws, checks them and now and then deletes the
// oldest records, until it is killed.
[[noreturn]] void Writer(const std::string& path, int readyFd) {
    try {
        TStakeFile f(path);
        f.Load();
        TDrawsArchive archive;
        archive.Draws = TenDraws();
        TStakeCheckOptions options;
        options.Config.Cost = 20000;
        options.Config.Profits = {{1, 50000}};
        const char ready = 1;
        if (::write(readyFd, &ready, 1) != 1) ::_exit(2);
        for (int i = 0;; ++i) {
            TStakeRecord r = Stake(i % 12 + 1);
            r.SetCommentText("kill");
            f.AppendStakes(r, i % 3 == 0 ? 3 : 1);
            if (i % 4 == 0) CheckStakes(f, archive, options, NullProgress());
            if (i % 7 == 0 && f.StakeCount() > 40) f.DeleteStakeRows(1, 20);
        }
    } catch (...) {
        ::_exit(3);
    }
}

} // namespace

TEST(StakeKill, FileHoldsWholeRecordsAfterAKill) {
    const auto dir = FreshTestDir();
    const std::string path = (dir / "Velmora_5x50.lsk").string();
    const TDrawsArray draws = TenDraws();
    std::mt19937 rng(17);
    int sawRecords = 0;
    for (int round = 0; round < 25; ++round) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            Writer(path, fds[1]);
        }
        ::close(fds[1]);
        char ready = 0;
        ASSERT_EQ(::read(fds[0], &ready, 1), 1) << "the writer did not start";
        ::close(fds[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 30000)(rng)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself: " << status;

        TStakeFile f(path);
        ASSERT_EQ(f.Load(), "") << "round " << round << ": the file looked damaged";
        EXPECT_FALSE(std::filesystem::exists(f.TempFileName()));
        f.ForEachStake([&](int i, const TStakeRecord& r) {
            SCOPED_TRACE("round " + std::to_string(round) + " record " + std::to_string(i));
            ASSERT_EQ(r.Version, 2);
            if (r.Kind == skSeparator) {
                EXPECT_EQ(r, SeparatorRecord());
                return;
            }
            const TStakeRecord fresh = Stake(r.DrawNumber);
            ASSERT_GE(r.DrawNumber, 1);
            EXPECT_EQ(r.CommentText(), "kill");
            EXPECT_TRUE(SameNumberSet(r.Numbers, fresh.Numbers));
            if (r.Checked) {
                const TDrawRecord& d = draws[size_t(r.DrawNumber - 1)];
                EXPECT_EQ(std::memcmp(r.DrawNumbers, d.Numbers, 5), 0);
                TNumberSet m;
                MatchedNumbers(d, r.Numbers, m);
                EXPECT_EQ(r.Matched.Count, m.Count);
                EXPECT_EQ(r.Profit, m.Count == 1 ? 30000 : -20000);
            }
            ++sawRecords;
        });
        f.Close();
    }
    EXPECT_GT(sawRecords, 0);
    std::filesystem::remove_all(dir);
}

namespace {

// The stake file and ratings file of the check below: four stakes of draws 2 and 3 under two
// comments, and ratings that already hold an entry of deleted stakes.
void WriteCheckFixture(const std::string& stakes, const std::string& ratings) {
    std::filesystem::remove(stakes);
    TStakeFile f(stakes);
    f.Open();
    for (int i = 0; i < 4; ++i) {
        TStakeRecord r = Stake(2 + i % 2, {1, 2, 3, 12, 13});
        r.SetCommentText(i < 3 ? "a" : "b");
        f.AppendStakes(r, 1);
    }
    f.Close();
    TRatingsArray old;
    TRatingRecord e;
    e.Comment = "old";
    e.Stakes = 5;
    e.ByMatches = {5, 0, 0, 0, 0, 0};
    old.push_back(e);
    SaveRatingsFile(ratings, old);
}

// Stakes counted per comment in the ratings file, and checked stakes in the stake file.
std::map<std::string, uint32_t> RatedStakes(const std::string& ratings) {
    TRatingsArray a;
    LoadRatingsFile(ratings, a);
    std::map<std::string, uint32_t> m;
    for (const auto& r : a) m[r.Comment] = r.Stakes;
    return m;
}

} // namespace

// A check killed at any step between its first checked stake and the ratings saved: at the next
// start the stakes marked checked and the stakes counted in the ratings agree, and after the next
// check every stake is counted exactly once.
TEST(StakeKill, ACheckKilledAtAnyStepCountsEveryStakeOnce) {
    const auto dir = FreshTestDir();
    const std::string stakes = (dir / "Velmora_5x50.lsk").string(), ratings = (dir / "Velmora_5x50.lrt").string();
    TDrawsArchive archive;
    archive.Draws = TenDraws();
    const std::map<std::string, uint32_t> all = {{"a", 3}, {"b", 1}, {"old", 5}};
    for (int step = 0; step <= 6; ++step) {
        SCOPED_TRACE("killed at step " + std::to_string(step));
        WriteCheckFixture(stakes, ratings);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                TStakeFile f(stakes);
                f.Load();
                f.CommitStepForTest = [step](int s) {
                    if (s == step) ::raise(SIGKILL);
                };
                TRatingsStore store(ratings);
                store.Load(NullProgress());
                TStakeCheckOptions options;
                int merged = 0;
                // Step 0: killed in the walk, after some stakes were merged in memory.
                options.AddRating = [&](const TStakeRecord&) {
                    if (step == 0 && ++merged == 2) ::raise(SIGKILL);
                };
                CheckStakesRated(f, archive, options, store, NullProgress());
            } catch (...) {
                ::_exit(3);
            }
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the check ended by itself: " << status;

        TStakeFile f(stakes);
        ASSERT_EQ(f.Load(), "");
        EXPECT_FALSE(std::filesystem::exists(f.JournalFileName()));
        std::map<std::string, uint32_t> checked = {{"old", 5}};
        f.ForEachStake([&](int, const TStakeRecord& r) {
            if (r.Checked) ++checked[r.CommentText()];
        });
        EXPECT_EQ(RatedStakes(ratings), checked);
        TRatingsStore store(ratings);
        store.Load(NullProgress());
        CheckStakesRated(f, archive, TStakeCheckOptions(), store, NullProgress());
        EXPECT_EQ(RatedStakes(ratings), all);
    }
    std::filesystem::remove_all(dir);
}
