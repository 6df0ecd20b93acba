// The script list lvScript as a virtual table over the script's lines: row r is line r, its nine
// cells (comment, options, filters 1..7) read from the line on demand.
#pragma once

#include "gui/views/list_model.h"
#include <string>
#include <vector>

namespace velmora {

class TScriptList;
class TStatList;

class TScriptModel : public TListModel {
    Q_OBJECT
public:
    TScriptModel(const TScriptList& script, const TStatList& stats, QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int DataRowCount() const override;
    void DropCache() override { cachedRow_ = -1; }
    // The cells of one row; the last row asked for is kept, as a view asks for its cells one by one.
    const std::vector<std::string>& RowTexts(int row) const;

    const TScriptList& script_;
    const TStatList& stats_;
    mutable int cachedRow_ = -1;
    mutable std::vector<std::string> cachedTexts_;
};

} // namespace velmora
