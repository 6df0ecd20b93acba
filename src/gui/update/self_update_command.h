// The self-update in the desktop program: the command "Поиск обновлений" and the silent check at
// start-up. Answer 1 (installed) starts the program again with "restart" and closes this one.
#pragma once

#include <string>

namespace velmora {

class TTemplateMain;

// Runs the check over the executable's folder; returns the result of CheckForUpdate (0, 1, 2).
// Silent: the start-up check, which says nothing when there is nothing to say, and does not try
// while "UpdateSite" is still the placeholder or the package manager owns the program.
int RunSelfUpdate(TTemplateMain* window, bool silent);

// For the tests: the descriptor address instead of the update server's, the public key (PEM)
// instead of the built-in one, the program folder instead of the executable's, and the folder of
// the package manager's file lists. Empty: the defaults.
struct TSelfUpdateOverrides {
    std::string Descriptor, PublicKeyPem, ProgramDir, DpkgInfoDir, CAFile;
};
TSelfUpdateOverrides& SelfUpdateOverrides();

} // namespace velmora
