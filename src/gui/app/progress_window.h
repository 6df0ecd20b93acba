// The progress window of long multi-step operations (building the full-set distribution files):
// a window-modal dialog with the operation's caption, a bar that follows Percent and the button
// "Стоп"; the status texts still go to the status bar. Window events are handled between steps.
#pragma once

#include "core/util/progress.h"

#include <QString>

class QProgressDialog;

namespace velmora {

class TTemplateMain;

// Shows `dialog` with the caption for the life of the object and hides it at the end.
class TProgressWindow : public TProgressSink {
public:
    TProgressWindow(TTemplateMain* window, QProgressDialog* dialog, const QString& caption);
    ~TProgressWindow() override;
    TProgressWindow(const TProgressWindow&) = delete;
    TProgressWindow& operator=(const TProgressWindow&) = delete;

    void Status(const std::string& text) override;
    void Percent(double percent) override;
    bool StopRequested() override;

private:
    TTemplateMain* window_;
    QProgressDialog* dialog_;
};

} // namespace velmora
