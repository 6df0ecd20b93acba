// Text helpers shared by the whole engine: cp1251 <-> UTF-8 at the file boundary, CR LF text
// files, trimming, case-insensitive comparison of UTF-8 texts, and integer parsing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// cp1251 bytes to UTF-8. Every byte has a mapping (unassigned 0x98 becomes U+FFFD).
std::string Cp1251ToUtf8(std::string_view bytes);
// UTF-8 to cp1251 bytes; characters without a cp1251 code become '?'.
std::string Utf8ToCp1251(std::string_view utf8);

// Reads a whole regular file as bytes; anything else (a folder, FIFO or device) and every read
// failure raise Error with the system's message.
std::string ReadFileBytes(const std::string& path);
// Reads a cp1251 text file into UTF-8 lines; CR LF, LF and a lone CR end lines. A file that starts
// with the UTF-8 byte-order mark is read as UTF-8 without the mark.
std::vector<std::string> ReadTextLines(const std::string& path);
// Splits UTF-8 or byte text into lines the same way.
std::vector<std::string> SplitLines(std::string_view text);
// Writes UTF-8 lines as a cp1251 file with CR LF after every line, atomically.
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// Upper/lower case of Latin and Cyrillic letters in a UTF-8 text.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
// Case-insensitive search; npos when absent.
size_t FindNoCase(std::string_view text, std::string_view what, size_t from = 0);

// An optional sign and decimal digits only (surrounding blanks are not allowed), within the
// 32-bit range; std::nullopt otherwise.
std::optional<int32_t> TryStrToInt(std::string_view s);
int32_t StrToIntDef(std::string_view s, int32_t def);
std::string IntToStr(int64_t v);

// A text for a message: at most `limit` bytes, cut before a UTF-8 character that would not fit,
// with "..." after a cut text. Untrusted texts (pages, replies, file lines) are quoted through it.
std::string TextExcerpt(std::string_view text, size_t limit = 200);
std::vector<std::string> SplitAny(std::string_view s, std::string_view separators);
std::string Join(const std::vector<std::string>& parts, std::string_view sep);

// Round() of the product: halves go to the even neighbour.
int64_t RoundHalfEven(long double v);

} // namespace velmora
