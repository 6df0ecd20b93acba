// Qt's own texts and the locale of the program. The built-in texts are Russian, so Qt's own ones
// (file dialogs, the calendar of a date field, standard buttons, the pop-up menus of text fields)
// are Russian as well, and dates and numbers are written the Russian way, whatever the locale of
// the system is. Language modules may choose another language later; until then this is the one.
#pragma once

class QCoreApplication;
class QString;

namespace velmora {

// Puts the Russian locale in force and installs Qt's Russian translation (qtbase_ru.qm, found in
// Qt's translations folder or in the folder "translations" beside the executable). Call once after
// the application object exists and before the first window. False when the translation file was
// not found: Qt's own texts then stay English.
bool InstallQtTexts(QCoreApplication& app);

// Where the translation was loaded from (empty when it was not).
const QString& QtTextsFile();

} // namespace velmora
