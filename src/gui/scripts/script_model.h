// The script list lvScript as a virtual table over the script's lines: row r is line r, its nine
// cells (comment, options, filters 1..7) read from the line on demand.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace velmora {

class TScriptList;
class TStatList;

class TScriptModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TScriptModel(const TScriptList& script, const TStatList& stats, QObject* parent = nullptr);

    // The row count follows the script again (selection and focus are dropped).
    void Reset();
    // The cells of the rows are shown anew (same row count).
    void Repaint();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // The cells of one row; the last row asked for is kept, as a view asks for its cells one by one.
    const std::vector<std::string>& RowTexts(int row) const;

    const TScriptList& script_;
    const TStatList& stats_;
    int rows_ = 0;
    mutable int cachedRow_ = -1;
    mutable std::vector<std::string> cachedTexts_;
};

} // namespace velmora
