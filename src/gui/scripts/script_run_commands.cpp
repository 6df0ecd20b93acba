// The commands that run the script: "Прогноз" (ScriptRun), "Тест" (ScriptTest) with TFormTestCnt,
// "Стоп" (ScriptStop), the execution log switch and the deletion of the logs, and the switch that
// checks stakes after every line. The run itself is the engine's TScriptRunner; the page is its
// host: status panels, the selected line, message boxes, the interface lock, and the window's
// events handled between steps so that the window repaints and "Стоп" is taken.
#include "gui/scripts/script_page.h"

#include "core/model/data_folder.h"
#include "core/scripts/script_log.h"
#include "core/scripts/script_run.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"

#include <QLabel>
#include "gui/scripts/form_test_cnt.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>

namespace velmora {

class TScriptPage::TRunHost : public TScriptHost {
public:
    explicit TRunHost(TScriptPage& page) : page_(page) {}
    TScriptRunner* Runner = nullptr;

    void Pump() override {
        QCoreApplication::processEvents();
        // Closing the window asks the run to stop, without the question.
        if (page_.Window().ClosePending() && Runner && !Runner->Stopped()) Runner->RequestStop();
    }
    void ShowPanel(TScriptPanel panel, const std::string& text) override {
        QLabel* label = panel == TScriptPanel::Cycle    ? page_.sbCycle
                        : panel == TScriptPanel::Line   ? page_.sbLine
                        : panel == TScriptPanel::Stakes ? page_.sbStakes
                        : panel == TScriptPanel::Filter ? page_.sbFilter
                                                        : page_.sbLast;
        label->setText(Q(text));
        label->repaint();
    }
    void SelectLine(int index) override {
        if (index < 0)
            page_.lvScript->clearSelection();
        else
            page_.SelectLine(index);
    }
    void ShowError(const std::string& message) override { velmora::ShowError(&page_.Window(), MessageText(Q(message))); }
    void ShowAttention(const std::string& message) override {
        ShowWarning(&page_.Window(), MessageText(Q(message)));
    }
    void LockInterface(bool locked) override { page_.LockForRun(locked); }
    void SetDrawsOffset(TDrawsArchive&, int offset) override { page_.Window().SetDrawsOffset(offset); }
    void CombsChanged() override { page_.Window().NotifyCombsChanged(); }
    void StakesChanged(bool scrollToLast) override {
        if (page_.RefreshStakeGrid) page_.RefreshStakeGrid(scrollToLast);
    }
    void OpenLog(const std::string& path) override { TTemplateMain::UrlOpener()(QUrl::fromLocalFile(Q(path))); }
    TProgressSink& Progress() override { return page_.Window().Progress(); }

private:
    TScriptPage& page_;
};

void TScriptPage::AddRunCommands() {
    AddCommand("ScriptRun", tr("Прогноз"), QKeySequence(Qt::Key_F10),
               tr("Выполнить сценарий для текущего тиража и смещения"), &TScriptPage::ScriptRunUpdate,
               &TScriptPage::ScriptRunExecute);
    AddCommand("ScriptTest", tr("Тест"), QKeySequence(Qt::CTRL | Qt::Key_F10),
               tr("Тестирование сценария на основе результатов предыдущих тиражей"), &TScriptPage::ScriptTestUpdate,
               &TScriptPage::ScriptTestExecute);
    AddCommand("ScriptStop", tr("Стоп"), QKeySequence(Qt::CTRL | Qt::Key_X), tr("Остановить выполнение сценария"),
               &TScriptPage::ScriptStopUpdate, &TScriptPage::ScriptStopExecute);
    Window().AllowWhileBusy("ScriptStop");
    AddCommand("LogToggle", tr("Журнал выполнения сценария"), {},
               tr("Создание подробного журнала выполнения сценария для анализа его работы"),
               &TScriptPage::LogToggleUpdate, &TScriptPage::LogToggleExecute, &TScriptPage::LogToggleChecked);
    AddCommand("LogsDelete", tr("Удалить журналы выполнения сценариев"), {},
               tr("Удалить файлы журналов выполнения сценария"), &TScriptPage::LogsDeleteUpdate,
               &TScriptPage::LogsDeleteExecute);
    AddCommand("StakesCheckLine", tr("Проверять ставки после каждой строки сценария"), {},
               tr("Проверять ставки после каждой строки сценария"), &TScriptPage::StakesCheckLineUpdate,
               &TScriptPage::StakesCheckLineExecute, &TScriptPage::StakesCheckLineChecked);
}

bool TScriptPage::ScriptRunUpdate() const {
    return !ScriptRunning() && script_.ScriptLineCount() > 0 && Window().Draws().Count() > 0;
}
void TScriptPage::ScriptRunExecute() { RunScript(0); }

bool TScriptPage::ScriptTestUpdate() const { return ScriptRunUpdate(); }
void TScriptPage::ScriptTestExecute() {
    const int count = AskTestCount(&Window(), Window().Draws().Count() - 1);
    if (count > 0) RunScript(count);
}

bool TScriptPage::ScriptStopUpdate() const { return runner_ && runner_->Running() && !runner_->Stopped(); }
void TScriptPage::ScriptStopExecute() {
    const bool yes = ConfirmStop ? ConfirmStop() : AskConfirmation(&Window(), tr("Остановить выполнение сценария?"));
    if (!yes || !runner_) return;
    runner_->RequestStop();
    Window().UpdateCommands();
}

bool TScriptPage::LogToggleUpdate() const { return !ScriptRunning(); }
bool TScriptPage::LogToggleChecked() const { return logEnabled_; }
void TScriptPage::LogToggleExecute() {
    logEnabled_ = !logEnabled_;
    Window().WriteSwitch("ScriptLogEnabled", logEnabled_);
}

bool TScriptPage::LogsDeleteUpdate() const { return !ScriptRunning(); }
void TScriptPage::LogsDeleteExecute() {
    if (FindScriptLogs(DataDir()).empty()) {
        ShowInformation(&Window(), tr("Файлы журналов не найдены!"));
        return;
    }
    QString error;
    int deleted = 0;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Поиск файлов журналов...")));
        try {
            deleted = DeleteScriptLogs(DataDir());
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
    }
    const QString title = tr("Удаление журналов выполнения сценариев");
    if (error.isEmpty())
        ShowInformation(&Window(), title + "\r\r" + Q(Format(S(tr("Удалено файлов: %d")), {deleted})));
    else
        ShowWarning(&Window(), title + "\r\r" + MessageText(error));
}

bool TScriptPage::StakesCheckLineUpdate() const { return true; }
bool TScriptPage::StakesCheckLineChecked() const { return checkOnLine_; }
void TScriptPage::StakesCheckLineExecute() {
    checkOnLine_ = !checkOnLine_;
    Window().WriteSwitch("StakesCheckOnLine", checkOnLine_);
}

// The pages the run owns wait: the draw archive, the combinations, the statistics and the list.
void TScriptPage::LockForRun(bool locked) {
    for (QTabWidget* tabs : {Window().pcLists, Window().pcMain})
        for (const char* name : {"tsDraws", "tsCombs", "tsDrawsStat"})
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i)->objectName() == name) {
                    tabs->setTabEnabled(i, !locked);
                    tabs->widget(i)->setEnabled(!locked);
                }
    lvScript->setEnabled(!locked);
    Window().UpdateCommands();
}

void TScriptPage::RunScript(int testCount) {
    TStakeFile* stakes = StakeFile ? StakeFile() : nullptr;
    if (!stakes) throw Error(S(tr("Файл ставок не открыт!")));
    const std::vector<std::string> lines = script_.Lines();
    // The filter panel tells the filter under way; between runs it gives its room to the result.
    sbFilter->show();
    struct TFilterPanelHider {
        QLabel* panel;
        ~TFilterPanelHider() {
            panel->clear();
            panel->hide();
        }
    } hideFilterPanel{sbFilter};
    TBusy busy(&Window());
    Window().SetStatusText(tr("Выполнение сценария..."));
    TRunHost host(*this);
    TScriptRunner runner(Window().Draws(), Window().StatList(), Window().Combs(), *stakes, host);
    runner.Settings.Generate = Window().StoredGenerateParams();
    runner.Settings.Compare = Window().PrefetchsEnabled();
    runner.Settings.CheckOnLine = checkOnLine_;
    runner.Settings.LogEnabled = logEnabled_;
    runner.Settings.LogFolder = DataDir();
    runner.Settings.ScrollStakes = StakesScrollEnabled ? StakesScrollEnabled() : true;
    runner.Settings.Check.Config = Window().StatList().Config;
    if (CheckStakes)
        runner.Settings.CheckStakes = [this](TStakeFile&, const TDrawsArchive&, const TStakeCheckOptions&,
                                             TProgressSink&) { CheckStakes(); };
    std::mt19937& random = Random ? Random() : ownRandom_;
    runner.Random = random;
    host.Runner = &runner;
    runner_ = &runner;
    try {
        if (testCount > 0)
            runner.Test(lines, testCount);
        else
            runner.Run(lines);
    } catch (...) {
        runner_ = nullptr;
        LockForRun(false);
        Window().SetStatusText({});
        throw;
    }
    random = runner.Random;  // the next run goes on with the sequence
    runner_ = nullptr;
    Window().NotifyCombsChanged();
    if (RefreshStakeGrid) RefreshStakeGrid(true);
    Window().SetStatusText({});
}

} // namespace velmora
