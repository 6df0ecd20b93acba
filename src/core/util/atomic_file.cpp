#include "core/util/atomic_file.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/translate.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

Error SysError(const std::string& what, const std::string& path, int err) {
    return Error(Format("%s \"%s\": %s", {what, path, std::strerror(err)}));
}

constexpr size_t kTempSuffixLength = 7;  // "." and the six characters mkstemp puts for "XXXXXX"

// mkstemp's six letters and digits. A word of lower-case letters only (".backup") is taken for a
// user's file and left alone; mkstemp almost never draws one, and such a file is then only kept.
bool IsTempSuffix(std::string_view suffix) {
    if (suffix.size() != kTempSuffixLength || suffix[0] != '.') return false;
    bool random = false;
    for (char c : suffix.substr(1)) {
        const auto u = static_cast<unsigned char>(c);
        if (!std::isalnum(u)) return false;
        if (!std::islower(u)) random = true;
    }
    return random;
}

// The path a write through `path` lands on: symbolic links are followed (also a link whose
// target does not exist yet), so that the link stays and its target gets the data.
std::string FinalTarget(const std::string& path) {
    std::string p = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        std::string link(size_t(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
        if (n <= 0 || size_t(n) >= link.size()) return p;
        link.resize(size_t(n));
        p = link[0] == '/' ? link : ExtractFilePath(p) + link;
    }
    throw SysError(Tr("Не удается открыть файл"), path, ELOOP);
}

} // namespace

void WriteFileAtomic(const std::string& path, std::string_view data) {
    const std::string target = FinalTarget(path);
    std::string tmpl = target + ".XXXXXX";
    int fd = mkstemp(tmpl.data());
    if (fd < 0) throw SysError(Tr("Не удается создать файл"), path, errno);
    const std::string tmp = tmpl;
    // The temporary file is locked while it lives: a file of this form that nobody holds is what
    // an interrupted write left behind (RemoveStaleTempFiles).
    ::flock(fd, LOCK_EX);
    auto fail = [&](const std::string& what) {
        int err = errno;
        ::unlink(tmp.c_str());
        ::close(fd);
        throw SysError(what, path, err);
    };
    // Keep the permissions of the file being replaced, or the usual ones for a new file.
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;
    ::fchmod(fd, mode);
    size_t done = 0;
    while (done < data.size()) {
        ssize_t w = ::write(fd, data.data() + done, data.size() - done);
        if (w < 0) {
            if (errno == EINTR) continue;
            fail(Tr("Ошибка записи в файл"));
        }
        done += size_t(w);
    }
    if (::fsync(fd) != 0) fail(Tr("Ошибка записи в файл"));
    if (::rename(tmp.c_str(), target.c_str()) != 0) fail(Tr("Не удается заменить файл"));
    ::close(fd);
    // What earlier writes of this file left behind when they were interrupted goes now.
    RemoveStaleTempFiles(ExtractFilePath(target), ExtractFileName(target) + ".", true);
}

TAtomicFileTarget::TAtomicFileTarget(const std::string& path) : path_(path), target_(FinalTarget(path)) {
    std::string tmpl = target_ + ".XXXXXX";
    fd_ = mkstemp(tmpl.data());
    if (fd_ < 0) throw SysError(Tr("Не удается создать файл"), path, errno);
    tmp_ = tmpl;
    ::flock(fd_, LOCK_EX);
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(target_.c_str(), &st) == 0) mode = st.st_mode & 07777;
    ::fchmod(fd_, mode);
}

TAtomicFileTarget::~TAtomicFileTarget() {
    if (fd_ < 0) return;
    ::unlink(tmp_.c_str());
    ::close(fd_);
}

void TAtomicFileTarget::Commit() {
    if (fd_ < 0) return;
    // The writer wrote through its own handle of the same file: flushing ours flushes its data.
    if (::fsync(fd_) != 0) throw SysError(Tr("Ошибка записи в файл"), path_, errno);
    if (::rename(tmp_.c_str(), target_.c_str()) != 0) throw SysError(Tr("Не удается заменить файл"), path_, errno);
    ::close(fd_);
    fd_ = -1;
    RemoveStaleTempFiles(ExtractFilePath(target_), ExtractFileName(target_) + ".", true);
}

bool IsStaleTempFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    const bool stale = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return stale;
}

int RemoveStaleTempFiles(const std::string& dir, const std::string& prefix, bool exactName) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return 0;
    std::vector<std::string> names;
    while (dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (name.size() < kTempSuffixLength || name.compare(0, prefix.size(), prefix) != 0) continue;
        // The name of the file written comes first: exactly prefix without its "." or, in a
        // folder-wide sweep, the prefix and at least one more character.
        const size_t stem = name.size() - kTempSuffixLength;
        if (exactName ? stem + 1 != prefix.size() : stem <= prefix.size()) continue;
        if (IsTempSuffix(name.substr(name.size() - kTempSuffixLength))) names.emplace_back(name);
    }
    ::closedir(d);
    int removed = 0;
    for (const auto& name : names) {
        const std::string path = JoinPath(dir, name);
        if (IsStaleTempFile(path) && ::unlink(path.c_str()) == 0) ++removed;
    }
    return removed;
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
