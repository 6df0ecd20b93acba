// The wait window of an operation that blocks on the network (the draw download): a small
// borderless window centred on the screen with one centred, word-wrapped line of text and the
// button "Стоп". Every change of the text repaints it at once and lets pending events through, so
// that the window paints and the stop button works while the request runs.
#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace velmora {

class TWaitWindow : public QFrame {
    Q_OBJECT
public:
    explicit TWaitWindow(QWidget* parent = nullptr);

    // Shows the text ("\r" breaks lines as in the product's messages), re-centred and painted.
    void SetText(const QString& text);
    QString Text() const;
    // True once "Стоп" was pressed.
    bool StopRequested() const { return stop_; }

    QLabel* lbText;
    QPushButton* btnStop;

private:
    void Centre();
    bool stop_ = false;
};

} // namespace velmora
