#include "core/stakes/system_store.h"

#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace fs = std::filesystem;

std::string SystemsDir() { return JoinPath(DataDir(), kSystemsFolder); }

std::string SystemFileName(const tSystemInfo& info) {
    return Format("%d-%.2d-%d_%.4d.dat", {kSystemCombLength, int(info.Nums), int(info.Olap), info.Id});
}

std::string SystemFilePath(const std::string& dir, const tSystemInfo& info) {
    return JoinPath(dir, SystemFileName(info));
}

std::string SystemFileMask(int nums) { return Format("%d-%.2d-*_*.dat", {kSystemCombLength, nums}); }

std::vector<std::string> FindSystemFiles(const std::string& dir, int nums) {
    std::vector<std::string> found;
    const std::string mask = SystemFileMask(nums);
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string name = it->path().filename().string();
        if (::fnmatch(mask.c_str(), name.c_str(), 0) == 0) found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool SystemDownloaded(const std::string& dir, const tSystemInfo& info) {
    return FileExists(SystemFilePath(dir, info));
}

std::vector<std::string> SplitSystemWords(const std::string& line) {
    std::vector<std::string> words;
    for (std::string& w : SplitAny(line, kSystemWordDelimiters)) {
        std::string t = Trim(w);
        if (!t.empty()) words.push_back(std::move(t));
    }
    return words;
}

TCombination ParseSystemLine(const std::string& line, int lineNo, int nums) {
    const std::vector<std::string> words = SplitSystemWords(line);
    if (words.size() != size_t(kSystemCombLength))
        throw Error(Format(Tr("Строка %d системы содержит %d чисел вместо %d: \"%s\""),
                           {lineNo, int(words.size()), kSystemCombLength, TextExcerpt(Trim(line))}));
    TCombination comb{};
    for (int j = 0; j < kSystemCombLength; ++j) {
        const std::optional<int32_t> k = TryStrToInt(words[size_t(j)]);
        if (!k) throw Error(Format(Tr("\"%s\" не является целым числом (строка %d системы)"), {TextExcerpt(words[size_t(j)]), lineNo}));
        if (*k < 1 || *k > nums)
            throw Error(Format(Tr("Индекс %d в строке %d системы вне диапазона 1..%d"), {*k, lineNo, nums}));
        for (int i = 0; i < j; ++i)
            if (comb[size_t(i)] == *k) throw Error(Format(Tr("Индекс %d повторяется в строке %d системы"), {*k, lineNo}));
        comb[size_t(j)] = uint8_t(*k);
    }
    return comb;
}

TCombsArray ReadSystemFile(const std::string& path, int nums) {
    const std::vector<std::string> lines = ReadTextLines(path);
    if (lines.empty()) throw Error(Format(Tr("Файл системы \"%s\" пуст"), {path}));
    TCombsArray combs;
    combs.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) combs.push_back(ParseSystemLine(lines[i], int(i + 1), nums));
    return combs;
}

bool LoadSystemForNumbers(const std::string& systemsDir, const TByteArray& numbers, TCombsArray& out,
                          std::string& text, std::string* boxMessage) {
    out.clear();
    const int n = int(numbers.size());
    const std::vector<std::string> files = FindSystemFiles(systemsDir, n);
    if (files.empty()) {
        text = Format(Tr("Система для %d чисел не найдена или не загружена на компьютер!"), {n});
        if (boxMessage)
            *boxMessage = Format(Tr("Система для %d чисел не найдена или не загружена на компьютер!\r\r"
                                 "Перед системной игрой необходимо предварительно загрузить системы на Ваш "
                                 "компьютер через меню \"Системы\" - \"Загрузить\"."),
                                 {n});
        return false;
    }
    try {
        TCombsArray combs = ReadSystemFile(files.front(), n);
        for (TCombination& c : combs)
            for (uint8_t& k : c) k = numbers[size_t(k - 1)];
        out = std::move(combs);
        text = files.front();
        return true;
    } catch (const std::exception& e) {
        text = e.what();
        if (boxMessage) *boxMessage = Format(Tr("Ошибка загрузки комбинаций системы!\r\r%s"), {text});
        return false;
    }
}

std::string WriteSystemFile(const std::string& dir, const tSystemInfo& info, const std::vector<std::string>& lines) {
    if (lines.empty() || int64_t(lines.size()) != int64_t(info.CSize))
        throw Error(Format(Tr("Количество скачанных комбинаций ( %d ) отличается от ожидаемого значения ( %d )"),
                           {int64_t(lines.size()), info.CSize}));
    // What a catalog sends is checked whole before the old file is touched: a system that could
    // not be played, or one whose time would never match its file, must not replace a good one.
    if (info.Nums < kMinSystemNums || info.Nums > kMaxSystemNums)
        throw Error(Format(Tr("Система для %d чисел не поддерживается (допустимо от %d до %d)"),
                           {int(info.Nums), kMinSystemNums, kMaxSystemNums}));
    if (info.CSize > kMaxSystemCombinations)
        throw Error(Format(Tr("Система из %d комбинаций слишком велика (допустимо не более %d)"),
                           {info.CSize, kMaxSystemCombinations}));
    if (info.Created <= 0 || info.Created > Now() + kSystemTimeSkewDays)
        throw Error(Format(Tr("Некорректное время создания системы: \"%s\""), {SystemTimeText(info.Created)}));
    for (size_t i = 0; i < lines.size(); ++i) ParseSystemLine(lines[i], int(i + 1), info.Nums);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir))
        throw Error(Format(Tr("Ошибка создания папки \"%s\"!\r\r%s"), {dir, ec ? ec.message() : std::strerror(ENOTDIR)}));
    const std::string path = SystemFilePath(dir, info);
    WriteTextLines(path, lines);
    // The creation time cannot be set on this platform; the modification time carries Created.
    const int64_t t = LocalDateTimeToUnix(info.Created);
    struct timespec times[2];
    times[0].tv_sec = time_t(t);
    times[0].tv_nsec = 0;
    times[1] = times[0];
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
        throw Error(Format(Tr("Ошибка записи в файл \"%s\"!\r\r%s"), {path, std::strerror(errno)}));
    if (!FileExists(path)) throw Error(Format(Tr("Файл \"%s\" не найден"), {path}));
    return path;
}

bool SystemFileOutdated(const std::string& path, TDateTime created) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    const TDateTime written = UnixToLocalDateTime(int64_t(st.st_mtime));
    // Times are whole seconds; a day fraction of one second is not exact in floating point, so the
    // difference is rounded before it is compared (a change one second later must count).
    return std::llround(std::fabs(written - created) * 86400.0) >= 1;
}

std::vector<std::string> DeleteOtherSystems(const std::string& dir, const tSystemInfo& info) {
    const std::string keep = SystemFileName(info);
    std::vector<std::string> deleted;
    for (const std::string& path : FindSystemFiles(dir, info.Nums)) {
        if (ExtractFileName(path) == keep) continue;
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            throw Error(Format(Tr("Ошибка удаления файла \"%s\"!\r\r%s"), {path, std::strerror(errno)}));
        deleted.push_back(path);
    }
    return deleted;
}

void DeleteSystemFile(const std::string& dir, const tSystemInfo& info) {
    const std::string path = SystemFilePath(dir, info);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw Error(Format(Tr("Ошибка удаления файла \"%s\"!\r\r%s"), {path, std::strerror(errno)}));
}

// ---- times --------------------------------------------------------------------------------------

TDateTime UnixToLocalDateTime(int64_t t) {
    const std::time_t tt = std::time_t(t);
    std::tm lt{};
    localtime_r(&tt, &lt);
    return EncodeDate(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday) +
           (lt.tm_hour * 3600 + lt.tm_min * 60 + lt.tm_sec) / 86400.0;
}

namespace {

// The calendar fields of a date-time, the seconds rounded.
void SplitDateTime(TDateTime dt, int& y, int& mo, int& d, int& h, int& mi, int& s) {
    int64_t secs = int64_t(std::llround(dt * 86400.0));
    int64_t days = secs >= 0 ? secs / 86400 : -((-secs + 86399) / 86400);
    int64_t rest = secs - days * 86400;
    DecodeDate(TDateTime(days), y, mo, d);
    h = int(rest / 3600);
    mi = int(rest / 60 % 60);
    s = int(rest % 60);
}

} // namespace

int64_t LocalDateTimeToUnix(TDateTime dt) {
    int y, mo, d, h, mi, s;
    SplitDateTime(dt, y, mo, d, h, mi, s);
    std::tm lt{};
    lt.tm_year = y - 1900;
    lt.tm_mon = mo - 1;
    lt.tm_mday = d;
    lt.tm_hour = h;
    lt.tm_min = mi;
    lt.tm_sec = s;
    lt.tm_isdst = -1;
    return int64_t(std::mktime(&lt));
}

std::string SystemTimeText(TDateTime dt) {
    if (dt == 0) return std::string();
    int y, mo, d, h, mi, s;
    SplitDateTime(dt, y, mo, d, h, mi, s);
    return Format("%.4d-%.2d-%.2d %.2d:%.2d:%.2d", {y, mo, d, h, mi, s});
}

TDateTime ParseSystemTime(const std::string& text) {
    const std::string t = Trim(text);
    if (t.empty()) return 0;
    auto field = [&](size_t pos, size_t len) {
        const std::optional<int32_t> v = pos + len <= t.size() ? TryStrToInt(t.substr(pos, len)) : std::nullopt;
        if (!v || *v < 0) throw Error(Format(Tr("\"%s\" не является корректной датой и временем"), {t}));
        return *v;
    };
    const int y = field(0, 4), mo = field(5, 2), d = field(8, 2);
    const int h = t.size() > 10 ? field(11, 2) : 0;
    const int mi = t.size() > 10 ? field(14, 2) : 0;
    const int s = t.size() > 10 ? field(17, 2) : 0;
    if (!IsValidDate(y, mo, d) || h > 23 || mi > 59 || s > 59)
        throw Error(Format(Tr("\"%s\" не является корректной датой и временем"), {t}));
    return EncodeDate(y, mo, d) + (h * 3600 + mi * 60 + s) / 86400.0;
}

} // namespace velmora
