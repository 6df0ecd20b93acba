#include "core/stakes/stake_tally.h"

namespace velmora {

int TStakeTally::Count(TStakeFile& file) {
    const int records = file.IsOpen() ? file.StakeCount() : 0;
    if (records < records_) Reset();
    if (records > records_) {
        file.ForEachStake([this](int, const TStakeRecord& rec) {
            if (IsStake(rec)) ++stakes_;
        }, records_);
        records_ = records;
    }
    return stakes_;
}

int CountStakes(TStakeFile& file) { return TStakeTally().Count(file); }

bool StakeWon(const TStakeRecord& rec, const TConfigData& config) {
    return rec.Checked && IsStake(rec) && rec.Profit > StakeProfit(config, rec.Numbers.Count, -1);
}

TStakeSummary SummarizeStakes(TStakeFile& file) {
    TStakeSummary s;
    if (!file.IsOpen()) return s;
    file.ForEachStake([&](int, const TStakeRecord& rec) {
        if (!IsStake(rec)) return;
        ++s.Stakes;
        if (!rec.Checked) ++s.Unchecked;
    });
    return s;
}

} // namespace velmora
