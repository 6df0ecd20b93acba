// The page "Неделя" (tsWeek): how often each number came out on each day of the week over the last
// N draws of the analysis window, shaded from white to red; the chart below plots one weekday over
// the numbers or one number over the weekdays for the grid's current cell; the numbers of the
// selected columns keep or delete the combinations holding them. The page can be hidden.
#pragma once

#include "core/model/filter_action.h"
#include "core/views/selected_numbers.h"
#include "gui/app/main_page.h"

class QChartView;
class QMenu;
class QTableView;
class QToolButton;

namespace velmora {

class TEnterSpinBox;
class TPaneSplitter;
class TWeekModel;

class TWeekdayPage : public TMainPage {
    Q_OBJECT
public:
    explicit TWeekdayPage(TTemplateMain& window);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    void RecomputeView(bool force) override { RefreshWeek(force); }

    // Recounts the grid and rebuilds the chart when the page is shown and forced, or when the draw
    // count, the offset or N changed, or when the archive changed since the last count.
    void RefreshWeek(bool force);
    // Rebuilds the chart for a model cell of the grid (row: weekday - 1, column: number - 1).
    void RefreshWeekChart(int row, int column);
    bool PageVisible() const;
    void SetWeekPageVisible(bool visible);
    TGridRect SelectedRect() const;
    const TWeekModel* WeekModel() const { return model_; }
    // 0: the chart runs over the 50 numbers of the current weekday; 1: over the 7 weekdays of the
    // current number.
    int ChartMode() const { return chartMode_; }
    bool ChartLine() const { return chartLine_; }

    TEnterSpinBox* edWeekLen;
    QToolButton* btnWeekCalc;
    QToolButton* btnWeekFilterInclude;
    QToolButton* btnWeekFilterExclude;
    TPaneSplitter* splWeek;
    QTableView* sgWeek;
    QChartView* crtWeek;
    QMenu* pmWeek;
    QMenu* pmWeekChart;

    bool TabWeekUpdate() const;
    bool TabWeekChecked() const;
    void TabWeekExecute();
    bool WeekStatCalcUpdate() const;
    void WeekStatCalcExecute();
    bool WeekFilter_IncludeUpdate() const;
    void WeekFilter_IncludeExecute();
    bool WeekFilter_ExcludeUpdate() const;
    void WeekFilter_ExcludeExecute();
    bool ViewWeekChartModeUpdate() const;
    bool ViewWeekChartModeChecked() const;
    void ViewWeekChartModeExecute();
    bool ViewWeekChartTypeUpdate() const;
    bool ViewWeekChartTypeChecked() const;
    void ViewWeekChartTypeExecute();

private:
    void ApplyWeekFilter(TFilterAction action);
    void RefreshCurrentChart();
    void FitGrid();

    TWeekModel* model_;
    std::string section_;  // the window's section of the settings file
    int chartMode_ = 0;
    bool chartLine_ = false;
    struct TInputs {
        int Count = -1, Offset = -1, Length = -1;
        bool operator==(const TInputs&) const = default;
    };
    TInputs inputs_;
    bool stale_ = true;  // the archive changed since the last count
};

} // namespace velmora
