#include "core/app/help.h"

#include "core/util/atomic_file.h"
#include "core/util/format.h"
#include "core/util/translate.h"

namespace velmora {

std::string FindHelpFile(const std::string& exeDir, const std::string& languageAbbr) {
    const std::string name = Format("Numora_%s.chm", {languageAbbr});
    std::string dir = exeDir;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    std::string parent = ExtractFilePath(dir);
    if (parent.empty()) parent = JoinPath(dir, "..");
    const std::string candidates[] = {JoinPath(exeDir, name), JoinPath(JoinPath(exeDir, "help"), name),
                                      JoinPath(JoinPath(parent, "help"), name)};
    for (const auto& c : candidates)
        if (FileExists(c)) return c;
    return candidates[2];
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
