#include "gui/app/qt_locale.h"

#include "core/app/languages.h"
#include "core/app/window_settings.h"
#include "core/util/error.h"
#include "core/util/translate.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QString>
#include <QTranslator>

#include <cstring>
#include <memory>

namespace velmora {

namespace {

QString& LoadedFile() {
    static QString file;
    return file;
}

// The translators this file installed: Qt's texts and the module's window texts.
QPointer<QTranslator>& QtTranslator() {
    static QPointer<QTranslator> t;
    return t;
}
QPointer<QTranslator>& ModuleTranslator() {
    static QPointer<QTranslator> t;
    return t;
}

// The window texts of a module. The translation tools name a class's texts after the class alone,
// while the classes ask with their namespace ("velmora::TTemplateMain"): both are looked up. A text
// of the engine that a window passes through tr() (a message kept in the engine) is found among the
// engine's texts, whatever context the tools gave it.
class TModuleTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        static constexpr char kNamespace[] = "velmora::";
        if (text.isNull() && context && std::strncmp(context, kNamespace, sizeof kNamespace - 1) == 0)
            text = QTranslator::translate(context + sizeof kNamespace - 1, sourceText, disambiguation, n);
        if (text.isNull() && sourceText) {
            const std::string source(sourceText);
            std::string engine = TrText(source);
            if (engine != source) text = QString::fromStdString(engine);
        }
        return text;
    }
};

void Replace(QPointer<QTranslator>& slot, std::unique_ptr<QTranslator> next) {
    if (slot) {
        QCoreApplication::removeTranslator(slot);
        delete slot.data();
    }
    slot = next.release();
    if (slot) QCoreApplication::installTranslator(slot);
}

// Qt's translation of the locale's language from Qt's translations folder or the folder
// "translations" beside the executable; nullptr when there is none.
std::unique_ptr<QTranslator> LoadQtTexts(const QLocale& locale) {
    const QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                              QDir(QCoreApplication::applicationDirPath()).filePath("translations")};
    for (const QString& folder : folders) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(locale, "qtbase", "_", folder)) return translator;
    }
    return nullptr;
}

void SetQtTexts(const QLocale& locale) {
    QLocale::setDefault(locale);
    // Qt's texts are English in the library itself.
    std::unique_ptr<QTranslator> texts =
        locale.language() == QLocale::English ? nullptr : LoadQtTexts(locale);
    LoadedFile() = texts ? texts->filePath() : QString();
    Replace(QtTranslator(), std::move(texts));
}

} // namespace

const QString& QtTextsFile() { return LoadedFile(); }

bool InstallQtTexts(QCoreApplication&) {
    SetQtTexts(QLocale(QLocale::Russian, QLocale::Russia));
    return !LoadedFile().isEmpty();
}

void ApplyQtLanguage(int32_t lcid, const std::string& moduleFile) {
    std::unique_ptr<QTranslator> module;
    if (!moduleFile.empty()) {
        module = std::make_unique<TModuleTranslator>();
        if (!module->load(Q(moduleFile))) throw Error(Tr("файл не является языковым модулем"));
    }
    const TLanguageInfo* info = FindLanguage(lcid);
    SetQtTexts(info ? QLocale(QString::fromLatin1(info->Locale)) : QLocale(QLocale::Russian, QLocale::Russia));
    Replace(ModuleTranslator(), std::move(module));
}

void ConnectLanguages() {
    SetLanguageApplier(&ApplyQtLanguage);
    SetLanguageMessageSink([](const std::string& message) { ShowError(nullptr, Q(message)); });
}

int32_t StartLanguageOfWindow() {
    std::optional<int> setting;
    const bool noLanguage = TTemplateMain::StartMode().NoLanguage;
    if (!noLanguage) {
        TWindowSettings settings(WindowSettingsFile());
        try {
            settings.Load();
        } catch (const std::exception&) {
            // The window reports the unreadable file when it reads its settings.
        }
        const std::string section = "TFormMain";
        if (settings.HasKey(section, "Language")) setting = settings.ReadInteger(section, "Language", kLanguageDefault);
    }
    return StartLanguage(noLanguage, setting, DesktopLocale());
}

} // namespace velmora
