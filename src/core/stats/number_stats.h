// The number statistics (group "num"): NUMS, DIGS, EVEN, EVNV, SMAL, SMLV, PRIM, PRMV, POS1..5,
// POE1..2, and the number properties they share with the sum statistics.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmora {

class TStatRegistry;

// The numbers counted as prime: 1 and every prime up to 251 (only 1..50 are ever tested).
constexpr std::array<bool, 256> MakePrimeSet() {
    std::array<bool, 256> set{};
    for (int n = 2; n < 256; ++n) {
        bool prime = true;
        for (int d = 2; d * d <= n; ++d)
            if (n % d == 0) prime = false;
        set[std::size_t(n)] = prime;
    }
    set[1] = true;
    return set;
}
inline constexpr std::array<bool, 256> kPrimeSet = MakePrimeSet();

constexpr bool IsEvenNumber(int n) { return n % 2 == 0; }
// The first half of the range ("small"): 1..25; the second half is 26..50.
constexpr bool IsSmallNumber(int n) { return n <= 25; }
constexpr bool IsPrimeNumber(int n) { return n >= 0 && n < 256 && kPrimeSet[std::size_t(n)]; }

// Registers TstValues .. TstPrimeValues (positions 1..8), TstPosVal (102) and TstPosExt (103).
void AddNumberStats(TStatRegistry& registry);

} // namespace velmora
