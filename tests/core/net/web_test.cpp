// The web helpers against real HTTPS servers on loopback with certificates made at test time.
#include "core/net/web.h"
#include "core/util/atomic_file.h"
#include "core/util/progress.h"
#include "core/util/text.h"
#include "servers/test_server.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace velmora {
namespace {

using test::SharedTestCerts;
using test::TTestServer;

TWebOptions TrustTestCa() {
    TWebOptions o;
    o.CAFile = SharedTestCerts().CaFile;
    o.ConnectTimeoutMs = 3000;
    o.ReadTimeoutMs = 1000;
    return o;
}

class WebTest : public test::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        auto& h = server.Http();
        h.Get("/hello", [](const httplib::Request&, httplib::Response& res) { res.set_content("привет", "text/plain"); });
        h.Get("/headers", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content(req.get_header_value("Accept") + "\n" + req.get_header_value("Accept-Encoding") + "\n" +
                                req.get_header_value("User-Agent"),
                            "text/plain");
        });
        // A body the client can only read by decoding it.
        h.Get("/gzip", [](const httplib::Request&, httplib::Response& res) {
            res.set_header("Content-Encoding", "gzip");
            res.set_content(test::GzipBytes(std::string(2000, 'z') + "end"), "application/x-test");
        });
        h.Post("/echo", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content(req.get_header_value("Content-Type") + "\n" + req.body, "text/plain");
        });
        h.Post("/fields", [](const httplib::Request& req, httplib::Response& res) {
            std::string out;
            for (const auto& [k, v] : req.params) out += "[" + k + "]=[" + v + "]\n";
            res.set_content(out, "text/plain");
        });
        h.Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/hello");
            res.set_content("moved body", "text/plain");
        });
        // A cookie set by the first reply of a redirect must come back with the request it leads to.
        h.Get("/login", [](const httplib::Request&, httplib::Response& res) {
            res.set_header("Set-Cookie", "session=abc; Path=/");
            res.set_redirect("/whoami");
        });
        h.Get("/whoami", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content("cookie:" + req.get_header_value("Cookie"), "text/plain");
        });
        h.Get("/missing", [](const httplib::Request&, httplib::Response& res) { res.status = 404; });
        h.Get("/status/(\\d+)", [](const httplib::Request& req, httplib::Response& res) { res.status = std::stoi(req.matches[1]); });
        // One byte every 300 ms without end: never idle long enough for the read time-out.
        h.Get("/trickle", [this](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("application/x-test", [this](size_t, httplib::DataSink& sink) {
                if (server.WaitForStop(std::chrono::milliseconds(300))) return false;
                return sink.write("x", 1);
            });
        });
        // 64 MB of zeros in a gzip body of some tens of KB.
        h.Get("/bomb", [](const httplib::Request&, httplib::Response& res) {
            res.set_header("Content-Encoding", "gzip");
            res.set_content(test::GzipBytes(std::string(64u << 20, '0')), "application/x-test");
        });
        h.Get("/stall", [this](const httplib::Request&, httplib::Response& res) {
            server.WaitForStop(std::chrono::seconds(20));
            res.set_content("late", "text/plain");
        });
        server.Start();
    }
    std::string Url(const std::string& path) const { return server.BaseUrl() + path; }

    TTestServer server{&SharedTestCerts()};
};

TEST_F(WebTest, GetsTextOverVerifiedTlsWithTheProductHeaders) {
    EXPECT_EQ(WebGetString(nullptr, Url("/hello"), false, TrustTestCa()), "привет");
    const auto lines = SplitLines(WebGetString(nullptr, Url("/headers"), false, TrustTestCa()));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    EXPECT_EQ(lines[1], "gzip, deflate, sdch");
    EXPECT_EQ(lines[2], "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
                        "Chrome/47.0.2526.80 Safari/537.36");
}

TEST_F(WebTest, DecodesGzipReplies) {
    EXPECT_EQ(WebGetString(nullptr, Url("/gzip"), false, TrustTestCa()), std::string(2000, 'z') + "end");
}

TEST_F(WebTest, PostsFormFieldsEscaped) {
    const TFormFields fields = {{"name", "a b&c=d"}, {"текст", "строка+%"}, {"empty", ""}};
    const std::string echo = WebPostForm(nullptr, Url("/echo"), fields, false, TrustTestCa());
    EXPECT_EQ(echo, "application/x-www-form-urlencoded\n" + EncodeFormFields(fields));
    EXPECT_EQ(WebPostForm(nullptr, Url("/fields"), fields, false, TrustTestCa()),
              "[empty]=[]\n[name]=[a b&c=d]\n[текст]=[строка+%]\n");
}

TEST(EncodeFormFieldsTest, PercentEncodesEverythingButUnreserved) {
    EXPECT_EQ(EncodeFormFields({{"a", "1"}, {"b c", "x/y?z"}}), "a=1&b%20c=x%2Fy%3Fz");
    EXPECT_EQ(EncodeFormFields({{"k", "-._~AZaz09"}}), "k=-._~AZaz09");
    EXPECT_EQ(EncodeFormFields({{"я", "+&="}}), "%D1%8F=%2B%26%3D");
    EXPECT_EQ(EncodeFormFields({}), "");
}

TEST_F(WebTest, RedirectsFollowedOnRequestWithCookies) {
    EXPECT_EQ(WebGetString(nullptr, Url("/moved"), true, TrustTestCa()), "привет");
    EXPECT_EQ(WebGetString(nullptr, Url("/moved"), false, TrustTestCa()), "moved body");
    EXPECT_EQ(WebGetString(nullptr, Url("/login"), true, TrustTestCa()), "cookie:session=abc");
}

TEST_F(WebTest, UntrustedCertificateIsRefused) {
    // Without the test CA the system store does not know the server; with another CA neither.
    TWebOptions none = TrustTestCa();
    none.CAFile.clear();
    TWebOptions other = TrustTestCa();
    other.CAFile = test::OtherTestCerts().CaFile;
    for (const TWebOptions& o : {none, other}) {
        try {
            WebGetString(nullptr, Url("/hello"), false, o);
            ADD_FAILURE() << "an untrusted server was accepted";
        } catch (const TWebError& e) {
            EXPECT_EQ(e.Kind, TWebError::TKind::Certificate) << e.what();
            EXPECT_NE(std::string(e.what()).find("Сертификат сервера 127.0.0.1"), std::string::npos) << e.what();
        }
    }
}

TEST_F(WebTest, MissingCaFileIsAClearError) {
    TWebOptions o = TrustTestCa();
    o.CAFile = Path("nope.pem");
    try {
        WebGetString(nullptr, Url("/hello"), false, o);
        FAIL();
    } catch (const TWebError& e) {
        EXPECT_EQ(e.Kind, TWebError::TKind::Certificate);
        EXPECT_NE(std::string(e.what()).find("CAFile"), std::string::npos) << e.what();
    }
}

TEST_F(WebTest, HttpErrorStatusRaises) {
    try {
        WebGetString(nullptr, Url("/missing"), true, TrustTestCa());
        FAIL();
    } catch (const TWebError& e) {
        EXPECT_EQ(e.Kind, TWebError::TKind::HttpStatus);
        EXPECT_EQ(e.HttpStatus, 404);
        EXPECT_NE(std::string(e.what()).find("404"), std::string::npos);
    }
}

// Each status the user can meet is told in Russian words besides its number.
TEST_F(WebTest, HttpStatusesAreToldInRussian) {
    const std::pair<int, const char*> cases[] = {
        {403, "доступ запрещён"}, {404, "страница не найдена"}, {500, "внутренняя ошибка сервера"},
        {503, "сервис временно недоступен"}, {599, "ошибка на стороне сервера"},
    };
    for (const auto& [status, words] : cases) {
        try {
            WebGetString(nullptr, Url("/status/" + std::to_string(status)), true, TrustTestCa());
            ADD_FAILURE() << status;
        } catch (const TWebError& e) {
            EXPECT_EQ(e.HttpStatus, status);
            EXPECT_EQ(std::string(e.what()),
                      "Сервер 127.0.0.1:" + std::to_string(server.Port()) + " вернул ошибку HTTP " + std::to_string(status) +
                          ": " + words);
        }
    }
}

// libcurl's failures become Russian texts with libcurl's own words after them in brackets.
TEST(WebTransferErrorTest, FailuresAreToldInRussianWithTheDetailAfter) {
    struct TCase {
        int code;
        TWebError::TKind kind;
        const char* text;
    };
    const TCase cases[] = {
        {6, TWebError::TKind::Network, "Сервер www.example.ru не найден: проверьте адрес и подключение к интернету (libcurl says)"},
        {5, TWebError::TKind::Network, "Proxy-сервер 10.0.0.1:3128 не найден: проверьте его адрес в настройках (libcurl says)"},
        {7, TWebError::TKind::Network, "Proxy-сервер 10.0.0.1:3128 отказал в соединении или недоступен (libcurl says)"},
        {28, TWebError::TKind::Timeout, "Сервер www.example.ru не ответил вовремя (время ожидания истекло) (libcurl says)"},
        {60, TWebError::TKind::Certificate, "Сертификат сервера www.example.ru не прошёл проверку, соединение отклонено (libcurl says)"},
        {35, TWebError::TKind::Certificate, "Не удалось установить защищённое соединение с сервером www.example.ru (libcurl says)"},
        {56, TWebError::TKind::Network, "Соединение с сервером www.example.ru прервано до конца ответа (libcurl says)"},
        {52, TWebError::TKind::Network, "Соединение с сервером www.example.ru прервано до конца ответа (libcurl says)"},
        {47, TWebError::TKind::Network, "Сервер www.example.ru перенаправляет запрос слишком много раз (libcurl says)"},
        {99, TWebError::TKind::Network, "Ошибка сети при обращении к серверу www.example.ru (libcurl says)"},
    };
    for (const TCase& c : cases) {
        const TWebError e = WebTransferError(c.code, "www.example.ru", "libcurl says", "10.0.0.1:3128");
        EXPECT_EQ(std::string(e.what()), c.text) << c.code;
        EXPECT_EQ(e.Kind, c.kind) << c.code;
    }
    EXPECT_EQ(std::string(WebTransferError(7, "www.example.ru", "x").what()),
              "Сервер www.example.ru отказал в соединении или недоступен (x)");
}

// A reply whose bytes keep trickling in ends by the total limit; a compressed reply is refused as
// soon as its decoded body passes the size limit.
TEST_F(WebTest, TricklingAndInflatingRepliesAreBounded) {
    TWebOptions o = TrustTestCa();
    o.TotalTimeoutMs = 2000;
    try {
        WebGetString(nullptr, Url("/trickle"), false, o);
        ADD_FAILURE() << "no error";
    } catch (const TWebError& e) {
        EXPECT_EQ(e.Kind, TWebError::TKind::Timeout);
        EXPECT_NE(std::string(e.what()).find("общее время запроса истекло"), std::string::npos) << e.what();
    }
    o = TrustTestCa();
    o.MaxBytes = 1 << 20;
    // The server compresses 64 MB before it answers: on a busy machine that takes over a second.
    o.ReadTimeoutMs = 20000;
    const std::string path = Path("bomb.bin");
    try {
        WebGetFile(nullptr, Url("/bomb"), path, o);
        ADD_FAILURE() << "no error";
    } catch (const TWebError& e) {
        EXPECT_EQ(e.Kind, TWebError::TKind::TooLarge) << e.what();
    }
    EXPECT_FALSE(FileExists(path));
}

TEST_F(WebTest, StalledReplyEndsByTheReadTimeout) {
    try {
        WebGetString(nullptr, Url("/stall"), false, TrustTestCa());
        FAIL();
    } catch (const TWebError& e) {
        EXPECT_EQ(e.Kind, TWebError::TKind::Timeout);
        EXPECT_NE(std::string(e.what()).find("не ответил"), std::string::npos) << e.what();
    }
}

// Asks to stop on the n-th poll.
struct TStopAfter : TProgressSink {
    explicit TStopAfter(int n) : left(n) {}
    bool StopRequested() override { return --left <= 0; }
    int left;
};

TEST_F(WebTest, StopRequestCancelsAStalledRequest) {
    TStopAfter stop(3);
    TWebOptions o = TrustTestCa();
    o.ReadTimeoutMs = 60000;
    o.Progress = &stop;
    EXPECT_THROW(WebGetString(nullptr, Url("/stall"), false, o), TWebStopped);
}

TEST_F(WebTest, GetFileReplacesWholeOrLeavesTheOldFile) {
    const std::string path = Path("got.txt");
    { std::ofstream(path) << "old"; }
    EXPECT_THROW(WebGetFile(nullptr, Url("/missing"), path, TrustTestCa()), TWebError);
    EXPECT_EQ(ReadFileBytes(path), "old");
    WebGetFile(nullptr, Url("/moved"), path, TrustTestCa());
    EXPECT_EQ(ReadFileBytes(path), "привет");
}

TEST(WebAddressTest, OnlyHttpAndHttpsAddressesAreFetched) {
    for (const char* url : {"file:///etc/passwd", "ftp://127.0.0.1/x", "127.0.0.1/x", ""})
        EXPECT_THROW(WebGetString(nullptr, url, true), TWebError) << url;
}

TEST(WebAddressTest, ConnectionRefusedIsANetworkError) {
    // A port just released by a server that is gone.
    int port;
    {
        TTestServer s(nullptr);
        s.Start();
        port = s.Port();
    }
    try {
        WebGetString(nullptr, "http://127.0.0.1:" + std::to_string(port) + "/", false);
        FAIL();
    } catch (const TWebError& e) {
        EXPECT_EQ(e.Kind, TWebError::TKind::Network) << e.what();
    }
}

} // namespace
} // namespace velmora
