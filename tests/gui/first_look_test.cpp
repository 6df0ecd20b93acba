// What a new user meets in the first minute: the window takes input after the start, the menus are
// reached from the keyboard, Qt's own texts are Russian, the window and its tables fit the screen,
// the chart's labels are whole, hints leave the status panel, a page without a browser shows its
// address, and the start-up steps around the data folder.
#include "gui_test_util.h"

#include "core/app/window_settings.h"
#include "core/combs/comb_set.h"
#include "core/util/atomic_file.h"
#include "gui/app/access_keys.h"
#include "gui/app/form_first_run.h"
#include "gui/app/qt_locale.h"
#include "gui/app/qt_text.h"
#include "gui/app/tool_panel.h"
#include "gui/draws/form_draw_info.h"
#include "gui/scripts/form_test_cnt.h"
#include "gui/stakes/form_multi.h"
#include "gui/stats/draw_stats_model.h"
#include "core/app/help.h"
#include "core/stakes/stake_file.h"
#include "gui/ratings/ratings_page.h"
#include "gui/scripts/script_page.h"
#include "gui/stakes/stakes_page.h"
#include "gui/systems/systems_page.h"

#include <QAction>
#include <QShortcut>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QDialogButtonBox>
#include <QDir>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QScreen>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QStyleOptionHeader>
#include <QTabBar>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <set>

using namespace velmora;
using namespace velmora::test;

namespace {

// Counts the progress windows that were shown, whatever showed them.
class ProgressWatch : public QObject {
public:
    ProgressWatch() { qApp->installEventFilter(this); }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }
    int Shown = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && qobject_cast<QProgressDialog*>(o)) ++Shown;
        return false;
    }
};

// The menus of the window: the menu bar's, in order, then the pop-up menus of the pages.
QList<QMenu*> WindowMenus(TTemplateMain& w) {
    QList<QMenu*> menus;
    for (QAction* a : w.menuBar()->actions())
        if (a->menu()) menus << a->menu();
    for (QMenu* m : w.findChildren<QMenu*>())
        if (!menus.contains(m)) menus << m;
    return menus;
}

// "caption: what is wrong" for every item without a letter or with a letter another item has.
QStringList AccessKeyFaults(const QString& menuName, const QList<QAction*>& actions) {
    QStringList faults;
    std::map<QString, QString> letters;
    for (QAction* a : actions) {
        if (a->isSeparator() || a->text().isEmpty()) continue;
        const QKeySequence key = QKeySequence::mnemonic(a->text());
        if (key.isEmpty()) {
            faults << menuName + ": " + a->text() + ": no letter";
            continue;
        }
        const QString letter = key.toString();
        if (letters.count(letter)) faults << menuName + ": " + a->text() + ": the letter of " + letters[letter];
        letters[letter] = a->text();
    }
    return faults;
}

// The texts of the chart's labels as drawn; an elided one ends with "…".
QStringList ChartTexts(QChartView* view) {
    QStringList texts;
    for (QGraphicsItem* item : view->scene()->items())
        if (auto* t = dynamic_cast<QGraphicsTextItem*>(item); t && t->isVisible()) texts << t->toPlainText();
    return texts;
}

void SelectStatistic(TDrawsStatPage* page, const QString& part) {
    const int i = page->cbDrawsStatType->findText(part, Qt::MatchContains);
    QVERIFY2(i >= 0, qPrintable(part));
    page->cbDrawsStatType->setCurrentIndex(i);
    QTest::qWait(50);
}

void WriteSwitchBefore(const char* key, bool value) {
    TWindowSettings s(WindowSettingsFile());
    s.Load();
    s.WriteBool("TFormMain", key, value);
    s.Save();
}


// Stakes of script lines with long comments for the last draws of the archive (checked at start,
// so that the ratings have rows too), and hand stakes for the draw to come.
void WriteLongStakes(int lastDraw) {
    TStakeFile f(StakeFileName());
    f.Open();
    const char* comments[] = {"01.001: @ FULL#RAND + BSF#EVEN:150#CDV:1,2#SV:7 + TMD#SUMS:20#LMV:10#ST:2",
                              "02.014: B @ EXCL:3#ALL + TMD#SUMS:20#LMV:10#ST:2 + BSF#DIFA:40#CDV:3",
                              "03.002: @ FULL#RAND"};
    for (int draw = lastDraw - 5; draw <= lastDraw + 1; ++draw) {
        f.AppendSeparatorIfNeeded();
        for (int i = 0; i < 3; ++i) {
            TStakeRecord r;
            r.Kind = draw > lastDraw ? skManual : skScript;
            r.DrawNumber = draw;
            r.Sample = 2118760;
            r.Numbers.Count = 5;
            for (int k = 0; k < 5; ++k) r.Numbers.Numbers[k] = uint8_t(1 + (draw * 7 + i * 11 + k * 9) % 50);
            r.Matched.Count = -1;
            r.Profit = -20000;
            r.SetCommentText(draw > lastDraw ? kHandStakeComment : comments[i]);
            f.AppendStakes(r, 1);
        }
    }
}

// "column: caption" for every caption of the table's header that its section cuts. The header
// draws the sort arrow in the sorted column only; it measures every section with room for one.
QStringList CutCaptions(QTableView* table) {
    QStringList faults;
    QHeaderView* h = table->horizontalHeader();
    for (int c = 0; c < table->model()->columnCount(); ++c) {
        if (table->isColumnHidden(c)) continue;
        QStyleOptionHeader opt;
        opt.initFrom(h);
        opt.text = table->model()->headerData(c, Qt::Horizontal).toString();
        opt.sortIndicator = h->isSortIndicatorShown() && h->sortIndicatorSection() == c ? QStyleOptionHeader::SortDown
                                                                                     : QStyleOptionHeader::None;
        const int need = h->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), h).width();
        if (h->sectionSize(c) < need)
            faults << QString("%1: %2 wants %3, has %4").arg(c).arg(opt.text).arg(need).arg(h->sectionSize(c));
    }
    return faults;
}

// "column" for every column but `except` whose shown cells are cut.
QStringList CutCells(QTableView* table, int except) {
    QStringList faults;
    auto* view = static_cast<QAbstractItemView*>(table);
    for (int c = 0; c < table->model()->columnCount(); ++c)
        if (c != except && !table->isColumnHidden(c) && table->columnWidth(c) < view->sizeHintForColumn(c))
            faults << QString("%1: cells want %2, have %3").arg(c).arg(view->sizeHintForColumn(c)).arg(table->columnWidth(c));
    return faults;
}

// Drags the right edge of the column's caption by dx pixels, as the user widens a column.
void DragColumnEdge(QTableView* table, int column, int dx) {
    QHeaderView* h = table->horizontalHeader();
    const QPoint from(h->sectionViewportPosition(column) + h->sectionSize(column) - 1, h->height() / 2);
    const QPoint to = from + QPoint(dx, 0);
    QTest::mousePress(h->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), h->viewport()->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h->viewport(), &move);
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, {}, to);
}

// The widgets under `root` whose least width is above `limit`, widest first: what keeps a window wide.
QString WideWidgets(QWidget* root, int limit) {
    QStringList out;
    for (QWidget* c : root->findChildren<QWidget*>())
        if (c->isVisibleTo(root) && c->minimumSizeHint().width() > limit)
            out << QString("%1(%2) %3").arg(c->objectName(), c->metaObject()->className()).arg(c->minimumSizeHint().width());
    return out.join("; ");
}

} // namespace

class FirstLookTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void WindowTakesAClickAfterStart();
    void EveryMenuItemHasItsOwnLetter();
    void MenuBarFromTheKeyboard();
    void QtTextsAreRussian();
    void FirstStartGeometry_data();
    void FirstStartGeometry();
    void FirstStartFitsTheScreen();
    void PagesFitTheScreen();
    void DialogsShowTheirTexts();
    void FilterCaptionTakesItsRoom();
    void HintsLeaveTheStatusPanel();
    void PageWithoutBrowserShowsTheAddress();
    void ImportTellsOfInvalidFields();
    void StartRemovesStaleTemporaryFiles();
    void CloseDuringStartOpensNoWindow();
};

// The progress window of the distribution files must not come up by itself with the comparison
// off (the default): the window takes a click several seconds after the start.
void FirstLookTest::WindowTakesAClickAfterStart() {
    DataFolder data(MakeSampleDraws(120, 5));
    ProgressWatch watch;
    auto w = OpenMainWindow();
    QVERIFY(!w->PrefetchsEnabled());
    QTest::qWait(5000);
    QCOMPARE(watch.Shown, 0);
    QVERIFY(!w->fmProgress->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTabBar* tabs = w->pcLists->tabBar();
    QCOMPARE(w->pcLists->currentIndex(), 0);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(w->pcLists->currentIndex(), 1);

    // An operation with the progress window shows it while it runs, and never again afterwards.
    w->Command("DrawsStatePrefetchsEnabled")->trigger();
    QVERIFY(watch.Shown >= 1);
    QVERIFY(!w->fmProgress->isVisible());
    const int shown = watch.Shown;
    QTest::qWait(5000);
    QCOMPARE(watch.Shown, shown);
    QVERIFY(!w->fmProgress->isVisible());
}

void FirstLookTest::EveryMenuItemHasItsOwnLetter() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QStringList faults = AccessKeyFaults("menu bar", w->menuBar()->actions());
    const QList<QMenu*> menus = WindowMenus(*w);
    QVERIFY(menus.size() > 6);
    for (QMenu* m : menus) faults << AccessKeyFaults(m->objectName(), m->actions());
    QCOMPARE(faults.join("\n"), QString());
    // The captions themselves stay the product's.
    QCOMPARE(PlainCaption(w->Command("CombsGen")->text()), QString("Генерировать"));
    QCOMPARE(PlainCaption(w->menuBar()->actions().first()->text()), QString("Файл"));
}

void FirstLookTest::MenuBarFromTheKeyboard() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QApplication::setActiveWindow(w.get());
    const QList<QAction*> bar = w->menuBar()->actions();

    // Alt with a menu's letter opens that menu.
    QAction* draws = bar.at(1);
    const QKeySequence letter = QKeySequence::mnemonic(draws->text());
    QVERIFY(!letter.isEmpty());
    const QString typed = letter.toString().right(1).toLower();  // "Alt+А": a Cyrillic letter
    QTest::sendKeyEvent(QTest::Click, w.get(), Qt::Key(letter[0].key()), typed, Qt::AltModifier);
    QVERIFY(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == draws->menu(); }));
    QApplication::activePopupWidget()->close();
    QVERIFY(QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }));

    // F10 would open the first menu while no command has that key; "Прогноз" has it.
    QCOMPARE(w->Command("ScriptRun")->shortcut(), QKeySequence(Qt::Key_F10));
    QVERIFY(!w->findChild<QShortcut*>("scMenuBar"));
}

// Qt's own dialogs speak Russian, and dates and numbers are written the Russian way.
void FirstLookTest::QtTextsAreRussian() {
    QVERIFY2(!QtTextsFile().isEmpty(), "qtbase_ru.qm was not found");
    QCOMPARE(QLocale().language(), QLocale::Russian);
    QCOMPARE(QLocale().toString(QDate(2024, 12, 1), "d MMMM"), QString("1 декабря"));
    QCOMPARE(QLocale().toString(1.5, 'f', 1), QString("1,5"));

    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QStringList buttons, labels;
    OnModal<QFileDialog>([&](QFileDialog* dlg) {
        for (QAbstractButton* b : dlg->findChild<QDialogButtonBox*>()->buttons()) buttons << PlainCaption(b->text());
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            if (auto* l = dlg->findChild<QLabel*>(name)) labels << PlainCaption(l->text());
        dlg->reject();
    });
    w->Command("DrawsImport")->trigger();
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"Открыть", "Отмена"}));
    QCOMPARE(labels, (QStringList{"Перейти к:", "Имя файла:", "Типы файлов:"}));
}

void FirstLookTest::FirstStartGeometry_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("window");
    QTest::newRow("1366x768") << QRect(0, 0, 1366, 768) << QRect(34, 19, 1297, 729);
    QTest::newRow("1920x1080 less a panel") << QRect(0, 0, 1920, 1040) << QRect(48, 26, 1824, 988);
    QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QRect(1952, 26, 1216, 972);
    QTest::newRow("small screen taken whole") << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 600);
}

void FirstLookTest::FirstStartGeometry() {
    QFETCH(QRect, available);
    QFETCH(QRect, window);
    QCOMPARE(velmora::FirstStartGeometry(available), window);
}

// The first start on this screen (the test runs on a 1366x768 and a 1920x1080 one): most of the
// screen, the selector's caption whole, every column of the lists reachable, the chart's labels
// whole for a statistic with few short values and for a mask statistic with many long ones.
void FirstLookTest::FirstStartFitsTheScreen() {
    DataFolder data(MakeSampleDraws(400, 7));
    auto w = std::make_unique<TFormMain>();
    QScreen* screen = w->screen();
    if (screen->size().width() < 1366) QSKIP("judged on screens of 1366x768 and larger (see CMakeLists.txt)");
    QCOMPARE(w->geometry(), velmora::FirstStartGeometry(screen->availableGeometry()));
    w->show();
    QVERIFY(QTest::qWaitFor([&] { return w->Initialized(); }));
    QTest::qWait(100);

    // The draw list shows all its columns.
    QTableView* draws = DrawsPage(*w)->lvDraws;
    QVERIFY2(draws->horizontalScrollBar()->maximum() == 0,
             qPrintable(QString("the left pages are %1 wide, the draw list wants %2; the right ones at least %3")
                            .arg(w->pcLists->width())
                            .arg(DrawsPage(*w)->sizeHint().width())
                            .arg(w->pcMain->minimumSizeHint().width())));

    TDrawsStatPage* stats = StatPage(*w);
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    const QString size = QString("%1x%2").arg(screen->size().width()).arg(screen->size().height());
    int shot = 0;
    for (const QString& statistic : {QString("Числа тиража"), QString("Четные и нечетные числа в тираже")}) {
        SelectStatistic(stats, statistic);
        QVERIFY(stats->DrawsStatModel()->rowCount() > 0);
        QTest::qWait(100);
        // The selected caption is shown whole.
        QComboBox* cb = stats->cbDrawsStatType;
        QStyleOptionComboBox opt;
        opt.initFrom(cb);
        const QRect textRect = cb->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, cb);
        QVERIFY2(cb->fontMetrics().horizontalAdvance(cb->currentText()) <= textRect.width(),
                 qPrintable(cb->currentText()));
        // Every column is reachable: the ones that do not fit are a scroll away, and each is
        // narrower than the table.
        QTableView* table = stats->lvDrawsStat;
        for (int c = 0; c < table->model()->columnCount(); ++c) {
            if (table->isColumnHidden(c)) continue;
            const QModelIndex cell = table->model()->index(0, c);
            table->scrollTo(cell);
            const QRect r = table->visualRect(cell);
            QVERIFY2(r.left() >= 0 && r.right() < table->viewport()->width(), qPrintable(QString::number(c)));
        }
        table->scrollTo(table->model()->index(0, 0));
        // No label of the chart is cut.
        const QStringList texts = ChartTexts(stats->crtDrawsStat);
        QVERIFY(texts.size() > 3);
        for (const QString& t : texts) QVERIFY2(!t.contains(QChar(0x2026)), qPrintable(t));
        QVERIFY(w->grab().save(QString("%1/first_start_%2_%3.png").arg(dir, size).arg(++shot)));
    }
}

// The pages on this screen (the test runs on screens of 1024x600, 1280x800, 1366x768 and
// 1920x1080): the window fits, the status panels show their texts whole, no caption of the stake grid or the ratings list is cut, their cells show whole
// (a comment may be elided), and on 1366 and wider every column of the ratings is in sight.
void FirstLookTest::PagesFitTheScreen() {
    DataFolder data(MakeSampleDraws(400, 7));
    WriteLongStakes(400);
    auto w = std::make_unique<TFormMain>();
    QScreen* screen = w->screen();
    const QRect available = screen->availableGeometry();
    if (available.width() < 1024 || available.height() < 600)
        QSKIP("judged on screens of 1024x600 and larger (see CMakeLists.txt)");
    w->ShowWindow();
    QVERIFY(QTest::qWaitFor([&] { return w->Initialized(); }));
    QTest::qWait(100);
    const QString size = QString("%1x%2").arg(screen->size().width()).arg(screen->size().height());
    QVERIFY2(available.contains(w->frameGeometry()),
             qPrintable(QString("the screen is %6x%7, the window is %1,%2 %3x%4 (%8): %5")
                            .arg(w->x())
                            .arg(w->y())
                            .arg(w->width())
                            .arg(w->height())
                            .arg(WideWidgets(w.get(), available.width() / 3))
                            .arg(available.width())
                            .arg(available.height())
                            .arg(QString("%1,%2 %3x%4").arg(w->geometry().x()).arg(w->geometry().y()).arg(w->geometry().width()).arg(w->geometry().height()))));

    // A long hint in the status text panel neither pushes the fixed panels nor widens the window.
    const int width = w->width();
    QStatusTipEvent tip(w->Command("StakesGraphOverlap")->statusTip() + " " + w->Command("StakeAddSelected")->statusTip());
    QApplication::sendEvent(w.get(), &tip);
    QTest::qWait(50);
    QCOMPARE(w->width(), width);
    for (int i = 0; i < 6; ++i) {
        auto* panel = w->findChild<QLabel*>(QString("StatusPanel%1").arg(i));
        QVERIFY(panel);
        if (panel->isVisible())
            QVERIFY2(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width(),
                     qPrintable(panel->text()));
    }

    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    auto shot = [&](QWidget* page) {
        w->pcMain->setCurrentWidget(page);
        QTest::qWait(100);
        QVERIFY(w->grab().save(QString("%1/pages_%2_%3.png").arg(dir, size, page->objectName())));
    };

    auto* stakes = w->Page<TStakesPage>();
    shot(stakes);
    QCOMPARE(CutCaptions(stakes->sgStakes).join("\n"), QString());
    QCOMPARE(CutCells(stakes->sgStakes, scComment).join("\n"), QString());

    auto* ratings = w->Page<TRatingsPage>();
    shot(ratings);
    QTableView* list = ratings->lvRatings;
    QVERIFY(list->model()->rowCount() >= 3);
    QCOMPARE(CutCaptions(list).join("\n"), QString());
    QCOMPARE(CutCells(list, rcComment).join("\n"), QString());
    // The comment takes a share of the list, not the whole of it; the other columns are in sight
    // on a wide screen, else a scroll away.
    QVERIFY2(list->columnWidth(rcComment) <= list->viewport()->width() / 2,
             qPrintable(QString::number(list->columnWidth(rcComment))));
    for (int c = 0; c < list->model()->columnCount(); ++c) QVERIFY(list->columnWidth(c) < list->viewport()->width());
    if (available.width() >= 1920) {
        QVERIFY2(list->horizontalScrollBar()->maximum() == 0,
                 qPrintable(QString("the list is %1 wide, its columns %2: %3")
                                .arg(list->viewport()->width())
                                .arg(list->horizontalHeader()->length())
                                .arg([&] {
                                    QStringList widths;
                                    for (int c = 0; c < list->model()->columnCount(); ++c)
                                        widths << QString::number(list->columnWidth(c));
                                    return widths.join(" ");
                                }())));
    }
    // A column the user widens keeps its width when the list's texts change.
    const int dragged = list->columnWidth(rcStakes) + 30;
    DragColumnEdge(list, rcStakes, 30);
    QCOMPARE(list->columnWidth(rcStakes), dragged);
    QVERIFY(w->TriggerCommand("RatingsEffMode0"));
    QTest::qWait(50);
    QCOMPARE(list->columnWidth(rcStakes), dragged);

    // The script's tool panel keeps to the page; its "»" drops down the commands of the buttons
    // that do not fit, in their order.
    auto* script = w->Page<TScriptPage>();
    shot(script);
    auto* tools = script->findChild<TToolPanel*>("tbScript");
    QVERIFY(tools);
    QVERIFY(tools->geometry().right() < script->width());
    QStringList hidden;
    for (QToolButton* b : tools->findChildren<QToolButton*>())
        if (b != tools->OverflowButton() && b->isHidden()) hidden << b->defaultAction()->objectName();
    QCOMPARE(tools->OverflowButton()->isVisible(), !hidden.isEmpty());
    if (!hidden.isEmpty()) {
        QTest::mouseClick(tools->OverflowButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == tools->OverflowMenu(); }));
        QStringList offered;
        for (QAction* a : tools->OverflowMenu()->actions())
            if (!a->isSeparator()) offered << a->objectName();
        QCOMPARE(offered, hidden);
        QVERIFY(tools->OverflowMenu()->grab().save(QString("%1/pages_%2_tsScript_more.png").arg(dir, size)));
        tools->OverflowMenu()->close();
    }

    shot(w->Page<TDrawsStatPage>());
    shot(w->Page<TSystemsPage>());
    w->pcLists->setCurrentWidget(CombsPage(*w));
    QTest::qWait(100);
    QVERIFY(w->grab().save(QString("%1/pages_%2_tsCombs.png").arg(dir, size)));
}

// The small dialogs: the title is not cut short by the window's buttons (the width of three and
// an icon), the captions and fields show their texts whole, the fields take the room beside their
// captions, and a dialog leaves no empty room beside its content.
void FirstLookTest::DialogsShowTheirTexts() {
    DataFolder data(MakeSampleDraws(400, 7));
    auto w = OpenMainWindow(QSize(1200, 700));
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    auto titleFits = [](QWidget* d) {
        QFont bold = d->font();
        bold.setBold(true);
        return QFontMetrics(bold).horizontalAdvance(d->windowTitle()) + 120 <= d->width();
    };
    // Every control inside the dialog, every one-line caption whole.
    auto laidOut = [](QWidget* d) {
        QStringList faults;
        for (QWidget* c : d->findChildren<QWidget*>()) {
            if (!c->isVisible() || c->parentWidget() != d) continue;
            if (!d->rect().contains(c->geometry())) faults << c->metaObject()->className() + QString(" outside");
            if (auto* l = qobject_cast<QLabel*>(c); l && !l->wordWrap())
                for (const QString& line : l->text().split('\n'))
                    if (l->fontMetrics().horizontalAdvance(QString(line).remove('&')) > l->contentsRect().width())
                        faults << "cut: " + line;
        }
        return faults.join("; ");
    };
    auto shows = [](QLineEdit* edit, const QString& text) {
        QStyleOptionFrame opt;
        opt.initFrom(edit);
        const QRect r = edit->style()->subElementRect(QStyle::SE_LineEditContents, &opt, edit);
        return edit->fontMetrics().horizontalAdvance(text) + 4 <= r.width();
    };

    // The test count.
    {
        TFormTestCnt dlg(100, w.get());
        dlg.show();
        QTest::qWait(50);
        QVERIFY(dlg.grab().save(dir + "/dialog_test_count.png"));
        QVERIFY2(titleFits(&dlg), qPrintable(QString::number(dlg.width())));
        QCOMPARE(laidOut(&dlg), QString());
    }

    // The multi-stake: a comment of the longest length shows whole.
    {
        TFormMulti dlg(w.get());
        const QString comment = "02.014: B @ EXCL:3#ALL + TMD#SUMS:20#LMV:10#ST:2 + BSF#DIFA:40#C";
        QCOMPARE(comment.size(), kMaxStakeCommentLength);
        dlg.SetValues(401, 1, S(comment));
        dlg.show();
        QTest::qWait(50);
        QVERIFY(dlg.grab().save(dir + "/dialog_multi.png"));
        QVERIFY(titleFits(&dlg));
        QCOMPARE(laidOut(&dlg), QString());
        QVERIFY2(shows(dlg.findChild<QLineEdit*>("edComment"), comment),
                 qPrintable(QString::number(dlg.findChild<QLineEdit*>("edComment")->width())));
    }

    // The draw information: every caption whole, the card whole and no wider than its cells. The
    // dialog is closed before anything is judged.
    {
        QTableView* list = DrawsPage(*w)->lvDraws;
        list->setCurrentIndex(list->model()->index(0, 0));
        QStringList faults;
        bool seen = false;
        OnModal<TFormDrawInfo>([&](TFormDrawInfo* dlg) {
            seen = true;
            dlg->grab().save(dir + "/dialog_draw_info.png");
            QTreeWidget* props = dlg->lvProperties;
            auto* view = static_cast<QAbstractItemView*>(props);
            if (const QString f = laidOut(dlg); !f.isEmpty()) faults << f;
            if (props->topLevelItemCount() < 5) faults << "few properties";
            for (int c = 0; c < 2; ++c)
                if (props->columnWidth(c) < view->sizeHintForColumn(c))
                    faults << QString("column %1 is %2 wide, its texts want %3").arg(c).arg(props->columnWidth(c)).arg(view->sizeHintForColumn(c));
            if (props->horizontalScrollBar()->maximum() > 0) faults << "the properties scroll";
            QTableWidget* card = dlg->sgCard;
            const int cells = card->columnCount() * card->columnWidth(0);
            if (card->horizontalScrollBar()->maximum() > 0) faults << "the card scrolls";
            if (card->width() - cells > 2 * card->frameWidth() + card->verticalScrollBar()->sizeHint().width())
                faults << QString("the card is %1 wide, its cells %2").arg(card->width()).arg(cells);
            const QSize screen = dlg->screen()->availableGeometry().size();
            if (dlg->frameGeometry().width() > screen.width() || dlg->frameGeometry().height() > screen.height())
                faults << "larger than the screen";
            dlg->reject();
        });
        QVERIFY(w->TriggerCommand("DrawsInfo"));
        QVERIFY(seen);
        QCOMPARE(faults.join("\n"), QString());
    }

    // The user of the catalog: the explanation above the fields, the fields beside short captions.
    {
        QStringList faults;
        bool seen = false;
        OnModal<QDialog>([&](QDialog* dlg) {
            seen = true;
            dlg->grab().save(dir + "/dialog_user.png");
            if (dlg->objectName() != "TFormUser") faults << dlg->objectName();
            if (!titleFits(dlg)) faults << "the title is cut";
            if (const QString f = laidOut(dlg); !f.isEmpty()) faults << f;
            for (const char* name : {"edUserName", "edUserMail"}) {
                auto* edit = dlg->findChild<QLineEdit*>(name);
                if (!edit || edit->x() > dlg->width() / 3 || edit->width() < dlg->width() / 2)
                    faults << QString("%1 stands at %2, %3 wide").arg(name).arg(edit ? edit->x() : -1).arg(edit ? edit->width() : -1);
            }
            dlg->reject();
        });
        QVERIFY(w->TriggerCommand("SystemsRefresh"));
        QVERIFY(seen);
        QCOMPARE(faults.join("\n"), QString());
    }
}

void FirstLookTest::FilterCaptionTakesItsRoom() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    const QString caption = "{ num } Количество чисел из первой половины диапазона (1П:2П) [ D ]";
    w->Combs().AddLogLine(TFilterAction::Keep, S(caption), "2:3; 3:2");
    w->NotifyCombsChanged();
    QTableView* log = CombsPage(*w)->lvFilters;
    const QModelIndex cell = log->model()->index(0, 0);
    QCOMPARE(cell.data(Qt::ToolTipRole).toString(), caption);
    QVERIFY(log->columnWidth(0) >= log->fontMetrics().horizontalAdvance(caption) + log->iconSize().width());
}

// A hint of the control under the pointer shows while nothing runs; the status of an operation
// is never overwritten by one, and a hint goes when the pointer leaves the control.
void FirstLookTest::HintsLeaveTheStatusPanel() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QWidget* button = DrawsPage(*w)->btnDrawsAdd;
    QCursor::setPos(button->mapToGlobal(button->rect().center()));
    auto hint = [&](const QString& text) {
        QStatusTipEvent tip(text);
        QApplication::sendEvent(button, &tip);
    };
    hint(button->statusTip());
    QCOMPARE(w->StatusPanelText(6), QString("Добавить"));

    w->BeginBusy();
    w->SetStatusText("Загрузка файла тиражей...");
    hint(button->statusTip());
    QCOMPARE(w->StatusPanelText(6), QString("Загрузка файла тиражей..."));
    hint(QString());
    w->SetStatusText(QString());
    w->EndBusy();
    QCOMPARE(w->StatusPanelText(6), QString());

    // The pointer moves away without a Leave event (a modal window took it): the hint goes soon.
    hint(button->statusTip());
    QCOMPARE(w->StatusPanelText(6), QString("Добавить"));
    QCursor::setPos(w->mapToGlobal(QPoint(w->width() / 2, w->height() / 2)) + QPoint(5000, 5000));
    QVERIFY(QTest::qWaitFor([&] { return w->StatusPanelText(6).isEmpty(); }));
}

void FirstLookTest::PageWithoutBrowserShowsTheAddress() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QStringList opened;
    TTemplateMain::UrlOpener() = [&](const QUrl& url) {
        opened << url.toString();
        return false;
    };
    ShownBox shown;
    AnswerBox(&shown, QMessageBox::Ok);
    QVERIFY(w->TriggerCommand(kMakerPages.front().Command));
    TTemplateMain::UrlOpener() = [](const QUrl&) { return true; };
    QCOMPARE(opened, QStringList{QString::fromUtf8(kMakerPages.front().Url)});
    QCOMPARE(shown.Caption, QString("Информация"));
    QVERIFY2(shown.Text.contains(QString::fromUtf8(kMakerPages.front().Url)), qPrintable(shown.Text));
}

// Numbers that could not be read are stored as 0; the import says how many draws have such fields.
void FirstLookTest::ImportTellsOfInvalidFields() {
    DataFolder data(TenDraws());
    const QString csv = data.Path("bad.csv");
    std::ofstream(csv.toStdString(), std::ios::binary)
        << "11;\"2020-02-01\";1;2;3;4;5;6;7\r\n12;\"2020-02-02\";1;x;3;4;5;6;7\r\n13;\"2020-02-03\";1;2;3;4;999;6;7\r\n";
    auto w = OpenMainWindow();
    ChooseFile(csv);
    ShownBox shown;
    AnswerBox(&shown, QMessageBox::Ok);
    w->Command("DrawsImport")->trigger();
    QCOMPARE(w->Draws().Count(), 13);
    QCOMPARE(shown.Caption, QString("Внимание!"));
    QCOMPARE(shown.Text, QString("Добавлено тиражей: 3.\n\nИз них с некорректными полями: 2 (такие поля записаны как 0). "
                                 "Проверьте эти тиражи в архиве."));
}

void FirstLookTest::StartRemovesStaleTemporaryFiles() {
    DataFolder data(TenDraws());
    // What a write killed half-way leaves: the temporary file beside the archive.
    const std::string stale = data.ArchiveFile() + ".Ab12Cd";
    std::ofstream(stale) << "half";
    QVERIFY(std::filesystem::exists(stale));
    auto w = OpenMainWindow();
    QVERIFY(!std::filesystem::exists(stale));
    QCOMPARE(w->Draws().Count(), 10);
}

// A close during the start-up waits for the running step, and then the start-up opens no new
// window (here the first-run window) before the window closes.
void FirstLookTest::CloseDuringStartOpensNoWindow() {
    DataFolder data(TenDraws());
    WriteSwitchBefore("FirstRun", true);
    int firstRunShown = 0;
    struct Watch : QObject {
        int* Count;
        explicit Watch(int* c) : Count(c) { qApp->installEventFilter(this); }
        ~Watch() override { qApp->removeEventFilter(this); }
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Show)
                if (auto* dlg = qobject_cast<TFormFirstRun*>(o)) {
                    ++*Count;
                    QTimer::singleShot(0, dlg, &QDialog::reject);
                }
            return false;
        }
    } watch(&firstRunShown);

    auto w = std::make_unique<TFormMain>();
    w->show();
    // The combination set is generated at start with the window busy: the close comes then.
    bool closedWhileBusy = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!closedWhileBusy && !w->IsIdle()) {
            closedWhileBusy = true;
            w->close();
        }
    });
    poll.start(0);
    QVERIFY(QTest::qWaitFor([&] { return closedWhileBusy && !w->isVisible(); }, 30000));
    poll.stop();
    QTest::qWait(200);
    QCOMPARE(firstRunShown, 0);
    QVERIFY(!w->OwnsDataFolder());
}

QTEST_MAIN(FirstLookTest)
#include "first_look_test.moc"
