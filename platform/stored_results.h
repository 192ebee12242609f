// Stored formula results that the .xlsx and .ods import of liborcus leaves
// out (text, boolean and error results of .ods; boolean and error results of
// .xlsx), and the texts of .ods text cells whose runs of blanks it drops,
// read from the sheet's XML with the library's own SAX parser.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "platform/spreadsheet_reader.h"

namespace vx {

// Results by (0-based row, column); only formula cells within the first
// kMaxRows rows and 64 columns. A text result is kText, a boolean the number
// 1 or 0, an error kNoResult with its text. Malformed XML gives what was read
// before the fault.
using StoredResults = std::map<std::pair<long long, long long>, SheetCell>;

// The first table of an OpenDocument content.xml: formula results and the
// texts of text cells.
StoredResults OdsStoredResults(std::string_view contentXml);

// One worksheet part of an .xlsx package.
StoredResults XlsxStoredResults(std::string_view sheetXml);

// The package path of the first worksheet ("xl/worksheets/sheet1.xml"), from
// xl/workbook.xml and xl/_rels/workbook.xml.rels; empty when not found.
std::string XlsxFirstSheetPart(std::string_view workbookXml, std::string_view relationshipsXml);

}  // namespace vx
