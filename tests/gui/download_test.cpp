// The draw download of the window against the test results site (HTTPS on loopback): the
// commands and where they sit, the wait window and its stop, the retry question, the start-up
// choice and the proxy dialog.
#include "gui_test_util.h"

#include "core/net/web_settings.h"
#include "core/util/ini.h"
#include "gui/app/form_proxy.h"
#include "gui/app/qt_text.h"
#include "gui/app/wait_window.h"
#include "gui/draws/draws_download.h"
#include "servers/draws_site.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

#include <sys/stat.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// Points the program settings of the data folder at the site and trusts the test CA.
void UseSite(TTestDrawsSite& site) {
    TIniFile ini(ProductFile(".ini"));
    ini.WriteString(kSectionWeb, "DrawsSite", site.BaseUrl());
    ini.WriteString(kSectionWeb, "ProxyListUrl", site.ProxyListUrl());
    ini.WriteString(kSectionWeb, "CAFile", SharedTestCerts().CaFile);
    ini.Save();
}

std::unique_ptr<TFormMain> OpenForSite(int lastYear) {
    auto w = OpenMainWindow();
    w->Download().LastYear = lastYear;
    w->Download().ReadTimeoutMs = 1500;
    w->Download().ConnectTimeoutMs = 3000;
    return w;
}

QString ScreensDir() {
    QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    return dir;
}

QStringList MenuTexts(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) out << (a->isSeparator() ? QString("-") : a->text().remove('&'));
    return out;
}

} // namespace

class DownloadTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void CommandsSitWhereTheUserLooks();
    void DownloadAddsTheNewDrawsAndChecksTheStakes();
    void FailedYearAsksAndKeepsTheYearsDone();
    void WaitWindowShowsTheRequestAndStops();
    void StartUpChoiceIsWrittenAtOnceAndFollowed();
    void NothingNewIsSaidWithTheYears();
    void PlaceholderSiteOffersNothingAndExplains();
    void LoadOnlyEndsWithTheDownloadsResult();
    void ProxyDialog();
};

void DownloadTest::CommandsSitWhereTheUserLooks() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QAction* download = w->Command("DrawsDownload");
    QVERIFY(download);
    QCOMPARE(download->shortcut(), QKeySequence(Qt::Key_F3));
    QCOMPARE(download->statusTip(), QString("Загрузка архива тиражей с сайта лотереи"));
    QVERIFY(download->isEnabled());

    const QStringList draws = MenuTexts(w->MainMenu(TMainMenu::Draws)->actions());
    const int at = int(draws.indexOf("Загрузка"));
    QVERIFY2(at >= 0, qPrintable(draws.join("|")));
    QCOMPARE(draws[at + 1], QString("Автозагрузка при запуске программы"));
    QCOMPARE(draws[at + 3], QString("Импорт из CSV-файла"));
    QMenu* sub = w->MainMenu(TMainMenu::Draws)->findChild<QMenu*>("mnAutoDownload");
    QVERIFY(sub);
    QCOMPARE(MenuTexts(sub->actions()),
             QStringList({"По запросу (по умолчанию)", "Автоматически", "Отключено"}));
    QVERIFY(w->Command("AutoDownload0")->isChecked());  // the default: ask
    QVERIFY(!w->Command("AutoDownload2")->isChecked());

    QVERIFY(MenuTexts(w->MainMenu(TMainMenu::File)->actions()).contains("Параметры proxy-сервера"));
    QVERIFY(DrawsPage(*w)->pmDraws->actions().contains(download));
    auto* button = DrawsPage(*w)->findChild<QToolButton*>("btnDrawsDownload");
    QVERIFY(button);
    QCOMPARE(button->defaultAction(), download);
    QVERIFY(button->isVisible());
}

void DownloadTest::DownloadAddsTheNewDrawsAndChecksTheStakes() {
    DataFolder data({MakeDraw("2023-12-29", {1, 2, 3, 4, 5}, {1, 2}, 1)});
    TTestDrawsSite site;
    site.Years[2023] = {MakeDraw("2023-12-29", {1, 2, 3, 4, 5}, {1, 2}), MakeDraw("2023-12-30", {6, 7, 8, 9, 10}, {3, 4})};
    site.Years[2024] = {MakeDraw("2024-01-05", {11, 12, 13, 14, 15}, {5, 6})};
    site.Start();
    UseSite(site);
    auto w = OpenForSite(2024);
    QSignalSpy changed(w.get(), &TTemplateMain::DrawsChanged);
    w->Command("DrawsDownload")->trigger();
    QCOMPARE(w->Draws().Count(), 3);
    QCOMPARE(Q(w->Draws().Draws.back().DateText()), QString("2024-01-05"));
    QCOMPARE(DrawsPage(*w)->lvDraws->model()->rowCount(), 3);
    QVERIFY(!changed.isEmpty());
    QVERIFY(changed.last().at(0).toBool());  // a reset: the stake page checks the stakes on it
    QVERIFY(!w->Download().WaitWindow());
    QVERIFY(w->IsIdle());
    QCOMPARE(w->StatusPanelText(6), QString());
    TDrawsArchive onDisk;
    onDisk.FileName = data.ArchiveFile();
    onDisk.LoadDraws();
    QCOMPARE(onDisk.Count(), 3);
}

void DownloadTest::FailedYearAsksAndKeepsTheYearsDone() {
    DataFolder data({}, false);
    TTestDrawsSite site;
    site.Years[2012] = {MakeDraw("2012-02-03", {1, 2, 3, 4, 5}, {1, 2})};
    site.Years[2013] = {MakeDraw("2013-02-01", {1, 2, 3, 4, 5}, {1, 2}), MakeDraw("2013-02-05", {1, 2, 3, 4, 5}, {1, 2})};
    site.Broken = {2013};
    site.Start();
    UseSite(site);
    auto w = OpenForSite(2014);
    ShownBox shown;
    auto wait = AnswerBox(&shown, QMessageBox::No);
    w->Command("DrawsDownload")->trigger();
    StopModal(wait);
    QCOMPARE(shown.Caption, QString("Ошибка"));
    QVERIFY2(shown.Text.startsWith("Ошибка загрузки архива тиражей с сайта: \"Не удалось найти пару"), qPrintable(shown.Text));
    QVERIFY(shown.Text.endsWith("\"\n\nПовторить попытку?"));
    QCOMPARE(w->Draws().Count(), 1);
    QCOMPARE(site.YearRequests(), (std::vector<int>{2012, 2013}));
}

void DownloadTest::WaitWindowShowsTheRequestAndStops() {
    DataFolder data({}, false);
    TTestDrawsSite site;
    site.Years[2012] = {MakeDraw("2012-02-03", {1, 2, 3, 4, 5}, {1, 2})};
    site.Stall = {2013};
    site.Start();
    UseSite(site);
    auto w = OpenForSite(2013);
    w->Download().ReadTimeoutMs = 30000;  // only the stop ends the stalled request
    QString text, status;
    bool saved = false, centred = false;
    QTimer poll;
    poll.setInterval(50);
    connect(&poll, &QTimer::timeout, [&] {
        TWaitWindow* wait = w->Download().WaitWindow();
        if (!wait || !wait->isVisible() || site.YearRequests().size() < 2) return;
        poll.stop();
        text = wait->Text();
        status = w->StatusPanelText(6);
        const QRect screen = wait->screen()->availableGeometry();
        centred = (wait->geometry().center() - screen.center()).manhattanLength() <= 2;
        saved = wait->grab().save(ScreensDir() + "/download_wait.png");
        QVERIFY(!w->Command("DrawsDownload")->isEnabled());  // busy meanwhile
        QTest::mouseClick(wait->btnStop, Qt::LeftButton);
    });
    poll.start();
    w->Command("DrawsDownload")->trigger();
    QCOMPARE(text, QString("Загрузка архива тиражей..."));
    QCOMPARE(status, QString("Загрузка тиражей за 2013 год..."));
    QVERIFY(centred);
    QVERIFY(saved);
    // The year done stays; the stop asks nothing.
    QCOMPARE(w->Draws().Count(), 1);
    QVERIFY(!w->Download().WaitWindow());
    QVERIFY(w->IsIdle());
}

void DownloadTest::StartUpChoiceIsWrittenAtOnceAndFollowed() {
    DataFolder data({}, false);
    TTestDrawsSite site;
    site.Years[2012] = {MakeDraw("2012-02-03", {1, 2, 3, 4, 5}, {1, 2})};
    site.Start();
    UseSite(site);
    {
        TWindowSettings s(WindowSettingsFile());
        s.Load();
        s.WriteInteger("TFormMain", "DownloadDrawsOnStart", 2);
        s.Save();
    }
    TDrawsDownloadCommands::StartOfferEnabled() = true;
    // 2: nothing at start.
    {
        auto w = OpenMainWindow();
        QVERIFY(w->Command("AutoDownload2")->isChecked());
        QVERIFY(site.YearRequests().empty());
        w->Command("AutoDownload0")->trigger();
        QVERIFY(w->Command("AutoDownload0")->isChecked());
        QVERIFY(!w->Command("AutoDownload2")->isChecked());
        TWindowSettings s(WindowSettingsFile());
        s.Load();
        QCOMPARE(s.ReadInteger("TFormMain", "DownloadDrawsOnStart", -1), 0);
    }
    // 0: the question; No downloads nothing.
    {
        ShownBox shown;
        auto wait = AnswerBox(&shown, QMessageBox::No);
        auto w = OpenMainWindow();
        StopModal(wait);
        QCOMPARE(shown.Caption, QString("Подтверждение"));
        QCOMPARE(shown.Text, QString("Обновить список тиражей?\n\nДля выполнения обновления необходимо действующее "
                                     "подключение к сети Интернет."));
        QCOMPARE(w->Draws().Count(), 0);
        QVERIFY(site.YearRequests().empty());
        w->Command("AutoDownload1")->trigger();
    }
    // 1: the download runs at start without a question (up to the current year: the site has
    // no page for the later years, which is no error).
    {
        auto w = OpenMainWindow();
        QVERIFY(w->Command("AutoDownload1")->isChecked());
        QCOMPARE(w->Draws().Count(), 1);
        QCOMPARE(site.YearRequests().front(), 2012);
    }
}

void DownloadTest::NothingNewIsSaidWithTheYears() {
    DataFolder data({MakeDraw("2023-12-29", {1, 2, 3, 4, 5}, {1, 2}, 1)});
    TTestDrawsSite site;
    site.Years[2023] = {MakeDraw("2023-12-29", {1, 2, 3, 4, 5}, {1, 2})};
    site.Start();
    UseSite(site);
    struct Case {
        int lastYear;
        QString text;
    } cases[] = {
        {2023, "Новых тиражей нет (просмотрены результаты за 2023 год)."},
        {2024, "Новых тиражей нет (просмотрены результаты за 2023-2024 годы)."},
    };
    for (const auto& c : cases) {
        auto w = OpenForSite(c.lastYear);
        ShownBox shown;
        auto wait = AnswerBox(&shown, QMessageBox::Ok);
        w->Command("DrawsDownload")->trigger();
        StopModal(wait);
        QCOMPARE(shown.Caption, QString("Информация"));
        QCOMPARE(shown.Text, c.text);
        QCOMPARE(w->Draws().Count(), 1);
    }
}

void DownloadTest::PlaceholderSiteOffersNothingAndExplains() {
    DataFolder data({}, false);
    // A new data folder: the start-up choice asks, but with the placeholder site nothing is asked.
    TDrawsDownloadCommands::StartOfferEnabled() = true;
    auto w = OpenMainWindow();
    TDrawsDownloadCommands::StartOfferEnabled() = false;
    QVERIFY(w->Command("AutoDownload0")->isChecked());
    QVERIFY(!w->Download().DrawsSiteSet());
    // The command stays and says how to set the address.
    QVERIFY(w->Command("DrawsDownload")->isEnabled());
    ShownBox shown;
    auto wait = AnswerBox(&shown, QMessageBox::Ok);
    w->Command("DrawsDownload")->trigger();
    StopModal(wait);
    QCOMPARE(shown.Caption, QString("Информация"));
    QCOMPARE(shown.Text, QString("Адрес сайта с результатами тиражей еще не задан (в настройках стоит "
                                 "адрес-заполнитель \"%1\"), поэтому загрузка тиражей невозможна.\n\nУкажите адрес "
                                 "сайта в окне \"Параметры системы\" (меню \"Файл\" -> \"Параметры\") на странице "
                                 "\"Сеть\", поле \"Сайт результатов тиражей\".")
                             .arg(kDefaultDrawsSite));
    QCOMPARE(w->Draws().Count(), 0);
}

void DownloadTest::LoadOnlyEndsWithTheDownloadsResult() {
    // "loadonly" downloads without a window and quits: 0 when every year was read, 1 when one
    // failed (the error goes to stderr instead of a question), so that a scheduled run can tell.
    struct Case {
        const char* name;
        bool broken;
        int exitCode;
        int draws;
    } cases[] = {
        {"every year read", false, 0, 3},
        {"a year fails", true, 1, 1},
    };
    for (const auto& c : cases) {
        DataFolder data({}, false);
        TTestDrawsSite site;
        site.Years[2012] = {MakeDraw("2012-02-03", {1, 2, 3, 4, 5}, {1, 2})};
        site.Years[2013] = {MakeDraw("2013-02-01", {1, 2, 3, 4, 5}, {1, 2}),
                            MakeDraw("2013-02-05", {1, 2, 3, 4, 5}, {1, 2})};
        if (c.broken) site.Broken = {2013};
        site.Start();
        UseSite(site);
        TStartMode loadOnly;
        loadOnly.LoadOnly = true;
        StartModeScope scope(loadOnly);
        TDrawsDownloadCommands::StartOfferEnabled() = true;
        TFormMain w;
        QSignalSpy quit(&w, &TTemplateMain::QuitRequested);
        QVERIFY2(quit.wait(60000) || !quit.isEmpty(), c.name);
        TDrawsDownloadCommands::StartOfferEnabled() = false;
        QCOMPARE(quit.size(), 1);
        QCOMPARE(quit.first().first().toInt(), c.exitCode);
        QVERIFY2(!w.isVisible(), c.name);
        QCOMPARE(w.Draws().Count(), c.draws);
    }
}

void DownloadTest::ProxyDialog() {
    DataFolder data({}, false);
    auto w = OpenMainWindow();
    bool shotSaved = false;
    OnModal<TFormProxy>([&](TFormProxy* dlg) {
        QCOMPARE(dlg->windowTitle(), QString("Параметры proxy-сервера"));
        QVERIFY(dlg->rbProxyOff->isChecked());
        QVERIFY(!dlg->edServer->isEnabled());
        QCOMPARE(dlg->edPort->value(), 80);
        QCOMPARE(dlg->edPort->minimum(), 1);
        QCOMPARE(dlg->edPort->maximum(), 65535);
        QCOMPARE(dlg->edUsername->toolTip(), QString("Имя пользователя (не обязательно)"));
        QCOMPARE(dlg->edPassword->toolTip(), QString("Пароль (не обязательно)"));
        QCOMPARE(dlg->edPassword->echoMode(), QLineEdit::Password);
        dlg->rbProxyManual->click();
        QVERIFY(dlg->edServer->isEnabled() && dlg->edPort->isEnabled() && dlg->edUsername->isEnabled() &&
                dlg->edPassword->isEnabled());
        dlg->edServer->setText("proxy.example");
        dlg->edPort->setValue(3128);
        dlg->edUsername->setText("ivan");
        dlg->edPassword->setText("secret");
        shotSaved = dlg->grab().save(ScreensDir() + "/proxy_dialog.png");
        dlg->accept();
    });
    w->Command("EditProxy")->trigger();
    QVERIFY(shotSaved);
    TProxy p = LoadProxySettings(TIniFile(ProductFile(".ini")));
    QCOMPARE(int(p.Mode), 2);
    QCOMPARE(Q(p.Server), QString("proxy.example"));
    QCOMPARE(p.Port, 3128);
    QCOMPARE(Q(p.Password), QString("secret"));
    struct stat st {};
    QCOMPARE(::stat(ProductFile(".ini").c_str(), &st), 0);
    QCOMPARE(int(st.st_mode & 0777), 0600);

    // The automatic search clears what was stored; Cancel changes nothing.
    OnModal<TFormProxy>([](TFormProxy* dlg) {
        QVERIFY(dlg->rbProxyManual->isChecked());
        QCOMPARE(dlg->edServer->text(), QString("proxy.example"));
        dlg->rbProxyAuto->click();
        QVERIFY(!dlg->edServer->isEnabled());
        dlg->accept();
    });
    w->Command("EditProxy")->trigger();
    p = LoadProxySettings(TIniFile(ProductFile(".ini")));
    QCOMPARE(int(p.Mode), 1);
    QCOMPARE(Q(p.Server), QString());
    QCOMPARE(Q(p.Username + p.Password), QString());
    QCOMPARE(w->Proxy(), p);
    OnModal<TFormProxy>([](TFormProxy* dlg) {
        dlg->rbProxyOff->click();
        dlg->reject();
    });
    w->Command("EditProxy")->trigger();
    QCOMPARE(int(LoadProxySettings(TIniFile(ProductFile(".ini"))).Mode), 1);
}

QTEST_MAIN(DownloadTest)
#include "download_test.moc"
