// Registration of the contour construction screens with the screen manager.
#include "contour/contour_screens.h"

namespace vx {

void RegisterContourScreens(ScreenManager& screens) { (void)screens; }

}  // namespace vx
