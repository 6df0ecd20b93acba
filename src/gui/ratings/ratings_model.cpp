#include "gui/ratings/ratings_model.h"

#include "core/util/translate.h"
#include "gui/app/qt_text.h"

#include <QCoreApplication>

namespace velmora {

TRatingsModel::TRatingsModel(const TRatingsArray& ratings, QObject* parent)
    : QAbstractTableModel(parent), ratings_(ratings), rows_(int(ratings.size())) {}

void TRatingsModel::SetMode(int mode) {
    mode_ = mode;
    Repaint();
}

void TRatingsModel::Reset() {
    beginResetModel();
    rows_ = int(ratings_.size());
    cachedRow_ = -1;
    endResetModel();
}

void TRatingsModel::Repaint() {
    cachedRow_ = -1;
    if (rows_ != int(ratings_.size())) {
        Reset();
        return;
    }
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, kRatingColumnCount - 1));
}

int TRatingsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TRatingsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kRatingColumnCount; }

void TRatingsModel::LoadRow(int row) const {
    if (row == cachedRow_) return;
    const auto cells = RatingCells(ratings_[size_t(row)], mode_, &tails_);
    for (size_t c = 0; c < cells.size(); ++c) cachedCells_[c] = Q(cells[c]);
    cachedRow_ = row;
}

QVariant TRatingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || size_t(index.row()) >= ratings_.size()) return {};
    // The comment in its hint as well: the list may show it cut.
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && index.column() == rcComment)) {
        LoadRow(index.row());
        return cachedCells_[size_t(index.column())];
    }
    if (role == Qt::TextAlignmentRole) {
        const int a = RatingColumnAlign(index.column());
        return int((a < 0 ? Qt::AlignLeft : a > 0 ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter);
    }
    return {};
}

QVariant TRatingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kRatingColumnCount) return {};
    if (role == Qt::DisplayRole) return Q(TrText(kRatingCaptions[size_t(section)]));
    if (role == Qt::ToolTipRole && section == rcP)
        return QCoreApplication::translate("velmora::TRatingsPage", kRatingPHint);
    if (role == Qt::TextAlignmentRole) {
        const int a = RatingColumnAlign(section);
        return int((a < 0 ? Qt::AlignLeft : a > 0 ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter);
    }
    return {};
}

} // namespace velmora
