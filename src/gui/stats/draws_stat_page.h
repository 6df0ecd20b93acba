// The page "Статистика" (tsDrawsStat): the statistic selector, the sample length, the draw
// statistics table of the selected statistic with its chart, the commands of the table and of the
// comparison with the full set, and the statistic filters on the rows selected in the table
// (stat_filter_commands.cpp). The combination set it filters is the window's.
#pragma once

#include "core/combs/draw_stats.h"
#include "core/model/filter_action.h"
#include "gui/app/main_page.h"

#include <QString>
#include <utility>
#include <vector>

class QChartView;
class QComboBox;
class QMenu;
class QTableView;
class QToolButton;

namespace velmora {

class TCustomStat;
class TDrawStatsModel;
class TEnterSpinBox;
class TPaneSplitter;
struct TFilterDialogSource;

class TDrawsStatPage : public TMainPage {
    Q_OBJECT
public:
    explicit TDrawsStatPage(TTemplateMain& window);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    // The table follows the analysis window.
    void RecomputeView(bool force) override { ComputeDrawStats(force); }

    // Fills the selector from the statistic list (available, shown in the table, visible; sorted by
    // caption when the list is ordered), keeping the selected item when asked.
    void RefreshStatSelectors(bool keepIndex);
    // (Re)computes the table and chart; unless forced, only when the archive length, the offset,
    // the sample length or the selected statistic changed since the last computation.
    void ComputeDrawStats(bool force);
    // The texts of a row of the table (in the table's current order); all empty for no row.
    TStatValues RowToStatValues(int row) const;
    // The list index of the statistic selected in cbDrawsStatType; -1 when none.
    int SelectedStatMethod() const;
    const TDrawStatsModel* DrawsStatModel() const { return drawsStatModel_; }
    const TDrawStatsTable& DrawsStatTable() const { return drawsStat_; }

    // Filters the combination set by the rows selected in the table: keeps or deletes the
    // combinations having one of their values, judged by stat or, when none is given, by a fresh
    // instance of the selected statistic. The caller saves the undo copy first. No selected row
    // changes nothing. The list, its log, the status text and the busy state follow also when the
    // step fails; the failure is raised again for the caller to show.
    void ApplyStatFilter(TCustomStat* stat, TFilterAction action);
    // The selected rows of the table, ascending.
    std::vector<int> SelectedStatRows() const;
    // The statistic selector and the sample length as the filter dialog offers them.
    TFilterDialogSource FilterDialogSource() const;

    QComboBox* cbDrawsStatType;
    TEnterSpinBox* edDrawsStatLen;
    QToolButton* btnDrawsStatCalc;
    QToolButton* btnStatFilterInclude;
    QToolButton* btnStatFilterExclude;
    TPaneSplitter* splDrawsStat;
    QTableView* lvDrawsStat;
    QChartView* crtDrawsStat;
    QMenu* pmDrawsStat;

    bool DrawsStatCalcUpdate() const;
    void DrawsStatCalcExecute();
    bool DrawsStatePrefetchsEnabledUpdate() const;
    bool DrawsStatePrefetchsEnabledChecked() const;
    void DrawsStatePrefetchsEnabledExecute();
    bool DrawsStatShowTotalLineUpdate() const;
    bool DrawsStatShowTotalLineChecked() const;
    void DrawsStatShowTotalLineExecute();
    bool DrawsStatExportToExcelUpdate() const;
    void DrawsStatExportToExcelExecute();
    bool StatFilter_IncludeUpdate() const;
    void StatFilter_IncludeExecute();
    bool StatFilter_ExcludeUpdate() const;
    void StatFilter_ExcludeExecute();
    // The favourite statistics (gui/favourites/favourites_commands.cpp): the manager, showing every
    // statistic again and the description of the selected one.
    bool FiltersManagerUpdate() const;
    void FiltersManagerExecute();
    bool FiltersResetUpdate() const;
    void FiltersResetExecute();
    bool FiltersInfoUpdate() const;
    void FiltersInfoExecute();
    QToolButton* btnFiltersManager;
    QToolButton* btnFiltersInfo;

private:
    void AddStatFilterCommands();
    void AddFavouritesCommands();
    // The statistic list rebuilt with the favourites file, the selector from its first item and
    // the views recomputed.
    void ReloadStatSelectors();
    void FillDrawsStatChart();
    void LayoutAxisLabels(bool force);
    void LayoutValueTicks();
    // Columns 3 to 5 show only while the comparison with the full set is on.
    void ShowPrefetchColumns();

    TDrawStatsModel* drawsStatModel_;
    TDrawStatsTable drawsStat_;
    TDrawStatsCache drawsStatCache_;
    bool showTotalLine_ = true;
    bool computingStats_ = false;
    // The value texts of the chart's points and how they are shown now.
    std::vector<std::pair<QString, double>> axisLabels_;
    int axisLabelStep_ = 0;
    bool axisLabelsUpright_ = false;
    int axisLabelsWidth_ = -1;  // the chart's width they were laid out for
    double chartMaxY_ = 0;      // the largest value of the chart
    int valueTicksHeight_ = -1; // the plot height the value axis was laid out for
};

} // namespace velmora
