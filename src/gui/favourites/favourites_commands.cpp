// The favourite statistics on the page "Статистика": the manager of the favourites (also the
// button "Избранное" beside the table), showing every statistic again, and the description of the
// statistic selected in the table's selector. Their menu entries show F7 and Ctrl+F7, the keys of
// the statistic filters; those keys stay with the filters.
#include "core/combs/favourites.h"
#include "core/model/data_folder.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"
#include "gui/favourites/form_manager.h"
#include "gui/favourites/form_stat_description.h"
#include "gui/stats/draws_stat_page.h"

#include <QAction>
#include <QComboBox>

namespace velmora {

namespace {

// The caption of a menu entry with a key shown beside it that belongs to another command.
QString WithKeyText(const QString& caption, const QKeySequence& key) {
    return caption + '\t' + key.toString(QKeySequence::NativeText);
}

} // namespace

void TDrawsStatPage::AddFavouritesCommands() {
    QAction* manager = AddCommand("FiltersManager", tr("Избранные статистики"), {},
                                  tr("Настройка списка избранных видов статистики (фильтров)"),
                                  &TDrawsStatPage::FiltersManagerUpdate, &TDrawsStatPage::FiltersManagerExecute);
    manager->setText(WithKeyText(manager->text(), QKeySequence(Qt::Key_F7)));
    manager->setIconText(tr("Избранное"));
    QAction* reset = AddCommand("FiltersReset", tr("Все доступные статистики"), {},
                                tr("Отображать все доступные виды статистики (фильтры)"),
                                &TDrawsStatPage::FiltersResetUpdate, &TDrawsStatPage::FiltersResetExecute);
    reset->setText(WithKeyText(reset->text(), QKeySequence(Qt::CTRL | Qt::Key_F7)));
    AddCommand("FiltersInfo", tr("Описание статистики"), QKeySequence(Qt::Key_F8),
               tr("Сведения о выбранном методе расчета статистики"), &TDrawsStatPage::FiltersInfoUpdate,
               &TDrawsStatPage::FiltersInfoExecute);
}

void TDrawsStatPage::ReloadStatSelectors() {
    TBusy busy(&Window());
    Window().SetStatusText(tr("Подождите пожалуйста..."));
    // Saves the favourites file, rebuilds the list and reads the file back (the selectors follow).
    Window().ReloadStatList();
    RefreshStatSelectors(false);
    Window().RecomputeViews(true);
    Window().SetStatusText(QString());
}

bool TDrawsStatPage::FiltersManagerUpdate() const { return true; }
void TDrawsStatPage::FiltersManagerExecute() {
    if (!EditFavourites(Window(), &Window())) return;
    ReloadStatSelectors();
}

bool TDrawsStatPage::FiltersResetUpdate() const { return true; }
void TDrawsStatPage::FiltersResetExecute() {
    if (!AskConfirmation(&Window(), tr("Вы действительно хотите сбросить список избранных фильтров?"))) return;
    {
        TBusy busy(&Window());
        ResetFavourites(Window().StatList(), ProductFile(".flt"));
    }
    ReloadStatSelectors();
}

bool TDrawsStatPage::FiltersInfoUpdate() const { return SelectedStatMethod() >= 0; }
void TDrawsStatPage::FiltersInfoExecute() { ShowStatDescription(Window(), &Window(), SelectedStatMethod()); }

} // namespace velmora
