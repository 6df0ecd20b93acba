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

TRepeatsAnalysis AnalyzeRepeats(const TDrawsArray& draws, int length, int depth, TProgressSink& sink) {
    TRepeatsAnalysis result;
    const int last = int(draws.size()) - 1;
    if (last < 0 || length < 1 || depth < 1) return result;
    TStatusScope status(sink, Tr(kRepeatsStatus));
    const int first = std::max(0, last - length + 1);

    std::vector<uint64_t> masks(draws.size());
    for (size_t i = 0; i < draws.size(); ++i) masks[i] = DrawNumberMask(draws[i]);

    // Scratch of one analysed draw: the shared count of each predecessor, newest first.
    std::vector<uint8_t> shared(size_t(std::min(depth, last)));
    const int steps = last - first + 1;
    for (int p = last; p >= first; --p) {
        const int done = last - p;
        if ((done & 1023) == 0) {
            if (sink.StopRequested()) {
                result.Stopped = true;
                break;
            }
            sink.Percent(100.0 * done / steps);
        }
        const int e = std::max(0, p - depth);
        const uint64_t mp = masks[size_t(p)];
        int32_t counts[kNumberCount + 1] = {};
        int order[kNumberCount];
        int rows = 0;
        for (int q = p - 1; q >= e; --q) {
            const int m = std::popcount(mp & masks[size_t(q)]);
            shared[size_t(p - 1 - q)] = uint8_t(m);
            if (m > 0 && counts[m]++ == 0) order[rows++] = m;
            result.Max = std::max(result.Max, int32_t(m));
        }
        if (rows == 0) continue;
        // Each row's draws take a slice of the flat list; a second pass fills them newest first.
        uint32_t next[kNumberCount + 1] = {};
        for (int r = 0; r < rows; ++r) {
            const int m = order[r];
            next[m] = uint32_t(result.Draws.size());
            result.Rows.push_back({draws[size_t(p)].Number, m, counts[m], next[m]});
            result.Draws.resize(result.Draws.size() + size_t(counts[m]));
        }
        for (int q = p - 1; q >= e; --q) {
            const int m = shared[size_t(p - 1 - q)];
            if (m > 0) result.Draws[next[m]++] = draws[size_t(q)].Number;
        }
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
