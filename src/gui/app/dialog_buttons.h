// The OK / Отмена row of the program's dialogs.
#pragma once

class QDialog;
class QDialogButtonBox;
class QLayout;

namespace velmora {

// A button box with "OK" (accepts the dialog) and "Отмена" (rejects it); the caller places it.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);
// The layout of a small dialog: the rows of `form` at the top, OkCancelButtons at the bottom, the
// dialog `width` wide and as high as it needs.
void SetFormWithButtons(QDialog* dialog, QLayout* form, int width);
// Opens the dialog wide enough that the window manager shows its title whole beside the window's
// icon and buttons (call it once the title and the layout are set).
void KeepTitleWhole(QDialog* dialog);

} // namespace velmora
