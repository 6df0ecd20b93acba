// Draw records for the tests of the engine and of the program.
#pragma once

#include "core/model/draws_archive.h"

#include <array>
#include <string>

namespace velmora::test {

// A draw numbered `number` with the five numbers in drawn order.
inline TDrawRecord MakeDraw(int number, std::array<int, 5> n, int e1 = 1, int e2 = 2,
                            const std::string& date = "2021-03-01") {
    TDrawRecord d;
    d.Number = number;
    for (int i = 0; i < 5; ++i) d.Numbers[i] = uint8_t(n[size_t(i)]);
    d.Extras[0] = uint8_t(e1);
    d.Extras[1] = uint8_t(e2);
    d.SetDateText(date);
    return d;
}

// Ten draws numbered 1..10; draw k holds k+30, k, k+40, k+10, k+20 (not sorted), the extras 1
// and 2, and the date 2020-01-k.
inline TDrawsArray TenDraws() {
    TDrawsArray a;
    for (int k = 1; k <= 10; ++k)
        a.push_back(MakeDraw(k, {k + 30, k, k + 40, k + 10, k + 20}, 1, 2,
                             "2020-01-" + std::string(k < 10 ? "0" : "") + std::to_string(k)));
    return a;
}

} // namespace velmora::test
