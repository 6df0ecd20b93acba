#include "core/app/languages.h"

#include "core/model/data_folder.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/translate.h"
#include "core/util/translation_file.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace velmora {

namespace {

struct TLanguageState {
    std::string Base;
    int32_t BuiltIn = kLanguageBuiltIn;
    int32_t Current = kLanguageBuiltIn;
    TLCIDs Available;
    TLanguageApplier Applier;
    TLanguageMessageSink Sink;
    std::shared_ptr<const TTranslationFile> Module;
};

TLanguageState& State() {
    static TLanguageState state;
    return state;
}

// The module in force for the engine's texts. It is replaced only while the program starts or
// switches languages, when no engine text is being looked up.
std::shared_ptr<const TTranslationFile>& ActiveModule() {
    static std::shared_ptr<const TTranslationFile> module;
    return module;
}

const std::string* LookUpModule(const std::string& text) {
    const auto& module = ActiveModule();
    return module ? module->Find(text) : nullptr;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

void Report(const std::string& message) {
    if (State().Sink) State().Sink(message);
}

// Applies the language's texts; false when that failed.
bool ApplyTexts(int32_t lcid) {
    TLanguageState& s = State();
    if (lcid == s.BuiltIn) {
        try {
            if (s.Applier) s.Applier(lcid, {});
        } catch (const std::exception&) {
            // The built-in texts are always there; a translator that did not unload keeps nothing
            // the program relies on.
        }
        ActiveModule().reset();
        SetTranslateHook(nullptr);
        return true;
    }
    const std::string file = LanguageModuleFile(lcid);
    if (!FileExists(file)) return false;  // a missing module fails silently
    try {
        auto module = std::make_shared<TTranslationFile>();
        module->Load(file);
        if (s.Applier) s.Applier(lcid, file);
        ActiveModule() = std::move(module);
        SetTranslateHook(&LookUpModule);
    } catch (const std::exception& e) {
        Report(Format(Tr("Не удалось загрузить языковый модуль \"%s\"!\r\r%s"), {file, e.what()}));
        return false;
    }
    return true;
}

} // namespace

const std::vector<TLanguageInfo>& KnownLanguages() {
    static const std::vector<TLanguageInfo> table{
        {1025, "ar_SA", "ARA", "العربية"},
        {1026, "bg_BG", "BGR", NoTr("Български")},
        {1029, "cs_CZ", "CSY", "Čeština"},
        {1030, "da_DK", "DAN", "Dansk"},
        {1031, "de_DE", "DEU", "Deutsch"},
        {1032, "el_GR", "ELL", "Ελληνικά"},
        {1033, "en_US", "ENU", "English"},
        {1034, "es_ES", "ESP", "Español"},
        {1035, "fi_FI", "FIN", "Suomi"},
        {1036, "fr_FR", "FRA", "Français"},
        {1037, "he_IL", "HEB", "עברית"},
        {1038, "hu_HU", "HUN", "Magyar"},
        {1040, "it_IT", "ITA", "Italiano"},
        {1041, "ja_JP", "JPN", "日本語"},
        {1042, "ko_KR", "KOR", "한국어"},
        {1043, "nl_NL", "NLD", "Nederlands"},
        {1044, "nb_NO", "NOR", "Norsk bokmål"},
        {1045, "pl_PL", "PLK", "Polski"},
        {1046, "pt_BR", "PTB", "Português (Brasil)"},
        {1048, "ro_RO", "ROM", "Română"},
        {1049, "ru_RU", "RUS", NoTr("Русский")},
        {1050, "hr_HR", "HRV", "Hrvatski"},
        {1051, "sk_SK", "SKY", "Slovenčina"},
        {1053, "sv_SE", "SVE", "Svenska"},
        {1055, "tr_TR", "TRK", "Türkçe"},
        {1058, "uk_UA", "UKR", NoTr("Українська")},
        {1059, "be_BY", "BEL", NoTr("Беларуская")},
        {1060, "sl_SI", "SLV", "Slovenščina"},
        {1061, "et_EE", "ETI", "Eesti"},
        {1062, "lv_LV", "LVI", "Latviešu"},
        {1063, "lt_LT", "LTH", "Lietuvių"},
        {1087, "kk_KZ", "KKZ", NoTr("Қазақ тілі")},
        {2052, "zh_CN", "CHS", "中文(简体)"},
        {2055, "de_CH", "DES", "Deutsch (Schweiz)"},
        {2057, "en_GB", "ENG", "English (United Kingdom)"},
        {2070, "pt_PT", "PTG", "Português (Portugal)"},
        {3079, "de_AT", "DEA", "Deutsch (Österreich)"},
        {3081, "en_AU", "ENA", "English (Australia)"},
        {3084, "fr_CA", "FRC", "Français (Canada)"},
        {4105, "en_CA", "ENC", "English (Canada)"},
    };
    return table;
}

const TLanguageInfo* FindLanguage(int32_t lcid) {
    for (const auto& l : KnownLanguages())
        if (l.Lcid == lcid) return &l;
    return nullptr;
}

std::optional<int32_t> LanguageOfLocale(const std::string& locale) {
    // language[_territory][.codeset][@modifier]
    const std::string name = locale.substr(0, locale.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return std::nullopt;
    const std::string lang = name.substr(0, name.find('_'));
    const TLanguageInfo* first = nullptr;
    for (const auto& l : KnownLanguages()) {
        const std::string known = l.Locale;
        if (known == name) return l.Lcid;
        if (!first && known.compare(0, known.find('_'), lang) == 0 && known.find('_') == lang.size()) first = &l;
    }
    // Another region of a known language: its main region (the lowest identifier, the one whose
    // sub-language is 1, as 1033 for English).
    if (first) return first->Lcid;
    return std::nullopt;
}

std::string DefaultLanguageModuleBase(const std::string& exeDir) {
    // Modules beside the executable (an unpacked folder, the build tree) come first; an installed
    // program keeps them in its share folder.
    std::error_code ec;
    for (const auto& dir : {std::filesystem::path(exeDir), std::filesystem::path(InstalledShareDir(exeDir))})
        for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
            const std::string name = e.path().filename().string();
            if (name.starts_with(std::string(kProductBaseName) + "_") && name.ends_with(".lng"))
                return (dir / kProductBaseName).string();
        }
    return (std::filesystem::path(exeDir) / kProductBaseName).string();
}

void SetLanguageModuleBase(const std::string& base) { State().Base = base; }

const std::string& LanguageModuleBase() {
    TLanguageState& s = State();
    if (s.Base.empty()) s.Base = DefaultLanguageModuleBase(ExecutableDir());
    return s.Base;
}

std::string LanguageModuleFile(int32_t lcid) {
    if (lcid == State().BuiltIn) return {};
    const std::string abbr = LanguageAbbreviation(lcid);
    if (abbr.empty()) return {};
    return Format("%s_%s.lng", {LanguageModuleBase(), abbr});
}

void SetLanguageApplier(TLanguageApplier applier) { State().Applier = std::move(applier); }
void SetLanguageMessageSink(TLanguageMessageSink sink) { State().Sink = std::move(sink); }

void InitLanguages(int32_t builtin, int32_t wanted) {
    TLanguageState& s = State();
    s.BuiltIn = builtin;
    s.Current = builtin;
    ActiveModule().reset();
    SetTranslateHook(nullptr);
    s.Available.clear();
    for (const auto& l : KnownLanguages())
        if (l.Lcid == builtin || FileExists(LanguageModuleFile(l.Lcid))) s.Available.push_back(l.Lcid);
    SetLanguage(wanted);
}

const TLCIDs& AvailableLanguages() {
    if (State().Available.empty()) InitLanguages(kLanguageBuiltIn, kLanguageBuiltIn);
    return State().Available;
}

std::string LanguageName(int32_t lcid) {
    const TLanguageInfo* l = FindLanguage(lcid);
    return l ? l->Name : "";
}

std::string LanguageAbbreviation(int32_t lcid) {
    const TLanguageInfo* l = FindLanguage(lcid);
    return l ? l->Abbreviation : "";
}

int32_t CurrentLanguage() { return State().Current; }

void SetLanguage(int32_t lcid) {
    TLanguageState& s = State();
    if (lcid == s.Current) return;
    if (!ApplyTexts(lcid)) {
        SetLanguage(s.BuiltIn);
        return;
    }
    s.Current = lcid;
}

void CheckModule(int32_t lcid) {
    if (lcid == State().BuiltIn) return;
    const std::string file = LanguageModuleFile(lcid);
    if (!FileExists(file))
        throw Error(Format(Tr("Языковый модуль \"%s\" не найден!"),
                           {file.empty() ? Format("%s_%d.lng", {LanguageModuleBase(), lcid}) : file}));
}

std::string DesktopLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v) return v;
    }
    return {};
}

int32_t StartLanguage(bool noLanguage, std::optional<int> setting, const std::string& desktopLocale) {
    if (noLanguage) return kLanguageBuiltIn;
    if (setting) return *setting;
    if (const auto desktop = LanguageOfLocale(desktopLocale)) {
        const int32_t builtin = State().BuiltIn;
        if (PrimaryLanguage(*desktop) == PrimaryLanguage(builtin))
            return builtin;
        if (FileExists(LanguageModuleFile(*desktop))) return *desktop;
        // Another region of the desktop's language whose module is there (en_GB served by ENU).
        for (const auto& l : KnownLanguages())
            if (PrimaryLanguage(l.Lcid) == PrimaryLanguage(*desktop) && FileExists(LanguageModuleFile(l.Lcid)))
                return l.Lcid;
    }
    return kLanguageDefault;
}

} // namespace velmora
