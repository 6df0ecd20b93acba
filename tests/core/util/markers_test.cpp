#include "core/util/error.h"
#include "core/util/markers.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(Markers, Unquote) {
    EXPECT_EQ(Unquote("  \"a\"\"b\"  "), "a\"b");
    EXPECT_EQ(Unquote("\""), "\"");
    EXPECT_EQ(Unquote("x"), "x");
}

TEST(Markers, ExtractBetween) {
    const std::string t = "<UL><li> 5 </li><li>\"7\"</li></ul>";
    EXPECT_EQ(ExtractBetween(t, "<li>", "</li>", 0), "5");
    EXPECT_EQ(ExtractBetween(t, "<ol>", "</li>", 0), "");
    EXPECT_EQ(ExtractBetween(t, "<ul>", "", 0), "<li> 5 </li><li>\"7\"</li></ul>");
    EXPECT_EQ(ExtractBetween(t, "</ul>", "<x>", 2), "");
    EXPECT_EQ(ExtractBetween(t, "<li>", "<x>", 1), "");
    EXPECT_EQ(ExtractBetween(t, "<li>", "<x>", 2), "5 </li><li>\"7\"</li></ul>");
    try {
        ExtractBetween("abc", "a", "z", 0);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Не удалось найти пару идентификаторов \"a\" - \"z\" в тексте\r\r[abc]!");
    }
}

TEST(Markers, CutBetweenAndSection) {
    std::string t = "<li>1</li><li>2</li>";
    EXPECT_EQ(CutBetween(t, "<li>", "</li>", 0), "1");
    EXPECT_EQ(t, "<li>2</li>");
    EXPECT_EQ(CutBetween(t, "<li>", "</li>", 0), "2");
    EXPECT_EQ(t, "");
    std::string rows = "head<r>a<r> b <r>";
    EXPECT_EQ(CutSection(rows, "<r>"), "a");
    EXPECT_EQ(rows, "<r> b <r>");
    EXPECT_EQ(CutSection(rows, "<r>"), "b");
    EXPECT_EQ(CutSection(rows, "<r>"), "");
    EXPECT_EQ(rows, "");
}
