// The base of every page of the main window (see the contract at the top of template_main.h): a
// widget that owns its controls, registers its commands in the window's command table and takes
// part in the window's life through the hooks below. A page reaches the shared state and the other
// pages only through TTemplateMain.
#pragma once

#include <QKeySequence>
#include <QString>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <string>

class QAction;
class QMenu;

namespace velmora {

class TTemplateMain;

class TMainPage : public QWidget {
    Q_OBJECT
public:
    // name: the page's object name ("tsDraws", "tsCombs" ...).
    TMainPage(TTemplateMain& window, const char* name);

    TTemplateMain& Window() const { return window_; }

    // The hooks the window calls on every page, in the order the pages were added.
    // The page's keys of the window settings file (section: the window's section).
    virtual void ReadSettings(const std::string& section) { (void)section; }
    virtual void WriteSettings(const std::string& section) { (void)section; }
    // The start-up step of the page, after the archive is loaded and before the views are computed.
    virtual void InitializePage() {}
    // The page's view follows the archive, the offset or the settings; unless forced it decides
    // itself whether its inputs changed.
    virtual void RecomputeView(bool force) { (void)force; }
    // The window closes (no operation runs any more): the page lets go of the files it holds
    // open, before the data folder is freed for the next copy of the program.
    virtual void ClosePage() {}

protected:
    // Registers a command of this page: the enabling rule <Command>Update, the work
    // <Command>Execute and, for a check command, its check mark.
    template <class P>
    QAction* AddCommand(const QString& name, const QString& caption, const QKeySequence& key, const QString& hint,
                        bool (P::*update)() const, void (P::*execute)(), bool (P::*checked)() const = nullptr);
    // A registered command by name.
    QAction* Command(const QString& name) const;
    // Runs the command when it is enabled now: for input outside the command's own controls
    // (a double click in a list, Enter in a field).
    void TriggerCommand(const QString& name);
    // Adds the commands to a menu in order; an empty name is a separator.
    void AddCommands(QMenu* menu, std::initializer_list<const char*> names) const;
    // A pop-up menu of the page's list with the commands; the enabling rules are applied before it
    // opens.
    QMenu* CreatePopupMenu(const char* name, QWidget* list, std::initializer_list<const char*> names);
    // The command's key works only while the list has the focus: for a key that several pages give
    // to their own commands (Ctrl+Del deletes in the list at hand). The menus still show the key.
    void KeepKeyInList(const char* command, QWidget* list);

public:
    // The object name of the list whose key the command keeps (a property of its action).
    static constexpr const char* kKeyListProperty = "velmoraKeyList";

private:
    QAction* RegisterCommand(const QString& name, const QString& caption, const QKeySequence& key, const QString& hint,
                             std::function<bool()> update, std::function<void()> execute,
                             std::function<bool()> checked);

    TTemplateMain& window_;
};

template <class P>
QAction* TMainPage::AddCommand(const QString& name, const QString& caption, const QKeySequence& key,
                               const QString& hint, bool (P::*update)() const, void (P::*execute)(),
                               bool (P::*checked)() const) {
    P* self = static_cast<P*>(this);
    std::function<bool()> isChecked;
    if (checked) isChecked = [self, checked] { return (self->*checked)(); };
    return RegisterCommand(
        name, caption, key, hint, [self, update] { return (self->*update)(); }, [self, execute] { (self->*execute)(); },
        std::move(isChecked));
}

} // namespace velmora
