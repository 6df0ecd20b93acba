#include "core/app/help.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace velmora;

TEST(HelpFile, SearchOrderAndTheLastCandidate) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("velmora_help_" + std::to_string(::getpid()));
    fs::remove_all(root);
    const fs::path exe = root / "bin";
    fs::create_directories(exe / "help");
    fs::create_directories(root / "help");
    auto touch = [](const fs::path& p) { std::ofstream(p) << "x"; };
    const std::string dir = exe.string() + "/";  // as the executable's folder is given

    struct Step {
        const char* name;
        fs::path create;  // empty: remove every candidate first
        fs::path expected;
    } steps[] = {
        {"none: the last candidate", {}, root / "help" / "Numora_RUS.chm"},
        {"the parent's help folder", root / "help" / "Numora_RUS.chm", root / "help" / "Numora_RUS.chm"},
        {"the help subfolder wins over the parent's", exe / "help" / "Numora_RUS.chm", exe / "help" / "Numora_RUS.chm"},
        {"the executable's folder wins", exe / "Numora_RUS.chm", exe / "Numora_RUS.chm"},
    };
    for (const auto& s : steps) {
        if (!s.create.empty()) touch(s.create);
        EXPECT_EQ(fs::path(FindHelpFile(dir, "RUS")).lexically_normal(), s.expected.lexically_normal()) << s.name;
    }
    EXPECT_EQ(fs::path(FindHelpFile(dir, "ENU")).filename(), "Numora_ENU.chm");
    fs::remove_all(root);
}
