#include "gui/app/form_main.h"

#include "gui/app/qt_text.h"
#include "gui/app/shredding_commands.h"
#include "gui/draws/draws_download.h"
#include "gui/draws/draws_page.h"

namespace velmora {

TFormMain::TFormMain(QWidget* parent) : TTemplateMain(parent) {
    setObjectName("TFormMain");
    Page<TDrawsPage>()->SetDrawListCaptions(
        {tr("Тираж"), "1", "2", "3", "4", "5", "E1", "E2", "S", tr("Дата тиража")});
    ReadWindowSettings();
    download_ = new TDrawsDownloadCommands(*this, S(SettingsSection()));
    new TShreddingCommands(*this);
    UpdateCommands();
}

bool TFormMain::DownloadDrawsAtStart() {
    if (!download_ || !TDrawsDownloadCommands::StartOfferEnabled()) return true;
    return download_->DownloadDraws(true);
}

void TFormMain::OfferDrawsDownloadAtStart() {
    if (download_) download_->DownloadAtStart();
}

} // namespace velmora
