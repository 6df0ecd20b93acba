#include "core/views/layout_scheme.h"

#include "core/model/game.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <array>

namespace velmora {

TLayoutSample LayoutSample(const TDrawsArchive& archive, int length) {
    TLayoutSample s;
    if (archive.Count() == 0 || length < 1) return s;
    s.Last = std::max(0, archive.LastIndex());
    s.First = std::max(0, s.Last - length + 1);
    return s;
}

TShemaArray CountLayoutSample(const TDrawsArchive& archive, int length) {
    TShemaArray out;
    const TLayoutSample s = LayoutSample(archive, length);
    std::array<int, kMaxNumber + 1> place;
    place.fill(-1);
    for (int i = s.Last; i >= s.First; --i) {
        const TDrawRecord& d = archive.Draws[size_t(i)];
        for (uint8_t n : d.Numbers) {
            if (n < kMinNumber || n > kMaxNumber) continue;
            if (place[n] < 0) {
                place[n] = int(out.size());
                out.push_back({n, 1, d.Number});
            } else {
                ++out[size_t(place[n])].Count;
            }
        }
    }
    return out;
}

std::string TLayoutScheme::CellText(int row, int column) const {
    if (row == 0 && column == 0) return {};
    if (row == 0) return column <= int(LastDraws.size()) ? IntToText(LastDraws[size_t(column - 1)]) : std::string();
    if (column == 0) return row <= int(Counts.size()) ? IntToText(Counts[size_t(row - 1)]) : std::string();
    if (row < 0 || column < 0 || row > int(Counts.size()) || column > int(LastDraws.size())) return {};
    return Cells[size_t(row - 1) * LastDraws.size() + size_t(column - 1)];
}

namespace {

// The distinct values, largest first.
std::vector<int32_t> DistinctDescending(std::vector<int32_t> values) {
    TIntArray a(values.begin(), values.end());
    SortIntsDesc(a);
    a.erase(std::unique(a.begin(), a.end()), a.end());
    return {a.begin(), a.end()};
}

size_t IndexIn(const std::vector<int32_t>& values, int32_t v) {
    return size_t(std::find(values.begin(), values.end(), v) - values.begin());
}

} // namespace

TLayoutScheme BuildLayoutScheme(const TDrawsArchive& archive, int length) {
    TLayoutScheme scheme;
    const TShemaArray sample = CountLayoutSample(archive, length);
    std::vector<int32_t> counts, lastDraws;
    for (const TShemaRec& r : sample) {
        counts.push_back(r.Count);
        lastDraws.push_back(r.LastDraw);
    }
    scheme.Counts = DistinctDescending(counts);
    scheme.LastDraws = DistinctDescending(lastDraws);
    scheme.Cells.assign(scheme.Counts.size() * scheme.LastDraws.size(), std::string());
    const TNumberSet following = archive.FollowingNumbersSet(archive.Offset());
    for (const TShemaRec& r : sample) {
        std::string& cell =
            scheme.Cells[IndexIn(scheme.Counts, r.Count) * scheme.LastDraws.size() + IndexIn(scheme.LastDraws, r.LastDraw)];
        if (!cell.empty()) cell += ", ";
        bool inFollowing = false;
        for (int k = 0; k < following.Count; ++k) inFollowing = inFollowing || following.Numbers[k] == r.Number;
        cell += inFollowing ? "[" + NumberToText(r.Number) + "]" : NumberToText(r.Number);
    }
    return scheme;
}

namespace {

bool CheckerBlock(int k) { return k >= 1 && k <= 95 && (k - 1) % 10 < 5; }

// p / q rounded to the nearest integer, halves to even (as Round() of the product), computed
// exactly: 255 - 155 r / R is a half for some grids, which a floating-point quotient may miss.
uint32_t GradientPart(int64_t p, int64_t q) {
    int64_t v = p / q;
    const int64_t twice = 2 * (p % q);
    if (twice > q || (twice == q && v % 2 != 0)) ++v;
    return uint32_t(std::clamp<int64_t>(v, 0, 255));
}

} // namespace

uint32_t LayoutCellColour(const std::string& text, int row, int column, int rowCount, int columnCount,
                          bool gradient) {
    if (text.find('[') != std::string::npos) return 0x00FF00;
    if (gradient && rowCount > 0 && columnCount > 0) {
        const int64_t r = std::clamp(row, 0, rowCount), R = rowCount;
        const int64_t c = std::clamp(column, 0, columnCount), C = columnCount;
        const uint32_t red = GradientPart(255 * R - 155 * r, R);
        const uint32_t green = GradientPart(255 * C - 155 * c, C);
        const uint32_t blue = GradientPart(100 * R + 155 * r, R);
        return red | green << 8 | blue << 16;
    }
    return CheckerBlock(column) == CheckerBlock(row) ? 0xEAFFEA : 0xEAEAFF;
}

TSelectedNumbers LayoutSelectedNumbers(const TLayoutScheme& scheme, const TGridRect& rect) {
    TSelectedNumbers selected;
    for (int c = std::max(rect.Left, 1); c <= std::min(rect.Right, int(scheme.LastDraws.size())); ++c)
        for (int r = std::max(rect.Top, 1); r <= std::min(rect.Bottom, int(scheme.Counts.size())); ++r)
            for (std::string piece : SplitAny(scheme.CellText(r, c), ",")) {
                std::erase_if(piece, [](char ch) { return ch == '[' || ch == ']'; });
                piece = Trim(piece);
                if (!piece.empty()) AddSelectedNumber(selected, TextToNumber(piece));
            }
    return selected;
}

TXlsTable LayoutXlsTable(const TLayoutScheme& scheme, const std::string& title) {
    TXlsTable t;
    t.Title = title;
    t.Columns.push_back({Tr("Кол-во"), TXlsKind::Integer});
    for (int c = 1; c <= int(scheme.LastDraws.size()); ++c) t.Columns.push_back({scheme.CellText(0, c), TXlsKind::Text});
    t.RowCount = int64_t(scheme.Counts.size());
    t.Row = [&scheme](int64_t row, std::vector<TXlsCell>& cells) {
        cells[0].SetNumber(scheme.Counts[size_t(row)]);
        for (size_t c = 1; c < cells.size(); ++c) {
            const std::string text = scheme.CellText(int(row) + 1, int(c));
            if (text.empty())
                cells[c].SetEmpty();
            else
                cells[c].SetText(text);
        }
    };
    return t;
}

TLayoutCompareList BuildLayoutCompareList(const TDrawsArchive& archive, int length) {
    TLayoutCompareList list;
    const TLayoutSample s = LayoutSample(archive, length);
    if (s.Empty()) return list;
    list.Title = IntToText(archive.Draws[size_t(s.First)].Number) + " - " + IntToText(archive.Draws[size_t(s.Last)].Number);
    for (const TShemaRec& r : CountLayoutSample(archive, length)) {
        auto row = std::find_if(list.Rows.begin(), list.Rows.end(),
                                [&](const TLayoutCompareRow& x) { return x.Count == r.Count; });
        if (row == list.Rows.end()) {
            list.Rows.push_back({r.Count, NumberToText(r.Number)});
        } else {
            row->Numbers += ", " + NumberToText(r.Number);
        }
    }
    return list;
}

} // namespace velmora
