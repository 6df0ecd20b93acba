// The models of the page "Схема": the scheme as a grid (its LastDraw row is the horizontal header,
// its Count column the vertical header; model row r and column c are the scheme's row r + 1 and
// column c + 1) and a comparison list (count, numbers) with its range title, sorted by a click on
// a column header.
#pragma once

#include "core/views/layout_scheme.h"

#include <QAbstractTableModel>
#include <QString>

namespace velmora {

class TLayoutModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetScheme(TLayoutScheme scheme);
    const TLayoutScheme& Scheme() const { return scheme_; }
    // The gradient colouring; the cells are painted anew.
    void SetGradient(bool on);
    bool Gradient() const { return gradient_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TLayoutScheme scheme_;
    bool gradient_ = true;
};

class TLayoutCompareModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // A new list in the order of its counts; the sort chosen by the user is applied again.
    void SetList(TLayoutCompareList list);
    const TLayoutCompareList& List() const { return list_; }
    // A click on a column header: sorts by that column, ascending, or the other way round when it
    // is the column sorted by already.
    void ClickColumn(int column);
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return descending_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void Sort();

    TLayoutCompareList list_;
    int sortColumn_ = -1;  // -1: the order in which the counts were met
    bool descending_ = false;
};

} // namespace velmora
