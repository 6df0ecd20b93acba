// The self-update: descriptor reading, build numbers, the description names, fetching, the
// signed package and the whole check with its messages, results and left files.
#include "core/update/self_update.h"

#include "core/util/ini.h"
#include "servers/test_server.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace velmora {
namespace {

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Shell(const std::string& command) {
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// A signing key made for the test program, and the signature of a file by it (Base64).
struct TTestKey {
    fs::path Dir, Private, Public;
    TTestKey() {
        Dir = fs::temp_directory_path() / ("velmora_update_key_" + std::to_string(::getpid()));
        fs::create_directories(Dir);
        Private = Dir / "test-only-signing.key";
        Public = Dir / "test-only-signing.pub";
        Shell("openssl genpkey -algorithm ed25519 -out " + Private.string() + " 2>/dev/null");
        Shell("openssl pkey -in " + Private.string() + " -pubout -out " + Public.string());
    }
    ~TTestKey() { fs::remove_all(Dir); }
    std::string PublicPem() const { return ReadFile(Public); }
    std::string Sign(const fs::path& file) const {
        const fs::path sig = Dir / "sig.bin", b64 = Dir / "sig.b64";
        Shell("openssl pkeyutl -sign -rawin -inkey " + Private.string() + " -in " + file.string() + " -out " + sig.string());
        Shell("base64 -w0 " + sig.string() + " > " + b64.string());
        return ReadFile(b64);
    }
};

const TTestKey& Key() {
    static TTestKey key;
    return key;
}

struct TRecordingHost : TUpdateHost {
    std::vector<std::pair<TKind, std::string>> Messages;
    bool Install = true;
    std::string ShownCurrent, ShownNew, ShownDescription;
    int Dialogs = 0, Begun = 0, Ended = 0;
    void Message(TKind kind, const std::string& text) override { Messages.emplace_back(kind, text); }
    bool AskInstall(const std::string& current, const std::string& newVersion, const std::string& description) override {
        ++Dialogs;
        ShownCurrent = current, ShownNew = newVersion, ShownDescription = description;
        return Install;
    }
    void ProgressBegin(const std::string&, int) override { ++Begun; }
    void ProgressEnd() override { ++Ended; }
    std::string AllMessages() const {
        std::string all;
        for (const auto& m : Messages) all += m.second + "\n";
        return all;
    }
};

TEST(UpdateRules, BuildNumber) {
    const struct {
        const char* version;
        int64_t build;
    } cases[] = {
        {"13.6.1.200", 200}, {"13.6.2.199", 199}, {"1,0-0_7", 7}, {"1.0.0. 42 ", 42},
        {"1.0.0", 0},        {"1.0.0.x", 0},      {"", 0},         {"1.0.0.5.9", 5},
    };
    for (const auto& c : cases) EXPECT_EQ(BuildNumber(c.version), c.build) << c.version;
}

TEST(UpdateRules, AvailableOnlyForNewerBuildWithPackage) {
    const struct {
        const char* current;
        const char* verId;
        const char* url;
        bool available;
    } cases[] = {
        {"13.6.1.200", "13.6.2.199", "pkg", false},
        {"13.6.1.200", "13.6.1.201", "", false},
        {"13.6.1.200", "13.6.1.201", "pkg", true},
        {"13.6.1.200", "13.6.1.200", "pkg", false},
    };
    for (const auto& c : cases) {
        TUpdateInfo info;
        info.VerId = c.verId, info.DownloadUrl = c.url;
        EXPECT_EQ(UpdateAvailable(c.current, info), c.available) << c.current << " " << c.verId << " [" << c.url << "]";
    }
}

TEST(UpdateRules, ReadsSectionAndGlobalOptions) {
    TIniFile ini;
    ini.SetLines({"[GlobalOptions]", "DeleteBefore=g.tmp", "ExecAfter=post.sh", "[Velmora_5x50]", "VerId=1.0.0.9",
                  "DownloadUrl=https://h/p.run", "ChecksumCRC32=0a0b0c0d", "DeleteAfter= a.dll ; b.txt ;;"});
    const TUpdateInfo i = ReadUpdateInfo(ini, "Velmora_5x50", "1.0.0.1");
    EXPECT_EQ(i.VerId, "1.0.0.9");
    EXPECT_EQ(i.DownloadUrl, "https://h/p.run");
    EXPECT_EQ(i.GlobalDeleteBefore, "g.tmp");
    EXPECT_EQ(i.GlobalExecAfter, "post.sh");
    EXPECT_EQ(i.Description, "");
    EXPECT_EQ(SplitUpdateList(i.DeleteAfter), (std::vector<std::string>{"a.dll", "b.txt"}));
    // Without the program's section the published version is the running one.
    EXPECT_EQ(ReadUpdateInfo(ini, "Other", "1.0.0.1").VerId, "1.0.0.1");
}

TEST(UpdateRules, DescriptionAddresses) {
    EXPECT_EQ(DescriptionAddresses("https://h/files/au/Numor_AU.cfg", "1.0.0.5", 1049, "RUS"),
              (std::vector<std::string>{"https://h/files/au/UpdDescr/UpdDescr_RUS_1.0.0.5.txt",
                                        "https://h/files/au/UpdDescr/UpdDescr_1049_1.0.0.5.txt",
                                        "https://h/files/au/UpdDescr/UpdDescr_1.0.0.5.txt"}));
    EXPECT_EQ(DescriptionAddresses("/srv/au/Numor_AU.cfg", "7", 0, ""),
              (std::vector<std::string>{"/srv/au/UpdDescr/UpdDescr_7.txt"}));
}

class UpdateFiles : public test::TempDirTest {};

TEST_F(UpdateFiles, Crc32InUpperCaseHex) {
    WriteFile(dir / "f", "123456789");
    EXPECT_EQ(FileCrc32(Path("f")), "CBF43926");
}

TEST_F(UpdateFiles, FetchRefusesPlainHttpAndCopiesFilesIntoNewFolders) {
    EXPECT_THROW(FetchFile("HTTP://127.0.0.1:1/x", Path("x")), Error);
    EXPECT_FALSE(fs::exists(dir / "x"));
    WriteFile(dir / "src", "abc");
    FetchFile(Path("src"), Path("a/b/c"));
    EXPECT_EQ(ReadFile(dir / "a/b/c"), "abc");
    EXPECT_THROW(FetchFile(Path("missing"), Path("y")), Error);
}

TEST_F(UpdateFiles, RunAndWait) {
    WriteFile(dir / "run/code.sh", "#!/bin/sh\npwd > where.txt\nexit 3\n");
    WriteFile(dir / "run/slow.sh", "#!/bin/sh\nsleep 30\n");
    fs::permissions(dir / "run/code.sh", fs::perms::owner_all);
    fs::permissions(dir / "run/slow.sh", fs::perms::owner_all);
    EXPECT_EQ(RunAndWait(Path("run"), "code.sh", 0), 3);
    EXPECT_EQ(ReadFile(dir / "run/where.txt"), fs::canonical(dir / "run").string() + "\n");
    try {
        RunAndWait(Path("run"), "slow.sh", 1);
        FAIL() << "no time-out";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Ожидание завершения процесса (файла) \"slow.sh\" прервано в связи с превышением времени ожидания!");
    }
}

TEST_F(UpdateFiles, SignatureChecks) {
    WriteFile(dir / "p", "package bytes");
    const std::string sig = Key().Sign(dir / "p");
    EXPECT_TRUE(VerifyFileSignature(Path("p"), sig, Key().PublicPem()));
    WriteFile(dir / "p", "package bytez");
    EXPECT_FALSE(VerifyFileSignature(Path("p"), sig, Key().PublicPem()));
    EXPECT_FALSE(VerifyFileSignature(Path("p"), "", Key().PublicPem()));
    EXPECT_FALSE(VerifyFileSignature(Path("p"), "not base64!", Key().PublicPem()));
    // The project's own key does not accept the test key's signature.
    WriteFile(dir / "p", "package bytes");
    EXPECT_FALSE(VerifyFileSignature(Path("p"), sig, BuiltInUpdateKey()));
}

TEST_F(UpdateFiles, PackageManagerListsTheExecutable) {
    WriteFile(dir / "bin/Velmora_5x50", "x");
    WriteFile(dir / "other/Velmora_5x50", "x");
    WriteFile(dir / "info/velmora.list", "/.\n/usr\n" + Path("bin") + "\n" + Path("bin/Velmora_5x50") + "\n");
    EXPECT_TRUE(InstalledByPackageManager(Path("bin/Velmora_5x50"), Path("info")));
    EXPECT_FALSE(InstalledByPackageManager(Path("other/Velmora_5x50"), Path("info")));
    EXPECT_FALSE(InstalledByPackageManager(Path("bin/Velmora_5x50"), Path("no-info")));
}

// The package made by the update-package target's script from the files of a changed build,
// served from the test HTTPS site and installed into a program folder: the program reports the
// new version afterwards and nothing else in the folder changed. The builds are stand-ins that
// print their version, so that the test does not compile the program twice.
TEST_F(UpdateFiles, PackageOfTheTargetInstallsOverAProgramFolder) {
    const auto program = [&](const fs::path& folder, const std::string& version) {
        WriteFile(folder / "velmora-cli", "#!/bin/sh\necho " + version + "\n");
        fs::permissions(folder / "velmora-cli", fs::perms::owner_all);
        WriteFile(folder / "Velmora_5x50_ENU.lng", "module " + version);
    };
    program(dir / "prog", "1.0.0.4");
    WriteFile(dir / "prog/Velmora_5x50.ini", "[WEB]\n");
    WriteFile(dir / "prog/Velmora_5x50.ldr", "draws");
    program(dir / "build", "1.0.0.5");

    test::TTestServer server(&test::SharedTestCerts());
    fs::create_directories(dir / "site");
    ASSERT_TRUE(server.Http().set_mount_point("/au", Path("site")));
    server.Start();
    const std::string files = Path("build/velmora-cli") + "|" + Path("build/Velmora_5x50_ENU.lng");
    Shell(std::string(VELMORA_CMAKE_COMMAND) + " \"-DFILES=" + files + "\" -DOUT=" + Path("site") +
        " -DVERSION=1.0.0.5 -DKEY=" + Key().Private.string() + " -DBASE_URL=" + server.BaseUrl() +
        "/au -DMAKESELF=makeself -DOPENSSL=openssl -P " VELMORA_UPDATE_PACKAGE_SCRIPT " > /dev/null");

    TUpdateContext context;
    context.ProgramDir = Path("prog");
    context.CurrentVersion = "1.0.0.4";
    context.PublicKeyPem = Key().PublicPem();
    context.Web.CAFile = test::SharedTestCerts().CaFile;
    TRecordingHost host;
    ASSERT_EQ(CheckForUpdate(server.BaseUrl() + "/au/Numor_AU.cfg", false, context, host), UpdateInstalled)
        << host.AllMessages();
    EXPECT_EQ(host.ShownNew, "Velmora 5x50 1.0.0.5");
    EXPECT_EQ(host.ShownDescription, "Velmora 5x50 1.0.0.5\n");

    Shell(Path("prog/velmora-cli") + " > " + Path("version.txt"));
    EXPECT_EQ(ReadFile(dir / "version.txt"), "1.0.0.5\n");
    EXPECT_EQ(ReadFile(dir / "prog/Velmora_5x50_ENU.lng"), "module 1.0.0.5");
    EXPECT_EQ(ReadFile(dir / "prog/Velmora_5x50.ini"), "[WEB]\n");
    EXPECT_EQ(ReadFile(dir / "prog/Velmora_5x50.ldr"), "draws");
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir / "prog")) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Velmora_5x50.ini", "Velmora_5x50.ldr", "Velmora_5x50_ENU.lng", "velmora-cli"}));
}

// The whole check over a program folder "prog" and a published folder "site".
class CheckForUpdateTest : public test::TempDirTest {
public:
    // The cases of a table arrange the fixture themselves.
    using test::TempDirTest::dir;
    void SetUp() override {
        TempDirTest::SetUp();
        host = TRecordingHost();
        context = TUpdateContext();
        WriteFile(dir / "prog/Velmora_5x50", "old program");
        WriteFile(dir / "prog/keep.txt", "kept");
        WriteFile(dir / "prog/a.dll", "a");
        WriteFile(dir / "prog/b.txt", "b");
        WriteFile(dir / "prog/leftover.~upd", "x");
        context.ProgramDir = Path("prog");
        context.CurrentVersion = "1.0.0.4";
        context.PublicKeyPem = Key().PublicPem();
        context.RunTimeoutSec = 5;
        SetPackage("#!/bin/sh\nprintf 'new program' > Velmora_5x50\n");
        WriteFile(dir / "site/UpdDescr/UpdDescr_1.0.0.5.txt", "Что нового");
    }
    // The package and a descriptor that announces it, signed and with its CRC.
    void SetPackage(const std::string& script, const std::string& extraKeys = "") {
        WriteFile(dir / "site/pkg.run", script);
        keys = "VerId=1.0.0.5\nDescription=Версия 5\nDownloadUrl=" + Path("site/pkg.run") +
               "\nOriginalFileName=setup.run\nChecksumCRC32=" + FileCrc32(Path("site/pkg.run")) +
               "\nSignatureEd25519=" + Key().Sign(dir / "site/pkg.run") + "\n" + extraKeys;
        WriteDescriptor();
    }
    void WriteDescriptor() { WriteFile(dir / "site/Numor_AU.cfg", "[Velmora_5x50]\n" + keys); }
    int Check(bool silent = false) { return CheckForUpdate(Path("site/Numor_AU.cfg"), silent, context, host); }
    void ExpectCleanedUp() {
        EXPECT_FALSE(fs::exists(dir / "prog/SelfUpdates.inf"));
        EXPECT_FALSE(fs::exists(dir / "prog/SelfUpdate"));
        EXPECT_FALSE(fs::exists(dir / "prog/leftover.~upd"));
    }
    TUpdateContext context;
    TRecordingHost host;
    std::string keys;
};

TEST_F(CheckForUpdateTest, InstallsASignedPackage) {
    SetPackage("#!/bin/sh\nprintf 'new program' > Velmora_5x50\n", "DeleteBefore= a.dll ; b.txt \n");
    EXPECT_EQ(Check(), UpdateInstalled);
    EXPECT_EQ(ReadFile(dir / "prog/Velmora_5x50"), "new program");
    EXPECT_EQ(ReadFile(dir / "prog/keep.txt"), "kept");
    EXPECT_FALSE(fs::exists(dir / "prog/a.dll"));
    EXPECT_FALSE(fs::exists(dir / "prog/b.txt"));
    EXPECT_EQ(host.ShownCurrent, "1.0.0.4");
    EXPECT_EQ(host.ShownNew, "Версия 5");
    EXPECT_EQ(host.ShownDescription, "Что нового");
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].first, TUpdateHost::TKind::Warning);
    EXPECT_EQ(host.Messages[0].second,
              "Установка обновления \"Версия 5\" успешно выполнена.\r\rДля завершения установки необходимо перезапустить программу!");
    EXPECT_EQ(host.Begun, host.Ended);
    ExpectCleanedUp();
    EXPECT_FALSE(fs::exists(dir / "prog/UpdDescr_1.0.0.5.txt"));
}

// Cases that end without installing: what is shown and the result, the program untouched.
TEST_F(CheckForUpdateTest, CasesThatInstallNothing) {
    const std::string sectionMissing = "[Other]\nVerId=1.0.0.9\nDownloadUrl=x\n";
    const struct {
        const char* name;
        std::function<void(CheckForUpdateTest&)> arrange;
        bool silent;
        int result;
        std::string message;  // "" : none
    } cases[] = {
        {"section missing", [&](CheckForUpdateTest& t) { WriteFile(t.dir / "site/Numor_AU.cfg", sectionMissing); }, false,
         UpdateNone, "Обновлений не найдено!"},
        {"section missing, silent", [&](CheckForUpdateTest& t) { WriteFile(t.dir / "site/Numor_AU.cfg", sectionMissing); }, true,
         UpdateNone, ""},
        {"only the fourth number counts", [](CheckForUpdateTest& t) {
             t.context.CurrentVersion = "13.6.1.200";
             t.keys = "VerId=13.6.2.199\nDownloadUrl=x\n";
             t.WriteDescriptor();
         }, false, UpdateNone, "Обновлений не найдено!"},
        {"empty DownloadUrl", [](CheckForUpdateTest& t) {
             t.context.CurrentVersion = "13.6.1.200";
             t.keys = "VerId=13.6.1.201\nDownloadUrl=\n";
             t.WriteDescriptor();
         }, false, UpdateNone, "Обновлений не найдено!"},
        {"declined", [](CheckForUpdateTest& t) { t.host.Install = false; }, false, UpdateNone, ""},
        {"descriptor missing", [](CheckForUpdateTest& t) { fs::remove(t.dir / "site/Numor_AU.cfg"); }, false, UpdateFailed,
         "Ошибка поиска обновлений!\r\r"},
        {"descriptor missing, silent", [](CheckForUpdateTest& t) { fs::remove(t.dir / "site/Numor_AU.cfg"); }, true,
         UpdateFailed, ""},
        {"wrong signature", [](CheckForUpdateTest& t) {
             // The first occurrence of a key is the one read.
             t.keys = "SignatureEd25519=" + Key().Sign(t.dir / "prog/keep.txt") + "\n" + t.keys;
             t.WriteDescriptor();
         }, false, UpdateFailed, "Ошибка установки обновления!\r\rПодпись пакета обновления неверна; он не будет запущен."},
        {"no signature", [](CheckForUpdateTest& t) {
             t.keys = "SignatureEd25519=\n" + t.keys;
             t.WriteDescriptor();
         }, false, UpdateFailed,
         "Ошибка установки обновления!\r\rПакет обновления не подписан (нет ключа \"SignatureEd25519\"); он не будет запущен."},
        {"wrong checksum", [](CheckForUpdateTest& t) {
             t.keys = "ChecksumCRC32=00000000\n" + t.keys;
             t.WriteDescriptor();
         }, false, UpdateFailed, "Ошибка установки обновления!\r\rНеверная контрольная сумма скачанного файла."},
        {"http package address", [](CheckForUpdateTest& t) {
             t.keys = "DownloadUrl=http://127.0.0.1:1/pkg.run\n" + t.keys;
             t.WriteDescriptor();
         }, false, UpdateFailed, "Ошибка установки обновления!\r\rАдрес \"http://127.0.0.1:1/pkg.run\" отклонен"},
        {"package exits non-zero", [](CheckForUpdateTest& t) { t.SetPackage("#!/bin/sh\nprintf x > Velmora_5x50\nexit 4\n"); },
         false, UpdateFailed, "Ошибка установки обновления!\r\rПакет обновления \"setup.run\" завершился с кодом 4."},
        {"package times out", [](CheckForUpdateTest& t) {
             t.context.RunTimeoutSec = 1;
             t.SetPackage("#!/bin/sh\nsleep 30\n");
         }, false, UpdateFailed,
         "Ошибка установки обновления!\r\rОжидание завершения процесса (файла) \"setup.run\" прервано в связи с превышением времени ожидания!"},
        {"update folder left empty", [](CheckForUpdateTest& t) { t.SetPackage("#!/bin/sh\nexit 0\n"); }, false, UpdateFailed,
         "Ошибка установки обновления!\r\rФайл \""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        c.arrange(*this);
        EXPECT_EQ(Check(c.silent), c.result);
        if (c.message.empty()) {
            EXPECT_TRUE(host.Messages.empty()) << host.AllMessages();
        } else {
            ASSERT_EQ(host.Messages.size(), 1u) << host.AllMessages();
            EXPECT_EQ(host.Messages[0].second.rfind(c.message, 0), 0u) << host.Messages[0].second;
        }
        EXPECT_EQ(ReadFile(dir / "prog/Velmora_5x50"), "old program");
        EXPECT_EQ(host.Begun, host.Ended);
        ExpectCleanedUp();
    }
}

TEST_F(CheckForUpdateTest, EmptyFolderMessageNamesTheUpdateFolder) {
    SetPackage("#!/bin/sh\nexit 0\n");
    EXPECT_EQ(Check(), UpdateFailed);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].second,
              "Ошибка установки обновления!\r\rФайл \"" + (dir / "prog/SelfUpdate/*.*").string() + "\" не найден!");
}

TEST_F(CheckForUpdateTest, ChecksumInAnotherLetterCaseAndNoDescription) {
    std::string crc = FileCrc32(Path("site/pkg.run"));
    for (char& ch : crc) ch = char(std::tolower((unsigned char)ch));
    keys = "ChecksumCRC32=" + crc + "\n" + keys;
    WriteDescriptor();
    fs::remove_all(dir / "site/UpdDescr");
    EXPECT_EQ(Check(), UpdateInstalled);
    EXPECT_EQ(host.ShownDescription, "< Описание обновления не доступно >");
}

// The description in the interface language is preferred over the common one.
TEST_F(CheckForUpdateTest, DescriptionOfTheLanguageFirst) {
    WriteFile(dir / "site/UpdDescr/UpdDescr_1049_1.0.0.5.txt", "По-русски");
    context.Language = 1049, context.LanguageAbbreviation = "RUS";
    host.Install = false;
    EXPECT_EQ(Check(), UpdateNone);
    EXPECT_EQ(host.ShownDescription, "По-русски");
}

// Downloads over HTTPS from a test site that fails a number of times before it serves the package.
TEST_F(CheckForUpdateTest, DownloadIsTriedThreeTimes) {
    const std::string package = ReadFile(dir / "site/pkg.run");
    const struct {
        int failures;
        int result;
        const char* message;
    } cases[] = {
        {2, UpdateInstalled, "Установка обновления"},
        {3, UpdateFailed, "Ошибка установки обновления!\r\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failures);
        std::atomic<int> requests{0};
        test::TTestServer server(&test::SharedTestCerts());
        server.Http().Get("/au/pkg.run", [&](const httplib::Request&, httplib::Response& res) {
            if (++requests <= c.failures) {
                res.status = 503;
                return;
            }
            res.set_content(package, "application/octet-stream");
        });
        server.Http().Get("/au/Numor_AU.cfg", [&](const httplib::Request&, httplib::Response& res) {
            res.set_content("[Velmora_5x50]\nDownloadUrl=" + server.BaseUrl() + "/au/pkg.run\n" + keys, "text/plain");
        });
        server.Start();
        host = TRecordingHost();
        context.Web.CAFile = test::SharedTestCerts().CaFile;
        EXPECT_EQ(CheckForUpdate(server.BaseUrl() + "/au/Numor_AU.cfg", false, context, host), c.result);
        ASSERT_EQ(host.Messages.size(), 1u) << host.AllMessages();
        EXPECT_EQ(host.Messages[0].second.rfind(c.message, 0), 0u) << host.Messages[0].second;
        EXPECT_EQ(requests, std::min(c.failures + 1, 3));
        EXPECT_EQ(host.ShownDescription, "< Описание обновления не доступно >");
        ExpectCleanedUp();
    }
}

} // namespace
} // namespace velmora
