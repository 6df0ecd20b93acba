// Who talks to the catalog server: the application id and version, an id of the computer, the
// user's name and e-mail (settings "Name" and "Mail" of section "USER") and the interface
// language id. Every catalog request carries them; the server decides ownership by the e-mail
// and the computer's id.
#pragma once

#include "core/util/ini.h"

#include <cstdint>
#include <string>

namespace velmora {

constexpr const char* kSectionUser = "USER";
constexpr const char* kCatalogAppId = "Velmora_5x50";

// The user's name and e-mail as the settings keep them.
struct TCatalogUser {
    std::string Name;
    std::string Mail;
    bool operator==(const TCatalogUser&) const = default;
};
// Both keys are trimmed; missing keys are empty.
TCatalogUser ReadCatalogUser(const TIniFile& ini);
void WriteCatalogUser(TIniFile& ini, const TCatalogUser& user);
// The catalog commands need both: the e-mail must look like one (text@text, no blanks).
bool CatalogUserComplete(const TCatalogUser& user);
// Raises Error with the message of the first missing or malformed field.
void CheckCatalogUser(const TCatalogUser& user);

struct TCatalogClient {
    std::string AppId = kCatalogAppId;
    std::string AppVer;   // the program's version
    std::string HwdId;    // MachineId()
    std::string Name;     // the user's name
    std::string Mail;     // the user's e-mail
    int32_t Lcid = 1049;  // the interface language
};

// An id of this computer that never shows the system's own id: the first 32 hexadecimal digits
// of SHA-256 over the product name and the system's machine id (/etc/machine-id, else
// /var/lib/dbus/machine-id, else the host name). The same on every call.
std::string MachineId();
// Hashes a machine id text the way MachineId does.
std::string HashMachineId(const std::string& systemId);

// The client of this program for the user.
TCatalogClient MakeCatalogClient(const TCatalogUser& user, int32_t lcid);

// A system is the user's own when its owner's e-mail equals the user's, ignoring case.
bool IsOwnMail(const std::string& ownerMail, const std::string& userMail);

} // namespace velmora
