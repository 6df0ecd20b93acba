#include "gui/update/form_update.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TFormUpdate::TFormUpdate(QWidget* parent, const QString& current, const QString& newVersion, const QString& description)
    : QDialog(parent) {
    setObjectName("TFormUpdate");
    setWindowTitle(tr("Найдена новая версия программы"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    edCurrent = new QLineEdit(current, this);
    edCurrent->setObjectName("edCurrent");
    edCurrent->setReadOnly(true);
    edNew = new QLineEdit(newVersion, this);
    edNew->setObjectName("edNew");
    edNew->setReadOnly(true);
    form->addRow(tr("Текущая версия программы:"), edCurrent);
    form->addRow(tr("Новая версия программы:"), edNew);
    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("Описание версии:"), this));
    mmDescription = new QPlainTextEdit(description, this);
    mmDescription->setObjectName("mmDescription");
    mmDescription->setReadOnly(true);
    layout->addWidget(mmDescription, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btInstall = new QPushButton(tr("Установить"), this);
    btInstall->setObjectName("btInstall");
    btInstall->setToolTip(tr("Установить это обновление"));
    btInstall->setDefault(true);
    btCancel = new QPushButton(tr("Отмена"), this);
    btCancel->setObjectName("btCancel");
    btCancel->setToolTip(tr("Отказаться от обновления"));
    buttons->addWidget(btInstall);
    buttons->addWidget(btCancel);
    layout->addLayout(buttons);
    connect(btInstall, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(480, 340);
}

} // namespace velmora
