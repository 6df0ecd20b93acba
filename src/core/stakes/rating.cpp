#include "core/stakes/rating.h"

#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <utility>

namespace velmora {

namespace {

constexpr size_t kOffStakes = 256, kOffMatchedTotal = 260, kOffByMatches = 264, kOffProfit = 288;
static_assert(kOffByMatches + 4 * kRatingMatchKinds == kOffProfit);
static_assert(kOffProfit + 8 == kRatingRecordSize, "the rating record is 296 bytes on disk");

void PutU32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
uint32_t GetU32(const unsigned char* p) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(p[i]) << (8 * i);
    return v;
}

uint32_t AddSaturated(uint32_t a, uint32_t b) {
    return a > std::numeric_limits<uint32_t>::max() - b ? std::numeric_limits<uint32_t>::max() : a + b;
}
int64_t AddSaturated(int64_t a, int64_t b) {
    int64_t r;
    if (__builtin_add_overflow(a, b, &r)) return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    return r;
}

// The sign of a difference rounded half to even, as an int.
int RoundedSign(long double diff) {
    const long double r = std::nearbyintl(diff);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

template <class T>
int Cmp(T a, T b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// One UTF-8 character at text[i] (advances i); a stray byte is taken as it is.
uint32_t NextCodePoint(const std::string& s, size_t& i) {
    const auto b = uint8_t(s[i]);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    uint32_t cp = extra == 3 ? (b & 0x07u) : extra == 2 ? (b & 0x0Fu) : extra == 1 ? (b & 0x1Fu) : b;
    ++i;
    for (; extra > 0 && i < s.size() && (uint8_t(s[i]) & 0xC0) == 0x80; --extra, ++i) cp = (cp << 6) | (uint8_t(s[i]) & 0x3Fu);
    return cp;
}

// The lower case of Latin and Cyrillic letters, and whether the character was an upper-case one.
uint32_t LowerCodePoint(uint32_t cp, bool& upper) {
    upper = true;
    if (cp >= 'A' && cp <= 'Z') return cp + 32;
    if (cp >= 0x410 && cp <= 0x42F) return cp + 32;   // А .. Я
    if (cp >= 0x400 && cp <= 0x40F) return cp + 80;   // Ѐ .. Џ (Ё among them)
    upper = false;
    return cp;
}

// Alphabetical weight: "ё" sorts right after "е".
uint64_t Weight(uint32_t lower) {
    if (lower == 0x451) return uint64_t(0x435) * 2 + 1;
    return uint64_t(lower) * 2;
}

// A distribution over consecutive integers from Offset on.
struct TDist {
    uint64_t Offset = 0;
    std::vector<double> P;
};

// Drops the terms at both ends that are negligible beside the largest one.
void Trim(TDist& d) {
    if (d.P.empty()) return;
    const double limit = *std::max_element(d.P.begin(), d.P.end()) * 1e-40;
    size_t lo = 0, hi = d.P.size();
    while (lo + 1 < hi && d.P[lo] < limit) ++lo;
    while (hi - 1 > lo && d.P[hi - 1] < limit) --hi;
    d.P = std::vector<double>(d.P.begin() + long(lo), d.P.begin() + long(hi));
    d.Offset += lo;
}

TDist Convolve(const TDist& a, const TDist& b) {
    TDist r;
    r.Offset = a.Offset + b.Offset;
    r.P.assign(a.P.size() + b.P.size() - 1, 0.0);
    for (size_t i = 0; i < a.P.size(); ++i) {
        const double x = a.P[i];
        if (x == 0) continue;
        double* out = r.P.data() + i;
        for (size_t j = 0; j < b.P.size(); ++j) out[j] += x * b.P[j];
    }
    Trim(r);
    return r;
}

} // namespace

// ---- the record ---------------------------------------------------------------------------------

void WriteRatingRecord(const TRatingRecord& rec, unsigned char out[kRatingRecordSize]) {
    std::memset(out, 0, kRatingRecordSize);
    std::string bytes = Utf8ToCp1251(rec.Comment);
    if (bytes.size() > 255) bytes.resize(255);
    out[0] = uint8_t(bytes.size());
    std::memcpy(out + 1, bytes.data(), bytes.size());
    PutU32(out + kOffStakes, rec.Stakes);
    PutU32(out + kOffMatchedTotal, rec.MatchedTotal);
    for (int i = 0; i < kRatingMatchKinds; ++i) PutU32(out + kOffByMatches + 4 * size_t(i), rec.ByMatches[size_t(i)]);
    const auto profit = uint64_t(rec.Profit);
    for (int i = 0; i < 8; ++i) out[kOffProfit + size_t(i)] = uint8_t(profit >> (8 * i));
}

void ReadRatingRecord(const unsigned char in[kRatingRecordSize], TRatingRecord& rec) {
    rec.Comment = Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(in + 1), in[0]));
    rec.Stakes = GetU32(in + kOffStakes);
    rec.MatchedTotal = GetU32(in + kOffMatchedTotal);
    for (int i = 0; i < kRatingMatchKinds; ++i) rec.ByMatches[size_t(i)] = GetU32(in + kOffByMatches + 4 * size_t(i));
    uint64_t profit = 0;
    for (int i = 0; i < 8; ++i) profit |= uint64_t(in[kOffProfit + size_t(i)]) << (8 * i);
    rec.Profit = int64_t(profit);
}

// ---- the array ----------------------------------------------------------------------------------

void TRatingsArray::clear() {
    items_.clear();
    index_.clear();
}

void TRatingsArray::push_back(TRatingRecord rec) {
    index_.emplace(LowerCase(rec.Comment), int(items_.size()));  // keeps an earlier entry of that key
    items_.push_back(std::move(rec));
}

int TRatingsArray::IndexOfComment(const std::string& comment) const {
    const auto it = index_.find(LowerCase(comment));
    return it == index_.end() ? -1 : it->second;
}

void TRatingsArray::Reorder(std::vector<TRatingRecord> items) {
    clear();
    items_.reserve(items.size());
    for (auto& r : items) push_back(std::move(r));
}

bool AddRating(TRatingsArray& ratings, const TStakeRecord& stake) {
    const int m = stake.Matched.Count;
    if (m < 0 || m >= kRatingMatchKinds) return false;
    const std::string comment = stake.CommentText();
    const int i = ratings.IndexOfComment(comment);
    if (i >= 0) {
        TRatingRecord& r = ratings.Mutable(size_t(i));
        r.Stakes = AddSaturated(r.Stakes, 1u);
        r.MatchedTotal = AddSaturated(r.MatchedTotal, uint32_t(m));
        r.Profit = AddSaturated(r.Profit, stake.Profit);
        r.ByMatches[size_t(m)] = AddSaturated(r.ByMatches[size_t(m)], 1u);
        return true;
    }
    TRatingRecord r;
    r.Comment = comment;
    r.Stakes = 1;
    r.MatchedTotal = uint32_t(m);
    r.Profit = stake.Profit;
    r.ByMatches[size_t(m)] = 1;
    ratings.push_back(std::move(r));
    return true;
}

// ---- chance ---------------------------------------------------------------------------------------

const TChanceTable& ChanceTable() {
    static const TChanceTable table = [] {
        TChanceTable t;
        t.Total = CombinationCount(kMaxNumber, kNumberCount);
        for (int i = 0; i < kRatingMatchKinds; ++i) {
            t.N[size_t(i)] = CombinationCount(kNumberCount, uint8_t(i)) *
                             CombinationCount(kMaxNumber - kNumberCount, uint8_t(kNumberCount - i));
            t.P[size_t(i)] = double(t.N[size_t(i)]) / double(t.Total);
        }
        return t;
    }();
    return table;
}

bool RatingEntryDamaged(const TRatingRecord& rec) {
    constexpr uint32_t most = uint32_t(std::numeric_limits<int32_t>::max());
    if (rec.Stakes > most || rec.MatchedTotal > most) return true;
    uint64_t sum = 0;
    for (uint32_t n : rec.ByMatches) {
        if (n > most) return true;
        sum += n;
    }
    return sum != rec.Stakes;
}

namespace {

// The cumulant generating function of one stake's match count, K(t) = log sum p_i e^(t i), with
// its first two derivatives; the terms are scaled by the largest so that no exponent overflows.
struct TCumulants {
    double K = 0, K1 = 0, K2 = 0;
};
TCumulants StakeCumulants(double t) {
    const TChanceTable& chance = ChanceTable();
    double logs[kRatingMatchKinds];
    double top = -std::numeric_limits<double>::infinity();
    for (int i = 0; i < kRatingMatchKinds; ++i) {
        logs[i] = std::log(chance.P[size_t(i)]) + t * i;
        top = std::max(top, logs[i]);
    }
    double s0 = 0, s1 = 0, s2 = 0;
    for (int i = 0; i < kRatingMatchKinds; ++i) {
        const double w = std::exp(logs[i] - top);
        s0 += w;
        s1 += w * i;
        s2 += w * i * i;
    }
    TCumulants c;
    c.K = top + std::log(s0);
    c.K1 = s1 / s0;
    c.K2 = std::max(0.0, s2 / s0 - c.K1 * c.K1);
    return c;
}

double NormalUpper(double z) { return 0.5 * std::erfc(z / std::sqrt(2.0)); }
double NormalDensity(double z) { return std::exp(-0.5 * z * z) / std::sqrt(2.0 * M_PI); }

} // namespace

double MatchTailSaddlePoint(uint32_t s, uint32_t matched) {
    if (s == 0 || matched == 0) return 1.0;
    if (uint64_t(matched) > uint64_t(s) * kNumberCount) return 0.0;
    const double n = s;
    // The cumulants of one stake at t = 0, from the central moments of the chance table.
    const TChanceTable& chance = ChanceTable();
    double mean = 0, m2 = 0, m3 = 0, m4 = 0;
    for (int i = 0; i < kRatingMatchKinds; ++i) mean += i * chance.P[size_t(i)];
    for (int i = 0; i < kRatingMatchKinds; ++i) {
        const double d = i - mean, p = chance.P[size_t(i)];
        m2 += p * d * d;
        m3 += p * d * d * d;
        m4 += p * d * d * d * d;
    }
    // The continuity correction of a lattice sum: the tail from k is the tail beyond k - 1/2.
    const double z = (double(matched) - 0.5 - n * mean) / std::sqrt(n * m2);
    if (std::fabs(z) < 2) {
        // Near the mean the saddle point tends to t = 0, where its formula is 0/0 and loses its
        // digits: the Edgeworth series to the order 1/n is as good there.
        const double g1 = m3 / std::pow(m2, 1.5) / std::sqrt(n), g2 = (m4 - 3 * m2 * m2) / (m2 * m2) / n;
        const double he2 = z * z - 1, he3 = z * z * z - 3 * z, he5 = std::pow(z, 5) - 10 * z * z * z + 15 * z;
        return std::clamp(NormalUpper(z) + NormalDensity(z) * (g1 / 6 * he2 + g2 / 24 * he3 + g1 * g1 / 72 * he5),
                          0.0, 1.0);
    }
    // Lugannani-Rice with the second continuity correction: the saddle point of k - 1/2.
    const double x = (double(matched) - 0.5) / n;  // within (0, 5)
    double lo = -100, hi = 100;
    for (int i = 0; i < 200 && hi - lo > 1e-15; ++i) {
        const double mid = 0.5 * (lo + hi);
        (StakeCumulants(mid).K1 < x ? lo : hi) = mid;
    }
    double t = 0.5 * (lo + hi);
    for (int i = 0; i < 3; ++i) {  // Newton steps to the last digits
        const TCumulants c = StakeCumulants(t);
        if (c.K2 > 0) t -= (c.K1 - x) / c.K2;
    }
    const TCumulants c = StakeCumulants(t);
    const double w = (t < 0 ? -1 : 1) * std::sqrt(std::max(0.0, 2 * n * (t * x - c.K)));
    const double u = 2 * std::sinh(t / 2) * std::sqrt(n * c.K2);
    if (w == 0 || u == 0) return z > 0 ? 0.0 : 1.0;
    return std::clamp(NormalUpper(w) + NormalDensity(w) * (1 / u - 1 / w), 0.0, 1.0);
}

double MatchTailProbability(uint32_t s, uint32_t matched) {
    if (s == 0 || matched == 0) return 1.0;
    if (uint64_t(matched) > uint64_t(s) * kNumberCount) return 0.0;
    if (s > kExactMatchTailStakes) return MatchTailSaddlePoint(s, matched);
    const TChanceTable& chance = ChanceTable();
    TDist base;
    base.P.assign(chance.P.begin(), chance.P.end());
    TDist result;
    result.P = {1.0};
    for (uint32_t n = s; n > 0; n >>= 1) {
        if (n & 1u) result = Convolve(result, base);
        if (n > 1) base = Convolve(base, base);
    }
    // The sum from `matched` up; the terms are added from the smallest end for accuracy.
    if (matched <= result.Offset) return 1.0;
    const uint64_t from = matched - result.Offset;
    if (from >= result.P.size()) return 0.0;
    long double tail = 0, total = 0;
    for (size_t i = result.P.size(); i-- > 0;) {
        total += result.P[i];
        if (i >= from) tail += result.P[i];
    }
    return double(std::min<long double>(1.0L, tail / total));
}

double TMatchTailCache::Get(uint32_t s, uint32_t matched) {
    const uint64_t key = (uint64_t(s) << 32) | matched;
    const auto it = known_.find(key);
    if (it != known_.end()) return it->second;
    return known_[key] = MatchTailProbability(s, matched);
}

// ---- the list -------------------------------------------------------------------------------------

const std::array<const char*, kRatingColumnCount> kRatingCaptions = {
    TrNoop("Комментарий"), TrNoop("Ставок"), TrNoop("Угадано"), TrNoop("Среднее"), TrNoop("Профит"), TrNoop("Ср. профит"), "0", "1", "2", "3",
    "4",           "5",      "E0",      "E1",      "E2",     "E3",         "E4", "E5", "p"};
const char* const kRatingPHint =
    TrNoop("Вероятность того, что случайные ставки в том же количестве угадали бы в сумме не меньше чисел "
    "(малое значение: строка лучше случайности)");

int RatingColumnAlign(int column) {
    if (column == rcComment) return -1;
    if (column == rcProfit || column == rcAvgProfit) return 1;
    return 0;
}

std::array<std::string, kRatingColumnCount> RatingCells(const TRatingRecord& rec, int mode, TMatchTailCache* cache) {
    std::array<std::string, kRatingColumnCount> c;
    try {
        if (RatingEntryDamaged(rec)) throw FormatError("damaged counts");
        const uint32_t s = rec.Stakes;
        c[rcComment] = rec.Comment;
        c[rcStakes] = Format("%d", {s});
        c[rcMatched] = Format("%d", {rec.MatchedTotal});
        c[rcProfit] = Format("%.2f", {MoneyUnits(rec.Profit)});
        for (int i = 0; i < kRatingMatchKinds; ++i) c[size_t(rcMatch0 + i)] = Format("%d", {rec.ByMatches[size_t(i)]});
        if (s > 0) {
            c[rcAverage] = Format("%.3f", {double(rec.MatchedTotal) / s});
            c[rcAvgProfit] = Format("%.2f", {double(RoundHalfEven((long double)rec.Profit / s)) / 10000.0});
            const TChanceTable& chance = ChanceTable();
            for (int i = 0; i < kRatingMatchKinds; ++i) {
                const double p = chance.P[size_t(i)], n = rec.ByMatches[size_t(i)];
                std::string& cell = c[size_t(rcEff0 + i)];
                switch (mode) {
                case remExpected: cell = Format("%d", {RoundHalfEven((long double)s * p)}); break;
                case remAbsolute: cell = Format("%.3f%%", {n * 100.0 / s - p * 100.0}); break;
                case remRelative: cell = Format("%.3f%%", {n * 100.0 / (s * p)}); break;
                default: throw FormatError("unknown efficiency mode");
                }
            }
            c[rcP] = Format("%.4f", {cache ? cache->Get(s, rec.MatchedTotal) : MatchTailProbability(s, rec.MatchedTotal)});
        }
    } catch (const std::exception&) {
        c = {};
        c[rcComment] = kBadRatingData;
    }
    return c;
}

// ---- sorting --------------------------------------------------------------------------------------

int CompareLocaleText(const std::string& a, const std::string& b) {
    int caseOrder = 0;  // the first difference in case only
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        bool ua, ub;
        const uint32_t la = LowerCodePoint(NextCodePoint(a, i), ua), lb = LowerCodePoint(NextCodePoint(b, j), ub);
        if (la != lb) return Cmp(Weight(la), Weight(lb));
        if (caseOrder == 0 && ua != ub) caseOrder = ua ? 1 : -1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return caseOrder;
}

int CompareRatings(const TRatingRecord& a, const TRatingRecord& b, int column) {
    if (a.Stakes == 0 || b.Stakes == 0 || RatingEntryDamaged(a) || RatingEntryDamaged(b)) return 0;
    switch (column) {
    case rcComment: return CompareLocaleText(a.Comment, b.Comment);
    case rcStakes: return Cmp(a.Stakes, b.Stakes);
    case rcMatched: return Cmp(a.MatchedTotal, b.MatchedTotal);
    case rcAverage:
        return RoundedSign(((long double)a.MatchedTotal / a.Stakes - (long double)b.MatchedTotal / b.Stakes) * 100);
    case rcProfit: return RoundedSign(((long double)a.Profit - (long double)b.Profit) * 100 / 10000);
    case rcAvgProfit:
        return RoundedSign(((long double)a.Profit / a.Stakes - (long double)b.Profit / b.Stakes) * 100 / 10000);
    case rcP: return Cmp(MatchTailProbability(a.Stakes, a.MatchedTotal), MatchTailProbability(b.Stakes, b.MatchedTotal));
    default:
        if (column >= rcMatch0 && column < rcMatch0 + kRatingMatchKinds)
            return Cmp(a.ByMatches[size_t(column - rcMatch0)], b.ByMatches[size_t(column - rcMatch0)]);
        return 0;  // the E columns and anything beyond
    }
}

namespace {

// The product's quicksort on positions 0..n-1 through cmp(i, j) of the current contents; swap
// exchanges two positions. The inner scans are bounded, so an inconsistent comparison cannot run
// past the range; the larger part is looped over so that the depth stays logarithmic.
void QuickSort(int l, int r, const std::function<int(int, int)>& cmp, const std::function<void(int, int)>& swap) {
    while (l < r) {
        int i = l, j = r, p = (l + r) / 2;
        do {
            while (i < r && cmp(i, p) < 0) ++i;
            while (j > l && cmp(j, p) > 0) --j;
            if (i <= j) {
                if (i != j && cmp(i, j) != 0) {
                    swap(i, j);
                    // The pivot follows its entry.
                    if (p == i) p = j;
                    else if (p == j) p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - l < r - i) {
            if (l < j) QuickSort(l, j, cmp, swap);
            l = i;
        } else {
            if (i < r) QuickSort(i, r, cmp, swap);
            r = j;
        }
    }
}

} // namespace

void SortRatingsArray(TRatingsArray& ratings, int column, bool descending) {
    if (column < 0 || ratings.size() < 2) return;
    std::vector<TRatingRecord> items = ratings.Items();
    const int sign = descending ? -1 : 1;
    std::function<int(int, int)> cmp;
    std::vector<double> p;  // the "p" of each entry, computed once
    if (column == rcP) {
        TMatchTailCache known;
        // A damaged entry gets no probability (NaN) and compares equal, as one without stakes.
        for (const auto& r : items)
            p.push_back(RatingEntryDamaged(r) ? std::numeric_limits<double>::quiet_NaN() : known.Get(r.Stakes, r.MatchedTotal));
        cmp = [&](int i, int j) {
            if (items[size_t(i)].Stakes == 0 || items[size_t(j)].Stakes == 0) return 0;
            if (std::isnan(p[size_t(i)]) || std::isnan(p[size_t(j)])) return 0;
            return sign * Cmp(p[size_t(i)], p[size_t(j)]);
        };
    } else {
        cmp = [&](int i, int j) { return sign * CompareRatings(items[size_t(i)], items[size_t(j)], column); };
    }
    QuickSort(0, int(items.size()) - 1, cmp, [&](int i, int j) {
        std::swap(items[size_t(i)], items[size_t(j)]);
        if (!p.empty()) std::swap(p[size_t(i)], p[size_t(j)]);
    });
    ratings.Reorder(std::move(items));
}

} // namespace velmora
