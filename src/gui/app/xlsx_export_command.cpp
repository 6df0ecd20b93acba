#include "gui/app/xlsx_export_command.h"

#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"

#include <QDesktopServices>
#include <QUrl>

namespace velmora {

QString ExportTableToXlsx(TTemplateMain& window, const QString& caption, const TXlsTable& table) {
    const QString path =
        window.AskFileName(true, caption, QObject::tr("Книги Microsoft Excel (*.xlsx)"), QStringLiteral("xlsx"));
    if (path.isEmpty()) return {};
    {
        TBusy busy(&window);
        if (!ExportXlsx(S(path), table, window.Progress())) return {};
    }
    // A desktop without a spreadsheet application simply keeps the file.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return path;
}

} // namespace velmora
