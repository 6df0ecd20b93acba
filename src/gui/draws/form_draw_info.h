// The information window "Подробная информация" of a draw (or of a combination): the card of the
// numbers 1..50 coloured by channel with the draw's numbers written in, and a property list.
#pragma once

#include "core/model/draw_record.h"
#include "core/stats/graph_numbers.h"

#include <vector>

#include <QDialog>

class QSpinBox;
class QTableWidget;
class QTreeWidget;

namespace velmora {

class TFormDrawInfo : public QDialog {
    Q_OBJECT
public:
    explicit TFormDrawInfo(QWidget* parent = nullptr);

    // Shows the draw; withDrawRows adds the rows of its number and date (a draw, not a
    // combination); the statistic rows follow. columns is the card's starting column count.
    void SetDraw(const TDrawRecord& draw, bool withDrawRows, const std::vector<TStatNumberRow>& statRows, int columns,
                 int channelSize);

    QTableWidget* sgCard;
    QSpinBox* edColumns;
    QTreeWidget* lvProperties;

private:
    void FillCard();
    // Widens the dialog for the property texts.
    void FitWidth();

    TDrawRecord draw_;
    int channelSize_ = 5;
};

} // namespace velmora
