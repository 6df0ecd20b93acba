// Encoding of one Unicode code point as UTF-8, shared by the cp1251 conversion and the reader of
// language modules (whose texts are UTF-16).
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// Appends the UTF-8 bytes of the code point cp (at most U+10FFFF) to out.
void AppendUtf8(std::string& out, uint32_t cp);

} // namespace velmora
