// The page "Неделя" driven through the real main window: the counts by weekday and their shading,
// the chart of the current cell and its two switches, the recount rules (a refresh that is not
// forced after nothing changed keeps the chart, hiding and showing recounts), and the filter by the
// selected columns through the undo copy.
#include "gui_test_util.h"

#include "gui/app/enter_spin_box.h"
#include "gui/app/qt_text.h"
#include "gui/views/weekday_model.h"
#include "gui/views/weekday_page.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

using namespace velmora;
using namespace velmora::test;

namespace {

// 2021-03-01 is a Monday, 2021-03-07 a Sunday, 2021-03-03 a Wednesday. Number 7: twice on Monday,
// once on Sunday; number 17: once on Wednesday; one draw has no readable date.
TDrawsArray WeekDraws() {
    return {MakeDraw(1, {7, 8, 9, 10, 11}, 1, 2, "2021-03-01"), MakeDraw(2, {7, 20, 21, 22, 23}, 1, 2, "2021-03-08"),
            MakeDraw(3, {7, 30, 31, 32, 33}, 1, 2, "2021-03-07"), MakeDraw(4, {17, 40, 41, 42, 43}, 1, 2, "2021-03-03"),
            MakeDraw(5, {1, 2, 3, 4, 5}, 1, 2, "")};
}

std::unique_ptr<TFormMain> OpenWindowWithSet() {
    auto w = std::make_unique<TFormMain>();
    w->StatList().GenerateMode = kGenerateOnlyMine;
    w->StatList().GenerateParams = "10;11;12;13;14;15;16;17";
    w->resize(1200, 760);
    w->show();
    if (!QTest::qWaitFor([&] { return w->Initialized(); })) ModalFailures() << "the window did not initialise";
    return w;
}

TWeekdayPage* Week(TTemplateMain& w) { return w.Page<TWeekdayPage>(); }

QAbstractSeries* ChartSeries(TTemplateMain& w) {
    const auto series = Week(w)->crtWeek->chart()->series();
    return series.size() == 1 ? series.front() : nullptr;
}

// The values the chart plots, in order.
QList<qreal> ChartValues(TTemplateMain& w) {
    QList<qreal> out;
    QAbstractSeries* s = ChartSeries(w);
    if (auto* bars = qobject_cast<QBarSeries*>(s)) {
        for (int i = 0; i < bars->barSets().front()->count(); ++i) out << bars->barSets().front()->at(i);
    } else if (auto* line = qobject_cast<QLineSeries*>(s)) {
        for (const QPointF& p : line->points()) out << p.y();
    }
    return out;
}

void SelectBlock(TTemplateMain& w, int top, int left, int bottom, int right) {
    QTableView* view = Week(w)->sgWeek;
    auto* m = view->model();
    view->selectionModel()->select(QItemSelection(m->index(top, left), m->index(bottom, right)),
                                   QItemSelectionModel::ClearAndSelect);
    w.UpdateCommands();
}

std::vector<TCombination> Combs(TFormMain& w) { return {w.Combs().Data(), w.Combs().Data() + w.Combs().Count()}; }

void SaveScreen(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/" + name));
}

} // namespace

class WeekdayPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void CommandsButtonsAndMenus();
    void CountsAndShading();
    void ChartFollowsTheCellAndTheSwitches();
    void RecountRules();
    void FilterKeepsOrDeletesAndUndo_data();
    void FilterKeepsOrDeletesAndUndo();
    void Screenshot();
};

void WeekdayPageTest::CommandsButtonsAndMenus() {
    DataFolder data(WeekDraws());
    auto w = OpenWindowWithSet();
    TWeekdayPage* page = Week(*w);
    const struct {
        const char* command;
        const char* caption;
        QWidget* button;
        QMenu* menu;
    } cases[] = {
        {"WeekStatCalc", "Обновить", page->btnWeekCalc, nullptr},
        {"WeekFilter_Include", "Оставить выделенные", page->btnWeekFilterInclude, page->pmWeek},
        {"WeekFilter_Exclude", "Удалить выделенные", page->btnWeekFilterExclude, page->pmWeek},
        {"ViewWeekChartMode", "График по дням недели", nullptr, page->pmWeekChart},
        {"ViewWeekChartType", "График / диаграмма", nullptr, page->pmWeek},
        {"TabWeek", "Вкладка \"Неделя\"", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        QAction* a = w->Command(c.command);
        QVERIFY2(a, c.command);
        QCOMPARE(PlainCaption(a->text()), QString(c.caption));
        QVERIFY(!a->statusTip().isEmpty());
        if (auto* b = qobject_cast<QToolButton*>(c.button)) QCOMPARE(b->defaultAction(), a);
        if (c.menu) QVERIFY2(c.menu->actions().contains(a), c.command);
    }
    QCOMPARE(w->Command("WeekFilter_Exclude")->statusTip(),
             QString("Из списка комбинаций удалить комбинации с выделенными  значениями"));
    QVERIFY(page->PageVisible());
    QVERIFY(w->Command("TabWeek")->isChecked());
    QCOMPARE(w->pcMain->tabText(w->pcMain->indexOf(page)), QString("Неделя"));
    QCOMPARE(page->edWeekLen->value(), 1000);
}

void WeekdayPageTest::CountsAndShading() {
    DataFolder data(WeekDraws());
    auto w = OpenWindowWithSet();
    const QAbstractItemModel* m = Week(*w)->sgWeek->model();
    QCOMPARE(m->rowCount(), 7);
    QCOMPARE(m->columnCount(), 50);
    const struct {
        int weekday, number;
        QString text;
        QVariant colour;
    } cases[] = {
        {1, 7, "2", QColor(255, 0, 0)},          // the maximum: pure red
        {7, 7, "1", QColor(255, 128, 128)},      // half of it: 127.5 rounds to 128
        {3, 17, "1", QColor(255, 128, 128)},
        {2, 7, "", QVariant()},                  // never on Tuesday: empty, the grid's colour
        {1, 1, "", QVariant()},                  // only in the draw without a date
    };
    for (const auto& c : cases) {
        const QModelIndex i = m->index(c.weekday - 1, c.number - 1);
        QCOMPARE(i.data().toString(), c.text);
        QCOMPARE(i.data(Qt::BackgroundRole), c.colour);
    }
    QCOMPARE(m->headerData(6, Qt::Vertical).toString(), TWeekModel::WeekdayName(7));
    QCOMPARE(m->headerData(6, Qt::Horizontal).toString(), QString("7"));
}

void WeekdayPageTest::ChartFollowsTheCellAndTheSwitches() {
    DataFolder data(WeekDraws());
    auto w = OpenWindowWithSet();
    TWeekdayPage* page = Week(*w);
    QVERIFY(qobject_cast<QBarSeries*>(ChartSeries(*w)));
    // Mode 0: the current row's weekday (Monday) over the 50 numbers.
    page->sgWeek->setCurrentIndex(page->sgWeek->model()->index(0, 6));
    QList<qreal> monday(50, 0);
    monday[6] = 2;
    for (int n : {8, 9, 10, 11, 20, 21, 22, 23}) monday[n - 1] = 1;
    QCOMPARE(ChartValues(*w), monday);
    // Mode 1: the current column's number (7) over the weekdays.
    w->Command("ViewWeekChartMode")->trigger();
    QVERIFY(w->Command("ViewWeekChartMode")->isChecked());
    QCOMPARE(ChartValues(*w), (QList<qreal>{2, 0, 0, 0, 0, 0, 1}));
    page->sgWeek->setCurrentIndex(page->sgWeek->model()->index(2, 16));
    QCOMPARE(ChartValues(*w), (QList<qreal>{0, 0, 1, 0, 0, 0, 0}));
    // The line chart, the same values.
    w->Command("ViewWeekChartType")->trigger();
    QVERIFY(qobject_cast<QLineSeries*>(ChartSeries(*w)));
    QCOMPARE(ChartValues(*w), (QList<qreal>{0, 0, 1, 0, 0, 0, 0}));
    // Both switches persist.
    w->close();
    w.reset();
    w = OpenWindowWithSet();
    QCOMPARE(Week(*w)->ChartMode(), 1);
    QVERIFY(Week(*w)->ChartLine());
    QVERIFY(qobject_cast<QLineSeries*>(ChartSeries(*w)));
}

void WeekdayPageTest::RecountRules() {
    DataFolder data(WeekDraws());
    auto w = OpenWindowWithSet();
    TWeekdayPage* page = Week(*w);
    QAbstractSeries* before = ChartSeries(*w);
    QVERIFY(before);
    // Nothing changed: a refresh that is not forced keeps the chart.
    w->RecomputeViews(false);
    QCOMPARE(ChartSeries(*w), before);
    // Enter with another N recounts: the last two draws (4 and 5, one of them without a date).
    auto* edit = page->edWeekLen->findChild<QLineEdit*>();
    edit->setText("2");
    QTest::keyClick(page->edWeekLen, Qt::Key_Return);
    QVERIFY(ChartSeries(*w) != before);
    QCOMPARE(page->WeekModel()->Count(0, 6), 0);
    QCOMPARE(page->WeekModel()->Count(2, 16), 1);
    // Hidden: nothing is computed; shown again: recounted and made the current page.
    w->Command("TabWeek")->trigger();
    QVERIFY(!page->PageVisible());
    QVERIFY(!w->Command("WeekStatCalc")->isEnabled());
    page->edWeekLen->setValue(1000);
    w->RecomputeViews(true);
    QCOMPARE(page->WeekModel()->Count(0, 6), 0);
    w->Command("TabWeek")->trigger();
    QVERIFY(page->PageVisible());
    QCOMPARE(w->pcMain->currentWidget(), static_cast<QWidget*>(page));
    QCOMPARE(page->WeekModel()->Count(0, 6), 2);
    // The offset moves the analysis window: draws 1..4.
    w->SetDrawsOffset(3);
    QCOMPARE(page->WeekModel()->Count(6, 6), 0);
    QCOMPARE(page->WeekModel()->Count(0, 6), 2);
}

void WeekdayPageTest::FilterKeepsOrDeletesAndUndo_data() {
    QTest::addColumn<bool>("remove");
    QTest::addColumn<QString>("logLine");
    QTest::newRow("keep") << false << "Неделя|17; 18|35|keep";
    QTest::newRow("delete") << true << "Неделя|17; 18|21|remove";
}

void WeekdayPageTest::FilterKeepsOrDeletesAndUndo() {
    QFETCH(bool, remove);
    QFETCH(QString, logLine);
    DataFolder data(WeekDraws());
    auto w = OpenWindowWithSet();
    QCOMPARE(w->Combs().Count(), 56);
    const std::vector<TCombination> before = Combs(*w);
    // Columns of 17 and 18, any rows: the rows do not matter.
    SelectBlock(*w, 2, 16, 5, 17);
    const char* command = remove ? "WeekFilter_Exclude" : "WeekFilter_Include";
    QVERIFY(w->Command(command)->isEnabled());
    w->Command(command)->trigger();
    QCOMPARE(w->Combs().Count(), remove ? 21 : 35);
    for (const TCombination& c : Combs(*w)) QCOMPARE(CombHasNumber(17, c), !remove);
    QCOMPARE(LogLines(*w), QStringList{logLine});
    QVERIFY(w->IsIdle());
    w->Command("CombsUndo")->trigger();
    QVERIFY(Combs(*w) == before);
}

void WeekdayPageTest::Screenshot() {
    DataFolder data(MakeSampleDraws(400, 5));
    auto w = OpenWindowWithSet();
    w->resize(1400, 800);
    w->pcMain->setCurrentWidget(Week(*w));
    QApplication::processEvents();
    SaveScreen(w.get(), "weekday_page.png");
}

QTEST_MAIN(WeekdayPageTest)
#include "weekday_page_test.moc"
