// O(1) look-ups for the hot paths of the statistics: a hashed index of a value list (merging a
// value without scanning the list), the selected values of a filter pass (any key projection in
// O(1)), and a counter of small keys in first-seen order for the full-set distribution.
// Every structure is built once per batch run; nothing allocates per combination.
#pragma once

#include "core/model/stat_values.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace velmora {

class TCustomStat;

// A set of 64-bit keys: a bitmap for keys below 65536, open addressing for the others.
class TKeyHashSet {
public:
    void Insert(uint64_t key);
    bool Contains(uint64_t key) const {
        if (key < kSmall) return !small_.empty() && ((small_[key >> 6] >> (key & 63)) & 1);
        return !slots_.empty() && ContainsLarge(key);
    }

private:
    static constexpr uint64_t kSmall = 65536;
    bool ContainsLarge(uint64_t key) const;
    void Grow();
    std::vector<uint64_t> small_;
    std::vector<uint64_t> slots_;  // keys; kEmpty marks a free slot (never a large key)
    size_t used_ = 0;
};

// Positions of the keys of a value list. Entries appended to the list behind the index's back
// (by AddStatValue) are indexed on the next look-up, and a list that shrank is indexed anew; the
// first entry of a key wins, as in the linear search of AddStatValue.
class TStatKeyIndex {
public:
    explicit TStatKeyIndex(TStatDrawArray& list);
    TStatDrawArray& List() { return *list_; }
    // Position of the key, -1 when absent.
    int32_t Find(uint64_t packed);
    // AddStatValue(list, rec, trackGaps) without the linear search.
    void Merge(const TStatValueRec& rec, bool trackGaps);

private:
    static constexpr uint64_t kDirect = 4096;
    void Sync();
    void Put(uint64_t key, int32_t pos);
    void Grow();
    TStatDrawArray* list_;
    size_t indexed_ = 0;
    std::vector<int32_t> direct_;    // keys below kDirect
    std::vector<uint64_t> keys_;     // open addressing for the others
    std::vector<int32_t> positions_;  // -1 = free slot
    size_t used_ = 0;
};

// The selected values of a filter pass, with lazily built O(1) tables per key projection.
class TSelectedKeys {
public:
    explicit TSelectedKeys(const TStatDrawArray& selected) : src_(&selected) {}
    const TStatDrawArray* Source() const { return src_; }
    bool HasKey(uint64_t packed);
    bool HasWord(int p, uint16_t v);   // Key[p] = v, p 0..3
    bool HasDword(int h, uint32_t v);  // 32-bit half h = v, h 0..1
    bool HasByte(int p, uint8_t v);    // key byte p = v, p 0..7

private:
    const TStatDrawArray* src_;
    std::unique_ptr<TKeyHashSet> full_;
    std::array<std::vector<uint64_t>, 4> words_;  // 65536-bit maps
    std::array<std::unique_ptr<TKeyHashSet>, 2> dwords_;
    std::array<std::array<uint64_t, 4>, 8> bytes_{};
    std::array<bool, 8> bytesBuilt_{};
};

// Counts of small codes (below the size) in the order they were first seen. MergeInto gives the
// list that merging the value of every counted code with count 1 would give; the value of a code
// is the key keyOf(code), by default the code in Key[0] (Key[1..3] zero).
class TKeyCounter {
public:
    explicit TKeyCounter(size_t size) : counts_(size, 0) { order_.reserve(size < 1024 ? size : 1024); }
    void Add(uint16_t k0) {
        if (counts_[k0]++ == 0) order_.push_back(k0);
    }
    void Add(uint16_t k0, int32_t n) {
        if (counts_[k0] == 0) order_.push_back(k0);
        counts_[k0] += n;
    }
    int32_t Count(uint16_t k0) const { return counts_[k0]; }
    const std::vector<uint16_t>& Order() const { return order_; }
    void MergeInto(TStatDrawArray& list) const;
    template <class KeyOf>
    void MergeInto(TStatDrawArray& list, KeyOf keyOf) const {
        // Values of combinations carry no draw data, so one merge with the total count leaves
        // the entry exactly as that many merges with count 1 would.
        TStatKeyIndex index(list);
        TStatValueRec rec;
        for (uint16_t k : order_) {
            rec.Key = keyOf(k);
            rec.Count = counts_[k];
            index.Merge(rec, false);
        }
    }

private:
    std::vector<int32_t> counts_;
    std::vector<uint16_t> order_;
};

// Attaches the indexes above to a statistic for one batch run: AddValue then merges through a
// TStatKeyIndex of `list`, and HasValue/HasKey* answer from a TSelectedKeys of `selected`.
// Either may be null. The previous attachments come back when the scope ends.
class TStatBatchScope {
public:
    TStatBatchScope(TCustomStat& stat, TStatDrawArray* list, const TStatDrawArray* selected);
    ~TStatBatchScope();
    TStatBatchScope(const TStatBatchScope&) = delete;
    TStatBatchScope& operator=(const TStatBatchScope&) = delete;

private:
    TCustomStat& stat_;
    std::unique_ptr<TStatKeyIndex> list_;
    std::unique_ptr<TSelectedKeys> selected_;
    TStatKeyIndex* savedList_;
    TSelectedKeys* savedSelected_;
};

} // namespace velmora
