// The vexline-cli commands of the contour stages.
#include "cli/command.h"

namespace vx::cli {

void RegisterContourCommands(CommandTable& table) { (void)table; }

}  // namespace vx::cli
