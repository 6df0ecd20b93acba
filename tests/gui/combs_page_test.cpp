// The page "Комбинации" driven through the real main window: the set built at start, the
// generation dialog, deletion, undo, exclusion of draws and the applied-filters log, the
// clipboard, files, the searches and the information window, the view settings.
#include "gui_test_util.h"

#include "gui/app/pane_splitter.h"
#include "gui/app/qt_text.h"
#include "gui/app/enter_spin_box.h"
#include "gui/combs/form_gen_combs.h"
#include "gui/draws/form_draw_info.h"
#include "core/util/text.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

using namespace velmora;
using namespace velmora::test;

namespace {

QStringList CombRow(TFormMain& w, int row) {
    QStringList out;
    for (int c = 0; c < CombsPage(w)->lvCombs->model()->columnCount(); ++c) out << CombsPage(w)->lvCombs->model()->index(row, c).data().toString();
    return out;
}

int Rows(TFormMain& w) { return CombsPage(w)->lvCombs->model()->rowCount(); }


void SelectCombRows(TFormMain& w, const QList<int>& rows) {
    auto* sel = CombsPage(w)->lvCombs->selectionModel();
    sel->clearSelection();
    for (int r : rows)
        sel->select(CombsPage(w)->lvCombs->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!rows.isEmpty()) sel->setCurrentIndex(CombsPage(w)->lvCombs->model()->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
    w.UpdateCommands();
}

// What the generation dialog showed when it opened and what its OK did.
struct GenRun {
    int ShownMode = -1;
    QString ShownParam;
    bool ParamEnabled = false;
    bool FileButtonEnabled = false;
    ShownBox Error;
    bool StayedOpen = false;
    QWidget* Focus = nullptr;
    bool FocusOnParam = false;
};

void FillGenDialog(GenRun* run, int mode, const QString& param, bool save = true) {
    OnModal<TFormGenCombs>([=](TFormGenCombs* dlg) {
        run->ShownMode = dlg->cbCombsGenerateMode->currentIndex();
        run->ShownParam = dlg->edCombsGenerateParam->text();
        dlg->cbCombsGenerateMode->setCurrentIndex(mode);
        run->ParamEnabled = dlg->edCombsGenerateParam->isEnabled();
        run->FileButtonEnabled = dlg->btnCombsGenerateFile->isEnabled();
        dlg->edCombsGenerateParam->setText(param);
        dlg->cbSaveParameters->setChecked(save);
        auto box = AnswerBox(&run->Error, QMessageBox::Ok);
        dlg->accept();
        StopModal(box);
        if (dlg->isVisible()) {
            run->StayedOpen = true;
            run->FocusOnParam = dlg->focusWidget() == dlg->edCombsGenerateParam;
            dlg->reject();
        }
    });
}

void Generate(TFormMain& w, int mode, const QString& param, bool save = true) {
    GenRun run;
    FillGenDialog(&run, mode, param, save);
    w.Command("CombsGen")->trigger();
    QVERIFY2(!run.StayedOpen, qPrintable(run.Error.Text));
}


bool Has(TFormMain& w, TCombination c) { return w.Combs().ContainsComb(c); }

// Three draws: 1 = 3 1 2 5 4 (the combination 1 2 3 4 5), 2 = 7 6 5 4 3, 3 = 10 20 30 40 50.
TDrawsArray ThreeDraws() {
    return {MakeDraw(1, {3, 1, 2, 5, 4}, 1, 2, "2020-01-01"), MakeDraw(2, {7, 6, 5, 4, 3}, 1, 2, "2020-01-02"),
            MakeDraw(3, {10, 20, 30, 40, 50}, 1, 2, "2020-01-03")};
}

const QStringList kCombsCommands{"CombsGen",       "CombsOpen",  "CombsSave",  "CombsUndo",
                                 "CombsDelSelected", "CombsDelExists", "CombsCopy", "CombsPaste",
                                 "CombsSelectAll", "CombsCheckNums", "CombsFindInDraws", "CombsInfo",
                                 "ViewColorCombs"};

} // namespace

class CombsPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void StartBuildsTheStoredSet_data();
    void StartBuildsTheStoredSet();
    void GenerateThroughTheDialog_data();
    void GenerateThroughTheDialog();
    void DialogRefusesBadParameters_data();
    void DialogRefusesBadParameters();
    void DeleteUndoExcludeAndTheLog();
    void ExclusionFollowsTheOffset_data();
    void ExclusionFollowsTheOffset();
    void ClipboardCopyAndPaste();
    void FilesSaveAndOpen();
    void SearchesAndCounts();
    void InformationWindowOfACombination();
    void ViewSettingsOutliveTheWindow();
    void BusyDisablesEveryCommand();
    void ExclusionShowsItsProgressWhileBusy();
    void Screenshot();
};

void CombsPageTest::StartBuildsTheStoredSet_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("param");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("last");
    QTest::addColumn<QString>("error");
    QTest::newRow("default: the full set") << 0 << "" << 2118760 << QStringList{"1", "1", "2", "3", "4", "5", "15"}
                                           << QStringList{"2118760", "46", "47", "48", "49", "50", "240"} << "";
    QTest::newRow("my six numbers") << 2 << "1;2;3;4;5;6" << 6 << QStringList{"1", "1", "2", "3", "4", "5", "15"}
                                    << QStringList{"6", "2", "3", "4", "5", "6", "20"} << "";
    QTest::newRow("missing file") << 4 << "/nonexistent/start.lcv" << 0 << QStringList{} << QStringList{}
                                  << "Ошибка генерации файла комбинаций!\n\nОшибка чтения файла \"/nonexistent/start.lcv\"!";
}

void CombsPageTest::StartBuildsTheStoredSet() {
    QFETCH(int, mode);
    QFETCH(QString, param);
    QFETCH(int, count);
    QFETCH(QStringList, first);
    QFETCH(QStringList, last);
    QFETCH(QString, error);
    DataFolder data(TenDraws());
    auto w = std::make_unique<TFormMain>();
    w->StatList().GenerateMode = uint8_t(mode);
    w->StatList().GenerateParams = S(param);
    ShownBox box;
    auto wait = AnswerBox(&box, QMessageBox::Ok);
    w->show();
    QVERIFY(QTest::qWaitFor([&] { return w->Initialized(); }));
    StopModal(wait);
    QCOMPARE(box.Text.left(error.size()), error);
    QCOMPARE(Rows(*w), count);
    QCOMPARE(w->StatusPanelText(3), QString("Комбинаций: %1").arg(count));
    if (count > 0) {
        QCOMPARE(CombRow(*w, 0), first);
        QCOMPARE(CombRow(*w, count - 1), last);
    }
    QCOMPARE(LogLines(*w), QStringList{});
    QVERIFY(!w->Command("CombsUndo")->isEnabled());
    QCOMPARE(w->Command("CombsSave")->isEnabled(), count > 0);
    QCOMPARE(w->pcLists->tabText(1), QString("Комбинации"));
}

void CombsPageTest::GenerateThroughTheDialog_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("param");
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("last");
    QTest::newRow("any of 1") << 1 << "1" << true << 211876 << QStringList{"211876", "1", "47", "48", "49", "50", "195"};
    QTest::newRow("only 1..6") << 2 << "1;2;3;4;5;6" << true << 6 << QStringList{"6", "2", "3", "4", "5", "6", "20"};
    QTest::newRow("none of 1, not saved") << 3 << "1" << false << 1906884
                                          << QStringList{"1906884", "46", "47", "48", "49", "50", "240"};
    // The fixture holds five readable lines among malformed ones, taken as written.
    QTest::newRow("from a file") << 4 << VELMORA_TEST_DATA "/combs_mixed.lcv" << true << 5
                                 << QStringList{"5", "5", "4", "3", "2", "1", "15"};
}

void CombsPageTest::GenerateThroughTheDialog() {
    QFETCH(int, mode);
    QFETCH(QString, param);
    QFETCH(bool, save);
    QFETCH(int, count);
    QFETCH(QStringList, last);
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    // A step in the log and an undo copy, both gone with the new set.
    CombsPage(*w)->edCombsExclude->setValue(1);
    w->Command("CombsDelExists")->trigger();
    QCOMPARE(LogLines(*w).size(), 1);
    QVERIFY(w->Command("CombsUndo")->isEnabled());

    GenRun run;
    FillGenDialog(&run, mode, param, save);
    w->Command("CombsGen")->trigger();
    QCOMPARE(run.ShownMode, 0);  // the stored parameters
    QCOMPARE(run.ShownParam, QString());
    QCOMPARE(run.ParamEnabled, true);
    QCOMPARE(run.FileButtonEnabled, mode == 4);
    QVERIFY2(!run.StayedOpen, qPrintable(run.Error.Text));
    QCOMPARE(Rows(*w), count);
    QCOMPARE(CombRow(*w, count - 1), last);
    QCOMPARE(w->StatusPanelText(3), QString("Комбинаций: %1").arg(count));
    QCOMPARE(LogLines(*w), QStringList{});
    QVERIFY(!w->Command("CombsUndo")->isEnabled());
    const TGenerateParams stored = w->StoredGenerateParams();
    QCOMPARE(int(stored.Mode), save ? mode : 0);
    QCOMPARE(Q(stored.Param), save ? param : QString());
}

void CombsPageTest::DialogRefusesBadParameters_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("param");
    QTest::addColumn<QString>("error");
    QTest::newRow("any of nothing") << 1 << "" << "Не указано ни одного из \"моих чисел\" (от 1 до 50)!";
    QTest::newRow("none of numbers beyond the game") << 3 << "0;51" << "Не указано ни одного из \"моих чисел\" (от 1 до 50)!";
    QTest::newRow("only four numbers") << 2 << "1;2;3;4;4"
                                       << "Для комбинаций только из \"моих чисел\" нужно указать не менее 5 разных чисел от 1 до 50!";
    QTest::newRow("file without a name") << 4 << " " << "Не указано имя файла для загрузки!";
    QTest::newRow("missing file") << 4 << "/nonexistent/x.lcv" << "Файл \"/nonexistent/x.lcv\" не найден!";
}

void CombsPageTest::DialogRefusesBadParameters() {
    QFETCH(int, mode);
    QFETCH(QString, param);
    QFETCH(QString, error);
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    Generate(*w, 2, "1;2;3;4;5;6;7");
    GenRun run;
    FillGenDialog(&run, mode, param);
    w->Command("CombsGen")->trigger();
    QCOMPARE(run.Error.Caption, QString("Ошибка"));
    QCOMPARE(run.Error.Text, error);
    QVERIFY(run.StayedOpen);
    QVERIFY(run.FocusOnParam);
    // Cancelled: the set and the stored parameters stay.
    QCOMPARE(Rows(*w), 21);
    QCOMPARE(Q(w->StoredGenerateParams().Param), QString("1;2;3;4;5;6;7"));
}

void CombsPageTest::DeleteUndoExcludeAndTheLog() {
    DataFolder data(ThreeDraws());
    auto w = OpenMainWindow();
    Generate(*w, 2, "1;2;3;4;5;6;7");  // 21 combinations
    QCOMPARE(Rows(*w), 21);

    // Deleting asks first; No keeps everything.
    SelectCombRows(*w, {0, 2, 5});
    ShownBox box;
    AnswerBox(&box, QMessageBox::No);
    w->Command("CombsDelSelected")->trigger();
    QCOMPARE(box.Caption, QString("Предупреждение"));
    QCOMPARE(box.Text, QString("Удалить все выделенные записи (всего будет удалено 3 записи(ей))?"));
    QVERIFY(box.NoPreselected);
    QCOMPARE(Rows(*w), 21);
    QVERIFY(!w->Command("CombsUndo")->isEnabled());

    // Rows 0, 2 and 5 are 1 2 3 4 5, 1 2 3 4 7 and 1 2 3 6 7.
    // Ctrl+Del in the list deletes too: the script and stake pages give the same key to their own
    // deletions, each only within its own list.
    SelectCombRows(*w, {0, 2, 5});
    AnswerBox(&box, QMessageBox::Yes);
    QTest::keyClick(CombsPage(*w)->lvCombs, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(Rows(*w), 18);
    QVERIFY(!Has(*w, {1, 2, 3, 4, 5}) && !Has(*w, {1, 2, 3, 4, 7}) && !Has(*w, {1, 2, 3, 6, 7}));
    QCOMPARE(CombRow(*w, 0), (QStringList{"1", "1", "2", "3", "4", "6", "16"}));
    QCOMPARE(LogLines(*w), QStringList{"Выделенные комбинации|3|18|remove"});
    QCOMPARE(w->StatusPanelText(3), QString("Комбинаций: 18"));
    QVERIFY(!CombsPage(*w)->lvCombs->selectionModel()->hasSelection());

    // One step back, exactly.
    QVERIFY(w->Command("CombsUndo")->isEnabled());
    w->Command("CombsUndo")->trigger();
    QCOMPARE(Rows(*w), 21);
    QCOMPARE(CombRow(*w, 2), (QStringList{"3", "1", "2", "3", "4", "7", "17"}));
    QCOMPARE(LogLines(*w), QStringList{});
    QVERIFY(!w->Command("CombsUndo")->isEnabled());

    // The latest two draws: only draw 2 (3..7 in any order) is in the set.
    QVERIFY(!w->Command("CombsDelExists")->isEnabled());  // nothing to exclude at 0
    CombsPage(*w)->edCombsExclude->setValue(2);
    QVERIFY(w->Command("CombsDelExists")->isEnabled());
    w->Command("CombsDelExists")->trigger();
    QCOMPARE(Rows(*w), 20);
    QVERIFY(!Has(*w, {3, 4, 5, 6, 7}));
    QVERIFY(Has(*w, {1, 2, 3, 4, 5}));
    // Enter in the field runs the command: all three draws.
    CombsPage(*w)->edCombsExclude->setFocus();
    CombsPage(*w)->edCombsExclude->setValue(3);
    QTest::keyClick(CombsPage(*w)->edCombsExclude, Qt::Key_Return);
    QCOMPARE(Rows(*w), 19);
    QVERIFY(!Has(*w, {1, 2, 3, 4, 5}));
    QCOMPARE(LogLines(*w), (QStringList{"Последние тиражи|2|20|remove", "Последние тиражи|3|19|remove"}));
    QCOMPARE(w->StatusPanelText(3), QString("Комбинаций: 19"));
    QCOMPARE(w->StatusPanelText(6), QString());

    w->Command("CombsUndo")->trigger();
    QCOMPARE(Rows(*w), 20);
    QVERIFY(Has(*w, {1, 2, 3, 4, 5}));
    QCOMPARE(LogLines(*w), QStringList{"Последние тиражи|2|20|remove"});
    QVERIFY(!w->Command("CombsUndo")->isEnabled());

    // One row: the short question.
    SelectCombRows(*w, {19});
    AnswerBox(&box, QMessageBox::Yes);
    w->Command("CombsDelSelected")->trigger();
    QCOMPARE(box.Text, QString("Удалить выделенную запись?"));
    QCOMPARE(Rows(*w), 19);
    QVERIFY(!Has(*w, {3, 4, 5, 6, 7}) && !Has(*w, {2, 4, 5, 6, 7}) && Has(*w, {2, 3, 5, 6, 7}));
}

void CombsPageTest::ExclusionFollowsTheOffset_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("gone");  // draws k whose combination k, k+10, ..., k+40 is removed
    QTest::newRow("latest draw") << 0 << 1 << QList<int>{10};
    QTest::newRow("two before offset 3") << 3 << 2 << QList<int>{7, 6};
    QTest::newRow("more than the window holds") << 7 << 5 << QList<int>{3, 2, 1};
}

void CombsPageTest::ExclusionFollowsTheOffset() {
    QFETCH(int, offset);
    QFETCH(int, n);
    QFETCH(QList<int>, gone);
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    DrawsPage(*w)->edDrawsOffset->setValue(offset);
    CombsPage(*w)->edCombsExclude->setValue(n);
    w->Command("CombsDelExists")->trigger();
    QCOMPARE(Rows(*w), 2118760 - int(gone.size()));
    for (int k = 1; k <= 10; ++k) {
        const TCombination c{uint8_t(k), uint8_t(k + 10), uint8_t(k + 20), uint8_t(k + 30), uint8_t(k + 40)};
        QVERIFY2(Has(*w, c) != gone.contains(k), qPrintable(QString("draw %1").arg(k)));
    }
    QCOMPARE(LogLines(*w), QStringList{QString("Последние тиражи|%1|%2|remove").arg(n).arg(2118760 - gone.size())});
}

void CombsPageTest::ClipboardCopyAndPaste() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    Generate(*w, 2, "1;2;3;4;5;6");
    SelectCombRows(*w, {3, 1});
    w->Command("CombsCopy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("01 02 03 04 06\r\n01 02 04 05 06"));

    QApplication::clipboard()->clear();
    w->UpdateCommands();
    QVERIFY(!w->Command("CombsPaste")->isEnabled());

    // A step to undo, then a paste: a new set, its log cleared, nothing to undo.
    SelectCombRows(*w, {0});
    AnswerBox(nullptr, QMessageBox::Yes);
    w->Command("CombsDelSelected")->trigger();
    QApplication::clipboard()->setText("05 10 15 20 25\r\n50 49 48 47 46\r\n");
    w->UpdateCommands();
    QVERIFY(w->Command("CombsPaste")->isEnabled());
    w->Command("CombsPaste")->trigger();
    QCOMPARE(Rows(*w), 2);
    QCOMPARE(CombRow(*w, 1), (QStringList{"2", "50", "49", "48", "47", "46", "240"}));
    QCOMPARE(LogLines(*w), QStringList{});
    QVERIFY(!w->Command("CombsUndo")->isEnabled());

    // A line that is not a combination: the message, and the set stays.
    QApplication::clipboard()->setText("01 02 03 04 05\r\n01 02 03 04");
    ShownBox box;
    AnswerBox(&box, QMessageBox::Ok);
    w->Command("CombsPaste")->trigger();
    QCOMPARE(box.Caption, QString("Ошибка"));
    QCOMPARE(box.Text, QString("Некорректная комбинация: \"01 02 03 04\"!"));
    QCOMPARE(Rows(*w), 2);
    QCOMPARE(CombRow(*w, 0), (QStringList{"1", "5", "10", "15", "20", "25", "75"}));
    QCOMPARE(w->StatusPanelText(3), QString("Комбинаций: 2"));
}

void CombsPageTest::FilesSaveAndOpen() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    Generate(*w, 2, "1;2;3;4;5;50");
    const QString file = data.Path("six.lcv");
    ChooseFile(file);
    w->Command("CombsSave")->trigger();
    QCOMPARE(Q(ReadFileBytes(S(file))),
             QString("1;2;3;4;5\r\n1;2;3;4;50\r\n1;2;3;5;50\r\n1;2;4;5;50\r\n1;3;4;5;50\r\n2;3;4;5;50\r\n"));

    // Back into another set: a new set, nothing to undo.
    Generate(*w, 0, "");
    CombsPage(*w)->edCombsExclude->setValue(1);
    w->Command("CombsDelExists")->trigger();
    ChooseFile(file);
    w->Command("CombsOpen")->trigger();
    QCOMPARE(Rows(*w), 6);
    QCOMPARE(CombRow(*w, 5), (QStringList{"6", "2", "3", "4", "5", "50", "64"}));
    QCOMPARE(LogLines(*w), QStringList{});
    QVERIFY(!w->Command("CombsUndo")->isEnabled());

    // A file that is gone once chosen: the message, the set stays.
    const QString gone = data.Path("gone.lcv");
    QFile::copy(file, gone);
    ShownBox box;
    ChooseFile(gone, [gone] { QFile::remove(gone); });
    AnswerBox(&box, QMessageBox::Ok);
    w->Command("CombsOpen")->trigger();
    QVERIFY2(box.Text.startsWith(QString("Ошибка чтения файла \"%1\"!\n\n").arg(gone)), qPrintable(box.Text));
    QCOMPARE(Rows(*w), 6);

    // A file that cannot be written: a folder takes its name once it is chosen.
    const QString blocked = data.Path("blocked.lcv");
    ChooseFile(blocked, [blocked] { QDir().mkpath(blocked); });
    AnswerBox(&box, QMessageBox::Ok);
    w->Command("CombsSave")->trigger();
    QVERIFY2(box.Text.startsWith(QString("Ошибка записи в файл \"%1\"!").arg(blocked)), qPrintable(box.Text));
    QCOMPARE(w->StatusPanelText(6), QString());
    QVERIFY(w->IsIdle());
}

void CombsPageTest::SearchesAndCounts() {
    auto draws = ThreeDraws();
    draws.push_back(MakeDraw(4, {5, 4, 3, 2, 1}, 3, 4, "2020-01-04"));
    DataFolder data(draws);
    auto w = OpenMainWindow();
    Generate(*w, 2, "1;2;3;4;5;6");
    struct Case {
        int row;
        QString text;
    };
    const Case cases[] = {
        {0, "Выделенная комбинация найдена в следующих тиражах:\n\n" + Q(DrawToText(draws[3])) + "\n" +
                Q(DrawToText(draws[0]))},
        {1, "Выделенная комбинация не найдена архиве тиражей!"},
    };
    for (const auto& c : cases) {
        SelectCombRows(*w, {c.row});
        ShownBox box;
        AnswerBox(&box, QMessageBox::Ok);
        w->Command("CombsFindInDraws")->trigger();
        QCOMPARE(box.Caption, QString("Информация"));
        QCOMPARE(box.Text, c.text);
    }
    ShownBox box;
    AnswerBox(&box, QMessageBox::Ok);
    w->Command("CombsCheckNums")->trigger();
    QCOMPARE(box.Text, QString("В текущем списке комбинаций содержится 6 уникальных номеров"));

    // Without a focused row the row commands are off.
    CombsPage(*w)->lvCombs->selectionModel()->clear();
    w->UpdateCommands();
    QVERIFY(!w->Command("CombsFindInDraws")->isEnabled());
    QVERIFY(!w->Command("CombsInfo")->isEnabled());
    QVERIFY(!w->Command("CombsDelSelected")->isEnabled());
    QVERIFY(w->Command("CombsCopy")->isEnabled());
}

void CombsPageTest::InformationWindowOfACombination() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    Generate(*w, 2, "7;14;21;28;35;42");
    SelectCombRows(*w, {5});  // 14 21 28 35 42
    QStringList cells, properties;
    OnModal<TFormDrawInfo>([&](TFormDrawInfo* dlg) {
        for (int m = 1; m <= 50; ++m) {
            auto* it = dlg->sgCard->item((m - 1) / 5, (m - 1) % 5);
            if (it && !it->text().isEmpty()) cells << it->text();
        }
        for (int i = 0; i < dlg->lvProperties->topLevelItemCount(); ++i)
            properties << dlg->lvProperties->topLevelItem(i)->text(0) + " " + dlg->lvProperties->topLevelItem(i)->text(1);
        dlg->reject();
    });
    w->Command("CombsInfo")->trigger();
    QCOMPARE(cells, (QStringList{"14", "21", "28", "35", "42"}));
    QVERIFY(!properties.isEmpty());
    // No draw number or date for a combination: the statistics come first.
    QVERIFY2(!properties.join("|").contains("Номер тиража:") && !properties.join("|").contains("Дата тиража:"),
             qPrintable(properties.join("|")));
    QVERIFY2(properties.contains("Количество четных чисел в тираже (Ч:Н) 3"), qPrintable(properties.join("|")));
    QVERIFY2(properties.contains("Число в 1 позиции тиража 14"), qPrintable(properties.join("|")));
}

void CombsPageTest::ViewSettingsOutliveTheWindow() {
    DataFolder data(TenDraws());
    {
        auto w = OpenMainWindow();
        QAction* color = w->Command("ViewColorCombs");
        QVERIFY(color->isChecked());
        // Channel colours: 1 lies in channel 1, the row number cell is white.
        QCOMPARE(CombsPage(*w)->lvCombs->model()->index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xAA, 0xFF, 0xAA));
        QCOMPARE(CombsPage(*w)->lvCombs->model()->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));
        color->trigger();
        QVERIFY(!color->isChecked());
        QVERIFY(!w->Settings().ReadBool("TFormMain", "ColorCombs", true));
        QVERIFY(!CombsPage(*w)->lvCombs->model()->index(0, 1).data(Qt::BackgroundRole).isValid());

        w->pcLists->setCurrentWidget(CombsPage(*w));
        QApplication::processEvents();
        const int total = CombsPage(*w)->spCombs->sizes().value(0) + CombsPage(*w)->spCombs->sizes().value(1);
        CombsPage(*w)->spCombs->setSizes({total - 150, 150});
        CombsPage(*w)->spCombs->splitterMoved(total - 150, 1);
        CombsPage(*w)->edCombsExclude->setValue(4);
        CombsPage(*w)->lvCombs->setColumnWidth(0, 91);
        CombsPage(*w)->lvFilters->setColumnWidth(1, 77);
        w->close();
    }
    TWindowSettings saved(WindowSettingsFile());
    saved.Load();
    QCOMPARE(saved.ReadInteger("TFormMain", "FiltersHeight", 0), 150);
    QCOMPARE(saved.ReadInteger("TFormMain", "DrawsExclude", 0), 4);

    auto w = OpenMainWindow();
    QVERIFY(!w->Command("ViewColorCombs")->isChecked());
    QCOMPARE(CombsPage(*w)->edCombsExclude->value(), 4);
    QCOMPARE(CombsPage(*w)->lvCombs->columnWidth(0), 91);
    QCOMPARE(CombsPage(*w)->lvFilters->columnWidth(1), 77);
    w->pcLists->setCurrentWidget(CombsPage(*w));
    QApplication::processEvents();
    QCOMPARE(CombsPage(*w)->lvFilters->height(), 150);
    // The list keeps its height when the window grows.
    w->resize(w->width(), w->height() + 80);
    QApplication::processEvents();
    QCOMPARE(CombsPage(*w)->lvFilters->height(), 150);
}

void CombsPageTest::BusyDisablesEveryCommand() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    CombsPage(*w)->edCombsExclude->setValue(1);
    w->Command("CombsDelExists")->trigger();
    SelectCombRows(*w, {0});
    QApplication::clipboard()->setText("01 02 03 04 05");
    w->UpdateCommands();
    for (const auto& n : kCombsCommands) QVERIFY2(w->Command(n)->isEnabled(), qPrintable(n));
    w->BeginBusy();
    for (const auto& n : kCombsCommands) QVERIFY2(!w->Command(n)->isEnabled(), qPrintable(n));
    w->EndBusy();
    for (const auto& n : kCombsCommands) QVERIFY2(w->Command(n)->isEnabled(), qPrintable(n));
    // The buttons carry their own short captions, the menu items the commands'.
    QCOMPARE(CombsPage(*w)->btnCombsGen->text(), QString("Новый"));
    QCOMPARE(CombsPage(*w)->btnCombsDelExists->text(), QString("[-] Тиражи"));
    QCOMPARE(PlainCaption(w->Command("CombsGen")->text()), QString("Генерировать"));
}

void CombsPageTest::ExclusionShowsItsProgressWhileBusy() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    CombsPage(*w)->edCombsExclude->setValue(3);
    // The operation handles window events between its steps: a timer sees what the window shows.
    QStringList seen;
    bool commandsOff = true;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (w->IsIdle()) return;
        const QString text = w->StatusPanelText(6);
        if (!text.isEmpty() && !seen.contains(text)) seen << text;
        for (const auto& n : kCombsCommands) commandsOff = commandsOff && !w->Command(n)->isEnabled();
    });
    probe.start(0);
    w->Command("CombsDelExists")->trigger();
    probe.stop();
    QVERIFY2(seen.contains("Удаление из списка комбинаций 3 последних тиражей ( завершено 1 % )..."), qPrintable(seen.join("|")));
    QVERIFY2(seen.contains("Удаление из списка комбинаций 3 последних тиражей ( завершено 100 % )..."), qPrintable(seen.join("|")));
    QVERIFY(commandsOff);
    QCOMPARE(w->StatusPanelText(6), QString());
    QVERIFY(w->IsIdle());
    QCOMPARE(Rows(*w), 2118757);
}

void CombsPageTest::Screenshot() {
    DataFolder data(MakeSampleDraws(120, 5));
    auto w = OpenMainWindow();
    w->resize(1000, 640);
    w->pcLists->setCurrentWidget(CombsPage(*w));
    CombsPage(*w)->edCombsExclude->setValue(10);
    w->Command("CombsDelExists")->trigger();
    SelectCombRows(*w, {1, 2, 3});
    AnswerBox(nullptr, QMessageBox::Yes);
    w->Command("CombsDelSelected")->trigger();
    SelectCombRows(*w, {4, 6, 7});
    QApplication::processEvents();
    QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/combs.png"));
    bool dialogSaved = false;
    OnModal<TFormGenCombs>([&](TFormGenCombs* dlg) {
        dlg->cbCombsGenerateMode->setCurrentIndex(2);
        dlg->edCombsGenerateParam->setText("3;7;12;19;25;33;41");
        dialogSaved = dlg->grab().save(dir + "/gen_combs.png");
        dlg->reject();
    });
    w->Command("CombsGen")->trigger();
    QVERIFY(dialogSaved);
}

QTEST_MAIN(CombsPageTest)
#include "combs_page_test.moc"
