#include "core/scripts/script_log.h"

#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace velmora {

const char* const kScriptLogDoubleLine =
    "==============================================================================================";
const char* const kScriptLogDashedLine =
    "----------------------------------------------------------------------------------------------";

namespace {

constexpr const char* kLogPrefix = "ScriptLog_";
constexpr const char* kLogExt = ".txt";

std::string TimeText(std::time_t t, const char* format) {
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[64];
    std::strftime(buf, sizeof buf, format, &tm);
    return buf;
}

} // namespace

std::string ScriptLogFileName(const std::string& folder, std::time_t time) {
    return JoinPath(folder, Format("ScriptLog_%s.txt", {TimeText(time, "%Y-%m-%d-%H-%M-%S")}));
}

std::time_t TScriptLog::Now() const { return Clock ? Clock() : std::time(nullptr); }

void TScriptLog::Start(const std::string& folder) { path_ = ScriptLogFileName(folder, Now()); }

void TScriptLog::Write(const std::string& text) const {
    if (path_.empty()) return;
    auto fail = [](const std::string& why) { throw Error(Format(Tr("Ошибка записи журнала: %s!"), {why})); };
    const std::string dir = ExtractFilePath(path_);
    if (!dir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        if (ec) fail(ec.message());
    }
    const std::string line = Utf8ToCp1251("[" + TimeText(Now(), "%Y-%m-%d %H:%M:%S") + "]: " + text) + "\r\n";
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) fail(std::strerror(errno));
    size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(fd, line.data() + done, line.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            fail(std::strerror(err));
        }
        done += size_t(n);
    }
    if (::close(fd) != 0) fail(std::strerror(errno));
}

std::vector<std::string> FindScriptLogs(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    std::error_code ec;
    const std::string prefix = kLogPrefix, ext = kLogExt;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() >= prefix.size() + ext.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            name.compare(name.size() - ext.size(), ext.size(), ext) == 0 && !it->is_directory())
            found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

int DeleteScriptLogs(const std::string& folder) {
    int deleted = 0;
    for (const auto& path : FindScriptLogs(folder)) {
        if (::unlink(path.c_str()) != 0)
            throw Error(Format(Tr("Ошибка удаления файла \"%s\"!\r\r%s"), {path, std::strerror(errno)}));
        ++deleted;
    }
    return deleted;
}

} // namespace velmora
