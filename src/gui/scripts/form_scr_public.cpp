#include "gui/scripts/form_scr_public.h"

#include "core/app/languages.h"
#include "core/net/catalog_client.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"
#include "gui/app/dialog_buttons.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velmora {

TFormScrPublic::TFormScrPublic(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormScrPublic");
    setWindowTitle(tr("Свойства сценария"));

    edTitle = new QLineEdit(this);
    edTitle->setObjectName("edTitle");
    edTitle->setMaxLength(kMaxScriptTitleChars);
    edTitle->setToolTip(tr("Название сценария"));
    edClName = new QLineEdit(this);
    edClName->setObjectName("edClName");
    edClName->setMaxLength(kMaxScriptTitleChars);
    edClName->setToolTip(tr("Автор сценария"));
    cbClLcid = new QComboBox(this);
    cbClLcid->setObjectName("cbClLcid");
    cbClLcid->setToolTip(tr("Язык сценария"));
    edDescr = new QPlainTextEdit(this);
    edDescr->setObjectName("edDescr");
    edDescr->setTabChangesFocus(true);

    rgAppMode = new QGroupBox(tr(" Применяемость "), this);
    rgAppMode->setObjectName("rgAppMode");
    rgAppMode->setToolTip(tr("В каком приложении можно использовать данный сценарий"));
    rbAppOnly = new QRadioButton(Q(Format(S(tr("Только в \"%s\"")), {kCatalogAppId})), rgAppMode);
    rbAppAny = new QRadioButton(tr("В любом приложении Numora"), rgAppMode);
    auto* appLayout = new QVBoxLayout(rgAppMode);
    appLayout->addWidget(rbAppOnly);
    appLayout->addWidget(rbAppAny);
    rgViewMode = new QGroupBox(tr(" Доступность "), this);
    rgViewMode->setObjectName("rgViewMode");
    rgViewMode->setToolTip(tr("Разрешаете ли Вы использовать данный сценарий другим членам сообщества"));
    rbViewAll = new QRadioButton(tr("Сценарий виден всем пользователям"), rgViewMode);
    rbViewMe = new QRadioButton(tr("Сценарий виден только мне"), rgViewMode);
    auto* viewLayout = new QVBoxLayout(rgViewMode);
    viewLayout->addWidget(rbViewAll);
    viewLayout->addWidget(rbViewMe);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("Название:"), edTitle);
    form->addRow(tr("Автор:"), edClName);
    form->addRow(tr("Язык:"), cbClLcid);
    auto* groups = new QHBoxLayout;
    groups->addWidget(rgAppMode, 1);
    groups->addWidget(rgViewMode, 1);

    auto* buttons = new QDialogButtonBox(this);
    btnOk = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    btnOk->setObjectName("btnOk");
    btnOk->setToolTip(tr("Отправить сценарий на сервер"));
    btnCancel = buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormScrPublic::Accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("Описание:"), this));
    layout->addWidget(edDescr, 1);
    layout->addLayout(groups);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 26);
    KeepTitleWhole(this);
}

void TFormScrPublic::SetData(const tScriptData& data, bool editable) {
    data_ = data;
    edTitle->setText(Q(data.Title));
    edClName->setText(Q(data.AuthorName));
    edDescr->setPlainText(Q(data.Descr));
    // The interface languages, each standing for its locale id; a script in another language keeps
    // its own entry.
    cbClLcid->clear();
    TLCIDs lcids = AvailableLanguages();
    if (std::find(lcids.begin(), lcids.end(), data.Lcid) == lcids.end()) lcids.push_back(data.Lcid);
    for (int32_t lcid : lcids) {
        std::string name = LanguageName(lcid);
        if (name.empty()) name = IntToStr(lcid);
        cbClLcid->addItem(Q(name), lcid);
    }
    cbClLcid->setCurrentIndex(cbClLcid->findData(data.Lcid));
    (data.Universal ? rbAppAny : rbAppOnly)->setChecked(true);
    (data.Public ? rbViewAll : rbViewMe)->setChecked(true);

    edTitle->setReadOnly(!editable);
    edClName->setReadOnly(!editable);
    edDescr->setReadOnly(!editable);
    cbClLcid->setEnabled(editable);
    rgAppMode->setEnabled(editable);
    rgViewMode->setEnabled(editable);
    btnOk->setVisible(editable);
    btnCancel->setToolTip(editable ? QString() : tr("Закрыть окно"));
    if (editable) {
        edTitle->setFocus();
    } else {
        btnCancel->setDefault(true);
        btnCancel->setFocus();
    }
}

tScriptData TFormScrPublic::Data() const {
    tScriptData d = data_;
    d.Title = Trim(S(edTitle->text()));
    d.AuthorName = Trim(S(edClName->text()));
    d.Lcid = cbClLcid->currentIndex() >= 0 ? cbClLcid->currentData().toInt() : data_.Lcid;
    d.Universal = rbAppAny->isChecked();
    d.Public = rbViewAll->isChecked();
    d.Descr = S(edDescr->toPlainText());
    return d;
}

void TFormScrPublic::Accept() {
    if (!btnOk->isVisible()) return;
    const tScriptData d = Data();
    // 1. a title
    if (d.Title.empty()) {
        ShowError(this, Q(Tr(kScriptTitleEmpty)));
        edTitle->setFocus();
        return;
    }
    // 2. free on the server
    if (CheckTitle) {
        bool free = false;
        try {
            free = CheckTitle(d.Id, d.Title);
        } catch (const std::exception& e) {
            ShowError(this, Q(Format(Tr(kScriptTitleError), {e.what()})));
            return;
        }
        if (!free) {
            ShowError(this, Q(Tr(kScriptTitleTaken)));
            edTitle->setFocus();
            return;
        }
    }
    // 3. an author
    try {
        CheckScriptData(d);
    } catch (const Error&) {
        ShowError(this, Q(Tr(kScriptAuthorEmpty)));
        edClName->setFocus();
        return;
    }
    accept();
}

} // namespace velmora
