// The stake grid sgStakes: a virtual table over the stake file (row i is record i, read on demand
// through the file's one-record cache, so a file of a million stakes shows at once) and the
// delegate that draws its cells: the row colour of the stake's kind, the numbers of "Моя ставка"
// and "Результаты тиража" one by one with the matched ones in bold blue, and the result cells of
// a checked stake in green (profit) or red.
#pragma once

#include "core/stakes/stake_file.h"
#include "core/stakes/stake_tally.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

namespace velmora {

class TStakesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TStakesModel(TStakeFile& file, QObject* parent = nullptr);

    // The record of a row; a row without a record (the empty row of an empty file) or one that
    // cannot be read gives a zeroed record, which shows as an empty row.
    const TStakeRecord& Record(int row) const;
    // The row count follows the file again (selection and focus are dropped).
    void Reset();
    // Rows appended to the file are added to the grid (the selection stays); any other change of
    // the count resets it.
    void Sync();
    // Every visible cell is shown anew (the records changed in place).
    void Repaint();
    int StakeCount() const { return stakes_; }
    // The stakes among the rows (the separators between blocks are rows, not stakes).
    int Stakes() const { return realStakes_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // The row last asked for, with its cell texts: painting a row asks for it once per cell.
    void LoadRow(int row) const;
    void DropRow() const { cachedRow_ = -2; }
    int CountRealStakes();

    TStakeFile& file_;
    int stakes_ = 0;
    int realStakes_ = 0;
    TStakeTally tally_;
    mutable int cachedRow_ = -2;
    mutable TStakeRecord cachedRecord_;
    mutable std::array<QString, kStakeGridColumns> cachedCells_;
};

class TStakesDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TStakesDelegate(TStakesModel* model, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The width the cell is drawn in (numbers one by one, the matched ones in bold).
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TStakesModel* model_;
};

// The widths that show the usual cells of each column whole whatever rows are in sight: five
// numbers all matched, a sample of the whole combination set, a loss of thousands.
std::array<int, kStakeGridColumns> StakeCellWidths(const QFont& font);

// The grid: whole rows, a range of them selected at once, sizable columns, one fixed row height.
QTableView* CreateStakesGrid(QWidget* parent, TStakesModel* model);

} // namespace velmora
