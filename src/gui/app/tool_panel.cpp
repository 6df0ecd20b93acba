#include "gui/app/tool_panel.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QMenu>
#include <QResizeEvent>
#include <QToolButton>
#include <algorithm>

namespace velmora {

namespace {
constexpr int kSpacing = 2;         // pixels between two buttons
constexpr int kSeparatorWidth = 8;  // the room of a separator line
} // namespace

TToolPanel::TToolPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("ToolPanel");
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    menu_ = new QMenu(this);
    menu_->setObjectName("mnToolPanelMore");
    connect(menu_, &QMenu::aboutToShow, this, &TToolPanel::FillMenu);
    more_ = new QToolButton(this);
    more_->setObjectName("btnToolPanelMore");
    more_->setText(QStringLiteral("»"));
    more_->setToolTip(tr("Другие команды"));
    // The menu drops down under the button (a menu button's arrow would only take room).
    connect(more_, &QToolButton::clicked, this, [this] { menu_->popup(more_->mapToGlobal(QPoint(0, more_->height()))); });
    more_->hide();
}

void TToolPanel::AddButton(QToolButton* button) { InsertButton(int(items_.size()), button); }

void TToolPanel::InsertButton(int index, QToolButton* button) {
    button->setParent(this);
    items_.insert(items_.begin() + std::clamp(index, 0, int(items_.size())), {button, nullptr});
    updateGeometry();
    Arrange();
}

void TToolPanel::AddSeparator() {
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    items_.push_back({nullptr, line});
    updateGeometry();
    Arrange();
}

int TToolPanel::ItemWidth(const TItem& item) const {
    return item.Button ? item.Button->sizeHint().width() : kSeparatorWidth;
}

int TToolPanel::RowHeight() const {
    int h = more_->sizeHint().height();
    for (const TItem& item : items_)
        if (item.Button) h = std::max(h, item.Button->sizeHint().height());
    return h;
}

QSize TToolPanel::sizeHint() const {
    int w = 0;
    for (const TItem& item : items_) w += ItemWidth(item) + kSpacing;
    return {std::max(w - kSpacing, 0), RowHeight()};
}

QSize TToolPanel::minimumSizeHint() const {
    int w = more_->sizeHint().width();
    for (const TItem& item : items_)
        if (item.Button) {
            w += kSpacing + ItemWidth(item);
            break;
        }
    return {w, RowHeight()};
}

void TToolPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

bool TToolPanel::event(QEvent* event) {
    // A button's caption changed (its size hint with it), or the font or style did.
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::FontChange ||
        event->type() == QEvent::StyleChange) {
        updateGeometry();
        Arrange();
    }
    return QWidget::event(event);
}

void TToolPanel::Arrange() {
    const int h = height() > 0 ? height() : RowHeight();
    const bool all = sizeHint().width() <= width();
    const int moreWidth = more_->sizeHint().width();
    const int room = all ? width() : width() - moreWidth - kSpacing;
    int x = 0;
    bool full = false;
    int lastButton = -1;  // the last button in the row
    for (int i = 0; i < int(items_.size()); ++i) {
        const TItem& item = items_[size_t(i)];
        QWidget* w = item.Button ? static_cast<QWidget*>(item.Button) : item.Line;
        const int iw = ItemWidth(item);
        full = full || x + iw > room;
        if (full) {
            w->hide();
            continue;
        }
        w->setGeometry(x, 0, iw, h);
        w->show();
        x += iw + kSpacing;
        if (item.Button) lastButton = i;
    }
    // A separator never ends the row.
    for (int i = lastButton + 1; i < int(items_.size()); ++i)
        if (!items_[size_t(i)].Button) items_[size_t(i)].Line->hide();
    if (all) {
        more_->hide();
        return;
    }
    more_->setGeometry(std::max(width() - moreWidth, 0), 0, moreWidth, h);
    more_->show();
    more_->raise();
}

void TToolPanel::FillMenu() {
    menu_->clear();
    bool separator = false;
    for (const TItem& item : items_) {
        if (!item.Button) {
            separator = !menu_->isEmpty();
            continue;
        }
        if (!item.Button->isHidden() || !item.Button->defaultAction()) continue;
        if (separator) menu_->addSeparator();
        separator = false;
        menu_->addAction(item.Button->defaultAction());
    }
}

} // namespace velmora
