// The options of a script line: where the line's combinations start from, what is done with
// those left after its filters, and how its stakes are made (TLineOptions), with the stored text
// form "START:N#MODE[#CLR][#NEX]" and the two other texts made from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Start lists ("FULL", "EXCL", "CURR").
constexpr uint8_t kStartFull = 0;     // the list regenerated with the current settings
constexpr uint8_t kStartExclude = 1;  // the regenerated list without the combinations of the last N draws
constexpr uint8_t kStartCurrent = 2;  // the current list, unchanged
constexpr int kStartCombsTypeCount = 3;

// Result modes ("RAND" .. "NONE").
constexpr uint8_t kResultRandom = 0;
constexpr uint8_t kResultFirst = 1;
constexpr uint8_t kResultLast = 2;
constexpr uint8_t kResultAll = 3;
constexpr uint8_t kResultSystemAll = 4;
constexpr uint8_t kResultSystemCombs = 5;
constexpr uint8_t kResultStop = 6;
constexpr uint8_t kResultSkip = 7;
constexpr uint8_t kResultNone = 8;
constexpr int kResultCombsModeCount = 9;

struct TLineOptions {
    int32_t DrawsExclude = 0;     // N: latest draws left out of the start list (with "EXCL")
    uint8_t StartCombsType = 0;   // kStart*
    uint8_t ResultCombsMode = 0;  // kResult*
    bool ClearStakes = false;     // "CLR": all stakes deleted before the line runs
    bool NewOnly = false;         // "NEX": a stake already made is not made again

    bool operator==(const TLineOptions&) const = default;
};

// The keyword, the line editor's text and the list column's text of a start list or a result
// mode; "# ERROR #" for an index outside the table. The column text of "EXCL" carries N. The two
// texts are in the interface language; the keyword is what script files hold.
std::string StartCombsKeyword(int type);
std::string StartCombsEditorText(int type);
std::string StartCombsCaption(int type, int32_t drawsExclude);
std::string ResultCombsModeKeyword(int mode);
std::string ResultCombsModeEditorText(int mode);
std::string ResultCombsModeCaption(int mode);

// The words of a script text as its fields are read: the parts between any of the separators,
// where consecutive separators count as one and leading or trailing ones give no word.
std::vector<std::string> ScriptWords(std::string_view text, std::string_view separators);

// Reads an options text; never fails. Words are "#"-separated (repeated "#" count as one), each
// trimmed: the first starts with the START keyword (any case; no match reads as "FULL") and N
// follows its first ":" (0 when absent or not a number); the second equals the MODE keyword (any
// case; no match reads as "RAND"); any further word "CLR" or "NEX" (any case) sets its flag,
// other words are ignored.
TLineOptions ParseLineOptions(const std::string& text);
// The stored form: "FULL:0#RAND", "EXCL:3#ALL#CLR#NEX" (N is always written).
std::string FormatLineOptions(const TLineOptions& options);
// The form inside stake comments: N only with "EXCL", never "CLR": "FULL#RAND", "EXCL:3#ALL#NEX".
std::string FormatLineOptionsShort(const TLineOptions& options);
// The list column "Опции": "Исключить 3 тиражей; Все; Удалить ставки; Только новые ставки".
std::string FormatLineOptionsCaption(const TLineOptions& options);

} // namespace velmora
