#include "gui/combs/combs_model.h"

#include "gui/app/qt_text.h"

#include <QBrush>

namespace velmora {

namespace {
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kFirstNumberColumn = 1;
} // namespace

TCombsModel::TCombsModel(const TCombSet& combs, QObject* parent)
    : TListModel(parent), combs_(combs) {
    Reset();
}

void TCombsModel::SetColorCombs(bool on) {
    colorCombs_ = on;
    Repaint();
}

void TCombsModel::SetChannelSize(int size) {
    channelSize_ = size;
    Repaint();
}

int TCombsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(TCombSet::ColumnCaptions().size());
}

QVariant TCombsModel::data(const QModelIndex& index, int role) const {
    const int row = index.row(), col = index.column();
    // The row count is only updated by Reset; while an operation shrinks the set, rows beyond
    // it show nothing.
    if (!index.isValid() || row >= combs_.Count()) return {};
    const bool number = col >= kFirstNumberColumn && col < kFirstNumberColumn + kNumberCount;
    switch (role) {
    case Qt::DisplayRole: {
        auto cells = combs_.RowTexts(row);
        return col < int(cells.size()) ? Q(cells[size_t(col)]) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (!colorCombs_) return {};
        if (number) return QBrush(BgrColor(NumberColor(combs_.At(row)[size_t(col - kFirstNumberColumn)], channelSize_)));
        return QBrush(BgrColor(kWhite));
    case Qt::ForegroundRole:
        return colorCombs_ ? QVariant(QBrush(Qt::black)) : QVariant();
    default:
        return {};
    }
}

QVariant TCombsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const auto& captions = TCombSet::ColumnCaptions();
    if (orientation != Qt::Horizontal || section < 0 || section >= int(captions.size())) return {};
    if (role == Qt::DisplayRole) return Q(captions[size_t(section)]);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

} // namespace velmora
