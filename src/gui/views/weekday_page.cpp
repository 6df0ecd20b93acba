#include "gui/views/weekday_page.h"

#include "core/util/translate.h"
#include "core/views/weekday_stats.h"
#include "gui/app/enter_spin_box.h"
#include "gui/app/pane_splitter.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/views/grid_delegate.h"
#include "gui/views/selection_filter.h"
#include "gui/views/weekday_model.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <climits>

namespace velmora {

namespace {

constexpr int kDefaultLength = 1000;
constexpr int kDefaultChartHeight = 180;
constexpr int kColumnWidth = 30;
constexpr int kRowHeight = 18;
const QColor kSeriesColour(0x00, 0x80, 0x00);   // 0x008000
const QColor kMarkerOutline(0xFF, 0x00, 0xFF);  // 0xFF00FF

} // namespace

TWeekdayPage::TWeekdayPage(TTemplateMain& window) : TMainPage(window, "tsWeek") {
    AddCommand("TabWeek", tr("Вкладка \"Неделя\""), {}, tr("Вкладка \"Неделя\""), &TWeekdayPage::TabWeekUpdate,
               &TWeekdayPage::TabWeekExecute, &TWeekdayPage::TabWeekChecked);
    AddCommand("WeekStatCalc", tr("Обновить"), {}, tr("Пересчитать статистику по выбранным параметрам"),
               &TWeekdayPage::WeekStatCalcUpdate, &TWeekdayPage::WeekStatCalcExecute);
    AddCommand("WeekFilter_Include", tr("Оставить выделенные"), {},
               tr("В списке комбинаций оставить комбинации с выделенными значениями"),
               &TWeekdayPage::WeekFilter_IncludeUpdate, &TWeekdayPage::WeekFilter_IncludeExecute);
    AddCommand("WeekFilter_Exclude", tr("Удалить выделенные"), {},
               tr("Из списка комбинаций удалить комбинации с выделенными  значениями"),
               &TWeekdayPage::WeekFilter_ExcludeUpdate, &TWeekdayPage::WeekFilter_ExcludeExecute);
    AddCommand("ViewWeekChartMode", tr("График по дням недели"), {},
               tr("График статистики по дням недели: по дням недели для номера или по номерам для дня недели"),
               &TWeekdayPage::ViewWeekChartModeUpdate, &TWeekdayPage::ViewWeekChartModeExecute,
               &TWeekdayPage::ViewWeekChartModeChecked);
    AddCommand("ViewWeekChartType", tr("График / диаграмма"), {},
               tr("Вид графика статистики по дням недели: линия или столбцы"), &TWeekdayPage::ViewWeekChartTypeUpdate,
               &TWeekdayPage::ViewWeekChartTypeExecute, &TWeekdayPage::ViewWeekChartTypeChecked);

    auto* lbLen = new QLabel(tr("Тиражей:"), this);
    edWeekLen = new TEnterSpinBox(this);
    edWeekLen->setObjectName("edWeekLen");
    edWeekLen->setRange(1, INT_MAX);
    edWeekLen->setValue(kDefaultLength);
    edWeekLen->setToolTip(tr("Количество тиражей, использующихся для расчета статистики"));
    edWeekLen->setStatusTip(edWeekLen->toolTip());
    edWeekLen->setMinimumWidth(edWeekLen->fontMetrics().horizontalAdvance("0000000") + 30);
    lbLen->setBuddy(edWeekLen);
    connect(edWeekLen, &TEnterSpinBox::EnterPressed, this, [this] {
        if (Window().IsIdle() && edWeekLen->hasAcceptableInput()) RefreshWeek(false);
    });
    btnWeekCalc = CommandButton(this, "btnWeekCalc", Command("WeekStatCalc"));
    btnWeekFilterInclude = CommandButton(this, "btnWeekFilterInclude", Command("WeekFilter_Include"));
    btnWeekFilterExclude = CommandButton(this, "btnWeekFilterExclude", Command("WeekFilter_Exclude"));
    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(2);
    tools->addWidget(lbLen);
    tools->addWidget(edWeekLen);
    tools->addWidget(btnWeekCalc);
    tools->addSpacing(12);
    tools->addWidget(btnWeekFilterInclude);
    tools->addWidget(btnWeekFilterExclude);
    tools->addStretch(1);

    model_ = new TWeekModel(this);
    sgWeek = new QTableView(this);
    sgWeek->setObjectName("sgWeek");
    sgWeek->setModel(model_);
    sgWeek->setItemDelegate(new TGridCellDelegate(sgWeek));
    sgWeek->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sgWeek->setSelectionBehavior(QAbstractItemView::SelectItems);
    sgWeek->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgWeek->setWordWrap(false);
    sgWeek->setCornerButtonEnabled(false);
    sgWeek->setContextMenuPolicy(Qt::CustomContextMenu);
    sgWeek->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sgWeek->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (QHeaderView* h : {sgWeek->horizontalHeader(), sgWeek->verticalHeader()}) {
        h->setHighlightSections(false);
        h->setMinimumSectionSize(1);
    }
    sgWeek->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    connect(sgWeek->selectionModel(), &QItemSelectionModel::selectionChanged, &window, &TTemplateMain::UpdateCommands);
    connect(sgWeek->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) RefreshWeekChart(current.row(), current.column());
            });
    FitGrid();

    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    crtWeek = new QChartView(chart, this);
    crtWeek->setObjectName("crtWeek");
    crtWeek->setRenderHint(QPainter::Antialiasing);
    crtWeek->setContextMenuPolicy(Qt::CustomContextMenu);

    splWeek = new TPaneSplitter(Qt::Vertical, this);
    splWeek->setObjectName("splWeek");
    splWeek->addWidget(sgWeek);
    splWeek->addWidget(crtWeek);
    splWeek->setChildrenCollapsible(false);
    splWeek->SetPaneSize(kDefaultChartHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(splWeek, 1);

    pmWeek = CreatePopupMenu("pmWeek", sgWeek,
                             {"WeekFilter_Include", "WeekFilter_Exclude", "", "ViewWeekChartMode", "ViewWeekChartType"});
    pmWeekChart = CreatePopupMenu("pmWeekChart", crtWeek, {"ViewWeekChartMode", "ViewWeekChartType"});
    AddCommands(window.MainMenu(TMainMenu::View), {"TabWeek"});

    connect(&window, &TTemplateMain::DrawsChanged, this, [this](bool reset) {
        if (reset) stale_ = true;
    });
}

void TWeekdayPage::ReadSettings(const std::string& section) {
    section_ = section;
    const TWindowSettings& settings = Window().Settings();
    {
        const QSignalBlocker block(edWeekLen);
        edWeekLen->setValue(std::max(1, settings.ReadInteger(section, "WeekLen", kDefaultLength)));
    }
    splWeek->SetPaneSize(std::max(60, settings.ReadInteger(section, "WeekHeight", kDefaultChartHeight)));
    chartMode_ = settings.ReadInteger(section, "WeekChartMode", 0) == 1 ? 1 : 0;
    chartLine_ = settings.ReadBool(section, "WeekChartType", false);
    SetWeekPageVisible(settings.ReadBool(section, "TabWeek", true));
}

void TWeekdayPage::WriteSettings(const std::string& section) {
    TWindowSettings& settings = Window().Settings();
    settings.WriteInteger(section, "WeekLen", edWeekLen->value());
    settings.WriteInteger(section, "WeekHeight", splWeek->PaneSize());
}

bool TWeekdayPage::PageVisible() const {
    const int i = Window().pcMain->indexOf(const_cast<TWeekdayPage*>(this));
    return i >= 0 && Window().pcMain->isTabVisible(i);
}

void TWeekdayPage::SetWeekPageVisible(bool visible) {
    const int i = Window().pcMain->indexOf(this);
    if (i >= 0) Window().pcMain->setTabVisible(i, visible);
    if (visible) FitGrid();
}

// Every column shows its widest count and its caption; the weekday names fit their header.
void TWeekdayPage::FitGrid() {
    const QFontMetrics fm = sgWeek->fontMetrics();
    int width = std::max(kColumnWidth, fm.horizontalAdvance("00") + 10);
    for (int c = 0; c < model_->columnCount(); ++c)
        for (int r = 0; r < model_->rowCount(); ++r)
            width = std::max(width, fm.horizontalAdvance(model_->index(r, c).data().toString()) + 10);
    sgWeek->horizontalHeader()->setDefaultSectionSize(width);
    for (int c = 0; c < model_->columnCount(); ++c) sgWeek->setColumnWidth(c, width);
    sgWeek->verticalHeader()->setDefaultSectionSize(std::max(kRowHeight, fm.height() + 4));
    int names = 0;
    for (int d = 1; d <= kWeekdayCount; ++d) names = std::max(names, fm.horizontalAdvance(TWeekModel::WeekdayName(d)));
    sgWeek->verticalHeader()->setFixedWidth(names + 16);
}

void TWeekdayPage::RefreshWeek(bool force) {
    if (!PageVisible()) return;
    const TInputs inputs{Window().Draws().Count(), Window().Draws().Offset(), edWeekLen->value()};
    if (!force && !stale_ && inputs == inputs_) return;
    inputs_ = inputs;
    {
        TBusy busy(&Window());
        Window().SetStatusText(Q(TrText(kWeekStatus)));
        try {
            model_->SetTable(CountWeekdays(Window().Draws(), inputs.Length, Window().Progress()));
            stale_ = false;
        } catch (...) {
            Window().SetStatusText(QString());
            throw;
        }
        FitGrid();
        Window().SetStatusText(QString());
    }
    RefreshCurrentChart();
}

void TWeekdayPage::RefreshCurrentChart() {
    const QModelIndex current = sgWeek->currentIndex();
    RefreshWeekChart(current.isValid() ? current.row() : 0, current.isValid() ? current.column() : 0);
}

void TWeekdayPage::RefreshWeekChart(int row, int column) {
    TBusy busy(&Window());
    Window().SetStatusText(Q(TrText(kWeekStatus)));
    QChart* chart = crtWeek->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    QStringList labels;
    QList<qreal> values;
    if (chartMode_ == 1) {
        for (int d = 1; d <= kWeekdayCount; ++d) {
            labels << TWeekModel::WeekdayName(d);
            values << model_->Count(d - 1, column);
        }
    } else {
        for (int n = 1; n <= kMaxNumber; ++n) {
            labels << model_->headerData(n - 1, Qt::Horizontal, Qt::DisplayRole).toString();
            values << model_->Count(row, n - 1);
        }
    }
    // Seven weekday names fit under their bars; of the fifty numbers every fifth is written (and
    // the first), so that none is cut.
    QAbstractAxis* axisX = nullptr;
    if (chartMode_ == 1) {
        auto* names = new QBarCategoryAxis;
        names->append(labels);
        axisX = names;
    } else {
        auto* numbers = new QCategoryAxis;
        numbers->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        numbers->setRange(-0.5, kMaxNumber - 0.5);
        for (int n = 1; n <= kMaxNumber; ++n)
            if (n == 1 || n % 5 == 0) numbers->append(labels[n - 1], n - 1);
        axisX = numbers;
    }
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat("%d");
    const int top = values.isEmpty() ? 0 : int(*std::max_element(values.begin(), values.end()));
    // Whole counts: a tick per count while they are few, else round steps.
    axisY->setRange(0, std::max(1, top));
    if (top <= 10) {
        axisY->setTickCount(std::max(1, top) + 1);
    } else {
        axisY->applyNiceNumbers();
    }
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    QAbstractSeries* series = nullptr;
    if (chartLine_) {
        auto* line = new QLineSeries;
        QPen pen(kSeriesColour);
        pen.setWidth(2);
        line->setPen(pen);
        line->setPointsVisible(true);
        line->setMarkerSize(4);
        line->setBrush(kMarkerOutline);
        for (int i = 0; i < values.size(); ++i) line->append(i, values[i]);
        series = line;
    } else {
        auto* set = new QBarSet(QString());
        set->setColor(kSeriesColour);
        set->setBorderColor(kSeriesColour);
        set->append(values);
        auto* bars = new QBarSeries;
        bars->append(set);
        bars->setBarWidth(0.7);
        series = bars;
    }
    chart->addSeries(series);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
    Window().SetStatusText(QString());
}

TGridRect TWeekdayPage::SelectedRect() const { return SelectedGridRect(*sgWeek); }

void TWeekdayPage::ApplyWeekFilter(TFilterAction action) {
    ApplySelectionFilter(Window(), WeekSelectedNumbers(SelectedRect()), action, TrText(kWeekCaption));
}

// ---- commands -------------------------------------------------------------------------------

bool TWeekdayPage::TabWeekUpdate() const { return true; }
bool TWeekdayPage::TabWeekChecked() const { return PageVisible(); }

void TWeekdayPage::TabWeekExecute() {
    const bool visible = !PageVisible();
    SetWeekPageVisible(visible);
    Window().WriteSwitch("TabWeek", visible);
    if (!visible) return;
    RefreshWeek(true);
    Window().pcMain->setCurrentWidget(this);
}

bool TWeekdayPage::WeekStatCalcUpdate() const { return PageVisible() && Window().Draws().Count() > 0; }
void TWeekdayPage::WeekStatCalcExecute() { RefreshWeek(true); }

bool TWeekdayPage::WeekFilter_IncludeUpdate() const { return PageVisible() && !Window().Combs().Empty(); }
void TWeekdayPage::WeekFilter_IncludeExecute() { ApplyWeekFilter(TFilterAction::Keep); }

bool TWeekdayPage::WeekFilter_ExcludeUpdate() const { return WeekFilter_IncludeUpdate(); }
void TWeekdayPage::WeekFilter_ExcludeExecute() { ApplyWeekFilter(TFilterAction::Delete); }

bool TWeekdayPage::ViewWeekChartModeUpdate() const { return PageVisible(); }
bool TWeekdayPage::ViewWeekChartModeChecked() const { return chartMode_ == 1; }

void TWeekdayPage::ViewWeekChartModeExecute() {
    chartMode_ = 1 - chartMode_;
    Window().Settings().WriteInteger(section_, "WeekChartMode", chartMode_);
    Window().Settings().Save();
    RefreshCurrentChart();
}

bool TWeekdayPage::ViewWeekChartTypeUpdate() const { return PageVisible(); }
bool TWeekdayPage::ViewWeekChartTypeChecked() const { return chartLine_; }

void TWeekdayPage::ViewWeekChartTypeExecute() {
    chartLine_ = !chartLine_;
    Window().WriteSwitch("WeekChartType", chartLine_);
    RefreshCurrentChart();
}

} // namespace velmora
