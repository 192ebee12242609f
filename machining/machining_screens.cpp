// Registration of the machining output screens with the screen manager.
#include "machining/machining_screens.h"

#include "machining/form_gra_tasu.h"
#include "machining/form_nc.h"

namespace vx {

void RegisterMachiningScreens(ScreenManager& screens) {
  screens.Register(ScreenId::kNc, [](AppContext& context) { return new Form_nc(context); });
  screens.Register(ScreenId::kGraTasu, [](AppContext& context) { return new Form_gra_tasu(context); });
}

}  // namespace vx
