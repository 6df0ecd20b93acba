#include "catalogd_process.h"

#include "core/net/catalog_text.h"
#include "core/net/web.h"
#include "core/stakes/system_catalog.h"
#include "core/stakes/system_store.h"
#include "core/model/dates.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "server/catalog_service.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <atomic>
#include <csignal>
#include <functional>
#include <set>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;
namespace fs = std::filesystem;

namespace {

class CatalogdTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("velmora_catalogd_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        server = std::make_unique<TCatalogdProcess>(dir.string());
    }
    void TearDown() override {
        server.reset();
        fs::remove_all(dir);
    }

    // A client of the server: the user's mail and the machine's id.
    TSystemCatalog Catalog(const std::string& mail, const std::string& machine) const {
        TSystemCatalog c;
        c.Site = server->BaseUrl();
        c.Options.CAFile = server->CaFile();
        c.Client.AppVer = "1.0";
        c.Client.HwdId = machine;
        c.Client.Name = "Иван";
        c.Client.Mail = mail;
        return c;
    }
    static tSystemData System(const std::string& title, int nums, int olap, const std::string& clist,
                              const std::string& mail = "ivan@example.org") {
        tSystemData d;
        d.Title = title;
        d.Nums = uint8_t(nums);
        d.Olap = uint8_t(olap);
        d.CList = clist;
        d.CSize = int(SplitLines(clist).size());
        d.Descr = "Описание \"с кавычками\"?";
        d.Author = "Иван";
        d.OwnerMail = mail;
        d.URL = "https://example.org/system";
        return d;
    }
    std::string Store() const { return (dir / "Systems").string(); }
    static const tSystemInfo* Find(const std::vector<TSystemRow>& rows, int32_t id) {
        for (const TSystemRow& r : rows)
            if (r.Info.Id == id) return &r.Info;
        return nullptr;
    }
    static std::string ErrorOf(const std::function<void()>& fn) {
        try {
            fn();
        } catch (const Error& e) {
            return e.what();
        }
        return "no error";
    }

    fs::path dir;
    std::unique_ptr<TCatalogdProcess> server;
};

const std::string kSix = "01 02 03 04 05\r\n02 03 04 05 06\r\n01 03 04 05 06";

TEST_F(CatalogdTest, EmptyCatalogGivesThePlaceholder) {
    std::vector<std::string> errors;
    const auto rows = LoadSystemList(Catalog("ivan@example.org", "m1"), Store(), errors);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Info.Id, -1);
    EXPECT_EQ(rows[0].Info.Title, "В каталоге пока нет ни одной системы");
}

TEST_F(CatalogdTest, PublishListDownloadChangeAndDelete) {
    const TSystemCatalog owner = Catalog("ivan@example.org", "m1");
    const int32_t id = PutSystem(owner, System("Шесть чисел", 6, 2, kSix), false);
    ASSERT_GT(id, 0);
    const int32_t other = PutSystem(owner, System("Ещё шесть", 6, 0, "01 02 03 04 05"), false);
    ASSERT_GT(other, id);

    std::vector<std::string> errors;
    auto rows = LoadSystemList(owner, Store(), errors);
    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(rows.size(), 2u);
    const tSystemInfo info = *Find(rows, id);
    EXPECT_EQ(info.Title, "Шесть чисел");
    EXPECT_EQ(info.Descr, "Описание \"с кавычками\"?");
    EXPECT_EQ(info.Author, "Иван");
    EXPECT_EQ(info.OwnerMail, "ivan@example.org");
    EXPECT_EQ(info.URL, "https://example.org/system");
    EXPECT_EQ(info.Nums, 6);
    EXPECT_EQ(info.Olap, 2);
    EXPECT_EQ(info.CSize, 3);
    EXPECT_EQ(info.Downloads, 0);
    EXPECT_EQ(info.LastDownload, 0);
    EXPECT_LT(std::abs(info.Created - Now()) * 86400, 120);  // a local time, not UTC
    EXPECT_FALSE(rows[0].Downloaded);

    // Download: the file is named by count, block and id, holds the lines and carries Created.
    EXPECT_TRUE(DownloadSystemKeepingOne(owner, Store(), info).empty());
    const std::string path = Store() + "/" + Format("5-06-2_%.4d.dat", {id});
    EXPECT_EQ(ReadFileBytes(path), kSix + "\r\n");
    EXPECT_FALSE(SystemFileOutdated(path, info.Created));
    rows = LoadSystemList(owner, Store(), errors);
    EXPECT_TRUE(Find(rows, id) && rows[0].Downloaded);
    EXPECT_EQ(Find(rows, id)->Downloads, 1);
    EXPECT_NE(Find(rows, id)->LastDownload, 0);

    // A second system for six numbers replaces the first one's file.
    const tSystemInfo second = *Find(rows, other);
    EXPECT_EQ(DownloadSystemKeepingOne(owner, Store(), second), (std::vector<std::string>{path}));
    EXPECT_EQ(FindSystemFiles(Store(), 6), (std::vector<std::string>{SystemFilePath(Store(), second)}));

    // The owner changes the second one: the list gets a new time and the local file follows.
    tSystemData changed = System("Изменена", 6, 0, "01 02 03 04 06\r\n02 03 04 05 06");
    changed.Id = other;
    EXPECT_EQ(PutSystem(owner, changed, false), other);
    rows = LoadSystemList(owner, Store(), errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(Find(rows, other)->Title, "Изменена");
    EXPECT_EQ(Find(rows, other)->CSize, 2);
    EXPECT_EQ(ReadFileBytes(SystemFilePath(Store(), second)), "01 02 03 04 06\r\n02 03 04 05 06\r\n");
    EXPECT_FALSE(SystemFileOutdated(SystemFilePath(Store(), second), Find(rows, other)->Created));

    // The owner deletes it: the id 0 comes back and the list loses the row.
    EXPECT_EQ(PutSystem(owner, changed, true), 0);
    rows = LoadSystemList(owner, Store(), errors);
    EXPECT_EQ(Find(rows, other), nullptr);
    EXPECT_NE(Find(rows, id), nullptr);
}

TEST_F(CatalogdTest, OnlyTheSameMailAndMachineMayChangeOrDelete) {
    const int32_t id = PutSystem(Catalog("ivan@example.org", "m1"), System("Своя", 6, 0, kSix), false);
    ASSERT_GT(id, 0);
    struct Case {
        const char* mail;
        const char* machine;
    } strangers[] = {{"ivan@example.org", "m2"}, {"petr@example.org", "m1"}};
    for (const Case& c : strangers) {
        SCOPED_TRACE(std::string(c.mail) + " " + c.machine);
        tSystemData d = System("Чужая", 6, 0, kSix, c.mail);
        d.Id = id;
        const TSystemCatalog catalog = Catalog(c.mail, c.machine);
        EXPECT_NE(ErrorOf([&] { PutSystem(catalog, d, false); }).find("только ее автор"), std::string::npos);
        EXPECT_NE(ErrorOf([&] { PutSystem(catalog, d, true); }).find("только ее автор"), std::string::npos);
    }
    std::vector<std::string> errors;
    const auto rows = LoadSystemList(Catalog("petr@example.org", "m2"), Store(), errors);
    ASSERT_NE(Find(rows, id), nullptr);
    EXPECT_EQ(Find(rows, id)->Title, "Своя");
    // The e-mail compares without regard to case.
    tSystemData d = System("Своя", 6, 0, kSix, "IVAN@Example.org");
    d.Id = id;
    EXPECT_EQ(PutSystem(Catalog("IVAN@Example.org", "m1"), d, true), 0);
}

TEST_F(CatalogdTest, UntrustedFieldsAreRefused) {
    const TSystemCatalog c = Catalog("ivan@example.org", "m1");
    struct Case {
        tSystemData data;
        const char* reason;
    } cases[] = {
        {System("T", 5, 0, kSix), "nums"},
        {System("T", 6, 7, kSix), "olap"},
        {System("T", 6, 0, "01 02 03 04 07"), "вне диапазона"},
        {System("T", 6, 0, "01 02 03 04"), "чисел вместо"},
        {System("", 6, 0, kSix), "title"},
        {System("T", 6, 0, kSix, "not-a-mail"), "почты"},
    };
    cases[1].data.Olap = 7;
    for (Case& c2 : cases) {
        SCOPED_TRACE(c2.reason);
        EXPECT_NE(ErrorOf([&] { PutSystem(c, c2.data, false); }).find(c2.reason), std::string::npos);
    }
    tSystemData sizeMismatch = System("T", 6, 0, kSix);
    sizeMismatch.CSize = 4;
    EXPECT_NE(ErrorOf([&] { PutSystem(c, sizeMismatch, false); }).find("Количество комбинаций"), std::string::npos);
    tSystemData markup = System("T", 6, 0, kSix);
    markup.Author = "x</author><cl_mail>petr@example.org";
    EXPECT_NE(ErrorOf([&] { PutSystem(c, markup, false); }).find("Недопустимые символы"), std::string::npos);
    tSystemData link = System("T", 6, 0, kSix);
    link.URL = "javascript:alert(1)";
    EXPECT_NE(ErrorOf([&] { PutSystem(c, link, false); }).find("http"), std::string::npos);

    // Texts that look like SQL are stored as they are.
    const int32_t id = PutSystem(c, System("x'); DROP TABLE systems; --", 6, 0, kSix), false);
    ASSERT_GT(id, 0);
    std::vector<std::string> errors;
    const auto rows = LoadSystemList(c, Store(), errors);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Info.Title, "x'); DROP TABLE systems; --");

    // Unknown systems and bad ids.
    tSystemInfo missing;
    missing.Id = 999;
    EXPECT_NE(ErrorOf([&] { FetchSystemCombinations(c, missing); }).find("не найдена"), std::string::npos);
    const std::string raw = WebPostForm(nullptr, c.Site + kSystemDataPath, {{"sys_id", "1 OR 1=1"}}, true, c.Options);
    EXPECT_NE(raw.find("<error>"), std::string::npos);
    // A body over the limit is turned away.
    EXPECT_THROW(WebPostForm(nullptr, c.Site + kSystemListPath, {{"x", std::string(5u << 20, 'a')}}, true, c.Options),
                 Error);
}

// A form of up to 4 MiB is a request like any other, so that large systems can be published; one
// byte more is turned away by its size.
TEST_F(CatalogdTest, FormsUpToTheRequestBoundAreServed) {
    const TSystemCatalog c = Catalog("ivan@example.org", "m1");
    std::vector<std::string> lines;
    for (int i = 0; i < 100000; ++i) lines.push_back(Format("%.2d %.2d %.2d %.2d %.2d", {i % 8 + 1, 9, 10, 11, 12}));
    const tSystemData big = System("Большая", 12, 0, Join(lines, "\r\n"));
    TFormFields fields = PutSystemFields(big, false, c.Client);
    const size_t base = EncodeFormFields(fields).size() + std::string("&pad=").size();
    ASSERT_LT(base, velmora::server::kMaxRequestBytes);
    fields.emplace_back("pad", std::string(velmora::server::kMaxRequestBytes - base, 'a'));
    ASSERT_EQ(EncodeFormFields(fields).size(), velmora::server::kMaxRequestBytes);
    const int32_t id = ReadPutSystemReply(WebPostForm(nullptr, c.Site + kSystemPutPath, fields, true, c.Options));
    ASSERT_GT(id, 0);
    std::vector<std::string> errors;
    const auto rows = LoadSystemList(c, Store(), errors);
    ASSERT_NE(Find(rows, id), nullptr);
    EXPECT_EQ(Find(rows, id)->CSize, 100000);
    EXPECT_EQ(SplitLines(FetchSystemCombinations(c, *Find(rows, id))).size(), 100000u);

    fields.back().second += 'a';
    try {
        WebPostForm(nullptr, c.Site + kSystemPutPath, fields, true, c.Options);
        ADD_FAILURE() << "no error";
    } catch (const TWebError& e) {
        EXPECT_EQ(e.HttpStatus, 413) << e.what();
    }
}

// Text fields must be well-formed UTF-8: an overlong "<", surrogates and bytes beyond U+10FFFF are
// refused with an "<error>" row and nothing is stored.
TEST_F(CatalogdTest, MalformedUtf8IsRefused) {
    const TSystemCatalog c = Catalog("ivan@example.org", "m1");
    struct Case {
        const char* field;
        std::string text;
    } cases[] = {
        {"cl_name", "Ив\xC0\xBCан"},            // overlong "<"
        {"cl_name", "\xE0\x80\xBC"},            // overlong "<" in three bytes
        {"descr", "a\xED\xA0\x80" "b"},            // a surrogate
        {"descr", "\xF5\x80\x80\x80"},          // a lead byte past U+10FFFF
        {"title", "\xF4\x90\x80\x80"},          // U+110000
        {"title", "x\x80y"},                     // a stray continuation byte
        {"title", "Ж\xD0"},                      // cut at the end
    };
    for (const Case& k : cases) {
        tSystemData d = System("T", 6, 0, kSix);
        if (std::string(k.field) == "cl_name") d.Author = k.text;
        if (std::string(k.field) == "descr") d.Descr = k.text;
        if (std::string(k.field) == "title") d.Title = k.text;
        const std::string raw = WebPostForm(nullptr, c.Site + kSystemPutPath, PutSystemFields(d, false, c.Client), true, c.Options);
        EXPECT_NE(raw.find("<error>Некорректная кодировка поля " + std::string(k.field) + "</error>"), std::string::npos)
            << k.field << ": " << raw;
    }
    std::vector<std::string> errors;
    EXPECT_EQ(LoadSystemList(c, Store(), errors)[0].Info.Id, -1);
    // Characters of four bytes are text like any other.
    tSystemData smile = System("Улыбка \xF0\x9F\x98\x80", 6, 0, kSix);
    EXPECT_GT(PutSystem(c, smile, false), 0);
}

// A client that sends its request slowly over TLS, from its own loopback address.
class TSlowClient {
public:
    TSlowClient(int port, const char* from) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        ::inet_pton(AF_INET, from, &a.sin_addr);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        a.sin_port = htons(uint16_t(port));
        ::inet_pton(AF_INET, "127.0.0.1", &a.sin_addr);
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return;
        ctx_ = SSL_CTX_new(TLS_client_method());
        ssl_ = SSL_new(ctx_);
        SSL_set_fd(ssl_, fd_);
        if (SSL_connect(ssl_) != 1) return;
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
        connected_ = Send("POST /scripts/sys_getlist.php HTTP/1.1\r\n");
    }
    ~TSlowClient() {
        if (ssl_) SSL_free(ssl_);
        if (ctx_) SSL_CTX_free(ctx_);
        ::close(fd_);
    }
    // One more header line; false once the server has closed the connection.
    bool Send(const std::string& line) {
        if (SSL_write(ssl_, line.data(), int(line.size())) <= 0) return false;
        // Whatever the server sends before the request is complete (beyond its session tickets,
        // which leave nothing to read) ends the connection: a close or a refusal.
        char buf[256];
        const int n = SSL_read(ssl_, buf, sizeof buf);
        return n <= 0 && SSL_get_error(ssl_, n) == SSL_ERROR_WANT_READ;
    }
    bool Connected() const { return connected_; }

private:
    int fd_ = -1;
    SSL_CTX* ctx_ = nullptr;
    SSL* ssl_ = nullptr;
    bool connected_ = false;
};

// Clients that trickle their headers in hold a request thread for a bounded time only, and one
// address holds a few connections at most: other clients are served meanwhile, and every slow
// connection is closed by the server long before its request would be complete.
TEST_F(CatalogdTest, SlowClientsDoNotStopTheServer) {
    std::signal(SIGPIPE, SIG_IGN);  // a write to a connection the server closed
    const TSystemCatalog c = Catalog("ivan@example.org", "m1");
    const int port = std::stoi(server->BaseUrl().substr(server->BaseUrl().rfind(':') + 1));
    constexpr int kSlow = 8, kLines = 40;
    std::vector<std::unique_ptr<TSlowClient>> slow;
    for (int i = 0; i < kSlow; ++i) slow.push_back(std::make_unique<TSlowClient>(port, "127.0.0.2"));
    std::atomic<int> cut{0};
    std::thread feeder([&] {
        std::vector<bool> open(kSlow);
        for (int i = 0; i < kSlow; ++i) {
            open[size_t(i)] = slow[size_t(i)]->Connected();
            if (!open[size_t(i)]) ++cut;
        }
        for (int line = 0; line < kLines && cut < kSlow; ++line) {
            for (int i = 0; i < kSlow; ++i)
                if (open[size_t(i)] && !slow[size_t(i)]->Send("X-Slow-" + std::to_string(line) + ": 1\r\n")) {
                    open[size_t(i)] = false;
                    ++cut;
                }
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
    });
    std::vector<std::string> errors;
    const std::string error = ErrorOf([&] { LoadSystemList(c, Store(), errors); });
    feeder.join();
    EXPECT_EQ(error, "no error");
    EXPECT_EQ(cut.load(), kSlow);
}

TEST_F(CatalogdTest, ConcurrentPublishingKeepsEveryRow) {
    constexpr int kThreads = 4, kEach = 5;
    std::vector<std::thread> threads;
    std::vector<std::vector<int32_t>> ids(kThreads);
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            const TSystemCatalog c = Catalog("ivan@example.org", "m" + std::to_string(t));
            for (int i = 0; i < kEach; ++i) ids[size_t(t)].push_back(PutSystem(c, System("T", 6, 0, kSix), false));
        });
    for (auto& th : threads) th.join();
    std::set<int32_t> all;
    for (const auto& v : ids) all.insert(v.begin(), v.end());
    EXPECT_EQ(all.size(), size_t(kThreads * kEach));
    EXPECT_EQ(all.count(-1), 0u);
    std::vector<std::string> errors;
    EXPECT_EQ(LoadSystemList(Catalog("a@b.c", "x"), Store(), errors).size(), size_t(kThreads * kEach));
}

TEST_F(CatalogdTest, StopsCleanlyOnTerm) {
    const int status = server->Stop();
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace

namespace {

// Runs the server with the arguments (through the shell, none of which needs quoting) and
// returns its exit status and what it wrote to standard output and standard error.
struct TRunResult {
    int Status = -1;
    std::string Out, Err;
};

TRunResult RunCatalogd(const std::string& args) {
    const std::string dir = ::testing::TempDir();
    const std::string out = dir + "/catalogd.out", err = dir + "/catalogd.err";
    const int rc = std::system((std::string(VELMORA_CATALOGD) + " " + args + " >" + out + " 2>" + err).c_str());
    TRunResult r;
    if (WIFEXITED(rc)) r.Status = WEXITSTATUS(rc);
    auto read = [](const std::string& f) {
        std::ifstream in(f, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    r.Out = read(out);
    r.Err = read(err);
    return r;
}

TEST(CatalogdCommandLine, HelpAndBadOptions) {
    struct Case {
        const char* args;
        int status;
        const char* out;  // a piece of standard output ("" = empty)
        const char* err;  // a piece of standard error ("" = empty)
    } cases[] = {
        {"--help", 0, "--listen HOST:PORT", ""},
        {"-h", 0, "Exit status", ""},
        {"", 2, "", "--listen, --db, --cert and --key are required"},
        {"--listen", 2, "", "missing value of --listen"},
        {"--listen nowhere", 2, "", "--listen needs HOST:PORT"},
        {"--listen 127.0.0.1:70000", 2, "", "bad port in --listen"},
        {"--port 1", 2, "", "unknown option --port"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const TRunResult r = RunCatalogd(c.args);
        EXPECT_EQ(r.Status, c.status);
        if (*c.out) EXPECT_NE(r.Out.find(c.out), std::string::npos) << r.Out;
        else EXPECT_EQ(r.Out, "");
        if (*c.err) EXPECT_NE(r.Err.find(c.err), std::string::npos) << r.Err;
        else EXPECT_EQ(r.Err, "");
    }
}

} // namespace
