// The help file of the program and the web pages the Help menu opens.
#pragma once

#include <string>
#include <vector>

namespace velmora {

// Format("Numora_%s.chm", [abbr]) searched in the executable's folder, then in its subfolder "help",
// then in the subfolder "help" of its parent folder; the first that exists. When none exists the
// last candidate is returned all the same (the help command then stays disabled).
std::string FindHelpFile(const std::string& exeDir, const std::string& languageAbbr);

// The web pages of the lottery and of the maker. The addresses are the maker's to set; the
// defaults lie under reserved example hosts, so that no one else's site is ever opened.
struct TWebPage {
    const char* Command;  // the command that opens it
    const char* Caption;
    const char* Url;
};
extern const TWebPage kLotterySite;
// urlMainSite, urlBlog, urlYT, urlAuthText, urlVK, urlOK, urlAuthSite, urlTG in menu order.
extern const std::vector<TWebPage> kMakerPages;

} // namespace velmora
