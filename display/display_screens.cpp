// Registration of the contour display screens with the screen manager.
#include "display/display_screens.h"

#include "display/form_graph.h"

namespace vx {

void RegisterDisplayScreens(ScreenManager& screens) {
  screens.Register(ScreenId::kGraph, [](AppContext& context) { return new Form_graph(context); });
}

}  // namespace vx
