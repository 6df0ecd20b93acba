#include "core/stats/stat_index.h"

#include "core/stats/stat_framework.h"

#include <algorithm>


namespace velmora {

namespace {

inline size_t HashSlot(uint64_t key, size_t mask) {
    uint64_t h = key * 0x9E3779B97F4A7C15ull;
    return size_t(h ^ (h >> 29)) & mask;
}

void SetBit(std::vector<uint64_t>& map, uint64_t v) { map[v >> 6] |= uint64_t(1) << (v & 63); }
bool GetBit(const std::vector<uint64_t>& map, uint64_t v) { return (map[v >> 6] >> (v & 63)) & 1; }

} // namespace

// ---- TKeyHashSet ----------------------------------------------------------------------------

void TKeyHashSet::Insert(uint64_t key) {
    if (key < kSmall) {
        if (small_.empty()) small_.assign(kSmall / 64, 0);
        SetBit(small_, key);
        return;
    }
    if ((used_ + 1) * 2 > slots_.size()) Grow();
    size_t mask = slots_.size() - 1;
    for (size_t i = HashSlot(key, mask);; i = (i + 1) & mask) {
        if (slots_[i] == key) return;
        if (slots_[i] == 0) {
            slots_[i] = key;
            ++used_;
            return;
        }
    }
}

bool TKeyHashSet::ContainsLarge(uint64_t key) const {
    size_t mask = slots_.size() - 1;
    for (size_t i = HashSlot(key, mask);; i = (i + 1) & mask) {
        if (slots_[i] == key) return true;
        if (slots_[i] == 0) return false;
    }
}

void TKeyHashSet::Grow() {
    std::vector<uint64_t> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 16 : old.size() * 2, 0);
    used_ = 0;
    for (uint64_t k : old)
        if (k != 0) Insert(k);
}

// ---- TStatKeyIndex --------------------------------------------------------------------------

TStatKeyIndex::TStatKeyIndex(TStatDrawArray& list) : list_(&list), direct_(kDirect, -1) {}

void TStatKeyIndex::Put(uint64_t key, int32_t pos) {
    if (key < kDirect) {
        if (direct_[key] < 0) direct_[key] = pos;
        return;
    }
    if ((used_ + 1) * 2 > keys_.size()) Grow();
    size_t mask = keys_.size() - 1;
    for (size_t i = HashSlot(key, mask);; i = (i + 1) & mask) {
        if (positions_[i] < 0) {
            keys_[i] = key;
            positions_[i] = pos;
            ++used_;
            return;
        }
        if (keys_[i] == key) return;  // the earlier entry of the key wins
    }
}

void TStatKeyIndex::Grow() {
    std::vector<uint64_t> oldKeys;
    std::vector<int32_t> oldPos;
    oldKeys.swap(keys_);
    oldPos.swap(positions_);
    size_t n = oldKeys.empty() ? 64 : oldKeys.size() * 2;
    keys_.assign(n, 0);
    positions_.assign(n, -1);
    used_ = 0;
    for (size_t i = 0; i < oldKeys.size(); ++i)
        if (oldPos[i] >= 0) Put(oldKeys[i], oldPos[i]);
}

void TStatKeyIndex::Sync() {
    if (list_->size() < indexed_) {
        // The list shrank behind the index's back: index it anew.
        std::fill(direct_.begin(), direct_.end(), -1);
        keys_.clear();
        positions_.clear();
        used_ = 0;
        indexed_ = 0;
    }
    while (indexed_ < list_->size()) {
        Put((*list_)[indexed_].Key.Packed(), int32_t(indexed_));
        ++indexed_;
    }
}

int32_t TStatKeyIndex::Find(uint64_t key) {
    Sync();
    if (key < kDirect) return direct_[key];
    if (keys_.empty()) return -1;
    size_t mask = keys_.size() - 1;
    for (size_t i = HashSlot(key, mask);; i = (i + 1) & mask) {
        if (positions_[i] < 0) return -1;
        if (keys_[i] == key) return positions_[i];
    }
}

void TStatKeyIndex::Merge(const TStatValueRec& rec, bool trackGaps) {
    int32_t pos = Find(rec.Key.Packed());
    if (pos >= 0) {
        MergeStatValue((*list_)[size_t(pos)], rec, trackGaps);
        return;
    }
    TStatValueRec n = rec;
    n.Expected = 0;
    list_->push_back(n);
    // indexed on the next look-up
}

// ---- TSelectedKeys --------------------------------------------------------------------------

bool TSelectedKeys::HasKey(uint64_t packed) {
    if (!full_) {
        full_ = std::make_unique<TKeyHashSet>();
        for (const auto& e : *src_) full_->Insert(e.Key.Packed());
    }
    return full_->Contains(packed);
}

bool TSelectedKeys::HasWord(int p, uint16_t v) {
    auto& map = words_[size_t(p)];
    if (map.empty()) {
        map.assign(65536 / 64, 0);
        for (const auto& e : *src_) SetBit(map, e.Key.K[p]);
    }
    return GetBit(map, v);
}

bool TSelectedKeys::HasDword(int h, uint32_t v) {
    auto& set = dwords_[size_t(h)];
    if (!set) {
        set = std::make_unique<TKeyHashSet>();
        for (const auto& e : *src_) set->Insert(e.Key.Dword(h));
    }
    return set->Contains(v);
}

bool TSelectedKeys::HasByte(int p, uint8_t v) {
    auto& map = bytes_[size_t(p)];
    if (!bytesBuilt_[size_t(p)]) {
        bytesBuilt_[size_t(p)] = true;
        for (const auto& e : *src_) {
            uint8_t b = e.Key.Byte(p);
            map[b >> 6] |= uint64_t(1) << (b & 63);
        }
    }
    return (map[v >> 6] >> (v & 63)) & 1;
}

// ---- TKeyCounter ----------------------------------------------------------------------------

void TKeyCounter::MergeInto(TStatDrawArray& list) const {
    MergeInto(list, [](uint16_t k) {
        TStatKey key;
        key.K[0] = k;
        return key;
    });
}

// ---- TStatBatchScope ------------------------------------------------------------------------

TStatBatchScope::TStatBatchScope(TCustomStat& stat, TStatDrawArray* list, const TStatDrawArray* selected)
    : stat_(stat), savedList_(stat.listIndex_), savedSelected_(stat.selected_) {
    if (list) {
        list_ = std::make_unique<TStatKeyIndex>(*list);
        stat.listIndex_ = list_.get();
    }
    if (selected) {
        selected_ = std::make_unique<TSelectedKeys>(*selected);
        stat.selected_ = selected_.get();
    }
}

TStatBatchScope::~TStatBatchScope() {
    stat_.listIndex_ = savedList_;
    stat_.selected_ = savedSelected_;
}

} // namespace velmora
