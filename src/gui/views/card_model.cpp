#include "gui/views/card_model.h"

#include "gui/app/qt_text.h"

namespace velmora {

void TCardModel::SetCard(TDrawsCard card) {
    beginResetModel();
    card_ = std::move(card);
    endResetModel();
}

void TCardModel::SetColours(bool colorCard, bool colorSequences, int channelSize) {
    colorCard_ = colorCard;
    colorSequences_ = colorSequences;
    channelSize_ = channelSize;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

int TCardModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : card_.RowCount() - 1; }

int TCardModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kCardColumnCount - 1; }

QVariant TCardModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1, column = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole: return Q(card_.CellText(row, column));
    case Qt::BackgroundRole: {
        const TCardColour colour = CardCellColour(card_, row, column, colorCard_, colorSequences_, channelSize_);
        if (colour.Rule == TCardColourRule::Grid) return {};
        return BgrColor(colour.Color);
    }
    case Qt::TextAlignmentRole: return int(Qt::AlignHCenter | Qt::AlignTop);
    default: return {};
    }
}

QVariant TCardModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return Q(card_.CellText(0, section + 1));
    return Q(card_.CellText(section + 1, 0));
}

} // namespace velmora
