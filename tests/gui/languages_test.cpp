// Interface languages in the window: the menu "Язык интерфейса", the choice of a language and its
// restart, the fallback to Russian, and the window in English (screenshots of its pages go to
// screens/english_*.png for a person to look at).
#include "gui_test_util.h"

#include "core/app/languages.h"
#include "core/app/window_settings.h"
#include "gui/app/form_config.h"
#include "gui/app/qt_text.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString kEnglishModule = QStringLiteral(VELMORA_SCREENS "/../translations/Velmora_5x50_ENU.lng");

QMenu* LanguageMenu(QWidget& w) { return w.findChild<QMenu*>("mnLanguage"); }

// "caption|checked" per item of the menu.
QStringList MenuItems(QWidget& w) {
    QStringList out;
    for (QAction* a : LanguageMenu(w)->actions()) out << a->text().remove('&') + (a->isChecked() ? "|checked" : "");
    return out;
}

} // namespace

class LanguagesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> modules_;
    QStringList launches_;

    void AddModule(const char* abbr) {
        QVERIFY2(QFile::copy(kEnglishModule, modules_->filePath(QString("Velmora_5x50_%1.lng").arg(abbr))),
                 qPrintable(kEnglishModule));
    }

private slots:
    void initTestCase() {
        InitGuiTestCase();
        ConnectLanguages();
        TTemplateMain::RestartLauncher() = [this](const QStringList& args) {
            launches_ << args.join(' ');
            return true;
        };
    }
    void init() {
        modules_ = std::make_unique<QTemporaryDir>();
        SetLanguageModuleBase(S(modules_->filePath("Velmora_5x50")));
        launches_.clear();
    }
    void cleanup() {
        InitLanguages(kLanguageBuiltIn, kLanguageBuiltIn);
        SetLanguageModuleBase("");
        CheckModalFailures();
    }

    // Without modules the default setting 1033 falls back to Russian; one item, the built-in language.
    void NoModuleGivesRussianAndOneItem() {
        DataFolder data(TenDraws());
        InitLanguages(kLanguageBuiltIn, kLanguageDefault);
        auto w = OpenMainWindow();
        QCOMPARE(CurrentLanguage(), 1049);
        QCOMPARE(MenuItems(*w), QStringList{"Русский|checked"});
        QCOMPARE(w->menuBar()->actions().first()->text().remove('&'), QString("Файл"));
    }

    // "no-language" with the English module: Russian, and the menu still offers English; choosing
    // Russian again does not restart.
    void NoLanguageListsEnglishAndTheCurrentOneDoesNotRestart() {
        DataFolder data(TenDraws());
        AddModule("ENU");
        InitLanguages(kLanguageBuiltIn, kLanguageBuiltIn);
        auto w = OpenMainWindow();
        QCOMPARE(MenuItems(*w), (QStringList{"English", "Русский|checked"}));
        QVERIFY(w->TriggerCommand("Language1049"));
        QVERIFY(launches_.isEmpty());
        QVERIFY(w->isVisible());
    }

    // Choosing English writes the setting and starts the program again with "restart".
    void ChoosingAnotherLanguageRestarts() {
        DataFolder data(TenDraws());
        AddModule("ENU");
        InitLanguages(kLanguageBuiltIn, kLanguageBuiltIn);
        auto w = OpenMainWindow();
        QVERIFY(w->TriggerCommand("Language1033"));
        QCOMPARE(launches_, QStringList{"restart --data-dir " + Q(DataDir())});
        QTRY_VERIFY(!w->isVisible());
        TWindowSettings settings(WindowSettingsFile());
        settings.Load();
        QCOMPARE(settings.ReadInteger("TFormMain", "Language", 0), 1033);
    }

    // A module that vanished since the start: the message, no restart, the setting unchanged.
    void VanishedModuleIsReported() {
        DataFolder data(TenDraws());
        AddModule("ENU");
        InitLanguages(kLanguageBuiltIn, kLanguageBuiltIn);
        auto w = OpenMainWindow();
        QVERIFY(QFile::remove(modules_->filePath("Velmora_5x50_ENU.lng")));
        ShownBox shown;
        AnswerBox(&shown, QMessageBox::Ok);
        QVERIFY(w->TriggerCommand("Language1033"));
        QTRY_COMPARE(shown.Caption, QString("Ошибка"));
        QCOMPARE(shown.Text, "Языковый модуль \"" + modules_->filePath("Velmora_5x50_ENU.lng") + "\" не найден!");
        QVERIFY(launches_.isEmpty());
        QVERIFY(w->isVisible());
        TWindowSettings settings(WindowSettingsFile());
        settings.Load();
        QVERIFY(!settings.HasKey("TFormMain", "Language"));
    }

    // A module that cannot be opened: the message, then Russian.
    void BrokenModuleIsReportedThenRussian() {
        DataFolder data(TenDraws());
        QFile bad(modules_->filePath("Velmora_5x50_ENU.lng"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a module");
        bad.close();
        ShownBox shown;
        AnswerBox(&shown, QMessageBox::Ok);
        InitLanguages(kLanguageBuiltIn, 1033);
        QCOMPARE(CurrentLanguage(), 1049);
        QVERIFY2(shown.Text.startsWith("Не удалось загрузить языковый модуль \"" + bad.fileName() + "\"!"),
                 qPrintable(shown.Text));
        auto w = OpenMainWindow();
        QCOMPARE(w->menuBar()->actions().first()->text().remove('&'), QString("Файл"));
    }

    // The window in English; a regional variant of English marks the English item too.
    void EnglishWindow() {
        DataFolder data(TenDraws());
        AddModule("ENU");
        AddModule("ENG");
        InitLanguages(kLanguageBuiltIn, 2057);
        QCOMPARE(CurrentLanguage(), 2057);
        auto w = OpenMainWindow(QSize(1280, 800));
        QCOMPARE(MenuItems(*w),
                 (QStringList{"English|checked", "Русский", "English (United Kingdom)|checked"}));
        QCOMPARE(w->menuBar()->actions().first()->text().remove('&'), QString("File"));
        QCOMPARE(LanguageMenu(*w)->title().remove('&'), QString("Interface language"));
        QCOMPARE(QLocale().language(), QLocale::English);
        QDir().mkpath(VELMORA_SCREENS);
        for (const char* name : {"pcLists", "pcMain"}) {
            auto* tabs = w->findChild<QTabWidget*>(name);
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                QTest::qWait(50);
                w->grab().save(QString(VELMORA_SCREENS "/english_%1_%2.png").arg(name).arg(i));
            }
        }
        // The settings dialog and Qt's own file dialog in English.
        {
            TFormConfig dlg(w.get());
            QCOMPARE(dlg.windowTitle(), QString("System settings"));
            dlg.show();
            QTest::qWait(50);
            dlg.grab().save(VELMORA_SCREENS "/english_settings.png");
        }
        {
            QFileDialog dlg(w.get(), QString(), Q(DataDir()));
            dlg.setOption(QFileDialog::DontUseNativeDialog);
            dlg.show();
            QTest::qWait(50);
            QCOMPARE(dlg.findChild<QLabel*>("fileNameLabel")->text().remove('&'), QString("File name:"));
            dlg.grab().save(VELMORA_SCREENS "/english_file_dialog.png");
        }
    }
};

QTEST_MAIN(LanguagesTest)
#include "languages_test.moc"
