// The page "Архив тиражей" driven through the real main window: list, status panels, the draw
// dialog, delete, offset, sorted switch, CSV import and export, the information window.
#include "gui_test_util.h"

#include "gui/draws/form_draw.h"
#include "gui/draws/form_draw_info.h"
#include "core/model/draws_csv.h"
#include "gui/app/qt_text.h"
#include "core/util/text.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <filesystem>

using namespace velmora;
using namespace velmora::test;

namespace {

QString Cell(TFormMain& w, int row, int col) { return DrawsPage(w)->lvDraws->model()->index(row, col).data().toString(); }

QStringList Row(TFormMain& w, int row) {
    QStringList out;
    for (int c = 0; c < DrawsPage(w)->lvDraws->model()->columnCount(); ++c) out << Cell(w, row, c);
    return out;
}

QColor CellColor(TFormMain& w, int row, int col) {
    return DrawsPage(w)->lvDraws->model()->index(row, col).data(Qt::BackgroundRole).value<QBrush>().color();
}

QStringList Panels(TFormMain& w) { return {w.StatusPanelText(0), w.StatusPanelText(1), w.StatusPanelText(2)}; }

// The draws stored in the archive file.
TDrawsArray FileDraws() {
    TDrawsArchive a;
    a.FileName = ProductFile(".ldr");
    a.LoadDraws();
    return a.Draws;
}

std::vector<int> FileNumbers() {
    std::vector<int> out;
    for (const auto& d : FileDraws()) out.push_back(d.Number);
    return out;
}

void SelectRows(TFormMain& w, std::initializer_list<int> rows) {
    auto* sel = DrawsPage(w)->lvDraws->selectionModel();
    sel->clearSelection();
    for (int r : rows)
        sel->select(DrawsPage(w)->lvDraws->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    sel->setCurrentIndex(DrawsPage(w)->lvDraws->model()->index(*rows.begin(), 0), QItemSelectionModel::NoUpdate);
}

// Fills the draw dialog and presses OK; when the text is refused, records the error box and
// cancels the dialog after checking that it stayed open.
struct DialogRun {
    QString Caption, ShownData;
    int ShownNumber = 0;
    ShownBox Error;
    bool StayedOpen = false;
};

void FillDrawDialog(DialogRun* run, const QString& data, const QDate& date, int number = 0) {
    OnModal<TFormDraw>([=](TFormDraw* dlg) {
        run->Caption = dlg->windowTitle();
        run->ShownData = dlg->edDrawData->text();
        run->ShownNumber = dlg->edDrawNumber->value();
        dlg->edDrawData->setText(data);
        if (date.isValid()) dlg->edDrawDate->setDate(date);
        if (number > 0) dlg->edDrawNumber->setValue(number);
        // A refused text shows its error box inside accept(); an accepted one shows none.
        auto box = AnswerBox(&run->Error, QMessageBox::Ok);
        dlg->accept();
        StopModal(box);
        if (dlg->isVisible()) {
            run->StayedOpen = true;
            dlg->reject();
        }
    });
}

} // namespace

class DrawsPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void StartShowsTheArchive_data();
    void StartShowsTheArchive();
    void AddThroughTheDialog_data();
    void AddThroughTheDialog();
    void EditKeepsThePlaceInTheArchive();
    void DeleteAsksAndRemovesExactlyTheSelection_data();
    void DeleteAsksAndRemovesExactlyTheSelection();
    void DeleteWithRepeatedNumbersRemovesTheSelectedDraw();
    void OffsetMovesStatusAndRowColour_data();
    void OffsetMovesStatusAndRowColour();
    void SortedSwitchChangesTheViewNotTheFile();
    void ColourSwitch();
    void SettingsOutliveTheWindow();
    void FailedSaveKeepsTheChange();
    void ExportThenImportRestoresTheArchive();
    void ImportSkipsKnownNumbersAndBadLines();
    void InformationWindow();
    void BusyDisablesEveryCommand();
    void Screenshot();
};

void DrawsPageTest::StartShowsTheArchive_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<bool>("file");
    QTest::addColumn<QStringList>("panels");
    QTest::addColumn<QStringList>("firstRow");
    QTest::addColumn<bool>("exportEnabled");
    QTest::newRow("no archive file") << 0 << false << QStringList{"Архив тиражей: 0", "Следующий тираж: 1", ""}
                                     << QStringList{} << false;
    QTest::newRow("ten draws") << 10 << true << QStringList{"Архив тиражей: 10", "Следующий тираж: 11", ""}
                               << QStringList{"10", "40", "10", "50", "20", "30", "1", "2", "150", "2020-01-10"}
                               << true;
}

void DrawsPageTest::StartShowsTheArchive() {
    QFETCH(int, draws);
    QFETCH(bool, file);
    QFETCH(QStringList, panels);
    QFETCH(QStringList, firstRow);
    QFETCH(bool, exportEnabled);
    auto all = TenDraws();
    DataFolder data(TDrawsArray(all.begin(), all.begin() + draws), file);
    auto w = OpenMainWindow();
    QCOMPARE(DrawsPage(*w)->lvDraws->model()->rowCount(), draws);
    QCOMPARE(Panels(*w), panels);
    if (!firstRow.isEmpty()) QCOMPARE(Row(*w, 0), firstRow);
    QCOMPARE(w->Command("DrawsExport")->isEnabled(), exportEnabled);
    QCOMPARE(DrawsPage(*w)->edDrawsOffset->maximum(), std::max(draws - 1, 0));
    QVERIFY(w->windowTitle().startsWith("Анализ статистики лотереи \"Velmora 5 из 50\" версия "));
}

void DrawsPageTest::AddThroughTheDialog_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("storedNumbers");
    QTest::newRow("semicolons") << 10 << "7;3;9;1;5;4;2" << true << "7;3;9;1;5;4;2";
    QTest::newRow("mixed separators, blanks") << 10 << " 1,2; 3,4;5 ,1;2" << true << "1;2;3;4;5;1;2";
    QTest::newRow("into an empty archive") << 0 << "1;2;3;4;5;1;2" << true << "1;2;3;4;5;1;2";
    QTest::newRow("blanks as in the grid") << 10 << "3 7 19 28 44 2 9" << true << "3;7;19;28;44;2;9";
    QTest::newRow("an empty value between separators") << 10 << "1;;2;3;4;5;1;2" << false << "";
    QTest::newRow("no extras") << 10 << "3 7 19 28 44" << false << "";
    QTest::newRow("repeated number") << 10 << "1;2;3;4;4;1;2" << false << "";
    QTest::newRow("number above 50") << 10 << "1;2;3;4;51;1;2" << false << "";
    QTest::newRow("extra above 10") << 10 << "1;2;3;4;5;1;11" << false << "";
    QTest::newRow("six values") << 10 << "1;2;3;4;5;1" << false << "";
    QTest::newRow("not a number") << 10 << "1;2;x;4;5;1;2" << false << "";
}

void DrawsPageTest::AddThroughTheDialog() {
    QFETCH(int, draws);
    QFETCH(QString, input);
    QFETCH(bool, accepted);
    QFETCH(QString, storedNumbers);
    auto all = TenDraws();
    DataFolder data(TDrawsArray(all.begin(), all.begin() + draws), draws > 0);
    auto w = OpenMainWindow();

    DialogRun run;
    FillDrawDialog(&run, input, QDate(2024, 5, 17));
    w->Command("DrawsAdd")->trigger();

    QCOMPARE(run.Caption, QString("Введите данные следующего тиража"));
    QCOMPARE(run.ShownNumber, draws + 1);  // the number after the newest draw, 1 for an empty archive
    QCOMPARE(run.ShownData, QString("0;0;0;0;0;0;0"));
    const auto file = FileDraws();
    if (accepted) {
        QVERIFY(!run.StayedOpen);
        QCOMPARE(int(file.size()), draws + 1);
        QCOMPARE(file.back().Number, draws + 1);
        QCOMPARE(Q(DrawDataText(file.back())), storedNumbers);
        QCOMPARE(Q(file.back().DateText()), QString("2024-05-17"));
        QCOMPARE(Cell(*w, 0, 0), QString::number(draws + 1));
        QCOMPARE(w->StatusPanelText(0), QString("Архив тиражей: %1").arg(draws + 1));
    } else {
        QCOMPARE(run.Error.Caption, QString("Ошибка"));
        // The message says what is expected.
        QCOMPARE(run.Error.Text, QString("Введена некорректная комбинация!\n\nУкажите 5 разных чисел от 1 до 50 и за "
                                         "ними 2 дополнительных числа от 1 до 10, разделяя их пробелом, запятой или "
                                         "точкой с запятой, например: 3 7 19 28 44 2 9"));
        QVERIFY(run.StayedOpen);
        QCOMPARE(int(file.size()), draws);
        QCOMPARE(DrawsPage(*w)->lvDraws->model()->rowCount(), draws);
    }
}

void DrawsPageTest::EditKeepsThePlaceInTheArchive() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    SelectRows(*w, {2});  // draw 8
    DialogRun run;
    FillDrawDialog(&run, "11;12;13;14;15;3;4", QDate(2021, 2, 3), 80);
    w->Command("DrawsEdit")->trigger();

    QCOMPARE(run.ShownNumber, 8);
    QCOMPARE(run.ShownData, QString("38;8;48;18;28;1;2"));  // stored order, then the extras
    const auto file = FileDraws();
    QCOMPARE(int(file.size()), 10);
    // Changing the number does not move the draw.
    QCOMPARE(file[7].Number, 80);
    QCOMPARE(Q(DrawDataText(file[7])), QString("11;12;13;14;15;3;4"));
    QCOMPARE(Q(file[7].DateText()), QString("2021-02-03"));
    QCOMPARE(file[6].Number, 7);
    QCOMPARE(file[8].Number, 9);
    QCOMPARE(Row(*w, 2).mid(0, 2), (QStringList{"80", "11"}));
    // The edited draw stays the selected one: "Удалить" and "Сведения о тираже" work on it.
    const QModelIndexList selected = DrawsPage(*w)->lvDraws->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 2);
    QCOMPARE(DrawsPage(*w)->lvDraws->currentIndex().row(), 2);
    QVERIFY(w->Command("DrawsDel")->isEnabled());
    QVERIFY(w->Command("DrawsInfo")->isEnabled());
}

void DrawsPageTest::DeleteAsksAndRemovesExactlyTheSelection_data() {
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QList<int>>("left");
    QTest::newRow("three apart, yes") << QList<int>{1, 4, 8} << true
                                      << "Удалить все выделенные записи (всего будет удалено 3 записи(ей))?"
                                      << QList<int>{1, 3, 4, 5, 7, 8, 10};
    QTest::newRow("three apart, no") << QList<int>{1, 4, 8} << false
                                     << "Удалить все выделенные записи (всего будет удалено 3 записи(ей))?"
                                     << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("one row") << QList<int>{0} << true << "Удалить выделенную запись?"
                             << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9};
    QTest::newRow("oldest and newest") << QList<int>{9, 0} << true
                                       << "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?"
                                       << QList<int>{2, 3, 4, 5, 6, 7, 8, 9};
}

void DrawsPageTest::DeleteAsksAndRemovesExactlyTheSelection() {
    QFETCH(QList<int>, rows);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(QList<int>, left);
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    auto* sel = DrawsPage(*w)->lvDraws->selectionModel();
    for (int r : rows) sel->select(DrawsPage(*w)->lvDraws->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    w->UpdateCommands();
    ShownBox box;
    AnswerBox(&box, yes ? QMessageBox::Yes : QMessageBox::No);
    w->Command("DrawsDel")->trigger();

    QCOMPARE(box.Caption, QString("Предупреждение"));
    QCOMPARE(box.Text, question);
    QVERIFY(box.NoPreselected);
    const auto numbers = FileNumbers();
    QCOMPARE(QList<int>(numbers.begin(), numbers.end()), left);
    QCOMPARE(DrawsPage(*w)->lvDraws->model()->rowCount(), int(left.size()));
    QCOMPARE(w->StatusPanelText(0), QString("Архив тиражей: %1").arg(left.size()));
}

void DrawsPageTest::DeleteWithRepeatedNumbersRemovesTheSelectedDraw() {
    // Two draws carry the number 5 (an edit can give a draw any number); the newer one is deleted.
    auto draws = TenDraws();
    draws[7].Number = 5;
    DataFolder data(draws);
    auto w = OpenMainWindow();
    SelectRows(*w, {2});
    AnswerBox(nullptr, QMessageBox::Yes);
    w->Command("DrawsDel")->trigger();
    const auto file = FileDraws();
    QCOMPARE(int(file.size()), 9);
    QCOMPARE(file[4].Number, 5);
    QCOMPARE(Q(file[4].DateText()), QString("2020-01-05"));
    QCOMPARE(Q(file[7].DateText()), QString("2020-01-09"));
}

void DrawsPageTest::OffsetMovesStatusAndRowColour_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QStringList>("panels");
    QTest::newRow("0") << 0 << 0 << QStringList{"Архив тиражей: 10", "Следующий тираж: 11", ""};
    QTest::newRow("3: draw 8 follows") << 3 << 3 << QStringList{"Архив тиражей: 10", "Следующий тираж: 8", "38;8;48;18;28"};
    QTest::newRow("oldest") << 9 << 9 << QStringList{"Архив тиражей: 10", "Следующий тираж: 2", "32;2;42;12;22"};
    QTest::newRow("beyond the archive") << 40 << 9 << QStringList{"Архив тиражей: 10", "Следующий тираж: 2", "32;2;42;12;22"};
}

void DrawsPageTest::OffsetMovesStatusAndRowColour() {
    QFETCH(int, offset);
    QFETCH(int, shown);
    QFETCH(QStringList, panels);
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    DrawsPage(*w)->edDrawsOffset->setValue(offset);
    QCOMPARE(DrawsPage(*w)->edDrawsOffset->value(), shown);
    QCOMPARE(w->Draws().Offset(), shown);
    QCOMPARE(Panels(*w), panels);
    // The offset row is marked outside its number cells; number cells keep their channel colours.
    const QColor mark(0xFF, 0xAA, 0xAA);
    QCOMPARE(CellColor(*w, shown, 0), mark);
    QCOMPARE(CellColor(*w, shown, 9), mark);
    QCOMPARE(CellColor(*w, (shown + 1) % 10, 0), QColor(Qt::white));
    // Row 0 is draw 10, whose first number 40 lies in channel 8 (0xD4D4D4).
    QCOMPARE(CellColor(*w, 0, 1), QColor(0xD4, 0xD4, 0xD4));
}

void DrawsPageTest::SortedSwitchChangesTheViewNotTheFile() {
    DataFolder data(TenDraws());
    const std::string before = ReadFileBytes(data.ArchiveFile());
    auto w = OpenMainWindow();
    QAction* sorted = w->Command("DrawsSorted");
    QVERIFY(!sorted->isChecked());
    sorted->trigger();
    QVERIFY(sorted->isChecked());
    QCOMPARE(Row(*w, 0).mid(1, 5), (QStringList{"10", "20", "30", "40", "50"}));
    QVERIFY(w->Settings().ReadBool("TFormMain", "SortedDraws", false));
    // Saving while sorted writes the drawn order.
    w->SaveDraws();
    QCOMPARE(ReadFileBytes(data.ArchiveFile()), before);
    // A draw added while sorted is stored as typed.
    DialogRun run;
    FillDrawDialog(&run, "9;8;7;6;5;1;2", QDate(2024, 1, 2));
    w->Command("DrawsAdd")->trigger();
    QCOMPARE(Q(DrawDataText(FileDraws().back())), QString("9;8;7;6;5;1;2"));
    QCOMPARE(Row(*w, 0).mid(1, 5), (QStringList{"5", "6", "7", "8", "9"}));
    sorted->trigger();
    QCOMPARE(Row(*w, 0).mid(1, 5), (QStringList{"9", "8", "7", "6", "5"}));
    QVERIFY(!w->Settings().ReadBool("TFormMain", "SortedDraws", true));
}

void DrawsPageTest::ColourSwitch() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QAction* color = w->Command("ViewColorDraws");
    QVERIFY(color->isChecked());
    color->trigger();
    QVERIFY(!color->isChecked());
    QVERIFY(!w->Settings().ReadBool("TFormMain", "ColorDraws", true));
    // Without channel colours only the offset row is marked.
    QVERIFY(!DrawsPage(*w)->lvDraws->model()->index(1, 1).data(Qt::BackgroundRole).isValid());
    QCOMPARE(CellColor(*w, 0, 1), QColor(0xFF, 0xAA, 0xAA));
}

void DrawsPageTest::SettingsOutliveTheWindow() {
    DataFolder data(TenDraws());
    {
        // Left by an earlier session: the width must survive (it is above the left pages'
        // smallest width, so the splitter can honour it next to the right pages).
        TWindowSettings earlier(WindowSettingsFile());
        earlier.WriteInteger("TFormMain", "LeftPanelWidth", 480);
        earlier.Save();
    }
    {
        auto w = OpenMainWindow(QSize(1400, 700));  // room for the right pages beside 480 px
        w->Command("DrawsSorted")->trigger();
        w->Command("ViewColorDraws")->trigger();
        DrawsPage(*w)->lvDraws->setColumnWidth(0, 77);
        w->close();
    }
    QCOMPARE(QFileInfo(Q(WindowSettingsFile())).fileName(), QString("Velmora_5x50.frm"));
    auto w = OpenMainWindow(QSize(1400, 700));  // room for the right pages beside 480 px
    QVERIFY(w->Command("DrawsSorted")->isChecked());
    QVERIFY(!w->Command("ViewColorDraws")->isChecked());
    QCOMPARE(Row(*w, 0).mid(1, 5), (QStringList{"10", "20", "30", "40", "50"}));
    QCOMPARE(DrawsPage(*w)->lvDraws->columnWidth(0), 77);
    TWindowSettings saved(WindowSettingsFile());
    saved.Load();
    QCOMPARE(saved.ReadInteger("TFormMain", "LeftPanelWidth", 0), 480);
    QCOMPARE(saved.ReadInteger("TFormMain", "ShowCmd", 0), 1);
}

void DrawsPageTest::FailedSaveKeepsTheChange() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    // The archive file cannot be replaced: a folder stands in its place.
    std::filesystem::remove(data.ArchiveFile());
    std::filesystem::create_directory(data.ArchiveFile());
    DialogRun run;
    FillDrawDialog(&run, "1;2;3;4;5;1;2", QDate(2024, 1, 2));
    ShownBox box;  // the save error comes once the dialog has closed
    AnswerBox(&box, QMessageBox::Ok);
    w->Command("DrawsAdd")->trigger();
    QCOMPARE(box.Caption, QString("Ошибка"));
    QVERIFY2(box.Text.startsWith("Ошибка записи в файл тиражей!\n\n"), qPrintable(box.Text));
    QCOMPARE(w->Draws().Count(), 11);
    QCOMPARE(DrawsPage(*w)->lvDraws->model()->rowCount(), 11);
    QCOMPARE(w->StatusPanelText(0), QString("Архив тиражей: 11"));
    QCOMPARE(w->StatusPanelText(6), QString());
    QVERIFY(w->IsIdle());
}

void DrawsPageTest::ExportThenImportRestoresTheArchive() {
    auto draws = TenDraws();
    draws[3].Number = 40;  // numbers need not be contiguous
    DataFolder data(draws);
    const QString csv = data.Path("export.csv");
    {
        auto w = OpenMainWindow();
        ChooseFile(csv);
        w->Command("DrawsExport")->trigger();
        QVERIFY(QFile::exists(csv));
    }
    std::filesystem::remove(data.ArchiveFile());
    auto w = OpenMainWindow();
    QCOMPARE(DrawsPage(*w)->lvDraws->model()->rowCount(), 0);
    ChooseFile(csv);
    w->Command("DrawsImport")->trigger();
    const auto back = FileDraws();
    QCOMPARE(int(back.size()), 10);
    for (size_t i = 0; i < back.size(); ++i) {
        QCOMPARE(back[i].Number, draws[i].Number);
        QCOMPARE(Q(DrawDataText(back[i])), Q(DrawDataText(draws[i])));
        QCOMPARE(Q(back[i].DateText()), Q(draws[i].DateText()));
    }
    QCOMPARE(w->StatusPanelText(0), QString("Архив тиражей: 10"));
    QCOMPARE(w->StatusPanelText(6), QString());
}

void DrawsPageTest::ImportSkipsKnownNumbersAndBadLines() {
    // The fixture: draw 21, an 8-field line (numbered archive length + 1), draw 1 (known), a bad line.
    auto draws = TenDraws();
    DataFolder data(TDrawsArray(draws.begin(), draws.begin() + 3));
    auto w = OpenMainWindow();
    ChooseFile(VELMORA_TEST_DATA "/draws_mixed.csv");
    w->Command("DrawsImport")->trigger();
    QCOMPARE(FileNumbers(), (std::vector<int>{1, 2, 3, 21, 5}));
    QCOMPARE(Row(*w, 0), (QStringList{"5", "8", "9", "10", "11", "12", "1", "2", "50", "2020-01-04"}));
}

void DrawsPageTest::InformationWindow() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    SelectRows(*w, {2});  // draw 8: 38, 8, 48, 18, 28
    QStringList cells;
    QStringList properties;
    QColor cell1;
    int rows7 = 0;
    QString at50;
    OnModal<TFormDrawInfo>([&](TFormDrawInfo* dlg) {
        for (int m = 1; m <= 50; ++m) {
            auto* it = dlg->sgCard->item((m - 1) / 5, (m - 1) % 5);
            if (it && !it->text().isEmpty()) cells << it->text();
        }
        cell1 = dlg->sgCard->item(0, 0)->background().color();
        for (int i = 0; i < dlg->lvProperties->topLevelItemCount(); ++i)
            properties << dlg->lvProperties->topLevelItem(i)->text(0) + " " + dlg->lvProperties->topLevelItem(i)->text(1);
        dlg->edColumns->setValue(7);
        rows7 = dlg->sgCard->rowCount();
        at50 = QString::number(dlg->sgCard->item(7, 0) != nullptr);
        dlg->reject();
    });
    DrawsPage(*w)->lvDraws->doubleClicked(DrawsPage(*w)->lvDraws->model()->index(2, 0));
    QCOMPARE(cells, (QStringList{"8", "18", "28", "38", "48"}));
    QCOMPARE(cell1, QColor(0xAA, 0xFF, 0xAA));  // channel 1
    QCOMPARE(properties.mid(0, 2), (QStringList{"Номер тиража: 8", "Дата тиража: 2020-01-08"}));
    // Then the statistics with a graph, the draw's values in drawn order.
    QVERIFY2(properties.contains("Количество четных чисел в тираже (Ч:Н) 5"), qPrintable(properties.join("|")));
    QVERIFY2(properties.contains("Число в 1 позиции тиража 38"), qPrintable(properties.join("|")));
    QVERIFY(!properties.join("|").contains("Числа тиража"));
    QCOMPARE(rows7, 8);  // 50 numbers in 7 columns: number 50 alone in row 8
    QCOMPARE(at50, QString("1"));
}

void DrawsPageTest::BusyDisablesEveryCommand() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    SelectRows(*w, {0});
    w->UpdateCommands();
    const QStringList names{"DrawsInfo", "DrawsImport", "DrawsExport", "DrawsAdd", "DrawsEdit", "DrawsDel",
                            "DrawsSorted", "ViewColorDraws"};
    for (const auto& n : names) QVERIFY2(w->Command(n)->isEnabled(), qPrintable(n));
    w->BeginBusy();
    w->BeginBusy();
    w->EndBusy();
    for (const auto& n : names) QVERIFY2(!w->Command(n)->isEnabled(), qPrintable(n));
    w->EndBusy();
    w->EndBusy();  // never below zero
    QVERIFY(w->IsIdle());
    for (const auto& n : names) QVERIFY2(w->Command(n)->isEnabled(), qPrintable(n));
    // Without a focused row the row commands are off.
    DrawsPage(*w)->lvDraws->selectionModel()->clear();
    w->UpdateCommands();
    QVERIFY(!w->Command("DrawsEdit")->isEnabled());
    QVERIFY(!w->Command("DrawsDel")->isEnabled());
    QVERIFY(!w->Command("DrawsInfo")->isEnabled());
}

void DrawsPageTest::Screenshot() {
    DataFolder data(MakeSampleDraws(120, 5));
    auto w = OpenMainWindow();
    w->resize(1000, 640);
    DrawsPage(*w)->edDrawsOffset->setValue(3);
    SelectRows(*w, {6, 8});
    QApplication::processEvents();
    QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/draws.png"));
    bool infoSaved = false, dialogSaved = false;
    OnModal<TFormDrawInfo>([&](TFormDrawInfo* dlg) {
        infoSaved = dlg->grab().save(dir + "/draw_info.png");
        dlg->reject();
    });
    w->Command("DrawsInfo")->trigger();
    OnModal<TFormDraw>([&](TFormDraw* dlg) {
        dialogSaved = dlg->grab().save(dir + "/draw_dialog.png");
        dlg->reject();
    });
    w->Command("DrawsEdit")->trigger();
    QVERIFY(infoSaved);
    QVERIFY(dialogSaved);
}

QTEST_MAIN(DrawsPageTest)
#include "draws_page_test.moc"
