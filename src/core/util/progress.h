// The progress sink of long operations: a status text, how far the operation is, and the
// user's request to stop. The desktop program's sink writes the status bar and lets the window
// repaint; the command line's writes to stderr; NullProgress() does nothing.
#pragma once

#include <string>

namespace velmora {

class TProgressSink {
public:
    virtual ~TProgressSink() = default;
    // The status text of the running operation; an empty text clears it.
    virtual void Status(const std::string& text) { (void)text; }
    // How far the operation is, 0..100. Called before the status text that shows the figure.
    virtual void Percent(double percent) { (void)percent; }
    // Polled between steps: true asks the operation to stop at the next safe point.
    virtual bool StopRequested() { return false; }
};

// A sink that shows nothing and never asks to stop.
TProgressSink& NullProgress();

// Shows a status text for the life of the object and clears it at the end, also when the
// operation ends with an exception.
class TStatusScope {
public:
    TStatusScope(TProgressSink& sink, const std::string& text) : sink_(sink) { sink_.Status(text); }
    ~TStatusScope() { sink_.Status(std::string()); }
    TStatusScope(const TStatusScope&) = delete;
    TStatusScope& operator=(const TStatusScope&) = delete;

private:
    TProgressSink& sink_;
};

} // namespace velmora
