#include "core/util/translate.h"
#include "core/stakes/stake_export.h"

namespace velmora {

TXlsTable StakesXlsTable(TStakeFile& file, const std::string& title) {
    TXlsTable t;
    t.Title = title;
    static const TXlsKind kinds[kStakeGridColumns] = {TXlsKind::Integer, TXlsKind::Text, TXlsKind::Text,
                                                      TXlsKind::Integer, TXlsKind::Text, TXlsKind::Integer,
                                                      TXlsKind::Text,    TXlsKind::Real, TXlsKind::Text};
    for (int c = 0; c < kStakeGridColumns; ++c)
        t.Columns.push_back({TrText(kStakeGridCaptions[size_t(c)]), kinds[c], c == scProfit ? 2 : 0});
    t.RowCount = file.StakeCount();
    t.Row = [&file](int64_t row, std::vector<TXlsCell>& cells) {
        const auto texts = StakeGridCells(file.ReadStake(TStakeOrigin::Begin, int(row)));
        for (size_t c = 0; c < texts.size(); ++c) {
            if (texts[c].empty())
                cells[c].SetEmpty();
            else
                cells[c].SetText(texts[c]);
        }
    };
    return t;
}

} // namespace velmora
