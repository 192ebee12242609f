// Registration of the contour construction screens with the screen manager.
#pragma once

#include "shell/screen_manager.h"

namespace vx {

void RegisterContourScreens(ScreenManager& screens);

}  // namespace vx
