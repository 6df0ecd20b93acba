// Moved to gui/app/enter_spin_box.h; kept until the statistic filters move to their page.
#pragma once

#include "gui/app/enter_spin_box.h"
