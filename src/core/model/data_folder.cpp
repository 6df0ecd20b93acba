#include "core/model/data_folder.h"

#include "core/util/atomic_file.h"

#include <climits>
#include <unistd.h>

namespace velmora {

std::string ExecutableDir() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    buf[n] = 0;
    std::string dir = ExtractFilePath(buf);
    return dir.empty() ? "." : dir;
}

std::string& DataDir() {
    static std::string dir = ExecutableDir();
    return dir;
}

std::string ProductFile(const std::string& ext) { return JoinPath(DataDir(), std::string(kProductBaseName) + ext); }

} // namespace velmora
