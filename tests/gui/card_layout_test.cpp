// The pages "Карта" and "Схема" driven through the real main window: their filters keep or delete
// the combinations holding the selected numbers (undo restores the set), the filters refuse a
// selection outside the number columns, hiding and showing a page recomputes it, the card follows
// a draw edited in place, and the Enter rules of the scheme's length fields.
#include "gui_test_util.h"

#include "gui/app/enter_spin_box.h"
#include "gui/app/qt_text.h"
#include "gui/views/card_model.h"
#include "gui/views/card_page.h"
#include "gui/views/layout_model.h"
#include "gui/views/layout_page.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

using namespace velmora;
using namespace velmora::test;

namespace {

// Ten draws 101..110: 7 in 104..110, 16 in 104..107, 12 in 103 and 109, 17 in 103, 109 and 110.
TDrawsArray SchemeDraws() {
    return {MakeDraw(101, {1, 2, 3, 4, 5}),     MakeDraw(102, {1, 2, 3, 4, 6}),    MakeDraw(103, {11, 12, 13, 14, 17}),
            MakeDraw(104, {7, 21, 31, 41, 16}), MakeDraw(105, {7, 22, 32, 42, 16}), MakeDraw(106, {7, 23, 33, 43, 16}),
            MakeDraw(107, {7, 24, 34, 44, 16}), MakeDraw(108, {7, 25, 35, 45, 19}), MakeDraw(109, {7, 26, 36, 12, 17}),
            MakeDraw(110, {7, 27, 37, 17, 18})};
}

// The set: the 56 combinations of 10..17; 50 hold 12 or 17.
std::unique_ptr<TFormMain> OpenWindowWithSet() {
    auto w = std::make_unique<TFormMain>();
    w->StatList().GenerateMode = kGenerateOnlyMine;
    w->StatList().GenerateParams = "10;11;12;13;14;15;16;17";
    w->resize(1100, 700);
    w->show();
    if (!QTest::qWaitFor([&] { return w->Initialized(); })) ModalFailures() << "the window did not initialise";
    return w;
}

TCardPage* Card(TTemplateMain& w) { return w.Page<TCardPage>(); }
TLayoutPage* Layout(TTemplateMain& w) { return w.Page<TLayoutPage>(); }

// Selects the block of model cells (rows top..bottom, columns left..right) of a grid.
void SelectBlock(TTemplateMain& w, QTableView* view, int top, int left, int bottom, int right) {
    auto* m = view->model();
    view->selectionModel()->select(QItemSelection(m->index(top, left), m->index(bottom, right)),
                                   QItemSelectionModel::ClearAndSelect);
    w.UpdateCommands();
}

// The model cell of the scheme holding the text; invalid when none does.
QModelIndex SchemeCell(TTemplateMain& w, const QString& text) {
    auto* m = Layout(w)->sgLayout->model();
    for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->index(r, c).data().toString() == text) return m->index(r, c);
    return {};
}

QString CardRowText(TTemplateMain& w, int row) {
    auto* m = Card(w)->sgCard->model();
    QStringList cells{m->headerData(row, Qt::Vertical).toString()};
    for (int c = 0; c < m->columnCount(); ++c)
        if (!m->index(row, c).data().toString().isEmpty()) cells << m->index(row, c).data().toString();
    return cells.join(' ');
}

std::vector<TCombination> Combs(TFormMain& w) { return {w.Combs().Data(), w.Combs().Data() + w.Combs().Count()}; }

void SaveScreen(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/" + name));
}

} // namespace

class CardLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void CommandsButtonsAndMenus();
    void FiltersKeepOrDeleteAndUndo_data();
    void FiltersKeepOrDeleteAndUndo();
    void FiltersNeedASelectionWithinTheNumbers();
    void EmptySelectionOfNumbersFails();
    void HidingAndShowingRecomputes();
    void CardFollowsADrawEditedInPlace();
    void CardOfAnEmptyArchiveTakesItsFirstDraw();
    void EnterInTheLengthFields();
    void Screenshots();
};

void CardLayoutTest::CommandsButtonsAndMenus() {
    DataFolder data(SchemeDraws());
    auto w = OpenWindowWithSet();
    const struct {
        const char* command;
        const char* caption;
        QWidget* button;
        QMenu* menu;
    } cases[] = {
        {"CardFilter_Include", "Оставить выделенные", Card(*w)->btnCardFilterInclude, Card(*w)->pmCard},
        {"CardFilter_Exclude", "Удалить выделенные", Card(*w)->btnCardFilterExclude, Card(*w)->pmCard},
        {"CardXlsExport", "Экспорт карты тиражей в Microsoft Excel", nullptr, Card(*w)->pmCard},
        {"LayoutFilter_Include", "Оставить выделенные", Layout(*w)->btnLayoutFilterInclude, Layout(*w)->pmLayout},
        {"LayoutFilter_Exclude", "Удалить выделенные", Layout(*w)->btnLayoutFilterExclude, Layout(*w)->pmLayout},
        {"LayoutXlsExport", "Экспорт схемы в Microsoft Excel", nullptr, Layout(*w)->pmLayout},
        {"ViewShemaGradient", "Градиентная раскраска схемы", nullptr, Layout(*w)->pmLayout},
        {"LayoutCalc", "Обновить", Layout(*w)->btnLayoutCalc, nullptr},
        {"LayoutCmpCalc", "Обновить", Layout(*w)->btnLayoutCmpCalc, nullptr},
        {"TabCard", "Вкладка \"Карта\"", nullptr, nullptr},
        {"TabLayout", "Вкладка \"Схема\"", nullptr, nullptr},
        {"ViewColorCard", "Выделять каналы в карте тиражей", nullptr, nullptr},
        {"ViewColorCardSequences", "Выделять последовательности в карте тиражей", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        QAction* a = w->Command(c.command);
        QVERIFY2(a, c.command);
        QCOMPARE(PlainCaption(a->text()), QString(c.caption));
        QVERIFY(!a->statusTip().isEmpty());
        if (auto* b = qobject_cast<QToolButton*>(c.button)) QCOMPARE(b->defaultAction(), a);
        if (c.menu) QVERIFY2(c.menu->actions().contains(a), c.command);
    }
    QCOMPARE(w->Command("CardFilter_Exclude")->statusTip(),
             QString("Из списка комбинаций удалить комбинации с выделенными  значениями"));
    // Both pages stand on the right page control, visible by default.
    QVERIFY(Card(*w)->PageVisible() && Layout(*w)->PageVisible());
    QVERIFY(w->Command("TabCard")->isChecked() && w->Command("TabLayout")->isChecked());
    QCOMPARE(w->pcMain->tabText(w->pcMain->indexOf(Card(*w))), QString("Карта"));
    QCOMPARE(w->pcMain->tabText(w->pcMain->indexOf(Layout(*w))), QString("Схема"));
}

void CardLayoutTest::FiltersKeepOrDeleteAndUndo_data() {
    QTest::addColumn<bool>("scheme");
    QTest::addColumn<bool>("remove");
    QTest::addColumn<QString>("logLine");
    QTest::newRow("card keep") << false << false << "Карта|12; 17|50|keep";
    QTest::newRow("card delete") << false << true << "Карта|12; 17|6|remove";
    QTest::newRow("scheme keep") << true << false << "Схема|12; 17|50|keep";
    QTest::newRow("scheme delete") << true << true << "Схема|12; 17|6|remove";
}

void CardLayoutTest::FiltersKeepOrDeleteAndUndo() {
    QFETCH(bool, scheme);
    QFETCH(bool, remove);
    QFETCH(QString, logLine);
    DataFolder data(SchemeDraws());
    auto w = OpenWindowWithSet();
    QCOMPARE(w->Combs().Count(), 56);
    const std::vector<TCombination> before = Combs(*w);
    const char* command = nullptr;
    if (scheme) {
        // Offset 1: the scheme of 101..109 holds "12, [17]" (count 2, last draw 109).
        w->SetDrawsOffset(1);
        const QModelIndex cell = SchemeCell(*w, "12, [17]");
        QVERIFY(cell.isValid());
        SelectBlock(*w, Layout(*w)->sgLayout, cell.row(), cell.column(), cell.row(), cell.column());
        command = remove ? "LayoutFilter_Exclude" : "LayoutFilter_Include";
    } else {
        // Rows 1..2 (draws 110 and 109), columns 12..17: 12 once, 17 twice.
        SelectBlock(*w, Card(*w)->sgCard, 0, 11, 1, 16);
        command = remove ? "CardFilter_Exclude" : "CardFilter_Include";
    }
    QVERIFY(w->Command(command)->isEnabled());
    w->Command(command)->trigger();
    QCOMPARE(w->Combs().Count(), remove ? 6 : 50);
    for (const TCombination& c : Combs(*w))
        QCOMPARE(CombHasNumber(12, c) || CombHasNumber(17, c), !remove);
    QCOMPARE(LogLines(*w), QStringList{logLine});
    QCOMPARE(w->StatusPanelText(6), QString());
    QVERIFY(w->IsIdle());
    w->Command("CombsUndo")->trigger();
    QVERIFY(Combs(*w) == before);
    QCOMPARE(LogLines(*w), QStringList{});
}

void CardLayoutTest::FiltersNeedASelectionWithinTheNumbers() {
    DataFolder data(SchemeDraws());
    auto w = OpenWindowWithSet();
    QAction* keep = w->Command("CardFilter_Include");
    QAction* del = w->Command("CardFilter_Exclude");
    QTableView* card = Card(*w)->sgCard;
    const struct {
        const char* what;
        int top, left, bottom, right;  // model cells; columns 50 and 51 are E1 and E2
        bool enabled;
    } cases[] = {
        {"numbers 1..50", 0, 0, 9, 49, true},
        {"one number cell", 3, 20, 3, 20, true},
        {"touching E1", 0, 45, 2, 50, false},
        {"E2 alone", 4, 51, 4, 51, false},
    };
    for (const auto& c : cases) {
        SelectBlock(*w, card, c.top, c.left, c.bottom, c.right);
        QVERIFY2(keep->isEnabled() == c.enabled && del->isEnabled() == c.enabled, c.what);
        QCOMPARE(Card(*w)->btnCardFilterInclude->isEnabled(), c.enabled);
    }
    // A whole row chosen at its draw number takes the extras too.
    card->selectRow(2);
    w->UpdateCommands();
    QVERIFY(!keep->isEnabled());
    card->clearSelection();
    w->UpdateCommands();
    QVERIFY(!keep->isEnabled());

    // The scheme: a cell enables, nothing selected does not; the busy window disables.
    QTableView* grid = Layout(*w)->sgLayout;
    SelectBlock(*w, grid, 0, 0, 0, 0);
    QVERIFY(w->Command("LayoutFilter_Include")->isEnabled());
    w->BeginBusy();
    QVERIFY(!w->Command("LayoutFilter_Include")->isEnabled());
    w->EndBusy();
    grid->clearSelection();
    w->UpdateCommands();
    QVERIFY(!w->Command("LayoutFilter_Include")->isEnabled());

    // An empty set: nothing to filter. Draw 110 holds 7 of the numbers 1..10, which no
    // combination of 10..17 has.
    SelectBlock(*w, card, 0, 0, 0, 9);
    keep->trigger();
    QCOMPARE(w->Combs().Count(), 0);
    QVERIFY(!keep->isEnabled() && !del->isEnabled());
    SelectBlock(*w, grid, 0, 0, 0, 0);
    QVERIFY(!w->Command("LayoutFilter_Include")->isEnabled());
}

void CardLayoutTest::EmptySelectionOfNumbersFails() {
    DataFolder data(SchemeDraws());
    auto w = OpenWindowWithSet();
    // Draw 110 (row 0) holds none of 1..6.
    SelectBlock(*w, Card(*w)->sgCard, 0, 0, 0, 5);
    ShownBox box;
    AnswerBox(&box, QMessageBox::Ok);
    w->Command("CardFilter_Include")->trigger();
    QCOMPARE(box.Caption, QString("Ошибка"));
    QCOMPARE(box.Text, QString("В выделенном диапазоне нет значений для фильтра!"));
    QVERIFY(w->IsIdle());
    QCOMPARE(w->StatusPanelText(6), QString());
    QCOMPARE(w->Combs().Count(), 56);
    QCOMPARE(w->Combs().UndoCount(), 56);
    QCOMPARE(LogLines(*w), QStringList{});
}

void CardLayoutTest::HidingAndShowingRecomputes() {
    DataFolder data(SchemeDraws());
    auto w = OpenWindowWithSet();
    QCOMPARE(Card(*w)->sgCard->model()->rowCount(), 10);
    QCOMPARE(CardRowText(*w, 0), QString("110 7 17 18 27 37 1 2"));
    // Hidden: the tab goes, the commands of the page wait, the page is not recomputed.
    for (const char* tab : {"TabCard", "TabLayout"}) w->Command(tab)->trigger();
    QVERIFY(!Card(*w)->PageVisible() && !Layout(*w)->PageVisible());
    QVERIFY(!w->Command("TabCard")->isChecked());
    QVERIFY(!w->Command("ViewColorCard")->isEnabled());
    QVERIFY(!w->Command("LayoutCalc")->isEnabled());
    w->Draws().Draws.push_back(MakeDraw(111, {1, 2, 3, 4, 50}));
    w->SaveDraws();
    w->SetDrawsOffset(1);
    w->RecomputeViews(false);
    QCOMPARE(Card(*w)->sgCard->model()->rowCount(), 10);
    QCOMPARE(Layout(*w)->LayoutModel()->Scheme().LastDraws.front(), 110);
    // Shown again: recomputed at once and made the current page.
    w->Command("TabCard")->trigger();
    QVERIFY(Card(*w)->PageVisible());
    QCOMPARE(w->pcMain->currentWidget(), static_cast<QWidget*>(Card(*w)));
    QCOMPARE(Card(*w)->sgCard->model()->rowCount(), 11);
    QCOMPARE(CardRowText(*w, 0), QString("111 1 2 3 4 50 1 2"));
    w->Command("TabLayout")->trigger();
    QCOMPARE(w->pcMain->currentWidget(), static_cast<QWidget*>(Layout(*w)));
    // Offset 1: the window ends at 110 and 111 is the following draw.
    QCOMPARE(Layout(*w)->LayoutModel()->Scheme().LastDraws.front(), 110);
    QVERIFY(SchemeCell(*w, "[1], [2], [3], [4]").isValid());
    QCOMPARE(Layout(*w)->CompareModel(4)->List().Title, std::string("101 - 110"));
    // The card does not follow the offset.
    QCOMPARE(CardRowText(*w, 0), QString("111 1 2 3 4 50 1 2"));
}

void CardLayoutTest::CardFollowsADrawEditedInPlace() {
    DataFolder data(SchemeDraws());
    auto w = OpenWindowWithSet();
    QCOMPARE(CardRowText(*w, 0), QString("110 7 17 18 27 37 1 2"));
    // The number of draws stays; the newest draw gets other numbers, as the draw dialog does it.
    w->Draws().Draws.back() = MakeDraw(110, {8, 9, 10, 11, 12}, 3, 4);
    w->SaveDraws();
    w->RecomputeViews(false);
    QCOMPARE(CardRowText(*w, 0), QString("110 8 9 10 11 12 3 4"));
    // The scheme follows too: 8, 9 and 10 came out once, last in draw 110 (11 also in 103).
    QVERIFY(SchemeCell(*w, "8, 9, 10").isValid());
}

// An empty archive shows one empty row; its first draw, added as the download adds draws (the
// archive grows, then the views are recomputed), fills it.
void CardLayoutTest::CardOfAnEmptyArchiveTakesItsFirstDraw() {
    DataFolder data(TDrawsArray{});
    auto w = OpenWindowWithSet();
    QCOMPARE(Card(*w)->sgCard->model()->rowCount(), 1);
    QCOMPARE(CardRowText(*w, 0), QString(""));
    QVERIFY(!w->Command("LayoutCalc")->isEnabled());
    w->Draws().Draws.push_back(MakeDraw(1, {3, 4, 10, 20, 30}, 5, 6));
    w->RecomputeViews(false);
    QCOMPARE(Card(*w)->sgCard->model()->rowCount(), 1);
    QCOMPARE(CardRowText(*w, 0), QString("1 3 4 10 20 30 5 6"));
    QCOMPARE(Layout(*w)->LayoutModel()->Scheme().LastDraws, std::vector<int32_t>{1});
}

void CardLayoutTest::EnterInTheLengthFields() {
    DataFolder data(SchemeDraws());
    auto w = OpenWindowWithSet();
    TLayoutPage* page = Layout(*w);
    QCOMPARE(page->LayoutModel()->Scheme().LastDraws.size(), size_t(10));
    auto* edit = page->edLayoutLen->findChild<QLineEdit*>();
    QVERIFY(edit);
    edit->setText("1");
    QTest::keyClick(page->edLayoutLen, Qt::Key_Return);
    QCOMPARE(page->LayoutModel()->Scheme().LastDraws, std::vector<int32_t>{110});
    QCOMPARE(page->LayoutModel()->Scheme().CellText(1, 1), std::string("7, 27, 37, 17, 18"));
    // A comparison length: its list is recomputed with the new range.
    auto* cmp = page->edLayoutCmp[2]->findChild<QLineEdit*>();
    cmp->setText("3");
    QTest::keyClick(page->edLayoutCmp[2], Qt::Key_Return);
    QCOMPARE(page->CompareModel(2)->List().Title, std::string("108 - 110"));
    QCOMPARE(page->lvLayoutCmp[2]->model()->headerData(1, Qt::Horizontal).toString(), QString("108 - 110"));
    QCOMPARE(page->CompareModel(2)->List().Rows.size(), size_t(3));
}

void CardLayoutTest::Screenshots() {
    DataFolder data(MakeSampleDraws(300, 5));
    auto w = OpenWindowWithSet();
    w->resize(1400, 800);
    w->pcMain->setCurrentWidget(Card(*w));
    QApplication::processEvents();
    SaveScreen(w.get(), "card_colours.png");
    w->Command("ViewColorCard")->trigger();
    QApplication::processEvents();
    SaveScreen(w.get(), "card_sequences_only.png");
    w->pcMain->setCurrentWidget(Layout(*w));
    QApplication::processEvents();
    SaveScreen(w.get(), "layout_gradient.png");
    w->Command("ViewShemaGradient")->trigger();
    QApplication::processEvents();
    SaveScreen(w.get(), "layout_checker.png");
}

QTEST_MAIN(CardLayoutTest)
#include "card_layout_test.moc"
