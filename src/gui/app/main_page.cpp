#include "gui/app/main_page.h"

#include "gui/app/template_main.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QMenu>

namespace velmora {

TMainPage::TMainPage(TTemplateMain& window, const char* name) : QWidget(nullptr), window_(window) {
    setObjectName(name);
}

QAction* TMainPage::RegisterCommand(const QString& name, const QString& caption, const QKeySequence& key,
                                    const QString& hint, std::function<bool()> update, std::function<void()> execute,
                                    std::function<bool()> checked) {
    return window_.AddCommand(name, caption, key, hint, std::move(update), std::move(execute), std::move(checked));
}

QAction* TMainPage::Command(const QString& name) const { return window_.Command(name); }

void TMainPage::TriggerCommand(const QString& name) { window_.TriggerCommand(name); }

void TMainPage::AddCommands(QMenu* menu, std::initializer_list<const char*> names) const {
    for (const char* name : names) {
        if (*name)
            menu->addAction(Command(name));
        else
            menu->addSeparator();
    }
}

QMenu* TMainPage::CreatePopupMenu(const char* name, QWidget* list, std::initializer_list<const char*> names) {
    auto* menu = new QMenu(this);
    menu->setObjectName(name);
    AddCommands(menu, names);
    QWidget* area = list;
    if (auto* scroll = qobject_cast<QAbstractScrollArea*>(list)) area = scroll->viewport();
    connect(list, &QWidget::customContextMenuRequested, this, [this, menu, area](const QPoint& pos) {
        // A list of a busy window opens no menu (its input is held back anyway).
        if (!window_.IsIdle()) return;
        window_.UpdateCommands();
        menu->popup(area->mapToGlobal(pos));
    });
    return menu;
}

} // namespace velmora
