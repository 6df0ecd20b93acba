#include "gui/app/enter_spin_box.h"

#include <QKeyEvent>
#include <climits>

namespace velmora {

void TEnterSpinBox::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QSpinBox::keyPressEvent(event);
    if (enter) {
        // Handled here: the dialog or window around must not take Enter as its default button.
        event->accept();
        emit EnterPressed();
    }
}

TEnterSpinBox* LengthSpinBox(QWidget* parent, const char* name, const QString& hint, int value) {
    auto* ed = new TEnterSpinBox(parent);
    ed->setObjectName(name);
    ed->setRange(1, INT_MAX);
    ed->setValue(value);
    ed->setToolTip(hint);
    ed->setStatusTip(hint);
    ed->setMinimumWidth(ed->fontMetrics().horizontalAdvance("0000000") + 30);
    return ed;
}

} // namespace velmora
