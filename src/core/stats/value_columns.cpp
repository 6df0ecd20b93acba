#include "core/stats/value_columns.h"

#include "core/stats/stat_config.h"
#include "core/stats/stat_framework.h"
#include "core/stats/stat_runs.h"

#include <algorithm>
#include <bit>
#include <atomic>
#include <cstring>
#include <list>
#include <mutex>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace velmora {

namespace {

uint64_t Binomial(int n, int k) {
    if (k < 0 || n < k) return 0;
    uint64_t r = 1;
    for (int i = 1; i <= k; ++i) r = r * uint64_t(n - k + i) / uint64_t(i);
    return r;
}

// S[i](x): the combinations whose number at position i (0-based) is below x while the numbers
// before it are fixed, i.e. the sum of C(50 - v, 4 - i) for v = 1 .. x-1.
int64_t Below(int i, int x) {
    int64_t s = 0;
    for (int v = 1; v < x; ++v) s += int64_t(Binomial(kMaxNumber - v, kNumberCount - 1 - i));
    return s;
}

TRankTables MakeRankTables() {
    // rank = sum over i of (S_i(x_i) - S_i(x_{i-1} + 1)), x_{-1} = 0; regrouped by the number
    // each term reads.
    TRankTables t{};
    for (int x = 0; x < 256; ++x) {
        const int v = std::min(x, kMaxNumber + 1);
        for (int i = 0; i < kNumberCount; ++i) {
            int64_t h = Below(i, v);
            if (i + 1 < kNumberCount) h -= Below(i + 1, v) + int64_t(Binomial(kMaxNumber - v, kNumberCount - 2 - i));
            t.H[i][x] = uint32_t(h);
        }
    }
    return t;
}

uint64_t Mix(uint64_t h, uint64_t v) {
    h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h * 0xff51afd7ed558ccdULL;
}

uint64_t HashCodes(const uint16_t* c, size_t n) {
    uint64_t h = n;
    for (size_t i = 0; i < n; ++i) h = Mix(h, c[i]);
    return h ^ (h >> 29);
}

struct TEntry {
    TColumnKey Key;
    std::shared_ptr<const TValueColumn> Column;  // null: the codes do not fit a column
    std::shared_ptr<const TCodeBitmaps> Bitmaps;  // of rank passes (Kind 1 and 2)
    bool Pending = false;  // Kind 2 not built yet: Tested combinations were tested one by one
    size_t Tested = 0;
    size_t Bytes() const { return (Column ? Column->Bytes() : 0) + (Bitmaps ? Bitmaps->Bytes() : 0); }
};

// The matrix, channel and segment settings that key functions read.
uint64_t SettingsHash(const TConfigData& c) {
    uint64_t h = Mix(uint64_t(uint32_t(c.MatrixCols)), uint64_t(uint32_t(c.ChannelSize)));
    for (uint8_t s : c.MatrixSegments) h = Mix(h, s);
    return h;
}

// The codes of a fixed spread of combinations, sorted per combination.
uint64_t ProbeHash(const TCodesOf& codesOf, uint32_t codeBound) {
    constexpr size_t kProbes = 257;
    const TCombsArray& all = FullCombinationSet();
    TCodeSink sink;
    sink.Bound = codeBound;
    uint64_t h = 0;
    for (size_t j = 0; j < kProbes; ++j) {
        const size_t r = (j * (all.size() / kProbes) + j * 7919u) % all.size();
        sink.Clear();
        codesOf(all[r].data(), sink);
        std::sort(sink.Codes, sink.Codes + sink.N);
        h = Mix(h, sink.Over ? ~uint64_t(0) : HashCodes(sink.Codes, sink.N));
    }
    return h;
}

TColumnKey ColumnKeyOf(const TCustomStat& stat, uint32_t codeBound, const TCodesOf& codesOf, int kind) {
    return {&stat.Class(), stat.Param, codeBound, SettingsHash(stat.Config()), ProbeHash(codesOf, codeBound), kind};
}

// The column of the full set; null when the codes do not fit one.
std::unique_ptr<TValueColumn> BuildColumn(uint32_t codeBound, const TCodesOf& codesOf) {
    TValueColumnBuilder b(codeBound);
    for (const TCombination& comb : FullCombinationSet()) {
        codesOf(comb.data(), b.Sink());
        b.End();
    }
    return b.Finish();
}

// Null entries (codes that do not fit) take no bytes; their number is bounded as well.
constexpr size_t kMaxEntries = 1024;

struct TCache {
    std::mutex Lock;
    std::list<TEntry> Entries;  // most recently used first
    size_t Bytes = 0;
    size_t Bound = kValueColumnCacheBytes;
    bool Forced = false;

    // The entry of key, made the most recently used; null when there is none.
    TEntry* Find(const TColumnKey& key) {
        for (auto it = Entries.begin(); it != Entries.end(); ++it)
            if (it->Key == key) {
                Entries.splice(Entries.begin(), Entries, it);
                return &Entries.front();
            }
        return nullptr;
    }

    void Trim() {
        while ((Bytes > Bound || Entries.size() > kMaxEntries) && !Entries.empty()) {
            Bytes -= Entries.back().Bytes();
            Entries.pop_back();
        }
    }
};

std::atomic<size_t> buildMinimum{kValueColumnBuildMinimum};

TCache& Cache() {
    static TCache cache;
    return cache;
}

} // namespace

const TRankTables& RankTables() {
    static const TRankTables tables = MakeRankTables();
    return tables;
}

// ---- TValueColumn ---------------------------------------------------------------------------

namespace {

// Sets count ranks from rank on.
void SetRankRun(uint64_t* match, uint32_t rank, uint32_t count) {
    while (count > 0) {
        const uint32_t bit = rank % 64, n = std::min<uint32_t>(64 - bit, count);
        match[rank / 64] |= (n == 64 ? ~uint64_t(0) : (uint64_t(1) << n) - 1) << bit;
        rank += n;
        count -= n;
    }
}

// Calls f(pick) for every ascending choice of m numbers of list[0..count), m up to 5; none when
// m is negative.
template <class F>
void ForEachChoice(const uint8_t* list, int count, int m, F&& f) {
    if (m < 0 || m > count) return;
    int at[5];
    uint8_t pick[5];
    for (int j = 0; j < m; ++j) at[j] = j;
    while (true) {
        for (int j = 0; j < m; ++j) pick[j] = list[at[j]];
        f(pick);
        int j = m - 1;
        while (j >= 0 && at[j] == count - m + j) --j;
        if (j < 0) return;
        ++at[j];
        for (int i = j + 1; i < m; ++i) at[i] = at[i - 1] + 1;
    }
}

} // namespace

void MarkCombinationsHolding(const uint8_t* t, int k, int below, uint64_t* match) {
    const int m = 5 - k;
    const TRankTables& tables = RankTables();
    auto mark = [&](const uint8_t* n) {
        uint32_t rank;
        if (CombinationRank(n, tables, rank)) match[rank / 64] |= uint64_t(1) << (rank % 64);
    };
    if (below == kAnywhere) {
        uint8_t others[kMaxNumber];
        int count = 0;
        for (int n = kMinNumber; n <= kMaxNumber; ++n)
            if (std::find(t, t + k, uint8_t(n)) == t + k) others[count++] = uint8_t(n);
        ForEachChoice(others, count, m, [&](const uint8_t* pick) {
            // Merge the group and the picked numbers, both ascending.
            uint8_t n[5];
            int a = 0, b = 0;
            for (int j = 0; j < 5; ++j) n[j] = b >= m || (a < k && t[a] < pick[b]) ? t[a++] : pick[b++];
            mark(n);
        });
        return;
    }
    uint8_t under[kMaxNumber], over[kMaxNumber];
    int nUnder = 0, nOver = 0;
    for (int n = kMinNumber; n < t[0]; ++n) under[nUnder++] = uint8_t(n);
    for (int n = t[k - 1] + 1; n <= kMaxNumber; ++n) over[nOver++] = uint8_t(n);
    for (int b = below == kOutside ? 0 : below; b <= (below == kOutside ? m : below); ++b)
        ForEachChoice(under, nUnder, b, [&](const uint8_t* low) {
            uint8_t n[5];
            std::copy(low, low + b, n);
            std::copy(t, t + k, n + b);
            const int high = m - b;
            if (high == 0) {
                mark(n);
                return;
            }
            // The numbers over the group but the last; the last runs from the next number to 50,
            // and those combinations have consecutive ranks (the last number varies fastest).
            ForEachChoice(over, nOver - 1, high - 1, [&](const uint8_t* part) {
                std::copy(part, part + (high - 1), n + b + k);
                n[4] = high == 1 ? over[0] : uint8_t(part[high - 2] + 1);
                uint32_t rank;
                if (CombinationRank(n, tables, rank)) SetRankRun(match, rank, uint32_t(kMaxNumber - n[4] + 1));
            });
        });
}

void FilterRanksByMatch(uint64_t* words, const uint64_t* match, bool del) {
    if (del)
        for (size_t w = 0; w < kRankWords; ++w) words[w] &= ~match[w];
    else
        for (size_t w = 0; w < kRankWords; ++w) words[w] &= match[w];
}

VELMORA_POPCNT_CLONES size_t CountRanks(const uint64_t* words) {
    size_t n = 0;
    for (size_t w = 0; w < kRankWords; ++w) n += size_t(std::popcount(words[w]));
    return n;
}

size_t TValueColumn::Bytes() const {
    return ids_.size() + setStart_.size() * sizeof(uint32_t) + codes_.size() * sizeof(uint16_t);
}

std::vector<uint8_t> TValueColumn::SetMatches(const uint8_t* codeMatch) const {
    const size_t sets = SetCount();
    std::vector<uint8_t> m(sets, 0);
    for (size_t s = 0; s < sets; ++s) {
        uint8_t v = 0;
        for (uint32_t j = setStart_[s]; j < setStart_[s + 1]; ++j) v |= codeMatch[codes_[j]];
        m[s] = v;
    }
    return m;
}

#if defined(__x86_64__) && defined(__GNUC__)
namespace {

// The pass of a one-byte column with AVX2: 32 ids at a time are looked up in a 256-bit table of the
// ids that survive (byte id >> 3, bit id & 7), by two in-lane byte shuffles and a blend.
__attribute__((target("avx2,popcnt"))) void FilterByteRanksAvx2(uint64_t* words, const uint8_t* ids,
                                                                 const uint8_t* setMatch, size_t sets,
                                                                 uint8_t delFlag) {
    alignas(16) uint8_t survive[32] = {};
    for (size_t id = 0; id < sets; ++id)
        if (setMatch[id] != delFlag) survive[id >> 3] |= uint8_t(1u << (id & 7));
    const __m256i low = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(survive)));
    const __m256i high = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(survive + 16)));
    const __m256i bitOf = _mm256_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16,
                                           32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
    const __m256i five = _mm256_set1_epi8(0x1F), four = _mm256_set1_epi8(0x0F), three = _mm256_set1_epi8(7);
    for (size_t w = 0; w < kRankWords; ++w) {
        const uint64_t bits = words[w];
        if (bits == 0) continue;
        const uint8_t* id = ids + w * 64;
        uint64_t keep = 0;
        if (w + 1 < kRankWords && std::popcount(bits) > 8) {
            for (unsigned half = 0; half < 2; ++half) {
                const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(id + 32 * half));
                const __m256i byte = _mm256_and_si256(_mm256_srli_epi16(v, 3), five);  // id >> 3
                const __m256i nibble = _mm256_and_si256(byte, four);
                // Bit 4 of the byte index, moved to bit 7, picks the high half of the table.
                const __m256i entry = _mm256_blendv_epi8(_mm256_shuffle_epi8(low, nibble),
                                                         _mm256_shuffle_epi8(high, nibble), _mm256_slli_epi16(byte, 3));
                const __m256i bit = _mm256_shuffle_epi8(bitOf, _mm256_and_si256(v, three));
                const uint32_t m = uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_and_si256(entry, bit), bit)));
                keep |= uint64_t(m) << (32 * half);
            }
        } else {
            for (uint64_t b = bits; b != 0; b &= b - 1) {
                const unsigned j = unsigned(std::countr_zero(b));
                keep |= uint64_t(setMatch[id[j]] != delFlag) << j;
            }
        }
        words[w] = bits & keep;
    }
}

bool HasAvx2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    }();
    return has;
}

} // namespace
#endif

VELMORA_POPCNT_CLONES void TValueColumn::FilterRanks(uint64_t* words, const uint8_t* setMatch, uint8_t delFlag) const {
#if defined(__x86_64__) && defined(__GNUC__)
    if (width_ == 1 && HasAvx2()) {
        FilterByteRanksAvx2(words, ids_.data(), setMatch, SetCount(), delFlag);
        return;
    }
#endif
    auto pass = [&](auto* ids) {
        for (size_t w = 0; w < kRankWords; ++w) {
            uint64_t bits = words[w];
            if (bits == 0) continue;
            const auto* id = ids + w * 64;
            uint64_t drop = 0;
            if (w + 1 < kRankWords && std::popcount(bits) > 16) {
                // Dense: every rank of the word, no branch per rank. The answers (0 or 1) of eight
                // ranks are gathered as the bytes of a word and packed into eight bits by one
                // multiplication (bit 0 of byte k lands in bit 56 + k), eight such words apart.
                uint64_t match = 0;
                for (unsigned q = 0; q < 8; ++q) {
                    uint64_t bytes = 0;
                    for (unsigned k = 0; k < 8; ++k) bytes |= uint64_t(setMatch[id[8 * q + k]]) << (8 * k);
                    match |= ((bytes * 0x0102040810204080ULL) >> 56) << (8 * q);
                }
                drop = delFlag ? match : ~match;
            } else {
                for (uint64_t b = bits; b != 0; b &= b - 1) {
                    const unsigned j = unsigned(std::countr_zero(b));
                    drop |= uint64_t(setMatch[id[j]] == delFlag) << j;
                }
            }
            words[w] = bits & ~drop;
        }
    };
    if (width_ == 1)
        pass(ids_.data());
    else
        pass(reinterpret_cast<const uint16_t*>(ids_.data()));
}

std::unique_ptr<TCodeBitmaps> TCodeBitmaps::FromColumn(const TValueColumn& column, uint32_t codeBound) {
    std::vector<uint8_t> seen(codeBound, 0);
    size_t distinct = 0;
    for (uint16_t c : column.codes_) distinct += seen[c] ? 0 : (seen[c] = 1);
    if (distinct > kMaxCodes) return nullptr;
    auto b = std::make_unique<TCodeBitmaps>(codeBound);
    auto fill = [&](const auto* ids) {
        for (uint32_t r = 0; r < uint32_t(kCombinationTotal); ++r) {
            const uint32_t s = ids[r];
            const uint32_t from = column.setStart_[s];
            b->Add(column.codes_.data() + from, column.setStart_[s + 1] - from, r);
        }
    };
    if (column.width_ == 1)
        fill(column.ids_.data());
    else
        fill(reinterpret_cast<const uint16_t*>(column.ids_.data()));
    return b;
}

bool TCodeBitmaps::Add(const uint16_t* codes, size_t n, uint32_t rank) {
    for (size_t j = 0; j < n; ++j) {
        int16_t& s = slot_[codes[j]];
        if (s < 0) {
            if (codes_.size() == kMaxCodes) return false;
            s = int16_t(codes_.size());
            codes_.push_back(codes[j]);
            bits_.emplace_back(kRankWords, 0);
        }
        bits_[size_t(s)][rank / 64] |= uint64_t(1) << (rank % 64);
    }
    return true;
}

void TCodeBitmaps::FilterRanks(uint64_t* words, const uint8_t* codeMatch, uint8_t delFlag) const {
    std::vector<const uint64_t*> matching;
    for (size_t s = 0; s < codes_.size(); ++s)
        if (codeMatch[codes_[s]]) matching.push_back(bits_[s].data());
    // The ranks that match, a block of words at a time, so that the block stays in the cache
    // while the bitmaps of the matching codes are ORed into it.
    constexpr size_t kBlock = 512;
    uint64_t match[kBlock];
    for (size_t from = 0; from < kRankWords; from += kBlock) {
        const size_t n = std::min(kBlock, kRankWords - from);
        std::fill_n(match, n, 0);
        for (const uint64_t* b : matching)
            for (size_t i = 0; i < n; ++i) match[i] |= b[from + i];
        uint64_t* w = words + from;
        if (delFlag)
            for (size_t i = 0; i < n; ++i) w[i] &= ~match[i];
        else
            for (size_t i = 0; i < n; ++i) w[i] &= match[i];
    }
}

// ---- TValueColumnBuilder --------------------------------------------------------------------

TValueColumnBuilder::TValueColumnBuilder(uint32_t codeBound)
    : single_(codeBound, -1), slots_(1024, 0), col_(std::make_unique<TValueColumn>()) {
    sink_.Bound = codeBound;
    col_->setStart_.push_back(0);
    ids_.reserve(size_t(kCombinationTotal));
}

uint32_t TValueColumnBuilder::Intern() {
    // Any emission of the same set will do: sort and drop repeats.
    uint16_t* buf_ = sink_.Codes;
    std::sort(buf_, buf_ + sink_.N);
    const size_t n = size_t(std::unique(buf_, buf_ + sink_.N) - buf_);
    TValueColumn& c = *col_;
    auto add = [&]() -> uint32_t {
        const uint32_t id = uint32_t(c.SetCount());
        c.codes_.insert(c.codes_.end(), buf_, buf_ + n);
        c.setStart_.push_back(uint32_t(c.codes_.size()));
        return id;
    };
    if (n == 1) {
        int32_t& s = single_[buf_[0]];
        if (s < 0) s = int32_t(add());
        return uint32_t(s);
    }
    const size_t mask = slots_.size() - 1;
    for (size_t i = size_t(HashCodes(buf_, n)) & mask;; i = (i + 1) & mask) {
        if (slots_[i] == 0) {
            const uint32_t id = add();
            slots_[i] = id + 1;
            // Keep the table at most half full.
            if (2 * (c.SetCount() + 1) > slots_.size()) {
                std::vector<uint32_t> grown(slots_.size() * 2, 0);
                const size_t gm = grown.size() - 1;
                for (uint32_t v : slots_) {
                    if (v == 0) continue;
                    const uint32_t s = v - 1;
                    const uint16_t* codes = c.codes_.data() + c.setStart_[s];
                    size_t k = size_t(HashCodes(codes, c.setStart_[s + 1] - c.setStart_[s])) & gm;
                    while (grown[k] != 0) k = (k + 1) & gm;
                    grown[k] = v;
                }
                slots_.swap(grown);
            }
            return id;
        }
        const uint32_t s = slots_[i] - 1;
        const uint32_t from = c.setStart_[s], to = c.setStart_[s + 1];
        if (to - from == n && std::equal(buf_, buf_ + n, c.codes_.data() + from)) return s;
    }
}

void TValueColumnBuilder::End() {
    // The sink is emptied for the next combination even when the column has failed: a caller may
    // read the codes for something else as well.
    if (failed_ || sink_.Over) {
        failed_ = true;
        sink_.Clear();
        return;
    }
    const uint32_t id = Intern();
    sink_.Clear();
    if (id >= TValueColumn::kMaxSets) {
        failed_ = true;
        return;
    }
    ids_.push_back(uint16_t(id));
}

std::unique_ptr<TValueColumn> TValueColumnBuilder::Finish() {
    if (failed_) return nullptr;
    TValueColumn& c = *col_;
    if (c.SetCount() <= 256) {
        c.width_ = 1;
        c.ids_.resize(ids_.size());
        for (size_t i = 0; i < ids_.size(); ++i) c.ids_[i] = uint8_t(ids_[i]);
    } else {
        c.width_ = 2;
        c.ids_.resize(ids_.size() * 2);
        std::memcpy(c.ids_.data(), ids_.data(), ids_.size() * 2);
    }
    std::vector<uint16_t>().swap(ids_);
    c.ids_.shrink_to_fit();
    c.codes_.shrink_to_fit();
    c.setStart_.shrink_to_fit();
    return std::move(col_);
}

// ---- the cache ------------------------------------------------------------------------------

TValueColumnUse ValueColumnFor(const TCustomStat& stat, uint32_t codeBound, size_t count, const TCodesOf& codesOf,
                               bool trialAllowed) {
    TCache& cache = Cache();
    TValueColumnUse use;
    use.Key = ColumnKeyOf(stat, codeBound, codesOf, 0);
    const TColumnKey& key = use.Key;
    std::lock_guard<std::mutex> lock(cache.Lock);
    if (const TEntry* e = cache.Find(key)) {
        use.Column = e->Column;
        return use;
    }
    if (count < ValueColumnBuildMinimum() || !trialAllowed) return use;
    // Claimed for this pass: the other part of a split pass, and later passes, run plain until
    // the trial has decided.
    cache.Entries.push_front(TEntry{key, nullptr});
    cache.Trim();
    use.Trial = true;
    return use;
}

void TryValueColumn(const TValueColumnUse& use, const TCodesOf& codesOf, double plainSeconds,
                    const std::function<void(const TValueColumn&)>& columnPass) {
    TCache& cache = Cache();
    const TColumnKey& key = use.Key;
    std::shared_ptr<const TValueColumn> column = BuildColumn(key.CodeBound, codesOf);
    if (!column) return;
    const double seconds = SecondsOf([&] { columnPass(*column); });
    std::lock_guard<std::mutex> lock(cache.Lock);
    // A clear win only: timings of one pass on a shared machine vary.
    if (!cache.Forced && seconds >= 0.7 * plainSeconds) return;
    TEntry* e = cache.Find(key);
    if (!e || e->Column) return;
    e->Column = column;
    cache.Bytes += column->Bytes();
    cache.Trim();
}

bool TRankPassData::FilterRanks(uint64_t* words, const uint8_t* codeMatch, uint8_t delFlag) const {
    if (Bitmaps)
        Bitmaps->FilterRanks(words, codeMatch, delFlag);
    else if (Column)
        Column->FilterRanks(words, Column->SetMatches(codeMatch).data(), delFlag);
    else
        return false;
    return true;
}

namespace {

// One pass over the full set builds both; the bitmaps win when the codes are few (they also hold
// combinations that emit too many different sets of codes for a column, as the numbers themselves
// do).
TRankPassData BuildRankPassData(uint32_t codeBound, const TCodesOf& codesOf) {
    TRankPassData data;
    auto bitmaps = std::make_unique<TCodeBitmaps>(codeBound);
    const TCombsArray& all = FullCombinationSet();
    if (codeBound <= TCodeBitmaps::kMaxCodes) {
        // The bitmaps always hold so few codes: no column beside them.
        TCodeSink sink;
        sink.Bound = codeBound;
        for (size_t r = 0; r < all.size(); ++r) {
            sink.Clear();
            codesOf(all[r].data(), sink);
            if (sink.Over) return data;
            bitmaps->Add(sink.Codes, sink.N, uint32_t(r));
        }
        data.Bitmaps = std::move(bitmaps);
        return data;
    }
    TValueColumnBuilder column(codeBound);
    for (size_t r = 0; r < all.size(); ++r) {
        TCodeSink& sink = column.Sink();
        codesOf(all[r].data(), sink);
        if (bitmaps && (sink.Over || !bitmaps->Add(sink.Codes, sink.N, uint32_t(r)))) bitmaps.reset();
        column.End();
    }
    if (bitmaps)
        data.Bitmaps = std::move(bitmaps);
    else
        data.Column = column.Finish();
    return data;
}

// Keeps data as the entry of key, the most recently used (an entry another thread built
// meanwhile stays).
TRankPassData KeepRankPassData(const TColumnKey& key, TRankPassData data) {
    TCache& cache = Cache();
    std::lock_guard<std::mutex> lock(cache.Lock);
    TEntry* e = cache.Find(key);
    if (e && !e->Pending) return {e->Bitmaps, e->Column};
    if (!e) {
        cache.Entries.push_front(TEntry{key});
        e = &cache.Entries.front();
    }
    e->Pending = false;
    e->Column = data.Column;
    e->Bitmaps = data.Bitmaps;
    cache.Bytes += e->Bytes();
    cache.Trim();
    return data;
}

// Building the data of a reference draw costs about three passes that test the full set one by
// one (the codes of every combination, written to the bitmaps or the column): it is built once the
// passes on that draw have tested that many.
constexpr size_t kDrawDataBuildAfter = 3;

// The archive as far as a statistic may read it, the reference draw and the order.
uint64_t DrawsHash(const TDrawsArray* draws, int lastIndex, bool sorted) {
    uint64_t h = Mix(uint64_t(uint32_t(lastIndex)), sorted ? 1 : 2);
    if (!draws) return h;
    h = Mix(h, draws->size());
    for (const TDrawRecord& d : *draws) {
        uint64_t v = uint32_t(d.Number);
        for (uint8_t n : d.Numbers) v = (v << 8) ^ n;
        h = Mix(h, v);
        h = Mix(h, uint64_t(d.Extras[0]) << 8 | d.Extras[1]);
    }
    return h;
}

} // namespace

TRankPassData RankPassDataFor(const TCustomStat& stat, uint32_t codeBound, const TCodesOf& codesOf) {
    TCache& cache = Cache();
    const TColumnKey key = ColumnKeyOf(stat, codeBound, codesOf, 1);
    std::shared_ptr<const TValueColumn> recordsColumn;  // the records passes' column, when built
    {
        std::lock_guard<std::mutex> lock(cache.Lock);
        if (const TEntry* e = cache.Find(key)) return {e->Bitmaps, e->Column};
        TColumnKey records = key;
        records.Kind = 0;
        if (const TEntry* e = cache.Find(records)) recordsColumn = e->Column;
    }
    TRankPassData data;
    if (recordsColumn) {
        // Its bitmaps when its codes are few, else the column itself.
        data.Bitmaps = TCodeBitmaps::FromColumn(*recordsColumn, codeBound);
        if (!data.Bitmaps) data.Column = recordsColumn;
    } else {
        data = BuildRankPassData(codeBound, codesOf);
    }
    return KeepRankPassData(key, std::move(data));
}

TRankPassData DrawRankPassDataFor(const TCustomStat& stat, uint32_t codeBound, const TCodesOf& codesOf, int lastIndex,
                                  bool sorted, const uint64_t* words, uint64_t salt) {
    TCache& cache = Cache();
    TColumnKey key = ColumnKeyOf(stat, codeBound, codesOf, 2);
    key.Draws = Mix(DrawsHash(stat.Draws, lastIndex, sorted), salt);
    {
        std::lock_guard<std::mutex> lock(cache.Lock);
        TEntry* e = cache.Find(key);
        if (e && !e->Pending) return {e->Bitmaps, e->Column};
        if (!cache.Forced) {
            const size_t tested = CountRanks(words);
            if (!e) {
                cache.Entries.push_front(TEntry{key});
                cache.Trim();  // drops the oldest: the new entry stays
                e = &cache.Entries.front();
                e->Pending = true;
            }
            // The earlier passes of this draw must have cost about what building costs.
            if (e->Tested < kDrawDataBuildAfter * size_t(kCombinationTotal)) {
                e->Tested += tested;
                return {};
            }
        }
    }
    return KeepRankPassData(key, BuildRankPassData(codeBound, codesOf));
}

bool SetValueColumnForced(bool forced) {
    TCache& cache = Cache();
    std::lock_guard<std::mutex> lock(cache.Lock);
    const bool old = cache.Forced;
    cache.Forced = forced;
    return old;
}

size_t SetValueColumnCacheBytes(size_t bytes) {
    TCache& cache = Cache();
    std::lock_guard<std::mutex> lock(cache.Lock);
    const size_t old = cache.Bound;
    cache.Bound = bytes;
    cache.Trim();
    return old;
}

size_t SetValueColumnBuildMinimum(size_t count) { return buildMinimum.exchange(count); }

size_t ValueColumnBuildMinimum() { return buildMinimum.load(std::memory_order_relaxed); }

size_t ValueColumnCacheBytes() {
    TCache& cache = Cache();
    std::lock_guard<std::mutex> lock(cache.Lock);
    return cache.Bytes;
}

size_t ValueColumnCount() {
    TCache& cache = Cache();
    std::lock_guard<std::mutex> lock(cache.Lock);
    return size_t(std::count_if(cache.Entries.begin(), cache.Entries.end(),
                                [](const TEntry& e) { return e.Bytes() > 0; }));
}

void ClearValueColumns() {
    TCache& cache = Cache();
    std::lock_guard<std::mutex> lock(cache.Lock);
    cache.Entries.clear();
    cache.Bytes = 0;
}

} // namespace velmora
