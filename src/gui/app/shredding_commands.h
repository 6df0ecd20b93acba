// The command EditShredding ("Формулы шинковки", menu "Файл"): the formula dialog, and after OK
// the settings file, the distribution files of the shredding methods and the statistic list with
// its selectors.
#pragma once

#include "core/app/config.h"

#include <QObject>

namespace velmora {

class TTemplateMain;

class TShreddingCommands : public QObject {
    Q_OBJECT
public:
    // Registers the command and puts it into the file menu after the program settings.
    explicit TShreddingCommands(TTemplateMain& window);

    bool EditShreddingUpdate() const;
    void EditShreddingExecute();
    // What OK does with the dialog's values: the formulas go into the statistic list and the
    // settings file; the distribution files of group 12 are rebuilt (missing ones created) when
    // the comparison with the full set is on, and removed otherwise, since they were made with the
    // old formulas; the list is rebuilt keeping favourites and the selectors their positions.
    void ApplyShredding(const TShreddingData& data);

private:
    TTemplateMain& w_;
};

} // namespace velmora
