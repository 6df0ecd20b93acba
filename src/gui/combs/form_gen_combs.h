// The generation dialog TFormGenCombs ("Создание нового списка комбинаций"): the generation mode,
// my numbers or the file to load, and whether the parameters become the stored ones.
#pragma once

#include "core/combs/comb_set.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

namespace velmora {

class TFormGenCombs : public QDialog {
    Q_OBJECT
public:
    explicit TFormGenCombs(QWidget* parent = nullptr);

    // Fills the fields from the parameters (the stored ones when the dialog opens).
    void SetParams(const TGenerateParams& params);
    // The parameters as chosen.
    TGenerateParams Params() const;
    bool SaveParameters() const;

    // Closing with OK checks the parameters first and keeps the dialog open on an error.
    void done(int result) override;

    QComboBox* cbCombsGenerateMode;
    QLineEdit* edCombsGenerateParam;
    QToolButton* btnCombsGenerateFile;
    QCheckBox* cbSaveParameters;

private:
    void ModeChanged();
    void ChooseFile();
};

// The filter of the file dialogs of combination files, in Qt's form.
QString CombsFileDialogFilter();

} // namespace velmora
