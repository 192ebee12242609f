// Conversion 1: the entry workbook's first worksheet into the element file.
#pragma once

#include <string>

#include "platform/spreadsheet_reader.h"
#include "shell/element_table.h"
#include "shell/install_folder.h"

namespace vx {

// Columns A..I of the entry sheet, by 0-based position.
namespace sheet_field {
constexpr int kX = 1;      // B
constexpr int kY = 2;      // C
constexpr int kCode = 3;   // D: element code, compared unconverted
constexpr int kAngle = 4;  // E: [ A ]
constexpr int kShift = 5;  // F: [ B ]
constexpr int kCorner = 6; // G: [ C ]
constexpr int kRadius = 7; // H: [ R ]
constexpr int kWay = 8;    // I: [ S ]
constexpr int kCount = 9;
}  // namespace sheet_field

// Element codes as typed in column D of the entry sheet.
namespace sheet_code {
constexpr int kCircle = 0;
constexpr int kLeavingLine = 1;
constexpr int kEnteringLine = 2;
constexpr int kParallelLine = 3;
constexpr int kCornerItem = 5;
constexpr int kPoint = 8;
constexpr int kSeparator = 88;
constexpr int kEnd = 99;
constexpr int kCircleWithApproach = 100;  // six rows: approach, circle, shifted line, circle, return, separator
}  // namespace sheet_code

// Element codes of the element file (a sheet circle 0 becomes 8, a point 8 becomes 0).
namespace element_code {
constexpr int kPoint = 0;
constexpr int kLeavingLine = 1;
constexpr int kEnteringLine = 2;
constexpr int kParallelLine = 3;
constexpr int kCornerItem = 5;  // the "(C)" corner
constexpr int kCircle = 8;
constexpr int kSeparator = 88;
constexpr int kEnd = 99;
}  // namespace element_code

// The fifth unrecognised record anywhere in the sheet ends the list.
constexpr int kUnrecognisedLimit = 5;

// Value of a cell as conversion 1 reads it: empty gives 0; a number is taken
// through its text (so to 15 significant digits); text by its leading number.
double SheetValue(const SheetCell& cell);

struct SheetConversion {
  bool ok = true;
  std::string problem;  // when not ok: the row limit was passed (message text)
};

// Converts the records of the sheet into rows 1.. of the table and sets
// RowCount. The first record is skipped; each recognised code writes its rows;
// code 99, or the fifth unrecognised record, writes the end row (replacing a
// trailing separator) and stops. Rows past RowCount keep their old contents.
// A sheet that would need a row past 1999 gives ok = false; the table is then
// partly rewritten, so callers convert into a copy.
SheetConversion ConvertSheet(const Worksheet& sheet, ElementTable& table);

// The operator's message for a workbook that could not be read.
std::string WorkbookProblemText(const WorksheetResult& read, const std::string& path);

struct Conversion1Result {
  bool ok = false;
  std::string message;  // when not ok: one line for the operator, naming the file or the limit
  std::string elementFile;  // the path written
};

// The whole run: reads the install folder's DATAIN.xls, converts it and stores
// CONDTA.dat with SaveTable. On any failure (workbook missing or unreadable,
// too many rows, element file not writable) the table and the element file
// are left as they were.
Conversion1Result RunConv1(ElementTable& table, const InstallFolder& folder, const SpreadsheetReader& reader);

}  // namespace vx
