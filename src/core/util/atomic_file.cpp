#include "core/util/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

std::runtime_error SysError(const std::string& what, const std::string& path, int err) {
    return std::runtime_error(what + " \"" + path + "\": " + std::strerror(err));
}

} // namespace

void WriteFileAtomic(const std::string& path, std::string_view data) {
    std::string tmpl = path + ".XXXXXX";
    int fd = mkstemp(tmpl.data());
    if (fd < 0) throw SysError("Не удается создать файл", path, errno);
    const std::string tmp = tmpl;
    auto fail = [&](const char* what) {
        int err = errno;
        ::close(fd);
        ::unlink(tmp.c_str());
        throw SysError(what, path, err);
    };
    // Keep the permissions of the file being replaced, or the usual ones for a new file.
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
    ::fchmod(fd, mode);
    size_t done = 0;
    while (done < data.size()) {
        ssize_t w = ::write(fd, data.data() + done, data.size() - done);
        if (w < 0) {
            if (errno == EINTR) continue;
            fail("Ошибка записи в файл");
        }
        done += size_t(w);
    }
    if (::fsync(fd) != 0) fail("Ошибка записи в файл");
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        throw SysError("Ошибка записи в файл", path, err);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        throw SysError("Не удается заменить файл", path, err);
    }
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ExtractFilePath(const std::string& path) {
    auto p = path.find_last_of('/');
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string ExtractFileName(const std::string& path) {
    auto p = path.find_last_of('/');
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
    auto slash = path.find_last_of('/');
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ext;
    return path.substr(0, dot) + ext;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

} // namespace velmora
