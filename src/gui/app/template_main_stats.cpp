// The page "Статистика" of the main window: the statistic selector, the sample length, the draw
// statistics table of the selected statistic with its chart, and the commands of the table and
// of the full-set distribution files.
#include "gui/app/pane_splitter.h"
#include "gui/app/progress_window.h"
#include "gui/app/status_progress.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"
#include "gui/app/enter_spin_box.h"
#include "gui/model/draw_stats_model.h"
#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/format.h"
#include "core/util/text.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QProgressDialog>
#include <QScatterSeries>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {

constexpr int kDefaultStatLen = 1000;
constexpr int kMaxStatLen = 99999;
constexpr int kPrefetchColumnWidth = 80;
constexpr uint32_t kActualColor = 0x008000;  // green
constexpr uint32_t kPointFrame = 0xFF00FF;   // magenta
constexpr uint32_t kFullSetColor = 0x0000FF; // red
constexpr int kMaxAxisLabels = 25;
constexpr int kDefaultChartHeight = 220;

bool IsPrefetchColumn(int c) { return c >= kColNorm && c <= kColDeviationPct; }

} // namespace

QWidget* TTemplateMain::CreateDrawsStatPage() {
    auto* page = new QWidget;
    page->setObjectName("tsDrawsStat");

    cbDrawsStatType = new QComboBox(page);
    cbDrawsStatType->setObjectName("cbDrawsStatType");
    cbDrawsStatType->setToolTip(tr("Вид расчета статистики"));
    cbDrawsStatType->setStatusTip(cbDrawsStatType->toolTip());
    cbDrawsStatType->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbDrawsStatType->setMinimumContentsLength(10);
    cbDrawsStatType->setMaxVisibleItems(30);
    connect(cbDrawsStatType, &QComboBox::currentIndexChanged, this, [this] {
        if (IsIdle() && DrawsStatCalcUpdate()) ComputeDrawStats(false);
        UpdateCommands();
    });

    auto* lbLen = new QLabel(tr("Тиражей:"), page);
    edDrawsStatLen = new TEnterSpinBox(page);
    edDrawsStatLen->setObjectName("edDrawsStatLen");
    edDrawsStatLen->setRange(1, kMaxStatLen);
    edDrawsStatLen->setValue(kDefaultStatLen);
    edDrawsStatLen->setToolTip(tr("Количество тиражей, использующихся для расчета статистики"));
    edDrawsStatLen->setStatusTip(edDrawsStatLen->toolTip());
    edDrawsStatLen->setMinimumWidth(80);
    lbLen->setBuddy(edDrawsStatLen);
    // Enter recomputes; the spin box keeps the value within its limits.
    connect(edDrawsStatLen, &TEnterSpinBox::EnterPressed, this, [this] {
        if (IsIdle()) ComputeDrawStats(false);
    });

    btnDrawsStatCalc = CommandButton(page, "btnDrawsStatCalc", Command("DrawsStatCalc"));
    btnStatFilterInclude = CommandButton(page, "btnStatFilterInclude", Command("StatFilter_Include"));
    btnStatFilterExclude = CommandButton(page, "btnStatFilterExclude", Command("StatFilter_Exclude"));

    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->addWidget(cbDrawsStatType, 1);
    tools->addWidget(lbLen);
    tools->addWidget(edDrawsStatLen);
    tools->addWidget(btnDrawsStatCalc);
    // The filter pair under the selector, beside the table it works on.
    auto* filterTools = new QHBoxLayout;
    filterTools->setContentsMargins(0, 0, 0, 0);
    filterTools->setSpacing(2);
    filterTools->addWidget(btnStatFilterInclude);
    filterTools->addWidget(btnStatFilterExclude);
    filterTools->addStretch(1);

    lvDrawsStat = new QTableView(page);
    lvDrawsStat->setObjectName("lvDrawsStat");
    lvDrawsStat->setModel(drawsStatModel_);
    SetupListView(lvDrawsStat);
    auto* header = lvDrawsStat->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    const QFontMetrics fm = lvDrawsStat->fontMetrics();
    for (int c = 0; c < kDrawStatsColumnCount; ++c) {
        const QString caption = drawsStatModel_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        int w = std::max(fm.horizontalAdvance(caption), fm.horizontalAdvance("000000")) + 24;
        if (c == kColValue) w = std::max(w, fm.horizontalAdvance("00:00:00:00") + 24);
        lvDrawsStat->setColumnWidth(c, w);
    }
    connect(header, &QHeaderView::sectionClicked, this, [this](int c) {
        drawsStatModel_->ClickColumn(c);
        lvDrawsStat->horizontalHeader()->setSortIndicator(
            drawsStatModel_->SortColumn(), drawsStatModel_->SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
    connect(lvDrawsStat->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TTemplateMain::UpdateCommands);

    pmDrawsStat = new QMenu(this);
    pmDrawsStat->setObjectName("pmDrawsStat");
    pmDrawsStat->addAction(Command("StatFilter_Include"));
    pmDrawsStat->addAction(Command("StatFilter_Exclude"));
    pmDrawsStat->addSeparator();
    pmDrawsStat->addAction(Command("DrawsStatCalc"));
    pmDrawsStat->addSeparator();
    pmDrawsStat->addAction(Command("DrawsStatePrefetchsEnabled"));
    pmDrawsStat->addAction(Command("DrawsStatShowTotalLine"));
    connect(lvDrawsStat, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        UpdateCommands();
        pmDrawsStat->popup(lvDrawsStat->viewport()->mapToGlobal(pos));
    });

    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    crtDrawsStat = new QChartView(chart, page);
    crtDrawsStat->setObjectName("crtDrawsStat");
    crtDrawsStat->setRenderHint(QPainter::Antialiasing);
    crtDrawsStat->setMinimumHeight(60);

    splDrawsStat = new TPaneSplitter(Qt::Vertical, page);
    splDrawsStat->setObjectName("splDrawsStat");
    splDrawsStat->addWidget(lvDrawsStat);
    splDrawsStat->addWidget(crtDrawsStat);
    splDrawsStat->setChildrenCollapsible(false);
    splDrawsStat->SetPaneSize(kDefaultChartHeight);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addLayout(filterTools);
    layout->addWidget(splDrawsStat, 1);
    ShowPrefetchColumns();
    return page;
}

// ---- settings ------------------------------------------------------------------------------

void TTemplateMain::ReadDrawsStatSettings(const std::string& section) {
    {
        const QSignalBlocker block(edDrawsStatLen);
        edDrawsStatLen->setValue(std::clamp(settings_.ReadInteger(section, "DrawsStatLen", kDefaultStatLen), 1, kMaxStatLen));
    }
    splDrawsStat->SetPaneSize(std::max(settings_.ReadInteger(section, "DrawsStatHeight", kDefaultChartHeight), 60));
    showTotalLine_ = settings_.ReadBool(section, "ShowTotalLine", true);
    prefetchsEnabled_ = settings_.ReadBool(section, "PrefetchsEnabled", false);
    if (!settings_.ReadBool(section, "PrefetchsInit", false)) {
        // The first start: the comparison starts switched off.
        prefetchsEnabled_ = false;
        settings_.WriteBool(section, "PrefetchsInit", true);
        settings_.WriteBool(section, "PrefetchsEnabled", prefetchsEnabled_);
        settings_.Save();
    }
    if (const auto sort = settings_.ReadSortType(section, "lvDrawsStat")) {
        drawsStatModel_->SetSort(sort->Column, sort->Direction != 0);
        lvDrawsStat->horizontalHeader()->setSortIndicator(
            drawsStatModel_->SortColumn(), drawsStatModel_->SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
    const auto widths = settings_.ReadColumnWidths(section, "lvDrawsStat", kDrawStatsColumnCount);
    for (int c = 0; c < int(widths.size()); ++c)
        if (widths[size_t(c)] > 0 && !IsPrefetchColumn(c)) lvDrawsStat->setColumnWidth(c, widths[size_t(c)]);
    ShowPrefetchColumns();
}

void TTemplateMain::WriteDrawsStatSettings(const std::string& section) {
    settings_.WriteInteger(section, "DrawsStatLen", edDrawsStatLen->value());
    settings_.WriteInteger(section, "DrawsStatHeight", splDrawsStat->PaneSize());
    // -1: the statistic's own order (no column chosen yet).
    settings_.WriteSortType(section, "lvDrawsStat",
                            TSortType{drawsStatModel_->SortColumn(), drawsStatModel_->SortDescending() ? 1 : 0});
    std::vector<int> widths;
    for (int c = 0; c < kDrawStatsColumnCount; ++c)
        widths.push_back(IsPrefetchColumn(c) ? kPrefetchColumnWidth : lvDrawsStat->columnWidth(c));
    settings_.WriteColumnWidths(section, "lvDrawsStat", widths);
}

// Columns 3 to 5 show only while the comparison with the full set is on.
void TTemplateMain::ShowPrefetchColumns() {
    for (int c = kColNorm; c <= kColDeviationPct; ++c) {
        lvDrawsStat->setColumnHidden(c, !prefetchsEnabled_);
        if (prefetchsEnabled_) lvDrawsStat->setColumnWidth(c, kPrefetchColumnWidth);
    }
}

// ---- selectors and the table -----------------------------------------------------------------

void TTemplateMain::RefreshStatSelectors(bool keepIndex) {
    const int keep = keepIndex ? cbDrawsStatType->currentIndex() : 0;
    struct Item {
        QString Caption;
        int Method;
    };
    std::vector<Item> items;
    for (int i = 0; i < statList_.Count(); ++i)
        if (statList_.IsAvailable(i) && statList_.CanShowInTable(i) && statList_.IsVisible(i))
            items.push_back({Q(statList_.DisplayCaption(i, true)), i});
    if (statList_.Ordered)
        std::stable_sort(items.begin(), items.end(),
                         [](const Item& a, const Item& b) { return a.Caption.localeAwareCompare(b.Caption) < 0; });
    // The graph page fills its own selector from the same rule when it is built.
    const QSignalBlocker block(cbDrawsStatType);
    cbDrawsStatType->clear();
    for (const auto& it : items) cbDrawsStatType->addItem(it.Caption, it.Method);
    if (keep >= 0 && keep < cbDrawsStatType->count()) cbDrawsStatType->setCurrentIndex(keep);
    UpdateCommands();
}

int TTemplateMain::SelectedStatMethod() const {
    if (cbDrawsStatType->currentIndex() < 0) return -1;
    bool ok = false;
    const int i = cbDrawsStatType->currentData().toInt(&ok);
    return ok && i >= 0 && i < statList_.Count() ? i : -1;
}

void TTemplateMain::ComputeDrawStats(bool force) {
    if (computingStats_) return;
    const TDrawStatsInputs inputs{draws_.Count(), draws_.Offset(), edDrawsStatLen->value(),
                                  cbDrawsStatType->currentIndex()};
    if (!drawsStatCache_.NeedsCompute(inputs, force)) return;
    drawsStat_ = TDrawStatsTable{};
    drawsStatModel_->Clear();
    FillDrawsStatChart();
    const int method = SelectedStatMethod();
    if (method < 0 || draws_.Count() == 0) return;

    computingStats_ = true;
    {
        TBusy busy(this);
        TStatusProgress& progress = Progress();
        try {
            TDrawStatsOptions options;
            options.Length = edDrawsStatLen->value();
            options.Compare = prefetchsEnabled_;
            options.ShowTotalLine = showTotalLine_;
            drawsStat_ = velmora::ComputeDrawStats(statList_, method, draws_, options, progress);
        } catch (const std::exception& e) {
            drawsStat_ = TDrawStatsTable{};
            drawsStat_.Messages.push_back(e.what());
        }
        drawsStatModel_->SetRows(drawsStat_.Rows);
        FillDrawsStatChart();
        SetStatusText(QString());
    }
    computingStats_ = false;
    for (const auto& m : drawsStat_.Messages) ShowError(this, Q(m));
    // The window handled its events during the computation: a selection or length changed
    // meanwhile is computed now.
    const TDrawStatsInputs now{draws_.Count(), draws_.Offset(), edDrawsStatLen->value(), cbDrawsStatType->currentIndex()};
    if (!(now == drawsStatCache_.Last())) QTimer::singleShot(0, this, [this] { ComputeDrawStats(false); });
}

TStatValues TTemplateMain::RowToStatValues(int row) const { return velmora::RowToStatValues(drawsStatModel_->Row(row)); }

void TTemplateMain::FillDrawsStatChart() {
    QChart* chart = crtDrawsStat->chart();
    chart->removeAllSeries();
    // The axes stay with the chart; only their labels and ranges change.
    auto* axisX = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    auto* axisY = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    if (!axisX) {
        axisX = new QCategoryAxis;
        axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        chart->addAxis(axisX, Qt::AlignBottom);
    }
    if (!axisY) {
        axisY = new QValueAxis;
        axisY->setLabelFormat("%g");
        chart->addAxis(axisY, Qt::AlignLeft);
    }
    for (const QString& label : axisX->categoriesLabels()) axisX->remove(label);
    const TDrawStatsTable& t = drawsStat_;
    const bool empty = t.Actual.empty() && t.FullSet.empty();
    axisX->setVisible(!empty);
    axisY->setVisible(!empty);
    if (empty) return;

    double maxY = 0;
    if (!t.FullSet.empty()) {
        auto* full = new QLineSeries;
        full->setName(tr("Все возможные комбинации"));
        full->setPen(QPen(BgrColor(kFullSetColor), 1.5));
        for (const auto& p : t.FullSet) {
            full->append(p.X, p.Y);
            maxY = std::max(maxY, p.Y);
        }
        chart->addSeries(full);
        full->attachAxis(axisX);
        full->attachAxis(axisY);
    }
    auto* actual = new QLineSeries;
    actual->setName(tr("Фактические данные"));
    actual->setPen(QPen(BgrColor(kActualColor), 2));
    auto* points = new QScatterSeries;
    points->setMarkerSize(6);
    points->setColor(BgrColor(kActualColor));
    points->setBorderColor(BgrColor(kPointFrame));
    for (const auto& p : t.Actual) {
        actual->append(p.X, p.Y);
        points->append(p.X, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    for (QAbstractSeries* s : {static_cast<QAbstractSeries*>(actual), static_cast<QAbstractSeries*>(points)}) {
        chart->addSeries(s);
        s->attachAxis(axisX);
        s->attachAxis(axisY);
    }
    for (QLegendMarker* m : chart->legend()->markers(points)) m->setVisible(false);

    // The value texts under their points; every n-th one when there are many.
    const auto& labelled = t.FullSet.empty() ? t.Actual : t.FullSet;
    const size_t step = std::max<size_t>(1, (labelled.size() + kMaxAxisLabels - 1) / kMaxAxisLabels);
    QStringList used;
    for (size_t k = 0; k < labelled.size(); k += step) {
        const QString label = Q(labelled[k].Label);
        if (used.contains(label)) continue;
        used << label;
        axisX->append(label, labelled[k].X);
    }
    axisX->setRange(0.5, labelled.empty() ? 1.0 : labelled.back().X + 0.5);
    axisY->setRange(0, maxY > 0 ? maxY * 1.1 : 1);
    axisY->applyNiceNumbers();
}

// ---- commands -------------------------------------------------------------------------------

bool TTemplateMain::DrawsStatCalcUpdate() const { return draws_.Count() > 0 && SelectedStatMethod() >= 0; }
void TTemplateMain::DrawsStatCalcExecute() { ComputeDrawStats(true); }

bool TTemplateMain::DrawsStatePrefetchsEnabledUpdate() const { return true; }
bool TTemplateMain::DrawsStatePrefetchsEnabledChecked() const { return prefetchsEnabled_; }

void TTemplateMain::SetPrefetchsEnabled(bool on) {
    prefetchsEnabled_ = on;
    WriteSwitch("PrefetchsEnabled", prefetchsEnabled_);
}

void TTemplateMain::DrawsStatePrefetchsEnabledExecute() {
    SetPrefetchsEnabled(!prefetchsEnabled_);
    CreatePrefetchFiles(false, kNoPrefetchGroups);
    ShowPrefetchColumns();
    ComputeDrawStats(true);
}

bool TTemplateMain::DrawsStatShowTotalLineUpdate() const { return prefetchsEnabled_; }
bool TTemplateMain::DrawsStatShowTotalLineChecked() const { return showTotalLine_; }

void TTemplateMain::DrawsStatShowTotalLineExecute() {
    SetStatusText(tr("Создание графиков..."));
    showTotalLine_ = !showTotalLine_;
    WriteSwitch("ShowTotalLine", showTotalLine_);
    drawsStat_.Actual.clear();
    drawsStat_.FullSet.clear();
    FillDrawsStatChart();
    ComputeDrawStats(true);
    SetStatusText(QString());
}

void TTemplateMain::CreatePrefetchFiles(bool force, uint16_t groupMask) {
    if (!force && !prefetchsEnabled_) return;
    TPrefetchBuildResult result;
    {
        TBusy busy(this);
        TProgressWindow progress(this, fmProgress, tr("Создание файлов для полного набора комбинаций..."));
        result = velmora::CreatePrefetchFiles(statList_, force, prefetchsEnabled_, groupMask, progress);
    }
    // A failure of one file is usually a failure of them all (the folder): the first one is shown.
    if (!result.Errors.empty()) ShowError(this, Q(result.Errors.front()));
}

} // namespace velmora
