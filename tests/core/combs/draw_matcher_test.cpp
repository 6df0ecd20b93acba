#include "core/combs/draw_matcher.h"

#include "core/model/draws_archive.h"

#include <gtest/gtest.h>
#include <random>

using namespace velmora;

namespace {

TDrawRecord Draw(std::array<int, 5> n) {
    TDrawRecord d;
    for (int i = 0; i < 5; ++i) d.Numbers[i] = uint8_t(n[size_t(i)]);
    return d;
}

TEST(DrawMatcher, AgreesWithCommonCount) {
    // Regular draws, and draws an archive may hold although they are not five different
    // numbers of 1..50: CommonCount counts every equal pair, and so must the matcher.
    const std::vector<TDrawRecord> draws = {
        Draw({5, 3, 1, 4, 2}), Draw({10, 20, 30, 40, 50}), Draw({7, 7, 8, 9, 10}), Draw({0, 11, 12, 13, 14})};
    struct Case {
        TCombination comb;
        bool match;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5}, true},
        {{2, 4, 1, 5, 3}, true},      // any order
        {{1, 2, 3, 4, 6}, false},     // four common numbers
        {{50, 40, 30, 20, 10}, true},
        {{7, 8, 9, 10, 11}, true},    // 7 meets both 7s of the draw: 2 + 1 + 1 + 1
        {{7, 7, 8, 9, 10}, false},    // 2 + 2 + 1 + 1 + 1 = 7 common pairs, not 5
        {{1, 1, 2, 3, 4}, true},      // against 5 3 1 4 2: 1 + 1 + 1 + 1 + 1
        {{0, 11, 12, 13, 99}, false},
        {{0, 11, 12, 13, 14}, true},  // 0 is no number of 1..50, but it equals the draw's 0
        {{99, 11, 12, 13, 14}, false},
        {{6, 7, 8, 9, 10}, true},     // 7 again: 2 + 1 + 1 + 1
        {{6, 7, 8, 9, 11}, false},    // 2 + 1 + 1
    };
    TDrawMatcher m(draws.data(), int(draws.size()));
    for (const auto& c : cases) {
        int plain = 0;
        for (const auto& d : draws) plain = std::max(plain, CommonCount(d, c.comb) == 5 ? 1 : 0);
        ASSERT_EQ(bool(plain), c.match) << CombToText(c.comb) << " (the table itself)";
        EXPECT_EQ(m.Matches(c.comb), c.match) << CombToText(c.comb);
    }
}

// Random lists mixing regular combinations with odd ones, against ranges with and without odd
// draws: the fast pass keeps exactly what the plain pass keeps, in the same order, also when
// it compacts the list in place.
TEST(DrawMatcher, FastPassEqualsPlainPass) {
    std::mt19937 rng(11);
    TDrawsArray archive = MakeSampleDraws(300, 5);
    std::vector<TCombination> src;
    for (int i = 0; i < 20000; ++i) {
        TCombination c;
        if (i % 3 == 0) {
            DrawToComb(archive[rng() % archive.size()], c);  // often a draw, in drawn order
            if (i % 2) std::swap(c[0], c[4]);
        } else {
            for (auto& x : c) x = uint8_t(1 + rng() % 50);  // duplicates happen
        }
        if (i % 97 == 0) c[rng() % 5] = uint8_t(rng() % 256);
        src.push_back(c);
    }
    TDrawsArray withOdd = archive;
    withOdd[10].Numbers[1] = withOdd[10].Numbers[0];
    withOdd[20].Numbers[2] = 0;
    withOdd[30].Numbers[3] = 77;
    for (const TDrawsArray* draws : {&archive, &withOdd})
        for (int n : {0, 1, 7, 300}) {
            SCOPED_TRACE(n);
            const TDrawRecord* range = draws->data() + (draws->size() - size_t(n));
            std::vector<TCombination> plain(src.size()), fast(src.size()), inPlace = src;
            int kp = KeepUnmatchedPlain(src.data(), int(src.size()), range, n, plain.data());
            TDrawMatcher m(range, n);
            int kf = m.KeepUnmatched(src.data(), int(src.size()), fast.data());
            int ki = m.KeepUnmatched(inPlace.data(), int(inPlace.size()), inPlace.data());
            plain.resize(size_t(kp));
            fast.resize(size_t(kf));
            inPlace.resize(size_t(ki));
            EXPECT_EQ(fast, plain);
            EXPECT_EQ(inPlace, plain);
            if (n > 0) {
                EXPECT_LT(kp, int(src.size()));
            }
        }
}

} // namespace
