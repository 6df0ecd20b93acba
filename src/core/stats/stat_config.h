// The settings block the statistic list carries: matrix and channel sizes, segment map, stake
// cost and prize table, the weights of the table's "Вес" column, the generation parameters and
// the shredding formulas. The defaults are those of a missing settings file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// Weights of the "Вес" column of the draw statistics table.
struct TRatingWeights {
    long double Count = 0;
    long double Deviation = -1;
    long double Level = 1;
    bool UsePercents = false;
    bool UseAbsValues = false;
    bool operator==(const TRatingWeights&) const = default;
};

// One entry of the prize table: the prize (ten-thousandths) for that many matched numbers.
struct TProfitEntry {
    uint8_t Overlap = 0;
    int64_t Profit = 0;
    bool operator==(const TProfitEntry&) const = default;
};

struct TConfigData {
    int32_t MatrixCols = 5;
    int32_t ChannelSize = 5;
    int64_t Cost = 0;  // ten-thousandths of the currency unit
    int32_t MaxStake = 5;
    std::vector<TProfitEntry> Profits;
    TRatingWeights Weights;
    std::array<uint8_t, 50> MatrixSegments = DefaultSegments();  // segment id of numbers 1..50

    static constexpr std::array<uint8_t, 50> DefaultSegments() {
        std::array<uint8_t, 50> a{};
        for (auto& b : a) b = 1;
        return a;
    }
    bool operator==(const TConfigData&) const = default;
};

// The shredding formulas and their digit counts ("SHREDDING" section).
constexpr const char* kDefaultFormulas[3] = {"(n1+n2+n3)/(n4+n5)", "(n4+n5)/(n1+n2+n3)", "(n1+n2)/(n3+n4+n5)"};
constexpr int kDefaultFormulaDigits = 2;

} // namespace velmora
