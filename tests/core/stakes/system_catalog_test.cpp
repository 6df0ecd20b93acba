#include "core/net/catalog_text.h"
#include "core/stakes/system_catalog.h"
#include "core/stakes/system_store.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

std::string Row(const std::string& id, const std::string& created = "2024-01-31 22:30:00") {
    return "<row><id>" + id + "</id><nums>12</nums><olap>2</olap><csize>3</csize><title>" + Base64Encode("Двенадцать") +
           "</title><descr>" + Base64Encode("Описание \"x\"") +
           "</descr><author>Иван</author><cl_mail>ivan@example.org</cl_mail><url>https://example.org/s</url>"
           "<created>" +
           created + "</created><downloads>x</downloads><last_download></last_download></row>";
}

TEST(SystemCatalogReply, ListRowsAreRead) {
    bool available = false;
    const auto list = ReadSystemListReply("<html><result>" + Row("45") + Row("46") + "</result></html>", available);
    ASSERT_TRUE(available);
    ASSERT_EQ(list.size(), 2u);
    const tSystemInfo& i = list[0];
    EXPECT_EQ(i.Id, 45);
    EXPECT_EQ(i.Nums, 12);
    EXPECT_EQ(i.Olap, 2);
    EXPECT_EQ(i.CSize, 3);
    EXPECT_EQ(i.Title, "Двенадцать");
    EXPECT_EQ(i.Descr, "Описание \"x\"");
    EXPECT_EQ(i.Author, "Иван");
    EXPECT_EQ(i.OwnerMail, "ivan@example.org");
    EXPECT_EQ(i.URL, "https://example.org/s");
    EXPECT_EQ(i.Downloads, 0);  // not a number
    EXPECT_EQ(i.LastDownload, 0);
    EXPECT_EQ(LocalToUtcText(i.Created), "2024-01-31 22:30:00");
    EXPECT_EQ(list[1].Id, 46);
}

TEST(SystemCatalogReply, NoResultMeansUnavailable) {
    bool available = true;
    EXPECT_TRUE(ReadSystemListReply("<html>maintenance</html>", available).empty());
    EXPECT_FALSE(available);
    const tSystemInfo p = SystemListPlaceholder();
    EXPECT_EQ(p.Id, -1);
    EXPECT_EQ(SystemRowCells({p, false}),
              (std::vector<std::string>{"Список систем не доступен!", "", "", "", "", "", "", "", "", "", ""}));
}

// An empty "<result>" is a catalog without systems, told apart from a reply that is not the
// catalog's.
TEST(SystemCatalogReply, EmptyResultIsAnEmptyCatalog) {
    for (const char* reply : {"<result></result>\n", "<RESULT>  </RESULT>"}) {
        bool available = false;
        EXPECT_TRUE(ReadSystemListReply(reply, available).empty()) << reply;
        EXPECT_TRUE(available) << reply;
    }
    EXPECT_EQ(SystemRowCells({SystemListPlaceholder(true), false})[0], "В каталоге пока нет ни одной системы");
}

TEST(SystemCatalogReply, BadRepliesFailTheRequest) {
    const char* cases[] = {
        "<result><row><id>45</id><nums>12",                         // cut
        "<result><row><id>45</id></row>",                           // no closing result
        "<result><row><error>Доступ запрещен</error></row></result>",
        "<result><row><id>abc</id></row></result>",
        "<result><row><id>0</id></row></result>",
        "<result><row><id>5</id><nums>300</nums></row></result>",
        "<result><row><id>5</id><nums>6</nums><olap>0</olap><csize>-1</csize></row></result>",
    };
    for (const char* reply : cases) {
        bool available = false;
        EXPECT_THROW(ReadSystemListReply(reply, available), Error) << reply;
    }
    bool available = false;
    for (const char* created : {"yesterday", "2024-02-30 10:00:00"})
        EXPECT_THROW(ReadSystemListReply("<result>" + Row("5", created) + "</result>", available), Error) << created;
    EXPECT_THROW(ReadSystemDataReply("<result><row><error>нет</error></row></result>"), Error);
    EXPECT_THROW(ReadSystemDataReply("<result><row><clist>@@@</clist></row></result>"), Error);
    EXPECT_THROW(ReadPutSystemReply("<result><row><id_systems>4"), Error);
}

TEST(SystemCatalogReply, DataAndPutReplies) {
    EXPECT_EQ(ReadSystemDataReply("<result><row><clist></clist></row><row><clist>" + Base64Encode("01 02 03 04 05") +
                                  "</clist></row></result>"),
              "01 02 03 04 05");
    EXPECT_EQ(ReadSystemDataReply("<result></result>"), "");
    EXPECT_EQ(ReadPutSystemReply("<result><row><id_systems>x</id_systems></row><row><id_systems>0</id_systems></row></result>"), 0);
    EXPECT_EQ(ReadPutSystemReply("<result><row><id_systems>-5</id_systems></row></result>"), -1);
    EXPECT_EQ(ReadPutSystemReply("nothing"), -1);
}

TEST(SystemCatalogRequest, PutFieldsInOrder) {
    tSystemData d;
    d.Id = 7;
    d.Nums = 6;
    d.Olap = 1;
    d.CSize = 2;
    d.Title = "Мой \"лучший\"";
    d.Descr = "что?";
    d.CList = "01 02 03 04 05\r\n02 03 04 05 06";
    d.URL = "https://x/?a=1";
    d.Author = "Иван";
    d.OwnerMail = "ivan@example.org";
    TCatalogClient c;
    c.AppVer = "1.0";
    c.HwdId = "abc";
    c.Lcid = 1049;
    const TFormFields save = PutSystemFields(d, false, c);
    std::vector<std::string> names;
    for (const auto& f : save) names.push_back(f.first);
    EXPECT_EQ(names, (std::vector<std::string>{"del_mode", "sys_id", "nums", "clen", "olap", "title", "descr", "csize",
                                               "clist", "url", "appid", "appver", "hwdid", "cl_name", "cl_mail",
                                               "cl_lcid"}));
    EXPECT_EQ(save[0].second, "0");
    EXPECT_EQ(save[5].second, "Мой \\\"лучший\\\"");
    EXPECT_EQ(save[6].second, "что\\?");
    EXPECT_EQ(UnescapeText(Base64Decode(save[8].second)), d.CList);
    EXPECT_EQ(save[9].second, "https://x/?a=1");  // not escaped
    EXPECT_EQ(save[13].second, "Иван");
    const TFormFields del = PutSystemFields(d, true, c);
    EXPECT_EQ(del[0].second, "1");
    EXPECT_EQ(del[8].second, "");
    EXPECT_EQ(SystemListFields(c).front(), (std::pair<std::string, std::string>{"comblen", "5"}));
}

} // namespace
