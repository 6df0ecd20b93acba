// The properties dialog of a catalog script (TFormScrPublic, "Свойства сценария"): title, author,
// language, description, where the script applies and who sees it. Editable, OK accepts only after
// the checks in order: a title, a title free on the server (asked under the busy state through
// CheckTitle), an author. Read-only for "Свойства сценария" of somebody else's row: every field
// locked, OK hidden, "Отмена" focused.
#pragma once

#include "core/net/script_catalog.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace velmora {

class TFormScrPublic : public QDialog {
    Q_OBJECT
public:
    explicit TFormScrPublic(QWidget* parent);

    void SetData(const tScriptData& data, bool editable);
    // The result: trimmed title and author, the language, the two choices, the description.
    tScriptData Data() const;

    // The check of a title on the server: true when free; raises with the reason when the check
    // fails. The panel runs the request under the busy state.
    std::function<bool(int32_t id, const std::string& title)> CheckTitle;

    QLineEdit* edTitle;
    QLineEdit* edClName;
    QComboBox* cbClLcid;
    QPlainTextEdit* edDescr;
    QGroupBox* rgAppMode;
    QRadioButton* rbAppOnly;
    QRadioButton* rbAppAny;
    QGroupBox* rgViewMode;
    QRadioButton* rbViewAll;
    QRadioButton* rbViewMe;
    QPushButton* btnOk;
    QPushButton* btnCancel;

private:
    void Accept();

    tScriptData data_;
};

} // namespace velmora
