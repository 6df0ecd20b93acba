// What the view pages with a number grid share: the block a grid's selection covers and the filter
// step by the numbers of that block.
#pragma once

#include "core/model/filter_action.h"
#include "core/views/selected_numbers.h"

#include <string>

class QTableView;

namespace velmora {

class TTemplateMain;

// The block of cells the view's selection covers, in the grids' coordinates (the view's headers are
// row 0 and column 0, so cells count from 1), bounds included; empty when nothing is selected.
TGridRect SelectedGridRect(const QTableView& view);

// Keeps or deletes the combinations holding the selected numbers: the undo copy, then the number
// filter logged under the page caption. The window hears of the change also when the step fails.
void ApplySelectionFilter(TTemplateMain& window, const TSelectedNumbers& numbers, TFilterAction action,
                          const std::string& caption);

} // namespace velmora
