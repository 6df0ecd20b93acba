#include "gui/scripts/script_page.h"

#include "core/scripts/script_line.h"
#include "core/util/format.h"
#include "gui/app/elided_label.h"
#include "gui/app/enter_spin_box.h"
#include "gui/app/pane_splitter.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"
#include "gui/app/tool_panel.h"
#include "gui/filters/form_filter.h"
#include "gui/scripts/form_script.h"
#include "gui/scripts/script_library.h"
#include "gui/scripts/script_model.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {

constexpr int kColumnWidth = 200;

} // namespace

TScriptPage::TScriptPage(TTemplateMain& window) : TMainPage(window, "tsScript") {
    AddCommand("ScriptOpen", tr("Открыть"), QKeySequence(Qt::CTRL | Qt::Key_J), tr("Загрузить сценарий из файла"),
               &TScriptPage::ScriptOpenUpdate, &TScriptPage::ScriptOpenExecute);
    AddCommand("ScriptSave", tr("Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_I), tr("Сохранить сценарий в файле"),
               &TScriptPage::ScriptSaveUpdate, &TScriptPage::ScriptSaveExecute);
    AddCommand("ScriptAdd", tr("Добавить фильтры"), QKeySequence(Qt::CTRL | Qt::Key_Insert),
               tr("Добавить новую команду в сценарий"), &TScriptPage::ScriptAddUpdate, &TScriptPage::ScriptAddExecute);
    AddCommand("ScriptEmpty", tr("Добавить разделитель"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert),
               tr("Добавить разделитель в сценарий"), &TScriptPage::ScriptEmptyUpdate, &TScriptPage::ScriptEmptyExecute);
    AddCommand("ScriptLoad", tr("Добавить сценарий"), {},
               tr("Добавить выбранный сценарий из файла в текущий сценарий"), &TScriptPage::ScriptLoadUpdate,
               &TScriptPage::ScriptLoadExecute);
    AddCommand("ScriptClone", tr("Клонировать"), QKeySequence(Qt::CTRL | Qt::Key_K),
               tr("Добавить новую команду в сценарий и скопировать в нее данные из выделенной"),
               &TScriptPage::ScriptCloneUpdate, &TScriptPage::ScriptCloneExecute);
    AddCommand("ScriptEdit", tr("Изменить"), QKeySequence(Qt::CTRL | Qt::Key_Return),
               tr("Редактировать выделенную команду"), &TScriptPage::ScriptEditUpdate, &TScriptPage::ScriptEditExecute);
    AddCommand("ScriptDel", tr("Удалить"), QKeySequence(Qt::CTRL | Qt::Key_Delete), tr("Удалить выделенные строки"),
               &TScriptPage::ScriptDelUpdate, &TScriptPage::ScriptDelExecute);
    AddCommand("ScriptClr", tr("Удалить все"), {}, tr("Удалить весь сценарий"), &TScriptPage::ScriptClrUpdate,
               &TScriptPage::ScriptClrExecute);
    AddCommand("ScriptUp", tr("Переместить вверх"), QKeySequence(Qt::CTRL | Qt::Key_Up),
               tr("Переместить выделенную строку вверх"), &TScriptPage::ScriptUpUpdate, &TScriptPage::ScriptUpExecute);
    AddCommand("ScriptDown", tr("Переместить вниз"), QKeySequence(Qt::CTRL | Qt::Key_Down),
               tr("Переместить выделенную строку вниз"), &TScriptPage::ScriptDownUpdate,
               &TScriptPage::ScriptDownExecute);
    AddRunCommands();
    // Ctrl+Enter from the keypad as well.
    Command("ScriptEdit")->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});

    // The panel keeps the window's width free: buttons that do not fit go to its "»" menu.
    auto* tools = new TToolPanel(this);
    tools->setObjectName("tbScript");
    connect(tools->OverflowMenu(), &QMenu::aboutToShow, &window, &TTemplateMain::UpdateCommands);
    auto button = [this, tools](const char* name, const char* command) {
        tools->AddButton(CommandButton(this, name, Command(command)));
    };
    // The run comes first, so that "Стоп" stays in sight on a narrow panel; it takes clicks while
    // the run holds the rest of the window.
    button("btnScriptRun", "ScriptRun");
    button("btnScriptTest", "ScriptTest");
    QToolButton* stop = CommandButton(this, "btnScriptStop", Command("ScriptStop"));
    stop->setProperty(TTemplateMain::kWhileBusyProperty, true);
    tools->AddButton(stop);
    tools->AddSeparator();
    button("btnScriptOpen", "ScriptOpen");
    button("btnScriptSave", "ScriptSave");
    tools->AddSeparator();
    button("btnScriptAdd", "ScriptAdd");
    button("btnScriptEmpty", "ScriptEmpty");
    button("btnScriptLoad", "ScriptLoad");
    button("btnScriptClone", "ScriptClone");
    button("btnScriptEdit", "ScriptEdit");
    tools->AddSeparator();
    button("btnScriptDel", "ScriptDel");
    button("btnScriptClr", "ScriptClr");
    tools->AddSeparator();
    button("btnScriptUp", "ScriptUp");
    button("btnScriptDown", "ScriptDown");

    model_ = new TScriptModel(script_, window.StatList(), this);
    lvScript = new QTableView(this);
    lvScript->setObjectName("lvScript");
    lvScript->setModel(model_);
    SetupListView(lvScript);
    KeepKeyInList("ScriptDel", lvScript);
    lvScript->setShowGrid(true);
    lvScript->horizontalHeader()->setSectionsClickable(false);
    for (int c = 0; c < model_->columnCount(); ++c) lvScript->setColumnWidth(c, kColumnWidth);
    connect(lvScript->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);
    connect(lvScript, &QTableView::doubleClicked, this, [this] { TriggerCommand("ScriptEdit"); });

    sbScript = new QStatusBar(this);
    sbScript->setObjectName("sbScript");
    sbScript->setSizeGripEnabled(false);
    sbLines_ = new QLabel(sbScript);
    sbLines_->setMinimumWidth(90);
    sbScript->addWidget(sbLines_);
    // The filter and the last result share what the counters leave; a long text ends with "…".
    auto panel = [this](const char* name, int width, int stretch) {
        QLabel* l = stretch > 0 ? new TElidedLabel(sbScript) : new QLabel(sbScript);
        l->setObjectName(name);
        l->setMinimumWidth(width);
        sbScript->addWidget(l, stretch);
        return l;
    };
    sbCycle = panel("sbCycle", 80, 0);
    sbLine = panel("sbLine", 90, 0);
    sbStakes = panel("sbStakes", 100, 0);
    sbFilter = panel("sbFilter", 100, 2);
    sbFilter->hide();  // shown while a run is under way
    sbLast = panel("sbLast", 80, 1);

    pmScript = CreatePopupMenu("pmScript", lvScript,
                               {"ScriptOpen", "ScriptSave", "", "ScriptAdd", "ScriptEmpty", "ScriptLoad", "ScriptClone",
                                "ScriptEdit", "", "ScriptDel", "ScriptClr", "", "ScriptUp", "ScriptDown", "",
                                "ScriptRun", "ScriptTest", "ScriptStop", "", "LogToggle", "LogsDelete", "",
                                "StakesCheckLine"});
    pmScript->setDefaultAction(Command("ScriptEdit"));
    AddCommands(window.MainMenu(TMainMenu::Scripts),
                {"ScriptOpen", "ScriptSave", "", "ScriptAdd", "ScriptEmpty", "ScriptLoad", "ScriptClone", "ScriptEdit", "",
                 "ScriptDel", "ScriptClr", "", "ScriptUp", "ScriptDown", "", "ScriptRun", "ScriptTest", "ScriptStop", "",
                 "LogToggle", "LogsDelete", "", "StakesCheckLine"});

    // The catalog panel under the list keeps its height when the window is resized.
    library_ = new TScriptLibrary(window, *this);
    spLibrary = new TPaneSplitter(Qt::Vertical, this);
    spLibrary->setObjectName("spLibrary");
    spLibrary->setChildrenCollapsible(false);
    spLibrary->addWidget(lvScript);
    spLibrary->addWidget(library_);
    spLibrary->setStretchFactor(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(2);
    layout->addWidget(tools);
    layout->addWidget(spLibrary, 1);
    layout->addWidget(sbScript);

    // The filter cells show the statistics' codes as the list knows them.
    connect(&window, &TTemplateMain::StatListChanged, model_, &TScriptModel::Repaint);
    RefreshScriptView();
}

void TScriptPage::ReadSettings(const std::string& section) {
    ReadListColumns(Window().Settings(), section, lvScript);
    logEnabled_ = Window().Settings().ReadBool(section, "ScriptLogEnabled", false);
    checkOnLine_ = Window().Settings().ReadBool(section, "StakesCheckOnLine", true);
    spLibrary->SetPaneSize(Window().Settings().ReadInteger(section, "ScriptLibraryHeight", 200));
    library_->ReadSettings(section);
}

void TScriptPage::WriteSettings(const std::string& section) {
    WriteListColumns(Window().Settings(), section, lvScript);
    if (library_->Shown()) Window().Settings().WriteInteger(section, "ScriptLibraryHeight", spLibrary->PaneSize());
    library_->WriteSettings(section);
}

// The current script of the data folder, read once. A copy of the program that does not hold the
// folder writes nothing, so it keeps no file to write.
void TScriptPage::InitializePage() {
    script_.FileName = TScriptList::CurrentScriptFileName();
    QString error;
    try {
        script_.LoadCurrentScript();
    } catch (const std::exception& e) {
        error = Q(e.what());
    }
    if (!Window().OwnsDataFolder()) script_.FileName.clear();
    RefreshScriptView();
    if (!error.isEmpty()) ShowError(&Window(), MessageText(error));
    library_->InitializePage();
}

void TScriptPage::RefreshScriptView() {
    model_->Reset();
    sbLines_->setText(Q(Format(S(tr("Строк: %d")), {script_.ScriptLineCount()})));
    Window().UpdateCommands();
}

// ---- selection ----------------------------------------------------------------------------------

std::vector<int> TScriptPage::SelectedLines() const {
    std::vector<int> rows;
    for (const QModelIndex& i : lvScript->selectionModel()->selectedRows()) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int TScriptPage::SelectedLine() const {
    const auto rows = SelectedLines();
    return rows.empty() || rows.front() >= script_.ScriptLineCount() ? -1 : rows.front();
}

void TScriptPage::SelectLine(int row) {
    lvScript->clearSelection();
    if (row < 0 || row >= model_->rowCount()) return;
    const QModelIndex index = model_->index(row, 0);
    lvScript->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lvScript->scrollTo(index);
}

// ---- changes ------------------------------------------------------------------------------------

QString TScriptPage::TryChangeScript(const std::function<void()>& change) {
    QString error;
    try {
        change();
    } catch (const std::exception& e) {
        error = Q(e.what());
    }
    RefreshScriptView();
    return error;
}

void TScriptPage::ChangeScript(const std::function<void()>& change) {
    const QString error = TryChangeScript(change);
    if (!error.isEmpty()) ShowError(&Window(), MessageText(error));
}

void TScriptPage::LoadScript(const QString& path, bool append) {
    QString error;
    {
        TBusy busy(&Window());
        Window().SetStatusText(Q(Format(S(tr("Загрузка файла \"%s\"...")), {S(path)})));
        try {
            script_.LoadScriptFile(S(path), append);
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        RefreshScriptView();
        Window().SetStatusText({});
    }
    if (!error.isEmpty()) ShowError(&Window(), MessageText(error));
}

QString TScriptPage::ScriptFileFilter() const {
    // The product writes filters as "caption|mask"; Qt wants the caption with the mask in it.
    const QString filter = tr(kScriptFileFilter);
    return filter.left(filter.indexOf('|'));
}

bool TScriptPage::EditLine(const QString& caption, const std::string& line, std::string& result) {
    TFormScript dlg(Window().FilterDialogSource(), &Window());
    dlg.setWindowTitle(caption);
    dlg.edDrawsExclude->setValue(Window().CombsExcludeCount());
    dlg.LoadLine(line);
    if (dlg.exec() != QDialog::Accepted) return false;
    result = dlg.BuildLine();
    return true;
}

// ---- commands -----------------------------------------------------------------------------------

bool TScriptPage::ScriptOpenUpdate() const { return true; }

void TScriptPage::ScriptOpenExecute() {
    const QString path = Window().AskFileName(false, tr("Открыть"), ScriptFileFilter(), Q(kScriptFileExt));
    if (!path.isEmpty()) LoadScript(path, false);
}

bool TScriptPage::ScriptSaveUpdate() const { return script_.ScriptLineCount() > 0; }

void TScriptPage::ScriptSaveExecute() {
    const QString path = Window().AskFileName(true, tr("Сохранить"), ScriptFileFilter(), Q(kScriptFileExt));
    if (path.isEmpty()) return;
    QString error;
    {
        TBusy busy(&Window());
        Window().SetStatusText(Q(Format(S(tr("Сохранение файла \"%s\"...")), {S(path)})));
        try {
            script_.SaveScriptFile(S(path));
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        RefreshScriptView();
        Window().SetStatusText({});
    }
    if (!error.isEmpty()) ShowError(&Window(), MessageText(error));
}

bool TScriptPage::ScriptAddUpdate() const { return true; }

void TScriptPage::ScriptAddExecute() {
    std::string line;
    if (!EditLine(tr("Создание новой строки"), std::string(), line)) return;
    ChangeScript([&] { script_.AddScriptLine(line); });
    SelectLine(script_.ScriptLineCount() - 1);
}

bool TScriptPage::ScriptEmptyUpdate() const { return script_.ScriptLineCount() > 0; }

void TScriptPage::ScriptEmptyExecute() {
    ChangeScript([&] { script_.AddScriptLine(std::string()); });
    SelectLine(script_.ScriptLineCount() - 1);
}

bool TScriptPage::ScriptLoadUpdate() const { return true; }

void TScriptPage::ScriptLoadExecute() {
    const QString path = Window().AskFileName(false, tr("Добавить сценарий"), ScriptFileFilter(), Q(kScriptFileExt));
    if (!path.isEmpty()) LoadScript(path, true);
}

bool TScriptPage::ScriptCloneUpdate() const {
    const int row = SelectedLine();
    return row >= 0 && !IsScriptSeparator(script_.GetScriptLine(row));
}

void TScriptPage::ScriptCloneExecute() {
    std::string line;
    if (!EditLine(tr("Создание новой строки"), script_.GetScriptLine(SelectedLine()), line)) return;
    ChangeScript([&] { script_.AddScriptLine(line); });
    SelectLine(script_.ScriptLineCount() - 1);
}

bool TScriptPage::ScriptEditUpdate() const { return ScriptCloneUpdate(); }

void TScriptPage::ScriptEditExecute() {
    const int row = SelectedLine();
    std::string line;
    if (!EditLine(tr("Редактирование строки"), script_.GetScriptLine(row), line)) return;
    const std::vector<int> selected = SelectedLines();
    ChangeScript([&] { script_.PutScriptLine(row, line); });
    SelectListRows(lvScript, selected);
}

bool TScriptPage::ScriptDelUpdate() const { return SelectedLine() >= 0; }

void TScriptPage::ScriptDelExecute() {
    const std::vector<int> rows = SelectedLines();
    const int n = int(rows.size());
    if (n == 0) return;
    if (!AskDeleteRecords(&Window(), n)) return;
    QString error;
    {
        TBusy busy(&Window());
        Window().SetStatusText(tr("Удаление строк..."));
        error = TryChangeScript([&] { script_.DeleteScriptLines(rows); });
        lvScript->clearSelection();
        Window().SetStatusText({});
    }
    if (!error.isEmpty()) ShowError(&Window(), MessageText(error));
}

bool TScriptPage::ScriptClrUpdate() const { return script_.ScriptLineCount() > 0; }

void TScriptPage::ScriptClrExecute() {
    const int n = script_.ScriptLineCount();
    if (!AskDeleteRecords(&Window(), n)) return;
    ChangeScript([&] { script_.ClearScript(); });
}

bool TScriptPage::ScriptUpUpdate() const { return SelectedLine() > 0; }

void TScriptPage::ScriptUpExecute() {
    int row = SelectedLine();
    ChangeScript([&] { row = script_.MoveScriptLineUp(row); });
    SelectLine(row);
}

bool TScriptPage::ScriptDownUpdate() const {
    const int row = SelectedLine();
    return row >= 0 && row < script_.ScriptLineCount() - 1;
}

void TScriptPage::ScriptDownExecute() {
    int row = SelectedLine();
    ChangeScript([&] { row = script_.MoveScriptLineDown(row); });
    SelectLine(row);
}

} // namespace velmora
