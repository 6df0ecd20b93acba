#include "gui/app/xlsx_export_command.h"

#include "core/util/format.h"
#include "gui/app/progress_window.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

namespace velmora {

namespace {

// The entries of a "type=a.desktop;b.desktop;" line for the types in a group of an ini-like file.
bool ListsEntryFor(const QString& file, const QStringList& groups, const QStringList& types) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QTextStream in(&f);
    QString group;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith('[')) {
            group = line;
            continue;
        }
        if (!groups.contains(group)) continue;
        const int eq = int(line.indexOf('='));
        if (eq <= 0 || !types.contains(line.left(eq).trimmed())) continue;
        for (const QString& entry : line.mid(eq + 1).split(';', Qt::SkipEmptyParts)) {
            // An entry must exist in one of the application folders.
            for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
                if (QFileInfo::exists(QDir(dir).filePath(entry.trimmed()))) return true;
        }
    }
    return false;
}

} // namespace

bool FindDesktopApplication(const QString& mimeType) {
    if (QStandardPaths::findExecutable("xdg-open").isEmpty()) return false;
    QStringList types{mimeType};
    const QMimeType mime = QMimeDatabase().mimeTypeForName(mimeType);
    if (mime.isValid()) types << mime.aliases();
    const QStringList associations{"[Default Applications]", "[Added Associations]"};
    QStringList lists;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << QDir(dir).filePath("mimeapps.list");
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
        lists << QDir(dir).filePath("mimeapps.list");
    for (const QString& file : lists)
        if (ListsEntryFor(file, associations, types)) return true;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        if (ListsEntryFor(QDir(dir).filePath("mimeinfo.cache"), {"[MIME Cache]"}, types)) return true;
        // Without a cache: the entries themselves.
        for (const QFileInfo& entry : QDir(dir).entryInfoList({"*.desktop"}, QDir::Files)) {
            QFile f(entry.filePath());
            if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
            QTextStream in(&f);
            while (!in.atEnd()) {
                const QString line = in.readLine().trimmed();
                if (!line.startsWith("MimeType=")) continue;
                for (const QString& t : line.mid(9).split(';', Qt::SkipEmptyParts))
                    if (types.contains(t.trimmed())) return true;
            }
        }
    }
    return false;
}

std::function<bool(const QString&)>& DesktopApplicationFinder() {
    static std::function<bool(const QString&)> finder = FindDesktopApplication;
    return finder;
}

QString ExportTableToXlsx(TTemplateMain& window, const QString& caption, const TXlsTable& table) {
    const QString path =
        window.AskFileName(true, caption, QObject::tr("Книги Microsoft Excel (*.xlsx)"), QStringLiteral("xlsx"));
    if (path.isEmpty()) return {};
    {
        TBusy busy(&window);
        TProgressWindow progress(&window, window.fmProgress, caption);
        if (!ExportXlsx(S(path), table, progress)) {
            window.SetStatusText(QString());
            return {};
        }
    }
    window.SetStatusText(QString());
    // Where the file went; it is opened only through an application the desktop has for it (a
    // desktop without one keeps the file, and says so).
    const QString mime = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
    const bool canOpen = DesktopApplicationFinder()(mime);
    const bool canOpenFolder = DesktopApplicationFinder()(QStringLiteral("inode/directory"));
    QString text = Q(Format(S(QObject::tr("Экспорт завершен, файл записан:\r%s")), {S(QDir::toNativeSeparators(path))}));
    if (!canOpen)
        text += "\r\r" + QObject::tr("На этом компьютере нет приложения для открытия файлов .xlsx: откройте файл в "
                                     "программе электронных таблиц.");
    QMessageBox box(QMessageBox::Information, QObject::tr("Информация"), MessageText(text), QMessageBox::NoButton, &window);
    box.setObjectName("xlsxDone");
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton* open = canOpen ? box.addButton(QObject::tr("Открыть файл"), QMessageBox::AcceptRole) : nullptr;
    QPushButton* folder = canOpenFolder ? box.addButton(QObject::tr("Открыть папку"), QMessageBox::ActionRole) : nullptr;
    QPushButton* close = box.addButton(QObject::tr("Закрыть"), QMessageBox::RejectRole);
    box.setDefaultButton(open ? open : close);
    box.setEscapeButton(close);
    box.exec();
    if (open && box.clickedButton() == open) TTemplateMain::UrlOpener()(QUrl::fromLocalFile(path));
    if (folder && box.clickedButton() == folder)
        TTemplateMain::UrlOpener()(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
    return path;
}

} // namespace velmora
