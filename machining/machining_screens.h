// Registration of the machining output screens with the screen manager.
#pragma once

#include "shell/screen_manager.h"

namespace vx {

void RegisterMachiningScreens(ScreenManager& screens);

}  // namespace vx
