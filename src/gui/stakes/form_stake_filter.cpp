#include "gui/stakes/form_stake_filter.h"

#include "core/stakes/stake_file.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace velmora {

TFormStakeFilter::TFormStakeFilter(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormStakeFilter");
    setWindowTitle(tr("Удаление по условию"));

    auto* label = new QLabel(tr("Выберите условие:"), this);
    cbCondition = new QComboBox(this);
    cbCondition->setObjectName("cbCondition");
    // In the order of TStakeCondition.
    cbCondition->addItems({tr("Равно [ = ]"), tr("Более [ > ]"), tr("Не менее [ >= ]"), tr("Менее [ < ]"),
                           tr("Не более [ <= ]")});
    cbCondition->setCurrentIndex(scEqual);
    cbCondition->setToolTip(tr("Режим сравнения с количеством совпадений"));
    cbCondition->setStatusTip(cbCondition->toolTip());
    label->setBuddy(cbCondition);

    edValue = new QSpinBox(this);
    edValue->setObjectName("edValue");
    edValue->setRange(0, 5);
    edValue->setValue(0);
    edValue->setToolTip(tr("Количество совпадений"));
    edValue->setStatusTip(edValue->toolTip());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(tr("OK"));
    ok->setToolTip(tr("Удалить ставки"));
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setText(tr("Отмена"));
    cancel->setToolTip(tr("Отменить операцию и закрыть окно"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(cbCondition, 1);
    row->addWidget(edValue);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addStretch(1);
    layout->addWidget(buttons);
    resize(320, sizeHint().height());
}

int TFormStakeFilter::PackedCondition() const { return PackStakeCondition(cbCondition->currentIndex(), edValue->value()); }

} // namespace velmora
