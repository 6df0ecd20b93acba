// The spreadsheet export of the product's lists and tables: one routine that writes a table as
// an Office Open XML workbook (.xlsx). The title goes in the first row, the bold column captions
// in the second (frozen, with an autofilter over the table), numbers are stored as numbers with
// their column's decimals, and the column widths fit the contents. Rows are pulled one at a time
// from a row source, so a list of all combinations is never held as texts; a list longer than a
// sheet's rows continues on further sheets with the same title row and captions.
#pragma once

#include "core/util/progress.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Rows of one sheet of a spreadsheet program (1 048 576), title and caption rows included.
constexpr int64_t kXlsSheetRowLimit = 1048576;

enum class TXlsKind : uint8_t { Text, Integer, Real };

struct TXlsColumn {
    std::string Caption;
    TXlsKind Kind = TXlsKind::Text;
    int Decimals = 0;  // shown decimals of a Real column
};

// One cell of a row: nothing, a number or a text. A text in an Integer or Real column that reads
// as a number of the product's texts ("2,40000", "2 118 760") is written as that number; any
// other text ("-") is written as it is.
struct TXlsCell {
    enum class TType : uint8_t { Empty, Number, Text };
    TType Type = TType::Empty;
    double Number = 0;
    std::string Text;

    void SetEmpty() { Type = TType::Empty; }
    void SetNumber(double v) {
        Type = TType::Number;
        Number = v;
    }
    void SetText(std::string_view s) {
        Type = TType::Text;
        Text.assign(s);
    }
};

// Fills the cells of row `row` (0-based; `cells` has one cell per column and is reused, so the
// source should set every cell).
using TXlsRowSource = std::function<void(int64_t row, std::vector<TXlsCell>& cells)>;

struct TXlsTable {
    std::string Title;
    std::vector<TXlsColumn> Columns;
    int64_t RowCount = 0;
    TXlsRowSource Row;
};

struct TXlsOptions {
    // Rows per sheet, title and caption rows included (at least 3); tests make it small.
    int64_t SheetRowLimit = kXlsSheetRowLimit;
};

// A number of the product's texts: an optional sign, digits with blanks (also no-break blanks)
// between the thousands and "," or "." before the decimals. std::nullopt for anything else.
std::optional<double> ParseNumberText(std::string_view text);

// How many sheets the table takes.
int XlsSheetCount(int64_t rows, const TXlsOptions& options = {});

// Writes the table to `path` through a temporary file in the same folder, renamed over the old
// file at the end; a data file of the data folder is refused. Progress shows the status text and
// percent; a stop request ends the export without touching `path` and returns false. Failures
// raise Error with the file name and the writer's message.
bool ExportXlsx(const std::string& path, const TXlsTable& table, TProgressSink& progress,
                const TXlsOptions& options = {});

} // namespace velmora
