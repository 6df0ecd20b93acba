// CSV files of draws: "number;\"yyyy-mm-dd\";n1;n2;n3;n4;n5;e1;e2" per line, cp1251, CR LF.
#pragma once

#include "core/model/draws_archive.h"

#include <string>
#include <vector>

namespace velmora {

// Splits a line as a delimited-text reader does: fields end at ";", a field may be quoted
// (a doubled quote inside stands for one), and outside quotes blanks and control characters
// also end a field.
std::vector<std::string> SplitDelimitedText(const std::string& line, char delimiter = ';', char quote = '"');
std::string QuoteCsvField(const std::string& text);

// One CSV line per draw, oldest first.
std::vector<std::string> DrawsToCsvLines(const TDrawsArray& draws);
// Appends the draws of 8- or 9-field lines whose number is above 0 and not yet in the archive;
// other lines are skipped. A number or extra that is not an integer of 0..255 is an invalid field
// and stored as 0; `invalidLines` (when given) receives how many added lines had such fields.
// Returns the number of draws added.
int AppendCsvLines(TDrawsArchive& archive, const std::vector<std::string>& lines, int* invalidLines = nullptr);

// Reads the file (a read error raises and imports nothing; a UTF-8 byte-order mark at its start
// is skipped), appends, and saves the archive when something was added. Returns the number of
// draws added; `invalidLines` as for AppendCsvLines.
int ImportDrawsCsv(TDrawsArchive& archive, const std::string& path, int* invalidLines = nullptr);
// Writes the archive as CSV lines; a data file of the data folder (IsDataFolderFile) is refused
// with an Error and left untouched.
void ExportDrawsCsv(const TDrawsArchive& archive, const std::string& path);

} // namespace velmora
