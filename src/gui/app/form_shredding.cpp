#include "gui/app/form_shredding.h"

#include "gui/app/dialog_buttons.h"
#include "gui/app/qt_text.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace velmora {

TFormShredding::TFormShredding(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormShredding");
    setWindowTitle(tr("Методы шинковки"));
    auto* grid = new QGridLayout;
    const QString labels[3] = {tr("Формула 1:"), tr("Формула 2:"), tr("Формула 3:")};
    QLineEdit** edits[3] = {&edFormula1, &edFormula2, &edFormula3};
    QSpinBox** spins[3] = {&edDigits1, &edDigits2, &edDigits3};
    for (int i = 0; i < 3; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("edFormula%1").arg(i + 1));
        edit->setToolTip(tr("Используемая формула"));
        auto* spin = new QSpinBox(this);
        spin->setObjectName(QString("edDigits%1").arg(i + 1));
        spin->setRange(kMinFormulaDigits, kMaxFormulaDigits);
        spin->setValue(kDefaultFormulaDigits);
        spin->setToolTip(tr("Количество используемых знаков после запятой"));
        auto* label = new QLabel(labels[i], this);
        label->setBuddy(edit);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        grid->addWidget(spin, i, 2);
        *edits[i] = edit;
        *spins[i] = spin;
    }
    grid->setColumnStretch(1, 1);
    // The variables t1..t5 (the draw before the previous one) work as well; the label names the
    // two kinds a formula usually needs.
    lbVariables = new QLabel(tr("Используемые переменные:") + "\n" + tr("n1, n2, n3, ..., nX - числа текущего тиража") +
                                 "\n" + tr("p1, p2, p3, ..., pX - числа предыдущего тиража"),
                             this);
    lbVariables->setObjectName("lbVariables");
    grid->addWidget(lbVariables, 3, 0, 1, 3);
    SetFormWithButtons(this, grid, 460);
    KeepTitleWhole(this);
}

QLineEdit* TFormShredding::Formula(int i) const { return i == 0 ? edFormula1 : i == 1 ? edFormula2 : edFormula3; }
QSpinBox* TFormShredding::Digits(int i) const { return i == 0 ? edDigits1 : i == 1 ? edDigits2 : edDigits3; }

void TFormShredding::SetData(const TShreddingData& data) {
    for (int i = 0; i < 3; ++i) {
        Formula(i)->setText(Q(data.Formulas[size_t(i)]));
        Digits(i)->setValue(data.Digits[size_t(i)]);
    }
}

TShreddingData TFormShredding::Data() const {
    TShreddingData d;
    for (int i = 0; i < 3; ++i) {
        d.Formulas[size_t(i)] = S(Formula(i)->text());
        d.Digits[size_t(i)] = Digits(i)->value();
    }
    return d;
}

} // namespace velmora
