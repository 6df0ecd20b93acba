// The draw list lvDraws as a virtual table over the archive: row k is the draw at list position k
// (newest first); cells come from the archive on demand.
#pragma once

#include "core/model/draws_archive.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace velmora {

class TDrawsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TDrawsModel(const TDrawsArchive& archive, QObject* parent = nullptr);

    void SetCaptions(const QStringList& captions);
    // Channel colours of the number cells ("ColorDraws").
    void SetColorDraws(bool on);
    bool ColorDraws() const { return colorDraws_; }
    void SetChannelSize(int size);

    // The row count follows the archive again (selection and focus are dropped).
    void Reset();
    // Every cell is shown anew (sorted switch, colours, offset).
    void Repaint();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const TDrawsArchive& archive_;
    QStringList captions_;
    int rows_ = 0;
    bool colorDraws_ = true;
    int channelSize_ = 5;
};

} // namespace velmora
