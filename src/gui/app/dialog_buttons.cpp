#include "gui/app/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QDialog::tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QDialog::tr("Отмена"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void SetFormWithButtons(QDialog* dialog, QLayout* form, int width) {
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(OkCancelButtons(dialog));
    dialog->resize(width, dialog->sizeHint().height());
}

} // namespace velmora
