#include "gui/update/self_update_command.h"

#include "core/app/config.h"
#include "core/app/languages.h"
#include "core/model/data_folder.h"
#include "core/net/web_settings.h"
#include "core/update/self_update.h"
#include "core/util/format.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"
#include "gui/update/form_update.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <filesystem>
#include <memory>

namespace velmora {
namespace {

class TGuiUpdateHost : public TUpdateHost {
public:
    explicit TGuiUpdateHost(QWidget* parent) : parent_(parent) {}
    void Message(TKind kind, const std::string& text) override {
        if (kind == TKind::Information)
            ShowInformation(parent_, Q(text));
        else if (kind == TKind::Warning)
            ShowWarning(parent_, Q(text));
        else
            ShowError(parent_, Q(text));
    }
    bool AskInstall(const std::string& current, const std::string& newVersion, const std::string& description) override {
        TFormUpdate form(parent_, Q(current), Q(newVersion), Q(description));
        return form.exec() == QDialog::Accepted;
    }
    void ProgressBegin(const std::string& text, int steps) override {
        progress_ = std::make_unique<QProgressDialog>(Q(text), QString(), 0, steps, parent_);
        progress_->setObjectName("UpdateProgress");
        progress_->setWindowTitle(Q(text));
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(0);
        progress_->setValue(0);
        QCoreApplication::processEvents();
    }
    void ProgressStep() override {
        if (progress_) progress_->setValue(progress_->value() + 1);
        QCoreApplication::processEvents();
    }
    void ProgressEnd() override { progress_.reset(); }
    void Idle() override { QCoreApplication::processEvents(); }

private:
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> progress_;
};

std::string ExecutablePath() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

} // namespace

TSelfUpdateOverrides& SelfUpdateOverrides() {
    static TSelfUpdateOverrides overrides;
    return overrides;
}

int RunSelfUpdate(TTemplateMain* window, bool silent) {
    const TSelfUpdateOverrides& o = SelfUpdateOverrides();
    const bool managed = InstalledByPackageManager(ExecutablePath(), o.DpkgInfoDir.empty() ? kDpkgInfoDir : o.DpkgInfoDir);
    if (managed) {
        if (!silent) ShowInformation(window, Q(Format(Tr(kPackageManagedText), {kDebianPackageName})));
        return UpdateNone;
    }
    TConfigFile file;
    try {
        file.Load();
    } catch (const std::exception&) {
        // The defaults of the settings stand; the start-up reports an unreadable file itself.
    }
    const TWebSettings settings = LoadWebSettings(file.Ini());
    std::string descriptor = o.Descriptor;
    if (descriptor.empty()) {
        if (UpdateSiteIsPlaceholder(settings)) {
            if (!silent)
                ShowInformation(window, Q(Format(S(TFormUpdate::tr("Адрес сервера обновлений еще не задан (в настройках стоит адрес-заполнитель \"%s\"). "
                                                    "Укажите его на странице \"Сеть\" параметров программы.")),
                                                 {settings.UpdateSite})));
            return UpdateNone;
        }
        descriptor = UpdateDescriptorAddress(settings);
    }
    TUpdateContext context;
    context.ProgramDir = o.ProgramDir.empty() ? ExecutableDir() : o.ProgramDir;
    context.Language = CurrentLanguage();
    context.LanguageAbbreviation = LanguageAbbreviation(context.Language);
    context.Web = WebOptionsFor(settings);
    if (!o.CAFile.empty()) context.Web.CAFile = o.CAFile;
    context.PublicKeyPem = o.PublicKeyPem;
    TGuiUpdateHost host(window);
    int result;
    {
        TBusy busy(window);
        result = CheckForUpdate(descriptor, silent, context, host);
    }
    if (result == UpdateInstalled) window->RestartProgram();
    return result;
}

} // namespace velmora
