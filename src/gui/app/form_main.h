// The edition's main window: the column captions of its lists (and, later, its draw download).
#pragma once

#include "gui/app/template_main.h"

namespace velmora {

class TFormMain : public TTemplateMain {
    Q_OBJECT
public:
    explicit TFormMain(QWidget* parent = nullptr);
};

} // namespace velmora
