#include "core/net/catalog_client.h"
#include "core/net/catalog_text.h"
#include "core/util/error.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

TEST(CatalogText, EscapeTextTable) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"plain текст", "plain текст"},
        {std::string("\0\1\6", 3), "\\0\\1\\6"},
        {"\a\b\t\n\v\f\r\x1b", "\\a\\b\\t\\n\\v\\f\\r\\e"},
        {"\"it's?\\", "\\\"it\\'s\\?\\\\"},
        {"\x0e\x1a\x1c~", "\x0e\x1a\x1c~"},  // other control codes stay
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeText(c.in), c.out);
        EXPECT_EQ(UnescapeText(c.out), c.in);
    }
}

TEST(CatalogText, Base64RoundTripAndBadInput) {
    for (std::string s : {"", "f", "fo", "foo", "foob", "fooba", "foobar", "Системы\r\n01 02"})
        EXPECT_EQ(Base64Decode(Base64Encode(s)), s);
    EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64Encode("fo"), "Zm8=");
    EXPECT_EQ(Base64Decode("Zm9v\r\nYmFy"), "foobar");
    for (const char* bad : {"Zm9", "Zm9v!", "Zm==Zm9v", "Z==="}) EXPECT_THROW(Base64Decode(bad), Error) << bad;
}

TEST(CatalogText, TagValueFindsTrimsAndUnquotes) {
    struct Case {
        const char* text;
        const char* value;
    } cases[] = {
        {"<ID> 45 </id>", "45"},
        {"<a>1</a><id>7</id><id>8</id>", "7"},
        {"no tag here", ""},
        {"<id>\"say \"\"hi\"\"\"</id>", "say \"hi\""},
        {"<id>\"a\"b\"</id>", "ab"},
        {"<id>\"half</id>", "\"half"},
        {"<id></id>", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(TagValue(c.text, "<id>", "</id>"), c.value) << c.text;
}

TEST(CatalogText, OpenTagWithoutCloseIsAnError) {
    try {
        TagValue("<result><row><id>4", "<id>", "</id>");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Не удалось найти пару идентификаторов \"<id>\" - \"</id>\" в тексте\r\r[<result><row><id>4]!");
    }
}

TEST(CatalogText, TakeTagConsumesTheElement) {
    std::string text = "<row><id>1</id></row> <ROW><id>2</id></ROW>tail";
    EXPECT_EQ(TagValue(TakeTag(text, "<row>", "</row>"), "<id>", "</id>"), "1");
    EXPECT_EQ(TagValue(TakeTag(text, "<row>", "</row>"), "<id>", "</id>"), "2");
    EXPECT_EQ(text, "tail");
    EXPECT_EQ(TakeTag(text, "<row>", "</row>"), "");
    EXPECT_EQ(text, "tail");
}

TEST(CatalogClient, MachineIdIsHashedAndStable) {
    const std::string id = MachineId();
    EXPECT_EQ(id.size(), 32u);
    EXPECT_EQ(id, MachineId());
    EXPECT_EQ(HashMachineId("0123456789abcdef0123456789abcdef").size(), 32u);
    EXPECT_NE(HashMachineId("a"), HashMachineId("b"));
    EXPECT_EQ(HashMachineId("0123456789abcdef0123456789abcdef").find("0123456789abcdef"), std::string::npos);
}

TEST(CatalogClient, UserSettingsAndOwnership) {
    TIniFile ini;
    EXPECT_FALSE(CatalogUserComplete(ReadCatalogUser(ini)));
    WriteCatalogUser(ini, {" Иван ", " ivan@example.org "});
    EXPECT_EQ(ini.ReadString("USER", "Mail", ""), "ivan@example.org");
    const TCatalogUser user = ReadCatalogUser(ini);
    EXPECT_EQ(user, (TCatalogUser{"Иван", "ivan@example.org"}));
    EXPECT_TRUE(CatalogUserComplete(user));
    for (const char* bad : {"", "ivan", "@example.org", "ivan@", "iv an@example.org", "a@b@c"})
        EXPECT_FALSE(CatalogUserComplete({"Иван", bad})) << bad;
    EXPECT_TRUE(IsOwnMail("IVAN@Example.org", "ivan@example.org"));
    EXPECT_FALSE(IsOwnMail("", ""));
    EXPECT_FALSE(IsOwnMail("petr@example.org", "ivan@example.org"));
}

} // namespace
