#include "core/stats/matrix_stats.h"

#include "core/stats/stat_registry.h"
#include "core/stats/value_columns.h"
#include "core/util/format.h"
#include "core/util/translate.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace velmora {

namespace {

// ---- COLS, ROWS; COLV, ROWV; COLN, ROWN ------------------------------------------------------------

class TstColumns final : public TGroupsStat<TstColumns, TColumnKind> {
public:
    using TGroupsStat::TGroupsStat;
    static constexpr const char* ClassName() { return "TstColumns"; }
    static constexpr const char* GetCode() { return "COLS"; }
    static constexpr const char* GetCaption() { return TrNoop("Столбцы матрицы (не пустые)"); }
};

class TstRows final : public TGroupsStat<TstRows, TRowKind> {
public:
    using TGroupsStat::TGroupsStat;
    static constexpr const char* ClassName() { return "TstRows"; }
    static constexpr const char* GetCode() { return "ROWS"; }
    static constexpr const char* GetCaption() { return TrNoop("Строки матрицы (не пустые)"); }
};

class TstColValues final : public TGroupValuesStat<TstColValues, TColumnKind> {
public:
    using TGroupValuesStat::TGroupValuesStat;
    static constexpr const char* ClassName() { return "TstColValues"; }
    static constexpr const char* GetCode() { return "COLV"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество чисел в столбце матрицы"); }
};

class TstRowValues final : public TGroupValuesStat<TstRowValues, TRowKind> {
public:
    using TGroupValuesStat::TGroupValuesStat;
    static constexpr const char* ClassName() { return "TstRowValues"; }
    static constexpr const char* GetCode() { return "ROWV"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество чисел в строке матрицы"); }
};

class TstColCount final : public TGroupCountStat<TstColCount, TColumnKind> {
public:
    using TGroupCountStat::TGroupCountStat;
    static constexpr const char* ClassName() { return "TstColCount"; }
    static constexpr const char* GetCode() { return "COLN"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество не пустых столбцов в матрице"); }
};

class TstRowCount final : public TGroupCountStat<TstRowCount, TRowKind> {
public:
    using TGroupCountStat::TGroupCountStat;
    static constexpr const char* ClassName() { return "TstRowCount"; }
    static constexpr const char* GetCode() { return "ROWN"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество не пустых строк в матрице"); }
};

// ---- COLM, ROWM: the used columns (rows) as a bit mask ---------------------------------------------

// Column (row) 1 is the most significant of the W (H) bits. The mask is kept in all 64 bits of
// the key, so that a matrix of more than 32 columns or rows (up to 50) keeps every one of them;
// up to 32 it is exactly the 32-bit half Key[0..1] and the filter looks that half up.
template <class Self, class Kind>
class TGroupMaskStat : public TKeyStat<Self, TCustomNumbersStat> {
public:
    using TKeyStat<Self, TCustomNumbersStat>::TKeyStat;
    static constexpr int GetGroup() { return Kind::kGroup; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    // "00101 (005)".
    std::string ValueToText(const TStatValueRec& rec) const override {
        const uint64_t mask = count_ <= 32 ? rec.Key.Dword(0) : rec.Key.Packed();
        std::string chars;
        for (int g = 1; g <= count_; ++g) chars += (mask >> (count_ - g)) & 1 ? '1' : '0';
        return Format("%s (%.3d)", {chars, (unsigned long long)mask});
    }
    // The first W (H) characters, "1" a used column (row), the first one the most significant.
    int32_t TextToValue(const std::string& text) const override {
        uint64_t mask = 0;
        for (int g = 0; g < count_; ++g) mask = mask * 2 + (size_t(g) < text.size() && text[size_t(g)] == '1' ? 1 : 0);
        return int32_t(uint32_t(mask));
    }

    uint64_t Key(const uint8_t* n) const {
        uint64_t mask = 0;
        for (int i = 0; i < 5; ++i) mask |= bit_[n[i]];
        return mask;
    }
    bool CodeMatches(uint64_t code, const TStatDrawArray& selected) const {
        if (count_ <= 32) return this->HasKeyDword(selected, 1, uint32_t(code));
        const TStatKey k = this->KeyOf(code);
        return this->HasValue(selected, k.K[0], k.K[1], k.K[2], k.K[3]);
    }

    // Up to 16 columns (rows) the masks are counted and judged through direct tables.
    void AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) override {
        if (count_ > 16) return TKeyStat<Self, TCustomNumbersStat>::AddCombinationValues(combs, count, list);
        TKeyCounter counter(size_t(1) << count_);
        for (size_t i = 0; i < count; ++i) counter.Add(uint16_t(Key(combs[i].data())));
        counter.MergeInto(list, [&](uint16_t code) { return this->KeyOf(code); });
    }
    size_t FilterCombinations(const TCombination* src, size_t count, TCombination* dst, const TStatDrawArray& selected,
                              TFilterAction action, bool sorted, int lastIndex) override {
        if (count_ > 16)
            return TKeyStat<Self, TCustomNumbersStat>::FilterCombinations(src, count, dst, selected, action, sorted,
                                                                          lastIndex);
        const std::vector<uint8_t> table = MaskMatches(selected);
        const uint8_t del = IsDelete(action) ? 1 : 0;
        size_t k = 0;
        for (size_t i = 0; i < count; ++i)
            if (table[size_t(Key(src[i].data()))] != del) dst[k++] = src[i];
        return k;
    }
    // On ranks, up to 16 columns (rows): from the bitmaps or the column of the masks.
    bool FilterRanks(uint64_t* words, const TStatDrawArray& selected, TFilterAction action, bool, int,
                     size_t) override {
        if (count_ > 16) return false;
        const TRankPassData data = RankPassDataFor(*this, uint32_t(1) << count_,
                                                   [this](const uint8_t* n, TCodeSink& sink) { sink.Add(Key(n)); });
        const std::vector<uint8_t> table = MaskMatches(selected);
        const uint8_t del = IsDelete(action) ? 1 : 0;
        return data.FilterRanks(words, table.data(), del);
    }

private:
    // The answer of every mask (0 or 1), up to 16 columns (rows).
    std::vector<uint8_t> MaskMatches(const TStatDrawArray& selected) {
        std::vector<uint8_t> table(size_t(1) << count_);
        TStatBatchScope scope(*this, nullptr, &selected);
        for (size_t c = 0; c < table.size(); ++c) table[c] = CodeMatches(c, selected) ? 1 : 0;
        return table;
    }

    TNumberGroups groups_ = Kind::Groups(this->Config());
    int count_ = groups_.Count;
    // The bit of every byte value; 0 for a byte outside the matrix.
    std::array<uint64_t, 256> bit_ = [this] {
        std::array<uint64_t, 256> b{};
        for (size_t n = 0; n < 256; ++n) {
            const int g = groups_.Of[n];
            if (g >= 1 && g <= count_) b[n] = uint64_t(1) << (count_ - g);
        }
        return b;
    }();
};

class TstColMask final : public TGroupMaskStat<TstColMask, TColumnKind> {
public:
    using TGroupMaskStat::TGroupMaskStat;
    static constexpr const char* ClassName() { return "TstColMask"; }
    static constexpr const char* GetCode() { return "COLM"; }
    static constexpr const char* GetCaption() { return TrNoop("Сочетания столбцов матрицы"); }
};

class TstRowMask final : public TGroupMaskStat<TstRowMask, TRowKind> {
public:
    using TGroupMaskStat::TGroupMaskStat;
    static constexpr const char* ClassName() { return "TstRowMask"; }
    static constexpr const char* GetCode() { return "ROWM"; }
    static constexpr const char* GetCaption() { return TrNoop("Сочетания строк матрицы"); }
};

// ---- COLA, ROWA; COLC, ROWC: numbers that touch in a column (row) ------------------------------------

// Two numbers touch in a column when they share it and their rows differ by 1 (rows: they share
// the row and their columns differ by 1). Calls pair(group) for each touching pair of positions
// i < j in order.
template <class Pair>
inline void ForEachTouchingPair(const TNumberGroups& along, const TNumberGroups& across, const uint8_t* n, Pair pair) {
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 5; ++j) {
            const uint8_t a = n[i], b = n[j];
            if (along.Of[a] == along.Of[b] && std::abs(int(across.Of[a]) - int(across.Of[b])) == 1) pair(along.Of[a]);
        }
}

// The groups with touching pairs in order of first appearance, and the pairs of each.
struct TTouching {
    uint8_t Group[10] = {};
    uint8_t Pairs[10] = {};
    int Count = 0;
    TTouching(const TNumberGroups& along, const TNumberGroups& across, const uint8_t* n) {
        ForEachTouchingPair(along, across, n, [this](uint8_t g) {
            int e = 0;
            while (e < Count && Group[e] != g) ++e;
            if (e == Count) Group[Count++] = g;
            ++Pairs[e];
        });
    }
};

template <class Self, class Along, class Across>
class TAdjacentStat : public TKeyStat<Self, TCustomNumbersStat> {
public:
    using TKeyStat<Self, TCustomNumbersStat>::TKeyStat;
    static constexpr int GetGroup() { return Along::kGroup; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    // "3 x 3": column 3 with two touching pairs.
    std::string ValueToText(const TStatValueRec& rec) const override {
        return Format("%0:d x %1:d", {int(rec.Key.K[0]), int(rec.Key.K[1])});
    }
    // A key is (group, pairs + 1), coded group * 16 + pairs + 1 (at most ten pairs).
    static constexpr uint32_t kCodes = 256 * 16;
    TStatKey KeyOf(uint64_t code) const { return WordKey(uint16_t(code / 16), uint16_t(code % 16)); }
    template <class Out>
    void Keys(const uint8_t* n, Out&& out) const {
        const TTouching t(along_, across_, n);
        for (int e = 0; e < t.Count; ++e) out(uint32_t(t.Group[e]) * 16 + t.Pairs[e] + 1);
    }

private:
    TNumberGroups along_ = Along::Groups(this->Config());
    TNumberGroups across_ = Across::Groups(this->Config());
};

template <class Self, class Along, class Across>
class TAdjacentCountStat : public TKeyStat<Self, TCustomGraphStat> {
public:
    using TKeyStat<Self, TCustomGraphStat>::TKeyStat;
    static constexpr int GetGroup() { return Along::kGroup; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }

    static constexpr uint32_t kCodes = 6;
    static constexpr TKeyMatch kMatch = TKeyMatch::Word1;
    // Touching pairs need two numbers of one group, so at most two groups have them.
    uint32_t Key(const uint8_t* n) const { return uint32_t(TTouching(along_, across_, n).Count); }
    int32_t CombinationNumber(const TCombination& comb, int, int, bool) override { return int32_t(Key(comb.data())); }

private:
    TNumberGroups along_ = Along::Groups(this->Config());
    TNumberGroups across_ = Across::Groups(this->Config());
};

class TstColAjacent final : public TAdjacentStat<TstColAjacent, TColumnKind, TRowKind> {
public:
    using TAdjacentStat::TAdjacentStat;
    static constexpr const char* ClassName() { return "TstColAjacent"; }
    static constexpr const char* GetCode() { return "COLA"; }
    static constexpr const char* GetCaption() { return TrNoop("Столбцы матрицы со смежными числами"); }
};

class TstRowAjacent final : public TAdjacentStat<TstRowAjacent, TRowKind, TColumnKind> {
public:
    using TAdjacentStat::TAdjacentStat;
    static constexpr const char* ClassName() { return "TstRowAjacent"; }
    static constexpr const char* GetCode() { return "ROWA"; }
    static constexpr const char* GetCaption() { return TrNoop("Строки матрицы со смежными числами"); }
};

class TstColAjacentCnt final : public TAdjacentCountStat<TstColAjacentCnt, TColumnKind, TRowKind> {
public:
    using TAdjacentCountStat::TAdjacentCountStat;
    static constexpr const char* ClassName() { return "TstColAjacentCnt"; }
    static constexpr const char* GetCode() { return "COLC"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество столбцов матрицы со смежными числами"); }
};

class TstRowAjacentCnt final : public TAdjacentCountStat<TstRowAjacentCnt, TRowKind, TColumnKind> {
public:
    using TAdjacentCountStat::TAdjacentCountStat;
    static constexpr const char* ClassName() { return "TstRowAjacentCnt"; }
    static constexpr const char* GetCode() { return "ROWC"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество строк матрицы со смежными числами"); }
};

// ---- KFM, KFS, KRM, KRS: tuples of columns and rows ------------------------------------------------

#define VELMORA_MATRIX_TUPLE(Name, Kind, K, Mix, Code, Caption)                      \
    class Name final : public TGroupTupleStat<Name, Kind, K, Mix> {                  \
    public:                                                                         \
        using TGroupTupleStat::TGroupTupleStat;                                     \
        static constexpr const char* ClassName() { return #Name; }                  \
        static constexpr const char* GetCode() { return Code; }                     \
        static constexpr const char* GetCaption() { return Caption; }               \
    };

VELMORA_MATRIX_TUPLE(TstCombColMix2, TColumnKind, 2, true, "KFM2", TrNoop("Сочетания из 2 столбцов по всем числам тиража"))
VELMORA_MATRIX_TUPLE(TstCombColMix3, TColumnKind, 3, true, "KFM3", TrNoop("Сочетания из 3 столбцов по всем числам тиража"))
VELMORA_MATRIX_TUPLE(TstCombColMix4, TColumnKind, 4, true, "KFM4", TrNoop("Сочетания из 4 столбцов по всем числам тиража"))
VELMORA_MATRIX_TUPLE(TstCombColSeq2, TColumnKind, 2, false, "KFS2", TrNoop("Сочетания из 2 столбцов по соседним числам"))
VELMORA_MATRIX_TUPLE(TstCombColSeq3, TColumnKind, 3, false, "KFS3", TrNoop("Сочетания из 3 столбцов по соседним числам"))
VELMORA_MATRIX_TUPLE(TstCombColSeq4, TColumnKind, 4, false, "KFS4", TrNoop("Сочетания из 4 столбцов по соседним числам"))
VELMORA_MATRIX_TUPLE(TstCombRowMix2, TRowKind, 2, true, "KRM2", TrNoop("Сочетания из 2 строк по всем числам тиража"))
VELMORA_MATRIX_TUPLE(TstCombRowMix3, TRowKind, 3, true, "KRM3", TrNoop("Сочетания из 3 строк по всем числам тиража"))
VELMORA_MATRIX_TUPLE(TstCombRowMix4, TRowKind, 4, true, "KRM4", TrNoop("Сочетания из 4 строк по всем числам тиража"))
VELMORA_MATRIX_TUPLE(TstCombRowSeq2, TRowKind, 2, false, "KRS2", TrNoop("Сочетания из 2 строк по соседним числам"))
VELMORA_MATRIX_TUPLE(TstCombRowSeq3, TRowKind, 3, false, "KRS3", TrNoop("Сочетания из 3 строк по соседним числам"))
VELMORA_MATRIX_TUPLE(TstCombRowSeq4, TRowKind, 4, false, "KRS4", TrNoop("Сочетания из 4 строк по соседним числам"))
#undef VELMORA_MATRIX_TUPLE

// ---- COL1.., ROW1..: how many numbers in one column (row) --------------------------------------------

class TstColValCnt final : public TGroupValCntStat<TstColValCnt, TColumnKind> {
public:
    using TGroupValCntStat::TGroupValCntStat;
    static constexpr const char* ClassName() { return "TstColValCnt"; }
    static constexpr const char* GetCode() { return "COL%d"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество чисел в %0:d столбце матрицы"); }
    static constexpr const char* GetBaseCode() { return "COLx"; }
    static TParamRange GetParamRange(const TStatList& list) {
        const int cols = list.Config.MatrixCols;
        return cols > 0 ? TParamRange{1, cols} : TParamRange{0, -1};
    }
};

class TstRowValCnt final : public TGroupValCntStat<TstRowValCnt, TRowKind> {
public:
    using TGroupValCntStat::TGroupValCntStat;
    static constexpr const char* ClassName() { return "TstRowValCnt"; }
    static constexpr const char* GetCode() { return "ROW%d"; }
    static constexpr const char* GetCaption() { return TrNoop("Количество чисел в %0:d строке матрицы"); }
    static constexpr const char* GetBaseCode() { return "ROWx"; }
    static TParamRange GetParamRange(const TStatList& list) {
        const int rows = list.MatrixRows();
        return rows > 0 ? TParamRange{1, rows} : TParamRange{0, -1};
    }
};

} // namespace

void AddMatrixStats(TStatRegistry& r) {
    r.Add(25, StatClassOf<TstColumns>());
    r.Add(26, StatClassOf<TstRows>());
    r.Add(27, StatClassOf<TstColValues>());
    r.Add(28, StatClassOf<TstRowValues>());
    r.Add(29, StatClassOf<TstColCount>());
    r.Add(30, StatClassOf<TstRowCount>());
    r.Add(31, StatClassOf<TstColMask>());
    r.Add(32, StatClassOf<TstRowMask>());
    r.Add(33, StatClassOf<TstColAjacent>());
    r.Add(34, StatClassOf<TstRowAjacent>());
    r.Add(35, StatClassOf<TstColAjacentCnt>());
    r.Add(36, StatClassOf<TstRowAjacentCnt>());
    r.Add(84, StatClassOf<TstCombColMix2>());
    r.Add(85, StatClassOf<TstCombColMix3>());
    r.Add(86, StatClassOf<TstCombColMix4>());
    r.Add(87, StatClassOf<TstCombColSeq2>());
    r.Add(88, StatClassOf<TstCombColSeq3>());
    r.Add(89, StatClassOf<TstCombColSeq4>());
    r.Add(90, StatClassOf<TstCombRowMix2>());
    r.Add(91, StatClassOf<TstCombRowMix3>());
    r.Add(92, StatClassOf<TstCombRowMix4>());
    r.Add(93, StatClassOf<TstCombRowSeq2>());
    r.Add(94, StatClassOf<TstCombRowSeq3>());
    r.Add(95, StatClassOf<TstCombRowSeq4>());
    r.Add(105, StatClassOf<TstColValCnt>());
    r.Add(106, StatClassOf<TstRowValCnt>());
}

} // namespace velmora
