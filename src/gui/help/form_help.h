// The help window "Справка": the help document in a window of its own beside the main window (not
// modal), one at a time; its placement is kept in the window settings (section TFormHelp).
#pragma once

#include <QWidget>

namespace velmora {

class TTemplateMain;
class THelpView;

class TFormHelp : public QWidget {
    Q_OBJECT
public:
    TFormHelp(TTemplateMain& window, QWidget* parent);

    THelpView* View;

    // The help window open now (nullptr when none).
    static TFormHelp* Current();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetTitle(const QString& page);
    TTemplateMain& window_;
};

// The help folder the program uses instead of the one beside the executable (core/app/help.h) when
// not empty; tests set it before the main window starts.
QString& HelpFolderOverride();

// Opens the page (a file of the help document) in the help window, creating the window or raising
// the one open; the guide's index.htm is its contents. While a modal window is up the help window
// belongs to it, so that it can be used, and goes back to the main window when that one closes.
TFormHelp* ShowHelpWindow(TTemplateMain& window, const QString& page);

} // namespace velmora
