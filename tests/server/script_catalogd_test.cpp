// The script catalog of velmora-catalogd on loopback, through the program's own client: the list
// under every filter with private scripts kept to their owner, downloads counted, the title check,
// replacing and deleting by the owner only, ratings (one per user, 0 deletes, -1 hides) and the
// ratings list, refused fields, concurrent publishing of one title, and a systems-only database
// of the previous version opened and upgraded with its rows.
#include "catalogd_process.h"

#include "core/net/script_catalog.h"
#include "core/net/web.h"
#include "core/stakes/system_catalog.h"
#include "core/util/error.h"
#include "core/util/text.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include <unistd.h>

using namespace velmora;
using namespace velmora::test;
namespace fs = std::filesystem;

namespace {

class ScriptCatalogdTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("velmora_scripts_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void Start() { server = std::make_unique<TCatalogdProcess>(dir.string()); }
    void TearDown() override {
        server.reset();
        fs::remove_all(dir);
    }

    TScriptCatalog Catalog(const std::string& mail, const std::string& machine,
                           const std::string& app = kCatalogAppId) const {
        TScriptCatalog c;
        c.Site = server->BaseUrl();
        c.Options.CAFile = server->CaFile();
        c.Client.AppId = app;
        c.Client.AppVer = "1.0";
        c.Client.HwdId = machine;
        c.Client.Name = mail.substr(0, mail.find('@'));
        c.Client.Mail = mail;
        c.Client.Lcid = 1049;
        return c;
    }
    static tScriptData Data(const std::string& title, bool isPublic = true) {
        tScriptData d;
        d.Title = title;
        d.Descr = "Описание " + title;
        d.AuthorName = "Автор";
        d.Lcid = 1033;
        d.Public = isPublic;
        return d;
    }
    static std::vector<int32_t> Ids(const std::vector<tScriptInfo>& list) {
        std::vector<int32_t> ids;
        for (const auto& i : list) ids.push_back(i.Id);
        return ids;
    }
    static const tScriptInfo* Find(const std::vector<tScriptInfo>& list, int32_t id) {
        for (const auto& i : list)
            if (i.Id == id) return &i;
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
    void Sql(const std::string& sql) const {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((dir / "catalog.sqlite").c_str(), &db), SQLITE_OK);
        sqlite3_busy_timeout(db, 5000);
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    fs::path dir;
    std::unique_ptr<TCatalogdProcess> server;
};

const std::vector<std::string> kLines = {"FULL:0#RAND| | | | | | | |первая", "", "EXCL:3#ALL#CLR| | | | | | | |"};

TEST_F(ScriptCatalogdTest, ListsUnderEveryFilter) {
    Start();
    const TScriptCatalog ivan = Catalog("ivan@example.org", "m1"), petr = Catalog("petr@example.org", "m2");
    const int32_t a = PutScript(ivan, Data("Альфа"), kLines, false);
    const int32_t b = PutScript(ivan, Data("Бета (личный)", false), kLines, false);
    const int32_t c = PutScript(petr, Data("Гамма"), kLines, false);
    const int32_t d = PutScript(ivan, Data("Дельта"), kLines, false);
    const int32_t e = PutScript(ivan, Data("Эпсилон"), kLines, false);
    ASSERT_TRUE(a > 0 && b > a && c > b && d > c && e > d);
    SetScriptRating(petr, a, 4, "хорошо");
    SetScriptRating(petr, d, -1, "");
    // e was published two days ago.
    Sql("UPDATE scripts SET created = datetime('now', '-2 days') WHERE id = " + std::to_string(e));

    const struct {
        int fltid;
        std::vector<int32_t> petrSees, ivanSees;
    } cases[] = {
        {-1, {d}, {}},
        {0, {a, c, d, e}, {a, b, c, d, e}},
        {1, {a, c, e}, {a, b, c, d, e}},
        {2, {c}, {a, b, d, e}},
        {3, {a, c, e}, {a, c, d, e}},
        {4, {a}, {}},
        {5, {c, e}, {a, b, c, d, e}},
        {6, {a, c}, {a, b, c, d}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.fltid);
        EXPECT_EQ(Ids(FetchScriptList(petr, k.fltid)), k.petrSees);
        EXPECT_EQ(Ids(FetchScriptList(ivan, k.fltid)), k.ivanSees);
    }
    // A filter out of range is refused.
    EXPECT_NE(ErrorOf([&] { FetchScriptList(petr, 7); }).find("fltid"), std::string::npos);

    // The fields of a row as the client reads them.
    const auto list = FetchScriptList(petr, 0);
    const tScriptInfo& alpha = *Find(list, a);
    EXPECT_EQ(alpha.Title, "Альфа");
    EXPECT_EQ(alpha.Descr, "Описание Альфа");
    EXPECT_EQ(alpha.AuthorName, "Автор");
    EXPECT_EQ(alpha.AuthorMail, "ivan@example.org");
    EXPECT_EQ(alpha.Lcid, 1033);
    EXPECT_EQ(alpha.AppName, kCatalogAppId);
    EXPECT_EQ(alpha.AppVer, "1.0");
    EXPECT_TRUE(alpha.Public && alpha.Compatible && !alpha.Mine && !alpha.Editable);
    EXPECT_LT(std::abs(alpha.Created - Now()) * 86400, 120);  // local time, not UTC
    EXPECT_EQ(alpha.MyRating, 4);
    EXPECT_EQ(ScriptRowCells(alpha)[9], "4");
    EXPECT_EQ(ScriptRowCells(*Find(list, d))[9], "Скрытый");
    EXPECT_TRUE(Find(list, c)->Mine && Find(list, c)->Editable);
}

TEST_F(ScriptCatalogdTest, DownloadsAreCountedAndKeepTheLines) {
    Start();
    const TScriptCatalog ivan = Catalog("ivan@example.org", "m1");
    const int32_t id = PutScript(ivan, Data("Сценарий"), kLines, false);
    EXPECT_EQ(Find(FetchScriptList(ivan, 1), id)->Downloads, 0);
    EXPECT_EQ(Find(FetchScriptList(ivan, 1), id)->LastDownload, 0);
    EXPECT_EQ(FetchScriptLines(ivan, id), kLines);
    EXPECT_EQ(FetchScriptLines(ivan, id), kLines);
    const tScriptInfo info = *Find(FetchScriptList(ivan, 1), id);
    EXPECT_EQ(info.Downloads, 2);
    EXPECT_NE(info.LastDownload, 0);
    EXPECT_NE(ErrorOf([&] { FetchScriptLines(ivan, id + 100); }).find("не найден"), std::string::npos);
}

TEST_F(ScriptCatalogdTest, TitlesAreUniqueIgnoringCase) {
    Start();
    const TScriptCatalog ivan = Catalog("ivan@example.org", "m1"), petr = Catalog("petr@example.org", "m2");
    const int32_t id = PutScript(ivan, Data("Мой Сценарий 'один'"), kLines, false);
    const struct {
        int32_t id;
        const char* title;
        bool free;
    } cases[] = {
        {-1, "Мой Сценарий 'один'", false}, {-1, "мой сценарий 'ОДИН'", false}, {id, "МОЙ сценарий 'один'", true},
        {-1, "Мой Сценарий 'два'", true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.title);
        EXPECT_EQ(ScriptTitleFree(petr, k.id, k.title), k.free);
    }
    EXPECT_NE(ErrorOf([&] { PutScript(petr, Data("МОЙ СЦЕНАРИЙ 'ОДИН'"), kLines, false); }).find("уже существует"),
              std::string::npos);
    EXPECT_EQ(FetchScriptList(petr, 0).size(), 1u);
}

TEST_F(ScriptCatalogdTest, OnlyTheOwnerReplacesOrDeletes) {
    Start();
    const TScriptCatalog ivan = Catalog("ivan@example.org", "m1");
    tScriptData data = Data("Свой");
    data.Id = PutScript(ivan, data, kLines, false);
    ASSERT_GT(data.Id, 0);
    for (const auto& [mail, machine] : {std::pair{"ivan@example.org", "m2"}, std::pair{"petr@example.org", "m1"}}) {
        SCOPED_TRACE(std::string(mail) + " " + machine);
        const TScriptCatalog other = Catalog(mail, machine);
        EXPECT_NE(ErrorOf([&] { PutScript(other, data, {"чужой"}, false); }).find("только его автор"), std::string::npos);
        EXPECT_NE(ErrorOf([&] { PutScript(other, data, {}, true); }).find("только его автор"), std::string::npos);
    }
    EXPECT_EQ(FetchScriptLines(ivan, data.Id), kLines);

    // The owner (e-mail in any case) replaces it: same id, new properties and lines.
    const TScriptCatalog owner = Catalog("IVAN@example.org", "m1");
    data.Title = "Свой, изменённый";
    data.Universal = true;
    EXPECT_EQ(PutScript(owner, data, {"CURR:0#NONE| | | | | | | |"}, false), data.Id);
    const tScriptInfo info = *Find(FetchScriptList(owner, 0), data.Id);
    EXPECT_EQ(info.Title, "Свой, изменённый");
    EXPECT_TRUE(info.Universal);
    EXPECT_EQ(FetchScriptLines(owner, data.Id), (std::vector<std::string>{"CURR:0#NONE| | | | | | | |"}));
    SetScriptRating(Catalog("petr@example.org", "m2"), data.Id, 5, "");
    EXPECT_EQ(PutScript(owner, data, {}, true), 0);
    EXPECT_TRUE(FetchScriptList(owner, 0).empty());
    EXPECT_TRUE(FetchScriptRates(owner, data.Id).empty());
}

TEST_F(ScriptCatalogdTest, RatingsOnePerUserZeroDeletesMinusOneHides) {
    Start();
    const TScriptCatalog ivan = Catalog("ivan@example.org", "m1"), petr = Catalog("petr@example.org", "m2"),
                         anna = Catalog("anna@example.org", "m3");
    const int32_t id = PutScript(ivan, Data("Оцениваемый"), kLines, false);
    SetScriptRating(petr, id, 2, "сначала плохо");
    SetScriptRating(petr, id, 4, "потом \"хорошо\"?");
    // Markup in a note would travel in the reply as it is: refused, the rating stays.
    EXPECT_NE(ErrorOf([&] { SetScriptRating(petr, id, 1, "<b>"); }).find("rate_notes"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { SetScriptRating(petr, id, 6, ""); }).find("rate_value"), std::string::npos);
    SetScriptRating(anna, id, 5, "");
    tScriptInfo info = *Find(FetchScriptList(petr, 1), id);
    EXPECT_EQ(info.MyRating, 4);
    EXPECT_EQ(info.RatingCount, 2);
    EXPECT_DOUBLE_EQ(info.RatingAvg, 4.5);
    EXPECT_EQ(Find(FetchScriptList(ivan, 1), id)->MyRating, 0);
    // The same e-mail on another computer is another rater.
    EXPECT_EQ(Find(FetchScriptList(Catalog("petr@example.org", "m9"), 1), id)->MyRating, 0);

    std::vector<tScriptRate> rates = FetchScriptRates(ivan, id);
    ASSERT_EQ(rates.size(), 2u);
    EXPECT_EQ(rates[0].Name, "petr");
    EXPECT_EQ(rates[0].Rate, 4);
    EXPECT_EQ(rates[0].Notes, "потом \"хорошо\"?");
    EXPECT_EQ(rates[0].AppName, kCatalogAppId);
    EXPECT_EQ(rates[0].AppVer, "1.0");
    EXPECT_NE(rates[0].Created, 0);
    EXPECT_EQ(rates[1].Name, "anna");
    EXPECT_EQ(rates[1].Rate, 5);

    // Anna hides it: gone from her default list, her mark out of the average and the ratings.
    SetScriptRating(anna, id, -1, "");
    EXPECT_EQ(Find(FetchScriptList(anna, 1), id), nullptr);
    info = *Find(FetchScriptList(anna, -1), id);
    EXPECT_EQ(info.MyRating, -1);
    EXPECT_EQ(info.RatingCount, 1);
    EXPECT_DOUBLE_EQ(info.RatingAvg, 4);
    EXPECT_EQ(FetchScriptRates(ivan, id).size(), 1u);
    EXPECT_NE(Find(FetchScriptList(petr, 1), id), nullptr);

    // Petr's 0 deletes his rating.
    SetScriptRating(petr, id, 0, "");
    info = *Find(FetchScriptList(petr, 1), id);
    EXPECT_EQ(info.MyRating, 0);
    EXPECT_EQ(info.RatingCount, 0);
    EXPECT_TRUE(FetchScriptRates(ivan, id).empty());

    // A private script cannot be rated by others.
    const int32_t own = PutScript(ivan, Data("Личный", false), kLines, false);
    EXPECT_NE(ErrorOf([&] { SetScriptRating(petr, own, 3, ""); }).find("не найден"), std::string::npos);
}

TEST_F(ScriptCatalogdTest, MalformedRequestsAreRefused) {
    Start();
    const TScriptCatalog ivan = Catalog("ivan@example.org", "m1");
    const std::string url = server->BaseUrl() + kScriptPutPath;
    TFormFields good = ScriptPutFields(Data("Годный"), "FULL:0#RAND| | | | | | | |", false, ivan.Client);
    auto with = [&](const char* name, const std::string& value) {
        TFormFields f = good;
        for (auto& [k, v] : f)
            if (k == name) v = value;
        return f;
    };
    const struct {
        TFormFields fields;
        const char* reason;
    } cases[] = {
        {with("scr_script", "строка\\0с нулём"), "Недопустимые символы"},
        {with("scr_script", "\xC0\xBC"), "кодировка"},
        {with("scr_script", "  \\r\\n "), "Пустой"},
        {with("scr_title", "  "), "scr_title"},
        {with("scr_title", std::string(300, 'x')), "scr_title"},
        {with("cl_name", "<script>"), "cl_name"},
        {with("scr_uniapps", "2"), "scr_uniapps"},
        {with("scr_id", "1 OR 1=1"), "scr_id"},
        {with("cl_mail", "nobody"), "почты"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.reason);
        const std::string reply = WebPostForm(nullptr, url, k.fields, false, ivan.Options);
        EXPECT_NE(ErrorOf([&] { ReadScriptPutReply(reply); }).find(k.reason), std::string::npos) << reply;
    }
    EXPECT_TRUE(FetchScriptList(ivan, 0).empty());
    // A body over the bound is refused whole.
    EXPECT_NE(ErrorOf([&] { PutScript(ivan, Data("Большой"), {std::string(5u << 20, 'x')}, false); }), "no error");
    EXPECT_GT(PutScript(ivan, Data("Годный"), {"FULL:0#RAND| | | | | | | |"}, false), 0);
}

TEST_F(ScriptCatalogdTest, ConcurrentPublishingOfOneTitleKeepsOne) {
    Start();
    constexpr int kThreads = 4;
    std::atomic<int> published{0}, refused{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            const TScriptCatalog c = Catalog("u" + std::to_string(t) + "@example.org", "m");
            try {
                if (PutScript(c, Data("Один на всех"), kLines, false) > 0) ++published;
            } catch (const Error&) {
                ++refused;
            }
            for (int i = 0; i < 3; ++i) {
                for (const tScriptInfo& s : FetchScriptList(c, 0)) SetScriptRating(c, s.Id, 1 + (t + i) % 5, "");
            }
        });
    for (auto& th : threads) th.join();
    EXPECT_EQ(published.load(), 1);
    EXPECT_EQ(refused.load(), kThreads - 1);
    const auto list = FetchScriptList(Catalog("x@example.org", "x"), 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_LE(list[0].RatingCount, kThreads);
}

TEST_F(ScriptCatalogdTest, SystemsOnlyDatabaseIsUpgraded) {
    // A database of the previous version: the systems table with one row, schema version 0.
    Sql("CREATE TABLE systems (id INTEGER PRIMARY KEY AUTOINCREMENT, nums INTEGER NOT NULL, olap INTEGER NOT NULL,"
        " csize INTEGER NOT NULL, title TEXT NOT NULL, descr TEXT NOT NULL, clist TEXT NOT NULL, url TEXT NOT NULL,"
        " author TEXT NOT NULL, owner_mail TEXT NOT NULL, owner_machine TEXT NOT NULL, app_id TEXT NOT NULL,"
        " app_ver TEXT NOT NULL, created TEXT NOT NULL, downloads INTEGER NOT NULL DEFAULT 0,"
        " last_download TEXT NOT NULL DEFAULT '');"
        "INSERT INTO systems (nums, olap, csize, title, descr, clist, url, author, owner_mail, owner_machine, app_id,"
        " app_ver, created) VALUES (6, 0, 1, 'Старая', 'd', '01 02 03 04 05', '', 'a', 'a@b.c', 'm', 'x', '1',"
        " '2024-01-01 00:00:00')");
    Start();
    TSystemCatalog systems;
    systems.Site = server->BaseUrl();
    systems.Options.CAFile = server->CaFile();
    systems.Client.Mail = "a@b.c";
    bool available = false;
    const auto list = FetchSystemList(systems, available);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Title, "Старая");
    const TScriptCatalog ivan = Catalog("ivan@example.org", "m1");
    const int32_t id = PutScript(ivan, Data("Новый"), kLines, false);
    EXPECT_EQ(Ids(FetchScriptList(ivan, 1)), std::vector<int32_t>{id});
    // Opened again, the upgraded file keeps both.
    server.reset();
    Start();
    systems.Site = server->BaseUrl();
    EXPECT_EQ(FetchSystemList(systems, available).size(), 1u);
    EXPECT_EQ(FetchScriptLines(Catalog("ivan@example.org", "m1"), id), kLines);
}

} // namespace
