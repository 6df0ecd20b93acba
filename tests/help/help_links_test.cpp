// The built help document: both languages hold the same pages, every statistic of the registry has
// its topic in each, and no link of any page points at a page or an anchor that is not there.
#include "core/app/languages.h"
#include "core/stats/stat_list.h"
#include "core/util/text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

const fs::path kHelp = VELMORA_HELP_DIR;
const char* const kLanguages[] = {"RUS", "ENU"};

std::set<std::string> Pages(const std::string& abbr) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(kHelp / ("Numora_" + abbr)))
        if (e.is_regular_file()) names.insert(e.path().filename().string());
    return names;
}

// The ids and names a page's links may point at.
std::set<std::string> Anchors(const std::string& html) {
    std::set<std::string> anchors;
    static const std::regex re(R"re(\b(?:id|name)\s*=\s*"([^"]*)")re", std::regex::icase);
    for (auto it = std::sregex_iterator(html.begin(), html.end(), re); it != std::sregex_iterator(); ++it)
        anchors.insert((*it)[1]);
    return anchors;
}

} // namespace

TEST(HelpDocument, BothLanguagesHoldTheSamePages) {
    EXPECT_EQ(Pages("RUS"), Pages("ENU"));
    EXPECT_TRUE(Pages("RUS").count("index.htm"));
    EXPECT_TRUE(Pages("RUS").count("stats.htm"));
}

TEST(HelpDocument, EveryStatisticHasItsTopic) {
    TStatList list;
    list.Build();
    for (const char* abbr : kLanguages)
        for (int i = 0; i < list.Count(); ++i) {
            if (!list.IsAvailable(i)) continue;
            const auto& m = list.Items(i);
            const fs::path topic = kHelp / (std::string("Numora_") + abbr) / m.StatClass->GetHelpTopic(m.Param);
            ASSERT_TRUE(fs::is_regular_file(topic)) << topic;
            EXPECT_NE(ReadFileBytes(topic.string()).find(">" + m.Code() + "<"), std::string::npos) << topic;
        }
    // The English topics speak English (the engine's texts through the English module).
    const std::string english = ReadFileBytes((kHelp / "Numora_ENU" / "Filters_1049_NUMS.htm").string());
    EXPECT_NE(english.find("Filter by the statistic"), std::string::npos);
    EXPECT_EQ(english.find("Фильтр по статистике"), std::string::npos);
}

TEST(HelpDocument, NoDanglingLinks) {
    static const std::regex href(R"re(\bhref\s*=\s*"([^"]*)")re", std::regex::icase);
    for (const char* abbr : kLanguages) {
        const fs::path folder = kHelp / (std::string("Numora_") + abbr);
        std::map<std::string, std::set<std::string>> anchors;
        for (const auto& page : Pages(abbr))
            if (page.ends_with(".htm")) anchors[page] = Anchors(ReadFileBytes((folder / page).string()));
        for (const auto& [page, _] : anchors) {
            const std::string html = ReadFileBytes((folder / page).string());
            for (auto it = std::sregex_iterator(html.begin(), html.end(), href); it != std::sregex_iterator(); ++it) {
                const std::string link = (*it)[1];
                if (link.starts_with("http://") || link.starts_with("https://") || link.starts_with("mailto:")) continue;
                const auto hash = link.find('#');
                const std::string file = link.substr(0, hash);
                const std::string anchor = hash == std::string::npos ? "" : link.substr(hash + 1);
                const std::string target = file.empty() ? page : file;
                ASSERT_FALSE(file.find('/') != std::string::npos && !fs::exists(folder / file))
                    << abbr << "/" << page << ": " << link;
                if (!fs::is_regular_file(folder / target)) {
                    ADD_FAILURE() << abbr << "/" << page << ": the link " << link << " leads nowhere";
                    continue;
                }
                if (anchor.empty()) continue;
                auto a = anchors.find(target);
                const std::set<std::string> other =
                    a == anchors.end() ? Anchors(ReadFileBytes((folder / target).string())) : a->second;
                EXPECT_TRUE(other.count(anchor)) << abbr << "/" << page << ": the anchor of " << link << " is not there";
            }
        }
    }
}
