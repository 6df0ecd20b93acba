// The client of the script catalog: the fields of the requests, the reading of replies that may be
// anything, and the download into the script list against a site on loopback.
#include "core/net/script_catalog.h"

#include "core/net/catalog_text.h"
#include "core/scripts/script_list.h"
#include "core/util/error.h"
#include "core/util/text.h"
#include "servers/test_server.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <functional>

namespace velmora {
namespace {

using test::SharedTestCerts;
using test::TTestServer;

TCatalogClient Client() {
    TCatalogClient c;
    c.AppVer = "1.2";
    c.HwdId = "hw";
    c.Name = "Иван";
    c.Mail = "Ivan@Example.org";
    c.Lcid = 1049;
    return c;
}

std::string ErrorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

std::string Names(const TFormFields& f) {
    std::string out;
    for (const auto& [k, v] : f) out += k + "=" + v + ";";
    return out;
}

TEST(ScriptCatalogFields, RequestsCarryTheirFieldsInOrder) {
    const TCatalogClient c = Client();
    const std::string identity = "appid=Velmora_5x50;appver=1.2;hwdid=hw;cl_name=Иван;cl_mail=Ivan@Example.org;cl_lcid=1049;";
    EXPECT_EQ(Names(ScriptListFields(-1, c)), "fltid=-1;" + identity);
    EXPECT_EQ(Names(ScriptListFields(6, c)), "fltid=6;" + identity);
    EXPECT_EQ(Names(ScriptSetRateFields(7, 4, "ок?", c)), "scr_id=7;rate_value=4;rate_notes=ок\\?;" + identity);
    // An apostrophe in a title goes with a backslash before it.
    EXPECT_EQ(Names(ScriptCheckTitleFields(-1, "Ivan's")), "scr_id=-1;scr_title=Ivan\\'s;");
    EXPECT_NE(EncodeFormFields(ScriptCheckTitleFields(-1, "Ivan's")).find("Ivan%5C%27s"), std::string::npos);

    tScriptData d;
    d.Id = 5;
    d.AuthorName = "Пётр";
    d.Lcid = 1033;
    d.Universal = true;
    d.Public = false;
    d.Title = "T'";
    d.Descr = "D";
    const std::string author = "appid=Velmora_5x50;appver=1.2;hwdid=hw;cl_name=Пётр;cl_mail=Ivan@Example.org;cl_lcid=1033;";
    EXPECT_EQ(Names(ScriptPutFields(d, "a\r\nb", false, c)),
              "del_mode=0;scr_id=5;scr_uniapps=1;scr_publics=0;scr_title=T\\';scr_descr=D;scr_script=a\\r\\nb;" + author);
    EXPECT_EQ(Names(ScriptPutFields(d, "a\r\nb", true, c)),
              "del_mode=1;scr_id=5;scr_uniapps=1;scr_publics=0;scr_title=T\\';scr_descr=D;" + author);
}

std::string Row(const std::string& elements) { return "<row>" + elements + "</row>"; }
std::string B64(const std::string& s) { return Base64Encode(s); }

TEST(ScriptCatalogReply, RowsAreReadWithOwnershipAndCompatibility) {
    const std::string common = "<key_cl_name>Иван</key_cl_name><created>2024-03-01 10:00:00</created>"
                               "<rating_avg>4.5</rating_avg><rating_cnt>2</rating_cnt><title>" + B64("Заголовок <b>") +
                               "</title>";
    const std::string reply =
        "<result>" +
        Row("<id>1</id><key_cl_mail>ivan@example.org</key_cl_mail><app_guid>Other_6x45</app_guid><uniapps>0</uniapps>" +
            common) +
        Row("<id>2</id><key_cl_mail>ivan@example.org</key_cl_mail><app_guid>other</app_guid><uniapps>1</uniapps>" + common) +
        Row("<id>3</id><key_cl_mail>petr@example.org</key_cl_mail><app_guid>VELMORA_5X50</app_guid>"
            "<rating_you>-1</rating_you><key_cl_lcid>1033</key_cl_lcid>" + common) +
        "</result>";
    const std::vector<tScriptInfo> list = ReadScriptListReply(reply, Client());
    ASSERT_EQ(list.size(), 3u);
    const struct {
        bool mine, compatible, editable;
    } expected[] = {{true, false, false}, {true, true, true}, {false, true, false}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list[i].Mine, expected[i].mine);
        EXPECT_EQ(list[i].Compatible, expected[i].compatible);
        EXPECT_EQ(list[i].Editable, expected[i].editable);
        EXPECT_EQ(list[i].Title, "Заголовок <b>");
        EXPECT_DOUBLE_EQ(list[i].RatingAvg, 4.5);
    }
    // An absent language is the client's; absent texts are empty, absent times none.
    EXPECT_EQ(list[0].Lcid, 1049);
    EXPECT_EQ(list[2].Lcid, 1033);
    EXPECT_EQ(list[0].Descr, "");
    EXPECT_EQ(list[0].LastDownload, 0);
    EXPECT_NE(list[0].Created, 0);

    const std::vector<std::string> cells = ScriptRowCells(list[2]);
    ASSERT_EQ(cells.size(), 13u);
    EXPECT_EQ(cells[0], "Общий");
    EXPECT_EQ(cells[5], "ENU");
    EXPECT_EQ(cells[7], "4,500");
    EXPECT_EQ(cells[9], "Скрытый");
    EXPECT_EQ(cells[11], "");
    EXPECT_EQ(ScriptRowCells(list[1])[3], "Универсальный");
    EXPECT_EQ(ScriptRowCells(list[0])[0], "Мой");
    EXPECT_EQ(ScriptRowCells(list[0])[9], "");
    // No "<result>": no rows and no error.
    EXPECT_TRUE(ReadScriptListReply("<html>maintenance</html>", Client()).empty());
}

TEST(ScriptCatalogReply, UnusableRepliesFailTheRequest) {
    const std::string ok = "<id>1</id><title>" + B64("T") + "</title>";
    const struct {
        const char* what;
        std::string reply;
        const char* reason;
    } cases[] = {
        {"an error row", "<result>" + Row(ok) + Row("<error>нет доступа</error>") + "</result>", "нет доступа"},
        {"a reply cut in a row", "<result><row><id>1</id><title>VA==", "Не удалось найти пару"},
        {"a reply cut after a row", "<result>" + Row(ok), "Не удалось найти пару"},
        {"a date that is not a date", "<result>" + Row(ok + "<created>2024-13-45 99:00:00</created>") + "</result>", "<created>"},
        {"a bad count", "<result>" + Row(ok + "<rating_cnt>2x</rating_cnt>") + "</result>", "<rating_cnt>"},
        {"a bad average", "<result>" + Row(ok + "<rating_avg>1e308</rating_avg>") + "</result>", "<rating_avg>"},
        {"a rating out of range", "<result>" + Row(ok + "<rating_you>9</rating_you>") + "</result>", "<rating_you>"},
        {"no id", "<result>" + Row("<title>VA==</title>") + "</result>", "<id>"},
        {"bad Base64", "<result>" + Row("<id>1</id><title>@@@</title>") + "</result>", "<title>"},
        {"a title that is not UTF-8", "<result>" + Row("<id>1</id><title>" + B64("\xC0\xBC") + "</title>") + "</result>", "<title>"},
        {"a title with a NUL", "<result>" + Row("<id>1</id><title>" + B64(std::string("a\0b", 3)) + "</title>") + "</result>", "<title>"},
        {"an author that is not UTF-8", "<result>" + Row(ok + "<key_cl_name>\xFF</key_cl_name>") + "</result>", "<key_cl_name>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NE(ErrorOf([&] { ReadScriptListReply(c.reply, Client()); }).find(c.reason), std::string::npos)
            << ErrorOf([&] { ReadScriptListReply(c.reply, Client()); });
    }
}

TEST(ScriptCatalogReply, ScriptTextsAndCodes) {
    const std::string lines = "FULL:0#RAND| | | | | | | |a\r\n\r\nCURR:0#NONE| | | | | | | |";
    EXPECT_EQ(ReadScriptDataReply("<result>" + Row("<error></error>") + Row("<script>" + B64(lines) + "</script>") + "</result>"),
              (std::vector<std::string>{"FULL:0#RAND| | | | | | | |a", "", "CURR:0#NONE| | | | | | | |"}));
    // Only a row that starts with the script counts, and an empty script is none.
    EXPECT_TRUE(ReadScriptDataReply("<result>" + Row("<x/><script>" + B64("a") + "</script>") + "</result>").empty());
    EXPECT_TRUE(ReadScriptDataReply("<result>" + Row("<script>" + B64(" \r\n") + "</script>") + "</result>").empty());
    const struct {
        const char* what;
        std::string script;
        const char* reason;
    } bad[] = {
        {"a NUL in line 2", B64(std::string("a\r\nb\0c", 6)), "строке 2"},
        {"not UTF-8", B64("a\xE0\x80\xAF"), "кодировка"},
        {"too long", std::string((kMaxCatalogScriptBytes / 3 + 10) * 4, 'A'), "длинное"},
        {"not Base64", "a?b", "<script>"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.what);
        EXPECT_NE(ErrorOf([&] { ReadScriptDataReply("<result>" + Row("<script>" + c.script + "</script>") + "</result>"); })
                      .find(c.reason),
                  std::string::npos);
    }

    EXPECT_EQ(ReadScriptSetRateReply("<result>" + Row("<res_code>0</res_code>") + "</result>"), 0);
    EXPECT_EQ(ErrorOf([] { ReadScriptSetRateReply("<result>" + Row("<res_code>-3</res_code>") + "</result>"); }),
              "Код возврата: -3");
    EXPECT_TRUE(ReadScriptCheckTitleReply("<result>" + Row("<ret_code>0</ret_code>") + "</result>"));
    EXPECT_FALSE(ReadScriptCheckTitleReply("<result>" + Row("<ret_code>1</ret_code>") + "</result>"));
    EXPECT_EQ(ReadScriptPutReply("<result>" + Row("<id_scripts>12</id_scripts>") + "</result>"), 12);
    EXPECT_NE(ErrorOf([] { ReadScriptPutReply("<result>" + Row("<id_scripts>x</id_scripts>") + "</result>"); }), "no error");
    EXPECT_NE(ErrorOf([] { ReadScriptPutReply("<result></result>"); }), "no error");

    const auto rates = ReadScriptRatesReply("<result>" + Row("<key_cl_name>Анна</key_cl_name><rate>5</rate><notes>&lt;i&gt;</notes>"
                                                             "<created>2024-01-02 03:04:05</created>") + "</result>");
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_EQ(rates[0].Name, "Анна");
    EXPECT_EQ(rates[0].Rate, 5);
    EXPECT_EQ(rates[0].Notes, "&lt;i&gt;");
}

TEST(ScriptCatalogData, DialogChecksInOrder) {
    tScriptData d = NewScriptData(Client());
    EXPECT_EQ(d.Id, -1);
    EXPECT_TRUE(d.Public);
    EXPECT_FALSE(d.Universal);
    EXPECT_EQ(d.AuthorName, "Иван");
    d.AuthorName = " ";
    EXPECT_EQ(ErrorOf([&] { CheckScriptData(d); }), kScriptTitleEmpty);
    d.Title = "  Т  ";
    EXPECT_EQ(ErrorOf([&] { CheckScriptData(d); }), kScriptAuthorEmpty);
    d.AuthorName = " А ";
    EXPECT_EQ(CheckScriptData(d).Title, "Т");
    EXPECT_EQ(CheckScriptData(d).AuthorName, "А");
}

// The download against a site that answers with a script, or with something unusable.
class ScriptDownload : public test::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        server.Http().Post(kScriptDataPath, [this](const httplib::Request&, httplib::Response& res) {
            res.set_content(reply, "text/html");
        });
        server.Start();
        catalog.Site = server.BaseUrl();
        catalog.Options.CAFile = SharedTestCerts().CaFile;
        catalog.Client = Client();
        script.FileName = Path("Velmora_5x50.lss");
        script.SetScriptLines({"old"});
    }
    std::string reply;
    TTestServer server{&SharedTestCerts()};
    TScriptCatalog catalog;
    TScriptList script;
};

TEST_F(ScriptDownload, ReplacesTheWholeScriptAndWritesTheFile) {
    reply = "<result>" + Row("<script>" + B64("A| | | | | | | |x\r\n\r\nB| | | | | | | |") + "</script>") + "</result>";
    DownloadScriptInto(catalog, 3, script);
    EXPECT_EQ(script.Lines(), (std::vector<std::string>{"A| | | | | | | |x", "", "B| | | | | | | |"}));
    EXPECT_EQ(ReadFileBytes(script.FileName), "A| | | | | | | |x\r\n\r\nB| | | | | | | |\r\n");
}

TEST_F(ScriptDownload, UnusableRepliesLeaveTheScript) {
    for (const std::string& r : {std::string("<result><row><script>QUJD"), "<result>" + Row("<script></script>") + "</result>",
                                 "<result>" + Row("<script>" + B64(std::string("a\0", 2)) + "</script>") + "</result>"}) {
        SCOPED_TRACE(r);
        reply = r;
        EXPECT_NE(ErrorOf([&] { DownloadScriptInto(catalog, 3, script); }), "no error");
        EXPECT_EQ(script.Lines(), std::vector<std::string>{"old"});
        EXPECT_EQ(ReadFileBytes(script.FileName), "old\r\n");
    }
}

} // namespace
} // namespace velmora
