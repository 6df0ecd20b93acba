#include "gui/ratings/ratings_page.h"

#include "core/util/format.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/tool_panel.h"
#include "gui/app/xlsx_export_command.h"
#include "gui/ratings/ratings_model.h"
#include "gui/views/column_fit.h"
#include "gui/views/form_graph.h"

#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {

constexpr int kRatingsStatusPanel = 5;
constexpr uint32_t kGrey = 0x808080;

} // namespace

TRatingsPage::TRatingsPage(TTemplateMain& window) : TMainPage(window, "tsRatings") {
    AddCommand("RatingsRefresh", tr("Обновить рейтинг"), QKeySequence(Qt::Key_F5),
               tr("Пересчитать рейтинг по текущим данным"), &TRatingsPage::RatingsRefreshUpdate,
               &TRatingsPage::RatingsRefreshExecute);
    AddCommand("RatingsExport", tr("Экспорт рейтинга в CSV-файл"), {}, tr("Экспорт рейтинга в CSV-файл"),
               &TRatingsPage::RatingsExportUpdate, &TRatingsPage::RatingsExportExecute);
    AddCommand("RatingsXlsExport", tr("Экспорт рейтинга в Microsoft Excel"), {}, tr("Экспорт рейтинга в Microsoft Excel"),
               &TRatingsPage::RatingsXlsExportUpdate, &TRatingsPage::RatingsXlsExportExecute);
    AddCommand("RatingsToScript", tr("Добавить в сценарий"), {}, tr("Добавить выделенные строки в сценарий"),
               &TRatingsPage::RatingsToScriptUpdate, &TRatingsPage::RatingsToScriptExecute);
    AddCommand("RatingsGraphOverlap", tr("Количество совпадений"), {},
               tr("График количества совпадений для выделенных строк рейтинга"), &TRatingsPage::RatingsGraphOverlapUpdate,
               &TRatingsPage::RatingsGraphOverlapExecute);
    AddCommand("RatingsEffMode0", tr("Ожидаемые значения совпадений"), {},
               tr("Показывать расчетные значения количества совпадений"), &TRatingsPage::RatingsEffModeUpdate,
               &TRatingsPage::RatingsEffMode0Execute, &TRatingsPage::RatingsEffMode0Checked);
    AddCommand("RatingsEffMode1", tr("Абсолютные значения эффективности"), {},
               tr("Показывать абсолютные изменения эффективности ставок"), &TRatingsPage::RatingsEffModeUpdate,
               &TRatingsPage::RatingsEffMode1Execute, &TRatingsPage::RatingsEffMode1Checked);
    AddCommand("RatingsEffMode2", tr("Относительные значения эффективности"), {},
               tr("Показывать относительные изменения эффективности ставок"), &TRatingsPage::RatingsEffModeUpdate,
               &TRatingsPage::RatingsEffMode2Execute, &TRatingsPage::RatingsEffMode2Checked);

    model_ = new TRatingsModel(store_.Ratings, this);
    lvRatings = new QTableView(this);
    lvRatings->setObjectName("lvRatings");
    lvRatings->setModel(model_);
    SetupListView(lvRatings);
    lvRatings->setShowGrid(true);
    // The comment takes the rest of the list, and while comments are long at least a quarter of
    // it: the counts, the efficiencies and "p" stay in sight as far as the list allows.
    columns_ = new TColumnFit(lvRatings, rcComment, 25);
    QHeaderView* header = lvRatings->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(store_.SortColumn, store_.SortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
    // A click sorts the entries themselves (the file keeps the order); the same column again
    // turns the direction.
    connect(header, &QHeaderView::sectionClicked, this, [this](int c) {
        if (!Window().IsIdle()) return;
        const bool descending = c == store_.SortColumn ? !store_.SortDescending : false;
        SortRatings(c, descending);
    });
    connect(lvRatings->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);
    connect(lvRatings, &QTableView::doubleClicked, this, [this] { TriggerCommand("RatingsGraphOverlap"); });

    auto button = [this](const char* name, const char* command) { return CommandButton(this, name, Command(command)); };
    btnRatingsRefresh = button("btnRatingsRefresh", "RatingsRefresh");
    btnRatingsToScript = button("btnRatingsToScript", "RatingsToScript");
    btnRatingsGraph = button("btnRatingsGraph", "RatingsGraphOverlap");
    auto* tools = new TToolPanel(this);
    connect(tools->OverflowMenu(), &QMenu::aboutToShow, &window, &TTemplateMain::UpdateCommands);
    for (QToolButton* b : {btnRatingsRefresh, btnRatingsToScript, btnRatingsGraph}) tools->AddButton(b);

    auto fillMenu = [this](QMenu* menu) {
        AddCommands(menu, {"RatingsRefresh", "", "RatingsToScript", "", "RatingsGraphOverlap", "StakesGraphOverlap",
                           "StakesGraphProfits", ""});
        QMenu* eff = menu->addMenu(tr("Эффективность (столбцы E0..n)"));
        eff->setObjectName(menu->objectName() == "pmRatings" ? "mnRatingsEffPopup" : "mnRatingsEff");
        AddCommands(eff, {"RatingsEffMode0", "RatingsEffMode1", "RatingsEffMode2"});
        AddCommands(menu, {"", "RatingsExport", "RatingsXlsExport"});
        return eff;
    };
    pmRatings = CreatePopupMenu("pmRatings", lvRatings, {});
    fillMenu(pmRatings);
    mnRatingsEff = fillMenu(window.MainMenu(TMainMenu::Ratings));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tools);
    layout->addWidget(lvRatings, 1);
}

// ---- settings and start-up --------------------------------------------------------------------

void TRatingsPage::ReadSettings(const std::string& section) {
    section_ = section;
    const TWindowSettings& settings = Window().Settings();
    const int mode = settings.ReadInteger(section, "RatingsEffMode", kDefaultRatingEffMode);
    model_->SetMode(mode >= remExpected && mode <= remRelative ? mode : kDefaultRatingEffMode);
    // The widths of the last session are the least the columns take.
    columns_->SetLeastWidths(settings.ReadColumnWidths(section, "lvRatings", kRatingColumnCount));
    if (const auto sort = settings.ReadSortType(section, "lvRatings")) {
        if (sort->Column >= -1 && sort->Column < kRatingColumnCount) {
            store_.SortColumn = sort->Column;
            store_.SortDescending = sort->Direction != 0;
        }
    }
    lvRatings->horizontalHeader()->setSortIndicator(store_.SortColumn,
                                                    store_.SortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TRatingsPage::WriteSettings(const std::string& section) {
    TWindowSettings& settings = Window().Settings();
    WriteListColumns(settings, section, lvRatings);
    settings.WriteSortType(section, "lvRatings", TSortType{store_.SortColumn, store_.SortDescending ? 1 : 0});
}

void TRatingsPage::InitializePage() {
    EnsureLoaded();
    RefreshRatingsView();
}

void TRatingsPage::EnsureLoaded() {
    if (loaded_) return;
    loaded_ = true;
    store_.ReadOnly = !Window().OwnsDataFolder();
    QString error;
    {
        TBusy busy(&Window());
        try {
            store_.Load(Window().Progress());
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
    }
    RefreshRatingsView();
    if (error.isEmpty()) return;
    if (store_.Damaged()) OfferRefresh(error);
    else ShowError(&Window(), error);
}

void TRatingsPage::StakesChecked() { RefreshRatingsView(); }

void TRatingsPage::OfferRefresh(const QString& report) {
    TStakeFile* file = StakeFile ? StakeFile() : nullptr;
    if (!file || !RatingsRefreshUpdate()) {
        ShowError(&Window(), report);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("Messages", "Ошибка"),
                    MessageText(report + "\r\r" + tr("Пересчитать рейтинг по ставкам?")),
                    QMessageBox::Yes | QMessageBox::No, &Window());
    box.button(QMessageBox::Yes)->setText(tr("Пересчитать"));
    box.button(QMessageBox::No)->setText(tr("Отмена"));
    // Keeping the file is what Enter and Esc do: the refresh replaces it.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (box.exec() != QMessageBox::Yes) return;
    RefreshFromStakes(*file);
}

void TRatingsPage::RefreshFromStakes(TStakeFile& file) {
    lvRatings->clearSelection();
    ChangeRatings({}, [&] { store_.Refresh(file, Window().Progress()); });
}

void TRatingsPage::ChangeRatings(const QString& status, const std::function<void()>& change) {
    QString error;
    {
        TBusy busy(&Window());
        TStatusScope scope(Window().Progress(), S(status));
        try {
            change();
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
    }
    RefreshRatingsView();
    if (!error.isEmpty()) ShowError(&Window(), error);
}

void TRatingsPage::SortRatings(int column, bool descending) {
    lvRatings->clearSelection();
    ChangeRatings({}, [&] { store_.Sort(column, descending, Window().Progress()); });
    lvRatings->horizontalHeader()->setSortIndicator(store_.SortColumn,
                                                    store_.SortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TRatingsPage::RefreshRatingsView() {
    model_->Reset();
    Window().SetStatusPanel(kRatingsStatusPanel, Q(Format(S(tr("Рейтинг: %d")), {int64_t(store_.Ratings.size())})));
}

std::vector<int> TRatingsPage::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& i : lvRatings->selectionModel()->selectedRows())
        if (i.row() < int(store_.Ratings.size())) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::string> TRatingsPage::SelectedCaptions() const {
    std::vector<std::string> captions;
    for (int row : SelectedRows()) captions.push_back(store_.Ratings[size_t(row)].Comment);
    return captions;
}

int TRatingsPage::EffMode() const { return model_->Mode(); }

// ---- commands ----------------------------------------------------------------------------------

bool TRatingsPage::RatingsRefreshUpdate() const {
    const TStakeFile* file = StakeFile ? StakeFile() : nullptr;
    return file && file->IsOpen() && !store_.ReadOnly;
}

void TRatingsPage::RatingsRefreshExecute() {
    TStakeFile* file = StakeFile ? StakeFile() : nullptr;
    if (!file) return;
    EnsureLoaded();
    if (!store_.Ratings.empty() && !AskConfirmation(&Window(), MessageText(tr(kRatingsRefreshQuestion)))) return;
    RefreshFromStakes(*file);
}

bool TRatingsPage::RatingsExportUpdate() const { return !store_.Ratings.empty(); }

void TRatingsPage::RatingsExportExecute() {
    const QString filter = tr(kRatingsCsvFilter);
    const QString path = Window().AskFileName(true, Command("RatingsExport")->text(), filter.left(filter.indexOf('|')),
                                              Q(kRatingsCsvExt));
    if (path.isEmpty()) return;
    ChangeRatings(tr("Экспорт в CSV-файл..."), [&] { ExportRatingsCsv(S(path), store_.Ratings); });
}

bool TRatingsPage::RatingsXlsExportUpdate() const { return !store_.Ratings.empty(); }

void TRatingsPage::RatingsXlsExportExecute() {
    const QString title = tr("Рейтинг");
    ExportTableToXlsx(Window(), title, RatingsXlsTable(store_.Ratings, model_->Mode(), S(title)));
}

bool TRatingsPage::RatingsToScriptUpdate() const { return lvRatings->selectionModel()->hasSelection(); }

void TRatingsPage::RatingsToScriptExecute() {
    const std::vector<std::string> captions = SelectedCaptions();
    std::vector<QString> errors;
    int added = 0;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Генерация новых строк в сценарии...")));
        for (const std::string& caption : captions) {
            const auto line = RatingScriptLine(caption, Window().StatList());
            if (!line) {
                errors.push_back(Q(RatingRefusedMessage(caption)));
                continue;
            }
            const std::string error = AddScriptLine ? AddScriptLine(*line) : S(tr("Сценарий недоступен"));
            if (error.empty()) ++added;
            else errors.push_back(Q(error));
        }
    }
    if (added > 0 && ShowScriptPage) ShowScriptPage();
    for (const QString& e : errors) ShowError(&Window(), MessageText(e));
}

bool TRatingsPage::RatingsGraphOverlapUpdate() const { return lvRatings->selectionModel()->hasSelection(); }

void TRatingsPage::RatingsGraphOverlapExecute() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    TFormGraph dlg(&Window());
    dlg.setWindowTitle(Command("RatingsGraphOverlap")->statusTip());
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Создание графиков...")));
        uint32_t most = 0;
        for (int row : rows) most = std::max(most, store_.Ratings[size_t(row)].Stakes);
        const TChanceTable& chance = ChanceTable();
        const QString normal = tr("Нормальные значения");
        for (int i = 0; i < kRatingMatchKinds; ++i)
            dlg.AddGraphPoint(i, normal, double(chance.N[size_t(i)]) * most / chance.Total, true, false, kGrey);
        for (int row : rows) {
            const TRatingRecord& r = store_.Ratings[size_t(row)];
            for (int i = 0; i < kRatingMatchKinds; ++i)
                dlg.AddGraphPoint(i, Q(r.Comment), r.ByMatches[size_t(i)], true, false, 0);
        }
    }
    dlg.exec();
}

bool TRatingsPage::RatingsEffModeUpdate() const { return true; }
bool TRatingsPage::RatingsEffMode0Checked() const { return model_->Mode() == remExpected; }
bool TRatingsPage::RatingsEffMode1Checked() const { return model_->Mode() == remAbsolute; }
bool TRatingsPage::RatingsEffMode2Checked() const { return model_->Mode() == remRelative; }
void TRatingsPage::RatingsEffMode0Execute() { SetEffMode(remExpected); }
void TRatingsPage::RatingsEffMode1Execute() { SetEffMode(remAbsolute); }
void TRatingsPage::RatingsEffMode2Execute() { SetEffMode(remRelative); }

void TRatingsPage::SetEffMode(int mode) {
    model_->SetMode(mode);
    // Written at once, as the window's switches are.
    Window().Settings().WriteInteger(section_, "RatingsEffMode", mode);
    Window().Settings().Save();
}

} // namespace velmora
