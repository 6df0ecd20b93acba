// The characteristic-number statistics (group "slv"): the five numbers folded into one small number
// by repeated absolute differences of neighbours. HCS1 and HCS2 are ordinary graphable statistics
// of the five numbers; HCS3 derives from the reference draw alone a set of numbers to keep or drop
// and marks which of them came out in the draw after the window.
#pragma once

#include <cstdint>

namespace velmora {

class TStatRegistry;

// The first element of IteratedDifference(n, 5, mode) for modes 0 and 1, without a list: the
// differences of neighbours are taken down to two numbers a, b, and the result is |b - a|, for
// mode 1 replaced by a + b when it is below 2.
int CharacteristicNumber(const uint8_t* n, int mode);

// Registers the characteristic-number classes at 140..142.
void AddCharNumberStats(TStatRegistry& registry);

} // namespace velmora
