#include "core/app/help.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "<html></html>";
}

} // namespace

// The guide is looked for in <exe>/help, <exe>/../help, <exe>/../share/velmora/help; the first folder
// that exists is kept, and in it the interface language's guide, else the Russian one.
TEST(HelpFile, SearchOrderAndLanguageFallBack) {
    const fs::path root = fs::temp_directory_path() / ("velmora_help_" + std::to_string(::getpid()));
    fs::remove_all(root);
    const fs::path exe = root / "bin";
    fs::create_directories(exe);
    const std::string dir = exe.string() + "/";  // as the executable's folder is given
    const fs::path installed = root / "share" / "velmora" / "help";

    struct Step {
        const char* name;
        fs::path create;  // a file made before the step
        const char* language;
        fs::path expected;  // empty: no guide
    } steps[] = {
        {"nothing there", {}, "RUS", {}},
        {"the installed folder", installed / "Numora_RUS" / "index.htm", "RUS", installed / "Numora_RUS" / "index.htm"},
        {"a language without its folder takes the Russian guide", {}, "ENU", installed / "Numora_RUS" / "index.htm"},
        {"the language's own guide", installed / "Numora_ENU" / "index.htm", "ENU", installed / "Numora_ENU" / "index.htm"},
        {"the parent's help folder wins", root / "help" / "Numora_RUS" / "index.htm", "RUS", root / "help" / "Numora_RUS" / "index.htm"},
        {"the first folder is kept even without the language", {}, "ENU", root / "help" / "Numora_RUS" / "index.htm"},
        {"the executable's help folder wins", exe / "help" / "Numora_ENU" / "index.htm", "ENU", exe / "help" / "Numora_ENU" / "index.htm"},
    };
    for (const auto& s : steps) {
        if (!s.create.empty()) Touch(s.create);
        const std::string found = FindHelpFile(dir, s.language);
        if (s.expected.empty())
            EXPECT_EQ(found, "") << s.name;
        else
            EXPECT_EQ(fs::path(found).lexically_normal(), s.expected.lexically_normal()) << s.name;
    }

    // The first folder is kept even when it holds no guide at all.
    fs::remove(exe / "help" / "Numora_ENU" / "index.htm");
    EXPECT_EQ(FindHelpFile(dir, "ENU"), "");

    // A page of the guide: beside index.htm, "" when missing or when there is no guide.
    const std::string guide = (root / "help" / "Numora_RUS" / "index.htm").string();
    Touch(root / "help" / "Numora_RUS" / "Filters_1049_NUMS.htm");
    EXPECT_EQ(fs::path(HelpPageFile(guide, "Filters_1049_NUMS.htm")), root / "help" / "Numora_RUS" / "Filters_1049_NUMS.htm");
    EXPECT_EQ(HelpPageFile(guide, "Filters_1049_SUMS.htm"), "");
    EXPECT_EQ(HelpPageFile("", "Filters_1049_NUMS.htm"), "");
    fs::remove_all(root);
}
