// Registration of the CAD exchange screens with the screen manager.
#pragma once

#include "shell/screen_manager.h"

namespace vx {

void RegisterExchangeScreens(ScreenManager& screens);

}  // namespace vx
