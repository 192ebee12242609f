// The vexline-cli commands of the contour stages.
#include "cli/command.h"
#include "contour/conv2.h"

namespace vx::cli {

void RegisterContourCommands(CommandTable& table) {
  CommandSpec convert2;
  convert2.name = "convert2";
  convert2.summary = "CONV-2: element file CONDTA.dat -> contour file CON2TA.dat";
  convert2.description =
      "Runs CONV-2 as its screen does when it opens: loads CONDTA.dat from the\n"
      "install folder, builds the contour (intersections, tangents, corner radii,\n"
      "(C) corners) and stores CON2TA.dat. Construction messages go to standard\n"
      "error, one line each, and the run goes on (exit status 0). A missing or\n"
      "broken CONDTA.dat, a contour past the table's 2000 rows, a construction\n"
      "that gives no number, or an unwritable CON2TA.dat stops with one line on\n"
      "standard error, exit status 1, and leaves CON2TA.dat unchanged.";
  convert2.run = [](const Args&, Context& context) {
    const Conv2Status status = RunConv2(context.table, context.folder, context.messageBox);
    return status == Conv2Status::kOk ? kExitOk : kExitFailure;
  };
  table.Add(std::move(convert2));
}

}  // namespace vx::cli
