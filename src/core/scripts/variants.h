// The variants of a script line: the Cartesian product of the resolved values of its active
// filters, in depth-first order (filter 1 varies slowest, the last filter fastest; within a
// filter the sample length varies slower than the criterion value).
//
// The variants are not stored: TFilterVariants walks them as an odometer over the value lists of
// the filters, so memory stays the same for any number of variants. A line whose product exceeds
// kMaxScriptVariants (the largest count the run's counters and panels can show) is refused with
// the "too many variants" message before anything runs.
#pragma once

#include "core/filters/filter_item.h"
#include "core/model/game.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr int64_t kMaxScriptVariants = 2147483647;

// Criterion kinds that make one variant per value of their list (thresholds, "Вес" and the
// "Период" kinds); the others test the whole list at once (or, "LNO", need none).
bool IsPerValueCriterion(int kind);

// The message of a line whose variants cannot all be run; details follow the blank line.
std::string TooManyVariantsMessage(const std::string& details);

class TFilterVariants {
public:
    // items: the active filters of the line in field order; texts: their raw field texts (for
    // the message of an invalid filter). Raises Error("Некорректное описание фильтра: %s!") for a
    // filter whose sample lengths read as no value, or whose criterion (other than "LNO") reads as
    // no value; raises TooManyVariantsMessage when the product exceeds kMaxScriptVariants.
    TFilterVariants(const std::vector<TFilterItem>& items, const std::vector<std::string>& texts);

    // The number of variants: 0 for a line without filters.
    int Count() const { return int(count_); }
    // The next variant into rec (parts packed from index 0, the rest inactive); false after the last.
    bool Next(TFilterRec& rec);

private:
    struct TFilterValues {
        TFilterItem Item;
        TIntArray Lengths;
        TIntArray Values;      // one entry per variant value (per-value kinds), else unused
        std::string Joined;    // the criterion value of a list kind ("3,5"), or the raw text of "LNO"
        bool PerValue = false;
        int ValueCount() const { return PerValue ? int(Values.size()) : 1; }
    };

    std::vector<TFilterValues> filters_;
    // The odometer: for each filter its length index and value index.
    std::vector<int> lengthIndex_;
    std::vector<int> valueIndex_;
    int64_t count_ = 0;
    int64_t taken_ = 0;
};

// The whole list of variants, for tests and small lines.
std::vector<TFilterRec> BuildVariants(const std::vector<TFilterItem>& items, const std::vector<std::string>& texts);

} // namespace velmora
