// Checksums of file contents.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

// CRC-32 (the polynomial of zip, PNG and Ethernet: reflected 0xEDB88320, initial and final
// value 0xFFFFFFFF). Crc32("123456789") = 0xCBF43926.
uint32_t Crc32(std::string_view bytes);

} // namespace velmora
