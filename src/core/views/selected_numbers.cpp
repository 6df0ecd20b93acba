#include "core/views/selected_numbers.h"

#include "core/filters/stat_filter.h"
#include "core/model/game.h"

#include <algorithm>

namespace velmora {

bool SelectionWithinNumberColumns(const TGridRect& rect) {
    return !rect.Empty() && rect.Left >= kMinNumber && rect.Right <= kMaxNumber;
}

void AddSelectedNumber(TSelectedNumbers& selected, int number) {
    if (number < kMinNumber || number > kMaxNumber) return;
    if (std::find(selected.Numbers.begin(), selected.Numbers.end(), number) != selected.Numbers.end()) return;
    if (!selected.Numbers.empty()) selected.Text += "; ";
    selected.Text += NumberToText(number);
    selected.Numbers.push_back(number);
}

void ApplySelectedNumbers(TCombSet& set, const TStatList& list, const TSelectedNumbers& selected,
                          TFilterAction action, const TDrawsArchive& archive, const std::string& caption,
                          TProgressSink& sink) {
    ApplyNumberFilter(set, list, selected.Numbers, action, archive, caption, selected.Text, 0, sink);
}

} // namespace velmora
