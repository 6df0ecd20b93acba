// Keyboard access to the menus, as in any desktop program: every menu of the menu bar and every
// item of a menu has an access letter (the underlined letter, '&' in the caption), unique within
// its menu; Alt alone highlights the menu bar and F10 opens its first menu.
#pragma once

#include <QList>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace velmora {

// Gives an access letter to every item of the menu bar and of the menus that lacks one. An item
// keeps the letter its caption already has. An action shown in several menus (a command in the
// main menu and in a list's pop-up menu) has one caption, so its letter is chosen unique in all of
// them. The letter is the first free one among the initials of the caption's words, then among
// its other letters and digits; an item whose letters are all taken gets none.
void AssignAccessKeys(QMenuBar* bar, const QList<QMenu*>& menus);

// The caption without its access letter marks ("&&" stays one "&").
QString PlainCaption(const QString& text);

// The letter on the same key in the other layout (Russian ЙЦУКЕН and Latin QWERTY): "Ф" for
// "A" and back; null for a character on no letter key of both.
QChar LayoutTwin(QChar letter);

// Alt pressed and released alone highlights the first menu of the window's menu bar (Down or
// Enter opens it, Escape leaves); F10 opens the first menu, unless a command of the window has
// that key. Alt with a letter opens the menu of the bar with that letter, in the Russian or the
// Latin layout alike (Alt+A for "Ф"), and so does a letter of either layout in an open menu, as
// desktop programs do with a ru+us layout pair. The window's lists and tables, and those of its
// dialogs, take the focus once: Tab leaves them, the arrows move inside.
void EnableMenuBarKeys(QMainWindow* window);

} // namespace velmora
