#include "core/net/catalog_client.h"

#include "core/util/error.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <openssl/evp.h>

#include <unistd.h>

namespace velmora {

TCatalogUser ReadCatalogUser(const TIniFile& ini) {
    TCatalogUser user;
    user.Name = Trim(ini.ReadString(kSectionUser, "Name", ""));
    user.Mail = Trim(ini.ReadString(kSectionUser, "Mail", ""));
    return user;
}

void WriteCatalogUser(TIniFile& ini, const TCatalogUser& user) {
    ini.WriteString(kSectionUser, "Name", Trim(user.Name));
    ini.WriteString(kSectionUser, "Mail", Trim(user.Mail));
}

namespace {

bool LooksLikeMail(const std::string& mail) {
    const size_t at = mail.find('@');
    if (at == std::string::npos || at == 0 || at + 1 == mail.size() || mail.find('@', at + 1) != std::string::npos)
        return false;
    for (char c : mail)
        if (static_cast<unsigned char>(c) <= ' ') return false;
    return true;
}

} // namespace

bool CatalogUserComplete(const TCatalogUser& user) {
    return !Trim(user.Name).empty() && LooksLikeMail(Trim(user.Mail));
}

void CheckCatalogUser(const TCatalogUser& user) {
    if (Trim(user.Name).empty()) throw Error(Tr("Имя пользователя должно быть указано обязательно!"));
    if (!LooksLikeMail(Trim(user.Mail))) throw Error(Tr("Указан некорректный адрес электронной почты!"));
}

std::string HashMachineId(const std::string& systemId) {
    const std::string input = std::string(kCatalogAppId) + ":" + systemId;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    if (EVP_Digest(input.data(), input.size(), digest, &len, EVP_sha256(), nullptr) != 1) len = 0;
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (unsigned int i = 0; i < len && out.size() < 32; ++i) {
        out += kHex[digest[i] >> 4];
        out += kHex[digest[i] & 15];
    }
    return out;
}

std::string MachineId() {
    static const std::string id = [] {
        for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
            try {
                const std::string text = Trim(ReadFileBytes(path));
                if (!text.empty()) return HashMachineId(text);
            } catch (const std::exception&) {
            }
        }
        char host[256] = {};
        ::gethostname(host, sizeof host - 1);
        return HashMachineId(host);
    }();
    return id;
}

TCatalogClient MakeCatalogClient(const TCatalogUser& user, int32_t lcid) {
    TCatalogClient c;
#ifdef VELMORA_VERSION
    c.AppVer = VELMORA_VERSION;
#endif
    c.HwdId = MachineId();
    c.Name = Trim(user.Name);
    c.Mail = Trim(user.Mail);
    c.Lcid = lcid;
    return c;
}

bool IsOwnMail(const std::string& ownerMail, const std::string& userMail) {
    return !Trim(ownerMail).empty() && SameText(Trim(ownerMail), Trim(userMail));
}

} // namespace velmora
