// System play: the combination list becomes stakes through the downloaded system for as many
// numbers as the list holds. The distinct numbers of the list (in order of first appearance)
// replace the indices of the system; every resulting combination (or, filtered, only those that
// are also in the list) is one stake of kind "Система".
//
// Also the rules of the system dialog: the normalisation of the combination text and the checks
// on OK, shared by the desktop program and the command line.
#pragma once

#include "core/stakes/stake_record.h"
#include "core/stakes/system_info.h"
#include "core/util/error.h"

#include <string>
#include <vector>

namespace velmora {

class TStakeFile;

// The comment of the stakes: Format("Системная игра для %d чисел [вся система]: %s") or
// "... [комбинации]: %s" (filtered), with the file's name without folder and extension.
std::string SystemPlayComment(int nums, const std::string& systemPath, bool filter);

// The stake records of a system already mapped to numbers, in file order: each combination sorted
// ascending; with `filter` only those present in list[0..listCount). Kind 4, unchecked, the draw
// number and comment given, Sample = listCount (filter) or the system's size, the profit of one
// unchecked five-number stake.
std::vector<TStakeRecord> SystemStakeRecords(const TCombsArray& system, const TCombination* list, int listCount,
                                             bool filter, int32_t drawNumber, const std::string& comment,
                                             const TConfigData& config);

// Appends the records for drawsCount draws each, after a separator when the file's last record is
// a stake (none when there is nothing to append). Returns how many records were appended; the
// first failure is raised (the stakes before it stay).
int AppendSystemStakes(TStakeFile& file, const std::vector<TStakeRecord>& records, int drawsCount);

// ---- the system dialog --------------------------------------------------------------------------

// The combination text after normalisation: every line of exactly five words (split as system
// lines are) rewritten as the five integers "%.2d" joined by one blank, every other line dropped;
// Nums = max - min + 1 over all indices (0 for an empty list), CSize = the line count. A word that
// is not an integer raises Error.
struct TSystemText {
    std::vector<std::string> Lines;
    int Nums = 0;
    int CSize = 0;
};
TSystemText NormaliseSystemText(const std::string& text);

enum class TSystemField { Title, Nums, Olap, Author, Descr, Combs };
struct TSystemInputError : Error {
    TSystemInputError(TSystemField field, const std::string& message) : Error(message), Field(field) {}
    TSystemField Field;
};

// The checks of OK in the dialog's order: title, numbers 6..50, block 0..4, author, description,
// combinations (texts trimmed). Raises TSystemInputError with the field to focus.
void CheckSystemInput(const std::string& title, int nums, int olap, const std::string& author,
                      const std::string& descr, const std::string& combs);

// After those checks: every line of the (normalised) list is a system line over `nums` numbers
// (five indices within 1..nums, none twice), so that the system can be played. Raises
// TSystemInputError(Combs) naming the line.
void CheckSystemLines(const std::string& clist, int nums);

// The command line's "systems put": a text of index lines normalised as in the dialog, checked as
// on OK, and each line checked against the numbers (every index within 1..Nums, no index twice).
// The result carries Nums, CSize and CList; the other fields are the caller's.
void ApplySystemText(tSystemData& data, const std::string& text);

} // namespace velmora
