#include "core/combs/draw_matcher.h"

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

inline uint32_t Hash(uint64_t mask, int shift) { return uint32_t((mask * 0x9E3779B97F4A7C15ull) >> shift); }

// About 64 filter bits per draw keeps false hits near 1 in 64 while the filter stays small
// enough to live in the first-level cache next to the streamed list: 128 bytes for a few
// draws, 16 KB for a whole archive.
int FilterBitsFor(int draws) {
    int bits = 10;
    while (bits < 17 && (int64_t(1) << bits) < int64_t(draws) * 64) ++bits;
    return bits;
}

} // namespace

TDrawMatcher::TDrawMatcher(const TDrawRecord* draws, int count)
    : shift_(64 - FilterBitsFor(count)), filter_(size_t(1) << (FilterBitsFor(count) - 6)) {
    for (int i = 0; i < count; ++i) {
        const TDrawRecord& d = draws[i];
        all_.push_back(d);
        uint64_t m;
        if (RegularMask(d.Numbers, m)) {
            masks_.push_back(m);
            uint32_t h = Hash(m, shift_);
            filter_[h >> 6] |= uint64_t(1) << (h & 63);
        } else {
            odd_.push_back(d);
        }
    }
    std::sort(masks_.begin(), masks_.end());
    masks_.erase(std::unique(masks_.begin(), masks_.end()), masks_.end());
}

bool TDrawMatcher::Listed(uint64_t mask) const {
    uint32_t h = Hash(mask, shift_);
    if (!(filter_[h >> 6] >> (h & 63) & 1)) return false;
    return std::binary_search(masks_.begin(), masks_.end(), mask);
}

bool TDrawMatcher::MatchesPlain(const TCombination& comb, const std::vector<TDrawRecord>& draws) const {
    for (const auto& d : draws)
        if (CommonCount(d, comb) == kNumberCount) return true;
    return false;
}

bool TDrawMatcher::Matches(const TCombination& comb) const {
    uint64_t m;
    if (!RegularMask(comb.data(), m)) return MatchesPlain(comb, all_);
    // Five different numbers share all five with a regular draw only when the sets are equal.
    if (Listed(m)) return true;
    return !odd_.empty() && MatchesPlain(comb, odd_);
}

int TDrawMatcher::KeepUnmatched(const TCombination* src, int n, TCombination* dst) const {
    // The loop only reads and tests; the runs of kept combinations between two matches are
    // moved as blocks (memmove: dst may be src itself, and it never runs ahead of the reading).
    int k = 0;
    int from = 0;  // the first combination of the current run of kept ones
    auto drop = [&](int i) {
        if (i > from && (dst != src || k != from)) std::memmove(dst + k, src + from, size_t(i - from) * sizeof(TCombination));
        k += i - from;
        from = i + 1;
    };
    if (!all_.empty() && odd_.empty()) {
        // The common case, kept tight: a regular combination costs its mask and one filter
        // bit; the sorted list is read only on a filter hit, the plain way only for an odd one.
        const uint64_t* filter = filter_.data();
        const int shift = shift_;
        for (int i = 0; i < n; ++i) {
            const uint8_t* p = src[i].data();
            uint64_t b0 = NumberBit(p[0]), b1 = NumberBit(p[1]), b2 = NumberBit(p[2]), b3 = NumberBit(p[3]),
                     b4 = NumberBit(p[4]);
            uint64_t m = b0 | b1 | b2 | b3 | b4;
            uint64_t odd = ((b0 + b1 + b2 + b3 + b4) ^ m) | (m & kOddNumberBit);
            uint32_t h = Hash(m, shift);
            uint64_t listed = filter[h >> 6] >> (h & 63) & 1;
            if (__builtin_expect((odd | listed) != 0, 0)) {
                bool hit = odd ? MatchesPlain(src[i], all_) : std::binary_search(masks_.begin(), masks_.end(), m);
                if (hit) drop(i);
            }
        }
    } else if (!all_.empty()) {
        for (int i = 0; i < n; ++i)
            if (Matches(src[i])) drop(i);
    }
    drop(n);  // the last run
    return k;
}

int KeepUnmatchedPlain(const TCombination* src, int n, const TDrawRecord* draws, int drawCount, TCombination* dst) {
    int k = 0;
    for (int i = 0; i < n; ++i) {
        bool hit = false;
        for (int j = 0; j < drawCount && !hit; ++j) hit = CommonCount(draws[j], src[i]) == kNumberCount;
        if (!hit) dst[k++] = src[i];
    }
    return k;
}

} // namespace velmora
