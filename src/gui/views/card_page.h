// The page "Карта" (tsCard): the whole archive as a grid, one row per draw (newest at the top) and
// one column per number, coloured by channel and by repeats and sequences; the numbers of a
// selected block keep or delete the combinations holding them. The page can be hidden.
#pragma once

#include "core/model/filter_action.h"
#include "core/views/selected_numbers.h"
#include "gui/app/main_page.h"

class QMenu;
class QTableView;
class QToolButton;

namespace velmora {

class TCardModel;

class TCardPage : public TMainPage {
    Q_OBJECT
public:
    explicit TCardPage(TTemplateMain& window);

    void ReadSettings(const std::string& section) override;
    void RecomputeView(bool force) override { RefreshCard(force); }

    // Rebuilds the card of the page when it is shown and forced, when the number of draws changed
    // or when the archive changed since the last build (a draw edited in place, an import, a
    // download).
    void RefreshCard(bool force);
    bool PageVisible() const;
    // The selected block in the card's coordinates (empty for none).
    TGridRect SelectedRect() const;
    const TCardModel* CardModel() const { return model_; }

    QTableView* sgCard;
    QToolButton* btnCardFilterInclude;
    QToolButton* btnCardFilterExclude;
    QMenu* pmCard;

    bool TabCardUpdate() const;
    bool TabCardChecked() const;
    void TabCardExecute();
    bool ViewColorCardUpdate() const;
    bool ViewColorCardChecked() const;
    void ViewColorCardExecute();
    bool ViewColorCardSequencesUpdate() const;
    bool ViewColorCardSequencesChecked() const;
    void ViewColorCardSequencesExecute();
    bool CardFilter_IncludeUpdate() const;
    void CardFilter_IncludeExecute();
    bool CardFilter_ExcludeUpdate() const;
    void CardFilter_ExcludeExecute();
    bool CardXlsExportUpdate() const;
    void CardXlsExportExecute();

private:
    void SetPageVisible(bool visible);
    void ApplyCardFilter(TFilterAction action);
    void UpdateColours();
    void FitGrid();

    TCardModel* model_;
    bool stale_ = true;    // the archive changed since the card was built
    int builtCount_ = -1;  // the number of draws the card was built from (an empty archive: 0)
};

} // namespace velmora
