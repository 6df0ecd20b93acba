#include "gui/views/layout_page.h"

#include "core/util/translate.h"
#include "gui/app/enter_spin_box.h"
#include "gui/app/pane_splitter.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/xlsx_export_command.h"
#include "gui/views/grid_delegate.h"
#include "gui/views/selection_filter.h"
#include "gui/views/layout_model.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace velmora {

namespace {

constexpr int kDefaultLength = 100;
constexpr int kDefaultCompareLengths[kLayoutCompareLists] = {50, 100, 200, 300, 400};
constexpr int kDefaultCompareHeight = 160;
constexpr int kCaptionColumnWidth = 50;  // the Count column
constexpr int kColumnWidth = 40;         // a LastDraw column before it is widened to its texts
constexpr int kRowHeight = 18;

} // namespace

TLayoutPage::TLayoutPage(TTemplateMain& window) : TMainPage(window, "tsLayout") {
    AddCommand("TabLayout", tr("Вкладка \"Схема\""), {}, tr("Вкладка \"Схема\""), &TLayoutPage::TabLayoutUpdate,
               &TLayoutPage::TabLayoutExecute, &TLayoutPage::TabLayoutChecked);
    AddCommand("LayoutCalc", tr("Обновить"), {}, tr("Пересчитать схему"), &TLayoutPage::LayoutCalcUpdate,
               &TLayoutPage::LayoutCalcExecute);
    AddCommand("LayoutCmpCalc", tr("Обновить"), {}, tr("Пересчитать таблицы сравнения"),
               &TLayoutPage::LayoutCmpCalcUpdate, &TLayoutPage::LayoutCmpCalcExecute);
    AddCommand("LayoutFilter_Include", tr("Оставить выделенные"), {},
               tr("В списке комбинаций оставить комбинации с выделенными значениями"),
               &TLayoutPage::LayoutFilter_IncludeUpdate, &TLayoutPage::LayoutFilter_IncludeExecute);
    AddCommand("LayoutFilter_Exclude", tr("Удалить выделенные"), {},
               tr("Из списка комбинаций удалить комбинации с выделенными  значениями"),
               &TLayoutPage::LayoutFilter_ExcludeUpdate, &TLayoutPage::LayoutFilter_ExcludeExecute);
    AddCommand("ViewShemaGradient", tr("Градиентная раскраска схемы"), {},
               tr("Градиентная раскраска схемы выпадения номеров"), &TLayoutPage::ViewShemaGradientUpdate,
               &TLayoutPage::ViewShemaGradientExecute, &TLayoutPage::ViewShemaGradientChecked);
    AddCommand("LayoutXlsExport", tr("Экспорт схемы в Microsoft Excel"), {}, tr("Экспорт схемы в Microsoft Excel"),
               &TLayoutPage::LayoutXlsExportUpdate, &TLayoutPage::LayoutXlsExportExecute);

    // The scheme's sample length and commands.
    auto* lbLen = new QLabel(tr("Тиражей:"), this);
    edLayoutLen = LengthSpinBox(this, "edLayoutLen", tr("Количество тиражей, использующихся для расчета статистики"),
                             kDefaultLength);
    lbLen->setBuddy(edLayoutLen);
    connect(edLayoutLen, &TEnterSpinBox::EnterPressed, this, [this] {
        if (Window().IsIdle() && edLayoutLen->hasAcceptableInput()) RefreshLayout(false);
    });
    btnLayoutCalc = CommandButton(this, "btnLayoutCalc", Command("LayoutCalc"));
    btnLayoutFilterInclude = CommandButton(this, "btnLayoutFilterInclude", Command("LayoutFilter_Include"));
    btnLayoutFilterExclude = CommandButton(this, "btnLayoutFilterExclude", Command("LayoutFilter_Exclude"));
    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(2);
    tools->addWidget(lbLen);
    tools->addWidget(edLayoutLen);
    tools->addWidget(btnLayoutCalc);
    tools->addSpacing(12);
    tools->addWidget(btnLayoutFilterInclude);
    tools->addWidget(btnLayoutFilterExclude);
    tools->addStretch(1);

    model_ = new TLayoutModel(this);
    sgLayout = new QTableView(this);
    sgLayout->setObjectName("sgLayout");
    sgLayout->setModel(model_);
    sgLayout->setItemDelegate(new TGridCellDelegate(sgLayout));
    sgLayout->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sgLayout->setSelectionBehavior(QAbstractItemView::SelectItems);
    sgLayout->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgLayout->setWordWrap(false);
    sgLayout->setCornerButtonEnabled(false);
    sgLayout->setContextMenuPolicy(Qt::CustomContextMenu);
    sgLayout->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sgLayout->horizontalHeader()->setHighlightSections(false);
    sgLayout->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgLayout->verticalHeader()->setHighlightSections(false);
    sgLayout->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    sgLayout->verticalHeader()->setDefaultSectionSize(std::max(kRowHeight, sgLayout->fontMetrics().height() + 4));
    connect(sgLayout->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);

    // The comparison lists, side by side under the scheme, each under its sample length.
    pnlLayoutCompare = new QWidget(this);
    pnlLayoutCompare->setObjectName("pnlLayoutCompare");
    btnLayoutCmpCalc = CommandButton(pnlLayoutCompare, "btnLayoutCmpCalc", Command("LayoutCmpCalc"));
    splLayoutCompare = new QSplitter(Qt::Horizontal, pnlLayoutCompare);
    splLayoutCompare->setObjectName("splLayoutCompare");
    splLayoutCompare->setChildrenCollapsible(false);
    const QString hints[kLayoutCompareLists] = {
        tr("Количество тиражей, использующихся для расчета статистики в списке 1"),
        tr("Количество тиражей, использующихся для расчета статистики в списке 2"),
        tr("Количество тиражей, использующихся для расчета статистики в списке 3"),
        tr("Количество тиражей, использующихся для расчета статистики в списке 4"),
        tr("Количество тиражей, использующихся для расчета статистики в списке 5"),
    };
    for (int k = 0; k < kLayoutCompareLists; ++k) {
        auto* pane = new QWidget(splLayoutCompare);
        auto* paneLayout = new QVBoxLayout(pane);
        paneLayout->setContentsMargins(0, 0, 0, 0);
        paneLayout->setSpacing(2);
        auto* top = new QHBoxLayout;
        top->setContentsMargins(0, 0, 0, 0);
        if (k == 0) top->addWidget(btnLayoutCmpCalc);
        edLayoutCmp[size_t(k)] = LengthSpinBox(pane, qPrintable(QString("edLayoutCmp%1").arg(k + 1)), hints[k],
                                            kDefaultCompareLengths[k]);
        top->addWidget(edLayoutCmp[size_t(k)]);
        top->addStretch(1);
        TEnterSpinBox* ed = edLayoutCmp[size_t(k)];
        connect(ed, &TEnterSpinBox::EnterPressed, this, [this, ed] {
            if (Window().IsIdle() && ed->hasAcceptableInput()) RefreshLayoutLists(true);
        });

        compareModels_[size_t(k)] = new TLayoutCompareModel(this);
        auto* lv = new QTableView(pane);
        lv->setObjectName(QString("lvLayoutCmp%1").arg(k + 1));
        lv->setModel(compareModels_[size_t(k)]);
        SetupListView(lv);
        lv->setShowGrid(true);
        lv->setSelectionMode(QAbstractItemView::SingleSelection);
        lv->horizontalHeader()->setStretchLastSection(true);
        lv->horizontalHeader()->setSectionsClickable(true);
        lv->horizontalHeader()->setSortIndicatorShown(true);
        lv->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        // Five lists share the panel's width: the count column as narrow as its caption allows,
        // the numbers take the rest (a long line is elided, its tooltip shows it whole).
        lv->horizontalHeader()->setMinimumSectionSize(16);
        lv->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lv->setColumnWidth(0, std::max(lv->fontMetrics().horizontalAdvance(tr("Кол-во")),
                                       lv->fontMetrics().horizontalAdvance("000")) + 14);
        lv->setContextMenuPolicy(Qt::NoContextMenu);
        TLayoutCompareModel* m = compareModels_[size_t(k)];
        connect(lv->horizontalHeader(), &QHeaderView::sectionClicked, this, [lv, m](int c) {
            m->ClickColumn(c);
            lv->horizontalHeader()->setSortIndicator(m->SortColumn(),
                                                     m->SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
        });
        lvLayoutCmp[size_t(k)] = lv;
        paneLayout->addLayout(top);
        paneLayout->addWidget(lv, 1);
        splLayoutCompare->addWidget(pane);
    }
    auto* compareLayout = new QVBoxLayout(pnlLayoutCompare);
    compareLayout->setContentsMargins(0, 0, 0, 0);
    compareLayout->addWidget(splLayoutCompare);
    pnlLayoutCompare->installEventFilter(this);

    splLayout = new TPaneSplitter(Qt::Vertical, this);
    splLayout->setObjectName("splLayout");
    splLayout->addWidget(sgLayout);
    splLayout->addWidget(pnlLayoutCompare);
    splLayout->setChildrenCollapsible(false);
    splLayout->SetPaneSize(kDefaultCompareHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(splLayout, 1);

    pmLayout = CreatePopupMenu("pmLayout", sgLayout,
                               {"LayoutFilter_Include", "LayoutFilter_Exclude", "", "LayoutXlsExport", "",
                                "ViewShemaGradient"});
    AddCommands(window.MainMenu(TMainMenu::View), {"TabLayout", "ViewShemaGradient"});

    // A change of the draws themselves (an edit, an import, a download) makes both stale; the
    // views are recomputed after it.
    connect(&window, &TTemplateMain::DrawsChanged, this, [this](bool reset) {
        if (reset) schemeStale_ = listsStale_ = true;
    });
}

void TLayoutPage::ReadSettings(const std::string& section) {
    const TWindowSettings& settings = Window().Settings();
    {
        const QSignalBlocker block(edLayoutLen);
        edLayoutLen->setValue(std::max(1, settings.ReadInteger(section, "LayoutLen", kDefaultLength)));
    }
    for (int k = 0; k < kLayoutCompareLists; ++k) {
        const QSignalBlocker block(edLayoutCmp[size_t(k)]);
        edLayoutCmp[size_t(k)]->setValue(std::max(
            1, settings.ReadInteger(section, "LayoutCompareLen" + std::to_string(k + 1), kDefaultCompareLengths[k])));
    }
    splLayout->SetPaneSize(std::max(60, settings.ReadInteger(section, "LayoutCompareHeight", kDefaultCompareHeight)));
    model_->SetGradient(settings.ReadBool(section, "LayoutGradient", true));
    SetPageVisible(settings.ReadBool(section, "TabLayout", true));
}

void TLayoutPage::WriteSettings(const std::string& section) {
    TWindowSettings& settings = Window().Settings();
    settings.WriteInteger(section, "LayoutLen", edLayoutLen->value());
    for (int k = 0; k < kLayoutCompareLists; ++k)
        settings.WriteInteger(section, "LayoutCompareLen" + std::to_string(k + 1), edLayoutCmp[size_t(k)]->value());
    settings.WriteInteger(section, "LayoutCompareHeight", splLayout->PaneSize());
}

bool TLayoutPage::PageVisible() const {
    const int i = Window().pcMain->indexOf(const_cast<TLayoutPage*>(this));
    return i >= 0 && Window().pcMain->isTabVisible(i);
}

void TLayoutPage::SetPageVisible(bool visible) {
    const int i = Window().pcMain->indexOf(this);
    if (i >= 0) Window().pcMain->setTabVisible(i, visible);
}

bool TLayoutPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pnlLayoutCompare && event->type() == QEvent::Resize) ShareCompareWidth();
    return TMainPage::eventFilter(watched, event);
}

// Lists 1 to 4 take a fifth of the panel less one splitter handle each; list 5 the rest.
void TLayoutPage::ShareCompareWidth() {
    const int width = pnlLayoutCompare->contentsRect().width();
    const int share = std::max(1, width / kLayoutCompareLists - splLayoutCompare->handleWidth());
    QList<int> sizes;
    for (int k = 0; k < kLayoutCompareLists - 1; ++k) sizes << share;
    sizes << std::max(1, width - (kLayoutCompareLists - 1) * (share + splLayoutCompare->handleWidth()) -
                             splLayoutCompare->handleWidth());
    splLayoutCompare->setSizes(sizes);
}

// The Count column 50 pixels, the LastDraw columns 40, each widened to its widest text plus 10.
void TLayoutPage::FitSchemeColumns() {
    const QFontMetrics fm = sgLayout->fontMetrics();
    const TLayoutScheme& s = model_->Scheme();
    int captions = kCaptionColumnWidth;
    for (int r = 1; r < s.RowCount(); ++r) captions = std::max(captions, fm.horizontalAdvance(Q(s.CellText(r, 0))) + 10);
    sgLayout->verticalHeader()->setFixedWidth(captions);
    for (int c = 1; c < s.ColumnCount(); ++c) {
        int width = std::max(kColumnWidth, fm.horizontalAdvance(Q(s.CellText(0, c))) + 10);
        for (int r = 1; r < s.RowCount(); ++r) width = std::max(width, fm.horizontalAdvance(Q(s.CellText(r, c))) + 10);
        sgLayout->setColumnWidth(c - 1, width);
    }
}

void TLayoutPage::RefreshLayout(bool force) {
    if (!PageVisible()) return;
    const TSchemeInputs inputs{Window().Draws().Count(), Window().Draws().Offset(), edLayoutLen->value()};
    if (!force && !schemeStale_ && inputs == schemeInputs_) return;
    schemeInputs_ = inputs;
    TBusy busy(&Window());
    Window().SetStatusText(tr("Построение схемы выпадения номеров..."));
    try {
        model_->SetScheme(BuildLayoutScheme(Window().Draws(), inputs.Length));
        schemeStale_ = false;
    } catch (...) {
        Window().SetStatusText(QString());
        throw;
    }
    FitSchemeColumns();
    Window().SetStatusText(QString());
}

void TLayoutPage::RefreshLayoutLists(bool force) {
    if (!PageVisible()) return;
    const TSchemeInputs inputs{Window().Draws().Count(), Window().Draws().Offset(), 0};
    if (!force && !listsStale_ && inputs == listInputs_) return;
    listInputs_ = inputs;
    TBusy busy(&Window());
    Window().SetStatusText(tr("Построение схемы выпадения номеров..."));
    try {
        for (int k = 0; k < kLayoutCompareLists; ++k)
            compareModels_[size_t(k)]->SetList(BuildLayoutCompareList(Window().Draws(), edLayoutCmp[size_t(k)]->value()));
        listsStale_ = false;
    } catch (...) {
        Window().SetStatusText(QString());
        throw;
    }
    Window().SetStatusText(QString());
}

TGridRect TLayoutPage::SelectedRect() const { return SelectedGridRect(*sgLayout); }

void TLayoutPage::ApplyLayoutFilter(TFilterAction action) {
    ApplySelectionFilter(Window(), LayoutSelectedNumbers(model_->Scheme(), SelectedRect()), action, TrText(kLayoutCaption));
}

// ---- commands -------------------------------------------------------------------------------

bool TLayoutPage::TabLayoutUpdate() const { return true; }
bool TLayoutPage::TabLayoutChecked() const { return PageVisible(); }

void TLayoutPage::TabLayoutExecute() {
    const bool visible = !PageVisible();
    SetPageVisible(visible);
    Window().WriteSwitch("TabLayout", visible);
    if (!visible) return;
    RefreshLayout(true);
    RefreshLayoutLists(true);
    Window().pcMain->setCurrentWidget(this);
}

bool TLayoutPage::LayoutCalcUpdate() const { return PageVisible() && Window().Draws().Count() > 0; }
void TLayoutPage::LayoutCalcExecute() { RefreshLayout(true); }

bool TLayoutPage::LayoutCmpCalcUpdate() const { return LayoutCalcUpdate(); }
void TLayoutPage::LayoutCmpCalcExecute() { RefreshLayoutLists(true); }

bool TLayoutPage::LayoutFilter_IncludeUpdate() const {
    return PageVisible() && !Window().Combs().Empty() && SelectionWithinNumberColumns(SelectedRect());
}

void TLayoutPage::LayoutFilter_IncludeExecute() { ApplyLayoutFilter(TFilterAction::Keep); }

bool TLayoutPage::LayoutFilter_ExcludeUpdate() const { return LayoutFilter_IncludeUpdate(); }

void TLayoutPage::LayoutFilter_ExcludeExecute() { ApplyLayoutFilter(TFilterAction::Delete); }

bool TLayoutPage::ViewShemaGradientUpdate() const { return PageVisible(); }
bool TLayoutPage::ViewShemaGradientChecked() const { return model_->Gradient(); }

void TLayoutPage::ViewShemaGradientExecute() {
    model_->SetGradient(!model_->Gradient());
    Window().WriteSwitch("LayoutGradient", model_->Gradient());
}

bool TLayoutPage::LayoutXlsExportUpdate() const { return PageVisible() && model_->Scheme().ColumnCount() > 2; }

void TLayoutPage::LayoutXlsExportExecute() {
    ExportTableToXlsx(Window(), tr("Экспорт схемы в Microsoft Excel"),
                      LayoutXlsTable(model_->Scheme(), TrText(kLayoutCaption)));
}

} // namespace velmora
