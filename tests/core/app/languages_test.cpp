// Interface languages: which languages are available and chosen, the fallback to the built-in
// Russian texts, and the engine's texts looked up in a module.
#include "core/app/languages.h"
#include "core/util/error.h"
#include "core/util/translate.h"
#include "core/util/translation_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace velmora;

namespace {

class LanguagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("velmora_languages_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        SetLanguageModuleBase((dir_ / "Velmora_5x50").string());
        SetLanguageMessageSink([this](const std::string& m) { messages_.push_back(m); });
    }
    void TearDown() override {
        InitLanguages(kLanguageBuiltIn, kLanguageBuiltIn);
        SetLanguageMessageSink(nullptr);
        SetLanguageModuleBase("");
        fs::remove_all(dir_);
    }
    std::string Module(const char* abbr) const { return (dir_ / (std::string("Velmora_5x50_") + abbr + ".lng")).string(); }
    void AddEnglish() const {
#ifdef VELMORA_ENGLISH_MODULE
        fs::copy_file(VELMORA_ENGLISH_MODULE, Module("ENU"));
#else
        GTEST_SKIP() << "built without the English module";
#endif
    }
    void Write(const std::string& path, const std::string& bytes) const { std::ofstream(path, std::ios::binary) << bytes; }

    fs::path dir_;
    std::vector<std::string> messages_;
};

TEST(LanguageOfLocaleTest, MapsDesktopLocales) {
    const struct {
        const char* Locale;
        std::optional<int32_t> Lcid;
    } cases[] = {
        {"en_US.UTF-8", 1033}, {"en_GB.UTF-8", 2057}, {"en_IE.UTF-8", 1033},  // another region: the main one
        {"ru_RU.UTF-8", 1049}, {"ru_UA@euro", 1049},  {"de", 1031},
        {"C", std::nullopt},   {"POSIX", std::nullopt}, {"", std::nullopt},   {"xx_YY", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(LanguageOfLocale(c.Locale), c.Lcid) << c.Locale;
}

TEST_F(LanguagesTest, NoModuleAndTheDefaultSettingGiveRussianAlone) {
    InitLanguages(kLanguageBuiltIn, kLanguageDefault);
    EXPECT_EQ(CurrentLanguage(), 1049);
    EXPECT_EQ(AvailableLanguages(), TLCIDs{1049});
    EXPECT_EQ(Tr("Ошибка"), "Ошибка");
    EXPECT_TRUE(messages_.empty());  // a missing module falls back without a word
}

TEST_F(LanguagesTest, EnglishModuleTranslatesTheEngineTexts) {
    AddEnglish();
    InitLanguages(kLanguageBuiltIn, 1033);
    EXPECT_EQ(CurrentLanguage(), 1033);
    EXPECT_EQ(AvailableLanguages(), (TLCIDs{1033, 1049}));
    EXPECT_EQ(LanguageName(1033), "English");
    EXPECT_EQ(LanguageAbbreviation(1033), "ENU");
    fs::remove(Module("ENU"));
    try {
        CheckModule(1033);
        FAIL() << "a vanished module passed the check";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Language module \"" + Module("ENU") + "\" was not found!");
    }
    // Back to the built-in texts.
    SetLanguage(kLanguageBuiltIn);
    EXPECT_THROW(CheckModule(1033), Error);
    try {
        CheckModule(1033);
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Языковый модуль \"" + Module("ENU") + "\" не найден!");
    }
    EXPECT_NO_THROW(CheckModule(1049));
}

TEST_F(LanguagesTest, NoLanguageKeepsRussianAndListsTheModules) {
    AddEnglish();
    InitLanguages(kLanguageBuiltIn, kLanguageBuiltIn);
    EXPECT_EQ(CurrentLanguage(), 1049);
    EXPECT_EQ(AvailableLanguages(), (TLCIDs{1033, 1049}));
    EXPECT_EQ(Tr("Ошибка"), "Ошибка");
}

TEST_F(LanguagesTest, ModuleThatCannotBeLoadedIsReportedThenRussian) {
    const std::string bad[] = {"", "not a translation file", std::string("\x3c\xb8\x64\x18\xca\xef\x9c\x95\xcd\x21\x1c\xbf\x60\xa1\xbd\xdd\x69\0\0\x01\0", 21)};
    for (const std::string& bytes : bad) {
        messages_.clear();
        Write(Module("ENU"), bytes);
        InitLanguages(kLanguageBuiltIn, 1033);
        EXPECT_EQ(CurrentLanguage(), 1049);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].rfind("Не удалось загрузить языковый модуль \"" + Module("ENU") + "\"!\r\r", 0), 0u) << messages_[0];
        EXPECT_EQ(Tr("Ошибка"), "Ошибка");
    }
}

TEST_F(LanguagesTest, ApplierFailureFallsBackToRussian) {
    AddEnglish();
    std::vector<int32_t> applied;
    SetLanguageApplier([&](int32_t lcid, const std::string& file) {
        applied.push_back(lcid);
        if (!file.empty()) throw Error("bad module");
    });
    InitLanguages(kLanguageBuiltIn, 1033);
    SetLanguageApplier(nullptr);
    EXPECT_EQ(CurrentLanguage(), 1049);
    EXPECT_EQ(applied, (std::vector<int32_t>{1033}));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(Tr("Ошибка"), "Ошибка");
}

TEST_F(LanguagesTest, StartLanguage) {
    AddEnglish();
    InitLanguages(kLanguageBuiltIn, kLanguageBuiltIn);
    const struct {
        bool NoLanguage;
        std::optional<int> Setting;
        const char* Desktop;
        int32_t Expected;
    } cases[] = {
        {true, 1033, "en_US.UTF-8", 1049},    // "no-language" wins
        {false, 1033, "ru_RU.UTF-8", 1033},   // the setting wins over the desktop
        {false, 1049, "en_US.UTF-8", 1049},
        {false, std::nullopt, "ru_RU.UTF-8", 1049},  // the built-in language serves the desktop
        {false, std::nullopt, "en_GB.UTF-8", 1033},  // the English module serves British English
        {false, std::nullopt, "de_DE.UTF-8", 1033},  // no German module: the default
        {false, std::nullopt, "", 1033},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartLanguage(c.NoLanguage, c.Setting, c.Desktop), c.Expected) << c.Desktop;
    fs::remove(Module("ENU"));
    EXPECT_EQ(StartLanguage(false, std::nullopt, "en_GB.UTF-8"), 1033);
}

TEST_F(LanguagesTest, TranslationFileKeepsTheTextsReadBeforeOnFailure) {
    AddEnglish();
    TTranslationFile file;
    file.Load(Module("ENU"));
    ASSERT_NE(file.Find("Ошибка"), nullptr);
    EXPECT_EQ(*file.Find("Ошибка"), "Error");
    EXPECT_EQ(file.Find("нет такого текста"), nullptr);
    const size_t size = file.Size();
    std::ifstream in(Module("ENU"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Write(Module("ENU"), bytes.substr(0, bytes.size() / 2));
    EXPECT_THROW(file.Load(Module("ENU")), Error);
    EXPECT_EQ(file.Size(), size);
}

} // namespace
