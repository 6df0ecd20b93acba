#include "core/export/list_tables.h"

#include "core/combs/comb_set.h"
#include "core/util/format.h"
#include "core/util/translate.h"

namespace velmora {

namespace {

TXlsColumn IntColumn(const std::string& caption) { return {caption, TXlsKind::Integer, 0}; }

} // namespace

TXlsTable DrawsXlsTable(const TDrawsArchive& archive, const std::string& title) {
    TXlsTable t;
    t.Title = title;
    for (size_t c = 0; c < kDrawListCaptions.size(); ++c)
        t.Columns.push_back(c + 1 == kDrawListCaptions.size() ? TXlsColumn{TrText(kDrawListCaptions[c]), TXlsKind::Text, 0}
                                                              : IntColumn(TrText(kDrawListCaptions[c])));
    t.RowCount = archive.Count();
    t.Row = [&archive](int64_t row, std::vector<TXlsCell>& cells) {
        const TDrawRecord d = archive.ViewDraw(archive.IndexOfPosition(int(row)));
        size_t c = 0;
        cells[c++].SetNumber(d.Number);
        for (uint8_t n : d.Numbers) cells[c++].SetNumber(n);
        cells[c++].SetNumber(d.Extras[0]);
        cells[c++].SetNumber(d.Extras[1]);
        cells[c++].SetNumber(d.Sum());
        cells[c++].SetText(d.DateText());
    };
    return t;
}

TXlsTable CombsXlsTable(const TCombSet& combs, const std::string& title) {
    TXlsTable t;
    t.Title = title;
    for (const auto& caption : TCombSet::ColumnCaptions()) t.Columns.push_back(IntColumn(caption));
    t.RowCount = combs.Count();
    t.Row = [&combs](int64_t row, std::vector<TXlsCell>& cells) {
        const TCombination& comb = combs.At(int(row));
        cells[0].SetNumber(double(row + 1));
        int sum = 0;
        for (size_t k = 0; k < comb.size(); ++k) {
            cells[k + 1].SetNumber(comb[k]);
            sum += comb[k];
        }
        cells[comb.size() + 1].SetNumber(sum);
    };
    return t;
}

TXlsTable DrawStatsXlsTable(const std::vector<TDrawStatsRow>& rows, bool compareColumns, const std::string& title) {
    // The shown decimals of the columns whose texts have them.
    auto decimals = [](int c) {
        switch (c) {
        case kColCountPct:
        case kColDeviationPct:
            return 5;
        case kColPeriod:
            return 4;
        case kColDepthPct:
        case kColWeight:
            return 2;
        default:
            return 0;
        }
    };
    TXlsTable t;
    t.Title = title;
    std::vector<int> columns;
    for (int c = 0; c < kDrawStatsColumnCount; ++c) {
        if (!compareColumns && c >= kColNorm && c <= kColDeviationPct) continue;
        columns.push_back(c);
        const int d = decimals(c);
        t.Columns.push_back({TrText(kDrawStatsCaptions[size_t(c)]),
                             c == kColValue ? TXlsKind::Text : d > 0 ? TXlsKind::Real : TXlsKind::Integer, d});
    }
    t.RowCount = int64_t(rows.size());
    t.Row = [&rows, columns](int64_t row, std::vector<TXlsCell>& cells) {
        const TDrawStatsRow& r = rows[size_t(row)];
        for (size_t k = 0; k < columns.size(); ++k) cells[k].SetText(r.Cells[size_t(columns[k])]);
    };
    return t;
}

std::string DrawStatsXlsTitle(const std::string& pageCaption, const std::string& statCaption) {
    return Format("%s: %s", {pageCaption, statCaption});
}

} // namespace velmora
