// The layout scheme: every number that came out in the last N draws of the analysis window placed
// by how many of those draws hold it (the row) and by the latest of them (the column); the
// comparison lists that show the counts of other sample lengths; and the colour rule of the
// scheme's cells.
//
// Grid coordinates of the scheme: row 0 holds the LastDraw values, column 0 the Count values,
// the body cells the numbers.
#pragma once

#include "core/export/xlsx_export.h"
#include "core/model/draws_archive.h"
#include "core/util/translate.h"
#include "core/views/selected_numbers.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// The page caption: the caption of the scheme's filter steps and of its spreadsheet export.
constexpr const char* kLayoutCaption = TrNoop("Схема");
constexpr int kLayoutCompareLists = 5;

struct TShemaRec {
    uint8_t Number = 0;
    int32_t Count = 0;     // how many draws of the sample hold it
    int32_t LastDraw = 0;  // draw number of the latest draw of the sample that holds it
};
using TShemaArray = std::vector<TShemaRec>;

// The sample of length L: array indexes First = max(0, Last - L + 1) .. Last, Last being the
// analysis window's last draw (0 when the offset reaches past it). Empty (Last < 0) for an empty
// archive or L < 1.
struct TLayoutSample {
    int First = 0;
    int Last = -1;
    bool Empty() const { return Last < First; }
};
TLayoutSample LayoutSample(const TDrawsArchive& archive, int length);

// Counts the sample newest draw first, each draw's numbers in stored order: a number met for the
// first time is appended with Count 1 and the draw's number, later meetings add to its Count. The
// array lists the numbers in the order of their latest occurrence. Stored numbers outside 1..50
// are left out.
TShemaArray CountLayoutSample(const TDrawsArchive& archive, int length);

class TLayoutScheme {
public:
    std::vector<int32_t> LastDraws;  // columns 1.., descending
    std::vector<int32_t> Counts;     // rows 1.., descending
    std::vector<std::string> Cells;  // Counts.size() x LastDraws.size(), row after row

    // Rows and columns of the grid, at least 2 each (an empty scheme is an empty 2 x 2 grid).
    int RowCount() const { return Counts.size() + 1 < 2 ? 2 : int(Counts.size()) + 1; }
    int ColumnCount() const { return LastDraws.size() + 1 < 2 ? 2 : int(LastDraws.size()) + 1; }
    // The text of any cell, captions included ("" outside the scheme).
    std::string CellText(int row, int column) const;
};

// The scheme of the sample of length N: one column per distinct LastDraw, one row per distinct
// Count; a cell lists its numbers in array order joined by ", ", a number of the draw after the
// analysis window (none with the offset 0) written in brackets "[17]".
TLayoutScheme BuildLayoutScheme(const TDrawsArchive& archive, int length);

// The colour (0xBBGGRR) of a body cell of a grid of rowCount x columnCount cells (selected cells
// aside): 0x00FF00 for a cell holding a number of the following draw; with the gradient,
// red = round(255 - 155 r/R), green = round(255 - 155 c/C), blue = round(100 + 155 r/R), halves to
// even; without it a checkerboard of blocks of five: 0xEAFFEA where B(c) equals B(r), else
// 0xEAEAFF, B(k) being 1 <= k <= 95 and (k - 1) mod 10 < 5.
uint32_t LayoutCellColour(const std::string& text, int row, int column, int rowCount, int columnCount,
                          bool gradient);

// The numbers of the selected block's body cells, column by column from the left, each column top
// down: each cell split at the commas, the brackets removed; each number once.
TSelectedNumbers LayoutSelectedNumbers(const TLayoutScheme& scheme, const TGridRect& rect);

// The scheme as a spreadsheet table: the counts under the caption "Кол-во", then one column per
// last draw captioned with its number; the cells as the grid shows them. The table refers to the
// scheme, which must outlive the export.
TXlsTable LayoutXlsTable(const TLayoutScheme& scheme, const std::string& title);

struct TLayoutCompareRow {
    int32_t Count = 0;
    std::string Numbers;  // joined by ", "
};

// A comparison list: its range title "first draw - last draw" (empty for an empty archive) and one
// row per distinct count, in the order the counts are first met, with the numbers of that count.
struct TLayoutCompareList {
    std::string Title;
    std::vector<TLayoutCompareRow> Rows;
};
TLayoutCompareList BuildLayoutCompareList(const TDrawsArchive& archive, int length);

} // namespace velmora
