// The draws card: the whole archive as a grid with one row per draw, newest first, and one column
// per number, so that repeats from draw to draw show as vertical runs and neighbouring numbers of
// one draw as horizontal runs; and the colour rule of its cells.
//
// Grid coordinates: row 0 holds the captions, rows 1.. the draws (row 1 the latest); column 0 the
// draw number, columns 1..50 the numbers, 51 and 52 the extras "E1" and "E2".
#pragma once

#include "core/export/xlsx_export.h"
#include "core/model/draws_archive.h"
#include "core/util/translate.h"
#include "core/views/selected_numbers.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr int kCardColumnCount = 53;
constexpr int kCardFirstExtraColumn = 51;
// The page caption: the caption of the card's filter steps and of its spreadsheet export.
constexpr const char* kCardCaption = TrNoop("Карта");

struct TCardRow {
    int32_t Number = 0;    // draw number
    uint64_t Numbers = 0;  // bit n set: the draw holds the main number n (1..50)
    uint8_t Extras[2] = {};

    bool Has(int n) const { return n >= 1 && n <= 50 && (Numbers >> n & 1) != 0; }
};

class TDrawsCard {
public:
    // Newest draw first; empty for an empty archive.
    std::vector<TCardRow> Rows;

    // Rows of the grid: the caption row and one per draw, at least 2 (an empty row 1 for an empty
    // archive).
    int RowCount() const { return int(Rows.size()) + 1 < 2 ? 2 : int(Rows.size()) + 1; }
    // The body cell of a number column holds its number.
    bool Filled(int row, int column) const;
    // The text of any cell: captions in row 0, the draw number, the numbers ("" where the draw
    // does not hold it) and the extras.
    std::string CellText(int row, int column) const;
};

// The card of the whole archive; the draws offset does not change it. A stored number outside
// 1..50 is left out.
TDrawsCard BuildDrawsCard(const TDrawsArchive& archive);

// Which colour a body cell of a number column takes.
enum class TCardColourRule : uint8_t {
    Grid,            // the grid's own colour
    Channel,         // the channel colour of the column
    Sequence,        // the draw also holds n-1 or n+1: 0xFFFF00
    Repeat,          // the number also came out in the draw before or after: 0x00FF00
    RepeatSequence,  // both: 0x00FFFF
};

struct TCardColour {
    TCardColourRule Rule = TCardColourRule::Grid;
    uint32_t Color = 0;  // 0xBBGGRR; not used for Grid
};

// The colour of a cell (selected cells aside, which the view paints in its highlight): with the
// sequence marking on, a filled cell is a repeat when the row above or below holds the number
// and in a sequence when its left or right neighbour column (within 1..50; 1 and 50 are no
// neighbours) is filled; else, and for every empty cell, the channel colour of the column with
// the channel colouring on, or the grid's colour. Captions, column 0 and the extras keep the
// grid's colour.
TCardColour CardCellColour(const TDrawsCard& card, int row, int column, bool colorCard, bool colorSequences,
                           int channelSize);
// One letter per rule for the command line: Y repeat and sequence, G repeat, C sequence, K channel
// colour, - the grid's colour.
char CardColourLetter(TCardColourRule rule);

// The numbers of the selected block, column by column from the left, each column top down, each
// number once; empty cells and cells outside the number columns give none.
TSelectedNumbers CardSelectedNumbers(const TDrawsCard& card, const TGridRect& rect);

// The card as a spreadsheet table: one column per grid column (the draw number under the caption
// of the draw list's first column), one row per draw, empty number cells left empty. The table
// refers to the card, which must outlive the export.
TXlsTable CardXlsTable(const TDrawsCard& card, const std::string& title);

} // namespace velmora
