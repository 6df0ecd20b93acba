// Regular stakes: a rule that makes one stake per draw by shifting a base combination by a fixed
// step, either a constant start combination that moves on with every stake, or the numbers of the
// previous draw. The regulars are kept in Velmora_5x50.ltb, made into stakes of kind "Регуляр" by
// hand or over the last K draws (the regular test), and rated by their comment.
//
// File layout (276 bytes per record, no header, in list order; signed fields little-endian):
//     0 Comment: a length byte then 255 cp1251 bytes
//   256 UseLastDraw (u8: 1 the previous draw is the base, 0 the current combination)
//   257 StartComb (5 bytes)      262 CurrentComb (5 bytes)      267 reserved (zero)
//   268 Step (i32, -50..50)      272 StakesMade (i32)
#pragma once

#include "core/model/draws_archive.h"
#include "core/stakes/stake_record.h"
#include "core/util/error.h"
#include "core/util/progress.h"
#include "core/util/translate.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

constexpr size_t kRegularStakeSize = 276;
constexpr int kMinRegularStep = -50;
constexpr int kMaxRegularStep = 50;

struct TRegularStake {
    uint8_t CommentLen = 0;
    char Comment[255] = {};  // cp1251 bytes, CommentLen of them
    uint8_t UseLastDraw = 0;
    TCombination StartComb{};
    TCombination CurrentComb{};
    int32_t Step = 1;
    int32_t StakesMade = 0;

    // The comment as UTF-8, and back (cut to 255 cp1251 bytes; control characters become blanks).
    std::string CommentText() const;
    void SetCommentText(const std::string& utf8);
    bool operator==(const TRegularStake& other) const;
};

using TRegularStakes = std::vector<TRegularStake>;

// Raw bytes <-> record. ReadRegularStake returns false for a damaged record: a step outside
// -50..50, a UseLastDraw byte other than 0 and 1, or a combination that is not five different
// numbers of 1..50 (a regular of the previous draw may still have an empty, all-zero one).
void WriteRegularStake(const TRegularStake& rec, unsigned char out[kRegularStakeSize]);
bool ReadRegularStake(const unsigned char in[kRegularStakeSize], TRegularStake& rec);

// Velmora_5x50.ltb in the data folder.
std::string RegularStakeFileName();

// What a load found: the whole readable records in file order, and the 1-based positions of the
// records that could not be used (damaged, or the incomplete tail of the file).
struct TRegularLoad {
    TRegularStakes Stakes;
    std::vector<int> DamagedRows;
};
// Reads the file (a missing file is an empty list). The file itself is never changed here, so a
// damaged file keeps its bytes until the list is saved. A read error raises
// Error("Ошибка чтения файла регулярных ставок!\r\r%s").
TRegularLoad LoadRegularStakes(const std::string& fileName);
// The one message about the damaged records of a load (empty when there are none).
std::string RegularDamageMessage(const std::string& fileName, const std::vector<int>& rows);
// Rewrites the whole file atomically; errors raise Error("Ошибка записи в файл регулярных ставок!\r\r%s").
void SaveRegularStakes(const std::string& fileName, const TRegularStakes& stakes);

// Removes the entry, the rest moving up; out of range raises
// Error("Запись со индексом %d в файле данных не найдена!").
void DeleteRegularStake(TRegularStakes& stakes, int index);

// The next combination of a regular at the draws offset: the base (the numbers of the draw at list
// position `offset` when UseLastDraw, else CurrentComb) shifted by Step, each number wrapped once
// onto 1..50, sorted ascending. It becomes CurrentComb and StakesMade grows by one. A regular of
// the previous draw with no draw at that position raises Error.
TCombination NextRegularCombination(TRegularStake& regular, const TDrawsArchive& archive, int offset);

// The stake of a regular: kind 2, for the draw after the one at `offset`, its comment, unchecked,
// Sample the size of the combination list, the numbers CurrentComb, the cost as negative profit.
TStakeRecord RegularStakeRecord(const TRegularStake& regular, const TDrawsArchive& archive, int offset,
                                int32_t sample, const TConfigData& config);

// The list lvTables: five columns.
constexpr int kRegularListColumns = 5;
extern const std::array<const char*, kRegularListColumns> kRegularListCaptions;
// Comment; StartComb joined by ";"; Step; CurrentComb joined by ";"; StakesMade. An empty
// (all-zero) combination shows as an empty cell.
std::array<std::string, kRegularListColumns> RegularListCells(const TRegularStake& regular);

// ---- the add dialog -----------------------------------------------------------------------------

constexpr const char* kRegularDefaultComment = TrNoop("Регулярная ставка");  // shown through TrText
constexpr int kMaxRegularCommentLength = 64;  // characters

enum class TRegularField { Start, Comment, Step };
struct TRegularInputError : Error {
    TRegularInputError(TRegularField field, const std::string& message) : Error(message), Field(field) {}
    TRegularField Field;
};

// What the dialog gives.
struct TRegularInput {
    std::string Comment;
    bool UseLastDraw = false;
    std::string StartText;  // read only when the constant start is chosen and one combination was selected
    int Step = 1;
};

// The checks of OK in the dialog's order: the start text (with the constant start and exactly one
// selected combination: five different numbers of 1..50), the comment (not empty after trimming,
// at most 64 characters), no existing regular with the same comment ignoring case (also none with
// a comment "X (p)" this add would make from the selected positions), the step within -50..50.
// The result is the regular to add: the trimmed comment, UseLastDraw, Step, StartComb (sorted) and
// CurrentComb = StartComb when exactly one combination was selected, StakesMade 0.
TRegularStake AcceptRegularInput(const TRegularInput& input, const TRegularStakes& existing,
                                 const std::vector<int>& selectedPositions);

// The regulars an add appends: one (the previous draw, or exactly one selected combination), else
// one per selected combination (its 1-based position p in the combination list) with the comment
// followed by " (p)" and that combination as start and current combination. Nothing for the
// constant start without a selected combination.
struct TSelectedComb {
    int Position = 0;  // 1-based
    TCombination Comb{};
};
TRegularStakes NewRegularStakes(const TRegularStake& accepted, const std::vector<TSelectedComb>& selected);
// How many regular stakes NewRegularStakes makes from that many selected combinations.
size_t RegularStakesToMake(const TRegularStake& accepted, size_t selectedCount);
// Above this many new regular stakes the window asks first: each takes a record of the file and
// a row of the list.
constexpr size_t kManyRegularStakes = 10000;

// ---- the regular test ---------------------------------------------------------------------------

// Appends one stake; false ends the test (the failure was reported by the caller).
using TRegularAppend = std::function<bool(const TStakeRecord&)>;

struct TRegularTestResult {
    int Made = 0;          // stakes appended
    int OffsetsDone = 0;   // offsets finished
    bool Failed = false;   // an append failed
    bool Stopped = false;  // the user stopped between offsets
};

// The test over the last `count` draws: for offset = count down to 1 the archive's offset moves
// there, and every regular of `rows` (list indexes, in list order) makes its next stake through
// `append`. A regular advances only once its stake is appended, so the first failed append ends
// both loops with every regular as far as its stakes went. A stop request is honoured between
// offsets. The archive's offset is restored in every case (also when an error is raised). Status
// "Создание ставок по регулярным табличным ставкам...", the percent of offsets done.
// A count outside 1..draws - 1 or a row outside the list raises Error.
TRegularTestResult RunRegularTest(TRegularStakes& stakes, const std::vector<int>& rows, int count,
                                  TDrawsArchive& archive, int32_t sample, const TConfigData& config,
                                  const TRegularAppend& append, TProgressSink& progress);

} // namespace velmora
