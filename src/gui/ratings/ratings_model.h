// The list lvRatings: a virtual table over the ratings (row i is entry i in display order) with
// the list's texts in the chosen efficiency mode, the column alignments and the hint of "p".
#pragma once

#include "core/stakes/rating.h"

#include <QAbstractTableModel>
#include <QString>
#include <array>

namespace velmora {

class TRatingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TRatingsModel(const TRatingsArray& ratings, QObject* parent = nullptr);

    int Mode() const { return mode_; }
    void SetMode(int mode);
    // The row count follows the entries again (after a sort, a refresh or a load).
    void Reset();
    // Every cell is shown anew (entries changed in place).
    void Repaint();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // A row is painted cell by cell: its texts are made once.
    void LoadRow(int row) const;

    const TRatingsArray& ratings_;
    int mode_ = kDefaultRatingEffMode;
    int rows_ = 0;
    mutable int cachedRow_ = -1;
    mutable std::array<QString, kRatingColumnCount> cachedCells_;
    mutable TMatchTailCache tails_;
};

} // namespace velmora
