// Value columns: the filter codes of every combination of the full set, kept per statistic and
// settings, so that a filter pass reads a combination's answer instead of computing its keys.
//
// A combination a < b < c < d < e of 1..50 is identified by its rank in the generation order
// (0 .. 2 118 759), computed from five small tables. The column holds, by rank, the id of the
// combination's set of filter codes (one byte, or two when there are more than 256 sets); a pass
// turns the per-code match table into a per-id one and then only gathers, tests and copies.
// Combinations that are not ascending within 1..50 (a file may hold any five bytes in any order)
// are tested the plain way.
//
// Columns are built on first use by a pass over enough combinations and kept in one cache for the
// process, least recently used first out, within kValueColumnCacheBytes. A column belongs to the
// class, its parameter and the settings that shape keys (matrix, channels, segments), and it also
// carries the codes of a fixed sample of combinations: an instance whose codes differ there
// (settings read when it was created) gets a column of its own.
#pragma once

#include "core/model/game.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Code that counts the bits of rank sets gets a variant for processors with the POPCNT
// instruction, chosen when the program is loaded (the baseline x86-64 counts in a library call).
// It marks the definitions only.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VELMORA_POPCNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define VELMORA_POPCNT_CLONES
#endif

namespace velmora {

class TCustomStat;
class TStatClass;

// ---- ranks ------------------------------------------------------------------------------

struct TRankTables {
    uint32_t H[5][256];  // the rank is the sum of H[i][n[i]] over the five positions (mod 2^32)
};
const TRankTables& RankTables();

// True with the rank when n is ascending within 1..50.
inline bool CombinationRank(const uint8_t* n, const TRankTables& t, uint32_t& rank) {
    const int32_t a = n[0], b = n[1], c = n[2], d = n[3], e = n[4];
    rank = t.H[0][a] + t.H[1][b] + t.H[2][c] + t.H[3][d] + t.H[4][e];
    // Every gap positive, the first number at least 1 and the last at most 50: no sign bit.
    return ((a - 1) | (b - a - 1) | (c - b - 1) | (d - c - 1) | (e - d - 1) | (kMaxNumber - e)) >= 0;
}

// Where the other numbers of a combination may lie around a group of its numbers.
constexpr int kAnywhere = -1;  // also between the group's numbers
constexpr int kOutside = -2;   // under or over the group, any number of each

// Sets in match (kRankWords words, see TRankSet) the rank of every ascending combination of 1..50
// that holds the ascending group t[0..k) (k 1..5, numbers of 1..50) with its other numbers placed
// as below says: kAnywhere, kOutside, or that many under t[0] and the rest over t[k-1].
void MarkCombinationsHolding(const uint8_t* t, int k, int below, uint64_t* match);

// ---- the column ---------------------------------------------------------------------------

class TValueColumn {
public:
    // Most codes one combination may emit, and most code sets a column may hold.
    static constexpr size_t kMaxCodesPerCombination = 16;
    static constexpr size_t kMaxSets = 65536;

    // 1 or 2 bytes per combination.
    int Width() const { return width_; }
    size_t SetCount() const { return setStart_.size() - 1; }
    size_t Bytes() const;

    // The per-set answer from a per-code match table (entries 0 or 1, indexed by code): 1 when a
    // code of the set matches.
    std::vector<uint8_t> SetMatches(const uint8_t* codeMatch) const;

    // On a set held as ranks (see TRankSet): clears the ranks of words whose answer equals delFlag.
    void FilterRanks(uint64_t* words, const uint8_t* setMatch, uint8_t delFlag) const;

    // Copies to dst the combinations of src whose answer differs from delFlag; plain(n) gives the
    // answer of a combination that has no rank.
    template <class Plain>
    size_t Filter(const TCombination* src, size_t count, TCombination* dst, const uint8_t* setMatch, uint8_t delFlag,
                  Plain&& plain) const {
        return width_ == 1 ? Run<uint8_t>(src, count, dst, setMatch, delFlag, plain)
                           : Run<uint16_t>(src, count, dst, setMatch, delFlag, plain);
    }

private:
    friend class TValueColumnBuilder;
    friend class TCodeBitmaps;
    template <class Id, class Plain>
    size_t Run(const TCombination* src, size_t count, TCombination* dst, const uint8_t* setMatch, uint8_t delFlag,
               Plain& plain) const {
        const TRankTables& t = RankTables();
        const Id* ids = reinterpret_cast<const Id*>(ids_.data());
        size_t k = 0;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* n = src[i].data();
            uint32_t r;
            const uint8_t m = CombinationRank(n, t, r) ? setMatch[ids[r]] : plain(n);
            // Written always, counted when it survives: no branch that guesses the answer
            // (k <= i, so writing in place never overwrites a combination not yet read).
            const TCombination c = src[i];
            dst[k] = c;
            k += m != delFlag ? 1 : 0;
        }
        return k;
    }

    int width_ = 1;
    std::vector<uint8_t> ids_;         // by rank, width_ bytes each
    std::vector<uint32_t> setStart_;   // the codes of set s: codes_[setStart_[s] .. setStart_[s+1])
    std::vector<uint16_t> codes_;
};

// The filter codes of one combination as they are emitted.
struct TCodeSink {
    uint32_t Bound = 0;  // codes are below it
    size_t N = 0;
    bool Over = false;   // a code out of bound, or too many codes
    uint16_t Codes[TValueColumn::kMaxCodesPerCombination];
    void Add(uint64_t code) {
        if (N < TValueColumn::kMaxCodesPerCombination && code < Bound) Codes[N++] = uint16_t(code);
        else Over = true;
    }
    void Clear() {
        N = 0;
        Over = false;
    }
};

// A set of combinations held as one bit per rank takes this many words.
constexpr size_t kRankWords = (size_t(kCombinationTotal) + 63) / 64;
// The ranks set in kRankWords words.
size_t CountRanks(const uint64_t* words);
// Clears the ranks of words that are in match (deleting) or are not (keeping).
void FilterRanksByMatch(uint64_t* words, const uint64_t* match, bool del);

// For a statistic whose combinations emit few different filter codes: per code, the bitmap of
// the ranks whose combination emits it. A pass over a set held as ranks then ORs the bitmaps of
// the matching codes, 64 combinations a word.
class TCodeBitmaps {
public:
    static constexpr size_t kMaxCodes = 64;
    size_t Bytes() const { return bits_.size() * kRankWords * sizeof(uint64_t) + slot_.size() * sizeof(int16_t); }
    // Clears the ranks of words whose answer (a code of the combination matches: codeMatch[code]
    // is 1) equals delFlag.
    void FilterRanks(uint64_t* words, const uint8_t* codeMatch, uint8_t delFlag) const;
    // Empty, for codes below codeBound: filled by Add in generation order, or from a column (null
    // when the column holds more than kMaxCodes different codes).
    explicit TCodeBitmaps(uint32_t codeBound) : slot_(codeBound, -1) {}
    static std::unique_ptr<TCodeBitmaps> FromColumn(const TValueColumn& column, uint32_t codeBound);
    // Sets the rank's bit in the bitmaps of the codes; false when a code would be one too many.
    bool Add(const uint16_t* codes, size_t n, uint32_t rank);

private:
    std::vector<int16_t> slot_;    // by code: its bitmap, -1 none
    std::vector<uint32_t> codes_;  // by bitmap: its code
    std::vector<std::vector<uint64_t>> bits_;  // by bitmap: kRankWords words
};

// Collects the codes of the full set in generation order: for each combination, the codes into
// Sink(), then End().
class TValueColumnBuilder {
public:
    explicit TValueColumnBuilder(uint32_t codeBound);
    TCodeSink& Sink() { return sink_; }
    void End();
    // The column, or null when a combination had too many codes or there were too many sets.
    std::unique_ptr<TValueColumn> Finish();

private:
    uint32_t Intern();
    bool failed_ = false;
    TCodeSink sink_;
    std::vector<uint16_t> ids_;
    std::vector<int32_t> single_;  // set id of a one-code set, by code; -1 none yet
    std::vector<uint32_t> slots_;  // open addressing over the other sets: id + 1, 0 empty
    std::unique_ptr<TValueColumn> col_;
};

// ---- the cache ----------------------------------------------------------------------------

// The bytes the cache may hold: with the three stores of the set (about 32 MB) and the full set
// that builds the columns (about 11 MB) the program stays well under 400 MB however many methods
// a script uses. A 2-byte column takes 4.2 MB, a 1-byte one 2.1 MB.
constexpr size_t kValueColumnCacheBytes = size_t(128) << 20;
// Passes over fewer combinations compute their keys.
constexpr size_t kValueColumnBuildMinimum = size_t(1) << 16;

// Codes of five numbers: emits every filter code of n into the sink.
using TCodesOf = std::function<void(const uint8_t* n, TCodeSink& sink)>;

// What a column belongs to: the method and its parameter, the bound of its codes, the settings
// its codes follow (a hash) and the codes of a fixed sample of combinations (a hash), so that an
// instance whose codes differ gets a column of its own.
struct TColumnKey {
    const TStatClass* Class = nullptr;
    int32_t Param = 0;
    uint32_t CodeBound = 0;
    uint64_t Settings = 0;
    uint64_t Probe = 0;
    int Kind = 0;  // 0 the column of record passes, 1 what rank passes read (TRankPassData), 2 the
                   // same for a statistic that reads earlier draws (DrawRankPassDataFor)
    uint64_t Draws = 0;  // Kind 2: the archive, the reference draw and the order the codes follow
    bool operator==(const TColumnKey&) const = default;
};

// Whether a pass reads the statistic's column. A method is tried once, on its first pass over
// enough combinations: that pass runs the plain way and is timed, the column is built, the same
// pass is run again from the column (same survivors) and timed, and the faster way is kept for
// the method from then on (a method whose keys are cheap computes them; the column's answer is
// the same either way).
struct TValueColumnUse {
    std::shared_ptr<const TValueColumn> Column;  // read the pass from it
    bool Trial = false;                           // time the plain pass, then TryValueColumn
    TColumnKey Key;
};
TValueColumnUse ValueColumnFor(const TCustomStat& stat, uint32_t codeBound, size_t count, const TCodesOf& codesOf,
                               bool trialAllowed);
// Builds the column, times columnPass on it and keeps it when it takes under 70 % of plainSeconds (always
// when the column is forced); the method is not tried again either way.
void TryValueColumn(const TValueColumnUse& use, const TCodesOf& codesOf, double plainSeconds,
                    const std::function<void(const TValueColumn&)>& columnPass);

// What a pass over a set held as ranks reads: the code bitmaps of a statistic whose full set emits
// at most TCodeBitmaps::kMaxCodes different codes, else its column; both null when its codes fit
// neither. Built on first use whatever the timings (on ranks no plain pass is cheaper) and kept in
// the same cache.
struct TRankPassData {
    std::shared_ptr<const TCodeBitmaps> Bitmaps;
    std::shared_ptr<const TValueColumn> Column;
    // Clears the ranks of words whose answer (a code of the combination matches: codeMatch[code]
    // is 1) equals delFlag, from the bitmaps or the column; false when there is neither.
    bool FilterRanks(uint64_t* words, const uint8_t* codeMatch, uint8_t delFlag) const;
};
TRankPassData RankPassDataFor(const TCustomStat& stat, uint32_t codeBound, const TCodesOf& codesOf);

// The same for a statistic whose codes may follow the draws loaded for the pass (the reference
// draw, a period): kept per archive, reference draw and order as well, so it is worth building only
// when passes on the same draw repeat, as the variants of a script line do. It is built once the
// earlier passes of the key have tested about as many combinations one by one as building costs
// (three full sets: at most about twice the work of testing them all so), at once when columns are
// forced; until then both are null and the caller tests the combinations of words, the set of this
// pass, one by one.
// salt stands for what else the codes follow that the settings do not hold (a formula).
TRankPassData DrawRankPassDataFor(const TCustomStat& stat, uint32_t codeBound, const TCodesOf& codesOf, int lastIndex,
                                  bool sorted, const uint64_t* words, uint64_t salt = 0);

// The seconds the call takes (the timings of the trial).
template <class F>
double SecondsOf(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The build minimum in force: passes over fewer combinations neither build nor read a column
// (the look-up would cost about what such a pass costs).
size_t ValueColumnBuildMinimum();

// For tests: the cache bound and the build minimum (returning the old value), the bytes held and
// the number of columns, and dropping every column.
size_t SetValueColumnCacheBytes(size_t bytes);
size_t SetValueColumnBuildMinimum(size_t count);
// For tests: every column tried is kept, whatever the timings (returns the old setting).
bool SetValueColumnForced(bool forced);
size_t ValueColumnCacheBytes();
size_t ValueColumnCount();
void ClearValueColumns();

} // namespace velmora
