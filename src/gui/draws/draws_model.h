// The draw list lvDraws as a virtual table over the archive: row k is the draw at list position k
// (newest first); cells come from the archive on demand.
#pragma once

#include "core/model/draws_archive.h"

#include "gui/views/list_model.h"
#include <QStringList>

namespace velmora {

class TDrawsModel : public TListModel {
    Q_OBJECT
public:
    TDrawsModel(const TDrawsArchive& archive, QObject* parent = nullptr);

    void SetCaptions(const QStringList& captions);
    // Channel colours of the number cells ("ColorDraws").
    void SetColorDraws(bool on);
    bool ColorDraws() const { return colorDraws_; }
    void SetChannelSize(int size);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int DataRowCount() const override { return archive_.Count(); }

    const TDrawsArchive& archive_;
    QStringList captions_;
    bool colorDraws_ = true;
    int channelSize_ = 5;
};

} // namespace velmora
