#include "gui/views/form_graph.h"

#include "gui/app/qt_text.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

TFormGraph::TFormGraph(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormGraph");
    setWindowTitle(tr("График"));
    setWindowFlag(Qt::Tool, true);
    setSizeGripEnabled(true);

    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->legend()->setVisible(true);
    axisX_ = new QValueAxis;
    axisX_->setLabelFormat("%d");
    axisY_ = new QValueAxis;
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);

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
    const double padY = std::max(1.0, (maxY_ - minY_) * 0.08);
    axisX_->setRange(minX_ - 0.5, maxX_ + 0.5);
    axisY_->setRange(minY_ - padY, maxY_ + padY);
    // Whole draw numbers on the axis: at most one tick per draw.
    axisX_->setTickCount(int(std::clamp(maxX_ - minX_ + 1, 2.0, 11.0)));
}

void TFormGraph::ShowMarks(bool on) {
    for (size_t i = 0; i < series_.size(); ++i)
        if (withMarks_[i]) series_[i]->setPointLabelsVisible(on);
}

} // namespace velmora
