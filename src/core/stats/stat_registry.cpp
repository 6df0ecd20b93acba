#include "core/stats/stat_registry.h"

#include "core/stats/chain_stats.h"
#include "core/stats/channel_stats.h"
#include "core/stats/comb_value_stats.h"
#include "core/stats/char_number_stats.h"
#include "core/stats/diff_stats.h"
#include "core/stats/matrix_stats.h"
#include "core/stats/number_stats.h"
#include "core/stats/period_stats.h"
#include "core/stats/repeat_stats.h"
#include "core/stats/segment_stats.h"
#include "core/stats/series_stats.h"
#include "core/stats/shredding_stats.h"
#include "core/stats/sum_stats.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace velmora {

void TStatRegistry::Add(int position, const TStatClass& cls) {
    if (position < 1 || position > kRegistryClassCount)
        throw std::logic_error("registry position out of range: " + std::to_string(position));
    for (const auto& e : entries_)
        if (e.Position == position || e.Class == &cls)
            throw std::logic_error("registry position taken twice: " + std::to_string(position));
    entries_.push_back({position, &cls});
}

std::vector<TStatRegistryEntry> TStatRegistry::Entries() const {
    auto v = entries_;
    std::sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a.Position < b.Position; });
    return v;
}

const std::vector<TStatRegistryEntry>& RegisteredStatEntries() {
    static const std::vector<TStatRegistryEntry> entries = [] {
        TStatRegistry r;
        // One line per family; the order of these calls does not matter.
        AddNumberStats(r);
        AddSumStats(r);
        AddDiffStats(r);
        AddChannelStats(r);
        AddMatrixStats(r);
        AddSegmentStats(r);
        AddSeriesStats(r);
        AddPeriodStats(r);
        AddChainStats(r);
        AddCharNumberStats(r);
        AddRepeatStats(r);
        AddCombValueStats(r);
        AddShreddingStats(r);
        return r.Entries();
    }();
    return entries;
}

const std::vector<const TStatClass*>& RegisteredStatClasses() {
    static const std::vector<const TStatClass*> classes = [] {
        std::vector<const TStatClass*> v;
        for (const auto& e : RegisteredStatEntries()) v.push_back(e.Class);
        return v;
    }();
    return classes;
}

} // namespace velmora
