// The cells of the first worksheet of an .xlsx package, read from its XML
// parts: the workbook and its relationships, shared strings, cell formats
// and the worksheet.
#pragma once

#include <functional>
#include <string>

#include "platform/spreadsheet_reader.h"

namespace vx {

// The content of a package part by its path ("xl/workbook.xml"); empty when
// the package has no such part.
using PackagePart = std::function<std::string(const std::string& path)>;

// The first worksheet (chart sheets are passed over), columns
// 0..columnCount - 1, as stored: numbers (as their text where the cell's
// number format shows a date or time), shared and inline texts, booleans as 1
// or 0, formula cells by their stored result (an error or a missing value is
// kNoResult). A package without a workbook part, or with malformed XML or a
// shared-string index that points nowhere, gives no sheet and kDamaged; a
// workbook without worksheets gives kNoWorksheet.
WorksheetResult ReadXlsxParts(const PackagePart& part, int columnCount);

// "xl/" + "worksheets/sheet1.xml", "/xl/x.xml" from the package root, with
// "." and ".." segments resolved; what a relationship target names.
std::string ResolvePartPath(const std::string& folder, const std::string& target);

}  // namespace vx
