// The ratings: the results of checked stakes accumulated per stake comment (a script stake's
// comment names the script line, the variant and its filters), compared with pure chance. One
// entry per distinct comment, compared ignoring case; the entries survive the deletion of the
// stakes because they live in their own file (rating_file.h).
//
// Record layout (296 bytes, little-endian, written field by field):
//     0 Comment: a length byte then 255 cp1251 bytes
//   256 Stakes (u32)   260 MatchedTotal (u32)   264 ByMatches: six u32 (0 .. 5 matched numbers)
//   288 Profit (i64, ten-thousandths)
#pragma once

#include "core/stakes/stake_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace velmora {

constexpr size_t kRatingRecordSize = 296;
constexpr int kRatingMatchKinds = kNumberCount + 1;  // 0 .. 5 matched numbers

struct TRatingRecord {
    std::string Comment;  // UTF-8; at most 255 bytes once in cp1251
    uint32_t Stakes = 0;
    uint32_t MatchedTotal = 0;
    std::array<uint32_t, kRatingMatchKinds> ByMatches = {};
    int64_t Profit = 0;

    bool operator==(const TRatingRecord&) const = default;
};

void WriteRatingRecord(const TRatingRecord& rec, unsigned char out[kRatingRecordSize]);
void ReadRatingRecord(const unsigned char in[kRatingRecordSize], TRatingRecord& rec);

// The entries in display order, with an index of the comments (ignoring case) so that merging a
// stake does not scan the whole list. Two entries whose comments differ only in case (a file
// written by hand) are kept; the first of them is the one stakes merge into.
class TRatingsArray {
public:
    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const TRatingRecord& operator[](size_t i) const { return items_[i]; }
    std::vector<TRatingRecord>::const_iterator begin() const { return items_.begin(); }
    std::vector<TRatingRecord>::const_iterator end() const { return items_.end(); }
    const std::vector<TRatingRecord>& Items() const { return items_; }

    void clear();
    void push_back(TRatingRecord rec);
    // The first entry whose comment equals `comment` ignoring case; -1 when there is none.
    int IndexOfComment(const std::string& comment) const;
    // The entries in a new order (the same entries); the index follows.
    void Reorder(std::vector<TRatingRecord> items);
    TRatingRecord& Mutable(size_t i) { return items_[i]; }

private:
    std::vector<TRatingRecord> items_;
    std::unordered_map<std::string, int> index_;  // lower-case comment -> first entry
};

// Merges one checked stake: a stake whose Matched.Count is negative (unchecked) or above 5 (a
// damaged record) is ignored. The entry of its comment (ignoring case, the first one) counts the
// stake; a new comment appends an entry that keeps the stake's letter case. Sums stop at the ends
// of their ranges instead of wrapping. Returns false when the stake was ignored.
bool AddRating(TRatingsArray& ratings, const TStakeRecord& stake);

// The chance table: N_i combinations of 5 of 50 share exactly i numbers with a draw, p_i = N_i / T.
struct TChanceTable {
    std::array<uint32_t, kRatingMatchKinds> N = {};
    std::array<double, kRatingMatchKinds> P = {};
    uint32_t Total = 0;  // T = CombinationCount(50, 5)
};
const TChanceTable& ChanceTable();

// True when an entry's counts cannot come from checked stakes: a count that reads as negative in
// 32 signed bits, or per-match counts that do not add up to Stakes. Such an entry shows "# bad
// data #", sorts as equal to everything and gets no "p".
bool RatingEntryDamaged(const TRatingRecord& rec);

// Up to this many stakes MatchTailProbability is exact; beyond it, the saddle-point form.
constexpr uint32_t kExactMatchTailStakes = 4000;

// The probability that s stakes drawn at random match at least `matched` numbers in total: the
// upper tail of the sum of s independent match counts, each distributed as the chance table says.
// Up to kExactMatchTailStakes the distribution of the sum is built exactly by convolution (powers
// of the one-stake distribution by repeated squaring; terms below 1e-40 of the largest are dropped
// as they go, which changes the result by less than 1e-30). Beyond it the work of the convolution
// grows with s, so the tail comes from the saddle-point approximation of Lugannani and Rice with
// the continuity correction of a lattice sum (MatchTailSaddlePoint), whose relative error there
// is far below the four decimals shown. 1 for matched = 0, and for s = 0.
double MatchTailProbability(uint32_t s, uint32_t matched);
// The saddle-point tail alone (any s), in constant time.
double MatchTailSaddlePoint(uint32_t s, uint32_t matched);
// MatchTailProbability remembered per (s, matched): rows often share their counts.
class TMatchTailCache {
public:
    double Get(uint32_t s, uint32_t matched);
    void clear() { known_.clear(); }

private:
    std::unordered_map<uint64_t, double> known_;
};

// The list lvRatings: "Комментарий", "Ставок", "Угадано", "Среднее", "Профит", "Ср. профит",
// "0" .. "5", "E0" .. "E5", and after them the computed "p".
enum TRatingColumn {
    rcComment = 0, rcStakes, rcMatched, rcAverage, rcProfit, rcAvgProfit,
    rcMatch0 = 6, rcEff0 = 12, rcP = 18
};
constexpr int kRatingColumnCount = 19;
// The columns of the product's ratings list without "p" (the CSV header has these).
constexpr int kRatingFileColumnCount = 18;
extern const std::array<const char*, kRatingColumnCount> kRatingCaptions;
// The hint of the "p" column.
extern const char* const kRatingPHint;
// The alignment of a column: -1 left, 0 centred, 1 right.
int RatingColumnAlign(int column);

// The shown modes of the columns E0 .. E5 ("RatingsEffMode").
enum TRatingEffMode { remExpected = 0, remAbsolute = 1, remRelative = 2 };
constexpr int kDefaultRatingEffMode = remAbsolute;
constexpr const char* kBadRatingData = "# bad data #";

// The texts of an entry's cells. Averages, E columns and p are empty when Stakes is 0. When a
// value cannot be formatted (an unknown mode among them) the comment cell becomes "# bad data #"
// and the other cells are empty.
std::array<std::string, kRatingColumnCount> RatingCells(const TRatingRecord& rec, int mode,
                                                       TMatchTailCache* cache = nullptr);

// The comparison of SortRatings for list column `column` (a - b: negative, 0, positive). Entries
// with no stakes compare equal to everything; the average and profit columns compare their
// difference rounded to hundredths (differences under 0.01 are ties); "p" compares the
// probabilities themselves; the E columns always compare equal.
int CompareRatings(const TRatingRecord& a, const TRatingRecord& b, int column);
// Comments in the locale's alphabetical order, case-sensitive: letters by their lower case
// (Cyrillic "ё" right after "е"), the lower-case letter first when they differ only in case.
int CompareLocaleText(const std::string& a, const std::string& b);

// Sorts in place with the product's quicksort (the middle entry as pivot, not stable). Entries
// that compare equal are never swapped, so a column whose entries all compare equal keeps the
// order; a comparison that is not a consistent order (entries with no stakes) never leaves the
// array. Nothing happens for column < 0 or fewer than two entries.
void SortRatingsArray(TRatingsArray& ratings, int column, bool descending);

} // namespace velmora
