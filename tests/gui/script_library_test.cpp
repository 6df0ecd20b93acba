// The online script catalog under the script list, driven through the real main window against
// velmora-catalogd started on loopback: the list and its enabling rules (an incompatible row of
// one's own can be neither downloaded nor changed), rating with the selection kept, refresh,
// download into the script, publishing with the title checks, hiding, the ratings window, the
// read-only properties, deletion; a request to a server that does not answer, stopped with the wait
// window's "Стоп"; screenshots of the panel and the dialogs.
#include "gui_test_util.h"

#include "catalogd_process.h"
#include "core/net/catalog_text.h"
#include "core/net/script_catalog.h"
#include "core/util/text.h"
#include "gui/scripts/form_scr_public.h"
#include "gui/scripts/form_scr_rates.h"
#include "gui/scripts/script_library.h"
#include "gui/scripts/script_page.h"
#include "gui/app/wait_window.h"
#include "servers/test_server.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

#include <atomic>
#include <chrono>
#include <QToolButton>

using namespace velmora;
using namespace velmora::test;

namespace {

TScriptCatalog Catalog(const TCatalogdProcess& server, const std::string& mail, const std::string& machine,
                       const std::string& app = kCatalogAppId) {
    TScriptCatalog c;
    c.Site = server.BaseUrl();
    c.Options.CAFile = server.CaFile();
    c.Client.AppId = app;
    c.Client.AppVer = "1.0";
    c.Client.HwdId = machine;
    c.Client.Name = mail.substr(0, mail.find('@'));
    c.Client.Mail = mail;
    return c;
}

int32_t Publish(const TScriptCatalog& c, const std::string& title, const std::vector<std::string>& lines) {
    tScriptData d;
    d.Title = title;
    d.Descr = "Описание: " + title;
    d.AuthorName = c.Client.Name;
    d.Lcid = 1049;
    return PutScript(c, d, lines, false);
}

void WriteSettings(const TCatalogdProcess& server) {
    QFile f(QString::fromStdString(ProductFile(".ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[WEB]\r\nCatalogSite=" + QByteArray::fromStdString(server.BaseUrl()) + "\r\nCAFile=" +
            QByteArray::fromStdString(server.CaFile()) + "\r\n[USER]\r\nName=ivan\r\nMail=Ivan@Example.org\r\n");
}

QString Cell(TScriptLibrary* lib, int row, int column) {
    return lib->lvOnlineScripts->model()->index(row, column).data().toString();
}

void Select(TScriptLibrary* lib, int row) {
    lib->SelectRow(row);
    lib->Window().UpdateCommands();
}

int32_t SelectedId(TScriptLibrary* lib) {
    const int row = lib->SelectedRow();
    return row < 0 ? 0 : lib->Model().Row(row).Id;
}

QString Screens() {
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    return dir;
}

const std::vector<std::string> kPetrLines = {"FULL:0#RAND| | | | | | | |первая", "", "EXCL:3#ALL#CLR| | | | | | | |вторая"};

} // namespace

class ScriptLibraryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void PanelAgainstTheServer() {
        DataFolder data(TenDraws());
        QTemporaryDir serverDir;
        TCatalogdProcess server(serverDir.path().toStdString());
        const TScriptCatalog petr = Catalog(server, "petr@example.org", "m2");
        const int32_t shared = Publish(petr, "Общий сценарий Петра", kPetrLines);
        const int32_t foreign = Publish(Catalog(server, "petr@example.org", "m2", "Other_6x45"), "Из другой программы",
                                        {"X"});
        // Ivan's own script, made with another program and not universal.
        const int32_t ownForeign =
            Publish(Catalog(server, "ivan@example.org", "m1", "Other_6x45"), "Мой из другой программы", {"Y"});
        QVERIFY(shared > 0 && foreign > 0 && ownForeign > 0);
        SetScriptRating(Catalog(server, "anna@example.org", "m3"), shared, 5, "Отличный сценарий");
        WriteSettings(server);

        auto w = OpenMainWindow(QSize(1280, 800));
        auto* page = w->Page<TScriptPage>();
        QVERIFY(page);
        TScriptLibrary* lib = page->Library();
        w->pcMain->setCurrentWidget(page);
        QVERIFY(lib->isVisible());
        QVERIFY(w->Command("ScriptLibrary")->isChecked());
        QCOMPARE(w->Command("ScriptLibrary")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QCOMPARE(lib->cbOnlineScriptsFilter->currentIndex(), 2);
        QCOMPARE(lib->findChild<QToolButton*>("btnScriptLibraryDownload")->text(), QString("Скачать"));
        QCOMPARE(w->Command("ScriptLibraryDownload")->text().remove(QLatin1Char('&')), QString("Скачать из каталога"));
        QCOMPARE(lib->lvOnlineScripts->model()->rowCount(), 3);
        QCOMPARE(lib->lvOnlineScripts->horizontalHeader()->sortIndicatorSection(), 7);
        QStringList header;
        for (int c = 0; c < TScriptLibraryModel::colCount; ++c)
            header << lib->lvOnlineScripts->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(header, (QStringList{"Тип", "Название", "Автор", "Программа", "Версия", "Язык", "Создан", "Рейтинг",
                                      "Оценок", "Ваша оценка", "Загрузок", "Последняя", "Комментарии"}));

        // The enabling rules: an incompatible row, even one's own, is neither downloaded nor changed.
        const struct {
            int32_t id;
            bool download, replace, del;
        } rules[] = {{ownForeign, false, false, false}, {foreign, false, false, false}, {shared, true, false, false}};
        for (const auto& r : rules) {
            Select(lib, lib->Model().FindId(r.id));
            QCOMPARE(w->Command("ScriptLibraryDownload")->isEnabled(), r.download);
            QCOMPARE(w->Command("ScriptLibraryDelete")->isEnabled(), r.del);
            QCOMPARE(w->Command("ScriptLibraryView")->isEnabled(), true);
            QCOMPARE(w->Command("ScriptLibraryRate0")->isEnabled(), false);
        }
        QCOMPARE(Cell(lib, lib->Model().FindId(ownForeign), 0), QString("Мой"));
        QCOMPARE(Cell(lib, lib->Model().FindId(shared), 0), QString("Общий"));
        QVERIFY(!lib->lvOnlineScripts->model()->index(0, 0).data(Qt::DecorationRole).isNull());

        // Rating 4: the refreshed list shows it, the same row stays selected.
        Select(lib, lib->Model().FindId(shared));
        lib->AskRateComment = [] { return std::optional<QString>("Годится"); };
        QVERIFY(w->TriggerCommand("ScriptLibraryRate4"));
        QCOMPARE(SelectedId(lib), shared);
        QCOMPARE(Cell(lib, lib->SelectedRow(), TScriptLibraryModel::colMine), QString("4"));
        QCOMPARE(Cell(lib, lib->SelectedRow(), TScriptLibraryModel::colRatings), QString("2"));
        QVERIFY(w->Command("ScriptLibraryRate4")->isChecked());
        QVERIFY(w->Command("ScriptLibraryRate0")->isEnabled());
        // Cancelled comment: nothing is sent.
        lib->AskRateComment = [] { return std::optional<QString>(); };
        QVERIFY(w->TriggerCommand("ScriptLibraryRate1"));
        QCOMPARE(Cell(lib, lib->SelectedRow(), TScriptLibraryModel::colMine), QString("4"));
        QVERIFY(w->TriggerCommand("ScriptLibraryRefresh"));
        QCOMPARE(SelectedId(lib), shared);

        // Download: the whole script replaced, separators included, and the current script file written.
        QVERIFY(w->TriggerCommand("ScriptLibraryDownload"));
        QCOMPARE(page->Script().Lines(), kPetrLines);
        QCOMPARE(QString::fromStdString(Cp1251ToUtf8(ReadFileBytes(ProductFile(".lss")))),
                 QString::fromStdString(Join(kPetrLines, "\r\n") + "\r\n"));
        QCOMPARE(page->lvScript->model()->rowCount(), 3);
        QCOMPARE(Cell(lib, lib->SelectedRow(), TScriptLibraryModel::colDownloads), QString("0"));
        QVERIFY(w->TriggerCommand("ScriptLibraryRefresh"));
        QCOMPARE(Cell(lib, lib->SelectedRow(), TScriptLibraryModel::colDownloads), QString("1"));

        // Publish: an empty title, then a taken one (any case) keep the dialog open; a free one is sent.
        QVERIFY(w->Command("ScriptLibraryUpload")->isEnabled());
        QStringList errors;
        bool stillOpen = false;
        QString author;
        OnModal<TFormScrPublic>([&](TFormScrPublic* dlg) {
            author = dlg->edClName->text();
            QVERIFY(dlg->rbViewAll->isChecked() && dlg->rbAppOnly->isChecked());
            ShownBox box1, box2;
            dlg->edTitle->setText("  ");
            AnswerBox(&box1, QMessageBox::Ok);
            dlg->btnOk->click();
            dlg->edTitle->setText("ОБЩИЙ СЦЕНАРИЙ ПЕТРА");
            AnswerBox(&box2, QMessageBox::Ok);
            dlg->btnOk->click();
            errors << box1.Text << box2.Text;
            stillOpen = dlg->isVisible();
            dlg->edTitle->setText("Сценарий Ивана");
            dlg->edDescr->setPlainText("Три строки");
            dlg->rbViewMe->setChecked(true);
            QVERIFY(dlg->grab().save(Screens() + "/script_library_properties.png"));
            dlg->btnOk->click();
        });
        QVERIFY(w->TriggerCommand("ScriptLibraryUpload"));
        QCOMPARE(author, QString("ivan"));
        QVERIFY(stillOpen);
        QCOMPARE(errors, (QStringList{"Название сценария должно быть указано обязательно!",
                                      "Сценарий с таким названием уже существует!\nВыберите другое название."}));
        const int mine = lib->SelectedRow();
        QVERIFY(mine >= 0);
        QCOMPARE(Cell(lib, mine, TScriptLibraryModel::colTitle), QString("Сценарий Ивана"));
        QVERIFY(lib->Model().Row(mine).Editable && !lib->Model().Row(mine).Public);
        const int32_t mineId = SelectedId(lib);
        QVERIFY(w->Command("ScriptLibraryReplace")->isEnabled());
        QVERIFY(w->Command("ScriptLibraryDelete")->isEnabled());
        QCOMPARE(FetchScriptLines(Catalog(server, "ivan@example.org", "m1"), mineId), kPetrLines);

        // The ratings window of the shared script.
        Select(lib, lib->Model().FindId(shared));
        QStringList rates;
        OnModal<TFormScrRates>([&](TFormScrRates* dlg) {
            for (int r = 0; r < dlg->lvRates->rowCount(); ++r)
                rates << dlg->lvRates->item(r, 0)->text() + "|" + dlg->lvRates->item(r, 1)->text() + "|" +
                             dlg->lvRates->item(r, 5)->text();
            QVERIFY(dlg->grab().save(Screens() + "/script_library_rates.png"));
            dlg->btnClose->click();
        });
        QVERIFY(w->TriggerCommand("ScriptLibraryRates"));
        QCOMPARE(rates, (QStringList{"anna|5|Отличный сценарий", "ivan|4|Годится"}));

        // Somebody else's properties are read-only.
        bool readOnly = false;
        OnModal<TFormScrPublic>([&](TFormScrPublic* dlg) {
            readOnly = !dlg->btnOk->isVisible() && dlg->edTitle->isReadOnly() && !dlg->rgAppMode->isEnabled() &&
                       dlg->edTitle->text() == "Общий сценарий Петра" && dlg->focusWidget() == dlg->btnCancel;
            dlg->reject();
        });
        QVERIFY(w->TriggerCommand("ScriptLibraryView"));
        QVERIFY(readOnly);

        QVERIFY(page->grab().save(Screens() + "/script_library_page.png"));
        QVERIFY(w->grab().save(Screens() + "/script_library_window.png"));

        // Hide: gone from the default list, back under "Все, включая скрытые" as "Скрытый".
        QVERIFY(w->TriggerCommand("ScriptLibraryHide"));
        QCOMPARE(lib->Model().FindId(shared), -1);
        lib->cbOnlineScriptsFilter->setCurrentIndex(1);
        emit lib->cbOnlineScriptsFilter->activated(1);
        const int hidden = lib->Model().FindId(shared);
        QVERIFY(hidden >= 0);
        QCOMPARE(Cell(lib, hidden, TScriptLibraryModel::colMine), QString("Скрытый"));

        // Deleting one's own script asks first.
        Select(lib, lib->Model().FindId(mineId));
        ShownBox question;
        AnswerBox(&question, QMessageBox::Yes);
        QVERIFY(w->TriggerCommand("ScriptLibraryDelete"));
        QCOMPARE(question.Text, QString("Вы действительно хотите удалить сценарий \"Сценарий Ивана\"?"));
        QCOMPARE(lib->Model().FindId(mineId), -1);

        // The panel switch hides the panel and is written to the window settings.
        QVERIFY(w->TriggerCommand("ScriptLibrary"));
        QVERIFY(!lib->isVisible());
        QVERIFY(!w->Command("ScriptLibrary")->isChecked());
        QVERIFY(!w->Command("ScriptLibraryRefresh")->isEnabled());
    }

    void StalledRequestStopsWithTheWaitWindow() {
        DataFolder data(TenDraws());
        // The first list (at start-up) comes at once; the next request is held until the server stops.
        std::atomic<int> requests{0};
        TTestServer site(&SharedTestCerts());
        const std::string row = "<row><id>7</id><title>" + Base64Encode("Прежний") + "</title></row>";
        site.Http().Post(kScriptListPath, [&](const httplib::Request&, httplib::Response& res) {
            if (requests++ > 0) site.WaitForStop(std::chrono::seconds(60));
            res.set_content("<result>" + row + "</result>", "text/html");
        });
        // The systems page asks for its list at start-up too: an empty catalog.
        site.Http().Post("/scripts/sys_getlist.php", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<result></result>", "text/html");
        });
        site.Start();
        QFile f(QString::fromStdString(ProductFile(".ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[WEB]\r\nCatalogSite=" + QByteArray::fromStdString(site.BaseUrl()) + "\r\nCAFile=" +
                QByteArray::fromStdString(SharedTestCerts().CaFile) + "\r\n[USER]\r\nName=ivan\r\nMail=ivan@example.org\r\n");
        f.close();

        auto w = OpenMainWindow(QSize(1200, 700));
        TScriptLibrary* lib = w->Page<TScriptPage>()->Library();
        QCOMPARE(lib->Model().rowCount(), 1);
        Select(lib, 0);
        // "Стоп" of the wait window once it shows.
        bool waited = false;
        QTimer stopper;
        connect(&stopper, &QTimer::timeout, [&] {
            auto* wait = w->findChild<TWaitWindow*>();
            if (wait && wait->isVisible()) {
                waited = wait->Text() == "Загрузка online-каталога сценариев...";
                wait->btnStop->click();
                stopper.stop();
            }
        });
        stopper.start(20);
        ShownBox box;
        AnswerBox(&box, QMessageBox::Ok);
        QVERIFY(w->TriggerCommand("ScriptLibraryRefresh"));
        QVERIFY(waited);
        QVERIFY(box.Text.startsWith("Ошибка загрузки каталога online-сценариев!"));
        // The list stays as it was, the selection too.
        QCOMPARE(lib->Model().rowCount(), 1);
        QCOMPARE(SelectedId(lib), 7);
    }
};

QTEST_MAIN(ScriptLibraryTest)
#include "script_library_test.moc"
