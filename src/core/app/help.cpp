#include "core/app/help.h"

#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/format.h"
#include "core/util/translate.h"

#include <filesystem>

namespace velmora {

std::string FindHelpDir(const std::string& exeDir) {
    std::string dir = exeDir;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    std::string parent = ExtractFilePath(dir);
    if (parent.empty() || parent == dir) parent = JoinPath(dir, "..");
    const std::string candidates[] = {JoinPath(dir, "help"), JoinPath(parent, "help"),
                                      JoinPath(InstalledShareDir(dir), "help")};
    std::error_code ec;
    for (const auto& c : candidates)
        if (std::filesystem::is_directory(c, ec)) return c;
    return "";
}

std::string FindGuideInDir(const std::string& helpDir, const std::string& languageAbbr) {
    if (helpDir.empty()) return "";
    for (const std::string& abbr : {languageAbbr, std::string("RUS")}) {
        if (abbr.empty()) continue;
        const std::string guide = JoinPath(JoinPath(helpDir, Format("Numora_%s", {abbr})), "index.htm");
        if (FileExists(guide)) return guide;
    }
    return "";
}

std::string FindHelpFile(const std::string& exeDir, const std::string& languageAbbr) {
    return FindGuideInDir(FindHelpDir(exeDir), languageAbbr);
}

std::string HelpPageFile(const std::string& guideFile, const std::string& page) {
    if (guideFile.empty() || page.empty()) return "";
    const std::string file = JoinPath(ExtractFilePath(guideFile), page);
    return FileExists(file) ? file : "";
}

const TWebPage kLotterySite = {"OpenLotoSite", TrNoop("Сайт лотереи"), "https://www.velmora-lottery.example/"};

const std::vector<TWebPage> kMakerPages = {
    {"urlMainSite", TrNoop("Официальный сайт проекта"), "https://numora.example/"},
    {"urlBlog", TrNoop("Наш блог"), "https://numora.example/blog/"},
    {"urlYT", TrNoop("Наш видеоблог"), "https://video.numora.example/"},
    {"urlAuthText", TrNoop("Статьи для начинающих"), "https://numora.example/articles/"},
    {"urlVK", TrNoop("Страница в соцсети \"В контакте\""), "https://vk.numora.example/"},
    {"urlOK", TrNoop("Страница в соцсети \"Одноклассники\""), "https://ok.numora.example/"},
    {"urlAuthSite", TrNoop("Страница автора"), "https://author.numora.example/"},
    {"urlTG", TrNoop("Канал в Telegram"), "https://t.numora.example/"},
};

} // namespace velmora
