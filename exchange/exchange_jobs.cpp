// The exchange stages from file to file: read, post-process, load, write.
#include "exchange/exchange_jobs.h"

#include <ctime>

#include "exchange/dxf_reader.h"
#include "exchange/dxf_writer.h"
#include "exchange/exchange_messages.h"
#include "exchange/iges_reader.h"
#include "exchange/iges_writer.h"
#include "platform/atomic_file.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx {
namespace {

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Timestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
#ifdef _WIN32
  localtime_s(&parts, &now);
#else
  localtime_r(&now, &parts);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d.%H%M%S", &parts);
  return text;
}

// The line of what the reader left out, where it belongs.
void ReportSkipped(const EntityList& list, ProgressLines& progress, ProgressLines* report) {
  const std::string line = SkippedLine(list);
  if (!line.empty()) (report != nullptr ? *report : progress).Print(line);
}

}  // namespace

ExchangeResult ImportDxfFile(const std::string& path, const ImportOptions& options, ElementTable& table,
                             const InstallFolder& folder, ProgressLines& progress, ProgressLines* report) {
  if (path.empty()) return ExchangeResult::Stop(exchange_text::kNoFileChosen);
  progress.Print(exchange_text::kDxfLoading);
  std::string text;
  if (!ReadWholeFile(path, text)) return ExchangeResult::Stop(exchange_text::CannotOpen(path));
  EntityList list;
  ExchangeResult read = ReadDxfText(text, list, path);
  if (!read.ok) return read;
  ReportSkipped(list, progress, report);
  return RunImportPostProcessing(list, options, true, table, folder.PathOf(kContourFile), progress);
}

ExchangeResult ImportIgesFile(const std::string& path, const ImportOptions& options, ElementTable& table,
                              const InstallFolder& folder, ProgressLines& progress, ProgressLines* report) {
  if (path.empty()) return ExchangeResult::Stop(exchange_text::kNoFileChosen);
  progress.Print(exchange_text::kIgesLoading);
  std::string text;
  if (!ReadWholeFile(path, text)) return ExchangeResult::Stop(exchange_text::CannotOpen(path));
  EntityList list;
  // Deliberately exact: only the value 1 selects the YX order.
  ExchangeResult read = ReadIgesText(text, NumericValue(options.yxText) == 1, list);
  if (!read.ok) return read;
  ReportSkipped(list, progress, report);
  return RunImportPostProcessing(list, options, false, table, folder.PathOf(kContourFile), progress);
}

ExchangeResult LoadContourForExport(ElementTable& table, const InstallFolder& folder) {
  const std::string path = folder.PathOf(kContourFile);
  if (LoadTable(table, path) != LoadStatus::kOk) return ExchangeResult::Stop(exchange_text::NoContourFile(path));
  return ExchangeResult::Ok();
}

ExchangeResult WriteDxfExport(const ElementTable& table, const InstallFolder& folder, const std::string& outPath) {
  if (outPath.empty()) return ExchangeResult::Stop(exchange_text::kNoFileChosen);
  const std::string templatePath = folder.PathOf(kDxfTemplate);
  std::string templateText;
  if (!ReadWholeFile(templatePath, templateText)) return ExchangeResult::Stop(exchange_text::NoTemplate(templatePath));
  std::string out;
  ExchangeResult built = DxfExportText(table, templateText, templatePath, out);
  if (!built.ok) return built;
  if (!WriteFileAtomically(outPath, out)) return ExchangeResult::Stop(exchange_text::CannotWrite(outPath));
  return ExchangeResult::Ok();
}

ExchangeResult WriteIgesExport(const ElementTable& table, const std::string& outPath) {
  if (outPath.empty()) return ExchangeResult::Stop(exchange_text::kNoFileChosen);
  if (!WriteFileAtomically(outPath, IgesExportText(table, BaseName(outPath), Timestamp()))) {
    return ExchangeResult::Stop(exchange_text::CannotWrite(outPath));
  }
  return ExchangeResult::Ok();
}

}  // namespace vx
