#include "gui/app/qt_locale.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

namespace velmora {

namespace {

QString& LoadedFile() {
    static QString file;
    return file;
}

} // namespace

const QString& QtTextsFile() { return LoadedFile(); }

bool InstallQtTexts(QCoreApplication& app) {
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(russian);
    const QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                              QDir(QCoreApplication::applicationDirPath()).filePath("translations")};
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(&app);
        if (translator->load(russian, "qtbase", "_", folder)) {
            QCoreApplication::installTranslator(translator);
            LoadedFile() = translator->filePath();
            return true;
        }
        delete translator;
    }
    return false;
}

} // namespace velmora
