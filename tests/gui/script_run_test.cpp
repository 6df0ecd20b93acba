// Running the script through the real main window: "Прогноз", "Тест" with its dialog, "Стоп"
// during a test, the interface lock while a run is under way, and the log switch.
#include "gui_test_util.h"

#include "core/scripts/script_log.h"
#include "core/scripts/script_run.h"
#include "core/stakes/stake_file.h"
#include "gui/app/qt_text.h"
#include "gui/scripts/form_test_cnt.h"
#include "gui/scripts/script_page.h"
#include "gui/stakes/stakes_page.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>

using namespace velmora;
using namespace velmora::test;

namespace {

TScriptPage* ScriptPage(TTemplateMain& w) { return w.Page<TScriptPage>(); }

// The window with a script of the given lines and a generation of ten numbers (252 combinations).
std::unique_ptr<TFormMain> OpenWithScript(const std::vector<std::string>& lines) {
    auto w = OpenMainWindow(QSize(1200, 700));
    w->StoreGenerateParams(TGenerateParams{kGenerateOnlyMine, "1;2;3;4;5;6;7;8;9;10"});
    ScriptPage(*w)->Script().SetScriptLines(lines);
    ScriptPage(*w)->RefreshScriptView();
    w->pcMain->setCurrentWidget(ScriptPage(*w));
    return w;
}

std::vector<TStakeRecord> Stakes(TTemplateMain& w) {
    std::vector<TStakeRecord> v;
    w.Page<TStakesPage>()->File().ForEachStake([&](int, const TStakeRecord& r) {
        if (r.DrawNumber > 0) v.push_back(r);
    });
    return v;
}

bool TabEnabled(TTemplateMain& w, const char* name) {
    for (QTabWidget* tabs : {w.pcLists, w.pcMain})
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->objectName() == name) return tabs->isTabEnabled(i);
    return false;
}

bool Enabled(TTemplateMain& w, const char* command) { return w.Command(command)->isEnabled(); }

} // namespace

class ScriptRunTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void CommandsOfTheRun();
    void ForecastStakesTheNextDraw();
    void TestOverTheLastDraws();
    void StopDuringATestRestoresTheOffsetAndUnlocks();
    void LogSwitchWritesAndOpensTheLog();
};

void ScriptRunTest::CommandsOfTheRun() {
    DataFolder data(TenDraws());
    auto w = OpenWithScript({});
    struct Row {
        const char* name;
        QString caption, key;
    } rows[] = {
        {"ScriptRun", "Прогноз", "F10"},
        {"ScriptTest", "Тест", "Ctrl+F10"},
        {"ScriptStop", "Стоп", "Ctrl+X"},
        {"LogToggle", "Журнал выполнения сценария", ""},
        {"LogsDelete", "Удалить журналы выполнения сценариев", ""},
        {"StakesCheckLine", "Проверять ставки после каждой строки сценария", ""},
    };
    w->UpdateCommands();
    for (const auto& r : rows) {
        QAction* a = w->Command(r.name);
        QVERIFY2(a, r.name);
        QCOMPARE(a->text().remove('&'), r.caption);
        QCOMPARE(a->shortcut().toString(), r.key);
    }
    // An empty script cannot run; the log commands can be used.
    QVERIFY(!Enabled(*w, "ScriptRun"));
    QVERIFY(!Enabled(*w, "ScriptTest"));
    QVERIFY(!Enabled(*w, "ScriptStop"));
    QVERIFY(Enabled(*w, "LogToggle"));
    QVERIFY(Enabled(*w, "LogsDelete"));
    ShownBox shown;
    auto wait = AnswerBox(&shown, QMessageBox::Ok);
    w->TriggerCommand("LogsDelete");
    StopModal(wait);
    QCOMPARE(shown.Text, QString("Файлы журналов не найдены!"));
}

void ScriptRunTest::ForecastStakesTheNextDraw() {
    DataFolder data(TenDraws());
    auto w = OpenWithScript({"FULL:0#RAND| | | | | | | |a", "", "FULL:0#FIRST|TMF1#NUMS:5#CMV:0#SF:0| | | | | | |b"});
    w->SetDrawsOffset(2);
    w->UpdateCommands();
    QVERIFY(Enabled(*w, "ScriptRun"));
    QVERIFY(w->TriggerCommand("ScriptRun"));
    const auto made = Stakes(*w);
    QCOMPARE(int(made.size()), 2);
    QCOMPARE(made[0].DrawNumber, 9);
    QCOMPARE(Q(made[1].CommentText()), QString("03.001: b @ FULL#FIRST + TMF#NUMS:5#CMV:0#SF:0"));
    QCOMPARE(w->Draws().Offset(), 2);
    TScriptPage* page = ScriptPage(*w);
    QCOMPARE(page->sbLast->text(), QString("Сценарий завершен!"));
    QCOMPARE(page->sbStakes->text(), QString("Ставок: 2"));
    QCOMPARE(page->sbCycle->text(), QString("Цикл: 1"));
    QVERIFY(page->lvScript->isEnabled());
    QVERIFY(!page->ScriptRunning());
    QVERIFY(w->IsIdle());
}

void ScriptRunTest::TestOverTheLastDraws() {
    DataFolder data(TenDraws());
    auto w = OpenWithScript({"FULL:0#RAND| | | | | | | |"});
    int maximum = 0;
    auto wait = OnModal<TFormTestCnt>([&](TFormTestCnt* f) {
        maximum = f->edTestCount->maximum();
        QCOMPARE(f->edTestCount->value(), 9);  // the default 10 is beyond the maximum
        f->edTestCount->setValue(3);
        f->accept();
    });
    QVERIFY(w->TriggerCommand("ScriptTest"));
    StopModal(wait);
    QCOMPARE(maximum, 9);
    const auto made = Stakes(*w);
    QCOMPARE(int(made.size()), 3);
    QCOMPARE(made[0].DrawNumber, 8);
    QCOMPARE(made[2].DrawNumber, 10);
    for (const auto& s : made) QCOMPARE(int(s.Checked), 1);
    QCOMPARE(w->Draws().Offset(), 0);
    QCOMPARE(ScriptPage(*w)->sbCycle->text(), QString("Цикл: 3 из 3 (100 %)"));

    // Cancel: nothing happens.
    wait = OnModal<TFormTestCnt>([](TFormTestCnt* f) { f->reject(); });
    QVERIFY(w->TriggerCommand("ScriptTest"));
    StopModal(wait);
    QCOMPARE(int(Stakes(*w).size()), 3);
}

void ScriptRunTest::StopDuringATestRestoresTheOffsetAndUnlocks() {
    DataFolder data(TenDraws());
    std::vector<std::string> lines(20, "FULL:0#RAND|TMF1#NUMS:5#CMV:0#SF:0| | | | | | |");
    auto w = OpenWithScript(lines);
    TScriptPage* page = ScriptPage(*w);
    int asked = 0;
    page->ConfirmStop = [&] {
        ++asked;
        return true;
    };
    struct Seen {
        bool checked = false, draws = true, combs = true, stats = true, list = true, run = true, stop = false,
             stakesTab = false, idle = true;
        QString filter, cycle;
        bool shot = false;
    } seen;
    // Looks at the window while the run handles its events, and presses "Стоп" in the second pass.
    QTimer probe;
    probe.setInterval(0);
    connect(&probe, &QTimer::timeout, [&] {
        TScriptRunner* r = page->Runner();
        if (!r || r->Cycle() < 2 || w->Draws().Offset() != 2 || page->sbFilter->text().isEmpty()) return;
        probe.stop();
        seen.checked = true;
        seen.draws = TabEnabled(*w, "tsDraws");
        seen.combs = TabEnabled(*w, "tsCombs");
        seen.stats = TabEnabled(*w, "tsDrawsStat");
        seen.stakesTab = TabEnabled(*w, "tsStakes");
        seen.list = page->lvScript->isEnabled();
        seen.run = w->Command("ScriptRun")->isEnabled();
        seen.stop = w->Command("ScriptStop")->isEnabled();
        seen.idle = w->IsIdle();
        seen.filter = page->sbFilter->text();
        seen.cycle = page->sbCycle->text();
        const QString dir = VELMORA_SCREENS;
        QDir().mkpath(dir);
        seen.shot = w->grab().save(dir + "/script_test_running.png");
        // Ctrl+X reaches "Стоп" while the rest of the window's input waits.
        w->activateWindow();
        QTest::qWaitForWindowActive(w.get());
        QTest::keyClick(page->lvScript, Qt::Key_X, Qt::ControlModifier);
    });
    auto wait = OnModal<TFormTestCnt>([&](TFormTestCnt* f) {
        f->edTestCount->setValue(3);
        probe.start();
        f->accept();
    });
    QVERIFY(w->TriggerCommand("ScriptTest"));
    StopModal(wait);
    QVERIFY(seen.checked);
    QVERIFY(!seen.draws && !seen.combs && !seen.stats && !seen.list);
    QVERIFY(seen.stakesTab);
    QVERIFY(!seen.run);
    QVERIFY(seen.stop);
    QVERIFY(!seen.idle);
    QVERIFY(seen.filter.startsWith("Фильтр 1 из 1: "));
    QVERIFY2(seen.cycle.startsWith("Цикл: 2 из 3 ("), qPrintable(seen.cycle));
    QVERIFY(seen.shot);
    QCOMPARE(asked, 1);
    // Stopped in the second pass: the offset is back, the window says so, the interface is back.
    QCOMPARE(w->Draws().Offset(), 0);
    QCOMPARE(DrawsPage(*w)->edDrawsOffset->value(), 0);
    QVERIFY(TabEnabled(*w, "tsDraws") && TabEnabled(*w, "tsCombs") && TabEnabled(*w, "tsDrawsStat"));
    QVERIFY(page->lvScript->isEnabled());
    QCOMPARE(page->sbLast->text(), QString("Тест остановлен, завершено циклов: 1 из 3"));
    // The result has the room of the filter panel, which only a run under way needs, and no time
    // left is told for a test that ended.
    QVERIFY(page->sbFilter->isHidden());
    QVERIFY2(page->sbCycle->text().startsWith("Цикл: 2 из 3 (33 %)"), qPrintable(page->sbCycle->text()));
    QVERIFY(!page->sbCycle->text().contains("осталось"));
    QVERIFY(!page->ScriptRunning());
    w->UpdateCommands();
    QVERIFY(Enabled(*w, "ScriptRun"));
    QVERIFY(!Enabled(*w, "ScriptStop"));
    const int made = int(Stakes(*w).size());
    QVERIFY(made >= 20 && made < 60);
    // The stake grid after the test.
    w->pcMain->setCurrentWidget(w->Page<TStakesPage>());
    QApplication::processEvents();
    QVERIFY(w->grab().save(QString(VELMORA_SCREENS) + "/script_test_stakes.png"));
}

void ScriptRunTest::LogSwitchWritesAndOpensTheLog() {
    DataFolder data(TenDraws());
    auto w = OpenWithScript({"FULL:0#RAND| | | | | | | |"});
    QStringList opened;
    auto saved = TTemplateMain::UrlOpener();
    TTemplateMain::UrlOpener() = [&](const QUrl& url) {
        opened << url.toLocalFile();
        return true;
    };
    QVERIFY(!w->Command("LogToggle")->isChecked());
    QVERIFY(w->TriggerCommand("LogToggle"));
    QVERIFY(w->Command("LogToggle")->isChecked());
    TWindowSettings settings(WindowSettingsFile());
    settings.Load();
    QVERIFY(settings.ReadBool("TFormMain", "ScriptLogEnabled", false));
    QVERIFY(w->TriggerCommand("ScriptRun"));
    TTemplateMain::UrlOpener() = saved;
    QCOMPARE(opened.size(), 1);
    QVERIFY(QFileInfo(opened[0]).fileName().startsWith("ScriptLog_"));
    QCOMPARE(int(FindScriptLogs(DataDir()).size()), 1);
    ShownBox shown;
    auto wait = AnswerBox(&shown, QMessageBox::Ok);
    QVERIFY(w->TriggerCommand("LogsDelete"));
    StopModal(wait);
    QCOMPARE(shown.Text, QString("Удаление журналов выполнения сценариев\n\nУдалено файлов: 1"));
    QVERIFY(FindScriptLogs(DataDir()).empty());
}

QTEST_MAIN(ScriptRunTest)
#include "script_run_test.moc"
