// One line of a script as text. A line that is blank after trimming is a separator; any other
// line is a step line of nine "|"-separated fields: the options text, filter 1 .. filter 7 (a
// filter step's text, or a single blank when unused) and the comment, which is left out when
// empty. Fields are read as words: consecutive "|" count as one, so the blank placeholder is what
// keeps an unused filter's place.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace velmora {

class TStatList;

constexpr int kScriptFilterCount = 7;
using TScriptFilters = std::array<std::string, kScriptFilterCount>;

// The columns of the script list: "Комментарии", "Опции", "Фильтр 1" .. "Фильтр 7".
extern const std::vector<std::string> kScriptColumnCaptions;

bool IsScriptSeparator(const std::string& line);

// The fields of a step line, trimmed; a missing field reads as empty. A comment holding "|" reads
// back only up to that character.
std::string GetLineComment(const std::string& line);
std::string GetLineOptions(const std::string& line);
// filter = 1 .. 7; any other number reads as empty.
std::string GetLineFilter(const std::string& line, int filter);
TScriptFilters GetLineFilters(const std::string& line);

// options "|" then each filter trimmed (a single blank when empty) followed by "|", then the
// trimmed comment when it is not empty.
std::string BuildScriptLine(const std::string& comment, const std::string& options, const TScriptFilters& filters);

// The nine cell texts of the script list for a line: the comment, the options caption and the
// seven filters read and written back in their normalised form (empty when unused). All nine are
// empty for a separator. The statistic codes of the filters are looked up in list.
std::vector<std::string> ScriptRowTexts(const std::string& line, const TStatList& list);

} // namespace velmora
