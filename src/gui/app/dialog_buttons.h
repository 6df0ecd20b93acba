// The OK / Отмена row of the program's dialogs.
#pragma once

class QDialog;
class QDialogButtonBox;

namespace velmora {

// A button box with "OK" (accepts the dialog) and "Отмена" (rejects it); the caller places it.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

} // namespace velmora
