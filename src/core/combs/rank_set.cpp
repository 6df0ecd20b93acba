#include "core/combs/rank_set.h"

#include "core/stats/stat_runs.h"

#include <algorithm>
#include <bit>

namespace velmora {

bool TRankSet::Assign(const TCombination* list, size_t count) {
    std::fill(words_.begin(), words_.end(), 0);
    count_ = 0;
    const TRankTables& t = RankTables();
    uint32_t prev = 0;
    for (size_t i = 0; i < count; ++i) {
        uint32_t r;
        if (!CombinationRank(list[i].data(), t, r) || (i > 0 && r <= prev)) {
            std::fill(words_.begin(), words_.end(), 0);
            return false;
        }
        words_[r / 64] |= uint64_t(1) << (r % 64);
        prev = r;
    }
    count_ = count;
    return true;
}

size_t TRankSet::Decode(TCombination* out) const {
    const TCombination* all = FullCombinationSet().data();
    size_t k = 0;
    for (size_t w = 0; w < words_.size(); ++w) {
        const uint64_t bits = words_[w];
        if (bits == ~uint64_t(0)) {
            // 64 neighbours of the full set in a row.
            std::copy_n(all + w * 64, 64, out + k);
            k += 64;
            continue;
        }
        for (uint64_t b = bits; b != 0; b &= b - 1) out[k++] = all[w * 64 + size_t(std::countr_zero(b))];
    }
    return k;
}

VELMORA_POPCNT_CLONES uint32_t TRankSet::RankAt(size_t i) const {
    for (size_t w = 0;; ++w) {
        const size_t n = size_t(std::popcount(words_[w]));
        if (i < n) {
            uint64_t b = words_[w];
            for (; i > 0; --i) b &= b - 1;
            return uint32_t(w * 64 + size_t(std::countr_zero(b)));
        }
        i -= n;
    }
}

void TRankSet::Remove(const uint8_t* numbers) {
    uint32_t r;
    if (!CombinationRank(numbers, RankTables(), r) || !Contains(r)) return;
    words_[r / 64] &= ~(uint64_t(1) << (r % 64));
    --count_;
}

bool TRankSet::RemoveLatestDraws(int n, const TDrawsArchive& archive) {
    const TDrawRange range = LatestDraws(archive, n);
    std::vector<TCombination> drawn(size_t(range.Count));
    for (int i = 0; i < range.Count; ++i) {
        TCombination& c = drawn[size_t(i)];
        std::copy_n(range.Draws[i].Numbers, kNumberCount, c.begin());
        std::sort(c.begin(), c.end());
        uint32_t r;
        if (!CombinationRank(c.data(), RankTables(), r)) return false;
    }
    for (const TCombination& c : drawn) Remove(c.data());
    return true;
}

void TRankSet::Recount() { count_ = CountRanks(words_.data()); }

} // namespace velmora
