// "The group of a number": channels (blocks of consecutive numbers), matrix columns, matrix rows
// and segments (a user map) all sort the numbers 1..50 into numbered groups, and their
// statistics share one rule each, parameterised by the kind of group:
//
//   TGroupsStat       the group of each number (CHAN, COLS, ROWS, SGMS)
//   TGroupValuesStat  (group, how many numbers in it) for every group, empty ones included
//                     (CHNV, COLV, ROWV, SGMV)
//   TGroupCountStat   how many different groups the numbers use (CHNC, COLN, ROWN, SGMC)
//   TGroupTupleStat   tuples of the groups of k positions, all position sets or neighbouring
//                     ones (KCM/KCS, KFM/KFS, KRM/KRS, KGM/KGS)
//   TGroupValCntStat  how many numbers lie in the group of the parameter (CHN%d, COL%d, ROW%d,
//                     SGM%d)
//
// A kind is a small struct: `static TNumberGroups Groups(const TConfigData&)`, the group
// number `kGroup`, and switches for its texts and domains (see TChannelKind in channel_stats.h).
// A statistic copies the groups of the settings when it is created.
#pragma once

#include "core/stats/stat_config.h"
#include "core/stats/stat_framework.h"
#include "core/stats/stat_kernel.h"
#include "core/stats/stat_list.h"

#include <array>
#include <cstdint>
#include <string>

namespace velmora {

struct TNumberGroups {
    std::array<uint8_t, 256> Of{};     // the group of every byte value; 0 = none (the byte 0)
    std::array<uint8_t, 50> Order{};   // the groups of 1..50 in order of first appearance
    int Count = 0;                     // entries of Order
    int Size = 0;                      // cells of a full group (channel width, column height ...)
    int Width = 0;                     // the setting the groups come from (channel width, W)
};

// Channels of width w: CeilDiv(n, w). Widths below 1 count as 1.
TNumberGroups ChannelGroups(int width);
// Columns and rows of the matrix of `cols` columns filled row by row (cols clamped to 1..50).
TNumberGroups ColumnGroups(int cols);
TNumberGroups RowGroups(int cols);
// Segments of a map (entry n-1 is the segment of n); bytes outside 1..50 have no segment.
TNumberGroups SegmentGroups(const std::array<uint8_t, 50>& map);

// "03 [11-15]": the channel and its bounds w*(c-1)+1 .. w*c.
std::string ChannelText(int channel, int width);
// "1:1:4".
std::string TupleText(const TStatValueRec& rec, int k);

// ---- the group of each number ------------------------------------------------------------------

template <class Self, class Kind>
class TGroupsStat : public TKeyStat<Self, TCustomNumbersStat> {
public:
    using TKeyStat<Self, TCustomNumbersStat>::TKeyStat;
    static constexpr int GetGroup() { return Kind::kGroup; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    std::string ValueToText(const TStatValueRec& rec) const override {
        if constexpr (Kind::kChannelText) return ChannelText(rec.Key.K[0], groups_.Width);
        return IntToText(rec.Key.K[0]);
    }
    // Channels: the first blank-separated word ("01 [1-5]" gives 1).
    int32_t TextToValue(const std::string& text) const override {
        if constexpr (Kind::kChannelText) return TCustomStat::TextToValue(text.substr(0, text.find(' ')));
        return TCustomStat::TextToValue(text);
    }

    static constexpr uint32_t kCodes = 256;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        const auto& of = groups_.Of;
        for (int i = 0; i < 5; ++i) out(of[n[i]]);
    }
    // Channels look the channel up as the low byte of Key[0].
    bool CodeMatches(uint64_t code, const TStatDrawArray& selected) const {
        if constexpr (Kind::kChannelText) return this->HasKeyByte(selected, 1, uint8_t(code));
        return this->HasKeyWord(selected, 1, uint16_t(code));
    }
    template <class Out>
    void Domain(Out&& out) const {
        for (int j = 0; j < groups_.Count; ++j) out(groups_.Order[size_t(j)]);
    }

protected:
    TNumberGroups groups_ = Kind::Groups(this->Config());
};

// ---- (group, count) for every group ------------------------------------------------------------

template <class Self, class Kind>
class TGroupValuesStat : public TKeyStat<Self, TCustomNumbersStat> {
public:
    using TKeyStat<Self, TCustomNumbersStat>::TKeyStat;
    static constexpr int GetGroup() { return Kind::kGroup; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }
    static constexpr bool HasValueList() { return false; }

    // "01 [1-5] x 2" (channels), "3 x 2".
    std::string ValueToText(const TStatValueRec& rec) const override {
        std::string group = Kind::kChannelText ? ChannelText(rec.Key.K[0], groups_.Width) : IntToText(rec.Key.K[0]);
        return group + " x " + IntToText(rec.Key.K[1]);
    }

    // A key is (group, count), coded group * 6 + count (a count is at most 5).
    static constexpr uint32_t kCodes = 256 * 6;
    TStatKey KeyOf(uint64_t code) const { return WordKey(uint16_t(code / 6), uint16_t(code % 6)); }
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        const auto& of = groups_.Of;
        const uint8_t g0 = of[n[0]], g1 = of[n[1]], g2 = of[n[2]], g3 = of[n[3]], g4 = of[n[4]];
        for (int j = 0; j < groups_.Count; ++j) {
            const uint8_t g = groups_.Order[size_t(j)];
            out(uint32_t(g) * 6 + (g0 == g) + (g1 == g) + (g2 == g) + (g3 == g) + (g4 == g));
        }
    }
    // Every group with every count from 0 to min(cells of a group, 5); none for segments.
    template <class Out>
    void Domain(Out&& out) const {
        if constexpr (Kind::kDomains) {
            const int top = groups_.Size < 5 ? groups_.Size : 5;
            for (int j = 0; j < groups_.Count; ++j)
                for (int c = 0; c <= top; ++c) out(uint32_t(groups_.Order[size_t(j)]) * 6 + uint32_t(c));
        }
    }

protected:
    TNumberGroups groups_ = Kind::Groups(this->Config());
};

// ---- how many different groups -----------------------------------------------------------------

inline uint32_t DistinctOf5(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint8_t e) {
    return 1u + (b != a) + (c != a && c != b) + (d != a && d != b && d != c) +
           (e != a && e != b && e != c && e != d);
}

template <class Self, class Kind>
class TGroupCountStat : public TKeyStat<Self, TCustomGraphStat> {
public:
    using TKeyStat<Self, TCustomGraphStat>::TKeyStat;
    static constexpr int GetGroup() { return Kind::kGroup; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    static constexpr uint32_t kCodes = 6;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    uint32_t Key(const uint8_t* n) const {
        const auto& of = groups_.Of;
        return DistinctOf5(of[n[0]], of[n[1]], of[n[2]], of[n[3]], of[n[4]]);
    }
    // 1 .. min(number of groups, 5); none for segments.
    template <class Out>
    void Domain(Out&& out) const {
        if constexpr (Kind::kDomains)
            for (int v = 1; v <= groups_.Count && v <= 5; ++v) out(v);
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return int32_t(Key(comb.data())); }

protected:
    TNumberGroups groups_ = Kind::Groups(this->Config());
};

// ---- tuples of groups ----------------------------------------------------------------------------

// The position sets of the tuples of k positions: every set in lexicographic order (Mix) or the
// neighbouring ones (Seq).
template <int K, bool Mix>
struct TTuplePositions {
    static constexpr int kCount = Mix ? (K == 2 ? 10 : K == 3 ? 10 : 5) : 5 - K + 1;
    static constexpr std::array<std::array<uint8_t, 4>, 10> Make() {
        std::array<std::array<uint8_t, 4>, 10> sets{};
        int s = 0;
        if (!Mix) {
            for (int w = 0; w + K <= 5; ++w, ++s)
                for (int j = 0; j < K; ++j) sets[size_t(s)][size_t(j)] = uint8_t(w + j);
            return sets;
        }
        // Subsets of {0..4} as bit patterns, read in lexicographic order of their positions.
        std::array<uint8_t, 4> cur{};
        for (int j = 0; j < K; ++j) cur[size_t(j)] = uint8_t(j);
        while (true) {
            sets[size_t(s++)] = cur;
            int j = K - 1;
            while (j >= 0 && cur[size_t(j)] == 5 - K + j) --j;
            if (j < 0) break;
            ++cur[size_t(j)];
            for (int t = j + 1; t < K; ++t) cur[size_t(t)] = uint8_t(cur[size_t(t - 1)] + 1);
        }
        return sets;
    }
    static constexpr std::array<std::array<uint8_t, 4>, 10> kSets = Make();
};

template <class Self, class Kind, int K, bool Mix>
class TGroupTupleStat : public TKeyStat<Self, TCustomStat> {
public:
    using TKeyStat<Self, TCustomStat>::TKeyStat;
    static constexpr int GetGroup() { return Kind::kGroup; }
    static constexpr uint8_t ClassFlags() { return kFlagS; }
    static constexpr bool HasValueList() { return false; }

    std::string ValueToText(const TStatValueRec& rec) const override { return TupleText(rec, K); }

    // A combination's tuples are not collected, though the filter tests them; keys are the
    // tuples themselves (packed), each merged with gap tracking.
    static constexpr bool kCombinationValues = false;
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        const auto& of = groups_.Of;
        const uint8_t g[5] = {of[n[0]], of[n[1]], of[n[2]], of[n[3]], of[n[4]]};
        for (int s = 0; s < TTuplePositions<K, Mix>::kCount; ++s) {
            const auto& p = TTuplePositions<K, Mix>::kSets[size_t(s)];
            uint64_t code = 0;
            for (int j = 0; j < K; ++j) code |= uint64_t(g[p[size_t(j)]]) << (16 * j);
            out(code);
        }
    }

    // The selected tuples as a bit table over the groups of 1..50, built once per pass; a tuple
    // with a number outside 1..50 is looked up in the selected list.
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool, int) override {
        TStatBatchScope scope(*this, nullptr, &selected);
        const bool include = IsDelete(action);
        const TDenseGroups dense = DenseGroups();
        std::vector<uint64_t> table(size_t(dense.Size / 64 + 1), 0);
        SelectedCodes(selected, dense, [&](uint64_t code) { table[size_t(code >> 6)] |= uint64_t(1) << (code & 63); });
        size_t k = 0;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* n = src[i].data();
            bool m = false;
            if (!dense.Codes(n, [&](uint64_t code) { return m = (table[size_t(code >> 6)] >> (code & 63)) & 1; }))
                m = this->Matches(n, selected);
            if (m != include) dst[k++] = src[i];
        }
        return k;
    }

    // On ranks, while the codes of the tuples stay 16-bit: from the bitmaps or the column of the
    // tuples (the groups follow the settings alone).
    bool FilterRanks(uint64_t* words, const TStatDrawArray& selected, TFilterAction action, bool, int,
                     size_t) override {
        const TDenseGroups dense = DenseGroups();
        if (dense.Size > 65536) return false;
        std::vector<uint8_t> match(size_t(dense.Size), 0);
        SelectedCodes(selected, dense, [&](uint64_t code) { match[size_t(code)] = 1; });
        // A number of 1..50 in no group (its tuples are looked up in the list) fits neither.
        const TRankPassData data = RankPassDataFor(*this, uint32_t(dense.Size), [&dense](const uint8_t* n, TCodeSink& sink) {
            if (!dense.Codes(n, [&](uint64_t code) { return sink.Add(code), false; })) sink.Over = true;
        });
        const uint8_t del = IsDelete(action) ? 1 : 0;
        return data.FilterRanks(words, match.data(), del);
    }

protected:
    // Dense indexes of the groups (1 .. Count) and the codes of tuples over them: the index of
    // position j times Base^j, all below Size.
    struct TDenseGroups {
        std::array<uint16_t, 256> OfGroup{};   // by group id; 0 for none
        std::array<uint16_t, 256> OfNumber{};  // by number of 1..50; 0 for any other byte
        uint64_t Base = 1, Size = 1;
        // Calls f(code) for each tuple of n while f returns false; false when n has a byte
        // outside 1..50.
        template <class F>
        bool Codes(const uint8_t* n, F&& f) const {
            const uint16_t d[5] = {OfNumber[n[0]], OfNumber[n[1]], OfNumber[n[2]], OfNumber[n[3]], OfNumber[n[4]]};
            if (!(d[0] && d[1] && d[2] && d[3] && d[4])) return false;
            for (int s = 0; s < TTuplePositions<K, Mix>::kCount; ++s) {
                const auto& p = TTuplePositions<K, Mix>::kSets[size_t(s)];
                uint64_t code = 0, mul = 1;
                for (int j = 0; j < K; ++j) {
                    code += d[p[size_t(j)]] * mul;
                    mul *= Base;
                }
                if (f(code)) break;
            }
            return true;
        }
    };
    TDenseGroups DenseGroups() const {
        TDenseGroups g;
        g.Base = uint64_t(groups_.Count) + 1;
        for (int j = 0; j < groups_.Count; ++j) g.OfGroup[groups_.Order[size_t(j)]] = uint16_t(j + 1);
        for (int j = 0; j < K; ++j) g.Size *= g.Base;
        for (int n = kMinNumber; n <= kMaxNumber; ++n) g.OfNumber[size_t(n)] = g.OfGroup[groups_.Of[size_t(n)]];
        return g;
    }
    // Calls f(code) for every selected tuple of groups of 1..50.
    template <class F>
    void SelectedCodes(const TStatDrawArray& selected, const TDenseGroups& g, F&& f) const {
        for (const auto& e : selected) {
            bool fits = true;
            uint64_t code = 0, mul = 1;
            for (int j = 0; j < 4; ++j) {
                const uint16_t v = e.Key.K[j];
                if (j < K) {
                    const uint16_t d = v < 256 ? g.OfGroup[v] : 0;
                    fits = fits && d != 0;
                    code += d * mul;
                    mul *= g.Base;
                } else {
                    fits = fits && v == 0;
                }
            }
            if (fits) f(code);
        }
    }

    TNumberGroups groups_ = Kind::Groups(this->Config());
};

// ---- how many numbers in the group of the parameter --------------------------------------------

template <class Self, class Kind>
class TGroupValCntStat : public TKeyStat<Self, TCustomGraphStat> {
public:
    using TKeyStat<Self, TCustomGraphStat>::TKeyStat;
    static constexpr int GetGroup() { return Kind::kGroup; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }
    static constexpr bool HasParam() { return true; }

    static constexpr uint32_t kCodes = 6;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    // The count in group Param; 0 for a parameter that names no group.
    struct TIn : TOneKeyRule<TIn> {
        const uint8_t* Of = nullptr;
        int Group = -1;
        uint32_t Key(const uint8_t* n) const {
            return uint32_t((Of[n[0]] == Group) + (Of[n[1]] == Group) + (Of[n[2]] == Group) + (Of[n[3]] == Group) +
                             (Of[n[4]] == Group));
        }
    };
    uint32_t Key(const uint8_t* n) const { return in_.Key(n); }
    TIn PassRule() const { return in_; }
    // 1 .. cells of a group (0 is not listed); none for segments.
    template <class Out>
    void Domain(Out&& out) const {
        if constexpr (Kind::kDomains)
            for (int v = 1; v <= groups_.Size; ++v) out(v);
    }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return int32_t(Key(comb.data())); }

protected:
    TNumberGroups groups_ = Kind::Groups(this->Config());
    TIn in_{{}, groups_.Of.data(), this->Param >= 1 && this->Param <= 255 ? int(this->Param) : -1};
};

} // namespace velmora
