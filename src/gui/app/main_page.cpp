#include "gui/app/main_page.h"

#include "gui/app/template_main.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace velmora {
namespace {

// Runs a command when its key is pressed in the watched list, before any window shortcut sees it.
class TListKey : public QObject {
public:
    TListKey(QObject* parent, QKeySequence key, std::function<void()> run)
        : QObject(parent), key_(std::move(key)), run_(std::move(run)) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (QKeySequence(k->keyCombination()) == key_) {
                e->accept();
                if (e->type() == QEvent::KeyPress) run_();
                return true;
            }
        }
        return QObject::eventFilter(watched, e);
    }

private:
    QKeySequence key_;
    std::function<void()> run_;
};

} // namespace

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

void TMainPage::KeepKeyInList(const char* command, QWidget* list) {
    QAction* a = Command(command);
    a->setShortcutContext(Qt::WidgetShortcut);
    a->setProperty(kKeyListProperty, list->objectName());
    window_.removeAction(a);
    const QString name = command;
    list->installEventFilter(new TListKey(this, a->shortcut(), [this, name] { TriggerCommand(name); }));
}

} // namespace velmora
