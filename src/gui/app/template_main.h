// The main window common to every edition: the command table, the busy state, the status bar, the
// window settings and the pages. Commands are QActions named after the command; each has an
// enabling rule <Command>Update and its work <Command>Execute. UpdateCommands is the one place
// that applies every enabling rule: after each command, when the busy state changes, when the
// selection changes and on an idle timer.
//
// The implementation is split by area: template_main.cpp (the shell), template_main_draws.cpp
// (the draw archive page and its commands).
#pragma once

#include "app/window_settings.h"
#include "model/draws_archive.h"
#include "stats/stat_list.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <vector>

class QLabel;
class QMenu;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTableView;
class QTimer;
class QToolButton;

namespace velmora {

class TDrawsModel;

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

    QTabWidget* pcLists;
    QTabWidget* pcMain;
    QSplitter* splitter;
    QWidget* tsDraws;
    QToolButton* btnDrawsAdd;
    QToolButton* btnDrawsDel;
    QSpinBox* edDrawsOffset;
    QTableView* lvDraws;
    QMenu* pmDraws;

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
    bool ExitProgramUpdate() const;
    void ExitProgramExecute();
    bool AboutUpdate() const;
    void AboutExecute();

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
    // Runs a command's work, showing a failure in the error box.
    void RunCommand(ExecuteSlot execute);

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
    void Initialize();
    int FocusedDrawRow() const;
    QString AskFileName(bool save, const QString& caption);

    TDrawsArchive draws_;
    TStatList statList_;
    TWindowSettings settings_;
    TDrawsModel* drawsModel_;
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
