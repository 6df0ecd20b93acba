#include "core/stats/number_values.h"

#include "core/model/game.h"
#include "core/util/format.h"

#include <algorithm>

namespace velmora {

TParamRange SegmentValueRange(const std::array<uint8_t, 50>& map) {
    int lo = 9, hi = 1;
    for (uint8_t v : map) {
        lo = std::min(lo, int(v));
        hi = std::max(hi, int(v));
    }
    return {lo, hi};
}

TNumberValues NumberValues(TValueKind kind, const TConfigData& config) {
    TNumberValues r;
    switch (kind) {
        case TValueKind::Numbers:
            for (int n = 1; n <= kMaxNumber; ++n) r.Of[size_t(n)] = uint8_t(n);
            r.First = kMinNumber;
            r.Last = kMaxNumber;
            break;
        case TValueKind::Channels: {
            const int w = std::clamp(config.ChannelSize, 1, 255);
            for (int n = 1; n <= kMaxNumber; ++n) r.Of[size_t(n)] = uint8_t(CeilDiv(n, w));
            r.First = 1;
            r.Last = CeilDiv(kMaxNumber, w);
            r.Width = w;
            break;
        }
        case TValueKind::Segments: {
            for (int n = 1; n <= kMaxNumber; ++n) r.Of[size_t(n)] = config.MatrixSegments[size_t(n - 1)];
            const TParamRange range = SegmentValueRange(config.MatrixSegments);
            r.First = range.Min;
            r.Last = range.Max;
            break;
        }
    }
    return r;
}

std::string ValueIdText(TValueKind kind, int v) {
    return kind == TValueKind::Channels ? Format("%.2d", {v}) : IntToText(v);
}

} // namespace velmora
