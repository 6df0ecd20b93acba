// The self-update in the desktop program: the update dialog, an install from a published folder
// with its success message and the restart request, the package manager's copy, and the silent
// start-up check against the placeholder address.
#include "gui_test_util.h"

#include "core/update/self_update.h"
#include "core/util/format.h"
#include "gui/app/qt_text.h"
#include "gui/update/form_update.h"
#include "gui/update/self_update_command.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace velmora::test {

class SelfUpdateTest : public QObject {
    Q_OBJECT

    QTemporaryDir work_;
    QStringList launches_;
    QString publicKey_;

    static void Write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // openssl with the arguments; its standard output.
    static QByteArray OpenSsl(const QStringList& args) {
        QProcess p;
        p.start("openssl", args);
        p.waitForFinished(30000);
        return p.readAllStandardOutput();
    }

    // A published folder with a signed package that writes "Velmora_5x50" in the update folder.
    QString Publish() {
        const QString site = work_.filePath("site");
        const QString package = site + "/pkg.run";
        Write(package, "#!/bin/sh\nprintf 'new program' > Velmora_5x50\n");
        const QByteArray sig =
            OpenSsl({"pkeyutl", "-sign", "-rawin", "-inkey", work_.filePath("test-only.key"), "-in", package}).toBase64();
        Write(site + "/Numor_AU.cfg", "[Velmora_5x50]\nVerId=1.0.0.99\nDescription=Сборка 99\nDownloadUrl=" +
                                          package.toUtf8() + "\nOriginalFileName=setup.run\nSignatureEd25519=" + sig + "\n");
        Write(site + "/UpdDescr/UpdDescr_1.0.0.99.txt", "Новые окна");
        return site + "/Numor_AU.cfg";
    }

private slots:
    void initTestCase() {
        InitGuiTestCase();
        TTemplateMain::RestartLauncher() = [this](const QStringList& args) {
            launches_ << args.join(' ');
            return true;
        };
        OpenSsl({"genpkey", "-algorithm", "ed25519", "-out", work_.filePath("test-only.key")});
        publicKey_ = QString::fromLatin1(OpenSsl({"pkey", "-in", work_.filePath("test-only.key"), "-pubout"}));
        QVERIFY(publicKey_.contains("PUBLIC KEY"));
    }
    void init() {
        launches_.clear();
        SelfUpdateOverrides() = {};
    }
    void cleanup() {
        SelfUpdateOverrides() = {};
        CheckModalFailures();
    }

    void DialogShowsTheThreeFieldsAndTwoButtons() {
        TFormUpdate form(nullptr, "1.0.0.1", "Сборка 99", "Новые окна\nИсправления");
        form.show();
        QCOMPARE(form.windowTitle(), QString("Найдена новая версия программы"));
        QCOMPARE(form.edCurrent->text(), QString("1.0.0.1"));
        QVERIFY(form.edCurrent->isReadOnly() && form.edNew->isReadOnly() && form.mmDescription->isReadOnly());
        QCOMPARE(form.edNew->text(), QString("Сборка 99"));
        QCOMPARE(form.mmDescription->toPlainText(), QString("Новые окна\nИсправления"));
        QCOMPARE(form.btInstall->text(), QString("Установить"));
        QCOMPARE(form.btInstall->toolTip(), QString("Установить это обновление"));
        QCOMPARE(form.btCancel->toolTip(), QString("Отказаться от обновления"));
        QDir().mkpath(VELMORA_SCREENS);
        form.grab().save(QString(VELMORA_SCREENS) + "/update_dialog.png");
    }

    // Поиск обновлений: the dialog, Установить, the success message, the restart request.
    void InstallShowsSuccessAndRestarts() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        const QString prog = work_.filePath("prog");
        Write(prog + "/Velmora_5x50", "old program");
        SelfUpdateOverrides().Descriptor = S(Publish());
        SelfUpdateOverrides().PublicKeyPem = S(publicKey_);
        SelfUpdateOverrides().ProgramDir = S(prog);
        QString shownNew, shownDescription;
        OnModal<TFormUpdate>([&](TFormUpdate* form) {
            shownNew = form->edNew->text();
            shownDescription = form->mmDescription->toPlainText();
            form->btInstall->click();
        });
        ShownBox box;
        AnswerBox(&box, QMessageBox::Ok);
        w->Command("CheckUpdate")->trigger();
        QTRY_VERIFY(!box.Text.isEmpty());
        QCOMPARE(shownNew, QString("Сборка 99"));
        QCOMPARE(shownDescription, QString("Новые окна"));
        // The box shows the message's "\r" breaks as line breaks.
        QVERIFY2(box.Text.startsWith("Установка обновления \"Сборка 99\" успешно выполнена."), qPrintable(box.Text));
        QVERIFY(box.Text.endsWith("Для завершения установки необходимо перезапустить программу!"));
        QCOMPARE(Read(prog + "/Velmora_5x50"), QByteArray("new program"));
        QCOMPARE(launches_.size(), 1);
        QVERIFY(launches_[0].startsWith("restart"));
    }

    // A copy the package manager installed is not touched: a message, nothing downloaded.
    void PackageManagersCopyIsLeftToIt() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        const QString info = work_.filePath("info");
        Write(info + "/velmora.list", QFile::symLinkTarget("/proc/self/exe").toUtf8() + "\n");
        SelfUpdateOverrides().DpkgInfoDir = S(info);
        SelfUpdateOverrides().Descriptor = S(Publish());
        ShownBox box;
        AnswerBox(&box, QMessageBox::Ok);
        w->Command("CheckUpdate")->trigger();
        QTRY_VERIFY(!box.Text.isEmpty());
        QVERIFY(box.Text.contains("системой управления пакетами"));
        QVERIFY(launches_.isEmpty());
    }

    // The placeholder address: the start-up check says nothing and the window starts.
    void SilentStartWithThePlaceholderShowsNothing() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        QVERIFY(w->Initialized());
        QVERIFY(launches_.isEmpty());
        QCOMPARE(RunSelfUpdate(w.get(), true), int(UpdateNone));
    }
};

} // namespace velmora::test

QTEST_MAIN(velmora::test::SelfUpdateTest)
#include "self_update_test.moc"
