// Registration of the contour display screens with the screen manager.
#include "display/display_screens.h"

namespace vx {

void RegisterDisplayScreens(ScreenManager& screens) { (void)screens; }

}  // namespace vx
