#include "gui/systems/systems_page.h"

#include "core/net/catalog_client.h"
#include "core/net/web_settings.h"
#include "core/stakes/system_play.h"
#include "core/stakes/system_store.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "gui/app/dialog_buttons.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/tool_panel.h"
#include "gui/stakes/form_multi.h"
#include "gui/systems/form_system.h"
#include "gui/systems/systems_model.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {

constexpr const char* kListName = "lvSystems";
const int kColumnWidths[TSystemsModel::colCount] = {200, 120, 70, 55, 100, 150, 90, 80, 150, 250, 180};

} // namespace

TSystemsPage::TSystemsPage(TTemplateMain& window) : TMainPage(window, "tsSystems") {
    AddCommand("SystemsOn", tr("Системная игра"), {},
               tr("Включить или выключить список систем"), &TSystemsPage::SystemsOnUpdate,
               &TSystemsPage::SystemsOnExecute, &TSystemsPage::SystemsOnChecked);
    AddCommand("SystemsDownload", tr("Загрузить"), {}, tr("Загрузить выделенные системы"),
               &TSystemsPage::SystemsDownloadUpdate, &TSystemsPage::SystemsDownloadExecute);
    AddCommand("SystemsRefresh", tr("Обновить"), {}, tr("Перезагрузить список с сервера"),
               &TSystemsPage::SystemsRefreshUpdate, &TSystemsPage::SystemsRefreshExecute);
    AddCommand("SystemsAdd", tr("Добавить"), {}, tr("Добавить свою систему в список"), &TSystemsPage::SystemsAddUpdate,
               &TSystemsPage::SystemsAddExecute);
    AddCommand("SystemsProp", tr("Свойства"), {}, tr("Просмотр / редактирование свойств системы"),
               &TSystemsPage::SystemsPropUpdate, &TSystemsPage::SystemsPropExecute);
    AddCommand("SystemsDel", tr("Удалить"), {}, tr("Удалить свои системы из списка"), &TSystemsPage::SystemsDelUpdate,
               &TSystemsPage::SystemsDelExecute);
    // The captions of the two play commands begin with a Latin "C", as the product has them.
    AddCommand("SystemStakeAll", tr("Cистемная игра по списку системы"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_J),
               tr("Системная игра по всем комбинациям выбранной системы (даже если их нет в списке комбинаций)"),
               &TSystemsPage::SystemStakeAllUpdate, &TSystemsPage::SystemStakeAllExecute);
    AddCommand("SystemStakeFilter", tr("Cистемная игра по списку комбинаций"), QKeySequence(Qt::ALT | Qt::Key_J),
               tr("Системная игра только по комбинациям, которые есть и в системе и в списке комбинаций"),
               &TSystemsPage::SystemStakeFilterUpdate, &TSystemsPage::SystemStakeFilterExecute);

    auto* tools = new TToolPanel(this);
    tools->setObjectName("tbSystems");
    connect(tools->OverflowMenu(), &QMenu::aboutToShow, &window, &TTemplateMain::UpdateCommands);
    tools->AddButton(CommandButton(this, "btnSystemsDownload", Command("SystemsDownload")));
    tools->AddButton(CommandButton(this, "btnSystemsRefresh", Command("SystemsRefresh")));
    tools->AddSeparator();
    tools->AddButton(CommandButton(this, "btnSystemsAdd", Command("SystemsAdd")));
    tools->AddButton(CommandButton(this, "btnSystemsProp", Command("SystemsProp")));
    tools->AddButton(CommandButton(this, "btnSystemsDel", Command("SystemsDel")));

    model_ = new TSystemsModel(this);
    lvSystems = new QTableView(this);
    lvSystems->setObjectName(kListName);
    lvSystems->setModel(model_);
    SetupListView(lvSystems);
    lvSystems->setIconSize(QSize(16, 16));
    lvSystems->setSortingEnabled(true);
    lvSystems->horizontalHeader()->setSortIndicator(TSystemsModel::colNums, Qt::AscendingOrder);
    for (int c = 0; c < TSystemsModel::colCount; ++c) lvSystems->setColumnWidth(c, kColumnWidths[c]);
    connect(lvSystems->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);
    connect(lvSystems, &QTableView::doubleClicked, this, [this] { TriggerCommand("SystemsProp"); });

    pmSystems = CreatePopupMenu("pmSystems", lvSystems,
                                {"SystemsDownload", "SystemsRefresh", "", "SystemsAdd", "SystemsProp", "SystemsDel"});
    pmSystems->setDefaultAction(Command("SystemsProp"));

    // The menu "Системы" stands between "Рейтинг" and "Сценарий" in the menu bar.
    mnSystems = new QMenu(tr("Системы"), &window);
    mnSystems->setObjectName("mnSystems");
    QMenu* scripts = window.MainMenu(TMainMenu::Scripts);
    window.menuBar()->insertMenu(scripts->menuAction(), mnSystems);
    AddCommands(mnSystems, {"SystemsOn", "", "SystemsDownload", "SystemsRefresh", "", "SystemsAdd", "SystemsProp",
                            "SystemsDel"});
    // System play makes stakes: its two commands close the menu "Ставки".
    AddCommands(window.MainMenu(TMainMenu::Stakes), {"", "SystemStakeFilter", "SystemStakeAll"});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(tools);
    layout->addWidget(lvSystems, 1);
}

void TSystemsPage::ReadSettings(const std::string& section) {
    const TWindowSettings& settings = Window().Settings();
    shown_ = settings.ReadBool(section, "SystemsEnabled", true);
    lcid_ = TTemplateMain::StartMode().NoLanguage ? 1049 : settings.ReadInteger(section, "Language", 1033);
    ReadListColumns(settings, section, lvSystems);
    if (const auto sort = settings.ReadSortType(section, kListName))
        if (sort->Column >= 0 && sort->Column < TSystemsModel::colCount)
            lvSystems->horizontalHeader()->setSortIndicator(sort->Column,
                                                            sort->Direction ? Qt::DescendingOrder : Qt::AscendingOrder);
    ShowTab(shown_);
}

void TSystemsPage::WriteSettings(const std::string& section) {
    WriteListColumns(Window().Settings(), section, lvSystems);
    Window().Settings().WriteSortType(
        section, kListName, TSortType{model_->SortColumn(), model_->SortOrder() == Qt::DescendingOrder ? 1 : 0});
}

void TSystemsPage::InitializePage() {
    ShowTab(shown_);
    const TStartMode& mode = TTemplateMain::StartMode();
    if (!shown_ || mode.LoadOnly || mode.FullRecreate || mode.FullRefresh) return;
    // The catalog requests carry the user's name and e-mail: without them the list waits for the
    // first catalog command, which asks for them.
    TSystemCatalog catalog;
    if (MakeCatalog(catalog, false)) RefreshSystems();
}

void TSystemsPage::ShowTab(bool shown) {
    shown_ = shown;
    QTabWidget* tabs = Window().pcMain;
    const int index = tabs->indexOf(this);
    if (index >= 0) tabs->setTabVisible(index, shown);
    Command("SystemStakeAll")->setVisible(shown);
    Command("SystemStakeFilter")->setVisible(shown);
}

// ---- the catalog --------------------------------------------------------------------------------

bool TSystemsPage::AskUser() {
    QDialog dlg(&Window());
    dlg.setObjectName("TFormUser");
    dlg.setWindowTitle(tr("Пользователь"));
    const TCatalogUser current = ReadCatalogUser(Window().ProgramSettings().Ini());
    auto* name = new QLineEdit(Q(current.Name), &dlg);
    name->setObjectName("edUserName");
    name->setMaxLength(64);
    auto* mail = new QLineEdit(Q(current.Mail), &dlg);
    mail->setObjectName("edUserMail");
    mail->setMaxLength(128);
    // The explanation above the fields; the fields take the width beside their short captions.
    auto* text = new QLabel(tr("Для работы с каталогом систем укажите Ваше имя и адрес электронной почты.\r"
                               "По адресу сервер узнаёт Ваши системы.").replace('\r', '\n'),
                            &dlg);
    text->setWordWrap(true);
    name->setMinimumWidth(name->fontMetrics().averageCharWidth() * 40);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("Имя:"), name);
    form->addRow(tr("E-mail:"), mail);
    auto* buttons = new QDialogButtonBox(&dlg);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(text);
    layout->addLayout(form);
    layout->addWidget(buttons);
    KeepTitleWhole(&dlg);
    TCatalogUser user;
    connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, &dlg, [&] {
        user = {S(name->text()), S(mail->text())};
        try {
            CheckCatalogUser(user);
        } catch (const std::exception& e) {
            ShowError(&dlg, tr(e.what()));
            (Trim(user.Name).empty() ? name : mail)->setFocus();
            return;
        }
        dlg.accept();
    });
    (current.Name.empty() ? name : mail)->setFocus();
    if (dlg.exec() != QDialog::Accepted) return false;
    // The settings file is written as a whole and read back, so the settings held in memory follow.
    TConfigFile& config = Window().ProgramSettings();
    try {
        TIniFile ini(config.FileName());
        WriteCatalogUser(ini, user);
        ini.Save();
        config.Load();
    } catch (const std::exception& e) {
        ShowError(&Window(), Q(Format(S(tr("Ошибка записи в файл конфигурации!\r\r%s")), {e.what()})));
        return false;
    }
    return true;
}

bool TSystemsPage::MakeCatalog(TSystemCatalog& catalog, bool ask) {
    TCatalogUser user = ReadCatalogUser(Window().ProgramSettings().Ini());
    if (!CatalogUserComplete(user)) {
        if (!ask || !AskUser()) return false;
        user = ReadCatalogUser(Window().ProgramSettings().Ini());
    }
    const TWebSettings web = LoadWebSettings(Window().ProgramSettings().Ini());
    catalog.Site = web.CatalogSite;
    catalog.Options = WebOptionsFor(web);
    catalog.Options.Progress = &Window().Progress();
    catalog.Client = MakeCatalogClient(user, lcid_);
    model_->SetUserMail(user.Mail);
    return true;
}

std::vector<int> TSystemsPage::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& i : lvSystems->selectionModel()->selectedRows())
        if (i.row() < model_->rowCount() && model_->Rows()[size_t(i.row())].Info.Id != kSystemPlaceholderId)
            rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int TSystemsPage::SelectedRow() const {
    const QModelIndex current = lvSystems->currentIndex();
    const std::vector<int> rows = SelectedRows();
    if (current.isValid() && std::find(rows.begin(), rows.end(), current.row()) != rows.end()) return current.row();
    return rows.empty() ? -1 : rows.front();
}

void TSystemsPage::SelectRow(int row) {
    lvSystems->clearSelection();
    if (row < 0 || row >= model_->rowCount()) return;
    const QModelIndex index = model_->index(row, 0);
    lvSystems->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lvSystems->scrollTo(index);
}

void TSystemsPage::RefreshSystems() {
    TSystemCatalog catalog;
    if (!MakeCatalog(catalog, true)) return;
    const int selected = SelectedRow();
    const int32_t keep = selected >= 0 ? model_->Rows()[size_t(selected)].Info.Id : 0;
    QString error;
    std::vector<std::string> downloadErrors;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Загрузка списка систем...")));
        // The list is replaced only by a list read whole: a failed request leaves it as it was.
        try {
            model_->SetRows(LoadSystemList(catalog, SystemsDir(), downloadErrors));
        } catch (const std::exception& e) {
            error = Q(Format(S(tr(kSystemListError)), {e.what()}));
        }
    }
    for (const std::string& e : downloadErrors) ShowError(&Window(), Q(e));
    if (!error.isEmpty()) ShowError(&Window(), error);
    if (keep != 0) SelectRow(model_->FindId(keep));
    Window().UpdateCommands();
}

std::string TSystemsPage::FetchCombinationsShown(const TSystemCatalog& catalog, const tSystemInfo& info) {
    QString error;
    std::string text;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), Format(S(tr("Загрузка \"%s\"...")), {info.Title}));
        try {
            text = FetchSystemCombinations(catalog, info);
        } catch (const std::exception& e) {
            error = Q(Format(S(tr(kSystemLoadError)), {info.Id, e.what()}));
        }
    }
    if (!error.isEmpty()) ShowError(&Window(), error);
    return text;
}

int32_t TSystemsPage::PutSystemShown(const TSystemCatalog& catalog, const tSystemData& data, bool deleteMode) {
    QString error;
    int32_t id = -1;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), Format(S(deleteMode ? tr("Удаление \"%s\"...") : tr("Сохранение \"%s\"...")),
                                                        {data.Title}));
        try {
            id = PutSystem(catalog, data, deleteMode);
        } catch (const std::exception& e) {
            error = Q(Format(S(tr(kSystemSaveError)), {data.Id, e.what()}));
        }
    }
    if (!error.isEmpty()) ShowError(&Window(), error);
    return id;
}

bool TSystemsPage::RunSystemDialog(tSystemData& data, bool editable) {
    TFormSystem dlg(&Window(), &Window());
    dlg.SetData(data, editable);
    if (BeforeSystemDialog) BeforeSystemDialog(dlg);
    if (dlg.exec() != QDialog::Accepted) return false;
    data = dlg.Data();
    return true;
}

// ---- commands -----------------------------------------------------------------------------------

bool TSystemsPage::SystemsOnUpdate() const { return true; }
bool TSystemsPage::SystemsOnChecked() const { return shown_; }

void TSystemsPage::SystemsOnExecute() {
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Подождите пожалуйста...")));
        ShowTab(!shown_);
        Window().WriteSwitch("SystemsEnabled", shown_);
        if (!shown_) model_->Clear();
    }
    if (shown_) {
        RefreshSystems();
        Window().pcMain->setCurrentWidget(this);
    }
    Window().UpdateCommands();
}

bool TSystemsPage::SystemsRefreshUpdate() const { return shown_; }
void TSystemsPage::SystemsRefreshExecute() { RefreshSystems(); }

bool TSystemsPage::SystemsDownloadUpdate() const { return shown_ && !SelectedRows().empty(); }

void TSystemsPage::SystemsDownloadExecute() {
    TSystemCatalog catalog;
    if (!MakeCatalog(catalog, true)) return;
    const std::vector<int> rows = SelectedRows();
    const int current = lvSystems->currentIndex().row();
    std::vector<QString> errors;
    {
        TBusy busy(&Window());
        for (int row : rows) {
            TSystemRow& r = model_->Row(row);
            TStatusScope status(Window().Progress(), Format(S(tr("Загрузка \"%s\"...")), {r.Info.Title}));
            try {
                const std::vector<std::string> gone = DownloadSystemKeepingOne(catalog, SystemsDir(), r.Info);
                // The other systems for the same count are no longer downloaded.
                for (int i = 0; i < model_->rowCount(); ++i) {
                    TSystemRow& other = model_->Row(i);
                    if (i != row && other.Info.Nums == r.Info.Nums && other.Downloaded &&
                        !SystemDownloaded(SystemsDir(), other.Info)) {
                        other.Downloaded = false;
                        model_->RowChanged(i);
                    }
                }
                r.Downloaded = true;
                model_->RowChanged(row);
                if (row != current)
                    lvSystems->selectionModel()->select(model_->index(row, 0),
                                                        QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
            } catch (const std::exception& e) {
                errors.push_back(Q(Format(S(tr(kSystemLoadError)), {r.Info.Id, e.what()})));
            }
        }
    }
    for (const QString& e : errors) ShowError(&Window(), e);
    Window().UpdateCommands();
}

bool TSystemsPage::SystemsAddUpdate() const { return shown_; }

void TSystemsPage::SystemsAddExecute() {
    TSystemCatalog catalog;
    if (!MakeCatalog(catalog, true)) return;
    tSystemData data;
    data.Author = catalog.Client.Name;
    data.OwnerMail = catalog.Client.Mail;
    if (!RunSystemDialog(data, true)) return;
    const int32_t id = PutSystemShown(catalog, data, false);
    if (id < 0) return;
    data.Id = id;
    // A list that was not available holds only its placeholder row, which the new system replaces.
    if (model_->rowCount() == 1 && model_->Rows()[0].Info.Id == kSystemPlaceholderId) model_->Remove(0);
    model_->Append({data, false});
    SelectRow(model_->rowCount() - 1);
    Window().UpdateCommands();
}

bool TSystemsPage::SystemsPropUpdate() const { return shown_ && SelectedRow() >= 0; }

void TSystemsPage::SystemsPropExecute() {
    const int row = SelectedRow();
    if (row < 0) return;
    TSystemCatalog catalog;
    if (!MakeCatalog(catalog, true)) return;
    tSystemData data;
    static_cast<tSystemInfo&>(data) = model_->Row(row).Info;
    data.CList = Join(SplitLines(FetchCombinationsShown(catalog, data)), "\n");
    const bool own = model_->IsOwn(row);
    if (!RunSystemDialog(data, own) || !own) return;
    const int32_t id = PutSystemShown(catalog, data, false);
    if (id < 0) return;
    // The row may have moved while the dialog was open? The model is not changed meanwhile.
    TSystemRow& r = model_->Row(row);
    data.Id = id;
    r.Info = data;
    r.Downloaded = SystemDownloaded(SystemsDir(), r.Info);
    model_->RowChanged(row);
}

bool TSystemsPage::SystemsDelUpdate() const {
    const int row = SelectedRow();
    return shown_ && row >= 0 && model_->IsOwn(row);
}

void TSystemsPage::SystemsDelExecute() {
    const int row = SelectedRow();
    if (row < 0) return;
    if (!model_->IsOwn(row)) {
        ShowError(&Window(), tr("Вы можете удалять только свои системы!"));
        return;
    }
    TSystemCatalog catalog;
    if (!MakeCatalog(catalog, true)) return;
    tSystemData data;
    static_cast<tSystemInfo&>(data) = model_->Row(row).Info;
    if (!AskConfirmation(&Window(), Q(Format(S(tr("Вы действительно хотите удалить систему \"%s\"?")), {data.Title}))))
        return;
    if (PutSystemShown(catalog, data, true) != 0) return;
    model_->Remove(row);
    try {
        DeleteSystemFile(SystemsDir(), data);
    } catch (const std::exception& e) {
        ShowError(&Window(), Q(Format(S(tr(kSystemDeleteError)), {e.what()})));
    }
    Window().UpdateCommands();
}

bool TSystemsPage::SystemStakeAllUpdate() const {
    return shown_ && !Window().Combs().Empty() && StakesWritable && StakesWritable();
}
void TSystemsPage::SystemStakeAllExecute() { PlaySystem(false); }
bool TSystemsPage::SystemStakeFilterUpdate() const { return SystemStakeAllUpdate(); }
void TSystemsPage::SystemStakeFilterExecute() { PlaySystem(true); }

void TSystemsPage::PlaySystem(bool filter) {
    const TCombSet& combs = Window().Combs();
    TByteArray numbers;
    TCombsArray system;
    std::string text, box;
    bool loaded = false;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Подождите пожалуйста...")));
        DistinctNumbers(combs.Data(), combs.Count(), numbers);
        loaded = LoadSystemForNumbers(SystemsDir(), numbers, system, text, &box);
    }
    if (!loaded) {
        ShowError(&Window(), Q(box));
        return;
    }
    TFormMulti dlg(&Window());
    const TDrawsArchive& draws = Window().Draws();
    dlg.SetValues(draws.NextDrawNumber(draws.Offset()), 1, SystemPlayComment(int(numbers.size()), text, filter));
    if (dlg.exec() != QDialog::Accepted) return;
    bool ok = true;
    int made = 0;
    {
        TBusy busy(&Window());
        TStatusScope status(Window().Progress(), S(tr("Создание ставок...")));
        const std::vector<TStakeRecord> records = SystemStakeRecords(
            system, combs.Data(), combs.Count(), filter, dlg.DrawNumber(), dlg.Comment(), Window().StatList().Config);
        if (!records.empty() && AppendSeparator) {
            try {
                AppendSeparator();
            } catch (const std::exception& e) {
                ShowError(&Window(), Q(e.what()));
                ok = false;
            }
        }
        for (size_t i = 0; ok && i < records.size(); ++i) {
            ok = AddStakeBulk && AddStakeBulk(records[i], dlg.DrawsCount(), true);
            made += ok;
        }
    }
    if (ok && made > 0 && CheckStakes) CheckStakes();
    if (RefreshStakeGrid) RefreshStakeGrid();
}

} // namespace velmora
