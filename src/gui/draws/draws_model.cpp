#include "gui/draws/draws_model.h"

#include "gui/app/qt_text.h"

#include <QBrush>

namespace velmora {

namespace {
constexpr uint32_t kOffsetRowColor = 0xAAAAFF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kFirstNumberColumn = 1;
} // namespace

TDrawsModel::TDrawsModel(const TDrawsArchive& archive, QObject* parent)
    : TListModel(parent), archive_(archive) {
    Reset();
}

void TDrawsModel::SetCaptions(const QStringList& captions) {
    ResetWith([&] { captions_ = captions; });
}

void TDrawsModel::SetColorDraws(bool on) {
    colorDraws_ = on;
    Repaint();
}

void TDrawsModel::SetChannelSize(int size) {
    channelSize_ = size;
    Repaint();
}

int TDrawsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(captions_.size()); }

QVariant TDrawsModel::data(const QModelIndex& index, int role) const {
    const int k = index.row(), col = index.column();
    // The row count is only updated by Reset; rows beyond the archive show nothing meanwhile.
    if (!index.isValid() || k >= archive_.Count()) return {};
    switch (role) {
    case Qt::DisplayRole: {
        auto row = archive_.DrawListRow(k);
        return col < int(row.size()) ? Q(row[size_t(col)]) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole: {
        if (colorDraws_ && col >= kFirstNumberColumn && col < kFirstNumberColumn + kNumberCount) {
            TDrawRecord d = archive_.ViewDraw(archive_.IndexOfPosition(k));
            return QBrush(BgrColor(NumberColor(d.Numbers[col - kFirstNumberColumn], channelSize_)));
        }
        if (k == archive_.Offset()) return QBrush(BgrColor(kOffsetRowColor));
        if (colorDraws_) return QBrush(BgrColor(kWhite));
        return {};
    }
    case Qt::ForegroundRole:
        return colorDraws_ || k == archive_.Offset() ? QVariant(QBrush(Qt::black)) : QVariant();
    default:
        return {};
    }
}

QVariant TDrawsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= captions_.size()) return {};
    if (role == Qt::DisplayRole) return captions_[section];
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

} // namespace velmora
