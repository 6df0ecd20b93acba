#include "core/model/data_folder.h"

#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/translate.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
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

std::string InstalledShareDir(const std::string& exeDir) {
    std::filesystem::path dir = std::filesystem::path(exeDir).lexically_normal();
    if (!dir.has_filename()) dir = dir.parent_path();  // "/usr/bin/"
    return (dir.parent_path() / "share" / "velmora").string();
}

std::string UserDataDir(const std::string& xdgDataHome, const std::string& home) {
    const std::string base =
        !xdgDataHome.empty() && xdgDataHome[0] == '/' ? xdgDataHome : JoinPath(JoinPath(home, ".local"), "share");
    return JoinPath(base, kProductBaseName);
}

std::string DefaultDataDir(const std::string& exeDir, const std::string& xdgDataHome, const std::string& home) {
    // An installed program (its share folder beside the bin folder) never writes beside itself,
    // even for a user who could (root and /usr/bin); an unpacked one does when it can.
    std::error_code ec;
    const bool installed = std::filesystem::is_directory(InstalledShareDir(exeDir), ec);
    if (!installed && ::access(exeDir.c_str(), W_OK | X_OK) == 0) return exeDir;
    return UserDataDir(xdgDataHome, home);
}

bool UseDefaultDataDir() {
    auto env = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
    const std::string exeDir = ExecutableDir();
    const std::string dir = DefaultDataDir(exeDir, env("XDG_DATA_HOME"), env("HOME"));
    DataDir() = dir;
    if (dir == exeDir) return false;
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) {
        std::filesystem::create_directories(dir, ec);
        if (ec) throw Error(Format(Tr("Не удалось создать папку данных \"%s\": %s"), {dir, ec.message()}));
        // The results site of the settings is a placeholder until it is set: no download at start-up.
        WriteFileAtomic(ProductFile(".frm"), "[TFormMain]\r\nDownloadDrawsOnStart=2\r\n");
    }
    return true;
}

std::string& DataDir() {
    static std::string dir = ExecutableDir();
    return dir;
}

std::string ProductFile(const std::string& ext) { return JoinPath(DataDir(), std::string(kProductBaseName) + ext); }

void CheckDataDir(const std::string& dir) {
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0)
        throw Error(Format(Tr("Папка данных \"%s\" не найдена: %s"), {dir, std::strerror(errno)}));
    if (!S_ISDIR(st.st_mode)) throw Error(Format(Tr("Путь \"%s\", указанный как папка данных, не является папкой"), {dir}));
}

namespace {

namespace fs = std::filesystem;

// The folders whose every file belongs to the program.
constexpr const char* kDataSubfolders[] = {"Prefetchs", "Systems"};

bool IsDataFileName(const std::string& name) {
    static const char* const exts[] = {".ldr", ".ini", ".frm", ".flt", ".lss", ".lsk", ".lrt", ".ltb", ".lck", ".lng"};
    const std::string base = kProductBaseName;
    if (name.compare(0, base.size(), base) != 0) return false;
    const std::string rest = name.substr(base.size());
    for (const char* e : exts)
        if (rest == e) return true;
    // Stake logs "Velmora_5x50-%d.log" and language modules "Velmora_5x50_%s.lng".
    auto endsWith = [&](const char* tail) {
        const size_t n = std::strlen(tail);
        return rest.size() > n + 1 && rest.compare(rest.size() - n, n, tail) == 0;
    };
    return (rest[0] == '-' && endsWith(".log")) || (rest[0] == '_' && endsWith(".lng"));
}

fs::path Canonical(const fs::path& p) {
    std::error_code ec;
    fs::path c = fs::weakly_canonical(p, ec);
    return ec ? p.lexically_normal() : c;
}

} // namespace

bool IsDataFolderFile(const std::string& path) {
    const fs::path target = Canonical(fs::absolute(fs::path(path)));
    const fs::path data = Canonical(fs::absolute(fs::path(DataDir())));
    const fs::path parent = target.parent_path();
    if (parent == data && IsDataFileName(target.filename().string())) return true;
    for (const char* sub : kDataSubfolders)
        if (parent == data / sub) return true;
    // Another name of a data file (a hard link) is the data file too.
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return false;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(data, ec)) {
        struct stat other {};
        if (IsDataFileName(e.path().filename().string()) && ::stat(e.path().c_str(), &other) == 0 &&
            other.st_dev == st.st_dev && other.st_ino == st.st_ino)
            return true;
    }
    return false;
}

int RemoveStaleDataTempFiles() {
    int removed = RemoveStaleTempFiles(DataDir(), kProductBaseName);
    // Every file of the subfolders is the program's (system files are named by their system), so
    // their sweep takes every name.
    for (const char* sub : kDataSubfolders) removed += RemoveStaleTempFiles(JoinPath(DataDir(), sub), "");
    return removed;
}

} // namespace velmora
