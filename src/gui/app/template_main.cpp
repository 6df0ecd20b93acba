#include "gui/app/template_main.h"
#include "core/update/self_update.h"
#include "gui/update/self_update_command.h"

#include "gui/app/access_keys.h"
#include "gui/app/elided_label.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/stats/draw_stats_model.h"
#include "core/app/help.h"
#include "core/app/languages.h"
#include "core/combs/prefetch.h"
#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/format.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStatusTipEvent>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace velmora {

void SetupListView(QTableView* v) {
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::ExtendedSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setShowGrid(false);
    v->setWordWrap(false);
    v->verticalHeader()->hide();
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 6);
    v->horizontalHeader()->setHighlightSections(false);
    v->horizontalHeader()->setStretchLastSection(false);
    v->setContextMenuPolicy(Qt::CustomContextMenu);
}

void SelectListRows(QTableView* v, const std::vector<int>& rows) {
    QAbstractItemModel* m = v->model();
    const int count = m->rowCount();
    QItemSelection selection;
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        const int first = std::max(rows[i], 0), last = std::min(rows[j], count - 1);
        if (first <= last) selection.select(m->index(first, 0), m->index(last, 0));
        i = j + 1;
    }
    if (!selection.isEmpty())
        v->selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QToolButton* CommandButton(QWidget* parent, const char* name, QAction* action) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setDefaultAction(action);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

namespace {

constexpr int kStatusText = 6;
constexpr int kIdleInterval = 250;  // ms between the idle re-evaluations of the enabling rules
// The least size of the window at the first start: the pages have a table, a chart and a list side
// by side. A smaller screen is taken whole.
constexpr QSize kFirstStartLeast(900, 640);
// The least widths of the status panels 0..5; a longer text widens its panel.
constexpr int kStatusPanelWidths[6] = {150, 150, 130, 150, 110, 110};

} // namespace

TTemplateMain::TTemplateMain(QWidget* parent)
    : QMainWindow(parent), settings_(WindowSettingsFile()) {
    setObjectName("TTemplateMain");
    setWindowTitle(tr("Анализ статистики лотереи \"Velmora 5 из 50\""));
    draws_.FileName = ProductFile(".ldr");
    progress_ = std::make_unique<TStatusProgress>(this);
    // The stores take their whole capacity at once and are only written when a set is built.
    combs_ = std::make_unique<TCombSet>();
    PrepareStart();

    AddCommand("ExitProgram", tr("Выход"), QKeySequence(Qt::ALT | Qt::Key_F4), tr("Выход"),
               &TTemplateMain::ExitProgramUpdate, &TTemplateMain::ExitProgramExecute);
    AddCommand("About", tr("О программе"), {}, tr("О программе"), &TTemplateMain::AboutUpdate,
               &TTemplateMain::AboutExecute);
    AddAppCommands();
    CreateWindowMenus();

    pcLists = new QTabWidget;
    pcLists->setObjectName("pcLists");
    pcMain = new QTabWidget;
    pcMain->setObjectName("pcMain");

    fmProgress = new QProgressDialog(this);
    fmProgress->setObjectName("fmProgress");
    fmProgress->setWindowTitle(tr("Подождите пожалуйста..."));
    fmProgress->setCancelButtonText(tr("Стоп"));
    fmProgress->setWindowModality(Qt::WindowModal);
    fmProgress->setAutoReset(false);
    fmProgress->setAutoClose(false);
    fmProgress->setMinimumDuration(0);
    // A new progress dialog shows itself once its minimum duration has passed, unless it is reset:
    // this one appears only while an operation runs (TProgressWindow).
    fmProgress->reset();
    fmProgress->hide();

    CreateStatusBar();
    CreatePages();

    splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("splitter");
    splitter->addWidget(pcLists);
    splitter->addWidget(pcMain);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    connect(splitter, &QSplitter::splitterMoved, this, [this] {
        if (pcMain->isVisible()) leftPanelWidth_ = pcLists->width();
    });
    setCentralWidget(splitter);

    // The pages have filled the menus: every menu and item gets its access letter.
    QList<QMenu*> menus;
    for (QAction* a : menuBar()->actions())
        if (a->menu()) menus << a->menu();
    for (QMenu* m : findChildren<QMenu*>())
        if (!menus.contains(m)) menus << m;
    AssignAccessKeys(menuBar(), menus);
    EnableMenuBarKeys(this);

    ReadProgramSettings();
    try {
        statList_.Bind(draws_.Draws);
        // The captions of the favourites file are those of the interface language.
        statList_.LanguageAbbr = LanguageAbbreviation(CurrentLanguage());
        statList_.Build();
        try {
            statList_.LoadFavourites(ProductFile(".flt"), true);
        } catch (const std::exception& e) {
            ShowError(this, Q(e.what()));
        }
        emit StatListChanged();
        emit ConfigChanged(kNoPrefetchGroups);
    } catch (const std::exception& e) {
        ShowError(this, Q(Format(S(tr("Ошибка запуска программы!\r\r%s")), {e.what()})));
    }

    idleTimer_ = new QTimer(this);
    connect(idleTimer_, &QTimer::timeout, this, &TTemplateMain::UpdateCommands);
    connect(idleTimer_, &QTimer::timeout, this, &TTemplateMain::ClearStaleHint);
    idleTimer_->start(kIdleInterval);
    // Initialisation runs once the event loop has started, so the window is already up.
    QTimer::singleShot(0, this, &TTemplateMain::Initialize);
    resize(900, 640);
}

TTemplateMain::~TTemplateMain() {
    if (busy_ > 0) qApp->removeEventFilter(this);
    // The pages are destroyed with the window's widgets after this body: what their lists signal
    // while they go must not ask their enabling rules any more.
    destroying_ = true;
    idleTimer_->stop();
    commands_.clear();
}

// ---- the command table ---------------------------------------------------------------------

QAction* TTemplateMain::AddCommand(const QString& name, const QString& caption, const QKeySequence& key,
                                   const QString& hint, std::function<bool()> update, std::function<void()> execute,
                                   std::function<bool()> checked) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    a->setStatusTip(hint);
    a->setToolTip(hint);
    a->setCheckable(bool(checked));
    const size_t index = commands_.size();
    connect(a, &QAction::triggered, this, [this, index, execute = std::move(execute)] { RunCommand(commands_[index], execute); });
    addAction(a);
    commands_.push_back({a, std::move(update), std::move(checked)});
    return a;
}

QAction* TTemplateMain::AddCommand(const QString& name, const QString& caption, const QKeySequence& key,
                                   const QString& hint, UpdateRule update, ExecuteSlot execute, UpdateRule checked) {
    std::function<bool()> isChecked;
    if (checked) isChecked = [this, checked] { return (this->*checked)(); };
    return AddCommand(
        name, caption, key, hint, [this, update] { return (this->*update)(); }, [this, execute] { (this->*execute)(); },
        std::move(isChecked));
}

QAction* TTemplateMain::Command(const QString& name) const {
    for (const auto& c : commands_)
        if (c.Action->objectName() == name) return c.Action;
    return nullptr;
}

void TTemplateMain::AllowWhileBusy(const QString& name) {
    for (auto& c : commands_)
        if (c.Action->objectName() == name) c.WhileBusy = true;
}

bool TTemplateMain::TriggerCommand(const QString& name) {
    UpdateCommands();
    QAction* a = Command(name);
    if (!a || !a->isEnabled()) return false;
    a->trigger();
    return true;
}

void TTemplateMain::RunCommand(const TCommandItem& command, const std::function<void()>& execute) {
    // The rule is asked again: the action may still show the state of the last evaluation (a
    // selection changed since, a trigger from code), and nothing runs while the window is busy.
    if ((!IsIdle() && !command.WhileBusy) || secondCopy_ || quitPending_ || closePending_ || !command.Update()) {
        UpdateCommands();
        return;
    }
    try {
        execute();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    UpdateCommands();
}

void TTemplateMain::UpdateCommands() {
    if (destroying_) return;
    // A copy that does not own the data folder only shows its message and ends.
    const bool idle = IsIdle() && !secondCopy_ && !quitPending_ && !closePending_;
    const bool usable = !secondCopy_ && !quitPending_ && !closePending_;
    for (const auto& c : commands_) {
        c.Action->setEnabled((idle || (c.WhileBusy && usable)) && c.Update());
        if (c.Checked) c.Action->setChecked(c.Checked());
    }
}

// ---- the busy state ------------------------------------------------------------------------

void TTemplateMain::BeginBusy() {
    if (busy_++ == 0) {
        // The hint belonged to the pointer before the operation; the panel is the operation's now.
        hintText_.clear();
        ShowStatusText();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // Long operations handle window events between their steps: the user's input to this
        // window waits until they end (see eventFilter).
        qApp->installEventFilter(this);
    }
    UpdateCommands();
}

void TTemplateMain::EndBusy() {
    if (busy_ == 0) return;
    if (--busy_ == 0) {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
        ShowStatusText();
        // A close asked for during the operation is carried out now, from the event loop, once
        // the command that ran the operation has returned.
        if (closePending_)
            QTimer::singleShot(0, this, [this] {
                if (closePending_ && IsIdle()) close();
            });
    }
    UpdateCommands();
}

bool TTemplateMain::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::TouchBegin:
        break;
    default:
        return false;
    }
    if (IsIdle() || !watched->isWidgetType()) return false;
    // Only this window's own controls wait; the progress window with its "Стоп" and the message
    // boxes are windows of their own.
    auto* w = static_cast<QWidget*>(watched);
    for (QWidget* p = w; p && p != this; p = p->parentWidget())
        if (p->property(kWhileBusyProperty).toBool()) return false;
    return w->window() == this;
}

// ---- pages and menus -----------------------------------------------------------------------

void TTemplateMain::AddPage(TMainPage* page, TPageArea area, const QString& caption) {
    (area == TPageArea::Lists ? pcLists : pcMain)->addTab(page, caption);
    pages_.push_back(page);
}

QMenu* TTemplateMain::MainMenu(TMainMenu id) {
    for (const auto& [m, menu] : menus_)
        if (m == id) return menu;
    static const struct {
        TMainMenu Id;
        const char* Name;
        const char* Caption;
    } kMenus[] = {
        {TMainMenu::File, "mnFile", QT_TR_NOOP("Файл")},
        {TMainMenu::Draws, "mnDraws", QT_TR_NOOP("Архив тиражей")},
        {TMainMenu::Combs, "mnCombs", QT_TR_NOOP("Комбинации")},
        {TMainMenu::Stats, "mnStats", QT_TR_NOOP("Статистика")},
        {TMainMenu::Stakes, "mnStakes", QT_TR_NOOP("Ставки")},
        {TMainMenu::Ratings, "mnRatings", QT_TR_NOOP("Рейтинг")},
        {TMainMenu::Scripts, "mnScripts", QT_TR_NOOP("Сценарий")},
        {TMainMenu::View, "mnView", QT_TR_NOOP("Вид")},
        {TMainMenu::Help, "mnHelp", QT_TR_NOOP("Справка")},
    };
    QMenu* menu = nullptr;
    for (const auto& k : kMenus)
        if (k.Id == id) {
            menu = new QMenu(tr(k.Caption), this);
            menu->setObjectName(k.Name);
        }
    // In the product's order: before the nearest menu that comes after it.
    const std::pair<TMainMenu, QMenu*>* next = nullptr;
    for (const auto& entry : menus_)
        if (entry.first > id && (!next || entry.first < next->first)) next = &entry;
    if (next)
        menuBar()->insertMenu(next->second->menuAction(), menu);
    else
        menuBar()->addMenu(menu);
    menus_.push_back({id, menu});
    return menu;
}

void TTemplateMain::CreateWindowMenus() {
    auto* file = MainMenu(TMainMenu::File);
    file->addAction(Command("EditConfig"));
    file->addMenu(CreateLanguageMenu());
    file->addSeparator();
    file->addAction(Command("ExitProgram"));

    auto* help = MainMenu(TMainMenu::Help);
    help->addAction(Command("GetHelp"));
    help->addSeparator();
    for (const auto& page : kMakerPages) help->addAction(Command(page.Command));
    help->addSeparator();
    help->addAction(Command(kLotterySite.Command));
    help->addSeparator();
    help->addAction(Command("CheckUpdate"));
    help->addAction(Command("AutoSelfUpdate"));
    help->addSeparator();
    help->addAction(Command("About"));
}

void TTemplateMain::CreateStatusBar() {
    // Panels 0..5 keep their width and show their texts whole; panel 6, the status text, takes the
    // rest. Panels of features not present stay hidden until something is written to them.
    for (int i = 0; i < 7; ++i) {
        QLabel* l = i == kStatusText ? new TElidedLabel(this) : new QLabel(this);
        l->setObjectName(QString("StatusPanel%1").arg(i));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setContentsMargins(4, 0, 4, 0);
        if (i < 6) l->setMinimumWidth(kStatusPanelWidths[i]);
        statusBar()->addWidget(l, i == kStatusText ? 1 : 0);
        if (i >= 3 && i <= 5) l->hide();
        statusPanels_[i] = l;
    }
}

QString TTemplateMain::StatusPanelText(int panel) const {
    return panel >= 0 && panel < 7 ? statusPanels_[panel]->text() : QString();
}

void TTemplateMain::SetStatusPanel(int panel, const QString& text) {
    if (panel < 0 || panel >= 7) return;
    QLabel* l = statusPanels_[panel];
    l->setText(text);
    if (panel == kStatusText) return;
    // A fixed panel grows with a longer text and never shrinks below its width.
    l->setMinimumWidth(std::max(kStatusPanelWidths[panel], l->sizeHint().width()));
    if (panel >= 3 && panel <= 5 && !text.isEmpty()) l->show();
}

void TTemplateMain::SetStatusText(const QString& text) {
    statusText_ = text;
    ShowStatusText();
    statusPanels_[kStatusText]->repaint();
}

void TTemplateMain::ShowStatusText() {
    // The operation's status owns the panel; a hint never overwrites it, and it never leaves a
    // hint behind.
    statusPanels_[kStatusText]->setText(statusText_.isEmpty() && IsIdle() ? hintText_ : statusText_);
}

void TTemplateMain::ClearStaleHint() {
    // A hint stays while the pointer is over a control that gives it (or over an open menu, whose
    // items send their own); Leave events are not always delivered (a modal window, a pop-up).
    if (hintText_.isEmpty() || QApplication::activePopupWidget()) return;
    for (QWidget* w = QApplication::widgetAt(QCursor::pos()); w; w = w->parentWidget()) {
        if (w->statusTip() == hintText_) return;
        if (w->isWindow()) break;
    }
    hintText_.clear();
    ShowStatusText();
}

void TTemplateMain::Initialize() {
    if (initialized_ || quitPending_) return;
    const TStartMode& mode = StartMode();
    try {
        SetStatusText(tr("Инициализация..."));
        setWindowTitle(tr("Анализ статистики лотереи \"Velmora 5 из 50\"") + tr(" версия ") + VELMORA_VERSION);
        SetDrawsOffset(0);
        if (secondCopy_) {
            // The cause the lock found: another copy holds the folder, or the folder cannot be
            // written (the lock file cannot be made there).
            const QString cause =
                dataLock_.Busy()
                    ? Q(Format(S(tr("Папку данных \"%s\" уже использует другая копия программы. Несколько копий "
                                    "программы могут работать одновременно только с разными папками данных "
                                    "(параметр --data-dir).")),
                               {DataDir()}))
                    : Q(Format(S(tr("Нет доступа на запись к папке данных \"%s\": %s\rУкажите папку, доступную "
                                    "для записи (параметр --data-dir), или дайте права на запись в эту папку.")),
                               {DataDir(), dataLock_.Message()}));
            ReportStartError(tr("Невозможно получить монопольный доступ к файлам данных!") + "\r\r" + cause +
                             "\r\r" + tr("Программа будет закрыта!"));
            RequestQuit(1);
            return;
        }
        LoadDraws();
        for (TMainPage* page : pages_) page->InitializePage();
        RecomputeViews(true);
        const bool prefetchMode = mode.FullRecreate || mode.FullRefresh;
        if (mode.LoadOnly) {
            // A download that could not read every year ends the batch run with status 1.
            if (!DownloadDrawsAtStart()) exitCode_ = 1;
            if (!prefetchMode) {
                RequestQuit(exitCode_);
                return;
            }
        }
        // The silent update check: an installed update restarts the program.
        if (autoUpdates_ && !closePending_ && RunSelfUpdate(this, true) == UpdateInstalled) return;
        if (mode.FullRecreate) {
            BuildPrefetchFiles(true, kAllPrefetchGroups);
        } else if (!closePending_) {
            BuildPrefetchFiles(mode.FullRefresh, kNoPrefetchGroups);
        }
        if (prefetchMode) {
            RequestQuit(exitCode_);
            return;
        }
        if (!closePending_) OfferDrawsDownloadAtStart();
        // A close that came in during the steps above only waits for them: no new window opens.
        if (firstRun_ && !closePending_ && isVisible()) ShowFirstRunWindow();
    } catch (const std::exception& e) {
        ReportStartError(Q(Format(S(tr("Ошибка инициализации программы!\r\r%s")), {e.what()})));
        if (StartMode().Batch()) {
            RequestQuit(1);
            return;
        }
    }
    SetStatusText(QString());
    initialized_ = true;
    UpdateCommands();
}

QString TTemplateMain::SettingsSection() const {
    QString name = metaObject()->className();
    int p = name.lastIndexOf("::");
    return p >= 0 ? name.mid(p + 2) : name;
}

void TTemplateMain::ReadWindowSettings() {
    try {
        settings_.Load();
        const std::string section = S(SettingsSection());
        QScreen* scr = screen();
        const QSize size = scr ? scr->size() : QSize();
        const int ppi = scr ? int(std::lround(scr->logicalDotsPerInch())) : 96;
        bool placed = false;
        if (auto p = settings_.ReadPlacement(section, size.width(), size.height(), ppi)) {
            showCmd_ = p->ShowCmd;
            if (p->HasNormPos) {
                QRect r(QPoint(p->NormPos[0], p->NormPos[1]), QPoint(p->NormPos[2] - 1, p->NormPos[3] - 1));
                if (r.isValid()) {
                    setGeometry(r);
                    placed = true;
                }
            }
        }
        if (!placed && scr) {
            const QRect available = scr->availableGeometry();
            setGeometry(FirstStartGeometry(available));
            // On a small screen the window opens maximized, so that the window manager fits its
            // frame on the screen too.
            if (available.width() < kFirstStartLeast.width() || available.height() < kFirstStartLeast.height())
                showCmd_ = 3;
        }
        // The lists on the left show all their columns unless that takes most of the window.
        leftPanelWidth_ = std::clamp(pcLists->sizeHint().width(), 300, std::max(300, width() * 45 / 100));
        leftPanelWidth_ = settings_.ReadInteger(section, "LeftPanelWidth", leftPanelWidth_);
        prefetchsEnabled_ = settings_.ReadBool(section, "PrefetchsEnabled", false);
        if (!settings_.ReadBool(section, "PrefetchsInit", false)) {
            // The first start: the comparison starts switched off.
            prefetchsEnabled_ = false;
            settings_.WriteBool(section, "PrefetchsInit", true);
            settings_.WriteBool(section, "PrefetchsEnabled", prefetchsEnabled_);
            settings_.Save();
        }
        for (TMainPage* page : pages_) page->ReadSettings(section);
        ReadAppSettings(section);
    } catch (const std::exception& e) {
        ShowError(this, Q(Format(S(tr("Ошибка загрузки параметров программы!\r\r%s")), {e.what()})));
    }
    splitter->setSizes({leftPanelWidth_, std::max(width() - leftPanelWidth_, 100)});
}

QRect FirstStartGeometry(const QRect& available) {
    // Most of the screen, centred.
    QSize size(available.width() * 19 / 20, available.height() * 19 / 20);
    size = size.expandedTo(kFirstStartLeast).boundedTo(available.size());
    QRect r(QPoint(0, 0), size);
    r.moveCenter(available.center());
    return r;
}

void TTemplateMain::WriteLayoutSettings() {
    const std::string section = S(SettingsSection());
    TWindowPlacement p;
    p.ShowCmd = isMaximized() ? 3 : isMinimized() ? 2 : 1;
    QScreen* scr = screen();
    const QSize size = scr ? scr->size() : QSize();
    p.PixelsPerInch = scr ? int(std::lround(scr->logicalDotsPerInch())) : 96;
    const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
    p.NormPos[0] = r.left();
    p.NormPos[1] = r.top();
    p.NormPos[2] = r.left() + r.width();
    p.NormPos[3] = r.top() + r.height();
    settings_.WritePlacement(section, p, size.width(), size.height());
    if (pcMain->isVisible()) leftPanelWidth_ = pcLists->width();
    settings_.WriteInteger(section, "LeftPanelWidth", leftPanelWidth_);
    for (TMainPage* page : pages_) page->WriteSettings(section);
    settings_.Save();
}

void ReadListColumns(const TWindowSettings& settings, const std::string& section, QTableView* view) {
    const auto widths = settings.ReadColumnWidths(section, S(view->objectName()), view->model()->columnCount());
    for (int i = 0; i < int(widths.size()); ++i)
        if (widths[size_t(i)] > 0) view->setColumnWidth(i, widths[size_t(i)]);
}

void WriteListColumns(TWindowSettings& settings, const std::string& section, const QTableView* view) {
    std::vector<int> widths;
    for (int i = 0; i < view->model()->columnCount(); ++i) widths.push_back(view->columnWidth(i));
    settings.WriteColumnWidths(section, S(view->objectName()), widths);
}

void TTemplateMain::WriteSwitch(const char* key, bool value) {
    settings_.WriteBool(S(SettingsSection()), key, value);
    settings_.Save();
}

void TTemplateMain::ShowWindow() {
    if (showCmd_ == 3)
        showMaximized();
    else
        show();
}

void TTemplateMain::closeEvent(QCloseEvent* event) {
    if (!IsIdle()) {
        // An operation is running (its steps handle window events, so a close request can arrive
        // in the middle): it is asked to stop at its next safe point (see the progress sinks), the
        // close waits for it, and EndBusy closes the window once every file is written. Closing
        // now would free the data folder for another copy and write the layout mid-operation.
        closePending_ = true;
        UpdateCommands();
        event->ignore();
        return;
    }
    closePending_ = false;
    try {
        // A window that ends before it was ready (a second copy, a command-line mode) leaves the
        // layout of the owner of the folder alone.
        if (!secondCopy_ && initialized_) WriteLayoutSettings();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    for (TMainPage* page : pages_) page->ClosePage();
    // Every file is written by now: the folder is free for the next copy.
    dataLock_.Release();
    event->accept();
}

bool TTemplateMain::ExitProgramUpdate() const { return true; }
void TTemplateMain::ExitProgramExecute() { close(); }

bool TTemplateMain::AboutUpdate() const { return true; }
void TTemplateMain::AboutExecute() {
    QMessageBox::about(this, tr("О программе"),
                       tr("Numora for Velmora 5x50") + "\n" + tr("Анализ статистики лотереи \"Velmora 5 из 50\"") +
                           "\n\n" + tr("Версия ") + VELMORA_VERSION);
}

bool TTemplateMain::event(QEvent* e) {
    // Command hints go to the status text panel (while no operation writes there) instead of
    // replacing the whole status bar.
    if (e->type() == QEvent::StatusTip) {
        hintText_ = static_cast<QStatusTipEvent*>(e)->tip();
        ShowStatusText();
        return true;
    }
    if (e->type() == QEvent::Show && !splitterPlaced_) {
        // The window has its final size now: the left pages take their width from it.
        splitterPlaced_ = true;
        splitter->setSizes({leftPanelWidth_, std::max(width() - leftPanelWidth_, 100)});
    }
    if (e->type() == QEvent::Leave && !hintText_.isEmpty()) {
        hintText_.clear();
        ShowStatusText();
    }
    return QMainWindow::event(e);
}

// ---- the shared data ------------------------------------------------------------------------

void TTemplateMain::LoadDraws() {
    if (!FileExists(draws_.FileName)) {
        NotifyDrawsChanged(false);
        return;
    }
    TBusy busy(this);
    SetStatusText(tr("Загрузка файла тиражей..."));
    try {
        draws_.LoadDraws();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    NotifyDrawsChanged(false);
    SetStatusText(QString());
}

void TTemplateMain::SaveDraws() {
    TBusy busy(this);
    SetStatusText(tr("Сохранение файла тиражей..."));
    try {
        draws_.SaveDraws();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    NotifyDrawsChanged(true);
    SetStatusText(QString());
}

void TTemplateMain::NotifyDrawsChanged(bool reset) {
    followingSet_ = draws_.FollowingNumbersSet(draws_.Offset());
    emit DrawsChanged(reset);
    UpdateCommands();
}

void TTemplateMain::SetDrawsOffset(int k) {
    if (!draws_.SetDrawsOffset(k)) {
        // The archive bounds the offset: the pages show the one kept.
        emit DrawsChanged(false);
        return;
    }
    NotifyDrawsChanged(false);
    RecomputeViews(false);
}

void TTemplateMain::RecomputeViews(bool force) {
    for (TMainPage* page : pages_) page->RecomputeView(force);
}

void TTemplateMain::ReloadStatList() {
    try {
        const std::string file = ProductFile(".flt");
        statList_.SaveFavourites(file, true, false);
        statList_.Build();
        statList_.ShowAll();
        statList_.LoadFavourites(file, true);
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    emit StatListChanged();
    UpdateCommands();
}

void TTemplateMain::NotifyCombsChanged() {
    emit CombsChanged();
    UpdateCommands();
}

TGenerateParams TTemplateMain::StoredGenerateParams() const {
    return {statList_.GenerateMode, statList_.GenerateParams};
}

// The one place new default parameters go (the generation dialog with its check box ticked);
// the program settings file is written from here as well.
void TTemplateMain::StoreGenerateParams(const TGenerateParams& params) {
    statList_.GenerateMode = params.Mode;
    statList_.GenerateParams = params.Param;
    WriteGenerateSettings();
}

QString TTemplateMain::AskFileName(bool save, const QString& caption, const QString& filter, const QString& suffix) {
    QFileDialog dlg(this, caption, lastDir_.isEmpty() ? Q(DataDir()) : lastDir_);
    dlg.setObjectName(save ? "SaveDialog" : "OpenDialog");
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setNameFilter(filter);
    dlg.setDefaultSuffix(suffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    lastDir_ = dlg.directory().absolutePath();
    return dlg.selectedFiles().first();
}

} // namespace velmora
