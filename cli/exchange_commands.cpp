// The vexline-cli commands of the exchange stages.
#include "cli/command.h"

namespace vx::cli {

void RegisterExchangeCommands(CommandTable& table) { (void)table; }

}  // namespace vx::cli
