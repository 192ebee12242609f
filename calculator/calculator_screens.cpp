// Registration of the geometry calculator screens with the screen manager.
#include "calculator/calculator_screens.h"

namespace vx {

void RegisterCalculatorScreens(ScreenManager& screens) { (void)screens; }

}  // namespace vx
