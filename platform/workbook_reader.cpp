// Choosing the workbook reader by the file's content.
#include "platform/workbook_reader.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/file_path.h"
#include "platform/xls_reader.h"
#ifdef VX_HAVE_ORCUS
#include "platform/orcus_reader.h"
#endif

namespace vx {

namespace {

constexpr uintmax_t kMaxWorkbookBytes = 100u << 20;

bool StartsWith(const std::string& bytes, const char* magic, size_t length) {
  return bytes.size() >= length && bytes.compare(0, length, magic, length) == 0;
}

}  // namespace

bool ZippedWorkbooksReadable() {
#ifdef VX_HAVE_ORCUS
  return true;
#else
  return false;
#endif
}

WorksheetResult ReadWorkbookBytes(const std::string& bytes, int columnCount) {
  if (StartsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) return ReadXlsWorkbook(bytes, columnCount);
  WorksheetResult result;
  if (StartsWith(bytes, "PK\x03\x04", 4)) {
#ifdef VX_HAVE_ORCUS
    return ReadZipWorkbookGuarded(bytes, columnCount);
#else
    result.problem = workbook_problem::kNoZipSupport;
    return result;
#endif
  }
  // A bare BIFF2 to BIFF4 stream (Excel 4.0 and before wrote no container)
  // begins with its BOF record: type 0x0009, 0x0209 or 0x0409, then length 4 to 16.
  if (bytes.size() >= 4 && (bytes[0] == 0x09) && (bytes[1] == 0x00 || bytes[1] == 0x02 || bytes[1] == 0x04) &&
      static_cast<unsigned char>(bytes[2]) >= 4 && static_cast<unsigned char>(bytes[2]) <= 16 && bytes[3] == 0) {
    result.problem = workbook_problem::kTooOld;
    return result;
  }
  result.problem = workbook_problem::kNotWorkbook;
  return result;
}

WorksheetResult WorkbookReader::ReadFirstWorksheet(const std::string& path, int columnCount) const {
  WorksheetResult result;
  std::error_code error;
  const std::filesystem::path file = PathFromUtf8(path);  // a Japanese folder name works on Windows too
  if (!std::filesystem::is_regular_file(file, error)) {
    result.missing = !std::filesystem::exists(file, error);
    result.problem = result.missing ? workbook_problem::kMissing : workbook_problem::kNotAFile;
    return result;
  }
  const uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > kMaxWorkbookBytes) {
    result.problem = error ? workbook_problem::kCannotOpen : workbook_problem::kTooLarge;
    return result;
  }
  std::ifstream stream(file, std::ios::binary);
  if (!stream) {
    result.problem = workbook_problem::kCannotOpen;
    return result;
  }
  const std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  if (stream.bad()) {
    result.problem = workbook_problem::kCannotOpen;
    return result;
  }
  return ReadWorkbookBytes(bytes, columnCount);
}

}  // namespace vx
