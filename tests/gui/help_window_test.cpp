// The help window: F1 opens the guide in the program's own window, links between pages are followed
// inside and web links go to the browser; the statistic description opens the method's topic; the
// first-run window's button opens the guide.
#include "gui_test_util.h"

#include "core/app/window_settings.h"
#include "gui/app/form_first_run.h"
#include "gui/favourites/form_stat_description.h"
#include "gui/help/form_help.h"
#include "gui/help/help_view.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>

using namespace velmora;
using namespace velmora::test;

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void F1OpensTheGuide();
    void DescriptionOpensTheTopic();
    void FirstRunButtonOpensTheGuide();

private:
    void Write(const QString& name, const QByteArray& html);
    QTemporaryDir help_;
    std::function<bool(const QUrl&)> savedOpener_;
    QList<QUrl> opened_;
};

void HelpWindowTest::Write(const QString& name, const QByteArray& html) {
    QDir(help_.path()).mkpath(QFileInfo(help_.filePath(name)).path());
    QFile f(help_.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(html);
}

void HelpWindowTest::init() {
    Write("Numora_RUS/index.htm", "<html><head><title>Содержание справки</title></head><body><h1>Руководство</h1>"
                                  "<a href=\"archive.htm#add\">Архив</a> <a href=\"https://numora.example/\">Сайт</a>"
                                  "</body></html>");
    Write("Numora_RUS/archive.htm", "<html><head><title>Архив тиражей</title></head><body><p>Страница архива</p>"
                                    "<a id=\"add\"></a><p>Добавление</p></body></html>");
    Write("Numora_RUS/Filters_1049_NUMS.htm",
          "<html><head><title>Числа тиража</title></head><body><p>Описание метода NUMS</p>"
          "<a href=\"index.htm\">Содержание</a></body></html>");
    HelpFolderOverride() = help_.path();
    savedOpener_ = TTemplateMain::UrlOpener();
    opened_.clear();
    TTemplateMain::UrlOpener() = [this](const QUrl& url) {
        opened_ << url;
        return true;
    };
}

void HelpWindowTest::cleanup() {
    HelpFolderOverride().clear();
    TTemplateMain::UrlOpener() = savedOpener_;
    CheckModalFailures();
}

void HelpWindowTest::F1OpensTheGuide() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QVERIFY(w->Command("GetHelp")->isEnabled());
    w->activateWindow();
    QTest::keyClick(w.get(), Qt::Key_F1);
    TFormHelp* form = TFormHelp::Current();
    QVERIFY(form && form->isVisible());
    QVERIFY(!form->isModal());
    QCOMPARE(QFileInfo(form->View->CurrentFile()).fileName(), QString("index.htm"));
    QVERIFY(form->View->wbHelp->toPlainText().contains("Руководство"));
    QVERIFY(form->windowTitle().contains("Содержание справки"));
    QVERIFY(!form->View->btnBack->isEnabled());

    // A link to another page (with an anchor) is followed in the window; Back returns.
    emit form->View->wbHelp->anchorClicked(QUrl("archive.htm#add"));
    QCOMPARE(QFileInfo(form->View->CurrentFile()).fileName(), QString("archive.htm"));
    QCOMPARE(form->View->wbHelp->source().fragment(), QString("add"));
    QVERIFY(form->View->wbHelp->toPlainText().contains("Страница архива"));
    QVERIFY(form->View->btnBack->isEnabled());
    form->View->btnBack->click();
    QCOMPARE(QFileInfo(form->View->CurrentFile()).fileName(), QString("index.htm"));
    QVERIFY(form->View->btnForward->isEnabled());
    form->View->btnForward->click();
    QCOMPARE(QFileInfo(form->View->CurrentFile()).fileName(), QString("archive.htm"));
    form->View->btnContents->click();
    QCOMPARE(QFileInfo(form->View->CurrentFile()).fileName(), QString("index.htm"));

    // A web link goes to the desktop's browser and the page stays.
    emit form->View->wbHelp->anchorClicked(QUrl("https://numora.example/"));
    QCOMPARE(opened_, QList<QUrl>{QUrl("https://numora.example/")});
    QCOMPARE(QFileInfo(form->View->CurrentFile()).fileName(), QString("index.htm"));

    // One help window: F1 again raises the same one on the guide.
    emit form->View->wbHelp->anchorClicked(QUrl("archive.htm"));
    QVERIFY(w->TriggerCommand("GetHelp"));
    QCOMPARE(TFormHelp::Current(), form);
    QCOMPARE(QFileInfo(form->View->CurrentFile()).fileName(), QString("index.htm"));

    // Its placement is kept.
    form->setGeometry(QRect(60, 70, 500, 420));
    const QRect placed = form->geometry();
    form->close();
    QTRY_VERIFY(!TFormHelp::Current());
    QVERIFY(w->TriggerCommand("GetHelp"));
    QCOMPARE(TFormHelp::Current()->geometry(), placed);
}

void HelpWindowTest::DescriptionOpensTheTopic() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    bool shown = false;
    OnModal<TFormStatDescription>([&](TFormStatDescription* dlg) {
        shown = true;
        QCOMPARE(QFileInfo(dlg->TopicFile()).fileName(), QString("Filters_1049_NUMS.htm"));
        QVERIFY(dlg->wbDescription->toPlainText().contains("Описание метода NUMS"));
        // The topic's links lead on inside the description.
        emit dlg->wbDescription->anchorClicked(QUrl("index.htm"));
        QVERIFY(dlg->wbDescription->toPlainText().contains("Руководство"));
        dlg->accept();
    });
    w->activateWindow();
    QTest::keyClick(w.get(), Qt::Key_F8);
    QTRY_VERIFY(shown);
}

void HelpWindowTest::FirstRunButtonOpensTheGuide() {
    DataFolder data(TenDraws());
    {
        TWindowSettings s(WindowSettingsFile());
        s.WriteBool("TFormMain", "FirstRun", true);
        s.Save();
    }
    bool shown = false;
    bool usable = false;
    OnModal<TFormFirstRun>([&](TFormFirstRun* dlg) {
        shown = true;
        QVERIFY(dlg->btnHelp->isEnabled());
        dlg->btnHelp->click();
        TFormHelp* form = TFormHelp::Current();
        QVERIFY(form && form->isVisible());
        QCOMPARE(QFileInfo(form->View->CurrentFile()).fileName(), QString("index.htm"));
        // Opened from the modal window, the help window is not blocked by it.
        usable = !QApplication::activeModalWidget() || form->parentWidget() == dlg;
        dlg->accept();
    });
    auto w = OpenMainWindow();
    QVERIFY(shown);
    QVERIFY(usable);
    // The help window outlives the first-run window.
    QVERIFY(TFormHelp::Current() && TFormHelp::Current()->isVisible());
    QCOMPARE(TFormHelp::Current()->parentWidget(), static_cast<QWidget*>(w.get()));
}

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
