// The work of every spreadsheet export command ("Экспорт в Microsoft Excel" and the like): the
// page gives its list or table as a spreadsheet table (core/export/list_tables.h), this asks for
// the file, writes it and opens it.
#pragma once

#include "core/export/xlsx_export.h"

#include <QString>

namespace velmora {

class TTemplateMain;

// Asks for an .xlsx file, writes the table in the busy state with its progress in the status bar
// (closing the window stops it and leaves no file), then opens the file with the desktop's default
// application; when there is none, nothing more happens. A failure raises the error, which the
// command's caller shows. Returns the file written, empty when cancelled or stopped.
QString ExportTableToXlsx(TTemplateMain& window, const QString& caption, const TXlsTable& table);

} // namespace velmora
