// The page "Системы" driven through the real main window against velmora-catalogd started on
// loopback: the list with its columns, order and icons, downloads keeping one system per number
// count, the dialog of somebody else's system, publishing and deleting one's own, system play
// into stakes, the refusal without a system; the dialog's normalisation alone; screenshots.
#include "gui_test_util.h"

#include "catalogd_process.h"
#include "core/net/catalog_client.h"
#include "core/stakes/stake_file.h"
#include "core/stakes/system_catalog.h"
#include "core/stakes/system_store.h"
#include "core/util/atomic_file.h"
#include "core/util/text.h"
#include "gui/app/form_config.h"
#include "gui/combs/form_gen_combs.h"
#include "gui/stakes/form_multi.h"
#include "gui/stakes/stakes_page.h"
#include "gui/systems/form_system.h"
#include "gui/systems/systems_model.h"
#include "gui/systems/systems_page.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>

using namespace velmora;
using namespace velmora::test;

namespace {

TSystemsPage* SystemsPage(TTemplateMain& w) { return w.Page<TSystemsPage>(); }

TSystemCatalog Catalog(const TCatalogdProcess& server, const std::string& mail, const std::string& machine) {
    TSystemCatalog c;
    c.Site = server.BaseUrl();
    c.Options.CAFile = server.CaFile();
    c.Client.AppVer = "1.0";
    c.Client.HwdId = machine;
    c.Client.Name = mail.substr(0, mail.find('@'));
    c.Client.Mail = mail;
    return c;
}

int32_t Publish(const TSystemCatalog& c, const std::string& title, int nums, int olap, const std::string& clist) {
    tSystemData d;
    d.Title = title;
    d.Nums = uint8_t(nums);
    d.Olap = uint8_t(olap);
    d.CList = clist;
    d.CSize = int(SplitLines(clist).size());
    d.Descr = "Описание: " + title;
    d.Author = c.Client.Name;
    d.OwnerMail = c.Client.Mail;
    d.URL = "https://example.org/" + std::to_string(nums);
    return PutSystem(c, d, false);
}

// The settings of a data folder that talks to the server as ivan@example.org.
void WriteSettings(const TCatalogdProcess& server, bool withUser = true) {
    QFile f(QString::fromStdString(ProductFile(".ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QByteArray text = "[WEB]\r\nCatalogSite=" + QByteArray::fromStdString(server.BaseUrl()) + "\r\nCAFile=" +
                      QByteArray::fromStdString(server.CaFile()) + "\r\n";
    if (withUser) text += "[USER]\r\nName=ivan\r\nMail=Ivan@Example.org\r\n";
    f.write(text);
}

QStringList RowTexts(TSystemsPage* page, int row) {
    QStringList out;
    auto* m = page->lvSystems->model();
    for (int c = 0; c < m->columnCount(); ++c) out << m->index(row, c).data().toString();
    return out;
}

int RowOf(TSystemsPage* page, int32_t id) { return page->Model().FindId(id); }

void Select(TSystemsPage* page, const QList<int>& rows) {
    auto* v = page->lvSystems;
    v->selectionModel()->clearSelection();
    for (int r : rows) v->selectionModel()->select(v->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!rows.isEmpty()) v->selectionModel()->setCurrentIndex(v->model()->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
    page->Window().UpdateCommands();
}

// Twelve numbers in the combination list: generation mode 2 ("only my numbers") over them.
void GenerateTwelve(TFormMain& w) {
    OnModal<TFormGenCombs>([](TFormGenCombs* dlg) {
        dlg->cbCombsGenerateMode->setCurrentIndex(2);
        dlg->edCombsGenerateParam->setText("2,5,8,11,14,17,20,23,26,29,32,35");
        dlg->cbSaveParameters->setChecked(false);
        dlg->accept();
    });
    w.Command("CombsGen")->trigger();
}

QString Screens() {
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    return dir;
}

} // namespace

class SystemsPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void ListDownloadPlayPublishDelete() {
        DataFolder data(TenDraws());
        QTemporaryDir serverDir;
        TCatalogdProcess server(serverDir.path().toStdString());
        const TSystemCatalog petr = Catalog(server, "petr@example.org", "m2");
        const TSystemCatalog ivan = Catalog(server, "ivan@example.org", "m1");
        const int32_t twelve = Publish(petr, "Двенадцать", 12, 2, "01 02 03 04 05\r\n08 09 10 11 12\r\n01 06 07 12 02");
        const int32_t sixA = Publish(ivan, "Шесть А", 6, 0, "01 02 03 04 05\r\n02 03 04 05 06");
        const int32_t sixB = Publish(petr, "Шесть Б", 6, 1, "01 02 03 04 06");
        QVERIFY(twelve > 0 && sixA > 0 && sixB > 0);
        WriteSettings(server);

        auto w = OpenMainWindow(QSize(1200, 600));
        TSystemsPage* page = SystemsPage(*w);
        QVERIFY(page);
        QVERIFY(w->pcMain->isTabVisible(w->pcMain->indexOf(page)));
        QVERIFY(w->Command("SystemsOn")->isChecked());
        QVERIFY(w->Command("SystemStakeAll")->isVisible());
        QCOMPARE(page->lvSystems->model()->rowCount(), 3);
        // Sorted by "Числа" ascending at first.
        QCOMPARE(page->lvSystems->horizontalHeader()->sortIndicatorSection(), int(TSystemsModel::colNums));
        QCOMPARE(RowTexts(page, 2)[0], QString("Двенадцать"));
        QStringList header;
        for (int c = 0; c < TSystemsModel::colCount; ++c)
            header << page->lvSystems->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(header, (QStringList{"Название", "Автор", "Числа", "Блок", "Комбинаций", "Дата создания", "Статус",
                                      "Загрузок", "Последняя", "Комментарии", "Ссылка"}));
        const QStringList row12 = RowTexts(page, RowOf(page, twelve));
        QCOMPARE(row12.mid(0, 5), (QStringList{"Двенадцать", "petr", "12", "2", "3"}));
        QCOMPARE(row12[6], QString());
        QCOMPARE(row12[7], QString("0"));
        QCOMPARE(row12[9], QString("Описание: Двенадцать"));
        QCOMPARE(row12[10], QString("https://example.org/12"));
        QCOMPARE(row12[5].size(), 19);
        QVERIFY(!page->lvSystems->model()->index(0, 0).data(Qt::DecorationRole).isNull());

        // Own systems only may be deleted (the e-mail compares without regard to case).
        Select(page, {RowOf(page, sixB)});
        QVERIFY(!w->Command("SystemsDel")->isEnabled());
        QVERIFY(w->Command("SystemsProp")->isEnabled());
        Select(page, {RowOf(page, sixA)});
        QVERIFY(w->Command("SystemsDel")->isEnabled());

        // Downloads: the second system for six numbers replaces the first one's file.
        Select(page, {RowOf(page, sixA), RowOf(page, twelve)});
        QVERIFY(w->TriggerCommand("SystemsDownload"));
        QCOMPARE(RowTexts(page, RowOf(page, sixA))[6], QString("Загружена"));
        QCOMPARE(RowTexts(page, RowOf(page, twelve))[6], QString("Загружена"));
        const std::string fileA = SystemFilePath(SystemsDir(), page->Model().Rows()[size_t(RowOf(page, sixA))].Info);
        QVERIFY(FileExists(fileA));
        Select(page, {RowOf(page, sixB)});
        QVERIFY(w->TriggerCommand("SystemsDownload"));
        QCOMPARE(RowTexts(page, RowOf(page, sixB))[6], QString("Загружена"));
        QCOMPARE(RowTexts(page, RowOf(page, sixA))[6], QString());
        QVERIFY(!FileExists(fileA));
        QCOMPARE(int(FindSystemFiles(SystemsDir(), 6).size()), 1);

        // Somebody else's system opens read-only: no OK, Cancel focused, the combinations shown.
        Select(page, {RowOf(page, twelve)});
        QString combs;
        bool readOnly = false;
        OnModal<TFormSystem>([&](TFormSystem* dlg) {
            combs = dlg->edCombs->toPlainText();
            readOnly = !dlg->btnOK->isVisible() && dlg->edCombs->isReadOnly() && dlg->edTitle->isReadOnly() &&
                       dlg->focusWidget() == dlg->btnCancel;
            dlg->reject();
        });
        QVERIFY(w->TriggerCommand("SystemsProp"));
        QVERIFY(readOnly);
        QCOMPARE(combs, QString("01 02 03 04 05\n08 09 10 11 12\n01 06 07 12 02"));

        // System play over twelve numbers through the twelve-number system.
        w->pcMain->setCurrentWidget(page);
        GenerateTwelve(*w);
        QCOMPARE(w->Combs().Count(), 792);
        auto* stakes = w->Page<TStakesPage>();
        const int before = stakes->File().StakeCount();
        QString comment;
        OnModal<TFormMulti>([&](TFormMulti* dlg) {
            comment = dlg->edComment->text();
            dlg->accept();
        });
        QVERIFY(w->TriggerCommand("SystemStakeAll"));
        QCOMPARE(comment, QString("Системная игра для 12 чисел [вся система]: 5-12-2_%1").arg(twelve, 4, 10, QChar('0')));
        QCOMPARE(stakes->File().StakeCount(), before + 3);
        const TStakeRecord first = stakes->File().ReadStake(TStakeOrigin::Begin, before);
        QCOMPARE(QString::fromStdString(NumberSetToText(first.Numbers, " ")), QString("2 5 8 11 14"));
        QCOMPARE(int(first.Kind), 4);
        const TStakeRecord third = stakes->File().ReadStake(TStakeOrigin::Begin, before + 2);
        QCOMPARE(QString::fromStdString(NumberSetToText(third.Numbers, " ")), QString("2 5 17 20 35"));

        // Publishing one's own: the new row is appended and selected.
        OnModal<TFormSystem>([&](TFormSystem* dlg) {
            QVERIFY(dlg->btnOK->isVisible());
            QCOMPARE(dlg->edAuthor->text(), QString("ivan"));
            dlg->edTitle->setText("Новая");
            dlg->edDescr->setPlainText("Моя система");
            dlg->edOlap->setText("3");
            dlg->edCombs->setPlainText("1 2 3 4 5\n3,4,5,6,7");
            dlg->accept();
        });
        QVERIFY(w->TriggerCommand("SystemsAdd"));
        QCOMPARE(page->lvSystems->model()->rowCount(), 4);
        const int added = page->SelectedRow();
        QCOMPARE(RowTexts(page, added).mid(0, 5), (QStringList{"Новая", "ivan", "07", "3", "2"}));

        // And deleting it again (confirmed).
        ShownBox confirm;
        AnswerBox(&confirm, QMessageBox::Yes);
        QVERIFY(w->TriggerCommand("SystemsDel"));
        QCOMPARE(confirm.Text, QString("Вы действительно хотите удалить систему \"Новая\"?"));
        QCOMPARE(page->lvSystems->model()->rowCount(), 3);

        // The page hidden and shown again.
        QVERIFY(w->TriggerCommand("SystemsOn"));
        QVERIFY(!w->pcMain->isTabVisible(w->pcMain->indexOf(page)));
        QVERIFY(!w->Command("SystemStakeAll")->isVisible());
        QCOMPARE(page->lvSystems->model()->rowCount(), 0);
        QVERIFY(w->TriggerCommand("SystemsOn"));
        QCOMPARE(page->lvSystems->model()->rowCount(), 3);

        w->resize(1300, 520);
        w->pcMain->setCurrentWidget(page);
        Select(page, {RowOf(page, sixB)});
        QApplication::processEvents();
        QVERIFY(page->grab().save(Screens() + "/systems_page.png"));
        QVERIFY(w->grab().save(Screens() + "/systems_window.png"));

        // The server gone: the refresh fails with its message and the list stays as it was.
        server.Stop();
        ShownBox failed;
        AnswerBox(&failed, QMessageBox::Ok);
        QVERIFY(w->TriggerCommand("SystemsRefresh"));
        QVERIFY2(failed.Text.startsWith("Ошибка загрузки списка систем!\n\n"), qPrintable(failed.Text));
        QCOMPARE(page->lvSystems->model()->rowCount(), 3);
    }

    void NoSystemForTheNumbers() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow(QSize(1000, 600));
        // No user set: nothing was asked at start and no request was made.
        QCOMPARE(SystemsPage(*w)->lvSystems->model()->rowCount(), 0);
        GenerateTwelve(*w);
        const int before = w->Page<TStakesPage>()->File().StakeCount();
        ShownBox box;
        AnswerBox(&box, QMessageBox::Ok);
        QVERIFY(w->TriggerCommand("SystemStakeFilter"));
        QCOMPARE(box.Caption, QString("Ошибка"));
        QVERIFY(box.Text.startsWith("Система для 12 чисел не найдена или не загружена на компьютер!"));
        QVERIFY(box.Text.contains("\"Системы\" - \"Загрузить\""));
        QCOMPARE(w->Page<TStakesPage>()->File().StakeCount(), before);
    }

    void UserIsAskedForAndKeptInTheSettings() {
        DataFolder data(TenDraws());
        QTemporaryDir serverDir;
        TCatalogdProcess server(serverDir.path().toStdString());
        WriteSettings(server, false);
        auto w = OpenMainWindow(QSize(1000, 600));
        TSystemsPage* page = SystemsPage(*w);
        QCOMPARE(page->lvSystems->model()->rowCount(), 0);
        // The first catalog command asks for the name and e-mail; a bad address is refused.
        ShownBox refused;
        OnModal<QDialog>([&](QDialog* dlg) {
            QCOMPARE(dlg->objectName(), QString("TFormUser"));
            dlg->findChild<QLineEdit*>("edUserName")->setText("Анна");
            dlg->findChild<QLineEdit*>("edUserMail")->setText("anna");
            auto* ok = dlg->findChild<QDialogButtonBox*>()->buttons().first();
            AnswerBox(&refused, QMessageBox::Ok);
            ok->click();
            QVERIFY(dlg->isVisible());
            dlg->findChild<QLineEdit*>("edUserMail")->setText("anna@example.org");
            ok->click();
        });
        QVERIFY(w->TriggerCommand("SystemsRefresh"));
        QCOMPARE(refused.Text, QString("Указан некорректный адрес электронной почты!"));
        // An empty catalog: the placeholder row says so (it is not an unreachable list).
        QCOMPARE(page->lvSystems->model()->rowCount(), 1);
        QCOMPARE(RowTexts(page, 0)[0], QString("В каталоге пока нет ни одной системы"));
        QCOMPARE(QString::fromStdString(ReadCatalogUser(w->ProgramSettings().Ini()).Mail), QString("anna@example.org"));

        // The settings dialog shows and changes them.
        OnModal<TFormConfig>([&](TFormConfig* dlg) {
            QCOMPARE(dlg->edUserName->text(), QString("Анна"));
            QCOMPARE(dlg->edUserMail->text(), QString("anna@example.org"));
            dlg->edUserMail->setText("anna@example.com");
            dlg->accept();
        });
        QVERIFY(w->TriggerCommand("EditConfig"));
        QCOMPARE(QString::fromStdString(ReadCatalogUser(w->ProgramSettings().Ini()).Mail), QString("anna@example.com"));
        TIniFile ini(ProductFile(".ini"));
        QCOMPARE(QString::fromStdString(ini.ReadString("USER", "Mail", "")), QString("anna@example.com"));
        QCOMPARE(QString::fromStdString(ini.ReadString("WEB", "CatalogSite", "")), QString::fromStdString(server.BaseUrl()));
    }

    void DialogNormalisesTheCombinations() {
        TFormSystem dlg(nullptr);
        tSystemData d;
        d.Title = "T";
        dlg.SetData(d, true);
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.edCombs->setPlainText("01 02 03 04 05\n02 03 04 05 06");
        QVERIFY(dlg.NormaliseCombs());
        QCOMPARE(dlg.edNums->text(), QString("6"));
        QCOMPARE(dlg.edCSize->text(), QString("2"));
        dlg.edCombs->setPlainText("1,2,3,4,5\n1 2 3 4");
        // Leaving the field normalises it.
        dlg.edCombs->setFocus();
        dlg.edAuthor->setFocus();
        QCOMPARE(dlg.edCombs->toPlainText(), QString("01 02 03 04 05"));
        QCOMPARE(dlg.edNums->text(), QString("5"));
        QCOMPARE(dlg.edCSize->text(), QString("1"));
        // Numbers, length and block take digits only.
        dlg.edOlap->clear();
        QTest::keyClicks(dlg.edOlap, "2x3");
        QCOMPARE(dlg.edOlap->text(), QString("23"));
        // OK checks in order: the numbers (5 is too few) come before the author.
        ShownBox box;
        AnswerBox(&box, QMessageBox::Ok);
        dlg.btnOK->click();
        QCOMPARE(box.Text, QString("Указано недопустимое количество используемых чисел!"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.focusWidget(), static_cast<QWidget*>(dlg.edNums));

        dlg.edCombs->setPlainText("01 02 03 04 05\n02 03 04 05 06");
        dlg.edOlap->setText("1");
        dlg.edDescr->setPlainText("D");
        dlg.edAuthor->setText("A");
        dlg.edURL->setText("https://example.org/s");
        dlg.resize(640, 560);
        QVERIFY(dlg.NormaliseCombs());
        QCOMPARE(dlg.edNums->text(), QString("6"));
        QApplication::processEvents();
        QVERIFY(dlg.grab().save(Screens() + "/systems_dialog.png"));
        dlg.btnOK->click();
        QVERIFY(!dlg.isVisible());
        const tSystemData r = dlg.Data();
        QCOMPARE(int(r.Nums), 6);
        QCOMPARE(r.CSize, 2);
        QCOMPARE(int(r.Olap), 1);
        QVERIFY(r.Created > 0);
    }
};

QTEST_MAIN(SystemsPageTest)
#include "systems_page_test.moc"
