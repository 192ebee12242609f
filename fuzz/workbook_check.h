// The property every workbook reader's result must have: each cell read is
// empty, a finite number, or valid UTF-8 text; the sheet keeps to its limits.
#pragma once

#include <cmath>
#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/spreadsheet_reader.h"

namespace vx::fuzz {

inline bool IsValidUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    unsigned int cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      length = 2;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      length = 3;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      length = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto d = static_cast<unsigned char>(text[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = cp << 6 | (d & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((length == 2 && cp < 0x80) || (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000) ||
        (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
      return false;
    }
    i += length;
  }
  return true;
}

inline void CheckWorksheet(const WorksheetResult& read, int columnCount) {
  if (!read.sheet) {
    Check(!read.problem.empty(), "a refused workbook says why");
    return;
  }
  Check(read.sheet->RowCount() <= WorksheetBuilder::kMaxRows, "the sheet keeps to the row limit");
  for (const auto& row : read.sheet->rows) {
    Check(static_cast<int>(row.size()) == columnCount, "every row has the columns asked for");
    for (const SheetCell& cell : row) {
      if (cell.IsNumber()) Check(std::isfinite(cell.number), "a number cell is finite");
      Check(IsValidUtf8(cell.text), "a text is valid UTF-8");
      if (!cell.IsText() && !cell.IsNoResult()) Check(cell.text.empty(), "only texts and errors carry text");
    }
  }
  if (!read.sheet->rows.empty()) {
    bool lastEmpty = true;
    for (const SheetCell& cell : read.sheet->rows.back()) lastEmpty = lastEmpty && cell.IsEmpty();
    Check(!lastEmpty, "no trailing empty row");
  }
}

}  // namespace vx::fuzz
