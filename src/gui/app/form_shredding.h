// The formula dialog of the shredding methods (EditShredding): three formulas with the number of
// decimal digits each keeps, and the variables they may use. The formulas are taken as typed; a
// formula that cannot be evaluated gives the value 0 (EvalShredding).
#pragma once

#include "core/app/config.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QSpinBox;

namespace velmora {

class TFormShredding : public QDialog {
    Q_OBJECT
public:
    explicit TFormShredding(QWidget* parent = nullptr);

    void SetData(const TShreddingData& data);
    // The six values of the controls.
    TShreddingData Data() const;

    QLineEdit* edFormula1;
    QLineEdit* edFormula2;
    QLineEdit* edFormula3;
    QSpinBox* edDigits1;
    QSpinBox* edDigits2;
    QSpinBox* edDigits3;
    QLabel* lbVariables;

private:
    QLineEdit* Formula(int i) const;
    QSpinBox* Digits(int i) const;
};

} // namespace velmora
