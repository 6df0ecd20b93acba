// The draw dialog TFormDraw: draw number, the seven drawn numbers as text, and optionally the date.
#pragma once

#include "core/model/draw_record.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimeEdit;

namespace velmora {

class TFormDraw : public QDialog {
    Q_OBJECT
public:
    explicit TFormDraw(QWidget* parent = nullptr);

    // Fills the fields from the record; without the date the pickers are hidden and the record's
    // date stays as it is.
    void SetRecord(const TDrawRecord& rec, bool withDate);
    // The record as typed (valid once the dialog was accepted).
    const TDrawRecord& Record() const { return record_; }

    // Closing with OK checks the fields first and keeps the dialog open on an error.
    void done(int result) override;

    QSpinBox* edDrawNumber;
    QLineEdit* edDrawData;
    QDateEdit* edDrawDate;
    QTimeEdit* edDrawTime;

private:
    QLabel* lbDate_;
    TDrawRecord record_;
    bool withDate_ = true;
};

// Shows the dialog with the caption; on OK the record is replaced by the typed one.
bool EditDrawRecord(QWidget* parent, const QString& caption, TDrawRecord& rec, bool withDate);

} // namespace velmora
