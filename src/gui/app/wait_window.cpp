#include "gui/app/wait_window.h"

#include "gui/app/qt_text.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace velmora {

TWaitWindow::TWaitWindow(QWidget* parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName("fmWait");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    lbText = new QLabel(this);
    lbText->setObjectName("lbText");
    lbText->setAlignment(Qt::AlignCenter);
    lbText->setWordWrap(true);
    lbText->setTextFormat(Qt::PlainText);
    btnStop = new QPushButton(tr("Стоп"), this);
    btnStop->setObjectName("btnStop");
    btnStop->setToolTip(tr("Прервать загрузку"));
    connect(btnStop, &QPushButton::clicked, this, [this] {
        stop_ = true;
        btnStop->setEnabled(false);
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 12);
    layout->setSpacing(12);
    layout->addWidget(lbText);
    layout->addWidget(btnStop, 0, Qt::AlignHCenter);
    setFixedWidth(420);
}

void TWaitWindow::SetText(const QString& text) {
    lbText->setText(MessageText(text));
    adjustSize();
    Centre();
    if (!isVisible()) show();
    repaint();
    QApplication::processEvents();
}

QString TWaitWindow::Text() const { return lbText->text(); }

void TWaitWindow::Centre() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

} // namespace velmora
