// TFormTestCnt: asks how many of the latest draws a script test forecasts ("Количество тестов").
#pragma once

#include <QDialog>

class QSpinBox;

namespace velmora {

class TFormTestCnt : public QDialog {
    Q_OBJECT
public:
    // maximum: the number of draws - 1 (at least 1).
    TFormTestCnt(int maximum, QWidget* parent = nullptr);

    QSpinBox* edTestCount;
};

// The dialog: K, or 0 when cancelled.
int AskTestCount(QWidget* parent, int maximum);

} // namespace velmora
