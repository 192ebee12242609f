// Registration of the machining output screens with the screen manager.
#include "machining/machining_screens.h"

namespace vx {

void RegisterMachiningScreens(ScreenManager& screens) { (void)screens; }

}  // namespace vx
