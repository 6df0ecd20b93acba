// Helpers of the GUI tests: answering modal dialogs and message boxes, and a data folder per test.
#pragma once

#include "gui/app/access_keys.h"
#include "gui/app/form_main.h"
#include "gui/app/qt_locale.h"
#include "gui/combs/combs_page.h"
#include "gui/draws/draws_download.h"
#include "gui/draws/draws_page.h"
#include "gui/stats/draws_stat_page.h"
#include "core/model/data_folder.h"
#include "core/model/draws_archive.h"
#include "../test_draws.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTableView>
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

// The start of a test program: no platform chatter, Qt's own dialogs, which the tests drive, and
// Qt's texts and the locale as the program has them.
inline void InitGuiTestCase() {
    QuietOffscreenWarnings();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    static bool installed = InstallQtTexts(*QCoreApplication::instance());
    (void)installed;
}

// After each test: no modal window came up that the test did not expect.
inline void CheckModalFailures() { QCOMPARE(ModalFailures().join("\n"), QString()); }

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

// The pages of the main window.
inline TDrawsPage* DrawsPage(TTemplateMain& w) { return w.Page<TDrawsPage>(); }
inline TCombsPage* CombsPage(TTemplateMain& w) { return w.Page<TCombsPage>(); }
inline TDrawsStatPage* StatPage(TTemplateMain& w) { return w.Page<TDrawsStatPage>(); }

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

// Types the whole path into the file name edit, as a user would, and accepts the dialog, then
// runs after(). A dialog still reading its folder may not close yet; it is tried again until it does.
inline void AcceptFile(QPointer<QFileDialog> dlg, const QString& path, std::function<void()> after, int tries = 500) {
    if (!dlg) return;
    if (auto* edit = dlg->findChild<QLineEdit*>("fileNameEdit"))
        edit->setText(path);
    else
        dlg->selectFile(path);
    static_cast<QDialog*>(dlg.data())->accept();
    if (!dlg->isVisible()) {
        if (after) after();
        return;
    }
    if (tries == 0) {
        ModalFailures() << "the file dialog did not take " + path;
        dlg->reject();
        return;
    }
    QTimer::singleShot(10, [dlg, path, after, tries] { AcceptFile(dlg, path, after, tries - 1); });
}

// Picks the file in the next file dialog, then runs after() before the command reads or writes it.
inline QPointer<QTimer> ChooseFile(const QString& path, std::function<void()> after = {}) {
    return OnModal<QFileDialog>([path, after](QFileDialog* dlg) { AcceptFile(dlg, path, after); });
}

// Resets the command-line words after a test that set them.
struct StartModeScope {
    explicit StartModeScope(const TStartMode& mode) { TTemplateMain::StartMode() = mode; }
    ~StartModeScope() { TTemplateMain::StartMode() = {}; }
};

// A fresh data folder with an archive of the given draws (none: no archive file).
class DataFolder {
public:
    explicit DataFolder(const TDrawsArray& draws, bool withFile = true) {
        DataDir() = dir_.path().toStdString();
        // The windows start without the question of the start-up draw download.
        TDrawsDownloadCommands::StartOfferEnabled() = false;
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

// The applied-filters list as shown: "caption|values|count|kind" per line, "|no icon" added to a
// line without its icon.
inline QStringList LogLines(TFormMain& w) {
    QStringList out;
    auto* m = CombsPage(w)->lvFilters->model();
    const auto& log = w.Combs().Log();
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < 3; ++c) cells << m->index(r, c).data().toString();
        if (r >= int(log.size())) {
            cells << "not in the log";
        } else {
            const TLogKind kind = log[size_t(r)].Kind;
            cells << (kind == TLogKind::Keep ? "keep" : kind == TLogKind::Remove ? "remove" : "undo");
        }
        if (m->index(r, 0).data(Qt::DecorationRole).isNull()) cells << "no icon";
        out << cells.join('|');
    }
    return out;
}

// The main window, shown and initialised.
inline std::unique_ptr<TFormMain> OpenMainWindow(QSize size = QSize(900, 600)) {
    auto w = std::make_unique<TFormMain>();
    w->resize(size);
    w->show();
    if (!QTest::qWaitFor([&] { return w->Initialized(); })) ModalFailures() << "the window did not initialise";
    return w;
}

} // namespace velmora::test
