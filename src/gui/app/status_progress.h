// The progress sink of the main window: status texts go to the last panel of the status bar,
// and between steps the pending window events are handled, so that the window paints and a
// stop request reaches the running operation. Used by every long operation of the window.
#pragma once

#include "core/util/progress.h"

namespace velmora {

class TTemplateMain;

class TStatusProgress : public TProgressSink {
public:
    explicit TStatusProgress(TTemplateMain* window) : window_(window) {}

    void Status(const std::string& text) override;
    bool StopRequested() override;

private:
    TTemplateMain* window_;
};

} // namespace velmora
