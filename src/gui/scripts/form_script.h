// The line editor TFormScript: the comment, the options of a script line (start list, draws to
// exclude, result mode, clearing stakes, new stakes only) and its seven filter fields, each with a
// "..." button (or a double click in the field) that opens the filter dialog on the field.
#pragma once

#include "core/scripts/script_line.h"
#include "gui/filters/form_filter.h"

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace velmora {

class TFormScript : public QDialog {
    Q_OBJECT
public:
    // source: what the filter dialog offers (the statistic list and the table's selector).
    TFormScript(const TFilterDialogSource& source, QWidget* parent = nullptr);

    // The controls from a line: a step line loads every control (the filter fields as stored); an
    // empty line clears the comment and the filters, shows item 0 of both lists and clears both
    // boxes, keeping the draws to exclude as preset.
    void LoadLine(const std::string& line);
    // The line the controls describe (BuildScriptLine of the comment, the options and the fields).
    std::string BuildLine() const;
    // Opens the filter dialog on filter field i (1..7); on OK the field takes the step's text.
    void EditFilter(int i);

    QLineEdit* edComments;
    QGroupBox* gbOptions;
    QComboBox* cbStartCombsType;
    QSpinBox* edDrawsExclude;
    QComboBox* cbResultCombsMode;
    QCheckBox* cbClearStakes;
    QCheckBox* cbNewOnly;
    QGroupBox* gbFilters;
    std::array<QLineEdit*, kScriptFilterCount> edFilter;
    std::array<QToolButton*, kScriptFilterCount> btnFilter;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TFilterDialogSource source_;
};

} // namespace velmora
