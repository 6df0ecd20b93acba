#include "gui/app/enter_spin_box.h"

#include <QKeyEvent>

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

} // namespace velmora
