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

// True when the bytes begin like a zip package.
bool HasZipSignature(const std::string& bytes);

}  // namespace vx
