// Registration of the shape entry screens with the screen manager.
#pragma once

#include "shell/screen_manager.h"

namespace vx {

void RegisterEntryScreens(ScreenManager& screens);

}  // namespace vx
