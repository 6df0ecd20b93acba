// The online script catalog under the script list: the list lvOnlineScripts of the scripts the
// catalog server offers, its filter cbOnlineScriptsFilter, its buttons and the pop-up menu
// "Online каталог сценариев", and the commands ScriptLibrary (the panel switch, Ctrl+L) and
// ScriptLibraryRefresh .. ScriptLibraryHide. Every request runs in the busy state behind the wait
// window, whose "Стоп" ends it; a failure leaves the list and the script as they were.
//
// Window settings (the script page's section): "ScriptLibraryOn", "ScriptLibraryHeight",
// "ScriptLibraryFilter" and the list's columns and sort.
#pragma once

#include "core/net/script_catalog.h"
#include "gui/app/main_page.h"

#include <QAbstractTableModel>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QMenu;
class QTableView;

namespace velmora {

class TScriptPage;
class TFormScrPublic;
class TFormScrRates;

class TScriptLibraryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum { colType, colTitle, colAuthor, colApp, colVer, colLang, colCreated, colRating, colRatings, colMine,
           colDownloads, colLast, colDescr, colCount };
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    void SetRows(std::vector<tScriptInfo> rows);
    const std::vector<tScriptInfo>& Rows() const { return rows_; }
    const tScriptInfo& Row(int row) const { return rows_[size_t(row)]; }
    // Replaces a row and sorts again; returns its new position.
    int PutRow(int row, const tScriptInfo& info);
    // Adds a row in sort order; returns its position.
    int AddRow(const tScriptInfo& info);
    void RemoveRow(int row);
    int FindId(int32_t id) const;
    int SortColumn() const { return sortColumn_; }
    Qt::SortOrder SortOrder() const { return sortOrder_; }

private:
    void Resort();
    std::vector<tScriptInfo> rows_;
    int sortColumn_ = colRating;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

class TScriptLibrary : public TMainPage {
    Q_OBJECT
public:
    TScriptLibrary(TTemplateMain& window, TScriptPage& page);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    // Loads the list at start-up when the panel is shown and the user is known (not in the batch modes).
    void InitializePage() override;

    bool Shown() const { return shown_; }
    TScriptLibraryModel& Model() { return *model_; }
    // The selected row; -1 when none.
    int SelectedRow() const;
    void SelectRow(int row);
    // Where the requests go and as whom; false when the user gave no name and e-mail.
    bool MakeCatalog(TScriptCatalog& catalog);
    // Refresh: the list of the filter, the selected script selected again.
    void RefreshLibrary();

    // Hooks for tests: the dialogs before they run, and the comment of a rating (nullopt: cancelled;
    // the input box by default).
    std::function<void(TFormScrPublic&)> BeforePublicDialog;
    std::function<void(TFormScrRates&)> BeforeRatesDialog;
    std::function<std::optional<QString>()> AskRateComment;

    QWidget* pnLibrary;
    QTableView* lvOnlineScripts;
    QComboBox* cbOnlineScriptsFilter;
    QMenu* pmOnlineScripts;

    bool ScriptLibraryUpdate() const;
    bool ScriptLibraryChecked() const;
    void ScriptLibraryExecute();
    bool ScriptLibraryRefreshUpdate() const;
    void ScriptLibraryRefreshExecute();
    bool ScriptLibraryDownloadUpdate() const;
    void ScriptLibraryDownloadExecute();
    bool ScriptLibraryUploadUpdate() const;
    void ScriptLibraryUploadExecute();
    bool ScriptLibraryReplaceUpdate() const;
    void ScriptLibraryReplaceExecute();
    bool ScriptLibraryDeleteUpdate() const;
    void ScriptLibraryDeleteExecute();
    bool ScriptLibraryViewUpdate() const;
    void ScriptLibraryViewExecute();
    bool ScriptLibraryRatesUpdate() const;
    void ScriptLibraryRatesExecute();
    bool ScriptLibraryRate0Update() const;
    void ScriptLibraryRate0Execute();
    bool ScriptLibraryRateUpdate() const;
    void ScriptLibraryRate1Execute() { Rate(1); }
    void ScriptLibraryRate2Execute() { Rate(2); }
    void ScriptLibraryRate3Execute() { Rate(3); }
    void ScriptLibraryRate4Execute() { Rate(4); }
    void ScriptLibraryRate5Execute() { Rate(5); }
    bool ScriptLibraryRate1Checked() const { return MyRating() == 1; }
    bool ScriptLibraryRate2Checked() const { return MyRating() == 2; }
    bool ScriptLibraryRate3Checked() const { return MyRating() == 3; }
    bool ScriptLibraryRate4Checked() const { return MyRating() == 4; }
    bool ScriptLibraryRate5Checked() const { return MyRating() == 5; }
    bool ScriptLibraryHideUpdate() const;
    bool ScriptLibraryHideChecked() const { return MyRating() == -1; }
    void ScriptLibraryHideExecute();

signals:
    // The panel was shown or hidden (the page moves its splitter).
    void ShownChanged(bool shown);

private:
    bool Ready() const;
    int MyRating() const;
    void Rate(int value);
    void SendRating(int value, const std::string& notes);
    // Runs `request` in the busy state with `status` behind the wait window; a failure is shown
    // with `errorTemplate` (a core text with "%s"). False after a failure or without a user.
    bool RunRequest(const std::string& status, const char* errorTemplate,
                       const std::function<void(TScriptCatalog&)>& request);
    // The properties dialog; true and the edited data on OK.
    bool RunPublicDialog(tScriptData& data, bool editable);
    // Publish (Id -1) or replace `row`.
    void Save(int row);

    TScriptPage& page_;
    TScriptLibraryModel* model_;
    bool shown_ = true;
    std::string section_;  // of the window settings, once read
};

} // namespace velmora
