// The stake record: one recorded combination for a draw, with its origin, comment and, once its
// draw is in the archive, the draw's numbers, the matched numbers and the profit. Also the rules
// around one record: its cost and profit, the record of a stake made by hand and the checks of the
// stake dialogs, the texts and colours of the stake grid, and the profit-per-draw list.
//
// File layout (312 bytes, little-endian, written field by field):
//   0 Version (u8, always 2)        1 Kind (u8)            2 reserved (2 zero bytes)
//   4 DrawNumber (i32, -1 in a separator)                  8 Checked (u8)   9 reserved (3)
//  12 Sample (i32)                 16 Numbers: Count (i32) then 8 number bytes
//  28 DrawNumbers (5 bytes, in drawn order)               33 reserved (3)
//  36 Matched: Count (i32, -1 while unchecked) then 8 number bytes
//  48 Profit (i64, ten-thousandths) 56 Comment: a length byte then 255 cp1251 bytes
#pragma once

#include "core/model/game.h"
#include "core/model/stat_values.h"
#include "core/stats/stat_config.h"
#include "core/util/error.h"
#include "core/util/translate.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

constexpr size_t kStakeRecordSize = 312;
constexpr uint8_t kStakeVersion = 2;

// The kinds of stakes; the names are StakeKindName's.
enum TStakeKind : uint8_t {
    skSeparator = 0,
    skManual = 1,   // "Вручную"
    skRegular = 2,  // "Регуляр"
    skScript = 3,   // "Сценарий"
    skSystem = 4,   // "Система"
};

struct TStakeRecord {
    uint8_t Version = kStakeVersion;
    uint8_t Kind = skSeparator;
    int32_t DrawNumber = 0;
    uint8_t Checked = 0;
    int32_t Sample = 0;
    TNumberSet Numbers;
    uint8_t DrawNumbers[5] = {};
    TNumberSet Matched;
    int64_t Profit = 0;
    uint8_t CommentLen = 0;
    char Comment[255] = {};  // cp1251 bytes, CommentLen of them

    // The comment as UTF-8, and back (cut to 255 cp1251 bytes; control characters become blanks).
    std::string CommentText() const;
    void SetCommentText(const std::string& utf8);
    bool operator==(const TStakeRecord& other) const;
};

// A comment kept the way the records keep it (stakes, regular stakes): the UTF-8 text as cp1251 bytes
// cut to the field, control characters (line ends, tabs) made blanks, the rest of the field zeroed.
void StoreCommentField(const std::string& utf8, char* field, size_t size, uint8_t& length);

// Raw bytes <-> record. Reading keeps the numbers of a damaged record within the set: a Numbers
// count outside 0..8 becomes 0 or 8, a Matched count outside -1..8 becomes -1 or 8, a comment
// length is at most 255 by its width.
void WriteStakeRecord(const TStakeRecord& rec, unsigned char out[kStakeRecordSize]);
void ReadStakeRecord(const unsigned char in[kStakeRecordSize], TStakeRecord& rec);

// The record between blocks of stakes: Kind 0, DrawNumber -1, Matched.Count -1, the rest zero.
TStakeRecord SeparatorRecord();

// The result of a stake of n numbers with m matched main numbers (m = -1: not checked yet), in
// ten-thousandths: minus CombinationCount(n, 5) times the cost, plus the prize of the first entry
// of the prize table whose Overlap is m. Amounts beyond the 64-bit range stop at its ends.
int64_t StakeProfit(const TConfigData& config, int n, int m);

// The comment of a stake made by hand.
constexpr const char* kHandStakeComment = NoTr("Ставка \"вручную\"");

// A stake made by hand from a combination (numbers empty when there is none): Kind 1, the draw
// number, the size of the combination list as Sample, unchecked with the cost as negative profit.
TStakeRecord HandStakeRecord(const TCombination* comb, int32_t drawNumber, int32_t sample,
                             const TConfigData& config);

// The checks of the stake dialogs, shared by the desktop program and the command line.
enum class TStakeField { DrawNumber, Numbers, Comment, DrawsCount };
struct TStakeInputError : Error {
    TStakeInputError(TStakeField field, const std::string& message) : Error(message), Field(field) {}
    TStakeField Field;
};

constexpr int kMaxStakeDrawsCount = 65535;
constexpr int kMaxStakeCommentLength = 64;  // characters

// The message of a stake text that is not five different numbers of 1..50.
constexpr const char* kStakeNumbersError =
    TrNoop("Введена некорректная комбинация!\r\rУкажите 5 разных чисел от 1 до 50, разделяя их пробелом, запятой или "
    "точкой с запятой, например: 3 7 19 28 44");
// The stake text of the dialog: exactly five words (SplitNumberWords: separated by blanks, "," or
// ";"), each an integer 1..50, all different. Returns them sorted ascending (Count 5); otherwise
// raises TStakeInputError(Numbers, kStakeNumbersError).
TNumberSet ParseStakeNumbers(const std::string& text);
// The "Сумма:" field: the sum of the words read as integers, 0 for a word that is not one.
int64_t StakeNumbersSum(const std::string& text);
// The draw number (1..2147483647), the draws count (1..65535, and the last draw number must stay
// within the range) and the comment (not empty, at most 64 characters) of both dialogs.
void CheckStakeDraws(int64_t drawNumber, int64_t drawsCount);
void CheckStakeComment(const std::string& comment);
// The stake dialog's OK: the checks above in the dialog's order (numbers, then comment, then the
// draws); the result is rec with the draw number, the comment and the sorted numbers.
TStakeRecord AcceptStakeInput(const TStakeRecord& rec, int64_t drawNumber, const std::string& numbersText,
                              const std::string& comment, int64_t drawsCount);

// The stake grid: nine columns; the header row is row 0 and record i is row i + 1.
constexpr int kStakeGridColumns = 9;
enum TStakeColumn {
    scDrawNumber, scKind, scNumbers, scSample, scDrawNumbers, scMatchCount, scMatched, scProfit, scComment
};
extern const std::array<const char*, kStakeGridColumns> kStakeGridCaptions;
// The nine cell texts of a record (all empty when its DrawNumber is not positive).
std::array<std::string, kStakeGridColumns> StakeGridCells(const TStakeRecord& rec);
// The row colour of a kind as 0xBBGGRR; nothing for the window colour (separators, unknown kinds).
std::optional<uint32_t> StakeKindColor(int kind);
// True when the result cells of a checked stake are green (profit above zero), else red.
inline bool StakeWon(const TStakeRecord& rec) { return rec.Profit > 0; }

// Money of the grid, the logs and the graphs: ten-thousandths to currency units.
inline double MoneyUnits(int64_t amount) { return double(amount) / 10000.0; }

} // namespace velmora
