#include "gui/app/template_main.h"

#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/model/draw_stats_model.h"
#include "gui/model/draws_model.h"
#include "combs/prefetch.h"
#include "model/data_folder.h"
#include "util/format.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
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

} // namespace

TTemplateMain::TTemplateMain(QWidget* parent)
    : QMainWindow(parent), settings_(WindowSettingsFile()) {
    setObjectName("TTemplateMain");
    setWindowTitle(tr("Анализ статистики лотереи \"Velmora 5 из 50\""));
    draws_.FileName = ProductFile(".ldr");
    drawsModel_ = new TDrawsModel(draws_, this);
    progress_ = std::make_unique<TStatusProgress>(this);
    // The stores take their whole capacity at once and are only written when a set is built.
    combs_ = std::make_unique<TCombSet>();
    PrepareStart();

    // A command without a hint of its own shows its caption as the hint.
    AddCommand("DrawsInfo", tr("Сведения о тираже"), {}, tr("Сведения о тираже"), &TTemplateMain::DrawsInfoUpdate,
               &TTemplateMain::DrawsInfoExecute);
    AddCommand("DrawsImport", tr("Импорт из CSV-файла"), {}, tr("Импорт списка тиражей из CSV-файла"),
               &TTemplateMain::DrawsImportUpdate, &TTemplateMain::DrawsImportExecute);
    AddCommand("DrawsExport", tr("Экспорт в CSV-файл"), {}, tr("Экспорт списка тиражей в CSV-файл"),
               &TTemplateMain::DrawsExportUpdate, &TTemplateMain::DrawsExportExecute);
    AddCommand("DrawsAdd", tr("Добавить"), {}, tr("Добавить"), &TTemplateMain::DrawsAddUpdate,
               &TTemplateMain::DrawsAddExecute);
    AddCommand("DrawsEdit", tr("Изменить"), {}, tr("Изменить"), &TTemplateMain::DrawsEditUpdate,
               &TTemplateMain::DrawsEditExecute);
    AddCommand("DrawsDel", tr("Удалить"), {}, tr("Удалить"), &TTemplateMain::DrawsDelUpdate,
               &TTemplateMain::DrawsDelExecute);
    AddCommand("DrawsSorted", tr("Упорядочить MIN->MAX"), {}, tr("Упорядочить MIN->MAX"),
               &TTemplateMain::DrawsSortedUpdate, &TTemplateMain::DrawsSortedExecute,
               &TTemplateMain::DrawsSortedChecked);
    AddCommand("ViewColorDraws", tr("Выделять каналы в списке тиражей"), {},
               tr("Выделять каналы в списке тиражей"), &TTemplateMain::ViewColorDrawsUpdate,
               &TTemplateMain::ViewColorDrawsExecute, &TTemplateMain::ViewColorDrawsChecked);
    AddCombsCommands();
    AddCommand("DrawsStatCalc", tr("Обновить"), {}, tr("Обновить"), &TTemplateMain::DrawsStatCalcUpdate,
               &TTemplateMain::DrawsStatCalcExecute);
    AddCommand("DrawsStatePrefetchsEnabled", tr("Использовать сравнение с полным набором комбинаций"), {},
               tr("Использовать сравнение с полным набором комбинаций"),
               &TTemplateMain::DrawsStatePrefetchsEnabledUpdate, &TTemplateMain::DrawsStatePrefetchsEnabledExecute,
               &TTemplateMain::DrawsStatePrefetchsEnabledChecked);
    AddCommand("DrawsStatShowTotalLine", tr("График идеального распределения"), {},
               tr("График идеального распределения"), &TTemplateMain::DrawsStatShowTotalLineUpdate,
               &TTemplateMain::DrawsStatShowTotalLineExecute, &TTemplateMain::DrawsStatShowTotalLineChecked);
    AddStatFilterCommands();
    AddCommand("ExitProgram", tr("Выход"), QKeySequence(Qt::ALT | Qt::Key_F4), tr("Выход"),
               &TTemplateMain::ExitProgramUpdate, &TTemplateMain::ExitProgramExecute);
    AddCommand("About", tr("О программе"), {}, tr("О программе"), &TTemplateMain::AboutUpdate,
               &TTemplateMain::AboutExecute);
    AddAppCommands();

    pcLists = new QTabWidget;
    pcLists->setObjectName("pcLists");
    tsDraws = CreateDrawsPage();
    pcLists->addTab(tsDraws, tr("Архив тиражей"));
    tsCombs = CreateCombsPage();
    pcLists->addTab(tsCombs, tr("Комбинации"));

    pcMain = new QTabWidget;
    pcMain->setObjectName("pcMain");
    drawsStatModel_ = new TDrawStatsModel(this);
    tsDrawsStat = CreateDrawsStatPage();
    pcMain->addTab(tsDrawsStat, tr("Статистика"));

    fmProgress = new QProgressDialog(this);
    fmProgress->setObjectName("fmProgress");
    fmProgress->setWindowTitle(tr("Подождите пожалуйста..."));
    fmProgress->setCancelButtonText(tr("Стоп"));
    fmProgress->setWindowModality(Qt::WindowModal);
    fmProgress->setAutoReset(false);
    fmProgress->setAutoClose(false);
    fmProgress->setMinimumDuration(0);
    fmProgress->hide();

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

    CreateMenus();
    CreateStatusBar();

    ReadProgramSettings();
    try {
        statList_.Bind(draws_.Draws);
        statList_.Build();
        drawsModel_->SetChannelSize(statList_.Config.ChannelSize);
        drawsStatCache_.Reset();
        RefreshStatSelectors(false, false);
    } catch (const std::exception& e) {
        ShowError(this, Q(Format(S(tr("Ошибка запуска программы!\r\r%s")), {e.what()})));
    }

    AddView([this](bool force) { ComputeDrawStats(force); });

    idleTimer_ = new QTimer(this);
    connect(idleTimer_, &QTimer::timeout, this, &TTemplateMain::UpdateCommands);
    idleTimer_->start(kIdleInterval);
    // Initialisation runs once the event loop has started, so the window is already up.
    QTimer::singleShot(0, this, &TTemplateMain::Initialize);
    resize(900, 640);
}

TTemplateMain::~TTemplateMain() = default;

QAction* TTemplateMain::AddCommand(const QString& name, const QString& caption, const QKeySequence& key,
                                   const QString& hint, UpdateRule update, ExecuteSlot execute, UpdateRule checked) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    a->setStatusTip(hint);
    a->setToolTip(hint);
    a->setCheckable(checked != nullptr);
    connect(a, &QAction::triggered, this, [this, execute] { RunCommand(execute); });
    addAction(a);
    commands_.push_back({a, update, checked});
    return a;
}

QAction* TTemplateMain::Command(const QString& name) const {
    for (const auto& c : commands_)
        if (c.Action->objectName() == name) return c.Action;
    return nullptr;
}

QAction* TTemplateMain::AddCommand(const QString& name, const QString& caption, const QKeySequence& key,
                                   const QString& hint, UpdateRule update, std::function<void()> execute) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    a->setStatusTip(hint);
    a->setToolTip(hint);
    connect(a, &QAction::triggered, this, [this, execute] { RunCommand(execute); });
    addAction(a);
    commands_.push_back({a, update, nullptr});
    return a;
}

void TTemplateMain::RunCommand(const std::function<void()>& execute) {
    try {
        execute();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    UpdateCommands();
}

void TTemplateMain::RunCommand(ExecuteSlot execute) {
    try {
        (this->*execute)();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    UpdateCommands();
}

void TTemplateMain::UpdateCommands() {
    // A copy that does not own the data folder only shows its message and ends.
    const bool idle = IsIdle() && !secondCopy_ && !quitPending_;
    for (const auto& c : commands_) {
        c.Action->setEnabled(idle && (this->*c.Update)());
        if (c.Checked) c.Action->setChecked((this->*c.Checked)());
    }
}

void TTemplateMain::BeginBusy() {
    if (busy_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    UpdateCommands();
}

void TTemplateMain::EndBusy() {
    if (busy_ == 0) return;
    if (--busy_ == 0) QApplication::restoreOverrideCursor();
    UpdateCommands();
}

void TTemplateMain::CreateMenus() {
    auto* file = menuBar()->addMenu(tr("Файл"));
    file->setObjectName("mnFile");
    file->addAction(Command("EditConfig"));
    file->addSeparator();
    file->addAction(Command("ExitProgram"));

    auto* draws = menuBar()->addMenu(tr("Архив тиражей"));
    draws->setObjectName("mnDraws");
    draws->addAction(Command("DrawsInfo"));
    draws->addSeparator();
    draws->addAction(Command("DrawsImport"));
    draws->addAction(Command("DrawsExport"));
    draws->addSeparator();
    draws->addAction(Command("DrawsAdd"));
    draws->addAction(Command("DrawsEdit"));
    draws->addAction(Command("DrawsDel"));
    draws->addSeparator();
    draws->addAction(Command("DrawsSorted"));

    menuBar()->addMenu(CreateCombsMenu());
    auto* stats = menuBar()->addMenu(tr("Статистика"));
    stats->setObjectName("mnStats");
    stats->addAction(Command("DrawsStatCalc"));
    stats->addSeparator();
    stats->addAction(Command("DrawsStatePrefetchsEnabled"));
    stats->addAction(Command("DrawsStatShowTotalLine"));

    auto* view = menuBar()->addMenu(tr("Вид"));
    view->setObjectName("mnView");
    view->addAction(Command("ViewColorDraws"));
    view->addAction(Command("ViewColorCombs"));

    menuBar()->addMenu(CreateHelpMenu());
}

void TTemplateMain::CreateStatusBar() {
    // Panels 0..5 keep their width; panel 6, the status text, takes the rest. Panels of features
    // not present stay hidden until something is written to them.
    static const int widths[6] = {150, 150, 130, 150, 110, 110};
    for (int i = 0; i < 7; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QString("StatusPanel%1").arg(i));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setContentsMargins(4, 0, 4, 0);
        if (i < 6) l->setMinimumWidth(widths[i]);
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
    statusPanels_[panel]->setText(text);
    if (panel >= 3 && panel <= 5 && !text.isEmpty()) statusPanels_[panel]->show();
}

void TTemplateMain::SetStatusText(const QString& text) {
    statusPanels_[kStatusText]->setText(text);
    statusPanels_[kStatusText]->repaint();
}

void TTemplateMain::Initialize() {
    if (initialized_ || quitPending_) return;
    const TStartMode& mode = StartMode();
    try {
        SetStatusText(tr("Инициализация..."));
        setWindowTitle(tr("Анализ статистики лотереи \"Velmora 5 из 50\"") + tr(" версия ") + VELMORA_VERSION);
        SetDrawsOffset(0);
        if (secondCopy_) {
            ReportStartError(
                tr("Невозможно получить монопольный доступ к файлам данных!\r\rВозможные причины данной ошибки: "
                   "\r\r1) Вы пытаетесь запустить вторую копию программы из одного и того же каталога. Корректная "
                   "работа нескольких копий программы возможна только из разных каталогов.\r\r2) Для программы нет "
                   "прав на запись в том каталоге, где она расположена. Например: в Windows 7 и выше по умолчанию "
                   "запрещена запись в c:\\Program Files.\r\rПрограмма будет закрыта!"));
            RequestQuit(1);
            return;
        }
        LoadDraws();
        GenerateStartCombs();
        RecomputeViews(true);
        const bool prefetchMode = mode.FullRecreate || mode.FullRefresh;
        if (mode.LoadOnly) {
            DownloadDrawsAtStart();
            if (!prefetchMode) {
                RequestQuit(0);
                return;
            }
        }
        // The update check at start ("AutoUpdates") comes with the self-update.
        if (mode.FullRecreate) {
            BuildPrefetchFiles(true, kAllPrefetchGroups);
        } else {
            BuildPrefetchFiles(mode.FullRefresh, kNoPrefetchGroups);
        }
        if (prefetchMode) {
            RequestQuit(exitCode_);
            return;
        }
        // The draw download at start ("DownloadDrawsOnStart") comes with the download.
        if (firstRun_) ShowFirstRunWindow();
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
        if (auto p = settings_.ReadPlacement(section, size.width(), size.height(), ppi)) {
            showCmd_ = p->ShowCmd;
            if (p->HasNormPos) {
                QRect r(QPoint(p->NormPos[0], p->NormPos[1]), QPoint(p->NormPos[2] - 1, p->NormPos[3] - 1));
                if (r.isValid()) setGeometry(r);
            }
        }
        leftPanelWidth_ = settings_.ReadInteger(section, "LeftPanelWidth", leftPanelWidth_);
        draws_.Sorted = settings_.ReadBool(section, "SortedDraws", false);
        drawsModel_->SetColorDraws(settings_.ReadBool(section, "ColorDraws", true));
        auto widths = settings_.ReadColumnWidths(section, "lvDraws", drawsModel_->columnCount());
        for (int i = 0; i < int(widths.size()); ++i)
            if (widths[size_t(i)] > 0) lvDraws->setColumnWidth(i, widths[size_t(i)]);
        ReadCombsSettings(section);
        ReadDrawsStatSettings(section);
        ReadAppSettings(section);
    } catch (const std::exception& e) {
        ShowError(this, Q(Format(S(tr("Ошибка загрузки параметров программы!\r\r%s")), {e.what()})));
    }
    splitter->setSizes({leftPanelWidth_, std::max(width() - leftPanelWidth_, 100)});
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
    std::vector<int> widths;
    for (int i = 0; i < drawsModel_->columnCount(); ++i) widths.push_back(lvDraws->columnWidth(i));
    settings_.WriteColumnWidths(section, "lvDraws", widths);
    WriteCombsSettings(section);
    WriteDrawsStatSettings(section);
    settings_.Save();
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
    try {
        // A window that ends before it was ready (a second copy, a command-line mode) leaves the
        // layout of the owner of the folder alone.
        if (!secondCopy_ && initialized_) WriteLayoutSettings();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
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
        if (IsIdle()) statusPanels_[kStatusText]->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

} // namespace velmora
