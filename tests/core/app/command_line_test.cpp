#include "core/app/command_line.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;

TEST(CommandLine, WordMatchingRule) {
    struct Case {
        std::vector<std::string> args;  // args[0] is the program
        const char* word;
        bool expected;
    } cases[] = {
        {{"prog", "loadonly"}, "loadonly", true},
        {{"prog", "-LOADONLY"}, "loadonly", true},
        {{"prog", "--LoadOnly"}, "loadonly", true},
        {{"prog", "/loadonly"}, "loadonly", true},
        {{"prog", "\\loadonly"}, "loadonly", true},
        {{"prog", "--data-dir", "/x", "-no-language"}, "no-language", true},
        {{"prog", "---loadonly"}, "loadonly", false},
        {{"prog", "//loadonly"}, "loadonly", false},
        {{"prog", "loadonly2"}, "loadonly", false},
        {{"prog", "-load"}, "loadonly", false},
        {{"prog", "load only"}, "loadonly", false},
        {{"loadonly"}, "loadonly", false},  // the program's own name is not an argument
        {{"prog"}, "restart", false},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const auto& a : c.args) shown += a + " ";
        EXPECT_EQ(HasCommandLineWord(c.args, c.word), c.expected) << shown << "/ " << c.word;
    }
}

TEST(CommandLine, StartModes) {
    TStartMode m = ParseStartMode({"prog", "/LOADONLY", "-fullrefresh"});
    EXPECT_TRUE(m.LoadOnly);
    EXPECT_TRUE(m.FullRefresh);
    EXPECT_FALSE(m.FullRecreate);
    EXPECT_FALSE(m.Restart);
    EXPECT_TRUE(m.Batch());
    m = ParseStartMode({"prog", "restart", "no-language"});
    EXPECT_TRUE(m.Restart);
    EXPECT_TRUE(m.NoLanguage);
    EXPECT_FALSE(m.Batch());
    EXPECT_TRUE(ParseStartMode({"prog", "\\fullrecreate"}).Batch());
}

TEST(CommandLine, SecondLockOnTheSameFileFails) {
    const auto dir = std::filesystem::temp_directory_path() / ("velmora_lock_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "Velmora_5x50.lck").string();
    {
        TDataLock first;
        ASSERT_TRUE(first.Acquire(file)) << first.Message();
        EXPECT_TRUE(first.Held());
        TDataLock second;
        EXPECT_FALSE(second.Acquire(file));
        EXPECT_FALSE(second.Held());
        EXPECT_FALSE(second.Message().empty());
        first.Release();
        EXPECT_TRUE(second.Acquire(file)) << second.Message();
    }
    // Released with the object.
    TDataLock third;
    EXPECT_TRUE(third.Acquire(file));
    TDataLock nowhere;
    EXPECT_FALSE(nowhere.Acquire((dir / "absent" / "Velmora_5x50.lck").string()));
    EXPECT_FALSE(nowhere.Message().empty());
    third.Release();
    std::filesystem::remove_all(dir);
}

TEST(CommandLine, OtherProcessesByExecutableName) {
    // A copy of sleep under a name no other process has.
    const auto dir = std::filesystem::temp_directory_path() / ("velmora_proc_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string name = "vlm_sleeper_" + std::to_string(::getpid());
    const auto exe = dir / name;
    std::filesystem::copy_file("/bin/sleep", exe, std::filesystem::copy_options::overwrite_existing);
    EXPECT_FALSE(OtherProcessRunning(name));
    EXPECT_TRUE(WaitForOtherProcesses(name, 1, 1));

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl(exe.c_str(), name.c_str(), "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // The child runs the copy once exec is done; wait for that without a time limit of our own.
    while (!OtherProcessRunning(name)) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, WNOHANG), 0) << "the child ended before it ran";
        ::usleep(1000);
    }
    EXPECT_FALSE(WaitForOtherProcesses(name, 2, 1));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(OtherProcessRunning(name));
    EXPECT_TRUE(WaitForOtherProcesses(name, 1, 1));
    std::filesystem::remove_all(dir);
}
