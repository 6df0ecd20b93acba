// The repeats window driven through the real main window: opening computes once, the list rows and
// the chart series per number of shared numbers, Enter in either length field recomputes, the
// draws offset does not apply, and the two lengths persist.
#include "gui_test_util.h"

#include "gui/app/enter_spin_box.h"
#include "gui/views/form_repeats.h"
#include "gui/views/repeats_model.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QTableView>

using namespace velmora;
using namespace velmora::test;

namespace {

// Draw 3 repeats draw 1 whole and shares 1 and 2 with draw 2; draw 4 shares nothing with any;
// draw 5 shares one number with each of 1..4.
TDrawsArray RepeatDraws() {
    return {MakeDraw(1, {1, 2, 3, 4, 5}), MakeDraw(2, {1, 2, 10, 11, 12}), MakeDraw(3, {5, 4, 3, 2, 1}),
            MakeDraw(4, {20, 21, 22, 23, 24}), MakeDraw(5, {1, 20, 30, 31, 32})};
}

QStringList Rows(const TFormRepeats* form) {
    QStringList out;
    const QAbstractItemModel* m = form->lvList->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c) cells << m->index(r, c).data().toString();
        out << cells.join('|');
    }
    return out;
}

QStringList Series(const TFormRepeats* form) {
    QStringList out;
    for (QAbstractSeries* s : form->crtGraph->chart()->series()) {
        QStringList points;
        for (const QPointF& p : static_cast<QLineSeries*>(s)->points()) points << QString("%1:%2").arg(p.x()).arg(p.y());
        out << s->name() + "=" + points.join(' ');
    }
    return out;
}

void Enter(TEnterSpinBox* ed, const QString& text) {
    ed->findChild<QLineEdit*>()->setText(text);
    QTest::keyClick(ed, Qt::Key_Return);
}

void SaveScreen(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/" + name));
}

} // namespace

class RepeatsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void CommandInTheMenu();
    void DisabledWithoutDraws();
    void ComputesOnOpeningAndOnEnter();
    void LengthsPersist();
    void Screenshot();
};

void RepeatsWindowTest::CommandInTheMenu() {
    DataFolder data(RepeatDraws());
    auto w = OpenMainWindow();
    QAction* a = w->Command("AnalyzeRepeats");
    QVERIFY(a);
    QCOMPARE(PlainCaption(a->text()), QString("Количество повторов в зависимости от тиража"));
    QCOMPARE(a->statusTip(), QString("Количество повторов в зависимости от тиража"));
    QVERIFY(w->MainMenu(TMainMenu::Stats)->actions().contains(a));
    QVERIFY(a->isEnabled());
}

void RepeatsWindowTest::DisabledWithoutDraws() {
    DataFolder data(TDrawsArray{});
    auto w = OpenMainWindow();
    QVERIFY(!w->Command("AnalyzeRepeats")->isEnabled());
}

void RepeatsWindowTest::ComputesOnOpeningAndOnEnter() {
    DataFolder data(RepeatDraws());
    auto w = OpenMainWindow();
    // The offset does not apply: the latest draw is analysed.
    w->SetDrawsOffset(2);
    QStringList opened, opened1, shortDepth, latestOnly;
    QStringList openedSeries, shortSeries;
    QString caption;
    OnModal<TFormRepeats>([&](TFormRepeats* form) {
        caption = form->windowTitle();
        opened = Rows(form);
        openedSeries = Series(form);
        Enter(form->edDeep, "1");
        shortDepth = Rows(form);
        shortSeries = Series(form);
        form->edDeep->setValue(100);
        Enter(form->edDrawsLen, "1");
        latestOnly = Rows(form);
        form->close();
    });
    w->Command("AnalyzeRepeats")->trigger();
    QCOMPARE(caption, QString("Количество повторов в зависимости от тиража"));
    QCOMPARE(opened, (QStringList{"5|1|4|4 3 2 1", "3|2|1|2", "3|5|1|1", "2|2|1|1"}));
    QCOMPARE(openedSeries, (QStringList{"Совпадений: 1=5:4", "Совпадений: 2=2:1 3:1", "Совпадений: 3=",
                                        "Совпадений: 4=", "Совпадений: 5=3:1"}));
    QCOMPARE(shortDepth, (QStringList{"5|1|1|4", "3|2|1|2", "2|2|1|1"}));
    QCOMPARE(shortSeries, (QStringList{"Совпадений: 1=5:1", "Совпадений: 2=2:1 3:1"}));
    QCOMPARE(latestOnly, (QStringList{"5|1|4|4 3 2 1"}));
    QVERIFY(w->IsIdle());
}

void RepeatsWindowTest::LengthsPersist() {
    DataFolder data(RepeatDraws());
    auto w = OpenMainWindow();
    OnModal<TFormRepeats>([&](TFormRepeats* form) {
        form->edDrawsLen->setValue(3);
        form->edDeep->setValue(7);
        form->close();
    });
    w->Command("AnalyzeRepeats")->trigger();
    int length = 0, depth = 0;
    QStringList rows;
    OnModal<TFormRepeats>([&](TFormRepeats* form) {
        length = form->edDrawsLen->value();
        depth = form->edDeep->value();
        rows = Rows(form);
        form->close();
    });
    w->Command("AnalyzeRepeats")->trigger();
    QCOMPARE(length, 3);
    QCOMPARE(depth, 7);
    // Draws 5, 4 and 3 analysed on opening.
    QCOMPARE(rows, (QStringList{"5|1|4|4 3 2 1", "3|2|1|2", "3|5|1|1"}));
}

void RepeatsWindowTest::Screenshot() {
    DataFolder data(MakeSampleDraws(400, 5));
    auto w = OpenMainWindow(QSize(1200, 760));
    OnModal<TFormRepeats>([&](TFormRepeats* form) {
        form->resize(1000, 650);
        QApplication::processEvents();
        SaveScreen(form, "repeats_window.png");
        form->close();
    });
    w->Command("AnalyzeRepeats")->trigger();
}

QTEST_MAIN(RepeatsWindowTest)
#include "repeats_window_test.moc"
