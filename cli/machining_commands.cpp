// The vexline-cli commands of the machining stages.
#include "cli/command.h"

namespace vx::cli {

void RegisterMachiningCommands(CommandTable& table) { (void)table; }

}  // namespace vx::cli
