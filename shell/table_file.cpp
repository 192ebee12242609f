// Loading and storing the element table as a table file (CONDTA.dat, CON2TA.dat).
#include "shell/table_file.h"

#include <cmath>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "shell/number_text.h"

namespace vx {
namespace {

// The fields of a table file in reading order: separated by commas or line
// ends (CR LF, LF or CR).
std::vector<std::string> SplitFields(const std::string& text) {
  std::vector<std::string> fields;
  std::string field;
  size_t i = 0;
  bool lineHasContent = false;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ',') {
      fields.push_back(field);
      field.clear();
      lineHasContent = true;
    } else if (c == '\r' || c == '\n') {
      if (lineHasContent || !field.empty()) fields.push_back(field);
      field.clear();
      lineHasContent = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      field += c;
      lineHasContent = true;
    }
    ++i;
  }
  if (lineHasContent || !field.empty()) fields.push_back(field);
  return fields;
}

bool IsBlankText(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

// Reads one field into a cell; false when it is neither empty nor a number.
bool ReadCell(const std::string& field, Cell& cell) {
  if (IsBlankText(field)) {
    cell.Clear();
    return true;
  }
  if (!IsNumericText(field)) return false;
  cell = NumericValue(field);
  return true;
}

std::string CellText(const Cell& cell) { return cell.IsEmpty() ? std::string() : ShortestText(cell); }

}  // namespace

LoadStatus LoadTableText(ElementTable& table, const std::string& text) {
  const std::vector<std::string> fields = SplitFields(text);
  // An empty file, or one whose first line is no count, has no table at all.
  if (fields.empty() || !IsNumericText(fields[0])) return LoadStatus::kBadCount;
  const double count = NumericValue(fields[0]);
  // A count outside the table would make the rows run past row 2000.
  if (count < 0 || count > ElementTable::kMaxCount || count != std::floor(count)) {
    return LoadStatus::kBadCount;
  }
  table.RowCount = static_cast<int>(count);
  size_t next = 1;
  for (table.CurRow = 1; table.CurRow <= table.RowCount + 1; ++table.CurRow) {
    const int r = table.CurRow;
    ElementTable::Column* columns[5] = {&table.X, &table.Y, &table.Code, &table.P1, &table.P2};
    for (ElementTable::Column* column : columns) {
      if (next >= fields.size()) return LoadStatus::kShort;
      if (!ReadCell(fields[next], (*column)[r])) return LoadStatus::kShort;
      ++next;
    }
  }
  return LoadStatus::kOk;
}

LoadStatus LoadTable(ElementTable& table, const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, text)) return LoadStatus::kMissing;
  return LoadTableText(table, text);
}

std::string TableFileText(const ElementTable& table) {
  std::string text = ShortestText(table.RowCount) + "\r\n";
  for (int r = 1; r <= table.RowCount + 1 && r <= ElementTable::kLastRow; ++r) {
    text += CellText(table.X[r]) + "," + CellText(table.Y[r]) + "," + CellText(table.Code[r]) + "," +
            CellText(table.P1[r]) + "," + CellText(table.P2[r]) + "\r\n";
  }
  return text;
}

bool SaveTable(ElementTable& table, const std::string& path) {
  if (table.RowCount < 0 || table.RowCount > ElementTable::kMaxCount) return false;
  if (!WriteFileAtomically(path, TableFileText(table))) return false;
  table.CurRow = table.RowCount + 2;
  return true;
}

const char* LoadStatusText(LoadStatus status) {
  switch (status) {
    case LoadStatus::kOk:
      return "ok";
    case LoadStatus::kMissing:
      return "ファイルがありません";
    case LoadStatus::kShort:
      return "ファイルが途中で切れています";
    case LoadStatus::kBadCount:
      return "データ数が 0～1999 の範囲外です";
  }
  return "";
}

}  // namespace vx
