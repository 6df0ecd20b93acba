#include "gui/app/form_first_run.h"

#include "core/app/help.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TFormFirstRun::TFormFirstRun(const QString& helpFile, QWidget* parent) : QDialog(parent) {
    setObjectName("TFormFirstRun");
    setWindowTitle(tr("Справочная информация"));

    auto* lbHelp = new QLabel(
        tr("Если Вы запускаете программу в первый раз, рекомендуем Вам ознакомиться со справочной информацией:"), this);
    lbHelp->setWordWrap(true);
    btnHelp = new QPushButton(tr("Открыть файл встроенной справочной системы"), this);
    btnHelp->setObjectName("btnHelp");
    btnHelp->setEnabled(QFileInfo::exists(helpFile));
    connect(btnHelp, &QPushButton::clicked, this, &TFormFirstRun::OpenHelp);

    auto* lbPages = new QLabel(tr("Полезные ресурсы, включая видеоруководства и новости проекта:"), this);
    lbPages->setWordWrap(true);
    auto* pages = new QGridLayout;
    int i = 0;
    for (const auto& page : kMakerPages) {
        auto* b = new QCommandLinkButton(tr(page.Caption), this);
        b->setObjectName(QString("btn_") + page.Command);
        const QString url = QString::fromUtf8(page.Url);
        connect(b, &QCommandLinkButton::clicked, this, [this, url] { emit OpenPage(url); });
        pages->addWidget(b, i / 2, i % 2);
        ++i;
    }

    cbDontShow = new QCheckBox(tr("Больше не показывать данный диалог"), this);
    cbDontShow->setObjectName("cbDontShow");
    auto* btnClose = new QPushButton(tr("Закрыть"), this);
    btnClose->setObjectName("btnClose");
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cbDontShow, 1);
    bottom->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbHelp);
    layout->addWidget(btnHelp, 0, Qt::AlignLeft);
    layout->addSpacing(8);
    layout->addWidget(lbPages);
    layout->addLayout(pages);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    setMinimumWidth(520);
}

bool TFormFirstRun::DontShowAgain() const { return cbDontShow->isChecked(); }

} // namespace velmora
