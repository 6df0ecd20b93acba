#include "gui/stakes/stakes_grid.h"

#include "core/util/translate.h"
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

// The numbers of a "Моя ставка" or "Результаты тиража" cell with their matched marks.
std::vector<std::pair<QString, bool>> CellNumbers(const TStakeRecord& r, int col) {
    std::vector<std::pair<QString, bool>> numbers;
    if (col == scNumbers) {
        for (int i = 0; i < std::min(r.Numbers.Count, 8); ++i)
            numbers.push_back({QString::number(r.Numbers.Numbers[i]), HasNumber(r.Matched, r.Numbers.Numbers[i])});
    } else {
        for (uint8_t n : r.DrawNumbers) numbers.push_back({QString::number(n), HasNumber(r.Matched, n)});
    }
    return numbers;
}

bool NumbersCell(const TStakeRecord& r, int col) { return col == scNumbers || (col == scDrawNumbers && r.Checked); }

// The width of numbers drawn one by one with the gap between them.
int NumbersWidth(const QFont& font, const std::vector<std::pair<QString, bool>>& numbers) {
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics fmNormal(font), fmBold(bold);
    int total = 0;
    for (const auto& [text, hit] : numbers) total += (hit ? fmBold : fmNormal).horizontalAdvance(text) + kNumberGap;
    return total - (numbers.empty() ? 0 : kNumberGap);
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
    realStakes_ = CountRealStakes();
    endResetModel();
}

void TStakesModel::Sync() {
    DropRow();
    const int n = file_.StakeCount();
    if (n == stakes_) return;
    if (stakes_ > 0 && n > stakes_) {
        beginInsertRows({}, stakes_, n - 1);
        stakes_ = n;
        realStakes_ = CountRealStakes();
        endInsertRows();
    } else {
        Reset();
    }
}

int TStakesModel::CountRealStakes() {
    // A file that cannot be read counts what was read before; the grid shows the error rows.
    try {
        return tally_.Count(file_);
    } catch (const std::exception&) {
        tally_.Reset();
        return 0;
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
    // The comment in its hint as well: the grid may show it cut.
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && index.column() == scComment)) {
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
    if (role == Qt::DisplayRole) return Q(TrText(kStakeGridCaptions[size_t(section)]));
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
        if (NumbersCell(r, col)) {
            // The numbers one by one, centred as a group; the matched ones in bold blue.
            const auto numbers = CellNumbers(r, col);
            QFont bold = option.font;
            bold.setBold(true);
            const QFontMetrics fmNormal(option.font), fmBold(bold);
            const int total = NumbersWidth(option.font, numbers);
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
            // A text longer than its column (a comment) ends with "…".
            const QString text = QFontMetrics(option.font).elidedText(index.data(Qt::DisplayRole).toString(),
                                                                      Qt::ElideRight, rc.width());
            painter->drawText(rc, align, text);
        }
    }
    painter->restore();
}

QSize TStakesDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    const TStakeRecord& r = model_->Record(index.row());
    if (r.DrawNumber <= 0) return {0, base.height()};
    const int col = index.column();
    const int w = NumbersCell(r, col) ? NumbersWidth(option.font, CellNumbers(r, col))
                                      : QFontMetrics(option.font).horizontalAdvance(index.data(Qt::DisplayRole).toString());
    return {w + 2 * kTextMargin + 1, base.height()};
}

std::array<int, kStakeGridColumns> StakeCellWidths(const QFont& font) {
    const QFontMetrics fm(font);
    TStakeRecord all;
    all.DrawNumber = 1;
    all.Checked = 1;
    all.Numbers.Count = 5;
    all.Matched.Count = 5;
    for (int i = 0; i < 5; ++i) all.Numbers.Numbers[i] = all.Matched.Numbers[i] = all.DrawNumbers[i] = uint8_t(46 + i);
    int kinds = 0;
    for (int k = skManual; k <= skSystem; ++k) kinds = std::max(kinds, fm.horizontalAdvance(Q(StakeKindName(k))));
    std::array<int, kStakeGridColumns> w = {
        fm.horizontalAdvance("000000"),
        kinds,
        NumbersWidth(font, CellNumbers(all, scNumbers)),
        fm.horizontalAdvance("0000000"),
        NumbersWidth(font, CellNumbers(all, scDrawNumbers)),
        fm.horizontalAdvance("0"),
        fm.horizontalAdvance("00 00 00 00 00"),
        fm.horizontalAdvance("-00000.00"),
        0};
    for (int& x : w) x += 2 * kTextMargin + 1;
    return w;
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
    // The columns fit their captions and cells; the comment takes the rest (TColumnFit of the page).
    grid->horizontalHeader()->setStretchLastSection(false);
    return grid;
}

} // namespace velmora
