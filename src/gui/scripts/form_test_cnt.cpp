#include "gui/scripts/form_test_cnt.h"

#include "gui/app/dialog_buttons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {
constexpr int kDefaultTestCount = 10;
}

TFormTestCnt::TFormTestCnt(int maximum, QWidget* parent) : QDialog(parent) {
    setObjectName("fmTestCnt");
    setWindowTitle(tr("Количество тестов"));
    auto* label = new QLabel(tr("Укажите количество тестов:"), this);
    edTestCount = new QSpinBox(this);
    edTestCount->setObjectName("edTestCount");
    edTestCount->setToolTip(tr("Укажите количество последних тиражей, на которых будет производится тестирование"));
    edTestCount->setRange(1, std::max(1, maximum));
    edTestCount->setValue(std::min(kDefaultTestCount, edTestCount->maximum()));
    label->setBuddy(edTestCount);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edTestCount);
    layout->addWidget(buttons);
    KeepTitleWhole(this);
}

int AskTestCount(QWidget* parent, int maximum) {
    TFormTestCnt form(maximum, parent);
    return form.exec() == QDialog::Accepted ? form.edTestCount->value() : 0;
}

} // namespace velmora
