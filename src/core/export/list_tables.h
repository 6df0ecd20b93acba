// The lists and tables of the product as spreadsheet tables (xlsx_export.h): their columns with
// the kinds of their cells, and a row source that reads the engine's data as the list shows it.
// The tables refer to the data they were made from, which must outlive the export.
#pragma once

#include "core/combs/draw_stats.h"
#include "core/export/xlsx_export.h"
#include "core/model/draws_archive.h"
#include "core/util/translate.h"

#include <string>

namespace velmora {

class TCombSet;

// The page captions the desktop program gives its exports as titles; the command line uses them
// too.
constexpr const char* kDrawsXlsTitle = TrNoop("Архив тиражей");
constexpr const char* kCombsXlsTitle = TrNoop("Комбинации");
constexpr const char* kDrawStatsXlsTitle = TrNoop("Статистика");

// The draw list: newest draw first, numbers as the archive's sorted switch shows them; the date
// stays a text "yyyy-mm-dd".
TXlsTable DrawsXlsTable(const TDrawsArchive& archive, const std::string& title);
// The combination list: position, the five numbers and their sum.
TXlsTable CombsXlsTable(const TCombSet& combs, const std::string& title);
// Rows of the draw statistics table in the given order; the comparison columns ("Норма" ..
// "Откл-ие в %") only with compareColumns, as the page shows them while the comparison is on.
TXlsTable DrawStatsXlsTable(const std::vector<TDrawStatsRow>& rows, bool compareColumns, const std::string& title);
// The title of a statistics export: the page caption and the statistic's caption.
std::string DrawStatsXlsTitle(const std::string& pageCaption, const std::string& statCaption);

} // namespace velmora
