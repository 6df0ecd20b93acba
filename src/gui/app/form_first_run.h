// The first-run window "Справочная информация": the help file and the maker's web pages, and the
// choice not to show the window again.
#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace velmora {

class TFormFirstRun : public QDialog {
    Q_OBJECT
public:
    // The help button is enabled only when helpFile exists.
    explicit TFormFirstRun(const QString& helpFile, QWidget* parent = nullptr);

    bool DontShowAgain() const;

    QPushButton* btnHelp;
    QCheckBox* cbDontShow;

signals:
    void OpenHelp();
    void OpenPage(const QString& url);
};

} // namespace velmora
