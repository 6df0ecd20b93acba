// The combination-value statistics (group "num"): groups of 2, 3 or 4 numbers of a draw taken as
// one value, written 7:23, 7:23:41 or 7:23:41:48.
//
//   KNM2..KNM4      every group of k of the five numbers (Mix)
//   KNS2..KNS4      every run of k neighbouring positions (Seq)
//   KNP21..KNP42    the one run of k positions from the start position of the parameter (Pos)
//   KNO2..KNO4      the runs of k after sorting the numbers (Sort): classes that are not
//                   available, so the statistic list never holds them
//
// A draw's groups follow the sorted switch (drawn order or ascending); a combination's numbers
// are always ascending. A group equals a value only component by component: a pair drawn as
// 17:5 is never the pair 5:17 of a combination. A combination alone has no value; the filter
// tests its groups.
#pragma once

namespace velmora {

class TStatRegistry;

// Registers TstCombValMix2 .. TstCombValSort4 at positions 63..74.
void AddCombValueStats(TStatRegistry& registry);

} // namespace velmora
