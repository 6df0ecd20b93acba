// The data-folder lock of the commands that write data files, and the checks of the data folder:
// an existing folder, no export over its data files, no temporary files left by killed writes.
#include "core/app/command_line.h"
#include "core/model/data_folder.h"
#include "core/model/draws_csv.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

// The data folder is a fresh folder for each test.
class DataFolder : public test::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        saved_ = DataDir();
        DataDir() = dir.string();
    }
    void TearDown() override {
        DataDir() = saved_;
        TempDirTest::TearDown();
    }

private:
    std::string saved_;
};

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

} // namespace

// A writer waits while another program holds the folder and refuses with a clear message when
// the holder does not let go; when it does within the wait, the writer goes on.
TEST_F(DataFolder, WritersWaitForTheLockThenRefuse) {
    TDataLock holder;
    ASSERT_TRUE(holder.Acquire(DataLockFile())) << holder.Message();
    TDataLock writer;
    const std::string message = MessageOf([&] { LockDataFolder(writer, 300); });
    EXPECT_EQ(message.rfind("Не удалось получить монопольный доступ к папке данных \"" + dir.string() + "\"!\r\r", 0), 0u)
        << message;
    EXPECT_TRUE(writer.Busy());
    EXPECT_FALSE(writer.Held());

    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        holder.Release();
    });
    EXPECT_NO_THROW(LockDataFolder(writer, 60000));
    release.join();
    EXPECT_TRUE(writer.Held());
    TDataLock second;
    EXPECT_FALSE(second.Acquire(DataLockFile()));
}

TEST_F(DataFolder, LockingRemovesStaleTemporaryFiles) {
    fs::create_directories(dir / "Prefetchs");
    for (const char* n : {"Velmora_5x50.ldr.q1W2e3", "Prefetchs/Velmora_5x50_SUMS.dfc.R4t5Y6", "user.csv.Ab12Cd"})
        std::ofstream(dir / n) << "partial";
    TDataLock lock;
    LockDataFolder(lock);
    EXPECT_FALSE(fs::exists(dir / "Velmora_5x50.ldr.q1W2e3"));
    EXPECT_FALSE(fs::exists(dir / "Prefetchs/Velmora_5x50_SUMS.dfc.R4t5Y6"));
    EXPECT_TRUE(fs::exists(dir / "user.csv.Ab12Cd"));  // not ours
}

TEST_F(DataFolder, DataFolderMustBeAFolder) {
    std::ofstream(dir / "file") << "x";
    EXPECT_NO_THROW(CheckDataDir(dir.string()));
    EXPECT_NE(MessageOf([&] { CheckDataDir((dir / "absent").string()); }).find("не найдена"), std::string::npos);
    EXPECT_NE(MessageOf([&] { CheckDataDir((dir / "file").string()); }).find("не является папкой"), std::string::npos);
}

TEST_F(DataFolder, ExportNeverReplacesADataFile) {
    fs::create_directories(dir / "Prefetchs");
    fs::create_directories(dir / "other");
    for (const char* n : {"Velmora_5x50.ldr", "Velmora_5x50.ini", "Prefetchs/Velmora_5x50_SUMS.dfc"})
        std::ofstream(dir / n) << "data";
    fs::create_symlink(dir / "Velmora_5x50.ldr", dir / "other" / "link.csv");
    fs::create_hard_link(dir / "Velmora_5x50.ldr", dir / "other" / "hard.csv");
    struct Case {
        std::string path;
        bool data;
    };
    const std::vector<Case> cases = {
        {(dir / "Velmora_5x50.ldr").string(), true},
        {(dir / "other" / ".." / "Velmora_5x50.ldr").string(), true},
        {(dir / "Velmora_5x50.ini").string(), true},
        {(dir / "Velmora_5x50.lsk").string(), true},  // not there yet, still the stakes file's name
        {(dir / "Velmora_5x50-3.log").string(), true},
        {(dir / "Velmora_5x50_ENU.lng").string(), true},
        {(dir / "Prefetchs" / "Velmora_5x50_SUMS.dfc").string(), true},
        {(dir / "Prefetchs" / "new.csv").string(), true},
        {(dir / "other" / "link.csv").string(), true},
        {(dir / "other" / "hard.csv").string(), true},
        {(dir / "Velmora_5x50.csv").string(), false},
        {(dir / "draws.csv").string(), false},
        {(dir / "other" / "Velmora_5x50.ldr").string(), false},
    };
    TDrawsArchive a;
    a.Draws.resize(1);
    for (const auto& c : cases) {
        EXPECT_EQ(IsDataFolderFile(c.path), c.data) << c.path;
        if (c.data) {
            EXPECT_THROW(ExportDrawsCsv(a, c.path), Error) << c.path;
        }
    }
    EXPECT_EQ(ReadFileBytes((dir / "Velmora_5x50.ldr").string()), "data");
    EXPECT_NO_THROW(ExportDrawsCsv(a, (dir / "draws.csv").string()));
}
