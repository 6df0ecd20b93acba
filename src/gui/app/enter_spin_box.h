// A spin edit that tells when Enter is pressed in it (after the typed text was taken), for
// fields that run their command on Enter.
#pragma once

#include <QSpinBox>
#include <QString>

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

// A length field of the view windows (a number of draws, 1 and up), wide enough for seven digits,
// with its hint as tooltip and status text.
TEnterSpinBox* LengthSpinBox(QWidget* parent, const char* name, const QString& hint, int value);

} // namespace velmora
