// The message boxes of the program, each with its fixed caption.
#pragma once

#include <QString>

class QWidget;

namespace velmora {

// "Ошибка"
void ShowError(QWidget* parent, const QString& text);
// "Информация"
void ShowInformation(QWidget* parent, const QString& text);
// "Внимание!"
void ShowWarning(QWidget* parent, const QString& text);
// "Подтверждение", Yes/No; true for Yes.
bool AskConfirmation(QWidget* parent, const QString& text, bool yesPreselected = true);
// "Предупреждение", Yes/No with No preselected; true only for Yes.
bool AskWarning(QWidget* parent, const QString& text);
// AskWarning before n selected records of a list are deleted.
bool AskDeleteRecords(QWidget* parent, int n);

} // namespace velmora
