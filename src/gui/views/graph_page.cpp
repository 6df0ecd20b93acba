#include "gui/views/graph_page.h"

#include "core/stats/stat_list.h"
#include "core/util/translate.h"
#include "core/views/draw_graph.h"
#include "gui/app/enter_spin_box.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/views/form_repeats.h"
#include "gui/views/form_sum_distribution.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <climits>

namespace velmora {

namespace {

constexpr int kDefaultLength = 100;
const QColor kCurveColour(0x00, 0x80, 0x00);    // 0x008000
const QColor kMarkerOutline(0xFF, 0x00, 0xFF);  // 0xFF00FF
const QColor kMeanColour(0x00, 0x00, 0xFF);     // 0xFF0000
const QColor kModeColour(0xFF, 0x00, 0x00);     // 0x0000FF

QLineSeries* LineSeries(const QString& title, const QColor& colour) {
    auto* s = new QLineSeries;
    s->setName(title);
    QPen pen(colour);
    pen.setWidth(2);
    s->setPen(pen);
    return s;
}

} // namespace

TGraphPage::TGraphPage(TTemplateMain& window) : TMainPage(window, "tsGraphs") {
    AddCommand("TabGraps", tr("Вкладка \"Графики\""), {}, tr("Вкладка \"Графики\""), &TGraphPage::TabGrapsUpdate,
               &TGraphPage::TabGrapsExecute, &TGraphPage::TabGrapsChecked);
    AddCommand("DrawsGraphDraw", tr("Обновить"), {}, tr("Перестроить график"), &TGraphPage::DrawsGraphDrawUpdate,
               &TGraphPage::DrawsGraphDrawExecute);
    AddCommand("TotalSumCombs", tr("Распределение сумм тиражей и всех возможных комбинаций"), {},
               tr("Распределение сумм всех возможных комбинаций и архива тиражей одновременно"),
               &TGraphPage::TotalSumCombsUpdate, &TGraphPage::TotalSumCombsExecute);
    AddCommand("AnalyzeRepeats", tr("Количество повторов в зависимости от тиража"), {},
               tr("Количество повторов в зависимости от тиража"), &TGraphPage::AnalyzeRepeatsUpdate,
               &TGraphPage::AnalyzeRepeatsExecute);

    auto* lbLen = new QLabel(tr("Тиражей:"), this);
    edDrawsGraphLen = new TEnterSpinBox(this);
    edDrawsGraphLen->setObjectName("edDrawsGraphLen");
    edDrawsGraphLen->setRange(1, INT_MAX);
    edDrawsGraphLen->setValue(kDefaultLength);
    edDrawsGraphLen->setToolTip(tr("Количество тиражей, использующихся для построения графиков"));
    edDrawsGraphLen->setStatusTip(edDrawsGraphLen->toolTip());
    edDrawsGraphLen->setMinimumWidth(edDrawsGraphLen->fontMetrics().horizontalAdvance("0000000") + 30);
    lbLen->setBuddy(edDrawsGraphLen);
    connect(edDrawsGraphLen, &TEnterSpinBox::EnterPressed, this, [this] {
        if (edDrawsGraphLen->hasAcceptableInput()) SelectorChanged();
    });

    cbDrawsGraphType = new QComboBox(this);
    cbDrawsGraphType->setObjectName("cbDrawsGraphType");
    cbDrawsGraphType->setToolTip(tr("Тип графика"));
    cbDrawsGraphType->setStatusTip(cbDrawsGraphType->toolTip());
    cbDrawsGraphType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cbDrawsGraphType->setMinimumContentsLength(24);
    connect(cbDrawsGraphType, &QComboBox::currentIndexChanged, this, [this] { SelectorChanged(); });

    btnDrawsGraphDraw = CommandButton(this, "btnDrawsGraphDraw", Command("DrawsGraphDraw"));
    cbDrawsGraphShowMarks = new QCheckBox(tr("Отображать метки на графике"), this);
    cbDrawsGraphShowMarks->setObjectName("cbDrawsGraphShowMarks");
    connect(cbDrawsGraphShowMarks, &QCheckBox::toggled, this, [this](bool on) {
        const auto series = crtDrawsGraph->chart()->series();
        if (auto* curve = series.isEmpty() ? nullptr : qobject_cast<QLineSeries*>(series.front()))
            curve->setPointLabelsVisible(on);
    });

    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(4);
    tools->addWidget(lbLen);
    tools->addWidget(edDrawsGraphLen);
    tools->addWidget(cbDrawsGraphType);
    tools->addWidget(btnDrawsGraphDraw);
    tools->addSpacing(12);
    tools->addWidget(cbDrawsGraphShowMarks);
    tools->addStretch(1);

    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setVisible(true);
    chart->setMargins(QMargins(4, 4, 4, 4));
    crtDrawsGraph = new QChartView(chart, this);
    crtDrawsGraph->setObjectName("crtDrawsGraph");
    crtDrawsGraph->setRenderHint(QPainter::Antialiasing);
    crtDrawsGraph->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(crtDrawsGraph, 1);

    pmDrawsGraph = CreatePopupMenu("pmDrawsGraph", crtDrawsGraph, {"DrawsGraphDraw"});
    AddCommands(window.MainMenu(TMainMenu::View), {"TabGraps"});
    AddCommands(window.MainMenu(TMainMenu::Stats), {"", "TotalSumCombs", "AnalyzeRepeats"});

    connect(&window, &TTemplateMain::StatListChanged, this, [this] { RefreshGraphSelector(true); });
    RefreshGraphSelector(false);
}

void TGraphPage::ReadSettings(const std::string& section) {
    const TWindowSettings& settings = Window().Settings();
    {
        const QSignalBlocker block(edDrawsGraphLen);
        edDrawsGraphLen->setValue(std::max(1, settings.ReadInteger(section, "DrawsGraphLen", kDefaultLength)));
    }
    SetPageVisible(settings.ReadBool(section, "TabGraphs", true));
}

void TGraphPage::WriteSettings(const std::string& section) {
    Window().Settings().WriteInteger(section, "DrawsGraphLen", edDrawsGraphLen->value());
}

bool TGraphPage::PageVisible() const {
    const int i = Window().pcMain->indexOf(const_cast<TGraphPage*>(this));
    return i >= 0 && Window().pcMain->isTabVisible(i);
}

void TGraphPage::SetPageVisible(bool visible) {
    const int i = Window().pcMain->indexOf(this);
    if (i >= 0) Window().pcMain->setTabVisible(i, visible);
}

void TGraphPage::RefreshGraphSelector(bool keepIndex) {
    const TStatList& list = Window().StatList();
    const int keepMethod = keepIndex && cbDrawsGraphType->currentIndex() >= 0 ? cbDrawsGraphType->currentData().toInt() : -1;
    struct Item {
        QString Caption;
        int Method;
    };
    std::vector<Item> items;
    for (int i = 0; i < list.Count(); ++i)
        if (IsGraphMethod(list, i) && list.IsVisible(i)) items.push_back({Q(list.DisplayCaption(i, true)), i});
    if (list.Ordered)
        std::stable_sort(items.begin(), items.end(),
                         [](const Item& a, const Item& b) { return a.Caption.localeAwareCompare(b.Caption) < 0; });
    {
        const QSignalBlocker block(cbDrawsGraphType);
        cbDrawsGraphType->clear();
        int current = items.empty() ? -1 : 0;
        for (size_t k = 0; k < items.size(); ++k) {
            cbDrawsGraphType->addItem(items[k].Caption, items[k].Method);
            if (items[k].Method == keepMethod) current = int(k);
        }
        cbDrawsGraphType->setCurrentIndex(current);
    }
    Window().UpdateCommands();
}

void TGraphPage::SelectorChanged() {
    Window().UpdateCommands();
    if (DrawsGraphDrawUpdate() && Window().IsIdle()) RefreshDrawGraph(false);
}

void TGraphPage::ClearChart() {
    QChart* chart = crtDrawsGraph->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

void TGraphPage::RefreshDrawGraph(bool force) {
    if (!PageVisible()) return;
    const TInputs inputs{Window().Draws().Count(), Window().Draws().Offset(), edDrawsGraphLen->value(),
                         cbDrawsGraphType->currentIndex()};
    if (!force && cached_ && inputs == inputs_) return;
    inputs_ = inputs;
    cached_ = true;
    ClearChart();
    if (cbDrawsGraphType->currentIndex() < 0 || Window().Draws().Count() == 0) return;

    TDrawGraph graph;
    {
        TBusy busy(&Window());
        Window().SetStatusText(Q(TrText(kDrawGraphStatus)));
        try {
            graph = ComputeDrawGraph(Window().StatList(), cbDrawsGraphType->currentData().toInt(), Window().Draws(),
                                     inputs.Length, Window().Progress());
        } catch (...) {
            Window().SetStatusText(QString());
            throw;
        }
        Window().SetStatusText(QString());
    }
    if (graph.Points.empty()) return;

    QLineSeries* curve = LineSeries(cbDrawsGraphType->currentText(), kCurveColour);
    curve->setPointsVisible(true);
    curve->setMarkerSize(4);
    curve->setBrush(kMarkerOutline);
    curve->setPointLabelsFormat("@yPoint");
    curve->setPointLabelsClipping(false);
    QLineSeries* mean = LineSeries(Q(TrText(kDrawGraphMeanTitle)), kMeanColour);
    QLineSeries* mode = LineSeries(Q(TrText(kDrawGraphModeTitle)), kModeColour);
    double lo = graph.Mean, hi = graph.Mean;
    for (const TDrawGraphPoint& p : graph.Points) {
        curve->append(p.DrawNumber, p.Value);
        mean->append(p.DrawNumber, graph.Mean);
        mode->append(p.DrawNumber, graph.Mode);
        lo = std::min<double>({lo, double(p.Value), double(graph.Mode)});
        hi = std::max<double>({hi, double(p.Value), double(graph.Mode)});
    }
    QChart* chart = crtDrawsGraph->chart();
    auto* axisX = new QValueAxis;
    axisX->setLabelFormat("%d");
    axisX->setRange(graph.Points.front().DrawNumber, std::max(graph.Points.back().DrawNumber,
                                                                graph.Points.front().DrawNumber + 1));
    axisX->setTickType(QValueAxis::TicksDynamic);
    const int span = graph.Points.back().DrawNumber - graph.Points.front().DrawNumber;
    axisX->setTickAnchor(graph.Points.front().DrawNumber);
    axisX->setTickInterval(std::max(1, span / 10));
    auto* axisY = new QValueAxis;
    axisY->setRange(lo, hi > lo ? hi : lo + 1);
    axisY->applyNiceNumbers();
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QLineSeries* s : {curve, mean, mode}) {
        chart->addSeries(s);
        s->attachAxis(axisX);
        s->attachAxis(axisY);
    }
    curve->setPointLabelsVisible(cbDrawsGraphShowMarks->isChecked());
}

// ---- commands -------------------------------------------------------------------------------

bool TGraphPage::TabGrapsUpdate() const { return true; }
bool TGraphPage::TabGrapsChecked() const { return PageVisible(); }

void TGraphPage::TabGrapsExecute() {
    const bool visible = !PageVisible();
    SetPageVisible(visible);
    Window().WriteSwitch("TabGraphs", visible);
    if (!visible) return;
    RefreshDrawGraph(true);
    Window().pcMain->setCurrentWidget(this);
}

bool TGraphPage::DrawsGraphDrawUpdate() const {
    return PageVisible() && Window().Draws().Count() > 0 && cbDrawsGraphType->currentIndex() >= 0;
}

void TGraphPage::DrawsGraphDrawExecute() { RefreshDrawGraph(true); }

bool TGraphPage::TotalSumCombsUpdate() const { return true; }

void TGraphPage::TotalSumCombsExecute() { ShowSumDistribution(Window()); }

bool TGraphPage::AnalyzeRepeatsUpdate() const { return Window().Draws().Count() > 0; }

void TGraphPage::AnalyzeRepeatsExecute() { ShowRepeats(Window()); }

} // namespace velmora
