// The full-set distribution files: for every statistic method of flag N, the distribution of its
// values over all 2 118 760 combinations, computed once and kept in
// <data folder>/Prefetchs/Velmora_5x50_<Code>.dfc.
//
// File layout (little-endian, no header): one 12-byte record per distinct value in ascending key
// order (CompareStatKeys): Key[0..3] as unsigned 16-bit, then Count as signed 32-bit; then a
// 12-byte trailer: the smallest Count, the largest Count, 4 zero bytes. A file that is empty,
// whose size is not a multiple of 12, whose keys do not ascend strictly, whose counts are not
// positive or whose trailer does not match its body is never used: it is built anew.
//
// The layout leaves no room for a checksum, so one lives beside the files: the manifest
// Prefetchs/Velmora_5x50.crc holds one line "<file name>;<size>;<CRC-32, 8 hex digits>" per file
// written, rewritten atomically after each file. A file without a matching line (altered, cut,
// or written by an older version) is built anew too. Before a file is written, the counts of a
// statistic with one value per combination (a graph statistic) must add up to 2 118 760; a
// distribution that does not is a fault of the statistic and is never written.
#pragma once

#include "core/model/stat_values.h"
#include "core/util/progress.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class TStatList;
struct TStatMethod;

constexpr size_t kPrefetchRecordSize = 12;
// Group masks of CreatePrefetchFiles: bit g stands for group g (0..15).
constexpr uint16_t kNoPrefetchGroups = 0;
constexpr uint16_t kAllPrefetchGroups = (1u << 13) - 1;  // groups 0..12

// The contents of a distribution file.
struct TPrefetchData {
    TPrefetchArray Body;  // ascending keys
    int32_t FullMin = 0;  // the trailer: smallest and largest Count
    int32_t FullMax = 0;
};

// The folder of the files: <data folder>/Prefetchs.
std::string PrefetchDir();
// <data folder>/Prefetchs/Velmora_5x50_<Code>.dfc
std::string PrefetchFileName(const TStatMethod& method);

// <data folder>/Prefetchs/Velmora_5x50.crc
std::string PrefetchManifestFileName();
// Writes the bytes of a distribution file atomically, then records their checksum in the manifest.
void WritePrefetchFile(const std::string& path, std::string_view bytes);
// The sum of the counts of a distribution.
int64_t PrefetchTotal(const TPrefetchData& data);

// The file bytes of a value list (any order; it is written sorted by key).
std::string EncodePrefetch(const TStatDrawArray& list);
// Reads file bytes; false when they are not a consistent distribution file (see above).
bool DecodePrefetch(std::string_view bytes, TPrefetchData& data);

// Builds the file of method i of the list from the statistic's distribution over the full set
// and writes it atomically (the folder is created when missing); returns the data written.
// Any failure raises Error("Ошибка создания файла данных для полного набора вариантов!
// \r\rИмя файла: %s\r\r%s") and leaves no new file behind.
TPrefetchData CreatePrefetch(const TStatList& list, int i, TProgressSink& progress);

// The distribution of method i when the comparison is on (`enabled`) and the method has flag N;
// nothing otherwise. A missing, empty or inconsistent file is built first. When the file cannot
// be read or built, the error text goes to `message` (when given) and nothing is returned.
std::optional<TPrefetchData> OpenPrefetch(const TStatList& list, int i, bool enabled, TProgressSink& progress,
                                          std::string* message = nullptr);

struct TPrefetchBuildResult {
    int Built = 0;                    // files written
    std::vector<std::string> Errors;  // the messages of the files that failed, in list order
    bool Stopped = false;             // the progress sink asked to stop
};

// Builds the files of every method of flag N, unless neither `force` nor `enabled` is set. A
// method whose file exists (not empty) is skipped unless its group is in groupMask; a failed
// method does not stop the others. Progress: the status "Создание файлов для полного набора
// комбинаций..." and one step per method of the list; a stop request ends it between methods.
// When neither is set nothing is built, but the files of the groups in groupMask are removed
// (they were made under other settings).
TPrefetchBuildResult CreatePrefetchFiles(const TStatList& list, bool force, bool enabled, uint16_t groupMask,
                                         TProgressSink& progress);

} // namespace velmora
