#include "gui/views/column_fit.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemModel>
#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace velmora {

namespace {
constexpr int kRowsOfHiddenView = 50;  // the rows measured while the view is not shown
} // namespace

void WidenColumnsToContents(QTableView* view) {
    auto* base = static_cast<QAbstractItemView*>(view);
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        if (view->isColumnHidden(c)) continue;
        const int need = std::max(base->sizeHintForColumn(c), view->horizontalHeader()->sectionSizeHint(c));
        if (need > view->columnWidth(c)) view->setColumnWidth(c, need);
    }
}

int CaptionWidth(const QTableView* view, int column) {
    // As the header draws the section: in its font, with room for the sort arrow only where the
    // arrow is drawn (the header's own measure makes room for bold text and an arrow everywhere).
    const QHeaderView* h = view->horizontalHeader();
    QStyleOptionHeader opt;
    opt.initFrom(h);
    opt.orientation = Qt::Horizontal;
    opt.section = column;
    opt.text = view->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    opt.sortIndicator = h->isSortIndicatorShown() && h->sortIndicatorSection() == column ? QStyleOptionHeader::SortDown
                                                                                          : QStyleOptionHeader::None;
    return h->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), h).width();
}

std::vector<int> ShownCellsWidths(const QTableView* view) {
    const QAbstractItemModel* m = view->model();
    std::vector<int> widths(size_t(std::max(m->columnCount(), 0)), 0);
    const int rows = m->rowCount();
    if (rows == 0) return widths;
    const int top = std::max(view->rowAt(0), 0);
    int bottom = view->isVisible() ? view->rowAt(view->viewport()->height() - 1) : -1;
    if (bottom < 0) bottom = std::min(rows, top + kRowsOfHiddenView) - 1;
    QStyleOptionViewItem opt;
    opt.initFrom(view);
    opt.font = view->font();
    opt.fontMetrics = view->fontMetrics();
    opt.decorationSize = view->iconSize();
    opt.textElideMode = view->textElideMode();
    // Row by row: a model that reads its rows on demand keeps one row at hand.
    for (int r = top; r <= bottom; ++r)
        for (int c = 0; c < int(widths.size()); ++c) {
            if (view->isColumnHidden(c)) continue;
            const QModelIndex index = m->index(r, c);
            widths[size_t(c)] = std::max(widths[size_t(c)], view->itemDelegateForIndex(index)->sizeHint(opt, index).width());
        }
    // The grid line takes a pixel of each cell.
    if (view->showGrid())
        for (int& w : widths) w += w > 0 ? 1 : 0;
    return widths;
}

TColumnFit::TColumnFit(QTableView* view, int shareColumn, int sharePercent)
    : QObject(view), view_(view), viewport_(view->viewport()), shareColumn_(shareColumn), sharePercent_(sharePercent) {
    viewport_->installEventFilter(this);
    // The header's own least width is that of its widest letter: more than a one-digit column needs.
    view_->horizontalHeader()->setMinimumSectionSize(view_->fontMetrics().horizontalAdvance("0"));
    // New rows, texts or sort: fitted once the list has settled.
    auto later = [this] { FitLater(); };
    QAbstractItemModel* m = view_->model();
    connect(m, &QAbstractItemModel::modelReset, this, later);
    connect(m, &QAbstractItemModel::layoutChanged, this, later);
    connect(m, &QAbstractItemModel::dataChanged, this, later);
    connect(view_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, later);
    // A width the user drags a column to stays for the session.
    header_ = view_->horizontalHeader()->viewport();
    header_->installEventFilter(this);
    connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (fitting_ || !dragging_) return;
        if (size_t(column) >= dragged_.size()) dragged_.resize(size_t(column) + 1, 0);
        dragged_[size_t(column)] = size;
    });
}

void TColumnFit::FitLater() {
    if (pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        pending_ = false;
        Fit();
    });
}

void TColumnFit::SetLeastWidths(std::vector<int> widths) {
    least_ = std::move(widths);
    Fit();
}

void TColumnFit::SetContentsWidth(int column, int width) {
    if (column < 0) return;
    if (size_t(column) >= contents_.size()) contents_.resize(size_t(column) + 1, 0);
    contents_[size_t(column)] = width;
}

void TColumnFit::Fit() {
    if (fitting_ || !view_->model()) return;
    fitting_ = true;
    const int count = view_->model()->columnCount();
    const std::vector<int> cells = ShownCellsWidths(view_);
    auto at = [](const std::vector<int>& v, int c) { return c < int(v.size()) ? std::max(v[size_t(c)], 0) : 0; };
    int others = 0;
    for (int c = 0; c < count; ++c) {
        if (c == shareColumn_ || view_->isColumnHidden(c)) continue;
        const int w = at(dragged_, c) > 0 ? at(dragged_, c)
                                          : std::max({CaptionWidth(view_, c), at(cells, c), at(contents_, c), at(least_, c)});
        view_->setColumnWidth(c, w);
        others += view_->columnWidth(c);
    }
    if (at(dragged_, shareColumn_) > 0) {
        view_->setColumnWidth(shareColumn_, at(dragged_, shareColumn_));
    } else if (shareColumn_ >= 0 && shareColumn_ < count && !view_->isColumnHidden(shareColumn_)) {
        const int room = view_->viewport()->width();
        const int texts = std::max(at(cells, shareColumn_), at(contents_, shareColumn_));
        const int w = std::max({CaptionWidth(view_, shareColumn_), room - others,
                                std::min(texts, room * sharePercent_ / 100)});
        view_->setColumnWidth(shareColumn_, w);
    }
    fitting_ = false;
}

bool TColumnFit::eventFilter(QObject* watched, QEvent* event) {
    // The view itself may be going (its viewports are the last to go): only the watched pointers
    // are compared.
    if (watched == header_ && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease))
        dragging_ = event->type() == QEvent::MouseButtonPress;
    if (watched == viewport_ && event->type() == QEvent::Resize) {
        if (fitting_)
            FitLater();
        else
            Fit();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velmora
