// Qt's own texts, the window texts of the language modules and the locale of the program. The
// built-in texts are Russian, so by default Qt's own ones (file dialogs, the calendar of a date
// field, standard buttons, the pop-up menus of text fields) are Russian as well, and dates and
// numbers shown by the windows are written the Russian way, whatever the locale of the system is.
// Another interface language brings its module's window texts, Qt's texts of that language and its
// conventions for dates and numbers.
#pragma once

#include <cstdint>
#include <string>

class QCoreApplication;
class QString;

namespace velmora {

// Puts the Russian locale in force and installs Qt's Russian translation (qtbase_ru.qm, found in
// Qt's translations folder or in the folder "translations" beside the executable). Call once after
// the application object exists and before the first window. False when the translation file was
// not found: Qt's own texts then stay English.
bool InstallQtTexts(QCoreApplication& app);

// Where Qt's translation was loaded from (empty when none is loaded).
const QString& QtTextsFile();

// The applier of the language modules (core/app/languages.h): replaces the translators installed
// before by those of the language: the module file's window texts (none for the built-in language)
// and Qt's own texts of the language (English needs none), and puts the language's locale in force.
// Raises Error with the reason when the module cannot be loaded; nothing is changed then.
void ApplyQtLanguage(int32_t lcid, const std::string& moduleFile);

// Connects the language modules to this program: the applier above and message boxes for the
// module's load errors. Call once after the application object exists.
void ConnectLanguages();

// The language the window starts in: the built-in one with "no-language", else the setting
// "Language" of the main window's section of the window settings, or without it the desktop's
// language when it is served (see StartLanguage in core/app/languages.h).
int32_t StartLanguageOfWindow();

} // namespace velmora
