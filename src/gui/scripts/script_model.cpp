#include "gui/scripts/script_model.h"

#include "core/scripts/script_line.h"
#include "core/scripts/script_list.h"
#include "gui/app/qt_text.h"

#include <QCoreApplication>

namespace velmora {

TScriptModel::TScriptModel(const TScriptList& script, const TStatList& stats, QObject* parent)
    : QAbstractTableModel(parent), script_(script), stats_(stats), rows_(script.ScriptLineCount()) {}

void TScriptModel::Reset() {
    beginResetModel();
    rows_ = script_.ScriptLineCount();
    cachedRow_ = -1;
    endResetModel();
}

void TScriptModel::Repaint() {
    cachedRow_ = -1;
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

int TScriptModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TScriptModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(kScriptColumnCaptions.size());
}

const std::vector<std::string>& TScriptModel::RowTexts(int row) const {
    if (row != cachedRow_) {
        cachedTexts_ = ScriptRowTexts(script_.GetScriptLine(row), stats_);
        cachedRow_ = row;
    }
    return cachedTexts_;
}

QVariant TScriptModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_ ||
        index.row() >= script_.ScriptLineCount())
        return {};
    return Q(RowTexts(index.row())[size_t(index.column())]);
}

QVariant TScriptModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    return QCoreApplication::translate("TScriptModel", kScriptColumnCaptions[size_t(section)].c_str());
}

} // namespace velmora
