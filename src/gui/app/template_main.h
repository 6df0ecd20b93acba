// The main window common to every edition. It holds only what the pages share; every page is a
// class of its own (TMainPage, gui/app/main_page.h) in the folder of its area (gui/draws,
// gui/combs, gui/stats; later gui/scripts, gui/stakes, gui/ratings, gui/systems, gui/views).
//
// What the window offers the pages:
// - The command table. A page registers each of its commands in its constructor with
//   TMainPage::AddCommand(name, caption, key, hint, &Page::<Command>Update, &Page::<Command>Execute
//   [, &Page::<Command>Checked]): one QAction named as the command, carrying its caption, shortcut
//   and hint. Menus, tool buttons (CommandButton) and pop-up menus show that action; input outside
//   them (a double click, Enter in a field) goes through TriggerCommand. UpdateCommands is the one
//   place that applies every enabling rule and check mark: after each command, when the busy state
//   changes, when a page's selection changes and on an idle timer. A command runs only while the
//   window is idle and its rule holds at that moment; a failure it raises is shown in the error box.
// - The busy state (BeginBusy/EndBusy, TBusy): while an operation runs every command is disabled
//   and the user's input to the window (keys, clicks, wheel, context menus) is held back, because
//   long operations handle window events between their steps (TStatusProgress, TProgressWindow).
//   Closing the window while busy is deferred: the running operation is asked to stop, the close
//   is refused, and the window closes as soon as the operation has ended and every file is written.
// - The status bar (SetStatusText, SetStatusPanel), the progress sink of long operations
//   (Progress) and the progress window of multi-step ones (fmProgress).
// - The window settings file (Settings, WriteSwitch): each page reads and writes its own keys in
//   ReadSettings/WriteSettings.
// - The page controls: AddPage puts a page on the left (pcLists) or the right (pcMain) control;
//   MainMenu gives the menu of the main menu bar a page fills, created in the product's menu order.
// - The shared data and its events: the draw archive (Draws, LoadDraws, SaveDraws, SetDrawsOffset,
//   signal DrawsChanged), the statistic list (StatList, signal StatListChanged), the combination
//   set (Combs, NotifyCombsChanged, signal CombsChanged), the program settings (ApplyConfig, signal
//   ConfigChanged), the full-set distribution files (CreatePrefetchFiles) and the views
//   (RecomputeViews calls every page's RecomputeView). Pages never call each other; a window
//   looks a page up by its class with Page<T>() (the edition's window and the tests do).
//
// A new page plugs in the same way: a class derived from TMainPage in its folder whose constructor
// registers its commands (AddCommand), builds its widgets, fills its menus (Window().MainMenu; a
// new menu gets its place in TMainMenu) and connects to the window's signals for the shared data it
// shows; it overrides the hooks it needs (ReadSettings/WriteSettings, InitializePage at start-up
// after the archive is loaded, RecomputeView); and one line in CreatePages (pages.cpp) adds it.
// What one page offers the others (the statistics selector for the filter dialog, say) becomes a
// function or signal of this window, not a call from page to page.
//
// The implementation: template_main.cpp (the shell: commands, busy state, status bar, pages,
// settings, close, the shared data), template_main_app.cpp (start-up modes, program settings,
// the distribution files, help and web pages), pages.cpp (the list of pages).
#pragma once

#include "core/app/command_line.h"
#include "core/app/config.h"
#include "core/app/window_settings.h"
#include "core/combs/comb_set.h"
#include "core/model/draws_archive.h"
#include "core/stats/stat_list.h"
#include "gui/app/main_page.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QProgressDialog;
class QMenu;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolButton;
class QTimer;
class QUrl;

namespace velmora {

class TMainPage;
class TStatusProgress;
struct TFilterDialogSource;

// The look the lists of the window share: whole rows selected, several at once; read-only; no grid,
// no row headers, one fixed row height (a list of two million rows stays as fast as a short one);
// columns keep their widths; the pop-up menu is the window's own.
void SetupListView(QTableView* v);
// Adds the rows (ascending) to the list's selection in one step, each run of adjacent rows as one
// range, so that selecting many thousand rows stays quick; rows outside the list are skipped.
void SelectListRows(QTableView* v, const std::vector<int>& rows);
// A text button of a page's tool panel that runs the command (caption, hint and enabling follow it).
QToolButton* CommandButton(QWidget* parent, const char* name, QAction* action);
// Column widths of a list from the window settings ("<name>.Column<i>"), and back.
void ReadListColumns(const TWindowSettings& settings, const std::string& section, QTableView* view);
void WriteListColumns(TWindowSettings& settings, const std::string& section, const QTableView* view);

// The window's rectangle at the first start (no placement saved): most of the screen's available
// area, centred.
QRect FirstStartGeometry(const QRect& available);

// The menus of the main menu bar, in the product's order.
enum class TMainMenu { File, Draws, Combs, Stats, Stakes, Ratings, Scripts, View, Help };
// The two page controls: the lists on the left, the analysis pages on the right.
enum class TPageArea { Lists, Main };

class TTemplateMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TTemplateMain(QWidget* parent = nullptr);
    ~TTemplateMain() override;

    // ---- the command table ----
    // Registers a command (pages use TMainPage::AddCommand). checked is given for check commands.
    QAction* AddCommand(const QString& name, const QString& caption, const QKeySequence& key, const QString& hint,
                        std::function<bool()> update, std::function<void()> execute,
                        std::function<bool()> checked = {});
    // The command with that name (nullptr when there is none).
    QAction* Command(const QString& name) const;
    // Applies every enabling rule and every check mark.
    void UpdateCommands();
    // Runs the command when it is enabled now; false when it was not run.
    bool TriggerCommand(const QString& name);
    // The command stays available while the window is busy (the "Стоп" of an operation that owns
    // the busy state, such as a script run); its rule decides alone. Its controls take the user's
    // input while the rest of the window waits: a widget whose property kWhileBusyProperty is true
    // (or inside one) is not held back.
    void AllowWhileBusy(const QString& name);
    static constexpr const char* kWhileBusyProperty = "velmoraWhileBusy";

    // ---- the busy state ----
    // The busy counter: while it is above 0 every command is disabled, the window's input is held
    // back and the cursor is the hourglass.
    void BeginBusy();
    void EndBusy();
    bool IsIdle() const { return busy_ == 0; }
    // True while a close of the window waits for the running operation to end.
    bool ClosePending() const { return closePending_; }

    // ---- the status bar and the progress of long operations ----
    // The status text of the current operation (the last panel), painted at once.
    void SetStatusText(const QString& text);
    // Status panel 0..6 (0..2 belong to the draw archive, 6 is the status text).
    QString StatusPanelText(int panel) const;
    void SetStatusPanel(int panel, const QString& text);
    // The progress sink of long operations (status text, events between steps, stop request).
    TStatusProgress& Progress() { return *progress_; }

    // ---- pages and menus ----
    void AddPage(TMainPage* page, TPageArea area, const QString& caption);
    QMenu* MainMenu(TMainMenu menu);
    // The page of class T; nullptr when the window has none.
    template <class T>
    T* Page() const {
        for (TMainPage* p : pages_)
            if (auto* t = qobject_cast<T*>(p)) return t;
        return nullptr;
    }

    // ---- the window settings ----
    TWindowSettings& Settings() { return settings_; }
    const TWindowSettings& Settings() const { return settings_; }
    // Writes one view switch to the window settings file at once.
    void WriteSwitch(const char* key, bool value);
    // The file dialog of the window's commands (open or save), starting in the folder of the last
    // one; empty when cancelled.
    QString AskFileName(bool save, const QString& caption, const QString& filter, const QString& suffix);
    // True once the initialisation after the first show has run.
    bool Initialized() const { return initialized_; }
    // Shows the window in the saved placement.
    void ShowWindow();

    // ---- the draw archive ----
    TDrawsArchive& Draws() { return draws_; }
    const TDrawsArchive& Draws() const { return draws_; }
    // Load and save with the status text; a failure is shown. The pages follow (DrawsChanged).
    void LoadDraws();
    void SaveDraws();
    // The archive changed in memory (reset: the draws themselves, not only the offset).
    void NotifyDrawsChanged(bool reset);
    void SetDrawsOffset(int k);
    // Recomputes the views that depend on the analysis window (each page decides itself whether
    // its inputs changed, unless forced).
    void RecomputeViews(bool force);
    // The numbers of the draw after the analysis window (marked by views).
    const TNumberSet& FollowingSet() const { return followingSet_; }

    // ---- the statistic list and the combination set ----
    TStatList& StatList() { return statList_; }
    const TStatList& StatList() const { return statList_; }
    // Rebuilds the statistic list keeping the favourites (new settings); StatListChanged follows.
    void ReloadStatList();
    // The combination set with its undo copy, cache and applied-filters log.
    TCombSet& Combs() { return *combs_; }
    const TCombSet& Combs() const { return *combs_; }
    // The set changed: its list, the applied-filters list and status panel 3 follow (CombsChanged).
    void NotifyCombsChanged();
    // The generation parameters kept in the statistic list, and storing new ones there (and in the
    // program settings file).
    TGenerateParams StoredGenerateParams() const;
    void StoreGenerateParams(const TGenerateParams& params);
    // What the filter dialog of a script line offers: the statistics page's selector and sample
    // length (pages.cpp).
    TFilterDialogSource FilterDialogSource() const;
    // The number of latest draws the combination page excludes (the preset of a script line).
    int CombsExcludeCount() const;
    // What the stake commands take from the combination list: the selected row (the current one
    // when it is selected, else the first selected; -1 for none), whether rows are selected, the
    // selected rows ascending, and clearing the selection (pages.cpp).
    int SelectedCombRow() const;
    bool HasCombSelection() const;
    std::vector<int> SelectedCombRows() const;
    void ClearCombSelection();

    // ---- the full-set distribution files ----
    // Builds the distribution files (see CreatePrefetchFiles of the core) with the progress window;
    // a failure is shown.
    void CreatePrefetchFiles(bool force, uint16_t groupMask);
    // The comparison with the full combination set ("PrefetchsEnabled").
    bool PrefetchsEnabled() const { return prefetchsEnabled_; }
    void SetPrefetchsEnabled(bool on);

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
    TProxy& Proxy() { return proxy_; }
    // Puts a new settings block in force: writes the settings file, rebuilds the statistic list,
    // the distribution files of the changed groups (when the comparison is on) and the views.
    void ApplyConfig(const TConfigData& config);
    // Writes the generation parameters kept in the statistic list; a failure is shown.
    void WriteGenerateSettings();
    // ---- interface languages (template_main_app.cpp) ----
    // A language of the menu "Язык интерфейса" chosen: nothing for the current language; else its
    // module must exist (the error box otherwise), "Language" is written to the window settings and
    // the program starts again in it.
    void ChooseLanguage(int32_t lcid);
    // Starts the program again with "restart" (the new copy waits for this one to end) and closes
    // the window. The launcher starts the executable with the arguments; tests replace it.
    void RestartProgram();
    static std::function<bool(const QStringList& args)>& RestartLauncher();
    // The guide of the help document found at start (help/Numora_<ABR>/index.htm; "" when none).
    const QString& HelpFile() const { return helpFile_; }
    // Opens a web page or the help file in the system's viewer; false when there is none (tests
    // replace it).
    static std::function<bool(const QUrl&)>& UrlOpener();

    QTabWidget* pcLists;
    QTabWidget* pcMain;
    QSplitter* splitter;
    QProgressDialog* fmProgress;  // the progress window of long multi-step operations

public slots:
    bool ExitProgramUpdate() const;
    void ExitProgramExecute();
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
    // The draws of the archive changed (reset) or only the offset of the analysis window.
    void DrawsChanged(bool reset);
    // The combination set or its log changed.
    void CombsChanged();
    // The statistic list was rebuilt (new settings): selectors follow it.
    void StatListChanged();
    // A new settings block is in force (channel size, matrix ...); groups: the statistic groups
    // whose values changed.
    void ConfigChanged(uint16_t groups);

protected:
    using UpdateRule = bool (TTemplateMain::*)() const;
    using ExecuteSlot = void (TTemplateMain::*)();

    // A command of the window itself.
    QAction* AddCommand(const QString& name, const QString& caption, const QKeySequence& key, const QString& hint,
                        UpdateRule update, ExecuteSlot execute, UpdateRule checked = nullptr);
    // Builds the window; the edition's constructor then sets its texts and calls ReadWindowSettings.
    // The section of the window settings is the edition's class name.
    void ReadWindowSettings();
    void WriteLayoutSettings();
    QString SettingsSection() const;
    // Asks the program to end with the exit code (see QuitPending).
    void RequestQuit(int exitCode);
    // The draw download of a "loadonly" start; the edition's window brings the download.
    virtual bool DownloadDrawsAtStart() { return true; }
    // The draw download offered at the end of an ordinary start ("DownloadDrawsOnStart").
    virtual void OfferDrawsDownloadAtStart() {}

    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct TCommandItem {
        QAction* Action;
        std::function<bool()> Update;
        std::function<bool()> Checked;
        bool WhileBusy = false;
    };
    class TInputGuard;

    // The pages of this window (pages.cpp).
    void CreatePages();
    void JoinRatings();
    void CreateWindowMenus();
    void CreateStatusBar();
    // Runs a command's work when the window is idle and the rule holds, showing a failure.
    void RunCommand(const TCommandItem& command, const std::function<void()>& execute);
    void Initialize();
    // Start-up steps before the settings are read: the data-folder lock, the "restart" wait, the
    // help file.
    void PrepareStart();
    void AddAppCommands();
    // The menu "Язык интерфейса": one radio item per available language.
    QMenu* CreateLanguageMenu();
    void ReadProgramSettings();
    void ReadAppSettings(const std::string& section);
    // CreatePrefetchFiles of the start-up: in the command-line modes without the window, with the
    // failures on stderr and in the exit code.
    void BuildPrefetchFiles(bool force, uint16_t groupMask);
    // A start-up message: a message box, or stderr in the command-line modes without a window.
    void ReportStartError(const QString& text);
    void ShowFirstRunWindow();
    void OpenWebPage(const char* url);
    // UrlOpener, or the address in a message box when nothing could open it.
    void OpenExternal(const QUrl& url, const QString& address);

    TDrawsArchive draws_;
    TStatList statList_;
    TWindowSettings settings_;
    std::unique_ptr<TStatusProgress> progress_;
    std::unique_ptr<TCombSet> combs_;
    std::vector<TCommandItem> commands_;
    std::vector<TMainPage*> pages_;
    std::vector<std::pair<TMainMenu, QMenu*>> menus_;
    TNumberSet followingSet_;
    QLabel* statusPanels_[7];
    // Panel 6 shows the status text of the running operation; while there is none, the hint of
    // the control under the pointer (cleared when the pointer leaves it or an operation starts).
    QString statusText_;
    QString hintText_;
    void ShowStatusText();
    void ClearStaleHint();
    bool splitterPlaced_ = false;  // the left pages got their width when the window was shown
    QTimer* idleTimer_;
    int busy_ = 0;
    bool closePending_ = false;
    bool destroying_ = false;
    bool initialized_ = false;
    int showCmd_ = 1;
    int leftPanelWidth_ = 420;
    QString lastDir_;

    bool prefetchsEnabled_ = false;
    TDataLock dataLock_;
    bool secondCopy_ = false;  // the data folder was held by another copy at start
    TConfigFile configFile_;
    TProxy proxy_;
    QString helpFile_;
    bool quitPending_ = false;
    int exitCode_ = 0;
    bool autoUpdates_ = true;
    bool firstRun_ = false;
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
