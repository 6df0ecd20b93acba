// The web commands: download (new draws from the results site into the archive) and proxy (print
// or change the proxy of the download). Both read the "WEB" and "PROXY" sections of the settings.
#include "cli.h"

#include "core/net/draws_download.h"
#include "core/util/translate.h"
#include "core/net/proxy_settings.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

namespace velmora::cli {
namespace {

TConfigFile LoadSettings() {
    TConfigFile file;
    try {
        file.Load();
    } catch (const std::exception& e) {
        PrintMessage(ConfigReadErrorText(e.what()));
    }
    return file;
}

// No questions on a command line: a failed year ends the download, whose message is the
// command's error.
class TCliDownloadHost : public TDownloadHost {
public:
    explicit TCliDownloadHost(TConfigFile& file) : file_(file) {}
    void WaitText(const std::string& text) override { CliProgress().Status(ForTerminal(text)); }
    void ShowError(const std::string& message) override { PrintMessage(message); }
    void SaveProxy(TProxy& proxy) override { SaveProxySettingsFile(file_, proxy); }
    void YearRead(int year, int added) override { Out(Format("%d\t%d", {year, added})); }
    void RowsSkipped(int year, const std::string& message) override {
        (void)year;
        PrintMessage(message);
    }

private:
    TConfigFile& file_;
};

int RunDownload(Args& args) {
    const auto fromYear = args.Int("--from-year");
    args.Done();
    if (fromYear && (*fromYear < 1900 || *fromYear > 9999)) throw Error(Format(Tr("Неверный год --from-year: %d"), {*fromYear}));
    LockDataFolder();
    TDrawsArchive archive = LoadArchive();
    TConfigFile file = LoadSettings();
    const TWebSettings web = LoadWebSettings(file.Ini());
    // No request to the placeholder address: say where the real one is set.
    if (DrawsSiteIsPlaceholder(web))
        throw Error(Format(Tr("%s Укажите адрес в ключе \"DrawsSite\" раздела \"WEB\" файла Velmora_5x50.ini."),
                           {Format(Tr(kDrawsSiteNotSetText), {web.DrawsSite})}));
    TProxy proxy = LoadProxySettings(file.Ini());
    TCliDownloadHost host(file);
    TDrawsDownloader d(archive, proxy, web, host, CliProgress());
    if (fromYear) d.FirstYear = *fromYear;
    const int total = d.DownloadAllYears();
    CliProgress().Status("");
    Out(Format(NoTr("Итого\t%d"), {total}));
    if (!d.LastError().empty()) throw Error(Format(Tr("Ошибка загрузки архива тиражей с сайта: \"%s\""), {d.LastError()}));
    return 0;
}

void PrintProxy(const TProxy& p) {
    Out(Format("ProxyMode=%d", {int(p.Mode)}));
    Out("ProxyServer=" + p.Server);
    Out(Format("ProxyPort=%d", {p.Port}));
    Out("ProxyUsername=" + p.Username);
    // The password itself stays in the file.
    Out(std::string("ProxyPassword=") + (p.Password.empty() ? "" : "********"));
}

int RunProxy(Args& args) {
    const auto mode = args.Int("--mode");
    const auto server = args.Value("--server");
    const auto port = args.Int("--port");
    const auto user = args.Value("--user");
    const auto password = args.Value("--password");
    args.Done();
    const bool change = mode || server || port || user || password;
    if (mode && (*mode < 0 || *mode > 2)) throw Error(Tr("Режим proxy --mode: 0 (без proxy), 1 (автоматический поиск) или 2 (ручной выбор)"));
    if (change) LockDataFolder();
    TConfigFile file;
    file.Load();
    TProxy p = LoadProxySettings(file.Ini());
    if (change) {
        SetProxyChoice(p, mode.value_or(p.Mode), server.value_or(p.Server), port.value_or(p.Port == 0 ? 80 : p.Port),
                       user.value_or(p.Username), password.value_or(p.Password));
        SaveProxySettingsFile(file, p);
    }
    PrintProxy(p);
    return 0;
}

CommandRegistrar download({"download", "download [--from-year Y]",
                           "downloads the new draws from the results site (section WEB of the settings) into the "
                           "archive; prints the draws added per year and the total",
                           RunDownload});
CommandRegistrar proxy({"proxy", "proxy [--mode 0|1|2] [--server S --port P] [--user U --password W]",
                        "prints or changes the proxy of the draw download (section PROXY of the settings)", RunProxy});

} // namespace
} // namespace velmora::cli
