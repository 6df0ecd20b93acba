#include "gui/draws/draws_page.h"

#include "core/export/list_tables.h"
#include "core/model/draws_csv.h"
#include "core/stats/graph_numbers.h"
#include "core/util/format.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"
#include "gui/app/tool_panel.h"
#include "gui/app/xlsx_export_command.h"
#include "gui/draws/draws_model.h"
#include "gui/draws/form_draw.h"
#include "gui/draws/form_draw_info.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

TDrawsPage::TDrawsPage(TTemplateMain& window) : TMainPage(window, "tsDraws") {
    // A command without a hint of its own shows its caption as the hint.
    AddCommand("DrawsInfo", tr("Сведения о тираже"), {}, tr("Сведения о тираже"), &TDrawsPage::DrawsInfoUpdate,
               &TDrawsPage::DrawsInfoExecute);
    AddCommand("DrawsImport", tr("Импорт из CSV-файла"), {}, tr("Импорт списка тиражей из CSV-файла"),
               &TDrawsPage::DrawsImportUpdate, &TDrawsPage::DrawsImportExecute);
    AddCommand("DrawsExport", tr("Экспорт в CSV-файл"), {}, tr("Экспорт списка тиражей в CSV-файл"),
               &TDrawsPage::DrawsExportUpdate, &TDrawsPage::DrawsExportExecute);
    AddCommand("DrawsXlsExport", tr("Экспорт в Microsoft Excel"), {}, tr("Экспорт списка тиражей в Microsoft Excel"),
               &TDrawsPage::DrawsXlsExportUpdate, &TDrawsPage::DrawsXlsExportExecute);
    AddCommand("DrawsAdd", tr("Добавить"), {}, tr("Добавить"), &TDrawsPage::DrawsAddUpdate,
               &TDrawsPage::DrawsAddExecute);
    AddCommand("DrawsEdit", tr("Изменить"), {}, tr("Изменить"), &TDrawsPage::DrawsEditUpdate,
               &TDrawsPage::DrawsEditExecute);
    AddCommand("DrawsDel", tr("Удалить"), {}, tr("Удалить"), &TDrawsPage::DrawsDelUpdate, &TDrawsPage::DrawsDelExecute);
    AddCommand("DrawsSorted", tr("Упорядочить MIN->MAX"), {}, tr("Упорядочить MIN->MAX"),
               &TDrawsPage::DrawsSortedUpdate, &TDrawsPage::DrawsSortedExecute, &TDrawsPage::DrawsSortedChecked);
    AddCommand("ViewColorDraws", tr("Выделять каналы в списке тиражей"), {}, tr("Выделять каналы в списке тиражей"),
               &TDrawsPage::ViewColorDrawsUpdate, &TDrawsPage::ViewColorDrawsExecute,
               &TDrawsPage::ViewColorDrawsChecked);

    drawsModel_ = new TDrawsModel(window.Draws(), this);

    btnDrawsAdd = CommandButton(this, "btnDrawsAdd", Command("DrawsAdd"));
    btnDrawsDel = CommandButton(this, "btnDrawsDel", Command("DrawsDel"));

    auto* lbOffset = new QLabel(tr("Смещение назад:"), this);
    edDrawsOffset = new QSpinBox(this);
    edDrawsOffset->setObjectName("edDrawsOffset");
    edDrawsOffset->setRange(0, 0);
    edDrawsOffset->setToolTip(tr("Смещение относительно последнего загруженного номера тиража"));
    edDrawsOffset->setStatusTip(edDrawsOffset->toolTip());
    edDrawsOffset->setMinimumWidth(70);
    lbOffset->setBuddy(edDrawsOffset);
    connect(edDrawsOffset, &QSpinBox::valueChanged, this, [this](int k) { Window().SetDrawsOffset(k); });

    // The buttons give way to the offset on a narrow panel (their commands go to the "»" menu).
    tbDraws = new TToolPanel(this);
    connect(tbDraws->OverflowMenu(), &QMenu::aboutToShow, &window, &TTemplateMain::UpdateCommands);
    tbDraws->AddButton(btnDrawsAdd);
    tbDraws->AddButton(btnDrawsDel);
    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->addWidget(tbDraws, 1);
    tools->addWidget(lbOffset);
    tools->addWidget(edDrawsOffset);

    lvDraws = new QTableView(this);
    lvDraws->setObjectName("lvDraws");
    lvDraws->setModel(drawsModel_);
    SetupListView(lvDraws);
    lvDraws->horizontalHeader()->setStretchLastSection(true);
    connect(lvDraws, &QTableView::doubleClicked, this, [this] { TriggerCommand("DrawsInfo"); });
    connect(lvDraws->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);
    connect(lvDraws->selectionModel(), &QItemSelectionModel::currentChanged, &window, &TTemplateMain::UpdateCommands);

    pmDraws = CreatePopupMenu("pmDraws", lvDraws,
                              {"DrawsInfo", "", "DrawsAdd", "DrawsEdit", "DrawsDel", "", "DrawsImport", "DrawsExport", "DrawsXlsExport", "",
                               "DrawsSorted", "ViewColorDraws"});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(lvDraws, 1);

    AddCommands(window.MainMenu(TMainMenu::Draws), {"DrawsInfo", "", "DrawsImport", "DrawsExport", "DrawsXlsExport", "", "DrawsAdd",
                                                    "DrawsEdit", "DrawsDel", "", "DrawsSorted"});
    AddCommands(window.MainMenu(TMainMenu::View), {"ViewColorDraws"});

    connect(&window, &TTemplateMain::DrawsChanged, this, &TDrawsPage::RefreshDrawList);
    connect(&window, &TTemplateMain::ConfigChanged, this, [this] {
        drawsModel_->SetChannelSize(Window().StatList().Config.ChannelSize);
        lvDraws->viewport()->update();
    });
}

void TDrawsPage::SetDrawListCaptions(const QStringList& captions) {
    drawsModel_->SetCaptions(captions);
    // Narrow number columns (two digits, the sum three), wider draw number and date: the whole
    // list fits the left pages.
    const QFontMetrics fm = lvDraws->fontMetrics();
    for (int i = 0; i < captions.size(); ++i) {
        int w = std::max(fm.horizontalAdvance(captions[i]), fm.horizontalAdvance("000")) + 14;
        if (i == 0) w = std::max(w, fm.horizontalAdvance("000000") + 18);
        if (i == captions.size() - 1) w = std::max(w, fm.horizontalAdvance("0000-00-00") + 18);
        lvDraws->setColumnWidth(i, w);
    }
}

QSize TDrawsPage::sizeHint() const {
    int w = 2 * lvDraws->frameWidth() + lvDraws->verticalScrollBar()->sizeHint().width() + 2;
    for (int c = 0; c < drawsModel_->columnCount(); ++c)
        if (!lvDraws->isColumnHidden(c)) w += lvDraws->columnWidth(c);
    const QMargins m = layout()->contentsMargins();
    const QSize own = TMainPage::sizeHint();
    return {std::max(own.width(), w + m.left() + m.right()), own.height()};
}

void TDrawsPage::ReadSettings(const std::string& section) {
    const TWindowSettings& settings = Window().Settings();
    Window().Draws().Sorted = settings.ReadBool(section, "SortedDraws", false);
    drawsModel_->SetColorDraws(settings.ReadBool(section, "ColorDraws", true));
    ReadListColumns(settings, section, lvDraws);
}

void TDrawsPage::WriteSettings(const std::string& section) { WriteListColumns(Window().Settings(), section, lvDraws); }

void TDrawsPage::RefreshDrawList(bool reset) {
    const TDrawsArchive& draws = Window().Draws();
    if (reset || drawsModel_->rowCount() != draws.Count()) drawsModel_->Reset();
    auto texts = draws.StatusTexts();
    for (int i = 0; i < 3; ++i) Window().SetStatusPanel(i, Q(texts[size_t(i)]));
    const QSignalBlocker block(edDrawsOffset);
    edDrawsOffset->setMaximum(std::max(draws.Count() - 1, 0));
    edDrawsOffset->setValue(draws.Offset());
    // The offset marks the reference draw in the list.
    drawsModel_->Repaint();
}

int TDrawsPage::FocusedDrawRow() const {
    QModelIndex i = lvDraws->currentIndex();
    return i.isValid() && i.row() < Window().Draws().Count() ? i.row() : -1;
}

QString TDrawsPage::AskCsvFile(bool save, const QString& caption) {
    return Window().AskFileName(save, caption, tr("Файлы тиражей (*.csv)"), "csv");
}

// ---- commands -------------------------------------------------------------------------------

bool TDrawsPage::DrawsInfoUpdate() const { return FocusedDrawRow() >= 0; }

void TDrawsPage::DrawsInfoExecute() {
    const int k = FocusedDrawRow();
    if (k < 0) return;
    const TDrawsArchive& draws = Window().Draws();
    const TStatList& list = Window().StatList();
    const int index = draws.IndexOfPosition(k);
    TFormDrawInfo dlg(&Window());
    dlg.SetDraw(draws.ViewDraw(index), true, DrawGraphNumbers(list, index, draws.LastIndex(), draws.Sorted),
                list.Config.MatrixCols, list.Config.ChannelSize);
    dlg.exec();
}

bool TDrawsPage::DrawsImportUpdate() const { return true; }

void TDrawsPage::DrawsImportExecute() {
    const QString path = AskCsvFile(false, tr("Импорт из CSV-файла"));
    if (path.isEmpty()) return;
    TTemplateMain& w = Window();
    TBusy busy(&w);
    w.SetStatusText(Q(Format(S(tr("Импорт тиражей из файла \"%s\"...")), {S(path)})));
    int added = 0;
    int invalid = 0;
    try {
        added = ImportDrawsCsv(w.Draws(), S(path), &invalid);
    } catch (const std::exception& e) {
        // A read error imports nothing; a save error keeps the imported draws in memory.
        invalid = 0;
        ShowError(&w, Q(e.what()));
    }
    w.NotifyDrawsChanged(true);
    w.RecomputeViews(false);
    w.SetStatusText(QString());
    // Numbers that could not be read were stored as 0: the user is told which count to check.
    if (invalid > 0)
        ShowWarning(&w, Q(Format(S(tr("Добавлено тиражей: %d.\r\rИз них с некорректными полями: %d (такие поля "
                                        "записаны как 0). Проверьте эти тиражи в архиве.")),
                                 {added, invalid})));
}

bool TDrawsPage::DrawsExportUpdate() const { return Window().Draws().Count() > 0; }

void TDrawsPage::DrawsExportExecute() {
    const QString path = AskCsvFile(true, tr("Экспорт в CSV-файл"));
    if (path.isEmpty()) return;
    TTemplateMain& w = Window();
    TBusy busy(&w);
    w.SetStatusText(Q(Format(S(tr("Экспорт тиражей в файл \"%s\"...")), {S(path)})));
    try {
        ExportDrawsCsv(w.Draws(), S(path));
    } catch (const std::exception& e) {
        ShowError(&w, Q(e.what()));
    }
    w.SetStatusText(QString());
}

bool TDrawsPage::DrawsXlsExportUpdate() const { return Window().Draws().Count() > 0; }

void TDrawsPage::DrawsXlsExportExecute() {
    ExportTableToXlsx(Window(), tr("Экспорт в Microsoft Excel"), DrawsXlsTable(Window().Draws(), S(tr("Архив тиражей"))));
}

bool TDrawsPage::DrawsAddUpdate() const { return true; }

void TDrawsPage::DrawsAddExecute() {
    TTemplateMain& w = Window();
    TDrawRecord rec;
    rec.Number = w.Draws().NextDrawNumber(0);
    if (!EditDrawRecord(&w, tr("Введите данные следующего тиража"), rec, true)) return;
    w.Draws().Draws.push_back(rec);
    w.SaveDraws();
    w.RecomputeViews(false);
}

bool TDrawsPage::DrawsEditUpdate() const { return FocusedDrawRow() >= 0; }

void TDrawsPage::DrawsEditExecute() {
    TTemplateMain& w = Window();
    const int index = w.Draws().IndexOfPosition(FocusedDrawRow());
    if (index < 0) return;
    TDrawRecord rec = w.Draws().Draws[size_t(index)];
    if (!EditDrawRecord(&w, tr("Введите данные следующего тиража"), rec, true)) return;
    w.Draws().Draws[size_t(index)] = rec;
    const int row = FocusedDrawRow();
    w.SaveDraws();
    // The list was built anew: the edited draw stays the selected one, so that the next command
    // ("Удалить", "Сведения о тираже") works on it.
    SelectDrawRow(row);
    w.RecomputeViews(false);
}

void TDrawsPage::SelectDrawRow(int row) {
    if (row < 0 || row >= drawsModel_->rowCount()) return;
    const QModelIndex index = drawsModel_->index(row, 0);
    lvDraws->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lvDraws->scrollTo(index);
    Window().UpdateCommands();
}

bool TDrawsPage::DrawsDelUpdate() const { return lvDraws->selectionModel()->hasSelection(); }

void TDrawsPage::DrawsDelExecute() {
    const QModelIndexList rows = lvDraws->selectionModel()->selectedRows();
    const int n = int(rows.size());
    if (n == 0) return;
    TTemplateMain& w = Window();
    if (!AskDeleteRecords(&w, n)) return;
    TBusy busy(&w);
    w.SetStatusText(tr("Удаление выделенных тиражей...."));
    TDrawsArchive& draws = w.Draws();
    // The selected rows are removed by their places in the archive, highest index first, so that
    // exactly the selected draws go even when two draws carry the same number.
    std::vector<int> indexes;
    for (const auto& r : rows) indexes.push_back(draws.IndexOfPosition(r.row()));
    std::sort(indexes.begin(), indexes.end(), std::greater<int>());
    try {
        for (int i : indexes) draws.DeleteDrawAt(i);
    } catch (const std::exception& e) {
        ShowError(&w, Q(e.what()));
    }
    w.NotifyDrawsChanged(true);
    lvDraws->clearSelection();
    w.SaveDraws();
    w.RecomputeViews(false);
    w.SetStatusText(QString());
}

bool TDrawsPage::DrawsSortedUpdate() const { return true; }
bool TDrawsPage::DrawsSortedChecked() const { return Window().Draws().Sorted; }

void TDrawsPage::DrawsSortedExecute() {
    TDrawsArchive& draws = Window().Draws();
    draws.Sorted = !draws.Sorted;
    drawsModel_->Repaint();
    Window().WriteSwitch("SortedDraws", draws.Sorted);
    Window().RecomputeViews(true);
}

bool TDrawsPage::ViewColorDrawsUpdate() const { return true; }
bool TDrawsPage::ViewColorDrawsChecked() const { return drawsModel_->ColorDraws(); }

void TDrawsPage::ViewColorDrawsExecute() {
    drawsModel_->SetColorDraws(!drawsModel_->ColorDraws());
    Window().WriteSwitch("ColorDraws", drawsModel_->ColorDraws());
}

} // namespace velmora
