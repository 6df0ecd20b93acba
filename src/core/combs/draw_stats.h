// The draw statistics table: for one statistic method, every value it took over the analysis
// window of the archive with counts, shares, recency, gaps, the weighted score, three forecasts
// of the next occurrence and, when the archive goes on after the window, the fact; optionally
// compared with the method's distribution over the full combination set (prefetch.h). Also the
// table's sort rule, its row texts for the filters (RowToStatValues) and the chart series.
#pragma once

#include "core/combs/prefetch.h"
#include "core/combs/stat_row.h"
#include "core/model/draws_archive.h"
#include "core/model/stat_values.h"
#include "core/util/progress.h"

#include <array>
#include <string>
#include <vector>

namespace velmora {

class TStatList;

constexpr int kDrawStatsColumnCount = 20;
// "Значение", "Количество", ... "+/- КРН".
extern const std::array<const char*, kDrawStatsColumnCount> kDrawStatsCaptions;

// Columns of the table.
enum TDrawStatsColumn : int {
    kColValue = 0,
    kColCount,
    kColCountPct,
    kColNorm,  // shown only while the comparison is on (3 to 5)
    kColDeviation,
    kColDeviationPct,
    kColDepth,
    kColDepthPct,
    kColWeight,
    kColLastDraw,
    kColPeriodMin,
    kColPeriod,
    kColPeriodMax,
    kColForecastPeriod,  // "Ожд. ПРД"
    kColForecastStf,     // "Ожд. СТФ"
    kColForecastKrn,     // "Ожд. КРН"
    kColFact,
    kColDeltaPeriod,
    kColDeltaStf,
    kColDeltaKrn,
};

struct TDrawStatsOptions {
    int Length = 1000;          // sample length ("DrawsStatLen"), the window's draws at most
    bool Compare = false;       // comparison with the full set ("PrefetchsEnabled")
    bool ShowTotalLine = true;  // the full-set series of the chart ("ShowTotalLine")
};

struct TDrawStatsRow {
    std::array<std::string, kDrawStatsColumnCount> Cells;
    TStatValueRec Value;  // the value record of the row (Expected set when compared)
};

struct TChartPoint {
    double X = 0;
    double Y = 0;
    std::string Label;  // the value text
};

struct TDrawStatsTable {
    std::vector<TDrawStatsRow> Rows;  // in the order of the statistic's value list
    int First = 0;                    // the window: array indexes First..Last, Length draws
    int Last = -1;
    int Length = 0;
    bool Compared = false;             // the comparison was active for this computation
    std::vector<TChartPoint> Actual;   // "Фактические данные"
    std::vector<TChartPoint> FullSet;  // "Все возможные комбинации" (compared, with the total line)
    // Messages of a distribution file that could not be read or built; the table is then
    // computed without comparison.
    std::vector<std::string> Messages;
};

// The table of method i of the list over the analysis window of the archive (which the list
// must be bound to): the window ends at the archive's reference draw and holds at most
// options.Length draws; the archive's sorted switch applies. With options.Compare the method's
// distribution file is opened (and built when missing, with progress). An empty archive or a
// method index outside the list gives an empty table.
TDrawStatsTable ComputeDrawStats(const TStatList& list, int i, const TDrawsArchive& archive,
                                 const TDrawStatsOptions& options, TProgressSink& progress);

// The inputs of the last computation (archive length, offset, sample length, selector index):
// an unforced computation with the same inputs is skipped.
struct TDrawStatsInputs {
    int DrawCount = -1;
    int Offset = -1;
    int Length = -1;
    int Index = -1;
    bool operator==(const TDrawStatsInputs&) const = default;
};

class TDrawStatsCache {
public:
    // True when the table must be computed (forced, or inputs differ from the last ones); the
    // inputs are then remembered.
    bool NeedsCompute(const TDrawStatsInputs& inputs, bool force);
    void Reset() { last_ = TDrawStatsInputs{}; }
    const TDrawStatsInputs& Last() const { return last_; }

private:
    TDrawStatsInputs last_;
};

// The table's order of two cells: after replacing "," with ".", two numbers compare
// numerically, anything else as case-insensitive text. Negative, zero or positive.
int CompareDrawStatsCells(const std::string& a, const std::string& b);
// Two rows by a column, equal cells by the value text; descending negates.
int CompareDrawStatsRows(const TDrawStatsRow& a, const TDrawStatsRow& b, int column, bool descending);
// Sorts the rows by a column (stable); a column outside 0..19 leaves them as they are.
void SortDrawStatsRows(std::vector<TDrawStatsRow>& rows, int column, bool descending);

// The texts of a row as the filters read them; all empty for no row.
TStatValues RowToStatValues(const TDrawStatsRow* row);

// The position of the method with that code (ignoring case) that the statistics table can show.
// Raises "Неизвестный код статистики: %s" for a code not in the list and "Статистика %s не
// показывается в таблице" for one that is not available or not shown in the table.
int TableStatIndex(const TStatList& list, const std::string& code);

// The value records of some rows of a table and the values text of the applied-filters log line
// ("3; 7; 12": the "Значение" cells joined by "; ").
struct TTableSelection {
    TStatDrawArray Values;
    std::string Text;
};
// The rows of the given positions, in the order given; positions outside the rows are skipped.
TTableSelection SelectTableRows(const std::vector<TDrawStatsRow>& rows, const std::vector<int>& positions);
// The rows whose "Значение" text is one of texts, in row order. A text found in no row raises
// "В таблице статистики %s (%d тиражей) нет значений: %s" with the missing texts quoted.
TTableSelection SelectTableValues(const TDrawStatsTable& table, const std::string& code,
                                  const std::vector<std::string>& texts);

} // namespace velmora
