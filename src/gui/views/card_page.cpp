#include "gui/views/card_page.h"

#include "core/util/translate.h"
#include "core/views/draws_card.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/xlsx_export_command.h"
#include "gui/views/card_model.h"
#include "gui/views/grid_delegate.h"
#include "gui/views/selection_filter.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {

constexpr int kCellSize = 18;  // the card's designed column width and row height

} // namespace

TCardPage::TCardPage(TTemplateMain& window) : TMainPage(window, "tsCard") {
    AddCommand("TabCard", tr("Вкладка \"Карта\""), {}, tr("Вкладка \"Карта\""), &TCardPage::TabCardUpdate,
               &TCardPage::TabCardExecute, &TCardPage::TabCardChecked);
    AddCommand("ViewColorCard", tr("Выделять каналы в карте тиражей"), {},
               tr("Выделять цветами каналы в карте тиражей"), &TCardPage::ViewColorCardUpdate,
               &TCardPage::ViewColorCardExecute, &TCardPage::ViewColorCardChecked);
    AddCommand("ViewColorCardSequences", tr("Выделять последовательности в карте тиражей"), {},
               tr("Выделять цветами последовательности в карте тиражей"), &TCardPage::ViewColorCardSequencesUpdate,
               &TCardPage::ViewColorCardSequencesExecute, &TCardPage::ViewColorCardSequencesChecked);
    AddCommand("CardFilter_Include", tr("Оставить выделенные"), {},
               tr("В списке комбинаций оставить комбинации с выделенными значениями"),
               &TCardPage::CardFilter_IncludeUpdate, &TCardPage::CardFilter_IncludeExecute);
    AddCommand("CardFilter_Exclude", tr("Удалить выделенные"), {},
               tr("Из списка комбинаций удалить комбинации с выделенными  значениями"),
               &TCardPage::CardFilter_ExcludeUpdate, &TCardPage::CardFilter_ExcludeExecute);
    AddCommand("CardXlsExport", tr("Экспорт карты тиражей в Microsoft Excel"), {},
               tr("Экспорт карты тиражей в Microsoft Excel"), &TCardPage::CardXlsExportUpdate,
               &TCardPage::CardXlsExportExecute);

    model_ = new TCardModel(this);
    sgCard = new QTableView(this);
    sgCard->setObjectName("sgCard");
    sgCard->setModel(model_);
    sgCard->setItemDelegate(new TGridCellDelegate(sgCard));
    sgCard->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sgCard->setSelectionBehavior(QAbstractItemView::SelectItems);
    sgCard->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgCard->setWordWrap(false);
    sgCard->setCornerButtonEnabled(false);
    sgCard->setContextMenuPolicy(Qt::CustomContextMenu);
    // Fixed sizes: the view never measures the rows of a long archive.
    for (QHeaderView* h : {sgCard->horizontalHeader(), sgCard->verticalHeader()}) {
        h->setSectionResizeMode(QHeaderView::Fixed);
        h->setHighlightSections(false);
        h->setMinimumSectionSize(1);
    }
    sgCard->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    connect(sgCard->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);
    FitGrid();

    btnCardFilterInclude = CommandButton(this, "btnCardFilterInclude", Command("CardFilter_Include"));
    btnCardFilterExclude = CommandButton(this, "btnCardFilterExclude", Command("CardFilter_Exclude"));
    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(2);
    tools->addWidget(btnCardFilterInclude);
    tools->addWidget(btnCardFilterExclude);
    tools->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(sgCard, 1);

    pmCard = CreatePopupMenu("pmCard", sgCard, {"CardFilter_Include", "CardFilter_Exclude", "", "CardXlsExport"});
    AddCommands(window.MainMenu(TMainMenu::View), {"TabCard", "ViewColorCard", "ViewColorCardSequences"});

    // Any change of the draws themselves (an edit, an import, a download) makes the card stale;
    // the views are recomputed after it.
    connect(&window, &TTemplateMain::DrawsChanged, this, [this](bool reset) {
        if (reset) stale_ = true;
    });
    connect(&window, &TTemplateMain::ConfigChanged, this, [this] { UpdateColours(); });
}

void TCardPage::ReadSettings(const std::string& section) {
    const TWindowSettings& settings = Window().Settings();
    const bool colorCard = settings.ReadBool(section, "ColorCard", true);
    const bool sequences = settings.ReadBool(section, "ColorCardSequences", true);
    model_->SetColours(colorCard, sequences, Window().StatList().Config.ChannelSize);
    SetPageVisible(settings.ReadBool(section, "TabCard", true));
}

bool TCardPage::PageVisible() const {
    const int i = Window().pcMain->indexOf(const_cast<TCardPage*>(this));
    return i >= 0 && Window().pcMain->isTabVisible(i);
}

void TCardPage::SetPageVisible(bool visible) {
    const int i = Window().pcMain->indexOf(this);
    if (i >= 0) Window().pcMain->setTabVisible(i, visible);
}

void TCardPage::UpdateColours() {
    model_->SetColours(model_->ColorCard(), model_->ColorSequences(), Window().StatList().Config.ChannelSize);
}

// The columns show two digits and the captions whole; the draw numbers fit their header.
void TCardPage::FitGrid() {
    const QFontMetrics fm = sgCard->fontMetrics();
    const int width = std::max({kCellSize, fm.horizontalAdvance("00") + 6, fm.horizontalAdvance("E2") + 6});
    sgCard->horizontalHeader()->setDefaultSectionSize(width);
    sgCard->verticalHeader()->setDefaultSectionSize(std::max(kCellSize, fm.height() + 4));
    int widest = 0;
    if (!model_->Card().Rows.empty()) {
        for (const TCardRow& r : {model_->Card().Rows.front(), model_->Card().Rows.back()})
            widest = std::max(widest, fm.horizontalAdvance(QString::number(r.Number)));
    }
    sgCard->verticalHeader()->setFixedWidth(std::max(widest, fm.horizontalAdvance("00000")) + 12);
}

void TCardPage::RefreshCard(bool force) {
    if (!PageVisible()) return;
    if (!force && !stale_ && builtCount_ == Window().Draws().Count()) return;
    TBusy busy(&Window());
    Window().SetStatusText(tr("Обновление карты тиражей..."));
    try {
        model_->SetCard(BuildDrawsCard(Window().Draws()));
        builtCount_ = Window().Draws().Count();
        stale_ = false;
    } catch (...) {
        Window().SetStatusText(QString());
        throw;
    }
    FitGrid();
    Window().SetStatusText(QString());
}

TGridRect TCardPage::SelectedRect() const { return SelectedGridRect(*sgCard); }

void TCardPage::ApplyCardFilter(TFilterAction action) {
    ApplySelectionFilter(Window(), CardSelectedNumbers(model_->Card(), SelectedRect()), action, TrText(kCardCaption));
}

// ---- commands -------------------------------------------------------------------------------

bool TCardPage::TabCardUpdate() const { return true; }
bool TCardPage::TabCardChecked() const { return PageVisible(); }

void TCardPage::TabCardExecute() {
    const bool visible = !PageVisible();
    SetPageVisible(visible);
    Window().WriteSwitch("TabCard", visible);
    if (!visible) return;
    RefreshCard(true);
    Window().pcMain->setCurrentWidget(this);
}

bool TCardPage::ViewColorCardUpdate() const { return PageVisible(); }
bool TCardPage::ViewColorCardChecked() const { return model_->ColorCard(); }

void TCardPage::ViewColorCardExecute() {
    model_->SetColours(!model_->ColorCard(), model_->ColorSequences(), Window().StatList().Config.ChannelSize);
    Window().WriteSwitch("ColorCard", model_->ColorCard());
}

bool TCardPage::ViewColorCardSequencesUpdate() const { return PageVisible(); }
bool TCardPage::ViewColorCardSequencesChecked() const { return model_->ColorSequences(); }

void TCardPage::ViewColorCardSequencesExecute() {
    model_->SetColours(model_->ColorCard(), !model_->ColorSequences(), Window().StatList().Config.ChannelSize);
    Window().WriteSwitch("ColorCardSequences", model_->ColorSequences());
}

bool TCardPage::CardFilter_IncludeUpdate() const {
    return !Window().Combs().Empty() && PageVisible() && SelectionWithinNumberColumns(SelectedRect());
}

void TCardPage::CardFilter_IncludeExecute() { ApplyCardFilter(TFilterAction::Keep); }

bool TCardPage::CardFilter_ExcludeUpdate() const { return CardFilter_IncludeUpdate(); }

void TCardPage::CardFilter_ExcludeExecute() { ApplyCardFilter(TFilterAction::Delete); }

bool TCardPage::CardXlsExportUpdate() const { return PageVisible() && model_->columnCount() + 1 > 2; }

void TCardPage::CardXlsExportExecute() {
    ExportTableToXlsx(Window(), tr("Экспорт карты тиражей в Microsoft Excel"),
                      CardXlsTable(model_->Card(), TrText(kCardCaption)));
}

} // namespace velmora
