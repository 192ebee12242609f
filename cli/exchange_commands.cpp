// The vexline-cli commands of the exchange stages.
#include <ostream>

#include "cli/command.h"
#include "exchange/exchange_jobs.h"
#include "exchange/exchange_messages.h"

namespace vx::cli {
namespace {

// An orderly stop: one line naming the file, nothing written.
int Stopped(const ExchangeResult& result, const std::string& file, Context& context) {
  context.err << result.message;
  if (result.message.find(file) == std::string::npos) context.err << " (" << file << ")";
  context.err << "\n";
  return kExitFailure;
}

// Lines for the operator's attention (what an import left out) on standard error.
class ErrorLines : public ProgressLines {
 public:
  explicit ErrorLines(std::ostream& err) : m_err(err) {}
  void Print(const std::string& line) override { m_err << line << "\n"; }

 private:
  std::ostream& m_err;
};

int RunImport(const Args& args, Context& context, bool iges) {
  const std::string& file = args.positional[0];
  const ImportOptions options{args.Value("smooth", "1"), args.Value("round", iges ? "4" : "2"),
                              args.Value("yx", "0")};
  ErrorLines report(context.err);
  const ExchangeResult result =
      iges ? ImportIgesFile(file, options, context.table, context.folder, context.progress, &report)
           : ImportDxfFile(file, options, context.table, context.folder, context.progress, &report);
  return result.ok ? kExitOk : Stopped(result, file, context);
}

int RunExport(const Args& args, Context& context, bool iges) {
  const std::string& file = args.positional[0];
  ExchangeResult result = LoadContourForExport(context.table, context.folder);
  if (result.ok) {
    result = iges ? WriteIgesExport(context.table, file) : WriteDxfExport(context.table, context.folder, file);
  }
  if (!result.ok) return Stopped(result, file, context);
  context.progress.Print(exchange_text::kDataDiskEnd);
  return kExitOk;
}

const OptionSpec kSmooth{"smooth", "T", "smoothing Txt_ISUM: chains the entities when 1 (default \"1\")"};

}  // namespace

void RegisterExchangeCommands(CommandTable& table) {
  table.Add(CommandSpec{
      "import-dxf", "FILE", "DXF import: FILE -> CON2TA.dat",
      "Reads the model space of the DXF file: LINE, ARC, CIRCLE, LWPOLYLINE, POLYLINE,\n"
      "INSERT and MINSERT (blocks expanded), ELLIPSE and SPLINE (as arcs within\n"
      "0.001 mm); circles of radius 0.222 are start markers. Rounds and chains them\n"
      "and stores the contour file CON2TA.dat, as Start on the DXF import screen does.\n"
      "The entity types left out are named on standard error with their counts.",
      1, 1,
      {kSmooth, {"round", "T", "rounding digits Txt_IMAR (default \"2\")"}},
      [](const Args& args, Context& context) { return RunImport(args, context, false); }});
  table.Add(CommandSpec{
      "import-iges", "FILE", "IGES import: FILE -> CON2TA.dat",
      "Reads the line (110) and arc (100) entities drawn solid (line font pattern 1)\n"
      "of the IGES file, rounds and chains them and stores the contour file\n"
      "CON2TA.dat, as Start on the IGES import screen does.",
      1, 1,
      {kSmooth,
       {"round", "T", "rounding digits Txt_IMAR (default \"4\")"},
       {"yx", "T", "arc coordinates Txt_IENX: 1 reads arcs in YX order (default \"0\")"}},
      [](const Args& args, Context& context) { return RunImport(args, context, true); }});
  table.Add(CommandSpec{"export-dxf", "FILE", "DXF export: CON2TA.dat + schelt.dxs -> FILE",
                        "Writes the contour file as a DXF drawing of LINE and ARC entities on the\n"
                        "template schelt.dxs of the install folder.",
                        1, 1, {},
                        [](const Args& args, Context& context) { return RunExport(args, context, false); }});
  table.Add(CommandSpec{"export-iges", "FILE", "IGES export: CON2TA.dat -> FILE",
                        "Writes the contour file as an IGES file of line (110) and arc (100) entities.",
                        1, 1, {},
                        [](const Args& args, Context& context) { return RunExport(args, context, true); }});
}

}  // namespace vx::cli
