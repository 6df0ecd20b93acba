#include "core/util/format.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(Format, Directives) {
    struct Case {
        std::string tmpl;
        std::vector<FmtArg> args;
        std::string out;
    };
    const std::vector<Case> cases = {
        {"Архив тиражей: %d", {12}, "Архив тиражей: 12"},
        {"%s и %s", {"а", "б"}, "а и б"},
        {"%.2f", {1.5}, "1,50"},
        {"%.2f", {-0.001}, "0,00"},
        {"%.5f", {2.0 / 3}, "0,66667"},
        {"(%.3d)", {7}, "(007)"},
        {"%.3d", {-7}, "-007"},
        {"{ %1:s } %0:s", {"Числа тиража", "num"}, "{ num } Числа тиража"},
        {"%0:s [ %1:s ]", {"x", "NG"}, "x [ NG ]"},
        {"%1:d-%0:d-%d", {1, 2}, "2-1-2"},
        {"100%%", {}, "100%"},
        {"%.3n", {1234567.891}, "1 234 567,891"},
        {"%.3n", {-12.5}, "-12,500"},
        {"%5d|%-4s|", {42, "ab"}, "   42|ab  |"},
        {"::/Filters_%.4d_%s.htm", {1049, "NUMS"}, "::/Filters_1049_NUMS.htm"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.tmpl, c.args), c.out) << c.tmpl;
}

TEST(Format, MissingOrWrongArgumentRaises) {
    EXPECT_THROW(Format("%d %d", {1}), FormatError);
    EXPECT_THROW(Format("%d", {"text"}), FormatError);
    EXPECT_THROW(Format("%s", {3}), FormatError);
    EXPECT_THROW(Format("50%", {}), FormatError);
}
