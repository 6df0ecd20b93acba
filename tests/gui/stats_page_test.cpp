// The page "Статистика" driven through the real main window: the statistic selector, the sample
// length, the table after offset changes, sorting by a column, the comparison with the full set
// (files built with the progress window), the chart, an uncreatable file, kept settings.
#include "gui_test_util.h"

#include "core/combs/draw_stats.h"
#include "core/combs/prefetch.h"
#include "gui/app/pane_splitter.h"
#include "gui/app/qt_text.h"
#include "gui/app/enter_spin_box.h"
#include "gui/stats/draw_stats_model.h"
#include "core/util/atomic_file.h"
#include "core/util/text.h"

#include <QAbstractSeries>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressDialog>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <filesystem>

using namespace velmora;
using namespace velmora::test;

namespace {

// Draws 11..20 with 0 1 2 1 3 2 1 4 2 1 even numbers (the value of EVEN).
TDrawsArray EvenDraws() {
    const std::array<int, 5> nums[10] = {{1, 3, 5, 7, 9}, {2, 3, 5, 7, 9}, {2, 4, 5, 7, 9}, {2, 3, 5, 7, 9},
                                         {2, 4, 6, 7, 9}, {2, 4, 5, 7, 9}, {2, 3, 5, 7, 9}, {2, 4, 6, 8, 9},
                                         {2, 4, 5, 7, 9}, {9, 3, 5, 7, 2}};
    TDrawsArray a;
    for (int k = 0; k < 10; ++k) a.push_back(MakeDraw(11 + k, nums[k], 1, 2, "2020-02-" + std::to_string(11 + k)));
    return a;
}

QStringList TableRow(TFormMain& w, int row) {
    QStringList out;
    for (int c = 0; c < kDrawStatsColumnCount; ++c) out << StatPage(w)->lvDrawsStat->model()->index(row, c).data().toString();
    return out;
}

QList<QStringList> Table(TFormMain& w) {
    QList<QStringList> rows;
    for (int r = 0; r < StatPage(w)->lvDrawsStat->model()->rowCount(); ++r) rows << TableRow(w, r);
    return rows;
}

// The rows the engine gives for the same inputs, in the same order.
QList<QStringList> EngineTable(TFormMain& w, int method, int length, bool compare, int sortColumn = -1,
                               bool descending = false) {
    TDrawStatsOptions o;
    o.Length = length;
    o.Compare = compare;
    TDrawStatsTable t = ComputeDrawStats(w.StatList(), method, w.Draws(), o, NullProgress());
    SortDrawStatsRows(t.Rows, sortColumn, descending);
    QList<QStringList> rows;
    for (const auto& r : t.Rows) {
        QStringList cells;
        for (const auto& c : r.Cells) cells << Q(c);
        rows << cells;
    }
    return rows;
}

void SelectStatistic(TFormMain& w, const std::string& code) {
    const int method = w.StatList().IndexOfCode(code);
    const int item = StatPage(w)->cbDrawsStatType->findData(method);
    QVERIFY2(item >= 0, code.c_str());
    StatPage(w)->cbDrawsStatType->setCurrentIndex(item);
}

// Types a sample length and presses Enter.
void EnterLength(TFormMain& w, int length) {
    auto* edit = StatPage(w)->edDrawsStatLen->findChild<QLineEdit*>();
    QVERIFY(edit);
    edit->setText(QString::number(length));
    QTest::keyClick(StatPage(w)->edDrawsStatLen, Qt::Key_Return);
}

QStringList SeriesNames(TFormMain& w) {
    QStringList names;
    for (QAbstractSeries* s : StatPage(w)->crtDrawsStat->chart()->series())
        if (!s->name().isEmpty()) names << s->name();
    names.sort();
    return names;
}

std::vector<std::string> FlagNFiles(TFormMain& w) {
    std::vector<std::string> files;
    for (int i = 0; i < w.StatList().Count(); ++i)
        if (w.StatList().TestFlagBit1(i)) files.push_back(PrefetchFileName(w.StatList().Items(i)));
    return files;
}

} // namespace

class StatsPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void SelectorListsTheTableStatistics();
    void TableFollowsSelectorLengthAndOffset();
    void SortByColumnAndRowTexts();
    void ComparisonBuildsTheFilesWithProgress();
    void UncreatableFileShowsTheMessage();
    void SettingsOutliveTheWindow();
    void EmptyArchive();
    void Screenshot();
};

void StatsPageTest::SelectorListsTheTableStatistics() {
    DataFolder data(EvenDraws());
    auto w = OpenMainWindow();
    const TStatList& list = w->StatList();
    QStringList expected, shown;
    for (int i = 0; i < list.Count(); ++i)
        if (list.IsAvailable(i) && list.CanShowInTable(i) && list.IsVisible(i)) expected << Q(list.DisplayCaption(i, true));
    for (int k = 0; k < StatPage(*w)->cbDrawsStatType->count(); ++k) {
        shown << StatPage(*w)->cbDrawsStatType->itemText(k);
        QCOMPARE(Q(list.DisplayCaption(StatPage(*w)->cbDrawsStatType->itemData(k).toInt(), true)), shown.back());
    }
    QCOMPARE(shown, expected);
    QCOMPARE(StatPage(*w)->cbDrawsStatType->currentIndex(), 0);
    QCOMPARE(StatPage(*w)->cbDrawsStatType->itemText(0), QString("{ num } Числа тиража [ N ]"));
    // The first statistic is computed at start over the default 1000 draws.
    QCOMPARE(StatPage(*w)->edDrawsStatLen->value(), 1000);
    QCOMPARE(Table(*w), EngineTable(*w, 0, 1000, false));
    QCOMPARE(StatPage(*w)->lvDrawsStat->model()->rowCount(), 50);
}

void StatsPageTest::TableFollowsSelectorLengthAndOffset() {
    DataFolder data(EvenDraws());
    auto w = OpenMainWindow();
    const int even = w->StatList().IndexOfCode("EVEN");
    SelectStatistic(*w, "EVEN");
    EnterLength(*w, 5);
    QCOMPARE(StatPage(*w)->edDrawsStatLen->value(), 5);
    QCOMPARE(TableRow(*w, 0), (QStringList{"1:4", "2", "40,00000", "-", "-", "-", "1", "33,33", "1,00", "20", "3",
                                           "2,5000", "3", "22", "30", "28", "-", "-", "-", "-"}));
    QCOMPARE(Table(*w), EngineTable(*w, even, 5, false));
    QCOMPARE(StatPage(*w)->SelectedStatMethod(), even);
    // Columns 3 to 5 stay hidden without the comparison.
    for (int c = kColNorm; c <= kColDeviationPct; ++c) QVERIFY(StatPage(*w)->lvDrawsStat->isColumnHidden(c));

    // A new offset recomputes the table: facts and deltas appear.
    DrawsPage(*w)->edDrawsOffset->setValue(3);
    QCOMPARE(TableRow(*w, 0), (QStringList{"1:4", "2", "40,00000", "-", "-", "-", "1", "33,33", "1,00", "17", "3",
                                           "2,5000", "3", "20", "26", "24", "20", "0", "+6", "+4"}));
    QCOMPARE(Table(*w), EngineTable(*w, even, 5, false));

    // The sorted switch recomputes as well (draw 20 is stored 9 3 5 7 2).
    DrawsPage(*w)->edDrawsOffset->setValue(0);
    SelectStatistic(*w, "POS1");
    auto countOf2 = [&] {
        for (const auto& r : Table(*w))
            if (r[0] == "2") return r[1];
        return QString();
    };
    QCOMPARE(countOf2(), QString("4"));
    w->Command("DrawsSorted")->trigger();
    QCOMPARE(countOf2(), QString("5"));

    // A new draw recomputes the table without being asked.
    w->Draws().Draws.push_back(MakeDraw(21, {2, 4, 6, 8, 10}, 1, 2, "2020-02-21"));
    w->RecomputeViews(false);
    QCOMPARE(countOf2(), QString("5"));
    SelectStatistic(*w, "EVEN");
    QCOMPARE(Table(*w), EngineTable(*w, even, 5, false));
    QCOMPARE(TableRow(*w, StatPage(*w)->lvDrawsStat->model()->rowCount() - 1)[0], QString("5:0"));
    QCOMPARE(TableRow(*w, StatPage(*w)->lvDrawsStat->model()->rowCount() - 1)[1], QString("1"));
}

void StatsPageTest::SortByColumnAndRowTexts() {
    DataFolder data(EvenDraws());
    auto w = OpenMainWindow();
    const int even = w->StatList().IndexOfCode("EVEN");
    SelectStatistic(*w, "EVEN");
    EnterLength(*w, 100);
    auto* header = StatPage(*w)->lvDrawsStat->horizontalHeader();
    // Select the row "2:3" before sorting: the selection follows the row.
    const int row23 = 1;
    QCOMPARE(TableRow(*w, row23)[0], QString("2:3"));
    StatPage(*w)->lvDrawsStat->selectRow(row23);
    emit header->sectionClicked(kColCountPct);
    QCOMPARE(Table(*w), EngineTable(*w, even, 100, false, kColCountPct, false));
    QCOMPARE(header->sortIndicatorSection(), int(kColCountPct));
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    emit header->sectionClicked(kColCountPct);
    QCOMPARE(Table(*w), EngineTable(*w, even, 100, false, kColCountPct, true));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    // 1:4 (3 of 10) first, then 2:3 (2 of 10).
    QCOMPARE(TableRow(*w, 0)[0], QString("1:4"));
    const QModelIndexList selected = StatPage(*w)->lvDrawsStat->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected[0].row(), 1);
    const TStatValues v = StatPage(*w)->RowToStatValues(selected[0].row());
    QCOMPARE(QStringList({Q(v.Value), Q(v.Count), Q(v.CountPct), Q(v.Depth), Q(v.Period)}),
             (QStringList{"2:3", "3", "30,00000", "2", "3,3333"}));
    QCOMPARE(StatPage(*w)->RowToStatValues(-1), TStatValues{});

    // The sort is kept for the next table (another length) and for the next session.
    EnterLength(*w, 5);
    QCOMPARE(Table(*w), EngineTable(*w, even, 5, false, kColCountPct, true));
    w->close();
    TWindowSettings saved(WindowSettingsFile());
    saved.Load();
    QCOMPARE(saved.ReadString("TFormMain", "lvDrawsStat.SortType", ""), std::string("2,1"));
    auto again = OpenMainWindow();
    QCOMPARE(StatPage(*again)->DrawsStatModel()->SortColumn(), int(kColCountPct));
    QVERIFY(StatPage(*again)->DrawsStatModel()->SortDescending());
}

void StatsPageTest::ComparisonBuildsTheFilesWithProgress() {
    DataFolder data(EvenDraws());
    auto w = OpenMainWindow();
    const int even = w->StatList().IndexOfCode("EVEN");
    SelectStatistic(*w, "EVEN");
    EnterLength(*w, 5);
    QVERIFY(!w->Command("DrawsStatShowTotalLine")->isEnabled());
    QCOMPARE(SeriesNames(*w), QStringList{"Фактические данные"});

    w->Command("DrawsStatePrefetchsEnabled")->trigger();
    QVERIFY(w->Command("DrawsStatePrefetchsEnabled")->isChecked());
    for (const auto& f : FlagNFiles(*w)) QVERIFY2(FileExists(f), f.c_str());
    QCOMPARE(w->fmProgress->labelText(), QString("Создание файлов для полного набора комбинаций..."));
    // The dialog is reset once the operation ends, so that it never shows itself without one.
    QVERIFY(!w->fmProgress->isVisible());
    for (int c = kColNorm; c <= kColDeviationPct; ++c) {
        QVERIFY(!StatPage(*w)->lvDrawsStat->isColumnHidden(c));
        QVERIFY(StatPage(*w)->lvDrawsStat->columnWidth(c) >= 80);  // shown, at least the default width
    }
    // Norm = Round(full count * 2 / 690000): 1, 2, 2, 1, 0.
    QCOMPARE(TableRow(*w, 0).mid(0, 9),
             (QStringList{"1:4", "2", "40,00000", "1", "1", "100,00000", "1", "33,33", "0,00"}));
    QCOMPARE(Table(*w), EngineTable(*w, even, 5, true));
    QCOMPARE(SeriesNames(*w), (QStringList{"Все возможные комбинации", "Фактические данные"}));
    TWindowSettings saved(WindowSettingsFile());
    saved.Load();
    QVERIFY(saved.ReadBool("TFormMain", "PrefetchsEnabled", false));

    QVERIFY(w->Command("DrawsStatShowTotalLine")->isEnabled());
    w->Command("DrawsStatShowTotalLine")->trigger();
    QVERIFY(!w->Command("DrawsStatShowTotalLine")->isChecked());
    QCOMPARE(SeriesNames(*w), QStringList{"Фактические данные"});
    saved.Load();
    QVERIFY(!saved.ReadBool("TFormMain", "ShowTotalLine", true));

    // Off again: columns hidden, files kept.
    w->Command("DrawsStatePrefetchsEnabled")->trigger();
    QVERIFY(StatPage(*w)->lvDrawsStat->isColumnHidden(kColNorm));
    QCOMPARE(TableRow(*w, 0)[kColNorm], QString("-"));
    QVERIFY(FileExists(FlagNFiles(*w).front()));
}

void StatsPageTest::UncreatableFileShowsTheMessage() {
    DataFolder data(EvenDraws());
    WriteFileAtomic(PrefetchDir(), "not a folder");
    auto w = OpenMainWindow();
    SelectStatistic(*w, "EVEN");
    EnterLength(*w, 5);
    // Once for the files, once for the table's own file.
    ShownBox first, second;
    AnswerBox(&first, QMessageBox::Ok);
    OnModal<QMessageBox>([&](QMessageBox* box) {
        second.Caption = box->windowTitle();
        second.Text = box->text();
        box->accept();
    });
    w->Command("DrawsStatePrefetchsEnabled")->trigger();
    const QString head = "Ошибка создания файла данных для полного набора вариантов!\n\nИмя файла: ";
    QCOMPARE(first.Caption, QString("Ошибка"));
    QVERIFY2(first.Text.startsWith(head), qPrintable(first.Text));
    QCOMPARE(second.Caption, QString("Ошибка"));
    QVERIFY2(second.Text.startsWith(head + Q(PrefetchFileName(w->StatList().Items(StatPage(*w)->SelectedStatMethod())))),
             qPrintable(second.Text));
    // The table without comparison.
    QCOMPARE(TableRow(*w, 0)[kColNorm], QString("-"));
    QCOMPARE(TableRow(*w, 0)[kColCount], QString("2"));
}

void StatsPageTest::SettingsOutliveTheWindow() {
    DataFolder data(EvenDraws());
    {
        auto w = OpenMainWindow();
        // The first start leaves the comparison off and says so in the settings.
        TWindowSettings first(WindowSettingsFile());
        first.Load();
        QVERIFY(first.ReadBool("TFormMain", "PrefetchsInit", false));
        QVERIFY(!first.ReadBool("TFormMain", "PrefetchsEnabled", true));
        EnterLength(*w, 7);
        StatPage(*w)->splDrawsStat->setSizes({300, 150});
        emit StatPage(*w)->splDrawsStat->splitterMoved(300, 1);
        StatPage(*w)->lvDrawsStat->setColumnWidth(kColValue, 123);
        w->close();
    }
    TWindowSettings saved(WindowSettingsFile());
    saved.Load();
    QCOMPARE(saved.ReadInteger("TFormMain", "DrawsStatLen", 0), 7);
    QCOMPARE(saved.ReadInteger("TFormMain", "DrawsStatHeight", 0), 150);
    auto w = OpenMainWindow();
    QCOMPARE(StatPage(*w)->edDrawsStatLen->value(), 7);
    QCOMPARE(StatPage(*w)->lvDrawsStat->columnWidth(kColValue), 123);
    QCOMPARE(StatPage(*w)->crtDrawsStat->height(), 150);
    QCOMPARE(Table(*w), EngineTable(*w, 0, 7, false));
}

void StatsPageTest::EmptyArchive() {
    DataFolder data({}, false);
    auto w = OpenMainWindow();
    QCOMPARE(StatPage(*w)->lvDrawsStat->model()->rowCount(), 0);
    QVERIFY(!w->Command("DrawsStatCalc")->isEnabled());
    QVERIFY(StatPage(*w)->crtDrawsStat->chart()->series().isEmpty());
}

void StatsPageTest::Screenshot() {
    DataFolder data(MakeSampleDraws(400, 11));
    auto w = OpenMainWindow();
    w->resize(1280, 760);
    SelectStatistic(*w, "NUMS");
    EnterLength(*w, 200);
    w->Command("DrawsStatePrefetchsEnabled")->trigger();
    emit StatPage(*w)->lvDrawsStat->horizontalHeader()->sectionClicked(kColWeight);
    emit StatPage(*w)->lvDrawsStat->horizontalHeader()->sectionClicked(kColWeight);
    StatPage(*w)->lvDrawsStat->selectRow(0);
    QApplication::processEvents();
    QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/stats.png"));
    // One picture per family: stats_<code>.png, the comparison still on.
    for (const char* code : {"EVEN", "CHNV", "COLM"}) {
        SelectStatistic(*w, code);
        QApplication::processEvents();
        QVERIFY(w->grab().save(dir + "/stats_" + QString(code).toLower() + ".png"));
    }
}

QTEST_MAIN(StatsPageTest)
#include "stats_page_test.moc"
