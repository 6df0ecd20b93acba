// The draw download against the test results site (HTTPS on loopback, certificate made at test
// time), through tinyproxy for the proxy cases.
#include "core/net/draws_download.h"
#include "core/util/progress.h"
#include "servers/draws_site.h"
#include "servers/tinyproxy_runner.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::MakeDraw;

// Records what the download shows and asks; answers the retry question from a script.
struct TRecordingHost : TDownloadHost {
    void WaitText(const std::string& text) override { waitTexts.push_back(text); }
    bool AskRetry(const std::string& message) override {
        questions.push_back(message);
        if (retryAnswers.empty()) return false;
        const bool a = retryAnswers.front();
        retryAnswers.erase(retryAnswers.begin());
        return a;
    }
    void ShowError(const std::string& message) override { errors.push_back(message); }
    void SaveProxy(TProxy& proxy) override {
        saved.push_back(proxy);
        proxy.Saved = true;
    }
    void DrawsAdded() override { ++drawsAdded; }
    void RowsSkipped(int, const std::string& message) override { skipped.push_back(message); }

    std::vector<std::string> waitTexts, questions, errors, skipped;
    std::vector<bool> retryAnswers;
    std::vector<TProxy> saved;
    int drawsAdded = 0;
};

struct TStopSink : TProgressSink {
    bool StopRequested() override { return stop; }
    void Status(const std::string& text) override { statuses.push_back(text); }
    bool stop = false;
    std::vector<std::string> statuses;
};

std::vector<std::string> Dates(const TDrawsArray& draws) {
    std::vector<std::string> d;
    for (const auto& r : draws) d.push_back(r.DateText());
    return d;
}

std::vector<int> Numbers(const TDrawsArray& draws) {
    std::vector<int> n;
    for (const auto& r : draws) n.push_back(r.Number);
    return n;
}

// One page row as the operator writes it, with texts given as they are.
std::string Row(const std::string& date, const std::vector<std::string>& numbers, const std::vector<std::string>& extras) {
    std::string row = "<div class=\"row \"><time datetime=\"" + date + "T21:00:00+03:00\">d</time><ul>";
    for (const auto& n : numbers) row += "<li>" + n + "</li>";
    for (const auto& e : extras) row += "<li class=\"star red\">" + e + "</li>";
    return row + "</ul></div>";
}

std::string Page(const std::vector<std::string>& rows) {
    std::string page = "<article><div class=\"prevresults\">";
    for (const auto& r : rows) page += r;
    return page + "</div></article>";
}

class DrawsDownloadTest : public test::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        archive.FileName = Path("Velmora_5x50.ldr");
    }

    // Runs the year loop against the site up to lastYear.
    int Download(int lastYear, const test::TTestCerts& trust = test::SharedTestCerts()) {
        if (!started) {
            site.Start();
            started = true;
        }
        TWebSettings web;
        web.DrawsSite = site.BaseUrl();
        web.ProxyListUrl = site.ProxyListUrl();
        web.CAFile = trust.CaFile;
        TDrawsDownloader d(archive, proxy, web, host, sink);
        d.CurrentYear = lastYear;
        d.TodayDate = today;
        if (totalTimeoutMs > 0) d.Options.TotalTimeoutMs = totalTimeoutMs;
        d.Options.ConnectTimeoutMs = 2000;
        d.Options.ReadTimeoutMs = 1000;
        const int n = d.DownloadAllYears();
        lastError = d.LastError();
        attempts = d.Attempt();
        stopped = d.Stopped();
        EXPECT_TRUE(d.Candidates().empty()) << "the candidate list lives for one download only";
        return n;
    }

    TDrawsArray OnDisk() const {
        TDrawsArchive a;
        a.FileName = archive.FileName;
        a.LoadDraws();
        return a.Draws;
    }

    test::TTestDrawsSite site;
    bool started = false;
    TDrawsArchive archive;
    TProxy proxy;
    TRecordingHost host;
    TStopSink sink;
    std::string lastError;
    int32_t today = 0;
    int totalTimeoutMs = 0;
    int attempts = 0;
    bool stopped = false;
};

TEST_F(DrawsDownloadTest, EmptyArchiveStartsIn2012AndReadsEveryYear) {
    site.Years[2012] = {MakeDraw("2012-01-03", {1, 2, 3, 4, 5}, {1, 2}), MakeDraw("2012-01-06", {6, 7, 8, 9, 10}, {3, 4})};
    site.Years[2013] = {MakeDraw("2013-02-01", {11, 12, 13, 14, 15}, {5, 6})};
    site.NoBlock = {2014};  // a year without draws is no error
    site.Years[2015] = {MakeDraw("2015-03-03", {46, 47, 48, 49, 50}, {9, 10})};

    EXPECT_EQ(Download(2015), 4);
    EXPECT_EQ(site.YearRequests(), (std::vector<int>{2012, 2013, 2014, 2015}));
    EXPECT_EQ(Dates(archive.Draws), (std::vector<std::string>{"2012-01-03", "2012-01-06", "2013-02-01", "2015-03-03"}));
    EXPECT_EQ(Numbers(archive.Draws), (std::vector<int>{1, 2, 3, 4}));
    const TDrawRecord& last = archive.Draws.back();
    EXPECT_EQ((std::vector<int>{last.Numbers[0], last.Numbers[4], last.Extras[0], last.Extras[1]}),
              (std::vector<int>{46, 50, 9, 10}));
    EXPECT_EQ(Dates(OnDisk()), Dates(archive.Draws));
    EXPECT_EQ(host.drawsAdded, 3);  // once per year that brought draws
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(lastError, "");
    EXPECT_EQ(site.LastAcceptEncoding(), "gzip, deflate, sdch");
    EXPECT_EQ(host.waitTexts.front(), "Загрузка архива тиражей...");
    EXPECT_NE(std::find(sink.statuses.begin(), sink.statuses.end(), "Загрузка тиражей за 2013 год..."), sink.statuses.end());
}

TEST_F(DrawsDownloadTest, NewestDrawSetsTheFirstYearAndDateAndNumberingFollowsTheLength) {
    // Numbers with gaps: the new draws still follow the archive's length.
    archive.Draws = {MakeDraw("2023-12-22", {1, 2, 3, 4, 5}, {1, 2}, 5), MakeDraw("2023-12-26", {1, 2, 3, 4, 6}, {1, 2}, 9),
                     MakeDraw("2023-12-29", {1, 2, 3, 4, 7}, {1, 2}, 20)};
    site.Years[2023] = {MakeDraw("2023-12-26", {9, 9, 9, 9, 9}, {1, 1}), MakeDraw("2023-12-29", {9, 9, 9, 9, 9}, {1, 1}),
                        MakeDraw("2023-12-30", {10, 20, 30, 40, 50}, {1, 10})};
    site.Years[2024] = {MakeDraw("2024-01-02", {5, 15, 25, 35, 45}, {2, 3}), MakeDraw("2024-12-31", {4, 14, 24, 34, 44}, {4, 5})};
    site.Years[2026] = {MakeDraw("2026-01-02", {3, 13, 23, 33, 43}, {6, 7})};

    EXPECT_EQ(Download(2026), 4);
    EXPECT_EQ(site.YearRequests(), (std::vector<int>{2023, 2024, 2025, 2026}));
    EXPECT_EQ(Dates(archive.Draws), (std::vector<std::string>{"2023-12-22", "2023-12-26", "2023-12-29", "2023-12-30",
                                                              "2024-01-02", "2024-12-31", "2026-01-02"}));
    EXPECT_EQ(Numbers(archive.Draws), (std::vector<int>{5, 9, 20, 4, 5, 6, 7}));
    EXPECT_EQ(Numbers(OnDisk()), Numbers(archive.Draws));
}

TEST_F(DrawsDownloadTest, NothingIsAskedBeyondTheCurrentYear) {
    // The day after the newest draw lies in the next year.
    archive.Draws = {MakeDraw("2025-12-31", {1, 2, 3, 4, 5}, {1, 2}, 1)};
    EXPECT_EQ(Download(2025), 0);
    EXPECT_TRUE(site.YearRequests().empty());
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(DrawsDownloadTest, BrokenPageFailsItsYearAndKeepsTheEarlierYearsOnDisk) {
    site.Years[2012] = {MakeDraw("2012-05-01", {1, 2, 3, 4, 5}, {1, 2})};
    site.Years[2013] = {MakeDraw("2013-05-01", {1, 2, 3, 4, 6}, {1, 2}), MakeDraw("2013-05-04", {1, 2, 3, 4, 7}, {1, 2})};
    site.Broken = {2013};
    site.Years[2014] = {MakeDraw("2014-05-01", {1, 2, 3, 4, 8}, {1, 2})};
    host.retryAnswers = {true, false};  // one more try of the same year, then give up

    EXPECT_EQ(Download(2014), 1);
    EXPECT_EQ(site.YearRequests(), (std::vector<int>{2012, 2013, 2013}));
    EXPECT_EQ(Dates(archive.Draws), (std::vector<std::string>{"2012-05-01"}));
    EXPECT_EQ(Dates(OnDisk()), Dates(archive.Draws));
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0].rfind("Ошибка загрузки архива тиражей с сайта: \"Не удалось найти пару идентификаторов "
                                      "\"<time datetime=\"\" - \"\">\" в тексте",
                                      0),
              0u)
        << host.questions[0];
    EXPECT_NE(host.questions[0].find("\"\r\rПовторить попытку?"), std::string::npos);
    EXPECT_NE(lastError.find("Не удалось найти пару идентификаторов"), std::string::npos);
    EXPECT_EQ(attempts, 3);
}

TEST_F(DrawsDownloadTest, FailedYearRepeatedOnYesContinues) {
    site.Years[2012] = {MakeDraw("2012-05-01", {1, 2, 3, 4, 5}, {1, 2})};
    site.Years[2013] = {MakeDraw("2013-05-01", {1, 2, 3, 4, 6}, {1, 2})};
    site.Failures[2013] = 1;
    host.retryAnswers = {true};

    EXPECT_EQ(Download(2013), 2);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_NE(host.questions[0].find("HTTP 500"), std::string::npos) << host.questions[0];
    EXPECT_EQ(lastError, "");
    EXPECT_EQ(Numbers(OnDisk()), (std::vector<int>{1, 2}));
}

TEST_F(DrawsDownloadTest, StalledServerEndsByTheReadTimeoutWithAClearMessage) {
    site.Years[2012] = {MakeDraw("2012-05-01", {1, 2, 3, 4, 5}, {1, 2})};
    site.Stall = {2013};
    EXPECT_EQ(Download(2013), 1);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_NE(host.questions[0].find("не ответил за 1 с"), std::string::npos) << host.questions[0];
    EXPECT_EQ(Numbers(OnDisk()), (std::vector<int>{1}));
}

// A page whose bytes keep trickling in is never idle long enough for the read time-out; the total
// limit of a request ends it.
TEST_F(DrawsDownloadTest, TricklingPageEndsByTheTotalLimit) {
    site.Trickle = {2012};
    totalTimeoutMs = 2500;
    EXPECT_EQ(Download(2012), 0);
    EXPECT_NE(lastError.find("общее время запроса истекло"), std::string::npos) << lastError;
    EXPECT_EQ(host.questions.size(), 1u);
}

TEST_F(DrawsDownloadTest, RedirectedYearPageIsRead) {
    site.Years[2012] = {MakeDraw("2012-05-01", {1, 2, 3, 4, 5}, {1, 2})};
    site.Redirect = {2012};
    EXPECT_EQ(Download(2012), 1);
    EXPECT_EQ(site.YearRequests(), (std::vector<int>{2012, 2012}));
}

TEST_F(DrawsDownloadTest, ServerWithAnUntrustedCertificateIsRefused) {
    site.Years[2012] = {MakeDraw("2012-05-01", {1, 2, 3, 4, 5}, {1, 2})};
    EXPECT_EQ(Download(2012, test::OtherTestCerts()), 0);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_NE(host.questions[0].find("Сертификат сервера 127.0.0.1"), std::string::npos) << host.questions[0];
    EXPECT_TRUE(archive.Draws.empty());
    EXPECT_TRUE(site.YearRequests().empty());
}

TEST_F(DrawsDownloadTest, StopEndsTheLoopWithoutAQuestion) {
    site.Years[2012] = {MakeDraw("2012-05-01", {1, 2, 3, 4, 5}, {1, 2})};
    sink.stop = true;
    EXPECT_EQ(Download(2013), 0);
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(host.questions.empty());
}

// ---- proxies -----------------------------------------------------------------------------------

class DrawsProxyTest : public DrawsDownloadTest {
protected:
    void SetUp() override {
        DrawsDownloadTest::SetUp();
        if (!test::TTinyproxy::Available()) GTEST_SKIP() << "tinyproxy is not installed (scripts/deps.sh installs it)";
        site.Years[2012] = {MakeDraw("2012-05-01", {1, 2, 3, 4, 5}, {1, 2})};
    }
};

TEST_F(DrawsProxyTest, ManualProxyWithTheRightPasswordCarriesTheDownload) {
    test::TTinyproxy tp(Path("proxy"), "velmora", "s3cret");
    proxy = TProxy{2, "127.0.0.1", tp.Port(), "velmora", "s3cret", true};
    EXPECT_EQ(Download(2012), 1) << host.questions.size() << " " << lastError << "\n" << tp.Log();
    EXPECT_TRUE(host.questions.empty());
    EXPECT_NE(tp.Log().find("CONNECT"), std::string::npos) << tp.Log();
    EXPECT_EQ(host.waitTexts.back(),
              "Загрузка архива тиражей...\r\rПопытка 1, proxy 127.0.0.1 : " + std::to_string(tp.Port()));
}

TEST_F(DrawsProxyTest, WrongOrMissingProxyPasswordIsAClearError) {
    test::TTinyproxy tp(Path("proxy"), "velmora", "s3cret");
    for (const std::string& password : {std::string("wrong"), std::string()}) {
        host = TRecordingHost();
        proxy = TProxy{2, "127.0.0.1", tp.Port(), password.empty() ? "" : "velmora", password, true};
        EXPECT_EQ(Download(2012), 0);
        ASSERT_EQ(host.questions.size(), 1u);
        EXPECT_NE(host.questions[0].find("отказал в доступе: неверное имя пользователя или пароль"), std::string::npos)
            << host.questions[0];
        EXPECT_TRUE(archive.Draws.empty());
    }
}

TEST_F(DrawsProxyTest, AutomaticModeRotatesCandidatesAndKeepsTheOneThatWorked) {
    test::TTinyproxy tp(Path("proxy"), "", "");
    const int dead1 = test::FreeLoopbackPort(), dead2 = test::FreeLoopbackPort();
    site.ProxyList = {"127.0.0.1:" + std::to_string(dead1), " 127.0.0.1 : " + std::to_string(dead2),
                      "127.0.0.1:" + std::to_string(tp.Port())};
    proxy = TProxy{1, "", 80, "", "", true};

    EXPECT_EQ(Download(2012), 1) << lastError;
    EXPECT_TRUE(host.questions.empty()) << host.questions.front();
    EXPECT_EQ(attempts, 3);
    EXPECT_EQ(site.ProxyListQueries(), (std::vector<std::string>{"protocol=https&min_uptime=75"}));
    // The candidate that worked is the proxy now and was written.
    EXPECT_EQ(proxy.Server, "127.0.0.1");
    EXPECT_EQ(proxy.Port, tp.Port());
    EXPECT_EQ(proxy.Mode, 1);
    ASSERT_FALSE(host.saved.empty());
    EXPECT_EQ(host.saved.back().Port, tp.Port());
    const std::vector<std::string> expectedWaits = {
        "Загрузка архива тиражей...\r\rПоиск proxy-серверов",
        "Загрузка архива тиражей...\r\rПопытка 1, proxy 127.0.0.1 : " + std::to_string(dead1),
        "Загрузка архива тиражей...\r\rПопытка 2, proxy 127.0.0.1 : " + std::to_string(dead2),
        "Загрузка архива тиражей...\r\rПопытка 3, proxy 127.0.0.1 : " + std::to_string(tp.Port())};
    EXPECT_EQ(host.waitTexts, expectedWaits);
}

// Without a proxy to go through nothing can be fetched: that is the download's error, never a
// year read with no draws.
TEST_F(DrawsDownloadTest, AutomaticModeWithoutCandidatesFailsTheDownload) {
    site.Years[2012] = {MakeDraw("2012-05-01", {1, 2, 3, 4, 5}, {1, 2})};
    struct TCase {
        bool listFails;
        std::vector<std::string> rows;
        const char* reason;
    };
    const TCase cases[] = {
        {false, {}, "Не найдено ни одного proxy-сервера с заданными параметрами"},
        {true, {}, "Сервер 127.0.0.1:"},  // the list service answers 503
    };
    for (const TCase& c : cases) {
        site.ProxyListFails = c.listFails;
        host = TRecordingHost();
        proxy = TProxy{1, "", 80, "", "", true};
        EXPECT_EQ(Download(2013), 0);
        ASSERT_EQ(host.errors.size(), 1u);
        EXPECT_NE(host.errors[0].find(c.reason), std::string::npos) << host.errors[0];
        ASSERT_EQ(host.questions.size(), 1u);
        EXPECT_NE(lastError.find(c.reason), std::string::npos) << lastError;
        EXPECT_TRUE(site.YearRequests().empty());
        EXPECT_TRUE(archive.Draws.empty());
    }
}

// Rows of a page that are not draws are left out and reported by year; a draw dated after today
// is not taken, so the draws of the days before it still come in the next download.
TEST_F(DrawsDownloadTest, HostileRowsAreSkippedAndLaterDownloadsGoOn) {
    archive.Draws = {MakeDraw("2019-12-27", {1, 2, 3, 4, 5}, {1, 2}, 1)};
    site.Pages[2019] = Page({Row("2019-12-31", {"300", "2", "3", "4", "5"}, {"1", "2"}),
                             Row("2019-12-30", {"1", "2", "3", "4", "5"}, {"1", "2"})});
    site.Pages[2020] = Page({Row("2099-01-01", {"1", "2", "3", "4", "5"}, {"1", "2"}),
                             Row("2020-01-03", {"6", "7", "8", "9", "10"}, {"3", "4"}),
                             Row("2020-01-03", {"6", "7", "8", "9", "10"}, {"3", "4"})});
    today = 20200105;
    EXPECT_EQ(Download(2020), 2);
    EXPECT_TRUE(lastError.empty()) << lastError;
    EXPECT_EQ(Dates(OnDisk()), (std::vector<std::string>{"2019-12-27", "2019-12-30", "2020-01-03"}));
    EXPECT_EQ(host.skipped.size(), 2u);
    EXPECT_NE(host.skipped[0].find("2019 год"), std::string::npos) << host.skipped[0];
    EXPECT_NE(host.skipped[0].find("число \"300\""), std::string::npos) << host.skipped[0];
    EXPECT_NE(host.skipped[1].find("2020 год"), std::string::npos) << host.skipped[1];
    EXPECT_NE(host.skipped[1].find(": 2 ("), std::string::npos) << host.skipped[1];

    // The next draw comes in although the page still has the future row.
    site.Pages[2020] = Page({Row("2099-01-01", {"1", "2", "3", "4", "5"}, {"1", "2"}),
                             Row("2020-01-07", {"11", "12", "13", "14", "15"}, {"5", "6"}),
                             Row("2020-01-03", {"6", "7", "8", "9", "10"}, {"3", "4"})});
    today = 20200108;
    EXPECT_EQ(Download(2020), 1);
    EXPECT_EQ(Dates(OnDisk()), (std::vector<std::string>{"2019-12-27", "2019-12-30", "2020-01-03", "2020-01-07"}));
}

TEST_F(DrawsDownloadTest, ProxyListIsReadPageByPage) {
    struct TCase {
        int available;
        std::string url;
        std::vector<std::string> queries;
        size_t found;
    };
    const std::vector<TCase> cases = {
        {40, "https://", {"protocol=https&min_uptime=75", "protocol=https&min_uptime=75&offset=15"}, 30},
        {20, "http://", {"protocol=http&protocol=https&min_uptime=75", "protocol=http&protocol=https&min_uptime=75&offset=15"}, 20},
        {14, "https://", {"protocol=https&min_uptime=75"}, 14},
    };
    site.Start();
    started = true;
    size_t seen = 0;
    for (const TCase& c : cases) {
        site.ProxyList.clear();
        for (int i = 0; i < c.available; ++i) site.ProxyList.push_back("10.0.0." + std::to_string(i + 1) + ":" + std::to_string(3128 + i));
        TWebSettings web;
        web.ProxyListUrl = site.ProxyListUrl();
        web.CAFile = test::SharedTestCerts().CaFile;
        TDrawsDownloader d(archive, proxy, web, host, sink);
        d.FindProxyCandidates(c.url);
        ASSERT_EQ(d.Candidates().size(), c.found);
        EXPECT_EQ(d.Candidates().front(), "10.0.0.1:3128");
        EXPECT_EQ(d.Candidates().back(), "10.0.0." + std::to_string(c.found) + ":" + std::to_string(3128 + int(c.found) - 1));
        const auto all = site.ProxyListQueries();
        EXPECT_EQ(std::vector<std::string>(all.begin() + long(seen), all.end()), c.queries);
        seen = all.size();
    }
}

// ---- the page reader ---------------------------------------------------------------------------

TEST(ResultsPageTest, ReadsRowsInPageOrder) {
    const auto rows = ReadResultsPage(test::ResultsPageHtml(
        {MakeDraw("2019-03-22", {5, 17, 33, 41, 48}, {2, 9}), MakeDraw("2019-03-26", {1, 2, 3, 4, 50}, {10, 1})}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].DateText(), "2019-03-26");  // newest first, as the page lists them
    EXPECT_EQ(rows[1].DateText(), "2019-03-22");
    EXPECT_EQ((std::vector<int>(rows[1].Numbers, rows[1].Numbers + 5)), (std::vector<int>{5, 17, 33, 41, 48}));
    EXPECT_EQ((std::vector<int>(rows[1].Extras, rows[1].Extras + 2)), (std::vector<int>{2, 9}));
    EXPECT_EQ(rows[0].Number, 0);
}

TEST(ResultsPageTest, MarkerCases) {
    struct TCase {
        const char* page;
        int rows;          // -1: the marker error
        const char* date;  // of the first row
    };
    const TCase cases[] = {
        {"<html>no block</html>", 0, ""},
        {"<DIV CLASS=\"PREVRESULTS\"></article>", 0, ""},
        {"<div class=\"prevresults\"><div class=\"row \"><ul><li>1</li><li>2</li><li>3</li><li>4</li><li>5</li>"
         "<li class=\"star red\">6</li><li class=\"star red\">7</li></ul></article>",
         0, ""},  // no date marker: not a draw
        {"<div class=\"prevresults\"><div class=\"row \"><time datetime=\"2020-01-01\">x</time></article>", 0, ""},
        {"<div class=\"prevresults\"><div class=\"row \"><time datetime=\"2020-01-01</article>", -1, ""},
        {"<div class=\"prevresults\"><div class=\"row \"><ul><li>1</li></article>", -1, ""},
        {"<div class=\"prevresults\"><div class=\"row \"><ul><li>1</li><li>2</ul></article>", -1, ""},
        {"<div class=\"prevresults\"><div class=\"row \">", -1, ""},
    };
    for (const TCase& c : cases) {
        if (c.rows < 0) {
            EXPECT_THROW(ReadResultsPage(c.page), Error) << c.page;
            continue;
        }
        const auto rows = ReadResultsPage(c.page);
        ASSERT_EQ(int(rows.size()), c.rows) << c.page;
        if (c.rows > 0) {
            EXPECT_EQ(rows[0].DateText(), c.date) << c.page;
        }
    }
}

// Rows that are not draws are left out and counted with their reasons; the good rows stay.
TEST(ResultsPageTest, RowsThatAreNotDrawsAreSkippedWithTheirReason) {
    const std::vector<std::string> five = {"1", "2", "3", "4", "5"}, two = {"1", "2"};
    struct TCase {
        std::string row;
        const char* reason;
    };
    const TCase cases[] = {
        {Row("2020-01-03", {"300", "2", "3", "4", "5"}, two), "число \"300\" не является числом от 1 до 50"},
        {Row("2020-01-03", {"-5", "2", "3", "4", "5"}, two), "число \"-5\" не является числом от 1 до 50"},
        {Row("2020-01-03", {"abc", "2", "3", "4", "5"}, two), "число \"abc\" не является числом от 1 до 50"},
        {Row("2020-01-03", {"0", "2", "3", "4", "5"}, two), "число \"0\" не является числом от 1 до 50"},
        {Row("2020-01-03", {"1", "2", "3", "4"}, two), "число \"\" не является числом от 1 до 50"},
        {Row("2020-01-03", {"7", "2", "3", "7", "5"}, two), "число 7 повторяется"},
        {Row("2020-01-03", five, {"11", "2"}), "доп. число \"11\" не является числом от 1 до 10"},
        {Row("2020-01-03", five, {"0", "2"}), "доп. число \"0\" не является числом от 1 до 10"},
        {Row("2020-01-03", five, {"4", "4"}), "доп. число 4 повторяется"},
        {Row("2020-01-03", five, {"4"}), "доп. число \"\" не является числом от 1 до 10"},
        {Row("2020-02-30", five, two), "дата \"2020-02-30\" не является датой"},
        {Row("20x0-01-03", five, two), "дата \"20x0-01-03\" не является датой"},
        {Row("2020-06-02", five, two), "дата 2020-06-02 позже сегодняшней"},
        {Row("2020-01-01", five, two), "тираж от 2020-01-01 повторяется"},
    };
    const std::string good = Row("2020-01-01", {"50", "9", "1", "33", "12"}, {"10", "1"});
    for (const TCase& c : cases) {
        TPageSkips skips;
        const auto rows = ReadResultsPage(Page({good, c.row}), &skips, 20200601);
        ASSERT_EQ(rows.size(), 1u) << c.row;
        EXPECT_EQ(rows[0].DateText(), "2020-01-01");
        EXPECT_EQ((std::vector<int>(rows[0].Numbers, rows[0].Numbers + 5)), (std::vector<int>{50, 9, 1, 33, 12}));
        EXPECT_EQ(skips.Count, 1) << c.row;
        EXPECT_EQ(skips.Reasons, (std::vector<std::string>{std::string("строка 2: ") + c.reason})) << c.row;
    }
    // Today itself is a draw day like any other.
    EXPECT_EQ(ReadResultsPage(Page({Row("2020-06-01", five, two)}), nullptr, 20200601).size(), 1u);
}

// Pages are read in one pass, so a page of millions of row markers is done in time proportional
// to its length, and a page whose block never closes is quoted by a short excerpt only.
TEST(ResultsPageTest, HugePagesAreReadInOnePassAndQuotedShortly) {
    std::string page = "<div class=\"prevresults\">";
    const std::string marker = "<div class=\"row \">";
    page.reserve(marker.size() * 200000 + 1000);
    for (int i = 0; i < 200000; ++i) page += marker;
    page += Row("2020-01-01", {"1", "2", "3", "4", "5"}, {"1", "2"}) + "</article>";
    TPageSkips skips;
    const auto rows = ReadResultsPage(page, &skips, 20200601);
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(skips.Count, 200000);
    EXPECT_EQ(skips.Reasons.size(), TPageSkips::kMaxReasons);

    page.resize(page.size() - std::string("</article>").size());
    try {
        ReadResultsPage(page);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_LT(std::string(e.what()).size(), 1000u);
    }
    std::string proxies;
    for (int i = 0; i < 100000; ++i) proxies += "<tr><td>10.0.0.1</td><td>80</td></tr>";
    EXPECT_EQ(ReadProxyListPage(proxies).size(), 100000u);
}

TEST(ResultsPageTest, AppendKeepsDatesFromTheGivenDayOldestFirst) {
    TDrawsArchive a;
    a.Draws = {MakeDraw("2020-01-01", {1, 2, 3, 4, 5}, {1, 2}, 7)};
    const std::vector<TDrawRecord> page = {MakeDraw("2020-01-08", {1, 2, 3, 4, 5}, {1, 2}),
                                           MakeDraw("2020-01-04", {1, 2, 3, 4, 5}, {1, 2}),
                                           MakeDraw("2020-01-01", {1, 2, 3, 4, 5}, {1, 2})};
    EXPECT_EQ(AppendPageDraws(a, page, 20200102), 2);
    EXPECT_EQ(Dates(a.Draws), (std::vector<std::string>{"2020-01-01", "2020-01-04", "2020-01-08"}));
    EXPECT_EQ(Numbers(a.Draws), (std::vector<int>{7, 2, 3}));
    EXPECT_EQ(DrawDateInt(a, 0, 1), 20200109);
    EXPECT_EQ(DrawDateInt(a, 5, 1), 20120101);
    EXPECT_EQ(DrawDateInt(TDrawsArchive(), 0, 1), 20120101);
}

TEST(ProxyListPageTest, RowsWithTwoCellsGiveEntries) {
    EXPECT_EQ(ReadProxyListPage("<table><tr><th>IP</th><th>Port</th></tr><tr><td>1.2.3.4</td><td>8080</td></tr>"
                                "<TR class=\"odd\"><td> h.example </td><td>3128</td><td>x</td></TR><tr><td>lonely</td></tr></table>"),
              (std::vector<std::string>{"1.2.3.4:8080", "h.example:3128"}));
    EXPECT_TRUE(ReadProxyListPage("no table").empty());
}

} // namespace
} // namespace velmora
