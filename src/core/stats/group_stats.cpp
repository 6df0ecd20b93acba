#include "core/stats/group_stats.h"

#include "core/model/game.h"
#include "core/util/format.h"

#include <algorithm>

namespace velmora {

namespace {

template <class Rule>
TNumberGroups MakeGroups(Rule rule, int size, int width) {
    TNumberGroups g;
    for (int n = 1; n < 256; ++n) g.Of[size_t(n)] = uint8_t(std::clamp(rule(n), 0, 255));
    bool seen[256] = {};
    for (int n = kMinNumber; n <= kMaxNumber; ++n) {
        const uint8_t id = g.Of[size_t(n)];
        if (!seen[id]) {
            seen[id] = true;
            g.Order[size_t(g.Count++)] = id;
        }
    }
    g.Size = size;
    g.Width = width;
    return g;
}

} // namespace

TNumberGroups ChannelGroups(int width) {
    const int w = std::clamp(width, 1, 255);
    return MakeGroups([w](int n) { return CeilDiv(n, w); }, w, w);
}

TNumberGroups ColumnGroups(int cols) {
    const int w = std::clamp(cols, 1, kMaxNumber);
    return MakeGroups([w](int n) { return MatrixColumn(n, w); }, CeilDiv(kMaxNumber, w), w);
}

TNumberGroups RowGroups(int cols) {
    const int w = std::clamp(cols, 1, kMaxNumber);
    return MakeGroups([w](int n) { return MatrixRow(n, w); }, w, w);
}

TNumberGroups SegmentGroups(const std::array<uint8_t, 50>& map) {
    return MakeGroups([&map](int n) { return n <= kMaxNumber ? int(map[size_t(n - 1)]) : 0; }, 0, 0);
}

std::string ChannelText(int channel, int width) {
    return Format("%.2d [%s-%s]", {channel, IntToText(int64_t(width) * (channel - 1) + 1), IntToText(int64_t(width) * channel)});
}

std::string TupleText(const TStatValueRec& rec, int k) {
    std::string text;
    for (int j = 0; j < k; ++j) text += (j ? ":" : "") + IntToText(rec.Key.K[j]);
    return text;
}

} // namespace velmora
