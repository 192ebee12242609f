// The reader of zipped workbooks (.xlsx and .ods): the package unpacked and
// checked, its XML parts read by our own XML reader.
#pragma once

#include <string>

#include "platform/spreadsheet_reader.h"

namespace vx {

// The first worksheet of the .xlsx or .ods workbook held in bytes (which
// format is decided by the package's declared content). Formula cells give
// the result stored with them. The package is checked before its XML is read
// (entry count, sizes, compression methods, checksums, UTF-8), and the
// parser's exceptions end here as a damaged workbook.
WorksheetResult ReadZipWorkbook(const std::string& bytes, int columnCount);

// The same, run in a child process where the platform has them, so that a
// fault in reading outside data cannot end the program: a child that ends
// abnormally, or takes longer than timeoutSeconds, gives a damaged workbook.
// Without child processes it is ReadZipWorkbook.
WorksheetResult ReadZipWorkbookGuarded(const std::string& bytes, int columnCount, int timeoutSeconds = 60);

}  // namespace vx
