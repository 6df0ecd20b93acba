#include "core/stakes/stake_file.h"

#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/checksum.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr int64_t kRec = int64_t(kStakeRecordSize);
constexpr int kBlockRecords = 1024;  // records per read of a scan
constexpr size_t kOffDrawNumber = 4, kOffChecked = 8, kOffNumbers = 16, kOffCheckData = 28, kCheckDataSize = 28,
                 kOffMatchedCount = 36;

std::string SysMessage(int err) { return std::strerror(err); }

int32_t RawInt(const unsigned char* p) {
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

// Runs fn, and raises its error under the operation's message.
template <class F>
auto Wrapped(const std::string& message, F&& fn) {
    try {
        return fn();
    } catch (const std::exception& e) {
        throw Error(Format(message, {e.what()}));
    }
}

// A second open file of the same folder, closed and (unless kept) deleted when it goes.
struct TTempFile {
    std::string Path;
    int Fd = -1;
    bool Keep = false;
    ~TTempFile() {
        if (Fd >= 0) ::close(Fd);
        if (!Keep && !Path.empty()) ::unlink(Path.c_str());
    }
};

void WriteAll(int fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw Error(SysMessage(errno));
        }
        data += n;
        size -= size_t(n);
    }
}

void SyncFolder(const std::string& file) {
    std::string dir = ExtractFilePath(file);
    if (dir.empty()) dir = ".";
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string OutdatedText(const std::string& backup) {
    return Format(Tr("Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут удалены!\r\r"
                  "Копия прежнего файла сохранена в \"%s\"."),
                  {backup});
}

} // namespace

std::string StakeFileName() { return ProductFile(".lsk"); }

bool StakeMatchesCondition(int m, int condition, int n) {
    switch (condition) {
    case scEqual: return m == n;
    case scGreater: return m > n;
    case scNotLess: return m >= n;
    case scLess: return m < n;
    case scNotMore: return m <= n;
    default: return false;
    }
}

TStakeFile::TStakeFile(std::string fileName) : fileName_(std::move(fileName)) {}

TStakeFile::~TStakeFile() {
    if (fd_ >= 0) {
        if (!readOnly_) ::fdatasync(fd_);
        ::close(fd_);
    }
}

std::string TStakeFile::TempFileName() const { return ChangeFileExt(fileName_, ".~tmp"); }
std::string TStakeFile::BackupFileName() const { return fileName_ + ".bak"; }

void TStakeFile::Open() { OpenLocked(true); }

void TStakeFile::RequireCountInRange(int64_t size) const {
    if (size / kRec > kMaxStakeCount)
        throw Error(Format(Tr("Файл \"%s\" содержит %s записей, а формат файла ставок допускает не более %d"),
                           {fileName_, std::to_string(size / kRec), kMaxStakeCount}));
}

void TStakeFile::OpenLocked(bool repair) {
    Wrapped(Tr("Ошибка чтения файла ставок!\r\r%s"), [&] {
        if (fd_ >= 0) Close();
        busy_ = false;
        readOnly_ = false;
        DropCache();
        const int fd = ::open(fileName_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
        if (fd < 0) throw Error(SysMessage(errno));
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            throw Error(Format(Tr("\"%s\" не является файлом"), {fileName_}));
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            ::close(fd);
            busy_ = err == EWOULDBLOCK;
            throw Error(busy_ ? Tr("Файл ставок используется другой программой") : SysMessage(err));
        }
        try {
            RequireCountInRange(st.st_size);  // before anything is changed
        } catch (...) {
            ::close(fd);
            throw;
        }
        fd_ = fd;
        size_ = st.st_size;
        if (repair) {
            RepairTail();
            ReplayJournal();
        }
        // The copy of a deletion that never finished: the file itself is whole, the copy goes.
        const std::string tmp = TempFileName();
        struct stat ts {};
        if (::lstat(tmp.c_str(), &ts) == 0 && !S_ISDIR(ts.st_mode)) ::unlink(tmp.c_str());
    });
}

void TStakeFile::OpenReadOnly() {
    Wrapped(Tr("Ошибка чтения файла ставок!\r\r%s"), [&] {
        if (fd_ >= 0) Close();
        busy_ = false;
        DropCache();
        readOnly_ = true;
        size_ = 0;
        const int fd = ::open(fileName_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            if (errno == ENOENT) return;  // no stakes yet
            throw Error(SysMessage(errno));
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            throw Error(Format(Tr("\"%s\" не является файлом"), {fileName_}));
        }
        try {
            RequireCountInRange(st.st_size);
        } catch (...) {
            ::close(fd);
            throw;
        }
        fd_ = fd;
        size_ = st.st_size;
        // An unfinished append of a running program is not a record yet.
        if (size_ % kRec == 0 && size_ > 0) {
            unsigned char v = 1;
            if (::pread(fd_, &v, 1, size_ - kRec) == 1 && v == 0) size_ -= kRec;
        }
    });
}

void TStakeFile::RepairTail() {
    // Appends go one record at a time, so only the last record can be unfinished: its version
    // byte, written last, is still zero.
    if (size_ <= 0 || size_ % kRec != 0) return;
    unsigned char v = 1;
    if (::pread(fd_, &v, 1, size_ - kRec) != 1 || v != 0) return;
    if (::ftruncate(fd_, size_ - kRec) != 0) throw Error(SysMessage(errno));
    size_ -= kRec;
}

void TStakeFile::Close() {
    if (fd_ < 0) return;
    const int fd = fd_;
    const bool ro = readOnly_;
    fd_ = -1;
    size_ = 0;
    DropCache();
    const bool synced = ro || ::fdatasync(fd) == 0;
    const int err = errno;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed)
        throw Error(Format(Tr("Ошибка записи в файл ставок!\r\r%s"), {SysMessage(synced ? errno : err)}));
}

void TStakeFile::Reopen() {
    RequireOpen();
    DropCache();
    if (!readOnly_ && ::fdatasync(fd_) != 0)
        throw Error(Format(Tr("Ошибка записи в файл ставок!\r\r%s"), {SysMessage(errno)}));
}

std::string TStakeFile::OutdatedWarning() const {
    if (fd_ < 0 || size_ == 0) return {};
    unsigned char first = 0;
    const bool outdated = size_ % kRec != 0 || ::pread(fd_, &first, 1, 0) != 1 || first != kStakeVersion;
    if (!outdated) return {};
    return OutdatedText(BackupFileName());
}

void TStakeFile::BackupTo(const std::string& path) {
    TTempFile tmp;
    tmp.Path = path + ".~tmp";
    tmp.Fd = ::open(tmp.Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (tmp.Fd < 0) throw Error(SysMessage(errno));
    std::vector<unsigned char> buf(1 << 20);
    for (int64_t pos = 0; pos < size_;) {
        const ssize_t n = ::pread(fd_, buf.data(), size_t(std::min<int64_t>(int64_t(buf.size()), size_ - pos)), pos);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Error(n < 0 ? SysMessage(errno) : std::string("unexpected end of file"));
        WriteAll(tmp.Fd, buf.data(), size_t(n));
        pos += n;
    }
    if (::fsync(tmp.Fd) != 0) throw Error(SysMessage(errno));
    if (::rename(tmp.Path.c_str(), path.c_str()) != 0) throw Error(SysMessage(errno));
    tmp.Path.clear();
    SyncFolder(path);
}

std::string TStakeFile::Load() {
    // The outdated-file rule looks at the file as it is, so that the copy kept of an outdated file
    // is the old file byte for byte; only a file found in order has an unfinished append dropped.
    OpenLocked(false);
    bool outdated = size_ % kRec != 0;
    if (!outdated && size_ > 0) {
        unsigned char first = 0, last = 0;
        const bool read = ::pread(fd_, &first, 1, 0) == 1 && ::pread(fd_, &last, 1, size_ - kRec) == 1;
        // A single record still being appended (its version byte zero) is no sign of age.
        const int64_t whole = read && last == 0 ? size_ - kRec : size_;
        outdated = !read || (whole > 0 && first != kStakeVersion);
    }
    if (!outdated) {
        Wrapped(Tr("Ошибка чтения файла ставок!\r\r%s"), [&] {
            RepairTail();
            ReplayJournal();
        });
        return {};
    }
    std::string warning = OutdatedText(BackupFileName());
    Wrapped(Tr("Ошибка чтения файла ставок!\r\r%s"), [&] {
        try {
            BackupTo(BackupFileName());
        } catch (const std::exception& e) {
            throw Error(Format(Tr("Не удалось сохранить копию файла ставок \"%s\": %s"), {BackupFileName(), e.what()}));
        }
        if (::ftruncate(fd_, 0) != 0) throw Error(SysMessage(errno));
        size_ = 0;
        DropCache();
        ::fdatasync(fd_);
    });
    return warning;
}

int TStakeFile::StakeCount() const { return fd_ < 0 ? 0 : int(size_ / kRec); }

void TStakeFile::RequireOpen() const {
    if (fd_ < 0) throw Error(Tr("Файл ставок не открыт!"));
}

void TStakeFile::RequireWritable() const {
    RequireOpen();
    if (readOnly_) throw Error(Tr("Файл ставок открыт только для чтения!"));
}

int64_t TStakeFile::Position(TStakeOrigin origin, int index) const {
    return origin == TStakeOrigin::Begin ? int64_t(index) * kRec : size_ + int64_t(index) * kRec;
}

void TStakeFile::PreadAll(void* data, size_t size, int64_t offset) const {
    auto* p = static_cast<unsigned char*>(data);
    while (size > 0) {
        const ssize_t n = ::pread(fd_, p, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw Error(SysMessage(errno));
        if (n == 0) throw Error(Tr("Неожиданный конец файла ставок"));
        p += n;
        size -= size_t(n);
        offset += n;
    }
}

void TStakeFile::PwriteAll(const void* data, size_t size, int64_t offset) {
    auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t n = ::pwrite(fd_, p, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw Error(SysMessage(errno));
        p += n;
        size -= size_t(n);
        offset += n;
    }
}

TStakeRecord TStakeFile::ReadStake(TStakeOrigin origin, int index) {
    RequireOpen();
    const int64_t pos = Position(origin, index);
    if (pos < 0 || pos + kRec > size_)
        throw Error(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
    const int abs = int(pos / kRec);
    if (abs == cacheIndex_) return cache_;
    unsigned char raw[kStakeRecordSize];
    Wrapped(Tr("Ошибка чтения записи из файла ставок!\r\r%s"), [&] { PreadAll(raw, kStakeRecordSize, pos); });
    ReadStakeRecord(raw, cache_);
    cacheIndex_ = abs;
    return cache_;
}

void TStakeFile::AppendRecords(const TStakeRecord* recs, int count) {
    for (int i = 0; i < count; ++i) {
        if (size_ / kRec >= kMaxStakeCount)
            throw Error(Format(Tr("Файл ставок содержит наибольшее допустимое количество записей (%d)"), {kMaxStakeCount}));
        unsigned char raw[kStakeRecordSize];
        WriteStakeRecord(recs[i], raw);
        const int64_t pos = size_;
        // One size change makes room for the whole record; the version byte goes in last.
        if (::ftruncate(fd_, pos + kRec) != 0) throw Error(SysMessage(errno));
        try {
            PwriteAll(raw + 1, kStakeRecordSize - 1, pos + 1);
            PwriteAll(raw, 1, pos);
        } catch (...) {
            if (::ftruncate(fd_, pos) != 0) {}  // best effort: the record was not added
            throw;
        }
        size_ = pos + kRec;
    }
}

void TStakeFile::WriteStakeAt(TStakeOrigin origin, int index, const TStakeRecord& rec) {
    Wrapped(Tr("Ошибка добавления записи в файл ставок!\r\r%s"), [&] {
        RequireWritable();
        const int64_t pos = Position(origin, index);
        if (pos < 0 || pos > size_ || pos % kRec != 0)
            throw Error(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
        DropCache();
        if (pos == size_) {
            AppendRecords(&rec, 1);
        } else {
            unsigned char raw[kStakeRecordSize];
            WriteStakeRecord(rec, raw);
            PwriteAll(raw, kStakeRecordSize, pos);
        }
    });
}

void TStakeFile::WriteCheckedStake(int index, const TStakeRecord& rec) {
    RequireWritable();
    const int64_t pos = int64_t(index) * kRec;
    if (index < 0 || pos + kRec > size_)
        throw Error(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
    DropCache();
    unsigned char raw[kStakeRecordSize];
    WriteStakeRecord(rec, raw);
    PwriteAll(raw + kOffCheckData, kCheckDataSize, pos + int64_t(kOffCheckData));
    PwriteAll(raw + kOffChecked, 1, pos + int64_t(kOffChecked));
}

void TStakeFile::AppendStakes(const TStakeRecord& rec, int drawsCount) {
    Wrapped(Tr("Ошибка добавления записи в файл ставок!\r\r%s"), [&] {
        RequireWritable();
        if (rec.Checked) throw Error(Tr("Добавление в конец файла уже проверенной ставки!"));
        if (drawsCount < 1) throw Error(Format(Tr("Количество тиражей должно быть от 1 до %d!"), {kMaxStakeDrawsCount}));
        if (int64_t(rec.DrawNumber) + drawsCount - 1 > std::numeric_limits<int32_t>::max())
            throw Error(Format(Tr("Номер последнего тиража (%d + %d - 1) превышает %d!"),
                               {rec.DrawNumber, drawsCount, std::numeric_limits<int32_t>::max()}));
        DropCache();
        if (drawsCount == 1) {
            AppendRecords(&rec, 1);
            return;
        }
        const TStakeRecord sep = SeparatorRecord();
        for (int j = 0; j < drawsCount; ++j) {
            if (size_ > 0) {
                unsigned char dn[4];
                PreadAll(dn, 4, size_ - kRec + int64_t(kOffDrawNumber));
                if (RawInt(dn) > 0) AppendRecords(&sep, 1);
            }
            TStakeRecord copy = rec;
            copy.DrawNumber = rec.DrawNumber + j;
            AppendRecords(&copy, 1);
        }
    });
}

void TStakeFile::AppendSeparatorIfNeeded() {
    Wrapped(Tr("Ошибка добавления записи в файл ставок!\r\r%s"), [&] {
        RequireWritable();
        if (size_ == 0) return;
        unsigned char dn[4];
        PreadAll(dn, 4, size_ - kRec + int64_t(kOffDrawNumber));
        if (RawInt(dn) <= 0) return;
        DropCache();
        const TStakeRecord sep = SeparatorRecord();
        AppendRecords(&sep, 1);
    });
}

void TStakeFile::ScanRaw(int first, const std::function<bool(int, const unsigned char*)>& fn) {
    const int count = StakeCount();
    std::vector<unsigned char> buf(size_t(kBlockRecords) * kStakeRecordSize);
    for (int start = std::max(first, 0); start < count; start += kBlockRecords) {
        const int n = std::min(kBlockRecords, count - start);
        PreadAll(buf.data(), size_t(n) * kStakeRecordSize, int64_t(start) * kRec);
        for (int i = 0; i < n; ++i)
            if (!fn(start + i, buf.data() + size_t(i) * kStakeRecordSize)) return;
    }
}

void TStakeFile::ForEachStake(const std::function<void(int, const TStakeRecord&)>& fn, int first) {
    RequireOpen();
    TStakeRecord rec;
    ScanRaw(first, [&](int index, const unsigned char* raw) {
        ReadStakeRecord(raw, rec);
        fn(index, rec);
        return true;
    });
}

bool TStakeFile::FindStake(int32_t drawNumber, const TNumberSet& numbers) {
    return Wrapped(Tr("Ошибка поиска записи в файле ставок!\r\r%s"), [&] {
        RequireOpen();
        bool found = false;
        ScanRaw(0, [&](int, const unsigned char* raw) {
            if (RawInt(raw + kOffDrawNumber) != drawNumber) return true;
            TNumberSet set;
            set.Count = std::clamp(RawInt(raw + kOffNumbers), 0, 8);
            std::memcpy(set.Numbers, raw + kOffNumbers + 4, 8);
            found = SameNumberSet(numbers, set);
            return !found;
        });
        return found;
    });
}

int TStakeFile::DeleteStakesWhere(const std::function<bool(int, const TStakeRecord&)>& remove) {
    return Wrapped(Tr("Ошибка удаления записи из файла ставок!\r\r%s"), [&] {
        RequireWritable();
        TTempFile tmp;
        tmp.Path = TempFileName();
        tmp.Fd = ::open(tmp.Path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (tmp.Fd < 0) throw Error(SysMessage(errno));
        if (::flock(tmp.Fd, LOCK_EX | LOCK_NB) != 0) throw Error(SysMessage(errno));
        std::vector<unsigned char> out;
        out.reserve(size_t(kBlockRecords) * kStakeRecordSize);
        int removed = 0;
        int64_t kept = 0;
        TStakeRecord rec;
        ScanRaw(0, [&](int index, const unsigned char* raw) {
            ReadStakeRecord(raw, rec);
            if (remove(index, rec)) {
                ++removed;
                return true;
            }
            out.insert(out.end(), raw, raw + kStakeRecordSize);  // kept byte for byte
            kept += kRec;
            if (out.size() >= size_t(kBlockRecords) * kStakeRecordSize) {
                WriteAll(tmp.Fd, out.data(), out.size());
                out.clear();
            }
            return true;
        });
        if (removed == 0) return 0;  // nothing to remove: the file stays untouched
        WriteAll(tmp.Fd, out.data(), out.size());
        if (::fsync(tmp.Fd) != 0) throw Error(SysMessage(errno));
        const int renamed = RenameForTest ? RenameForTest(tmp.Path.c_str(), fileName_.c_str())
                                          : ::rename(tmp.Path.c_str(), fileName_.c_str());
        if (renamed != 0)
            throw Error(Format(Tr("Ошибка переименования / удаления временного файла ставок %s!\r\r%s"),
                               {tmp.Path, SysMessage(errno)}));
        tmp.Keep = true;
        SyncFolder(fileName_);
        // The copy is the stake file now, already locked: keep its descriptor.
        ::close(fd_);
        fd_ = tmp.Fd;
        tmp.Fd = -1;
        size_ = kept;
        DropCache();
        return removed;
    });
}

int TStakeFile::DeleteStakeRows(int firstRow, int lastRow) {
    return DeleteStakesWhere([&](int index, const TStakeRecord&) { return index + 1 >= firstRow && index + 1 <= lastRow; });
}

int TStakeFile::DeleteStakesByCondition(int packedCondition) {
    const int condition = packedCondition % 256, n = packedCondition / 256;
    if (packedCondition < 0 || condition >= kStakeConditionCount)
        throw Error(Format(Tr("Ошибка удаления записи из файла ставок!\r\rНеизвестное условие %d"), {packedCondition}));
    return DeleteStakesWhere([&](int, const TStakeRecord& r) {
        return r.Kind != skSeparator && StakeMatchesCondition(r.Matched.Count, condition, n);
    });
}

void TStakeFile::StakeClear() {
    Wrapped(Tr("Ошибка удаления записи из файла ставок!\r\r%s"), [&] {
        RequireWritable();
        DropCache();
        if (::ftruncate(fd_, 0) != 0) throw Error(SysMessage(errno));
        size_ = 0;
        if (::fdatasync(fd_) != 0) throw Error(SysMessage(errno));
    });
}

int TStakeFile::SeekLastDraws(int n, int& start) {
    return Wrapped(Tr("Ошибка поиска записи по номеру тиража в файле ставок!\r\r%s"), [&] {
        RequireOpen();
        start = 0;
        int counted = 0;
        int32_t prev = 0;
        std::vector<unsigned char> buf(size_t(kBlockRecords) * kStakeRecordSize);
        for (int end = StakeCount(); end > 0; end -= kBlockRecords) {
            const int first = std::max(0, end - kBlockRecords);
            PreadAll(buf.data(), size_t(end - first) * kStakeRecordSize, int64_t(first) * kRec);
            for (int i = end - 1; i >= first; --i) {
                const unsigned char* raw = buf.data() + size_t(i - first) * kStakeRecordSize;
                const int32_t dn = RawInt(raw + kOffDrawNumber);
                if (dn <= 0 || !raw[kOffChecked] || RawInt(raw + kOffMatchedCount) < 0) continue;
                if (counted > 0 && dn == prev) continue;
                if (counted == n) {
                    start = i + 1;
                    return counted;
                }
                ++counted;
                prev = dn;
            }
        }
        return counted;
    });
}

// ---- the check journal --------------------------------------------------------------------------
//
// Layout: "VLCHK1\r\n", u32 n, n times (i32 index, i32 draw number, 28 bytes of check data),
// u32 length and bytes of the companion's path (a bare name: beside the stake file), u8 1 when a
// companion follows, u64 its size and its bytes, then the CRC-32 of everything before.

namespace {

constexpr char kJournalMagic[8] = {'V', 'L', 'C', 'H', 'K', '1', '\r', '\n'};
constexpr size_t kMarkSize = 36;

void PutLe(std::string& out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char(uint8_t(v >> (8 * i)));
}
uint64_t GetLe(const std::string& in, size_t at, int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint64_t(uint8_t(in[at + size_t(i)])) << (8 * i);
    return v;
}

struct TJournal {
    std::vector<std::pair<int32_t, std::string>> Marks;  // index, the 36 bytes
    std::string Companion;
    bool HasCompanion = false;
    std::string CompanionBytes;
};

bool ParseJournal(const std::string& b, TJournal& j) {
    if (b.size() < 8 + 4 + 4 + 1 + 4 || b.compare(0, 8, kJournalMagic, 8) != 0) return false;
    if (GetLe(b, b.size() - 4, 4) != Crc32(std::string_view(b).substr(0, b.size() - 4))) return false;
    const size_t end = b.size() - 4;
    size_t at = 8;
    const uint64_t n = GetLe(b, at, 4);
    at += 4;
    if (n > (end - at) / kMarkSize) return false;
    for (uint64_t i = 0; i < n; ++i, at += kMarkSize) j.Marks.push_back({int32_t(GetLe(b, at, 4)), b.substr(at, kMarkSize)});
    if (end - at < 5) return false;
    const uint64_t len = GetLe(b, at, 4);
    at += 4;
    if (len > end - at - 1) return false;
    j.Companion = b.substr(at, len);
    at += len;
    j.HasCompanion = b[at++] != 0;
    if (j.HasCompanion) {
        if (end - at < 8) return false;
        const uint64_t size = GetLe(b, at, 8);
        at += 8;
        if (size != end - at) return false;
        j.CompanionBytes = b.substr(at, size);
        at += size;
    }
    return at == end;
}

} // namespace

std::string TStakeFile::JournalFileName() const { return ChangeFileExt(fileName_, ".~chk"); }

void TStakeFile::CommitCheckedStakes(const std::vector<TCheckMark>& marks, const std::string& companionPath,
                                     const std::string* companionBytes) {
    RequireWritable();
    std::string j(kJournalMagic, 8);
    PutLe(j, marks.size(), 4);
    for (const auto& m : marks) {
        unsigned char raw[kStakeRecordSize];
        WriteStakeRecord(m.Record, raw);
        PutLe(j, uint32_t(m.Index), 4);
        j.append(reinterpret_cast<const char*>(raw + kOffDrawNumber), 4);
        j.append(reinterpret_cast<const char*>(raw + kOffCheckData), kCheckDataSize);
    }
    std::string companion = companionBytes ? companionPath : std::string();
    if (!companion.empty() && ExtractFilePath(companion) == ExtractFilePath(fileName_)) companion = ExtractFileName(companion);
    PutLe(j, companion.size(), 4);
    j += companion;
    j += char(companionBytes ? 1 : 0);
    if (companionBytes) {
        PutLe(j, companionBytes->size(), 8);
        j += *companionBytes;
    }
    PutLe(j, Crc32(j), 4);
    const std::string path = JournalFileName();
    {
        TTempFile tmp;
        tmp.Path = path + ".~tmp";
        tmp.Fd = ::open(tmp.Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (tmp.Fd < 0) throw Error(SysMessage(errno));
        WriteAll(tmp.Fd, reinterpret_cast<const unsigned char*>(j.data()), j.size());
        if (::fsync(tmp.Fd) != 0) throw Error(SysMessage(errno));
        Step(1);
        if (::rename(tmp.Path.c_str(), path.c_str()) != 0) throw Error(SysMessage(errno));
        tmp.Path.clear();
    }
    SyncFolder(path);
    Step(2);
    ApplyJournal(j, true);
}

bool TStakeFile::ApplyJournal(const std::string& bytes, bool live) {
    TJournal j;
    if (!ParseJournal(bytes, j)) return false;
    // A journal of another file (a mark beyond the end, another draw number) is not replayed.
    for (const auto& [index, raw] : j.Marks) {
        if (index < 0 || int64_t(index) * kRec + kRec > size_) return false;
        unsigned char dn[4];
        PreadAll(dn, 4, int64_t(index) * kRec + int64_t(kOffDrawNumber));
        if (std::memcmp(dn, raw.data() + 4, 4) != 0) return false;
    }
    if (j.HasCompanion) {
        std::string path = j.Companion;
        if (path.find('/') == std::string::npos) path = JoinPath(ExtractFilePath(fileName_), path);
        WriteFileAtomic(path, j.CompanionBytes);
    }
    if (live) Step(3);
    DropCache();
    bool first = true;
    for (const auto& [index, raw] : j.Marks) {
        const int64_t pos = int64_t(index) * kRec;
        PwriteAll(raw.data() + 8, kCheckDataSize, pos + int64_t(kOffCheckData));
        const unsigned char checked = 1;
        PwriteAll(&checked, 1, pos + int64_t(kOffChecked));
        if (first && live) Step(4);
        first = false;
    }
    if (::fdatasync(fd_) != 0) throw Error(SysMessage(errno));
    if (live) Step(5);
    ::unlink(JournalFileName().c_str());
    SyncFolder(fileName_);
    if (live) Step(6);
    return true;
}

void TStakeFile::ReplayJournal() {
    const std::string path = JournalFileName();
    ::unlink((path + ".~tmp").c_str());  // a journal never put in place: nothing was changed
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    // A journal this file cannot take (torn, foreign) describes a check that never counted: it
    // goes. A read or write error while finishing one is raised, and the journal stays.
    if (!ApplyJournal(ReadFileBytes(path), false)) ::unlink(path.c_str());
}

} // namespace velmora
