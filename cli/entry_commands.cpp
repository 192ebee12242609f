// The vexline-cli commands of the entry stages.
#include "cli/command.h"

namespace vx::cli {

void RegisterEntryCommands(CommandTable& table) { (void)table; }

}  // namespace vx::cli
