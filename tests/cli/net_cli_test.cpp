// velmora-cli download and proxy, run as a program against the test results site on loopback.
#include "core/app/config.h"
#include "core/model/draws_archive.h"
#include "core/net/web_settings.h"
#include "core/util/ini.h"
#include "core/util/text.h"
#include "servers/draws_site.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora {
namespace {

using test::MakeDraw;

struct TRun {
    int Exit = -1;
    std::string Out, Err;
};

class NetCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = (std::filesystem::temp_directory_path() /
               ("velmora_netcli_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                  .string();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    TRun Cli(const std::string& args) {
        const std::string out = dir + "/out.txt", err = dir + "/err.txt";
        const std::string cmd = std::string("'") + VELMORA_CLI + "' --data-dir '" + dir + "' " + args + " >'" + out +
                                "' 2>'" + err + "'";
        const int status = std::system(cmd.c_str());
        TRun r;
        r.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.Out = ReadFileBytes(out);
        r.Err = ReadFileBytes(err);
        return r;
    }

    // Points the settings at the test site and trusts its CA.
    void UseSite(const test::TTestDrawsSite& s) {
        TIniFile ini(Ini());
        ini.WriteString(kSectionWeb, "DrawsSite", const_cast<test::TTestDrawsSite&>(s).BaseUrl());
        ini.WriteString(kSectionWeb, "CAFile", test::SharedTestCerts().CaFile);
        ini.Save();
    }
    std::string Ini() const { return dir + "/Velmora_5x50.ini"; }
    TDrawsArray Archive() const {
        TDrawsArchive a;
        a.FileName = dir + "/Velmora_5x50.ldr";
        a.LoadDraws();
        return a.Draws;
    }

    std::string dir;
};

TEST_F(NetCliTest, DownloadPrintsEveryYearAndTheTotal) {
    test::TTestDrawsSite site;
    site.Years[2012] = {MakeDraw("2012-03-02", {1, 2, 3, 4, 5}, {1, 2}), MakeDraw("2012-03-06", {6, 7, 8, 9, 10}, {3, 4})};
    site.Years[2014] = {MakeDraw("2014-07-01", {11, 22, 33, 44, 50}, {5, 6})};
    site.Start();
    UseSite(site);

    const TRun r = Cli("download");
    EXPECT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(r.Out.rfind("2012\t2\n2013\t0\n2014\t1\n2015\t0\n", 0), 0u) << r.Out;
    EXPECT_NE(r.Out.find("\nИтого\t3\n"), std::string::npos) << r.Out;
    EXPECT_EQ(Archive().size(), 3u);

    // Nothing new: the next run starts with the year of the day after the newest draw.
    const TRun again = Cli("download --from-year 2014");
    EXPECT_EQ(again.Exit, 0) << again.Err;
    EXPECT_EQ(again.Out.rfind("2014\t0\n2015\t0\n", 0), 0u) << again.Out;
    EXPECT_EQ(Archive().size(), 3u);
}

TEST_F(NetCliTest, FailedDownloadExitsWithTheMessageAndKeepsEarlierYears) {
    test::TTestDrawsSite site;
    site.Years[2012] = {MakeDraw("2012-03-02", {1, 2, 3, 4, 5}, {1, 2})};
    site.Years[2013] = {MakeDraw("2013-03-02", {1, 2, 3, 4, 5}, {1, 2}), MakeDraw("2013-03-05", {1, 2, 3, 4, 5}, {1, 2})};
    site.Broken = {2013};
    site.Start();
    UseSite(site);

    const TRun r = Cli("download");
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Out, "2012\t1\nИтого\t1\n");
    EXPECT_NE(r.Err.find("Ошибка загрузки архива тиражей с сайта: \"Не удалось найти пару идентификаторов"),
              std::string::npos)
        << r.Err;
    EXPECT_EQ(Archive().size(), 1u);
}

// The automatic proxy mode that finds no proxy fetched nothing: the command fails with the reason
// and reads no year.
TEST_F(NetCliTest, AutomaticProxyModeWithoutAProxyFails) {
    test::TTestDrawsSite site;
    site.Years[2012] = {MakeDraw("2012-03-02", {1, 2, 3, 4, 5}, {1, 2})};
    site.ProxyListFails = true;
    site.Start();
    UseSite(site);
    TIniFile ini(Ini());
    ini.WriteString(kSectionWeb, "ProxyListUrl", site.ProxyListUrl());
    ini.WriteInteger(kSectionProxy, "ProxyMode", 1);
    ini.Save();

    const TRun r = Cli("download");
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Out, "Итого\t0\n");
    EXPECT_NE(r.Err.find("Не удалось подобрать proxy-сервер"), std::string::npos) << r.Err;
    EXPECT_TRUE(site.YearRequests().empty());
}

TEST_F(NetCliTest, DownloadRefusesAServerItCannotTrust) {
    test::TTestDrawsSite site(test::OtherTestCerts());
    site.Start();
    UseSite(site);
    const TRun r = Cli("download");
    EXPECT_EQ(r.Exit, 1);
    EXPECT_NE(r.Err.find("Сертификат сервера 127.0.0.1"), std::string::npos) << r.Err;
    EXPECT_TRUE(site.YearRequests().empty());
}

TEST_F(NetCliTest, ProxyPrintsAndChangesTheSection) {
    TRun r = Cli("proxy");
    EXPECT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(r.Out, "ProxyMode=0\nProxyServer=\nProxyPort=80\nProxyUsername=\nProxyPassword=\n");

    r = Cli("proxy --mode 2 --server proxy.local --port 3128 --user ivan --password 'pa ss'");
    EXPECT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(r.Out, "ProxyMode=2\nProxyServer=proxy.local\nProxyPort=3128\nProxyUsername=ivan\nProxyPassword=********\n");
    const TProxy p = LoadProxySettings(TIniFile(Ini()));
    EXPECT_EQ(p.Password, "pa ss");
    struct stat st {};
    ASSERT_EQ(::stat(Ini().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "a settings file with a password is readable by its owner only";

    // The automatic mode clears the stored server, port, user and password.
    r = Cli("proxy --mode 1");
    EXPECT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(r.Out, "ProxyMode=1\nProxyServer=\nProxyPort=0\nProxyUsername=\nProxyPassword=\n");

    for (const char* bad : {"proxy --mode 3", "proxy --mode 2 --port 70000", "proxy --port x"}) {
        r = Cli(bad);
        EXPECT_EQ(r.Exit, 1) << bad;
        EXPECT_FALSE(r.Err.empty()) << bad;
    }
}

} // namespace
} // namespace velmora
