// The window from the keyboard: one key runs one command in every state and no command takes a key
// the desktop keeps for itself, Tab walks through lists and tables instead of into their cells, and
// the menus open from either keyboard layout.
#include "gui_test_util.h"

#include "gui/app/access_keys.h"
#include "gui/app/main_page.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <map>

using namespace velmora;
using namespace velmora::test;

namespace {

// Keys the desktop takes before a program sees them (window managers of GNOME, KDE, Xfce,
// Openbox): Alt with Tab, Escape, Space or a function key, anything with Ctrl+Alt, and the logo key.
bool ReservedByDesktop(const QKeyCombination& k) {
    const Qt::KeyboardModifiers m = k.keyboardModifiers();
    if (m.testFlag(Qt::MetaModifier)) return true;
    if (m.testFlag(Qt::ControlModifier) && m.testFlag(Qt::AltModifier)) return true;
    if (m.testFlag(Qt::AltModifier))
        return k.key() == Qt::Key_Tab || k.key() == Qt::Key_Backtab || k.key() == Qt::Key_Escape ||
               k.key() == Qt::Key_Space || (k.key() >= Qt::Key_F1 && k.key() <= Qt::Key_F12);
    return false;
}

QString Text(const QKeySequence& key) { return key.toString(QKeySequence::PortableText); }

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    // Every key of the window's commands, shortcuts and menu bar letters, per context: the window
    // as a whole, or the one list that keeps a command's key. Alt with a letter counts in both
    // layouts, since either opens a menu of the bar.
    void OneKeyOneCommand() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        std::map<QString, QStringList> owners;  // "context|key" -> who has it
        QStringList reserved;
        auto add = [&](const QString& context, const QKeySequence& key, const QString& who) {
            owners[context + "|" + Text(key)] << who;
            if (key[0].keyboardModifiers() == Qt::AltModifier) {
                const QChar twin = LayoutTwin(QChar(char16_t(key[0].key())));
                if (!twin.isNull())
                    owners[context + "|" + Text(QKeySequence(Qt::ALT | Qt::Key(twin.toUpper().unicode())))] << who;
            }
        };
        for (QAction* a : w->findChildren<QAction*>()) {
            if (a->menu() || a->shortcuts().isEmpty()) continue;
            const QString list = a->property(TMainPage::kKeyListProperty).toString();
            QVERIFY2(w->actions().contains(a) || !list.isEmpty(), qPrintable(a->objectName() + " has a key that never works"));
            for (const QKeySequence& key : a->shortcuts()) {
                add(list.isEmpty() ? QString("window") : list, key, a->objectName());
                // Alt+F4 of "Выход" is the window's own close, which the window manager does too.
                if (ReservedByDesktop(key[0]) && !(a->objectName() == "ExitProgram" && key == QKeySequence(Qt::ALT | Qt::Key_F4)))
                    reserved << a->objectName() + " " + Text(key);
            }
        }
        for (QShortcut* s : w->findChildren<QShortcut*>()) add("window", s->key(), s->objectName());
        for (QAction* a : w->menuBar()->actions()) {
            const QKeySequence letter = QKeySequence::mnemonic(a->text());
            if (!letter.isEmpty()) add("window", letter, "menu " + PlainCaption(a->text()));
        }
        QStringList twice;
        for (const auto& [key, who] : owners)
            if (who.size() > 1) twice << key + ": " + who.join(", ");
        QCOMPARE(twice.join("\n"), QString());
        QCOMPARE(reserved.join("\n"), QString());

        // The keys that moved off the desktop's and the ones that were given twice.
        const struct {
            const char* Command;
            QKeySequence Key;
        } keys[] = {
            {"ExitProgram", QKeySequence(Qt::ALT | Qt::Key_F4)},
            {"StakeAddSelected", QKeySequence(Qt::SHIFT | Qt::Key_F4)},
            {"StakeAddAll", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F4)},
            {"StakesGraphProfits", QKeySequence(Qt::SHIFT | Qt::Key_F6)},
            {"SystemStakeAll", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_J)},
            {"ScriptEmpty", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert)},
            {"ScriptOpen", QKeySequence(Qt::CTRL | Qt::Key_J)},
            {"SystemsOn", QKeySequence()},
        };
        for (const auto& k : keys) QCOMPARE(Text(w->Command(k.Command)->shortcut()), Text(k.Key));
    }

    // Ctrl+J opens a script file wherever the focus is, and leaves the systems page alone.
    void CtrlJOpensAScript() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        QApplication::setActiveWindow(w.get());
        DrawsPage(*w)->lvDraws->setFocus();
        const bool systems = w->Command("SystemsOn")->isChecked();
        bool asked = false;
        OnModal<QFileDialog>([&](QFileDialog* dlg) {
            asked = true;
            dlg->reject();
        });
        QTest::keyClick(DrawsPage(*w)->lvDraws, Qt::Key_J, Qt::ControlModifier);
        QVERIFY(QTest::qWaitFor([&] { return asked; }));
        QCOMPARE(w->Command("SystemsOn")->isChecked(), systems);
    }

    // Tab gives the focus to the next control instead of walking the cells of a table.
    void TabLeavesListsAndTables() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        QApplication::setActiveWindow(w.get());
        QStringList walking;
        for (QAbstractItemView* v : w->findChildren<QAbstractItemView*>()) {
            v->ensurePolished();
            if (v->tabKeyNavigation()) walking << v->objectName();
        }
        QCOMPARE(walking.join(", "), QString());
        QTableView* draws = DrawsPage(*w)->lvDraws;
        draws->setFocus();
        draws->setCurrentIndex(draws->model()->index(0, 0));
        QVERIFY(QTest::qWaitFor([&] { return draws->hasFocus(); }));
        QTest::keyClick(draws, Qt::Key_Tab);
        QVERIFY2(!draws->hasFocus(), "Tab stayed in the draw list");
        // The arrows still move inside.
        draws->setFocus();
        QTest::keyClick(draws, Qt::Key_Down);
        QCOMPARE(draws->currentIndex().row(), 1);
    }

    // Alt with the key of a menu's letter opens it in the Latin layout as in the Russian one, and a
    // Latin key picks the item of an open menu.
    void MenusFromTheLatinLayout() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        QApplication::setActiveWindow(w.get());
        DrawsPage(*w)->lvDraws->setFocus();
        int opened = 0;
        for (QAction* menu : w->menuBar()->actions()) {
            if (!menu->isVisible() || !menu->menu()) continue;
            const QKeySequence letter = QKeySequence::mnemonic(menu->text());
            QVERIFY2(!letter.isEmpty(), qPrintable(menu->text()));
            const QChar latin = LayoutTwin(QChar(char16_t(letter[0].key())));
            if (latin.isNull() || !latin.isLetter()) continue;  // "Ё" sits on the key "`"
            QTest::sendKeyEvent(QTest::Click, DrawsPage(*w)->lvDraws, Qt::Key(latin.unicode()), QString(latin.toLower()),
                                Qt::AltModifier);
            QVERIFY2(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == menu->menu(); }),
                     qPrintable(PlainCaption(menu->text()) + " from Alt+" + latin));
            QApplication::activePopupWidget()->close();
            QVERIFY(QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }));
            ++opened;
        }
        QVERIFY(opened >= 5);

        // In the open file menu, the Latin key of "Выход"'s letter closes the window.
        QAction* file = w->menuBar()->actions().first();
        w->menuBar()->setActiveAction(file);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == file->menu(); }));
        const QKeySequence exit = QKeySequence::mnemonic(w->Command("ExitProgram")->text());
        const QChar latin = LayoutTwin(QChar(char16_t(exit[0].key())));
        QVERIFY(latin.isLetter());
        QTest::sendKeyEvent(QTest::Click, file->menu(), Qt::Key(latin.unicode()), QString(latin.toLower()), Qt::NoModifier);
        QVERIFY(QTest::qWaitFor([&] { return !w->isVisible(); }));
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
