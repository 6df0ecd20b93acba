// The favourites manager TFormManager "Менеджер избранных методов расчета статистики": the tree of
// the available methods by group with their favourite marks and captions, the commands on the tree
// (marks of a group or of all, description, renaming, the names import and export) and the three
// switches of how the selectors show the methods. The dialog works on the tree; the statistic list
// changes on OK, on the names import (captions at once) and never through the export.
#pragma once

#include "core/combs/favourites.h"

#include <QDialog>
#include <QElapsedTimer>
#include <utility>
#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

class TTemplateMain;

class TFormManager : public QDialog {
    Q_OBJECT
public:
    TFormManager(TTemplateMain& window, QWidget* parent);

    // The tree from the statistic list: one group node per group with an available method, in the
    // order the registry first meets them, one method node per available method in registry order,
    // marked when the method is a favourite.
    void FillFavouritesTree();
    // The method nodes as they stand.
    std::vector<TFavouriteNode> FavouriteNodes() const;
    // The nodes into the list (captions; marks too when withMarks).
    void ApplyFavouritesTree(bool withMarks);
    // Widens the dialog so that the tree shows its captions whole, within the screen.
    void FitTreeWidth();
    // The three switches.
    TFavouriteFlags Flags() const;
    void SetFlags(const TFavouriteFlags& flags);

    // The method node of list method i (nullptr when it is not in the tree); the method of a node
    // (-1 for a group node).
    QTreeWidgetItem* MethodNode(int method) const;
    static int NodeMethod(const QTreeWidgetItem* item);
    static bool IsMarked(const QTreeWidgetItem* item);
    // Toggles the mark of a method node; a group node keeps its folder mark.
    void ToggleMark(QTreeWidgetItem* item);
    // The commands of the dialog by name, with their enabling rules applied.
    QAction* Command(const QString& name) const;
    void UpdateCommands();

    QLabel* lblTitle;
    QTreeWidget* tvFilters;
    QLabel* lblCount;
    QGroupBox* gbNames;
    QCheckBox* cbSortOnName;
    QCheckBox* cbShowGroupName;
    QCheckBox* cbShowFlags;
    QMenu* pmFilters;

    bool GroupNoneUpdate() const;
    void GroupNoneExecute();
    bool GroupAllUpdate() const;
    void GroupAllExecute();
    bool CheckNoneUpdate() const;
    void CheckNoneExecute();
    bool CheckAllUpdate() const;
    void CheckAllExecute();
    bool InfoUpdate() const;
    void InfoExecute();
    bool RenameUpdate() const;
    void RenameExecute();
    bool ResetNameUpdate() const;
    void ResetNameExecute();
    bool NamesImportUpdate() const;
    void NamesImportExecute();
    bool NamesExportUpdate() const;
    void NamesExportExecute();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TCommand {
        QAction* Action;
        std::function<bool()> Update;
    };
    QAction* AddCommand(const char* name, const QString& caption, const QString& hint, bool (TFormManager::*update)() const,
                        void (TFormManager::*execute)());
    QToolButton* CommandButton(const char* name);
    // The method node selected (nullptr when none is, or a group node is).
    QTreeWidgetItem* SelectedMethodNode() const;
    // The group node of the selected node.
    QTreeWidgetItem* SelectedGroupNode() const;
    void MarkGroup(QTreeWidgetItem* group, bool marked);
    void MarkAll(bool marked);
    void SetMark(QTreeWidgetItem* item, bool marked);

    TTemplateMain& window_;
    std::vector<TCommand> commands_;
    // The last click on a node and the mark the node had before it; a double click on that node
    // within the double-click time keeps the mark it set.
    std::pair<QTreeWidgetItem*, bool> lastClick_{nullptr, false};
    QElapsedTimer lastClickTime_;
    bool inDoubleClick_ = false;
};

// The manager over the window's statistic list; true on OK, when the marks, the captions and the
// switches are in the list (marks normalised: all or none marked is no restriction). Cancel changes
// nothing but the captions a names import put in force.
bool EditFavourites(TTemplateMain& window, QWidget* parent);

} // namespace velmora
