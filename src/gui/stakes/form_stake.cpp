#include "gui/stakes/form_stake.h"

#include "gui/app/dialog_buttons.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <climits>

namespace velmora {

TFormStake::TFormStake(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormStake");
    setWindowTitle(tr("Добавление ставки"));

    edDrawNumber = new QSpinBox(this);
    edDrawNumber->setObjectName("edDrawNumber");
    edDrawNumber->setRange(1, INT_MAX);
    edDrawNumber->setToolTip(tr("Номер первого тиража"));

    edStakeData = new QLineEdit(this);
    edStakeData->setObjectName("edStakeData");
    edStakeData->setToolTip(tr("Введите числа, разделенные пробелом, запятой или точкой с запятой"));

    edComment = new QLineEdit(this);
    edComment->setObjectName("edComment");
    edComment->setMaxLength(kMaxStakeCommentLength);

    edDrawsCount = new QSpinBox(this);
    edDrawsCount->setObjectName("edDrawsCount");
    edDrawsCount->setRange(1, kMaxStakeDrawsCount);
    edDrawsCount->setToolTip(tr("Количество тиражей, на которые нужно сделать ставку (начиная с указанного)"));

    edStakeSum = new QLineEdit(this);
    edStakeSum->setObjectName("edStakeSum");
    edStakeSum->setReadOnly(true);
    edStakeSum->setToolTip(tr("Сумма введенных чисел"));
    connect(edStakeData, &QLineEdit::textChanged, this,
            [this](const QString& text) { edStakeSum->setText(QString::number(StakeNumbersSum(S(text)))); });

    for (QWidget* w : std::initializer_list<QWidget*>{edDrawNumber, edStakeData, edComment, edDrawsCount, edStakeSum})
        w->setStatusTip(w->toolTip());

    auto* form = new QFormLayout;
    form->addRow(tr("Номер тиража:"), edDrawNumber);
    form->addRow(tr("Ставка:"), edStakeData);
    form->addRow(tr("Сумма:"), edStakeSum);
    form->addRow(tr("Комментарий к ставке:"), edComment);
    form->addRow(tr("Кол-во тиражей:"), edDrawsCount);

    SetFormWithButtons(this, form, 420);
}

void TFormStake::SetRecord(const TStakeRecord& rec, int drawsCount) {
    record_ = rec;
    edDrawNumber->setValue(std::max(rec.DrawNumber, 1));
    edStakeData->setText(Q(NumberSetToText(rec.Numbers, ";")));
    edStakeSum->setText(QString::number(StakeNumbersSum(S(edStakeData->text()))));
    edComment->setText(Q(rec.CommentText()));
    edDrawsCount->setValue(drawsCount);
    edStakeData->setFocus();
}

int TFormStake::DrawsCount() const { return edDrawsCount->value(); }

void TFormStake::done(int result) {
    if (result == QDialog::Accepted) {
        try {
            record_ = AcceptStakeInput(record_, edDrawNumber->value(), S(edStakeData->text()), S(edComment->text()),
                                       edDrawsCount->value());
        } catch (const TStakeInputError& e) {
            ShowError(this, tr(e.what()));
            QWidget* field = e.Field == TStakeField::Numbers ? static_cast<QWidget*>(edStakeData)
                             : e.Field == TStakeField::Comment ? static_cast<QWidget*>(edComment)
                             : e.Field == TStakeField::DrawNumber ? static_cast<QWidget*>(edDrawNumber)
                                                                  : static_cast<QWidget*>(edDrawsCount);
            field->setFocus();
            return;
        }
    }
    QDialog::done(result);
}

} // namespace velmora
