// The placement of a window of its own (a dialog that keeps where the user put it) in the window
// settings file.
#pragma once

#include <string>

class QScreen;
class QWidget;

namespace velmora {

class TWindowSettings;

// Puts the window where the section says, when a placement is stored for this screen and lies on
// it (a rectangle on a monitor that is gone is not taken). True when a placement was taken.
bool RestoreWindowPlacement(const TWindowSettings& settings, const std::string& section, QWidget& window,
                            QScreen* screen);
// Stores the window's normal rectangle and whether it is maximized under the section (the settings
// file is saved by the caller).
void StoreWindowPlacement(TWindowSettings& settings, const std::string& section, const QWidget& window);

} // namespace velmora
