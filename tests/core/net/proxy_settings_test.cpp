#include "core/net/proxy_settings.h"
#include "core/util/error.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>

namespace velmora {
namespace {

TEST(ProxyChoiceTest, DialogRuleForEachMode) {
    struct TCase {
        int mode;
        TProxy expected;
    };
    const TCase cases[] = {
        {0, {0, "h", 3128, "u", "p", false}},
        {2, {2, "h", 3128, "u", "p", false}},
        {1, {1, "", 0, "", "", false}},  // the automatic search clears what was stored
        {5, {1, "", 0, "", "", false}},
    };
    for (const TCase& c : cases) {
        TProxy p{2, "old", 8080, "x", "y", true};
        SetProxyChoice(p, c.mode, "h", 3128, "u", "p");
        EXPECT_EQ(p, c.expected) << c.mode;
    }
    TProxy p;
    EXPECT_THROW(SetProxyChoice(p, 2, "h", 0, "", ""), Error);
    EXPECT_THROW(SetProxyChoice(p, 2, "h", 65536, "", ""), Error);
}

class ProxyFileTest : public test::TempDirTest {};

TEST_F(ProxyFileTest, FileWithAPasswordIsOwnerOnly) {
    const std::string path = Path("Velmora_5x50.ini");
    auto mode = [&] {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0);
        return st.st_mode & 0777;
    };
    {
        std::ofstream(path) << "[GLOBAL]\r\nMatrixCols=10\r\n";
    }
    ::chmod(path.c_str(), 0644);
    TConfigFile file(path);
    file.Load();
    TProxy p{2, "h", 3128, "u", "", false};
    SaveProxySettingsFile(file, p);
    EXPECT_EQ(mode(), 0644u) << "no password: the file keeps its permissions";
    EXPECT_TRUE(p.Saved);

    p.Password = "secret";
    SaveProxySettingsFile(file, p);
    EXPECT_EQ(mode(), 0600u);
    TConfigFile again(path);
    again.Load();
    EXPECT_EQ(LoadProxySettings(again.Ini()).Password, "secret");
    EXPECT_EQ(again.Ini().ReadInteger("GLOBAL", "MatrixCols", 0), 10) << "other sections are kept";

    // A settings file made by the first save of a password is never readable by others.
    const std::string fresh = Path("new.ini");
    TConfigFile newFile(fresh);
    SaveProxySettingsFile(newFile, p);
    struct stat st {};
    ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

} // namespace
} // namespace velmora
