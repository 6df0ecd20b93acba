// The draw download of the window: the command DrawsDownload (F3; the button "Загрузка" above the
// draw list, the list's pop-up menu and the draws menu), the sub-menu "Автозагрузка при запуске
// программы" with the radio group AutoDownload0..2 (window setting "DownloadDrawsOnStart", written
// at once), EditProxy with the proxy dialog, and the download of the start-up.
//
// The download runs on the window's thread in the busy state behind the wait window; its "Стоп"
// and closing the window end it after the running request. The stakes are checked afterwards,
// also when the download failed.
#pragma once

#include "core/net/web.h"
#include "gui/app/wait_window.h"

#include <QObject>
#include <QPointer>
#include <string>

class QToolButton;

namespace velmora {

class TTemplateMain;

class TDrawsDownloadCommands : public QObject {
    Q_OBJECT
public:
    // Registers the commands and places them; section: the window's section of the window settings.
    TDrawsDownloadCommands(TTemplateMain& window, std::string section);

    // The download command: wait window, the year loop, the stakes check. While the results site
    // is the placeholder it only says how to set it. A download that found nothing new says so,
    // unless quiet (the automatic download at start).
    // True when every year was read without an error or a stop.
    bool DownloadDraws(bool quiet = false);
    // The results site is set (not the placeholder).
    bool DrawsSiteSet() const;
    // The start-up step: "DownloadDrawsOnStart" 0 asks, 1 downloads, 2 does nothing.
    void DownloadAtStart();
    int AutoDownload() const { return autoDownload_; }
    // Whether the start-up download (the offer of an ordinary start and the download of
    // "loadonly") runs at all: the GUI tests switch it off, unless the test is about it.
    static bool& StartOfferEnabled();

    // Time-outs of the requests (tests shorten them); the CA file comes from the settings.
    int ConnectTimeoutMs = 5000;
    int ReadTimeoutMs = 10000;
    // The last year the download reads; 0: the current year (tests fix it).
    int LastYear = 0;
    // The wait window while a download runs (nullptr otherwise).
    TWaitWindow* WaitWindow() const { return wait_; }

    QToolButton* btnDrawsDownload;

    bool DrawsDownloadUpdate() const;
    void DrawsDownloadExecute();
    bool AutoDownloadUpdate() const;
    bool AutoDownloadChecked(int value) const { return autoDownload_ == value; }
    void AutoDownloadExecute(int value);
    bool EditProxyUpdate() const;
    void EditProxyExecute();

private:
    void PlaceCommands();

    TTemplateMain& w_;
    std::string section_;
    int autoDownload_ = 0;
    QPointer<TWaitWindow> wait_;
};

} // namespace velmora
