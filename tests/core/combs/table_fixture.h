// A ten-draw archive for the draw statistics table and the distribution files, small enough
// to check every figure by hand, and a data folder of its own per test.
#pragma once

#include "core/model/data_folder.h"
#include "core/model/draws_archive.h"
#include "core/stats/stat_list.h"
#include "core/util/progress.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace velmora::test {

// Draws numbered 11..20 (array indexes 0..9); the comment gives the count of even numbers, the
// value of EVEN ("k:(5-k)"). Draw 20 is stored unsorted.
inline TDrawsArchive EvenArchive() {
    auto d = [](int no, std::array<int, 5> n) {
        TDrawRecord r;
        r.Number = no;
        for (int i = 0; i < 5; ++i) r.Numbers[i] = uint8_t(n[size_t(i)]);
        r.Extras[0] = 1;
        r.Extras[1] = 2;
        r.SetDateText("2020-02-" + std::to_string(no));
        return r;
    };
    TDrawsArchive a;
    a.Draws = {
        d(11, {1, 3, 5, 7, 9}),  // 0
        d(12, {2, 3, 5, 7, 9}),  // 1
        d(13, {2, 4, 5, 7, 9}),  // 2
        d(14, {2, 3, 5, 7, 9}),  // 1
        d(15, {2, 4, 6, 7, 9}),  // 3
        d(16, {2, 4, 5, 7, 9}),  // 2
        d(17, {2, 3, 5, 7, 9}),  // 1
        d(18, {2, 4, 6, 8, 9}),  // 4
        d(19, {2, 4, 5, 7, 9}),  // 2
        d(20, {9, 3, 5, 7, 2}),  // 1
    };
    return a;
}

// A data folder of its own (DataDir points there for the test) and a statistic list bound to
// the fixture archive.
class TableTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedDir_ = DataDir();
        dir = FreshTestDir().string();
        DataDir() = dir;
        archive = EvenArchive();
        list.Bind(archive.Draws);
        list.Build();
    }
    void TearDown() override {
        DataDir() = savedDir_;
        std::filesystem::remove_all(dir);
    }
    int Method(const std::string& code) {
        int i = list.IndexOfCode(code);
        EXPECT_GE(i, 0) << code;
        return i;
    }

    std::string dir;
    TDrawsArchive archive;
    TStatList list;

private:
    std::string savedDir_;
};

// Every status text and percent an operation shows; asks to stop after `stopAfter` polls.
struct RecordingProgress : TProgressSink {
    std::vector<std::string> texts;
    std::vector<double> percents;
    int stopAfter = -1;
    int polls = 0;
    void Status(const std::string& t) override { texts.push_back(t); }
    void Percent(double p) override { percents.push_back(p); }
    bool StopRequested() override { return stopAfter >= 0 && polls++ >= stopAfter; }
};

} // namespace velmora::test
