#include "gui/regulars/regulars_page.h"

#include "core/util/format.h"
#include "gui/app/messages.h"
#include "gui/app/progress_window.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/tool_panel.h"
#include "gui/regulars/form_table.h"
#include "gui/regulars/regulars_model.h"
#include "gui/scripts/form_test_cnt.h"
#include "gui/stakes/form_stake.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {

constexpr const char* kListName = "lvTables";
// The least widths of the columns; each grows to its caption and cells.
const int kColumnWidths[kRegularListColumns] = {200, 150, 0, 150, 0};

} // namespace

TRegularsPage::TRegularsPage(TTemplateMain& window) : TMainPage(window, "tsTables") {
    AddCommand("TablesAdd", tr("Добавить регулярную ставку"), {}, tr("Добавить регулярную табличную ставку"),
               &TRegularsPage::TablesAddUpdate, &TRegularsPage::TablesAddExecute);
    AddCommand("TablesDel", tr("Удалить регулярную ставку"), {}, tr("Удалить выделенные регулярные табличные ставки"),
               &TRegularsPage::TablesDelUpdate, &TRegularsPage::TablesDelExecute);
    AddCommand("TablesStakeAdd", tr("Сделать ставку по регуляру"), {}, tr("Создать ставку по выделенному регуляру"),
               &TRegularsPage::TablesStakeAddUpdate, &TRegularsPage::TablesStakeAddExecute);
    AddCommand("TablesStakeTest", tr("Тест регуляров"), {}, tr("Тестирование регулярных ставок"),
               &TRegularsPage::TablesStakeTestUpdate, &TRegularsPage::TablesStakeTestExecute);
    AddCommand("TabTables", tr("Вкладка \"Регуляры\""), {}, tr("Скрыть / показать вкладку \"Регулярные ставки\""),
               &TRegularsPage::TabTablesUpdate, &TRegularsPage::TabTablesExecute, &TRegularsPage::TabTablesChecked);

    auto* tools = new TToolPanel(this);
    tools->setObjectName("tbTables");
    connect(tools->OverflowMenu(), &QMenu::aboutToShow, &window, &TTemplateMain::UpdateCommands);
    tools->AddButton(CommandButton(this, "btnTablesAdd", Command("TablesAdd")));
    tools->AddButton(CommandButton(this, "btnTablesDel", Command("TablesDel")));
    tools->AddSeparator();
    tools->AddButton(CommandButton(this, "btnTablesStakeAdd", Command("TablesStakeAdd")));
    tools->AddButton(CommandButton(this, "btnTablesStakeTest", Command("TablesStakeTest")));

    model_ = new TRegularsModel(this);
    lvTables = new QTableView(this);
    lvTables->setObjectName(kListName);
    lvTables->setModel(model_);
    SetupListView(lvTables);
    lvTables->setSortingEnabled(false);
    connect(lvTables->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);
    connect(lvTables, &QTableView::doubleClicked, this, [this] { TriggerCommand("TablesStakeAdd"); });
    FitColumns();

    pmTables = CreatePopupMenu("pmTables", lvTables,
                               {"TablesAdd", "TablesDel", "", "TablesStakeAdd", "TablesStakeTest"});
    pmTables->setDefaultAction(Command("TablesStakeAdd"));
    AddCommands(window.MainMenu(TMainMenu::View), {"TabTables"});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(tools);
    layout->addWidget(lvTables, 1);
}

void TRegularsPage::ReadSettings(const std::string& section) {
    shown_ = Window().Settings().ReadBool(section, "TabTables", true);
    ReadListColumns(Window().Settings(), section, lvTables);
    ShowTab(shown_);
}

void TRegularsPage::WriteSettings(const std::string& section) { WriteListColumns(Window().Settings(), section, lvTables); }

void TRegularsPage::InitializePage() {
    ShowTab(shown_);
    const TStartMode& mode = TTemplateMain::StartMode();
    if (!shown_ || mode.LoadOnly || mode.FullRecreate || mode.FullRefresh) return;
    LoadRegularStakes();
}

void TRegularsPage::ShowTab(bool shown) {
    shown_ = shown;
    QTabWidget* tabs = Window().pcMain;
    const int index = tabs->indexOf(this);
    if (index >= 0) tabs->setTabVisible(index, shown);
    // The stake grid's menu offers the stake by hand only while the page is there.
    Command("TablesStakeAdd")->setVisible(shown);
}

void TRegularsPage::FitColumns() {
    lvTables->resizeColumnsToContents();
    for (int c = 0; c < kRegularListColumns; ++c)
        lvTables->setColumnWidth(c, std::max(lvTables->columnWidth(c) + 8, kColumnWidths[c]));
}

// ---- the file -----------------------------------------------------------------------------------

void TRegularsPage::LoadRegularStakes() {
    if (!shown_) return;
    QString error, damage;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Загрузка файла регулярных ставок...")));
        try {
            const std::string file = RegularStakeFileName();
            TRegularLoad load = velmora::LoadRegularStakes(file);
            model_->Stakes() = std::move(load.Stakes);
            damage = Q(RegularDamageMessage(file, load.DamagedRows));
        } catch (const std::exception& e) {
            model_->Stakes().clear();
            error = Q(e.what());
        }
        model_->Refresh();
        FitColumns();
    }
    if (!error.isEmpty()) ShowError(&Window(), error);
    if (!damage.isEmpty()) ShowWarning(&Window(), damage);
    Window().UpdateCommands();
}

bool TRegularsPage::SaveRegularStakes() {
    if (!shown_) return true;
    QString error;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Сохранение файла регулярных ставок...")));
        try {
            velmora::SaveRegularStakes(RegularStakeFileName(), model_->Stakes());
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        model_->Refresh();
        FitColumns();
    }
    if (!error.isEmpty()) ShowError(&Window(), error);
    Window().UpdateCommands();
    return error.isEmpty();
}

// ---- selection ----------------------------------------------------------------------------------

std::vector<int> TRegularsPage::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& i : lvTables->selectionModel()->selectedRows())
        if (i.row() < model_->rowCount()) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TRegularsPage::SelectRows(const std::vector<int>& rows) {
    lvTables->clearSelection();
    SelectListRows(lvTables, rows);
    if (!rows.empty() && rows.front() < model_->rowCount()) {
        lvTables->selectionModel()->setCurrentIndex(model_->index(rows.front(), 0), QItemSelectionModel::NoUpdate);
        lvTables->scrollTo(model_->index(rows.back(), 0));
    }
    Window().UpdateCommands();
}

// ---- commands -----------------------------------------------------------------------------------

bool TRegularsPage::TablesAddUpdate() const { return shown_; }

void TRegularsPage::TablesAddExecute() {
    const std::vector<int> combRows = Window().SelectedCombRows();
    const TCombSet& combs = Window().Combs();
    std::vector<TSelectedComb> selected;
    std::vector<int> positions;
    for (int r : combRows) {
        if (r < 0 || r >= combs.Count()) continue;
        TCombination c = combs.At(r);
        SortComb(c);
        selected.push_back({r + 1, c});
        positions.push_back(r + 1);
    }
    TFormTable dlg(model_->Stakes(), positions, selected.size() == 1 ? selected.front().Comb : TCombination{},
                   &Window());
    if (BeforeTableDialog) BeforeTableDialog(dlg);
    if (dlg.exec() != QDialog::Accepted) return;
    const size_t count = RegularStakesToMake(dlg.Result(), selected.size());
    if (count > kManyRegularStakes) {
        const double megabytes = double(count) * double(kRegularStakeSize) / (1024.0 * 1024.0);
        if (!AskConfirmation(&Window(), Q(Format(S(tr("Будет создано %.0n регулярных ставок, по одной на каждую "
                                                       "выделенную комбинацию; файл регулярных ставок вырастет "
                                                       "примерно на %.0n МБ.\r\rСоздать их?")),
                                                 {double(count), megabytes})),
                             false))
            return;
    }
    TRegularStakes made;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Создание регулярных ставок...")));
        made = NewRegularStakes(dlg.Result(), selected);
    }
    if (made.empty()) {
        ShowInformation(&Window(), tr("Регулярная ставка не добавлена: для постоянной стартовой комбинации выделите "
                                      "комбинации в списке комбинаций."));
        return;
    }
    const int first = model_->rowCount();
    TRegularStakes& list = model_->Stakes();
    list.insert(list.end(), made.begin(), made.end());
    SaveRegularStakes();
    std::vector<int> rows;
    for (int r = first; r < model_->rowCount(); ++r) rows.push_back(r);
    SelectRows(rows);
}

bool TRegularsPage::TablesDelUpdate() const { return shown_ && !SelectedRows().empty(); }

void TRegularsPage::TablesDelExecute() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty() || !AskDeleteRecords(&Window(), int(rows.size()))) return;
    QString error;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Удаление регулярных ставок...")));
        try {
            for (auto it = rows.rbegin(); it != rows.rend(); ++it) DeleteRegularStake(model_->Stakes(), *it);
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        lvTables->clearSelection();
    }
    if (!error.isEmpty()) ShowError(&Window(), error);
    SaveRegularStakes();
}

bool TRegularsPage::TablesStakeAddUpdate() const {
    return shown_ && !SelectedRows().empty() && StakesWritable && StakesWritable();
}

void TRegularsPage::TablesStakeAddExecute() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    const QModelIndex current = lvTables->currentIndex();
    const int row = current.isValid() && std::binary_search(rows.begin(), rows.end(), current.row()) ? current.row()
                                                                                                    : rows.front();
    // The stake dialog works on a copy: the regular moves on only when its stake is made.
    TRegularStake next = model_->Stakes()[size_t(row)];
    const TDrawsArchive& draws = Window().Draws();
    const int offset = draws.Offset();
    try {
        NextRegularCombination(next, draws, offset);
    } catch (const std::exception& e) {
        ShowError(&Window(), Q(e.what()));
        return;
    }
    TFormStake dlg(&Window());
    dlg.SetRecord(RegularStakeRecord(next, draws, offset, Window().Combs().Count(), Window().StatList().Config), 1);
    if (BeforeStakeDialog) BeforeStakeDialog(dlg);
    if (dlg.exec() != QDialog::Accepted) return;
    // The stake first: a stake that could not be appended leaves the regular as it was.
    if (!AddStake || !AddStake(dlg.Record(), dlg.DrawsCount())) return;
    if (size_t(row) < model_->Stakes().size()) model_->Stakes()[size_t(row)] = next;
    SaveRegularStakes();
    SelectRows({row});
}

bool TRegularsPage::TablesStakeTestUpdate() const {
    return shown_ && !SelectedRows().empty() && Window().Draws().Count() > 1 && StakesWritable && StakesWritable();
}

void TRegularsPage::TablesStakeTestExecute() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    const int count = AskTestCount(&Window(), Window().Draws().Count() - 1);
    if (count <= 0) return;
    TRegularTestResult result;
    QString error;
    {
        TBusy busy(&Window());
        // The offset moves on the archive alone: the analysis views are not recomputed for it, and
        // the test puts it back before it returns.
        TProgressWindow progress(&Window(), Window().fmProgress, tr("Создание ставок по регулярным табличным ставкам..."));
        try {
            result = RunRegularTest(
                model_->Stakes(), rows, count, Window().Draws(), Window().Combs().Count(), Window().StatList().Config,
                [this](const TStakeRecord& r) { return AddStakeBulk && AddStakeBulk(r, 1, true); }, progress);
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
    }
    SaveRegularStakes();
    SelectRows(rows);
    if (!error.isEmpty()) ShowError(&Window(), error);
    if (result.Made > 0 && !result.Failed && error.isEmpty() && CheckStakes) CheckStakes();
    if (RefreshStakeGrid) RefreshStakeGrid();
    if (result.Stopped)
        ShowInformation(&Window(), Q(Format(S(tr("Тест регуляров остановлен. Сделано ставок: %d")), {result.Made})));
}

bool TRegularsPage::TabTablesUpdate() const { return true; }
bool TRegularsPage::TabTablesChecked() const { return shown_; }

void TRegularsPage::TabTablesExecute() {
    {
        TBusy busy(&Window());
        ShowTab(!shown_);
        Window().WriteSwitch("TabTables", shown_);
        if (!shown_) {
            model_->Stakes().clear();
            model_->Refresh();
        }
    }
    if (shown_) {
        LoadRegularStakes();
        Window().pcMain->setCurrentWidget(this);
    }
    Window().UpdateCommands();
}

} // namespace velmora
