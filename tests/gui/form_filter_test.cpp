// The filter dialog "Фильтр": its controls and initial state, loading a step and building it
// back on OK, Cancel, the enabling of the weight controls, the keys the list edits take and the
// checks of OK with their messages and focus.
#include "gui_test_util.h"

#include "core/combs/draw_stats.h"
#include "core/filters/filter_item.h"
#include "gui/app/qt_text.h"
#include "gui/app/enter_spin_box.h"
#include "gui/filters/form_filter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <climits>

using namespace velmora;
using namespace velmora::test;

namespace {

std::unique_ptr<TFormMain> OpenWindow() {
    auto w = std::make_unique<TFormMain>();
    // A small set keeps the start quick; the dialog does not look at it.
    w->StatList().GenerateMode = kGenerateOnlyMine;
    w->StatList().GenerateParams = "1;2;3;4;5;6";
    w->resize(900, 600);
    w->show();
    if (!QTest::qWaitFor([&] { return w->Initialized(); })) ModalFailures() << "the window did not initialise";
    return w;
}

void SelectStatistic(TFormMain& w, const std::string& code) {
    const int item = StatPage(w)->cbDrawsStatType->findData(w.StatList().IndexOfCode(code));
    QVERIFY2(item >= 0, code.c_str());
    StatPage(w)->cbDrawsStatType->setCurrentIndex(item);
}

int SelectorItem(const TFormFilter& dlg, TFormMain& w, const std::string& code) {
    return dlg.cbDrawsStatType->findData(w.StatList().IndexOfCode(code));
}

QStringList Items(QComboBox* cb) {
    QStringList out;
    for (int k = 0; k < cb->count(); ++k) out << cb->itemText(k);
    return out;
}

// The text of the label that names the control.
QString LabelOf(QDialog* dlg, QWidget* control) {
    for (QLabel* l : dlg->findChildren<QLabel*>())
        if (l->buddy() == control) return l->text();
    return QString();
}

// The named controls in the order Tab walks them, starting at the selector.
QStringList TabOrder(TFormFilter* dlg, const QStringList& names) {
    QStringList seen;
    QWidget* w = dlg->cbDrawsStatType;
    for (int i = 0; i < 500 && seen.size() < names.size(); ++i) {
        if (names.contains(w->objectName()) && !seen.contains(w->objectName()) && (w->focusPolicy() & Qt::TabFocus))
            seen << w->objectName();
        w = w->nextInFocusChain();
    }
    return seen;
}

// Types the text key by key, also characters outside Latin-1.
void Type(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// What OK did to an open dialog: the error box it showed and where the focus went when it stayed.
struct OkRun {
    ShownBox Error;
    bool StayedOpen = false;
    QString Focus;
};

void PressOk(TFormFilter* dlg, OkRun* run) {
    auto box = AnswerBox(&run->Error, QMessageBox::Ok);
    dlg->accept();
    StopModal(box);
    if (dlg->isVisible()) {
        run->StayedOpen = true;
        run->Focus = dlg->focusWidget() ? dlg->focusWidget()->objectName() : QString();
        dlg->reject();
    }
}

// Closes the dialog when a check in its handler fails, so that the modal loop ends.
struct CloseOnExit {
    QDialog* Dialog;
    ~CloseOnExit() {
        if (Dialog->isVisible()) Dialog->reject();
    }
};

const QString kBadRange = "Введен некорректный диапазон значений!";

} // namespace

class FormFilterTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void ControlsAndInitialState();
    void LoadAndBuildTheStep_data();
    void LoadAndBuildTheStep();
    void LoadedControls();
    void CancelLeavesTheStep();
    void OkChecksInOrder_data();
    void OkChecksInOrder();
    void ListEditsTakeOnlyListKeys_data();
    void ListEditsTakeOnlyListKeys();
    void WeightControlsEnabling_data();
    void WeightControlsEnabling();
    void Screenshot();
};

void FormFilterTest::ControlsAndInitialState() {
    DataFolder data(TenDraws());
    auto w = OpenWindow();
    SelectStatistic(*w, "EVEN");
    StatPage(*w)->edDrawsStatLen->setValue(300);
    TFilterItem item;  // inactive: the dialog starts from the statistics page
    bool checked = false;
    OnModal<TFormFilter>([&](TFormFilter* dlg) {
        CloseOnExit guard{dlg};
        checked = true;
        QCOMPARE(dlg->windowTitle(), QString("Фильтр"));
        QStringList selector;
        for (int k = 0; k < StatPage(*w)->cbDrawsStatType->count(); ++k) {
            selector << StatPage(*w)->cbDrawsStatType->itemText(k);
            QCOMPARE(dlg->cbDrawsStatType->itemData(k), StatPage(*w)->cbDrawsStatType->itemData(k));
        }
        QCOMPARE(Items(dlg->cbDrawsStatType), selector);
        QCOMPARE(dlg->cbDrawsStatType->currentIndex(), StatPage(*w)->cbDrawsStatType->currentIndex());
        QCOMPARE(dlg->edDrawsLen->text(), QString("300"));
        QCOMPARE(dlg->edDrawsLen->toolTip(),
                 QString("Количество тиражей для расчета статистики\n\nДопустимые форматы:\n1 - одно значение\n1, 2, 3 - "
                         "список значений через запятую\n1-10;2 - нижняя и верхняя граница диапазона; шаг изменения"));
        QStringList columns;
        for (const char* c : kDrawStatsCaptions) columns << QString::fromUtf8(c);
        QCOMPARE(Items(dlg->cbDrawsSortOrder), columns);
        QCOMPARE(dlg->cbDrawsSortOrder->currentIndex(), 1);
        QCOMPARE(Items(dlg->cbDirection), (QStringList{"Сверху-вниз", "Снизу-вверх"}));
        QCOMPARE(dlg->cbDirection->currentIndex(), 0);
        QCOMPARE(Items(dlg->cbFilterMode), (QStringList{"Удалить выделенные", "Оставить выделенные"}));
        QCOMPARE(dlg->cbFilterMode->currentIndex(), 0);
        QCOMPARE(dlg->cbMultiSelect->text(),
                 QString("Использовать режим одновременного выделения нескольких значений в списке"));
        QVERIFY(!dlg->cbMultiSelect->isChecked());
        QStringList criteria, stops;
        for (int k = 0; k < kCriterionKindCount; ++k) criteria << Q(CriterionCaption(k));
        for (int k = 0; k < kStopKindCount; ++k) stops << Q(StopCaption(k));
        QCOMPARE(Items(dlg->cbLevelMode), criteria);
        QCOMPARE(dlg->cbLevelMode->itemText(0), QString("Весь список (без условий)"));
        QCOMPARE(dlg->cbLevelMode->itemText(31), QString("\"Значения\": из заданного списка значений"));
        QCOMPARE(dlg->cbLevelMode->currentIndex(), 0);
        QCOMPARE(dlg->edLevelValue->text(), QString());
        QCOMPARE(dlg->gbCDL->title(), QString(" Коэффициенты для расчета значений \"Вес\" "));
        QCOMPARE(dlg->cbCDLOverride->text(),
                 QString("Использовать приведенные ниже коэффициенты для расчета значений \"Вес\""));
        QVERIFY(!dlg->cbCDLOverride->isChecked());
        QCOMPARE(dlg->Coef.Percents->text(), QString("Использовать значения в %"));
        QCOMPARE(dlg->Coef.Abs->text(), QString("Использовать абсолютные значения"));
        for (QDoubleSpinBox* e : {dlg->Coef.Count, dlg->Coef.Deviation, dlg->Coef.Level}) {
            QCOMPARE(e->value(), 0.0);
            QCOMPARE(e->decimals(), 3);
        }
        QVERIFY(!dlg->Coef.Percents->isChecked() && !dlg->Coef.Abs->isChecked());
        QCOMPARE(Items(dlg->cbStopMode), stops);
        QCOMPARE(dlg->cbStopMode->itemText(1), QString("Количеству оставшихся комбинаций"));
        QCOMPARE(dlg->cbStopMode->currentIndex(), 0);
        QCOMPARE(dlg->edStopValue->value(), 1);
        QCOMPARE(dlg->edStopValue->minimum(), 1);
        QCOMPARE(dlg->edStopValue->maximum(), INT_MAX);

        const struct {
            QWidget* control;
            const char* label;
        } labels[] = {
            {dlg->cbDrawsStatType, "Тип фильтра:"},
            {dlg->edDrawsLen, "Количество тиражей:"},
            {dlg->cbDrawsSortOrder, "Сортировать по столбцу:"},
            {dlg->cbDirection, "Направление:"},
            {dlg->cbFilterMode, "Режим фильтра:"},
            {dlg->cbLevelMode, "Режим выделения значений в списке статистики:"},
            {dlg->edLevelValue, "Значения:"},
            {dlg->Coef.Count, "Количество:"},
            {dlg->Coef.Deviation, "Отклонение:"},
            {dlg->Coef.Level, "Глубина:"},
            {dlg->cbStopMode, "Остановка по:"},
            {dlg->edStopValue, "Значение:"},
        };
        for (const auto& l : labels) QCOMPARE(LabelOf(dlg, l.control), QString(l.label));

        const QStringList order{"cbDrawsStatType", "edDrawsLen",     "cbDrawsSortOrder", "cbDirection",
                                "cbFilterMode",    "cbMultiSelect",  "cbLevelMode",      "edLevelValue",
                                "cbCDLOverride",   "edCoefCount",    "edCoefDeviation",  "edCoefLevel",
                                "cbCoefPercents",  "cbCoefAbs",      "cbStopMode",       "edStopValue"};
        QCOMPARE(TabOrder(dlg, order), order);
        OkRun run;
        PressOk(dlg, &run);
        QVERIFY2(!run.StayedOpen, qPrintable(run.Error.Text));
    });
    QVERIFY(EditFilterItem(w.get(), item, StatPage(*w)->FilterDialogSource()));
    QVERIFY(checked);
    QVERIFY(item.Active);
    QVERIFY(item.Stat == &w->StatList().Items(w->StatList().IndexOfCode("EVEN")));
    QCOMPARE(Q(item.StatText), QString());
    QCOMPARE(Q(FormatFilterItem(item)), QString("TSD1#EVEN:300#LNO:#SF:1"));
}

void FormFilterTest::LoadAndBuildTheStep_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("built");
    QTest::newRow("mark all, delete, depth") << "TMD6#SUMS:100;200#LMV:10#ST:2" << "TMD6#SUMS:100;200#LMV:10#ST:2";
    QTest::newRow("from the bottom, keep, count list") << "BSF1#NUMS:50#CDV:1,2#SV:1" << "BSF1#NUMS:50#CDV:1,2#SV:1";
    QTest::newRow("own weights with a weight criterion") << "TSF8#EVEN:10-100;10#WDV:1,2#SP:5#0.5:-1:1.25:1:0"
                                                         << "TSF8#EVEN:10-100;10#WDV:1,2#SP:5#0.5:-1:1.25:1:0";
    // The box is disabled for other criteria but keeps its mark, and the weights go with it.
    QTest::newRow("own weights with another criterion") << "TMD12#SUMS:30#LVA:100,101#SZ:1#2:0:0:0:1"
                                                        << "TMD12#SUMS:30#LVA:100,101#SZ:1#2:0:0:0:1";
    QTest::newRow("values of the statistic") << "BMF19#NUMS:1-3;1#LVA:5,7#ST:3" << "BMF19#NUMS:1-3;1#LVA:5,7#ST:3";
    // A stop value below 1 becomes 1; a sort column outside the table becomes the count column.
    QTest::newRow("stop value 0") << "TSD1#NUMS:20#LNO:#SV:0" << "TSD1#NUMS:20#LNO:#SV:1";
    QTest::newRow("sort column outside the table") << "TSD25#NUMS:20#LNO:#SF:0" << "TSD1#NUMS:20#LNO:#SF:1";
}

void FormFilterTest::LoadAndBuildTheStep() {
    QFETCH(QString, text);
    QFETCH(QString, built);
    DataFolder data(TenDraws());
    auto w = OpenWindow();
    TFilterItem item = ParseFilterItem(S(text), w->StatList());
    QVERIFY(item.Active && item.Stat);
    OnModal<TFormFilter>([](TFormFilter* dlg) {
        OkRun run;
        PressOk(dlg, &run);
        QVERIFY2(!run.StayedOpen, qPrintable(run.Error.Text));
    });
    QVERIFY(EditFilterItem(w.get(), item, StatPage(*w)->FilterDialogSource()));
    QCOMPARE(Q(FormatFilterItem(item)), built);
}

void FormFilterTest::LoadedControls() {
    DataFolder data(TenDraws());
    auto w = OpenWindow();
    TFormFilter dlg(StatPage(*w)->FilterDialogSource());
    dlg.LoadItem(ParseFilterItem("BMF6#SUMS:100;200#WMV:10#ST:2#1.5:-2:0.125:1:1", w->StatList()));
    QCOMPARE(dlg.cbDrawsStatType->currentIndex(), SelectorItem(dlg, *w, "SUMS"));
    QCOMPARE(dlg.edDrawsLen->text(), QString("100;200"));
    QCOMPARE(dlg.cbDrawsSortOrder->currentIndex(), 6);
    QCOMPARE(dlg.cbDirection->currentIndex(), 1);
    QVERIFY(dlg.cbMultiSelect->isChecked());
    QCOMPARE(dlg.cbFilterMode->currentIndex(), 1);
    QCOMPARE(dlg.cbLevelMode->currentIndex(), 19);
    QCOMPARE(dlg.edLevelValue->text(), QString("10"));
    QVERIFY(dlg.cbCDLOverride->isChecked() && dlg.cbCDLOverride->isEnabled());
    QCOMPARE(dlg.Coef.Count->value(), 1.5);
    QCOMPARE(dlg.Coef.Deviation->value(), -2.0);
    QCOMPARE(dlg.Coef.Level->value(), 0.125);
    QVERIFY(dlg.Coef.Percents->isChecked() && dlg.Coef.Abs->isChecked());
    QVERIFY(dlg.Coef.Count->isEnabled());
    QCOMPARE(dlg.cbStopMode->currentIndex(), 3);
    QCOMPARE(dlg.edStopValue->value(), 2);

    // Without own weights the edits show the list's weights; an unknown statistic selects the
    // first item and leaves the table's sample length.
    w->StatList().RatingWeights() = TRatingWeights{2, -0.5, 3, true, false};
    TFormFilter own(StatPage(*w)->FilterDialogSource());
    own.LoadItem(ParseFilterItem("TSD1#XXXX:10#CMV:3", w->StatList()));
    QCOMPARE(own.cbDrawsStatType->currentIndex(), 0);
    QCOMPARE(own.edDrawsLen->text(), QString::number(StatPage(*w)->edDrawsStatLen->value()));
    QVERIFY(!own.cbCDLOverride->isChecked() && !own.cbCDLOverride->isEnabled());
    QCOMPARE(own.Coef.Count->value(), 2.0);
    QCOMPARE(own.Coef.Deviation->value(), -0.5);
    QCOMPARE(own.Coef.Level->value(), 3.0);
    QVERIFY(own.Coef.Percents->isChecked() && !own.Coef.Abs->isChecked());
    QVERIFY(!own.Coef.Count->isEnabled());
    QCOMPARE(own.cbLevelMode->currentIndex(), 13);
    QCOMPARE(own.edStopValue->value(), 1);
}

void FormFilterTest::CancelLeavesTheStep() {
    DataFolder data(TenDraws());
    auto w = OpenWindow();
    const std::string text = "TMD6#SUMS:100;200#LMV:10#ST:2";
    TFilterItem item = ParseFilterItem(text, w->StatList());
    OnModal<TFormFilter>([](TFormFilter* dlg) {
        dlg->edDrawsLen->setText("5");
        dlg->cbFilterMode->setCurrentIndex(1);
        dlg->cbLevelMode->setCurrentIndex(0);
        dlg->reject();
    });
    QVERIFY(!EditFilterItem(w.get(), item, StatPage(*w)->FilterDialogSource()));
    QCOMPARE(Q(FormatFilterItem(item)), Q(text));
    QCOMPARE(Q(item.StatText), QString("SUMS:100;200"));
}

void FormFilterTest::OkChecksInOrder_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("lengths");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("values");
    QTest::addColumn<bool>("markAll");
    QTest::addColumn<int>("stop");
    QTest::addColumn<QString>("error");  // empty: accepted
    QTest::addColumn<QString>("focus");
    const QString noList = "Для данного вида статистики не доступен режим выделения по списку значений!";
    const QString multi = "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может "
                          "быть выполнена!\nВыберите другой способ останова.";
    QTest::newRow("sample length 0") << "NUMS" << "0" << 0 << "" << false << 0 << kBadRange << "edDrawsLen";
    QTest::newRow("no sample length") << "NUMS" << "" << 0 << "" << false << 0 << kBadRange << "edDrawsLen";
    QTest::newRow("a dash only") << "NUMS" << "-" << 0 << "" << false << 0 << kBadRange << "edDrawsLen";
    QTest::newRow("0,5: two lengths") << "NUMS" << "0,5" << 0 << "" << false << 0 << "" << "";
    QTest::newRow("a range") << "NUMS" << "10-100;10" << 0 << "" << false << 0 << "" << "";
    QTest::newRow("no criterion ignores the values") << "NUMS" << "50" << 0 << ";;" << false << 0 << "" << "";
    QTest::newRow("values of a statistic without a value list")
        << "SUM1" << "50" << 31 << "1" << false << 0 << noList << "cbLevelMode";
    QTest::newRow("value-list check before the values") << "SUM1" << "50" << 31 << "" << false << 0 << noList
                                                         << "cbLevelMode";
    QTest::newRow("values of a statistic with a value list") << "NUMS" << "50" << 31 << "1,2" << false << 0 << ""
                                                             << "";
    QTest::newRow("criterion without values") << "NUMS" << "50" << 1 << "" << false << 0 << kBadRange << "edLevelValue";
    QTest::newRow("criterion with an unreadable list") << "NUMS" << "50" << 17 << "1-;" << false << 0 << kBadRange
                                                       << "edLevelValue";
    QTest::newRow("mark all with stop by count") << "NUMS" << "50" << 1 << "3" << true << 1 << multi << "cbStopMode";
    QTest::newRow("step by step with stop by count") << "NUMS" << "50" << 1 << "3" << false << 1 << "" << "";
    QTest::newRow("mark all with stop by steps") << "NUMS" << "50" << 1 << "3" << true << 3 << "" << "";
    QTest::newRow("length checked first") << "SUM1" << "0" << 31 << "" << true << 1 << kBadRange << "edDrawsLen";
}

void FormFilterTest::OkChecksInOrder() {
    QFETCH(QString, code);
    QFETCH(QString, lengths);
    QFETCH(int, kind);
    QFETCH(QString, values);
    QFETCH(bool, markAll);
    QFETCH(int, stop);
    QFETCH(QString, error);
    QFETCH(QString, focus);
    DataFolder data(TenDraws());
    auto w = OpenWindow();
    TFilterItem item;
    OkRun run;
    OnModal<TFormFilter>([&](TFormFilter* dlg) {
        dlg->cbDrawsStatType->setCurrentIndex(SelectorItem(*dlg, *w, S(code)));
        dlg->edDrawsLen->setText(lengths);
        dlg->cbLevelMode->setCurrentIndex(kind);
        dlg->edLevelValue->setText(values);
        dlg->cbMultiSelect->setChecked(markAll);
        dlg->cbStopMode->setCurrentIndex(stop);
        dlg->edStopValue->setValue(7);
        PressOk(dlg, &run);
    });
    const bool accepted = EditFilterItem(w.get(), item, StatPage(*w)->FilterDialogSource());
    QCOMPARE(accepted, error.isEmpty());
    QCOMPARE(run.StayedOpen, !error.isEmpty());
    QCOMPARE(run.Error.Text, error);
    QCOMPARE(run.Error.Caption, error.isEmpty() ? QString() : QString("Ошибка"));
    QCOMPARE(run.Focus, focus);
    if (accepted) {
        QCOMPARE(Q(item.Stat->Code()), code);
        QCOMPARE(Q(item.LengthsText), lengths);
        QCOMPARE(int(item.CriterionKind), kind);
        QCOMPARE(Q(item.CriterionText), values);
        QCOMPARE(item.MarkAll, markAll);
        QCOMPARE(int(item.StopKind), stop);
        QCOMPARE(item.StopValue, 7);
    } else {
        QVERIFY(!item.Active);
    }
}

void FormFilterTest::ListEditsTakeOnlyListKeys_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("list characters") << "1-10;2,5" << "1-10;2,5";
    QTest::newRow("letters, blanks, dots and signs dropped") << "1a 2.3+4/б" << "1234";
    QTest::newRow("other digits dropped") << QString("7") + QChar(0x0663) + QChar(0xFF18) << "7";
}

void FormFilterTest::ListEditsTakeOnlyListKeys() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    DataFolder data(TenDraws());
    auto w = OpenWindow();
    TFormFilter dlg(StatPage(*w)->FilterDialogSource());
    dlg.show();
    for (QLineEdit* edit : {dlg.edDrawsLen, dlg.edLevelValue}) {
        edit->clear();
        Type(edit, typed);
        QCOMPARE(edit->text(), shown);
        // Control keys still edit.
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), shown.chopped(1));
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), shown.chopped(1).mid(1));
    }
    // Other edits are not filtered.
    dlg.edStopValue->clear();
    QTest::keyClicks(dlg.edStopValue, "12");
    QCOMPARE(dlg.edStopValue->value(), 12);
}

void FormFilterTest::WeightControlsEnabling_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("boxEnabled");
    QTest::addColumn<bool>("weightsEnabled");
    QTest::newRow("no criterion, checked") << 0 << true << false << false;
    QTest::newRow("count list, checked") << 18 << true << false << false;
    QTest::newRow("weight at least, unchecked") << 19 << false << true << false;
    QTest::newRow("weight at least, checked") << 19 << true << true << true;
    QTest::newRow("weight at most, checked") << 20 << true << true << true;
    QTest::newRow("weight list, checked") << 21 << true << true << true;
    QTest::newRow("period min, checked") << 22 << true << false << false;
    QTest::newRow("values, checked") << 31 << true << false << false;
}

void FormFilterTest::WeightControlsEnabling() {
    QFETCH(int, kind);
    QFETCH(bool, checked);
    QFETCH(bool, boxEnabled);
    QFETCH(bool, weightsEnabled);
    DataFolder data(TenDraws());
    auto w = OpenWindow();
    TFormFilter dlg(StatPage(*w)->FilterDialogSource());
    dlg.show();
    // Checked under a weight criterion first, so that the box can be clicked.
    dlg.cbLevelMode->setCurrentIndex(kCriterionWeightFirst);
    QTest::mouseClick(dlg.cbCDLOverride, Qt::LeftButton);
    QVERIFY(dlg.cbCDLOverride->isChecked());
    QVERIFY(dlg.Coef.Level->isEnabled());
    if (!checked) QTest::mouseClick(dlg.cbCDLOverride, Qt::LeftButton);
    dlg.cbLevelMode->setCurrentIndex(kind);
    QCOMPARE(dlg.cbCDLOverride->isEnabled(), boxEnabled);
    // A disabled box keeps its mark, and the step takes it.
    QCOMPARE(dlg.cbCDLOverride->isChecked(), checked);
    for (QWidget* c : std::initializer_list<QWidget*>{dlg.Coef.Count, dlg.Coef.Deviation, dlg.Coef.Level,
                                                      dlg.Coef.Percents, dlg.Coef.Abs})
        QCOMPARE(c->isEnabled(), weightsEnabled);
    QCOMPARE(dlg.BuildItem().OwnWeights, checked);
}

void FormFilterTest::Screenshot() {
    DataFolder data(MakeSampleDraws(400, 11));
    auto w = OpenWindow();
    TFilterItem item = ParseFilterItem("BMF8#SUMS:100-500;100#WMV:25#ST:3#0.5:-1:1.25:1:0", w->StatList());
    OnModal<TFormFilter>([](TFormFilter* dlg) {
        CloseOnExit guard{dlg};
        QApplication::processEvents();
        const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
        QDir().mkpath(dir);
        QVERIFY(dlg->grab().save(dir + "/filter_dialog.png"));
        dlg->reject();
    });
    QVERIFY(!EditFilterItem(w.get(), item, StatPage(*w)->FilterDialogSource()));
}

QTEST_MAIN(FormFilterTest)
#include "form_filter_test.moc"
