// The help file of the program and the web pages the Help menu opens.
#pragma once

#include <string>
#include <vector>

namespace velmora {

// The help document is HTML, one folder per language: <help>/Numora_<ABR>/index.htm is the guide's
// contents page, Filters_1049_<base code>.htm the topic of a statistic beside it.
//
// The help folder of a program: "help" beside the executable, "help" in the executable's parent
// folder (a build tree), "share/velmora/help" in the parent folder (an installed program); the first
// that exists, "" when none does.
std::string FindHelpDir(const std::string& exeDir);
// The guide of a language in a help folder: <helpDir>/Numora_<ABR>/index.htm; the Russian guide when
// the language has no folder; "" when neither exists.
std::string FindGuideInDir(const std::string& helpDir, const std::string& languageAbbr);
// FindGuideInDir(FindHelpDir(exeDir), languageAbbr).
std::string FindHelpFile(const std::string& exeDir, const std::string& languageAbbr);
// A page of the guide that `guideFile` (an index.htm found above) belongs to: the file `page` beside
// it, "" when the guide is not set or the page does not exist.
std::string HelpPageFile(const std::string& guideFile, const std::string& page);

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
