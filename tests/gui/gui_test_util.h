// Helpers of the GUI tests: answering modal dialogs and message boxes, and a data folder per test.
#pragma once

#include "gui/app/form_main.h"
#include "model/data_folder.h"
#include "model/draws_archive.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace velmora::test {

// The offscreen platform warns about window size hints it cannot pass on; the tests drop that
// one message and keep every other.
inline void QuietOffscreenWarnings() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
        if (msg.contains("does not support propagateSizeHints")) return;
        if (previous) previous(type, ctx, msg);
    });
}

// What the modal handlers saw that they should not have; tests check it is empty.
inline QStringList& ModalFailures() {
    static QStringList failures;
    return failures;
}

// Runs handler on the next modal widget of type T, as soon as it is up. A modal widget of another
// type that stays up instead is closed and recorded as a failure, so that a test never hangs.
// The returned handle stops the wait (StopModal) when the widget is not expected any more.
template <class T>
QPointer<QTimer> OnModal(std::function<void(T*)> handler) {
    auto* timer = new QTimer;
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, ticks, handler] {
        QWidget* w = QApplication::activeModalWidget();
        if (T* t = qobject_cast<T*>(w); t && t->isVisible()) {
            timer->stop();
            timer->deleteLater();
            handler(t);
            return;
        }
        if (++*ticks > 1000) {
            timer->stop();
            timer->deleteLater();
            ModalFailures() << QString("expected a %1, found %2")
                                   .arg(T::staticMetaObject.className(), w ? w->metaObject()->className() : "nothing");
            if (w) {
                if (auto* box = qobject_cast<QMessageBox*>(w)) ModalFailures() << box->text();
                w->close();
            }
        }
    });
    timer->start(10);
    return timer;
}

inline void StopModal(const QPointer<QTimer>& wait) {
    if (wait) {
        wait->stop();
        wait->deleteLater();
    }
}

// A message box as it was shown.
struct ShownBox {
    QString Caption, Text;
    bool NoPreselected = false;
};

// Answers the next message box with the button and records what it showed.
inline QPointer<QTimer> AnswerBox(ShownBox* shown, QMessageBox::StandardButton answer) {
    return OnModal<QMessageBox>([shown, answer](QMessageBox* box) {
        if (shown) {
            shown->Caption = box->windowTitle();
            shown->Text = box->text();
            shown->NoPreselected = box->defaultButton() == box->button(QMessageBox::No);
        }
        QAbstractButton* b = box->button(answer);
        if (b)
            b->click();
        else
            box->close();
    });
}

// Picks the file in the next file dialog.
inline QPointer<QTimer> ChooseFile(const QString& path) {
    return OnModal<QFileDialog>([path](QFileDialog* dlg) {
        dlg->selectFile(path);
        static_cast<QDialog*>(dlg)->accept();
    });
}

// A fresh data folder with an archive of the given draws (none: no archive file).
class DataFolder {
public:
    explicit DataFolder(const TDrawsArray& draws, bool withFile = true) {
        DataDir() = dir_.path().toStdString();
        if (withFile) {
            TDrawsArchive a;
            a.FileName = ProductFile(".ldr");
            a.Draws = draws;
            a.SaveDraws();
        }
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    std::string ArchiveFile() const { return ProductFile(".ldr"); }

private:
    QTemporaryDir dir_;
};

// The main window, shown and initialised.
inline std::unique_ptr<TFormMain> OpenMainWindow() {
    auto w = std::make_unique<TFormMain>();
    w->resize(900, 600);
    w->show();
    if (!QTest::qWaitFor([&] { return w->Initialized(); })) ModalFailures() << "the window did not initialise";
    return w;
}

inline TDrawRecord MakeDraw(int number, std::array<int, 5> n, int e1, int e2, const std::string& date) {
    TDrawRecord d;
    d.Number = number;
    for (int i = 0; i < 5; ++i) d.Numbers[i] = uint8_t(n[size_t(i)]);
    d.Extras[0] = uint8_t(e1);
    d.Extras[1] = uint8_t(e2);
    d.SetDateText(date);
    return d;
}

// Ten draws numbered 1..10; draw k holds k+30, k, k+40, k+10, k+20 (not sorted) and the extras 1, 2.
inline TDrawsArray TenDraws() {
    TDrawsArray a;
    for (int k = 1; k <= 10; ++k)
        a.push_back(MakeDraw(k, {k + 30, k, k + 40, k + 10, k + 20}, 1, 2,
                             "2020-01-" + std::string(k < 10 ? "0" : "") + std::to_string(k)));
    return a;
}

} // namespace velmora::test
