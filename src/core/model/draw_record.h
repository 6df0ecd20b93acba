// The draw record: the element of the archive in memory and, byte for byte, of the archive file.
//
// File layout (24 bytes, little-endian): 0 Number (int32), 4 five main numbers in drawn order,
// 9 two extra numbers, 11 date as a length byte (0..10) and 10 characters "yyyy-mm-dd",
// 22 two unused bytes kept as found.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

struct TDrawRecord {
    int32_t Number = 0;
    uint8_t Numbers[5] = {};
    uint8_t Extras[2] = {};
    uint8_t DateLen = 0;
    char Date[10] = {};
    uint8_t Pad[2] = {};

    std::string DateText() const;
    // Stores at most 10 characters; the unused tail is zeroed.
    void SetDateText(const std::string& text);
    int Sum() const { return Numbers[0] + Numbers[1] + Numbers[2] + Numbers[3] + Numbers[4]; }
};
static_assert(sizeof(TDrawRecord) == 24, "the draw record is 24 bytes in memory and on disk");

constexpr size_t kDrawRecordSize = 24;

void WriteDrawRecord(const TDrawRecord& rec, unsigned char out[kDrawRecordSize]);
void ReadDrawRecord(const unsigned char in[kDrawRecordSize], TDrawRecord& rec);

} // namespace velmora
