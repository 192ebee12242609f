// A worksheet as lines "B3 number 15.5", "C4 text 1.5mm", "D5 error #N/A",
// one per cell that holds something, row by row: what reader tests compare.
#pragma once

#include <cstdio>
#include <string>

#include "platform/spreadsheet_reader.h"

namespace vx::test {

inline std::string DumpSheet(const Worksheet& sheet, int columns = 9) {
  std::string out;
  for (int row = 0; row < sheet.RowCount(); ++row) {
    for (int column = 0; column < columns; ++column) {
      const SheetCell& cell = sheet.At(row, column);
      std::string text;
      switch (cell.kind) {
        case SheetCell::Kind::kEmpty: continue;
        case SheetCell::Kind::kNumber: {
          char buffer[40];
          std::snprintf(buffer, sizeof buffer, "%.15g", cell.number);
          text = std::string("number ") + buffer;
          break;
        }
        case SheetCell::Kind::kText: text = "text " + cell.text; break;
        case SheetCell::Kind::kNoResult: text = "error " + cell.text; break;
      }
      out += static_cast<char>('A' + column) + std::to_string(row + 1) + " " + text + "\n";
    }
  }
  return out;
}

}  // namespace vx::test
