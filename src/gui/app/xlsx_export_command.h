// The work of every spreadsheet export command ("Экспорт в Microsoft Excel" and the like): the
// page gives its list or table as a spreadsheet table (core/export/list_tables.h), this asks for
// the file, writes it and tells where it went.
#pragma once

#include "core/export/xlsx_export.h"

#include <QString>
#include <functional>

namespace velmora {

class TTemplateMain;

// Asks for an .xlsx file and writes the table in the busy state behind the progress window, whose
// "Стоп" (or closing the window) ends the export without leaving a file. Then a box says where the
// file was written and offers to open it (only when the desktop has an application for .xlsx
// files) and its folder. A failure raises the error, which the command's caller shows. Returns the
// file written, empty when cancelled or stopped.
QString ExportTableToXlsx(TTemplateMain& window, const QString& caption, const TXlsTable& table);

// Whether the desktop opens files of the MIME type with an application: an opener (xdg-open) and
// a desktop entry for the type (the defaults and associations of mimeapps.list, the mimeinfo.cache
// of the application folders, or the MimeType of an entry). Tests replace it.
std::function<bool(const QString& mimeType)>& DesktopApplicationFinder();
bool FindDesktopApplication(const QString& mimeType);

} // namespace velmora
