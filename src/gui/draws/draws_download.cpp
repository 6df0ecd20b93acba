#include "gui/draws/draws_download.h"

#include "core/net/draws_download.h"
#include "core/net/proxy_settings.h"
#include "core/net/web_settings.h"
#include "core/util/format.h"
#include "gui/app/access_keys.h"
#include "gui/app/form_proxy.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/tool_panel.h"
#include "gui/app/wait_window.h"
#include "gui/app/tool_panel.h"
#include "gui/draws/draws_page.h"
#include "gui/stakes/stakes_page.h"

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTableView>
#include <QToolButton>

#include <cstdio>

namespace velmora {

namespace {

constexpr const char* kDownloadOnStartKey = "DownloadDrawsOnStart";

// What the year loop shows and asks, in the window.
class TWindowDownloadHost : public TDownloadHost {
public:
    TWindowDownloadHost(TTemplateMain& w, TWaitWindow& wait) : w_(w), wait_(wait) {}

    void WaitText(const std::string& text) override { wait_.SetText(Q(text)); }
    // The wait window steps aside while a message box is up (both sit in the middle).
    bool AskRetry(const std::string& message) override {
        // A start in a command-line mode asks nothing: the message goes to stderr.
        if (TTemplateMain::StartMode().Batch() && !w_.Initialized()) {
            std::fprintf(stderr, "%s\n", S(MessageText(Q(message))).c_str());
            return false;
        }
        wait_.hide();
        QMessageBox box(QMessageBox::Critical, QObject::tr("Ошибка"), MessageText(Q(message)),
                        QMessageBox::Yes | QMessageBox::No, &w_);
        box.setDefaultButton(QMessageBox::Yes);
        const bool yes = box.exec() == QMessageBox::Yes;
        wait_.show();
        return yes;
    }
    void ShowError(const std::string& message) override {
        wait_.hide();
        velmora::ShowError(&w_, Q(message));
        wait_.show();
    }
    // A proxy found automatically that worked is kept; a write error is not shown (the download
    // goes on with the values in memory).
    void SaveProxy(TProxy& proxy) override { SaveProxySettingsFile(w_.ProgramSettings(), proxy); }
    void DrawsAdded() override { w_.RecomputeViews(false); }
    void YearRead(int year, int added) override {
        (void)added;
        if (FirstYear == 0) FirstYear = year;
        LastYear = year;
    }
    // The years whose pages were read (0 when none was).
    int FirstYear = 0, LastYear = 0;

private:
    TTemplateMain& w_;
    TWaitWindow& wait_;
};

// The window's progress (status bar, events between steps, a close of the window) and the wait
// window's "Стоп".
class TDownloadProgress : public TProgressSink {
public:
    TDownloadProgress(TTemplateMain& w, TWaitWindow& wait) : w_(w), wait_(wait) {}
    void Status(const std::string& text) override { w_.Progress().Status(text); }
    bool StopRequested() override { return w_.Progress().StopRequested() || wait_.StopRequested(); }

private:
    TTemplateMain& w_;
    TWaitWindow& wait_;
};

} // namespace

TDrawsDownloadCommands::TDrawsDownloadCommands(TTemplateMain& window, std::string section)
    : QObject(&window), w_(window), section_(std::move(section)) {
    setObjectName("DrawsDownload");
    autoDownload_ = w_.Settings().ReadInteger(section_, kDownloadOnStartKey, 0);
    if (autoDownload_ < 0 || autoDownload_ > 2) autoDownload_ = 0;

    w_.AddCommand("DrawsDownload", tr("Загрузка"), QKeySequence(Qt::Key_F3), tr("Загрузка архива тиражей с сайта лотереи"),
                  [this] { return DrawsDownloadUpdate(); }, [this] { DrawsDownloadExecute(); });
    const char* captions[3] = {QT_TR_NOOP("По запросу (по умолчанию)"), QT_TR_NOOP("Автоматически"),
                               QT_TR_NOOP("Отключено")};
    const char* hints[3] = {QT_TR_NOOP("Спросить пользователя"),
                            QT_TR_NOOP("Автоматическая загрузка тиражей при запуске программы"),
                            QT_TR_NOOP("Без автоматической загрузки при запуске программы")};
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        QAction* a = w_.AddCommand(QString("AutoDownload%1").arg(i), tr(captions[i]), {}, tr(hints[i]),
                                   [this] { return AutoDownloadUpdate(); }, [this, i] { AutoDownloadExecute(i); },
                                   [this, i] { return AutoDownloadChecked(i); });
        a->setActionGroup(group);
    }
    w_.AddCommand("EditProxy", tr("Параметры proxy-сервера"), {}, tr("Параметры proxy-сервера"),
                  [this] { return EditProxyUpdate(); }, [this] { EditProxyExecute(); });
    PlaceCommands();
}

void TDrawsDownloadCommands::PlaceCommands() {
    // The draws menu: the download and its start-up choice before the import and export.
    QMenu* draws = w_.MainMenu(TMainMenu::Draws);
    QAction* import = w_.Command("DrawsImport");
    QAction* before = draws->actions().contains(import) ? import : nullptr;
    draws->insertAction(before, w_.Command("DrawsDownload"));
    auto* sub = new QMenu(tr("Автозагрузка при запуске программы"), draws);
    sub->setObjectName("mnAutoDownload");
    for (int i = 0; i < 3; ++i) sub->addAction(w_.Command(QString("AutoDownload%1").arg(i)));
    draws->insertMenu(before, sub);
    draws->insertSeparator(before);

    // The file menu: the proxy after the program settings.
    QMenu* file = w_.MainMenu(TMainMenu::File);
    const QList<QAction*> fileActions = file->actions();
    const int config = int(fileActions.indexOf(w_.Command("EditConfig")));
    file->insertAction(config >= 0 && config + 1 < fileActions.size() ? fileActions[config + 1] : nullptr,
                       w_.Command("EditProxy"));

    QList<QMenu*> menus = {draws, sub, file};
    // The draws page: the button above the list, and the list's pop-up menu with import and export.
    btnDrawsDownload = nullptr;
    if (TDrawsPage* page = w_.Page<TDrawsPage>()) {
        btnDrawsDownload = CommandButton(page, "btnDrawsDownload", w_.Command("DrawsDownload"));
        page->tbDraws->InsertButton(0, btnDrawsDownload);
        if (page->pmDraws) {
            const QList<QAction*> items = page->pmDraws->actions();
            QAction* at = items.contains(import) ? import : nullptr;
            page->pmDraws->insertAction(at, w_.Command("DrawsDownload"));
            menus << page->pmDraws;
        }
    }
    // The new items get their access letters, unique in every menu they sit in.
    AssignAccessKeys(w_.menuBar(), menus);
}

bool TDrawsDownloadCommands::DrawsDownloadUpdate() const { return true; }

void TDrawsDownloadCommands::DrawsDownloadExecute() { DownloadDraws(); }

bool TDrawsDownloadCommands::DrawsSiteSet() const {
    return !DrawsSiteIsPlaceholder(LoadWebSettings(w_.ProgramSettings().Ini()));
}

bool TDrawsDownloadCommands::DownloadDraws(bool quiet) {
    if (!w_.OwnsDataFolder()) return false;
    const TWebSettings settings = LoadWebSettings(w_.ProgramSettings().Ini());
    if (DrawsSiteIsPlaceholder(settings)) {
        // Nothing to download from: say where the address is set instead of a network error.
        const QString text = Q(Format(S(tr(kDrawsSiteNotSetText)), {settings.DrawsSite})) + "\r\r" +
                             tr("Укажите адрес сайта в окне \"Параметры системы\" (меню \"Файл\" -> \"Параметры\") на "
                                "странице \"Сеть\", поле \"Сайт результатов тиражей\".");
        if (TTemplateMain::StartMode().Batch() && !w_.Initialized())
            std::fprintf(stderr, "%s\n", S(MessageText(text)).c_str());
        else
            ShowInformation(&w_, text);
        return false;
    }
    const QString title = tr("Загрузка архива тиражей...");
    int added = 0, firstYear = 0, lastYear = 0;
    bool complete = false;
    {
        TBusy busy(&w_);
        TWaitWindow wait(&w_);
        wait_ = &wait;
        wait.SetText(title);
        w_.SetStatusText(title);
        TWindowDownloadHost host(w_, wait);
        TDownloadProgress progress(w_, wait);
        try {
            TDrawsDownloader d(w_.Draws(), w_.Proxy(), settings, host, progress);
            d.Options.ConnectTimeoutMs = ConnectTimeoutMs;
            d.Options.ReadTimeoutMs = ReadTimeoutMs;
            if (LastYear > 0) d.CurrentYear = LastYear;
            added = d.DownloadAllYears();
            complete = !d.Stopped() && d.LastError().empty();
        } catch (const std::exception& e) {
            const QString text = Q(Format(S(tr("Ошибка загрузки архива тиражей с сайта: \"%s\"")), {e.what()}));
            if (TTemplateMain::StartMode().Batch() && !w_.Initialized())
                std::fprintf(stderr, "%s\n", S(MessageText(text)).c_str());
            else
                velmora::ShowError(&w_, text);
        }
        firstYear = host.FirstYear;
        lastYear = host.LastYear;
        // Whatever happened: the lists follow the archive, and the stakes are checked against it.
        w_.NotifyDrawsChanged(true);
        w_.RecomputeViews(false);
        wait_ = nullptr;
    }
    // Once the window is up, the stake page checks the stakes on every change of the archive; at
    // start-up it is done here.
    if (!w_.Initialized())
        if (auto* stakes = w_.Page<TStakesPage>()) stakes->CheckStakes();
    w_.SetStatusText(QString());
    // A download that read every year and found nothing new says so (the list alone would not
    // change); new draws show in the list.
    if (complete && added == 0 && !quiet && firstYear > 0) {
        const QString years = firstYear == lastYear ? Q(Format(S(tr("за %d год")), {firstYear}))
                                                    : Q(Format(S(tr("за %d-%d годы")), {firstYear, lastYear}));
        ShowInformation(&w_, Q(Format(S(tr("Новых тиражей нет (просмотрены результаты %s).")), {S(years)})));
    }
    return complete;
}

bool& TDrawsDownloadCommands::StartOfferEnabled() {
    static bool enabled = true;
    return enabled;
}

void TDrawsDownloadCommands::DownloadAtStart() {
    // Until the results site is set there is nothing to offer: the download commands explain.
    if (!w_.OwnsDataFolder() || !StartOfferEnabled() || !DrawsSiteSet()) return;
    switch (autoDownload_) {
    case 0:
        if (AskConfirmation(&w_, tr("Обновить список тиражей?\r\rДля выполнения обновления необходимо действующее "
                                    "подключение к сети Интернет.")))
            DownloadDraws();
        break;
    case 1:
        DownloadDraws(true);
        break;
    default:
        break;
    }
}

bool TDrawsDownloadCommands::AutoDownloadUpdate() const { return true; }

void TDrawsDownloadCommands::AutoDownloadExecute(int value) {
    autoDownload_ = value;
    w_.Settings().WriteInteger(section_, kDownloadOnStartKey, value);
    try {
        w_.Settings().Save();
    } catch (const std::exception& e) {
        velmora::ShowError(&w_, Q(e.what()));
    }
}

bool TDrawsDownloadCommands::EditProxyUpdate() const { return true; }

void TDrawsDownloadCommands::EditProxyExecute() {
    TFormProxy dlg(&w_);
    dlg.SetProxy(w_.Proxy());
    if (dlg.exec() != QDialog::Accepted) return;
    w_.Proxy() = dlg.Proxy();
    w_.SetStatusText(tr("Сохранение файла конфигурации..."));
    try {
        SaveProxySettingsFile(w_.ProgramSettings(), w_.Proxy());
    } catch (const std::exception& e) {
        velmora::ShowError(&w_, Q(Format(S(tr("Ошибка записи в файл конфигурации!\r\r%s")), {e.what()})));
    }
    w_.SetStatusText(QString());
}

} // namespace velmora
