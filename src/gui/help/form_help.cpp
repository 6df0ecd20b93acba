#include "gui/help/form_help.h"

#include "core/model/game.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"
#include "gui/app/window_placement.h"
#include "gui/help/help_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <QVBoxLayout>

namespace velmora {

namespace {

constexpr const char* kSection = "TFormHelp";
constexpr QSize kDefaultSize(760, 600);

QPointer<TFormHelp>& Open() {
    static QPointer<TFormHelp> form;
    return form;
}

} // namespace

TFormHelp::TFormHelp(TTemplateMain& window, QWidget* parent) : QWidget(parent, Qt::Window), window_(window) {
    setObjectName(kSection);
    setAttribute(Qt::WA_DeleteOnClose);
    View = new THelpView(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(View);
    connect(View, &THelpView::TitleChanged, this, &TFormHelp::SetTitle);
    SetTitle(QString());
    resize(kDefaultSize);
    if (!RestoreWindowPlacement(window_.Settings(), kSection, *this, parent ? parent->screen() : screen()) && parent) {
        // The first time, over the middle of the window it was opened from, within its screen.
        QRect rect(QPoint(), kDefaultSize);
        rect.moveCenter(parent->window()->frameGeometry().center());
        if (const QScreen* s = parent->screen()) {
            const QRect area = s->availableGeometry();
            rect.setSize(rect.size().boundedTo(area.size()));
            rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() - rect.width() + 1));
            rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() - rect.height() + 1));
        }
        move(rect.topLeft());
        resize(rect.size());
    }
}

QString& HelpFolderOverride() {
    static QString folder;
    return folder;
}

TFormHelp* TFormHelp::Current() { return Open().data(); }

void TFormHelp::SetTitle(const QString& page) {
    setWindowTitle(page.isEmpty() ? tr("Справка") : tr("Справка - %1").arg(page));
}

void TFormHelp::closeEvent(QCloseEvent* event) {
    try {
        StoreWindowPlacement(window_.Settings(), kSection, *this);
        window_.Settings().Save();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    QWidget::closeEvent(event);
}

TFormHelp* ShowHelpWindow(TTemplateMain& window, const QString& page) {
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = modal ? modal : static_cast<QWidget*>(&window);
    TFormHelp* form = Open().data();
    if (!form) {
        form = new TFormHelp(window, owner);
        Open() = form;
    } else if (form->parentWidget() != owner) {
        const QRect rect = form->geometry();
        form->setParent(owner, Qt::Window);
        form->setGeometry(rect);
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        // Back to the main window before the dialog goes (it would take its children along).
        QObject::connect(dialog, &QDialog::finished, form, [form, &window] {
            if (form->parentWidget() == &window) return;
            const QRect rect = form->geometry();
            const bool shown = form->isVisible();
            form->setParent(&window, Qt::Window);
            form->setGeometry(rect);
            if (shown) form->show();
        });
    }
    form->View->OpenPage(page, Q(HelpFile()));
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

} // namespace velmora
