#include "gui/stakes/form_multi.h"

#include "core/stakes/stake_record.h"
#include "gui/app/dialog_buttons.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <climits>

namespace velmora {

TFormMulti::TFormMulti(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormMulti");
    setWindowTitle(tr("Добавление мультиставки"));

    edDrawNumber = new QSpinBox(this);
    edDrawNumber->setObjectName("edDrawNumber");
    edDrawNumber->setRange(1, INT_MAX);
    edDrawNumber->setToolTip(tr("Номер тиража"));
    edDrawNumber->setStatusTip(edDrawNumber->toolTip());

    edComment = new QLineEdit(this);
    edComment->setObjectName("edComment");
    edComment->setMaxLength(kMaxStakeCommentLength);
    // A comment of the longest length shows whole (a script line's comment is about that long).
    edComment->setMinimumWidth(edComment->fontMetrics().horizontalAdvance(QString(kMaxStakeCommentLength, '0')) + 12);

    edDrawsCount = new QSpinBox(this);
    edDrawsCount->setObjectName("edDrawsCount");
    edDrawsCount->setRange(1, kMaxStakeDrawsCount);

    auto* form = new QFormLayout;
    form->addRow(tr("Номер тиража:"), edDrawNumber);
    form->addRow(tr("Комментарий к ставке:"), edComment);
    form->addRow(tr("Кол-во тиражей:"), edDrawsCount);

    SetFormWithButtons(this, form, 400);
    KeepTitleWhole(this);
}

void TFormMulti::SetValues(int drawNumber, int drawsCount, const std::string& comment) {
    edDrawNumber->setValue(std::max(drawNumber, 1));
    edDrawsCount->setValue(drawsCount);
    edComment->setText(Q(comment));
    edComment->setFocus();
}

int TFormMulti::DrawNumber() const { return edDrawNumber->value(); }
int TFormMulti::DrawsCount() const { return edDrawsCount->value(); }
std::string TFormMulti::Comment() const { return S(edComment->text()); }

void TFormMulti::done(int result) {
    if (result == QDialog::Accepted) {
        try {
            CheckStakeComment(Comment());
            CheckStakeDraws(DrawNumber(), DrawsCount());
        } catch (const TStakeInputError& e) {
            ShowError(this, tr(e.what()));
            (e.Field == TStakeField::Comment ? static_cast<QWidget*>(edComment) : edDrawsCount)->setFocus();
            return;
        }
    }
    QDialog::done(result);
}

} // namespace velmora
