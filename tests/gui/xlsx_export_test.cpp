// The spreadsheet export commands of the pages: the file dialog, the workbook written, the file
// opened afterwards, and the enabling rules.
#include "gui_test_util.h"

#include "gui/app/qt_text.h"
#include "gui/stats/draw_stats_model.h"
#include "../xlsx_read.h"

#include <QAction>
#include <QDir>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

using namespace velmora;
using namespace velmora::test;

// Takes the place of the desktop's default application: records the files it is asked to open.
class OpenedFiles : public QObject {
    Q_OBJECT
public:
    OpenedFiles() { QDesktopServices::setUrlHandler("file", this, "Open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler("file"); }
    QStringList Files;
public slots:
    void Open(const QUrl& url) { Files << url.toLocalFile(); }
};

class XlsxExportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void CommandsAndTheirRules();
    void DrawListGoesToAWorkbookThatIsOpened();
    void StatisticsTableKeepsItsOrderAndColumns();
    void CancelledDialogWritesNothing();
};

void XlsxExportTest::CommandsAndTheirRules() {
    DataFolder data({}, false);
    auto w = OpenMainWindow();
    const struct {
        const char* name;
        QString caption;
        bool enabled;  // empty archive, full combination set
    } commands[] = {
        {"DrawsXlsExport", "Экспорт в Microsoft Excel", false},
        {"CombsXlsExport", "Экспорт в Microsoft Excel", true},
        {"DrawsStatExportToExcel", "Экспорт статистики в Microsoft Excel", false},
    };
    for (const auto& c : commands) {
        QAction* a = w->Command(c.name);
        QVERIFY2(a, c.name);
        QCOMPARE(a->text().remove(QLatin1Char('&')), c.caption);  // without an access key
        QVERIFY(!a->statusTip().isEmpty());
        QCOMPARE(a->isEnabled(), c.enabled);
    }
}

void XlsxExportTest::DrawListGoesToAWorkbookThatIsOpened() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    OpenedFiles opened;
    QVERIFY(w->Command("DrawsXlsExport")->isEnabled());
    const QString path = data.Path("draws.xlsx");
    auto wait = ChooseFile(path);
    w->Command("DrawsXlsExport")->trigger();
    StopModal(wait);
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(opened.Files, QStringList{path});
    TReadSheet s = ReadXlsxSheet(S(path), 1);
    QCOMPARE(Q(s.Cells["A1"].Text), QString("Архив тиражей"));
    QCOMPARE(Q(s.Cells["A2"].Text), QString("Тираж"));
    QVERIFY(s.Cells["A3"].Number);
    QCOMPARE(s.Cells["A3"].Value, 10.0);  // the newest draw first, as the list shows it
    QCOMPARE(s.Rows(), 12);
    QVERIFY(w->IsIdle());
}

void XlsxExportTest::StatisticsTableKeepsItsOrderAndColumns() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    OpenedFiles opened;
    TDrawsStatPage* page = StatPage(*w);
    QVERIFY(page->DrawsStatModel()->rowCount() > 0);
    // Sorted by the count, descending: the export follows the table's order.
    page->lvDrawsStat->sortByColumn(kColCount, Qt::DescendingOrder);
    const QString path = data.Path("stats.xlsx");
    auto wait = ChooseFile(path);
    w->Command("DrawsStatExportToExcel")->trigger();
    StopModal(wait);
    TReadSheet s = ReadXlsxSheet(S(path), 1);
    QVERIFY(Q(s.Cells["A1"].Text).startsWith("Статистика: "));
    QCOMPARE(s.Rows(), 2 + page->DrawsStatModel()->rowCount());
    const auto* first = page->DrawsStatModel()->Row(0);
    QCOMPARE(Q(s.Cells["A3"].Text), Q(first->Cells[kColValue]));
    QCOMPARE(Q(s.Cells["B3"].Text), Q(first->Cells[kColCount]));
    // Without the comparison the columns "Норма" .. "Откл-ие в %" are hidden and left out.
    QCOMPARE(w->PrefetchsEnabled(), false);
    QCOMPARE(Q(s.Cells["D2"].Text), QString("Глубина"));
}

void XlsxExportTest::CancelledDialogWritesNothing() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    OpenedFiles opened;
    auto wait = OnModal<QFileDialog>([](QFileDialog* dlg) { dlg->reject(); });
    w->Command("DrawsXlsExport")->trigger();
    StopModal(wait);
    QVERIFY(opened.Files.isEmpty());
    QVERIFY(QDir(data.Path("")).entryList({"*.xlsx"}).isEmpty());
}

QTEST_MAIN(XlsxExportTest)
#include "xlsx_export_test.moc"
