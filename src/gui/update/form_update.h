// The update dialog: the running and the published version, the change description, and the
// buttons "Установить" and "Отмена".
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace velmora {

class TFormUpdate : public QDialog {
    Q_OBJECT
public:
    TFormUpdate(QWidget* parent, const QString& current, const QString& newVersion, const QString& description);

    QLineEdit* edCurrent;
    QLineEdit* edNew;
    QPlainTextEdit* mmDescription;
    QPushButton* btInstall;
    QPushButton* btCancel;
};

} // namespace velmora
