#include "gui/combs/form_gen_combs.h"

#include "core/util/translate.h"
#include "core/combs/comb_text.h"
#include "core/util/error.h"
#include "gui/app/dialog_buttons.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

QString CombsFileDialogFilter() {
    // The product writes filters as "caption|mask"; Qt wants the caption with the mask in it.
    QString filter = Q(TrText(kCombsFileFilter));
    return filter.left(filter.indexOf('|'));
}

TFormGenCombs::TFormGenCombs(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormGenCombs");
    setWindowTitle(tr("Создание нового списка комбинаций"));

    auto* lbMode = new QLabel(tr("Режим генерации списка комбинаций:"), this);
    cbCombsGenerateMode = new QComboBox(this);
    cbCombsGenerateMode->setObjectName("cbCombsGenerateMode");
    for (const char* caption : kGenerateModeCaptions) cbCombsGenerateMode->addItem(Q(TrText(caption)));
    lbMode->setBuddy(cbCombsGenerateMode);

    auto* lbParam = new QLabel(tr("Мои числа или имя файла для загрузки:"), this);
    edCombsGenerateParam = new QLineEdit(this);
    edCombsGenerateParam->setObjectName("edCombsGenerateParam");
    edCombsGenerateParam->setMaxLength(int(kGenerateParamMaxLength));
    edCombsGenerateParam->setToolTip(
        tr("Список \"моих чисел\" через точку с запятой или имя файла для режима \"Загрузка из файла\""));
    lbParam->setBuddy(edCombsGenerateParam);
    btnCombsGenerateFile = new QToolButton(this);
    btnCombsGenerateFile->setObjectName("btnCombsGenerateFile");
    btnCombsGenerateFile->setText("...");

    cbSaveParameters =
        new QCheckBox(tr("Сохранить эти параметры для генерации комбинаций \"по умолчанию\""), this);
    cbSaveParameters->setObjectName("cbSaveParameters");
    cbSaveParameters->setChecked(true);

    auto* buttons = OkCancelButtons(this);

    auto* paramRow = new QHBoxLayout;
    paramRow->addWidget(edCombsGenerateParam, 1);
    paramRow->addWidget(btnCombsGenerateFile);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbMode);
    layout->addWidget(cbCombsGenerateMode);
    layout->addSpacing(6);
    layout->addWidget(lbParam);
    layout->addLayout(paramRow);
    layout->addSpacing(6);
    layout->addWidget(cbSaveParameters);
    layout->addStretch(1);
    layout->addWidget(buttons);

    connect(cbCombsGenerateMode, &QComboBox::currentIndexChanged, this, &TFormGenCombs::ModeChanged);
    connect(btnCombsGenerateFile, &QToolButton::clicked, this, &TFormGenCombs::ChooseFile);
    ModeChanged();
    setMinimumWidth(460);
}

void TFormGenCombs::SetParams(const TGenerateParams& params) {
    cbCombsGenerateMode->setCurrentIndex(params.Mode < kGenerateModeCount ? params.Mode : 0);
    edCombsGenerateParam->setText(Q(params.Param));
    ModeChanged();
}

TGenerateParams TFormGenCombs::Params() const {
    TGenerateParams p;
    p.Mode = uint8_t(std::max(cbCombsGenerateMode->currentIndex(), 0));
    p.Param = S(edCombsGenerateParam->text());
    return p;
}

bool TFormGenCombs::SaveParameters() const { return cbSaveParameters->isChecked(); }

void TFormGenCombs::ModeChanged() {
    const int mode = cbCombsGenerateMode->currentIndex();
    edCombsGenerateParam->setEnabled(mode >= kGenerateAnyMine && mode <= kGenerateFromFile);
    btnCombsGenerateFile->setEnabled(mode == kGenerateFromFile);
}

void TFormGenCombs::ChooseFile() {
    QFileDialog dlg(this, tr("Открыть"));
    dlg.setObjectName("OpenDialog");
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilter(CombsFileDialogFilter());
    dlg.setDefaultSuffix(Q(kCombsFileExt));
    const QFileInfo current(edCombsGenerateParam->text());
    if (!edCombsGenerateParam->text().isEmpty() && current.dir().exists()) dlg.setDirectory(current.dir());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    edCombsGenerateParam->setText(dlg.selectedFiles().first());
}

void TFormGenCombs::done(int result) {
    if (result == QDialog::Accepted) {
        try {
            CheckGenerateParams(Params());
        } catch (const Error& e) {
            ShowError(this, Q(e.what()));
            edCombsGenerateParam->setFocus();
            edCombsGenerateParam->selectAll();
            return;
        }
    }
    QDialog::done(result);
}

} // namespace velmora
