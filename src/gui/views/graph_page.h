// The page "Графики" (tsGraphs): the number a statistic with a graph gives each of the last N
// draws of the analysis window, with the mean and the most frequent value as horizontal lines. The
// page can be hidden. It also registers the sum distribution and the repeats analysis of the menu "Статистика".
#pragma once

#include "gui/app/main_page.h"

class QCheckBox;
class QChartView;
class QComboBox;
class QMenu;
class QToolButton;

namespace velmora {

class TEnterSpinBox;

class TGraphPage : public TMainPage {
    Q_OBJECT
public:
    explicit TGraphPage(TTemplateMain& window);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    void RecomputeView(bool force) override { RefreshDrawGraph(force); }

    // Replots the page when it is shown and forced, or when the draw count, the offset, N or the
    // selector's item changed since the last plot.
    void RefreshDrawGraph(bool force);
    // Fills the selector with the statistics that have a graph, keeping the chosen one when asked.
    void RefreshGraphSelector(bool keepIndex);
    bool PageVisible() const;
    void SetPageVisible(bool visible);

    TEnterSpinBox* edDrawsGraphLen;
    QComboBox* cbDrawsGraphType;
    QToolButton* btnDrawsGraphDraw;
    QCheckBox* cbDrawsGraphShowMarks;
    QChartView* crtDrawsGraph;
    QMenu* pmDrawsGraph;

    bool TabGrapsUpdate() const;
    bool TabGrapsChecked() const;
    void TabGrapsExecute();
    bool DrawsGraphDrawUpdate() const;
    void DrawsGraphDrawExecute();
    bool TotalSumCombsUpdate() const;
    void TotalSumCombsExecute();
    bool AnalyzeRepeatsUpdate() const;
    void AnalyzeRepeatsExecute();

private:
    void SelectorChanged();
    void ClearChart();

    // The inputs of the last plot: draw count, offset, N and the selector's item.
    struct TInputs {
        int Count = 0, Offset = 0, Length = 0, Item = 0;
        bool operator==(const TInputs&) const = default;
    };
    TInputs inputs_;
    bool cached_ = false;
};

} // namespace velmora
