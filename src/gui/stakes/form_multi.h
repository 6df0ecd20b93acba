// The multi-stake dialog TFormMulti ("Добавление мультиставки"): the draw number, the comment and
// the number of draws of the stakes made for many combinations at once (also used by system play).
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QSpinBox;

namespace velmora {

class TFormMulti : public QDialog {
    Q_OBJECT
public:
    explicit TFormMulti(QWidget* parent = nullptr);

    void SetValues(int drawNumber, int drawsCount, const std::string& comment);
    int DrawNumber() const;
    int DrawsCount() const;
    std::string Comment() const;

    // OK checks the comment (not empty) and the draws; an error keeps the dialog open.
    void done(int result) override;

    QSpinBox* edDrawNumber;
    QLineEdit* edComment;
    QSpinBox* edDrawsCount;
};

} // namespace velmora
