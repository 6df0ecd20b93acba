// A real HTTP proxy with user and password for the tests: Debian's tinyproxy, started in the
// foreground with a configuration written to a temporary folder (Listen 127.0.0.1, a free port,
// BasicAuth, only 127.0.0.1 allowed) and killed by the destructor.
#pragma once

#include <string>

#include <sys/types.h>

namespace velmora::test {

class TTinyproxy {
public:
    // Starts the proxy and waits until it accepts connections; raises std::runtime_error (with
    // its log) when it does not come up. An empty user runs it without authentication.
    TTinyproxy(const std::string& dir, const std::string& user, const std::string& password);
    ~TTinyproxy();
    TTinyproxy(const TTinyproxy&) = delete;
    TTinyproxy& operator=(const TTinyproxy&) = delete;

    int Port() const { return port_; }
    // The proxy's log (requests and refusals), for a failing test's message.
    std::string Log() const;

    // True when tinyproxy is installed.
    static bool Available();

private:
    std::string dir_;
    int port_ = 0;
    pid_t pid_ = -1;
};

// A port of 127.0.0.1 that nothing listens on at the moment of the call.
int FreeLoopbackPort();

} // namespace velmora::test
