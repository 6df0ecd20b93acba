#include "gui/app/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QDialog::tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QDialog::tr("Отмена"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void KeepTitleWhole(QDialog* dialog) {
    // Title bars write in bold; the icon and three buttons take about 120 pixels beside the title.
    constexpr int kTitleBarControls = 120;
    QFont bold = dialog->font();
    bold.setBold(true);
    const int need = QFontMetrics(bold).horizontalAdvance(dialog->windowTitle()) + kTitleBarControls;
    // The size it opens with; the layout keeps its own least size.
    const QSize size = dialog->testAttribute(Qt::WA_Resized) ? dialog->size() : dialog->sizeHint();
    dialog->resize(std::max(size.width(), need), size.height());
}

void SetFormWithButtons(QDialog* dialog, QLayout* form, int width) {
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(OkCancelButtons(dialog));
    dialog->resize(width, dialog->sizeHint().height());
}

} // namespace velmora
