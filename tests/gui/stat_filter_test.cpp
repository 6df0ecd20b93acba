// The statistic filters driven through the real main window: rows selected in the statistics
// table keep (F7) or delete (Ctrl+F7) combinations, each step is a line of the applied-filters
// log with its icon, "Отменить" takes it back; the enabling rules and a failing step.
#include "gui_test_util.h"

#include "gui/app/qt_text.h"
#include "gui/app/enter_spin_box.h"
#include "core/util/text.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QTableView>
#include <QTabWidget>
#include <QToolButton>

using namespace velmora;
using namespace velmora::test;

namespace {

// The set of all 21 combinations of 1..7: 3, 12 and 6 of them hold 1, 2 and 3 even numbers;
// sums run from 15 to 25 (20: three combinations, 25: one).
const char* const kSevenNumbers = "1;2;3;4;5;6;7";

std::unique_ptr<TFormMain> OpenWindowWithSet(const char* myNumbers) {
    auto w = std::make_unique<TFormMain>();
    w->StatList().GenerateMode = kGenerateOnlyMine;
    w->StatList().GenerateParams = myNumbers;
    w->resize(900, 600);
    w->show();
    if (!QTest::qWaitFor([&] { return w->Initialized(); })) ModalFailures() << "the window did not initialise";
    return w;
}

void SelectStatistic(TFormMain& w, const std::string& code) {
    const int item = StatPage(w)->cbDrawsStatType->findData(w.StatList().IndexOfCode(code));
    QVERIFY2(item >= 0, code.c_str());
    StatPage(w)->cbDrawsStatType->setCurrentIndex(item);
    QVERIFY(StatPage(w)->lvDrawsStat->model()->rowCount() > 0);
}

// Selects the table rows whose "Значение" is one of the texts, in the order given.
void SelectValues(TFormMain& w, const QStringList& values) {
    auto* m = StatPage(w)->lvDrawsStat->model();
    auto* sel = StatPage(w)->lvDrawsStat->selectionModel();
    sel->clearSelection();
    for (const QString& v : values) {
        int found = -1;
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, 0).data().toString() == v) found = r;
        QVERIFY2(found >= 0, qPrintable(v));
        sel->select(m->index(found, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    w.UpdateCommands();
}


std::vector<TCombination> Combs(TFormMain& w) { return {w.Combs().Data(), w.Combs().Data() + w.Combs().Count()}; }

int EvenCount(const TCombination& c) {
    int n = 0;
    for (uint8_t x : c) n += x % 2 == 0;
    return n;
}

int Sum(const TCombination& c) {
    int s = 0;
    for (uint8_t x : c) s += x;
    return s;
}

// The keys go to the window's shortcuts as a user types them over the table.
void PressFilterKey(TFormMain& w, bool remove) {
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    StatPage(w)->lvDrawsStat->setFocus();
    QTest::keyClick(StatPage(w)->lvDrawsStat, Qt::Key_F7, remove ? Qt::ControlModifier : Qt::NoModifier);
}

} // namespace

class StatFilterTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void CommandsButtonsAndMenu();
    void KeyFiltersTheSet_data();
    void KeyFiltersTheSet();
    void StepsAndUndoFollowTheLog();
    void EnablingRules();
    void FailingStepRestoresTheWindow();
    void PeriodStatisticReadsTheCommand();
    void Screenshot();
};

void StatFilterTest::CommandsButtonsAndMenu() {
    DataFolder data(TenDraws());
    auto w = OpenWindowWithSet(kSevenNumbers);
    const struct {
        const char* command;
        const char* caption;
        QKeySequence key;
        QToolButton* button;
    } cases[] = {
        {"StatFilter_Include", "Оставить выделенные", QKeySequence(Qt::Key_F7), StatPage(*w)->btnStatFilterInclude},
        {"StatFilter_Exclude", "Удалить выделенные", QKeySequence(Qt::CTRL | Qt::Key_F7), StatPage(*w)->btnStatFilterExclude},
    };
    for (const auto& c : cases) {
        QAction* a = w->Command(c.command);
        QVERIFY2(a, c.command);
        QCOMPARE(PlainCaption(a->text()), QString(c.caption));
        QCOMPARE(a->shortcut(), c.key);
        QVERIFY(!a->statusTip().isEmpty());
        QCOMPARE(c.button->defaultAction(), a);
        QCOMPARE(c.button->text(), QString(c.caption));
        QVERIFY(StatPage(*w)->pmDrawsStat->actions().contains(a));
        // The buttons sit on the statistics page, beside the table.
        QVERIFY(StatPage(*w)->isAncestorOf(c.button));
    }
}

void StatFilterTest::KeyFiltersTheSet_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("values");  // selected in this order
    QTest::addColumn<bool>("remove");
    QTest::addColumn<QString>("valuesText");  // in the table's row order
    QTest::addColumn<QList<int>>("evens");    // the even counts left (EVEN) or sums left (SUMS)
    QTest::addColumn<int>("count");
    QTest::newRow("EVEN keep two rows") << "EVEN" << QStringList{"3:2", "1:4"} << false << "1:4; 3:2" << QList<int>{1, 3}
                                        << 9;
    QTest::newRow("EVEN delete one row") << "EVEN" << QStringList{"2:3"} << true << "2:3" << QList<int>{1, 3} << 9;
    QTest::newRow("SUMS keep one row") << "SUMS" << QStringList{"20"} << false << "20" << QList<int>{20} << 3;
    QTest::newRow("SUMS delete two rows") << "SUMS" << QStringList{"25", "20"} << true << "20; 25"
                                          << QList<int>{15, 16, 17, 18, 19, 21, 22, 23, 24} << 17;
    QTest::newRow("SUMS keep a value no combination has") << "SUMS" << QStringList{"100"} << false << "100" << QList<int>{}
                                                          << 0;
}

void StatFilterTest::KeyFiltersTheSet() {
    QFETCH(QString, code);
    QFETCH(QStringList, values);
    QFETCH(bool, remove);
    QFETCH(QString, valuesText);
    QFETCH(QList<int>, evens);
    QFETCH(int, count);
    DataFolder data(TenDraws());
    auto w = OpenWindowWithSet(kSevenNumbers);
    QCOMPARE(w->Combs().Count(), 21);
    const std::vector<TCombination> before = Combs(*w);
    SelectStatistic(*w, S(code));
    SelectValues(*w, values);
    const QString caption = StatPage(*w)->cbDrawsStatType->currentText();

    PressFilterKey(*w, remove);
    QCOMPARE(w->Combs().Count(), count);
    QCOMPARE(CombsPage(*w)->lvCombs->model()->rowCount(), count);
    QCOMPARE(w->StatusPanelText(3), QString("Комбинаций: %1").arg(count));
    QCOMPARE(w->StatusPanelText(6), QString());
    QVERIFY(w->IsIdle());
    // The survivors keep the order of the set and have exactly the wanted values.
    std::vector<TCombination> expected;
    for (const auto& c : before)
        if (evens.contains(code == "EVEN" ? EvenCount(c) : Sum(c))) expected.push_back(c);
    QVERIFY(Combs(*w) == expected);
    QCOMPARE(LogLines(*w), QStringList{QString("%1|%2|%3|%4").arg(caption, valuesText).arg(count).arg(remove ? "remove" : "keep")});

    // One step back, exactly, and the log line goes with it.
    QVERIFY(w->Command("CombsUndo")->isEnabled());
    w->Command("CombsUndo")->trigger();
    QVERIFY(Combs(*w) == before);
    QCOMPARE(LogLines(*w), QStringList{});
    QCOMPARE(w->StatusPanelText(3), QString("Комбинаций: 21"));
}

void StatFilterTest::StepsAndUndoFollowTheLog() {
    DataFolder data(TenDraws());
    auto w = OpenWindowWithSet(kSevenNumbers);
    SelectStatistic(*w, "EVEN");
    const QString even = StatPage(*w)->cbDrawsStatType->currentText();
    SelectValues(*w, {"1:4", "2:3"});
    w->Command("StatFilter_Include")->trigger();
    QCOMPARE(w->Combs().Count(), 15);
    // The selection stays: deleting the same values leaves nothing.
    QVERIFY(w->Command("StatFilter_Exclude")->isEnabled());
    w->Command("StatFilter_Exclude")->trigger();
    QCOMPARE(w->Combs().Count(), 0);
    QCOMPARE(LogLines(*w), (QStringList{even + "|1:4; 2:3|15|keep", even + "|1:4; 2:3|0|remove"}));

    // Undo brings the 15 back and drops only the last line; a new step follows on them.
    w->Command("CombsUndo")->trigger();
    QCOMPARE(w->Combs().Count(), 15);
    QCOMPARE(LogLines(*w), QStringList{even + "|1:4; 2:3|15|keep"});
    SelectStatistic(*w, "SUMS");
    const QString sums = StatPage(*w)->cbDrawsStatType->currentText();
    SelectValues(*w, {"20"});
    StatPage(*w)->btnStatFilterExclude->click();
    // Of the three combinations of sum 20 (without 1 7, 2 6 or 3 5) only 1 3 4 5 7 has fewer than
    // three even numbers.
    QCOMPARE(w->Combs().Count(), 14);
    QCOMPARE(LogLines(*w), (QStringList{even + "|1:4; 2:3|15|keep", sums + "|20|14|remove"}));
    QVERIFY(!w->Combs().ContainsComb({1, 3, 4, 5, 7}));
    QVERIFY(w->Combs().ContainsComb({1, 2, 3, 4, 5}));
}

void StatFilterTest::EnablingRules() {
    DataFolder data(TenDraws());
    auto w = OpenWindowWithSet(kSevenNumbers);
    QAction* keep = w->Command("StatFilter_Include");
    QAction* del = w->Command("StatFilter_Exclude");
    SelectStatistic(*w, "EVEN");
    // No row selected.
    StatPage(*w)->lvDrawsStat->clearSelection();
    w->UpdateCommands();
    QVERIFY(!keep->isEnabled() && !del->isEnabled());
    QVERIFY(!StatPage(*w)->btnStatFilterInclude->isEnabled());
    SelectValues(*w, {"2:3"});
    QVERIFY(keep->isEnabled() && del->isEnabled());
    // Busy: every command waits.
    w->BeginBusy();
    QVERIFY(!keep->isEnabled() && !del->isEnabled());
    w->EndBusy();
    QVERIFY(keep->isEnabled());
    // A new table (another statistic) drops the selection.
    SelectStatistic(*w, "SUMS");
    QVERIFY(!keep->isEnabled());
    // An empty set: rows selected, nothing to filter.
    SelectValues(*w, {"100"});
    QVERIFY(keep->isEnabled());
    keep->trigger();
    QCOMPARE(w->Combs().Count(), 0);
    SelectValues(*w, {"20"});
    QVERIFY(!keep->isEnabled() && !del->isEnabled());
    // The key does nothing then.
    PressFilterKey(*w, false);
    QCOMPARE(LogLines(*w).size(), 1);
}

// A period statistic is the one whose test depends on the command. Channel 2 (6..10, width 5) is
// in draws 6 to 10, so PRDC lists 02 x 1, which asks whether channel 2 was in the reference draw;
// it was: keeping keeps the 20 combinations holding 6 or 7, deleting deletes nothing (for any other
// statistic deleting would remove what keeping keeps).
void StatFilterTest::PeriodStatisticReadsTheCommand() {
    DataFolder data(TenDraws());
    for (bool remove : {false, true}) {
        auto w = OpenWindowWithSet(kSevenNumbers);
        QCOMPARE(w->Combs().Count(), 21);
        SelectStatistic(*w, "PRDC");
        SelectValues(*w, {"02 x 1"});
        PressFilterKey(*w, remove);
        QCOMPARE(w->Combs().Count(), remove ? 21 : 20);
        QCOMPARE(LogLines(*w).size(), 1);
    }
}

void StatFilterTest::FailingStepRestoresTheWindow() {
    DataFolder data(TenDraws());
    auto w = OpenWindowWithSet(kSevenNumbers);
    SelectStatistic(*w, "EVEN");
    SelectValues(*w, {"2:3"});
    // The selector loses its statistic while the table still shows rows.
    {
        const QSignalBlocker block(StatPage(*w)->cbDrawsStatType);
        StatPage(*w)->cbDrawsStatType->setCurrentIndex(-1);
    }
    w->UpdateCommands();
    QVERIFY(w->Command("StatFilter_Include")->isEnabled());
    ShownBox box;
    AnswerBox(&box, QMessageBox::Ok);
    w->Command("StatFilter_Include")->trigger();
    QCOMPARE(box.Caption, QString("Ошибка"));
    QCOMPARE(box.Text, QString("Не выбран метод расчета статистики (cb: cbDrawsStatType)!"));
    QVERIFY(w->IsIdle());
    QCOMPARE(w->StatusPanelText(6), QString());
    QCOMPARE(w->Combs().Count(), 21);
    QCOMPARE(LogLines(*w), QStringList{});
    // The undo copy holds the set as it was.
    QCOMPARE(w->Combs().UndoCount(), 21);
}

void StatFilterTest::Screenshot() {
    DataFolder data(MakeSampleDraws(400, 11));
    auto w = OpenMainWindow();
    w->resize(1280, 760);
    w->pcLists->setCurrentWidget(CombsPage(*w));
    SelectStatistic(*w, "SUMS");
    auto* edit = StatPage(*w)->edDrawsStatLen->findChild<QLineEdit*>();
    QVERIFY(edit);
    edit->setText("200");
    QTest::keyClick(StatPage(*w)->edDrawsStatLen, Qt::Key_Return);
    QStringList sums;
    for (int s = 100; s <= 160; ++s) sums << QString::number(s);
    QStringList present;
    for (int r = 0; r < StatPage(*w)->lvDrawsStat->model()->rowCount(); ++r)
        if (sums.contains(StatPage(*w)->lvDrawsStat->model()->index(r, 0).data().toString()))
            present << StatPage(*w)->lvDrawsStat->model()->index(r, 0).data().toString();
    SelectValues(*w, present);
    w->Command("StatFilter_Include")->trigger();
    SelectStatistic(*w, "EVEN");
    SelectValues(*w, {"4:1", "5:0"});
    w->Command("StatFilter_Exclude")->trigger();
    SelectValues(*w, {"1:4"});
    w->Command("StatFilter_Exclude")->trigger();
    w->Command("CombsUndo")->trigger();
    SelectStatistic(*w, "NUMS");
    SelectValues(*w, {"7", "13", "42"});
    w->Command("StatFilter_Exclude")->trigger();
    SelectValues(*w, {"3", "28"});
    QCOMPARE(LogLines(*w).size(), 3);
    // As a user would: a wider left page and the caption column widened to its texts.
    w->resize(1480, 780);
    w->splitter->setSizes({660, 820});
    CombsPage(*w)->lvFilters->resizeColumnToContents(0);
    QApplication::processEvents();
    QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/filter_log.png"));
}

QTEST_MAIN(StatFilterTest)
#include "stat_filter_test.moc"
