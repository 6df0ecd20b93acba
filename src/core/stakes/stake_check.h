// Checking stakes against the archive, the stake logs (one text file per match count), and the
// data behind the stake graphs.
#pragma once

#include "core/model/draws_archive.h"
#include "core/stakes/stake_file.h"
#include "core/util/progress.h"
#include "core/util/translate.h"

#include <functional>
#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace velmora {

// A log over this size is deleted before the next line goes to it (256 MiB).
constexpr int64_t kStakeLogLimit = 268435456;

struct TStakeCheckOptions {
    TConfigData Config;             // the cost and the prize table
    bool LogEnabled = false;        // "StakesLogEnabled"
    // Called with every stake just checked (the ratings merge it).
    std::function<void(const TStakeRecord&)> AddRating;
    // The file that records the results (the ratings: its path and new bytes), saved as one
    // change with the checked stakes (TStakeFile::CommitCheckedStakes); asked for once, after the
    // walk, when stakes were checked. Nothing: the stakes alone.
    std::function<std::optional<std::pair<std::string, std::string>>()> Companion;
    // Called once the checked stakes (and the companion) are committed.
    std::function<void()> Committed;
    // The time text of a log line; the local time "yyyy.mm.dd hh:nn:ss" when not set.
    std::function<std::string()> Now;
};

// Checks every unchecked stake (DrawNumber > 0, at least five numbers) whose draw is in the
// archive: the draw's numbers, the matched numbers and the profit go into the record, which is
// rewritten in place; then AddRating and the log line. Progress as "Проверка результатов ставок
// ( завершено %.0f %% )..."; a stop request ends the walk after the current record. Returns how
// many stakes were checked; when any were, the file is flushed (Reopen). Errors are raised as
// "Ошибка проверки ставок!\r\r%s"; the stakes checked before stay checked.
int CheckStakes(TStakeFile& file, const TDrawsArchive& archive, const TStakeCheckOptions& options,
                TProgressSink& progress);

// Stake logs: "<stake file without extension>-<matched>.log" beside the stake file.
std::string StakeLogFileName(const std::string& stakeFile, int matched);
// The line of a checked stake, without the time and without the line end.
std::string StakeLogText(const TStakeRecord& rec);
// Appends "<time>: <text>" as a cp1251 line with CR LF to the log of the stake's match count,
// deleting the log first when it is over `limit` bytes. Errors: "Ошибка удаления файла
// \"%s\"!\r\r%s", "Ошибка записи в файл \"%s\"!\r\r%s".
void WriteStakeLog(const std::string& stakeFile, const TStakeRecord& rec, const std::string& timeText,
                   int64_t limit = kStakeLogLimit);
// The stake logs present ("<base>-*.log"), and their deletion; DeleteStakeLogs returns how many
// went and raises "Ошибка удаления файла \"%s\"!\r\r%s" at the first that cannot be deleted.
std::vector<std::string> FindStakeLogs(const std::string& stakeFile);
int DeleteStakeLogs(const std::string& stakeFile);

// Graphs.
constexpr const char* kStakeGraphTooFewDraws =
    TrNoop("Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного тиража!");

// Profit per draw of every record with DrawNumber >= 0, in first-seen order.
TProfitDrawArray StakeDrawProfits(TStakeFile& file);

// The three series of "Суммарный профит по тиражам", in currency units, one point per entry.
struct TStakeDrawGraph {
    std::vector<int32_t> Draws;
    std::vector<double> Totals;      // "Суммарный профит ставок по тиражу"
    double Average = 0;              // "Среднее значение"
    std::vector<double> Cumulative;  // "Накопленное значение"
};
// Raises kStakeGraphTooFewDraws when the list is empty.
TStakeDrawGraph MakeStakeDrawGraph(const TProfitDrawArray& profits);

// One point of the matches or profit graph of rated comments.
struct TStakeGraphPoint {
    int32_t DrawNumber = 0;
    std::string Comment;  // the series
    double Value = 0;     // matches, or profit in currency units
};
// The checked stakes of the last 100 draws whose comment is one of `comments` (ignoring case).
// Raises kStakeGraphTooFewDraws when no comment is given or fewer than 2 draws are found.
std::vector<TStakeGraphPoint> StakeCommentPoints(TStakeFile& file, const std::vector<std::string>& comments,
                                                 bool profit, int lastDraws = 100);

} // namespace velmora
