// The edition's main window: the column captions of its lists and its draw download (the
// operator's results site of this edition).
#pragma once

#include "gui/app/template_main.h"

namespace velmora {

class TDrawsDownloadCommands;

class TFormMain : public TTemplateMain {
    Q_OBJECT
public:
    explicit TFormMain(QWidget* parent = nullptr);

    // The download commands and their options.
    TDrawsDownloadCommands& Download() { return *download_; }

protected:
    bool DownloadDrawsAtStart() override;
    void OfferDrawsDownloadAtStart() override;

private:
    // Made in the constructor's body; a message box of the base's construction can let the start-up
    // timer run before it exists, and that start then goes without the download.
    TDrawsDownloadCommands* download_ = nullptr;
};

} // namespace velmora
