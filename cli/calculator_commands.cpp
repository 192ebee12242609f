// The vexline-cli commands of the calculator stages.
#include "cli/command.h"

namespace vx::cli {

void RegisterCalculatorCommands(CommandTable& table) { (void)table; }

}  // namespace vx::cli
