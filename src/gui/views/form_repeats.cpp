#include "gui/views/form_repeats.h"

#include "core/util/translate.h"
#include "core/views/repeats_analysis.h"
#include "gui/app/enter_spin_box.h"
#include "gui/app/messages.h"
#include "gui/app/pane_splitter.h"
#include "gui/app/progress_window.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/app/window_placement.h"
#include "gui/views/repeats_model.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <climits>
#include <cmath>

namespace velmora {

namespace {

constexpr int kDefaultLength = 100;
constexpr int kDefaultDepth = 100;
constexpr int kDefaultGraphHeight = 220;
constexpr int kColumnWidths[4] = {80, 80, 80, 2000};
// The line of each number of shared numbers 1..5 (a fixed palette, so that the same m keeps its
// colour from one computation to the next).
const QColor kSeriesColours[5] = {QColor(0x1F, 0x77, 0xB4), QColor(0x2C, 0xA0, 0x2C), QColor(0xFF, 0x7F, 0x0E),
                                  QColor(0xD6, 0x27, 0x28), QColor(0x94, 0x67, 0xBD)};

} // namespace

TFormRepeats::TFormRepeats(TTemplateMain& window) : QDialog(&window), window_(window) {
    setObjectName("TFormRepeats");
    setWindowTitle(Q(TrText(kRepeatsCaption)));
    setSizeGripEnabled(true);

    auto* lbLen = new QLabel(tr("Тиражей:"), this);
    edDrawsLen = LengthSpinBox(this, "edDrawsLen", tr("Количество тиражей, использующихся для расчета статистики"),
                            kDefaultLength);
    lbLen->setBuddy(edDrawsLen);
    btnDrawsStatCalc = new QPushButton(tr("Рассчитать"), this);
    btnDrawsStatCalc->setObjectName("btnDrawsStatCalc");
    btnDrawsStatCalc->setAutoDefault(false);
    auto* lbDeep = new QLabel(tr("Глубина:"), this);
    edDeep = LengthSpinBox(this, "edDeep", tr("Количество тиражей, просматриваемых \"в глубину\" для поиска совпадений"),
                        kDefaultDepth);
    lbDeep->setBuddy(edDeep);
    connect(btnDrawsStatCalc, &QPushButton::clicked, this, [this] { AnalyzeRepeatsCompute(); });
    for (TEnterSpinBox* ed : {edDrawsLen, edDeep})
        connect(ed, &TEnterSpinBox::EnterPressed, this, [this, ed] {
            if (ed->hasAcceptableInput()) AnalyzeRepeatsCompute();
        });
    auto* tools = new QHBoxLayout;
    tools->addWidget(lbLen);
    tools->addWidget(edDrawsLen);
    tools->addWidget(btnDrawsStatCalc);
    tools->addSpacing(12);
    tools->addWidget(lbDeep);
    tools->addWidget(edDeep);
    tools->addStretch(1);

    model_ = new TRepeatsModel(this);
    lvList = new QTableView(this);
    lvList->setObjectName("lvList");
    lvList->setModel(model_);
    SetupListView(lvList);
    lvList->setShowGrid(true);
    lvList->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvList->setSortingEnabled(false);
    lvList->horizontalHeader()->setSectionsClickable(false);
    const QFontMetrics fm = lvList->horizontalHeader()->fontMetrics();
    for (int c = 0; c < 4; ++c)
        lvList->setColumnWidth(c, std::max(kColumnWidths[c], fm.horizontalAdvance(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()) + 16));

    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    crtGraph = new QChartView(chart, this);
    crtGraph->setObjectName("crtGraph");
    crtGraph->setRenderHint(QPainter::Antialiasing);

    splGraph = new TPaneSplitter(Qt::Vertical, this);
    splGraph->setObjectName("splGraph");
    splGraph->addWidget(lvList);
    splGraph->addWidget(crtGraph);
    splGraph->setChildrenCollapsible(false);
    splGraph->SetPaneSize(kDefaultGraphHeight);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(splGraph, 1);
    resize(900, 600);
    ReadSettings();
}

TFormRepeats::~TFormRepeats() {
    try {
        WriteSettings();
    } catch (...) {
        // The settings file could not be written: the window closes all the same.
    }
}

void TFormRepeats::ReadSettings() {
    const TWindowSettings& s = window_.Settings();
    edDrawsLen->setValue(std::max(1, s.ReadInteger(kSection, "DrawsLength", kDefaultLength)));
    edDeep->setValue(std::max(1, s.ReadInteger(kSection, "DrawsDeep", kDefaultDepth)));
    splGraph->SetPaneSize(std::max(60, s.ReadInteger(kSection, "GraphHeight", kDefaultGraphHeight)));
    const std::vector<int> widths = s.ReadColumnWidths(kSection, "lvList", 4);
    for (int c = 0; c < 4 && c < int(widths.size()); ++c)
        if (widths[size_t(c)] > 0) lvList->setColumnWidth(c, widths[size_t(c)]);
    if (!window_.screen()) return;
    if (RestoreWindowPlacement(s, kSection, *this, window_.screen())) return;
    // Centred on the main window.
    move(window_.geometry().center() - rect().center());
}

void TFormRepeats::WriteSettings() {
    TWindowSettings& s = window_.Settings();
    s.WriteInteger(kSection, "DrawsLength", edDrawsLen->value());
    s.WriteInteger(kSection, "DrawsDeep", edDeep->value());
    s.WriteInteger(kSection, "GraphHeight", splGraph->PaneSize());
    std::vector<int> widths;
    for (int c = 0; c < 4; ++c) widths.push_back(lvList->columnWidth(c));
    s.WriteColumnWidths(kSection, "lvList", widths);
    StoreWindowPlacement(s, kSection, *this);
    s.Save();
}

void TFormRepeats::AnalyzeRepeatsCompute() {
    if (!window_.IsIdle()) return;
    TRepeatsAnalysis analysis;
    std::vector<TRepeatsSeries> series;
    QString error;
    {
        TBusy busy(&window_);
        try {
            TProgressWindow progress(&window_, window_.fmProgress, Q(TrText(kRepeatsStatus)));
            analysis = AnalyzeRepeats(window_.Draws().Draws, edDrawsLen->value(), edDeep->value(), progress);
            series = RepeatsChartSeries(analysis, progress);
        } catch (const std::exception& e) {
            error = Q(e.what());
        }
        window_.SetStatusText(QString());
    }
    if (!error.isEmpty()) {
        ShowError(this, error);
        return;
    }
    model_->SetAnalysis(std::move(analysis));

    QChart* chart = crtGraph->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    if (series.empty()) return;
    double minX = 0, maxX = 0, maxY = 1;
    bool first = true;
    QList<QLineSeries*> lines;
    for (const TRepeatsSeries& s : series) {
        auto* line = new QLineSeries;
        line->setName(Q(s.Title));
        QPen pen(kSeriesColours[std::clamp(s.Shared, 1, 5) - 1]);
        pen.setWidth(2);
        line->setPen(pen);
        line->setPointsVisible(true);
        line->setMarkerSize(4);
        line->setPointLabelsVisible(false);
        QList<QPointF> points;
        for (const TRepeatsPoint& p : s.Points) {
            points << QPointF(p.Draw, p.Count);
            if (first) minX = maxX = p.Draw, first = false;
            minX = std::min<double>(minX, p.Draw);
            maxX = std::max<double>(maxX, p.Draw);
            maxY = std::max<double>(maxY, p.Count);
        }
        line->replace(points);
        lines << line;
    }
    auto* axisX = new QValueAxis;
    axisX->setLabelFormat("%d");
    axisX->setRange(minX, maxX > minX ? maxX : minX + 1);
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat("%d");
    axisY->setRange(0, maxY);
    axisY->applyNiceNumbers();
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QLineSeries* line : lines) {
        chart->addSeries(line);
        line->attachAxis(axisX);
        line->attachAxis(axisY);
    }
}

void ShowRepeats(TTemplateMain& window) {
    TFormRepeats form(window);
    // Computed before it is shown: exec() makes only a hidden dialog modal.
    form.AnalyzeRepeatsCompute();
    form.exec();
}

} // namespace velmora
