#include "core/net/web.h"
#include "core/net/web_settings.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(WebSettingsTest, MissingOrBlankKeysTakeTheDefaults) {
    TIniFile ini;
    EXPECT_EQ(LoadWebSettings(ini), TWebSettings());
    ini.WriteString(kSectionWeb, "DrawsSite", "  ");
    ini.WriteString(kSectionWeb, "CatalogSite", "");
    const TWebSettings s = LoadWebSettings(ini);
    EXPECT_EQ(s.DrawsSite, kDefaultDrawsSite);
    EXPECT_EQ(s.CatalogSite, kDefaultCatalogSite);
    EXPECT_EQ(s.CAFile, "");
}

TEST(WebSettingsTest, WrittenKeysReadBackAndBaseAddressesLoseTheirSlash) {
    TIniFile ini;
    ini.WriteString(kSectionWeb, "DrawsSite", "https://127.0.0.1:8443/");
    ini.WriteString(kSectionWeb, "ProxyListUrl", "https://127.0.0.1:8443/list/");
    ini.WriteString(kSectionWeb, "CatalogSite", "https://cat.example//");
    ini.WriteString(kSectionWeb, "UpdateSite", "http://upd.example");
    ini.WriteString(kSectionWeb, "CAFile", " /tmp/ca.pem ");
    const TWebSettings s = LoadWebSettings(ini);
    EXPECT_EQ(s.DrawsSite, "https://127.0.0.1:8443");
    EXPECT_EQ(s.ProxyListUrl, "https://127.0.0.1:8443/list/");
    EXPECT_EQ(s.CatalogSite, "https://cat.example");
    EXPECT_EQ(s.UpdateSite, "http://upd.example");
    EXPECT_EQ(s.CAFile, "/tmp/ca.pem");
    EXPECT_EQ(DrawsYearUrl(s, 2019), "https://127.0.0.1:8443/velmora/arhiv-rezultatov/2019");

    TIniFile again;
    SaveWebSettings(again, s);
    EXPECT_EQ(LoadWebSettings(again), s);
}

// The total time of one request: seconds in "TotalTimeout", out-of-range values take the default.
TEST(WebSettingsTest, TotalTimeoutIsReadWithinItsRange) {
    const std::pair<const char*, int> cases[] = {
        {nullptr, 120}, {"300", 300}, {"10", 10}, {"3600", 3600}, {"9", 120}, {"3601", 120}, {"0", 120}, {"-5", 120}, {"abc", 120},
    };
    for (const auto& [text, seconds] : cases) {
        TIniFile ini;
        if (text) ini.WriteString(kSectionWeb, "TotalTimeout", text);
        const TWebSettings s = LoadWebSettings(ini);
        EXPECT_EQ(s.TotalTimeoutSec, seconds) << (text ? text : "missing");
        EXPECT_EQ(WebOptionsFor(s).TotalTimeoutMs, seconds * 1000) << (text ? text : "missing");
    }
}

} // namespace
} // namespace velmora

namespace velmora {
namespace {

// The placeholder results site, the values typed on the page "Сеть" and their check.
TEST(WebSettingsInput, PlaceholderNormalizationAndCheck) {
    TWebSettings s;
    EXPECT_TRUE(DrawsSiteIsPlaceholder(s));
    s.DrawsSite = " https://results.example/ ";
    s.CatalogSite = "";
    s.TotalTimeoutSec = 5;
    NormalizeWebSettings(s);
    EXPECT_EQ(s.DrawsSite, "https://results.example");
    EXPECT_FALSE(DrawsSiteIsPlaceholder(s));
    EXPECT_EQ(s.CatalogSite, kDefaultCatalogSite);
    EXPECT_EQ(s.TotalTimeoutSec, kDefaultTotalTimeoutSec);
    EXPECT_NO_THROW(CheckWebSettings(s));
    const struct {
        const char* name;
        void (*change)(TWebSettings&);
        TWebField field;
    } bad[] = {
        {"results site", [](TWebSettings& w) { w.DrawsSite = "results.example"; }, TWebField::DrawsSite},
        {"update site", [](TWebSettings& w) { w.UpdateSite = "ftp://u.example"; }, TWebField::UpdateSite},
        {"CA file", [](TWebSettings& w) { w.CAFile = "/no/such/ca.pem"; }, TWebField::CAFile},
    };
    for (const auto& b : bad) {
        TWebSettings w = s;
        b.change(w);
        try {
            CheckWebSettings(w);
            ADD_FAILURE() << b.name;
        } catch (const TWebInputError& e) {
            EXPECT_EQ(e.Field, b.field) << b.name;
        }
    }
}

} // namespace
} // namespace velmora
