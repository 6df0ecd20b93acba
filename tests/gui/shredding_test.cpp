// The shredding formulas in the window: the command "Формулы шинковки" of the file menu, its
// dialog, and what OK and Cancel leave behind (settings file, captions, selectors, distribution
// files); the statistics page on a shredding method.
#include "gui_test_util.h"

#include "core/app/config.h"
#include "core/combs/prefetch.h"
#include "core/stats/stat_list.h"
#include "gui/app/enter_spin_box.h"
#include "gui/app/form_shredding.h"
#include "gui/app/qt_text.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTableView>
#include <filesystem>
#include <fstream>

using namespace velmora;
using namespace velmora::test;

namespace {

QString ScreensDir() {
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    return dir;
}

QString SelectorText(TFormMain& w, const std::string& code) {
    auto* cb = StatPage(w)->cbDrawsStatType;
    return cb->itemText(cb->findData(w.StatList().IndexOfCode(code)));
}

// Runs the command with `handler` on its dialog.
void RunDialog(TFormMain& w, std::function<void(TFormShredding*)> handler) {
    bool seen = false;
    OnModal<TFormShredding>([&](TFormShredding* dlg) {
        seen = true;
        handler(dlg);
        if (dlg->isVisible()) dlg->reject();
    });
    QVERIFY(w.TriggerCommand("EditShredding"));
    QVERIFY(seen);
}

} // namespace

class ShreddingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitGuiTestCase(); }
    void cleanup() { CheckModalFailures(); }

    void CommandSitsInTheFileMenuAfterTheSettings() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        QAction* a = w->Command("EditShredding");
        QVERIFY(a);
        QCOMPARE(PlainCaption(a->text()), QString("Формулы шинковки"));
        QVERIFY2(a->text().contains('&'), qPrintable(a->text()));  // an access letter of its own
        QCOMPARE(a->toolTip(), QString("Редактирование формул для методов шинковки"));
        const QList<QAction*> file = w->MainMenu(TMainMenu::File)->actions();
        QCOMPARE(file.indexOf(a), file.indexOf(w->Command("EditConfig")) + 1);
    }

    void OkStoresTheFormulasAndRebuildsTheList() {
        DataFolder data(TenDraws());
        // A distribution file made with the old formula of SHR1 is there.
        {
            TStatList list;
            list.Build();
            CreatePrefetch(list, list.IndexOfCode("SHR1"), NullProgress());
        }
        const std::string shr1File = PrefetchDir() + "/Velmora_5x50_SHR1.dfc";
        QVERIFY(std::filesystem::exists(shr1File));
        auto w = OpenMainWindow(QSize(1100, 700));
        w->SetPrefetchsEnabled(false);
        auto* cb = StatPage(*w)->cbDrawsStatType;
        cb->setCurrentIndex(cb->findData(w->StatList().IndexOfCode("SHR2")));
        const int position = cb->currentIndex();

        RunDialog(*w, [](TFormShredding* dlg) {
            // The controls show the settings in force.
            QCOMPARE(dlg->windowTitle(), QString("Методы шинковки"));
            QCOMPARE(dlg->edFormula1->text(), QString("(n1+n2+n3)/(n4+n5)"));
            QCOMPARE(dlg->edFormula3->text(), QString("(n1+n2)/(n3+n4+n5)"));
            QCOMPARE(dlg->edDigits2->value(), 2);
            QCOMPARE(dlg->edDigits1->minimum(), 1);
            QCOMPARE(dlg->edDigits1->maximum(), 5);
            QCOMPARE(dlg->edFormula2->toolTip(), QString("Используемая формула"));
            QCOMPARE(dlg->edDigits3->toolTip(), QString("Количество используемых знаков после запятой"));
            QVERIFY(dlg->lbVariables->text().contains("p1, p2, p3, ..., pX - числа предыдущего тиража"));
            dlg->edFormula1->setText("n1/8");
            dlg->edDigits1->setValue(3);
            dlg->edFormula3->setText("not a formula");
            QVERIFY(dlg->grab().save(ScreensDir() + "/shredding_dialog.png"));
            dlg->accept();
        });

        // The settings file, the list, the selector (still on SHR2) and the stale file.
        TConfigFile file;
        file.Load();
        const TShreddingData stored = ReadShredding(file.Ini());
        QCOMPARE(stored.Formulas[0], std::string("n1/8"));
        QCOMPARE(stored.Digits[0], 3);
        QCOMPARE(stored.Formulas[2], std::string("not a formula"));
        QCOMPARE(w->StatList().Formulas[0], std::string("n1/8"));
        QCOMPARE(SelectorText(*w, "SHR1"), QString("{ shr } Метод шинковки 1: n1/8 [ SNG ]"));
        QCOMPARE(SelectorText(*w, "SHR3"), QString("{ shr } Метод шинковки 3: not a formula [ SNG ]"));
        QCOMPARE(cb->currentIndex(), position);
        QVERIFY(!std::filesystem::exists(shr1File));
        // The statistic follows: draw 10 is 40 10 50 20 30 in drawn order, 40 / 8 = 5.000.
        auto stat = w->StatList().CreateStat(w->StatList().IndexOfCode("SHR1"));
        TStatDrawArray values;
        TLastValueArray last;
        TSeriesArea series{};
        stat->AddDrawValue(9, 9, last, series, values, false);
        QCOMPARE(stat->ValueToText(values.at(0)), std::string("0"));
        values.clear();
        stat->AddDrawValue(0, 9, last, series, values, false);  // 31 / 8 = 3.875
        QCOMPARE(stat->ValueToText(values.at(0)), std::string("875"));
    }

    void CancelChangesNothing() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        auto bytes = [] {
            std::ifstream in(ConfigFile(), std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        const std::string before = bytes();
        RunDialog(*w, [](TFormShredding* dlg) {
            dlg->edFormula2->setText("n5");
            dlg->reject();
        });
        QCOMPARE(w->StatList().Formulas[1], std::string("(n4+n5)/(n1+n2+n3)"));
        QCOMPARE(SelectorText(*w, "SHR2"), QString("{ shr } Метод шинковки 2: (n4+n5)/(n1+n2+n3) [ SNG ]"));
        QVERIFY(bytes() == before);
    }

    // The statistics page on SHR1 over the ten draws, for a person to look at.
    void StatisticsPageOnAShreddingMethod() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow(QSize(1280, 800));
        auto* page = StatPage(*w);
        page->cbDrawsStatType->setCurrentIndex(page->cbDrawsStatType->findData(w->StatList().IndexOfCode("SHR1")));
        page->edDrawsStatLen->setValue(10);
        QVERIFY(w->TriggerCommand("DrawsStatCalc"));
        QVERIFY(QTest::qWaitFor([&] { return page->lvDrawsStat->model()->rowCount() > 0; }));
        QVERIFY(w->grab().save(ScreensDir() + "/shredding_stats_page.png"));
        // Draw 1 is 31 1 41 11 21: (31 + 1 + 41) / (11 + 21) = 2.28125.
        QStringList values;
        for (int r = 0; r < page->lvDrawsStat->model()->rowCount(); ++r)
            values << page->lvDrawsStat->model()->index(r, 0).data().toString();
        QVERIFY2(values.contains("28"), qPrintable(values.join(",")));
    }
};

QTEST_MAIN(ShreddingTest)
#include "shredding_test.moc"
