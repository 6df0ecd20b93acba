#include "gui/app/status_progress.h"

#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"

#include <QCoreApplication>

namespace velmora {

void TStatusProgress::Status(const std::string& text) {
    window_->SetStatusText(Q(text));
    // Every command is disabled and the window's input is held back while it is busy, so the
    // events handled here cannot start a second operation.
    QCoreApplication::processEvents();
}

bool TStatusProgress::StopRequested() {
    QCoreApplication::processEvents();
    // Closing the window asks the running operation to stop.
    return window_->ClosePending();
}

} // namespace velmora
