// The page "Графики" and the sum distribution driven through the real main window: the curve of the
// chosen statistic with its mean and most frequent value, the recount rules (a refresh that is not
// forced after nothing changed keeps the chart, N with Enter and hiding and showing replot), the
// marks switch, an empty archive, and the graph window of the sum distribution with its four
// series and the three range titles.
#include "gui_test_util.h"

#include "core/views/draw_graph.h"
#include "gui/app/enter_spin_box.h"
#include "gui/views/form_graph.h"
#include "gui/views/graph_page.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>

using namespace velmora;
using namespace velmora::test;

namespace {

// Sums of draws 1..6: 15, 20, 15, 40, 20, 25 (15 and 20 twice each, 15 first).
TDrawsArray GraphDraws() {
    return {MakeDraw(1, {1, 2, 3, 4, 5}), MakeDraw(2, {1, 2, 3, 4, 10}), MakeDraw(3, {1, 2, 3, 4, 5}),
            MakeDraw(4, {2, 4, 6, 8, 20}), MakeDraw(5, {1, 2, 3, 4, 10}), MakeDraw(6, {1, 2, 3, 4, 15})};
}

TGraphPage* Graphs(TTemplateMain& w) { return w.Page<TGraphPage>(); }

QList<QLineSeries*> Lines(TTemplateMain& w) {
    QList<QLineSeries*> out;
    for (QAbstractSeries* s : Graphs(w)->crtDrawsGraph->chart()->series())
        if (auto* l = qobject_cast<QLineSeries*>(s)) out << l;
    return out;
}

QString PointsText(const QLineSeries* s) {
    QStringList out;
    for (const QPointF& p : s->points()) out << QString("%1:%2").arg(p.x()).arg(p.y());
    return out.join(' ');
}

void ChooseStat(TTemplateMain& w, const char* code) {
    QComboBox* cb = Graphs(w)->cbDrawsGraphType;
    const int item = cb->findData(GraphMethodIndex(w.StatList(), code));
    QVERIFY(item >= 0);
    cb->setCurrentIndex(item);
}

void SaveScreen(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/" + name));
}

} // namespace

class GraphPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void CommandsAndMenus();
    void CurveMeanAndMode();
    void RecountRules();
    void MarksSwitch();
    void EmptyArchive();
    void SumDistribution_data();
    void SumDistribution();
};

void GraphPageTest::CommandsAndMenus() {
    DataFolder data(GraphDraws());
    auto w = OpenMainWindow();
    TGraphPage* page = Graphs(*w);
    QCOMPARE(PlainCaption(w->Command("DrawsGraphDraw")->text()), QString("Обновить"));
    QCOMPARE(page->btnDrawsGraphDraw->defaultAction(), w->Command("DrawsGraphDraw"));
    QVERIFY(page->pmDrawsGraph->actions().contains(w->Command("DrawsGraphDraw")));
    QCOMPARE(PlainCaption(w->Command("TabGraps")->text()), QString("Вкладка \"Графики\""));
    QCOMPARE(PlainCaption(w->Command("TotalSumCombs")->text()),
             QString("Распределение сумм тиражей и всех возможных комбинаций"));
    QCOMPARE(w->Command("TotalSumCombs")->statusTip(),
             QString("Распределение сумм всех возможных комбинаций и архива тиражей одновременно"));
    QVERIFY(w->MainMenu(TMainMenu::Stats)->actions().contains(w->Command("TotalSumCombs")));
    QCOMPARE(w->pcMain->tabText(w->pcMain->indexOf(page)), QString("Графики"));
    QVERIFY(page->PageVisible() && w->Command("TabGraps")->isChecked());
    QCOMPARE(page->edDrawsGraphLen->value(), 100);
    QVERIFY(!page->cbDrawsGraphShowMarks->isChecked());
    // Only the statistics with a graph are offered.
    QVERIFY(page->cbDrawsGraphType->count() > 0);
    for (int i = 0; i < page->cbDrawsGraphType->count(); ++i)
        QVERIFY(IsGraphMethod(w->StatList(), page->cbDrawsGraphType->itemData(i).toInt()));
}

void GraphPageTest::CurveMeanAndMode() {
    DataFolder data(GraphDraws());
    auto w = OpenMainWindow();
    ChooseStat(*w, "SUMS");
    const QList<QLineSeries*> lines = Lines(*w);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0]->name(), Graphs(*w)->cbDrawsGraphType->currentText());
    QCOMPARE(PointsText(lines[0]), QString("1:15 2:20 3:15 4:40 5:20 6:25"));
    QCOMPARE(lines[1]->name(), QString("Среднее значение"));
    QCOMPARE(PointsText(lines[1]), QString("1:22.5 2:22.5 3:22.5 4:22.5 5:22.5 6:22.5"));
    // 15 and 20 come twice each: 15 came first.
    QCOMPARE(lines[2]->name(), QString("Наиболее часто встречающееся значение"));
    QCOMPARE(PointsText(lines[2]), QString("1:15 2:15 3:15 4:15 5:15 6:15"));
    // The offset ends the window at draw 4; N = 2 plots draws 3 and 4.
    w->SetDrawsOffset(2);
    Graphs(*w)->edDrawsGraphLen->findChild<QLineEdit*>()->setText("2");
    QTest::keyClick(Graphs(*w)->edDrawsGraphLen, Qt::Key_Return);
    QCOMPARE(PointsText(Lines(*w)[0]), QString("3:15 4:40"));
}

void GraphPageTest::RecountRules() {
    DataFolder data(GraphDraws());
    auto w = OpenMainWindow();
    ChooseStat(*w, "SUMS");
    TGraphPage* page = Graphs(*w);
    QLineSeries* before = Lines(*w).value(0);
    QVERIFY(before);
    w->RecomputeViews(false);
    QCOMPARE(Lines(*w).value(0), before);
    page->edDrawsGraphLen->findChild<QLineEdit*>()->setText("3");
    QTest::keyClick(page->edDrawsGraphLen, Qt::Key_Return);
    QVERIFY(Lines(*w).value(0) != before);
    QCOMPARE(Lines(*w)[0]->count(), 3);
    // Hidden: not replotted; shown: replotted and made current.
    w->Command("TabGraps")->trigger();
    QVERIFY(!page->PageVisible());
    QVERIFY(!w->Command("DrawsGraphDraw")->isEnabled());
    page->edDrawsGraphLen->setValue(5);
    w->RecomputeViews(true);
    QCOMPARE(Lines(*w)[0]->count(), 3);
    w->Command("TabGraps")->trigger();
    QVERIFY(page->PageVisible());
    QCOMPARE(w->pcMain->currentWidget(), static_cast<QWidget*>(page));
    QCOMPARE(Lines(*w)[0]->count(), 5);
}

void GraphPageTest::MarksSwitch() {
    DataFolder data(GraphDraws());
    auto w = OpenMainWindow();
    ChooseStat(*w, "SUMS");
    QVERIFY(!Lines(*w)[0]->pointLabelsVisible());
    Graphs(*w)->cbDrawsGraphShowMarks->click();
    QVERIFY(Lines(*w)[0]->pointLabelsVisible());
    QVERIFY(!Lines(*w)[1]->pointLabelsVisible());
    // A new plot keeps the switch.
    w->Command("DrawsGraphDraw")->trigger();
    QVERIFY(Lines(*w)[0]->pointLabelsVisible());
    Graphs(*w)->cbDrawsGraphShowMarks->click();
    QVERIFY(!Lines(*w)[0]->pointLabelsVisible());
}

void GraphPageTest::EmptyArchive() {
    DataFolder data(TDrawsArray{});
    auto w = OpenMainWindow();
    QVERIFY(Lines(*w).isEmpty());
    QVERIFY(!w->Command("DrawsGraphDraw")->isEnabled());
}

void GraphPageTest::SumDistribution_data() {
    QTest::addColumn<bool>("empty");
    QTest::newRow("archive") << false;
    QTest::newRow("empty archive") << true;
}

void GraphPageTest::SumDistribution() {
    QFETCH(bool, empty);
    DataFolder data(empty ? TDrawsArray{} : GraphDraws());
    auto w = OpenMainWindow(QSize(1200, 760));
    // The offset does not limit the distribution: all six draws count.
    if (!empty) w->SetDrawsOffset(3);
    QStringList titles;
    QString actual, firstLevel, caption;
    double theoreticalTop = -1;
    OnModal<TFormGraph>([&](TFormGraph* form) {
        caption = form->windowTitle();
        for (QAbstractSeries* s : form->chGraph->chart()->series()) titles << s->name();
        if (QLineSeries* a = form->Series("Фактическое распределение сумм (по тиражам)")) actual = PointsText(a);
        if (QLineSeries* t = form->Series("Теоретическое распределение сумм (по комбинациям)")) {
            QCOMPARE(t->count(), 226);
            for (const QPointF& p : t->points()) theoreticalTop = std::max(theoreticalTop, p.y());
        }
        if (form->SeriesCount() >= 3) firstLevel = PointsText(form->Series(titles.value(titles.size() - 3))).section(' ', 0, 0);
        if (!empty) SaveScreen(form, "sum_distribution.png");
        form->close();
    });
    w->Command("TotalSumCombs")->trigger();
    QCOMPARE(caption, QString("Распределение сумм тиражей и всех возможных комбинаций"));
    QStringList expected{"Теоретическое распределение сумм (по комбинациям)",
                         "Диапазон 1 (от 1/3 и выше по оси Y) - суммы 80-175",
                         "Диапазон 2 (от 1/2 и выше по оси Y) - суммы 90-165",
                         "Диапазон 3 (от 2/3 и выше по оси Y) - суммы 99-156"};
    if (!empty) expected.prepend("Фактическое распределение сумм (по тиражам)");
    QCOMPARE(titles, expected);
    QCOMPARE(actual, empty ? QString() : QString("15:2 20:2 25:1 40:1"));
    // Scaled to the actual height (2 draws), or flat at 0 without draws.
    QCOMPARE(theoreticalTop, empty ? 0.0 : 2.0);
    // Level 1: 8826 of 26476 scaled to 2.
    QCOMPARE(firstLevel, empty ? QString("15:0") : QString("15:%1").arg(8826.0 / 26476.0 * 2.0));
    QVERIFY(w->IsIdle());
}

QTEST_MAIN(GraphPageTest)
#include "graph_page_test.moc"
