#include "gui/views/form_graph.h"

#include "gui/app/qt_text.h"
#include "gui/views/chart_axes.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace velmora {

TFormGraph::TFormGraph(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormGraph");
    setWindowTitle(tr("График"));
    setWindowFlag(Qt::Tool, true);
    setSizeGripEnabled(true);

    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->legend()->setVisible(true);
    UseProgramNumbers(chart_);
    axisX_ = new QCategoryAxis;
    axisY_ = new QCategoryAxis;
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    // The ticks and the point labels follow the size of the plot area.
    connect(chart_, &QChart::plotAreaChanged, this, [this](const QRectF& plot) {
        if (plot.size() == laidOut_) return;
        laidOut_ = plot.size();
        LayoutAxes();
    });

    chGraph = new QChartView(chart_, this);
    chGraph->setObjectName("chGraph");
    chGraph->setRenderHint(QPainter::Antialiasing);

    cbShowMarks = new QCheckBox(tr("Отображать метки на графиках"), this);
    cbShowMarks->setObjectName("cbShowMarks");
    cbShowMarks->setChecked(true);
    connect(cbShowMarks, &QCheckBox::toggled, this, &TFormGraph::ShowMarks);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chGraph, 1);
    layout->addWidget(cbShowMarks);
    resize(900, 560);
}

QLineSeries* TFormGraph::Series(const QString& title) const {
    for (QLineSeries* s : series_)
        if (s->name().compare(title, Qt::CaseInsensitive) == 0) return s;
    return nullptr;
}

void TFormGraph::AddGraphPoint(double x, const QString& title, double y, bool showPoints, bool showMarks,
                               uint32_t color) {
    QLineSeries* s = Series(title);
    if (!s) {
        s = new QLineSeries;
        s->setName(title);
        chart_->addSeries(s);
        s->attachAxis(axisX_);
        s->attachAxis(axisY_);
        QPen pen = s->pen();
        if (color != 0) pen.setColor(BgrColor(color));
        pen.setWidth(2);
        s->setPen(pen);
        s->setPointsVisible(showPoints);
        s->setMarkerSize(3);
        s->setPointLabelsFormat("@yPoint");
        s->setPointLabelsClipping(false);
        s->setPointLabelsVisible(showMarks && cbShowMarks->isChecked());
        series_.push_back(s);
        withMarks_.push_back(showMarks);
    }
    s->append(x, y);
    if (empty_) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
        empty_ = false;
    }
    minX_ = std::min(minX_, x), maxX_ = std::max(maxX_, x);
    minY_ = std::min(minY_, y), maxY_ = std::max(maxY_, y);
    LayoutAxes();
}

void TFormGraph::LayoutAxes() {
    const QRectF plot = chart_->plotArea();
    const double height = plot.height() > 0 ? plot.height() : 300;
    const double width = plot.width() > 0 ? plot.width() : 700;
    // Round values on the value axis, as many as its height shows whole.
    SetValueTicks(axisY_, NiceTicks(minY_, maxY_, VerticalTickRoom(axisY_->labelsFont(), height)));
    // Whole draw numbers: a tick on a point, every first, second, fifth ... draw as the width allows.
    const QFontMetricsF fm(axisX_->labelsFont());
    const double widest = fm.horizontalAdvance(QString::number(std::max(std::fabs(minX_), std::fabs(maxX_)), 'f', 0) + "-");
    TNiceTicks x = NiceTicks(minX_, maxX_, HorizontalTickRoom(widest, width), true);
    while (x.First < minX_ - 0.5) x.First += x.Step;
    while (x.Last > maxX_ + 0.5) x.Last -= x.Step;
    SetValueTicks(axisX_, x);
    axisX_->setRange(minX_ - 0.5, maxX_ + 0.5);
    QList<QXYSeries*> marked;
    for (QLineSeries* s : series_) marked << s;
    ThinPointLabels(chart_, marked);
}

void TFormGraph::ShowMarks(bool on) {
    for (size_t i = 0; i < series_.size(); ++i)
        if (withMarks_[i]) series_[i]->setPointLabelsVisible(on);
    LayoutAxes();
}

} // namespace velmora
