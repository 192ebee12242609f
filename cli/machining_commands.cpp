// The vexline-cli commands of the machining stages: the wire offset path and
// START of the NC output screen.
#include <ostream>

#include "cli/command.h"
#include "cli/gui_support.h"
#include "machining/field_checks.h"
#include "machining/nc_output.h"
#include "machining/offset_path.h"
#include "platform/file_dialog.h"
#include "platform/qt_services.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx::cli {

namespace {

// Loads the contour file; false (with the one line on standard error) when it
// is missing or its count is unusable.
bool LoadContour(const std::string& command, Context& context) {
  const std::string path = context.folder.PathOf(kContourFile);
  const LoadStatus status = LoadTable(context.table, path);
  if (status == LoadStatus::kMissing || status == LoadStatus::kBadCount) {
    context.err << "vexline-cli " << command << ": cannot read " << path << " (" << LoadStatusText(status) << ")\n";
    return false;
  }
  return true;
}

int RunOffset(const Args& args, Context& context) {
  if (!LoadContour("offset", context)) return kExitFailure;
  const double offset = NumericValue(args.positional.at(0));
  // As in the contour view and the NC output, an offset of 0 leaves the contour.
  if (offset != 0) ComputeOffsetPath(context.table, offset, context.messageBox);  // exact: 0 means none
  context.out << TableFileText(context.table);
  return kExitOk;
}

// Wrong usage of nc: the message and the usage line on standard error.
int NcUsageError(Context& context, const std::string& message, const CommandSpec& command) {
  context.err << "vexline-cli nc: " << message << "\n" << UsageLine(command) << "\n";
  return kExitUsage;
}

int RunNc(const Args& args, Context& context, const CommandSpec& command) {
  if (auto error = ApplyPieceOptions(args.Values("piece"), context.layout)) {
    return NcUsageError(context, *error, command);
  }
  NcSettings settings;
  settings.programNumber = args.Value("program", settings.programNumber);
  settings.outputTarget = args.Value("target", settings.outputTarget);
  settings.speed = args.Value("speed", settings.speed);
  settings.wireOffset = args.Value("offset", settings.wireOffset);
  settings.reverse = args.Value("reverse", settings.reverse);
  settings.side = args.Value("side", settings.side);
  // The texts START on the screen refuses are refused here too.
  for (const NcFieldIssue& issue : CheckNcSettings(settings)) {
    struct Named {
      const char* option;
      const std::string* text;
      const char* codes;
    };
    const Named named[kNcFields] = {
        {"--program", &settings.programNumber, ""}, {"", nullptr, ""},  // M21 and M23 have no option
        {"", nullptr, ""},                          {"--target", &settings.outputTarget, "1, 2 or 3"},
        {"--speed", &settings.speed, ""},           {"--offset", &settings.wireOffset, ""},
        {"--reverse", &settings.reverse, "0 or 1"}, {"--side", &settings.side, "1 or 2"},
    };
    const Named& field = named[issue.field];
    if (field.text == nullptr) continue;
    const std::string what = issue.problem == FieldProblem::kNotInList ? std::string("is not ") + field.codes
                                                                         : std::string("is not a number");
    return NcUsageError(context, std::string(field.option) + " \"" + *field.text + "\" " + what, command);
  }
  const double target = NumericValue(settings.outputTarget);
  const bool prints = target == 2 || target == 3;  // exact: typed codes
  // An empty name names no file: it is refused rather than taken as a file
  // called only by its program number, or as a printer nobody chose.
  if (prints && args.Value("pdf", "").empty()) {
    return NcUsageError(context, "targets 2 and 3 print: --pdf PATH is required", command);
  }
  if (args.Has("output") && args.Value("output", "").empty()) {
    return NcUsageError(context, "--output PATH needs a file name", command);
  }
  const std::string pdf = args.Value("pdf", "");

  std::optional<std::string> answer;
  if (args.Has("output")) answer = args.Value("output", "");
  FixedFileDialog dialog(answer);
  NcOutputServices services{context.table, context.layout, context.folder, context.messageBox, context.progress,
                            dialog,
                            [&pdf](int index, double programNumber) {
                              EnsureGuiApplication();
                              // The reverse program's listing goes beside the first one,
                              // numbered like an output file.
                              const std::string path = index == 0 ? pdf : NumberedFileName(pdf, programNumber);
                              return NcPrinter{QtPrinter::ToPdf(path), path};
                            }};
  const NcStartResult result = RunNcStart(settings, services);
  return result.outcome == NcStartOutcome::kDone ? kExitOk : kExitFailure;
}

}  // namespace

void RegisterMachiningCommands(CommandTable& table) {
  CommandSpec offset;
  offset.name = "offset";
  offset.arguments = "VALUE";
  offset.summary = "the wire offset path of CON2TA.dat, as a table on standard output";
  offset.description =
      "Loads CON2TA.dat, computes the wire-centre path at offset VALUE (mm, positive\n"
      "to the left of the direction of travel; 0 leaves the contour as it is) and\n"
      "writes the resulting table in the table-file layout (count line, rows 1 to\n"
      "N + 1) to standard output. CON2TA.dat is not changed. Intersection messages\n"
      "go to standard error.";
  offset.minPositional = offset.maxPositional = 1;
  offset.run = RunOffset;
  table.Add(offset);

  CommandSpec nc;
  nc.name = "nc";
  nc.summary = "START on the NC output screen: CON2TA.dat -> NC program file(s) / listing";
  nc.description =
      "Generates the NC program from CON2TA.dat for every piece of the layout, as\n"
      "START on the NC output screen does. The output file is the --output name (or\n"
      "the install folder's NC.dat) with the program number put before its first \".\"\n"
      "(NC.dat with program 1 gives NC1.dat); with --reverse 1 the reverse-direction\n"
      "program follows into the next number. Targets 2 and 3 print the listing into\n"
      "the --pdf file; the reverse program's listing goes to the --pdf name numbered\n"
      "the same way. A file that cannot be written stops with exit status 1 and is\n"
      "left as it was.";
  nc.options = {
      {"program", "T", "program number (Text1), default \"1\""},
      {"target", "T", "output: 1 file, 2 printer, 3 both (Text4), default \"1\""},
      {"speed", "T", "average speed F (Text5), default \"0\""},
      {"offset", "T", "wire offset, left positive (Text6), default \"0\""},
      {"reverse", "T", "1: also the reverse-direction program (Text7), default \"0\""},
      {"side", "T", "compensation side: 1 G41, 2 G42 (Text8), default \"2\""},
      {"output", "PATH", "the name chosen in the save dialog, default install folder + NC.dat"},
      {"pdf", "PATH", "the printed listing as a PDF file (required for targets 2 and 3)"},
      {"piece", "SX,SY,ANGLE,MIRROR", "a layout row: shift X, shift Y, angle, mirror code", true},
  };
  nc.run = [command = nc](const Args& args, Context& context) { return RunNc(args, context, command); };
  table.Add(nc);
}

}  // namespace vx::cli
