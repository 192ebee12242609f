// Registration of the geometry calculator screens with the screen manager.
#pragma once

#include "shell/screen_manager.h"

namespace vx {

void RegisterCalculatorScreens(ScreenManager& screens);

}  // namespace vx
