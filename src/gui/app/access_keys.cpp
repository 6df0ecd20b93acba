#include "gui/app/access_keys.h"

#include <QAction>
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
    for (size_t g = 0; g < groups.size(); ++g)
        for (QAction* a : groups[g])
            if (const QChar c = AccessLetter(a->text()); !c.isNull()) taken[g].insert(c.unicode());

    for (const auto& group : groups)
        for (QAction* a : group) {
            const QString text = a->text();
            if (!AccessLetter(text).isNull()) continue;
            for (qsizetype pos : Candidates(text)) {
                const char16_t c = text[pos].toUpper().unicode();
                bool free = true;
                for (size_t g : groupsOf[a]) free = free && !taken[g].count(c);
                if (!free) continue;
                for (size_t g : groupsOf[a]) taken[g].insert(c);
                QString lettered = text;
                lettered.insert(pos, QLatin1Char('&'));
                a->setText(lettered);
                break;
            }
        }
}

void EnableMenuBarKeys(QMainWindow* window) {
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
