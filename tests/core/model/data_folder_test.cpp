// Where an unpacked and an installed program keep their data and their read-only files.
#include "core/app/languages.h"
#include "core/model/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(DataFolderPaths, UserDataDirFollowsTheXdgRule) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/x/data", "/home/u", "/x/data/Velmora_5x50"},
        {"/x/data/", "/home/u", "/x/data/Velmora_5x50"},
        {"", "/home/u", "/home/u/.local/share/Velmora_5x50"},
        {"relative/data", "/home/u", "/home/u/.local/share/Velmora_5x50"},
    };
    for (const Case& c : cases) EXPECT_EQ(UserDataDir(c.xdg, c.home), c.expected) << c.xdg;
}

TEST(DataFolderPaths, InstalledShareDirIsBesideTheBinFolder) {
    EXPECT_EQ(InstalledShareDir("/usr/bin"), "/usr/share/velmora");
    EXPECT_EQ(InstalledShareDir("/usr/bin/"), "/usr/share/velmora");
    EXPECT_EQ(InstalledShareDir("/opt/p/bin"), "/opt/p/share/velmora");
}

class DataFolderTree : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("velmora_datafolder_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "bin");
    }
    void TearDown() override {
        fs::permissions(root_ / "bin", fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root_);
    }
    static void Touch(const fs::path& p) { std::ofstream(p) << "x"; }
    fs::path root_;
};

TEST_F(DataFolderTree, WritableExecutableFolderIsTheDataFolderElseThePerUserOne) {
    const std::string bin = (root_ / "bin").string();
    EXPECT_EQ(DefaultDataDir(bin, "/x/data", "/home/u"), bin);
    EXPECT_EQ(DefaultDataDir((root_ / "gone").string(), "", "/home/u"), "/home/u/.local/share/Velmora_5x50");
    fs::permissions(root_ / "bin", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (::access(bin.c_str(), W_OK) == 0) GTEST_SKIP() << "running as a user who writes everywhere";
    EXPECT_EQ(DefaultDataDir(bin, "/x/data", "/home/u"), "/x/data/Velmora_5x50");
}

TEST_F(DataFolderTree, InstalledProgramKeepsItsDataInThePerUserFolderEvenWhereItCouldWrite) {
    // The share folder beside bin marks an installed program; root running /usr/bin/Velmora_5x50
    // can write /usr/bin but must not keep its data there.
    const std::string bin = (root_ / "bin").string();
    fs::create_directories(root_ / "share" / "velmora");
    ASSERT_EQ(::access(bin.c_str(), W_OK), 0);
    EXPECT_EQ(DefaultDataDir(bin, "/x/data", "/home/u"), "/x/data/Velmora_5x50");
    EXPECT_EQ(DefaultDataDir(bin, "", "/home/u"), "/home/u/.local/share/Velmora_5x50");
}

TEST_F(DataFolderTree, LanguageModulesBesideTheExecutableComeBeforeTheInstalledOnes) {
    const std::string bin = (root_ / "bin").string();
    const std::string beside = (root_ / "bin" / "Velmora_5x50").string();
    const std::string installed = (root_ / "share" / "velmora" / "Velmora_5x50").string();
    fs::create_directories(root_ / "share" / "velmora");
    EXPECT_EQ(DefaultLanguageModuleBase(bin), beside);  // none anywhere
    Touch(root_ / "share" / "velmora" / "Velmora_5x50_ENU.lng");
    EXPECT_EQ(DefaultLanguageModuleBase(bin), installed);
    Touch(root_ / "bin" / "Velmora_5x50_ENU.lng");
    EXPECT_EQ(DefaultLanguageModuleBase(bin), beside);
}

} // namespace
} // namespace velmora
