// The page "Сценарий" (tsScript): the tool panel, the script list lvScript with its status bar
// sbScript, the commands on the script's lines and the line editor. The page keeps the script
// (TScriptList), read from the current script file at start-up and written back after each change.
#pragma once

#include "core/scripts/script_list.h"
#include "gui/app/main_page.h"

#include <functional>
#include <random>
#include <string>
#include <vector>

class QLabel;
class QMenu;
class QStatusBar;
class QTableView;

namespace velmora {

class TPaneSplitter;
class TScriptLibrary;
class TScriptModel;
class TScriptRunner;
class TStakeFile;

class TScriptPage : public TMainPage {
    Q_OBJECT
public:
    explicit TScriptPage(TTemplateMain& window);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    void InitializePage() override;

    // The script's lines (the run, the catalog and the ratings work on them).
    TScriptList& Script() { return script_; }
    const TScriptList& Script() const { return script_; }
    // The list shows the script again; "Строк: %d" in the status bar.
    void RefreshScriptView();

    QTableView* lvScript;
    QStatusBar* sbScript;
    // The online script catalog under the list, in a splitter ("ScriptLibraryHeight").
    TScriptLibrary* Library() const { return library_; }
    TPaneSplitter* spLibrary;
    QMenu* pmScript;

    bool ScriptOpenUpdate() const;
    void ScriptOpenExecute();
    bool ScriptSaveUpdate() const;
    void ScriptSaveExecute();
    bool ScriptAddUpdate() const;
    void ScriptAddExecute();
    bool ScriptEmptyUpdate() const;
    void ScriptEmptyExecute();
    bool ScriptLoadUpdate() const;
    void ScriptLoadExecute();
    bool ScriptCloneUpdate() const;
    void ScriptCloneExecute();
    bool ScriptEditUpdate() const;
    void ScriptEditExecute();
    bool ScriptDelUpdate() const;
    void ScriptDelExecute();
    bool ScriptClrUpdate() const;
    void ScriptClrExecute();
    bool ScriptUpUpdate() const;
    void ScriptUpExecute();
    bool ScriptDownUpdate() const;
    void ScriptDownExecute();

    // ---- running the script (script_run_commands.cpp) ----
    bool ScriptRunUpdate() const;
    void ScriptRunExecute();
    bool ScriptTestUpdate() const;
    void ScriptTestExecute();
    bool ScriptStopUpdate() const;
    void ScriptStopExecute();
    bool LogToggleUpdate() const;
    bool LogToggleChecked() const;
    void LogToggleExecute();
    bool LogsDeleteUpdate() const;
    void LogsDeleteExecute();
    bool StakesCheckLineUpdate() const;
    bool StakesCheckLineChecked() const;
    void StakesCheckLineExecute();

    // The run under way (nullptr when idle).
    TScriptRunner* Runner() const { return runner_; }
    bool ScriptRunning() const { return runner_ != nullptr; }
    bool LogEnabled() const { return logEnabled_; }
    bool CheckOnLine() const { return checkOnLine_; }
    // The script status panels: "Цикл: %d", "Строка: %d", "Ставок: %d", "Фильтр %d из %d: %s" and
    // the last panel.
    QLabel* sbCycle;
    QLabel* sbLine;
    QLabel* sbStakes;
    QLabel* sbFilter;
    QLabel* sbLast;

    // What the run takes from the other pages (pages.cpp connects them): the stake file, the stake
    // check with the ratings, the stake grid refresh (scrolled to the last row when asked), the
    // switch "StakesScrollEnabled", the random generator of stakes.
    std::function<TStakeFile*()> StakeFile;
    std::function<void()> CheckStakes;
    std::function<void(bool)> RefreshStakeGrid;
    std::function<bool()> StakesScrollEnabled;
    std::function<std::mt19937&()> Random;
    // The confirmation of "Стоп" (tests replace it); the question box by default.
    std::function<bool()> ConfirmStop;

private:
    class TRunHost;
    // Run (count 0) or test over the last count draws.
    void RunScript(int testCount);
    void LockForRun(bool locked);
    void AddRunCommands();

    // The first selected row of the list (the line the commands mean); -1 when none is selected.
    int SelectedLine() const;
    std::vector<int> SelectedLines() const;
    void SelectLine(int row);
    // Runs a change of the script; the view follows, and a failure (the current script file could
    // not be written) is shown after it.
    void ChangeScript(const std::function<void()>& change);
    // The same, returning the failure's text instead of showing it.
    QString TryChangeScript(const std::function<void()>& change);
    // Reads a script file (open or append) with the status text; a failure is shown.
    void LoadScript(const QString& path, bool append);
    // The line editor on a line; true and the new line on OK.
    bool EditLine(const QString& caption, const std::string& line, std::string& result);
    QString ScriptFileFilter() const;

    TScriptList script_;
    TScriptModel* model_;
    TScriptLibrary* library_;
    QLabel* sbLines_;
    TScriptRunner* runner_ = nullptr;
    bool logEnabled_ = false;
    bool checkOnLine_ = true;
    std::mt19937 ownRandom_{std::random_device{}()};
};

} // namespace velmora
