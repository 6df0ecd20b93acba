// The base of the virtual lists over data a page owns (draws, combinations, applied filters,
// script lines): the row count is taken from the data only by Reset, so a view never asks for a
// row that a change removed before the list was told; cells come from the data on demand.
#pragma once

#include <QAbstractTableModel>

namespace velmora {

class TListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The row count follows the data again (selection and focus are dropped).
    void Reset();
    // Every cell is shown anew (same row count).
    void Repaint();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

protected:
    using QAbstractTableModel::QAbstractTableModel;

    // The number of rows the data has now; a derived list calls Reset at the end of its constructor.
    virtual int DataRowCount() const = 0;
    // Cells kept from the data are dropped (on Reset and Repaint).
    virtual void DropCache() {}
    // The row count as last taken from the data.
    int Rows() const { return rows_; }
    // Changes the column layout within a reset, e.g. new captions.
    template <class F>
    void ResetWith(F change) {
        beginResetModel();
        change();
        TakeRowCount();
        endResetModel();
    }

private:
    void TakeRowCount();

    int rows_ = 0;
};

} // namespace velmora
