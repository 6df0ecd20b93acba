#include "gui/systems/systems_model.h"

#include "core/net/catalog_client.h"
#include "core/util/text.h"
#include "gui/app/qt_text.h"

#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <algorithm>

namespace velmora {

TSystemsModel::TSystemsModel(QObject* parent) : QAbstractTableModel(parent) {}

int TSystemsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int TSystemsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colCount; }

QIcon TSystemsModel::SystemIcon(bool downloaded, int owner) {
    static QIcon icons[2][3];
    QIcon& icon = icons[downloaded ? 1 : 0][std::clamp(owner, 0, 2)];
    if (icon.isNull()) {
        // A sheet of the owner's colour; a downloaded system's sheet is filled and ticked.
        static const QColor colours[3] = {QColor(0, 140, 60), QColor(30, 90, 200), QColor(130, 130, 130)};
        QPixmap pm(16, 16);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor c = colours[std::clamp(owner, 0, 2)];
        p.setPen(QPen(c, 1.5));
        p.setBrush(downloaded ? c : QColor(Qt::white));
        p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 2, 2);
        if (downloaded) {
            p.setPen(QPen(Qt::white, 2));
            p.drawLine(QPointF(5, 8), QPointF(7.5, 11));
            p.drawLine(QPointF(7.5, 11), QPointF(11.5, 4.5));
        }
        icon = QIcon(pm);
    }
    return icon;
}

bool TSystemsModel::IsOwn(int row) const {
    return row >= 0 && row < int(rows_.size()) && rows_[size_t(row)].Info.Id != kSystemPlaceholderId &&
           IsOwnMail(rows_[size_t(row)].Info.OwnerMail, userMail_);
}

QVariant TSystemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size())) return {};
    const TSystemRow& r = rows_[size_t(index.row())];
    if (role == Qt::DisplayRole) {
        const std::vector<std::string> cells = SystemRowCells(r);
        QString text = Q(cells[size_t(index.column())]);
        if (index.column() == colTitle && r.Info.Id == kSystemPlaceholderId)
            text = r.Info.Title == kSystemListEmpty ? tr("В каталоге пока нет ни одной системы")
                                                    : tr("Список систем не доступен!");
        if (index.column() == colStatus && r.Downloaded) text = tr("Загружена");
        // A description of several lines shows as one.
        if (index.column() == colDescr) text.replace(QRegularExpression(QStringLiteral("[\\r\\n]+")), QStringLiteral(" "));
        return text;
    }
    if (role == Qt::DecorationRole && index.column() == colTitle && r.Info.Id != kSystemPlaceholderId) {
        const int owner = Trim(r.Info.OwnerMail).empty() ? 2 : IsOwn(index.row()) ? 0 : 1;
        return SystemIcon(r.Downloaded, owner);
    }
    if (role == Qt::ToolTipRole && index.column() == colDescr) return Q(r.Info.Descr);
    return {};
}

QVariant TSystemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const captions[colCount] = {
        QT_TR_NOOP("Название"),  QT_TR_NOOP("Автор"),    QT_TR_NOOP("Числа"),     QT_TR_NOOP("Блок"),
        QT_TR_NOOP("Комбинаций"), QT_TR_NOOP("Дата создания"), QT_TR_NOOP("Статус"), QT_TR_NOOP("Загрузок"),
        QT_TR_NOOP("Последняя"), QT_TR_NOOP("Комментарии"), QT_TR_NOOP("Ссылка")};
    return section >= 0 && section < colCount ? tr(captions[section]) : QVariant();
}

namespace {

// <0, 0, >0 for two rows by one column.
int CompareRows(const TSystemRow& a, const TSystemRow& b, int column) {
    auto cmp = [](auto x, auto y) { return x < y ? -1 : y < x ? 1 : 0; };
    const tSystemInfo& x = a.Info;
    const tSystemInfo& y = b.Info;
    switch (column) {
        case TSystemsModel::colTitle: return cmp(LowerCase(x.Title), LowerCase(y.Title));
        case TSystemsModel::colAuthor: return cmp(LowerCase(x.Author), LowerCase(y.Author));
        case TSystemsModel::colNums: return cmp(int(x.Nums), int(y.Nums));
        case TSystemsModel::colOlap: return cmp(int(x.Olap), int(y.Olap));
        case TSystemsModel::colCSize: return cmp(x.CSize, y.CSize);
        case TSystemsModel::colCreated: return cmp(x.Created, y.Created);
        case TSystemsModel::colStatus: return cmp(int(a.Downloaded), int(b.Downloaded));
        case TSystemsModel::colDownloads: return cmp(x.Downloads, y.Downloads);
        case TSystemsModel::colLastDownload: return cmp(x.LastDownload, y.LastDownload);
        case TSystemsModel::colDescr: return cmp(LowerCase(x.Descr), LowerCase(y.Descr));
        case TSystemsModel::colUrl: return cmp(LowerCase(x.URL), LowerCase(y.URL));
    }
    return 0;
}

} // namespace

void TSystemsModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= colCount) return;
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutAboutToBeChanged();
    Resort();
    emit layoutChanged();
}

void TSystemsModel::Resort() {
    std::stable_sort(rows_.begin(), rows_.end(), [this](const TSystemRow& a, const TSystemRow& b) {
        const int c = CompareRows(a, b, sortColumn_);
        return sortOrder_ == Qt::AscendingOrder ? c < 0 : c > 0;
    });
}

void TSystemsModel::SetRows(std::vector<TSystemRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    Resort();
    endResetModel();
}

void TSystemsModel::Append(TSystemRow row) {
    beginInsertRows({}, int(rows_.size()), int(rows_.size()));
    rows_.push_back(std::move(row));
    endInsertRows();
}

void TSystemsModel::Remove(int row) {
    if (row < 0 || row >= int(rows_.size())) return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void TSystemsModel::RowChanged(int row) {
    if (row < 0 || row >= int(rows_.size())) return;
    emit dataChanged(index(row, 0), index(row, colCount - 1));
}

int TSystemsModel::FindId(int32_t id) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Info.Id == id) return int(i);
    return -1;
}

} // namespace velmora
