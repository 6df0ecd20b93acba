#include "gui/filters/form_filter.h"

#include "core/util/translate.h"
#include "core/combs/draw_stats.h"
#include "gui/app/dialog_buttons.h"
#include "gui/app/form_config.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "core/model/game.h"
#include "core/stats/stat_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

namespace velmora {

namespace {

constexpr int kDefaultSortColumn = 1;

// Typing into an integer-list edit: digits, ",", ";", "-" and control characters pass, every
// other character is dropped. Keys without text (arrows, Home, Delete) pass as well.
class TIntListKeys : public QObject {
public:
    using QObject::QObject;

    static bool Accepts(const QString& text) {
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            const bool allowed = (u >= u'0' && u <= u'9') || u == u',' || u == u';' || u == u'-' || u < 0x20 || u == 0x7F;
            if (!allowed) return false;
        }
        return true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && !Accepts(static_cast<QKeyEvent*>(event)->text())) return true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TFormFilter::TFormFilter(const TFilterDialogSource& source, QWidget* parent) : QDialog(parent), source_(source) {
    setObjectName("TFormFilter");
    setWindowTitle(tr("Фильтр"));

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };

    cbDrawsStatType = new QComboBox(this);
    cbDrawsStatType->setObjectName("cbDrawsStatType");
    cbDrawsStatType->setMaxVisibleItems(30);
    cbDrawsStatType->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbDrawsStatType->setMinimumContentsLength(36);
    for (const auto& it : source_.Items) cbDrawsStatType->addItem(it.Caption, it.Method);
    auto* lbStat = label(tr("Тип фильтра:"), cbDrawsStatType);

    edDrawsLen = new QLineEdit(this);
    edDrawsLen->setObjectName("edDrawsLen");
    edDrawsLen->setToolTip(MessageText(
        tr("Количество тиражей для расчета статистики\r\n\r\nДопустимые форматы:\r\n1 - одно значение\r\n1, 2, 3 - "
           "список значений через запятую\r\n1-10;2 - нижняя и верхняя граница диапазона; шаг изменения")));
    edDrawsLen->installEventFilter(new TIntListKeys(edDrawsLen));
    auto* lbLen = label(tr("Количество тиражей:"), edDrawsLen);

    cbDrawsSortOrder = new QComboBox(this);
    cbDrawsSortOrder->setObjectName("cbDrawsSortOrder");
    cbDrawsSortOrder->setMaxVisibleItems(kDrawStatsColumnCount);
    for (const char* caption : kDrawStatsCaptions) cbDrawsSortOrder->addItem(Q(TrText(caption)));
    auto* lbSort = label(tr("Сортировать по столбцу:"), cbDrawsSortOrder);

    cbDirection = new QComboBox(this);
    cbDirection->setObjectName("cbDirection");
    cbDirection->addItems({tr("Сверху-вниз"), tr("Снизу-вверх")});
    auto* lbDirection = label(tr("Направление:"), cbDirection);

    cbFilterMode = new QComboBox(this);
    cbFilterMode->setObjectName("cbFilterMode");
    cbFilterMode->addItems({tr("Удалить выделенные"), tr("Оставить выделенные")});
    auto* lbMode = label(tr("Режим фильтра:"), cbFilterMode);

    cbMultiSelect = new QCheckBox(tr("Использовать режим одновременного выделения нескольких значений в списке"), this);
    cbMultiSelect->setObjectName("cbMultiSelect");

    cbLevelMode = new QComboBox(this);
    cbLevelMode->setObjectName("cbLevelMode");
    cbLevelMode->setMaxVisibleItems(kCriterionKindCount);
    for (int k = 0; k < kCriterionKindCount; ++k) cbLevelMode->addItem(tr(CriterionCaption(k).c_str()));
    auto* lbLevel = label(tr("Режим выделения значений в списке статистики:"), cbLevelMode);

    edLevelValue = new QLineEdit(this);
    edLevelValue->setObjectName("edLevelValue");
    edLevelValue->installEventFilter(new TIntListKeys(edLevelValue));
    auto* lbValues = label(tr("Значения:"), edLevelValue);

    gbCDL = new QGroupBox(tr(" Коэффициенты для расчета значений \"Вес\" "), this);
    gbCDL->setObjectName("gbCDL");
    cbCDLOverride = new QCheckBox(tr("Использовать приведенные ниже коэффициенты для расчета значений \"Вес\""), gbCDL);
    cbCDLOverride->setObjectName("cbCDLOverride");
    Coef = TWeightControls::Create(gbCDL);
    auto* weights = new QGridLayout(gbCDL);
    weights->addWidget(cbCDLOverride, 0, 0, 1, 6);
    for (size_t i = 0; i < 3; ++i) {
        Coef.Edits()[i]->setMinimumWidth(90);
        weights->addWidget(Coef.Labels[i], 1, int(2 * i));
        weights->addWidget(Coef.Edits()[i], 1, int(2 * i + 1));
    }
    weights->addWidget(Coef.Percents, 2, 0, 1, 6);
    weights->addWidget(Coef.Abs, 3, 0, 1, 6);
    for (int c = 1; c < 6; c += 2) weights->setColumnStretch(c, 1);

    cbStopMode = new QComboBox(this);
    cbStopMode->setObjectName("cbStopMode");
    for (int k = 0; k < kStopKindCount; ++k) cbStopMode->addItem(tr(StopCaption(k).c_str()));
    auto* lbStop = label(tr("Остановка по:"), cbStopMode);
    edStopValue = new QSpinBox(this);
    edStopValue->setObjectName("edStopValue");
    edStopValue->setRange(1, INT_MAX);
    edStopValue->setMinimumWidth(110);
    auto* lbStopValue = label(tr("Значение:"), edStopValue);

    auto* buttons = OkCancelButtons(this);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(lbStat, row, 0);
    grid->addWidget(cbDrawsStatType, row++, 1, 1, 3);
    grid->addWidget(lbLen, row, 0);
    grid->addWidget(edDrawsLen, row++, 1, 1, 3);
    grid->addWidget(lbSort, row, 0);
    grid->addWidget(cbDrawsSortOrder, row++, 1, 1, 3);
    grid->addWidget(lbDirection, row, 0);
    grid->addWidget(cbDirection, row, 1);
    grid->addWidget(lbMode, row, 2, Qt::AlignRight);
    grid->addWidget(cbFilterMode, row++, 3);
    grid->addWidget(cbMultiSelect, row++, 0, 1, 4);
    grid->addWidget(lbLevel, row++, 0, 1, 4);
    grid->addWidget(cbLevelMode, row++, 0, 1, 4);
    grid->addWidget(lbValues, row, 0);
    grid->addWidget(edLevelValue, row++, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* stop = new QHBoxLayout;
    stop->addWidget(lbStop);
    stop->addWidget(cbStopMode, 1);
    stop->addSpacing(8);
    stop->addWidget(lbStopValue);
    stop->addWidget(edStopValue);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(4);
    layout->addWidget(gbCDL);
    layout->addSpacing(4);
    layout->addLayout(stop);
    layout->addStretch(1);
    layout->addWidget(buttons);

    QWidget* order[] = {cbDrawsStatType, edDrawsLen,  cbDrawsSortOrder, cbDirection,    cbFilterMode,
                        cbMultiSelect,   cbLevelMode, edLevelValue,     cbCDLOverride,  Coef.Count,
                        Coef.Deviation, Coef.Level, Coef.Percents,   Coef.Abs,      cbStopMode,
                        edStopValue,     buttons->button(QDialogButtonBox::Ok), buttons->button(QDialogButtonBox::Cancel)};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(cbLevelMode, &QComboBox::currentIndexChanged, this, &TFormFilter::UpdateEnabling);
    connect(cbCDLOverride, &QCheckBox::toggled, this, &TFormFilter::UpdateEnabling);

    // The initial state: the selector's current item and the table's sample length, sorting by
    // the count, no criterion, no own weights, processing every row.
    if (source_.CurrentItem >= 0 && source_.CurrentItem < cbDrawsStatType->count())
        cbDrawsStatType->setCurrentIndex(source_.CurrentItem);
    edDrawsLen->setText(QString::number(source_.SampleLength));
    cbDrawsSortOrder->setCurrentIndex(kDefaultSortColumn);
    cbDirection->setCurrentIndex(0);
    cbFilterMode->setCurrentIndex(0);
    cbLevelMode->setCurrentIndex(kCriterionNone);
    cbStopMode->setCurrentIndex(0);
    edStopValue->setValue(1);
    Coef.Set(TRatingWeights{0, 0, 0, false, false});
    UpdateEnabling();
    cbDrawsStatType->setFocus();
}

void TFormFilter::LoadItem(const TFilterItem& item) {
    if (!item.Active) return;
    int statItem = 0;
    for (int k = 0; k < cbDrawsStatType->count(); ++k) {
        const int method = cbDrawsStatType->itemData(k).toInt();
        if (item.Stat && source_.List && method >= 0 && method < source_.List->Count() &&
            &source_.List->Items(method) == item.Stat) {
            statItem = k;
            break;
        }
    }
    cbDrawsStatType->setCurrentIndex(cbDrawsStatType->count() > 0 ? statItem : -1);
    if (!item.LengthsText.empty()) edDrawsLen->setText(Q(item.LengthsText));
    // A sort column read from a text can lie outside the table; the table's default then.
    cbDrawsSortOrder->setCurrentIndex(item.SortColumn >= 0 && item.SortColumn < kDrawStatsColumnCount ? item.SortColumn
                                                                                                     : kDefaultSortColumn);
    cbDirection->setCurrentIndex(item.FromBottom ? 1 : 0);
    cbMultiSelect->setChecked(item.MarkAll);
    cbFilterMode->setCurrentIndex(item.KeepSelected ? 1 : 0);
    cbLevelMode->setCurrentIndex(item.CriterionKind < kCriterionKindCount ? item.CriterionKind : kCriterionNone);
    if (!item.CriterionText.empty()) edLevelValue->setText(Q(item.CriterionText));
    cbCDLOverride->setChecked(item.OwnWeights);
    if (item.OwnWeights)
        Coef.Set(item.Weights);
    else if (source_.List)
        Coef.Set(source_.List->RatingWeights());
    cbStopMode->setCurrentIndex(item.StopKind < kStopKindCount ? item.StopKind : 0);
    edStopValue->setValue(std::max(item.StopValue, 1));
    UpdateEnabling();
}

void TFormFilter::UpdateEnabling() {
    const int kind = cbLevelMode->currentIndex();
    cbCDLOverride->setEnabled(kind >= kCriterionWeightFirst && kind <= kCriterionWeightLast);
    const bool own = cbCDLOverride->isEnabled() && cbCDLOverride->isChecked();
    Coef.SetEnabled(own);
}

const TStatMethod* TFormFilter::SelectedMethod() const {
    if (!source_.List || cbDrawsStatType->currentIndex() < 0) return nullptr;
    bool ok = false;
    const int method = cbDrawsStatType->currentData().toInt(&ok);
    return ok && method >= 0 && method < source_.List->Count() ? &source_.List->Items(method) : nullptr;
}

TFilterItem TFormFilter::BuildItem() const {
    TFilterItem item;
    item.Active = true;
    item.Stat = SelectedMethod();
    item.LengthsText = S(edDrawsLen->text());
    item.SortColumn = cbDrawsSortOrder->currentIndex();
    item.FromBottom = cbDirection->currentIndex() == 1;
    item.MarkAll = cbMultiSelect->isChecked();
    item.KeepSelected = cbFilterMode->currentIndex() == 1;
    item.CriterionKind = uint8_t(std::max(cbLevelMode->currentIndex(), 0));
    item.CriterionText = S(edLevelValue->text());
    item.OwnWeights = cbCDLOverride->isChecked();
    item.Weights = Coef.Get();
    item.StopKind = uint8_t(std::max(cbStopMode->currentIndex(), 0));
    item.StopValue = edStopValue->value();
    item.StatText.clear();
    return item;
}

QWidget* TFormFilter::FieldControl(TFilterItemField field) const {
    switch (field) {
    case TFilterItemField::Stat: return cbDrawsStatType;
    case TFilterItemField::Lengths: return edDrawsLen;
    case TFilterItemField::Criterion: return cbLevelMode;
    case TFilterItemField::CriterionText: return edLevelValue;
    case TFilterItemField::Stop: return cbStopMode;
    }
    return nullptr;
}

void TFormFilter::done(int result) {
    if (result == QDialog::Accepted) {
        try {
            ValidateFilterItem(BuildItem(), S(cbDrawsStatType->objectName()));
        } catch (const TFilterItemError& e) {
            ShowError(this, Q(e.what()));
            if (QWidget* focus = FieldControl(e.Field)) {
                focus->setFocus();
                if (auto* edit = qobject_cast<QLineEdit*>(focus)) edit->selectAll();
            }
            return;
        }
    }
    QDialog::done(result);
}

bool EditFilterItem(QWidget* parent, TFilterItem& item, const TFilterDialogSource& source) {
    TFormFilter dlg(source, parent);
    dlg.LoadItem(item);
    if (dlg.exec() != QDialog::Accepted) return false;
    item = dlg.BuildItem();
    return true;
}

} // namespace velmora
