// The vexline-cli commands of the display stages.
#include "cli/command.h"

namespace vx::cli {

void RegisterDisplayCommands(CommandTable& table) { (void)table; }

}  // namespace vx::cli
