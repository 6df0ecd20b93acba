// A system: 5-number combinations written over the indices 1..N instead of real numbers, shared
// through the catalog server. tSystemInfo is one catalog entry, tSystemData adds its combination
// list as text (one combination of five indices per line).
#pragma once

#include "core/model/dates.h"

#include <cstdint>
#include <string>

namespace velmora {

// The catalog's ranges of a system.
constexpr int kSystemCombLength = 5;
constexpr int kMinSystemNums = 6, kMaxSystemNums = 50;
constexpr int kMinSystemOlap = 0, kMaxSystemOlap = 4;
// The most combinations a system may have.
constexpr int kMaxSystemCombinations = 200000;
// How far a creation time may lie ahead of this computer's clock (days), for clocks that differ.
constexpr double kSystemTimeSkewDays = 1.0;
// The Id of the row that stands for an unavailable list.
constexpr int32_t kSystemPlaceholderId = -1;

struct tSystemInfo {
    int32_t Id = 0;          // the server's id; 0 before publishing, -1 for the placeholder row
    uint8_t Nums = 0;        // N, the count of numbers covered
    uint8_t Olap = 0;        // block size, stored and exchanged only
    int32_t CSize = 0;       // combinations in the system
    std::string Title;
    std::string Author;
    std::string OwnerMail;   // decides whether the system is the user's own
    std::string Descr;
    TDateTime Created = 0;   // local time
    int32_t Downloads = 0;
    TDateTime LastDownload = 0;  // local time, 0 when none
    std::string URL;

    bool operator==(const tSystemInfo&) const = default;
};

struct tSystemData : tSystemInfo {
    std::string CList;  // the combination lines, joined by CR LF

    bool operator==(const tSystemData&) const = default;
};

} // namespace velmora
