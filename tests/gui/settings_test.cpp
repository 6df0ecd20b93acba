// The program settings and the main window's life, driven through the real windows: the dialog
// "Параметры системы" with its input rules and what OK puts in force, damaged settings files at
// start, the command-line modes that build the distribution files and quit, the second copy on the
// same data folder, the placement rule of the window settings and the commands of the shell.
#include "gui_test_util.h"

#include "core/app/config.h"
#include "core/app/window_settings.h"
#include "core/net/web_settings.h"
#include "core/combs/prefetch.h"
#include "core/stakes/stake_record.h"
#include "gui/app/form_config.h"
#include "gui/app/form_first_run.h"
#include "gui/app/qt_text.h"
#include "gui/combs/form_gen_combs.h"
#include "core/util/text.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTabWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <filesystem>
#include <fstream>

using namespace velmora;
using namespace velmora::test;

namespace {

// Answers every message box that comes up with its default button and keeps what they said.
class BoxCollector {
public:
    BoxCollector() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            Texts << box->text();
            Captions << box->windowTitle();
            if (auto* b = box->defaultButton())
                b->click();
            else
                box->close();
        });
        timer_.start(10);
    }
    QStringList Texts, Captions;

private:
    QTimer timer_;
};

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteIni(const std::vector<std::string>& lines) { WriteTextLines(ConfigFile(), lines); }

// The settings dialog of the command, handled by `handler` while it is up.
void RunConfigDialog(TFormMain& w, std::function<void(TFormConfig*)> handler) {
    bool seen = false;
    OnModal<TFormConfig>([&](TFormConfig* dlg) {
        seen = true;
        handler(dlg);
        if (dlg->isVisible()) dlg->reject();  // a failed check must not leave the dialog up
    });
    w.Command("EditConfig")->trigger();
    QVERIFY(seen);
}

// Types into the cell editor of a grid and finishes the edit with Enter.
void TypeIntoCell(QTableWidget* grid, int row, int col, const QString& keys, QString* shown = nullptr) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // editors closed before
    grid->setFocus();
    grid->setCurrentCell(row, col);
    grid->editItem(grid->item(row, col));
    QLineEdit* editor = nullptr;
    for (auto* e : grid->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible()) editor = e;
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, keys);
    if (shown) *shown = editor->text();
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

int CurrentPpi() { return int(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInch())); }

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void cleanup() {
        QCOMPARE(ModalFailures(), QStringList());
        ModalFailures().clear();
    }

    void DialogShowsTheSettingsAndOkPutsThemInForce();
    void SevenColumnsGiveEightRowsAndIdsStayWithTheirNumbers();
    void CellInputRules();
    void CancelChangesNothing();
    void NetworkPageWritesSectionWeb();
    void UnchangedSettingsRebuildNoDistributionFile();
    void FailedWriteKeepsTheNewValues();
    void DamagedFilesAtStartGiveDefaultsAndMessages();
    void GenerationParametersAreWritten();
    void BatchModesBuildTheFilesAndQuit();
    void SecondCopyLeavesTheDataAlone();
    void PlacementFromAnotherResolution();
    void ShellCommands();
    void FirstRunWindow();
    void Screenshot();
};

void SettingsTest::DialogShowsTheSettingsAndOkPutsThemInForce() {
    DataFolder data(TenDraws());
    WriteIni({"[GLOBAL]", "MatrixCols=5", "ChannelSize=5", "[STAKES]", "Cost=1,5", "MaxStake=7", "Profits=2",
              "Profit_0_Overlap=3", "Profit_0_Profit=100", "Profit_1_Overlap=5", "Profit_1_Profit=5000", "[CDL]",
              "Deviation=-0,5", "UseAbsValues=1", "[PROXY]", "ProxyServer=proxy.local", "[MINE]", "Key=kept"});
    auto w = OpenMainWindow();
    QCOMPARE(w->StatList().Config.Cost, int64_t(15000));
    QCOMPARE(w->Proxy().Mode, uint8_t(2));  // a server without a mode is the manual mode
    QVERIFY(w->Command("EditConfig")->isEnabled());

    // The draw list colours by channels of 5: numbers 1 and 11 of draw 1 (row 9) differ.
    auto color = [&](int col) { return DrawsPage(*w)->lvDraws->model()->index(9, col).data(Qt::BackgroundRole).value<QBrush>().color(); };
    QVERIFY(color(2) != color(4));

    RunConfigDialog(*w, [](TFormConfig* dlg) {
        QCOMPARE(dlg->windowTitle(), QString("Параметры системы"));
        QCOMPARE(dlg->edMatrixCol->value(), 5);
        QCOMPARE(dlg->edMatrixRow->value(), 10);
        QCOMPARE(dlg->edChannelSize->value(), 5);
        QCOMPARE(dlg->edCost->text(), QString("1,50"));
        // The prizes by number of matches: the entry for 3 matches on row 3, for 5 on row 5.
        QStringList prizes;
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(dlg->edProfits->item(k, 0)->text(), QString::number(k));
            prizes << dlg->edProfits->item(k, 1)->text();
        }
        QCOMPARE(prizes, (QStringList{"0,00", "0,00", "0,00", "100,00", "0,00", "5000,00"}));
        QCOMPARE(dlg->Coef.Deviation->value(), -0.5);
        QVERIFY(dlg->Coef.Abs->isChecked());
        QVERIFY(!dlg->Coef.Percents->isChecked());

        dlg->edChannelSize->setValue(12);
        dlg->edCost->setText("2,25");
        dlg->edProfits->item(4, 1)->setText("250,5");
        dlg->edProfits->item(0, 1)->setText("abc");  // not a number: 0
        dlg->Coef.Count->setValue(1.25);
        dlg->Coef.Percents->setChecked(true);
        dlg->accept();
    });

    const TConfigData& c = w->StatList().Config;
    QCOMPARE(c.ChannelSize, 12);
    QCOMPARE(c.Cost, int64_t(22500));
    QCOMPARE(c.MaxStake, 7);
    const std::vector<TProfitEntry> expected = {{0, 0}, {1, 0}, {2, 0}, {3, 1000000}, {4, 2505000}, {5, 50000000}};
    QVERIFY(c.Profits == expected);
    QCOMPARE(double(c.Weights.Count), 1.25);
    QVERIFY(c.Weights.UsePercents);
    QCOMPARE(double(w->StatList().SavedRatingWeights.Count), 1.25);
    // A stake with 3 matches still wins the prize stored for 3 matches.
    QCOMPARE(StakeProfit(w->StatList().Config, 5, 3), int64_t(1000000 - 22500));

    TIniFile ini(ConfigFile());
    QCOMPARE(Q(ini.ReadString("STAKES", "Cost", "")), QString("2,25"));
    QCOMPARE(Q(ini.ReadString("STAKES", "Profits", "")), QString("6"));
    QCOMPARE(Q(ini.ReadString("STAKES", "Profit_3_Overlap", "")), QString("3"));
    QCOMPARE(Q(ini.ReadString("STAKES", "Profit_3_Profit", "")), QString("100"));
    QCOMPARE(Q(ini.ReadString("STAKES", "Profit_4_Profit", "")), QString("250,5"));
    QCOMPARE(Q(ini.ReadString("STAKES", "MaxStake", "")), QString("7"));
    QCOMPARE(Q(ini.ReadString("GLOBAL", "ChannelSize", "")), QString("12"));
    QCOMPARE(Q(ini.ReadString("CDL", "UsePercents", "")), QString("1"));
    QCOMPARE(Q(ini.ReadString("PROXY", "ProxyServer", "")), QString("proxy.local"));
    QCOMPARE(Q(ini.ReadString("MINE", "Key", "")), QString("kept"));

    // Channels of 12: numbers 1 and 11 share a channel and its colour.
    QCOMPARE(color(2), color(4));
    QVERIFY(w->IsIdle());
    QCOMPARE(w->StatusPanelText(6), QString());
}

void SettingsTest::SevenColumnsGiveEightRowsAndIdsStayWithTheirNumbers() {
    DataFolder data(TenDraws());
    WriteIni({"[GLOBAL]", "MatrixCols=7", "MatrixSegments=123456789123456789123456789123"});
    auto w = OpenMainWindow();
    RunConfigDialog(*w, [](TFormConfig* dlg) {
        QTableWidget* g = dlg->sgSegments;
        QCOMPARE(dlg->edMatrixRow->value(), 8);
        QCOMPARE(g->columnCount(), 7);
        QCOMPARE(g->rowCount(), 8);
        // Number 9 sits in row 1, column 1; number 31 on (4, 2) has the default 1.
        QCOMPARE(g->item(1, 1)->text(), QString("9"));
        QCOMPARE(g->item(4, 2)->text(), QString("1"));
        // Cells for the numbers 51..56 cannot be selected; the cell of 50 can.
        for (int c = 1; c < 7; ++c) QVERIFY(!(g->item(7, c)->flags() & Qt::ItemIsSelectable));
        QVERIFY(g->item(7, 0)->flags() & Qt::ItemIsSelectable);
        g->setCurrentCell(7, 3);
        QVERIFY(g->selectedItems().isEmpty());

        dlg->edMatrixCol->setValue(10);
        QCOMPARE(dlg->edMatrixRow->value(), 5);
        QCOMPARE(g->columnCount(), 10);
        QCOMPARE(g->rowCount(), 5);
        QCOMPARE(g->item(0, 8)->text(), QString("9"));  // number 9 keeps its id
        QCOMPARE(g->item(2, 9)->text(), QString("3"));  // number 30
        dlg->edMatrixCol->setValue(50);
        QCOMPARE(dlg->edMatrixRow->value(), 1);
        dlg->edMatrixCol->setValue(7);
        dlg->accept();
    });
    // Only the shape changed back and forth: the map is the one read.
    QCOMPARE(Q(SegmentsToText(w->StatList().Config.MatrixSegments)),
             QString("123456789123456789123456789123") + QString(20, '1'));
    QCOMPARE(w->StatList().MatrixRows(), 8);
}

void SettingsTest::CellInputRules() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    BoxCollector boxes;
    RunConfigDialog(*w, [&](TFormConfig* dlg) {
        QTableWidget* g = dlg->sgSegments;
        QString shown;
        TypeIntoCell(g, 0, 1, "x4", &shown);  // only digits reach the cell
        QCOMPARE(shown, QString("4"));
        QCOMPARE(g->item(0, 1)->text(), QString("4"));
        TypeIntoCell(g, 0, 2, "0");
        QVERIFY(QTest::qWaitFor([&] { return !boxes.Texts.isEmpty(); }));
        QCOMPARE(boxes.Captions.value(0), QString("Ошибка"));
        QCOMPARE(boxes.Texts.value(0), QString("Некорректное значение: 0!\n\nУкажите любое число от 1 до 9"));
        QCOMPARE(g->item(0, 2)->text(), QString("1"));
        TypeIntoCell(g, 0, 3, "12");
        QVERIFY(QTest::qWaitFor([&] { return boxes.Texts.size() == 2; }));
        QCOMPARE(boxes.Texts.value(1), QString("Некорректное значение: 12!\n\nУкажите любое число от 1 до 9"));
        QCOMPARE(g->item(0, 3)->text(), QString("1"));
        g->item(0, 4)->setText("7");
        g->item(1, 0)->setText("");  // an emptied cell stays empty and counts as 1
        QCOMPARE(g->item(1, 0)->text(), QString());

        // Prize cells: digits and the decimal separator of the locale only.
        TypeIntoCell(dlg->edProfits, 2, 1, "-1.5,25", &shown);
        QCOMPARE(shown, QString("15,25"));
        dlg->accept();
    });
    QCOMPARE(boxes.Texts.size(), 2);
    QCOMPARE(Q(SegmentsToText(w->StatList().Config.MatrixSegments)), QString("14117") + QString(45, '1'));
    QCOMPARE(w->StatList().Config.Profits[2].Profit, int64_t(152500));
}

void SettingsTest::CancelChangesNothing() {
    DataFolder data(TenDraws());
    WriteIni({"[STAKES]", "Cost=3"});
    const std::string before = FileBytes(ConfigFile());
    auto w = OpenMainWindow();
    RunConfigDialog(*w, [](TFormConfig* dlg) {
        dlg->edChannelSize->setValue(20);
        dlg->edCost->setText("9");
        dlg->reject();
    });
    QCOMPARE(w->StatList().Config.ChannelSize, 5);
    QCOMPARE(w->StatList().Config.Cost, int64_t(30000));
    QVERIFY(FileBytes(ConfigFile()) == before);

    // OK without a change still writes the file (here: the whole block with its defaults).
    RunConfigDialog(*w, [](TFormConfig* dlg) { dlg->accept(); });
    TIniFile ini(ConfigFile());
    QCOMPARE(Q(ini.ReadString("GLOBAL", "MatrixCols", "")), QString("5"));
    QCOMPARE(Q(ini.ReadString("STAKES", "Cost", "")), QString("3"));
    QCOMPARE(Q(ini.ReadString("STAKES", "Profits", "")), QString("6"));
    QVERIFY(!QDir(Q(PrefetchDir())).exists());  // no distribution file was rebuilt
}

void SettingsTest::NetworkPageWritesSectionWeb() {
    DataFolder data(TenDraws());
    const QString ca = data.Path("ca.pem");
    {
        QFile f(ca);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("-----BEGIN CERTIFICATE-----\n");
    }
    auto w = OpenMainWindow();
    struct Step {
        const char* name;
        QString draws, ca;
        QString error;  // empty: OK closes the dialog
    } steps[] = {
        {"no scheme", "results.example", "", "Адрес должен начинаться с http:// или https://: \"results.example\"!"},
        {"missing CA file", "https://results.example/", data.Path("none.pem"),
         QString("Файл сертификатов не найден: \"%1\"!").arg(data.Path("none.pem"))},
        {"valid", " https://results.example/ ", ca, ""},
    };
    QStringList labels;
    QString defaults;
    RunConfigDialog(*w, [&](TFormConfig* dlg) {
        QCOMPARE(dlg->pcConfig->tabText(1), QString("Сеть"));
        defaults = dlg->edDrawsSite->text() + "|" + dlg->edCatalogSite->text() + "|" + dlg->edTotalTimeout->text();
        for (auto* l : dlg->pcConfig->widget(1)->findChildren<QLabel*>()) labels << l->text();
        for (const auto& step : steps) {
            dlg->edDrawsSite->setText(step.draws);
            dlg->edCAFile->setText(step.ca);
            ShownBox box;
            auto wait = AnswerBox(&box, QMessageBox::Ok);
            dlg->accept();
            if (step.error.isEmpty()) {
                StopModal(wait);
                QVERIFY2(!dlg->isVisible(), step.name);
            } else {
                QVERIFY(QTest::qWaitFor([&] { return !box.Text.isEmpty(); }));
                QCOMPARE(box.Text, step.error);
                QVERIFY2(dlg->isVisible(), step.name);
                QCOMPARE(dlg->pcConfig->currentIndex(), 1);
            }
        }
    });
    QCOMPARE(defaults, QString("%1|%2|120 с").arg(kDefaultDrawsSite, kDefaultCatalogSite));
    for (const char* caption : {"Сайт результатов тиражей:", "Сервер каталога:", "Сервер обновлений:",
                                "Дополнительные сертификаты:", "Предельное время запроса:"})
        QVERIFY2(labels.contains(caption), caption);
    const TWebSettings web = LoadWebSettings(TIniFile(ConfigFile()));
    QCOMPARE(Q(web.DrawsSite), QString("https://results.example"));
    QCOMPARE(Q(web.CAFile), ca);
    QCOMPARE(Q(web.UpdateSite), QString(kDefaultUpdateSite));
}

void SettingsTest::UnchangedSettingsRebuildNoDistributionFile() {
    DataFolder data(TenDraws());
    {
        TWindowSettings s(WindowSettingsFile());
        s.WriteBool("TFormMain", "PrefetchsInit", true);
        s.WriteBool("TFormMain", "PrefetchsEnabled", true);
        s.Save();
    }
    // Every distribution file is there (a one-value stand-in, recorded in the manifest), so the
    // start builds none.
    TStatList list;
    list.Build();
    TStatDrawArray one(1);
    one[0].Count = 1;
    const std::string stand = EncodePrefetch(one);
    std::filesystem::create_directories(PrefetchDir());
    std::vector<std::string> files;
    for (int i = 0; i < list.Count(); ++i)
        if (list.TestFlagBit1(i)) {
            files.push_back(PrefetchFileName(list.Items(i)));
            WritePrefetchFile(files.back(), stand);
        }
    auto w = OpenMainWindow();
    QVERIFY(w->PrefetchsEnabled());
    RunConfigDialog(*w, [](TFormConfig* dlg) {
        dlg->edCost->setText("3");  // neither matrix, channels nor segments
        dlg->accept();
    });
    QCOMPARE(w->StatList().Config.Cost, int64_t(30000));
    for (const auto& f : files) QVERIFY2(FileBytes(f) == stand, f.c_str());
}

void SettingsTest::FailedWriteKeepsTheNewValues() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    // The settings file cannot be replaced: a folder stands in its place.
    std::filesystem::create_directory(ConfigFile());
    ShownBox box;
    AnswerBox(&box, QMessageBox::Ok);
    RunConfigDialog(*w, [](TFormConfig* dlg) {
        dlg->edChannelSize->setValue(7);
        dlg->accept();
    });
    QCOMPARE(box.Caption, QString("Ошибка"));
    QVERIFY2(box.Text.startsWith("Ошибка записи в файл конфигурации!\n\n"), qPrintable(box.Text));
    QCOMPARE(w->StatList().Config.ChannelSize, 7);
    QVERIFY(w->IsIdle());
    QCOMPARE(w->StatusPanelText(6), QString());
}

void SettingsTest::DamagedFilesAtStartGiveDefaultsAndMessages() {
    DataFolder data(TenDraws());
    std::filesystem::create_directory(ConfigFile());
    std::filesystem::create_directory(WindowSettingsFile());
    BoxCollector boxes;
    auto w = OpenMainWindow();
    QCOMPARE(boxes.Texts.size(), 2);
    QVERIFY2(boxes.Texts.value(0).startsWith("Ошибка чтения файла конфигурации!\n\n"), qPrintable(boxes.Texts.value(0)));
    QVERIFY2(boxes.Texts.value(1).startsWith("Ошибка загрузки параметров программы!\n\n"),
             qPrintable(boxes.Texts.value(1)));
    QVERIFY(w->StatList().Config == TConfigData{});
    QCOMPARE(w->Draws().Count(), 10);
    QVERIFY(w->Initialized());

    // Values that are not what their key holds take the defaults, without a message.
    std::filesystem::remove(ConfigFile());
    WriteIni({"[GLOBAL]", "MatrixCols=-3", "ChannelSize=абв", "MatrixSegments=9", "[STAKES]", "Cost=1e400",
              "Profits=99999999", "[CDL]", "Level=x", "garbage line", "=", "[broken"});
    w.reset();
    auto again = OpenMainWindow();
    QCOMPARE(boxes.Texts.size(), 3);  // only the window settings folder again
    const TConfigData& c = again->StatList().Config;
    QCOMPARE(c.MatrixCols, 5);
    QCOMPARE(c.ChannelSize, 5);
    QCOMPARE(c.Cost, int64_t(0));
    QCOMPARE(int(c.Profits.size()), kMaxProfitEntries);
    QCOMPARE(double(c.Weights.Level), 1.0);
    QCOMPARE(int(c.MatrixSegments[0]), 9);
}

void SettingsTest::GenerationParametersAreWritten() {
    DataFolder data(TenDraws());
    {
        auto w = OpenMainWindow();
        OnModal<TFormGenCombs>([](TFormGenCombs* dlg) {
            dlg->cbCombsGenerateMode->setCurrentIndex(2);
            dlg->edCombsGenerateParam->setText("1;2;3;4;5;6");
            dlg->accept();
        });
        w->Command("CombsGen")->trigger();
        TIniFile ini(ConfigFile());
        QCOMPARE(Q(ini.ReadString("GLOBAL", "CombsGenerateMode", "")), QString("2"));
        QCOMPARE(Q(ini.ReadString("GLOBAL", "CombsGenerateParameters", "")), QString("1;2;3;4;5;6"));
    }
    // The next start builds the set with them: C(6,5) combinations.
    auto w = OpenMainWindow();
    QCOMPARE(w->Combs().Count(), 6);
}

void SettingsTest::BatchModesBuildTheFilesAndQuit() {
    struct Case {
        const char* name;
        TStartMode mode;
        bool builds;
    };
    TStartMode loadOnly, loadAndRefresh, refresh;
    loadOnly.LoadOnly = true;
    loadAndRefresh.LoadOnly = loadAndRefresh.FullRefresh = true;
    refresh.FullRefresh = true;
    const Case cases[] = {
        {"loadonly: quits after the start", loadOnly, false},
        {"loadonly fullrefresh: builds the missing files, then quits", loadAndRefresh, true},
        {"fullrefresh, the comparison switched off: builds them all the same", refresh, true},
    };
    for (const auto& c : cases) {
        DataFolder data(TenDraws());
        // Every distribution file is there but the one of EVEN, and one that is damaged.
        TStatList list;
        list.Build();
        TStatDrawArray one(1);
        one[0].Count = 1;
        std::filesystem::create_directories(PrefetchDir());
        std::string missing, damaged, kept;
        for (int i = 0; i < list.Count(); ++i) {
            if (!list.TestFlagBit1(i)) continue;
            const std::string file = PrefetchFileName(list.Items(i));
            if (list.Items(i).Code() == "EVEN") {
                missing = file;
            } else if (list.Items(i).Code() == "PRIM") {
                damaged = file;
                WriteTextLines(file, {"damaged"});
            } else {
                WritePrefetchFile(file, EncodePrefetch(one));
                kept = file;
            }
        }
        QVERIFY(!missing.empty() && !damaged.empty() && !kept.empty());
        const std::string keptBytes = FileBytes(kept);
        StartModeScope scope(c.mode);
        TFormMain w;
        QSignalSpy quit(&w, &TTemplateMain::QuitRequested);
        QVERIFY2(quit.wait(60000) || !quit.isEmpty(), c.name);
        QCOMPARE(quit.size(), 1);
        QCOMPARE(quit.first().first().toInt(), 0);
        QVERIFY(w.QuitPending());
        QVERIFY2(!w.isVisible(), c.name);
        QCOMPARE(w.Draws().Count(), 10);
        TPrefetchData built;
        QCOMPARE(std::filesystem::exists(missing), c.builds);
        if (c.builds) {
            QVERIFY2(DecodePrefetch(FileBytes(missing), built), c.name);
            QVERIFY(DecodePrefetch(FileBytes(damaged), built));
        }
        // The files that were there stay as they were.
        QVERIFY(FileBytes(kept) == keptBytes);
    }
}

void SettingsTest::SecondCopyLeavesTheDataAlone() {
    DataFolder data(TenDraws());
    {
        TWindowSettings s(WindowSettingsFile());
        s.WriteInteger("TFormMain", "LeftPanelWidth", 300);
        s.Save();
    }
    auto first = OpenMainWindow();
    QVERIFY(first->OwnsDataFolder());
    const std::string frm = FileBytes(WindowSettingsFile());
    const std::string ldr = FileBytes(data.ArchiveFile());
    QVERIFY(!QFileInfo::exists(Q(ConfigFile())));

    ShownBox box;
    AnswerBox(&box, QMessageBox::Ok);
    {
        TFormMain second;
        QSignalSpy quit(&second, &TTemplateMain::QuitRequested);
        second.show();
        QVERIFY(quit.wait(10000) || !quit.isEmpty());
        QCOMPARE(quit.first().first().toInt(), 1);
        QVERIFY(!second.OwnsDataFolder());
        QCOMPARE(box.Caption, QString("Ошибка"));
        // The cause found is named: the folder is held by the first copy.
        QCOMPARE(box.Text, QString("Невозможно получить монопольный доступ к файлам данных!\n\nПапку данных \"%1\" "
                                   "уже использует другая копия программы. Несколько копий программы могут работать "
                                   "одновременно только с разными папками данных (параметр --data-dir).\n\n"
                                   "Программа будет закрыта!")
                               .arg(Q(DataDir())));
        QVERIFY(!second.Command("EditConfig")->isEnabled());
        QCOMPARE(second.Draws().Count(), 0);  // the archive was never loaded
        second.Command("ViewColorDraws")->trigger();
        second.close();
    }
    QVERIFY(FileBytes(WindowSettingsFile()) == frm);
    QVERIFY(FileBytes(data.ArchiveFile()) == ldr);
    QVERIFY(!QFileInfo::exists(Q(ConfigFile())));

    // Once the first copy has ended, the folder is free again.
    first->close();
    first.reset();
    auto next = OpenMainWindow();
    QVERIFY(next->OwnsDataFolder());
    next->close();
    next.reset();

    // A folder where the lock cannot be made (here its name is taken by a folder) is named as
    // not writable.
    std::filesystem::remove(DataLockFile());
    QVERIFY(std::filesystem::create_directory(DataLockFile()));
    ShownBox unwritable;
    AnswerBox(&unwritable, QMessageBox::Ok);
    {
        TFormMain third;
        QSignalSpy quit(&third, &TTemplateMain::QuitRequested);
        third.show();
        QVERIFY(quit.wait(10000) || !quit.isEmpty());
        QVERIFY(!third.OwnsDataFolder());
    }
    QVERIFY2(unwritable.Text.startsWith(QString("Невозможно получить монопольный доступ к файлам данных!\n\nНет "
                                                "доступа на запись к папке данных \"%1\": ").arg(Q(DataDir()))),
             qPrintable(unwritable.Text));
    QVERIFY(unwritable.Text.endsWith("или дайте права на запись в эту папку.\n\nПрограмма будет закрыта!"));
}

void SettingsTest::PlacementFromAnotherResolution() {
    struct Case {
        const char* name;
        int ppi;
        bool applied;
    } cases[] = {
        {"saved at this resolution", CurrentPpi(), true},
        {"saved at another resolution", CurrentPpi() + 24, false},
    };
    for (const auto& c : cases) {
        DataFolder data(TenDraws());
        {
            TWindowSettings s(WindowSettingsFile());
            s.WriteInteger("TFormMain", "ShowCmd", 1);
            s.WriteInteger("TFormMain", "PixelsPerInch", c.ppi);
            s.WriteString("TFormMain", "NormPos", "30,40,730,540");
            s.Save();
        }
        TFormMain w;
        // Without a placement of its own the window takes its first-start size on this screen.
        const QSize designed = FirstStartGeometry(w.screen()->availableGeometry()).size();
        QCOMPARE(w.size(), c.applied ? QSize(700, 500) : designed);
        if (c.applied) QCOMPARE(w.pos(), QPoint(30, 40));
        QVERIFY(QTest::qWaitFor([&] { return w.Initialized(); }));
    }
}

void SettingsTest::ShellCommands() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QVERIFY2(w->windowTitle() == QString("Анализ статистики лотереи \"Velmora 5 из 50\" версия ") + VELMORA_VERSION,
             qPrintable(w->windowTitle()));

    // Every command in its menu, with caption and shortcut.
    auto menuOf = [&](const char* name) { return w->findChild<QMenu*>(name); };
    struct Case {
        const char* command;
        const char* caption;
        const char* menu;
        QKeySequence key;
    } cases[] = {
        {"EditConfig", "Параметры", "mnFile", {}},
        {"ExitProgram", "Выход", "mnFile", QKeySequence(Qt::ALT | Qt::Key_F4)},
        {"GetHelp", "Справка", "mnHelp", QKeySequence(Qt::Key_F1)},
        {"About", "О программе", "mnHelp", {}},
        {"AutoSelfUpdate", "Автоматическое обновление", "mnHelp", {}},
        {"OpenLotoSite", "Сайт лотереи", "mnHelp", {}},
        {"urlMainSite", "Официальный сайт проекта", "mnHelp", {}},
        {"urlBlog", "Наш блог", "mnHelp", {}},
        {"urlYT", "Наш видеоблог", "mnHelp", {}},
        {"urlAuthText", "Статьи для начинающих", "mnHelp", {}},
        {"urlVK", "Страница в соцсети \"В контакте\"", "mnHelp", {}},
        {"urlOK", "Страница в соцсети \"Одноклассники\"", "mnHelp", {}},
        {"urlAuthSite", "Страница автора", "mnHelp", {}},
        {"urlTG", "Канал в Telegram", "mnHelp", {}},
    };
    for (const auto& c : cases) {
        QAction* a = w->Command(c.command);
        QVERIFY2(a, c.command);
        QCOMPARE(PlainCaption(a->text()), QString(c.caption));
        QCOMPARE(a->shortcut(), c.key);
        QVERIFY2(!a->statusTip().isEmpty(), c.command);
        QMenu* menu = menuOf(c.menu);
        QVERIFY(menu);
        QVERIFY2(menu->actions().contains(a), c.command);
    }
    // No help document beside the test program: the help command stays disabled.
    QCOMPARE(w->HelpFile(), QString());
    QVERIFY(!w->Command("GetHelp")->isEnabled());

    // The update switch is written at once.
    QAction* autoUpdate = w->Command("AutoSelfUpdate");
    QVERIFY(autoUpdate->isChecked());
    autoUpdate->trigger();
    QVERIFY(!autoUpdate->isChecked());
    TWindowSettings saved(WindowSettingsFile());
    saved.Load();
    QVERIFY(!saved.ReadBool("TFormMain", "AutoUpdates", true));

    ShownBox about;
    AnswerBox(&about, QMessageBox::Ok);
    w->Command("About")->trigger();
    QCOMPARE(about.Caption, QString("О программе"));
    QVERIFY2(about.Text.contains(VELMORA_VERSION) && about.Text.contains("Velmora"), qPrintable(about.Text));

    // Busy: every command is disabled.
    w->BeginBusy();
    QVERIFY(!w->Command("EditConfig")->isEnabled());
    QVERIFY(!w->Command("About")->isEnabled());
    w->EndBusy();
    QVERIFY(w->Command("EditConfig")->isEnabled());
}

void SettingsTest::FirstRunWindow() {
    DataFolder data(TenDraws());
    {
        TWindowSettings s(WindowSettingsFile());
        s.WriteBool("TFormMain", "FirstRun", true);
        s.Save();
    }
    bool shown = false;
    OnModal<TFormFirstRun>([&](TFormFirstRun* dlg) {
        shown = true;
        QCOMPARE(dlg->windowTitle(), QString("Справочная информация"));
        QVERIFY(!dlg->btnHelp->isEnabled());  // no help file
        dlg->cbDontShow->setChecked(true);
        dlg->accept();
    });
    auto w = OpenMainWindow();
    QVERIFY(shown);
    TWindowSettings saved(WindowSettingsFile());
    saved.Load();
    QVERIFY(!saved.ReadBool("TFormMain", "FirstRun", true));
}

void SettingsTest::Screenshot() {
    DataFolder data(TenDraws());
    WriteIni({"[GLOBAL]", "MatrixCols=7", "MatrixSegments=11122233311122233344455566644455566677788899977788899",
              "[STAKES]", "Cost=1,5", "Profits=3", "Profit_0_Overlap=3", "Profit_0_Profit=5",
              "Profit_1_Overlap=4", "Profit_1_Profit=150", "Profit_2_Overlap=5", "Profit_2_Profit=1000000"});
    auto w = OpenMainWindow();
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    bool saved = false;
    RunConfigDialog(*w, [&](TFormConfig* dlg) {
        dlg->sgSegments->setCurrentCell(2, 3);
        QApplication::processEvents();
        saved = dlg->grab().save(dir + "/config.png");
        dlg->reject();
    });
    QVERIFY(saved);
}

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
