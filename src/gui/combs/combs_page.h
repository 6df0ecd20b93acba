// The page "Комбинации" (tsCombs): the tool panel, the combination list, the list of applied
// filters under a splitter, and the commands on the combination set. The set itself is the
// window's (TTemplateMain::Combs); the page follows it through CombsChanged.
#pragma once

#include "gui/app/main_page.h"

#include <vector>

class QMenu;
class QTableView;
class QToolButton;

namespace velmora {

class TCombsModel;
class TCombSet;
class TEnterSpinBox;
class TFiltersModel;
class TPaneSplitter;

class TCombsPage : public TMainPage {
    Q_OBJECT
public:
    explicit TCombsPage(TTemplateMain& window);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    void InitializePage() override;

    QToolButton* btnCombsGen;
    QToolButton* btnCombsDelExists;
    TEnterSpinBox* edCombsExclude;
    TPaneSplitter* spCombs;
    QTableView* lvCombs;
    QTableView* lvFilters;
    QMenu* pmCombs;

    bool CombsGenUpdate() const;
    void CombsGenExecute();
    bool CombsOpenUpdate() const;
    void CombsOpenExecute();
    bool CombsSaveUpdate() const;
    void CombsSaveExecute();
    bool CombsXlsExportUpdate() const;
    void CombsXlsExportExecute();
    bool CombsUndoUpdate() const;
    void CombsUndoExecute();
    bool CombsDelSelectedUpdate() const;
    void CombsDelSelectedExecute();
    bool CombsDelExistsUpdate() const;
    void CombsDelExistsExecute();
    bool CombsCopyUpdate() const;
    void CombsCopyExecute();
    bool CombsPasteUpdate() const;
    void CombsPasteExecute();
    bool CombsSelectAllUpdate() const;
    void CombsSelectAllExecute();
    bool CombsCheckNumsUpdate() const;
    void CombsCheckNumsExecute();
    bool CombsFindInDrawsUpdate() const;
    void CombsFindInDrawsExecute();
    bool CombsInfoUpdate() const;
    void CombsInfoExecute();
    bool ViewColorCombsUpdate() const;
    bool ViewColorCombsChecked() const;
    void ViewColorCombsExecute();

    // The current row (-1 when none), and the selected rows ascending, each once.
    int FocusedCombRow() const;
    std::vector<int> SelectedCombRows() const;

private:
    TCombSet& Set() const;
    // The list, the applied-filters list and status panel 3 follow the set again.
    void UpdateCombList();

    TCombsModel* combsModel_;
    TFiltersModel* filtersModel_;
    bool clipboardHasText_ = false;  // followed through the clipboard's change signal
};

} // namespace velmora
