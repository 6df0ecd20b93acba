// The proxy dialog (EditProxy): no proxy, automatic search, or a manual server with port, user
// name and password; the four fields are enabled only for the manual choice. OK stores the choice
// by the rule of SetProxyChoice (core/net/proxy_settings.h); the caller writes the settings.
#pragma once

#include "core/app/config.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace velmora {

class TFormProxy : public QDialog {
    Q_OBJECT
public:
    explicit TFormProxy(QWidget* parent = nullptr);

    // The dialog shows the proxy: the button of its mode (off for a mode above 2) and the values.
    void SetProxy(const TProxy& proxy);
    // The proxy with the dialog's choice applied (valid after OK).
    TProxy Proxy() const { return proxy_; }

    QRadioButton* rbProxyOff;
    QRadioButton* rbProxyAuto;
    QRadioButton* rbProxyManual;
    QLineEdit* edServer;
    QSpinBox* edPort;
    QLineEdit* edUsername;
    QLineEdit* edPassword;

    void accept() override;

private:
    void UpdateFields();
    TProxy proxy_;
};

} // namespace velmora
