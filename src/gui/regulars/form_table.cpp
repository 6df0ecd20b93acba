#include "gui/regulars/form_table.h"

#include "core/util/text.h"
#include "core/util/translate.h"
#include "gui/app/dialog_buttons.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace velmora {

TFormTable::TFormTable(const TRegularStakes& existing, std::vector<int> selected, const TCombination& start,
                       QWidget* parent)
    : QDialog(parent), existing_(existing), selected_(std::move(selected)) {
    setObjectName("TFormTable");
    setWindowTitle(tr("Добавление регулярной ставки"));
    const bool one = selected_.size() == 1;

    edComment = new QLineEdit(Q(TrText(kRegularDefaultComment)), this);
    edComment->setObjectName("edComment");
    edComment->setMaxLength(kMaxRegularCommentLength);

    rbUseMyComb = new QRadioButton(tr("Использовать постоянную стартовую комбинацию:"), this);
    rbUseMyComb->setObjectName("rbUseMyComb");
    rbUseMyComb->setChecked(true);

    edCombStart = new QLineEdit(this);
    edCombStart->setObjectName("edCombStart");
    edCombStart->setToolTip(tr("Введите числа, разделенные точкой с запятой или запятой"));
    edCombStart->setText(one ? Q(CombToText(start)) : tr("{...Выделенные комбинации...}"));

    rbUseLastDraw = new QRadioButton(tr("Использовать данные предыдущего тиража"), this);
    rbUseLastDraw->setObjectName("rbUseLastDraw");

    edStep = new QSpinBox(this);
    edStep->setObjectName("edStep");
    edStep->setRange(kMinRegularStep, kMaxRegularStep);
    edStep->setValue(1);
    edStep->setToolTip(tr("Шаг изменения элементов комбинации"));

    for (QWidget* w : std::initializer_list<QWidget*>{edCombStart, edStep}) w->setStatusTip(w->toolTip());
    connect(rbUseMyComb, &QRadioButton::toggled, this, [this] { UpdateControls(); });

    auto* commentLabel = new QLabel(tr("Комментарий к ставке:"), this);
    commentLabel->setBuddy(edComment);
    auto* form = new QVBoxLayout;
    form->addWidget(commentLabel);
    form->addWidget(edComment);
    form->addSpacing(6);
    form->addWidget(rbUseMyComb);
    auto* startRow = new QHBoxLayout;
    startRow->addSpacing(20);
    startRow->addWidget(edCombStart);
    form->addLayout(startRow);
    form->addWidget(rbUseLastDraw);
    form->addSpacing(6);
    auto* stepRow = new QFormLayout;
    stepRow->addRow(tr("Шаг:"), edStep);
    form->addLayout(stepRow);

    SetFormWithButtons(this, form, 420);
    UpdateControls();
    edComment->setFocus();
    edComment->selectAll();
}

// The start field takes input only with the constant start and one selected combination.
void TFormTable::UpdateControls() {
    edCombStart->setEnabled(rbUseMyComb->isChecked() && selected_.size() == 1);
}

void TFormTable::done(int result) {
    if (result == QDialog::Accepted) {
        TRegularInput input;
        input.Comment = S(edComment->text());
        input.UseLastDraw = rbUseLastDraw->isChecked();
        input.StartText = S(edCombStart->text());
        input.Step = edStep->value();
        try {
            result_ = AcceptRegularInput(input, existing_, selected_);
        } catch (const TRegularInputError& e) {
            ShowError(this, Q(e.what()));
            QWidget* field = e.Field == TRegularField::Start     ? static_cast<QWidget*>(edCombStart)
                             : e.Field == TRegularField::Comment ? static_cast<QWidget*>(edComment)
                                                                 : static_cast<QWidget*>(edStep);
            field->setFocus();
            return;
        }
    }
    QDialog::done(result);
}

} // namespace velmora
