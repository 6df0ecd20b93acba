// The page "Сценарий" (tsScript): the tool panel, the script list lvScript with its status bar
// sbScript, the commands on the script's lines and the line editor. The page keeps the script
// (TScriptList), read from the current script file at start-up and written back after each change.
#pragma once

#include "core/scripts/script_list.h"
#include "gui/app/main_page.h"

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QMenu;
class QStatusBar;
class QTableView;

namespace velmora {

class TScriptModel;

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

private:
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
    QLabel* sbLines_;
};

} // namespace velmora
