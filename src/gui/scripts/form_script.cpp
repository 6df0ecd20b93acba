#include "gui/scripts/form_script.h"

#include "core/filters/filter_item.h"
#include "core/scripts/line_options.h"
#include "core/util/text.h"
#include "gui/app/dialog_buttons.h"
#include "gui/app/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace velmora {

TFormScript::TFormScript(const TFilterDialogSource& source, QWidget* parent) : QDialog(parent), source_(source) {
    setObjectName("TFormScript");

    edComments = new QLineEdit(this);
    edComments->setObjectName("edComments");
    edComments->setToolTip(tr("Комментарии (можно оставить пустым)"));
    auto* lbComments = new QLabel(tr("Комментарии:"), this);
    lbComments->setBuddy(edComments);

    gbOptions = new QGroupBox(tr(" Опции "), this);
    gbOptions->setObjectName("gbOptions");
    cbStartCombsType = new QComboBox(gbOptions);
    cbStartCombsType->setObjectName("cbStartCombsType");
    cbStartCombsType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int i = 0; i < kStartCombsTypeCount; ++i) cbStartCombsType->addItem(Q(StartCombsEditorText(i)));
    auto* lbStart = new QLabel(tr("Начальный список комбинаций:"), gbOptions);
    lbStart->setBuddy(cbStartCombsType);

    edDrawsExclude = new QSpinBox(gbOptions);
    edDrawsExclude->setObjectName("edDrawsExclude");
    edDrawsExclude->setRange(0, INT_MAX);
    edDrawsExclude->setToolTip(
        tr("Исключить указанное количество тиражей из списка комбинаций перед применением фильтров"));
    auto* lbExclude = new QLabel(tr("Кол-во тиражей:"), gbOptions);
    lbExclude->setBuddy(edDrawsExclude);

    cbResultCombsMode = new QComboBox(gbOptions);
    cbResultCombsMode->setObjectName("cbResultCombsMode");
    cbResultCombsMode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int i = 0; i < kResultCombsModeCount; ++i) cbResultCombsMode->addItem(Q(ResultCombsModeEditorText(i)));
    auto* lbMode = new QLabel(tr("В случае неоднозначного результата после применения фильтров:"), gbOptions);
    lbMode->setBuddy(cbResultCombsMode);

    cbClearStakes = new QCheckBox(tr("Удалить все ставки перед выполнением (накопление только рейтинга)"), gbOptions);
    cbClearStakes->setObjectName("cbClearStakes");
    cbClearStakes->setToolTip(MessageText(
        tr("Перед выполнением строки сценария файл ставок будет очищен.\r\rИспользуется для очень больших "
           "сценариев, которые создают огромное количество ставок за один раз.\r\rНа накопление рейтинга это не "
           "влияет.")));
    cbNewOnly = new QCheckBox(tr("Только новые ставки (пропускать те ставки, которые уже есть в списке)"), gbOptions);
    cbNewOnly->setObjectName("cbNewOnly");
    cbNewOnly->setToolTip(
        tr("Если комбинация уже есть в списке ставок, то она не будет добавлена в список ставок"));

    auto* options = new QGridLayout(gbOptions);
    options->addWidget(lbStart, 0, 0);
    options->addWidget(lbExclude, 0, 1);
    options->addWidget(cbStartCombsType, 1, 0);
    options->addWidget(edDrawsExclude, 1, 1);
    options->addWidget(lbMode, 2, 0, 1, 2);
    options->addWidget(cbResultCombsMode, 3, 0, 1, 2);
    options->addWidget(cbClearStakes, 4, 0, 1, 2);
    options->addWidget(cbNewOnly, 5, 0, 1, 2);
    options->setColumnStretch(0, 1);

    gbFilters = new QGroupBox(tr(" Фильтры "), this);
    gbFilters->setObjectName("gbFilters");
    auto* filters = new QGridLayout(gbFilters);
    for (int i = 0; i < kScriptFilterCount; ++i) {
        const QString n = QString::number(i + 1);
        auto* ed = new QLineEdit(gbFilters);
        ed->setObjectName("edFilter" + n);
        ed->setToolTip(tr("Фильтр %1").arg(n));
        ed->installEventFilter(this);
        auto* btn = new QToolButton(gbFilters);
        btn->setObjectName("btnFilter" + n);
        btn->setText("...");
        btn->setToolTip(tr("Редактировать фильтр"));
        connect(btn, &QToolButton::clicked, this, [this, i] { EditFilter(i + 1); });
        auto* lb = new QLabel(tr("Фильтр %1:").arg(n), gbFilters);
        lb->setBuddy(ed);
        filters->addWidget(lb, i, 0);
        filters->addWidget(ed, i, 1);
        filters->addWidget(btn, i, 2);
        edFilter[size_t(i)] = ed;
        btnFilter[size_t(i)] = btn;
    }
    filters->setColumnStretch(1, 1);

    auto* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbComments);
    layout->addWidget(edComments);
    layout->addWidget(gbOptions);
    layout->addWidget(gbFilters);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(560);
}

void TFormScript::LoadLine(const std::string& line) {
    if (IsScriptSeparator(line)) {
        edComments->clear();
        cbStartCombsType->setCurrentIndex(0);
        cbResultCombsMode->setCurrentIndex(0);
        cbClearStakes->setChecked(false);
        cbNewOnly->setChecked(false);
        for (auto* ed : edFilter) ed->clear();
        return;
    }
    const TLineOptions o = ParseLineOptions(GetLineOptions(line));
    edComments->setText(Q(GetLineComment(line)));
    cbStartCombsType->setCurrentIndex(o.StartCombsType);
    edDrawsExclude->setValue(std::max(o.DrawsExclude, 0));
    cbResultCombsMode->setCurrentIndex(o.ResultCombsMode);
    cbClearStakes->setChecked(o.ClearStakes);
    cbNewOnly->setChecked(o.NewOnly);
    const TScriptFilters fields = GetLineFilters(line);
    for (size_t i = 0; i < fields.size(); ++i) edFilter[i]->setText(Q(fields[i]));
}

std::string TFormScript::BuildLine() const {
    TLineOptions o;
    o.StartCombsType = uint8_t(std::max(cbStartCombsType->currentIndex(), 0));
    o.DrawsExclude = edDrawsExclude->value();
    o.ResultCombsMode = uint8_t(std::max(cbResultCombsMode->currentIndex(), 0));
    o.ClearStakes = cbClearStakes->isChecked();
    o.NewOnly = cbNewOnly->isChecked();
    TScriptFilters fields;
    for (size_t i = 0; i < fields.size(); ++i) fields[i] = S(edFilter[i]->text());
    return BuildScriptLine(S(edComments->text()), FormatLineOptions(o), fields);
}

void TFormScript::EditFilter(int i) {
    if (i < 1 || i > kScriptFilterCount || !source_.List) return;
    QLineEdit* ed = edFilter[size_t(i - 1)];
    TFilterItem item = ParseFilterItem(Trim(S(ed->text())), *source_.List);
    if (EditFilterItem(this, item, source_)) ed->setText(Q(FormatFilterItem(item)));
}

bool TFormScript::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick)
        for (size_t i = 0; i < edFilter.size(); ++i)
            if (watched == edFilter[i]) {
                EditFilter(int(i) + 1);
                return true;
            }
    return QDialog::eventFilter(watched, event);
}

} // namespace velmora
