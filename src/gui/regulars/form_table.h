// The dialog TFormTable ("Добавление регулярной ставки"): the comment, the constant start
// combination or the numbers of the previous draw as base, and the step. OK runs the engine's
// checks (AcceptRegularInput): an error keeps the dialog open with the focus on its field.
#pragma once

#include "core/stakes/regular_stake.h"

#include <QDialog>
#include <vector>

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace velmora {

class TFormTable : public QDialog {
    Q_OBJECT
public:
    // existing: the regulars of the list (their comments must differ from the new ones);
    // selected: the 1-based positions of the combinations selected in the combination list, and
    // `start` the selected combination when exactly one is.
    TFormTable(const TRegularStakes& existing, std::vector<int> selected, const TCombination& start,
               QWidget* parent = nullptr);

    // The regular as accepted (comment, base, step, and the start combination when one
    // combination was selected).
    const TRegularStake& Result() const { return result_; }

    void done(int result) override;

    QLineEdit* edComment;
    QRadioButton* rbUseMyComb;
    QLineEdit* edCombStart;
    QRadioButton* rbUseLastDraw;
    QSpinBox* edStep;

private:
    void UpdateControls();

    const TRegularStakes& existing_;
    std::vector<int> selected_;
    TRegularStake result_;
};

} // namespace velmora
