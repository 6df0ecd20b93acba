// Velmora_5x50: the desktop program. Takes --data-dir DIR like velmora-cli; without it the data
// folder is the folder of the executable when it can be written, else the per-user folder
// ~/.local/share/Velmora_5x50 (an installed program). The words restart, loadonly, fullrecreate, fullrefresh
// and no-language (bare or after "-", "--", "/" or "\") select the start-up modes.
#include "core/app/languages.h"
#include "core/app/window_settings.h"
#include "gui/app/form_main.h"
#include "gui/app/messages.h"
#include "gui/app/qt_locale.h"
#include "gui/app/qt_text.h"
#include "core/model/data_folder.h"
#include "core/model/draws_archive.h"
#include "core/util/atomic_file.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <string_view>

namespace {

// The first start on a per-user data folder without an archive offers the sample archive; it is
// never made without asking, and the question says that its draws are not real results.
void OfferSampleArchive() {
    const std::string file = velmora::ProductFile(".ldr");
    if (velmora::FileExists(file)) return;
    const QString text =
        QApplication::translate("main", "В папке данных \"%1\" нет архива тиражей.").arg(velmora::Q(velmora::DataDir())) +
        "\r\r" +
        QApplication::translate("main", "Создать пробный архив из %1 случайных тиражей? Это пробные данные, а не настоящие "
                                        "результаты лотереи: настоящие тиражи загружаются из меню \"Архив тиражей\" или "
                                        "импортируются из файла.")
            .arg(velmora::kSampleArchiveDraws);
    if (!velmora::AskConfirmation(nullptr, text, false)) return;
    try {
        velmora::TDrawsArchive archive;
        archive.FileName = file;
        archive.Draws = velmora::MakeSampleDraws(velmora::kSampleArchiveDraws, velmora::kSampleArchiveSeed);
        archive.SaveDraws();
    } catch (const std::exception& e) {
        velmora::ShowError(nullptr, velmora::Q(e.what()));
    }
}

} // namespace

int main(int argc, char** argv) {
    // --version answers before any window system is needed.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("%s\n", VELMORA_VERSION);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Velmora_5x50");
    QApplication::setApplicationVersion(VELMORA_VERSION);
    velmora::InstallQtTexts(app);

    const QStringList args = QApplication::arguments();
    bool dataDirGiven = false;
    for (int i = 1; i < args.size(); ++i)
        if (args[i] == "--data-dir") {
            if (i + 1 >= args.size()) {
                velmora::ShowError(nullptr, QApplication::translate("main", "Не указана папка данных после --data-dir"));
                return 1;
            }
            velmora::DataDir() = velmora::S(QDir(args[i + 1]).absolutePath());
            dataDirGiven = true;
            ++i;
        }

    std::vector<std::string> words;
    for (const QString& a : args) words.push_back(velmora::S(a));
    velmora::TTemplateMain::StartMode() = velmora::ParseStartMode(words);

    // A mistyped folder is reported, not run as an empty data folder.
    bool userDataDir = false;
    try {
        if (!dataDirGiven) userDataDir = velmora::UseDefaultDataDir();
        velmora::CheckDataDir(velmora::DataDir());
    } catch (const std::exception& e) {
        if (velmora::TTemplateMain::StartMode().Batch()) {
            const std::string line = velmora::S(velmora::MessageText(velmora::Q(e.what()))) + "\n";
            std::fwrite(line.data(), 1, line.size(), stderr);
        } else {
            velmora::ShowError(nullptr, velmora::Q(e.what()));
        }
        return 1;
    }

    // The interface language, before the first window: the windows are built in it.
    velmora::ConnectLanguages();
    velmora::InitLanguages(velmora::kLanguageBuiltIn, velmora::StartLanguageOfWindow());

    if (userDataDir && !velmora::TTemplateMain::StartMode().Batch()) OfferSampleArchive();

    velmora::TFormMain window;
    if (window.QuitPending()) return window.ExitCode();
    QObject::connect(&window, &velmora::TTemplateMain::QuitRequested, &app,
                     [](int code) { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    // The command-line modes that end after the initialisation run without the window.
    if (!velmora::TTemplateMain::StartMode().Batch()) window.ShowWindow();
    return app.exec();
}
