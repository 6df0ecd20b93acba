#include "gui/app/window_placement.h"

#include "core/app/window_settings.h"

#include <QScreen>
#include <QWidget>
#include <cmath>

namespace velmora {

bool RestoreWindowPlacement(const TWindowSettings& settings, const std::string& section, QWidget& window,
                            QScreen* screen) {
    if (!screen) return false;
    const auto p = settings.ReadPlacement(section, screen->size().width(), screen->size().height(),
                                          int(std::lround(screen->logicalDotsPerInch())));
    if (!p || !p->HasNormPos) return false;
    const QRect r(QPoint(p->NormPos[0], p->NormPos[1]), QPoint(p->NormPos[2] - 1, p->NormPos[3] - 1));
    if (!r.isValid() || !screen->availableGeometry().intersects(r)) return false;
    window.setGeometry(r);
    return true;
}

void StoreWindowPlacement(TWindowSettings& settings, const std::string& section, const QWidget& window) {
    QScreen* scr = window.screen();
    if (!scr) return;
    TWindowPlacement p;
    p.ShowCmd = window.isMaximized() ? 3 : 1;
    p.PixelsPerInch = int(std::lround(scr->logicalDotsPerInch()));
    const QRect r = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    p.NormPos[0] = r.left();
    p.NormPos[1] = r.top();
    p.NormPos[2] = r.left() + r.width();
    p.NormPos[3] = r.top() + r.height();
    p.HasNormPos = true;
    settings.WritePlacement(section, p, scr->size().width(), scr->size().height());
}

} // namespace velmora
