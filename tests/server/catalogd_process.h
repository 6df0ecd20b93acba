// velmora-catalogd started by a test: a fresh database and the shared test certificates, a free
// port on 127.0.0.1 read from the server's first line, stopped (SIGTERM, then waited for) when the
// object goes.
#pragma once

#include "servers/test_certs.h"

#include <string>
#include <sys/types.h>

namespace velmora::test {

class TCatalogdProcess {
public:
    // Starts the server with its database in `dir`; raises std::runtime_error when it does not
    // report listening within ten seconds.
    explicit TCatalogdProcess(const std::string& dir);
    ~TCatalogdProcess();
    TCatalogdProcess(const TCatalogdProcess&) = delete;
    TCatalogdProcess& operator=(const TCatalogdProcess&) = delete;

    std::string BaseUrl() const { return url_; }
    const std::string& CaFile() const { return SharedTestCerts().CaFile; }
    // Stops the server and returns its exit status (0 for a clean stop).
    int Stop();

private:
    pid_t pid_ = -1;
    int status_ = -1;
    std::string url_;
};

} // namespace velmora::test
