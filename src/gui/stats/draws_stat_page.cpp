#include "gui/stats/draws_stat_page.h"

#include "core/combs/prefetch.h"
#include "core/export/list_tables.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "gui/app/enter_spin_box.h"
#include "gui/app/messages.h"
#include "gui/app/pane_splitter.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/xlsx_export_command.h"
#include "gui/stats/draw_stats_model.h"
#include "gui/views/chart_axes.h"
#include "gui/views/column_fit.h"

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
#include <QScatterSeries>
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
constexpr int kAxisLabelGap = 10;  // room between two labels of the value axis
constexpr int kMaxAxisStep = 1000;
constexpr int kDefaultChartHeight = 220;

bool IsPrefetchColumn(int c) { return c >= kColNorm && c <= kColDeviationPct; }

} // namespace

TDrawsStatPage::TDrawsStatPage(TTemplateMain& window) : TMainPage(window, "tsDrawsStat") {
    AddCommand("DrawsStatCalc", tr("Обновить"), {}, tr("Обновить"), &TDrawsStatPage::DrawsStatCalcUpdate,
               &TDrawsStatPage::DrawsStatCalcExecute);
    AddCommand("DrawsStatePrefetchsEnabled", tr("Использовать сравнение с полным набором комбинаций"), {},
               tr("Использовать сравнение с полным набором комбинаций"),
               &TDrawsStatPage::DrawsStatePrefetchsEnabledUpdate, &TDrawsStatPage::DrawsStatePrefetchsEnabledExecute,
               &TDrawsStatPage::DrawsStatePrefetchsEnabledChecked);
    AddCommand("DrawsStatShowTotalLine", tr("График идеального распределения"), {},
               tr("График идеального распределения"), &TDrawsStatPage::DrawsStatShowTotalLineUpdate,
               &TDrawsStatPage::DrawsStatShowTotalLineExecute, &TDrawsStatPage::DrawsStatShowTotalLineChecked);
    AddCommand("DrawsStatExportToExcel", tr("Экспорт статистики в Microsoft Excel"), {},
               tr("Экспорт статистики в Microsoft Excel"), &TDrawsStatPage::DrawsStatExportToExcelUpdate,
               &TDrawsStatPage::DrawsStatExportToExcelExecute);
    AddStatFilterCommands();
    AddFavouritesCommands();
    drawsStatModel_ = new TDrawStatsModel(this);

    cbDrawsStatType = new QComboBox(this);
    cbDrawsStatType->setObjectName("cbDrawsStatType");
    cbDrawsStatType->setToolTip(tr("Вид расчета статистики"));
    cbDrawsStatType->setStatusTip(cbDrawsStatType->toolTip());
    cbDrawsStatType->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbDrawsStatType->setMinimumContentsLength(10);
    cbDrawsStatType->setMaxVisibleItems(30);
    connect(cbDrawsStatType, &QComboBox::currentIndexChanged, this, [this] {
        if (Window().IsIdle() && DrawsStatCalcUpdate()) ComputeDrawStats(false);
        Window().UpdateCommands();
    });

    auto* lbLen = new QLabel(tr("Тиражей:"), this);
    edDrawsStatLen = new TEnterSpinBox(this);
    edDrawsStatLen->setObjectName("edDrawsStatLen");
    edDrawsStatLen->setRange(1, kMaxStatLen);
    edDrawsStatLen->setValue(kDefaultStatLen);
    edDrawsStatLen->setToolTip(tr("Количество тиражей, использующихся для расчета статистики"));
    edDrawsStatLen->setStatusTip(edDrawsStatLen->toolTip());
    edDrawsStatLen->setMinimumWidth(80);
    lbLen->setBuddy(edDrawsStatLen);
    // Enter recomputes; the spin box keeps the value within its limits.
    connect(edDrawsStatLen, &TEnterSpinBox::EnterPressed, this, [this] {
        if (Window().IsIdle()) ComputeDrawStats(false);
    });

    btnDrawsStatCalc = CommandButton(this, "btnDrawsStatCalc", Command("DrawsStatCalc"));
    btnStatFilterInclude = CommandButton(this, "btnStatFilterInclude", Command("StatFilter_Include"));
    btnStatFilterExclude = CommandButton(this, "btnStatFilterExclude", Command("StatFilter_Exclude"));
    btnFiltersManager = CommandButton(this, "btnFiltersManager", Command("FiltersManager"));
    btnFiltersInfo = CommandButton(this, "btnFiltersInfo", Command("FiltersInfo"));

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
    filterTools->addWidget(btnFiltersManager);
    filterTools->addWidget(btnStatFilterInclude);
    filterTools->addWidget(btnStatFilterExclude);
    filterTools->addStretch(1);
    filterTools->addWidget(btnFiltersInfo);

    lvDrawsStat = new QTableView(this);
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
    connect(lvDrawsStat->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);

    pmDrawsStat = CreatePopupMenu("pmDrawsStat", lvDrawsStat,
                                  {"StatFilter_Include", "StatFilter_Exclude", "", "DrawsStatCalc", "",
                                   "DrawsStatePrefetchsEnabled", "DrawsStatShowTotalLine", "", "DrawsStatExportToExcel"});

    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    crtDrawsStat = new QChartView(chart, this);
    crtDrawsStat->setObjectName("crtDrawsStat");
    crtDrawsStat->setRenderHint(QPainter::Antialiasing);
    crtDrawsStat->setMinimumHeight(60);
    // The labels follow the width of the chart. Not its plot area: turning the labels changes
    // that area, which would turn them back.
    connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& plot) {
        if (crtDrawsStat->width() != axisLabelsWidth_) LayoutAxisLabels(false);
        if (int(plot.height()) != valueTicksHeight_) LayoutValueTicks();
    });
    UseProgramNumbers(chart);

    splDrawsStat = new TPaneSplitter(Qt::Vertical, this);
    splDrawsStat->setObjectName("splDrawsStat");
    splDrawsStat->addWidget(lvDrawsStat);
    splDrawsStat->addWidget(crtDrawsStat);
    splDrawsStat->setChildrenCollapsible(false);
    splDrawsStat->SetPaneSize(kDefaultChartHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addLayout(filterTools);
    layout->addWidget(splDrawsStat, 1);
    ShowPrefetchColumns();

    AddCommands(window.MainMenu(TMainMenu::Stats),
                {"FiltersManager", "FiltersReset", "FiltersInfo", "", "DrawsStatCalc", "", "DrawsStatePrefetchsEnabled",
                 "DrawsStatShowTotalLine", "", "DrawsStatExportToExcel"});

    // A rebuilt list (new settings) keeps the selected item where it can.
    connect(&window, &TTemplateMain::StatListChanged, this, [this] { RefreshStatSelectors(true); });
}

// ---- settings ------------------------------------------------------------------------------

void TDrawsStatPage::ReadSettings(const std::string& section) {
    const TWindowSettings& settings = Window().Settings();
    {
        const QSignalBlocker block(edDrawsStatLen);
        edDrawsStatLen->setValue(std::clamp(settings.ReadInteger(section, "DrawsStatLen", kDefaultStatLen), 1, kMaxStatLen));
    }
    splDrawsStat->SetPaneSize(std::max(settings.ReadInteger(section, "DrawsStatHeight", kDefaultChartHeight), 60));
    showTotalLine_ = settings.ReadBool(section, "ShowTotalLine", true);
    if (const auto sort = settings.ReadSortType(section, "lvDrawsStat")) {
        drawsStatModel_->SetSort(sort->Column, sort->Direction != 0);
        lvDrawsStat->horizontalHeader()->setSortIndicator(
            drawsStatModel_->SortColumn(), drawsStatModel_->SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
    const auto widths = settings.ReadColumnWidths(section, "lvDrawsStat", kDrawStatsColumnCount);
    for (int c = 0; c < int(widths.size()); ++c)
        if (widths[size_t(c)] > 0 && !IsPrefetchColumn(c)) lvDrawsStat->setColumnWidth(c, widths[size_t(c)]);
    ShowPrefetchColumns();
}

void TDrawsStatPage::WriteSettings(const std::string& section) {
    TWindowSettings& settings = Window().Settings();
    settings.WriteInteger(section, "DrawsStatLen", edDrawsStatLen->value());
    settings.WriteInteger(section, "DrawsStatHeight", splDrawsStat->PaneSize());
    // -1: the statistic's own order (no column chosen yet).
    settings.WriteSortType(section, "lvDrawsStat",
                            TSortType{drawsStatModel_->SortColumn(), drawsStatModel_->SortDescending() ? 1 : 0});
    std::vector<int> widths;
    for (int c = 0; c < kDrawStatsColumnCount; ++c)
        widths.push_back(IsPrefetchColumn(c) ? kPrefetchColumnWidth : lvDrawsStat->columnWidth(c));
    settings.WriteColumnWidths(section, "lvDrawsStat", widths);
}

// Columns 3 to 5 show only while the comparison with the full set is on.
void TDrawsStatPage::ShowPrefetchColumns() {
    for (int c = kColNorm; c <= kColDeviationPct; ++c) {
        lvDrawsStat->setColumnHidden(c, !Window().PrefetchsEnabled());
        if (Window().PrefetchsEnabled()) lvDrawsStat->setColumnWidth(c, kPrefetchColumnWidth);
    }
}

// A column whose texts (value keys of a mask statistic, long forecasts) are wider than it grows to
// show them whole; a column the user widened stays as wide.
// ---- selectors and the table -----------------------------------------------------------------

void TDrawsStatPage::RefreshStatSelectors(bool keepIndex) {
    const int keep = keepIndex ? cbDrawsStatType->currentIndex() : 0;
    struct Item {
        QString Caption;
        int Method;
    };
    std::vector<Item> items;
    for (int i = 0; i < Window().StatList().Count(); ++i)
        if (Window().StatList().IsAvailable(i) && Window().StatList().CanShowInTable(i) && Window().StatList().IsVisible(i))
            items.push_back({Q(Window().StatList().DisplayCaption(i, true)), i});
    if (Window().StatList().Ordered)
        std::stable_sort(items.begin(), items.end(),
                         [](const Item& a, const Item& b) { return a.Caption.localeAwareCompare(b.Caption) < 0; });
    // The graph page fills its own selector from the same rule when it is built.
    const QSignalBlocker block(cbDrawsStatType);
    cbDrawsStatType->clear();
    for (const auto& it : items) cbDrawsStatType->addItem(it.Caption, it.Method);
    if (keep >= 0 && keep < cbDrawsStatType->count()) cbDrawsStatType->setCurrentIndex(keep);
    Window().UpdateCommands();
}

int TDrawsStatPage::SelectedStatMethod() const {
    if (cbDrawsStatType->currentIndex() < 0) return -1;
    bool ok = false;
    const int i = cbDrawsStatType->currentData().toInt(&ok);
    return ok && i >= 0 && i < Window().StatList().Count() ? i : -1;
}

void TDrawsStatPage::ComputeDrawStats(bool force) {
    if (computingStats_) return;
    const TDrawStatsInputs inputs{Window().Draws().Count(), Window().Draws().Offset(), edDrawsStatLen->value(),
                                  cbDrawsStatType->currentIndex()};
    if (!drawsStatCache_.NeedsCompute(inputs, force)) return;
    drawsStat_ = TDrawStatsTable{};
    drawsStatModel_->Clear();
    FillDrawsStatChart();
    const int method = SelectedStatMethod();
    if (method < 0 || Window().Draws().Count() == 0) return;

    computingStats_ = true;
    {
        TBusy busy(&Window());
        TStatusProgress& progress = Window().Progress();
        try {
            TDrawStatsOptions options;
            options.Length = edDrawsStatLen->value();
            options.Compare = Window().PrefetchsEnabled();
            options.ShowTotalLine = showTotalLine_;
            drawsStat_ = velmora::ComputeDrawStats(Window().StatList(), method, Window().Draws(), options, progress);
        } catch (const std::exception& e) {
            drawsStat_ = TDrawStatsTable{};
            drawsStat_.Messages.push_back(e.what());
        }
        drawsStatModel_->SetRows(drawsStat_.Rows);
        WidenColumnsToContents(lvDrawsStat);
        FillDrawsStatChart();
        Window().SetStatusText(QString());
    }
    computingStats_ = false;
    for (const auto& m : drawsStat_.Messages) ShowError(&Window(), Q(m));
    // The window handled its events during the computation: a selection or length changed
    // meanwhile is computed now.
    const TDrawStatsInputs now{Window().Draws().Count(), Window().Draws().Offset(), edDrawsStatLen->value(), cbDrawsStatType->currentIndex()};
    if (!(now == drawsStatCache_.Last())) QTimer::singleShot(0, this, [this] { ComputeDrawStats(false); });
}

TStatValues TDrawsStatPage::RowToStatValues(int row) const { return velmora::RowToStatValues(drawsStatModel_->Row(row)); }

void TDrawsStatPage::FillDrawsStatChart() {
    QChart* chart = crtDrawsStat->chart();
    chart->removeAllSeries();
    // The axes stay with the chart; only their labels and ranges change.
    auto* axisX = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    auto* axisY = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Vertical).value(0));
    if (!axisX) {
        axisX = new QCategoryAxis;
        axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        chart->addAxis(axisX, Qt::AlignBottom);
    }
    if (!axisY) {
        axisY = new QCategoryAxis;
        chart->addAxis(axisY, Qt::AlignLeft);
    }
    for (const QString& label : axisX->categoriesLabels()) axisX->remove(label);
    axisLabels_.clear();
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

    const auto& labelled = t.FullSet.empty() ? t.Actual : t.FullSet;
    for (const auto& p : labelled) axisLabels_.push_back({Q(p.Label), p.X});
    axisX->setRange(0.5, labelled.empty() ? 1.0 : labelled.back().X + 0.5);
    chartMaxY_ = maxY;
    LayoutValueTicks();
    LayoutAxisLabels(true);
}

// The value texts under their points, as many as the width of the chart shows whole: every n-th
// one when they do not fit, turned upright when that shows clearly more of them. Runs again when
// the chart changes its size.
void TDrawsStatPage::LayoutAxisLabels(bool force) {
    QChart* chart = crtDrawsStat->chart();
    auto* axisX = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    if (!axisX) return;
    const int n = int(axisLabels_.size());
    const QFontMetrics fm(axisX->labelsFont());
    int widest = 0;
    for (const auto& l : axisLabels_) widest = std::max(widest, fm.horizontalAdvance(l.first));
    // The chart gives every label an equal share of the axis, less a padding on both sides.
    const double plotWidth = chart->plotArea().width() > 0 ? chart->plotArea().width()
                                                            : std::max(crtDrawsStat->width() - 80, 100);
    auto stepFor = [&](int labelWidth) {
        const int fit = HorizontalTickRoom(labelWidth, plotWidth);
        return std::max(1, (n + fit - 1) / fit);
    };
    const int flatStep = stepFor(widest);
    const int uprightStep = stepFor(fm.height());
    // Upright texts take their length from the chart's height, of which the axis gets at most
    // two fifths: only short ones turn.
    const int legend = chart->legend()->isVisible() ? fm.height() * 2 : 0;
    const bool upright = flatStep > 1 && uprightStep * 2 <= flatStep &&
                         widest + 2 * kAxisLabelGap <= (crtDrawsStat->height() - legend - 8) * 2 / 5;
    const int step = std::min(upright ? uprightStep : flatStep, kMaxAxisStep);
    axisLabelsWidth_ = crtDrawsStat->width();
    if (!force && step == axisLabelStep_ && upright == axisLabelsUpright_) return;
    axisLabelStep_ = step;
    axisLabelsUpright_ = upright;
    for (const QString& label : axisX->categoriesLabels()) axisX->remove(label);
    axisX->setLabelsAngle(upright ? -90 : 0);
    QStringList used;
    for (int k = 0; k < n; k += step) {
        const QString& label = axisLabels_[size_t(k)].first;
        if (used.contains(label)) continue;
        used << label;
        axisX->append(label, axisLabels_[size_t(k)].second);
    }
}

// Round values on the value axis, as many as the plot's height shows whole.
void TDrawsStatPage::LayoutValueTicks() {
    QChart* chart = crtDrawsStat->chart();
    auto* axisY = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Vertical).value(0));
    if (!axisY) return;
    const double height = chart->plotArea().height() > 0 ? chart->plotArea().height()
                                                         : std::max(crtDrawsStat->height() - 60, 40);
    valueTicksHeight_ = int(chart->plotArea().height());
    SetValueTicks(axisY, NiceTicks(0, chartMaxY_ > 0 ? chartMaxY_ : 1, VerticalTickRoom(axisY->labelsFont(), height)));
}

// ---- commands -------------------------------------------------------------------------------

bool TDrawsStatPage::DrawsStatCalcUpdate() const { return Window().Draws().Count() > 0 && SelectedStatMethod() >= 0; }
void TDrawsStatPage::DrawsStatCalcExecute() { ComputeDrawStats(true); }

bool TDrawsStatPage::DrawsStatePrefetchsEnabledUpdate() const { return true; }
bool TDrawsStatPage::DrawsStatePrefetchsEnabledChecked() const { return Window().PrefetchsEnabled(); }

void TDrawsStatPage::DrawsStatePrefetchsEnabledExecute() {
    Window().SetPrefetchsEnabled(!Window().PrefetchsEnabled());
    Window().CreatePrefetchFiles(false, kNoPrefetchGroups);
    ShowPrefetchColumns();
    ComputeDrawStats(true);
}

bool TDrawsStatPage::DrawsStatShowTotalLineUpdate() const { return Window().PrefetchsEnabled(); }
bool TDrawsStatPage::DrawsStatShowTotalLineChecked() const { return showTotalLine_; }

void TDrawsStatPage::DrawsStatShowTotalLineExecute() {
    Window().SetStatusText(tr("Создание графиков..."));
    showTotalLine_ = !showTotalLine_;
    Window().WriteSwitch("ShowTotalLine", showTotalLine_);
    drawsStat_.Actual.clear();
    drawsStat_.FullSet.clear();
    FillDrawsStatChart();
    ComputeDrawStats(true);
    Window().SetStatusText(QString());
}

bool TDrawsStatPage::DrawsStatExportToExcelUpdate() const { return drawsStatModel_->rowCount() > 0; }

void TDrawsStatPage::DrawsStatExportToExcelExecute() {
    // The rows in the table's order, with the columns it shows.
    std::vector<TDrawStatsRow> rows;
    for (int r = 0; r < drawsStatModel_->rowCount(); ++r)
        if (const TDrawStatsRow* row = drawsStatModel_->Row(r)) rows.push_back(*row);
    const std::string title = DrawStatsXlsTitle(S(tr("Статистика")), S(cbDrawsStatType->currentText()));
    ExportTableToXlsx(Window(), tr("Экспорт статистики в Microsoft Excel"),
                      DrawStatsXlsTable(rows, Window().PrefetchsEnabled(), title));
}

} // namespace velmora
