#include "gui/views/weekday_model.h"

#include "gui/app/qt_text.h"

#include <QLocale>

namespace velmora {

void TWeekModel::SetTable(const TWeekdayTable& table) {
    beginResetModel();
    table_ = table;
    endResetModel();
}

int32_t TWeekModel::Count(int row, int column) const { return table_.At(column + 1, row + 1); }

QString TWeekModel::WeekdayName(int weekday) { return QLocale().dayName(weekday, QLocale::ShortFormat); }

int TWeekModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kWeekdayCount; }

int TWeekModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kMaxNumber; }

QVariant TWeekModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole: return Q(table_.CellText(index.row() + 1, index.column() + 1));
    case Qt::BackgroundRole: {
        const std::optional<uint32_t> colour = WeekCellColour(Count(index.row(), index.column()), table_.Max);
        if (!colour) return {};
        return BgrColor(*colour);
    }
    case Qt::TextAlignmentRole: return int(Qt::AlignHCenter | Qt::AlignTop);
    default: return {};
    }
}

QVariant TWeekModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return Q(table_.CellText(0, section + 1));
    return WeekdayName(section + 1);
}

} // namespace velmora
