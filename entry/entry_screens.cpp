// Registration of the shape entry screens with the screen manager.
#include "entry/entry_screens.h"

#include "entry/entry_forms.h"

namespace vx {

void RegisterEntryScreens(ScreenManager& screens) {
  screens.Register(ScreenId::kDatain, [](AppContext& context) { return new Form_datain(context); });
  screens.Register(ScreenId::kConv0, [](AppContext& context) { return new Form_conv0(context); });
  screens.Register(ScreenId::kCon2amd, [](AppContext& context) { return new Form_con2amd(context); });
}

}  // namespace vx
