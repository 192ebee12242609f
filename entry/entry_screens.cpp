// Registration of the shape entry screens with the screen manager.
#include "entry/entry_screens.h"

namespace vx {

void RegisterEntryScreens(ScreenManager& screens) { (void)screens; }

}  // namespace vx
