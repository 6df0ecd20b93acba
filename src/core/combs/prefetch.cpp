#include "core/combs/prefetch.h"

#include "core/model/data_folder.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"
#include "core/util/atomic_file.h"
#include "core/util/checksum.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>

namespace velmora {

namespace {

const char* const kCreateError = TrNoop("Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: %s\r\r%s");
const char* const kOpenError = TrNoop("Ошибка открытия файла данных для полного набора вариантов!\r\rИмя файла: %s\r\r%s");

std::string HexCrc(uint32_t crc) {
    char buf[9];
    std::snprintf(buf, sizeof buf, "%08x", crc);
    return buf;
}

void PutU16(std::string& out, uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

void PutI32(std::string& out, int32_t v) {
    const uint32_t u = uint32_t(v);
    for (int s = 0; s < 32; s += 8) out.push_back(char((u >> s) & 0xFF));
}

uint16_t GetU16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }

int32_t GetI32(const unsigned char* p) {
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

// Creates the folder when missing; raises with the system's message otherwise.
void EnsureDir(const std::string& dir) {
    struct stat st {};
    if (::stat(dir.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return;
        throw std::runtime_error("\"" + dir + "\": " + std::strerror(ENOTDIR));
    }
    if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
        throw std::runtime_error("\"" + dir + "\": " + std::strerror(errno));
}

// The manifest: one line per distribution file written, "<file name>;<size>;<CRC-32 in hex>".
struct TManifestEntry {
    uint64_t Size = 0;
    uint32_t Crc = 0;
};

std::map<std::string, TManifestEntry> ReadManifest() {
    std::map<std::string, TManifestEntry> entries;
    std::vector<std::string> lines;
    try {
        lines = ReadTextLines(PrefetchManifestFileName());
    } catch (const std::exception&) {
        return entries;  // missing or unreadable: every file counts as unchecked
    }
    for (const auto& line : lines) {
        auto f = SplitAny(line, ";");
        if (f.size() != 3 || f[0].empty() || f[1].empty() || f[2].size() != 8) continue;
        char* end = nullptr;
        const unsigned long long size = std::strtoull(f[1].c_str(), &end, 10);
        if (*end != 0 || f[1].find_first_not_of("0123456789") != std::string::npos) continue;
        if (f[2].find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) continue;
        entries[f[0]] = {uint64_t(size), uint32_t(std::strtoul(f[2].c_str(), nullptr, 16))};
    }
    return entries;
}

// Records the checksum of a file just written; the manifest is rewritten whole and atomically
// after the file, so a write cut off between the two leaves a mismatch, never a false match.
void RecordChecksum(const std::string& path, std::string_view bytes) {
    auto entries = ReadManifest();
    entries[ExtractFileName(path)] = {bytes.size(), Crc32(bytes)};
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const auto& [name, e] : entries)
        lines.push_back(Format("%s;%s;%s", {name, std::to_string(e.Size), HexCrc(e.Crc)}));
    WriteTextLines(PrefetchManifestFileName(), lines);
}

// The number of values every combination gives, when the statistic fixes it: a statistic with a
// graph gives one number per combination. 0 when it is not fixed.
int64_t ValuesPerCombination(const TStatList& list, int i) { return list.HasGraph(i) ? 1 : 0; }

// The file's data when it exists, is consistent and matches its recorded checksum; nothing
// otherwise. A file that exists but cannot be read raises.
std::optional<TPrefetchData> ReadPrefetch(const TStatList& list, int i) {
    const std::string path = PrefetchFileName(list.Items(i));
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    const std::string bytes = ReadFileBytes(path);
    TPrefetchData data;
    if (!DecodePrefetch(bytes, data)) return std::nullopt;
    const auto entries = ReadManifest();
    const auto it = entries.find(ExtractFileName(path));
    if (it == entries.end() || it->second.Size != bytes.size() || it->second.Crc != Crc32(bytes)) return std::nullopt;
    return data;
}

} // namespace

std::string PrefetchDir() { return JoinPath(DataDir(), "Prefetchs"); }

std::string PrefetchFileName(const TStatMethod& method) {
    return JoinPath(PrefetchDir(), Format("%s_%s.dfc", {kProductBaseName, method.Code()}));
}

std::string PrefetchManifestFileName() { return JoinPath(PrefetchDir(), Format("%s.crc", {kProductBaseName})); }

void WritePrefetchFile(const std::string& path, std::string_view bytes) {
    WriteFileAtomic(path, bytes);
    RecordChecksum(path, bytes);
}

int64_t PrefetchTotal(const TPrefetchData& data) {
    int64_t total = 0;
    for (const auto& r : data.Body) total += r.Count;
    return total;
}

std::string EncodePrefetch(const TStatDrawArray& list) {
    TStatDrawArray sorted = list;
    SortStatValues(sorted);
    int32_t minCount, maxCount, maxAge;
    int64_t total;
    StatTotals(sorted, minCount, maxCount, maxAge, total);
    std::string out;
    out.reserve((sorted.size() + 1) * kPrefetchRecordSize);
    for (const auto& e : sorted) {
        TPrefetchRec p;
        StatValueToPrefetch(e, p);
        for (uint16_t k : p.Key.K) PutU16(out, k);
        PutI32(out, p.Count);
    }
    PutI32(out, minCount);
    PutI32(out, maxCount);
    PutI32(out, 0);
    return out;
}

bool DecodePrefetch(std::string_view bytes, TPrefetchData& data) {
    data = TPrefetchData{};
    if (bytes.empty() || bytes.size() % kPrefetchRecordSize != 0) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size() / kPrefetchRecordSize - 1;
    data.Body.resize(n);
    int32_t minCount = INT32_MAX, maxCount = 0;
    for (size_t i = 0; i < n; ++i, p += kPrefetchRecordSize) {
        TPrefetchRec& r = data.Body[i];
        for (int k = 0; k < 4; ++k) r.Key.K[k] = GetU16(p + 2 * k);
        r.Count = GetI32(p + 8);
        if (r.Count <= 0) return false;
        if (i > 0 && CompareStatKeys(data.Body[i - 1].Key, r.Key) >= 0) return false;
        minCount = std::min(minCount, r.Count);
        maxCount = std::max(maxCount, r.Count);
    }
    data.FullMin = GetI32(p);
    data.FullMax = GetI32(p + 4);
    return data.FullMin == minCount && data.FullMax == maxCount && GetI32(p + 8) == 0;
}

TPrefetchData CreatePrefetch(const TStatList& list, int i, TProgressSink& progress) {
    const std::string path = PrefetchFileName(list.Items(i));
    TStatusScope status(progress, Format(Tr("Создание файла предварительной выборки %s..."), {path}));
    try {
        auto stat = list.CreateStat(i);
        TStatDrawArray values;
        ComputeFullSetDistribution(*stat, values);
        const std::string bytes = EncodePrefetch(values);
        TPrefetchData data;
        DecodePrefetch(bytes, data);
        // A statistic that gives every combination a fixed number of values must count all
        // combinations that many times; anything else is a fault of the statistic, not a file.
        if (const int64_t k = ValuesPerCombination(list, i); k > 0 && PrefetchTotal(data) != k * int64_t(kCombinationTotal))
            throw Error(Format(Tr("Сумма количеств %s не равна %s"), {std::to_string(PrefetchTotal(data)),
                                                                  std::to_string(k * int64_t(kCombinationTotal))}));
        EnsureDir(PrefetchDir());
        WritePrefetchFile(path, bytes);
        return data;
    } catch (const std::exception& e) {
        throw Error(Format(TrText(kCreateError), {path, e.what()}));
    }
}

std::optional<TPrefetchData> OpenPrefetch(const TStatList& list, int i, bool enabled, TProgressSink& progress,
                                          std::string* message) {
    if (!enabled || !list.TestFlagBit1(i)) return std::nullopt;
    const std::string path = PrefetchFileName(list.Items(i));
    try {
        if (auto data = ReadPrefetch(list, i)) return data;
    } catch (const std::exception& e) {
        if (message) *message = Format(TrText(kOpenError), {path, e.what()});
        return std::nullopt;
    }
    try {
        return CreatePrefetch(list, i, progress);
    } catch (const std::exception& e) {
        if (message) *message = e.what();
        return std::nullopt;
    }
}

TPrefetchBuildResult CreatePrefetchFiles(const TStatList& list, bool force, bool enabled, uint16_t groupMask,
                                         TProgressSink& progress) {
    TPrefetchBuildResult result;
    if (!force && !enabled) {
        // Nothing is built now, but the files of the groups in the mask no longer fit the
        // settings (channel width, matrix width, segment map): remove them, so that they are
        // built anew when the files are next wanted instead of being read as they are.
        for (int i = 0; i < list.Count(); ++i) {
            const int group = list.Items(i).StatClass->GetGroup();
            if (list.TestFlagBit1(i) && group >= 0 && group < 16 && (groupMask >> group) & 1)
                std::remove(PrefetchFileName(list.Items(i)).c_str());
        }
        return result;
    }
    TStatusScope status(progress, Tr("Создание файлов для полного набора комбинаций..."));
    const int n = list.Count();
    for (int i = 0; i < n; ++i) {
        if (progress.StopRequested()) {
            result.Stopped = true;
            break;
        }
        progress.Percent(100.0 * i / n);
        progress.Status(Tr("Создание файлов для полного набора комбинаций..."));
        if (!list.TestFlagBit1(i)) continue;
        const int group = list.Items(i).StatClass->GetGroup();
        const bool inMask = group >= 0 && group < 16 && (groupMask >> group) & 1;
        if (!inMask) {
            bool usable = false;
            try {
                usable = ReadPrefetch(list, i).has_value();
            } catch (const std::exception&) {
                // An unreadable file is built anew like a missing one.
            }
            if (usable) continue;
        }
        try {
            CreatePrefetch(list, i, progress);
            ++result.Built;
        } catch (const std::exception& e) {
            result.Errors.push_back(e.what());
        }
    }
    if (!result.Stopped) progress.Percent(100.0);
    return result;
}

} // namespace velmora
