// Registration of the contour display screens with the screen manager.
#pragma once

#include "shell/screen_manager.h"

namespace vx {

void RegisterDisplayScreens(ScreenManager& screens);

}  // namespace vx
