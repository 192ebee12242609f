// START of the NC output screen: settings, output channels, one or two programs.
#include "machining/nc_output.h"

#include <cmath>

#include "platform/atomic_file.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx {

namespace {

std::string PrinterMessage(const std::string& name) {
  const std::string text = "プリンターに出力できません";
  return name.empty() ? text : text + ": " + name;
}

bool ToFile(double target) { return target == 1 || target == 3; }     // exact: typed codes
bool ToPrinter(double target) { return target == 2 || target == 3; }  // exact: typed codes

// One program: its channels opened, generated, closed. False after a failure
// has been reported.
class ProgramRun {
 public:
  ProgramRun(NcOutputServices& services, NcGenerator& generator, const NcSettings& settings, double target)
      : m_services(services), m_generator(generator), m_settings(settings), m_target(target) {}

  enum class Step { kOk, kCancelled, kFailed };

  Step Run(int index, double programNumber, int reverseFlag, const std::string& fileName, NcStartResult& result) {
    NcChannels channels;
    channels.toFile = ToFile(m_target);
    NcPrinter printer;
    if (ToPrinter(m_target)) {
      printer = m_services.openPrinter ? m_services.openPrinter(index, programNumber) : NcPrinter{};
      if (printer.printer == nullptr) return Step::kCancelled;
      if (!printer.printer->IsAvailable()) {
        m_services.messageBox.Show(PrinterMessage(printer.name));
        return Step::kFailed;
      }
      channels.printer = printer.printer.get();
    }
    m_generator.GenerateProgram(m_settings, programNumber, m_target, reverseFlag, channels);
    if (m_generator.HasNonFiniteCoordinate()) {
      m_services.messageBox.Show(kNcNotFiniteMessage);
      if (channels.printer != nullptr) channels.printer->Abort();
      return Step::kFailed;
    }
    // Both channels are closed. When the file failed the print job is dropped
    // rather than ended: a listing of a program that was not stored would be
    // printed again with the next START.
    Step step = Step::kOk;
    if (channels.toFile) {
      if (WriteFileAtomically(fileName, channels.fileText)) {
        result.filesWritten.push_back(fileName);
      } else {
        m_services.messageBox.Show("NCファイルを書き込めません: " + fileName);
        step = Step::kFailed;
      }
    }
    if (channels.printer != nullptr && step == Step::kFailed) {
      channels.printer->Abort();
    } else if (channels.printer != nullptr && !channels.printer->EndDocument()) {
      m_services.messageBox.Show(PrinterMessage(printer.name));
      step = Step::kFailed;
    } else if (channels.printer != nullptr) {
      result.listingsPrinted.push_back({programNumber, printer.name});
    }
    return step;
  }

 private:
  NcOutputServices& m_services;
  NcGenerator& m_generator;
  const NcSettings& m_settings;
  double m_target;
};

NcStartOutcome Outcome(ProgramRun::Step step) {
  return step == ProgramRun::Step::kCancelled ? NcStartOutcome::kCancelled : NcStartOutcome::kFailed;
}

}  // namespace

std::string NumberedFileName(const std::string& chosenPath, double programNumber) {
  // The decimal text without its sign position ("-5" gives "5", 0.5 ".5").
  const std::string number = SignBlankText(programNumber).substr(1, 10);
  const size_t nameStart = chosenPath.find_last_of("/\\");
  const size_t dot = chosenPath.find('.', nameStart == std::string::npos ? 0 : nameStart + 1);
  if (dot == std::string::npos) return chosenPath + number;
  return chosenPath.substr(0, dot) + number + chosenPath.substr(dot);
}

NcStartResult RunNcStart(const NcSettings& settings, NcOutputServices& services) {
  NcStartResult result;
  double programNumber = NumericValue(settings.programNumber);
  // The M21 and M23 offsets (Text2, Text3) are part of the settings but no
  // block of the program depends on them.
  const double target = NumericValue(settings.outputTarget);

  const std::string contourPath = services.folder.PathOf(kContourFile);
  const LoadStatus status = LoadTable(services.table, contourPath);
  if (status == LoadStatus::kMissing || status == LoadStatus::kBadCount) {
    // Generating from whatever the table held before would be a wrong program.
    services.messageBox.Show("輪郭ファイルを読めません: " + contourPath);
    result.outcome = NcStartOutcome::kFailed;
    return result;
  }

  std::string chosen;
  if (ToFile(target)) {
    const std::string preset = services.folder.Folder() + kNcFileName;
    FileDialogRequest request;
    request.initialPath = preset;
    request.filter = kNcFileFilter;
    chosen = services.fileDialog.AskSave(request).value_or(preset);
  }

  NcGenerator generator(services.table, services.layout, contourPath, services.messageBox, services.screen);
  generator.ResetBlockCounter();
  ProgramRun program(services, generator, settings, target);

  ProgramRun::Step step = program.Run(0, programNumber, 0, NumberedFileName(chosen, programNumber), result);
  result.blocks = generator.BlockCounter();
  if (step != ProgramRun::Step::kOk) {
    result.outcome = Outcome(step);
    return result;
  }
  // Text7 rounded to a whole number (halves to even): only 1 asks for it.
  if (RoundHalfEven(NumericValue(settings.reverse), 0) == 1) {
    programNumber = programNumber + 1;
    step = program.Run(1, programNumber, 1, NumberedFileName(chosen, programNumber), result);
    result.blocks = generator.BlockCounter();
    if (step != ProgramRun::Step::kOk) result.outcome = Outcome(step);
  }
  return result;
}

}  // namespace vx
