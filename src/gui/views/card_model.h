// The draws card as a grid model: the caption row of the card is the horizontal header, its draw
// number column the vertical header; model row r and column c are the card's row r + 1 and column
// c + 1 (the numbers 1..50, then E1 and E2). Cells and their colours come from the card on demand,
// so a card of a hundred thousand draws costs no more to show than a short one.
#pragma once

#include "core/views/draws_card.h"

#include <QAbstractTableModel>

namespace velmora {

class TCardModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // A new card (the selection is dropped).
    void SetCard(TDrawsCard card);
    const TDrawsCard& Card() const { return card_; }
    // The colour switches and the channel size; the cells are painted anew.
    void SetColours(bool colorCard, bool colorSequences, int channelSize);
    bool ColorCard() const { return colorCard_; }
    bool ColorSequences() const { return colorSequences_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TDrawsCard card_;
    bool colorCard_ = true;
    bool colorSequences_ = true;
    int channelSize_ = 5;
};

} // namespace velmora
