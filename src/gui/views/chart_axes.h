// The value axes of the charts: ticks at round values (1, 2 or 5 times a power of ten) as many as
// the axis shows without cutting a label, written in the program's number format like the tables;
// and the point labels of line series, thinned where they would cover each other.
#pragma once

#include <QFont>

class QCategoryAxis;
class QChart;
class QXYSeries;

namespace velmora {

// Ticks from First to Last by Step (all multiples of Step), covering lo..hi with at most maxTicks
// ticks (at least 2); Decimals: the decimals the step needs.
struct TNiceTicks {
    double First = 0, Last = 1, Step = 1;
    int Decimals = 0;
    int Count() const;
};
TNiceTicks NiceTicks(double lo, double hi, int maxTicks, bool wholeNumbers = false);

// How many labels of that font an axis of that length (pixels) shows whole, one above the other
// (vertical) or side by side with the given text width (horizontal).
int VerticalTickRoom(const QFont& font, double length);
int HorizontalTickRoom(double textWidth, double length);

// Puts the ticks on a value axis drawn as a category axis whose labels sit on their values: the
// labels are the texts of the program's number format ("0,5", "-39,9").
void SetValueTicks(QCategoryAxis* axis, const TNiceTicks& ticks);

// The chart writes the numbers it formats itself (point labels) in the program's number format.
void UseProgramNumbers(QChart* chart);

// Shows the point labels of the series that do not cover a label shown before them (series in
// order, points from left to right) and lie inside the plot area; hides the others.
void ThinPointLabels(QChart* chart, const QList<QXYSeries*>& series);

} // namespace velmora
