#include "gui/combs/combs_page.h"

#include "core/combs/comb_text.h"
#include "core/export/list_tables.h"
#include "core/stats/graph_numbers.h"
#include "core/util/format.h"
#include "gui/app/enter_spin_box.h"
#include "gui/app/messages.h"
#include "gui/app/pane_splitter.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/tool_panel.h"
#include "gui/app/xlsx_export_command.h"
#include "gui/combs/combs_model.h"
#include "gui/combs/filters_model.h"
#include "gui/combs/form_gen_combs.h"
#include "gui/draws/form_draw_info.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {

constexpr int kCombsStatusPanel = 3;
constexpr int kMaxExclude = 99999;

} // namespace

TCombsPage::TCombsPage(TTemplateMain& window) : TMainPage(window, "tsCombs") {
    AddCommand("CombsInfo", tr("Сведения о комбинации"), {}, tr("Сведения о комбинации"), &TCombsPage::CombsInfoUpdate,
               &TCombsPage::CombsInfoExecute);
    AddCommand("CombsCheckNums", tr("Количество уникальных номеров"), {}, tr("Количество уникальных номеров"),
               &TCombsPage::CombsCheckNumsUpdate, &TCombsPage::CombsCheckNumsExecute);
    AddCommand("CombsFindInDraws", tr("Проверить по архиву тиражей"), QKeySequence(Qt::CTRL | Qt::Key_F),
               tr("Проверить по архиву тиражей"), &TCombsPage::CombsFindInDrawsUpdate,
               &TCombsPage::CombsFindInDrawsExecute);
    AddCommand("CombsGen", tr("Генерировать"), QKeySequence(Qt::Key_F2), tr("Создание нового списка комбинаций"),
               &TCombsPage::CombsGenUpdate, &TCombsPage::CombsGenExecute);
    AddCommand("CombsDelExists", tr("Исключить тиражи"), QKeySequence(Qt::CTRL | Qt::Key_E),
               tr("Исключить указанное количество последних тиражей из списка комбинаций"),
               &TCombsPage::CombsDelExistsUpdate, &TCombsPage::CombsDelExistsExecute);
    AddCommand("CombsDelSelected", tr("Удалить выделенные"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
               tr("Удалить выделенные"), &TCombsPage::CombsDelSelectedUpdate, &TCombsPage::CombsDelSelectedExecute);
    AddCommand("CombsCopy", tr("Копировать в буфер"), QKeySequence(Qt::CTRL | Qt::Key_C), tr("Копировать в буфер"),
               &TCombsPage::CombsCopyUpdate, &TCombsPage::CombsCopyExecute);
    AddCommand("CombsPaste", tr("Вставить из буфера"), QKeySequence(Qt::CTRL | Qt::Key_V), tr("Вставить из буфера"),
               &TCombsPage::CombsPasteUpdate, &TCombsPage::CombsPasteExecute);
    AddCommand("CombsSelectAll", tr("Выделить все"), QKeySequence(Qt::CTRL | Qt::Key_A), tr("Выделить все"),
               &TCombsPage::CombsSelectAllUpdate, &TCombsPage::CombsSelectAllExecute);
    AddCommand("CombsOpen", tr("Открыть"), QKeySequence(Qt::CTRL | Qt::Key_O), tr("Открыть"),
               &TCombsPage::CombsOpenUpdate, &TCombsPage::CombsOpenExecute);
    AddCommand("CombsSave", tr("Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_S), tr("Сохранить"),
               &TCombsPage::CombsSaveUpdate, &TCombsPage::CombsSaveExecute);
    AddCommand("CombsXlsExport", tr("Экспорт в Microsoft Excel"), {}, tr("Экспорт списка комбинаций в Microsoft Excel"),
               &TCombsPage::CombsXlsExportUpdate, &TCombsPage::CombsXlsExportExecute);
    AddCommand("CombsUndo", tr("Отменить"), QKeySequence(Qt::CTRL | Qt::Key_Z), tr("Отменить"),
               &TCombsPage::CombsUndoUpdate, &TCombsPage::CombsUndoExecute);
    AddCommand("ViewColorCombs", tr("Выделять каналы в списке комбинаций"), {},
               tr("Выделять каналы в списке комбинаций"), &TCombsPage::ViewColorCombsUpdate,
               &TCombsPage::ViewColorCombsExecute, &TCombsPage::ViewColorCombsChecked);

    auto button = [this](const char* name, QAction* action) { return CommandButton(this, name, action); };
    // Two buttons carry shorter captions than their commands' menu items.
    Command("CombsGen")->setIconText(tr("Новый"));
    Command("CombsDelExists")->setIconText(tr("[-] Тиражи"));
    btnCombsGen = button("btnCombsGen", Command("CombsGen"));
    auto* btnOpen = button("btnCombsOpen", Command("CombsOpen"));
    auto* btnSave = button("btnCombsSave", Command("CombsSave"));
    auto* btnUndo = button("btnCombsUndo", Command("CombsUndo"));
    btnCombsDelExists = button("btnCombsDelExists", Command("CombsDelExists"));

    edCombsExclude = new TEnterSpinBox(this);
    edCombsExclude->setObjectName("edCombsExclude");
    edCombsExclude->setRange(0, kMaxExclude);
    edCombsExclude->setToolTip(tr("Исключить указанное количество последних тиражей из списка комбинаций"));
    edCombsExclude->setStatusTip(edCombsExclude->toolTip());
    edCombsExclude->setMinimumWidth(64);
    connect(edCombsExclude, &QSpinBox::valueChanged, &window, &TTemplateMain::UpdateCommands);
    connect(edCombsExclude, &TEnterSpinBox::EnterPressed, this, [this] { TriggerCommand("CombsDelExists"); });

    // The buttons give way to the exclusion on a narrow panel (their commands go to the "»" menu).
    auto* buttons = new TToolPanel(this);
    connect(buttons->OverflowMenu(), &QMenu::aboutToShow, &window, &TTemplateMain::UpdateCommands);
    for (QToolButton* b : {btnCombsGen, btnOpen, btnSave, btnUndo}) buttons->AddButton(b);
    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(2);
    tools->addWidget(buttons, 1);
    tools->addWidget(btnCombsDelExists);
    tools->addWidget(edCombsExclude);

    combsModel_ = new TCombsModel(window.Combs(), this);
    lvCombs = new QTableView(this);
    lvCombs->setObjectName("lvCombs");
    lvCombs->setModel(combsModel_);
    lvCombs->setSelectionMode(QAbstractItemView::ExtendedSelection);
    SetupListView(lvCombs);
    KeepKeyInList("CombsDelSelected", lvCombs);
    const QFontMetrics fm = lvCombs->fontMetrics();
    lvCombs->setColumnWidth(0, std::max(fm.horizontalAdvance("0000000"), fm.horizontalAdvance(tr("№ п.п."))) + 18);
    for (int c = 1; c < combsModel_->columnCount(); ++c) lvCombs->setColumnWidth(c, fm.horizontalAdvance("0000") + 18);
    connect(lvCombs->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);
    connect(lvCombs->selectionModel(), &QItemSelectionModel::currentChanged, &window, &TTemplateMain::UpdateCommands);
    // A double click makes a stake of the combination (the stake page's command).
    connect(lvCombs, &QTableView::doubleClicked, this, [this] { TriggerCommand("StakeAdd"); });

    filtersModel_ = new TFiltersModel(window.Combs(), this);
    lvFilters = new QTableView(this);
    lvFilters->setObjectName("lvFilters");
    lvFilters->setModel(filtersModel_);
    lvFilters->setSelectionMode(QAbstractItemView::SingleSelection);
    SetupListView(lvFilters);
    lvFilters->setColumnWidth(0, 200);
    lvFilters->setColumnWidth(1, 140);
    lvFilters->setColumnWidth(2, std::max(fm.horizontalAdvance(tr("Комбинаций")), fm.horizontalAdvance("0000000")) + 18);

    spCombs = new TPaneSplitter(Qt::Vertical, this);
    spCombs->setObjectName("spCombs");
    spCombs->addWidget(lvCombs);
    spCombs->addWidget(lvFilters);
    spCombs->SetPaneSize(120);

    pmCombs = CreatePopupMenu("pmCombs", lvCombs,
                              {"CombsInfo", "CombsFindInDraws", "CombsCheckNums", "", "CombsDelSelected", "CombsUndo",
                               "", "CombsCopy", "CombsPaste", "CombsSelectAll", "", "CombsXlsExport", "", "ViewColorCombs"});

    // The paste rule is evaluated on every idle tick; asking another program's clipboard that
    // often could stall the window, so the answer is kept and renewed when the clipboard changes.
    auto followClipboard = [this] {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        clipboardHasText_ = data && data->hasText();
    };
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, followClipboard);
    followClipboard();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(spCombs, 1);

    AddCommands(window.MainMenu(TMainMenu::Combs),
                {"CombsInfo", "CombsCheckNums", "CombsFindInDraws", "", "CombsGen", "CombsOpen", "CombsSave", "CombsXlsExport", "",
                 "CombsDelExists", "CombsDelSelected", "CombsUndo", "", "CombsCopy", "CombsPaste", "CombsSelectAll"});
    AddCommands(window.MainMenu(TMainMenu::View), {"ViewColorCombs"});

    connect(&window, &TTemplateMain::CombsChanged, this, &TCombsPage::UpdateCombList);
    connect(&window, &TTemplateMain::ConfigChanged, this, [this] {
        combsModel_->SetChannelSize(Window().StatList().Config.ChannelSize);
        lvCombs->viewport()->update();
    });
}


void TCombsPage::ReadSettings(const std::string& section) {
    const TWindowSettings& settings = Window().Settings();
    edCombsExclude->setValue(std::clamp(settings.ReadInteger(section, "DrawsExclude", 0), 0, kMaxExclude));
    combsModel_->SetColorCombs(settings.ReadBool(section, "ColorCombs", true));
    if (settings.HasKey(section, "FiltersHeight")) spCombs->SetPaneSize(settings.ReadInteger(section, "FiltersHeight", 120));
    ReadListColumns(settings, section, lvCombs);
    ReadListColumns(settings, section, lvFilters);
}

void TCombsPage::WriteSettings(const std::string& section) {
    TWindowSettings& settings = Window().Settings();
    settings.WriteInteger(section, "DrawsExclude", edCombsExclude->value());
    settings.WriteInteger(section, "FiltersHeight", spCombs->PaneSize());
    WriteListColumns(settings, section, lvCombs);
    WriteListColumns(settings, section, lvFilters);
}

// ---- the set ----------------------------------------------------------------------------------

TCombSet& TCombsPage::Set() const { return Window().Combs(); }

void TCombsPage::UpdateCombList() {
    combsModel_->Reset();
    filtersModel_->Reset();
    // The caption column takes the room its statistic names need (each cell's tool tip holds the
    // whole text as well).
    const int captionWidth = static_cast<const QAbstractItemView*>(lvFilters)->sizeHintForColumn(0);
    if (captionWidth > lvFilters->columnWidth(0)) lvFilters->setColumnWidth(0, captionWidth);
    if (filtersModel_->rowCount() > 0) lvFilters->scrollToBottom();
    Window().SetStatusPanel(kCombsStatusPanel, Q(Set().StatusText()));
}

// The set of the start-up, built from the stored parameters; an error is shown and leaves it empty.
void TCombsPage::InitializePage() {
    QString error;
    {
        TBusy busy(&Window());
        try {
            Set().Generate(true, Window().StoredGenerateParams(), Window().Progress());
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        Window().NotifyCombsChanged();
    }
    if (!error.isEmpty()) ShowError(&Window(), error);
}

int TCombsPage::FocusedCombRow() const {
    QModelIndex i = lvCombs->currentIndex();
    return i.isValid() && i.row() < Set().Count() ? i.row() : -1;
}

std::vector<int> TCombsPage::SelectedCombRows() const {
    // Taken from the selection ranges: "select all" on the full set is one range, not two million
    // model indexes.
    const int n = Set().Count();
    std::vector<uint8_t> marked(size_t(n), 0);
    for (const QItemSelectionRange& r : lvCombs->selectionModel()->selection())
        for (int row = std::max(r.top(), 0); row <= std::min(r.bottom(), n - 1); ++row) marked[size_t(row)] = 1;
    std::vector<int> rows;
    for (int i = 0; i < n; ++i)
        if (marked[size_t(i)]) rows.push_back(i);
    return rows;
}

// ---- commands ---------------------------------------------------------------------------------

bool TCombsPage::CombsGenUpdate() const { return true; }

void TCombsPage::CombsGenExecute() {
    TFormGenCombs dlg(&Window());
    dlg.SetParams(Window().StoredGenerateParams());
    if (dlg.exec() != QDialog::Accepted) return;
    const TGenerateParams params = dlg.Params();
    if (dlg.SaveParameters()) Window().StoreGenerateParams(params);
    QString error;
    {
        TBusy busy(&Window());
        Set().SaveUndo(true, Window().Progress());
        try {
            Set().Generate(true, params, Window().Progress());
        } catch (const std::exception& e) {
            // A set that could not be built (an unreadable file) gives the previous one back.
            error = Q(e.what());
            Set().RestoreUndo(true, Window().Progress());
        }
        Window().NotifyCombsChanged();
    }
    if (!error.isEmpty()) ShowError(&Window(), error);
}

bool TCombsPage::CombsOpenUpdate() const { return true; }

void TCombsPage::CombsOpenExecute() {
    const QString path = Window().AskFileName(false, tr("Открыть"), CombsFileDialogFilter(), Q(kCombsFileExt));
    if (path.isEmpty()) return;
    QString error;
    {
        TBusy busy(&Window());
        try {
            // A file that cannot be read leaves the set, its undo copy and its log as they were.
            Set().OpenCombsFile(S(path), Window().Progress());
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        Window().NotifyCombsChanged();
    }
    if (!error.isEmpty()) ShowError(&Window(), error);
}

bool TCombsPage::CombsSaveUpdate() const { return !Set().Empty(); }

void TCombsPage::CombsSaveExecute() {
    const QString path = Window().AskFileName(true, tr("Сохранить"), CombsFileDialogFilter(), Q(kCombsFileExt));
    if (path.isEmpty()) return;
    TBusy busy(&Window());
    Set().SaveCombsFile(S(path), Window().Progress());
}

bool TCombsPage::CombsXlsExportUpdate() const { return !Set().Empty(); }

void TCombsPage::CombsXlsExportExecute() {
    ExportTableToXlsx(Window(), tr("Экспорт в Microsoft Excel"), CombsXlsTable(Set(), S(tr("Комбинации"))));
}

bool TCombsPage::CombsUndoUpdate() const { return Set().CanUndo(); }

void TCombsPage::CombsUndoExecute() {
    {
        TBusy busy(&Window());
        Set().RestoreUndo(true, Window().Progress());
        Set().RemoveLastLogLine();
    }
    Window().NotifyCombsChanged();
}

bool TCombsPage::CombsDelSelectedUpdate() const {
    return !Set().Empty() && lvCombs->selectionModel()->hasSelection();
}

void TCombsPage::CombsDelSelectedExecute() {
    const std::vector<int> rows = SelectedCombRows();
    const int n = int(rows.size());
    if (n == 0) return;
    if (!AskDeleteRecords(&Window(), n)) return;
    {
        TBusy busy(&Window());
        Set().SaveUndo(true, Window().Progress());
        Set().DeleteSelected(rows, Window().Progress());
    }
    Window().NotifyCombsChanged();
}

bool TCombsPage::CombsDelExistsUpdate() const {
    return !Set().Empty() && Window().Draws().Count() > 0 && edCombsExclude->value() > 0;
}

void TCombsPage::CombsDelExistsExecute() {
    const int n = edCombsExclude->value();
    {
        TBusy busy(&Window());
        Set().SaveUndo(true, Window().Progress());
        Set().ExcludeLastDraws(n, Window().Draws(), Window().Progress());
    }
    Window().NotifyCombsChanged();
}

bool TCombsPage::CombsCopyUpdate() const { return !Set().Empty(); }

void TCombsPage::CombsCopyExecute() {
    TBusy busy(&Window());
    const std::string text = Set().ClipboardText(SelectedCombRows(), Window().Progress());
    QApplication::clipboard()->setText(Q(text));
}

bool TCombsPage::CombsPasteUpdate() const { return clipboardHasText_; }

void TCombsPage::CombsPasteExecute() {
    const QString text = QApplication::clipboard()->text();
    QString error;
    {
        TBusy busy(&Window());
        try {
            // A line that is not a combination leaves the set as it was.
            Set().PasteCombsText(S(text), Window().Progress());
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        Window().NotifyCombsChanged();
    }
    if (!error.isEmpty()) ShowError(&Window(), error);
}

bool TCombsPage::CombsSelectAllUpdate() const { return !Set().Empty(); }

void TCombsPage::CombsSelectAllExecute() {
    lvCombs->selectAll();
    lvCombs->setFocus();
}

bool TCombsPage::CombsCheckNumsUpdate() const { return true; }

void TCombsPage::CombsCheckNumsExecute() { ShowInformation(&Window(), Q(DistinctNumbersMessage(Set().DistinctNumbers()))); }

bool TCombsPage::CombsFindInDrawsUpdate() const { return FocusedCombRow() >= 0; }

void TCombsPage::CombsFindInDrawsExecute() {
    const int row = FocusedCombRow();
    if (row < 0) return;
    std::vector<std::string> hits;
    {
        TBusy busy(&Window());
        hits = FindCombInDraws(Window().Draws(), Set().At(row), Window().Progress());
    }
    ShowInformation(&Window(), Q(FindInDrawsMessage(hits)));
}

bool TCombsPage::CombsInfoUpdate() const { return FocusedCombRow() >= 0; }

void TCombsPage::CombsInfoExecute() {
    const int row = FocusedCombRow();
    if (row < 0) return;
    const TCombination comb = Set().At(row);
    TDrawRecord rec;
    std::copy(comb.begin(), comb.end(), rec.Numbers);
    // The combination is judged as the draw that would follow the reference draw.
    const int ref = Window().Draws().LastIndex();
    TFormDrawInfo dlg(&Window());
    dlg.SetDraw(rec, false, CombinationGraphNumbers(Window().StatList(), comb, ref + 1, ref, Window().Draws().Sorted),
                Window().StatList().Config.MatrixCols, Window().StatList().Config.ChannelSize);
    dlg.exec();
}

bool TCombsPage::ViewColorCombsUpdate() const { return true; }
bool TCombsPage::ViewColorCombsChecked() const { return combsModel_->ColorCombs(); }

void TCombsPage::ViewColorCombsExecute() {
    combsModel_->SetColorCombs(!combsModel_->ColorCombs());
    Window().WriteSwitch("ColorCombs", combsModel_->ColorCombs());
}

} // namespace velmora
