#include "gui/app/pane_splitter.h"

#include <QResizeEvent>
#include <algorithm>

namespace velmora {

namespace {
constexpr int kMinPane = 24;  // each pane keeps at least this much
}

TPaneSplitter::TPaneSplitter(Qt::Orientation orientation, QWidget* parent) : QSplitter(orientation, parent) {
    setChildrenCollapsible(false);
    connect(this, &QSplitter::splitterMoved, this, [this] {
        const QList<int> s = sizes();
        if (!s.isEmpty()) paneSize_ = s.last();
    });
}

int TPaneSplitter::PaneSize() const {
    if (pending_ || count() < 2) return paneSize_;
    return sizes().last();
}

void TPaneSplitter::SetPaneSize(int size) {
    paneSize_ = std::max(size, kMinPane);
    pending_ = true;
    // A shown splitter takes the size at once; a hidden one on its first resize event.
    if (isVisible()) Apply();
}

void TPaneSplitter::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    if (pending_) Apply();
}

void TPaneSplitter::Apply() {
    if (count() < 2) return;
    for (int i = 0; i < count(); ++i) setStretchFactor(i, i == count() - 1 ? 0 : 1);
    const int total = (orientation() == Qt::Vertical ? height() : width()) - (count() - 1) * handleWidth();
    if (total < 2 * kMinPane) return;
    const int pane = std::clamp(paneSize_, kMinPane, total - kMinPane);
    QList<int> s;
    for (int i = 0; i < count() - 1; ++i) s << (i == 0 ? total - pane : 0);
    s << pane;
    setSizes(s);
    pending_ = false;
}

} // namespace velmora
