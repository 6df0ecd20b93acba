// The main window's life outside its pages: the start-up guards and modes of the command line, the
// program settings and the command "Параметры", the help file, the web pages and the first-run
// window.
#include "core/app/help.h"
#include "core/app/languages.h"
#include "core/util/translate.h"
#include "core/combs/prefetch.h"
#include "gui/app/form_config.h"
#include "gui/app/form_first_run.h"
#include "gui/app/messages.h"
#include "gui/app/progress_window.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/update/self_update_command.h"
#include "gui/help/form_help.h"

#include "core/net/web_settings.h"
#include "core/model/data_folder.h"
#include "core/model/game.h"
#include "core/util/format.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QProcess>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProgressDialog>
#include <QUrl>
#include <cstdio>

namespace velmora {


namespace {

// How long a copy started by "restart" waits for the data folder while the one before closes.
constexpr int kRestartLockWaitMs = 60000;

} // namespace

TStartMode& TTemplateMain::StartMode() {
    static TStartMode mode;
    return mode;
}

void TTemplateMain::RequestQuit(int exitCode) {
    quitPending_ = true;
    exitCode_ = exitCode;
    UpdateCommands();
    emit QuitRequested(exitCode);
}

void TTemplateMain::ReportStartError(const QString& text) {
    if (StartMode().Batch()) {
        const std::string line = S(MessageText(text)) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        return;
    }
    ShowError(this, text);
}

void TTemplateMain::PrepareStart() {
    // The data folder belongs to one copy of the program. The lock is taken before anything is
    // read, so that a second copy never writes; it reports the failure when it initialises.
    // After "restart" the copy that started this one may still hold it while it closes.
    if (!dataLock_.Acquire(DataLockFile(), StartMode().Restart ? kRestartLockWaitMs : 0)) {
        secondCopy_ = true;
        settings_.SetReadOnly(true);
    } else {
        // What writes interrupted last time (a crash, a power cut) left behind goes first. A sweep
        // that fails leaves the files for the next start; the data files themselves are whole.
        try {
            RemoveStaleDataTempFiles();
        } catch (const std::exception&) {
        }
    }
    if (StartMode().Restart && !WaitForOtherProcesses(ExecutableName())) {
        RequestQuit(1);
        return;
    }
    // The guide of the interface language (the Russian one when that language has none); the statistic
    // topics are looked up beside it.
    const std::string helpDir =
        HelpFolderOverride().isEmpty() ? FindHelpDir(ExecutableDir()) : S(HelpFolderOverride());
    helpFile_ = Q(FindGuideInDir(helpDir, LanguageAbbreviation(CurrentLanguage())));
    velmora::HelpFile() = S(helpFile_);
}

void TTemplateMain::AddAppCommands() {
    AddCommand("EditConfig", tr("Параметры"), {}, tr("Параметры"), &TTemplateMain::EditConfigUpdate,
               &TTemplateMain::EditConfigExecute);
    AddCommand("GetHelp", tr("Справка"), QKeySequence(Qt::Key_F1), tr("Справка"), &TTemplateMain::GetHelpUpdate,
               &TTemplateMain::GetHelpExecute);
    AddCommand("AutoSelfUpdate", tr("Автоматическое обновление"), {}, tr("Автоматическое обновление"),
               &TTemplateMain::AutoSelfUpdateUpdate, &TTemplateMain::AutoSelfUpdateExecute,
               &TTemplateMain::AutoSelfUpdateChecked);
    AddCommand("CheckUpdate", tr("Поиск обновлений"), {}, tr("Поиск обновлений"), [] { return true; },
               [this] { RunSelfUpdate(this, false); });
    for (const TWebPage* page : [] {
             std::vector<const TWebPage*> pages{&kLotterySite};
             for (const auto& p : kMakerPages) pages.push_back(&p);
             return pages;
         }()) {
        const char* url = page->Url;
        AddCommand(
            page->Command, Q(TrText(page->Caption)), {}, Q(TrText(page->Caption)), [] { return true; }, [this, url] { OpenWebPage(url); });
    }
}

void TTemplateMain::ReadAppSettings(const std::string& section) {
    autoUpdates_ = settings_.ReadBool(section, "AutoUpdates", true);
    firstRun_ = settings_.ReadBool(section, "FirstRun", false);
    // "Language" was read before the window was built (the program entry applies it).
}

void TTemplateMain::ReadProgramSettings() {
    SetStatusText(tr("Загрузка файла конфигурации..."));
    try {
        configFile_.Load();
    } catch (const std::exception& e) {
        // The copy in memory is empty then: every setting takes its default.
        ShowError(this, Q(Format(S(tr("Ошибка чтения файла конфигурации!\r\r%s")), {e.what()})));
    }
    ApplyConfigFile(configFile_.Ini(), statList_);
    proxy_ = LoadProxySettings(configFile_.Ini());
    SetStatusText(QString());
}

void TTemplateMain::WriteGenerateSettings() {
    if (secondCopy_) return;
    SetStatusText(tr("Сохранение файла конфигурации..."));
    try {
        configFile_.WriteGenerateParams(StoredGenerateParams());
    } catch (const std::exception& e) {
        SetStatusText(QString());
        ShowError(this, Q(Format(S(tr("Ошибка записи в файл конфигурации!\r\r%s")), {e.what()})));
    }
    SetStatusText(QString());
}

void TTemplateMain::BuildPrefetchFiles(bool force, uint16_t groupMask) {
    if (!StartMode().Batch()) {
        CreatePrefetchFiles(force, groupMask);
        return;
    }
    // Without a window: failures go to stderr and into the exit code.
    if (!force && !prefetchsEnabled_) return;
    TPrefetchBuildResult result;
    {
        TBusy busy(this);
        result = velmora::CreatePrefetchFiles(statList_, force, prefetchsEnabled_, groupMask, Progress());
        SetStatusText(QString());
    }
    for (const auto& e : result.Errors) ReportStartError(Q(e));
    if (!result.Errors.empty()) exitCode_ = 1;
}

void TTemplateMain::CreatePrefetchFiles(bool force, uint16_t groupMask) {
    if (!force && !prefetchsEnabled_) return;
    TPrefetchBuildResult result;
    {
        TBusy busy(this);
        TProgressWindow progress(this, fmProgress, tr("Создание файлов для полного набора комбинаций..."));
        result = velmora::CreatePrefetchFiles(statList_, force, prefetchsEnabled_, groupMask, progress);
    }
    // A failure of one file is usually a failure of them all (the folder): the first one is shown.
    if (!result.Errors.empty()) ShowError(this, Q(result.Errors.front()));
}

void TTemplateMain::SetPrefetchsEnabled(bool on) {
    prefetchsEnabled_ = on;
    WriteSwitch("PrefetchsEnabled", prefetchsEnabled_);
}

void TTemplateMain::ApplyConfig(const TConfigData& config) {
    const uint16_t mask = ConfigChangeGroups(statList_.Config, config);
    statList_.Config = config;
    statList_.SaveRatingWeights();
    {
        TBusy busy(this);
        SetStatusText(tr("Сохранение файла конфигурации..."));
        QString error;
        try {
            configFile_.WriteConfig(config);
        } catch (const std::exception& e) {
            error = Q(Format(S(tr("Ошибка записи в файл конфигурации!\r\r%s")), {e.what()}));
        }
        SetStatusText(QString());
        // The new values stay in force even when the file could not be written.
        if (!error.isEmpty()) ShowError(this, error);
    }
    // The parameter ranges of the channel, matrix and segment statistics follow the settings; then
    // the pages (the distribution files of the changed groups, the channel colours), then the views.
    ReloadStatList();
    if (mask != 0) BuildPrefetchFiles(false, mask);
    emit ConfigChanged(mask);
    RecomputeViews(true);
}

bool TTemplateMain::EditConfigUpdate() const { return initialized_; }

void TTemplateMain::EditConfigExecute() {
    TFormConfig dlg(this);
    dlg.SetConfig(statList_.Config);
    const TCatalogUser user = ReadCatalogUser(configFile_.Ini());
    dlg.SetUser(user);
    const TWebSettings web = LoadWebSettings(configFile_.Ini());
    dlg.SetWeb(web);
    if (dlg.exec() != QDialog::Accepted) return;
    if ((dlg.User() != user || dlg.Web() != web) && !secondCopy_) {
        // The user's keys and section "WEB" go into the file, which the settings in memory then
        // read back.
        try {
            TIniFile ini(configFile_.FileName());
            if (dlg.User() != user) WriteCatalogUser(ini, dlg.User());
            if (dlg.Web() != web) SaveWebSettings(ini, dlg.Web());
            ini.Save();
            configFile_.Load();
        } catch (const std::exception& e) {
            ShowError(this, Q(Format(S(tr("Ошибка записи в файл конфигурации!\r\r%s")), {e.what()})));
        }
    }
    ApplyConfig(dlg.Config());
}

bool TTemplateMain::GetHelpUpdate() const { return QFileInfo::exists(helpFile_); }

void TTemplateMain::GetHelpExecute() { ShowHelpWindow(*this, helpFile_); }

bool TTemplateMain::AutoSelfUpdateUpdate() const { return true; }
bool TTemplateMain::AutoSelfUpdateChecked() const { return autoUpdates_; }

void TTemplateMain::AutoSelfUpdateExecute() {
    autoUpdates_ = !autoUpdates_;
    WriteSwitch("AutoUpdates", autoUpdates_);
}

void TTemplateMain::OpenWebPage(const char* url) {
    const QString address = QString::fromUtf8(url);
    OpenExternal(QUrl(address), address);
}

std::function<bool(const QUrl&)>& TTemplateMain::UrlOpener() {
    static std::function<bool(const QUrl&)> opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

void TTemplateMain::OpenExternal(const QUrl& url, const QString& address) {
    // Without a web browser (or a viewer for the file) the user is given the address to open it
    // elsewhere, instead of nothing happening.
    if (UrlOpener()(url)) return;
    ShowInformation(this, Q(Format(S(tr("Не удалось открыть адрес: в системе не найдена программа для его "
                                        "просмотра.\r\rОткройте его вручную:\r%s")),
                                   {S(address)})));
}

void TTemplateMain::ShowFirstRunWindow() {
    TFormFirstRun dlg(helpFile_, this);
    connect(&dlg, &TFormFirstRun::OpenHelp, this, [this] { GetHelpExecute(); });
    connect(&dlg, &TFormFirstRun::OpenPage, this, [this](const QString& url) { OpenWebPage(url.toUtf8().constData()); });
    dlg.exec();
    if (dlg.DontShowAgain()) {
        firstRun_ = false;
        WriteSwitch("FirstRun", false);
    }
}

} // namespace velmora

namespace velmora {

// ---- interface languages ----

QMenu* TTemplateMain::CreateLanguageMenu() {
    auto* menu = new QMenu(tr("Язык интерфейса"), this);
    menu->setObjectName("mnLanguage");
    auto* group = new QActionGroup(menu);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (const int32_t lcid : AvailableLanguages()) {
        const QString name = Q(LanguageName(lcid));
        // A regional variant of the current language is marked too.
        QAction* a = AddCommand(
            QString("Language%1").arg(lcid), name, {}, name, [] { return true; }, [this, lcid] { ChooseLanguage(lcid); },
            [lcid] { return PrimaryLanguage(lcid) == PrimaryLanguage(CurrentLanguage()); });
        group->addAction(a);
        menu->addAction(a);
    }
    return menu;
}

void TTemplateMain::ChooseLanguage(int32_t lcid) {
    UpdateCommands();
    if (lcid == CurrentLanguage()) return;
    try {
        CheckModule(lcid);
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
        return;
    }
    settings_.WriteInteger(S(SettingsSection()), "Language", lcid);
    settings_.Save();
    RestartProgram();
}

std::function<bool(const QStringList& args)>& TTemplateMain::RestartLauncher() {
    static std::function<bool(const QStringList&)> launcher = [](const QStringList& args) {
        return QProcess::startDetached(QCoreApplication::applicationFilePath(), args);
    };
    return launcher;
}

void TTemplateMain::RestartProgram() {
    QStringList args{QString::fromLatin1(kWordRestart), "--data-dir", Q(DataDir())};
    if (!RestartLauncher()(args)) {
        ShowError(this, tr("Не удалось перезапустить программу. Запустите её снова."));
        return;
    }
    close();
}

} // namespace velmora
