// The stake dialog TFormStake ("Добавление ставки"): draw number, the stake's numbers as text with
// their sum, the comment and the number of draws. OK runs the engine's check (AcceptStakeInput):
// an error keeps the dialog open with the focus on its field.
#pragma once

#include "core/stakes/stake_record.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

namespace velmora {

class TFormStake : public QDialog {
    Q_OBJECT
public:
    explicit TFormStake(QWidget* parent = nullptr);

    // Fills the fields from the record (its numbers joined by ";") and the draws count.
    void SetRecord(const TStakeRecord& rec, int drawsCount);
    // The record as accepted: the other fields kept, the draw number, comment and sorted numbers.
    const TStakeRecord& Record() const { return record_; }
    int DrawsCount() const;

    void done(int result) override;

    QSpinBox* edDrawNumber;
    QLineEdit* edStakeData;
    QLineEdit* edComment;
    QSpinBox* edDrawsCount;
    QLineEdit* edStakeSum;

private:
    TStakeRecord record_;
};

} // namespace velmora
