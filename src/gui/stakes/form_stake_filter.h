// The dialog TFormStakeFilter ("Удаление по условию"): a comparison with the number of matches and
// that number; the result is packed as value * 256 + condition, as the deletion takes it.
#pragma once

#include <QDialog>

class QComboBox;
class QSpinBox;

namespace velmora {

class TFormStakeFilter : public QDialog {
    Q_OBJECT
public:
    explicit TFormStakeFilter(QWidget* parent = nullptr);
    int PackedCondition() const;

    QComboBox* cbCondition;
    QSpinBox* edValue;
};

} // namespace velmora
