#include "catalogd_process.h"

#include <cerrno>
#include <csignal>
#include <stdexcept>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora::test {

TCatalogdProcess::TCatalogdProcess(const std::string& dir) {
    const TTestCerts& certs = SharedTestCerts();
    int out[2];
    if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&fa, out[0]);
    const std::string db = dir + "/catalog.sqlite";
    std::string args[] = {VELMORA_CATALOGD, "--listen", "127.0.0.1:0", "--db", db, "--cert", certs.CertFile,
                          "--key", certs.KeyFile};
    char* argv[10] = {};
    for (int i = 0; i < 9; ++i) argv[i] = args[i].data();
    const int rc = posix_spawn(&pid_, VELMORA_CATALOGD, &fa, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&fa);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        pid_ = -1;
        throw std::runtime_error("velmora-catalogd could not be started");
    }
    // The first line names the address.
    std::string line;
    pollfd p{out[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && ::poll(&p, 1, 10000) > 0) {
        char buf[256];
        const ssize_t n = ::read(out[0], buf, sizeof buf);
        if (n <= 0) break;
        line.append(buf, size_t(n));
    }
    ::close(out[0]);
    const std::string marker = "listening on ";
    const size_t at = line.find(marker);
    const size_t end = line.find('\n');
    if (at == std::string::npos || end == std::string::npos) {
        Stop();
        throw std::runtime_error("velmora-catalogd did not start: " + line);
    }
    url_ = line.substr(at + marker.size(), end - at - marker.size());
}

TCatalogdProcess::~TCatalogdProcess() { Stop(); }

int TCatalogdProcess::Stop() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
    }
    return status_;
}

} // namespace velmora::test
