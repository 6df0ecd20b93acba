#include "gui/views/chart_axes.h"

#include "core/util/format.h"
#include "gui/app/qt_text.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QLocale>
#include <QXYSeries>
#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Room around a label of an axis: the axis pads each label on both sides and the text item adds a
// margin of its own; a few pixels more keep neighbours apart.
constexpr double kLabelRoom = 16;

} // namespace

int TNiceTicks::Count() const { return int(std::lround((Last - First) / Step)) + 1; }

TNiceTicks NiceTicks(double lo, double hi, int maxTicks, bool wholeNumbers) {
    if (!(hi > lo)) {
        // One value: a range of one step around it.
        hi = lo + 1;
        if (lo != 0) lo -= 1;
    }
    maxTicks = std::max(maxTicks, 2);
    const double rough = (hi - lo) / (maxTicks - 1);
    double power = std::pow(10.0, std::floor(std::log10(rough)));
    TNiceTicks t;
    for (;;) {
        for (double m : {1.0, 2.0, 5.0, 10.0}) {
            t.Step = m * power;
            if (wholeNumbers && t.Step < 1) continue;
            t.First = std::floor(lo / t.Step + 1e-9) * t.Step;
            t.Last = std::ceil(hi / t.Step - 1e-9) * t.Step;
            if (t.Count() <= maxTicks) break;
        }
        if (t.Count() <= maxTicks) break;
        power *= 10;
    }
    t.Decimals = std::max(0, -int(std::floor(std::log10(t.Step) + 1e-9)));
    return t;
}

int VerticalTickRoom(const QFont& font, double length) {
    // The axis gives each of its labels an equal share of its length; the share counts one more
    // label than there are ticks.
    const double need = QFontMetricsF(font).height() + kLabelRoom;
    return std::max(2, int(length / need) - 1);
}

int HorizontalTickRoom(double textWidth, double length) {
    return std::max(1, int(length / (textWidth + kLabelRoom)) - 1);
}

void SetValueTicks(QCategoryAxis* axis, const TNiceTicks& ticks) {
    for (const QString& label : axis->categoriesLabels()) axis->remove(label);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // Each label ends a category: the first one begins a step below the axis.
    axis->setStartValue(ticks.First - ticks.Step);
    for (int i = 0; i < ticks.Count(); ++i) {
        double v = ticks.First + i * ticks.Step;
        if (std::fabs(v) < ticks.Step * 1e-6) v = 0;
        axis->append(Q(FloatToStrF(v, ticks.Decimals)), v);
    }
    axis->setRange(ticks.First, ticks.Last);
}

void UseProgramNumbers(QChart* chart) {
    QLocale locale = CurrentNumberFormat().DecimalSeparator == ',' ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    chart->setLocalizeNumbers(true);
}

void ThinPointLabels(QChart* chart, const QList<QXYSeries*>& series) {
    const QRectF plot = chart->plotArea();
    if (plot.isEmpty()) return;
    struct TLabel {
        QXYSeries* Series;
        int Index;
        QRectF Rect;
    };
    std::vector<TLabel> labels;
    for (QXYSeries* s : series) {
        if (!s->pointLabelsVisible()) continue;
        const QFontMetricsF fm(s->pointLabelsFont());
        const QList<QPointF> points = s->points();
        for (int i = 0; i < int(points.size()); ++i) {
            const QPointF at = chart->mapToPosition(points[i], s);
            const QString text = chart->locale().toString(points[i].y(), 'g', 6);
            const double w = fm.horizontalAdvance(text) + 4, h = fm.height();
            // The label stands above its point.
            labels.push_back({s, i, QRectF(at.x() - w / 2, at.y() - h - 4, w, h)});
        }
    }
    std::stable_sort(labels.begin(), labels.end(),
                     [](const TLabel& a, const TLabel& b) { return a.Rect.center().x() < b.Rect.center().x(); });
    std::vector<QRectF> shown;
    for (const TLabel& l : labels) {
        bool free = plot.adjusted(-2, -l.Rect.height() - 4, 2, 2).contains(l.Rect);
        for (const QRectF& r : shown)
            if (free && r.intersects(l.Rect)) free = false;
        if (free) shown.push_back(l.Rect);
        l.Series->setPointConfiguration(l.Index, QXYSeries::PointConfiguration::LabelVisibility, free);
    }
}

} // namespace velmora
