// The self-update from the command line: update check (is a newer build published, and what is
// in it) and update install (download, check the signature, install over the program's folder).
#include "cli.h"

#include "core/app/config.h"
#include "core/app/languages.h"
#include "core/model/data_folder.h"
#include "core/net/proxy_settings.h"
#include "core/net/web_settings.h"
#include "core/update/self_update.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/translate.h"

#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace velmora::cli {
namespace {

constexpr int kExitUpdateAvailable = 10;

// Messages go to stderr; the dialog's three fields to stdout; the answer is --yes or the terminal's.
class TCliUpdateHost : public TUpdateHost {
public:
    TCliUpdateHost(bool install, bool ask) : install_(install), ask_(ask) {}
    void Message(TKind kind, const std::string& text) override {
        if (kind == TKind::Information)
            Out(ForTerminal(text));
        else
            PrintMessage(text);
    }
    bool AskInstall(const std::string& current, const std::string& newVersion, const std::string& description) override {
        Found = true;
        Out(Tr("Текущая версия программы:") + "\t" + current);
        Out(Tr("Новая версия программы:") + "\t" + newVersion);
        Out(Tr("Описание версии:"));
        Out(ForTerminal(description));
        if (!install_) return false;
        if (!ask_) return true;
        if (!::isatty(0)) throw Error(Tr("Установка без подтверждения: укажите --yes."));
        std::cout << Tr("Установить это обновление? [y/N] ") << std::flush;
        std::string answer;
        std::getline(std::cin, answer);
        return answer == "y" || answer == "Y";
    }
    void ProgressBegin(const std::string& text, int) override { CliProgress().Status(ForTerminal(text)); }
    void ProgressEnd() override { CliProgress().Status(""); }
    bool Found = false;

private:
    bool install_, ask_;
};

std::string ExecutablePath() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

// The descriptor given, or the one of the update server of the settings.
std::string DescriptorAddress(Args& args, TWebOptions& web) {
    TConfigFile file;
    try {
        file.Load();
    } catch (const std::exception& e) {
        PrintMessage(ConfigReadErrorText(e.what()));
    }
    const TWebSettings settings = LoadWebSettings(file.Ini());
    web = WebOptionsFor(settings);
    if (const auto d = args.Value("--descriptor")) return *d;
    if (UpdateSiteIsPlaceholder(settings))
        throw Error(Format(Tr("Адрес сервера обновлений еще не задан (в настройках стоит адрес-заполнитель \"%s\"). "
                              "Укажите его в ключе \"UpdateSite\" раздела \"WEB\" файла Velmora_5x50.ini или в --descriptor."),
                           {settings.UpdateSite}));
    return UpdateDescriptorAddress(settings);
}

TUpdateContext Context(const TWebOptions& web) {
    TUpdateContext c;
    c.ProgramDir = ExecutableDir();
    c.Language = CurrentLanguage();
    c.LanguageAbbreviation = LanguageAbbreviation(c.Language);
    c.Web = web;
    return c;
}

int RunUpdate(Args& args) {
    const std::string sub = args.Positional("check | install");
    if (sub != "check" && sub != "install") throw Error(Format(Tr("Неизвестная команда: %s"), {sub}));
    TWebOptions web;
    const std::string descriptor = DescriptorAddress(args, web);
    const bool yes = sub == "install" && args.Flag("--yes");
    args.Done();
    if (sub == "install" && InstalledByPackageManager(ExecutablePath()))
        throw Error(Format(Tr(kPackageManagedText), {kDebianPackageName}));
    TCliUpdateHost host(sub == "install", !yes);
    const int result = CheckForUpdate(descriptor, false, Context(web), host);
    if (result == UpdateFailed) return 1;
    if (sub == "check") return host.Found ? kExitUpdateAvailable : 0;
    return 0;
}

CommandRegistrar r({"update", "update check|install [--descriptor ADDRESS] [--yes]",
                    "self-update: check prints the current and the published version (exit 0: none, 10: available); "
                    "install downloads the signed package and installs it over the program's folder",
                    RunUpdate});

} // namespace
} // namespace velmora::cli
