// The binary workbook reader: container, workbook stream, cells.
#include "platform/xls_reader.h"

#include "platform/compound_file.h"
#include "platform/xls_workbook.h"

namespace vx {

WorksheetResult ReadXlsWorkbook(const std::string& bytes, int columnCount) {
  WorksheetResult result;
  // "Workbook" holds BIFF8; "Book" holds BIFF5/BIFF7 (a file may hold both).
  const CompoundStream stream = ReadCompoundStream(bytes, {"Workbook", "Book"});
  switch (stream.status) {
    case CompoundStatus::kOk: break;
    case CompoundStatus::kNotCompound: result.problem = workbook_problem::kNotWorkbook; return result;
    case CompoundStatus::kDamaged: result.problem = workbook_problem::kDamaged; return result;
    case CompoundStatus::kNoSuchStream:
      // A newer workbook saved with a password is an encrypted package in the same container.
      result.problem = ReadCompoundStream(bytes, {"EncryptedPackage"}).status == CompoundStatus::kOk
                           ? workbook_problem::kPassword
                           : workbook_problem::kNotWorkbook;
      return result;
  }
  XlsSheet decoded = DecodeXlsWorkbook(stream.bytes, columnCount);
  switch (decoded.status) {
    case XlsStatus::kOk: result.sheet = std::move(decoded.sheet); break;
    case XlsStatus::kDamaged: result.problem = workbook_problem::kDamaged; break;
    case XlsStatus::kEncrypted: result.problem = workbook_problem::kPassword; break;
    case XlsStatus::kTooOld: result.problem = workbook_problem::kTooOld; break;
    case XlsStatus::kNoWorksheet: result.problem = workbook_problem::kNoWorksheet; break;
  }
  return result;
}

}  // namespace vx
