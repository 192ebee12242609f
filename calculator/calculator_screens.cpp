// Registration of the geometry calculator screens with the screen manager.
#include "calculator/calculator_screens.h"

#include "calculator/form_calcu.h"
#include "shell/app_context.h"

namespace vx {

void RegisterCalculatorScreens(ScreenManager& screens) {
  screens.Register(ScreenId::kCalcu, [](AppContext&) -> QWidget* { return new Form_calcu(); });
}

}  // namespace vx
