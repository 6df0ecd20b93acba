// The kernel of a statistic: a class states its rule once — the keys of five numbers, the keys of
// a draw where they differ (reference draw, predecessor), the value domain, and how the filter
// test looks a key up — and TKeyStat derives from it the operations (ListAllValues,
// AddCombinationValue, AddDrawValue, CombinationMatches, the two batch entry points and the pass
// on a set held as ranks) with tight loops: a match table per key built once per filter pass,
// direct-index counting of keys for the full-set distribution, per-code bitmaps or a value column
// for a pass on ranks. A class that sets state of its own for a pass (in FilterCombinations)
// sets it in FilterRanks as well. The rule is reached through the concrete class (CRTP), so the
// key functions inline into the loops; no virtual call per combination.
//
// Rule members (a class hides the defaults of TKeyStat with its own; all public):
//
//   uint32_t Key(const uint8_t* n) const            the one key of five numbers, or
//   template <class Out> void Keys(const uint8_t* n, Out&& out) const
//                                                   out(key) for each key, in merge order
//   static constexpr uint32_t kCodes                keys of five numbers (and filter codes) are
//                                                   below this for ANY five bytes: direct tables.
//                                                   0 = keys are packed 64-bit TStatKeys (wide
//                                                   keys: hashed look-ups, no direct tables)
//   static constexpr TKeyMatch kMatch               the filter's look-up of a key (default Key)
//   TStatKey KeyOf(uint64_t code) const             the value key of a code (default: the code in
//                                                   the 32-bit half Key[0..1]; wide: unpacked)
//   template <class Out> void Domain(Out&& out) const
//                                                   ListAllValues: out(key) per domain value; without
//                                                   it the base's ListAllValues runs
//   static constexpr bool kCombinationValues       false: a combination alone has no value (flag D
//                                                   statistics); AddCombinationValue only clears
//   template <class Out> void DrawKeys(int index, Out&& out)
//                                                   the keys of draw index (Draw is loaded, RefDraw
//                                                   too for flag D); default Keys(Draw.Numbers)
//   static constexpr bool kGapsOnFirstKey          only the first key of a draw tracks gaps
//   template <class Out> void FilterCodes(const uint8_t* n, Out&& out) const
//                                                   the codes the filter test looks up (default
//                                                   Keys); any emission of the same set will do
//   bool CodeMatches(uint64_t code, const TStatDrawArray& selected) const
//                                                   whether a code passes the test (default: the
//                                                   kMatch look-up of KeyOf(code)); called once per
//                                                   code and pass by the batch filter
//   void PrepareFilter(bool sorted, int lastIndex)  before a filter test (a pass or a plain call),
//                                                   e.g. LoadDraw(lastIndex, lastIndex, sorted)
//   PassRule() const                                what the batch loops call Keys and FilterCodes
//                                                   on: the statistic itself by default; a class
//                                                   whose keys read instance fields (the parameter)
//                                                   returns a small copy of them (a TOneKeyRule), so
//                                                   that the loops keep them in registers instead of
//                                                   reading them after every store
//
// `out` takes a code (an integer, turned into a key by KeyOf) or a ready TStatKey (draw keys and
// domain values that are not codes, e.g. two halves or signed values: DwordKey, WordKey).
#pragma once

#include "core/model/filter_action.h"
#include "core/stats/stat_framework.h"
#include "core/stats/stat_index.h"
#include "core/stats/stat_runs.h"
#include "core/stats/value_columns.h"

#include <bit>
#include <cstring>
#include <type_traits>
#include <vector>

namespace velmora {

// How the filter test looks a key up among the selected values.
enum class TKeyMatch : uint8_t {
    Key,     // all four components (HasValue, HasValuePair)
    Word1,   // Key[0] alone (HasKeyWord 1)
    Dword1,  // the 32-bit half Key[0..1] (HasKeyDword 1)
    Dword2,  // the 32-bit half Key[2..3] (HasKeyDword 2)
};

inline TStatKey WordKey(uint16_t k0, uint16_t k1 = 0, uint16_t k2 = 0, uint16_t k3 = 0) {
    TStatKey k;
    k.K[0] = k0;
    k.K[1] = k1;
    k.K[2] = k2;
    k.K[3] = k3;
    return k;
}

// Two 32-bit halves; signed values as two's complement.
inline TStatKey DwordKey(int64_t lo, int64_t hi = 0) {
    TStatKey k;
    k.SetDword(0, uint32_t(lo));
    k.SetDword(1, uint32_t(hi));
    return k;
}

// Copies src to dst (which may be src) whole for keep = true, nothing otherwise; the count copied.
inline size_t CopyAllOrNone(const TCombination* src, size_t count, TCombination* dst, bool keep) {
    if (!keep) return 0;
    if (dst != src && count > 0) std::memmove(dst, src, count * sizeof(TCombination));
    return count;
}

// The loop-side copy of a one-key rule (see PassRule): R has `uint32_t Key(const uint8_t*) const`.
template <class R>
struct TOneKeyRule {
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        out(static_cast<const R&>(*this).Key(n));
    }
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        Keys(n, out);
    }
};

template <class Self, class Base>
class TKeyStat : public Base {
public:
    using Base::Base;

    // ---- rule defaults ---------------------------------------------------------------------
    static constexpr uint32_t kCodes = 0;
    static constexpr TKeyMatch kMatch = TKeyMatch::Key;
    static constexpr bool kCombinationValues = true;
    static constexpr bool kGapsOnFirstKey = false;

    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        out(self().Key(n));
    }
    template <class Out>
    void DrawKeys(int, Out&& out) {
        self().Keys(this->Draw.Numbers, out);
    }
    template <class Out>
    void FilterCodes(const uint8_t* n, Out&& out) const {
        self().Keys(n, out);
    }
    TStatKey KeyOf(uint64_t code) const {
        TStatKey k;
        if constexpr (Self::kCodes > 0)
            k.SetDword(0, uint32_t(code));
        else
            std::memcpy(k.K, &code, sizeof code);
        return k;
    }
    bool CodeMatches(uint64_t code, const TStatDrawArray& selected) const {
        const TStatKey k = self().KeyOf(code);
        switch (Self::kMatch) {
            case TKeyMatch::Key: return this->HasValue(selected, k.K[0], k.K[1], k.K[2], k.K[3]);
            case TKeyMatch::Word1: return this->HasKeyWord(selected, 1, k.K[0]);
            case TKeyMatch::Dword1: return this->HasKeyDword(selected, 1, k.Dword(0));
            case TKeyMatch::Dword2: return this->HasKeyDword(selected, 2, k.Dword(1));
        }
        return false;
    }
    void PrepareFilter(bool, int) {}
    const Self& PassRule() const { return self(); }

    // ---- the derived operations -------------------------------------------------------------
    void ListAllValues(int lastIndex, TStatDrawArray& list) override {
        if constexpr (requires(const Self& s, TSink o) { s.Domain(o); }) {
            this->ClearValue();
            self().Domain([&](auto v) {
                this->Value.Key = ToKey(v);
                this->AddValue(list, false);
            });
        } else {
            Base::ListAllValues(lastIndex, list);
        }
    }

    void AddCombinationValue(const TCombination& comb, TStatDrawArray& list) override {
        TCustomStat::AddCombinationValue(comb, list);
        if constexpr (Self::kCombinationValues)
            self().Keys(comb.data(), [&](auto v) {
                this->Value.Key = ToKey(v);
                this->AddValue(list, false);
            });
    }

    void AddDrawValue(int index, int lastIndex, TLastValueArray& lastValues, TSeriesArea& series,
                      TStatDrawArray& list, bool sorted) override {
        TCustomStat::AddDrawValue(index, lastIndex, lastValues, series, list, sorted);
        bool first = true;
        self().DrawKeys(index, [&](auto v) {
            this->Value.Key = ToKey(v);
            this->AddValue(list, first || !Self::kGapsOnFirstKey);
            first = false;
        });
    }

    bool CombinationMatches(const TCombination& comb, const TStatDrawArray& selected, bool, bool sorted,
                            int lastIndex) override {
        self().PrepareFilter(sorted, lastIndex);
        return Matches(comb.data(), selected);
    }

    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        if constexpr (!Self::kCombinationValues) {
            // Nothing to merge; the statistic is left as the plain calls leave it.
            if (count > 0) TCustomStat::AddCombinationValue(combs[count - 1], list);
        } else if constexpr (Self::kCodes > 0) {
            static_assert(Self::kCodes <= 65536, "direct codes are 16-bit");
            const Self& s = self();
            decltype(auto) rule = s.PassRule();
            TKeyCounter counter(Self::kCodes);
            for (size_t i = 0; i < count; ++i) rule.Keys(combs[i].data(), [&](auto code) { counter.Add(uint16_t(code)); });
            counter.MergeInto(list, [&](uint16_t code) { return s.KeyOf(code); });
        } else {
            TStatBatchScope scope(*this, &list, nullptr);
            for (size_t i = 0; i < count; ++i) TKeyStat::AddCombinationValue(combs[i], list);
        }
    }

    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst,
                              const TStatDrawArray& selected, TFilterAction action, bool sorted,
                              int lastIndex) override {
        Self& s = self();
        s.PrepareFilter(sorted, lastIndex);
        const bool del = IsDelete(action);
        size_t k = 0;
        if constexpr (Self::kCodes > 0) {
            std::vector<uint8_t> table;
            // No code matches: every combination answers false.
            if (!MatchTable(selected, table)) return CopyAllOrNone(src, count, dst, del);
            // Entries are 0 or 1, and so is their OR: a combination survives when it differs
            // from the deleting flag.
            const uint8_t* match = table.data();
            const uint8_t delFlag = del ? 1 : 0;
            decltype(auto) rule = s.PassRule();
            auto plain = [&](const uint8_t* n) {
                uint8_t m = 0;
                rule.FilterCodes(n, [&](auto code) { m |= match[code]; });
                return m;
            };
            auto plainPass = [&] {
                for (size_t i = 0; i < count; ++i)
                    if (plain(src[i].data()) != delFlag) dst[k++] = src[i];
            };
            if constexpr (kColumnRule) {
                // Codes that follow from the five numbers alone: read them from the column.
                if (count >= ValueColumnBuildMinimum()) {
                    auto columnPass = [&](const TValueColumn& column) {
                        const std::vector<uint8_t> setMatch = column.SetMatches(match);
                        return column.Filter(src, count, dst, setMatch.data(), delFlag, plain);
                    };
                    const TCodesOf codesOf = RuleCodes(rule);
                    // The trial runs the pass twice from src: not when the pass writes over it.
                    const bool overlap = dst < src + count && src < dst + count;
                    const TValueColumnUse use = ValueColumnFor(*this, Self::kCodes, count, codesOf, !overlap);
                    if (use.Column) return columnPass(*use.Column);
                    if (use.Trial) {
                        const double seconds = SecondsOf(plainPass);
                        TryValueColumn(use, codesOf, seconds, [&](const TValueColumn& c) { columnPass(c); });
                        return k;
                    }
                }
            }
            plainPass();
        } else {
            TStatBatchScope scope(*this, nullptr, &selected);
            for (size_t i = 0; i < count; ++i)
                if (Matches(src[i].data(), selected) != del) dst[k++] = src[i];
        }
        return k;
    }

    bool FilterRanks(uint64_t* words, const TStatDrawArray& selected, TFilterAction action, bool sorted,
                     int lastIndex, size_t parts) override {
        if constexpr (Self::kCodes > 0) {
            Self& s = self();
            s.PrepareFilter(sorted, lastIndex);
            const bool del = IsDelete(action);
            std::vector<uint8_t> table;
            if (!MatchTable(selected, table)) {
                // Every combination answers false: keeping leaves none.
                if (!del) std::fill_n(words, kRankWords, uint64_t(0));
                return true;
            }
            const uint8_t* match = table.data();
            const uint8_t delFlag = del ? 1 : 0;
            if constexpr (Self::kCodes <= 65536) {
                // From the bitmaps or the column: of the class and settings when the codes follow
                // from the five numbers alone, else of the reference draw as well.
                decltype(auto) rule = s.PassRule();
                const TCodesOf codesOf = RuleCodes(rule);
                TRankPassData data;
                if constexpr (kColumnRule)
                    data = RankPassDataFor(*this, Self::kCodes, codesOf);
                else
                    data = DrawRankPassDataFor(*this, Self::kCodes, codesOf, lastIndex, sorted, words);
                if (data.FilterRanks(words, match, delFlag)) return true;
            }
            // Else the codes of each combination of the set, read from the full set by rank, in
            // parts of the words (each part on an instance with the draws loaded as for this one).
            const TCombination* all = FullCombinationSet().data();
            RunInParts(*this, kRankWords, parts, [&](TCustomStat& st, size_t, size_t from, size_t to) {
                Self& ps = static_cast<Self&>(st);
                if (&ps != &s) {
                    ps.LoadDraw(-1, lastIndex, sorted);
                    ps.PrepareFilter(sorted, lastIndex);
                }
                decltype(auto) partRule = ps.PassRule();
                auto dropped = [&](const TCombination& c) {
                    uint8_t m = 0;
                    partRule.FilterCodes(c.data(), [&](auto code) { m |= match[code]; });
                    return uint64_t(m == delFlag);
                };
                for (size_t w = from; w < to; ++w) {
                    const uint64_t bits = words[w];
                    if (bits == 0) continue;
                    const TCombination* c = all + w * 64;
                    uint64_t drop = 0;
                    if (bits == ~uint64_t(0)) {
                        // A whole word: 64 neighbours of the full set in a row.
                        for (unsigned j = 0; j < 64; ++j) drop |= dropped(c[j]) << j;
                    } else {
                        for (uint64_t b = bits; b != 0; b &= b - 1) {
                            const unsigned j = unsigned(std::countr_zero(b));
                            drop |= dropped(c[j]) << j;
                        }
                    }
                    words[w] = bits & ~drop;
                }
            });
            return true;
        }
        (void)words, (void)selected, (void)action, (void)sorted, (void)lastIndex, (void)parts;
        return false;
    }

protected:
    // The filter codes of a pass rule (which outlives the result) as the value columns take them.
    template <class R>
    static TCodesOf RuleCodes(const R& rule) {
        return [&rule](const uint8_t* n, TCodeSink& sink) {
            rule.FilterCodes(n, [&](auto code) { sink.Add(uint64_t(code)); });
        };
    }

    // The answer per code (0 or 1), once per pass; false when no code matches.
    bool MatchTable(const TStatDrawArray& selected, std::vector<uint8_t>& table) {
        table.assign(Self::kCodes, 0);
        bool any = false;
        TStatBatchScope scope(*this, nullptr, &selected);
        for (uint32_t c = 0; c < Self::kCodes; ++c) {
            table[c] = self().CodeMatches(c, selected) ? 1 : 0;
            any = any || table[c];
        }
        return any;
    }

    // The filter codes of a combination depend on its five numbers (and the settings) alone: no
    // earlier draw, no period, nothing loaded before the pass.
    static constexpr bool kColumnRule = Self::kCodes > 0 && Self::kCodes <= 65536 &&
                                        (Self::ClassFlags() & (kFlagD | kFlagP)) == 0 &&
                                        std::is_same_v<decltype(&Self::PrepareFilter), void (TKeyStat::*)(bool, int)>;

    Self& self() { return static_cast<Self&>(*this); }
    const Self& self() const { return static_cast<const Self&>(*this); }

    // The filter test without PrepareFilter: some code of the numbers passes.
    bool Matches(const uint8_t* n, const TStatDrawArray& selected) const {
        bool m = false;
        self().FilterCodes(n, [&](auto code) { m = m || self().CodeMatches(uint64_t(code), selected); });
        return m;
    }

private:
    struct TSink {
        template <class T>
        void operator()(T) const {}
    };

    template <class V>
    TStatKey ToKey(V v) const {
        if constexpr (std::is_same_v<V, TStatKey>)
            return v;
        else
            return self().KeyOf(uint64_t(v));
    }
};

} // namespace velmora
