// Qt without a window for the commands that draw pictures or print.
#pragma once

namespace vx::cli {

// Creates the Qt application object on the offscreen platform (fonts mapped as
// in the desktop program) unless one exists. Call before drawing or printing.
void EnsureGuiApplication();

}  // namespace vx::cli
