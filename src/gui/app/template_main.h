// The main window common to every edition: the command table, the busy state, the status bar, the
// window settings and the pages. Commands are QActions named after the command; each has an
// enabling rule <Command>Update and its work <Command>Execute. UpdateCommands is the one place
// that applies every enabling rule: after each command, when the busy state changes, when the
// selection changes and on an idle timer.
//
// The implementation is split by area: template_main.cpp (the shell), template_main_draws.cpp
// (the draw archive page and its commands), template_main_combs.cpp (the combination page and
// its commands), template_main_stats.cpp (the statistics page), template_main_filters.cpp (the
// statistic filters), template_main_app.cpp (start-up modes, program settings, help and web pages).
#pragma once

#include "app/command_line.h"
#include "app/config.h"
#include "app/window_settings.h"
#include "combs/comb_set.h"
#include "combs/draw_stats.h"
#include "model/draws_archive.h"
#include "stats/stat_list.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QChartView;
class QComboBox;
class QLabel;
class QProgressDialog;
class QMenu;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolButton;
class QTimer;
class QToolButton;

namespace velmora {

class TCombsModel;
class TDrawsModel;
class TEnterSpinBox;
class TFiltersModel;
class TPaneSplitter;
class TStatusProgress;
class TDrawStatsModel;
struct TFilterDialogSource;

// The look the lists of the window share: whole rows selected, several at once; read-only; no grid,
// no row headers, one fixed row height (a list of two million rows stays as fast as a short one);
// columns keep their widths; the pop-up menu is the window's own.
void SetupListView(QTableView* v);
// A text button of a page's tool panel that runs the command (caption, hint and enabling follow it).
QToolButton* CommandButton(QWidget* parent, const char* name, QAction* action);

class TTemplateMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TTemplateMain(QWidget* parent = nullptr);
    ~TTemplateMain() override;

    // The command with that name (nullptr when there is none).
    QAction* Command(const QString& name) const;
    // Applies every enabling rule and every check mark.
    void UpdateCommands();

    // The busy counter: while it is above 0 every command is disabled and the cursor is the hourglass.
    void BeginBusy();
    void EndBusy();
    bool IsIdle() const { return busy_ == 0; }

    // The status text of the current operation (the last panel), painted at once.
    void SetStatusText(const QString& text);
    // Status panel 0..6 (0..2 belong to the draw archive, 6 is the status text).
    QString StatusPanelText(int panel) const;
    void SetStatusPanel(int panel, const QString& text);

    // True once the initialisation after the first show has run.
    bool Initialized() const { return initialized_; }
    // Shows the window in the saved placement.
    void ShowWindow();

    TDrawsArchive& Draws() { return draws_; }
    TStatList& StatList() { return statList_; }
    const TWindowSettings& Settings() const { return settings_; }

    // The draw archive: load, save (then the list and status bar are refreshed), offset, views.
    void LoadDraws();
    void SaveDraws();
    void RefreshDrawList(bool force);
    void SetDrawsOffset(int k);
    // Recomputes the views that depend on the analysis window (each view decides itself whether
    // its inputs changed, unless forced).
    void RecomputeViews(bool force);
    void AddView(std::function<void(bool force)> recompute);
    // The numbers of the draw after the analysis window (marked by views).
    const TNumberSet& FollowingSet() const { return followingSet_; }

    // The progress sink of long operations (status text, events between steps, stop request).
    TStatusProgress& Progress() { return *progress_; }

    // The combination set with its undo copy, cache and applied-filters log.
    TCombSet& Combs() { return *combs_; }
    // The list, the applied-filters list and status panel 3 follow the set again.
    void UpdateCombList();
    // The generation parameters kept in the statistic list, and storing new ones there.
    TGenerateParams StoredGenerateParams() const;
    void StoreGenerateParams(const TGenerateParams& params);
    // Builds the set from the stored parameters (start-up); an error is shown and leaves it empty.
    void GenerateStartCombs();
    // The page "Статистика" (template_main_stats.cpp): the statistic selectors, the draw
    // statistics table of the selected statistic and its chart, the full-set distribution files.
    void RefreshStatSelectors(bool reload, bool keepIndex);
    // (Re)computes the table and chart; unless forced, only when the archive length, the offset,
    // the sample length or the selected statistic changed since the last computation.
    void ComputeDrawStats(bool force);
    // The texts of a row of the table (in the table's current order); all empty for no row.
    TStatValues RowToStatValues(int row) const;
    // The list index of the statistic selected in cbDrawsStatType; -1 when none.
    int SelectedStatMethod() const;
    // Builds the distribution files (see CreatePrefetchFiles of the core) with the progress window;
    // a failure is shown.
    void CreatePrefetchFiles(bool force, uint16_t groupMask);
    bool PrefetchsEnabled() const { return prefetchsEnabled_; }
    const TDrawStatsModel* DrawsStatModel() const { return drawsStatModel_; }
    const TDrawStatsTable& DrawsStatTable() const { return drawsStat_; }

    // ---- statistic filters (template_main_filters.cpp) ----
    // Filters the combination set by the rows selected in the statistics table: keeps (remove =
    // false) or deletes (true) the combinations having one of their values, judged by stat or,
    // when none is given, by a fresh instance of the statistic selected in cbDrawsStatType. The
    // caller saves the undo copy first. No selected row changes nothing. The list, its log, the
    // status text and the busy state follow also when the step fails; the failure is raised
    // again for the caller to show.
    void ApplyStatFilter(TCustomStat* stat, bool remove);
    // The selected rows of the statistics table, ascending.
    std::vector<int> SelectedStatRows() const;
    // The statistic selector and the sample length as the filter dialog offers them.
    TFilterDialogSource FilterDialogSource() const;

    // ---- start-up, program settings, help (template_main_app.cpp) ----
    // The command-line words of this run; the program entry sets them before creating the window.
    static TStartMode& StartMode();
    // True once the window asked the program to end (a command-line mode finished, the data folder
    // is held by another copy, another copy still runs at "restart"); QuitRequested carried the
    // exit code, or, before the event loop runs, the program entry reads ExitCode.
    bool QuitPending() const { return quitPending_; }
    int ExitCode() const { return exitCode_; }
    // False when another copy of the program held the data folder at start (nothing is written
    // then), and once the window has closed.
    bool OwnsDataFolder() const { return dataLock_.Held(); }
    // The program settings file and the proxy read from it.
    TConfigFile& ProgramSettings() { return configFile_; }
    const TProxy& Proxy() const { return proxy_; }
    // Puts a new settings block in force: writes the settings file, rebuilds the statistic list,
    // the distribution files of the changed groups (when the comparison is on) and the views.
    void ApplyConfig(const TConfigData& config);
    // Writes the generation parameters kept in the statistic list; a failure is shown.
    void WriteGenerateSettings();
    // The help file found at start (it may not exist).
    const QString& HelpFile() const { return helpFile_; }

    QTabWidget* pcLists;
    QTabWidget* pcMain;
    QSplitter* splitter;
    QWidget* tsDraws;
    QToolButton* btnDrawsAdd;
    QToolButton* btnDrawsDel;
    QSpinBox* edDrawsOffset;
    QTableView* lvDraws;
    QMenu* pmDraws;
    QWidget* tsCombs;
    QToolButton* btnCombsGen;
    QToolButton* btnCombsDelExists;
    TEnterSpinBox* edCombsExclude;
    TPaneSplitter* spCombs;
    QTableView* lvCombs;
    QTableView* lvFilters;
    QMenu* pmCombs;
    QWidget* tsDrawsStat;
    QComboBox* cbDrawsStatType;
    TEnterSpinBox* edDrawsStatLen;
    QToolButton* btnDrawsStatCalc;
    QToolButton* btnStatFilterInclude;
    QToolButton* btnStatFilterExclude;
    TPaneSplitter* splDrawsStat;
    QTableView* lvDrawsStat;
    QChartView* crtDrawsStat;
    QMenu* pmDrawsStat;
    QProgressDialog* fmProgress;  // the progress window of long multi-step operations

public slots:
    bool DrawsInfoUpdate() const;
    void DrawsInfoExecute();
    bool DrawsImportUpdate() const;
    void DrawsImportExecute();
    bool DrawsExportUpdate() const;
    void DrawsExportExecute();
    bool DrawsAddUpdate() const;
    void DrawsAddExecute();
    bool DrawsEditUpdate() const;
    void DrawsEditExecute();
    bool DrawsDelUpdate() const;
    void DrawsDelExecute();
    bool DrawsSortedUpdate() const;
    bool DrawsSortedChecked() const;
    void DrawsSortedExecute();
    bool ViewColorDrawsUpdate() const;
    bool ViewColorDrawsChecked() const;
    void ViewColorDrawsExecute();
    bool CombsGenUpdate() const;
    void CombsGenExecute();
    bool CombsOpenUpdate() const;
    void CombsOpenExecute();
    bool CombsSaveUpdate() const;
    void CombsSaveExecute();
    bool CombsUndoUpdate() const;
    void CombsUndoExecute();
    bool CombsDelSelectedUpdate() const;
    void CombsDelSelectedExecute();
    bool CombsDelExistsUpdate() const;
    void CombsDelExistsExecute();
    bool CombsCopyUpdate() const;
    void CombsCopyExecute();
    bool CombsPasteUpdate() const;
    void CombsPasteExecute();
    bool CombsSelectAllUpdate() const;
    void CombsSelectAllExecute();
    bool CombsCheckNumsUpdate() const;
    void CombsCheckNumsExecute();
    bool CombsFindInDrawsUpdate() const;
    void CombsFindInDrawsExecute();
    bool CombsInfoUpdate() const;
    void CombsInfoExecute();
    bool ViewColorCombsUpdate() const;
    bool ViewColorCombsChecked() const;
    void ViewColorCombsExecute();
    bool ExitProgramUpdate() const;
    void ExitProgramExecute();
    bool DrawsStatCalcUpdate() const;
    void DrawsStatCalcExecute();
    bool DrawsStatePrefetchsEnabledUpdate() const;
    bool DrawsStatePrefetchsEnabledChecked() const;
    void DrawsStatePrefetchsEnabledExecute();
    bool DrawsStatShowTotalLineUpdate() const;
    bool DrawsStatShowTotalLineChecked() const;
    void DrawsStatShowTotalLineExecute();
    bool StatFilter_IncludeUpdate() const;
    void StatFilter_IncludeExecute();
    bool StatFilter_ExcludeUpdate() const;
    void StatFilter_ExcludeExecute();
    bool AboutUpdate() const;
    void AboutExecute();
    bool EditConfigUpdate() const;
    void EditConfigExecute();
    bool GetHelpUpdate() const;
    void GetHelpExecute();
    bool AutoSelfUpdateUpdate() const;
    bool AutoSelfUpdateChecked() const;
    void AutoSelfUpdateExecute();

signals:
    void QuitRequested(int exitCode);

protected:
    using UpdateRule = bool (TTemplateMain::*)() const;
    using ExecuteSlot = void (TTemplateMain::*)();

    // Builds the window; the edition's constructor then sets its texts and calls ReadWindowSettings.
    // The section of the window settings is the edition's class name.
    QAction* AddCommand(const QString& name, const QString& caption, const QKeySequence& key, const QString& hint,
                        UpdateRule update, ExecuteSlot execute, UpdateRule checked = nullptr);
    void SetDrawListCaptions(const QStringList& captions);
    void ReadWindowSettings();
    void WriteLayoutSettings();
    // Writes one view switch to the window settings file at once.
    void WriteSwitch(const char* key, bool value);
    QString SettingsSection() const;
    // A command whose work is a function (the web-page commands).
    QAction* AddCommand(const QString& name, const QString& caption, const QKeySequence& key, const QString& hint,
                        UpdateRule update, std::function<void()> execute);
    // Runs a command's work, showing a failure in the error box.
    void RunCommand(ExecuteSlot execute);
    void RunCommand(const std::function<void()>& execute);
    // Asks the program to end with the exit code (see QuitPending).
    void RequestQuit(int exitCode);
    // The draw download of a "loadonly" start; the edition's window brings the download.
    virtual void DownloadDrawsAtStart() {}

    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* e) override;

private:
    struct TCommandItem {
        QAction* Action;
        UpdateRule Update;
        UpdateRule Checked;
    };

    void CreateMenus();
    void CreateStatusBar();
    QWidget* CreateDrawsPage();
    void AddCombsCommands();
    QWidget* CreateCombsPage();
    QMenu* CreateCombsMenu();
    void ReadCombsSettings(const std::string& section);
    void WriteCombsSettings(const std::string& section);
    QWidget* CreateDrawsStatPage();
    void AddStatFilterCommands();
    void ReadDrawsStatSettings(const std::string& section);
    void WriteDrawsStatSettings(const std::string& section);
    void FillDrawsStatChart();
    void ShowPrefetchColumns();
    void Initialize();
    // Start-up steps before the settings are read: the data-folder lock, the "restart" wait, the
    // help file.
    void PrepareStart();
    void AddAppCommands();
    QMenu* CreateHelpMenu();
    void ReadProgramSettings();
    void ReadAppSettings(const std::string& section);
    // CreatePrefetchFiles of the start-up: in the command-line modes without the window, with the
    // failures on stderr and in the exit code.
    void BuildPrefetchFiles(bool force, uint16_t groupMask);
    // A start-up message: a message box, or stderr in the command-line modes without a window.
    void ReportStartError(const QString& text);
    void ShowFirstRunWindow();
    void OpenWebPage(const char* url);
    int FocusedDrawRow() const;
    int FocusedCombRow() const;
    // The selected rows of the combination list, ascending, each once.
    std::vector<int> SelectedCombRows() const;
    QString AskFileName(bool save, const QString& caption);
    QString AskFileName(bool save, const QString& caption, const QString& filter, const QString& suffix);

    TDrawsArchive draws_;
    TStatList statList_;
    TWindowSettings settings_;
    TDrawsModel* drawsModel_;
    std::unique_ptr<TStatusProgress> progress_;
    std::unique_ptr<TCombSet> combs_;
    TCombsModel* combsModel_;
    TFiltersModel* filtersModel_;
    bool clipboardHasText_ = false;  // followed through the clipboard's change signal
    std::vector<TCommandItem> commands_;
    std::vector<std::function<void(bool)>> views_;
    bool suppressViews_ = false;
    TNumberSet followingSet_;
    QLabel* statusPanels_[7];
    QTimer* idleTimer_;
    int busy_ = 0;
    bool initialized_ = false;
    int showCmd_ = 1;
    int leftPanelWidth_ = 420;
    QString lastDir_;

    TDrawStatsModel* drawsStatModel_;
    TDrawStatsTable drawsStat_;
    TDrawStatsCache drawsStatCache_;
    bool prefetchsEnabled_ = false;
    bool showTotalLine_ = true;
    bool computingStats_ = false;
    TDataLock dataLock_;
    bool secondCopy_ = false;  // the data folder was held by another copy at start
    TConfigFile configFile_;
    TProxy proxy_;
    QString helpFile_;
    bool quitPending_ = false;
    int exitCode_ = 0;
    bool autoUpdates_ = true;
    bool firstRun_ = false;
    int language_ = 1033;
};

// RAII for BeginBusy / EndBusy.
class TBusy {
public:
    explicit TBusy(TTemplateMain* w) : w_(w) { w_->BeginBusy(); }
    ~TBusy() { w_->EndBusy(); }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    TTemplateMain* w_;
};

} // namespace velmora
