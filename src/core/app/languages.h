// Interface languages. The built-in texts are Russian (language 1049); another language comes from
// a language module beside the executable, "Velmora_5x50_<ABR>.lng", where ABR is the language's
// three-letter abbreviation (ENU for 1033). A module is a compiled translation file; the engine's
// texts are looked up in it through the hook of core/util/translate.h, and a program with windows
// loads it into its own translator through the applier it sets.
//
// Languages are named by the Windows-style identifiers the settings store (1049 Russian, 1033
// English ...); the table below maps them to locales and abbreviations.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

using TLCIDs = std::vector<int32_t>;

constexpr int32_t kLanguageBuiltIn = 1049;  // Russian: the texts of the sources
constexpr int32_t kLanguageDefault = 1033;  // the default of the setting "Language"

struct TLanguageInfo {
    int32_t Lcid;
    const char* Locale;        // POSIX form, e.g. "en_US"
    const char* Abbreviation;  // e.g. "ENU"
    const char* Name;          // the language's own name, e.g. "English"
};

// The known languages, ascending by identifier.
const std::vector<TLanguageInfo>& KnownLanguages();
const TLanguageInfo* FindLanguage(int32_t lcid);
// The primary language of an identifier: its low 10 bits (1033 and 2057 are both English).
constexpr int32_t PrimaryLanguage(int32_t lcid) { return lcid & 0x3FF; }
// The identifier of a POSIX locale name ("en_GB.UTF-8", "de", "ru_RU@euro"); a locale of a known
// language in an unknown region gives the language's first identifier; nullopt for "C", "POSIX",
// empty and unknown names.
std::optional<int32_t> LanguageOfLocale(const std::string& locale);

// Where modules are looked for: the path without "_<ABR>.lng" (by default the executable's folder
// and the product's base name). Set before InitLanguages.
void SetLanguageModuleBase(const std::string& base);
// The default base: <exeDir>/Velmora_5x50 when a module lies beside the executable, else the
// installed share folder's (InstalledShareDir) when one lies there, else the executable's.
std::string DefaultLanguageModuleBase(const std::string& exeDir);
const std::string& LanguageModuleBase();
// The module file of a language: Format("%s_%s.lng", [base, abbreviation]); the built-in
// language's module is the program itself (empty).
std::string LanguageModuleFile(int32_t lcid);

// The part of applying a language that a program with windows adds: it loads the module file (empty
// for the built-in language) into its translator. It raises Error with the reason when the file
// cannot be loaded.
using TLanguageApplier = std::function<void(int32_t lcid, const std::string& file)>;
void SetLanguageApplier(TLanguageApplier applier);
// Where the message of a module that cannot be loaded goes (a message box, stderr). Without a sink
// the message is dropped.
using TLanguageMessageSink = std::function<void(const std::string& message)>;
void SetLanguageMessageSink(TLanguageMessageSink sink);

// The built-in and the current language := builtin; the languages are scanned (a language is
// available when its module exists, the built-in one always); then SetLanguage(wanted).
void InitLanguages(int32_t builtin, int32_t wanted);
// Available languages in ascending order; InitLanguages(1049, 1049) runs first when there are none.
const TLCIDs& AvailableLanguages();
// The language's own name ("English", "Русский"); empty for an unknown identifier.
std::string LanguageName(int32_t lcid);
// The three-letter abbreviation ("ENU", "RUS"); empty for an unknown identifier.
std::string LanguageAbbreviation(int32_t lcid);
int32_t CurrentLanguage();
// Applies a language: nothing when it is current; a missing module fails silently, a module that
// cannot be loaded sends "Не удалось загрузить языковый модуль ..." to the sink; a failure applies
// the built-in language instead.
void SetLanguage(int32_t lcid);
// Raises Error "Языковый модуль \"%s\" не найден!" unless the language is the built-in one or its
// module exists.
void CheckModule(int32_t lcid);

// The language to start in. "no-language" gives the built-in one, else the setting "Language".
// Without the setting the desktop's language (the locale of LC_ALL, LC_MESSAGES or LANG) is taken
// when the built-in language or a module serves it (a module of another region of the same
// language too), else 1033.
int32_t StartLanguage(bool noLanguage, std::optional<int> setting, const std::string& desktopLocale);
// The desktop's locale name from the environment (LC_ALL, then LC_MESSAGES, then LANG).
std::string DesktopLocale();

} // namespace velmora
