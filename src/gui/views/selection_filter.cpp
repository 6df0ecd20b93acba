#include "gui/views/selection_filter.h"

#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"

#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>
#include <climits>

namespace velmora {

TGridRect SelectedGridRect(const QTableView& view) {
    TGridRect rect;
    const QItemSelection selection = view.selectionModel()->selection();
    if (selection.isEmpty()) return rect;
    rect = {INT_MAX, INT_MAX, -1, -1};
    for (const QItemSelectionRange& r : selection) {
        rect.Left = std::min(rect.Left, r.left() + 1);
        rect.Top = std::min(rect.Top, r.top() + 1);
        rect.Right = std::max(rect.Right, r.right() + 1);
        rect.Bottom = std::max(rect.Bottom, r.bottom() + 1);
    }
    return rect;
}

void ApplySelectionFilter(TTemplateMain& window, const TSelectedNumbers& numbers, TFilterAction action,
                          const std::string& caption) {
    TBusy busy(&window);
    window.Combs().SaveUndo(true, window.Progress());
    try {
        ApplySelectedNumbers(window.Combs(), window.StatList(), numbers, action, window.Draws(), caption,
                             window.Progress());
    } catch (...) {
        window.NotifyCombsChanged();
        window.SetStatusText(QString());
        throw;
    }
    window.NotifyCombsChanged();
    window.SetStatusText(QString());
}

} // namespace velmora
