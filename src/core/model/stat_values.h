// Value records of the statistics and the operations that merge them into value lists.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace velmora {

struct TStatKey {
    uint16_t K[4] = {};
    uint64_t Packed() const {
        uint64_t v;
        std::memcpy(&v, K, 8);
        return v;
    }
    bool operator==(const TStatKey& o) const { return Packed() == o.Packed(); }
    // The same 8 bytes read as bytes (p 0..7) and as 32-bit halves (h 0..1).
    uint8_t Byte(int p) const {
        uint8_t b[8];
        std::memcpy(b, K, 8);
        return b[p];
    }
    void SetByte(int p, uint8_t v) {
        uint8_t b[8];
        std::memcpy(b, K, 8);
        b[p] = v;
        std::memcpy(K, b, 8);
    }
    uint32_t Dword(int h) const { return uint32_t(K[2 * h]) | uint32_t(K[2 * h + 1]) << 16; }
    void SetDword(int h, uint32_t v) {
        K[2 * h] = uint16_t(v);
        K[2 * h + 1] = uint16_t(v >> 16);
    }
};

// One value of a statistic with its counts, recency and gaps (32 bytes).
struct TStatValueRec {
    int32_t DrawNo = 0;
    int32_t Age = 0;
    int32_t LastDrawNo = 0;
    uint16_t MinGap = 0;
    uint16_t MaxGap = 0;
    int32_t Count = 0;
    int32_t Expected = 0;
    TStatKey Key;
};
static_assert(sizeof(TStatValueRec) == 32);
using TStatDrawArray = std::vector<TStatValueRec>;

struct TLastValueRec {
    int32_t DrawNo = 0;
    int32_t Reserved = 0;
    TStatKey Key;
};
static_assert(sizeof(TLastValueRec) == 16);
using TLastValueArray = std::vector<TLastValueRec>;

// The record of a full-set distribution file: Key (8 bytes) then Count (12 bytes on disk).
struct TPrefetchRec {
    TStatKey Key;
    int32_t Count = 0;
};
using TPrefetchArray = std::vector<TPrefetchRec>;

struct TStatSimpleRec {
    int32_t Value = 0;
    int32_t Count = 0;
};
using TStatSimpleArray = std::vector<TStatSimpleRec>;

struct TSeriesState {
    int32_t RunLength = 0;
    int32_t DrawNo = 0;
    int32_t Age = 0;
};

struct TProfitDrawRec {
    int32_t DrawNo = 0;
    int64_t Profit = 0;
};
using TProfitDrawArray = std::vector<TProfitDrawRec>;

void AddStatValue(TStatDrawArray& list, const TStatValueRec& rec, bool trackGaps);
// Merges into the entry at a known index (the entry must hold rec's key).
void MergeStatValue(TStatValueRec& entry, const TStatValueRec& rec, bool trackGaps);
int CompareStatKeys(const TStatKey& a, const TStatKey& b);
void SortStatValues(TStatDrawArray& list);
void StatTotals(const TStatDrawArray& list, int32_t& minCount, int32_t& maxCount, int32_t& maxAge, int64_t& total);
int32_t UpdateLastValue(const TStatValueRec& rec, TLastValueArray& list);
void AddSimpleValue(TStatSimpleArray& list, int32_t value, int32_t count);
void SortSimpleValues(TStatSimpleArray& list);
void StatValueToPrefetch(const TStatValueRec& rec, TPrefetchRec& p);
void PrefetchToStatValue(const TPrefetchRec& p, TStatValueRec& rec);
void AddDrawProfit(TProfitDrawArray& list, int32_t drawNo, int64_t amount);

} // namespace velmora
