#include "core/stakes/stake_check.h"

#include "core/util/atomic_file.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

std::string LocalTimeText() {
    const std::time_t t = std::time(nullptr);
    std::tm tm {};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y.%m.%d %H:%M:%S", &tm);
    return buf;
}

// "<folder>/<name without extension>" of the stake file.
std::string LogBase(const std::string& stakeFile) { return ChangeFileExt(stakeFile, ""); }

} // namespace

int CheckStakes(TStakeFile& file, const TDrawsArchive& archive, const TStakeCheckOptions& options,
                TProgressSink& progress) {
    TStatusScope status(progress, Tr("Проверка результатов ставок..."));
    int checked = 0;
    // The checked records are collected during the walk and committed at its end, together with
    // the ratings, as one change (see TStakeFile::CommitCheckedStakes).
    std::vector<TStakeFile::TCheckMark> marks;
    std::string walkError;
    try {
        if (!file.IsOpen()) throw Error(Tr("Файл ставок не открыт!"));
        const int count = file.StakeCount();
        int first = -1, step = 1, processed = 0;
        bool stop = false;
        // A record is rewritten right after it was read; the scan reads ahead in blocks, and a
        // rewrite only touches a record the scan has passed.
        file.ForEachStake([&](int index, const TStakeRecord& rec) {
            if (stop) return;
            const bool eligible = !rec.Checked && rec.DrawNumber > 0 && rec.Numbers.Count >= kNumberCount;
            if (eligible && first < 0) {
                first = index;
                step = std::max(1, (count - first) / 100);
            }
            if (first >= 0) {
                ++processed;
                if (processed % step == 0) {
                    const double percent = 100.0 * processed / (count - first);
                    progress.Percent(percent);
                    progress.Status(Format(Tr("Проверка результатов ставок ( завершено %.0f %% )..."), {percent}));
                    stop = progress.StopRequested();
                }
            }
            if (!eligible) return;
            const int di = archive.IndexOfDrawNumber(rec.DrawNumber);
            if (di < 0) return;
            const TDrawRecord& draw = archive.Draws[size_t(di)];
            TStakeRecord r = rec;
            r.Checked = 1;
            std::memcpy(r.DrawNumbers, draw.Numbers, 5);
            MatchedNumbers(draw, r.Numbers, r.Matched);
            r.Profit = StakeProfit(options.Config, r.Numbers.Count, r.Matched.Count);
            marks.push_back({index, r});
            if (options.AddRating) options.AddRating(r);
        });
    } catch (const std::exception& e) {
        walkError = e.what();
    }
    // What was checked before a failure is committed all the same.
    try {
        if (!marks.empty()) {
            std::optional<std::pair<std::string, std::string>> companion;
            if (options.Companion) companion = options.Companion();
            file.CommitCheckedStakes(marks, companion ? companion->first : std::string(),
                                     companion ? &companion->second : nullptr);
            checked = int(marks.size());
            if (options.Committed) options.Committed();
            if (options.LogEnabled)
                for (const auto& m : marks)
                    WriteStakeLog(file.FileName(), m.Record, options.Now ? options.Now() : LocalTimeText());
        }
    } catch (const std::exception& e) {
        if (walkError.empty()) walkError = e.what();
    }
    if (!walkError.empty()) {
        if (checked > 0) try { file.Reopen(); } catch (...) {}
        throw Error(Format(Tr("Ошибка проверки ставок!\r\r%s"), {walkError}));
    }
    if (checked > 0) file.Reopen();
    return checked;
}

std::string StakeLogFileName(const std::string& stakeFile, int matched) {
    return Format("%s-%d.log", {LogBase(stakeFile), matched});
}

std::string StakeLogText(const TStakeRecord& rec) {
    std::string draw;
    for (int i = 0; i < 5; ++i) draw += (i ? ";" : "") + NumberToText(rec.DrawNumbers[i]);
    return Format(NoTr("Тираж № %s. Ставка: \"%s\" [%s] {%d}. Результаты тиража: [%s]. Совпадений: %d. Профит: %.2f."),
                  {IntToText(rec.DrawNumber), rec.CommentText(), NumberSetToText(rec.Numbers, ";"), rec.Sample, draw,
                   rec.Matched.Count, MoneyUnits(rec.Profit)});
}

void WriteStakeLog(const std::string& stakeFile, const TStakeRecord& rec, const std::string& timeText,
                   int64_t limit) {
    const std::string path = StakeLogFileName(stakeFile, rec.Matched.Count);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > limit && ::unlink(path.c_str()) != 0)
        throw Error(Format(Tr("Ошибка удаления файла \"%s\"!\r\r%s"), {path, std::strerror(errno)}));
    const std::string line = Utf8ToCp1251(timeText + ": " + StakeLogText(rec)) + "\r\n";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) throw Error(Format(Tr("Ошибка записи в файл \"%s\"!\r\r%s"), {path, std::strerror(errno)}));
    // One write of the whole line: appends of one line never interleave with another's.
    const ssize_t n = ::write(fd, line.data(), line.size());
    const int err = errno;
    ::close(fd);
    if (n != ssize_t(line.size()))
        throw Error(Format(Tr("Ошибка записи в файл \"%s\"!\r\r%s"),
                           {path, n < 0 ? std::strerror(err) : std::string(Tr("запись не завершена"))}));
}

std::vector<std::string> FindStakeLogs(const std::string& stakeFile) {
    namespace fs = std::filesystem;
    std::string dir = ExtractFilePath(stakeFile);
    const std::string prefix = ExtractFileName(LogBase(stakeFile)) + "-";
    std::vector<std::string> found;
    std::error_code ec;
    for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() >= prefix.size() + 4 && name.compare(0, prefix.size(), prefix) == 0 &&
            name.compare(name.size() - 4, 4, ".log") == 0 && !it->is_directory())
            found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

int DeleteStakeLogs(const std::string& stakeFile) {
    int deleted = 0;
    for (const auto& path : FindStakeLogs(stakeFile)) {
        if (::unlink(path.c_str()) != 0)
            throw Error(Format(Tr("Ошибка удаления файла \"%s\"!\r\r%s"), {path, std::strerror(errno)}));
        ++deleted;
    }
    return deleted;
}

TProfitDrawArray StakeDrawProfits(TStakeFile& file) {
    TProfitDrawArray list;
    // Stakes come in blocks per draw: a record of the draw just seen adds to its entry directly.
    size_t last = 0;
    file.ForEachStake([&](int, const TStakeRecord& r) {
        if (r.DrawNumber < 0) return;
        if (last < list.size() && list[last].DrawNo == r.DrawNumber) {
            list[last].Profit += r.Profit;
            return;
        }
        AddDrawProfit(list, r.DrawNumber, r.Profit);
        for (last = 0; list[last].DrawNo != r.DrawNumber; ++last) {}
    });
    return list;
}

TStakeDrawGraph MakeStakeDrawGraph(const TProfitDrawArray& profits) {
    if (profits.empty()) throw Error(Tr(kStakeGraphTooFewDraws));
    TStakeDrawGraph g;
    long double total = 0;
    for (const auto& e : profits) {
        total += e.Profit;
        g.Draws.push_back(e.DrawNo);
        g.Totals.push_back(MoneyUnits(e.Profit));
        g.Cumulative.push_back(double(total / 10000.0L));
    }
    g.Average = double(total / profits.size() / 10000.0L);
    return g;
}

std::vector<TStakeGraphPoint> StakeCommentPoints(TStakeFile& file, const std::vector<std::string>& comments,
                                                 bool profit, int lastDraws) {
    if (comments.empty()) throw Error(Tr(kStakeGraphTooFewDraws));
    int start = 0;
    if (file.SeekLastDraws(lastDraws, start) < 2) throw Error(Tr(kStakeGraphTooFewDraws));
    std::vector<std::string> wanted;
    for (const auto& c : comments) wanted.push_back(LowerCase(c));
    std::vector<TStakeGraphPoint> points;
    file.ForEachStake(
        [&](int, const TStakeRecord& r) {
            if (!r.Checked || r.DrawNumber <= 0 || r.Matched.Count < 0) return;
            const std::string comment = r.CommentText();
            if (std::find(wanted.begin(), wanted.end(), LowerCase(comment)) == wanted.end()) return;
            points.push_back({r.DrawNumber, comment, profit ? MoneyUnits(r.Profit) : double(r.Matched.Count)});
        },
        start);
    return points;
}

} // namespace velmora
