// The catalog list lvSystems: one row per system with the eleven columns, sortable by any column
// (numbers and times by value, texts ignoring case), and one of six icons by two properties:
// downloaded or not, and whose (the user's own, somebody else's, no owner's e-mail).
#pragma once

#include "core/stakes/system_catalog.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

namespace velmora {

class TSystemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { colTitle, colAuthor, colNums, colOlap, colCSize, colCreated, colStatus, colDownloads,
                   colLastDownload, colDescr, colUrl, colCount };

    explicit TSystemsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // The rows in the order shown; the user's e-mail decides the icons.
    void SetRows(std::vector<TSystemRow> rows);
    void Clear() { SetRows({}); }
    const std::vector<TSystemRow>& Rows() const { return rows_; }
    TSystemRow& Row(int row) { return rows_[size_t(row)]; }
    void Append(TSystemRow row);
    void Remove(int row);
    // The row changed in place (texts, status, icon).
    void RowChanged(int row);
    // The row of the system with this id; -1 when none.
    int FindId(int32_t id) const;
    void SetUserMail(const std::string& mail) { userMail_ = mail; }
    bool IsOwn(int row) const;

    int SortColumn() const { return sortColumn_; }
    Qt::SortOrder SortOrder() const { return sortOrder_; }

    // The icon of a row: downloaded or not, times own (0), somebody else's (1), no owner (2).
    static QIcon SystemIcon(bool downloaded, int owner);

private:
    void Resort();

    std::vector<TSystemRow> rows_;
    std::string userMail_;
    int sortColumn_ = colNums;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

} // namespace velmora
