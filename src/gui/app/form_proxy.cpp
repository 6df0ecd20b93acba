#include "gui/app/form_proxy.h"

#include "core/net/proxy_settings.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace velmora {

TFormProxy::TFormProxy(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormProxy");
    setWindowTitle(tr("Параметры proxy-сервера"));
    rbProxyOff = new QRadioButton(tr("Не использовать proxy-сервер"), this);
    rbProxyOff->setObjectName("rbProxyOff");
    rbProxyAuto = new QRadioButton(tr("Автоматический поиск сервера (возможны задержки)"), this);
    rbProxyAuto->setObjectName("rbProxyAuto");
    rbProxyManual = new QRadioButton(tr("Ручной выбор proxy-сервера:"), this);
    rbProxyManual->setObjectName("rbProxyManual");

    edServer = new QLineEdit(this);
    edServer->setObjectName("edServer");
    edPort = new QSpinBox(this);
    edPort->setObjectName("edPort");
    edPort->setRange(kMinProxyPort, kMaxProxyPort);
    edPort->setValue(80);
    edUsername = new QLineEdit(this);
    edUsername->setObjectName("edUsername");
    edUsername->setToolTip(tr("Имя пользователя (не обязательно)"));
    edPassword = new QLineEdit(this);
    edPassword->setObjectName("edPassword");
    edPassword->setToolTip(tr("Пароль (не обязательно)"));
    edPassword->setEchoMode(QLineEdit::Password);

    auto* fields = new QFormLayout;
    fields->setContentsMargins(24, 0, 0, 0);
    fields->addRow(tr("Имя или адрес сервера:"), edServer);
    fields->addRow(tr("Порт:"), edPort);
    fields->addRow(tr("Имя пользователя:"), edUsername);
    fields->addRow(tr("Пароль:"), edPassword);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormProxy::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rbProxyOff);
    layout->addWidget(rbProxyAuto);
    layout->addWidget(rbProxyManual);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    for (QRadioButton* rb : {rbProxyOff, rbProxyAuto, rbProxyManual})
        connect(rb, &QRadioButton::toggled, this, &TFormProxy::UpdateFields);
    rbProxyOff->setChecked(true);
    UpdateFields();
}

void TFormProxy::SetProxy(const TProxy& proxy) {
    proxy_ = proxy;
    (proxy.Mode == 1 ? rbProxyAuto : proxy.Mode == 2 ? rbProxyManual : rbProxyOff)->setChecked(true);
    edServer->setText(Q(proxy.Server));
    // A port outside the spin's range (none stored) shows the usual one.
    edPort->setValue(proxy.Port >= kMinProxyPort && proxy.Port <= kMaxProxyPort ? proxy.Port : 80);
    edUsername->setText(Q(proxy.Username));
    edPassword->setText(Q(proxy.Password));
    UpdateFields();
}

void TFormProxy::UpdateFields() {
    const bool manual = rbProxyManual->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{edServer, edPort, edUsername, edPassword}) w->setEnabled(manual);
}

void TFormProxy::accept() {
    const int mode = rbProxyManual->isChecked() ? 2 : rbProxyOff->isChecked() ? 0 : 1;
    try {
        SetProxyChoice(proxy_, mode, S(edServer->text().trimmed()), edPort->value(), S(edUsername->text()),
                       S(edPassword->text()));
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
        edPort->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace velmora
