// The reader of zipped workbooks (.xlsx and .ods) over liborcus, through an
// import factory of our own that keeps the first worksheet's cells.
#pragma once

#include <string>

#include "platform/spreadsheet_reader.h"

namespace vx {

// The first worksheet of the .xlsx or .ods workbook held in bytes (which
// format is decided by the content). Formula cells give the result stored
// with them. The package is checked before the library sees it (entry count,
// sizes, compression methods), the library's exceptions end here, and a
// sheet that asks for more than a few million cells is refused as damaged.
WorksheetResult ReadZipWorkbook(const std::string& bytes, int columnCount);

// The same, run in a child process where the platform has them: liborcus
// stops the program with an assertion on some damaged packages (a failed
// internal check in its style and XML readers), and a child that ends so, or
// takes longer than timeoutSeconds, gives a damaged workbook instead. Without
// child processes it is ReadZipWorkbook.
WorksheetResult ReadZipWorkbookGuarded(const std::string& bytes, int columnCount, int timeoutSeconds = 60);


}  // namespace vx
