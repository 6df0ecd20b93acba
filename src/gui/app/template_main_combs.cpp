// The page "Комбинации" of the main window: the tool panel, the combination list, the list of
// applied filters under a splitter, and the commands on the combination set.
#include "combs/comb_text.h"
#include "gui/app/messages.h"
#include "gui/app/pane_splitter.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/combs/combs_model.h"
#include "gui/combs/enter_spin_box.h"
#include "gui/combs/filters_model.h"
#include "gui/combs/form_gen_combs.h"
#include "gui/model/form_draw_info.h"
#include "stats/graph_numbers.h"
#include "util/format.h"

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

void TTemplateMain::AddCombsCommands() {
    AddCommand("CombsInfo", tr("Сведения о комбинации"), {}, tr("Сведения о комбинации"),
               &TTemplateMain::CombsInfoUpdate, &TTemplateMain::CombsInfoExecute);
    AddCommand("CombsCheckNums", tr("Количество уникальных номеров"), {}, tr("Количество уникальных номеров"),
               &TTemplateMain::CombsCheckNumsUpdate, &TTemplateMain::CombsCheckNumsExecute);
    AddCommand("CombsFindInDraws", tr("Проверить по архиву тиражей"), QKeySequence(Qt::CTRL | Qt::Key_F),
               tr("Проверить по архиву тиражей"), &TTemplateMain::CombsFindInDrawsUpdate,
               &TTemplateMain::CombsFindInDrawsExecute);
    AddCommand("CombsGen", tr("Генерировать"), QKeySequence(Qt::Key_F2), tr("Создание нового списка комбинаций"),
               &TTemplateMain::CombsGenUpdate, &TTemplateMain::CombsGenExecute);
    AddCommand("CombsDelExists", tr("Исключить тиражи"), QKeySequence(Qt::CTRL | Qt::Key_E),
               tr("Исключить указанное количество последних тиражей из списка комбинаций"),
               &TTemplateMain::CombsDelExistsUpdate, &TTemplateMain::CombsDelExistsExecute);
    AddCommand("CombsDelSelected", tr("Удалить выделенные"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
               tr("Удалить выделенные"), &TTemplateMain::CombsDelSelectedUpdate,
               &TTemplateMain::CombsDelSelectedExecute);
    AddCommand("CombsCopy", tr("Копировать в буфер"), QKeySequence(Qt::CTRL | Qt::Key_C), tr("Копировать в буфер"),
               &TTemplateMain::CombsCopyUpdate, &TTemplateMain::CombsCopyExecute);
    AddCommand("CombsPaste", tr("Вставить из буфера"), QKeySequence(Qt::CTRL | Qt::Key_V), tr("Вставить из буфера"),
               &TTemplateMain::CombsPasteUpdate, &TTemplateMain::CombsPasteExecute);
    AddCommand("CombsSelectAll", tr("Выделить все"), QKeySequence(Qt::CTRL | Qt::Key_A), tr("Выделить все"),
               &TTemplateMain::CombsSelectAllUpdate, &TTemplateMain::CombsSelectAllExecute);
    AddCommand("CombsOpen", tr("Открыть"), QKeySequence(Qt::CTRL | Qt::Key_O), tr("Открыть"),
               &TTemplateMain::CombsOpenUpdate, &TTemplateMain::CombsOpenExecute);
    AddCommand("CombsSave", tr("Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_S), tr("Сохранить"),
               &TTemplateMain::CombsSaveUpdate, &TTemplateMain::CombsSaveExecute);
    AddCommand("CombsUndo", tr("Отменить"), QKeySequence(Qt::CTRL | Qt::Key_Z), tr("Отменить"),
               &TTemplateMain::CombsUndoUpdate, &TTemplateMain::CombsUndoExecute);
    AddCommand("ViewColorCombs", tr("Выделять каналы в списке комбинаций"), {},
               tr("Выделять каналы в списке комбинаций"), &TTemplateMain::ViewColorCombsUpdate,
               &TTemplateMain::ViewColorCombsExecute, &TTemplateMain::ViewColorCombsChecked);
}

QWidget* TTemplateMain::CreateCombsPage() {
    auto* page = new QWidget;
    page->setObjectName("tsCombs");

    auto button = [page](const char* name, QAction* action) { return CommandButton(page, name, action); };
    // Two buttons carry shorter captions than their commands' menu items.
    Command("CombsGen")->setIconText(tr("Новый"));
    Command("CombsDelExists")->setIconText(tr("[-] Тиражи"));
    btnCombsGen = button("btnCombsGen", Command("CombsGen"));
    auto* btnOpen = button("btnCombsOpen", Command("CombsOpen"));
    auto* btnSave = button("btnCombsSave", Command("CombsSave"));
    auto* btnUndo = button("btnCombsUndo", Command("CombsUndo"));
    btnCombsDelExists = button("btnCombsDelExists", Command("CombsDelExists"));

    edCombsExclude = new TEnterSpinBox(page);
    edCombsExclude->setObjectName("edCombsExclude");
    edCombsExclude->setRange(0, kMaxExclude);
    edCombsExclude->setToolTip(tr("Исключить указанное количество последних тиражей из списка комбинаций"));
    edCombsExclude->setStatusTip(edCombsExclude->toolTip());
    edCombsExclude->setMinimumWidth(64);
    connect(edCombsExclude, &QSpinBox::valueChanged, this, &TTemplateMain::UpdateCommands);
    connect(edCombsExclude, &TEnterSpinBox::EnterPressed, this, [this] {
        UpdateCommands();
        if (auto* a = Command("CombsDelExists"); a && a->isEnabled()) a->trigger();
    });

    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(2);
    tools->addWidget(btnCombsGen);
    tools->addWidget(btnOpen);
    tools->addWidget(btnSave);
    tools->addWidget(btnUndo);
    tools->addStretch(1);
    tools->addWidget(btnCombsDelExists);
    tools->addWidget(edCombsExclude);

    combsModel_ = new TCombsModel(*combs_, this);
    lvCombs = new QTableView(page);
    lvCombs->setObjectName("lvCombs");
    lvCombs->setModel(combsModel_);
    lvCombs->setSelectionMode(QAbstractItemView::ExtendedSelection);
    SetupListView(lvCombs);
    const QFontMetrics fm = lvCombs->fontMetrics();
    lvCombs->setColumnWidth(0, std::max(fm.horizontalAdvance("0000000"), fm.horizontalAdvance(tr("№ п.п."))) + 18);
    for (int c = 1; c < combsModel_->columnCount(); ++c) lvCombs->setColumnWidth(c, fm.horizontalAdvance("0000") + 18);
    connect(lvCombs->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TTemplateMain::UpdateCommands);
    connect(lvCombs->selectionModel(), &QItemSelectionModel::currentChanged, this, &TTemplateMain::UpdateCommands);

    filtersModel_ = new TFiltersModel(*combs_, this);
    lvFilters = new QTableView(page);
    lvFilters->setObjectName("lvFilters");
    lvFilters->setModel(filtersModel_);
    lvFilters->setSelectionMode(QAbstractItemView::SingleSelection);
    SetupListView(lvFilters);
    lvFilters->setColumnWidth(0, 200);
    lvFilters->setColumnWidth(1, 140);
    lvFilters->setColumnWidth(2, std::max(fm.horizontalAdvance(tr("Комбинаций")), fm.horizontalAdvance("0000000")) + 18);

    spCombs = new TPaneSplitter(Qt::Vertical, page);
    spCombs->setObjectName("spCombs");
    spCombs->addWidget(lvCombs);
    spCombs->addWidget(lvFilters);
    spCombs->SetPaneSize(120);

    pmCombs = new QMenu(this);
    pmCombs->setObjectName("pmCombs");
    for (const char* name : {"CombsInfo", "CombsFindInDraws", "CombsCheckNums", "", "CombsDelSelected", "CombsUndo",
                             "", "CombsCopy", "CombsPaste", "CombsSelectAll", "", "ViewColorCombs"}) {
        if (*name)
            pmCombs->addAction(Command(name));
        else
            pmCombs->addSeparator();
    }
    connect(lvCombs, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        UpdateCommands();
        pmCombs->popup(lvCombs->viewport()->mapToGlobal(pos));
    });

    // The paste rule is evaluated on every idle tick; asking another program's clipboard that
    // often could stall the window, so the answer is kept and renewed when the clipboard changes.
    auto followClipboard = [this] {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        clipboardHasText_ = data && data->hasText();
    };
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, followClipboard);
    followClipboard();

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(spCombs, 1);
    return page;
}

QMenu* TTemplateMain::CreateCombsMenu() {
    auto* menu = new QMenu(tr("Комбинации"), this);
    menu->setObjectName("mnCombs");
    for (const char* name : {"CombsInfo", "CombsCheckNums", "CombsFindInDraws", "", "CombsGen", "CombsOpen",
                             "CombsSave", "", "CombsDelExists", "CombsDelSelected", "CombsUndo", "", "CombsCopy",
                             "CombsPaste", "CombsSelectAll"}) {
        if (*name)
            menu->addAction(Command(name));
        else
            menu->addSeparator();
    }
    return menu;
}

void TTemplateMain::ReadCombsSettings(const std::string& section) {
    edCombsExclude->setValue(std::clamp(settings_.ReadInteger(section, "DrawsExclude", 0), 0, kMaxExclude));
    combsModel_->SetColorCombs(settings_.ReadBool(section, "ColorCombs", true));
    if (settings_.HasKey(section, "FiltersHeight")) spCombs->SetPaneSize(settings_.ReadInteger(section, "FiltersHeight", 120));
    auto apply = [&](QTableView* view, const char* name) {
        auto widths = settings_.ReadColumnWidths(section, name, view->model()->columnCount());
        for (int i = 0; i < int(widths.size()); ++i)
            if (widths[size_t(i)] > 0) view->setColumnWidth(i, widths[size_t(i)]);
    };
    apply(lvCombs, "lvCombs");
    apply(lvFilters, "lvFilters");
}

void TTemplateMain::WriteCombsSettings(const std::string& section) {
    settings_.WriteInteger(section, "DrawsExclude", edCombsExclude->value());
    settings_.WriteInteger(section, "FiltersHeight", spCombs->PaneSize());
    for (QTableView* view : {lvCombs, lvFilters}) {
        std::vector<int> widths;
        for (int i = 0; i < view->model()->columnCount(); ++i) widths.push_back(view->columnWidth(i));
        settings_.WriteColumnWidths(section, S(view->objectName()), widths);
    }
}

// ---- the set ----------------------------------------------------------------------------------

void TTemplateMain::UpdateCombList() {
    combsModel_->Reset();
    filtersModel_->Reset();
    if (filtersModel_->rowCount() > 0) lvFilters->scrollToBottom();
    SetStatusPanel(kCombsStatusPanel, Q(combs_->StatusText()));
    UpdateCommands();
}

TGenerateParams TTemplateMain::StoredGenerateParams() const {
    return {statList_.GenerateMode, statList_.GenerateParams};
}

// The one place new default parameters go (the generation dialog with its check box ticked);
// the program settings file is to be written from here as well.
void TTemplateMain::StoreGenerateParams(const TGenerateParams& params) {
    statList_.GenerateMode = params.Mode;
    statList_.GenerateParams = params.Param;
    WriteGenerateSettings();
}

void TTemplateMain::GenerateStartCombs() {
    combsModel_->SetChannelSize(statList_.Config.ChannelSize);
    QString error;
    {
        TBusy busy(this);
        try {
            combs_->Generate(true, StoredGenerateParams(), Progress());
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        UpdateCombList();
    }
    if (!error.isEmpty()) ShowError(this, error);
}

int TTemplateMain::FocusedCombRow() const {
    QModelIndex i = lvCombs->currentIndex();
    return i.isValid() && i.row() < combs_->Count() ? i.row() : -1;
}

std::vector<int> TTemplateMain::SelectedCombRows() const {
    // Taken from the selection ranges: "select all" on the full set is one range, not two million
    // model indexes.
    const int n = combs_->Count();
    std::vector<uint8_t> marked(size_t(n), 0);
    for (const QItemSelectionRange& r : lvCombs->selectionModel()->selection())
        for (int row = std::max(r.top(), 0); row <= std::min(r.bottom(), n - 1); ++row) marked[size_t(row)] = 1;
    std::vector<int> rows;
    for (int i = 0; i < n; ++i)
        if (marked[size_t(i)]) rows.push_back(i);
    return rows;
}

// ---- commands ---------------------------------------------------------------------------------

bool TTemplateMain::CombsGenUpdate() const { return true; }

void TTemplateMain::CombsGenExecute() {
    TFormGenCombs dlg(this);
    dlg.SetParams(StoredGenerateParams());
    if (dlg.exec() != QDialog::Accepted) return;
    const TGenerateParams params = dlg.Params();
    if (dlg.SaveParameters()) StoreGenerateParams(params);
    QString error;
    {
        TBusy busy(this);
        combs_->SaveUndo(true, Progress());
        try {
            combs_->Generate(true, params, Progress());
        } catch (const std::exception& e) {
            // A set that could not be built (an unreadable file) gives the previous one back.
            error = Q(e.what());
            combs_->RestoreUndo(true, Progress());
        }
        UpdateCombList();
    }
    if (!error.isEmpty()) ShowError(this, error);
}

bool TTemplateMain::CombsOpenUpdate() const { return true; }

void TTemplateMain::CombsOpenExecute() {
    const QString path = AskFileName(false, tr("Открыть"), CombsFileDialogFilter(), Q(kCombsFileExt));
    if (path.isEmpty()) return;
    QString error;
    {
        TBusy busy(this);
        try {
            // A file that cannot be read leaves the set, its undo copy and its log as they were.
            combs_->OpenCombsFile(S(path), Progress());
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        UpdateCombList();
    }
    if (!error.isEmpty()) ShowError(this, error);
}

bool TTemplateMain::CombsSaveUpdate() const { return !combs_->Empty(); }

void TTemplateMain::CombsSaveExecute() {
    const QString path = AskFileName(true, tr("Сохранить"), CombsFileDialogFilter(), Q(kCombsFileExt));
    if (path.isEmpty()) return;
    TBusy busy(this);
    combs_->SaveCombsFile(S(path), Progress());
}

bool TTemplateMain::CombsUndoUpdate() const { return combs_->CanUndo(); }

void TTemplateMain::CombsUndoExecute() {
    {
        TBusy busy(this);
        combs_->RestoreUndo(true, Progress());
        combs_->RemoveLastLogLine();
    }
    UpdateCombList();
}

bool TTemplateMain::CombsDelSelectedUpdate() const {
    return !combs_->Empty() && lvCombs->selectionModel()->hasSelection();
}

void TTemplateMain::CombsDelSelectedExecute() {
    const std::vector<int> rows = SelectedCombRows();
    const int n = int(rows.size());
    if (n == 0) return;
    const QString question = n == 1
        ? tr("Удалить выделенную запись?")
        : Q(Format(S(tr("Удалить все выделенные записи (всего будет удалено %d записи(ей))?")), {n}));
    if (!AskWarning(this, question)) return;
    {
        TBusy busy(this);
        combs_->SaveUndo(true, Progress());
        combs_->DeleteSelected(rows, Progress());
    }
    UpdateCombList();
}

bool TTemplateMain::CombsDelExistsUpdate() const {
    return !combs_->Empty() && draws_.Count() > 0 && edCombsExclude->value() > 0;
}

void TTemplateMain::CombsDelExistsExecute() {
    const int n = edCombsExclude->value();
    {
        TBusy busy(this);
        combs_->SaveUndo(true, Progress());
        combs_->ExcludeLastDraws(n, draws_, Progress());
    }
    UpdateCombList();
}

bool TTemplateMain::CombsCopyUpdate() const { return !combs_->Empty(); }

void TTemplateMain::CombsCopyExecute() {
    TBusy busy(this);
    const std::string text = combs_->ClipboardText(SelectedCombRows(), Progress());
    QApplication::clipboard()->setText(Q(text));
}

bool TTemplateMain::CombsPasteUpdate() const { return clipboardHasText_; }

void TTemplateMain::CombsPasteExecute() {
    const QString text = QApplication::clipboard()->text();
    QString error;
    {
        TBusy busy(this);
        try {
            // A line that is not a combination leaves the set as it was.
            combs_->PasteCombsText(S(text), Progress());
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        UpdateCombList();
    }
    if (!error.isEmpty()) ShowError(this, error);
}

bool TTemplateMain::CombsSelectAllUpdate() const { return !combs_->Empty(); }

void TTemplateMain::CombsSelectAllExecute() {
    lvCombs->selectAll();
    lvCombs->setFocus();
}

bool TTemplateMain::CombsCheckNumsUpdate() const { return true; }

void TTemplateMain::CombsCheckNumsExecute() { ShowInformation(this, Q(DistinctNumbersMessage(combs_->DistinctNumbers()))); }

bool TTemplateMain::CombsFindInDrawsUpdate() const { return FocusedCombRow() >= 0; }

void TTemplateMain::CombsFindInDrawsExecute() {
    const int row = FocusedCombRow();
    if (row < 0) return;
    std::vector<std::string> hits;
    {
        TBusy busy(this);
        hits = FindCombInDraws(draws_, combs_->At(row), Progress());
    }
    ShowInformation(this, Q(FindInDrawsMessage(hits)));
}

bool TTemplateMain::CombsInfoUpdate() const { return FocusedCombRow() >= 0; }

void TTemplateMain::CombsInfoExecute() {
    const int row = FocusedCombRow();
    if (row < 0) return;
    const TCombination comb = combs_->At(row);
    TDrawRecord rec;
    std::copy(comb.begin(), comb.end(), rec.Numbers);
    // The combination is judged as the draw that would follow the reference draw.
    const int ref = draws_.LastIndex();
    TFormDrawInfo dlg(this);
    dlg.SetDraw(rec, false, CombinationGraphNumbers(statList_, comb, ref + 1, ref, draws_.Sorted),
                statList_.Config.MatrixCols, statList_.Config.ChannelSize);
    dlg.exec();
}

bool TTemplateMain::ViewColorCombsUpdate() const { return true; }
bool TTemplateMain::ViewColorCombsChecked() const { return combsModel_->ColorCombs(); }

void TTemplateMain::ViewColorCombsExecute() {
    combsModel_->SetColorCombs(!combsModel_->ColorCombs());
    WriteSwitch("ColorCombs", combsModel_->ColorCombs());
}

} // namespace velmora
