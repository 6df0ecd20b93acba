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

} // namespace
} // namespace velmora
