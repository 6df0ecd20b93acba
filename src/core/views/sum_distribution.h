// The sum distribution: the sums of the five numbers of every combination of the game (the
// theoretical list) beside the sums of the archive's draws (the actual list), and the three levels
// that mark the common sums at one third, one half and two thirds of the theoretical height.
#pragma once

#include "core/model/draws_archive.h"
#include "core/model/stat_values.h"
#include "core/util/progress.h"
#include "core/util/translate.h"

#include <array>
#include <cstdint>
#include <string>

namespace velmora {

constexpr const char* kSumDistributionCaption = TrNoop("Распределение сумм тиражей и всех возможных комбинаций");
constexpr const char* kSumDistributionStatus = TrNoop("Идет сбор статистики....");
constexpr const char* kSumActualTitle = TrNoop("Фактическое распределение сумм (по тиражам)");
constexpr const char* kSumTheoreticalTitle = TrNoop("Теоретическое распределение сумм (по комбинациям)");
constexpr int kSumRangeCount = 3;

struct TSumRange {
    int32_t Level = 0;  // the count a common sum reaches
    std::string Mark;   // "1/3", "1/2", "2/3"
    int32_t Low = 0;    // the range of the common sums; 0 when no entry reaches the level
    int32_t High = 0;
    std::string Title;  // "Диапазон %d (от %s и выше по оси Y) - суммы %d-%d"
};

struct TSumDistribution {
    TStatSimpleArray Theoretical;  // (sum, combinations), ascending sums
    TStatSimpleArray Actual;       // (sum, draws), ascending sums
    int32_t MinT = 0, MaxT = 0;    // the least and greatest count of the theoretical list
    int32_t MaxA = 0;              // the greatest count of the actual list; 0 without draws
    std::array<TSumRange, kSumRangeCount> Ranges;
    bool Stopped = false;          // the user stopped it; the lists are incomplete

    // A theoretical count (or a level) scaled to the height of the actual list.
    double ScaledHeight(int32_t count) const { return MaxT ? double(count) / double(MaxT) * double(MaxA) : 0.0; }
};

// Levels and ranges of a theoretical list sorted by sum (MinT and MaxT are set from it): with
// R = MaxT - MinT + 1, the levels trunc(MinT + R/3), trunc(MinT + R/2), trunc(MinT + 2R/3); Low is
// the sum of the first entry from index 0 up to index size/2 whose count reaches the level, High
// of the first from the last index down to index size/2.
void ComputeSumRanges(TSumDistribution& dist);

// Enumerates every combination of five numbers of 1..50 and counts the sums; counts the sums of
// all draws of the archive (the draws offset does not apply); then the levels and ranges.
TSumDistribution ComputeSumDistribution(const TDrawsArchive& archive, TProgressSink& sink = NullProgress());

} // namespace velmora
