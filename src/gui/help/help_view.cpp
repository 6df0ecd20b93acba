#include "gui/help/help_view.h"

#include "core/util/format.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace velmora {

THelpView::THelpView(QWidget* parent) : QWidget(parent) {
    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(4, 4, 4, 0);
    auto button = [&](const char* name, const QString& text, const QString& hint, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(hint);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        tools->addWidget(b);
        return b;
    };
    btnBack = button("btnBack", tr("Назад"), tr("Предыдущая страница (Alt+Влево)"), QStyle::SP_ArrowBack);
    btnForward = button("btnForward", tr("Вперед"), tr("Следующая страница (Alt+Вправо)"), QStyle::SP_ArrowForward);
    btnContents = button("btnContents", tr("Содержание"), tr("Содержание справки"), QStyle::SP_DirHomeIcon);
    tools->addStretch(1);
    btnBack->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    btnForward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    btnBack->setEnabled(false);
    btnForward->setEnabled(false);

    wbHelp = new QTextBrowser(this);
    wbHelp->setObjectName("wbHelp");
    // Links are followed here: pages of the document inside, web addresses in the desktop's browser.
    wbHelp->setOpenLinks(false);
    wbHelp->setOpenExternalLinks(false);
    wbHelp->setFont(QApplication::font("QMenu"));
    connect(wbHelp, &QTextBrowser::anchorClicked, this, &THelpView::FollowLink);
    connect(wbHelp, &QTextBrowser::backwardAvailable, btnBack, &QWidget::setEnabled);
    connect(wbHelp, &QTextBrowser::forwardAvailable, btnForward, &QWidget::setEnabled);
    connect(wbHelp, &QTextBrowser::sourceChanged, this, [this] { emit TitleChanged(wbHelp->documentTitle()); });
    connect(btnBack, &QToolButton::clicked, wbHelp, &QTextBrowser::backward);
    connect(btnForward, &QToolButton::clicked, wbHelp, &QTextBrowser::forward);
    connect(btnContents, &QToolButton::clicked, this, [this] {
        if (!contents_.isEmpty()) FollowLink(QUrl::fromLocalFile(contents_));
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(tools);
    layout->addWidget(wbHelp, 1);
}

void THelpView::OpenPage(const QString& file, const QString& contents) {
    contents_ = contents;
    btnContents->setEnabled(!contents_.isEmpty() && QFileInfo(contents_).isFile());
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        wbHelp->clear();
        emit TitleChanged(QString());
        return;
    }
    FollowLink(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
}

QString THelpView::CurrentFile() const {
    const QUrl source = wbHelp->source();
    return source.isLocalFile() ? source.toLocalFile() : QString();
}

void THelpView::FollowLink(const QUrl& link) {
    const QUrl url = link.isRelative() ? wbHelp->source().resolved(link) : link;
    if (!url.isLocalFile() && !url.scheme().isEmpty()) {
        if (!TTemplateMain::UrlOpener()(url))
            ShowInformation(this, Q(Format(S(tr("Не удалось открыть адрес: в системе не найдена программа для его "
                                                "просмотра.\r\rОткройте его вручную:\r%s")),
                                           {S(url.toString())})));
        return;
    }
    if (!QFileInfo(url.toLocalFile()).isFile()) return;  // a page the document lacks: stay
    wbHelp->setSource(url);
}

} // namespace velmora
