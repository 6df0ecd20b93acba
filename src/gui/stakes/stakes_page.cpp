#include "gui/stakes/stakes_page.h"

#include "core/stakes/stake_export.h"
#include "core/stakes/stake_tally.h"
#include "core/util/format.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/tool_panel.h"
#include "gui/app/xlsx_export_command.h"
#include "gui/stakes/form_multi.h"
#include "gui/stakes/form_stake.h"
#include "gui/stakes/form_stake_filter.h"
#include "gui/stakes/stakes_grid.h"
#include "gui/views/column_fit.h"
#include "gui/views/form_graph.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>

namespace velmora {

namespace {

constexpr int kStakesStatusPanel = 4;
// The colours of the profit-by-draw graph (0xBBGGRR).
constexpr uint32_t kGreen = 0x008000, kBlue = 0xFF0000, kRed = 0x0000FF;

} // namespace

TStakesPage::TStakesPage(TTemplateMain& window) : TMainPage(window, "tsStakes") {
    AddCommand("StakeAdd", tr("Сделать ставку"), QKeySequence(Qt::Key_F4),
               tr("Добавить текущую комбинацию в список ставок с возможностью ручного ввода"),
               &TStakesPage::StakeAddUpdate, &TStakesPage::StakeAddExecute);
    AddCommand("StakeAddRandom", tr("Сделать случайную ставку"), QKeySequence(Qt::CTRL | Qt::Key_F4),
               tr("Добавить ставку, выбранную случайным образом из списка комбинаций"),
               &TStakesPage::StakeAddRandomUpdate, &TStakesPage::StakeAddRandomExecute);
    AddCommand("StakeAddSelected", tr("Сделать ставки для выделенных комбинаций"), QKeySequence(Qt::SHIFT | Qt::Key_F4),
               tr("Добавить выделенные комбинации в список ввода"), &TStakesPage::StakeAddSelectedUpdate,
               &TStakesPage::StakeAddSelectedExecute);
    AddCommand("StakeAddAll", tr("Сделать ставки для всех комбинаций"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F4),
               tr("Добавить все существующие комбинации в список ввода"), &TStakesPage::StakeAddAllUpdate,
               &TStakesPage::StakeAddAllExecute);
    AddCommand("StakeDel", tr("Удалить ставку"), QKeySequence(Qt::CTRL | Qt::Key_Delete), tr("Удалить выделенные ставки из списка ставок"),
               &TStakesPage::StakeDelUpdate, &TStakesPage::StakeDelExecute);
    AddCommand("StakeFilter", tr("Удалить по условию"), QKeySequence(Qt::ALT | Qt::Key_D),
               tr("Удалить ставки с заданным количеством совпадений из списка ставок"), &TStakesPage::StakeFilterUpdate,
               &TStakesPage::StakeFilterExecute);
    AddCommand("StakeClear", tr("Удалить все ставки"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete),
               tr("Очистить список ставок"), &TStakesPage::StakeClearUpdate, &TStakesPage::StakeClearExecute);
    AddCommand("StakesCheckManual", tr("Проверить ставки"), QKeySequence(Qt::CTRL | Qt::Key_F5),
               tr("Выполнить проверку ставок по архиву тиражей"), &TStakesPage::StakesCheckManualUpdate,
               &TStakesPage::StakesCheckManualExecute);
    AddCommand("LogStakes", tr("Журналы ставок"), {}, tr("Создавать текстовые файлы журналов ставок"),
               &TStakesPage::LogStakesUpdate, &TStakesPage::LogStakesExecute, &TStakesPage::LogStakesChecked);
    AddCommand("LogStakesDelete", tr("Удалить журналы ставок"), {}, tr("Удалить имеющиеся файлы журналов ставок"),
               &TStakesPage::LogStakesDeleteUpdate, &TStakesPage::LogStakesDeleteExecute);
    AddCommand("StakesScroll", tr("Прокручивать список при добавлении"), {},
               tr("Прокручивать список ставок при добавлении новой ставки"), &TStakesPage::StakesScrollUpdate,
               &TStakesPage::StakesScrollExecute, &TStakesPage::StakesScrollChecked);
    AddCommand("StakesGraphDraws", tr("Суммарный профит по тиражам"), QKeySequence(Qt::Key_F6),
               tr("График суммарного профита ставок по тиражам"), &TStakesPage::StakesGraphDrawsUpdate,
               &TStakesPage::StakesGraphDrawsExecute);
    AddCommand("StakesGraphOverlap", tr("График совпадений ставок"), QKeySequence(Qt::CTRL | Qt::Key_F6),
               tr("График количества совпадений для всех ставок по тиражам"), &TStakesPage::StakesGraphOverlapUpdate,
               &TStakesPage::StakesGraphOverlapExecute);
    AddCommand("StakesGraphProfits", tr("График профита ставок"), QKeySequence(Qt::SHIFT | Qt::Key_F6),
               tr("График профита для всех ставок по тиражам"), &TStakesPage::StakesGraphProfitsUpdate,
               &TStakesPage::StakesGraphProfitsExecute);
    AddCommand("StakesXlsExport", tr("Экспорт ставок в Microsoft Excel"), {}, tr("Экспорт ставок в Microsoft Excel"),
               &TStakesPage::StakesXlsExportUpdate, &TStakesPage::StakesXlsExportExecute);

    model_ = new TStakesModel(file_, this);
    sgStakes = CreateStakesGrid(this, model_);
    // The comment takes the rest of the grid, and while comments are long at least a quarter of it.
    columns_ = new TColumnFit(sgStakes, scComment, 25);
    const auto cells = StakeCellWidths(sgStakes->font());
    for (int c = 0; c < kStakeGridColumns; ++c) columns_->SetContentsWidth(c, cells[size_t(c)]);
    connect(sgStakes->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);

    KeepKeyInList("StakeDel", sgStakes);

    auto button = [this](const char* name, const char* command) { return CommandButton(this, name, Command(command)); };
    btnStakeAdd = button("btnStakeAdd", "StakeAdd");
    btnStakeDel = button("btnStakeDel", "StakeDel");
    btnStakeFilter = button("btnStakeFilter", "StakeFilter");
    btnStakesCheck = button("btnStakesCheck", "StakesCheckManual");
    btnStakesGraph = button("btnStakesGraph", "StakesGraphDraws");
    auto* tools = new TToolPanel(this);
    connect(tools->OverflowMenu(), &QMenu::aboutToShow, &window, &TTemplateMain::UpdateCommands);
    for (QToolButton* b : {btnStakeAdd, btnStakeDel, btnStakeFilter, btnStakesCheck, btnStakesGraph}) tools->AddButton(b);

    pmStakes = CreatePopupMenu("pmStakes", sgStakes,
                               {"StakeAdd", "StakeAddRandom", "StakeAddSelected", "StakeAddAll", "", "StakeDel",
                                "StakeFilter", "StakeClear", "", "StakesCheckManual", "", "StakesGraphDraws",
                                "StakesGraphOverlap", "StakesGraphProfits", "", "LogStakes", "LogStakesDelete",
                                "StakesScroll", "", "StakesXlsExport"});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tools);
    layout->addWidget(sgStakes, 1);

    AddCommands(window.MainMenu(TMainMenu::Stakes),
                {"StakeAdd", "StakeAddRandom", "StakeAddSelected", "StakeAddAll", "", "StakeDel", "StakeFilter",
                 "StakeClear", "", "StakesCheckManual", "", "StakesGraphDraws", "StakesGraphOverlap",
                 "StakesGraphProfits", "", "LogStakes", "LogStakesDelete", "StakesScroll", "", "StakesXlsExport"});

    // New draws in the archive: the stakes for them are checked.
    connect(&window, &TTemplateMain::DrawsChanged, this, [this](bool reset) {
        if (reset && Window().Initialized() && Writable()) CheckStakes();
    });
    RefreshStakeGrid(true, false);
}

TStakesPage::~TStakesPage() {
    try {
        file_.Close();
    } catch (const std::exception&) {
        // The window is gone; every record was written when it changed.
    }
}

void TStakesPage::ReadSettings(const std::string& section) {
    const TWindowSettings& settings = Window().Settings();
    logEnabled_ = settings.ReadBool(section, "StakesLogEnabled", false);
    scrollEnabled_ = settings.ReadBool(section, "StakesScrollEnabled", true);
    checkOnLine_ = settings.ReadBool(section, "StakesCheckOnLine", true);
    // The widths of the last session are the least the columns take.
    columns_->SetLeastWidths(settings.ReadColumnWidths(section, "sgStakes", kStakeGridColumns));
}

void TStakesPage::WriteSettings(const std::string& section) { WriteListColumns(Window().Settings(), section, sgStakes); }

void TStakesPage::InitializePage() {
    if (LoadStakeFile()) CheckStakes();
    RefreshStakeGrid(true, true);
}

void TStakesPage::ClosePage() {
    if (!file_.IsOpen()) return;
    QString error;
    {
        TStatusScope status(Window().Progress(), S(tr("Сохранение файла ставок...")));
        try {
            file_.Close();
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
    }
    RefreshStakeGrid(true, false);
    if (!error.isEmpty()) ShowError(&Window(), error);
}

bool TStakesPage::Writable() const { return file_.IsOpen() && !file_.ReadOnly(); }

bool TStakesPage::LoadStakeFile() {
    QString warning, error;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Загрузка файла ставок...")));
        try {
            if (Window().OwnsDataFolder())
                warning = Q(file_.Load());
            else
                file_.OpenReadOnly();  // another copy owns the folder: nothing is written
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        RefreshStakeGrid(true, false);
    }
    if (!warning.isEmpty()) ShowWarning(&Window(), warning);
    if (!error.isEmpty()) ShowError(&Window(), error);
    return error.isEmpty();
}

TStakeCheckOptions TStakesPage::CheckOptions() const {
    TStakeCheckOptions options;
    options.Config = Window().StatList().Config;
    options.LogEnabled = logEnabled_;
    return options;
}

int TStakesPage::CheckStakes(const std::function<void(const TStakeRecord&)>& onChecked, bool* failed) {
    if (failed) *failed = false;
    if (!Writable()) return 0;
    // Loaded before the busy state: a damaged file is reported (and may be recomputed) first.
    TRatingsStore* ratings = Ratings ? Ratings() : nullptr;
    int checked = 0, seen = 0;
    bool damaged = false;
    QString error;
    {
        TBusy busy(&Window());
        try {
            TStakeCheckOptions options = CheckOptions();
            options.AddRating = [&seen, &onChecked](const TStakeRecord& rec) {
                ++seen;
                if (onChecked) onChecked(rec);
            };
            checked = ratings ? CheckStakesRated(file_, Window().Draws(), options, *ratings, Window().Progress())
                              : velmora::CheckStakes(file_, Window().Draws(), options, Window().Progress());
        } catch (const std::exception& e) {
            error = Q(e.what());
            // The ratings file was found damaged after the stakes were checked and committed.
            damaged = ratings && ratings->Damaged() && e.what() == ratings->DamageText();
            if (damaged) checked = seen;
        }
    }
    model_->Repaint();
    emit StakesChecked(checked);
    if (damaged && RatingsDamaged) RatingsDamaged(error);
    else if (!error.isEmpty()) ShowError(&Window(), error);
    if (failed) *failed = !error.isEmpty() && !damaged;
    return checked;
}

void TStakesPage::RefreshStakeGrid(bool refresh, bool scrollToLast) {
    if (refresh) model_->Reset();
    else model_->Repaint();
    Window().SetStatusPanel(kStakesStatusPanel, Q(Format(S(tr("Ставок: %d")), {model_->Stakes()})));
    if (scrollToLast && file_.StakeCount() > 0) {
        const QModelIndex last = model_->index(model_->rowCount() - 1, 0);
        sgStakes->setCurrentIndex(last);
        sgStakes->scrollTo(last);
    }
}

bool TStakesPage::AddStake(const TStakeRecord& rec, int drawsCount) {
    QString error;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Создание ставки...")));
        try {
            file_.AppendStakes(rec, drawsCount);
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
    }
    RefreshStakeGrid(true, false);
    if (!error.isEmpty()) {
        ShowError(&Window(), error);
        return false;
    }
    CheckStakes();
    RefreshStakeGrid(false, true);
    return true;
}

bool TStakesPage::AddStakeBulk(const TStakeRecord& rec, int drawsCount, bool bulk) {
    // The callers loop and show "Создание ставок..." for the whole loop.
    try {
        file_.AppendStakes(rec, drawsCount);
    } catch (const std::exception& e) {
        RefreshStakeGrid(true, false);
        ShowError(&Window(), Q(e.what()));
        return false;
    }
    // In bulk the grid and the panel follow at most every 100 ms: a loop over the whole
    // combination set would otherwise spend its time in the grid.
    if (bulk && bulkRefresh_.isValid() && bulkRefresh_.elapsed() < 100) return true;
    bulkRefresh_.start();
    model_->Sync();
    if (!bulk || scrollEnabled_) sgStakes->scrollToBottom();
    Window().SetStatusPanel(kStakesStatusPanel, Q(Format(S(tr("Ставок: %d")), {model_->Stakes()})));
    return true;
}

// ---- making stakes ------------------------------------------------------------------------------

TStakeRecord TStakesPage::HandStake(int combRow) const {
    const TCombSet& combs = Window().Combs();
    const TCombination* comb = combRow >= 0 && combRow < combs.Count() ? &combs.At(combRow) : nullptr;
    const TDrawsArchive& draws = Window().Draws();
    return HandStakeRecord(comb, draws.NextDrawNumber(draws.Offset()), combs.Count(), Window().StatList().Config);
}

bool TStakesPage::StakeAddUpdate() const { return Writable(); }

void TStakesPage::StakeAddExecute() {
    TFormStake dlg(&Window());
    dlg.SetRecord(HandStake(Window().SelectedCombRow()), 1);
    if (dlg.exec() != QDialog::Accepted) return;
    AddStake(dlg.Record(), dlg.DrawsCount());
}

bool TStakesPage::StakeAddRandomUpdate() const { return Writable() && !Window().Combs().Empty(); }

void TStakesPage::StakeAddRandomExecute() {
    const int n = Window().Combs().Count();
    if (n <= 0) return;
    const int row = std::uniform_int_distribution<int>(0, n - 1)(random_);
    TFormStake dlg(&Window());
    dlg.SetRecord(HandStake(row), 1);
    if (dlg.exec() != QDialog::Accepted) return;
    AddStake(dlg.Record(), dlg.DrawsCount());
}

bool TStakesPage::StakeAddSelectedUpdate() const { return Writable() && Window().HasCombSelection(); }

void TStakesPage::StakeAddSelectedExecute() { AddMultiStakes(false); }

bool TStakesPage::StakeAddAllUpdate() const { return Writable() && !Window().Combs().Empty(); }

void TStakesPage::StakeAddAllExecute() { AddMultiStakes(true); }

void TStakesPage::AddMultiStakes(bool all) {
    TFormMulti dlg(&Window());
    const TDrawsArchive& draws = Window().Draws();
    dlg.SetValues(draws.NextDrawNumber(draws.Offset()), 1, kHandStakeComment);
    if (dlg.exec() != QDialog::Accepted) return;
    const std::vector<int> rows = all ? std::vector<int>{} : Window().SelectedCombRows();
    const int count = all ? Window().Combs().Count() : int(rows.size());
    bool ok = true;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Создание ставок...")));
        TStakeRecord rec = HandStake(-1);
        rec.DrawNumber = dlg.DrawNumber();
        rec.SetCommentText(dlg.Comment());
        for (int i = 0; i < count && ok; ++i) {
            CombToNumberSet(Window().Combs().At(all ? i : rows[size_t(i)]), rec.Numbers);
            ok = AddStakeBulk(rec, dlg.DrawsCount(), true);
            if (i % 256 == 255 && Window().Progress().StopRequested()) break;
        }
    }
    Window().ClearCombSelection();
    if (ok) CheckStakes();
    RefreshStakeGrid(true, true);
}

// ---- deleting stakes ----------------------------------------------------------------------------

bool TStakesPage::SelectedRange(int& first, int& last) const {
    first = INT_MAX, last = -1;
    for (const QItemSelectionRange& r : sgStakes->selectionModel()->selection()) {
        first = std::min(first, r.top());
        last = std::max(last, r.bottom());
    }
    last = std::min(last, file_.StakeCount() - 1);
    return last >= 0 && first <= last;
}

void TStakesPage::DeleteStakes(const std::function<int()>& remove) {
    QString error;
    int removed = 0;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Удаление ставок...")));
        try {
            removed = remove();
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
    }
    RefreshStakeGrid(true, false);
    if (!error.isEmpty()) {
        ShowError(&Window(), error);
        return;
    }
    if (removed > 0) CheckStakes();
}

bool TStakesPage::StakeDelUpdate() const {
    int first, last;
    return Writable() && file_.HasStakes() && SelectedRange(first, last);
}

void TStakesPage::StakeDelExecute() {
    int first, last;
    if (!SelectedRange(first, last)) return;
    const int n = last - first + 1;
    if (!AskDeleteRecords(&Window(), n)) return;
    // Grid rows are record indexes plus one (the header row).
    DeleteStakes([&] { return file_.DeleteStakeRows(first + 1, last + 1); });
}

bool TStakesPage::StakeFilterUpdate() const { return Writable() && file_.HasStakes(); }

void TStakesPage::StakeFilterExecute() {
    TFormStakeFilter dlg(&Window());
    if (dlg.exec() != QDialog::Accepted) return;
    const int packed = dlg.PackedCondition();
    DeleteStakes([&] { return file_.DeleteStakesByCondition(packed); });
}

bool TStakesPage::StakeClearUpdate() const { return Writable() && file_.HasStakes(); }

void TStakesPage::StakeClearExecute() {
    const int n = file_.StakeCount();
    if (!AskDeleteRecords(&Window(), n)) return;
    DeleteStakes([&] {
        file_.StakeClear();
        return 0;  // nothing left to check
    });
    // The ratings are recomputed from the (now empty) stakes by the ratings page.
    emit StakesCleared();
}

// ---- checking and logs ----------------------------------------------------------------------------

bool TStakesPage::StakesCheckManualUpdate() const { return Writable() && file_.HasStakes(); }

void TStakesPage::StakesCheckManualExecute() {
    const TConfigData config = Window().StatList().Config;
    int won = 0;
    bool failed = false;
    const int checked = CheckStakes([&](const TStakeRecord& rec) { won += StakeWon(rec, config) ? 1 : 0; }, &failed);
    RefreshStakeGrid(false, false);
    if (failed) return;
    // The command says what it did: a check that finds nothing to do changes nothing in sight.
    QString text = checked > 0 ? Q(Format(S(tr("Проверено ставок: %d, из них выигрышных: %d.")), {checked, won}))
                               : tr("Новых результатов нет: все ставки, тиражи которых есть в архиве, уже проверены.");
    TStakeSummary summary;
    try {
        summary = SummarizeStakes(file_);
    } catch (const std::exception&) {
    }
    if (summary.Unchecked > 0)
        text += "\r\r" + Q(Format(S(tr("Ставок на тиражи, которых еще нет в архиве: %d.")), {summary.Unchecked}));
    ShowInformation(&Window(), text);
}

bool TStakesPage::LogStakesUpdate() const { return true; }
bool TStakesPage::LogStakesChecked() const { return logEnabled_; }

void TStakesPage::LogStakesExecute() {
    logEnabled_ = !logEnabled_;
    Window().WriteSwitch("StakesLogEnabled", logEnabled_);
}

bool TStakesPage::LogStakesDeleteUpdate() const { return true; }

void TStakesPage::LogStakesDeleteExecute() {
    if (FindStakeLogs(file_.FileName()).empty()) {
        ShowInformation(&Window(), tr("Файлы журналов не найдены!"));
        return;
    }
    QString error;
    int deleted = 0;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Поиск файлов журналов...")));
        try {
            deleted = DeleteStakeLogs(file_.FileName());
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
    }
    if (error.isEmpty())
        ShowInformation(&Window(), tr("Удаление журналов ставок") + "\r\r" +
                                       Q(Format(S(tr("Удалено файлов: %d")), {deleted})));
    else
        ShowWarning(&Window(), tr("Удаление журналов ставок") + "\r\r" + error);
}

bool TStakesPage::StakesScrollUpdate() const { return true; }
bool TStakesPage::StakesScrollChecked() const { return scrollEnabled_; }

void TStakesPage::StakesScrollExecute() {
    scrollEnabled_ = !scrollEnabled_;
    Window().WriteSwitch("StakesScrollEnabled", scrollEnabled_);
}

// ---- graphs and export ----------------------------------------------------------------------------

bool TStakesPage::StakesGraphDrawsUpdate() const { return file_.IsOpen() && file_.HasStakes(); }

void TStakesPage::StakesGraphDrawsExecute() {
    TStakeDrawGraph graph;
    QString error;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Создание графиков...")));
        try {
            graph = MakeStakeDrawGraph(StakeDrawProfits(file_));
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
    }
    if (!error.isEmpty()) {
        ShowError(&Window(), error);
        return;
    }
    TFormGraph dlg(&Window());
    dlg.setWindowTitle(Command("StakesGraphDraws")->statusTip());
    const QString totals = tr("Суммарный профит ставок по тиражу"), average = tr("Среднее значение"),
                  cumulative = tr("Накопленное значение");
    for (size_t i = 0; i < graph.Draws.size(); ++i) {
        const double x = graph.Draws[i];
        dlg.AddGraphPoint(x, totals, graph.Totals[i], true, true, kGreen);
        dlg.AddGraphPoint(x, average, graph.Average, false, false, kBlue);
        dlg.AddGraphPoint(x, cumulative, graph.Cumulative[i], true, true, kRed);
    }
    dlg.exec();
}

void TStakesPage::ShowCommentGraph(bool profit, const QString& caption) {
    std::vector<TStakeGraphPoint> points;
    QString error;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Создание графиков...")));
        try {
            points = StakeCommentPoints(file_, SelectedRatingCaptions ? SelectedRatingCaptions() : std::vector<std::string>{},
                                        profit);
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
    }
    if (!error.isEmpty()) {
        ShowError(&Window(), error);
        return;
    }
    TFormGraph dlg(&Window());
    dlg.setWindowTitle(caption);
    for (const auto& p : points) dlg.AddGraphPoint(p.DrawNumber, Q(p.Comment), p.Value, true, true, 0);
    dlg.exec();
}

bool TStakesPage::StakesGraphOverlapUpdate() const {
    return file_.IsOpen() && file_.HasStakes() && SelectedRatingCaptions && !SelectedRatingCaptions().empty();
}

void TStakesPage::StakesGraphOverlapExecute() { ShowCommentGraph(false, Command("StakesGraphOverlap")->statusTip()); }

bool TStakesPage::StakesGraphProfitsUpdate() const { return StakesGraphOverlapUpdate(); }

void TStakesPage::StakesGraphProfitsExecute() { ShowCommentGraph(true, Command("StakesGraphProfits")->statusTip()); }

bool TStakesPage::StakesXlsExportUpdate() const { return file_.IsOpen() && file_.HasStakes(); }

void TStakesPage::StakesXlsExportExecute() {
    const QString title = tr("Ставки");
    ExportTableToXlsx(Window(), title, StakesXlsTable(file_, S(title)));
}

} // namespace velmora
