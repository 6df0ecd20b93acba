// velmora-cli systems against velmora-catalogd started on loopback, and system play offline.
#include "catalogd_process.h"

#include "core/stakes/stake_file.h"
#include "core/util/text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace velmora;
using namespace velmora::test;
namespace fs = std::filesystem;

namespace {

struct TRun {
    int Code = -1;
    std::string Out, Err;
};

class CliSystemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("velmora_cli_systems_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "a");
        fs::create_directories(root / "b");
    }
    void TearDown() override { fs::remove_all(root); }

    // Runs velmora-cli with --data-dir DIR and the words.
    TRun Cli(const std::string& dataDir, std::vector<std::string> words) {
        words.insert(words.begin(), {VELMORA_CLI, "--data-dir", dataDir});
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        const std::string out = (root / "out.txt").string(), err = (root / "err.txt").string();
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&fa, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = -1;
        TRun r;
        if (posix_spawn(&pid, VELMORA_CLI, &fa, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            r.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&fa);
        r.Out = ReadFileBytes(out);
        r.Err = ReadFileBytes(err);
        return r;
    }
    // A data folder that talks to the server as the given user and machine-independent client.
    void Configure(const fs::path& dir, const TCatalogdProcess& server, const std::string& mail) {
        std::ofstream(dir / "Velmora_5x50.ini") << "[WEB]\r\nCatalogSite=" << server.BaseUrl() << "\r\nCAFile="
                                                 << server.CaFile() << "\r\n";
        const TRun r = Cli(dir.string(), {"systems", "user", "--name", "Иван", "--mail", mail});
        ASSERT_EQ(r.Code, 0) << r.Err;
    }
    std::string Write(const std::string& name, const std::string& text) {
        const fs::path p = root / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }

    fs::path root;
};

TEST_F(CliSystemsTest, PublishListDownloadDeleteThroughTheServer) {
    fs::create_directories(root / "srv");
    TCatalogdProcess server((root / "srv").string());
    const fs::path a = root / "a";
    Configure(a, server, "ivan@example.org");
    EXPECT_NE(Cli(a.string(), {"systems", "user", "--mail", "no mail"}).Code, 0);

    // An empty catalog says so; it is not an unreachable list.
    TRun empty = Cli(a.string(), {"systems", "list"});
    ASSERT_EQ(empty.Code, 0) << empty.Err;
    EXPECT_NE(empty.Out.find("\n-1\tВ каталоге пока нет ни одной системы\t"), std::string::npos) << empty.Out;

    // "systems put" normalises the text as the dialog does: 1,2,3,4,5 / 2 3 4 5 6 gives 6 numbers.
    const std::string sys = Write("six.txt", "1,2,3,4,5\r\n2 3 4 5 6\r\nnot a line\r\n");
    TRun r = Cli(a.string(), {"systems", "put", sys, "--title", "Шесть", "--descr", "Две комбинации", "--olap", "1"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    const std::string id = Trim(r.Out);
    EXPECT_EQ(TryStrToInt(id).value_or(0) > 0, true) << r.Out;

    r = Cli(a.string(), {"systems", "list"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    const std::vector<std::string> lines = SplitLines(r.Out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Id\tНазвание\tАвтор\tЧисла\tБлок\tКомбинаций\tДата создания\tСтатус\tЗагрузок\tПоследняя\t"
                        "Комментарии\tСсылка");
    const std::vector<std::string> cells = SplitAny(lines[1], "\t");
    ASSERT_EQ(cells.size(), 12u);
    EXPECT_EQ(cells[0], id);
    EXPECT_EQ(cells[1], "Шесть");
    EXPECT_EQ(cells[3], "06");
    EXPECT_EQ(cells[4], "1");
    EXPECT_EQ(cells[5], "2");
    EXPECT_EQ(cells[7], "");

    r = Cli(a.string(), {"systems", "download", id});
    ASSERT_EQ(r.Code, 0) << r.Err;
    const std::string file = (a / "Systems" / ("5-06-1_" + std::string(4 - id.size(), '0') + id + ".dat")).string();
    EXPECT_EQ(Trim(r.Out), file);
    EXPECT_EQ(ReadFileBytes(file), "01 02 03 04 05\r\n02 03 04 05 06\r\n");
    EXPECT_NE(Cli(a.string(), {"systems", "list"}).Out.find("\tЗагружена\t"), std::string::npos);
    EXPECT_EQ(Cli(a.string(), {"systems", "download", "999"}).Code, 1);

    // Somebody else may neither change nor delete it.
    const fs::path b = root / "b";
    Configure(b, server, "petr@example.org");
    r = Cli(b.string(), {"systems", "delete", id});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("Вы можете удалять только свои системы!"), std::string::npos);
    r = Cli(b.string(), {"systems", "put", sys, "--title", "Чужая", "--descr", "x", "--id", id});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("только ее автор"), std::string::npos) << r.Err;

    // The owner deletes it: the local file goes too.
    r = Cli(a.string(), {"systems", "delete", id});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(CliSystemsTest, PlayMakesStakesOrRefuses) {
    const fs::path a = root / "a";
    const std::string list = Write("list.lcv", "40;3;17;9;50\r\n1;22;31;8;44\r\n12;27;40;3;1\r\n");
    TRun r = Cli(a.string(), {"systems", "play", "--in", list, "--draw", "7"});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("Система для 12 чисел не найдена"), std::string::npos);
    EXPECT_FALSE(fs::exists(a / "Velmora_5x50.lsk") && fs::file_size(a / "Velmora_5x50.lsk") > 0);

    fs::create_directories(a / "Systems");
    struct Bad {
        const char* content;
        const char* reason;
    } bad[] = {{"01 02 03 04 13\r\n", "вне диапазона"}, {"01 02 x 04 05\r\n", "целым числом"}, {"", "пуст"}};
    for (const Bad& b : bad) {
        std::ofstream(a / "Systems" / "5-12-2_0045.dat", std::ios::binary) << b.content;
        r = Cli(a.string(), {"systems", "play", "--in", list, "--draw", "7"});
        EXPECT_EQ(r.Code, 1);
        EXPECT_NE(r.Err.find(b.reason), std::string::npos) << r.Err;
    }
    EXPECT_FALSE(fs::exists(a / "Velmora_5x50.lsk") && fs::file_size(a / "Velmora_5x50.lsk") > 0);

    std::ofstream(a / "Systems" / "5-12-2_0045.dat", std::ios::binary) << "01 02 03 04 06\r\n02 03 04 05 06\r\n";
    r = Cli(a.string(), {"systems", "play", "--in", list, "--draw", "7", "--filter"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "0\n");  // neither mapped combination is in the list
    r = Cli(a.string(), {"systems", "play", "--in", list, "--draw", "7"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "2\n");
    TStakeFile stakes((a / "Velmora_5x50.lsk").string());
    stakes.OpenReadOnly();
    ASSERT_EQ(stakes.StakeCount(), 2);
    const TStakeRecord first = stakes.ReadStake(TStakeOrigin::Begin, 0);
    EXPECT_EQ(NumberSetToText(first.Numbers, " "), "1 3 9 17 40");
    EXPECT_EQ(first.Kind, 4);
    EXPECT_EQ(first.DrawNumber, 7);
    EXPECT_EQ(first.CommentText(), "Системная игра для 12 чисел [вся система]: 5-12-2_0045");
}

} // namespace
