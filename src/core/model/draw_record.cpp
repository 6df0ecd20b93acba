#include "core/model/draw_record.h"

#include "core/util/text.h"

#include <algorithm>
#include <cstring>

namespace velmora {

// The date bytes are in the file's code page (cp1251); the engine works with UTF-8.
std::string TDrawRecord::DateText() const {
    return Cp1251ToUtf8(std::string_view(Date, std::min<size_t>(DateLen, sizeof Date)));
}

void TDrawRecord::SetDateText(const std::string& text) {
    std::string bytes = Utf8ToCp1251(text);
    size_t n = std::min(bytes.size(), sizeof Date);
    std::memset(Date, 0, sizeof Date);
    std::memcpy(Date, bytes.data(), n);
    DateLen = uint8_t(n);
}

void WriteDrawRecord(const TDrawRecord& rec, unsigned char out[kDrawRecordSize]) {
    uint32_t n = uint32_t(rec.Number);
    out[0] = uint8_t(n);
    out[1] = uint8_t(n >> 8);
    out[2] = uint8_t(n >> 16);
    out[3] = uint8_t(n >> 24);
    std::memcpy(out + 4, rec.Numbers, 5);
    std::memcpy(out + 9, rec.Extras, 2);
    out[11] = rec.DateLen;
    std::memcpy(out + 12, rec.Date, 10);
    std::memcpy(out + 22, rec.Pad, 2);
}

void ReadDrawRecord(const unsigned char in[kDrawRecordSize], TDrawRecord& rec) {
    rec.Number = int32_t(uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24);
    std::memcpy(rec.Numbers, in + 4, 5);
    std::memcpy(rec.Extras, in + 9, 2);
    rec.DateLen = in[11];
    std::memcpy(rec.Date, in + 12, 10);
    std::memcpy(rec.Pad, in + 22, 2);
}

} // namespace velmora
