#include "gui/scripts/script_library.h"

#include "core/app/languages.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/tool_panel.h"
#include "gui/app/wait_window.h"
#include "gui/scripts/form_scr_public.h"
#include "gui/scripts/form_scr_rates.h"
#include "gui/scripts/script_page.h"
#include "gui/systems/systems_page.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

// ---- the model ----------------------------------------------------------------------------------

int TScriptLibraryModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int TScriptLibraryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colCount; }

namespace {

// The mark of a public script (an open sheet) or a private one (a padlock).
QIcon ScopeIcon(bool isPublic) {
    static QIcon icons[2];
    QIcon& icon = icons[isPublic ? 1 : 0];
    if (icon.isNull()) {
        QPixmap pm(16, 16);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        if (isPublic) {
            p.setPen(QPen(QColor(0, 130, 60), 1.5));
            p.setBrush(QColor(200, 240, 210));
            p.drawEllipse(QRectF(2, 2, 12, 12));
            p.drawLine(QPointF(2, 8), QPointF(14, 8));
            p.drawEllipse(QRectF(5.5, 2, 5, 12));
        } else {
            p.setPen(QPen(QColor(150, 90, 0), 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(4.5, 1.5, 7, 8), 0, 180 * 16);
            p.setBrush(QColor(230, 170, 40));
            p.drawRoundedRect(QRectF(3, 6.5, 10, 8), 1.5, 1.5);
        }
        icon = QIcon(pm);
    }
    return icon;
}

// Compares two rows by a column: numbers and times by value, texts as texts.
int CompareScripts(const tScriptInfo& a, const tScriptInfo& b, int column) {
    auto cmp = [](auto x, auto y) { return x < y ? -1 : y < x ? 1 : 0; };
    switch (column) {
        case TScriptLibraryModel::colCreated: return cmp(a.Created, b.Created);
        case TScriptLibraryModel::colRating: return cmp(a.RatingAvg, b.RatingAvg);
        case TScriptLibraryModel::colRatings: return cmp(a.RatingCount, b.RatingCount);
        case TScriptLibraryModel::colMine: return cmp(a.MyRating, b.MyRating);
        case TScriptLibraryModel::colDownloads: return cmp(a.Downloads, b.Downloads);
        case TScriptLibraryModel::colLast: return cmp(a.LastDownload, b.LastDownload);
        default: {
            const std::vector<std::string> x = ScriptRowCells(a), y = ScriptRowCells(b);
            return Q(x[size_t(column)]).localeAwareCompare(Q(y[size_t(column)]));
        }
    }
}

} // namespace

QVariant TScriptLibraryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size())) return {};
    const tScriptInfo& r = rows_[size_t(index.row())];
    if (role == Qt::DisplayRole) return Q(ScriptRowCells(r)[size_t(index.column())]);
    if (role == Qt::DecorationRole && index.column() == colType) return ScopeIcon(r.Public);
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
            case colVer: case colLang: case colCreated: case colDownloads: case colLast:
                return int(Qt::AlignCenter);
            case colRating: case colRatings: case colMine: return int(Qt::AlignRight | Qt::AlignVCenter);
            default: return {};
        }
    }
    if (role == Qt::ToolTipRole && (index.column() == colDescr || index.column() == colTitle))
        return Q(index.column() == colDescr ? r.Descr : r.Title);
    return {};
}

QVariant TScriptLibraryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= colCount) return {};
    if (role == Qt::DisplayRole) return Q(TrText(ScriptColumnCaptions()[size_t(section)]));
    return {};
}

void TScriptLibraryModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= colCount) return;
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutAboutToBeChanged();
    Resort();
    emit layoutChanged();
}

void TScriptLibraryModel::Resort() {
    std::stable_sort(rows_.begin(), rows_.end(), [this](const tScriptInfo& a, const tScriptInfo& b) {
        const int c = CompareScripts(a, b, sortColumn_);
        return sortOrder_ == Qt::AscendingOrder ? c < 0 : c > 0;
    });
}

void TScriptLibraryModel::SetRows(std::vector<tScriptInfo> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    Resort();
    endResetModel();
}

int TScriptLibraryModel::PutRow(int row, const tScriptInfo& info) {
    const int32_t id = info.Id;
    beginResetModel();
    rows_[size_t(row)] = info;
    Resort();
    endResetModel();
    return FindId(id);
}

int TScriptLibraryModel::AddRow(const tScriptInfo& info) {
    beginResetModel();
    rows_.push_back(info);
    Resort();
    endResetModel();
    return FindId(info.Id);
}

void TScriptLibraryModel::RemoveRow(int row) {
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

int TScriptLibraryModel::FindId(int32_t id) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Id == id) return int(i);
    return -1;
}

// ---- the panel ----------------------------------------------------------------------------------

namespace {

constexpr const char* kListName = "lvOnlineScripts";
const int kColumnWidths[TScriptLibraryModel::colCount] = {60, 250, 150, 100, 75, 50, 130, 70, 60, 90, 70, 130, 250};

// The window's progress and the wait window's "Стоп".
class TWaitProgress : public TProgressSink {
public:
    TWaitProgress(TTemplateMain& w, TWaitWindow& wait) : w_(w), wait_(wait) {}
    void Status(const std::string& text) override { w_.Progress().Status(text); }
    bool StopRequested() override { return w_.Progress().StopRequested() || wait_.StopRequested(); }

private:
    TTemplateMain& w_;
    TWaitWindow& wait_;
};

} // namespace

TScriptLibrary::TScriptLibrary(TTemplateMain& window, TScriptPage& page)
    : TMainPage(window, "pnOnlineScripts"), page_(page) {
    pnLibrary = this;
    AddCommand("ScriptLibrary", tr("Online каталог сценариев"), QKeySequence(Qt::CTRL | Qt::Key_L),
               tr("Показать или скрыть online каталог сценариев"), &TScriptLibrary::ScriptLibraryUpdate,
               &TScriptLibrary::ScriptLibraryExecute, &TScriptLibrary::ScriptLibraryChecked);
    AddCommand("ScriptLibraryRefresh", tr("Обновить"), {}, tr("Обновить список сценариев"),
               &TScriptLibrary::ScriptLibraryRefreshUpdate, &TScriptLibrary::ScriptLibraryRefreshExecute);
    AddCommand("ScriptLibraryDownload", tr("Скачать из каталога"), {},
               tr("Заменить текущий сценарий выбранным сценарием из каталога"),
               &TScriptLibrary::ScriptLibraryDownloadUpdate, &TScriptLibrary::ScriptLibraryDownloadExecute);
    AddCommand("ScriptLibraryUpload", tr("Опубликовать"), {}, tr("Опубликовать текущий сценарий в каталоге"),
               &TScriptLibrary::ScriptLibraryUploadUpdate, &TScriptLibrary::ScriptLibraryUploadExecute);
    AddCommand("ScriptLibraryReplace", tr("Изменить"), {},
               tr("Заменить опубликованный сценарий текущим сценарием"), &TScriptLibrary::ScriptLibraryReplaceUpdate,
               &TScriptLibrary::ScriptLibraryReplaceExecute);
    AddCommand("ScriptLibraryDelete", tr("Удалить"), {}, tr("Удалить свой сценарий из каталога"),
               &TScriptLibrary::ScriptLibraryDeleteUpdate, &TScriptLibrary::ScriptLibraryDeleteExecute);
    AddCommand("ScriptLibraryView", tr("Свойства сценария"), {}, tr("Просмотр свойств сценария"),
               &TScriptLibrary::ScriptLibraryViewUpdate, &TScriptLibrary::ScriptLibraryViewExecute);
    AddCommand("ScriptLibraryRates", tr("Просмотр оценок"), {}, tr("Оценки сценария другими пользователями"),
               &TScriptLibrary::ScriptLibraryRatesUpdate, &TScriptLibrary::ScriptLibraryRatesExecute);
    AddCommand("ScriptLibraryRate0", tr("Удалить оценку"), {}, tr("Удалить свою оценку сценария"),
               &TScriptLibrary::ScriptLibraryRate0Update, &TScriptLibrary::ScriptLibraryRate0Execute);
    AddCommand("ScriptLibraryRate1", tr("[ 1 ] - Бесполезно"), {}, tr("Оценить сценарий"),
               &TScriptLibrary::ScriptLibraryRateUpdate, &TScriptLibrary::ScriptLibraryRate1Execute,
               &TScriptLibrary::ScriptLibraryRate1Checked);
    AddCommand("ScriptLibraryRate2", tr("[ 2 ] - Плохо"), {}, tr("Оценить сценарий"),
               &TScriptLibrary::ScriptLibraryRateUpdate, &TScriptLibrary::ScriptLibraryRate2Execute,
               &TScriptLibrary::ScriptLibraryRate2Checked);
    AddCommand("ScriptLibraryRate3", tr("[ 3 ] - Удовлетворительно"), {}, tr("Оценить сценарий"),
               &TScriptLibrary::ScriptLibraryRateUpdate, &TScriptLibrary::ScriptLibraryRate3Execute,
               &TScriptLibrary::ScriptLibraryRate3Checked);
    AddCommand("ScriptLibraryRate4", tr("[ 4 ] - Хорошо"), {}, tr("Оценить сценарий"),
               &TScriptLibrary::ScriptLibraryRateUpdate, &TScriptLibrary::ScriptLibraryRate4Execute,
               &TScriptLibrary::ScriptLibraryRate4Checked);
    AddCommand("ScriptLibraryRate5", tr("[ 5 ] - Отлично"), {}, tr("Оценить сценарий"),
               &TScriptLibrary::ScriptLibraryRateUpdate, &TScriptLibrary::ScriptLibraryRate5Execute,
               &TScriptLibrary::ScriptLibraryRate5Checked);
    AddCommand("ScriptLibraryHide", tr("Скрыть сценарий"), {}, tr("Скрыть сценарий из своего списка"),
               &TScriptLibrary::ScriptLibraryHideUpdate, &TScriptLibrary::ScriptLibraryHideExecute,
               &TScriptLibrary::ScriptLibraryHideChecked);

    auto* tools = new TToolPanel(this);
    tools->setObjectName("tbOnlineScripts");
    connect(tools->OverflowMenu(), &QMenu::aboutToShow, &window, &TTemplateMain::UpdateCommands);
    // The button is the short "Скачать"; menus keep the command's full caption.
    Command("ScriptLibraryDownload")->setIconText(tr("Скачать"));
    tools->AddButton(CommandButton(this, "btnScriptLibraryDownload", Command("ScriptLibraryDownload")));
    tools->AddButton(CommandButton(this, "btnScriptLibraryRefresh", Command("ScriptLibraryRefresh")));
    tools->AddSeparator();
    tools->AddButton(CommandButton(this, "btnScriptLibraryUpload", Command("ScriptLibraryUpload")));
    tools->AddButton(CommandButton(this, "btnScriptLibraryReplace", Command("ScriptLibraryReplace")));
    tools->AddButton(CommandButton(this, "btnScriptLibraryDelete", Command("ScriptLibraryDelete")));
    tools->AddSeparator();
    tools->AddButton(CommandButton(this, "btnScriptLibraryView", Command("ScriptLibraryView")));
    tools->AddButton(CommandButton(this, "btnScriptLibraryRates", Command("ScriptLibraryRates")));

    cbOnlineScriptsFilter = new QComboBox(this);
    cbOnlineScriptsFilter->setObjectName("cbOnlineScriptsFilter");
    cbOnlineScriptsFilter->setToolTip(tr("Фильтр сценариев"));
    for (const char* caption : ScriptFilterCaptions()) cbOnlineScriptsFilter->addItem(Q(TrText(caption)));
    cbOnlineScriptsFilter->setCurrentIndex(kScriptFilterDefault + 1);
    cbOnlineScriptsFilter->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(cbOnlineScriptsFilter, &QComboBox::activated, this, [this, &window](int index) {
        if (!section_.empty()) {
            window.Settings().WriteInteger(section_, "ScriptLibraryFilter", index);
            window.Settings().Save();
        }
        RefreshLibrary();
    });

    model_ = new TScriptLibraryModel(this);
    lvOnlineScripts = new QTableView(this);
    lvOnlineScripts->setObjectName(kListName);
    lvOnlineScripts->setModel(model_);
    SetupListView(lvOnlineScripts);
    lvOnlineScripts->setSelectionMode(QAbstractItemView::SingleSelection);
    lvOnlineScripts->setIconSize(QSize(16, 16));
    lvOnlineScripts->setSortingEnabled(true);
    lvOnlineScripts->horizontalHeader()->setSortIndicator(TScriptLibraryModel::colRating, Qt::AscendingOrder);
    for (int c = 0; c < TScriptLibraryModel::colCount; ++c) lvOnlineScripts->setColumnWidth(c, kColumnWidths[c]);
    connect(lvOnlineScripts->selectionModel(), &QItemSelectionModel::selectionChanged, &window,
            &TTemplateMain::UpdateCommands);
    connect(lvOnlineScripts, &QTableView::doubleClicked, this, [this] { TriggerCommand("ScriptLibraryView"); });
    // The columns widen to their cells and captions (never narrower than they are), the comment aside.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        for (int c = 0; c < TScriptLibraryModel::colDescr; ++c) {
            const int width = lvOnlineScripts->columnWidth(c);
            lvOnlineScripts->resizeColumnToContents(c);
            if (lvOnlineScripts->columnWidth(c) < width) lvOnlineScripts->setColumnWidth(c, width);
        }
    });

    pmOnlineScripts = CreatePopupMenu("pmOnlineScripts", lvOnlineScripts,
                                      {"ScriptLibraryDownload", "ScriptLibraryRefresh", "", "ScriptLibraryUpload",
                                       "ScriptLibraryReplace", "ScriptLibraryDelete", "", "ScriptLibraryView",
                                       "ScriptLibraryRates", "", "ScriptLibraryRate1", "ScriptLibraryRate2",
                                       "ScriptLibraryRate3", "ScriptLibraryRate4", "ScriptLibraryRate5",
                                       "ScriptLibraryRate0", "", "ScriptLibraryHide"});
    pmOnlineScripts->setTitle(tr("Online каталог сценариев"));
    AddCommands(window.MainMenu(TMainMenu::Scripts), {"", "ScriptLibrary"});
    pmOnlineScripts->setDefaultAction(Command("ScriptLibraryView"));

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(tools, 1);
    top->addWidget(cbOnlineScriptsFilter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(lvOnlineScripts, 1);
}

void TScriptLibrary::ReadSettings(const std::string& section) {
    section_ = section;
    const TWindowSettings& settings = Window().Settings();
    shown_ = settings.ReadBool(section, "ScriptLibraryOn", true);
    const int filter = settings.ReadInteger(section, "ScriptLibraryFilter", kScriptFilterDefault + 1);
    if (filter >= 0 && filter < cbOnlineScriptsFilter->count()) cbOnlineScriptsFilter->setCurrentIndex(filter);
    ReadListColumns(settings, section, lvOnlineScripts);
    if (const auto sort = settings.ReadSortType(section, kListName))
        if (sort->Column >= 0 && sort->Column < TScriptLibraryModel::colCount)
            lvOnlineScripts->horizontalHeader()->setSortIndicator(
                sort->Column, sort->Direction ? Qt::DescendingOrder : Qt::AscendingOrder);
    setVisible(shown_);
    emit ShownChanged(shown_);
}

void TScriptLibrary::WriteSettings(const std::string& section) {
    WriteListColumns(Window().Settings(), section, lvOnlineScripts);
    Window().Settings().WriteSortType(
        section, kListName, TSortType{model_->SortColumn(), model_->SortOrder() == Qt::DescendingOrder ? 1 : 0});
}

void TScriptLibrary::InitializePage() {
    const TStartMode& mode = TTemplateMain::StartMode();
    if (!shown_ || mode.LoadOnly || mode.FullRecreate || mode.FullRefresh) return;
    // Without the user's name and e-mail the list waits for the first catalog command.
    if (CatalogUserComplete(ReadCatalogUser(Window().ProgramSettings().Ini()))) RefreshLibrary();
}

bool TScriptLibrary::MakeCatalog(TScriptCatalog& catalog) {
    // The systems page keeps the user's name and e-mail and asks for them when missing.
    auto* systems = Window().Page<TSystemsPage>();
    TSystemCatalog base;
    if (!systems || !systems->MakeCatalog(base, true)) return false;
    catalog.Site = base.Site;
    catalog.Options = base.Options;
    catalog.Client = base.Client;
    catalog.Client.Lcid = CurrentLanguage();
    return true;
}

int TScriptLibrary::SelectedRow() const {
    const QModelIndexList rows = lvOnlineScripts->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.front().row() >= model_->rowCount()) return -1;
    return rows.front().row();
}

void TScriptLibrary::SelectRow(int row) {
    lvOnlineScripts->clearSelection();
    if (row < 0 || row >= model_->rowCount()) return;
    const QModelIndex index = model_->index(row, 0);
    lvOnlineScripts->selectionModel()->setCurrentIndex(index,
                                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lvOnlineScripts->scrollTo(index);
}

bool TScriptLibrary::RunRequest(const std::string& status, const char* errorTemplate,
                                const std::function<void(TScriptCatalog&)>& request) {
    TScriptCatalog catalog;
    if (!MakeCatalog(catalog)) return false;
    QString error;
    {
        TBusy busy(&Window());
        TWaitWindow wait(&Window());
        wait.SetText(Q(status));
        TWaitProgress progress(Window(), wait);
        TStatusScope scope(progress, status);
        catalog.Options.Progress = &progress;
        try {
            request(catalog);
        } catch (const std::exception& e) {
            error = Q(Format(Tr(errorTemplate), {e.what()}));
        }
    }
    if (!error.isEmpty()) ShowError(&Window(), error);
    Window().UpdateCommands();
    return error.isEmpty();
}

void TScriptLibrary::RefreshLibrary() {
    const int selected = SelectedRow();
    const int32_t keep = selected >= 0 ? model_->Row(selected).Id : 0;
    if (!shown_) {
        model_->SetRows({});
        return;
    }
    const int fltid = cbOnlineScriptsFilter->currentIndex() + kScriptFilterMin;
    std::vector<tScriptInfo> rows;
    bool done = false;
    // The list is replaced only by a list read whole.
    const bool ok = RunRequest(S(tr("Загрузка online-каталога сценариев...")), kScriptListError,
                                     [&](TScriptCatalog& c) {
                                         rows = FetchScriptList(c, fltid);
                                         done = true;
                                     });
    if (!ok || !done) return;
    model_->SetRows(std::move(rows));
    if (keep != 0) SelectRow(model_->FindId(keep));
    Window().UpdateCommands();
}

bool TScriptLibrary::RunPublicDialog(tScriptData& data, bool editable) {
    TFormScrPublic dlg(&Window());
    dlg.SetData(data, editable);
    dlg.CheckTitle = [this](int32_t id, const std::string& title) {
        bool free = false;
        std::string failure;
        {
            TScriptCatalog catalog;
            if (!MakeCatalog(catalog)) throw Error(S(tr("Не указаны имя и адрес электронной почты пользователя")));
            TBusy busy(&Window());
            TWaitWindow wait(&Window());
            const std::string status = S(tr("Проверка названия сценария..."));
            wait.SetText(Q(status));
            TWaitProgress progress(Window(), wait);
            TStatusScope scope(progress, status);
            catalog.Options.Progress = &progress;
            try {
                free = ScriptTitleFree(catalog, id, title);
            } catch (const std::exception& e) {
                failure = e.what();
            }
        }
        if (!failure.empty()) throw Error(failure);
        return free;
    };
    if (BeforePublicDialog) BeforePublicDialog(dlg);
    if (dlg.exec() != QDialog::Accepted) return false;
    data = dlg.Data();
    return true;
}

void TScriptLibrary::Save(int row) {
    TScriptCatalog probe;
    if (!MakeCatalog(probe)) return;
    const bool isNew = row < 0;
    tScriptData data = isNew ? NewScriptData(probe.Client) : ScriptDataOf(model_->Row(row));
    const int32_t rowId = isNew ? 0 : model_->Row(row).Id;
    if (!RunPublicDialog(data, true)) return;
    const std::vector<std::string> lines = page_.Script().Lines();
    int32_t id = -1;
    TCatalogClient client;
    const bool ok = RunRequest(S(tr("Сохранение сценария в базе данных...")), kScriptPublishError,
                                     [&](TScriptCatalog& c) {
                                         client = c.Client;
                                         id = PutScript(c, data, lines, false);
                                     });
    if (!ok || id <= 0) return;
    // The row may have moved while the dialog and the request ran: it is found again by its id.
    const int current = isNew ? -1 : model_->FindId(rowId);
    const tScriptInfo info = PublishedScriptInfo(data, id, client, current >= 0 ? &model_->Row(current) : nullptr);
    SelectRow(current >= 0 ? model_->PutRow(current, info) : model_->AddRow(info));
    Window().UpdateCommands();
}

void TScriptLibrary::SendRating(int value, const std::string& notes) {
    const int row = SelectedRow();
    if (row < 0) return;
    const int32_t id = model_->Row(row).Id;
    const bool ok = RunRequest(S(tr("Отправка оценки на сервер...")), kScriptRateError,
                                     [&](TScriptCatalog& c) { SetScriptRating(c, id, value, notes); });
    if (ok) RefreshLibrary();
}

void TScriptLibrary::Rate(int value) {
    if (SelectedRow() < 0) return;
    std::optional<QString> comment;
    if (AskRateComment) {
        comment = AskRateComment();
    } else {
        bool ok = false;
        const QString text = QInputDialog::getText(&Window(), tr("Комментарий"), tr("Вы можете оставить свой комментарий:"),
                                                   QLineEdit::Normal, QString(), &ok);
        if (ok) comment = text;
    }
    if (!comment) return;
    SendRating(value, S(*comment));
}

// ---- commands -----------------------------------------------------------------------------------

bool TScriptLibrary::Ready() const { return !page_.ScriptRunning(); }
int TScriptLibrary::MyRating() const {
    const int row = SelectedRow();
    return row >= 0 ? model_->Row(row).MyRating : 0;
}

bool TScriptLibrary::ScriptLibraryUpdate() const { return Ready(); }
bool TScriptLibrary::ScriptLibraryChecked() const { return shown_; }

void TScriptLibrary::ScriptLibraryExecute() {
    shown_ = !shown_;
    setVisible(shown_);
    Window().WriteSwitch("ScriptLibraryOn", shown_);
    emit ShownChanged(shown_);
    RefreshLibrary();
    if (shown_) Window().pcMain->setCurrentWidget(&page_);
    Window().UpdateCommands();
}

bool TScriptLibrary::ScriptLibraryRefreshUpdate() const { return Ready() && shown_; }
void TScriptLibrary::ScriptLibraryRefreshExecute() { RefreshLibrary(); }

bool TScriptLibrary::ScriptLibraryDownloadUpdate() const {
    const int row = SelectedRow();
    return Ready() && shown_ && row >= 0 && model_->Row(row).Compatible;
}

void TScriptLibrary::ScriptLibraryDownloadExecute() {
    const int row = SelectedRow();
    if (row < 0 || !model_->Row(row).Compatible) return;
    const int32_t id = model_->Row(row).Id;
    // The lines are read whole first: a failed download leaves the script as it was.
    std::vector<std::string> lines;
    const bool ok = RunRequest(S(tr("Скачивание сценария из online-каталога...")), kScriptLoadError,
                                     [&](TScriptCatalog& c) {
                                         lines = FetchScriptLines(c, id);
                                         if (lines.empty())
                                             throw Error(Format(Tr("Сценарий #%d не содержит ни одной строки"), {id}));
                                     });
    if (!ok || lines.empty()) return;
    QString failure;
    try {
        page_.Script().SetScriptLines(std::move(lines));
    } catch (const std::exception& e) {
        failure = Q(Format(Tr(kScriptLoadError), {e.what()}));
    }
    page_.RefreshScriptView();
    if (!failure.isEmpty()) ShowError(&Window(), failure);
    Window().UpdateCommands();
}

bool TScriptLibrary::ScriptLibraryUploadUpdate() const {
    return Ready() && shown_ && page_.Script().ScriptLineCount() > 0;
}
void TScriptLibrary::ScriptLibraryUploadExecute() {
    if (page_.Script().ScriptLineCount() > 0) Save(-1);
}

bool TScriptLibrary::ScriptLibraryReplaceUpdate() const {
    const int row = SelectedRow();
    return Ready() && shown_ && row >= 0 && model_->Row(row).Editable && page_.Script().ScriptLineCount() > 0;
}
void TScriptLibrary::ScriptLibraryReplaceExecute() {
    const int row = SelectedRow();
    if (row >= 0 && model_->Row(row).Editable && page_.Script().ScriptLineCount() > 0) Save(row);
}

bool TScriptLibrary::ScriptLibraryDeleteUpdate() const {
    const int row = SelectedRow();
    return Ready() && shown_ && row >= 0 && model_->Row(row).Editable;
}

void TScriptLibrary::ScriptLibraryDeleteExecute() {
    const int row = SelectedRow();
    if (row < 0 || !model_->Row(row).Editable) return;
    const tScriptData data = ScriptDataOf(model_->Row(row));
    if (!AskConfirmation(&Window(), Q(Format(S(tr("Вы действительно хотите удалить сценарий \"%s\"?")), {data.Title}))))
        return;
    int32_t result = -1;
    const bool ok = RunRequest(S(tr("Удаление сценария из базы данных...")), kScriptDeleteError,
                                     [&](TScriptCatalog& c) { result = PutScript(c, data, {}, true); });
    if (!ok) return;
    if (result != 0) {
        ShowError(&Window(), Q(Format(Tr(kScriptPublishError), {Format(Tr("Код возврата: %d"), {result})})));
        return;
    }
    const int current = model_->FindId(data.Id);
    if (current >= 0) model_->RemoveRow(current);
    Window().UpdateCommands();
}

bool TScriptLibrary::ScriptLibraryViewUpdate() const { return Ready() && shown_ && SelectedRow() >= 0; }

void TScriptLibrary::ScriptLibraryViewExecute() {
    const int row = SelectedRow();
    if (row < 0) return;
    tScriptData data = ScriptDataOf(model_->Row(row));
    RunPublicDialog(data, false);
}

bool TScriptLibrary::ScriptLibraryRatesUpdate() const { return ScriptLibraryViewUpdate(); }

void TScriptLibrary::ScriptLibraryRatesExecute() {
    const int row = SelectedRow();
    if (row < 0) return;
    const int32_t id = model_->Row(row).Id;
    std::vector<tScriptRate> rates;
    bool done = false;
    const bool ok = RunRequest(S(tr("Загрузка списка оценок...")), kScriptRatesError, [&](TScriptCatalog& c) {
        rates = FetchScriptRates(c, id);
        done = true;
    });
    if (!ok || !done) return;
    TFormScrRates dlg(&Window(), rates);
    if (BeforeRatesDialog) BeforeRatesDialog(dlg);
    dlg.exec();
}

bool TScriptLibrary::ScriptLibraryRate0Update() const { return Ready() && shown_ && SelectedRow() >= 0 && MyRating() != 0; }
void TScriptLibrary::ScriptLibraryRate0Execute() { SendRating(0, std::string()); }
bool TScriptLibrary::ScriptLibraryRateUpdate() const { return Ready() && shown_ && SelectedRow() >= 0; }
bool TScriptLibrary::ScriptLibraryHideUpdate() const { return ScriptLibraryRateUpdate(); }
void TScriptLibrary::ScriptLibraryHideExecute() { SendRating(-1, std::string()); }

} // namespace velmora
