// The value of a number for the series, period and chain statistics: the number itself, its
// channel (blocks of "ChannelSize" consecutive numbers) or its segment (entry of the segment map
// "MatrixSegments"), with the range of value ids each kind handles under the settings. A statistic
// takes a copy when it is created, so a later change of the settings does not reach it.
#pragma once

#include "core/stats/stat_config.h"
#include "core/stats/stat_framework.h"

#include <array>
#include <cstdint>
#include <string>

namespace velmora {

enum class TValueKind : uint8_t { Numbers, Channels, Segments };

struct TNumberValues {
    std::array<uint8_t, 256> Of{};  // the value id of every byte; the byte 0 (no number) has none (0)
    int First = 1;                  // the value ids handled: First .. Last
    int Last = 50;
    int Width = 0;  // channels: the channel width (at least 1)

    // Whether some number of the draw (1..50) has the value id v.
    bool DrawHas(const TDrawRecord& draw, int v) const {
        for (uint8_t x : draw.Numbers)
            if (x >= 1 && x <= 50 && Of[x] == v) return true;
        return false;
    }
    // How many numbers of the five (1..50) have the value id v.
    int CountOf(const uint8_t* n, int v) const {
        int k = 0;
        for (int i = 0; i < 5; ++i) k += (n[i] >= 1 && n[i] <= 50 && Of[n[i]] == v) ? 1 : 0;
        return k;
    }
};

// Numbers: 1..50 each its own id. Channels of width w (widths below 1 count as 1): CeilDiv(n, w),
// ids 1 .. CeilDiv(50, w). Segments: the map entry of n, ids from min(9, smallest entry) to
// max(1, largest entry).
TNumberValues NumberValues(TValueKind kind, const TConfigData& config);

// The segment ids a parameterised segment statistic runs over: min(9, smallest entry) ..
// max(1, largest entry) of the map.
TParamRange SegmentValueRange(const std::array<uint8_t, 50>& map);

// The text of a value id: "%.2d" for channels, the plain integer otherwise.
std::string ValueIdText(TValueKind kind, int v);

} // namespace velmora
