#include "core/app/command_line.h"

#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace velmora {

bool HasCommandLineWord(const std::vector<std::string>& args, const std::string& word) {
    static const char* const prefixes[] = {"", "-", "--", "/", "\\"};
    for (size_t i = 1; i < args.size(); ++i)
        for (const char* p : prefixes)
            if (SameText(args[i], std::string(p) + word)) return true;
    return false;
}

TStartMode ParseStartMode(const std::vector<std::string>& args) {
    TStartMode m;
    m.Restart = HasCommandLineWord(args, kWordRestart);
    m.LoadOnly = HasCommandLineWord(args, kWordLoadOnly);
    m.FullRecreate = HasCommandLineWord(args, kWordFullRecreate);
    m.FullRefresh = HasCommandLineWord(args, kWordFullRefresh);
    m.NoLanguage = HasCommandLineWord(args, kWordNoLanguage);
    return m;
}

namespace {

// The executable file name of a process: the target of /proc/<pid>/exe, or (for processes of
// other users, whose link cannot be read) the first word of its command line.
std::string ProcessExeName(const std::string& pid) {
    char buf[4096];
    ssize_t n = ::readlink(("/proc/" + pid + "/exe").c_str(), buf, sizeof buf - 1);
    if (n > 0) {
        buf[n] = 0;
        std::string path = buf;
        const std::string deleted = " (deleted)";
        if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
            path.resize(path.size() - deleted.size());
        return ExtractFileName(path);
    }
    std::ifstream in("/proc/" + pid + "/cmdline", std::ios::binary);
    std::string first;
    std::getline(in, first, '\0');
    return ExtractFileName(first);
}

} // namespace

bool OtherProcessRunning(const std::string& exeName) {
    DIR* dir = ::opendir("/proc");
    if (!dir) return false;
    const std::string self = std::to_string(::getpid());
    bool found = false;
    while (dirent* e = ::readdir(dir)) {
        const std::string pid = e->d_name;
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == self) continue;
        if (ProcessExeName(pid) == exeName) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

bool WaitForOtherProcesses(const std::string& exeName, int checks, int intervalMs) {
    for (int i = 0; i < checks; ++i) {
        if (!OtherProcessRunning(exeName)) return true;
        if (i + 1 < checks) std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
    }
    return false;
}

std::string ExecutableName() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    buf[n] = 0;
    return ExtractFileName(buf);
}

TDataLock::~TDataLock() { Release(); }

bool TDataLock::Acquire(const std::string& path, int waitMs) {
    Release();
    message_.clear();
    busy_ = false;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        message_ = std::strerror(errno);
        return false;
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(waitMs, 0));
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        if (err == EINTR) continue;
        if (err != EWOULDBLOCK || std::chrono::steady_clock::now() >= until) {
            message_ = std::strerror(err);
            busy_ = err == EWOULDBLOCK;
            ::close(fd);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    fd_ = fd;
    return true;
}

void TDataLock::Release() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

std::string DataLockFile() { return ProductFile(".lck"); }

void LockDataFolder(TDataLock& lock, int waitMs) {
    if (lock.Held()) return;
    if (!lock.Acquire(DataLockFile(), waitMs)) {
        if (lock.Busy())
            throw Error(Format(Tr("Не удалось получить монопольный доступ к папке данных \"%s\"!\r\rЕю пользуется другая "
                               "запущенная программа (Velmora_5x50 или velmora-cli). Повторите команду после ее "
                               "завершения."),
                               {DataDir()}));
        throw Error(Format(Tr("Не удалось получить монопольный доступ к папке данных \"%s\"!\r\r%s"),
                           {DataDir(), lock.Message()}));
    }
    RemoveStaleDataTempFiles();
}

} // namespace velmora
