// The contour file as a grid of texts, and the layout check before it is stored.
#include "entry/contour_table_edit.h"

#include <cmath>
#include <memory>

#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx {

namespace {

constexpr int kFields = 5;  // X, Y, Code, P1, P2
const char* const kColumnNames[kFields] = {"X", "Y", "Code", "P1", "P2"};
const char* const kRefused = "保存しません。";

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string FieldAt(const TextGrid& grid, size_t row, size_t column) {
  if (row >= grid.size() || column >= grid[row].size()) return {};
  return Trimmed(grid[row][column]);
}

bool RowIsEmpty(const TextGrid& grid, size_t row, size_t fromColumn = 0) {
  if (row >= grid.size()) return true;
  for (size_t column = fromColumn; column < grid[row].size(); ++column) {
    if (!Trimmed(grid[row][column]).empty()) return false;
  }
  return true;
}

ContourTableCheck Refuse(const std::string& why) {
  ContourTableCheck check;
  check.message = why + kRefused;
  return check;
}

// A count is a whole number 0..1999 (row N + 1 must still fit in the table).
bool CountIsValid(const std::string& countText) {
  const bool wholeNumber = IsNumericText(countText) && std::floor(NumericValue(countText)) == NumericValue(countText);
  return wholeNumber && NumericValue(countText) >= 0 && NumericValue(countText) <= ElementTable::kMaxCount;
}

std::string RowText(size_t gridRow) { return "表の " + std::to_string(gridRow + 1) + " 行目"; }

}  // namespace

TextGrid TableFileCells(const std::string& text) {
  TextGrid grid;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    size_t fieldStart = 0;
    while (true) {
      const size_t comma = line.find(',', fieldStart);
      fields.push_back(line.substr(fieldStart, comma == std::string::npos ? std::string::npos : comma - fieldStart));
      if (comma == std::string::npos) break;
      fieldStart = comma + 1;
    }
    grid.push_back(std::move(fields));
    start = end + 1;
  }
  return grid;
}

bool HasTableFileLayout(const TextGrid& grid) {
  if (grid.empty() || grid[0].size() != 1 || !CheckContourTable(grid).ok) return false;
  const size_t lastRow = static_cast<size_t>(NumericValue(grid[0][0])) + 1;
  for (size_t row = 1; row <= lastRow; ++row) {
    if (grid[row].size() != kFields) return false;
  }
  return true;
}

bool AddDroppedLastRow(TextGrid& grid) {
  if (!CountIsValid(FieldAt(grid, 0, 0))) return false;
  const size_t count = static_cast<size_t>(NumericValue(FieldAt(grid, 0, 0)));
  if (grid.size() != count + 1) return false;
  grid.emplace_back(kFields);
  return true;
}

ContourTableCheck CheckContourTable(const TextGrid& grid) {
  const std::string countText = FieldAt(grid, 0, 0);
  if (!CountIsValid(countText)) {
    return Refuse("表の 1 行目の件数「" + countText + "」が 0 から 1999 までの整数ではありません。");
  }
  if (!RowIsEmpty(grid, 0, 1)) return Refuse("表の 1 行目には件数だけを書いてください。");
  const size_t count = static_cast<size_t>(NumericValue(countText));
  const size_t lastRow = count + 1;  // grid row of table row N + 1
  if (grid.size() <= lastRow) {
    return Refuse("件数 " + countText + " には " + std::to_string(count + 1) + " 行のデータが要りますが、" +
                  std::to_string(grid.size() - 1) + " 行しかありません。");
  }
  for (size_t row = lastRow + 1; row < grid.size(); ++row) {
    if (!RowIsEmpty(grid, row)) {
      return Refuse(RowText(row) + "は件数 " + countText + " の範囲（" + std::to_string(lastRow + 1) +
                    " 行目まで）の外にあります。件数を直してください。");
    }
  }
  auto table = std::make_unique<ElementTable>();
  std::string text = std::to_string(count) + "\r\n";
  for (size_t row = 1; row <= lastRow; ++row) {
    if (!RowIsEmpty(grid, row, kFields)) return Refuse(RowText(row) + "に 6 列目以降のデータがあります。");
    for (size_t column = 0; column < kFields; ++column) {
      const std::string field = FieldAt(grid, row, column);
      if (!field.empty() && !IsNumericText(field)) {
        return Refuse(RowText(row) + "の " + kColumnNames[column] + "「" + field + "」は数値ではありません。");
      }
      text += (column == 0 ? "" : ",") + field;
    }
    text += "\r\n";
  }
  // Through the loader and the saver: what is stored is exactly what the
  // later stages read back.
  if (LoadTableText(*table, text) != LoadStatus::kOk) {
    return Refuse("表の内容をエレメント表として読めません。");
  }
  ContourTableCheck check;
  check.ok = true;
  check.fileText = TableFileText(*table);
  return check;
}

std::optional<std::string> CountAfterInsert(const std::string& countText, std::size_t gridRow) {
  const std::string count = Trimmed(countText);
  if (!CountIsValid(count)) return std::nullopt;
  const auto n = static_cast<std::size_t>(NumericValue(count));
  if (gridRow < 1 || gridRow > n + 1) return std::nullopt;
  // A table already at the limit keeps its count: the save then names the
  // row past the table instead of accepting a count that does not fit.
  if (n >= static_cast<std::size_t>(ElementTable::kMaxCount)) return std::nullopt;
  return std::to_string(n + 1);
}

std::optional<std::string> CountAfterDelete(const std::string& countText, const std::vector<std::size_t>& gridRows) {
  const std::string count = Trimmed(countText);
  if (!CountIsValid(count)) return std::nullopt;
  const auto n = static_cast<std::size_t>(NumericValue(count));
  std::size_t inTable = 0;
  for (const std::size_t row : gridRows) {
    if (row >= 1 && row <= n + 1) ++inTable;
  }
  const std::size_t after = inTable >= n ? 0 : n - inTable;
  if (after == n) return std::nullopt;
  return std::to_string(after);
}

}  // namespace vx
