// Stake records and files for the stake tests.
#pragma once

#include "core/stakes/stake_file.h"
#include "core/util/text.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velmora::test {

// A stake by hand for `draw` with five numbers.
inline TStakeRecord Stake(int draw, std::array<int, 5> n = {1, 2, 3, 4, 5}, int kind = skManual) {
    TStakeRecord r;
    r.Kind = uint8_t(kind);
    r.DrawNumber = draw;
    r.Numbers.Count = 5;
    for (int i = 0; i < 5; ++i) r.Numbers.Numbers[i] = uint8_t(n[size_t(i)]);
    r.Matched.Count = -1;
    r.Profit = -20000;
    r.SetCommentText("c" + std::to_string(draw));
    return r;
}

// A checked stake with m matches.
inline TStakeRecord CheckedStake(int draw, int m) {
    TStakeRecord r = Stake(draw);
    r.Checked = 1;
    r.Matched.Count = m;
    for (int i = 0; i < m; ++i) r.Matched.Numbers[i] = uint8_t(i + 1);
    return r;
}

// The draw numbers of all records in file order (-1 for separators).
inline std::vector<int> DrawNumbersOf(TStakeFile& f) {
    std::vector<int> v;
    f.ForEachStake([&](int, const TStakeRecord& r) { v.push_back(r.DrawNumber); });
    return v;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace velmora::test
