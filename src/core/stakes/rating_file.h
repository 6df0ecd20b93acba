// The ratings file (Velmora_5x50.lrt in the data folder: the 296-byte entries one after another
// in display order, no header), the ratings recomputed from the stake file, their CSV export and
// spreadsheet table, and rating rows turned back into script lines.
#pragma once

#include "core/export/xlsx_export.h"
#include "core/stakes/rating.h"
#include "core/stakes/stake_check.h"
#include "core/stakes/stake_file.h"
#include "core/util/progress.h"
#include "core/util/translate.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {

class TStatList;

// Velmora_5x50.lrt in the data folder.
std::string RatingsFileName();

// Reads every whole entry of the file into `ratings` (emptied first); a missing file gives no
// entries. A read error, or a file whose size is not a whole number of entries, raises
// Error("Ошибка чтения файла рейтинга!\r\r%s") after the entries read so far were kept.
void LoadRatingsFile(const std::string& path, TRatingsArray& ratings);
// Writes all entries through a temporary file renamed over the old one, so that a failure keeps
// the previous file whole. Errors: "Ошибка записи в файл рейтинга!\r\r%s".
void SaveRatingsFile(const std::string& path, const TRatingsArray& ratings);
// The file's bytes (what SaveRatingsFile writes).
std::string RatingsFileBytes(const TRatingsArray& ratings);

// "Обновить рейтинг": the ratings of every checked stake record with DrawNumber >= 0, in file
// order, under "Обновление рейтинга...". Errors: "Ошибка обновления рейтинга!\r\r%s" (the ratings
// then hold what was merged so far).
void RefreshRatingsFromStakes(TStakeFile& file, TRatingsArray& ratings, TProgressSink& progress);

// The ratings the program holds: the entries, their file and the list's sort. Every change is
// saved at once (the whole file).
class TRatingsStore {
public:
    explicit TRatingsStore(std::string fileName = RatingsFileName()) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

    TRatingsArray Ratings;
    int SortColumn = rcAverage;  // the list's initial sort: "Среднее" descending
    bool SortDescending = true;
    // A copy of the program that does not own the data folder changes nothing on disk.
    bool ReadOnly = false;

    // Start-up: when the file exists, reads it ("Загрузка файла рейтинга...") and sorts it. A file
    // that cannot be read whole, or holds an entry whose counts are damaged (RatingEntryDamaged),
    // makes the store Damaged: the entries read are kept and sorted in memory, the error is
    // raised, and the file is not written again until Refresh builds the ratings anew from the
    // stakes (no check, sort or save replaces it by what could be read).
    void Load(TProgressSink& progress);
    // "Сохранение файла рейтинга...": the whole file; errors as SaveRatingsFile. Nothing is
    // written while the store is Damaged.
    void Save(TProgressSink& progress);
    bool Damaged() const { return !damage_.empty(); }
    // The report of a damaged file (kRatingsDamagedText with the file and the reason).
    const std::string& DamageText() const { return damage_; }
    // "Сортировка рейтинга...": sorts by the column (remembered for later sorts), then saves.
    void Sort(int column, bool descending, TProgressSink& progress);
    void Sort(TProgressSink& progress) { Sort(SortColumn, SortDescending, progress); }
    // "Обновить рейтинг": the entries anew from the checked stakes, then sorted and saved.
    void Refresh(TStakeFile& file, TProgressSink& progress);

private:
    std::string fileName_;
    std::string damage_;
};

// The report of a damaged ratings file: the file, then the reason.
constexpr const char* kRatingsDamagedText =
    TrNoop("Файл рейтинга \"%s\" поврежден и сохранен без изменений: %s\r\rРезультаты проверки ставок в него не "
    "вносятся, пока рейтинг не будет пересчитан по ставкам.");

// Stake checking that feeds the ratings: CheckStakes with every stake checked merged into the
// store (after any AddRating the options already carry), then, when any stake was checked, the
// store sorted and saved. A check that fails half-way still saves the ratings of the stakes it
// checked (they will not be checked again), then raises its error. With a Damaged store the
// stakes are checked but the file is kept as it is, and when any was checked DamageText() is
// raised at the end.
// Returns how many were checked.
int CheckStakesRated(TStakeFile& file, const TDrawsArchive& archive, TStakeCheckOptions options,
                     TRatingsStore& ratings, TProgressSink& progress);

// The question RatingsRefresh asks when ratings exist.
constexpr const char* kRatingsRefreshQuestion =
    TrNoop("Пересчитать рейтинг только по текущим ставкам?\r\rНакопленные ранее данные по удаленным ставкам будут потеряны.");

// The CSV export: the quoted captions of the product's columns (E0 .. E5 included, "p" not), then
// per entry the quoted comment, Stakes, MatchedTotal, "%.3f" average, "%.2f" profit, "%.2f"
// rounded average profit and the six counts (the averages empty for an entry without stakes);
// fields separated by ";", cp1251 lines with CR LF.
std::vector<std::string> RatingsCsvLines(const TRatingsArray& ratings);
// Writes them atomically; errors raise Error("Ошибка записи в файл \"%s\"!\r\r%s").
void ExportRatingsCsv(const std::string& path, const TRatingsArray& ratings);
constexpr const char* kRatingsCsvFilter = TrNoop("CSV-файлы (*.csv)|*.csv");
constexpr const char* kRatingsCsvExt = "csv";

// The list as a spreadsheet table: every column as the list shows it in `mode`, numbers as
// numbers. The ratings must outlive the export.
TXlsTable RatingsXlsTable(const TRatingsArray& ratings, int mode, const std::string& title);
constexpr const char* kRatingsXlsTitle = TrNoop("Рейтинг");

// A rating row's caption (a stake comment) as a script line: the comment part before "@" and the
// rest after it, " + " becoming "|", blank filters up to seven, then "|" and the comment part.
// Nothing when none of its seven filter fields reads as a filter step (statistic codes looked up
// in `list`).
std::optional<std::string> RatingScriptLine(const std::string& caption, const TStatList& list);
// The refusal of a caption that gives no script line.
std::string RatingRefusedMessage(const std::string& caption);

} // namespace velmora
