#include "gui/app/status_progress.h"

#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"

#include <QCoreApplication>

namespace velmora {

void TStatusProgress::Status(const std::string& text) {
    window_->SetStatusText(Q(text));
    // Every command is disabled while the window is busy, so the events handled here cannot
    // start a second operation.
    QCoreApplication::processEvents();
}

bool TStatusProgress::StopRequested() {
    QCoreApplication::processEvents();
    return stop_;
}

} // namespace velmora
