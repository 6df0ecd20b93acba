// The stake grid as a spreadsheet table: the nine columns with the grid's texts, one row per
// record (separators as empty rows), read from the file row by row.
#pragma once

#include "core/export/xlsx_export.h"
#include "core/stakes/stake_file.h"

#include <string>

namespace velmora {

// The file must stay open while the table is written.
TXlsTable StakesXlsTable(TStakeFile& file, const std::string& title);

} // namespace velmora
