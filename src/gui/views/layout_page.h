// The page "Схема" (tsLayout): the scheme of number occurrences of the last N draws of the
// analysis window (rows by count, columns by the last draw), the five comparison lists of other
// sample lengths below it, and the filters by the numbers of a selected block. The page can be
// hidden.
#pragma once

#include "core/model/filter_action.h"
#include "core/views/layout_scheme.h"
#include "gui/app/main_page.h"

#include <array>

class QMenu;
class QSplitter;
class QTableView;
class QToolButton;
class QWidget;

namespace velmora {

class TEnterSpinBox;
class TLayoutCompareModel;
class TLayoutModel;
class TPaneSplitter;

class TLayoutPage : public TMainPage {
    Q_OBJECT
public:
    explicit TLayoutPage(TTemplateMain& window);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    void RecomputeView(bool force) override {
        RefreshLayout(force);
        RefreshLayoutLists(force);
    }

    // Recompute the scheme and the comparison lists when the page is shown and forced, or when
    // their inputs (the number of draws, the offset and, for the scheme, N) changed, or when the
    // archive changed since the last computation.
    void RefreshLayout(bool force);
    void RefreshLayoutLists(bool force);
    bool PageVisible() const;
    // The selected block in the scheme's coordinates (empty for none).
    TGridRect SelectedRect() const;
    const TLayoutModel* LayoutModel() const { return model_; }
    const TLayoutCompareModel* CompareModel(int k) const { return compareModels_[size_t(k)]; }

    TEnterSpinBox* edLayoutLen;
    QToolButton* btnLayoutCalc;
    QToolButton* btnLayoutFilterInclude;
    QToolButton* btnLayoutFilterExclude;
    TPaneSplitter* splLayout;
    QTableView* sgLayout;
    QWidget* pnlLayoutCompare;
    QToolButton* btnLayoutCmpCalc;
    QSplitter* splLayoutCompare;
    std::array<TEnterSpinBox*, kLayoutCompareLists> edLayoutCmp;
    std::array<QTableView*, kLayoutCompareLists> lvLayoutCmp;
    QMenu* pmLayout;

    bool TabLayoutUpdate() const;
    bool TabLayoutChecked() const;
    void TabLayoutExecute();
    bool LayoutCalcUpdate() const;
    void LayoutCalcExecute();
    bool LayoutCmpCalcUpdate() const;
    void LayoutCmpCalcExecute();
    bool LayoutFilter_IncludeUpdate() const;
    void LayoutFilter_IncludeExecute();
    bool LayoutFilter_ExcludeUpdate() const;
    void LayoutFilter_ExcludeExecute();
    bool ViewShemaGradientUpdate() const;
    bool ViewShemaGradientChecked() const;
    void ViewShemaGradientExecute();
    bool LayoutXlsExportUpdate() const;
    void LayoutXlsExportExecute();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetPageVisible(bool visible);
    void ApplyLayoutFilter(TFilterAction action);
    void FitSchemeColumns();
    void ShareCompareWidth();

    TLayoutModel* model_;
    std::array<TLayoutCompareModel*, kLayoutCompareLists> compareModels_;
    // The inputs of the last computations: draw count, offset and N of the scheme; draw count and
    // offset of the lists.
    struct TSchemeInputs {
        int Count = -1, Offset = -1, Length = -1;
        bool operator==(const TSchemeInputs&) const = default;
    };
    TSchemeInputs schemeInputs_;
    TSchemeInputs listInputs_;
    bool schemeStale_ = true;  // the archive changed since the scheme was computed
    bool listsStale_ = true;
};

} // namespace velmora
