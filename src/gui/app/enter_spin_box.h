// A spin edit that tells when Enter is pressed in it (after the typed text was taken), for
// fields that run their command on Enter.
#pragma once

#include <QSpinBox>

namespace velmora {

class TEnterSpinBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

signals:
    void EnterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace velmora
