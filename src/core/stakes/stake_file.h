// The stake file (Velmora_5x50.lsk in the data folder): a headerless sequence of 312-byte stake
// records in the order they were appended. The program holds it open with an exclusive lock for
// its whole run (so a second writer is refused); records are appended or rewritten in place, and
// removed by writing the kept records to a temporary copy that replaces the file.
//
// What a killed process leaves behind:
//   - an append first extends the file by whole zero records (one size change), writes the new
//     bytes except the version byte, and writes the version byte last, one record after the
//     other. Opening the file drops trailing records whose version byte is still zero, so the
//     file holds the old records plus the whole new records, never a torn one;
//   - a check writes a record's draw numbers, matches and profit first and its Checked byte
//     last: a record is either unchecked (and checked again next time) or checked in full;
//   - a deletion writes the kept records to "<name>.~tmp", flushes it and renames it over the
//     file: the file is the old one or the new one. A leftover temporary file is deleted when
//     the file is opened.
#pragma once

#include "core/stakes/stake_record.h"

#include <functional>
#include <string>
#include <vector>

namespace velmora {

// Velmora_5x50.lsk in the data folder.
std::string StakeFileName();

// The most records a stake file can hold: record indexes and grid rows (index + 1) are signed
// 32-bit. A longer file is refused when it is opened, unchanged; an append beyond it is refused.
constexpr int kMaxStakeCount = 2147483646;

enum class TStakeOrigin { Begin, End };

// Conditions of the deletion by match count, in the order of the dialog's list.
enum TStakeCondition { scEqual = 0, scGreater, scNotLess, scLess, scNotMore };
constexpr int kStakeConditionCount = 5;
// The dialog passes condition and value packed as value * 256 + condition.
constexpr int PackStakeCondition(int condition, int value) { return value * 256 + condition; }
// True when a stake with m matches (-1: unchecked) meets the condition against n.
bool StakeMatchesCondition(int m, int condition, int n);

class TStakeFile {
public:
    explicit TStakeFile(std::string fileName = StakeFileName());
    ~TStakeFile();
    TStakeFile(const TStakeFile&) = delete;
    TStakeFile& operator=(const TStakeFile&) = delete;

    const std::string& FileName() const { return fileName_; }
    // The temporary copy of deletions and the copy kept of an outdated file.
    std::string TempFileName() const;
    std::string BackupFileName() const;

    // Opens the file for reading and writing with other writers refused, creating it when
    // missing; drops the unfinished tail of an interrupted append, deletes a leftover temporary
    // file and empties the read cache. Raises Error("Ошибка чтения файла ставок!\r\r%s") when
    // the file cannot be opened or is held by another program (then Busy() is true).
    void Open();
    // Opens an existing file for reading only, without a lock (a missing file reads as empty).
    void OpenReadOnly();
    // Closes the file (flushing it first); raises Error("Ошибка записи в файл ставок!\r\r%s").
    void Close();
    // Makes every change so far reach the disk and empties the read cache (the lock is kept).
    void Reopen();
    bool IsOpen() const { return fd_ >= 0; }
    bool ReadOnly() const { return readOnly_; }
    bool Busy() const { return busy_; }

    // Start-up: Open, then the outdated-file rule. A file whose size is not a multiple of 312 or
    // whose first byte is not 2 is first copied byte for byte (before anything else is changed) to
    // BackupFileName() (replacing an older copy) and
    // then emptied; the result is the warning to show (empty when the file was fine). When the
    // copy cannot be made the file is left as it is and Error("Ошибка чтения файла ставок!...")
    // is raised.
    std::string Load();
    // The outdated-file rule for a file opened read-only: the warning, without changing anything.
    std::string OutdatedWarning() const;

    // File size / 312; 0 when not open.
    int StakeCount() const;
    bool HasStakes() const { return StakeCount() > 0; }

    // Record `index` from the start (origin Begin) or from the end (origin End, -1 = the last).
    // Raises "Файл ставок не открыт!", "Запись со индексом %d в файле данных не найдена!" or
    // "Ошибка чтения записи из файла ставок!\r\r%s". The last record read is cached.
    TStakeRecord ReadStake(TStakeOrigin origin, int index);
    // Writes a record at the same positions; the position just after the last record appends.
    // Errors: "Ошибка добавления записи в файл ставок!\r\r%s".
    void WriteStakeAt(TStakeOrigin origin, int index, const TStakeRecord& rec);

    // Appends a stake for drawsCount draws (the DrawNumber, DrawNumber + 1, ...); from two draws
    // on each copy is preceded by a separator when the file's last record is a stake. A checked
    // record is refused ("Добавление в конец файла уже проверенной ставки!"); every error is
    // raised as "Ошибка добавления записи в файл ставок!\r\r%s".
    void AppendStakes(const TStakeRecord& rec, int drawsCount);
    // Appends a separator when the file is not empty and its last record is a stake.
    void AppendSeparatorIfNeeded();
    // True when a record has this draw number and the same set of numbers.
    // Errors: "Ошибка поиска записи в файле ставок!\r\r%s".
    bool FindStake(int32_t drawNumber, const TNumberSet& numbers);

    // Walks all records in file order in blocks; fn gets the index and the record.
    void ForEachStake(const std::function<void(int, const TStakeRecord&)>& fn, int first = 0);

    // Deletion through the temporary copy. DeleteStakeRows removes the records of grid rows
    // firstRow..lastRow (row = record index + 1); DeleteStakesByCondition the stakes (never the
    // separators) whose match count meets the packed condition. Both return how many records went.
    // Errors: "Ошибка удаления записи из файла ставок!\r\r%s"; the file is then as it was.
    int DeleteStakeRows(int firstRow, int lastRow);
    int DeleteStakesByCondition(int packedCondition);
    int DeleteStakesWhere(const std::function<bool(int, const TStakeRecord&)>& remove);
    // Empties the file.
    void StakeClear();

    // Scans backwards for the last n draws with checked stakes; the result is how many draws it
    // counted (at most n), start the index of the first record to read after it.
    // Errors: "Ошибка поиска записи по номеру тиража в файле ставок!\r\r%s".
    int SeekLastDraws(int n, int& start);

    // A checked record is rewritten with its Checked byte last (see the top of this file).
    void WriteCheckedStake(int index, const TStakeRecord& rec);

    // A stake check as one change together with the file that records its results (the ratings):
    // the checked records and the new bytes of that file go first to a journal ("<name>.~chk",
    // written whole, flushed and renamed into place), then the file is replaced, the records are
    // rewritten in place, and the journal goes. A process killed before the journal is in place
    // changed nothing (the stakes are checked again next time); one killed after it is finished
    // by the next Open, which replays the journal. So stakes marked checked are always counted in
    // the ratings exactly once. Errors: "Ошибка проверки ставок!\r\r%s" is left to the caller.
    struct TCheckMark {
        int32_t Index = 0;
        TStakeRecord Record;  // the checked record
    };
    void CommitCheckedStakes(const std::vector<TCheckMark>& marks, const std::string& companionPath,
                             const std::string* companionBytes);
    std::string JournalFileName() const;
    // Test seam: called at each step of CommitCheckedStakes (1 journal written, 2 journal in
    // place, 3 companion replaced, 4 first record rewritten, 5 all rewritten, 6 journal gone).
    std::function<void(int)> CommitStepForTest;

    // Test seam: the rename that puts the temporary copy in place (default ::rename).
    std::function<int(const char*, const char*)> RenameForTest;

private:
    void OpenLocked(bool repair);
    void RequireCountInRange(int64_t size) const;
    void RequireOpen() const;
    void RequireWritable() const;
    int64_t Position(TStakeOrigin origin, int index) const;
    void AppendRecords(const TStakeRecord* recs, int count);
    void PwriteAll(const void* data, size_t size, int64_t offset);
    void PreadAll(void* data, size_t size, int64_t offset) const;
    void RepairTail();
    // Reads records from `first` on in blocks; fn gets the index and the raw bytes and returns
    // false to stop. Read errors raise Error with the system's message.
    void ScanRaw(int first, const std::function<bool(int, const unsigned char*)>& fn);
    void BackupTo(const std::string& path);
    // Finishes a journal left by a killed check (see CommitCheckedStakes); a torn or foreign one
    // is deleted.
    void ReplayJournal();
    bool ApplyJournal(const std::string& bytes, bool live);
    void Step(int step) {
        if (CommitStepForTest) CommitStepForTest(step);
    }
    void DropCache() { cacheIndex_ = -1; }

    std::string fileName_;
    int fd_ = -1;
    bool readOnly_ = false;
    bool busy_ = false;
    int64_t size_ = 0;
    int cacheIndex_ = -1;
    TStakeRecord cache_;
};

} // namespace velmora
