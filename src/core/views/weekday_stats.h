// The weekday statistics: how often each number came out on each day of the week over the last N
// draws of the analysis window, the shading of the grid that shows the counts, and the numbers a
// selection of its columns gives the number filter.
//
// Grid coordinates: row 0 holds the number captions, rows 1..7 the weekdays Monday .. Sunday;
// column 0 the weekday names, columns 1..50 the numbers.
#pragma once

#include "core/combs/comb_set.h"
#include "core/model/dates.h"
#include "core/model/draws_archive.h"
#include "core/model/filter_action.h"
#include "core/util/progress.h"
#include "core/util/translate.h"
#include "core/views/selected_numbers.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class TStatList;

// The page caption: the caption of the weekday filter's steps.
constexpr const char* kWeekCaption = TrNoop("Неделя");
constexpr const char* kWeekStatus = TrNoop("Построение статистики по дням недели...");
constexpr int kWeekdayCount = 7;

// The ISO weekday of a date: 1 = Monday .. 7 = Sunday.
int IsoWeekday(TDateTime date);

struct TWeekdayTable {
    // Count[n - 1][d - 1]: how often number n came out on weekday d (1 = Monday .. 7 = Sunday).
    std::array<std::array<int32_t, kWeekdayCount>, kMaxNumber> Count{};
    int32_t Max = 0;  // the largest count

    int32_t At(int number, int weekday) const;
    // Row 0: the number texts of columns 1..50; a body cell: its count, empty for 0. Column 0 (the
    // weekday names of the interface language) is the view's.
    std::string CellText(int row, int column) const;
};

// Counts the main numbers of the draws max(0, Last - length + 1) .. Last, Last being the analysis
// window's last draw, by the weekday of the draw's date. A draw without a readable date (an empty
// or invalid text) is left out; stored numbers outside 1..50 are not counted.
TWeekdayTable CountWeekdays(const TDrawsArchive& archive, int length, TProgressSink& sink = NullProgress());

// The shading of a body cell with a count (0xBBGGRR): red 255 and green = blue =
// round(255 - 255 * count / max), halves to even; white for 0, pure red for the maximum. No value
// (the grid's own colour) when max is 0 or the cell is empty (count 0).
std::optional<uint32_t> WeekCellColour(int32_t count, int32_t max);

// The numbers of a selection of the grid: one per column from the left to the right column (the
// rows do not matter); column 0 gives none.
TSelectedNumbers WeekSelectedNumbers(const TGridRect& rect);

// The weekday filter: the number filter with the selected numbers, its step named after the page.
// No number raises "В выделенном диапазоне нет значений для фильтра!". The caller saves the undo
// copy first.
void ApplyWeekdayFilter(TCombSet& set, const TStatList& list, const TGridRect& rect, TFilterAction action,
                        const TDrawsArchive& archive, TProgressSink& sink = NullProgress());

} // namespace velmora
