// The pages of the main window, in the order of their tabs; a new page is added here. The order is
// also the order in which the pages read their settings, start up and recompute their views.
#include "gui/app/template_main.h"
#include "gui/combs/combs_page.h"
#include "gui/draws/draws_page.h"
#include "gui/stats/draws_stat_page.h"

namespace velmora {

void TTemplateMain::CreatePages() {
    AddPage(new TDrawsPage(*this), TPageArea::Lists, tr("Архив тиражей"));
    AddPage(new TCombsPage(*this), TPageArea::Lists, tr("Комбинации"));
    AddPage(new TDrawsStatPage(*this), TPageArea::Main, tr("Статистика"));
}

} // namespace velmora
