// velmora-cli scripts-catalog against velmora-catalogd started on loopback: publish, list,
// download into the current script, replace, rate, hide, the ratings, delete, and the refusals.
#include "catalogd_process.h"

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

class CliScriptsCatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("velmora_cli_scripts_" + std::to_string(::getpid()) + "_" +
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

TEST_F(CliScriptsCatalogTest, PublishListDownloadRateAndDelete) {
    fs::create_directories(root / "srv");
    TCatalogdProcess server((root / "srv").string());
    const fs::path a = root / "a", b = root / "b";
    Configure(a, server, "ivan@example.org");
    Configure(b, server, "petr@example.org");
    const std::string script = "FULL:0#RAND| | | | | | | |первая\r\n\r\nCURR:0#NONE| | | | | | | |\r\n";
    std::ofstream(a / "Velmora_5x50.lss", std::ios::binary) << Utf8ToCp1251(script);
    std::ofstream(b / "Velmora_5x50.lss", std::ios::binary) << "old\r\n";

    // Publishing needs a title; then it prints the id.
    TRun r = Cli(a.string(), {"scripts-catalog", "publish", "--descr", "D"});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("Название сценария должно быть указано обязательно!"), std::string::npos) << r.Err;
    r = Cli(a.string(), {"scripts-catalog", "publish", "--title", "Ivan's", "--descr", "Описание"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    const std::string id = Trim(r.Out);
    ASSERT_GT(TryStrToInt(id).value_or(0), 0) << r.Out;
    r = Cli(b.string(), {"scripts-catalog", "publish", "--title", "IVAN'S"});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("Сценарий с таким названием уже существует!"), std::string::npos) << r.Err;

    r = Cli(b.string(), {"scripts-catalog", "list"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    std::vector<std::string> lines = SplitLines(r.Out);
    ASSERT_EQ(lines.size(), 1u);
    std::vector<std::string> cells = SplitAny(lines[0], "\t");
    ASSERT_EQ(cells.size(), 14u) << lines[0];
    EXPECT_EQ(cells[0], id);
    EXPECT_EQ(cells[1], "Общий");
    EXPECT_EQ(cells[2], "Ivan's");
    EXPECT_EQ(cells[3], "Иван");
    EXPECT_EQ(cells[4], "Velmora_5x50");
    EXPECT_EQ(cells[13], "Описание");

    // Download into b's current script, separators included.
    r = Cli(b.string(), {"scripts-catalog", "download", id});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Trim(r.Out), "3");
    EXPECT_EQ(Cp1251ToUtf8(ReadFileBytes((b / "Velmora_5x50.lss").string())), script);

    // Petr rates it 4, sees his rating, the ratings list holds his note; then he hides it.
    r = Cli(b.string(), {"scripts-catalog", "rate", id, "4", "--notes", "Годится"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    cells = SplitAny(SplitLines(Cli(b.string(), {"scripts-catalog", "list"}).Out).at(0), "\t");
    EXPECT_EQ(cells[10], "4");
    EXPECT_EQ(cells[11], "1");
    r = Cli(a.string(), {"scripts-catalog", "rates", id});
    ASSERT_EQ(r.Code, 0) << r.Err;
    cells = SplitAny(Trim(r.Out), "\t");
    ASSERT_EQ(cells.size(), 6u) << r.Out;
    EXPECT_EQ(cells[0], "Иван");  // the name petr's data folder gave
    EXPECT_EQ(cells[1], "4");
    EXPECT_EQ(cells[5], "Годится");
    EXPECT_EQ(Cli(b.string(), {"scripts-catalog", "rate", id, "7"}).Code, 1);
    ASSERT_EQ(Cli(b.string(), {"scripts-catalog", "hide", id}).Code, 0);
    EXPECT_EQ(Trim(Cli(b.string(), {"scripts-catalog", "list"}).Out), "");
    cells = SplitAny(SplitLines(Cli(b.string(), {"scripts-catalog", "list", "--filter", "-1"}).Out).at(0), "\t");
    EXPECT_EQ(cells[10], "Скрытый");

    // Only the author replaces or deletes.
    r = Cli(b.string(), {"scripts-catalog", "delete", id});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("только автору"), std::string::npos) << r.Err;
    r = Cli(a.string(), {"scripts-catalog", "replace", id, "--title", "Ivan's 2", "--universal"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Trim(r.Out), id);
    cells = SplitAny(SplitLines(Cli(a.string(), {"scripts-catalog", "list"}).Out).at(0), "\t");
    EXPECT_EQ(cells[2], "Ivan's 2");
    EXPECT_EQ(cells[4], "Универсальный");
    ASSERT_EQ(Cli(a.string(), {"scripts-catalog", "delete", id}).Code, 0);
    EXPECT_EQ(Trim(Cli(a.string(), {"scripts-catalog", "list", "--filter", "0"}).Out), "");

    // A refused request ends with the command's message.
    r = Cli(a.string(), {"scripts-catalog", "rate", id, "3"});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("Ошибка сохранения оценки online-сценария!"), std::string::npos) << r.Err;
    r = Cli(a.string(), {"scripts-catalog", "list", "--filter", "7"});
    EXPECT_EQ(r.Code, 1);
}

} // namespace
