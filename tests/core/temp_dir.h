// A fresh folder for each test under the system's temporary folder, removed after the test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace velmora::test {

// <tmp>/velmora_<pid>_<suite>_<test>, emptied and created.
inline std::filesystem::path FreshTestDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "velmora_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name();
    for (char& c : name)
        if (c == '/') c = '_';  // parameterised tests are named "Suite/Test/0"
    auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override { dir = FreshTestDir(); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::filesystem::path dir;
};

} // namespace velmora::test
