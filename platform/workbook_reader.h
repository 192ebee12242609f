// The workbook reader conversion 1 and the entry screen use: the file's
// content decides the format, whatever its name says.
#pragma once

#include <string>

#include "platform/spreadsheet_reader.h"

namespace vx {

// The first worksheet of the workbook held in bytes: a compound file is a
// binary workbook (.xls, or a password-protected newer one), a zip package
// is .xlsx or .ods. Never throws except std::bad_alloc.
WorksheetResult ReadWorkbookBytes(const std::string& bytes, int columnCount);

// Whether this build reads .xlsx and .ods (it needs zlib); without it they
// are refused with a message that says so.
bool ZippedWorkbooksReadable();

// Reads the file (at most 100 MB) and hands its bytes to ReadWorkbookBytes.
class WorkbookReader : public SpreadsheetReader {
 public:
  WorksheetResult ReadFirstWorksheet(const std::string& path, int columnCount) const override;
};

}  // namespace vx
