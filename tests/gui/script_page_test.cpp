// The page "Сценарий" driven through the real main window: the line editor (add, clone, edit,
// the filter dialog on a field), moving and deleting lines with confirmation, the enabling rules,
// script files, and the current script file rewritten after each change and read at the next start.
#include "gui_test_util.h"

#include "core/scripts/script_line.h"
#include "core/util/text.h"
#include "gui/app/enter_spin_box.h"
#include "gui/app/qt_text.h"
#include "gui/filters/form_filter.h"
#include "gui/scripts/form_script.h"
#include "gui/scripts/script_page.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

#include <memory>
#include <sys/stat.h>

using namespace velmora;
using namespace velmora::test;

namespace {

TScriptPage* ScriptPage(TTemplateMain& w) { return w.Page<TScriptPage>(); }

QStringList Lines(TTemplateMain& w) {
    QStringList out;
    for (const auto& l : ScriptPage(w)->Script().Lines()) out << Q(l);
    return out;
}

// The current script file as the next start reads it.
QStringList FileLines() {
    QStringList out;
    for (const auto& l : ReadTextLines(ProductFile(".lss"))) out << Q(l);
    return out;
}

void WriteCurrentScript(const QStringList& lines) {
    std::vector<std::string> v;
    for (const auto& l : lines) v.push_back(S(l));
    WriteTextLines(ProductFile(".lss"), v);
}

QStringList Cells(TTemplateMain& w, int row) {
    QStringList out;
    auto* m = ScriptPage(w)->lvScript->model();
    for (int c = 0; c < m->columnCount(); ++c) out << m->index(row, c).data().toString();
    return out;
}

QList<int> SelectedRows(TTemplateMain& w) {
    QList<int> rows;
    for (const auto& i : ScriptPage(w)->lvScript->selectionModel()->selectedRows()) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void Select(TTemplateMain& w, const QList<int>& rows) {
    auto* v = ScriptPage(w)->lvScript;
    v->clearSelection();
    for (int r : rows)
        v->selectionModel()->select(v->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    w.UpdateCommands();
}

bool Enabled(TTemplateMain& w, const char* command) {
    w.UpdateCommands();
    return w.Command(command)->isEnabled();
}

QString LinesText(TTemplateMain& w) { return ScriptPage(w)->sbScript->findChild<QLabel*>()->text(); }

void DoubleClickRow(TTemplateMain& w, int row) {
    w.pcMain->setCurrentWidget(ScriptPage(w));
    QApplication::processEvents();
    auto* v = ScriptPage(w)->lvScript;
    const QRect rect = v->visualRect(v->model()->index(row, 0));
    QVERIFY(rect.isValid() && v->viewport()->rect().contains(rect.center()));
    // As a mouse does it: the first click, then the double click (Qt Test sends only the latter).
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, rect.center());
}

const QStringList kCommands{"ScriptOpen",  "ScriptSave", "ScriptAdd", "ScriptEmpty", "ScriptLoad", "ScriptClone",
                            "ScriptEdit",  "ScriptDel",  "ScriptClr", "ScriptUp",    "ScriptDown"};

const QString kStep0 = "FULL:2#LAST#CLR|TSD1#NUMS:10| |BSF#even:5| | | | |Один";
const QString kStep2 = "CURR:0#NONE| | | | | | | |Два";

} // namespace

class ScriptPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void CommandsOfThePage();
    void AddThroughTheEditor();
    void CloneAndEditKeepTheLayout();
    void EnablingRules();
    void MoveDeleteAndTheNextStart();
    void ScriptFiles();
    void Screenshot();
};

void ScriptPageTest::CommandsOfThePage() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    TScriptPage* page = ScriptPage(*w);
    QVERIFY(page);
    const int tab = w->pcMain->indexOf(page);
    QVERIFY(tab >= 0);
    QCOMPARE(w->pcMain->tabText(tab), QString("Сценарий"));
    struct Row {
        const char* name;
        QString caption, key, hint;
    } rows[] = {
        {"ScriptOpen", "Открыть", "Ctrl+J", "Загрузить сценарий из файла"},
        {"ScriptSave", "Сохранить", "Ctrl+I", "Сохранить сценарий в файле"},
        {"ScriptAdd", "Добавить фильтры", "Ctrl+Ins", "Добавить новую команду в сценарий"},
        {"ScriptEmpty", "Добавить разделитель", "Ctrl+Shift+Ins", "Добавить разделитель в сценарий"},
        {"ScriptLoad", "Добавить сценарий", "", "Добавить выбранный сценарий из файла в текущий сценарий"},
        {"ScriptClone", "Клонировать", "Ctrl+K", "Добавить новую команду в сценарий и скопировать в нее данные из выделенной"},
        {"ScriptEdit", "Изменить", "Ctrl+Return", "Редактировать выделенную команду"},
        {"ScriptDel", "Удалить", "Ctrl+Del", "Удалить выделенные строки"},
        {"ScriptClr", "Удалить все", "", "Удалить весь сценарий"},
        {"ScriptUp", "Переместить вверх", "Ctrl+Up", "Переместить выделенную строку вверх"},
        {"ScriptDown", "Переместить вниз", "Ctrl+Down", "Переместить выделенную строку вниз"},
    };
    for (const auto& r : rows) {
        QAction* a = w->Command(r.name);
        QVERIFY2(a, r.name);
        QCOMPARE(a->text().remove(QLatin1Char('&')), r.caption);  // menus may add access keys
        QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), r.key);
        QCOMPARE(a->toolTip(), r.hint);
    }
    QStringList menu;
    for (QAction* a : page->pmScript->actions()) menu << (a->isSeparator() ? QString("-") : a->objectName());
    QCOMPARE(menu, QStringList({"ScriptOpen", "ScriptSave", "-", "ScriptAdd", "ScriptEmpty", "ScriptLoad", "ScriptClone",
                                "ScriptEdit", "-", "ScriptDel", "ScriptClr", "-", "ScriptUp", "ScriptDown", "-",
                                "ScriptRun", "ScriptTest", "ScriptStop", "-", "LogToggle", "LogsDelete", "-",
                                "StakesCheckLine"}));
    QCOMPARE(page->pmScript->defaultAction(), w->Command("ScriptEdit"));
    QStringList headers;
    for (int c = 0; c < page->lvScript->model()->columnCount(); ++c) {
        headers << page->lvScript->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(page->lvScript->columnWidth(c), 200);
    }
    QCOMPARE(headers, QStringList({"Комментарии", "Опции", "Фильтр 1", "Фильтр 2", "Фильтр 3", "Фильтр 4", "Фильтр 5",
                                   "Фильтр 6", "Фильтр 7"}));
    QCOMPARE(LinesText(*w), QString("Строк: 0"));
}

void ScriptPageTest::AddThroughTheEditor() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    CombsPage(*w)->edCombsExclude->setValue(4);
    QString title, fromDialog, filter3, filter5 = "unchanged?";
    int shownExclude = -1;
    bool cleared = false, hints = false;
    OnModal<TFormScript>([&](TFormScript* dlg) {
        title = dlg->windowTitle();
        shownExclude = dlg->edDrawsExclude->value();
        cleared = dlg->edComments->text().isEmpty() && dlg->cbStartCombsType->currentIndex() == 0 &&
                  dlg->cbResultCombsMode->currentIndex() == 0 && !dlg->cbClearStakes->isChecked() &&
                  !dlg->cbNewOnly->isChecked() && dlg->edFilter[0]->text().isEmpty();
        hints = dlg->edComments->toolTip() == "Комментарии (можно оставить пустым)" &&
                dlg->edFilter[2]->toolTip() == "Фильтр 3" && dlg->btnFilter[2]->toolTip() == "Редактировать фильтр" &&
                dlg->cbStartCombsType->count() == 3 && dlg->cbResultCombsMode->count() == 9 &&
                dlg->cbResultCombsMode->itemText(8) == "Не делать ставок (для последовательного выполнения)";
        dlg->edComments->setText("  Первая  ");
        dlg->cbStartCombsType->setCurrentIndex(1);
        dlg->cbResultCombsMode->setCurrentIndex(3);
        dlg->cbNewOnly->setChecked(true);
        dlg->edFilter[0]->setText("TSD1#NUMS:10");
        // "..." of filter 3 opens the filter dialog; its step comes back as text.
        OnModal<TFormFilter>([&](TFormFilter* f) {
            f->cbDrawsStatType->setCurrentIndex(f->cbDrawsStatType->findData(w->StatList().IndexOfCode("EVEN")));
            f->edDrawsLen->setText("30");
            fromDialog = Q(FormatFilterItem(f->BuildItem()));
            f->accept();
        });
        dlg->btnFilter[2]->click();
        // A double click in filter 5 opens it too; Cancel leaves the field.
        OnModal<TFormFilter>([](TFormFilter* f) { f->reject(); });
        QTest::mouseDClick(dlg->edFilter[4], Qt::LeftButton);
        filter3 = dlg->edFilter[2]->text();
        filter5 = dlg->edFilter[4]->text();
        dlg->accept();
    });
    w->Command("ScriptAdd")->trigger();
    QCOMPARE(title, QString("Создание новой строки"));
    QCOMPARE(shownExclude, 4);
    QVERIFY(cleared);
    QVERIFY(hints);
    QVERIFY(fromDialog.contains("#EVEN:30#"));
    QCOMPARE(filter3, fromDialog);
    QCOMPARE(filter5, QString());
    const QString line = "EXCL:4#ALL#NEX|TSD1#NUMS:10| |" + fromDialog + "| | | | |Первая";
    QCOMPARE(Lines(*w), QStringList{line});
    QCOMPARE(FileLines(), QStringList{line});
    QCOMPARE(Cells(*w, 0), QStringList({"Первая", "Исключить 4 тиражей; Все; Только новые ставки",
                                        "TSD1#NUMS:10#LNO:#SF:0", "", fromDialog, "", "", "", ""}));
    QCOMPARE(SelectedRows(*w), QList<int>{0});
    QCOMPARE(LinesText(*w), QString("Строк: 1"));

    // Cancel adds nothing.
    OnModal<TFormScript>([](TFormScript* dlg) { dlg->reject(); });
    w->Command("ScriptAdd")->trigger();
    QCOMPARE(Lines(*w).size(), 1);
}

void ScriptPageTest::CloneAndEditKeepTheLayout() {
    DataFolder data(TenDraws());
    WriteCurrentScript({kStep0, "", kStep2});
    auto w = OpenMainWindow();
    QCOMPARE(Lines(*w), QStringList({kStep0, "", kStep2}));
    QCOMPARE(Cells(*w, 0)[4], QString("BSF1#EVEN:5#LNO:#SF:0"));
    QCOMPARE(Cells(*w, 1), QStringList(9, QString()));

    Select(*w, {0});
    struct Shown {
        QString title, comment, filter2, filter3;
        int start = -1, exclude = -1, mode = -1;
        bool clear = false, newOnly = true;
    };
    // Kept alive beyond the test, should a failing check leave a handler waiting.
    auto state = std::make_shared<Shown>();
    Shown& shown = *state;
    auto record = [state](TFormScript* dlg) {
        Shown& shown = *state;
        shown.title = dlg->windowTitle();
        shown.comment = dlg->edComments->text();
        shown.start = dlg->cbStartCombsType->currentIndex();
        shown.exclude = dlg->edDrawsExclude->value();
        shown.mode = dlg->cbResultCombsMode->currentIndex();
        shown.clear = dlg->cbClearStakes->isChecked();
        shown.newOnly = dlg->cbNewOnly->isChecked();
        shown.filter2 = dlg->edFilter[1]->text();
        shown.filter3 = dlg->edFilter[2]->text();
    };
    OnModal<TFormScript>([record](TFormScript* dlg) {
        record(dlg);
        dlg->accept();
    });
    w->Command("ScriptClone")->trigger();
    QCOMPARE(shown.title, QString("Создание новой строки"));
    QCOMPARE(shown.comment, QString("Один"));
    QCOMPARE(shown.start, 0);
    QCOMPARE(shown.exclude, 2);
    QCOMPARE(shown.mode, 2);
    QVERIFY(shown.clear && !shown.newOnly);
    QCOMPARE(shown.filter2, QString());
    QCOMPARE(shown.filter3, QString("BSF#even:5"));
    // The blank filter 2 is written back as " ": filter 3 stays filter 3.
    QCOMPARE(Lines(*w), QStringList({kStep0, "", kStep2, kStep0}));
    QCOMPARE(SelectedRows(*w), QList<int>{3});

    // A double click edits the line under it.
    Select(*w, {2});
    OnModal<TFormScript>([record](TFormScript* dlg) {
        record(dlg);
        dlg->edComments->setText("Два!");
        dlg->cbResultCombsMode->setCurrentIndex(0);
        dlg->accept();
    });
    DoubleClickRow(*w, 2);
    QCOMPARE(shown.title, QString("Редактирование строки"));
    QCOMPARE(shown.exclude, 0);
    QCOMPARE(Lines(*w)[2], QString("CURR:0#RAND| | | | | | | |Два!"));
    QCOMPARE(FileLines(), Lines(*w));
    QCOMPARE(SelectedRows(*w), QList<int>{2});

    // Cancel changes nothing.
    OnModal<TFormScript>([](TFormScript* dlg) {
        dlg->edComments->setText("x");
        dlg->reject();
    });
    w->Command("ScriptEdit")->trigger();
    QCOMPARE(Lines(*w)[2], QString("CURR:0#RAND| | | | | | | |Два!"));

    // A double click on a separator opens nothing.
    auto opened = std::make_shared<bool>(false);
    auto wait = OnModal<TFormScript>([opened](TFormScript* dlg) {
        *opened = true;
        dlg->reject();
    });
    Select(*w, {1});
    DoubleClickRow(*w, 1);
    QTest::qWait(50);
    StopModal(wait);
    QVERIFY(!*opened);
}

void ScriptPageTest::EnablingRules() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    // The enabled commands, sorted by name.
    auto enabled = [&] {
        QStringList out;
        for (const auto& c : kCommands)
            if (Enabled(*w, qPrintable(c))) out << c;
        out.sort();
        return out;
    };
    auto sorted = [](QStringList l) {
        l.sort();
        return l;
    };
    QCOMPARE(enabled(), sorted({"ScriptOpen", "ScriptAdd", "ScriptLoad"}));
    ScriptPage(*w)->Script().SetScriptLines({S(kStep0), "", S(kStep2)});
    ScriptPage(*w)->RefreshScriptView();
    const QStringList always{"ScriptOpen", "ScriptSave", "ScriptAdd", "ScriptEmpty", "ScriptLoad", "ScriptClr"};
    Select(*w, {});
    QCOMPARE(enabled(), sorted(always));
    Select(*w, {0});
    QCOMPARE(enabled(), sorted(always + QStringList({"ScriptClone", "ScriptEdit", "ScriptDel", "ScriptDown"})));
    // A separator: no clone, no edit.
    Select(*w, {1});
    QCOMPARE(enabled(), sorted(always + QStringList({"ScriptDel", "ScriptUp", "ScriptDown"})));
    Select(*w, {2});
    QCOMPARE(enabled(), sorted(always + QStringList({"ScriptClone", "ScriptEdit", "ScriptDel", "ScriptUp"})));
    // Several rows: the first selected one is the line meant.
    Select(*w, {1, 2});
    QCOMPARE(enabled(), sorted(always + QStringList({"ScriptDel", "ScriptUp", "ScriptDown"})));
    // Busy: nothing.
    w->BeginBusy();
    QCOMPARE(enabled(), QStringList());
    w->EndBusy();
}

void ScriptPageTest::MoveDeleteAndTheNextStart() {
    DataFolder data(TenDraws());
    QStringList six;
    for (int i = 1; i <= 6; ++i) six << QString("FULL:0#RAND| | | | | | | |r%1").arg(i);
    WriteCurrentScript(six);
    auto w = OpenMainWindow();
    QCOMPARE(LinesText(*w), QString("Строк: 6"));

    Select(*w, {0});
    w->Command("ScriptDown")->trigger();
    QCOMPARE(Lines(*w).mid(0, 2), QStringList({six[1], six[0]}));
    QCOMPARE(SelectedRows(*w), QList<int>{1});
    QCOMPARE(FileLines(), Lines(*w));
    w->Command("ScriptUp")->trigger();
    QCOMPARE(Lines(*w), six);
    QCOMPARE(SelectedRows(*w), QList<int>{0});
    QCOMPARE(FileLines(), six);

    // Rows 2 and 5: No keeps them, Yes deletes them.
    Select(*w, {1, 4});
    ShownBox box;
    AnswerBox(&box, QMessageBox::No);
    w->Command("ScriptDel")->trigger();
    QCOMPARE(box.Caption, QString("Предупреждение"));
    QCOMPARE(box.Text, QString("Удалить все выделенные записи (всего будет удалено 2 записи(ей))?"));
    QVERIFY(box.NoPreselected);
    QCOMPARE(Lines(*w), six);
    AnswerBox(&box, QMessageBox::Yes);
    w->Command("ScriptDel")->trigger();
    const QStringList four{six[0], six[2], six[3], six[5]};
    QCOMPARE(Lines(*w), four);
    QCOMPARE(FileLines(), four);
    QCOMPARE(SelectedRows(*w), QList<int>());
    QCOMPARE(LinesText(*w), QString("Строк: 4"));

    Select(*w, {3});
    AnswerBox(&box, QMessageBox::Yes);
    w->Command("ScriptDel")->trigger();
    QCOMPARE(box.Text, QString("Удалить выделенную запись?"));
    QCOMPARE(Lines(*w), four.mid(0, 3));

    // A separator goes to the end and is selected.
    w->Command("ScriptEmpty")->trigger();
    QCOMPARE(Lines(*w), four.mid(0, 3) + QStringList{""});
    QCOMPARE(SelectedRows(*w), QList<int>{3});

    // The next start reads the current script back.
    w.reset();
    w = OpenMainWindow();
    QCOMPARE(Lines(*w), four.mid(0, 3) + QStringList{""});

    AnswerBox(&box, QMessageBox::Yes);
    w->Command("ScriptClr")->trigger();
    QCOMPARE(box.Text, QString("Удалить все выделенные записи (всего будет удалено 4 записи(ей))?"));
    QCOMPARE(Lines(*w), QStringList());
    QCOMPARE(FileLines(), QStringList());
    QCOMPARE(LinesText(*w), QString("Строк: 0"));
}

void ScriptPageTest::ScriptFiles() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    const QString sample = VELMORA_TEST_DATA "/script_sample.lsc";
    const QStringList fixture{"FULL:0#RAND|TSD1#NUMS:10#LNO:#SF:0| |BSF#even:5| | | | |Первая строка", "",
                              "excl:3#all#clr#nex|TMD6#SUMS:100;200#LMV:10#ST:2| | | | | | |",
                              "CURR:0#NONE| | | | | | | |Только комментарий"};
    ChooseFile(sample);
    w->Command("ScriptOpen")->trigger();
    QCOMPARE(Lines(*w), fixture);
    QCOMPARE(FileLines(), fixture);

    // Appended after a step line: one separator between.
    ChooseFile(sample);
    w->Command("ScriptLoad")->trigger();
    QCOMPARE(Lines(*w), fixture + QStringList{""} + fixture);
    QCOMPARE(FileLines(), Lines(*w));
    QCOMPARE(LinesText(*w), QString("Строк: 9"));

    ChooseFile(data.Path("saved.lsc"));
    w->Command("ScriptSave")->trigger();
    QCOMPARE(ReadFileBytes(S(data.Path("saved.lsc"))), ReadFileBytes(ProductFile(".lss")));

    // A file that cannot be read: the error box, and the list stays.
    const QString fifo = data.Path("pipe.lsc");
    QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    ChooseFile(fifo);
    ShownBox box;
    AnswerBox(&box, QMessageBox::Ok);
    w->Command("ScriptOpen")->trigger();
    QCOMPARE(box.Caption, QString("Ошибка"));
    QVERIFY2(box.Text.startsWith("Ошибка чтения файла \"" + fifo + "\"!\n\n"), qPrintable(box.Text));
    QCOMPARE(Lines(*w).size(), 9);
}

void ScriptPageTest::Screenshot() {
    DataFolder data(TenDraws());
    WriteCurrentScript({"EXCL:4#ALL#NEX|TSD1#NUMS:10#LNO:#SF:0| |BSF1#EVEN:30#LNO:#SF:0| | | | |Чётные за 30 тиражей",
                        "FULL:0#RAND|TMD6#SUMS:100;200#LMV:10#ST:2|TSF3#EVEN:5#LNO:#SF:0| | | | | |Суммы", "",
                        "CURR:0#NONE#CLR| | | | | | | |Только комментарий"});
    auto w = OpenMainWindow();
    w->resize(1200, 600);
    w->pcMain->setCurrentWidget(ScriptPage(*w));
    Select(*w, {1});
    QApplication::processEvents();
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/script.png"));
    bool saved = false;
    OnModal<TFormScript>([&](TFormScript* dlg) {
        QApplication::processEvents();
        saved = dlg->grab().save(dir + "/script_editor.png");
        dlg->reject();
    });
    w->Command("ScriptEdit")->trigger();
    QVERIFY(saved);
}

QTEST_MAIN(ScriptPageTest)
#include "script_page_test.moc"
