#include "gui/app/form_main.h"

#include "gui/draws/draws_page.h"

namespace velmora {

TFormMain::TFormMain(QWidget* parent) : TTemplateMain(parent) {
    setObjectName("TFormMain");
    Page<TDrawsPage>()->SetDrawListCaptions(
        {tr("Тираж"), "1", "2", "3", "4", "5", "E1", "E2", "S", tr("Дата тиража")});
    ReadWindowSettings();
    UpdateCommands();
}

} // namespace velmora
