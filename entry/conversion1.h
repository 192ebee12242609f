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
  // When not ok: the row limit was passed, or a formula cell whose value is
  // taken has no stored result (message text naming the workbook and cell).
  std::string problem;
};

// Converts the records of the sheet into rows 1.. of the table and sets
// RowCount. The first record is skipped; each recognised code writes its rows;
// code 99, or the fifth unrecognised record, writes the end row (replacing a
// trailing separator) and stops. Rows past RowCount keep their old contents.
// A sheet that would need a row past 1999, or whose code cell or a cell whose
// value a row takes is a formula without a stored result (an error, or none
// saved), gives ok = false; the table is then partly rewritten, so callers
// convert into a copy. workbookName is the file name messages use.
SheetConversion ConvertSheet(const Worksheet& sheet, ElementTable& table,
                             const std::string& workbookName = kEntryWorkbook);

// The entry workbooks conversion 1 can read, in the order that wins a tie.
inline constexpr const char* kEntryWorkbookNames[] = {"DATAIN.xls", "DATAIN.xlsx", "DATAIN.ods"};

struct EntryWorkbook {
  std::string name;  // canonical spelling: "DATAIN.xls", "DATAIN.xlsx" or "DATAIN.ods"
  std::string path;  // the file in the install folder, as spelled there
  bool exists = false;
};

// The entry workbook to read: the most recently modified of DATAIN.xls,
// DATAIN.xlsx and DATAIN.ods in the install folder (names matched without
// regard to case); on equal times the earlier in kEntryWorkbookNames. When
// none exists: DATAIN.xls, not existing.
EntryWorkbook FindEntryWorkbook(const InstallFolder& folder);

// The operator's message for a workbook that could not be read.
std::string WorkbookProblemText(const WorksheetResult& read, const std::string& path,
                                const std::string& workbookName = kEntryWorkbook);

// The line that says which workbook a run read ("DATAIN.xlsx を読み込みました：PATH").
std::string WorkbookReadText(const EntryWorkbook& workbook);

struct Conversion1Result {
  bool ok = false;
  std::string message;  // when not ok: one line for the operator, naming the file or the limit
  std::string elementFile;  // the path written
  EntryWorkbook workbook;   // the workbook read (or looked for)
};

// The whole run: reads the install folder's entry workbook (FindEntryWorkbook),
// converts it and stores CONDTA.dat with SaveTable. On any failure (workbook
// missing or unreadable, a formula without a stored result, too many rows,
// element file not writable) the table and the element file are left as they were.
Conversion1Result RunConv1(ElementTable& table, const InstallFolder& folder, const SpreadsheetReader& reader);

}  // namespace vx
