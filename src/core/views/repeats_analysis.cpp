#include "core/views/repeats_analysis.h"

#include "core/model/game.h"
#include "core/util/format.h"

#include <algorithm>
#include <bit>

namespace velmora {

uint64_t DrawNumberMask(const TDrawRecord& draw) {
    uint64_t mask = 0;
    for (uint8_t n : draw.Numbers)
        if (n >= kMinNumber && n <= kMaxNumber) mask |= uint64_t(1) << n;
    return mask;
}

std::string TRepeatsAnalysis::ListText(const TRepeatsRow& row) const {
    std::string text;
    for (uint32_t i = row.First; i < row.First + uint32_t(row.Count); ++i) {
        if (i > row.First) text += ' ';
        text += IntToText(Draws[i]);
    }
    return text;
}

namespace {

// out[j] = the numbers draw p shares with draw p - 1 - j, for j = 0 .. count - 1.
[[gnu::always_inline]] inline void SharedCountsBody(uint64_t mp, const uint64_t* before, int count, uint8_t* out) {
    for (int j = 0; j < count; ++j) out[j] = uint8_t(std::popcount(mp & before[-j]));
}

void SharedCountsPlain(uint64_t mp, const uint64_t* before, int count, uint8_t* out) {
    SharedCountsBody(mp, before, count, out);
}

#if defined(__GNUC__) && defined(__x86_64__)
// The processor's population count instruction where it has one (the baseline x86-64 target
// lacks it and calls a library routine per pair).
[[gnu::target("popcnt")]] void SharedCountsPopcnt(uint64_t mp, const uint64_t* before, int count, uint8_t* out) {
    SharedCountsBody(mp, before, count, out);
}

using TSharedCounts = void (*)(uint64_t, const uint64_t*, int, uint8_t*);
TSharedCounts SharedCounts() {
    static const TSharedCounts f = __builtin_cpu_supports("popcnt") ? SharedCountsPopcnt : SharedCountsPlain;
    return f;
}
#else
auto SharedCounts() { return SharedCountsPlain; }
#endif

} // namespace

TRepeatsAnalysis AnalyzeRepeats(const TDrawsArray& draws, int length, int depth, TProgressSink& sink) {
    TRepeatsAnalysis result;
    const int last = int(draws.size()) - 1;
    if (last < 0 || length < 1 || depth < 1) return result;
    TStatusScope status(sink, Tr(kRepeatsStatus));
    const int first = std::max(0, last - length + 1);
    const auto sharedCounts = SharedCounts();

    // Masks and numbers of the draws compared, contiguous: index i - base holds draw i.
    const int base = std::max(0, first - depth);
    std::vector<uint64_t> masks(size_t(last - base + 1));
    std::vector<int32_t> numbers(masks.size());
    for (int i = base; i <= last; ++i) {
        masks[size_t(i - base)] = DrawNumberMask(draws[size_t(i)]);
        numbers[size_t(i - base)] = draws[size_t(i)].Number;
    }

    // Scratch of one analysed draw: the shared count of each predecessor, newest first, and a
    // sink for the predecessors that share nothing.
    const size_t maxCompared = size_t(std::min(depth, last));
    std::vector<uint8_t> shared(maxCompared);
    std::vector<int32_t> unshared(maxCompared);
    const int steps = last - first + 1;
    for (int p = last; p >= first; --p) {
        const int done = last - p;
        if ((done & 1023) == 0) {
            if (sink.StopRequested()) {
                result.Stopped = true;
                break;
            }
            sink.Percent(100.0 * done / steps);
            // Room for the lists of the draws still to come at the rate so far, so that the big
            // list grows a few times rather than at every doubling.
            if (done > 0) {
                const double projected = double(result.Draws.size()) * steps / done * 1.05;
                if (projected > double(result.Draws.capacity())) result.Draws.reserve(size_t(projected));
                const double rows = double(result.Rows.size()) * steps / done * 1.05;
                if (rows > double(result.Rows.capacity())) result.Rows.reserve(size_t(rows));
            }
        }
        const int compared = p - std::max(0, p - depth);
        if (compared == 0) continue;
        const int at = p - base;
        sharedCounts(masks[size_t(at)], masks.data() + (at - 1), compared, shared.data());

        // How many predecessors share m numbers and where m is first met (newest first).
        int32_t counts[kNumberCount + 1] = {};
        int firstAt[kNumberCount + 1] = {};
        for (int j = 0; j < compared; ++j) {
            const uint8_t m = std::min<uint8_t>(shared[size_t(j)], kNumberCount);
            shared[size_t(j)] = m;
            if (counts[m]++ == 0) firstAt[m] = j;
        }
        int order[kNumberCount];
        int rows = 0;
        for (int m = 1; m <= kNumberCount; ++m)
            if (counts[m]) {
                order[rows++] = m;
                result.Max = std::max(result.Max, int32_t(m));
            }
        if (rows == 0) continue;
        std::sort(order, order + rows, [&](int a, int b) { return firstAt[a] < firstAt[b]; });

        // One row per shared count in the order first met; one pass scatters each predecessor
        // into its row's slice of the flat list, newest first.
        int32_t* slot[kNumberCount + 1] = {unshared.data()};
        const size_t start = result.Draws.size();
        size_t total = 0;
        for (int r = 0; r < rows; ++r) {
            const int m = order[r];
            result.Rows.push_back({numbers[size_t(at)], m, counts[m], uint32_t(start + total)});
            total += size_t(counts[m]);
        }
        result.Draws.resize(start + total);
        for (int r = 0, offset = 0; r < rows; ++r) {
            slot[order[r]] = result.Draws.data() + start + offset;
            offset += counts[order[r]];
        }
        for (int m = 1; m <= kNumberCount; ++m)
            if (!counts[m]) slot[m] = unshared.data();
        const int32_t* before = numbers.data() + (at - 1);
        for (int j = 0; j < compared; ++j) *slot[shared[size_t(j)]]++ = before[-j];
    }
    return result;
}

std::vector<TRepeatsSeries> RepeatsChartSeries(const TRepeatsAnalysis& analysis, TProgressSink& sink) {
    std::vector<TRepeatsSeries> series;
    if (analysis.Max <= 0) return series;
    TStatusScope status(sink, Tr(kRepeatsChartStatus));
    for (int m = 1; m <= analysis.Max; ++m) series.push_back({m, Format(Tr(kRepeatsSeriesTitle), {m}), {}});
    for (auto row = analysis.Rows.rbegin(); row != analysis.Rows.rend(); ++row)
        if (row->Shared >= 1 && row->Shared <= analysis.Max)
            series[size_t(row->Shared - 1)].Points.push_back({row->Draw, row->Count});
    return series;
}

} // namespace velmora
