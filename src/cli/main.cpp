#include "cli.h"

#include "core/app/command_line.h"
#include "core/app/config.h"
#include "core/app/languages.h"
#include "core/model/data_folder.h"
#include "core/stakes/rating_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace velmora::cli {

// The errors of the options every command takes.
constexpr const char* kNoDataDirAfterOption = TrNoop("Не указана папка данных после --data-dir");
constexpr const char* kNoLanguageAfterOption = TrNoop("Не указан язык после --language");
constexpr const char* kBadLanguageCode = TrNoop("Некорректный код языка: %s");

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

void ApplyProgramSettings(TStatList& list) {
    TConfigFile file;
    try {
        file.Load();
    } catch (const std::exception& e) {
        PrintMessage(Format(Tr("Ошибка чтения файла конфигурации!\r\r%s"), {e.what()}));
    }
    ApplyConfigFile(file.Ini(), list);
}

std::string ForTerminal(std::string text) {
    for (auto& c : text)
        if (c == '\r') c = '\n';
    return text;
}

void PrintMessage(const std::string& text) {
    std::fflush(stdout);
    const std::string line = ForTerminal(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

void LoadRatings(TRatingsStore& ratings) {
    try {
        ratings.Load(CliProgress());
    } catch (const std::exception& e) {
        PrintMessage(e.what());
    }
}

void LockDataFolder() {
    static TDataLock lock;
    velmora::LockDataFolder(lock);
}

void Out(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

bool Args::Flag(const std::string& name) {
    auto it = std::find(words_.begin(), words_.end(), name);
    if (it == words_.end()) return false;
    words_.erase(it);
    return true;
}

std::optional<std::string> Args::Value(const std::string& name) {
    auto it = std::find(words_.begin(), words_.end(), name);
    if (it == words_.end()) return std::nullopt;
    if (it + 1 == words_.end()) throw Error(Format(Tr("Не указано значение параметра %s"), {name}));
    std::string v = *(it + 1);
    words_.erase(it, it + 2);
    return v;
}

std::vector<std::string> Args::Values(const std::string& name) {
    std::vector<std::string> out;
    while (auto v = Value(name)) out.push_back(*v);
    return out;
}

std::optional<int> Args::Int(const std::string& name) {
    auto v = Value(name);
    if (!v) return std::nullopt;
    auto i = TryStrToInt(*v);
    if (!i) throw Error(Format(Tr("Некорректное целое значение параметра %s: %s"), {name, *v}));
    return *i;
}

std::string Args::Positional(const std::string& what) {
    for (auto it = words_.begin(); it != words_.end(); ++it)
        if (it->size() < 2 || it->compare(0, 2, "--") != 0) {
            std::string v = *it;
            words_.erase(it);
            return v;
        }
    throw Error(Format(Tr("Не указан параметр: %s"), {what}));
}

void Args::Done() const {
    if (!words_.empty()) throw Error(Format(Tr("Неизвестный параметр: %s"), {words_.front()}));
}

TDrawsArchive LoadArchive() {
    TDrawsArchive a;
    a.FileName = ProductFile(".ldr");
    a.LoadDraws();
    return a;
}

void ApplyWindowOptions(TDrawsArchive& archive, Args& args) {
    if (auto k = args.Int("--offset")) {
        if (*k < 0 || (*k > 0 && *k > archive.Count() - 1))
            throw Error(Format(Tr("Смещение вне архива тиражей: %d"), {*k}));
        archive.SetDrawsOffset(*k);
    }
    archive.Sorted = args.Flag("--sorted");
}

namespace {

class TerminalProgress : public TProgressSink {
public:
    void Status(const std::string& text) override {
        if (!tty_) return;
        std::fprintf(stderr, "\r\033[K%s", text.c_str());
        std::fflush(stderr);
    }

private:
    bool tty_ = ::isatty(2) != 0;
};

} // namespace

TProgressSink& CliProgress() {
    static TerminalProgress sink;
    return sink;
}

namespace {

// The command line speaks Russian unless asked otherwise: --language, or a desktop language whose
// module is there. A module that is missing or cannot be read leaves the built-in texts.
void StartCliLanguage(std::optional<int> wanted) {
    SetLanguageMessageSink([](const std::string& message) { PrintMessage(message); });
    if (wanted) {
        try {
            CheckModule(*wanted);
        } catch (const std::exception& e) {
            PrintMessage(e.what());
        }
    } else if (const auto desktop = LanguageOfLocale(DesktopLocale());
               desktop && !LanguageModuleFile(*desktop).empty() &&
               std::filesystem::is_regular_file(LanguageModuleFile(*desktop))) {
        wanted = *desktop;
    }
    InitLanguages(kLanguageBuiltIn, wanted.value_or(kLanguageBuiltIn));
}

std::string UnknownCommandText(const std::string& word) {
    return Format(Tr("Неизвестная команда: %s (velmora-cli --help lists the commands)"), {word});
}

void PrintHelp() {
    Out("velmora-cli " VELMORA_VERSION " - the Numora for Velmora 5x50 engine without a window");
    Out("");
    Out("Usage: velmora-cli [--data-dir DIR] COMMAND [options]");
    Out("  --data-dir DIR   the data folder (default: the folder of the executable when it can be written,");
    Out("                   else $XDG_DATA_HOME/Velmora_5x50, by default ~/.local/share/Velmora_5x50)");
    Out("  --language N     the language of messages and captions: 1049 Russian (built in), 1033 English");
    Out("                   (its module Velmora_5x50_ENU.lng beside the executable); without it Russian,");
    Out("                   or the language of LANG when its module is there. Codes, numbers and");
    Out("                   tab-separated cells never change with the language.");
    Out("");
    Out("Commands:");
    auto cmds = Commands();
    std::sort(cmds.begin(), cmds.end(), [](const Command& a, const Command& b) { return a.Name < b.Name; });
    for (const auto& c : cmds) {
        Out("  " + c.Usage);
        Out("      " + c.Help);
    }
}

} // namespace

} // namespace velmora::cli

int main(int argc, char** argv) {
    using namespace velmora;
    using namespace velmora::cli;
    std::vector<std::string> words(argv + 1, argv + argc);
    try {
        std::optional<int> language;
        bool dataDirGiven = false;
        for (size_t i = 0; i < words.size();) {
            if (words[i] == "--data-dir") {
                if (i + 1 >= words.size()) throw Error(Tr(kNoDataDirAfterOption));
                DataDir() = words[i + 1];
                dataDirGiven = true;
                words.erase(words.begin() + long(i), words.begin() + long(i) + 2);
            } else if (words[i] == "--language") {
                if (i + 1 >= words.size()) throw Error(Tr(kNoLanguageAfterOption));
                language = TryStrToInt(words[i + 1]);
                if (!language) throw Error(Format(Tr(kBadLanguageCode), {words[i + 1]}));
                words.erase(words.begin() + long(i), words.begin() + long(i) + 2);
            } else {
                ++i;
            }
        }
        StartCliLanguage(language);
        if (!words.empty() && words[0] == "--version") {
            Out(VELMORA_VERSION);
            return 0;
        }
        if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
            PrintHelp();
            return words.empty() ? 1 : 0;
        }
        for (auto& c : Commands())
            if (c.Name == words[0]) {
                Args args(std::vector<std::string>(words.begin() + 1, words.end()));
                if (args.Flag("--help")) {
                    Out("Usage: velmora-cli " + c.Usage);
                    Out(c.Help);
                    return 0;
                }
                if (!dataDirGiven) UseDefaultDataDir();
                CheckDataDir(DataDir());
                int rc = c.Run(args);
                std::fflush(stdout);
                return rc;
            }
        throw Error(UnknownCommandText(words[0]));
    } catch (const std::exception& e) {
        PrintMessage(e.what());
        return 1;
    }
}
