// The filter dialog TFormFilter ("Фильтр"): edits one filter step of a script line: the statistic
// and its sample lengths, the sort column and direction of the table walk, keep or delete, the
// row-selection criterion with its values, own weights for the "Вес" column and the stop rule.
// EditFilterItem runs it on a copy of a step and writes the step back only on OK.
#pragma once

#include "core/filters/filter_item.h"
#include "gui/app/form_config.h"

#include <QDialog>
#include <QString>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

namespace velmora {

class TStatList;

// What the dialog takes from the main window: the items of the statistics table's selector
// (caption and method index of the list, in the selector's order), its current item and the
// table's sample length.
struct TFilterDialogSource {
    struct Item {
        QString Caption;
        int Method = -1;
    };
    const TStatList* List = nullptr;
    std::vector<Item> Items;
    int CurrentItem = -1;
    int SampleLength = 1000;
};

class TFormFilter : public QDialog {
    Q_OBJECT
public:
    TFormFilter(const TFilterDialogSource& source, QWidget* parent = nullptr);

    // Puts an active step into the controls; an inactive one leaves the initial state.
    void LoadItem(const TFilterItem& item);
    // The step the controls describe.
    TFilterItem BuildItem() const;

    // Closing with OK validates first; an invalid field shows the error box, takes the focus and
    // keeps the dialog open.
    void done(int result) override;

    QComboBox* cbDrawsStatType;
    QLineEdit* edDrawsLen;
    QComboBox* cbDrawsSortOrder;
    QComboBox* cbDirection;
    QComboBox* cbFilterMode;
    QCheckBox* cbMultiSelect;
    QComboBox* cbLevelMode;
    QLineEdit* edLevelValue;
    QGroupBox* gbCDL;
    QCheckBox* cbCDLOverride;
    TWeightControls Coef;
    QComboBox* cbStopMode;
    QSpinBox* edStopValue;

private:
    // The weight box only for the "Вес" criteria; the weights only while the box is enabled and
    // checked.
    void UpdateEnabling();
    // The method of the list attached to the selected item; nullptr when there is none.
    const TStatMethod* SelectedMethod() const;
    // The control that shows a part of the step (focused when the check on OK refuses it).
    QWidget* FieldControl(TFilterItemField field) const;

    TFilterDialogSource source_;
};

// Runs the dialog on a copy of item; on OK writes the dialog's step into item and returns true,
// on Cancel returns false and leaves item unchanged.
bool EditFilterItem(QWidget* parent, TFilterItem& item, const TFilterDialogSource& source);

} // namespace velmora
