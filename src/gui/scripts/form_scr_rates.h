// The ratings of a catalog script (TFormScrRates, "Оценки пользователей"): one row per rating with
// the rater's name, the rating, its date, the program and version and the comment; "Закрыть".
#pragma once

#include "core/net/script_catalog.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTableWidget;

namespace velmora {

class TFormScrRates : public QDialog {
    Q_OBJECT
public:
    TFormScrRates(QWidget* parent, const std::vector<tScriptRate>& rates);

    QTableWidget* lvRates;
    QPushButton* btnClose;
};

} // namespace velmora
