#include "core/net/proxy_settings.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/translate.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

void SetProxyChoice(TProxy& proxy, int mode, const std::string& server, int port, const std::string& username,
                    const std::string& password) {
    if (port < kMinProxyPort || port > kMaxProxyPort)
        throw Error(Format(Tr("Порт proxy-сервера должен быть от %d до %d"), {kMinProxyPort, kMaxProxyPort}));
    proxy.Server = server;
    proxy.Port = port;
    proxy.Username = username;
    proxy.Password = password;
    proxy.Saved = false;
    if (mode == 2 || mode == 0) {
        proxy.Mode = uint8_t(mode);
    } else {
        proxy.Mode = 1;
        proxy.Server.clear();
        proxy.Port = 0;
        proxy.Username.clear();
        proxy.Password.clear();
    }
}

void SaveProxySettingsFile(TConfigFile& file, TProxy& proxy) {
    if (!proxy.Password.empty()) {
        // The atomic write gives the new file the permissions of the old one: a missing file is
        // first created empty with 0600, an existing one is narrowed to 0600.
        const std::string& name = file.FileName();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
        } else if (errno == EEXIST) {
            if (::chmod(name.c_str(), 0600) != 0) throw Error(std::strerror(errno));
        } else {
            throw Error(std::strerror(errno));
        }
    }
    file.SaveProxySettings(proxy);
}

std::string ConfigReadErrorText(const std::string& what) {
    return Format(Tr("Ошибка чтения файла конфигурации!\r\r%s"), {what});
}

} // namespace velmora
