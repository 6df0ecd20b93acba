#include "gui/scripts/script_model.h"

#include "core/scripts/script_line.h"
#include "core/scripts/script_list.h"
#include "core/util/translate.h"
#include "gui/app/qt_text.h"


namespace velmora {

TScriptModel::TScriptModel(const TScriptList& script, const TStatList& stats, QObject* parent)
    : TListModel(parent), script_(script), stats_(stats) {
    Reset();
}

int TScriptModel::DataRowCount() const { return script_.ScriptLineCount(); }

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
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= Rows() ||
        index.row() >= script_.ScriptLineCount())
        return {};
    return Q(RowTexts(index.row())[size_t(index.column())]);
}

QVariant TScriptModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    return Q(TrText(kScriptColumnCaptions[size_t(section)]));
}

} // namespace velmora
