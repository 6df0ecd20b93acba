#include "gui/app/messages.h"

#include "core/util/format.h"
#include "gui/app/qt_text.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace velmora {

namespace {

QString Caption(const char* text) { return QCoreApplication::translate("Messages", text); }

int Box(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton preselected) {
    QMessageBox box(icon, caption, MessageText(text), buttons, parent);
    box.setDefaultButton(preselected);
    // A file name or an address in the text can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setEscapeButton(buttons & QMessageBox::No ? QMessageBox::No : QMessageBox::Ok);
    if (auto* b = box.button(QMessageBox::Yes)) b->setText(QCoreApplication::translate("Messages", "Да"));
    if (auto* b = box.button(QMessageBox::No)) b->setText(QCoreApplication::translate("Messages", "Нет"));
    return box.exec();
}

} // namespace

void ShowError(QWidget* parent, const QString& text) {
    Box(parent, QMessageBox::Critical, Caption(QT_TRANSLATE_NOOP("Messages", "Ошибка")), text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowInformation(QWidget* parent, const QString& text) {
    Box(parent, QMessageBox::Information, Caption(QT_TRANSLATE_NOOP("Messages", "Информация")), text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowWarning(QWidget* parent, const QString& text) {
    Box(parent, QMessageBox::Warning, Caption(QT_TRANSLATE_NOOP("Messages", "Внимание!")), text, QMessageBox::Ok, QMessageBox::Ok);
}

bool AskConfirmation(QWidget* parent, const QString& text, bool yesPreselected) {
    return Box(parent, QMessageBox::Question, Caption(QT_TRANSLATE_NOOP("Messages", "Подтверждение")), text, QMessageBox::Yes | QMessageBox::No,
               yesPreselected ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}

bool AskWarning(QWidget* parent, const QString& text) {
    return Box(parent, QMessageBox::Warning, Caption(QT_TRANSLATE_NOOP("Messages", "Предупреждение")), text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::No) == QMessageBox::Yes;
}

bool AskDeleteRecords(QWidget* parent, int n) {
    const QString question = n == 1
        ? QCoreApplication::translate("Messages", "Удалить выделенную запись?")
        : Q(Format(S(QCoreApplication::translate("Messages", "Удалить все выделенные записи (всего будет удалено %d записи(ей))?")), {n}));
    return AskWarning(parent, question);
}

} // namespace velmora
