// The spreadsheet export commands of the pages: the file dialog, the workbook written, the file
// opened afterwards, and the enabling rules.
#include "gui_test_util.h"

#include "gui/app/qt_text.h"
#include "gui/app/xlsx_export_command.h"
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

// Answers the box that ends an export with the button of that caption; records its text and buttons.
struct DoneBox {
    QString Text;
    QStringList Buttons;
};
QPointer<QTimer> AnswerDone(DoneBox* shown, const QString& button) {
    return OnModal<QMessageBox>([shown, button](QMessageBox* box) {
        shown->Text = box->text();
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            shown->Buttons << b->text();
            if (b->text() == button) chosen = b;
        }
        shown->Buttons.sort();  // the box orders them by role
        if (chosen)
            chosen->click();
        else
            box->close();
    });
}

// The desktop's applications as the test sets them: xlsx files and folders.
struct Desktop {
    explicit Desktop(bool xlsx, bool folders) {
        saved_ = DesktopApplicationFinder();
        DesktopApplicationFinder() = [xlsx, folders](const QString& mime) {
            return mime == "inode/directory" ? folders : xlsx && mime.contains("spreadsheetml");
        };
    }
    ~Desktop() { DesktopApplicationFinder() = saved_; }

private:
    std::function<bool(const QString&)> saved_;
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
    void WithoutAnApplicationTheFileIsOnlyShown();
    void DesktopApplicationLookup();
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
    Desktop desktop(true, true);
    QVERIFY(w->Command("DrawsXlsExport")->isEnabled());
    const QString path = data.Path("draws.xlsx");
    auto wait = ChooseFile(path);
    DoneBox done;
    auto answer = AnswerDone(&done, "Открыть файл");
    w->Command("DrawsXlsExport")->trigger();
    StopModal(wait);
    StopModal(answer);
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(done.Text, "Экспорт завершен, файл записан:\n" + QDir::toNativeSeparators(path));
    QStringList all{"Открыть файл", "Открыть папку", "Закрыть"};
    all.sort();
    QCOMPARE(done.Buttons, all);
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
    DoneBox done;
    auto answer = AnswerDone(&done, "Закрыть");
    w->Command("DrawsStatExportToExcel")->trigger();
    StopModal(wait);
    StopModal(answer);
    QVERIFY(opened.Files.isEmpty());
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

void XlsxExportTest::WithoutAnApplicationTheFileIsOnlyShown() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    OpenedFiles opened;
    const struct {
        const char* name;
        bool folders;
        QStringList buttons;
        QString press;
        QStringList opened;
    } cases[] = {
        {"a file manager", true, {"Открыть папку", "Закрыть"}, "Открыть папку", {data.Path("")}},
        {"nothing", false, {"Закрыть"}, "Закрыть", {}},
    };
    for (const auto& c : cases) {
        Desktop desktop(false, c.folders);
        opened.Files.clear();
        const QString path = data.Path(QString("draws_%1.xlsx").arg(c.folders));
        auto wait = ChooseFile(path);
        DoneBox done;
        auto answer = AnswerDone(&done, c.press);
        w->Command("DrawsXlsExport")->trigger();
        StopModal(wait);
        StopModal(answer);
        QVERIFY2(done.Text.endsWith("\n\nНа этом компьютере нет приложения для открытия файлов .xlsx: откройте "
                                    "файл в программе электронных таблиц."),
                 c.name);
        QStringList buttons = c.buttons;
        buttons.sort();
        QCOMPARE(done.Buttons, buttons);
        QStringList dirs;
        for (const QString& f : opened.Files) dirs << QDir(f).absolutePath();
        QStringList expected;
        for (const QString& f : c.opened) expected << QDir(f).absolutePath();
        QCOMPARE(dirs, expected);
    }
}

// The lookup of the desktop's application for a type, in folders of the test's own: the opener
// program and an entry for the type are both needed.
void XlsxExportTest::DesktopApplicationLookup() {
    const QString xlsx = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
    const struct {
        const char* name;
        bool opener;
        const char* file;  // under the data folder's "applications"
        const char* text;
        bool found;
    } cases[] = {
        {"no entry", true, nullptr, nullptr, false},
        {"an entry without an opener", false, "mimeinfo.cache", "[MIME Cache]\n%1=calc.desktop;\n", false},
        {"the cache", true, "mimeinfo.cache", "[MIME Cache]\n%1=calc.desktop;\n", true},
        {"a default", true, "mimeapps.list", "[Default Applications]\n%1=calc.desktop\n", true},
        {"an entry's types", true, "calc.desktop", "[Desktop Entry]\nMimeType=text/csv;%1;\n", true},
        {"a default without its entry", true, "mimeapps.list", "[Default Applications]\n%1=gone.desktop\n", false},
    };
    const QByteArray savedPath = qgetenv("PATH"), savedData = qgetenv("XDG_DATA_DIRS"),
                     savedHome = qgetenv("XDG_DATA_HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME"),
                     savedConfigDirs = qgetenv("XDG_CONFIG_DIRS");
    for (const auto& c : cases) {
        QTemporaryDir root;
        QDir(root.path()).mkpath("data/applications");
        QDir(root.path()).mkpath("config");
        QDir(root.path()).mkpath("bin");
        if (c.opener) {
            QFile f(root.filePath("bin/xdg-open"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\nexit 0\n");
            f.close();
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        if (c.file) {
            QFile f(root.filePath(QString("data/applications/") + c.file));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QString(c.text).arg(xlsx).toUtf8());
            if (QString(c.file) != "calc.desktop") {
                QFile entry(root.filePath("data/applications/calc.desktop"));
                QVERIFY(entry.open(QIODevice::WriteOnly));
                entry.write("[Desktop Entry]\nType=Application\nName=Calc\nExec=calc %f\n");
            }
        }
        qputenv("PATH", root.filePath("bin").toUtf8());
        qputenv("XDG_DATA_HOME", root.filePath("data").toUtf8());
        qputenv("XDG_DATA_DIRS", root.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", root.filePath("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", root.filePath("config").toUtf8());
        const bool found = FindDesktopApplication(xlsx);
        qputenv("PATH", savedPath);
        qputenv("XDG_DATA_DIRS", savedData);
        qputenv("XDG_DATA_HOME", savedHome);
        qputenv("XDG_CONFIG_HOME", savedConfig);
        qputenv("XDG_CONFIG_DIRS", savedConfigDirs);
        QVERIFY2(found == c.found, c.name);
    }
}

QTEST_MAIN(XlsxExportTest)
#include "xlsx_export_test.moc"
