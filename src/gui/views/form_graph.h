// The graph window TFormGraph ("График"): a resizable tool window with a chart of line series (no
// title, no 3-D, legend at the bottom) and the switch "Отображать метки на графиках". The axes
// show round values in the program's number format, the draw axis whole draw numbers; the marks of
// the points are thinned where they would cover each other. Series are
// made point by point with AddGraphPoint; the stake graphs use it, the other graphs later.
#pragma once

#include <QDialog>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <vector>

class QCheckBox;

class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace velmora {

class TFormGraph : public QDialog {
    Q_OBJECT
public:
    explicit TFormGraph(QWidget* parent = nullptr);

    // Adds the point (x, y) to the series with that title (found ignoring case, else created with
    // the colour when it is not 0 (0xBBGGRR), a 2-pixel line, 3x3 points and value marks without
    // a frame as asked). The point's label is x as text.
    void AddGraphPoint(double x, const QString& title, double y, bool showPoints, bool showMarks, uint32_t color);
    QLineSeries* Series(const QString& title) const;
    int SeriesCount() const { return int(series_.size()); }

    QChartView* chGraph;
    QCheckBox* cbShowMarks;

private:
    void ShowMarks(bool on);
    // Ticks of both axes and the point labels for the present size of the plot area.
    void LayoutAxes();

    QChart* chart_;
    QCategoryAxis* axisX_;
    QCategoryAxis* axisY_;
    std::vector<QLineSeries*> series_;
    std::vector<bool> withMarks_;
    bool empty_ = true;
    QSizeF laidOut_;
    double minX_ = 0, maxX_ = 0, minY_ = 0, maxY_ = 0;
};

} // namespace velmora
