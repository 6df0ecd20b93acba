// The page "Архив тиражей" of the main window: the tool panel, the draw list and the commands on
// the archive.
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"
#include "gui/model/draws_model.h"
#include "gui/model/form_draw.h"
#include "gui/model/form_draw_info.h"
#include "model/data_folder.h"
#include "model/draws_csv.h"
#include "stats/graph_numbers.h"
#include "util/atomic_file.h"
#include "util/format.h"

#include <QAction>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

QWidget* TTemplateMain::CreateDrawsPage() {
    auto* page = new QWidget;
    page->setObjectName("tsDraws");

    auto button = [page](const char* name, QAction* action) { return CommandButton(page, name, action); };
    btnDrawsAdd = button("btnDrawsAdd", Command("DrawsAdd"));
    btnDrawsDel = button("btnDrawsDel", Command("DrawsDel"));

    auto* lbOffset = new QLabel(tr("Смещение назад:"), page);
    edDrawsOffset = new QSpinBox(page);
    edDrawsOffset->setObjectName("edDrawsOffset");
    edDrawsOffset->setRange(0, 0);
    edDrawsOffset->setToolTip(tr("Смещение относительно последнего загруженного номера тиража"));
    edDrawsOffset->setStatusTip(edDrawsOffset->toolTip());
    edDrawsOffset->setMinimumWidth(70);
    lbOffset->setBuddy(edDrawsOffset);
    connect(edDrawsOffset, &QSpinBox::valueChanged, this, [this](int k) { SetDrawsOffset(k); });

    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->addWidget(btnDrawsAdd);
    tools->addWidget(btnDrawsDel);
    tools->addStretch(1);
    tools->addWidget(lbOffset);
    tools->addWidget(edDrawsOffset);

    lvDraws = new QTableView(page);
    lvDraws->setObjectName("lvDraws");
    lvDraws->setModel(drawsModel_);
    SetupListView(lvDraws);
    lvDraws->horizontalHeader()->setStretchLastSection(true);
    connect(lvDraws, &QTableView::doubleClicked, this, [this] {
        if (auto* a = Command("DrawsInfo"); a && a->isEnabled()) a->trigger();
    });

    pmDraws = new QMenu(this);
    pmDraws->setObjectName("pmDraws");
    pmDraws->addAction(Command("DrawsInfo"));
    pmDraws->addSeparator();
    pmDraws->addAction(Command("DrawsAdd"));
    pmDraws->addAction(Command("DrawsEdit"));
    pmDraws->addAction(Command("DrawsDel"));
    pmDraws->addSeparator();
    pmDraws->addAction(Command("DrawsImport"));
    pmDraws->addAction(Command("DrawsExport"));
    pmDraws->addSeparator();
    pmDraws->addAction(Command("DrawsSorted"));
    pmDraws->addAction(Command("ViewColorDraws"));
    connect(lvDraws, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        UpdateCommands();
        pmDraws->popup(lvDraws->viewport()->mapToGlobal(pos));
    });

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(lvDraws, 1);
    return page;
}

void TTemplateMain::SetDrawListCaptions(const QStringList& captions) {
    drawsModel_->SetCaptions(captions);
    // Narrow number columns, wider draw number and date.
    const QFontMetrics fm = lvDraws->fontMetrics();
    for (int i = 0; i < captions.size(); ++i) {
        int w = std::max(fm.horizontalAdvance(captions[i]), fm.horizontalAdvance("0000")) + 18;
        if (i == 0) w = std::max(w, fm.horizontalAdvance("000000") + 18);
        if (i == captions.size() - 1) w = std::max(w, fm.horizontalAdvance("0000-00-00") + 18);
        lvDraws->setColumnWidth(i, w);
    }
    connect(lvDraws->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TTemplateMain::UpdateCommands);
    connect(lvDraws->selectionModel(), &QItemSelectionModel::currentChanged, this, &TTemplateMain::UpdateCommands);
}

int TTemplateMain::FocusedDrawRow() const {
    QModelIndex i = lvDraws->currentIndex();
    return i.isValid() && i.row() < draws_.Count() ? i.row() : -1;
}

// ---- the archive ----------------------------------------------------------------------------

void TTemplateMain::LoadDraws() {
    if (!FileExists(draws_.FileName)) {
        RefreshDrawList(false);
        return;
    }
    TBusy busy(this);
    SetStatusText(tr("Загрузка файла тиражей..."));
    try {
        draws_.LoadDraws();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    RefreshDrawList(false);
    SetStatusText(QString());
}

void TTemplateMain::SaveDraws() {
    TBusy busy(this);
    SetStatusText(tr("Сохранение файла тиражей..."));
    try {
        draws_.SaveDraws();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    RefreshDrawList(true);
    SetStatusText(QString());
}

void TTemplateMain::RefreshDrawList(bool force) {
    if (force || drawsModel_->rowCount() != draws_.Count()) drawsModel_->Reset();
    followingSet_ = draws_.FollowingNumbersSet(draws_.Offset());
    auto texts = draws_.StatusTexts();
    for (int i = 0; i < 3; ++i) SetStatusPanel(i, Q(texts[size_t(i)]));
    const QSignalBlocker block(edDrawsOffset);
    edDrawsOffset->setMaximum(std::max(draws_.Count() - 1, 0));
    edDrawsOffset->setValue(draws_.Offset());
    UpdateCommands();
}

void TTemplateMain::SetDrawsOffset(int k) {
    const bool changed = draws_.SetDrawsOffset(k);
    // The archive bounds the offset; the spin edit shows the one kept.
    if (edDrawsOffset->value() != draws_.Offset()) {
        const QSignalBlocker block(edDrawsOffset);
        edDrawsOffset->setValue(draws_.Offset());
    }
    if (!changed) return;
    RefreshDrawList(false);
    RecomputeViews(false);
    drawsModel_->Repaint();
}

void TTemplateMain::RecomputeViews(bool force) {
    if (suppressViews_) return;
    for (auto& v : views_) v(force);
}

void TTemplateMain::AddView(std::function<void(bool)> recompute) { views_.push_back(std::move(recompute)); }

// ---- commands -------------------------------------------------------------------------------

bool TTemplateMain::DrawsInfoUpdate() const { return FocusedDrawRow() >= 0; }

void TTemplateMain::DrawsInfoExecute() {
    const int k = FocusedDrawRow();
    if (k < 0) return;
    const int index = draws_.IndexOfPosition(k);
    TFormDrawInfo dlg(this);
    dlg.SetDraw(draws_.ViewDraw(index), true, DrawGraphNumbers(statList_, index, draws_.LastIndex(), draws_.Sorted),
                statList_.Config.MatrixCols, statList_.Config.ChannelSize);
    dlg.exec();
}

QString TTemplateMain::AskFileName(bool save, const QString& caption) {
    return AskFileName(save, caption, tr("Файлы тиражей (*.csv)"), "csv");
}

QString TTemplateMain::AskFileName(bool save, const QString& caption, const QString& filter, const QString& suffix) {
    QFileDialog dlg(this, caption, lastDir_.isEmpty() ? Q(DataDir()) : lastDir_);
    dlg.setObjectName(save ? "SaveDialog" : "OpenDialog");
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setNameFilter(filter);
    dlg.setDefaultSuffix(suffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    lastDir_ = dlg.directory().absolutePath();
    return dlg.selectedFiles().first();
}

bool TTemplateMain::DrawsImportUpdate() const { return true; }

void TTemplateMain::DrawsImportExecute() {
    const QString path = AskFileName(false, tr("Импорт из CSV-файла"));
    if (path.isEmpty()) return;
    TBusy busy(this);
    SetStatusText(Q(Format(S(tr("Импорт тиражей из файла \"%s\"...")), {S(path)})));
    try {
        ImportDrawsCsv(draws_, S(path));
    } catch (const std::exception& e) {
        // A read error imports nothing; a save error keeps the imported draws in memory.
        ShowError(this, Q(e.what()));
    }
    RefreshDrawList(true);
    RecomputeViews(false);
    SetStatusText(QString());
}

bool TTemplateMain::DrawsExportUpdate() const { return draws_.Count() > 0; }

void TTemplateMain::DrawsExportExecute() {
    const QString path = AskFileName(true, tr("Экспорт в CSV-файл"));
    if (path.isEmpty()) return;
    TBusy busy(this);
    SetStatusText(Q(Format(S(tr("Экспорт тиражей в файл \"%s\"...")), {S(path)})));
    try {
        ExportDrawsCsv(draws_, S(path));
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    SetStatusText(QString());
}

bool TTemplateMain::DrawsAddUpdate() const { return true; }

void TTemplateMain::DrawsAddExecute() {
    TDrawRecord rec;
    rec.Number = draws_.NextDrawNumber(0);
    if (!EditDrawRecord(this, tr("Введите данные следующего тиража"), rec, true)) return;
    draws_.Draws.push_back(rec);
    SaveDraws();
    RecomputeViews(false);
}

bool TTemplateMain::DrawsEditUpdate() const { return FocusedDrawRow() >= 0; }

void TTemplateMain::DrawsEditExecute() {
    const int index = draws_.IndexOfPosition(FocusedDrawRow());
    if (index < 0) return;
    TDrawRecord rec = draws_.Draws[size_t(index)];
    if (!EditDrawRecord(this, tr("Введите данные следующего тиража"), rec, true)) return;
    draws_.Draws[size_t(index)] = rec;
    SaveDraws();
    RecomputeViews(false);
}

bool TTemplateMain::DrawsDelUpdate() const { return lvDraws->selectionModel()->hasSelection(); }

void TTemplateMain::DrawsDelExecute() {
    const QModelIndexList rows = lvDraws->selectionModel()->selectedRows();
    const int n = int(rows.size());
    if (n == 0) return;
    const QString question = n == 1
        ? tr("Удалить выделенную запись?")
        : Q(Format(S(tr("Удалить все выделенные записи (всего будет удалено %d записи(ей))?")), {n}));
    if (!AskWarning(this, question)) return;
    TBusy busy(this);
    SetStatusText(tr("Удаление выделенных тиражей...."));
    // The selected rows are removed by their places in the archive, highest index first, so that
    // exactly the selected draws go even when two draws carry the same number.
    std::vector<int> indexes;
    for (const auto& r : rows) indexes.push_back(draws_.IndexOfPosition(r.row()));
    std::sort(indexes.begin(), indexes.end(), std::greater<int>());
    try {
        for (int i : indexes) draws_.DeleteDrawAt(i);
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    RefreshDrawList(true);
    lvDraws->clearSelection();
    SaveDraws();
    RecomputeViews(false);
    SetStatusText(QString());
}

bool TTemplateMain::DrawsSortedUpdate() const { return true; }
bool TTemplateMain::DrawsSortedChecked() const { return draws_.Sorted; }

void TTemplateMain::DrawsSortedExecute() {
    draws_.Sorted = !draws_.Sorted;
    drawsModel_->Repaint();
    WriteSwitch("SortedDraws", draws_.Sorted);
    RecomputeViews(true);
}

bool TTemplateMain::ViewColorDrawsUpdate() const { return true; }
bool TTemplateMain::ViewColorDrawsChecked() const { return drawsModel_->ColorDraws(); }

void TTemplateMain::ViewColorDrawsExecute() {
    drawsModel_->SetColorDraws(!drawsModel_->ColorDraws());
    WriteSwitch("ColorDraws", drawsModel_->ColorDraws());
}

} // namespace velmora
