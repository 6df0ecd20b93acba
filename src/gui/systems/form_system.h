// The system dialog TFormSystem ("Система"): every field of a system, the combination list with its
// pop-up menu and the normalisation of the list each time the focus leaves it. Opened editable
// for a new system or the user's own, read-only for somebody else's (OK hidden, Cancel focused).
#pragma once

#include "core/stakes/system_info.h"

#include <QDialog>

class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace velmora {

class TTemplateMain;

class TFormSystem : public QDialog {
    Q_OBJECT
public:
    // window: the busy state of the normalisation (may be null in tests of the dialog alone).
    TFormSystem(QWidget* parent, TTemplateMain* window = nullptr);

    void SetData(const tSystemData& data, bool editable);
    // The edited data (see the rules at Result in the .cpp).
    tSystemData Data() const;
    bool Editable() const { return editable_; }

    // The combination text normalised (editable mode); a word that is not an integer is shown as
    // an error and leaves the text as it was. False then.
    bool NormaliseCombs();

    // OK runs the checks in order; an error keeps the dialog open with the focus on its field.
    void done(int result) override;

    QLineEdit* edTitle;
    QLineEdit* edNums;
    QLineEdit* edCLen;
    QLineEdit* edOlap;
    QLineEdit* edCSize;
    QPlainTextEdit* edDescr;
    QLineEdit* edAuthor;
    QLineEdit* edURL;
    QToolButton* btnURL;
    QLineEdit* edCreated;
    QLineEdit* edDownloads;
    QLineEdit* edLastDownload;
    QPlainTextEdit* edCombs;
    QMenu* pmCombs;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowCombsMenu(const QPoint& pos);
    QWidget* FieldWidget(int field) const;

    TTemplateMain* window_;
    tSystemData input_;
    bool editable_ = true;
};

} // namespace velmora
