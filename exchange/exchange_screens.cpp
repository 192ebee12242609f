// Registration of the CAD exchange screens with the screen manager.
#include "exchange/exchange_screens.h"

namespace vx {

void RegisterExchangeScreens(ScreenManager& screens) { (void)screens; }

}  // namespace vx
