// The two text forms of a combination list: the combination file (".lcv": one combination per
// line, the numbers joined by ";", cp1251 with CR LF) and the clipboard form (two-digit numbers
// joined by blanks, lines separated by CR LF).
#pragma once

#include "core/model/game.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The filter of the file dialogs and the default extension.
extern const char* const kCombsFileFilter;  // "Файлы комбинаций (*.lcv)|*.lcv"
extern const char* const kCombsFileExt;     // "lcv"

// One line of a combination file. False for a line the reader skips: an empty line, a line
// that does not split into exactly 5 words at "," or ";", or a line with a word whose number
// does not fit a byte (0..255). A word that is not an integer reads as 0; the numbers are kept
// as written (no range, uniqueness or order check).
bool ParseCombsFileLine(std::string_view line, TCombination& comb);

// Reads the combinations of a whole file text (CR LF, LF or a lone CR end lines) in order.
// Stores at most `capacity` of them into `out` (which may be null to only count) and returns
// how many the text holds, also when that is more than `capacity`.
int ParseCombsFileText(std::string_view text, TCombination* out, int capacity);
// The same, all or nothing: reads the combinations into out and returns their count when they
// are at most `capacity`; otherwise raises the capacity message and out is untouched.
int ReadCombsFileText(std::string_view text, TCombination* out, int capacity);

// The file text of n combinations: "3;17;25;41;48" lines, each ended by CR LF.
std::string CombsFileText(const TCombination* combs, int n);

// The clipboard text of the given combinations: CombToSpacedText lines joined by CR LF.
std::string CombsClipboardText(const std::vector<TCombination>& combs);

// The lines of a pasted text, each read with TextToComb. Raises the message of the first line
// that is not a combination, or the capacity message when the text has more than `capacity`
// lines. An empty text gives no combinations.
std::vector<TCombination> ParseClipboardCombs(std::string_view text, int capacity);

// The message that refuses a list longer than the combination stores.
std::string TooManyCombsMessage(int64_t count, int capacity);

} // namespace velmora
