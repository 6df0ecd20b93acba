#include "gui/draws/form_draw.h"

#include "gui/app/dialog_buttons.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "core/model/dates.h"
#include "core/model/draws_archive.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <climits>
#include <cmath>

namespace velmora {

namespace {

constexpr int kHeightWithoutDate = 200;

QDate ToQDate(TDateTime dt) {
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return QDate(y, m, d);
}

TDateTime FromQDate(const QDate& d) { return EncodeDate(d.year(), d.month(), d.day()); }

} // namespace

TFormDraw::TFormDraw(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormDraw");
    setWindowTitle(tr("Данные тиража"));

    auto* lbNumber = new QLabel(tr("Номер тиража:"), this);
    edDrawNumber = new QSpinBox(this);
    edDrawNumber->setObjectName("edDrawNumber");
    edDrawNumber->setRange(1, INT_MAX);
    edDrawNumber->setToolTip(tr("Номер тиража"));
    lbNumber->setBuddy(edDrawNumber);

    auto* lbData = new QLabel(tr("Выпавшие числа, разделенные пробелом, запятой или точкой с запятой:"), this);
    edDrawData = new QLineEdit(this);
    edDrawData->setObjectName("edDrawData");
    lbData->setBuddy(edDrawData);

    lbDate_ = new QLabel(tr("Дата и время тиража:"), this);
    edDrawDate = new QDateEdit(this);
    edDrawDate->setObjectName("edDrawDate");
    edDrawDate->setCalendarPopup(true);
    edDrawDate->setDisplayFormat("dd.MM.yyyy");
    edDrawTime = new QTimeEdit(this);
    edDrawTime->setObjectName("edDrawTime");
    edDrawTime->setDisplayFormat("HH:mm:ss");
    lbDate_->setBuddy(edDrawDate);

    auto* buttons = OkCancelButtons(this);

    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(lbNumber);
    numberRow->addWidget(edDrawNumber, 1);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(edDrawDate, 1);
    dateRow->addWidget(edDrawTime, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(numberRow);
    layout->addWidget(lbData);
    layout->addWidget(edDrawData);
    layout->addWidget(lbDate_);
    layout->addLayout(dateRow);
    layout->addStretch(1);
    layout->addWidget(buttons);
    resize(440, sizeHint().height());
}

void TFormDraw::SetRecord(const TDrawRecord& rec, bool withDate) {
    record_ = rec;
    withDate_ = withDate;
    edDrawNumber->setValue(rec.Number);
    edDrawData->setText(Q(DrawDataText(rec)));
    lbDate_->setVisible(withDate);
    edDrawDate->setVisible(withDate);
    edDrawTime->setVisible(withDate);
    if (withDate) {
        // A date text that is not a date (an imported one, say) shows today, as an empty one does.
        TDateTime dt = 0;
        try {
            dt = TextToDate(rec.DateText());
        } catch (const std::exception&) {
            dt = 0;
        }
        if (dt > 0) {
            edDrawDate->setDate(ToQDate(dt));
            edDrawTime->setTime(QTime(0, 0));
        } else {
            TDateTime now = Now();
            edDrawDate->setDate(ToQDate(now));
            int secs = int(std::lround((now - std::floor(now)) * 86400.0)) % 86400;
            edDrawTime->setTime(QTime(0, 0).addSecs(secs));
        }
    } else {
        resize(width(), kHeightWithoutDate);
    }
    edDrawData->setFocus();
}

void TFormDraw::done(int result) {
    if (result == QDialog::Accepted) {
        TDrawRecord rec = record_;
        if (!ParseDrawData(S(edDrawData->text()), rec)) {
            ShowError(this, MessageText(tr(kDrawDataError)));
            edDrawData->setFocus();
            return;
        }
        rec.Number = edDrawNumber->value();
        // The time of day is picked but only the date is kept.
        if (withDate_) rec.SetDateText(DateToText(FromQDate(edDrawDate->date())));
        record_ = rec;
    }
    QDialog::done(result);
}

bool EditDrawRecord(QWidget* parent, const QString& caption, TDrawRecord& rec, bool withDate) {
    TFormDraw dlg(parent);
    dlg.setWindowTitle(caption);
    dlg.SetRecord(rec, withDate);
    if (dlg.exec() != QDialog::Accepted) return false;
    rec = dlg.Record();
    return true;
}

} // namespace velmora
