// The reader of binary workbooks (Excel 97-2003 and Excel 5.0/95): the
// compound-file container, then the workbook stream decoded to cells.
#pragma once

#include <string>

#include "platform/spreadsheet_reader.h"

namespace vx {

// The first worksheet of the binary workbook held in bytes. A container
// without a workbook stream but with an encrypted package (a newer workbook
// saved with a password) is reported as protected.
WorksheetResult ReadXlsWorkbook(const std::string& bytes, int columnCount);

}  // namespace vx
