// Decoding the BIFF5/BIFF8 workbook stream of a binary workbook into the
// cells of its first worksheet.
#pragma once

#include <string>
#include <string_view>

#include "platform/spreadsheet_reader.h"

namespace vx {

enum class XlsStatus {
  kOk,
  kDamaged,      // a record is cut short, out of place, or points nowhere
  kEncrypted,    // the workbook carries FILEPASS: protected with a password
  kTooOld,       // BIFF2 to BIFF4 (Excel 4.0 and before)
  kNoWorksheet,  // no sheet of the workbook is a worksheet
};

struct XlsSheet {
  XlsStatus status = XlsStatus::kOk;
  Worksheet sheet;  // when kOk: the first worksheet, columns 0..columnCount - 1
};

// Decodes the workbook globals (shared strings, sheet list, number formats,
// date system, code page) and the first worksheet's cells: numbers (NUMBER,
// RK, MULRK), texts (LABELSST, LABEL, RSTRING), booleans and error constants
// (BOOLERR), and formulas by their stored result (FORMULA, with the STRING
// record after it for a text result). A number in a date or time format
// becomes its text ("2024-01-31", "12:30:00", "2024-01-31 12:30:00").
XlsSheet DecodeXlsWorkbook(std::string_view stream, int columnCount);

// The text of an error code of a BOOLERR or FORMULA record ("#DIV/0!").
std::string XlsErrorText(int code);

}  // namespace vx
