// The proxy choice of the proxy dialog and of "velmora-cli proxy", and the writing of the
// "PROXY" section. The password is kept in the settings file as plain text (the file format asks
// for it), so a settings file that holds one is made readable by its owner only.
#pragma once

#include "core/app/config.h"

#include <string>

namespace velmora {

constexpr int kMinProxyPort = 1, kMaxProxyPort = 65535;

// The values of the dialog on OK: the four fields are stored and the settings are no longer
// Saved; mode 2 (manual) and 0 (off) are kept, any other becomes 1 (automatic), which clears the
// server, port, user name and password. Raises Error for a port outside 1..65535.
void SetProxyChoice(TProxy& proxy, int mode, const std::string& server, int port, const std::string& username,
                    const std::string& password);

// Writes the "PROXY" section (SaveProxySettings of the file) and, when a password is stored,
// gives the file the permissions 0600 (before the write, so that no copy is ever readable by
// others). Raises Error with the system's message when the file cannot be written.
void SaveProxySettingsFile(TConfigFile& file, TProxy& proxy);

// "Ошибка чтения файла конфигурации!\r\r%s"
std::string ConfigReadErrorText(const std::string& what);

} // namespace velmora
