// A label of a status bar that takes the room it is given, however long its text (a hint, the
// status of an operation, a filter being run), and ends a text that does not fit with "…". Its
// text() stays whole.
#pragma once

#include <QLabel>

namespace velmora {

class TElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit TElidedLabel(QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velmora
