#include "gui/app/progress_window.h"

#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <cmath>

namespace velmora {

TProgressWindow::TProgressWindow(TTemplateMain* window, QProgressDialog* dialog, const QString& caption)
    : window_(window), dialog_(dialog) {
    dialog_->reset();
    dialog_->setLabelText(caption);
    dialog_->setRange(0, 100);
    dialog_->setValue(0);
    dialog_->show();
    QCoreApplication::processEvents();
}

TProgressWindow::~TProgressWindow() {
    // Reset stops the dialog's own timer as well, which would show it again after the operation.
    dialog_->reset();
    dialog_->hide();
}

void TProgressWindow::Status(const std::string& text) { window_->SetStatusText(Q(text)); }

void TProgressWindow::Percent(double percent) {
    dialog_->setValue(int(std::lround(percent)));
    QCoreApplication::processEvents();
}

bool TProgressWindow::StopRequested() {
    // The dialog is window-modal and the main window holds its input back while busy: the events
    // handled here cannot reach the main window's commands. "Стоп" and closing the window stop.
    QCoreApplication::processEvents();
    return dialog_->wasCanceled() || window_->ClosePending();
}

} // namespace velmora
