#include "core/views/sum_distribution.h"

#include "core/model/game.h"
#include "core/util/format.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Counts indexed by sum turned into a list sorted by sum, without the sums never met.
TStatSimpleArray CountsToList(const int32_t* counts, int size) {
    TStatSimpleArray list;
    for (int s = 0; s < size; ++s)
        if (counts[s]) list.push_back({s, counts[s]});
    return list;
}

} // namespace

void ComputeSumRanges(TSumDistribution& dist) {
    static const char* const marks[kSumRangeCount] = {"1/3", "1/2", "2/3"};
    const TStatSimpleArray& t = dist.Theoretical;
    dist.MinT = dist.MaxT = 0;
    if (!t.empty()) {
        dist.MinT = dist.MaxT = t.front().Count;
        for (const TStatSimpleRec& r : t) {
            dist.MinT = std::min(dist.MinT, r.Count);
            dist.MaxT = std::max(dist.MaxT, r.Count);
        }
    }
    const double range = double(dist.MaxT) - double(dist.MinT) + 1;
    const double levels[kSumRangeCount] = {dist.MinT + range / 3, dist.MinT + range / 2, dist.MinT + 2 * range / 3};
    const int middle = int(t.size()) / 2;
    for (int k = 0; k < kSumRangeCount; ++k) {
        TSumRange& r = dist.Ranges[size_t(k)];
        r.Level = int32_t(std::trunc(levels[k]));
        r.Mark = marks[k];
        r.Low = r.High = 0;
        for (int i = 0; i <= middle && i < int(t.size()); ++i)
            if (t[size_t(i)].Count >= r.Level) {
                r.Low = t[size_t(i)].Value;
                break;
            }
        for (int i = int(t.size()) - 1; i >= middle && i >= 0; --i)
            if (t[size_t(i)].Count >= r.Level) {
                r.High = t[size_t(i)].Value;
                break;
            }
        r.Title = Format(Tr("Диапазон %d (от %s и выше по оси Y) - суммы %d-%d"), {k + 1, r.Mark, r.Low, r.High});
    }
}

TSumDistribution ComputeSumDistribution(const TDrawsArchive& archive, TProgressSink& sink) {
    TSumDistribution dist;
    TStatusScope status(sink, Tr(kSumDistributionStatus));

    // Every combination in lexicographic order, counted by sum in a table indexed by the sum.
    int32_t theoretical[MaxSum + 1] = {};
    for (int a = kMinNumber; a <= kMaxNumber - 4; ++a) {
        if (sink.StopRequested()) {
            dist.Stopped = true;
            return dist;
        }
        sink.Percent(100.0 * (a - kMinNumber) / (kMaxNumber - 4));
        for (int b = a + 1; b <= kMaxNumber - 3; ++b)
            for (int c = b + 1; c <= kMaxNumber - 2; ++c)
                for (int d = c + 1; d <= kMaxNumber - 1; ++d) {
                    const int abcd = a + b + c + d;
                    for (int e = d + 1; e <= kMaxNumber; ++e) ++theoretical[abcd + e];
                }
    }
    dist.Theoretical = CountsToList(theoretical, MaxSum + 1);

    // The stored bytes of a draw sum to at most 5 * 255.
    constexpr int kMaxStoredSum = 5 * 255;
    std::vector<int32_t> actual(kMaxStoredSum + 1, 0);
    for (const TDrawRecord& d : archive.Draws) ++actual[size_t(d.Sum())];
    dist.Actual = CountsToList(actual.data(), kMaxStoredSum + 1);
    for (const TStatSimpleRec& r : dist.Actual) dist.MaxA = std::max(dist.MaxA, r.Count);

    ComputeSumRanges(dist);
    return dist;
}

} // namespace velmora
