#include "gui/app/access_keys.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>
#include <map>
#include <set>
#include <vector>

namespace velmora {

namespace {

// The access letter of a caption ('&' followed by a letter; "&&" is a plain '&'); null when none.
QChar AccessLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return {};
}

// Positions of the letters a caption can take as its access letter, best first: the initials of
// its words, then its other letters and digits.
std::vector<qsizetype> Candidates(const QString& text) {
    std::vector<qsizetype> initials, others;
    bool wordStart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isLetterOrNumber()) {
            (wordStart ? initials : others).push_back(i);
            wordStart = false;
        } else {
            wordStart = true;
        }
    }
    initials.insert(initials.end(), others.begin(), others.end());
    return initials;
}

// The letters of the Russian and the Latin layout on the same keys (ЙЦУКЕН and QWERTY).
constexpr char16_t kRussianKeys[] = u"ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁ";
constexpr char kLatinKeys[] = "QWERTYUIOP[]ASDFGHJKL;'ZXCVBNM,.`";

// An access letter of a menu (upper case) found from a key of the other layout.
bool IsAccessLetterOf(QAction* a, QChar letter) {
    const QKeySequence key = QKeySequence::mnemonic(a->text());
    return !key.isEmpty() && QChar(char16_t(key[0].key())).toUpper() == letter;
}

// The menus of a window take their letters from the key of the same place in the other layout
// too, and its lists and tables give the Tab key back to the window.
class TKeyboardRules : public QObject {
public:
    explicit TKeyboardRules(QMainWindow* window) : QObject(window), window_(window) {
        // The views polished already; the others as they are polished.
        for (QAbstractItemView* view : window->findChildren<QAbstractItemView*>()) view->setTabKeyNavigation(false);
        qApp->installEventFilter(this);
    }
    ~TKeyboardRules() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Polish) {
            // Tab enters a list once and leaves it; the arrows move inside.
            if (auto* view = qobject_cast<QAbstractItemView*>(watched)) view->setTabKeyNavigation(false);
            return false;
        }
        if (e->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->text().size() != 1) return false;
        const QChar typed = k->text().at(0).toUpper();
        const QChar twin = LayoutTwin(typed);
        if (twin.isNull()) return false;
        // An open menu, or the menu bar entered with Alt: the letter picks an item.
        auto* menuWidget = qobject_cast<QWidget*>(watched);
        QList<QAction*> items;
        if (auto* m = qobject_cast<QMenu*>(watched))
            items = m->actions();
        else if (auto* bar = qobject_cast<QMenuBar*>(watched))
            items = bar->actions();
        if (!items.isEmpty()) {
            if (k->modifiers() & ~(Qt::AltModifier | Qt::ShiftModifier)) return false;
            bool own = false, other = false;
            for (QAction* a : items) {
                own = own || IsAccessLetterOf(a, typed);
                other = other || IsAccessLetterOf(a, twin);
            }
            if (own || !other) return false;
            QKeyEvent translated(QEvent::KeyPress, Qt::Key(twin.unicode()), k->modifiers(), QString(twin.toLower()));
            QCoreApplication::sendEvent(menuWidget, &translated);
            return true;
        }
        // Alt with a letter that no command of the window took: the menu of the menu bar with that
        // letter in the other layout.
        if (k->modifiers() != Qt::AltModifier || menuWidget->window() != window_) return false;
        QMenuBar* bar = window_->menuBar();
        for (QAction* a : bar->actions())
            if (a->menu() && a->isVisible() && a->isEnabled() && IsAccessLetterOf(a, twin)) {
                bar->setActiveAction(a);
                return true;
            }
        return false;
    }

private:
    QMainWindow* window_;
};

// The menu bar treats a lone Alt as the way into it only when the style asks for it; Qt's styles
// on Linux do not, desktop programs elsewhere do.
class TAltKeyStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_MenuBar_AltKeyNavigation) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

QChar LayoutTwin(QChar letter) {
    const QChar up = letter.toUpper();
    for (size_t i = 0; kLatinKeys[i]; ++i) {
        if (up == QLatin1Char(kLatinKeys[i])) return QChar(kRussianKeys[i]);
        if (up == QChar(kRussianKeys[i])) return QLatin1Char(kLatinKeys[i]);
    }
    return {};
}

QString PlainCaption(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

void AssignAccessKeys(QMenuBar* bar, const QList<QMenu*>& menus) {
    // The groups within which letters must differ: the menu bar, then each menu.
    std::vector<std::vector<QAction*>> groups;
    auto addGroup = [&groups](const QList<QAction*>& actions) {
        std::vector<QAction*> items;
        for (QAction* a : actions)
            if (!a->isSeparator() && !a->text().isEmpty()) items.push_back(a);
        groups.push_back(std::move(items));
    };
    if (bar) addGroup(bar->actions());
    for (QMenu* m : menus) addGroup(m->actions());

    std::map<QAction*, std::vector<size_t>> groupsOf;
    for (size_t g = 0; g < groups.size(); ++g)
        for (QAction* a : groups[g]) groupsOf[a].push_back(g);

    // The letters taken in each group, by the items that have one.
    std::vector<std::set<char16_t>> taken(groups.size());
    // Alt with a letter of either layout opens a menu of the bar: the letters of the commands'
    // Alt+letter keys, and their twins on the same keys, are not the bar's.
    if (bar && bar->window())
        for (QAction* a : bar->window()->findChildren<QAction*>())
            for (const QKeySequence& key : a->shortcuts()) {
                if (key.count() != 1 || key[0].keyboardModifiers() != Qt::AltModifier) continue;
                const QChar letter = QChar(char16_t(key[0].key())).toUpper();
                if (!letter.isLetter()) continue;
                taken[0].insert(letter.unicode());
                if (const QChar twin = LayoutTwin(letter); !twin.isNull()) taken[0].insert(twin.unicode());
            }
    for (size_t g = 0; g < groups.size(); ++g)
        for (QAction* a : groups[g])
            if (const QChar c = AccessLetter(a->text()); !c.isNull()) taken[g].insert(c.unicode());

    // The letters given here, so that one can move to make room for an item that has no other.
    std::map<QAction*, char16_t> given;
    auto letterAt = [](QAction* a, qsizetype pos) { return a->text()[pos].toUpper().unicode(); };
    auto isFree = [&](QAction* a, char16_t c) {
        for (size_t g : groupsOf[a])
            if (taken[g].count(c)) return false;
        return true;
    };
    auto take = [&](QAction* a, char16_t c, bool on) {
        for (size_t g : groupsOf[a]) on ? (void)taken[g].insert(c) : (void)taken[g].erase(c);
        if (on)
            given[a] = c;
        else
            given.erase(a);
    };
    // The one item of a's groups that was given letter c here, or null.
    auto holderOf = [&](QAction* a, char16_t c) -> QAction* {
        QAction* holder = nullptr;
        for (size_t g : groupsOf[a])
            for (QAction* b : groups[g]) {
                auto it = given.find(b);
                if (b == a || it == given.end() || it->second != c) continue;
                if (holder && holder != b) return nullptr;
                holder = b;
            }
        return holder;
    };

    std::vector<QAction*> without;
    for (const auto& group : groups)
        for (QAction* a : group)
            if (AccessLetter(a->text()).isNull() && !given.count(a)) {
                for (qsizetype pos : Candidates(a->text()))
                    if (const char16_t c = letterAt(a, pos); isFree(a, c)) {
                        take(a, c, true);
                        break;
                    }
                if (!given.count(a)) without.push_back(a);
            }
    // An item left without a letter takes one from an item that can move to another free letter.
    for (QAction* a : without)
        for (qsizetype pos : Candidates(a->text())) {
            const char16_t c = letterAt(a, pos);
            QAction* b = holderOf(a, c);
            if (!b) continue;
            take(b, c, false);
            bool moved = false;
            for (qsizetype bpos : Candidates(b->text()))
                if (const char16_t d = letterAt(b, bpos); d != c && isFree(b, d)) {
                    take(b, d, true);
                    moved = true;
                    break;
                }
            if (!moved) {
                take(b, c, true);
                continue;
            }
            take(a, c, true);
            break;
        }
    // The first place of its letter in each caption becomes the access letter.
    for (const auto& [a, c] : given) {
        const QString text = a->text();
        for (qsizetype pos : Candidates(text))
            if (letterAt(a, pos) == c) {
                QString lettered = text;
                lettered.insert(pos, QLatin1Char('&'));
                a->setText(lettered);
                break;
            }
    }
}

void EnableMenuBarKeys(QMainWindow* window) {
    new TKeyboardRules(window);
    QMenuBar* bar = window->menuBar();
    auto* style = new TAltKeyStyle;
    style->setParent(bar);
    bar->setStyle(style);

    for (QAction* a : window->findChildren<QAction*>())
        if (a->shortcuts().contains(QKeySequence(Qt::Key_F10))) return;
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    f10->setObjectName("scMenuBar");
    QObject::connect(f10, &QShortcut::activated, bar, [bar] {
        for (QAction* a : bar->actions())
            if (a->isVisible() && a->isEnabled() && a->menu()) {
                bar->setActiveAction(a);
                return;
            }
    });
}

} // namespace velmora
