#include "gui/app/form_main.h"

namespace velmora {

TFormMain::TFormMain(QWidget* parent) : TTemplateMain(parent) {
    setObjectName("TFormMain");
    SetDrawListCaptions({tr("Тираж"), "1", "2", "3", "4", "5", "E1", "E2", "S", tr("Дата тиража")});
    ReadWindowSettings();
    UpdateCommands();
}

} // namespace velmora
