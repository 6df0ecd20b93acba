#include "gui/stakes/stakes_grid.h"

#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>

namespace velmora {

namespace {

// The colours of the grid: matched numbers, and the result cells of a won or lost stake.
const QColor kMatchedColor(0, 0, 255);
const QColor kWonColor(0, 128, 0);
const QColor kLostColor(255, 0, 0);
constexpr int kNumberGap = 3;  // pixels between the numbers of one cell
constexpr int kTextMargin = 2;

bool HasNumber(const TNumberSet& set, uint8_t n) {
    for (int i = 0; i < std::min(set.Count, 8); ++i)
        if (set.Numbers[i] == n) return true;
    return false;
}

} // namespace

TStakesModel::TStakesModel(TStakeFile& file, QObject* parent) : QAbstractTableModel(parent), file_(file) {
    stakes_ = file_.StakeCount();
}

void TStakesModel::LoadRow(int row) const {
    if (row == cachedRow_) return;
    cachedRecord_ = TStakeRecord{};
    if (row >= 0 && row < stakes_ && row < file_.StakeCount()) {
        try {
            cachedRecord_ = file_.ReadStake(TStakeOrigin::Begin, row);
        } catch (const std::exception&) {
            // Painting never shows a message box; the row shows empty.
            cachedRecord_ = TStakeRecord{};
        }
    }
    const auto cells = StakeGridCells(cachedRecord_);
    for (size_t c = 0; c < cells.size(); ++c) cachedCells_[c] = Q(cells[c]);
    cachedRow_ = row;
}

const TStakeRecord& TStakesModel::Record(int row) const {
    LoadRow(row);
    return cachedRecord_;
}

void TStakesModel::Reset() {
    DropRow();
    beginResetModel();
    stakes_ = file_.StakeCount();
    endResetModel();
}

void TStakesModel::Sync() {
    DropRow();
    const int n = file_.StakeCount();
    if (n == stakes_) return;
    if (stakes_ > 0 && n > stakes_) {
        beginInsertRows({}, stakes_, n - 1);
        stakes_ = n;
        endInsertRows();
    } else {
        Reset();
    }
}

void TStakesModel::Repaint() {
    DropRow();
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int TStakesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : std::max(stakes_, 1); }

int TStakesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kStakeGridColumns; }

QVariant TStakesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) {
        LoadRow(index.row());
        return cachedCells_[size_t(index.column())];
    }
    if (role == Qt::TextAlignmentRole) {
        if (index.column() == scProfit) return int(Qt::AlignRight | Qt::AlignVCenter);
        if (index.column() == scComment) return int(Qt::AlignLeft | Qt::AlignVCenter);
        return int(Qt::AlignCenter);
    }
    return {};
}

QVariant TStakesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kStakeGridColumns) return {};
    if (role == Qt::DisplayRole) return QApplication::translate("TStakesPage", kStakeGridCaptions[size_t(section)]);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

TStakesDelegate::TStakesDelegate(TStakesModel* model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

void TStakesDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const TStakeRecord r = model_->Record(index.row());  // a copy: the model's row may change below
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    if (selected) {
        painter->fillRect(option.rect, option.palette.highlight());
    } else {
        const auto kind = StakeKindColor(r.Kind);
        painter->fillRect(option.rect, kind ? QBrush(BgrColor(*kind)) : option.palette.base());
    }
    if (r.DrawNumber > 0) {
        const int col = index.column();
        const QColor normal = selected ? option.palette.highlightedText().color() : option.palette.text().color();
        const QRect rc = option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
        painter->setClipRect(option.rect);
        if (col == scNumbers || (col == scDrawNumbers && r.Checked)) {
            // The numbers one by one, centred as a group; the matched ones in bold blue.
            std::vector<std::pair<QString, bool>> numbers;
            if (col == scNumbers) {
                for (int i = 0; i < std::min(r.Numbers.Count, 8); ++i)
                    numbers.push_back({QString::number(r.Numbers.Numbers[i]), HasNumber(r.Matched, r.Numbers.Numbers[i])});
            } else {
                for (uint8_t n : r.DrawNumbers) numbers.push_back({QString::number(n), HasNumber(r.Matched, n)});
            }
            QFont bold = option.font;
            bold.setBold(true);
            const QFontMetrics fmNormal(option.font), fmBold(bold);
            int total = 0;
            for (const auto& [text, hit] : numbers) total += (hit ? fmBold : fmNormal).horizontalAdvance(text) + kNumberGap;
            total -= numbers.empty() ? 0 : kNumberGap;
            int x = rc.left() + std::max(0, (rc.width() - total) / 2);
            for (const auto& [text, hit] : numbers) {
                painter->setFont(hit ? bold : option.font);
                painter->setPen(hit && !selected ? kMatchedColor : normal);
                const int w = (hit ? fmBold : fmNormal).horizontalAdvance(text);
                painter->drawText(QRect(x, rc.top(), w, rc.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
                x += w + kNumberGap;
            }
        } else {
            QColor color = normal;
            if (r.Checked && !selected && (col == scMatchCount || col == scMatched || col == scProfit))
                color = StakeWon(r) ? kWonColor : kLostColor;
            painter->setFont(option.font);
            painter->setPen(color);
            const int align = index.data(Qt::TextAlignmentRole).toInt();
            painter->drawText(rc, align, index.data(Qt::DisplayRole).toString());
        }
    }
    painter->restore();
}

QTableView* CreateStakesGrid(QWidget* parent, TStakesModel* model) {
    auto* grid = new QTableView(parent);
    grid->setObjectName("sgStakes");
    grid->setModel(model);
    grid->setItemDelegate(new TStakesDelegate(model, grid));
    SetupListView(grid);
    // A range of rows, as the grid's range selection.
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->verticalHeader()->setDefaultSectionSize(std::max(18, grid->fontMetrics().height() + 4));
    grid->setShowGrid(true);
    for (int c = 0; c < kStakeGridColumns; ++c) grid->setColumnWidth(c, kStakeGridWidths[size_t(c)]);
    grid->horizontalHeader()->setStretchLastSection(false);
    return grid;
}

} // namespace velmora
