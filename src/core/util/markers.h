// Helpers that cut marked pieces out of page texts and tagged replies. Marker searches ignore case.
#pragma once

#include <string>

namespace velmora {

// Trims; a text longer than one character enclosed in double quotes loses them, and doubled
// quotes inside become one.
std::string Unquote(const std::string& text);
// The trimmed, unquoted text between the first open marker and the next close marker. Open not
// found: empty. Close not found: mode 0 raises the marker-pair error (quoting at most the first
// 200 bytes of the text), mode 2 takes the rest,
// other modes give empty. An empty close marker takes the rest.
std::string ExtractBetween(const std::string& text, const std::string& open, const std::string& close, int mode);
// As ExtractBetween, then removes the text up to the end of the close marker.
std::string CutBetween(std::string& text, const std::string& open, const std::string& close, int mode);
// The text after the first marker up to the next marker or the end; the text then starts at
// that next marker (empty when there is none).
std::string CutSection(std::string& text, const std::string& marker);

} // namespace velmora
