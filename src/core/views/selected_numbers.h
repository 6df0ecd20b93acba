// The numbers a user selected in a grid of the card or the layout scheme, and the filter step
// they make: a combination matches when it holds one of them (the NUMS statistic).
#pragma once

#include "core/combs/comb_set.h"
#include "core/model/draws_archive.h"
#include "core/model/filter_action.h"
#include "core/util/progress.h"

#include <string>
#include <vector>

namespace velmora {

class TStatList;

// The selected block of a grid of the views (row 0 holds the captions, column 0 the row
// captions), bounds included. A selection is read column by column from the left, each column
// from the top down.
struct TGridRect {
    int Left = 0, Top = 0, Right = -1, Bottom = -1;
    bool Empty() const { return Right < Left || Bottom < Top; }
};

// The filters of the card and the scheme take a selection that lies within the number columns:
// not empty, its left column at least 1 and its right column at most 50.
bool SelectionWithinNumberColumns(const TGridRect& rect);

struct TSelectedNumbers {
    std::vector<int> Numbers;  // each number once, in the order of collection
    std::string Text;          // their texts joined by "; " (the values text of the step)
};

// Adds a number unless it was collected already; numbers outside 1..50 are not numbers of a
// combination and are skipped.
void AddSelectedNumber(TSelectedNumbers& selected, int number);

// The filter step of a page: ApplyNumberFilter with the page caption as the caption of the step
// in the applied-filters log. No number raises "В выделенном диапазоне нет значений для фильтра!"
// before the set is touched. The caller saves the undo copy first.
void ApplySelectedNumbers(TCombSet& set, const TStatList& list, const TSelectedNumbers& selected,
                          TFilterAction action, const TDrawsArchive& archive, const std::string& caption,
                          TProgressSink& sink = NullProgress());

} // namespace velmora
