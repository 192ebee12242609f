// Registration of the contour construction screens with the screen manager.
#include "contour/contour_screens.h"

#include "contour/form_conv2.h"

namespace vx {

void RegisterContourScreens(ScreenManager& screens) {
  screens.Register(ScreenId::kConv2, [](AppContext& context) { return new Form_conv2(context); });
}

}  // namespace vx
