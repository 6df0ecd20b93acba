#include "servers/tinyproxy_runner.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora::test {

namespace {

constexpr const char* kTinyproxy = "/usr/bin/tinyproxy";

bool CanConnect(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

} // namespace

int FreeLoopbackPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) throw std::runtime_error("socket() failed");
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = 0;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot find a free port on 127.0.0.1");
    }
    ::close(fd);
    return ntohs(a.sin_port);
}

bool TTinyproxy::Available() { return ::access(kTinyproxy, X_OK) == 0; }

TTinyproxy::TTinyproxy(const std::string& dir, const std::string& user, const std::string& password) : dir_(dir) {
    std::filesystem::create_directories(dir);
    const std::string conf = dir + "/tinyproxy.conf", log = dir + "/tinyproxy.log";
    // A port taken by another program between the choice and the start makes tinyproxy exit:
    // then another port is tried.
    for (int tries = 0; tries < 5 && pid_ < 0; ++tries) {
        port_ = FreeLoopbackPort();
        {
            std::ofstream c(conf, std::ios::trunc);
            c << "Port " << port_ << "\n"
              << "Listen 127.0.0.1\n"
              << "Timeout 30\n"
              << "MaxClients 20\n"
              << "LogLevel Info\n"
              << "LogFile \"" << log << "\"\n"
              << "Allow 127.0.0.1\n"
              << "DisableViaHeader Yes\n";
            if (!user.empty()) c << "BasicAuth " << user << " " << password << "\n";
            if (::geteuid() == 0) c << "User nobody\nGroup nogroup\n";
        }
        std::filesystem::permissions(dir, std::filesystem::perms::all, std::filesystem::perm_options::add);
        const pid_t pid = ::fork();
        if (pid < 0) throw std::runtime_error("fork() failed");
        if (pid == 0) {
            const int null = ::open("/dev/null", O_RDWR);
            if (null >= 0) {
                ::dup2(null, 0);
                ::dup2(null, 1);
                ::dup2(null, 2);
            }
            ::execl(kTinyproxy, "tinyproxy", "-d", "-c", conf.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 500; ++i) {
            if (CanConnect(port_)) {
                pid_ = pid;
                break;
            }
            int status;
            if (::waitpid(pid, &status, WNOHANG) == pid) break;  // it ended: try another port
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (pid_ < 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    if (pid_ < 0) throw std::runtime_error("tinyproxy did not start:\n" + Log());
}

TTinyproxy::~TTinyproxy() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::string TTinyproxy::Log() const {
    std::ifstream f(dir_ + "/tinyproxy.log");
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

} // namespace velmora::test
